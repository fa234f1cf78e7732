#include "PatchCommand.h"

#include <cstdint>
#include <filesystem>
#include <new>
#include <span>
#include <string_view>

#include "InterruptedSave.h"
#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CFile.h"
#include "platform/files/MappedFile.h"
#include "res/StringTable.h"

namespace {

int Refuse(std::ostream& err, const std::string& problem) {
    err << problem << '\n';
    return 1;
}

// Either name may be a link, or the same file by another path.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

std::optional<std::string> Read(MappedFile& file, const std::string& path) {
    if (const int error = file.Map(path); error != 0)
        return CannotText(FileAction::Read, path, CFile::ErrorText(error));
    file.OnCutShort(QlmInputCutShortText(path));
    return std::nullopt;
}

std::string WriteFailure(const AtomicFileWriter::Failure& failure) {
    return CannotText(FileAction::Write, failure.path, CFile::ErrorText(failure.error));
}

} // namespace

int PatchCommand::Create(const std::vector<std::string>& operands, PatchFormat format, std::ostream& err) {
    const std::string& originalPath = operands.at(0);
    const std::string& modifiedPath = operands.at(1);
    const std::string& patchPath = operands.at(2);
    for (const std::string* input : {&originalPath, &modifiedPath})
        if (SameFile(patchPath, *input))
            return Refuse(err, QlmPatchSameFileText(patchPath, *input, "the patch"));
    for (const std::string* input : {&originalPath, &modifiedPath})
        if (!InterruptedSave::UndoBefore(*input, err)) return 1;
    MappedFile original;
    MappedFile modified;
    if (auto failed = Read(original, originalPath)) return Refuse(err, *failed);
    if (auto failed = Read(modified, modifiedPath)) return Refuse(err, *failed);

    std::optional<PatchFailure> refused;
    const auto written = AtomicFileWriter::ReplaceStreamed(
            patchPath,
            [&](const AtomicFileWriter::Sink& sink) {
                const auto made = Patch::Write(format, original.Bytes(), modified.Bytes(), sink);
                if (!made) refused = made.Error();
                return made.Ok();
            },
            std::nullopt);
    // The file's own failure says more than the writer's "not written".
    if (refused && refused->kind != PatchFailure::Kind::NotWritten) return Refuse(err, refused->Text());
    if (written) return Refuse(err, WriteFailure(*written));
    return 0;
}

int PatchCommand::Apply(const std::vector<std::string>& operands, std::ostream& err) {
    const std::string& patchPath = operands.at(0);
    const std::string& originalPath = operands.at(1);
    const std::string& outputPath = operands.at(2);
    if (SameFile(outputPath, originalPath))
        return Refuse(err, QlmPatchSameFileText(outputPath, originalPath, "the patched file"));
    if (SameFile(outputPath, patchPath))
        return Refuse(err, QlmPatchSameFileText(outputPath, patchPath, "the patched file"));
    // The output too: replacing it would leave its rollback file to a
    // file it was never written for.
    for (const std::string* rom : {&originalPath, &outputPath})
        if (!InterruptedSave::UndoBefore(*rom, err)) return 1;
    MappedFile patch;
    MappedFile original;
    if (auto failed = Read(patch, patchPath)) return Refuse(err, *failed);
    if (auto failed = Read(original, originalPath)) return Refuse(err, *failed);
    std::optional<PatchFailure> refused;
    try {
        const auto written = AtomicFileWriter::ReplaceReadingBack(
                outputPath,
                [&](const AtomicFileWriter::GatherSink& sink, const AtomicFileWriter::ReadBack& readBack) {
                    const auto made = Patch::Apply(patch.Bytes(), original.Bytes(), sink, readBack);
                    if (!made) refused = made.Error();
                    return made.Ok();
                },
                std::nullopt);
        if (refused && refused->kind != PatchFailure::Kind::NotWritten) return Refuse(err, refused->Text());
        if (written) return Refuse(err, WriteFailure(*written));
    } catch (const std::bad_alloc&) {
        // An IPS patch is made whole in memory first.
        return Refuse(err, kPatchOutOfMemory);
    }
    return 0;
}
