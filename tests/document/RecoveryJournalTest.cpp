// The recovery journal on real files: what a session that was killed left
// comes back step by step, a torn record or a changed ROM never applies, and
// a journal that cannot be written refuses the step or, when it cannot be
// made at all, lets editing go on without it.

#include "document/RecoveryJournal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileSizeLimit.h"
#include "ModuleMaker.h"
#include "StoreSandbox.h"
#include "TempDir.h"
#include "document/RomDocument.h"
#include "table/CTableModule.h"

namespace {

std::string Sequence(size_t n) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(i);
    return bytes;
}

// A document on the ROM, journaled as the editor journals it.
struct Session {
    RomDocument document;
    RecoveryJournal journal;

    explicit Session(const std::string& rom) {
        EXPECT_TRUE(document.Open(rom, "game.rom").Ok());
        journal.Attach(rom, *document.FileIdentity(), {document.Data(), document.Length()});
        document.SetRecovery(&journal);
    }
    std::string Image() const { return {reinterpret_cast<const char*>(document.Data()), document.Length()}; }
};

class RecoveryJournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_rom = m_dir.Write("game.rom", Sequence(64));
        m_module = MakeModule(0x10, 4, 8, NumberElements(1));
    }

    bool Apply(Session& s, int entry, uint8_t value) {
        if (!m_module->SelectEntry(entry, s.document.Data(), s.document.Length())) return false;
        m_module->SetElementData(0, &value);
        return s.document.ApplyEntry(*m_module);
    }
    std::string JournalPath() const { return RecoveryJournal::PathFor(m_rom); }
    off_t JournalSize() const {
        struct stat st {};
        return ::stat(JournalPath().c_str(), &st) == 0 ? st.st_size : -1;
    }

    StoreSandbox m_home;
    TempDir m_dir;
    std::string m_rom;
    std::unique_ptr<CTableModule> m_module;
};

TEST_F(RecoveryJournalTest, RestoresTheStepsStillAppliedOneUndoEach) {
    std::string crashed;
    {
        Session s(m_rom);
        ASSERT_TRUE(Apply(s, 0, 0xA0) && Apply(s, 1, 0xA1) && Apply(s, 2, 0xA2));
        ASSERT_TRUE(s.document.Undo());
        ASSERT_TRUE(Apply(s, 3, 0xA3));
        crashed = s.Image();
        // Going out of scope without removing the journal is what a crash leaves.
    }
    struct stat folder {
    }, file{};
    ASSERT_EQ(::stat(RecoveryJournal::Folder().c_str(), &folder), 0);
    ASSERT_EQ(::stat(JournalPath().c_str(), &file), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_EQ(file.st_mode & 0777, 0600u);

    Session again(m_rom);
    ASSERT_EQ(again.journal.Found().found, RecoveryJournal::Found::Matches);
    // The undone step and its undo cancel out: three steps are still applied.
    ASSERT_EQ(again.journal.Found().steps.size(), 3u);
    again.document.Replay(again.journal.Continue());
    EXPECT_EQ(again.Image(), crashed);
    EXPECT_TRUE(again.document.IsModified());
    EXPECT_EQ(TempDir::ReadFile(m_rom), Sequence(64));
    EXPECT_EQ(again.document.Undo(), 3);
    EXPECT_EQ(again.document.Undo(), 1);
    EXPECT_EQ(again.document.Undo(), 0);
    EXPECT_FALSE(again.document.CanUndo());
    EXPECT_EQ(again.Image(), Sequence(64));
}

TEST_F(RecoveryJournalTest, ATornLastRecordIsIgnoredAndCutBeforeTheNextStep) {
    {
        Session s(m_rom);
        ASSERT_TRUE(Apply(s, 0, 0xB0) && Apply(s, 1, 0xB1) && Apply(s, 2, 0xB2));
    }
    ASSERT_EQ(::truncate(JournalPath().c_str(), JournalSize() - 3), 0);
    {
        Session s(m_rom);
        ASSERT_EQ(s.journal.Found().found, RecoveryJournal::Found::Matches);
        ASSERT_EQ(s.journal.Found().steps.size(), 2u);
        s.document.Replay(s.journal.Continue());
        EXPECT_EQ(s.document.Data()[0x10], 0xB0);
        EXPECT_EQ(s.document.Data()[0x18], 0xB1);
        EXPECT_EQ(s.document.Data()[0x20], 0x20);
        ASSERT_TRUE(Apply(s, 3, 0xB3));
    }
    Session last(m_rom);
    ASSERT_EQ(last.journal.Found().steps.size(), 3u);
    last.document.Replay(last.journal.Continue());
    EXPECT_EQ(last.document.Data()[0x28], 0xB3);
}

TEST_F(RecoveryJournalTest, AFileChangedSinceIsNeverRestored) {
    {
        Session s(m_rom);
        ASSERT_TRUE(Apply(s, 1, 0xC1));
    }
    // Another program wrote the byte the first step changed, keeping the
    // file's size and time: only the checksum of those bytes tells.
    struct stat before {};
    ASSERT_EQ(::stat(m_rom.c_str(), &before), 0);
    std::string bytes = Sequence(64);
    bytes[0x18] = 'x';
    TempDir::WriteFile(m_rom, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, m_rom.c_str(), times, 0), 0);
    {
        Session s(m_rom);
        EXPECT_EQ(s.journal.Found().found, RecoveryJournal::Found::Changed);
        s.journal.SetAside();
    }
    EXPECT_FALSE(TempDir::Exists(JournalPath()));
    EXPECT_TRUE(TempDir::Exists(JournalPath() + ".discarded"));
    EXPECT_EQ(Session(m_rom).journal.Found().found, RecoveryJournal::Found::None);
}

TEST_F(RecoveryJournalTest, AStepTheJournalCannotKeepIsRefusedAndTheImageStays) {
    Session s(m_rom);
    ASSERT_TRUE(Apply(s, 0, 0xD0));
    const std::string kept = s.Image();
    {
        // A full disk: the record's write fails part way.
        FileSizeLimit limit(static_cast<uint64_t>(JournalSize()) + 8);
        EXPECT_FALSE(Apply(s, 1, 0xD1));
        EXPECT_EQ(s.Image(), kept);
        const std::optional<std::string> refusal = s.document.TakeRefusal();
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->find(std::strerror(EFBIG)), std::string::npos) << *refusal;
    }
    s.journal.SetSync([](int) {
        errno = EIO;
        return -1;
    });
    EXPECT_FALSE(Apply(s, 2, 0xD2));
    EXPECT_FALSE(s.document.Undo());
    EXPECT_EQ(s.Image(), kept);
    EXPECT_TRUE(s.document.CanUndo());
    ASSERT_TRUE(s.document.TakeRefusal());
    s.journal.SetSync({});
    ASSERT_TRUE(Apply(s, 3, 0xD3));

    // Nothing refused reached the journal, and what was cut off did not
    // hide the step after it.
    s.journal.Detach();
    Session again(m_rom);
    ASSERT_EQ(again.journal.Found().steps.size(), 2u);
    again.document.Replay(again.journal.Continue());
    EXPECT_EQ(again.Image(), s.Image());
}

TEST_F(RecoveryJournalTest, ASecondEditorOfTheRomLeavesTheFirstOnesJournalAlone) {
    auto first = std::make_unique<Session>(m_rom);
    ASSERT_TRUE(Apply(*first, 0, 0xE0) && Apply(*first, 1, 0xE1));
    const off_t size = JournalSize();
    {
        Session second(m_rom);
        EXPECT_EQ(second.journal.Found().found, RecoveryJournal::Found::None);
        EXPECT_TRUE(second.journal.Continue().empty());
        second.journal.SetAside();
        ASSERT_TRUE(Apply(second, 2, 0xE2));
        const std::optional<std::string> notice = second.journal.TakeNotice();
        ASSERT_TRUE(notice);
        EXPECT_NE(notice->find("another Quillmoor window"), std::string::npos) << *notice;
        // Saved or undone back to the file: the second editor's journal goes,
        // which must not be the first one's.
        second.journal.Remove();
        second.journal.Rebase(*second.document.FileIdentity());
    }
    EXPECT_EQ(JournalSize(), size);
    EXPECT_FALSE(TempDir::Exists(JournalPath() + ".discarded"));
    ASSERT_TRUE(Apply(*first, 3, 0xE3));
    const std::string crashed = first->Image();
    // The first editor dies; its hold goes with it and the next open
    // restores its steps, none of the second's.
    first.reset();
    Session again(m_rom);
    ASSERT_EQ(again.journal.Found().found, RecoveryJournal::Found::Matches);
    ASSERT_EQ(again.journal.Found().steps.size(), 3u);
    again.document.Replay(again.journal.Continue());
    EXPECT_EQ(again.Image(), crashed);
}

enum class Blocker {
    FolderIsAFile,
    JournalIsAFifo,
    JournalIsALink,
};

class RecoveryOffTest : public RecoveryJournalTest, public ::testing::WithParamInterface<Blocker> {};

TEST_P(RecoveryOffTest, EditingGoesOnAndTheUserIsToldOnce) {
    const std::string elsewhere = m_dir.Write("elsewhere", "keep");
    switch (GetParam()) {
    case Blocker::FolderIsAFile:
        TempDir::WriteFile(m_home.State().string(), "not a folder");
        break;
    case Blocker::JournalIsAFifo:
        std::filesystem::create_directories(RecoveryJournal::Folder());
        ASSERT_EQ(::mkfifo(JournalPath().c_str(), 0600), 0);
        break;
    case Blocker::JournalIsALink:
        std::filesystem::create_directories(RecoveryJournal::Folder());
        ASSERT_EQ(::symlink(elsewhere.c_str(), JournalPath().c_str()), 0);
        break;
    }
    Session s(m_rom);
    EXPECT_EQ(s.journal.Found().found, RecoveryJournal::Found::None);
    ASSERT_TRUE(Apply(s, 0, 1));
    const std::optional<std::string> notice = s.journal.TakeNotice();
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find("Recovery is off"), std::string::npos);
    ASSERT_TRUE(Apply(s, 1, 2));
    EXPECT_FALSE(s.journal.TakeNotice());
    EXPECT_EQ(s.document.Data()[0x18], 2);
    s.journal.Remove();
    EXPECT_EQ(TempDir::ReadFile(elsewhere), "keep");
    if (GetParam() != Blocker::FolderIsAFile) {
        struct stat st {};
        ASSERT_EQ(::lstat(JournalPath().c_str(), &st), 0);
        EXPECT_FALSE(S_ISREG(st.st_mode));
    }
}

std::string BlockerName(const ::testing::TestParamInfo<Blocker>& info) {
    static const char* const kNames[] = {"FolderIsAFile", "JournalIsAFifo", "JournalIsALink"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Blockers, RecoveryOffTest,
                         ::testing::Values(Blocker::FolderIsAFile, Blocker::JournalIsAFifo,
                                           Blocker::JournalIsALink),
                         BlockerName);

// Journal bytes nobody wrote: no length in them is trusted past the ROM's
// size or the file's, and a piece outside the ROM ends the records.
TEST(RecoveryFormatTest, HostileRecordsEndTheJournal) {
    std::vector<uint8_t> file = RecoveryFormat::EncodeHeader({"/rom", 64, 1, 0});
    const size_t headerEnd = file.size();
    const uint8_t bytes[4] = {1, 2, 3, 4};
    const RecoveryPiece inside{60, 2, 0};
    RecoveryFormat::EncodeRecord({RecoveryRecord::Kind::Step, 0, {&inside, 1}, bytes}, file);
    const size_t goodEnd = file.size();
    const RecoveryPiece outside{63, 2, 0};
    RecoveryFormat::EncodeRecord({RecoveryRecord::Kind::Step, 0, {&outside, 1}, bytes}, file);
    auto parse = [](const std::vector<uint8_t>& data) {
        size_t at = 0;
        return RecoveryFormat::Parse(
                [&](uint8_t* out, size_t n) {
                    const size_t take = std::min(n, data.size() - at);
                    std::copy_n(data.begin() + static_cast<ptrdiff_t>(at), take, out);
                    at += take;
                    return take;
                },
                data.size(), 64);
    };
    std::optional<RecoveryFormat::Contents> contents = parse(file);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->records.size(), 1u);
    EXPECT_EQ(contents->validEnd, goodEnd);
    EXPECT_TRUE(contents->torn);

    std::vector<uint8_t> huge(file.begin(), file.begin() + static_cast<ptrdiff_t>(headerEnd));
    huge.insert(huge.end(), {0xF0, 0xFF, 0xFF, 0xFF});
    contents = parse(huge);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(contents->records.empty());

    file[headerEnd + 6] ^= 1;
    contents = parse(file);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(contents->records.empty());
    file[3] ^= 1;
    EXPECT_FALSE(parse(file));
}

} // namespace
