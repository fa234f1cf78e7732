#include "platform/windows/NativeEdit.h"

#include <functional>
#include <limits>
#include <utility>

#include <QFocusEvent>
#include <QLineEdit>

#include "platform/win32/WinConstants.h"
#include "platform/windows/EditLimitValidator.h"
#include "platform/windows/WindowText.h"

namespace {

// Tells its parent when it gains the focus (EN_SETFOCUS), which Qt keeps to
// itself.
class NotifyingLineEdit : public QLineEdit {
public:
    NotifyingLineEdit(QWidget* parent, std::function<void(bool)> focused)
        : QLineEdit(parent), m_focused(std::move(focused)) {}

protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        // A menu that opened and closed over the window took no focus in
        // Win32: no new EN_SETFOCUS.
        m_focused(e->reason() != Qt::PopupFocusReason);
    }

private:
    std::function<void(bool)> m_focused;
};

} // namespace

NativeEdit::NativeEdit(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent)
    : NativeWindow(owner, style, exStyle, id) {
    auto* edit = new NotifyingLineEdit(parent, [this](bool notify) {
        // Keys must edit the text the program last set.
        ApplyPending();
        if (notify) NotifyParent(EN_SETFOCUS);
    });
    // Qt's own maximum would cut text the program sets; limits are ours.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFrame((exStyle & WS_EX_CLIENTEDGE) != 0 || (style & WS_BORDER) != 0);
    edit->setReadOnly((style & ES_READONLY) != 0);
    // A Win32 edit box takes no drops: a file dropped on the form reaches
    // the window that accepts files, not the box as its path's text.
    edit->setAcceptDrops(false);
    if (style & ES_CENTER)
        edit->setAlignment(Qt::AlignCenter);
    else if (style & ES_RIGHT)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_validator = new EditLimitValidator(edit);
    edit->setValidator(m_validator);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this](const QString& text) {
        m_validator->SetLastText(text);
        NotifyParent(EN_CHANGE);
    });
    SetWidget(edit);
}

NativeEdit::~NativeEdit() = default;

QLineEdit* NativeEdit::Edit() const {
    return static_cast<QLineEdit*>(Widget());
}

LRESULT NativeEdit::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_validator.isNull()) return NativeWindow::Default(message, wParam, lParam);
    switch (message) {
    case EM_LIMITTEXT:
        m_validator->SetLimit(wParam == 0 || wParam > kNoLimit ? 0 : static_cast<int>(wParam));
        return 0;
    case EM_GETLIMITTEXT:
        return m_validator->Limit() == 0 ? LRESULT{kNoLimit} : LRESULT{m_validator->Limit()};
    default:
        return NativeWindow::Default(message, wParam, lParam);
    }
}

void NativeEdit::SetText(const std::string& text) {
    if (Edit() == nullptr || m_validator.isNull()) return;
    if (!Edit()->updatesEnabled() && !Edit()->hasFocus()) {
        // Out of view: the change is reported now, as the box would.
        const bool changed = text != Text();
        m_pending = text;
        if (changed) NotifyParent(EN_CHANGE);
        return;
    }
    m_pending.reset();
    m_validator->SetProgrammatic(true);
    Edit()->setText(WindowText::FromLatin1(text));
    // A text the program sets is shown from its start with the caret there,
    // as on Win32; Qt leaves the caret at the end and scrolls to the tail.
    Edit()->setCursorPosition(0);
    m_validator->SetProgrammatic(false);
}

void NativeEdit::CameIntoView() {
    ApplyPending();
}

void NativeEdit::ApplyPending() {
    if (!m_pending) return;
    const std::string text = std::move(*m_pending);
    m_pending.reset();
    // Reported when it was set.
    SetInitialText(text);
}

std::string NativeEdit::Text() const {
    if (m_pending) return *m_pending;
    return Edit() != nullptr ? WindowText::ToLatin1(Edit()->text()) : std::string();
}
