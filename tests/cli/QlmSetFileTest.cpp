// qlm set against the ROM file itself: many runs at once on one ROM, and a
// value that a later element of the entry would cover.
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

// Starts qlm with its standard error in errPath; returns the child's pid.
pid_t Spawn(const std::vector<std::string>& args, const std::string& errPath) {
    std::vector<std::string> all{QLM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, QLM_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

int Wait(pid_t pid) {
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string Le16(unsigned value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

TEST(QlmSetFile, ParallelRunsOnDistinctEntriesLoseNoEdit) {
    constexpr int kRuns = 64;
    TempDir dir;
    const std::string module =
            ModuleWriter(dir).Write("t.qlm", ModuleWriter::Header(std::to_string(kRuns), "4") +
                                                     ModuleWriter::Element("0", "2", "----"));
    // Header bytes before the table and a tail after it, which no run may touch.
    const std::string before(0x10, 'H');
    const std::string tail(100, 'T');
    const std::string rom = dir.Write("game.rom", before + std::string(kRuns * 4, '\xEE') + tail);

    std::vector<pid_t> pids;
    for (int i = 0; i < kRuns; ++i)
        pids.push_back(Spawn({"set", module, rom, std::to_string(i), "Field", std::to_string(1000 + i)},
                             dir / ("err" + std::to_string(i))));
    for (int i = 0; i < kRuns; ++i)
        EXPECT_EQ(Wait(pids[static_cast<size_t>(i)]), 0) << dir.Read("err" + std::to_string(i));

    std::string expected = before;
    for (int i = 0; i < kRuns; ++i)
        expected += Le16(1000u + static_cast<unsigned>(i)) + "\xEE\xEE";
    EXPECT_EQ(TempDir::ReadFile(rom), expected + tail);
}

TEST(QlmSetFile, ValueThatALaterElementCoversIsRefusedAndTheFileKept) {
    TempDir dir;
    ModuleWriter::Lines first = ModuleWriter::Element("0", "2", "----");
    ModuleWriter::Lines second = ModuleWriter::Element("1", "2", "----");
    first[0] = "Low";
    second[0] = "Over";
    const std::string module =
            ModuleWriter(dir).Write("t.qlm", ModuleWriter::Header("2", "4") + first + second);
    const std::string image = std::string(0x10, 'H') + "\x01\x02\x03\x04" + "\x05\x06\x07\x08";
    struct Row {
        const char* element;
        const char* value;
        int code;
        std::string entryAfter;
    };
    const std::vector<Row> rows = {
            // Byte 1 becomes 0x12, then "Over" stores its old 0x06 there.
            {"Low", "0x1234", 1, "\x05\x06\x07\x08"},
            // The value's high byte is what "Over" puts back: it survives.
            {"Low", "0x0634", 0, "\x34\x06\x07\x08"},
            // The last element always keeps what it is given.
            {"Over", "0x5678", 0, "\x05\x78\x56\x08"},
    };
    for (const Row& row : rows) {
        const std::string rom = dir.Write("game.rom", image);
        const int code = Wait(Spawn({"set", module, rom, "1", row.element, row.value}, dir / "err"));
        EXPECT_EQ(code, row.code) << row.element << " " << row.value;
        EXPECT_EQ(TempDir::ReadFile(rom), image.substr(0, 0x14) + row.entryAfter)
                << row.element << " " << row.value;
        if (row.code == 1) {
            EXPECT_EQ(dir.Read("err"), "Low: the value would not be stored; the later element \"Over\" "
                                       "covers it with its own bytes.\n");
        }
    }
}

} // namespace
