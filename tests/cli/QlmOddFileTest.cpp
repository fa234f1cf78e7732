// qlm given a module or ROM path that names no regular file: refused at once
// with the path and the reason, never waiting on a FIFO or reading a device
// for ever.
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Deadline.h"
#include "ModuleWriter.h"
#include "OddFiles.h"
#include "TempDir.h"

namespace {

// "<exit code> <standard error>" of qlm run with these arguments.
std::string RunQlm(const TempDir& dir, std::vector<std::string> args) {
    const std::string errPath = dir / "stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (null < 0 || err < 0) _exit(127);
        dup2(null, 0);
        dup2(null, 1);
        dup2(err, 2);
        std::string program = QLM_PATH;
        std::vector<char*> argv{program.data()};
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return "no exit";
    return std::to_string(WEXITSTATUS(status)) + " " + TempDir::ReadFile(errPath);
}

class QlmOddFileTest : public testing::TestWithParam<OddFile> {
protected:
    TempDir dir;
};

TEST_P(QlmOddFileTest, ModuleAndRomAreRefusedWithTheReason) {
    const std::string odd = dir / "odd";
    GetParam().make(odd);
    const std::string module = ModuleWriter(dir).Write("mod.qlm", ModuleWriter::Loadable("Mod"));
    const std::optional<std::string> seen = Deadline::Run(20, [&] {
        return RunQlm(dir, {"check", odd}) + RunQlm(dir, {"dump", module, odd}) +
               RunQlm(dir, {"set", module, odd, "0", "0", "1"});
    });
    ASSERT_TRUE(seen) << "qlm did not finish";
    const std::string refusal = "1 Cannot open " + odd + ": " +
                                (GetParam().kind == "Folder" ? "Is a directory" : "not a regular file") +
                                "\n";
    EXPECT_EQ(*seen, refusal + refusal + refusal);
    EXPECT_FALSE(std::filesystem::is_regular_file(odd));
}

INSTANTIATE_TEST_SUITE_P(Kinds, QlmOddFileTest, testing::ValuesIn(OddFile::All()),
                         [](const auto& row) { return row.param.kind; });

} // namespace
