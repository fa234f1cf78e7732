#include "ui/TableFileCommands.h"

#include <string>

#include "document/TableExport.h"
#include "document/TableImport.h"
#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CFile.h"
#include "platform/files/FileContents.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/EditorView.h"
#include "ui/model/EditorState.h"

namespace {

std::span<const uint8_t> TableBytes(const CTableModule& module, const RomDocument& document) {
    const size_t length = size_t{module.m_nEntryLength} * static_cast<size_t>(module.m_nEntryCount);
    return {document.Data() + module.m_nBaseOffset, length};
}

} // namespace

bool TableFileCommands::Ready() {
    // Grayed otherwise; a key may still race the graying.
    if (m_state.CurrentModule() == nullptr || !m_state.document.IsOpen()) return false;
    if (m_state.Fits()) return true;
    m_controls.ShowIncompatible();
    return false;
}

void TableFileCommands::ExportTable() {
    if (!Ready()) return;
    const CTableModule& module = *m_state.CurrentModule();
    CFileDialog dialog(FALSE, "csv", (module.m_strName + ".csv").c_str(), OFN_OVERWRITEPROMPT,
                       kCsvFileFilter);
    if (dialog.DoModal() != IDOK) return;
    std::string csv;
    (void)TableExport::Write(module, TableBytes(module, m_state.document), [&csv](std::string_view block) {
        csv += block;
        return true;
    });
    // A full disk leaves the old file, not half a table.
    if (const auto failed = AtomicFileWriter::Replace(dialog.GetPathName(), csv, std::nullopt))
        m_controls.Message(
                CannotText(FileAction::Write, dialog.GetPathName(), CFile::ErrorText(failed->error)),
                MB_OK | MB_ICONEXCLAMATION, kExportTableCaption);
}

void TableFileCommands::ImportTable() {
    if (!Ready()) return;
    CFileDialog dialog(TRUE, "csv", nullptr, OFN_FILEMUSTEXIST, kCsvFileFilter);
    if (dialog.DoModal() != IDOK) return;
    FileContents csv;
    if (const int error = csv.Read(dialog.GetPathName()); error != 0) {
        m_controls.Message(CannotText(FileAction::Read, dialog.GetPathName(), CFile::ErrorText(error)),
                           MB_OK | MB_ICONEXCLAMATION, kImportTableCaption);
        return;
    }
    const CTableModule& module = *m_state.CurrentModule();
    const TableImport::Outcome imported =
            TableImport::Read(module, TableBytes(module, m_state.document), csv.Text(), InputRules::Strict);
    if (!imported) {
        m_controls.Message(imported.Error().Text(), MB_OK | MB_ICONEXCLAMATION, kImportTableCaption);
        return;
    }
    if (!imported.Value().empty()) m_state.ApplyEntries(imported.Value());
}
