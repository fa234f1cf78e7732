#include "platform/windows/MessageBoxHook.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "platform/windows/CWinApp.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/UnscriptedModal.h"
#include "platform/windows/WindowText.h"

namespace {

// A Win32 box without a Cancel button ignores Escape and the close box;
// QMessageBox would answer No (or OK) instead.
class WinMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool bCancellable = true;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!bCancellable && e->key() == Qt::Key_Escape) return;
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (!bCancellable) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
};

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    bool cancellable;
};

ButtonSet ButtonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {QMessageBox::Ok | QMessageBox::Cancel, true};
    case MB_ABORTRETRYIGNORE:
        return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, false};
    case MB_YESNOCANCEL:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, true};
    case MB_YESNO:
        return {QMessageBox::Yes | QMessageBox::No, false};
    case MB_RETRYCANCEL:
        return {QMessageBox::Retry | QMessageBox::Cancel, true};
    default:
        return {QMessageBox::Ok, true};
    }
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int IdFor(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Abort:
        return IDABORT;
    case QMessageBox::Retry:
        return IDRETRY;
    case QMessageBox::Ignore:
        return IDIGNORE;
    default:
        return IDCANCEL;
    }
}

// What a box answers when nobody can press a button.
int CancelAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDCANCEL;
    }
}

int ShowReal(const MessageBoxRequest& request) {
    QWidget* parent = NativeWindow::IsLive(request.owner) ? request.owner->Widget()->window() : nullptr;
    const ButtonSet set = ButtonsFor(request.type);
    WinMessageBox box(IconFor(request.type), WindowText::ForDisplay(request.caption),
                      WindowText::ForDisplay(request.text), set.buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.bCancellable = set.cancellable;
    const int defaultIndex = (request.type & MB_DEFBUTTON3) ? 2 : (request.type & MB_DEFBUTTON2) ? 1 : 0;
    // QMessageBox orders buttons by role; Win32 by type. Pick by the
    // standard order instead.
    const QMessageBox::StandardButton order[] = {QMessageBox::Ok,    QMessageBox::Yes,   QMessageBox::No,
                                                 QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore,
                                                 QMessageBox::Cancel};
    int seen = 0;
    for (QMessageBox::StandardButton b : order) {
        if (!(set.buttons & b)) continue;
        if (seen++ == defaultIndex) box.setDefaultButton(b);
    }
    return IdFor(box.exec());
}

} // namespace

int MessageBox(HWND hwndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    MessageBoxRequest request;
    request.owner = hwndOwner;
    request.text = lpszText != nullptr ? lpszText : "";
    request.caption = lpszCaption != nullptr   ? lpszCaption
                      : AfxGetApp() != nullptr ? AfxGetApp()->m_strAppName
                                               : AfxGetAppName();
    request.type = nType;
    if (MessageBoxHook::Current()) return MessageBoxHook::Current()(request);
    if (UnscriptedModal::Report("message box \"" + request.text + "\" (caption \"" + request.caption + "\")"))
        return CancelAnswer(nType);
    return ShowReal(request);
}
