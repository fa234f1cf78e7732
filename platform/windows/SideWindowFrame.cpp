#include "platform/windows/SideWindowFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>

#include "platform/win32/WinConstants.h"
#include "platform/windows/PlacementMemory.h"
#include "platform/windows/WindowModel.h"

namespace {

constexpr int kGap = 8;

// Letters and digits only: their virtual-key codes are Qt's key codes.
QKeySequence SequenceOf(const ACCEL& key) {
    Qt::KeyboardModifiers modifiers;
    if (key.fVirt & FCONTROL) modifiers |= Qt::ControlModifier;
    if (key.fVirt & FSHIFT) modifiers |= Qt::ShiftModifier;
    if (key.fVirt & FALT) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key.key)));
}

} // namespace

SideWindowFrame::SideWindowFrame(QWidget* owner, WindowModel& model, const char* name,
                                 PlacementMemory* placement)
    : QWidget(owner, Qt::Window), m_model(model), m_placement(placement) {
    setObjectName(QString::fromLatin1(name));
}

// The program ends, or the dialog goes, with the window open: it opens
// there next time.
SideWindowFrame::~SideWindowFrame() {
    if (m_placed && !isHidden()) RememberPlacement();
}

void SideWindowFrame::AddCommandKeys(const std::vector<ACCEL>& keys, std::function<bool()> keysTaken) {
    for (const ACCEL& key : keys) {
        // Children of this widget, so they go with it.
        auto* shortcut = new QShortcut(SequenceOf(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        const UINT id = key.cmd;
        connect(shortcut, &QShortcut::activated, this, [this, id, keysTaken] {
            if (!keysTaken || !keysTaken()) m_model.OnCommand(id);
        });
    }
}

void SideWindowFrame::Present(bool activate) {
    if (!m_placed && !PlaceAsRemembered()) PlaceBesideOwner();
    show();
    raise();
    // Without a window manager nothing activates a new window, and an
    // inactive window gets no keys.
    if (activate) activateWindow();
}

void SideWindowFrame::PlaceBesideOwner() {
    m_placed = true;
    QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (owner == nullptr) return;
    QPoint at = owner->frameGeometry().topRight() + QPoint(kGap, 0);
    // Where the owner fills the screen, overlapping it beats opening off it.
    if (const QScreen* screen = owner->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::max(area.left(), std::min(at.x(), area.right() - width())));
        at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - height())));
    }
    move(at);
}

bool SideWindowFrame::PlaceAsRemembered() {
    if (m_placement == nullptr) return false;
    const std::vector<uint8_t> bytes = m_placement->Recall(objectName().toStdString());
    // The toolkit's own record: it brings a window back onto a screen that
    // shows it when the one it was on has gone or shrunk.
    if (bytes.empty() || !restoreGeometry(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<qsizetype>(bytes.size()))))
        return false;
    m_placed = true;
    return true;
}

void SideWindowFrame::RememberPlacement() {
    if (m_placement == nullptr) return;
    const QByteArray bytes = saveGeometry();
    m_placement->Remember(objectName().toStdString(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void SideWindowFrame::closeEvent(QCloseEvent* event) {
    // Hidden, not closed: an accepted close of a top-level window counts
    // towards quitting the program.
    event->ignore();
    RememberPlacement();
    hide();
    m_model.OnClosed();
}

void SideWindowFrame::keyPressEvent(QKeyEvent* event) {
    // A cell editor takes its own Escape; only one that reaches the window
    // closes it.
    if (event->key() == Qt::Key_Escape && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
