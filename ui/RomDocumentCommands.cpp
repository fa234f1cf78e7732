#include "ui/RomDocumentCommands.h"

#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/EditorState.h"
#include "ui/EditorView.h"
#include "ui/LinkFileCommands.h"
#include "ui/ModuleListCommands.h"

namespace {

constexpr char kRomFilter[] = "All Files (*.*)|*.*|";
constexpr char kApplyQuestion[] = "Apply changes before closing?";

} // namespace

bool RomDocumentCommands::PromptApply() {
    if (!m_state.document.IsModified()) return true;
    switch (m_controls.Message(kApplyQuestion, MB_YESNOCANCEL | MB_ICONINFORMATION, "Quillmoor")) {
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
    switch (m_controls.Message(kApplyQuestion, MB_YESNOCANCEL | MB_ICONINFORMATION, "Quillmoor")) {
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
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kRomFilter);
    if (dialog.DoModal() != IDOK) return;
    if (m_state.document.IsOpen() && !CloseRom()) return;
    if (const FileResult opened = m_state.document.Open(dialog.GetPathName(), dialog.GetFileName());
        !opened) {
        m_controls.Message(opened.Error(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_controls.ShowDocumentTitle(m_state.document);
    m_controls.ShowUndoState(m_state.document);
    // The link file's modules, when it names any, were tested as they
    // became current; otherwise the module already current meets the new
    // image here, once.
    if (!LinkFileCommands(m_state, m_view).ReadLinkFile() && m_state.currentModule != -1)
        ModuleListCommands(m_state, m_view).MeetOpenRom();
    m_controls.EnableCommand(ID_FILE_CLOSEROM, true);
    // The next thing a user does with a ROM is pick an entry.
    if (CComboBox* selector = m_view.EntryCombo()) selector->SetFocus();
}

bool RomDocumentCommands::CloseRom() {
    if (!PromptApply()) return false;
    m_controls.ShowNoDocumentTitle();
    m_state.document.Close();
    // The entry names stay listed; only the choice goes away.
    m_controls.EnableEntrySelector(false);
    for (UINT id :
         {UINT{ID_FILE_CLOSEROM}, UINT{ID_FILE_APPLY}, UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK},
          UINT{ID_EDIT_UNDO}, UINT{ID_EDIT_REDO}, UINT{ID_FILE_EXPORTTABLE}, UINT{ID_FILE_IMPORTTABLE}})
        m_controls.EnableCommand(id, false);
    // The rows stay and the module stays current; only what they show goes.
    if (const CTableModule* module = m_state.CurrentModule()) m_view.ClearValues(*module);
    return true;
}

bool RomDocumentCommands::SaveRom() {
    RomDocument& document = m_state.document;
    if (!document.IsOpen()) return false;
    if (!document.IsCompatible()) {
        m_controls.ShowIncompatible();
        return false;
    }
    // Save has the bytes on the disk before it reports success, so the
    // title never claims a save that a crash could still undo.
    RomDocument::SaveResult saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
    if (saved && saved.Value() == RomDocument::SaveOutcome::ChangedOnDisk) {
        if (m_controls.Message(ChangedOnDiskText(document.Path()), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return false;
        saved = document.Save(RomDocument::SaveMode::Overwrite);
    }
    if (!saved) {
        m_controls.Message(saved.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_controls.ShowDocumentTitle(document);
    return true;
}

void RomDocumentCommands::ApplyChanges() {
    if (!m_state.document.IsCompatible()) {
        m_controls.ShowIncompatible();
        return;
    }
    CTableModule* module = m_state.CurrentModule();
    // The command is grayed without a ROM and a module; a key may still race it.
    if (module == nullptr || !m_state.document.IsOpen() || !m_view.ReadBack(*module)) return;
    if (!m_state.document.ApplyEntry(*module)) return;
    m_view.ShowEntry(*module);
}

void RomDocumentCommands::Undo() {
    if (const std::optional<int> entry = m_state.document.Undo()) ShowStepEntry(*entry);
}

void RomDocumentCommands::Redo() {
    if (const std::optional<int> entry = m_state.document.Redo()) ShowStepEntry(*entry);
}

void RomDocumentCommands::ShowStepEntry(int entry) {
    CTableModule* module = m_state.CurrentModule();
    const RomDocument& document = m_state.document;
    if (module == nullptr || !document.IsCompatible()) return;
    // A step made under another module may name an entry this one lacks;
    // its current entry is then shown afresh.
    const int shown = entry < module->m_nEntryCount ? entry : module->m_nCurEntry;
    if (!module->SelectEntry(shown, document.Data(), document.Length())) return;
    m_view.SelectEntry(shown);
    m_view.ShowEntry(*module);
}
