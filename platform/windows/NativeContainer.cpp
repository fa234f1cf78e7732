#include "platform/windows/NativeContainer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include "platform/win32/WinConstants.h"
#include "platform/windows/NativeDC.h"

namespace {

NativeContainer* ContainerOf(const QWidget* frame) {
    return dynamic_cast<NativeContainer*>(NativeWindow::FromWidget(frame));
}

// The client area: children live here, and painting is the window's own.
class ContainerClient : public QWidget {
public:
    explicit ContainerClient(QWidget* frame) : QWidget(frame) {}

protected:
    void resizeEvent(QResizeEvent*) override { NativeWindow::FollowParentAreaOfChildren(this); }
    void paintEvent(QPaintEvent*) override {
        if (NativeContainer* native = ContainerOf(parentWidget())) {
            QPainter painter(this);
            native->PaintClient(painter);
        }
    }
};

// The outer window: frame, scroll bar and client area.
class ContainerFrame : public QWidget {
public:
    ContainerFrame(QWidget* parent, int frame, bool sunken)
        : QWidget(parent), m_frame(frame), m_sunken(sunken) {}
    QWidget* client = nullptr;
    QScrollBar* bar = nullptr;

    void Layout() {
        const int b = m_frame;
        const int barWidth = (bar != nullptr && !bar->isHidden()) ? NativeContainer::kScrollBarWidth : 0;
        const int w = std::max(0, width() - 2 * b - barWidth);
        const int h = std::max(0, height() - 2 * b);
        if (client != nullptr) client->setGeometry(b, b, w, h);
        if (bar != nullptr) bar->setGeometry(b + w, b, barWidth, h);
    }

protected:
    void resizeEvent(QResizeEvent*) override { Layout(); }
    // Turns its children pass on (the client area, the scroll bar, controls
    // without the focus) end here as well.
    void wheelEvent(QWheelEvent* e) override {
        NativeContainer* native = ContainerOf(this);
        if (native == nullptr || !native->OnWheel(e->angleDelta().y())) e->ignore();
    }
    void paintEvent(QPaintEvent*) override {
        if (m_frame == 0) return;
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        // Outer line dark, inner line darker on top/left: the sunken edge.
        p.setPen(m_sunken ? QColor(160, 160, 160) : QColor(100, 100, 100));
        p.drawRect(r);
        if (m_frame > 1) {
            p.setPen(QColor(105, 105, 105));
            p.drawRect(r.adjusted(1, 1, -1, -1));
        }
        if (m_frame > 2) {
            p.setPen(QColor(227, 227, 227));
            p.drawRect(r.adjusted(2, 2, -2, -2));
        }
    }

private:
    int m_frame;
    bool m_sunken;
};

// The wheel over a window's scroll bar does not scroll in Win32 (the window
// gets WM_MOUSEWHEEL, which a plain window ignores).
class WindowScrollBar : public QScrollBar {
public:
    explicit WindowScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}

protected:
    void wheelEvent(QWheelEvent* e) override { e->ignore(); }
    // A disabled Win32 scroll bar shows its arrows and an empty track; Qt
    // would draw the thumb as well.
    void paintEvent(QPaintEvent* e) override {
        if (isEnabled()) {
            QScrollBar::paintEvent(e);
            return;
        }
        QPainter painter(this);
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls &= ~QStyle::SC_ScrollBarSlider;
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    }
};

UINT CodeForAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    default:
        return SB_ENDSCROLL;
    }
}

} // namespace

NativeContainer::NativeContainer(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent)
    : NativeWindow(owner, style, exStyle, id) {
    auto* frame = new ContainerFrame(parent, FrameWidth(style, exStyle), (exStyle & WS_EX_CLIENTEDGE) != 0);
    frame->client = new ContainerClient(frame);
    m_client = frame->client;
    if (style & WS_VSCROLL) {
        frame->bar = new WindowScrollBar(frame);
        m_bar = frame->bar;
        QObject::connect(m_bar, &QAbstractSlider::actionTriggered, [this](int a) { OnBarAction(a); });
        QObject::connect(m_bar, &QAbstractSlider::sliderReleased, [this] { OnBarReleased(); });
        SyncScrollBar(SB_VERT);
    }
    SetWidget(frame);
    frame->Layout();
}

NativeContainer::~NativeContainer() = default;

int NativeContainer::FrameWidth(DWORD style, DWORD exStyle) {
    return ((style & WS_BORDER) ? 1 : 0) + ((exStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
}

QWidget* NativeContainer::Client() const {
    return m_client.data();
}

ScrollBarState* NativeContainer::ScrollBar(int bar) {
    return (bar == SB_VERT && (Style() & WS_VSCROLL)) ? &m_state : nullptr;
}

void NativeContainer::SyncScrollBar(int bar) {
    if (bar != SB_VERT || m_bar.isNull()) return;
    m_syncing = true;
    m_bar->setRange(m_state.Min(), m_state.MaxPos());
    m_bar->setPageStep(static_cast<int>(std::max<UINT>(m_state.Page(), 1)));
    m_bar->setSingleStep(1);
    m_bar->setSliderPosition(m_state.Pos());
    m_bar->setValue(m_state.Pos());
    m_bar->setEnabled(m_state.Enabled());
    const bool wasHidden = m_bar->isHidden();
    m_bar->setHidden(!m_state.Visible());
    if (wasHidden != m_bar->isHidden()) static_cast<ContainerFrame*>(Widget())->Layout();
    m_syncing = false;
}

void NativeContainer::Place(const QRect& rect) {
    NativeWindow::Place(rect);
    if (Widget() != nullptr) static_cast<ContainerFrame*>(Widget())->Layout();
}

void NativeContainer::PaintClient(QPainter& painter) {
    NativeDC dc(painter);
    Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
}

// The bar only reports what the user asked for; where it ends up is the
// program's answer (SetScrollPos), as with a Win32 scroll bar.
void NativeContainer::OnBarAction(int action) {
    if (m_syncing || m_bar.isNull()) return;
    const int track = m_bar->sliderPosition();
    m_state.SetTrackPos(track);
    const auto alive = AliveToken();
    Send(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(CodeForAction(action)), static_cast<WORD>(track)), 0);
    if (*alive && !m_bar.isNull()) {
        m_syncing = true;
        m_bar->setSliderPosition(m_state.Pos());
        m_syncing = false;
    }
}

bool NativeContainer::OnWheel(int delta) {
    if (!(Style() & WS_VSCROLL)) return false;
    if (delta != 0) Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    return true;
}

void NativeContainer::OnBarReleased() {
    if (m_syncing || m_bar.isNull()) return;
    const int track = m_bar->sliderPosition();
    const auto alive = AliveToken();
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(track)), 0);
    if (*alive) Send(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    if (*alive) SyncScrollBar(SB_VERT);
}
