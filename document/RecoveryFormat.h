#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One changed range of the image inside a step's byte buffer: its bytes
// before, then after, at `at`.
struct RecoveryPiece {
    uint32_t offset;
    uint32_t length;
    size_t at;
};

// One step as the recovery journal keeps it: what it changed, with the bytes
// before and after, so that replaying the records in order rebuilds the
// image the editor held.
struct RecoveryRecord {
    enum class Kind : uint8_t {
        Step = 1,
        Undo = 2,
        Redo = 3,
    };
    Kind kind = Kind::Step;
    // The entry Undo and Redo of the step show.
    int32_t entry = 0;
    std::vector<RecoveryPiece> pieces;
    std::vector<uint8_t> bytes;

    std::span<const uint8_t> Before(const RecoveryPiece& p) const { return {bytes.data() + p.at, p.length}; }
    std::span<const uint8_t> After(const RecoveryPiece& p) const {
        return {bytes.data() + p.at + p.length, p.length};
    }
};

// What a step looks like to the writer, without copying its bytes: an undo
// hands its step's pieces with `reversed` set, its before being the step's after.
struct RecoveryStepView {
    RecoveryRecord::Kind kind;
    int32_t entry;
    std::span<const RecoveryPiece> pieces;
    std::span<const uint8_t> bytes;
    bool reversed = false;
};

// The journal file's bytes: a header naming the ROM as it was before the
// first step, then one record per step, each with its own CRC32, so a record
// torn by a crash is known and everything before it still counts.
class RecoveryFormat {
public:
    struct Header {
        std::string romPath;
        uint64_t romSize = 0;
        int64_t romMtimeNs = 0;
        // CRC32 of the bytes the first step changed, as they were before it.
        uint32_t firstCrc = 0;
    };
    struct Contents {
        Header header;
        std::vector<RecoveryRecord> records;
        // Where the last whole record ends: a writer that goes on appends here.
        uint64_t validEnd = 0;
        // Bytes after validEnd that make no whole record.
        bool torn = false;
    };
    // Pulls up to n bytes into the buffer; fewer only at the end.
    using Source = std::function<size_t(uint8_t* buffer, size_t n)>;

    static constexpr size_t kMaxPathLength = 4096;

    static std::vector<uint8_t> EncodeHeader(const Header& header);
    // Appends the record to `out`.
    static void EncodeRecord(const RecoveryStepView& step, std::vector<uint8_t>& out);
    // CRC32 of what the pieces held before the step.
    static uint32_t BeforeCrc(const RecoveryStepView& step);
    static uint32_t CrcOfRanges(std::span<const uint8_t> image, const RecoveryRecord& record);

    // nullopt for a file whose header is missing, torn or damaged. Records
    // are checked against the ROM's length: no length in the file is
    // trusted beyond it or beyond the `size` bytes the file holds.
    static std::optional<Contents> Parse(const Source& source, uint64_t size, uint64_t romLength);

    // The steps still applied at the end of the records, oldest first: an
    // undo record that takes back the step before it removes that step, a
    // redo record that brings back the step undone puts it back, and
    // anything else counts as a step of its own. Applying them in order
    // leaves the image that replaying every record leaves.
    static std::vector<RecoveryRecord> StillApplied(std::vector<RecoveryRecord> records);
};
