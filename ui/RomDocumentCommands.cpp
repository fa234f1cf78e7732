#include "ui/RomDocumentCommands.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/files/CPath.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "ui/CompareCommands.h"
#include "ui/EditorView.h"
#include "ui/LinkFileCommands.h"
#include "ui/ModuleListCommands.h"
#include "ui/RecentRoms.h"
#include "ui/model/EditorState.h"

int RomDocumentCommands::AskApply() {
    return m_controls.Message(kApplyQuestionText, MB_YESNOCANCEL | MB_ICONINFORMATION, kApplyQuestionCaption);
}

bool RomDocumentCommands::PromptApply() {
    if (!m_state.document.IsModified()) return true;
    switch (AskApply()) {
    case IDYES:
        return SaveRom();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool RomDocumentCommands::PromptApplyEdits() {
    CTableModule* module = m_state.CurrentModule();
    if (module == nullptr || !m_state.document.IsOpen() || !m_view.HoldsEdits(*module)) return true;
    switch (AskApply()) {
    case IDYES:
        ApplyChanges();
        // A value that did not read back had its message; the edits stay.
        return !m_view.HoldsEdits(*module);
    case IDNO:
        return true;
    default:
        return false;
    }
}

void RomDocumentCommands::OpenRom() {
    // The read-only check box the dialog shows is deliberately ignored.
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kRomFileFilter);
    if (dialog.DoModal() != IDOK) return;
    OpenRomPath(dialog.GetPathName());
}

void RomDocumentCommands::OpenRecentRom(const std::string& path) {
    std::error_code error;
    // Only a file known to be gone leaves the list; one that cannot be
    // read now (a drive not mounted, say) gets Open's message and stays.
    if (!std::filesystem::exists(path, error) && !error) {
        (void)RecentRoms::Remove(path);
        m_controls.Message(RecentRomMissingText(path), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OpenRomPath(path);
}

bool RomDocumentCommands::OpenFile(const std::string& path) {
    if (const FileResult opened = m_state.OpenRom(path, CPath::NameOf(path)); !opened) {
        m_controls.Message(opened.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (m_state.document.UndidInterruptedSave())
        m_controls.Message(InterruptedSaveUndoneText(m_state.document.Path()), MB_OK | MB_ICONINFORMATION);
    OfferRecovery();
    CompareCommands(m_state, m_view).RecallOriginal();
    return true;
}

void RomDocumentCommands::OpenRomPath(const std::string& path) {
    if (m_state.document.IsOpen() && !CloseRom()) return;
    if (!OpenFile(path)) return;
    // The link file's modules, when it names any, were tested as they
    // became current; otherwise the module already current meets the new
    // image here, once.
    if (!LinkFileCommands(m_state, m_view).ReadLinkFile() && m_state.CurrentModuleIndex() != -1)
        ModuleListCommands(m_state, m_view).MeetOpenRom();
    // The next thing a user does with a ROM is pick an entry.
    if (CComboBox* selector = m_view.EntryCombo()) selector->SetFocus();
}

void RomDocumentCommands::OfferRecovery() {
    const RecoveryJournal::Pending& pending = m_state.PendingRecovery();
    const std::string& name = m_state.document.Name();
    switch (pending.found) {
    case RecoveryJournal::Found::None:
        return;
    case RecoveryJournal::Found::Changed:
        m_controls.Message(RecoveryChangedText(name, pending.steps.size()), MB_OK | MB_ICONEXCLAMATION);
        m_state.SetAsideRecovery();
        return;
    case RecoveryJournal::Found::Matches:
        if (m_controls.Message(RecoveryQuestionText(name, pending.steps.size()),
                               MB_YESNO | MB_ICONQUESTION) == IDYES)
            m_state.RestoreRecovery();
        else
            m_state.SetAsideRecovery();
        return;
    }
}

bool RomDocumentCommands::CloseRom() {
    if (!PromptApply()) return false;
    DropRom();
    return true;
}

void RomDocumentCommands::DropRom() {
    m_state.CloseRom();
}

bool RomDocumentCommands::ReloadRom() {
    const std::string path = m_state.document.Path();
    const int entry = m_state.CurrentEntry();
    // The edits the user chose to drop stay in the journal's discarded copy.
    if (m_state.document.IsModified()) m_state.SetAsideRecovery();
    DropRom();
    // The module list stays as it is: a link file read again would replace
    // the modules the user works with.
    if (!OpenFile(path)) return false;
    if (m_state.CurrentModuleIndex() != -1)
        ModuleListCommands(m_state, m_view).MeetOpenRom(std::max(entry, 0));
    return true;
}

bool RomDocumentCommands::SaveRom() {
    if (!m_state.document.IsOpen()) return false;
    if (!m_state.Fits()) {
        m_controls.ShowIncompatible();
        return false;
    }
    // Save has the bytes on the disk before it reports success, so the
    // title never claims a save that a crash could still undo.
    RomDocument::SaveMode mode = RomDocument::SaveMode::KeepChangedFile;
    RomDocument::SaveResult saved = m_state.SaveRom(mode);
    if (saved && saved.Value() == RomDocument::SaveOutcome::ChangedOnDisk) {
        if (m_controls.Message(ChangedOnDiskText(m_state.document.Path()), MB_YESNO | MB_ICONEXCLAMATION) !=
            IDYES)
            return false;
        mode = RomDocument::SaveMode::Overwrite;
        saved = m_state.SaveRom(mode);
    }
    if (saved && saved.Value() == RomDocument::SaveOutcome::FolderNotWritable) {
        if (m_controls.Message(NoRollbackQuestionText(m_state.document.Path()),
                               MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return false;
        saved = m_state.SaveRom(mode, RomDocument::InPlace::UnsafeAllowed);
    }
    if (!saved) {
        m_controls.Message(saved.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return saved.Value() == RomDocument::SaveOutcome::Saved;
}

void RomDocumentCommands::ApplyChanges() {
    if (!m_state.Fits()) {
        m_controls.ShowIncompatible();
        return;
    }
    CTableModule* module = m_state.CurrentModule();
    // The command is grayed without a ROM and a module; a key may still race it.
    if (module == nullptr || !m_state.document.IsOpen() || !m_view.ReadBack(*module)) return;
    m_state.ApplyEntry();
}

void RomDocumentCommands::Undo() {
    m_state.Undo();
}

void RomDocumentCommands::Redo() {
    m_state.Redo();
}
