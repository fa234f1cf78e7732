// qlm against its rollback file: an import killed at random moments, and a
// folder where no rollback file can be made.
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "ModuleWriter.h"
#include "TempDir.h"
#include "Unprivileged.h"
#include "res/StringTable.h"

namespace {

struct Ran {
    int code = -1;
    std::string err;
};

// Starts qlm with its standard output in `outPath` and its standard error
// in the pipe `errFd` (when not -1).
pid_t Start(const std::vector<std::string>& args, const std::string& outPath, int errFd = -1) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = errFd >= 0 ? errFd : open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(QLM_PATH)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(QLM_PATH, argv.data());
    _exit(127);
}

int Wait(pid_t pid) {
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

Ran RunQlm(const std::vector<std::string>& args, const std::string& outPath = "/dev/null") {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = Start(args, outPath, fds[1]);
    close(fds[1]);
    Ran ran;
    char buffer[512];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0)
        ran.err.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    ran.code = Wait(pid);
    return ran;
}

TEST(QlmRollback, ImportKilledAtAnyMomentLeavesAllOldOrAllNewBytes) {
    constexpr int kEntries = 16384;
    TempDir dir;
    const std::string module =
            ModuleWriter(dir).Write("t.qlm", ModuleWriter::Header(std::to_string(kEntries), "4") +
                                                     ModuleWriter::Element("0", "4", "----"));
    std::string old(0x10 + kEntries * 4, '\0');
    for (size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>((i * 13 + (i >> 7)) & 0xFF);
    // Every other entry changes: as many ranges as entries that change.
    std::string imported = old;
    for (size_t entry = 0; entry < kEntries; entry += 2)
        imported[0x10 + entry * 4] = static_cast<char>(imported[0x10 + entry * 4] ^ 0x5A);
    const std::string csv = dir / "table.csv";
    ASSERT_EQ(RunQlm({"dump", module, dir.Write("new.rom", imported)}, csv).code, 0);
    const std::string rom = dir / "game.rom";
    const std::vector<std::string> import{"import", module, rom, csv};

    using Clock = std::chrono::steady_clock;
    TempDir::WriteFile(rom, old);
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(RunQlm(import).code, 0);
    const auto importTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ASSERT_EQ(TempDir::ReadFile(rom), imported);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    int undone = 0;
    for (int round = 0; round < 12; ++round) {
        TempDir::WriteFile(rom, old);
        const pid_t pid = Start(import, "/dev/null");
        ASSERT_GT(pid, 0);
        auto span = importTime.count() * 6 / 5;
        // Every other kill once the ROM's first entry has been written.
        if (round % 2 == 1) {
            const int fd = open(rom.c_str(), O_RDONLY | O_CLOEXEC);
            char first = old[0x10];
            while (pread(fd, &first, 1, 0x10) == 1 && first == old[0x10] && kill(pid, 0) == 0)
                std::this_thread::yield();
            close(fd);
            span = 20000;
        }
        std::this_thread::sleep_for(
                std::chrono::microseconds(std::uniform_int_distribution<int64_t>(0, span)(random)));
        kill(pid, SIGKILL);
        Wait(pid);

        // Any qlm command that touches the ROM undoes what it must first.
        const Ran dumped = RunQlm({"dump", module, rom});
        ASSERT_EQ(dumped.code, 0) << dumped.err;
        if (!dumped.err.empty()) {
            EXPECT_EQ(dumped.err, InterruptedSaveUndoneText(rom) + "\n");
            ++undone;
        }
        const std::string after = TempDir::ReadFile(rom);
        ASSERT_EQ(after.size(), old.size()) << round;
        ASSERT_TRUE(after == old || after == imported) << "a mix after round " << round;
        EXPECT_FALSE(TempDir::Exists(rom + ".qlm-journal"));
    }
    EXPECT_GT(undone, 0);
}

TEST(QlmRollback, AFolderWhereNoRollbackFileCanBeMadeIsRefusedUnlessUnsafeInPlaceIsGiven) {
    TempDir dir;
    const std::string module = ModuleWriter(dir).Write(
            "t.qlm", ModuleWriter::Header("2", "2") + ModuleWriter::Element("0", "2", "----"));
    const std::string old(0x14, '\x11');
    const std::string rom = dir.Write("locked/game.rom", old);
    ASSERT_EQ(chmod(rom.c_str(), 0666), 0);
    ASSERT_EQ(chmod((dir / "locked").c_str(), 0555), 0);
    // Root may write in any folder, so the runs are an ordinary user's.
    const std::string seen = Unprivileged::Run([&] {
        const Ran refused = RunQlm({"set", module, rom, "1", "Field", "0x1234"});
        const bool kept = TempDir::ReadFile(rom) == old;
        const Ran unsafe = RunQlm({"set", module, rom, "1", "Field", "0x1234", "--unsafe-in-place"});
        return std::to_string(refused.code) + "|" + refused.err + "|" + (kept ? "kept" : "changed") + "|" +
               std::to_string(unsafe.code) + "|" + unsafe.err;
    });
    chmod((dir / "locked").c_str(), 0755);
    EXPECT_EQ(seen, "1|" + QlmNoRollbackText(rom, "Permission denied") + "\n|kept|0|");
    EXPECT_EQ(TempDir::ReadFile(rom), std::string(0x12, '\x11') + "\x34\x12");
}

} // namespace
