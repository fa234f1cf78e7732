#include "ui/CompareCommands.h"

#include <vector>

#include "document/RomFile.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "ui/OriginalStore.h"
#include "ui/model/EditorState.h"

void CompareCommands::CompareWithOriginal() {
    if (!m_state.document.IsOpen()) return;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kRomFileFilter);
    if (dialog.DoModal() != IDOK) return;
    const std::string path = dialog.GetPathName();
    if (!Load(path, false)) return;
    // A store that cannot be written costs only the recall next time.
    (void)OriginalStore::Remember(m_state.document.Path(), path);
}

void CompareCommands::RecallOriginal() {
    if (const auto path = OriginalStore::Recall(m_state.document.Path())) Load(*path, true);
}

bool CompareCommands::Load(const std::string& path, bool quiet) {
    RomFile original;
    if (const FileResult opened = original.Open(path); !opened) {
        if (!quiet) m_controls.Message(opened.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_state.SetOriginal(std::vector<uint8_t>(original.Data(), original.Data() + original.Length()), path);
    return true;
}
