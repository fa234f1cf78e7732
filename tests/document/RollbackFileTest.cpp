// Saves in place through the rollback file: killed at any moment, failing
// partway, and meeting leftover rollback files of every kind.
#include "document/RollbackFile.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "FileSizeLimit.h"
#include "ModuleMaker.h"
#include "OddFiles.h"
#include "TempDir.h"
#include "document/ImportedEntries.h"
#include "document/RollbackFormat.h"
#include "document/RomDocument.h"
#include "table/CTableModule.h"

namespace {

constexpr uint32_t kEntryLength = 16;

std::string Pattern(size_t length) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 7 + (i >> 8)) & 0xFF);
    return bytes;
}

// Every `step`th entry of kEntryLength bytes inverted, through the document.
bool ChangeEntries(RomDocument& document, int step) {
    const auto count = static_cast<int32_t>(document.Length() / kEntryLength);
    const auto module = MakeModule(0, count, kEntryLength, NumberElements(1));
    ImportedEntries entries(kEntryLength);
    std::vector<uint8_t> bytes(kEntryLength);
    for (int entry = 0; entry < count; entry += step) {
        const uint8_t* at = document.Data() + kEntryLength * static_cast<uint32_t>(entry);
        for (uint32_t i = 0; i < kEntryLength; ++i)
            bytes[i] = static_cast<uint8_t>(at[i] ^ 0xFF);
        entries.Add(entry, bytes);
    }
    return document.ApplyEntries(*module, entries, 0);
}

std::string Inverted(std::string bytes, int step) {
    for (size_t entry = 0; entry < bytes.size() / kEntryLength; entry += static_cast<size_t>(step))
        for (size_t i = 0; i < kEntryLength; ++i)
            bytes[entry * kEntryLength + i] = static_cast<char>(bytes[entry * kEntryLength + i] ^ 0xFF);
    return bytes;
}

std::string ImageOf(const RomDocument& document) {
    return {reinterpret_cast<const char*>(document.Data()), document.Length()};
}

int64_t MtimeNs(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return -1;
    return int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
}

// The rollback file a save cut short would leave for `old` at `offset`,
// recording `mtimeNs` as the ROM's time before it.
std::string Leftover(const std::string& rom, uint32_t offset, std::string_view old, int64_t mtimeNs) {
    struct stat st {};
    if (stat(rom.c_str(), &st) != 0) return {};
    std::string bytes = RollbackFormat::EncodeHeader(
                                {static_cast<uint64_t>(st.st_size), st.st_dev, st.st_ino, mtimeNs, 1}) +
                        RollbackFormat::EncodeRangeHead(offset, static_cast<uint32_t>(old.size()));
    bytes += old;
    const uint32_t crc =
            RollbackFormat::Crc(0, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return bytes + RollbackFormat::EncodeTrailer(crc);
}

// The helper's save, started; returns its pid once it is about to save.
pid_t StartSave(const std::string& rom) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        execl(SAVE_UNTIL_KILLED, SAVE_UNTIL_KILLED, rom.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char saving = 0;
    const bool started = pid > 0 && read(fds[0], &saving, 1) == 1;
    close(fds[0]);
    return started ? pid : -1;
}

bool Exited(pid_t pid, bool wait) {
    int status = 0;
    return waitpid(pid, &status, wait ? 0 : WNOHANG) == pid;
}

// Until the ROM's first byte differs from `old`: its writes have begun.
void AwaitFirstWrite(pid_t pid, const std::string& rom, char old) {
    const int fd = open(rom.c_str(), O_RDONLY | O_CLOEXEC);
    char now = old;
    while (fd >= 0 && pread(fd, &now, 1, 0) == 1 && now == old && kill(pid, 0) == 0)
        std::this_thread::yield();
    if (fd >= 0) close(fd);
}

TEST(RollbackFile, ASaveKilledAtAnyMomentLeavesAllOldOrAllNewBytes) {
    TempDir dir;
    // 16,384 changed ranges of 16 bytes, spread over 512 KiB.
    const std::string old = Pattern(size_t{1} << 19);
    const std::string saved = Inverted(old, 2);
    const std::string rom = dir / "game.rom";
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    using Clock = std::chrono::steady_clock;
    // One whole save first: how long the others may last before the kill.
    TempDir::WriteFile(rom, old);
    const Clock::time_point start = Clock::now();
    const pid_t whole = StartSave(rom);
    ASSERT_GT(whole, 0);
    ASSERT_TRUE(Exited(whole, true));
    ASSERT_EQ(TempDir::ReadFile(rom), saved);
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);

    int undone = 0;
    for (int round = 0; round < 16; ++round) {
        TempDir::WriteFile(rom, old);
        const pid_t pid = StartSave(rom);
        ASSERT_GT(pid, 0);
        // Half the kills anywhere in the save, rollback file included; half
        // once the ROM's own writes have begun.
        if (round % 2 == 1) AwaitFirstWrite(pid, rom, old[0]);
        const auto span = round % 2 == 1 ? int64_t{20000} : saveTime.count() * 6 / 5;
        std::this_thread::sleep_for(
                std::chrono::microseconds(std::uniform_int_distribution<int64_t>(0, span)(random)));
        kill(pid, SIGKILL);
        ASSERT_TRUE(Exited(pid, true));

        // What the next open finds, once it has undone what it must.
        RomDocument next;
        ASSERT_TRUE(next.Open(rom, "game.rom")) << round;
        undone += next.UndidInterruptedSave() ? 1 : 0;
        const std::string after = TempDir::ReadFile(rom);
        ASSERT_EQ(after.size(), old.size()) << round;
        ASSERT_TRUE(after == old || after == saved) << "a mix after round " << round;
        EXPECT_EQ(ImageOf(next), after);
        EXPECT_FALSE(RollbackFile::Present(rom));
    }
    // Kills landed in the middle of the ROM's writes, not only around them.
    EXPECT_GT(undone, 0);
}

TEST(RollbackFile, AWriteFailingPartwayLeavesTheRomWholeAndSaysSo) {
    TempDir dir;
    const std::string old = Pattern(65536);
    const std::string rom = dir / "game.rom";
    const std::string journal = RollbackFile::PathFor(rom);
    struct Case {
        // Every 8th entry changes: 512 ranges, a rollback file of about 12 KiB.
        uint64_t limit;
        std::string failing;
    };
    for (const Case& c : {Case{4096, journal}, Case{40000, rom}}) {
        TempDir::WriteFile(rom, old);
        RomDocument document;
        ASSERT_TRUE(document.Open(rom, "game.rom"));
        ASSERT_TRUE(ChangeEntries(document, 8));
        RomDocument::SaveResult saved = RomDocument::SaveResult::Failure("not run");
        {
            FileSizeLimit limit(c.limit);
            saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
        }
        ASSERT_FALSE(saved) << c.limit;
        EXPECT_EQ(saved.Error(),
                  "Cannot write " + c.failing + ": File too large. " + rom + " was left unchanged.");
        EXPECT_EQ(TempDir::ReadFile(rom), old);
        EXPECT_FALSE(RollbackFile::Present(rom));
        EXPECT_TRUE(document.IsModified());

        // The file is as it was, its time too: the next save is not taken
        // for one over a file someone else changed.
        saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
        ASSERT_TRUE(saved) << saved.Error();
        EXPECT_EQ(saved.Value(), RomDocument::SaveOutcome::Saved);
        EXPECT_EQ(TempDir::ReadFile(rom), Inverted(old, 8));
    }
}

TEST(RollbackFile, OnlyACompleteRollbackFileIsAppliedATornOneIsDroppedAForeignOneKept) {
    TempDir dir;
    const std::string rom = dir / "game.rom";
    const std::string journal = RollbackFile::PathFor(rom);
    const std::string old = Pattern(4096);
    const std::string changed = Inverted(old, 3);
    enum class Then {
        Applied,
        Dropped,
        Refused
    };
    struct Case {
        const char* name;
        std::function<std::string(const std::string& whole)> make;
        Then then;
    };
    const std::vector<Case> cases = {
            {"complete", [](const std::string& whole) { return whole; }, Then::Applied},
            {"empty", [](const std::string&) { return std::string(); }, Then::Dropped},
            {"magic cut", [](const std::string& whole) { return whole.substr(0, 5); }, Then::Dropped},
            {"header only",
             [](const std::string& whole) { return whole.substr(0, RollbackFormat::kHeaderSize); },
             Then::Dropped},
            {"last byte missing", [](const std::string& whole) { return whole.substr(0, whole.size() - 1); },
             Then::Dropped},
            {"old byte unsynced",
             [](std::string whole) {
                 whole[RollbackFormat::kHeaderSize + 20] ^= 1;
                 return whole;
             },
             Then::Dropped},
            {"not ours", [](const std::string& whole) { return "XYZ" + whole.substr(3); }, Then::Refused},
    };
    for (const Case& c : cases) {
        TempDir::WriteFile(rom, changed);
        const int64_t before = MtimeNs(rom) - 5000000000;
        TempDir::WriteFile(journal, c.make(Leftover(rom, 0, old, before)));
        RomDocument document;
        const FileResult opened = document.Open(rom, "game.rom");
        switch (c.then) {
        case Then::Applied:
            ASSERT_TRUE(opened) << c.name;
            EXPECT_TRUE(document.UndidInterruptedSave());
            EXPECT_EQ(TempDir::ReadFile(rom), old);
            EXPECT_EQ(MtimeNs(rom), before);
            break;
        case Then::Dropped:
            ASSERT_TRUE(opened) << c.name;
            EXPECT_FALSE(document.UndidInterruptedSave()) << c.name;
            EXPECT_EQ(TempDir::ReadFile(rom), changed) << c.name;
            break;
        case Then::Refused:
            ASSERT_FALSE(opened);
            EXPECT_EQ(opened.Error(),
                      "Cannot open " + rom + ": its rollback file " + journal +
                              " was not written for this file as it is now (it was replaced, "
                              "moved or damaged since); remove the rollback file if the ROM is "
                              "whole");
            EXPECT_EQ(TempDir::ReadFile(rom), changed);
            break;
        }
        EXPECT_EQ(RollbackFile::Present(rom), c.then == Then::Refused) << c.name;
        std::remove(journal.c_str());
    }

    // Written for a file that has since been replaced by another of the
    // same length: its old bytes belong to no file here.
    TempDir::WriteFile(rom, changed);
    TempDir::WriteFile(journal, Leftover(rom, 0, old, 0));
    const std::string replacement = dir / "new.rom";
    TempDir::WriteFile(replacement, changed);
    ASSERT_EQ(rename(replacement.c_str(), rom.c_str()), 0);
    RomDocument document;
    EXPECT_FALSE(document.Open(rom, "game.rom"));
    EXPECT_EQ(TempDir::ReadFile(rom), changed);
    EXPECT_TRUE(RollbackFile::Present(rom));
}

TEST(RollbackFile, AnythingButAFileInItsPlaceIsRefusedNeitherFollowedNorRemoved) {
    TempDir dir;
    const std::string rom = dir / "game.rom";
    const std::string journal = RollbackFile::PathFor(rom);
    const std::string old = Pattern(256);
    const std::string outside = dir / "precious";
    struct Kind {
        std::string name;
        std::function<void(const std::string&)> make;
    };
    std::vector<Kind> kinds;
    for (const OddFile& odd : OddFile::All())
        kinds.push_back({odd.kind, odd.make});
    // A valid rollback file elsewhere: followed, it would change the ROM.
    kinds.push_back({"link", [&outside](const std::string& path) {
                         ASSERT_EQ(symlink(outside.c_str(), path.c_str()), 0);
                     }});
    for (const Kind& k : kinds) {
        const std::string& kind = k.name;
        TempDir::WriteFile(rom, old);
        TempDir::WriteFile(outside, Leftover(rom, 0, Inverted(old, 1).substr(0, 16), 0));
        const std::string expected = "Cannot open " + rom + ": its rollback file " + journal +
                                     " is not a regular file; Quillmoor neither follows nor removes it";
        // At open, and at a save when it appeared after the open.
        RomDocument document;
        ASSERT_TRUE(document.Open(rom, "game.rom"));
        ASSERT_TRUE(ChangeEntries(document, 4));
        k.make(journal);
        const RomDocument::SaveResult saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
        ASSERT_FALSE(saved) << kind;
        EXPECT_EQ(saved.Error(), expected) << kind;
        RomDocument again;
        const FileResult opened = again.Open(rom, "game.rom");
        ASSERT_FALSE(opened) << kind;
        EXPECT_EQ(opened.Error(), expected) << kind;

        EXPECT_EQ(TempDir::ReadFile(rom), old) << kind;
        EXPECT_EQ(TempDir::ReadFile(outside), Leftover(rom, 0, Inverted(old, 1).substr(0, 16), 0)) << kind;
        struct stat st {};
        EXPECT_EQ(lstat(journal.c_str(), &st), 0) << kind;
        std::filesystem::remove_all(journal);
    }
}

} // namespace
