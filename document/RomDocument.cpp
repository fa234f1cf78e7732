#include "document/RomDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "document/ByteRuns.h"
#include "document/RecoveryJournal.h"
#include "document/RollbackFile.h"
#include "document/RomFile.h"
#include "platform/files/CPath.h"
#include "table/CTableModule.h"

namespace {

constexpr char kNotRegularReason[] = "not a regular file";

bool ByEntry(const ImportedEntry& a, const ImportedEntry& b) {
    return a.entry < b.entry;
}

} // namespace

FileResult RomDocument::Open(const std::string& path, const std::string& name) {
    bool undid = false;
    CFile file;
    // Read under the lock, so a qlm writing the file is waited for; one
    // that died meanwhile left its rollback file, which goes first. Where
    // the file system has no locks, the file is read all the same.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const RollbackFile::Undone undone = RollbackFile::RollBackBeside(path);
        if (!undone) return FileResult::Failure(undone.Error());
        undid = undid || undone.Value();
        if (!file.Open(path, CFile::modeRead)) return FileFailure(FileAction::Open, path, file);
        (void)file.LockExclusive();
        if (!RollbackFile::Present(path)) break;
        file.Close();
    }
    if (!file.IsOpen()) return FileFailure(FileAction::Open, path, std::strerror(EAGAIN));
    const std::optional<CFile::Identity> identity = file.GetIdentity();
    if (!identity) return FileFailure(FileAction::Read, path, file);
    if (!identity->regular) return FileFailure(FileAction::Open, path, kNotRegularReason);
    if (identity->size > RomFile::kMaxLength) return FileFailure(FileAction::Open, path, kRomTooLargeReason);

    const auto size = static_cast<size_t>(identity->size);
    std::unique_ptr<uint8_t[]> image;
    try {
        // Uninitialised on purpose: the read fills every byte, and zeroing a
        // large image first would touch it twice.
        image = std::make_unique_for_overwrite<uint8_t[]>(size == 0 ? 1 : size);
    } catch (const std::bad_alloc&) {
        return FileFailure(FileAction::Read, path, std::strerror(ENOMEM));
    }
    const size_t got = file.Read(image.get(), size);
    if (file.ReadFailed()) return FileFailure(FileAction::Read, path, file);
    if (got != size) return FileFailure(FileAction::Read, path, kRomShrankReason);

    Close();
    m_path = path;
    m_name = name;
    m_folder = CPath::FolderOf(path);
    m_image = std::move(image);
    m_length = static_cast<uint32_t>(size);
    m_identity = identity;
    m_open = true;
    m_undidInterruptedSave = undid;
    return FileResult::Success();
}

void RomDocument::Adopt(const std::vector<uint8_t>& image, const std::string& name, bool modified) {
    Close();
    m_name = name;
    m_length = static_cast<uint32_t>(image.size());
    m_image = std::make_unique<uint8_t[]>(image.empty() ? 1 : image.size());
    std::copy(image.begin(), image.end(), m_image.get());
    m_open = true;
    if (modified) m_savedPosition.reset();
}

void RomDocument::Close() {
    m_path.clear();
    m_name.clear();
    m_folder.clear();
    m_image.reset();
    m_length = 0;
    m_open = false;
    m_identity.reset();
    m_steps.clear();
    m_journalBytes = 0;
    m_first = m_position = 0;
    m_savedPosition = 0;
    m_dirty.clear();
    m_file.Close();
    m_rangeOffset = m_fileLength = 0;
}

bool RomDocument::EntryOffset(const CTableModule& module, int entry, uint32_t& offset) const {
    if (!m_open || entry < 0 || entry >= module.m_nEntryCount || !module.FitsIn(m_length)) return false;
    offset = static_cast<uint32_t>(module.m_nBaseOffset +
                                   uint64_t{module.m_nEntryLength} * static_cast<uint64_t>(entry));
    return true;
}

void RomDocument::Step::Seal() {
    pieces.shrink_to_fit();
    bytes.shrink_to_fit();
    cost = sizeof(Step) + pieces.capacity() * sizeof(Piece) + bytes.capacity();
}

bool RomDocument::RecordEntry(int entry, uint32_t offset, std::vector<uint8_t> before, uint32_t length) {
    const uint8_t* at = m_image.get() + offset;
    Step step{entry, {{offset, length, 0}}, std::move(before), 0};
    step.bytes.insert(step.bytes.end(), at, at + length);
    // ApplyPiece marks what differs from the bytes as they were; a step the
    // journal refuses leaves them so.
    std::copy_n(step.bytes.begin(), length, m_image.get() + offset);
    if (!Journal(step, RecoveryRecord::Kind::Step)) return false;
    step.Seal();
    ApplyPiece(step, step.pieces.front());
    Record(std::move(step));
    Notify(offset, length);
    return true;
}

bool RomDocument::Journal(const Step& step, RecoveryRecord::Kind kind) {
    if (m_recovery == nullptr) return true;
    const RecoveryStepView view{kind, step.entry, step.pieces, step.bytes,
                                kind == RecoveryRecord::Kind::Undo};
    FileResult kept = m_recovery->Append(view);
    if (!kept) m_refusal = kept.Error();
    return kept.Ok();
}

void RomDocument::Replay(const std::vector<RecoveryRecord>& steps) {
    if (!m_open) return;
    for (const RecoveryRecord& record : steps) {
        Step step{record.entry, record.pieces, record.bytes, 0};
        if (step.pieces.empty() || step.pieces.back().offset + uint64_t{step.pieces.back().length} > m_length)
            continue;
        step.Seal();
        Take(std::move(step));
    }
}

void RomDocument::Take(Step step) {
    for (const Piece& piece : step.pieces)
        ApplyPiece(step, piece);
    const uint32_t begin = step.pieces.front().offset;
    const uint32_t end = step.pieces.back().offset + step.pieces.back().length;
    Record(std::move(step));
    // One notice for the whole span: a listener redraws once, not per entry.
    Notify(begin, end - begin);
}

bool RomDocument::ApplyEntry(const CTableModule& module) {
    uint32_t offset = 0;
    if (!EntryOffset(module, module.m_nCurEntry, offset)) return false;
    const uint32_t length = module.m_nEntryLength;
    uint8_t* entry = m_image.get() + offset;
    std::vector<uint8_t> before(entry, entry + length);
    (void)EntryStore::StoreElements(module, {entry, length});
    return RecordEntry(module.m_nCurEntry, offset, std::move(before), length);
}

RomDocument::Applied RomDocument::ApplyValue(const CTableModule& module, int entry, int element,
                                             std::span<const uint8_t> value) {
    uint32_t offset = 0;
    if (!EntryOffset(module, entry, offset)) return {};
    const uint32_t length = module.m_nEntryLength;
    uint8_t* at = m_image.get() + offset;
    std::vector<uint8_t> before(at, at + length);
    const Applied applied = EntryStore::StoreValue(module, element, value, {at, length});
    if (applied.kind == Applied::Kind::Stored && !RecordEntry(entry, offset, std::move(before), length))
        return {};
    return applied;
}

bool RomDocument::ApplyEntries(const CTableModule& module, const ImportedEntries& entries, int shownEntry) {
    if (!m_open || !module.FitsIn(m_length)) return false;
    const uint32_t length = module.m_nEntryLength;
    if (entries.EntryLength() != length) return false;
    for (const ImportedEntry e : entries)
        if (e.entry < 0 || e.entry >= module.m_nEntryCount) return false;
    if (entries.empty()) return true;
    // In file order, so that entries side by side become one piece and the
    // dirty ranges grow at their end instead of being inserted into the
    // middle a hundred thousand times.
    std::vector<ImportedEntry> order;
    order.reserve(entries.size());
    for (const ImportedEntry e : entries)
        order.push_back(e);
    if (!std::is_sorted(order.begin(), order.end(), ByEntry)) std::sort(order.begin(), order.end(), ByEntry);
    Step step{shownEntry, {}, {}, 0};
    step.bytes.reserve(2 * size_t{length} * order.size());
    for (size_t first = 0; first < order.size();) {
        size_t last = first + 1;
        while (last < order.size() && order[last].entry == order[last - 1].entry + 1)
            ++last;
        const auto offset = static_cast<uint32_t>(
                module.m_nBaseOffset + uint64_t{length} * static_cast<uint64_t>(order[first].entry));
        const auto runLength = static_cast<uint32_t>(length * (last - first));
        step.pieces.push_back({offset, runLength, step.bytes.size()});
        const uint8_t* at = m_image.get() + offset;
        step.bytes.insert(step.bytes.end(), at, at + runLength);
        for (size_t i = first; i < last; ++i)
            step.bytes.insert(step.bytes.end(), order[i].bytes.begin(), order[i].bytes.end());
        first = last;
    }
    if (!Journal(step, RecoveryRecord::Kind::Step)) return false;
    step.Seal();
    Take(std::move(step));
    return true;
}

void RomDocument::ApplyPiece(const Step& step, const Piece& piece) {
    // Only the bytes that differ need to reach the file.
    const std::span<const uint8_t> before = step.Before(piece);
    const std::span<const uint8_t> after = step.After(piece);
    const auto firstDiff = std::mismatch(before.begin(), before.end(), after.begin()).first;
    std::copy(after.begin(), after.end(), m_image.get() + piece.offset);
    if (firstDiff == before.end()) return;
    const auto lastDiff = std::mismatch(before.rbegin(), before.rend(), after.rbegin()).first.base();
    const auto begin = static_cast<uint32_t>(firstDiff - before.begin());
    const auto end = static_cast<uint32_t>(lastDiff - before.begin());
    MarkDirty(piece.offset + begin, end - begin);
}

void RomDocument::Record(Step step) {
    // A new change after undo ends the redo branch; a save on it is gone.
    while (CanRedo()) {
        m_journalBytes -= m_steps.back().cost;
        m_steps.pop_back();
    }
    if (m_savedPosition && *m_savedPosition > m_position) m_savedPosition.reset();
    ++m_position;
    const size_t cost = step.cost;
    if (cost > m_journalLimit) {
        // Too large to keep: nothing before it can be undone either, since
        // undoing those would skip this change.
        m_steps.clear();
        m_journalBytes = 0;
        m_first = m_position;
        return;
    }
    m_steps.push_back(std::move(step));
    m_journalBytes += cost;
    while (m_journalBytes > m_journalLimit) {
        m_journalBytes -= m_steps.front().cost;
        m_steps.pop_front();
        ++m_first;
    }
}

std::optional<int> RomDocument::Undo() {
    if (!CanUndo()) return std::nullopt;
    const Step& step = m_steps[static_cast<size_t>(m_position - m_first - 1)];
    if (!Journal(step, RecoveryRecord::Kind::Undo)) return std::nullopt;
    --m_position;
    Restore(step, false);
    return step.entry;
}

std::optional<int> RomDocument::Redo() {
    if (!CanRedo()) return std::nullopt;
    const Step& step = m_steps[static_cast<size_t>(m_position - m_first)];
    if (!Journal(step, RecoveryRecord::Kind::Redo)) return std::nullopt;
    ++m_position;
    Restore(step, true);
    return step.entry;
}

void RomDocument::Restore(const Step& step, bool after) {
    for (const Piece& piece : step.pieces) {
        const std::span<const uint8_t> bytes = after ? step.After(piece) : step.Before(piece);
        std::copy(bytes.begin(), bytes.end(), m_image.get() + piece.offset);
        MarkDirty(piece.offset, piece.length);
    }
    const uint32_t begin = step.pieces.front().offset;
    const Piece& last = step.pieces.back();
    Notify(begin, last.offset + last.length - begin);
}

void RomDocument::MarkDirty(uint32_t offset, uint32_t length) {
    if (length == 0) return;
    uint32_t begin = offset;
    uint32_t end = offset + length;
    // Ranges that touch or overlap the new one merge into it.
    auto first = std::lower_bound(m_dirty.begin(), m_dirty.end(), begin,
                                  [](const auto& range, uint32_t at) { return range.second < at; });
    // Undo and redo mark what is marked already, range by range.
    if (first != m_dirty.end() && first->first <= begin && end <= first->second) return;
    auto last = first;
    while (last != m_dirty.end() && last->first <= end) {
        begin = std::min(begin, last->first);
        end = std::max(end, last->second);
        ++last;
    }
    first = m_dirty.erase(first, last);
    m_dirty.insert(first, {begin, end});
}

void RomDocument::Notify(uint32_t offset, uint32_t length) {
    m_listeners.Notify(offset, length);
}

RomDocument::SaveResult RomDocument::Save(SaveMode mode, InPlace inPlace) {
    if (!m_open || m_path.empty())
        return SaveResult::Failure(CannotText(FileAction::Save, kNoRomPath, kNoRomOpenReason));
    // Never created: a path that names nothing any more is a failed save.
    CFile file;
    if (!file.Open(m_path, CFile::modeReadWrite))
        return SaveResult::Failure(FileFailure(FileAction::Open, m_path, file).Error());
    // qlm's lock: its write and this check for a changed file cannot
    // interleave.
    if (!file.LockExclusive())
        return SaveResult::Failure(FileFailure(FileAction::Write, m_path, file).Error());
    // Another save cut short since open is undone before the file is compared.
    if (const RollbackFile::Undone undone = RollbackFile::RollBack(file, m_path); !undone)
        return SaveResult::Failure(undone.Error());
    const std::optional<CFile::Identity> identity = file.GetIdentity();
    if (!identity) return SaveResult::Failure(FileFailure(FileAction::Write, m_path, file).Error());
    if (!identity->regular)
        return SaveResult::Failure(CannotText(FileAction::Open, m_path, kNotRegularReason));
    const bool unchanged = m_identity && *identity == *m_identity;
    if (!unchanged && mode == SaveMode::KeepChangedFile) return SaveOutcome::ChangedOnDisk;

    const Result<Ranges, std::string> ranges = unchanged ? WriteChanged(identity->size) : WriteWhole(file);
    if (!ranges) return SaveResult::Failure(ranges.Error());
    const RollbackFile::WriteResult written = RollbackFile::Write(
            file, m_path, ranges.Value(), {m_image.get(), 0}, inPlace == InPlace::UnsafeAllowed);
    if (!written && written.Error().folderNotWritable) return SaveOutcome::FolderNotWritable;
    // A failure that put the old bytes back also put back their time, so
    // the next save still knows the file.
    if (!written) return SaveResult::Failure(written.Error().text);
    // The file as this save left it, so the next save knows it again.
    m_identity = file.GetIdentity();
    if (!file.Close()) return SaveResult::Failure(FileFailure(FileAction::Write, m_path, file).Error());
    m_dirty.clear();
    m_savedPosition = m_position;
    return SaveOutcome::Saved;
}

RomDocument::Ranges RomDocument::WriteChanged(uint64_t fileLength) const {
    // A file an earlier whole save found shorter than the image stays that
    // short: what lies past its end is never written.
    Ranges ranges;
    ranges.reserve(m_dirty.size());
    for (const auto& [begin, rangeEnd] : m_dirty) {
        const auto end = static_cast<uint32_t>(std::min<uint64_t>(rangeEnd, fileLength));
        if (begin < end) ranges.emplace_back(begin, end);
    }
    return ranges;
}

Result<RomDocument::Ranges, std::string> RomDocument::WriteWhole(CFile& file) const {
    using Found = Result<Ranges, std::string>;
    // The length rule of a whole save: a file someone shortened is not
    // lengthened again, one they lengthened keeps its tail.
    const uint64_t present = file.GetLength();
    if (file.LastErrno() != 0) return Found::Failure(FileFailure(FileAction::Read, m_path, file).Error());
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(present, m_length));
    // Only what differs is written, so only that needs its old bytes kept.
    // Differences closer than kJoin are one range: fewer, larger writes.
    constexpr uint32_t kChunk = 1u << 20;
    constexpr uint32_t kJoin = 64;
    Ranges ranges;
    std::vector<uint8_t> chunk(std::min(count, kChunk));
    for (uint32_t at = 0; at < count;) {
        const uint32_t n = std::min(count - at, kChunk);
        if (file.ReadAt(at, chunk.data(), n) != n)
            return Found::Failure(FileFailure(FileAction::Read, m_path,
                                              file.ReadFailed() ? file.LastErrorText() : kRomShrankReason)
                                          .Error());
        const std::span<const uint8_t> disk(chunk.data(), n);
        const std::span<const uint8_t> image(m_image.get() + at, n);
        for (size_t i = ByteRuns::FirstDifference(disk, image, 0, n); i < n;) {
            size_t end = i;
            while (end < n && disk[end] != image[end])
                ++end;
            const auto begin = static_cast<uint32_t>(at + i);
            if (!ranges.empty() && ranges.back().second + kJoin >= begin)
                ranges.back().second = static_cast<uint32_t>(at + end);
            else
                ranges.emplace_back(begin, static_cast<uint32_t>(at + end));
            i = ByteRuns::FirstDifference(disk, image, end, n);
        }
        at += n;
    }
    return ranges;
}

FileResult RomDocument::OpenLocked(const std::string& path) {
    Close();
    m_writeErrno = 0;
    m_undidInterruptedSave = false;
    if (!m_file.Open(path, CFile::modeReadWrite)) {
        // A file that may be read but not written still gets every check of
        // its values; only the write is refused, as it always was.
        m_writeErrno = m_file.LastErrno();
        if ((m_writeErrno != EACCES && m_writeErrno != EROFS) || !m_file.Open(path, CFile::modeRead))
            return FileFailure(FileAction::Open, path, m_file);
    }
    // The size is read under the lock: a writer that held it first may have
    // been the last to change the file.
    if (!m_file.LockExclusive()) return FileFailure(FileAction::Open, path, m_file);
    if (m_writeErrno == 0) {
        const RollbackFile::Undone undone = RollbackFile::RollBack(m_file, path);
        if (!undone) return FileResult::Failure(undone.Error());
        m_undidInterruptedSave = undone.Value();
    } else if (RollbackFile::Present(path)) {
        return FileFailure(
                FileAction::Open, path,
                RollbackNeedsWriteReason(RollbackFile::PathFor(path), std::strerror(m_writeErrno)));
    }
    const std::optional<CFile::Identity> identity = m_file.GetIdentity();
    if (!identity) return FileFailure(FileAction::Read, path, m_file);
    if (!identity->regular) return FileFailure(FileAction::Open, path, kNotRegularReason);
    if (identity->size > RomFile::kMaxLength) return FileFailure(FileAction::Open, path, kRomTooLargeReason);
    m_path = path;
    m_fileLength = identity->size;
    return FileResult::Success();
}

FileResult RomDocument::ReadRange(uint64_t offset, uint32_t length) {
    const std::string& path = m_path;
    if (!m_file.IsOpen()) return FileFailure(FileAction::Read, kNoRomPath, kNoRomOpenReason);
    if (offset + length > m_fileLength) return FileFailure(FileAction::Read, path, kRomShrankReason);
    m_image = std::make_unique_for_overwrite<uint8_t[]>(length == 0 ? 1 : length);
    m_length = length;
    m_rangeOffset = offset;
    const size_t got = m_file.ReadAt(offset, m_image.get(), length);
    if (m_file.ReadFailed()) return FileFailure(FileAction::Read, path, m_file);
    if (got != length) return FileFailure(FileAction::Read, path, kRomShrankReason);
    m_open = true;
    return FileResult::Success();
}

FileResult RomDocument::WriteRanges(const std::vector<std::pair<uint32_t, uint32_t>>& ranges,
                                    InPlace inPlace) {
    if (m_writeErrno != 0) return FileFailure(FileAction::Open, m_path, std::strerror(m_writeErrno));
    Ranges inFile;
    inFile.reserve(ranges.size());
    for (const auto& [begin, end] : ranges) {
        if (end > m_length || begin > end ||
            (!inFile.empty() && m_rangeOffset + begin < inFile.back().second))
            return FileFailure(FileAction::Write, m_path, std::strerror(EINVAL));
        // Inside a file of at most RomFile::kMaxLength bytes.
        if (begin < end)
            inFile.emplace_back(static_cast<uint32_t>(m_rangeOffset + begin),
                                static_cast<uint32_t>(m_rangeOffset + end));
    }
    const RollbackFile::WriteResult written = RollbackFile::Write(
            m_file, m_path, inFile, {m_image.get(), m_rangeOffset}, inPlace == InPlace::UnsafeAllowed);
    if (!written && written.Error().folderNotWritable)
        return FileResult::Failure(QlmNoRollbackText(m_path, written.Error().text));
    if (!written) return FileResult::Failure(written.Error().text);
    return FileResult::Success();
}
