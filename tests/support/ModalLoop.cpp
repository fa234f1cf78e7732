#include "ModalLoop.h"

#include <QObject>
#include <QTimer>

#include "ModalScript.h"
#include "platform/windows/CDialog.h"
#include "platform/windows/DialogHook.h"
#include "platform/windows/UnscriptedModal.h"

INT_PTR ModalLoop::Run(CDialog& dialog, std::function<void()> body) {
    const DialogHook::Handler scripted = DialogHook::Current();
    // Goes with this call, and the pending body with it, when DoModal
    // returns without running its loop.
    QObject call;
    QTimer::singleShot(0, &call, [&dialog, &body, &scripted] {
        ModalScript::InstallStrictReporter();
        {
            // Dialogs the body opens get the test's answers again.
            DialogHook answers(scripted);
            body();
        }
        if (!dialog.IsEnded()) dialog.EndDialog(IDCANCEL);
    });
    // With neither a hook nor a reporter, DoModal runs its own loop.
    DialogHook none{DialogHook::Handler()};
    UnscriptedModal::SetReporter({});
    const INT_PTR result = dialog.DoModal();
    ModalScript::InstallStrictReporter();
    return result;
}
