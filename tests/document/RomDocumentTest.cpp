#include "document/RomDocument.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#if defined(__SANITIZE_ADDRESS__)
#define QUILL_HEAP_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILL_HEAP_ASAN 1
#endif
#endif
#ifdef QUILL_HEAP_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include "ModuleWriter.h"
#include "RomDocumentProbe.h"
#include "TempDir.h"
#include "module/LoadModuleFile.h"
#include "platform/files/CFile.h"
#include "table/CTableModule.h"

namespace {

std::unique_ptr<CTableModule> LoadModule(const TempDir& dir, const std::string& count,
                                         const std::string& length) {
    ModuleFileResult loaded = LoadModuleFile(ModuleWriter(dir).Write(
            "t.qlm", ModuleWriter::Header(count, length) + ModuleWriter::Element("0", "1", "----")));
    if (!loaded) return nullptr;
    return std::move(loaded).Value();
}

// Entry `entry`'s first byte set to `value` through StoreEntry, as Apply does.
bool Apply(RomDocument& document, CTableModule& module, int entry, uint8_t value) {
    if (!module.SelectEntry(entry, document.Data(), document.Length())) return false;
    module.SetElementData(0, &value);
    return document.ApplyEntry(module);
}

// Another program writes a byte in place and puts the modification time
// back: to a size and time check the file looks untouched.
void WriteBehindKeepingIdentity(const std::string& path, off_t at, char value) {
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    const int fd = open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, &value, 1, at), 1);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(futimens(fd, times), 0);
    close(fd);
}

TEST(RomDocumentSave, WritesOnlyTheBytesChangedSinceTheLastSave) {
    TempDir dir;
    const std::string path = dir.Write("game.rom", std::string(64, '\x11'));
    auto module = LoadModule(dir, "4", "8"); // entries at 0x10, 0x18, ...
    ASSERT_NE(module, nullptr);
    RomDocument document;
    ASSERT_TRUE(document.Open(path, "game.rom"));
    ASSERT_TRUE(Apply(document, *module, 1, 0xAB));
    ASSERT_TRUE(Apply(document, *module, 2, 0xCD));
    ASSERT_TRUE(document.Undo());

    WriteBehindKeepingIdentity(path, 0x00, 'a');
    WriteBehindKeepingIdentity(path, 0x19, 'b'); // inside entry 1, not its element
    WriteBehindKeepingIdentity(path, 0x20, 'c'); // entry 2's element, changed and undone
    RomDocument::SaveResult saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
    ASSERT_TRUE(saved) << saved.Error();
    EXPECT_EQ(saved.Value(), RomDocument::SaveOutcome::Saved);
    std::string expected(64, '\x11');
    expected[0x00] = 'a';
    expected[0x18] = '\xAB';
    expected[0x19] = 'b';
    expected[0x20] = '\x11'; // undone: the image's byte goes back out
    EXPECT_EQ(TempDir::ReadFile(path), expected);
    EXPECT_FALSE(document.IsModified());

    // Nothing changed since: a second save writes nothing.
    WriteBehindKeepingIdentity(path, 0x18, 'd');
    ASSERT_TRUE(document.Save(RomDocument::SaveMode::KeepChangedFile));
    EXPECT_EQ(TempDir::ReadFile(path)[0x18], 'd');
}

TEST(RomDocumentSave, AFileChangedBehindTheDocumentIsLeftAloneUntilOverwriteIsAsked) {
    TempDir dir;
    const std::string path = dir.Write("game.rom", std::string(64, '\x11'));
    auto module = LoadModule(dir, "4", "8");
    ASSERT_NE(module, nullptr);
    RomDocument document;
    ASSERT_TRUE(document.Open(path, "game.rom"));
    ASSERT_TRUE(Apply(document, *module, 0, 0xAB));
    TempDir::WriteFile(path, std::string(40, 'z'));

    const RomDocument::SaveResult kept = document.Save(RomDocument::SaveMode::KeepChangedFile);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept.Value(), RomDocument::SaveOutcome::ChangedOnDisk);
    EXPECT_EQ(TempDir::ReadFile(path), std::string(40, 'z'));
    EXPECT_TRUE(document.IsModified());

    ASSERT_TRUE(document.Save(RomDocument::SaveMode::Overwrite));
    std::string expected(40, '\x11');
    expected[0x10] = '\xAB';
    EXPECT_EQ(TempDir::ReadFile(path), expected); // never lengthened
    EXPECT_FALSE(document.IsModified());
    // Known again from here on, and still never lengthened: entry 3 lies
    // past the shortened file's end.
    ASSERT_TRUE(Apply(document, *module, 3, 0xCD));
    EXPECT_EQ(document.Save(RomDocument::SaveMode::KeepChangedFile).Value(), RomDocument::SaveOutcome::Saved);
    EXPECT_EQ(TempDir::ReadFile(path), expected);
}

TEST(RomDocumentJournal, KeepsAtMost64MiBAndDropsTheOldestStepsFirst) {
    // Entries of 8 MiB less 4 KiB: a step holds their bytes twice and its
    // bookkeeping, so four fit and a fifth does not.
    TempDir dir;
    auto module = LoadModule(dir, "6", "0x7FF000");
    ASSERT_NE(module, nullptr);
    RomDocument document;
    document.Adopt(std::vector<uint8_t>(0x10 + 6 * 0x7FF000, 0), "big.rom");
    for (int entry = 0; entry < 5; ++entry)
        ASSERT_TRUE(Apply(document, *module, entry, static_cast<uint8_t>(entry + 1)));
    EXPECT_EQ(RomDocumentProbe(document).JournalSteps(), 4u);
    EXPECT_LE(RomDocumentProbe(document).JournalBytes(), RomDocument::kJournalLimit);

    for (int entry = 4; entry >= 1; --entry)
        EXPECT_EQ(document.Undo(), entry);
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.Undo(), std::nullopt);
    EXPECT_EQ(document.Data()[0x10], 1); // the dropped step stays applied
    EXPECT_EQ(document.Data()[0x10 + 0x7FF000], 0);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.Redo(), 1);
}

// What the heap holds now, as the sanitizer's allocator or glibc's counts it.
size_t HeapInUse() {
#ifdef QUILL_HEAP_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

TEST(RomDocumentJournal, ItsBoundHoldsForOneByteEntriesBookkeepingIncluded) {
    // Every other entry of 1 byte, so no two changed entries touch.
    constexpr int kEntries = 32768;
    constexpr size_t kLimit = size_t{1} << 20;
    TempDir dir;
    auto module = LoadModule(dir, std::to_string(kEntries), "1");
    ASSERT_NE(module, nullptr);
    RomDocument document(kLimit);
    document.Adopt(std::vector<uint8_t>(0x10 + kEntries, 0), "small.rom");
    const size_t before = HeapInUse();
    for (int step = 1; step <= 12; ++step) {
        ImportedEntries entries(1);
        entries.Reserve(kEntries / 2);
        const auto value = static_cast<uint8_t>(step);
        for (int entry = 0; entry < kEntries; entry += 2)
            entries.Add(entry, {&value, 1});
        ASSERT_TRUE(document.ApplyEntries(*module, entries, 0));
    }
    EXPECT_LT(HeapInUse() - before, kLimit + (size_t{64} << 10));
    EXPECT_EQ(document.Undo(), 0);
    EXPECT_EQ(document.Data()[0x10], 11);
    EXPECT_EQ(document.Data()[0x11], 0);
}

// Entries of `length` bytes each, in the order given.
ImportedEntries Entries(uint32_t length, std::initializer_list<std::pair<int, std::vector<uint8_t>>> list) {
    ImportedEntries entries(length);
    for (const auto& [entry, bytes] : list)
        entries.Add(entry, bytes);
    return entries;
}

TEST(RomDocumentJournal, ManyEntriesAreOneStepThatUndoesAndRedoesWhole) {
    TempDir dir;
    auto module = LoadModule(dir, "4", "2"); // entries at 0x10, 0x12, ...
    ASSERT_NE(module, nullptr);
    RomDocument document;
    document.Adopt(std::vector<uint8_t>(0x18, 0), "t.rom");
    ASSERT_TRUE(Apply(document, *module, 0, 0x11));
    std::vector<std::pair<uint32_t, uint32_t>> notices;
    const Subscription listening = document.Subscribe(
            [&](uint32_t offset, uint32_t length) { notices.emplace_back(offset, length); });

    // Out of order on purpose; the step keeps them in file order.
    const ImportedEntries entries = Entries(2, {{3, {0xA3, 0xB3}}, {1, {0xA1, 0xB1}}});
    ASSERT_TRUE(document.ApplyEntries(*module, entries, 2));
    EXPECT_EQ(RomDocumentProbe(document).JournalSteps(), 2u);
    EXPECT_EQ(notices, (std::vector<std::pair<uint32_t, uint32_t>>{{0x12, 6}}));
    const std::vector<uint8_t> after(document.Data(), document.Data() + 0x18);
    EXPECT_EQ(after[0x12], 0xA1);
    EXPECT_EQ(after[0x17], 0xB3);

    EXPECT_EQ(document.Undo(), 2); // the entry the form showed
    EXPECT_EQ(std::vector<uint8_t>(document.Data() + 0x12, document.Data() + 0x18),
              std::vector<uint8_t>(6, 0));
    EXPECT_EQ(document.Data()[0x10], 0x11); // the step before is untouched
    EXPECT_EQ(document.Redo(), 2);
    EXPECT_EQ(std::vector<uint8_t>(document.Data(), document.Data() + 0x18), after);

    // A refused group changes nothing and records nothing.
    EXPECT_FALSE(document.ApplyEntries(*module, Entries(2, {{0, {1, 2}}, {4, {1, 2}}}), 0));
    EXPECT_FALSE(document.ApplyEntries(*module, Entries(1, {{0, {1}}}), 0));
    EXPECT_EQ(document.Data()[0x10], 0x11);
    EXPECT_EQ(RomDocumentProbe(document).JournalSteps(), 2u);
}

TEST(RomDocumentSave, AGroupStepSavesOnlyTheBytesThatDiffer) {
    TempDir dir;
    const std::string path = dir.Write("game.rom", std::string(0x18, '\0'));
    auto module = LoadModule(dir, "4", "2");
    ASSERT_NE(module, nullptr);
    RomDocument document;
    ASSERT_TRUE(document.Open(path, "game.rom"));
    ASSERT_TRUE(document.ApplyEntries(*module, Entries(2, {{0, {0, 0}}, {2, {0, 7}}}), 0));
    WriteBehindKeepingIdentity(path, 0x10, 'a'); // in an entry whose bytes stayed
    ASSERT_TRUE(document.Save(RomDocument::SaveMode::KeepChangedFile));
    std::string expected(0x18, '\0');
    expected[0x10] = 'a';
    expected[0x15] = 7;
    std::string onDisk;
    ASSERT_EQ(CFile::ReadWhole(path, onDisk), 0);
    EXPECT_EQ(expected, onDisk);
}

} // namespace
