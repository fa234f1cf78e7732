// Runs the built qlm against every folder under fixtures/. A folder holds
// `args` (one argument per line), the files those arguments name, and the
// expected outcome: `expected.code`, `expected.stdout`, `expected.stderr`
// and, where qlm is meant to rewrite the ROM or write a patch or a patched
// ROM, `expected.rom`, the file it writes. Each case runs
// in a scratch copy of its folder; every file without an `expected.rom`
// counterpart must come out byte for byte as it went in, and no file may
// appear.
#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadArgs(const fs::path& path) {
    std::vector<std::string> args;
    std::string text = ReadAll(path);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

bool IsExpectation(const fs::path& path) {
    return path.filename().string().rfind("expected.", 0) == 0 || path.filename() == "args";
}

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

// fork/exec rather than system(): arguments reach qlm exactly, blanks,
// quotes and empty strings included.
Outcome RunQlm(const fs::path& dir, const std::vector<std::string>& args) {
    const fs::path outPath = dir / ".stdout";
    const fs::path errPath = dir / ".stderr";
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        int in = open("/dev/null", O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        std::string program = QLM_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    Outcome outcome;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) outcome.code = WEXITSTATUS(status);
    outcome.out = ReadAll(outPath);
    outcome.err = ReadAll(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return outcome;
}

std::vector<std::string> FixtureNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FIXTURES_DIR))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class QlmGolden : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        m_source = fs::path(FIXTURES_DIR) / GetParam();
        m_work = fs::canonical(m_scratch.Path());
        for (const auto& entry : fs::recursive_directory_iterator(m_source)) {
            const fs::path rel = fs::relative(entry.path(), m_source);
            if (entry.is_directory())
                fs::create_directories(m_work / rel);
            else if (!IsExpectation(entry.path()))
                fs::copy_file(entry.path(), m_work / rel);
        }
    }
    // The ROM is the second operand of `set` and `import`; only they may
    // change it. `patch` writes its last operand, the patch or the patched ROM.
    fs::path ChangedRom(std::vector<std::string> args) const {
        std::erase(args, "--form-rules");
        if (args.size() >= 5 && args[0] == "patch") return args.back();
        return args.size() >= 3 && (args[0] == "set" || args[0] == "import") ? fs::path(args[2]) : fs::path();
    }

    TempDir m_scratch;
    fs::path m_source;
    fs::path m_work;
};

TEST_P(QlmGolden, MatchesExpectedOutcome) {
    ASSERT_TRUE(fs::exists(m_source / "args")) << "fixture without an args file";
    const std::vector<std::string> args = ReadArgs(m_source / "args");
    const Outcome outcome = RunQlm(m_work, args);

    EXPECT_EQ(std::stoi(ReadAll(m_source / "expected.code")), outcome.code);
    EXPECT_EQ(ReadAll(m_source / "expected.stdout"), outcome.out);
    EXPECT_EQ(ReadAll(m_source / "expected.stderr"), outcome.err);

    const bool romMayChange = fs::exists(m_source / "expected.rom");
    const fs::path rom = ChangedRom(args);
    if (romMayChange) {
        ASSERT_FALSE(rom.empty()) << "expected.rom given for a command that writes nothing";
        EXPECT_EQ(ReadAll(m_source / "expected.rom"), ReadAll(m_work / rom)) << "ROM bytes differ";
    }
    for (const auto& entry : fs::recursive_directory_iterator(m_source)) {
        const fs::path rel = fs::relative(entry.path(), m_source);
        if (entry.is_directory() || IsExpectation(entry.path()) || (romMayChange && rel == rom)) continue;
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(m_work / rel)) << rel << " was modified";
    }
    for (const auto& entry : fs::recursive_directory_iterator(m_work)) {
        const fs::path rel = fs::relative(entry.path(), m_work);
        EXPECT_TRUE(fs::exists(m_source / rel) || (romMayChange && rel == rom))
                << entry.path() << " was created";
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, QlmGolden, ::testing::ValuesIn(FixtureNames()),
                         [](const ::testing::TestParamInfo<std::string>& fixture) {
                             std::string name = fixture.param;
                             std::replace_if(
                                     name.begin(), name.end(),
                                     [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                                     '_');
                             return name;
                         });

} // namespace
