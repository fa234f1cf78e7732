#include "platform/windows/KeyMessage.h"

#include "platform/win32/WinConstants.h"

namespace {
struct KeyContext {
    bool active = false;
    BYTE modifiers = 0;
    bool probe = false;
};

KeyContext& Context() {
    static thread_local KeyContext context;
    return context;
}
} // namespace

WORD KeyMessage::VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<WORD>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<WORD>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

BYTE KeyMessage::Modifiers(Qt::KeyboardModifiers modifiers) {
    BYTE out = 0;
    if (modifiers & Qt::ControlModifier) out |= FCONTROL;
    if (modifiers & Qt::ShiftModifier) out |= FSHIFT;
    if (modifiers & Qt::AltModifier) out |= FALT;
    return out;
}

KeyMessage::Scope::Scope(Qt::KeyboardModifiers modifiers, bool probe)
    : m_wasActive(Context().active), m_previousModifiers(Context().modifiers), m_wasProbe(Context().probe) {
    Context() = KeyContext{true, Modifiers(modifiers), probe};
}

KeyMessage::Scope::~Scope() {
    Context() = KeyContext{m_wasActive, m_previousModifiers, m_wasProbe};
}

bool KeyMessage::Active() {
    return Context().active;
}

BYTE KeyMessage::CurrentModifiers() {
    return Context().modifiers;
}

bool KeyMessage::Probing() {
    return Context().active && Context().probe;
}
