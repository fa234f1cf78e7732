// Open Rom, Close Rom and Save Rom through the dialog: titles, menu states,
// and saving against files that changed or vanished behind the editor.

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DialogHarness.h"
#include "TestInput.h"
#include "Unprivileged.h"
#include "document/RollbackFormat.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

namespace fs = std::filesystem;

class RomDocumentDialogTest : public DialogHarness {
protected:
    void Save() { TestInput::KeyClick(m_dlg, 'S', FCONTROL); }

    std::string Image() const {
        return std::string(reinterpret_cast<const char*>(Document().Data()), Document().Length());
    }

    CComboBox& KindCombo() { return dynamic_cast<CComboBox&>(*Panel()->GetDlgItem(IDC_ELEMENT_BASE + 1)); }
};

TEST_F(RomDocumentDialogTest, OpeningWithoutModulesEnablesOnlyCloseRomUntilOneLoads) {
    Start();
    OpenRom(WriteRom("game.rom", 32, 5));
    ASSERT_EQ(m_modals.FileDialogs().size(), 1u);
    EXPECT_EQ(m_modals.FileDialogs()[0].filter, "All Files (*.*)|*.*|");
    EXPECT_EQ(m_modals.FileDialogs()[0].flags, OFN_FILEMUSTEXIST);
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
    EXPECT_TRUE(Enabled(ID_FILE_CLOSEROM));
    for (UINT id :
         {UINT{ID_FILE_SAVEROM}, UINT{ID_FILE_APPLY}, UINT{ID_MODULES_LINK}, UINT{ID_MODULES_UNLOAD}})
        EXPECT_FALSE(Enabled(id)) << id;
    Save(); // grayed: nothing runs, nothing is shown

    LoadModules({WriteModule("a.qlm", "Alpha")});
    for (UINT id : {UINT{ID_FILE_SAVEROM}, UINT{ID_FILE_APPLY}, UINT{ID_MODULES_LINK},
                    UINT{ID_MODULES_UNLOAD}, UINT{ID_FILE_CLOSEROM}})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(EntryCombo()->IsWindowEnabled());
    EXPECT_EQ(ShownValue(), "5");
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(RomDocumentDialogTest, ModuleThatDoesNotFitIsReportedOnceAndRefusesApplyAndSave) {
    Start();
    LoadModules({WriteModule("big.qlm", "Big", 0, 100)});
    const std::string rom = WriteRom("small.rom", 32, 5);
    const std::string before = ReadFile(rom);
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(rom);
    EXPECT_EQ(Messages(), std::vector<std::string>{kIncompatible});
    EXPECT_FALSE(State().Fits());
    EXPECT_EQ(ShownValue(), "");
    for (UINT id : {UINT{ID_FILE_SAVEROM}, UINT{ID_FILE_APPLY}, UINT{ID_MODULES_LINK}})
        EXPECT_TRUE(Enabled(id)) << id;

    m_modals.AnswerMessageBox(IDOK);
    m_modals.AnswerMessageBox(IDOK);
    ApplyValue(7);
    Save();
    EXPECT_EQ(CountMessages(kIncompatible), 3);
    EXPECT_EQ(Title(), "Quillmoor - small.rom");
    EXPECT_EQ(ReadFile(rom), before);

    // Closing forgets the verdict; a ROM the table fits is tested anew.
    Click(ID_FILE_CLOSEROM);
    EXPECT_TRUE(State().Fits());
    OpenRom(WriteRom("large.rom", 400, 9));
    EXPECT_TRUE(State().Fits());
    EXPECT_EQ(ShownValue(), "9");
    EXPECT_EQ(CountMessages(kIncompatible), 3);
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

TEST_F(RomDocumentDialogTest, CloseRomEmptiesTheControlsButKeepsRowsAndModule) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    OpenRom(WriteRom("game.rom", 32, 0));
    ASSERT_EQ(KindCombo().GetCurSel(), 1);
    ASSERT_EQ(ShownValue(), "0");

    Click(ID_FILE_CLOSEROM);
    EXPECT_EQ(Title(), "Quillmoor - No file open");
    EXPECT_FALSE(Document().IsOpen());
    EXPECT_EQ(Document().Data(), nullptr);
    EXPECT_EQ(Document().Length(), 0u);
    EXPECT_TRUE(Document().Path().empty() && Document().Folder().empty() && Document().Name().empty());
    EXPECT_EQ(KindCombo().GetCurSel(), -1);
    EXPECT_EQ(ShownValue(), "");
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
    EXPECT_EQ(EntryCombo()->GetCount(), 4);
    for (UINT id :
         {UINT{ID_FILE_CLOSEROM}, UINT{ID_FILE_SAVEROM}, UINT{ID_FILE_APPLY}, UINT{ID_MODULES_LINK}})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_MODULES_UNLOAD));
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
}

TEST_F(RomDocumentDialogTest, SaveWritesTheImageInPlaceAndDropsTheStar) {
    OpenAndModify();
    Save();
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(ReadFile(m_rom), Image());
    EXPECT_EQ(ReadFile(m_rom)[0], 99);
    EXPECT_EQ(ReadFile(m_rom)[1], 6);
}

TEST_F(RomDocumentDialogTest, SaveNeverChangesTheLengthOfAFileChangedBehindTheEditor) {
    OpenAndModify();
    fs::resize_file(m_rom, 10);
    m_modals.AnswerMessageBox(IDYES);
    Save();
    EXPECT_EQ(ReadFile(m_rom), Image().substr(0, 10));

    WriteFile(m_rom, std::string(32, 'x') + "TAILTAIL");
    ApplyValue(42);
    m_modals.AnswerMessageBox(IDYES);
    Save();
    EXPECT_EQ(ReadFile(m_rom), Image() + "TAILTAIL");
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
}

TEST_F(RomDocumentDialogTest, SaveOfADeletedRomIsReportedAndTheEditSurvives) {
    OpenAndModify();
    fs::remove(m_rom);
    m_modals.AnswerMessageBox(IDOK);
    Save();
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text, "Cannot open " + m_rom + ": No such file or directory");
    EXPECT_FALSE(fs::exists(m_rom)); // never created
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");
    EXPECT_TRUE(Document().IsModified());

    // The file is back, a new one: after the overwrite question the edit
    // still in memory reaches it.
    WriteFile(m_rom, std::string(32, '\0'));
    m_modals.AnswerMessageBox(IDYES);
    Save();
    EXPECT_EQ(ReadFile(m_rom)[0], 99);
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
}

TEST_F(RomDocumentDialogTest, SaveOfAReadOnlyRomIsReportedAndTheEditSurvives) {
    OpenAndModify();
    const std::string before = ReadFile(m_rom);
    ASSERT_EQ(chmod(m_rom.c_str(), 0444), 0);
    ASSERT_EQ(chmod(Dir().c_str(), 0755), 0);
    m_modals.AnswerMessageBox(IDOK);
    // Root writes read-only files all the same, so the save runs as an
    // ordinary user (in a child when the tests run as root).
    const std::string seen = Unprivileged::Run([&] {
        m_dlg.OnSaveRom();
        const std::string shown =
                m_modals.MessageBoxes().empty() ? "<none>" : m_modals.MessageBoxes()[0].text;
        return shown + "|" + Title() + "|" + (Document().IsModified() ? "modified" : "saved");
    });
    EXPECT_EQ(seen, "Cannot open " + m_rom + ": Permission denied|Quillmoor - game.rom *|modified");
    EXPECT_EQ(ReadFile(m_rom), before);
}

TEST_F(RomDocumentDialogTest, SaveWhereNoRollbackFileCanBeMadeAsksAndOnlyYesWritesInPlace) {
    OpenAndModify();
    const std::string before = ReadFile(m_rom);
    ASSERT_EQ(chmod(m_rom.c_str(), 0666), 0);
    ASSERT_EQ(chmod(Dir().c_str(), 0555), 0);
    m_modals.AnswerMessageBox(IDNO);
    m_modals.AnswerMessageBox(IDYES);
    // Root writes in any folder, so the saves run as an ordinary user.
    const std::string seen = Unprivileged::Run([&] {
        m_dlg.OnSaveRom();
        const std::string afterNo = ReadFile(m_rom) == before ? "kept" : "written";
        m_dlg.OnSaveRom();
        std::string shown;
        for (const auto& box : m_modals.MessageBoxes())
            shown += box.text + "|";
        return shown + afterNo + "|" + Title();
    });
    ASSERT_EQ(chmod(Dir().c_str(), 0755), 0);
    const std::string question =
            "The folder of " + m_rom +
            " is not writable, so Quillmoor cannot keep the rollback file beside it that "
            "undoes a save cut short by a crash or a full disk. Save in place without that "
            "safety?";
    EXPECT_EQ(seen, question + "|" + question + "|kept|Quillmoor - game.rom");
    EXPECT_EQ(ReadFile(m_rom)[0], 99);
}

TEST_F(RomDocumentDialogTest, OpeningARomASaveLeftHalfWrittenPutsItBackAndSaysSo) {
    Start();
    const std::string rom = WriteRom("game.rom", 32, 5);
    const std::string old = ReadFile(rom);
    struct stat st {};
    ASSERT_EQ(stat(rom.c_str(), &st), 0);
    // The save got as far as its first byte.
    std::string bytes = RollbackFormat::EncodeHeader({32, st.st_dev, st.st_ino, 0, 1}) +
                        RollbackFormat::EncodeRangeHead(0, 1) + old.substr(0, 1);
    bytes += RollbackFormat::EncodeTrailer(
            RollbackFormat::Crc(0, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}));
    WriteFile(rom + ".qlm-journal", bytes);
    WriteFile(rom, "\x63" + old.substr(1));
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(rom);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"An interrupted save of " + rom +
                                       " was undone; your changes are still in the recovery journal."});
    EXPECT_EQ(ReadFile(rom), old);
    EXPECT_EQ(Image(), old);
    EXPECT_FALSE(fs::exists(rom + ".qlm-journal"));
}

TEST_F(RomDocumentDialogTest, WriteThatBreaksOffInTheApplyQuestionKeepsTheRomOpen) {
    OpenAndModify();
    m_modals.AnswerMessageBox(IDYES);
    m_modals.AnswerMessageBox(IDOK);
    // The system lets no byte through.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 0;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    Click(ID_FILE_CLOSEROM);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(Messages(), (std::vector<std::string>{kApplyQuestion, "Cannot write " + m_rom +
                                                                            ".qlm-journal: File too large. " +
                                                                            m_rom + " was left unchanged."}));
    EXPECT_TRUE(Document().IsOpen());
    EXPECT_TRUE(Document().IsModified());
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");
    EXPECT_EQ(fs::file_size(m_rom), 32u);
}

TEST_F(RomDocumentDialogTest, RomOf4GiBOrMoreIsRefusedNotTruncated) {
    Start();
    OpenRom(WriteRom("game.rom", 32));
    const std::string huge = PathOf("huge.rom");
    WriteFile(huge, "");
    fs::resize_file(huge, 0x100000000ull); // sparse: nothing is written
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(huge);
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(
            m_modals.MessageBoxes()[0].text.rfind("Cannot open " + huge + ": the file is 4 GiB or larger", 0),
            0u)
            << m_modals.MessageBoxes()[0].text;
    EXPECT_EQ(Title(), "Quillmoor - No file open");
    EXPECT_FALSE(Document().IsOpen());
    EXPECT_EQ(Document().Data(), nullptr);
    EXPECT_FALSE(Enabled(ID_FILE_CLOSEROM));
}

TEST_F(RomDocumentDialogTest, RomThatCannotBeOpenedIsReportedWithPathAndReason) {
    Start();
    const std::string gone = PathOf("gone.rom");
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(gone);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Cannot open " + gone + ": No such file or directory"});
    EXPECT_FALSE(Document().IsOpen());
    EXPECT_EQ(Title(), "Quillmoor - No file open");
    EXPECT_FALSE(Enabled(ID_FILE_CLOSEROM));
}

TEST_F(RomDocumentDialogTest, CancelledFileDialogChangesNothing) {
    OpenAndModify();
    m_modals.CancelFileDialog();
    TestInput::KeyClick(m_dlg, 'O', FCONTROL);
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
    EXPECT_EQ(Document().Data()[0], 99);
}

TEST_F(RomDocumentDialogTest, ReopeningTheOpenFileAnsweringNoShowsItAsLastSaved) {
    OpenAndModify();
    m_modals.AnswerMessageBox(IDNO);
    OpenRom(m_rom);
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
    EXPECT_EQ(ShownValue(), "5");
    EXPECT_EQ(Document().Data()[0], 5);
}

} // namespace

namespace {

// Each way another program can change the ROM behind the editor, and what
// the file holds after the overwrite question's Yes.
struct ChangeBehind {
    const char* name;
    std::function<void(const std::string& rom, const std::string& dir)> change;
    std::function<std::string(const std::string& image)> afterYes;
};

const std::vector<ChangeBehind>& ChangesBehind() {
    static const std::vector<ChangeBehind> changes = {
            {"Truncated", [](const std::string& rom, const std::string&) { fs::resize_file(rom, 10); },
             [](const std::string& image) {
                 return image.substr(0, 10);
             }},
            {"Lengthened",
             [](const std::string& rom, const std::string&) {
                 TempDir::WriteFile(rom, TempDir::ReadFile(rom) + "TAIL");
             },
             [](const std::string& image) {
                 return image + "TAIL";
             }},
            {"ReplacedByRename",
             [](const std::string& rom, const std::string& dir) {
                 TempDir::WriteFile(dir + "new.rom", std::string(32, 'n'));
                 fs::rename(dir + "new.rom", rom);
             },
             [](const std::string& image) {
                 return image;
             }},
            {"SwappedForASymlink",
             [](const std::string& rom, const std::string& dir) {
                 TempDir::WriteFile(dir + "other.rom", std::string(32, 'o'));
                 fs::remove(rom);
                 fs::create_symlink(dir + "other.rom", rom);
             },
             [](const std::string& image) {
                 return image;
             }},
    };
    return changes;
}

class ChangedBehindTest : public RomDocumentDialogTest, public ::testing::WithParamInterface<ChangeBehind> {
protected:
    std::string Question() const {
        return m_rom + " was changed on disk by another program since it was opened or last saved. "
                       "Overwrite it with Quillmoor's copy?";
    }
};

TEST_P(ChangedBehindTest, SaveAsksAndYesWritesTheWholeImage) {
    OpenAndModify();
    GetParam().change(m_rom, Dir());
    m_modals.AnswerMessageBox(IDYES);
    Save();
    EXPECT_EQ(Messages(), std::vector<std::string>{Question()});
    EXPECT_EQ(ReadFile(m_rom), GetParam().afterYes(Image()));
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
}

TEST_P(ChangedBehindTest, NoWritesNothingAndStopsTheOperationThatAsked) {
    OpenAndModify();
    GetParam().change(m_rom, Dir());
    const std::string changed = ReadFile(m_rom);
    m_modals.AnswerMessageBox(IDNO);
    Save();
    m_modals.AnswerMessageBox(IDYES); // apply question
    m_modals.AnswerMessageBox(IDNO);  // overwrite question
    Click(ID_FILE_CLOSEROM);
    EXPECT_EQ(Messages(), (std::vector<std::string>{Question(), kApplyQuestion, Question()}));
    EXPECT_EQ(ReadFile(m_rom), changed);
    EXPECT_TRUE(Document().IsOpen());
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");
}

INSTANTIATE_TEST_SUITE_P(Kinds, ChangedBehindTest, ::testing::ValuesIn(ChangesBehind()),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
