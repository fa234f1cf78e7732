#include "ui/RomDocumentCommands.h"

#include "document/RomFile.h"
#include "platform/files/CPath.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"
#include "ui/CScrollPanel.h"
#include "ui/LinkFileCommands.h"
#include "ui/ModuleListCommands.h"

namespace {

constexpr char kRomFilter[] = "All Files (*.*)|*.*|";

} // namespace

bool RomDocumentCommands::PromptApply() {
    if (!m_dlg.m_bModified) return true;
    switch (m_controls.Message("Apply changes before closing?", MB_YESNOCANCEL | MB_ICONINFORMATION,
                               "Quillmoor")) {
    case IDYES:
        return SaveRom();
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
    if (m_dlg.m_bRomOpen && !CloseRom()) return;
    if (!ReadRom(dialog.GetPathName(), dialog.GetFileName())) return;
    m_controls.ShowDocumentTitle();
    // The link file's modules, when it names any, were tested as they
    // became current; otherwise the module already current meets the new
    // image here, once.
    if (!LinkFileCommands(m_dlg).ReadLinkFile() && m_dlg.m_nCurModule != -1)
        ModuleListCommands(m_dlg).MeetOpenRom();
    m_controls.EnableCommand(ID_FILE_CLOSEROM, true);
    // The next thing a user does with a ROM is pick an entry.
    if (m_dlg.m_pEntryCombo) m_dlg.m_pEntryCombo->SetFocus();
}

bool RomDocumentCommands::CloseRom() {
    if (!PromptApply()) return false;
    m_controls.ShowNoDocumentTitle();
    m_dlg.m_pRom.reset();
    m_dlg.m_nRomLength = 0;
    m_dlg.m_bModified = false;
    m_dlg.m_bRomOpen = false;
    m_dlg.m_bCompatible = true;
    m_dlg.m_strRomDir.clear();
    m_dlg.m_strRomPath.clear();
    m_dlg.m_strRomName.clear();
    // The entry names stay listed; only the choice goes away.
    m_controls.EnableEntrySelector(false);
    for (UINT id :
         {UINT{ID_FILE_CLOSEROM}, UINT{ID_FILE_APPLY}, UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK}})
        m_controls.EnableCommand(id, false);
    ClearFormValues();
    return true;
}

bool RomDocumentCommands::SaveRom() {
    if (!m_dlg.m_bRomOpen) return false;
    if (!m_dlg.m_bCompatible) {
        m_controls.ShowIncompatible();
        return false;
    }
    // SaveImage has the bytes on the disk before it reports success, so the
    // title never claims a save that a crash could still undo.
    const FileResult saved = RomFile::SaveImage(m_dlg.m_strRomPath, m_dlg.m_pRom.get(), m_dlg.m_nRomLength);
    if (!saved) {
        m_controls.Message(saved.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_dlg.m_bModified = false;
    m_controls.ShowDocumentTitle();
    return true;
}

bool RomDocumentCommands::ReadRom(const std::string& path, const std::string& name) {
    RomFile rom;
    if (const FileResult opened = rom.Open(path); !opened) {
        m_controls.Message(opened.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_dlg.m_strRomPath = path;
    m_dlg.m_strRomDir = CPath::FolderOf(path);
    m_dlg.m_strRomName = name;
    m_dlg.m_nRomLength = rom.Length();
    m_dlg.m_pRom = rom.TakeImage();
    m_dlg.m_bRomOpen = true;
    m_dlg.m_bModified = false;
    m_dlg.m_bCompatible = true;
    return true;
}

void RomDocumentCommands::ClearFormValues() {
    if (m_dlg.m_nCurModule < 0 || !m_dlg.m_pPanel) return;
    // The rows stay and the module stays current; only what they show goes.
    const CTableModule& module = *m_dlg.m_modules[static_cast<size_t>(m_dlg.m_nCurModule)];
    for (int i = 0; i < module.m_nElements; ++i) {
        CWnd* control = m_dlg.m_pPanel->GetDlgItem(IDC_ELEMENT_BASE + i);
        if (control == nullptr) continue;
        if (auto* combo = dynamic_cast<CComboBox*>(control))
            combo->SetCurSel(-1);
        else
            control->SetWindowText("");
    }
}
