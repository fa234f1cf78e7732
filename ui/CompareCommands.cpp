#include "ui/CompareCommands.h"

#include <vector>

#include "document/Patch.h"
#include "document/RomFile.h"
#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CFile.h"
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

void CompareCommands::ExportPatch() {
    if (!m_state.DiffersFromOriginal()) return;
    const RomDocument& document = m_state.document;
    const std::string& name = document.Name();
    const std::string stem = name.substr(0, name.find_last_of('.'));
    CFileDialog dialog(FALSE, "bps", (stem + ".bps").c_str(), OFN_OVERWRITEPROMPT, kPatchFileFilter);
    if (dialog.DoModal() != IDOK) return;
    const std::string path = dialog.GetPathName();
    const PatchFormat format = Patch::FormatOfName(path).value_or(PatchFormat::Bps);
    std::optional<PatchFailure> refused;
    // Streamed as qlm writes it; a full disk leaves the old file, not half a patch.
    const auto failed = AtomicFileWriter::ReplaceStreamed(
            path,
            [&](const AtomicFileWriter::Sink& sink) {
                const auto made =
                        Patch::Write(format, m_state.Original(), {document.Data(), document.Length()}, sink);
                if (!made) refused = made.Error();
                return made.Ok();
            },
            std::nullopt);
    // The patch's own refusal (IPS out of reach) says more than "not written".
    if (refused && refused->kind != PatchFailure::Kind::NotWritten)
        m_controls.Message(refused->Text(), MB_OK | MB_ICONEXCLAMATION, kExportPatchCaption);
    else if (failed)
        m_controls.Message(CannotText(FileAction::Write, path, CFile::ErrorText(failed->error)),
                           MB_OK | MB_ICONEXCLAMATION, kExportPatchCaption);
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
