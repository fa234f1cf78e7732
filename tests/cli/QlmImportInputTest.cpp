// qlm import against tables a spreadsheet or a hostile hand rearranged: a
// moved entry column, cells that would flood or drive the terminal, values a
// later element covers, a report that cannot be printed, a header of many
// names.
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "ModuleWriter.h"
#include "TempDir.h"

extern char** environ;

namespace {

struct QlmRun {
    int status = -1;
    std::string out;
    std::string err;
};

// qlm with its output in files of the folder, or in `outPath` when given.
QlmRun Qlm(const TempDir& dir, const std::vector<std::string>& args, const std::string& outPath = {}) {
    std::vector<std::string> all{QLM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string out = outPath.empty() ? dir / "out" : outPath;
    const std::string err = dir / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    QlmRun run;
    if (posix_spawn(&pid, QLM_PATH, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (outPath.empty()) run.out = dir.Read("out");
    run.err = dir.Read("err");
    return run;
}

// Two entries of two bytes, "Hit points" (a byte) and "Temper" (a signed byte).
class QlmImportInput : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleWriter::Lines hp = ModuleWriter::Element("0", "1", "----");
        ModuleWriter::Lines temper = ModuleWriter::Element("1", "1", "---S");
        hp[0] = "Hit points";
        temper[0] = "Temper";
        m_module = ModuleWriter(m_dir).Write("bestiary.qlm", ModuleWriter::Header("5", "2") + hp + temper);
        m_rom = m_dir.Write("r.rom", m_image);
    }
    QlmRun Import(const std::string& csv, const std::string& outPath = {}) {
        return Qlm(m_dir, {"import", m_module, m_rom, m_dir.Write("x.csv", csv)}, outPath);
    }
    std::string Rom() const { return TempDir::ReadFile(m_rom); }

    TempDir m_dir;
    std::string m_module;
    std::string m_rom;
    const std::string m_image = std::string(0x10, 'H') + std::string(10, '\x01') + "TAIL";
};

TEST_F(QlmImportInput, AHeaderWithoutTheEntryColumnFirstIsRefused) {
    const QlmRun run = Import("Hit points,Temper\n3,10\n4,-20\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "1 bad cell, nothing changed:\nRow 1, column 1: The first column is \"Hit points\"; it "
              "must be the entry column, \"Entry\", as qlm dump writes it.\n");
    EXPECT_EQ(Rom(), m_image);
    // A spreadsheet's byte order mark before it is no reason to refuse.
    EXPECT_EQ(Import("\xEF\xBB\xBF"
                     "Entry,Temper\n3,10\n")
                      .status,
              0);
}

TEST_F(QlmImportInput, BadCellsAreQuotedShortAndInertAndTheListEndsWithItsLastLine) {
    const QlmRun escape = Import("Entry,Hit points\n2,\x1b]2;X\x07\n");
    EXPECT_EQ(escape.status, 1);
    EXPECT_EQ(escape.err.find('\x1b'), std::string::npos);
    EXPECT_NE(escape.err.find("\"\\x1B]2;X\\x07\""), std::string::npos) << escape.err;
    EXPECT_EQ(escape.err.back(), '\n');
    EXPECT_NE(escape.err.substr(escape.err.size() - 2), "\n\n");

    const std::string big(8 << 20, 'z');
    const QlmRun flood = Import("Entry,Hit points\n2," + big + "\n3,\xff\xfe" + big + "\n");
    EXPECT_EQ(flood.status, 1);
    EXPECT_LT(flood.err.size(), 1000u) << flood.err.substr(0, 300);
    EXPECT_NE(flood.err.find("\"" + std::string(60, 'z') + "...\""), std::string::npos);
    EXPECT_NE(flood.err.find("\"\\xFF\\xFE" + std::string(58, 'z') + "...\""), std::string::npos);
    EXPECT_EQ(Rom(), m_image);
}

TEST_F(QlmImportInput, AValueALaterElementCoversIsRefusedInSetsWords) {
    ModuleWriter::Lines wide = ModuleWriter::Element("0", "2", "----");
    ModuleWriter::Lines high = ModuleWriter::Element("1", "1", "----");
    wide[0] = "Wide";
    high[0] = "High";
    m_module = ModuleWriter(m_dir).Write("over.qlm", ModuleWriter::Header("5", "2") + wide + high);
    const QlmRun run = Import("Entry,Wide\n0,1285\n1,257\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "1 bad cell, nothing changed:\nRow 2, column 2: Wide: the value would not be stored; "
                       "the later element \"High\" covers it with its own bytes.\n");
    EXPECT_EQ(Rom(), m_image);
}

TEST_F(QlmImportInput, AReportThatCannotBePrintedStillSaysTheRomWasWritten) {
    const QlmRun run = Import("Entry,Temper\n3,10\n", "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "qlm: cannot write to standard output; the ROM was written: 1 entry changed.\n");
    EXPECT_EQ(Rom()[0x10 + 3 * 2 + 1], 10);
}

TEST_F(QlmImportInput, ManyHeaderNamesMatchInLinearTime) {
    constexpr int kElements = 4000;
    ModuleWriter::Lines lines = ModuleWriter::Header("1", std::to_string(kElements));
    std::string header = "Entry";
    std::string row = "0";
    for (int i = 0; i < kElements; ++i) {
        ModuleWriter::Lines element = ModuleWriter::Element(std::to_string(i), "1", "----");
        element[0] = "E" + std::to_string(i);
        lines.insert(lines.end(), element.begin(), element.end());
        header += ",E" + std::to_string(kElements - 1 - i);
        row += ",1";
    }
    m_module = ModuleWriter(m_dir).Write("wide.qlm", lines);
    m_rom = m_dir.Write("wide.rom", std::string(0x10 + kElements, '\0'));
    const auto start = std::chrono::steady_clock::now();
    const QlmRun run = Import(header + "\n" + row + "\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Rom(), std::string(0x10, '\0') + std::string(kElements, '\x01'));
}

} // namespace
