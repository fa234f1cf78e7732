#include "platform/windows/SideByteWindow.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/windows/ByteGridCanvas.h"
#include "platform/windows/MessageBoxHook.h"
#include "platform/windows/SideWindowFrame.h"
#include "platform/windows/WindowText.h"

namespace {

// Room for an entry of a few rows with its legend and notes. The content is
// not known when the window is made, so it cannot size the window then.
constexpr int kStartWidth = 660;
constexpr int kStartHeight = 400;

} // namespace

SideByteWindow::SideByteWindow(ByteGridModel& model, QWidget* owner, PlacementMemory* placement)
    : m_model(model), m_frame(new SideWindowFrame(owner, model, "BytesWindow", placement)),
      m_handle(m_frame.data()) {
    m_frame->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(m_frame);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* area = new QScrollArea(m_frame);
    m_canvas = new ByteGridCanvas(model, area);
    // The canvas fills a larger window, so no strip of another colour shows.
    area->setWidgetResizable(true);
    area->setWidget(m_canvas);
    layout->addWidget(area);
    TitleChanged();
    ContentChanged();
    m_frame->resize(kStartWidth, kStartHeight);
}

SideByteWindow::~SideByteWindow() {
    m_handle.DestroyWindow();
}

void SideByteWindow::Show() {
    if (m_frame != nullptr) m_frame->Present(false);
}

bool SideByteWindow::IsVisible() const {
    return m_frame != nullptr && m_frame->isVisible();
}

void SideByteWindow::TitleChanged() {
    if (m_frame != nullptr) m_frame->setWindowTitle(WindowText::ForDisplay(m_model.Title()));
}

int SideByteWindow::Message(const std::string& text, const std::string& caption, UINT type) {
    return ::MessageBox(m_handle.GetSafeHwnd(), text.c_str(), caption.empty() ? nullptr : caption.c_str(),
                        type);
}

void SideByteWindow::ContentChanged() {
    if (m_canvas == nullptr) return;
    m_canvas->setMinimumSize(m_canvas->ContentSize());
    m_canvas->update();
}
