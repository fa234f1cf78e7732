#include "document/RomFile.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

#include "Deadline.h"
#include "OddFiles.h"
#include "TempDir.h"
#include "Unprivileged.h"

namespace {

std::string Pattern(size_t length, unsigned seed) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed) & 0xFF);
    return bytes;
}

std::string ImageOf(const RomFile& rom) {
    return std::string(reinterpret_cast<const char*>(rom.Data()), rom.Length());
}

void Overwrite(RomFile& rom, char value) {
    std::fill(rom.Data(), rom.Data() + rom.Length(), static_cast<uint8_t>(value));
}

class RomFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir / "game.rom";
    std::string original = Pattern(100, 7);

    void SetUp() override { TempDir::WriteFile(path, original); }
};

TEST_F(RomFileTest, ReadsWholeFileAndSavesEditsInPlace) {
    RomFile rom;
    ASSERT_TRUE(rom.Open(path)) << rom.Open(path).Error();
    EXPECT_EQ(ImageOf(rom), original);

    rom.Data()[0] = 0xAB;
    rom.Data()[99] = 0xCD;
    const FileResult saved = rom.Save();
    ASSERT_TRUE(saved) << saved.Error();
    EXPECT_EQ(TempDir::ReadFile(path), ImageOf(rom));
}

TEST_F(RomFileTest, EmptyFileOpensAsEmptyImageAndSavesAsEmpty) {
    TempDir::WriteFile(path, "");
    RomFile rom;
    ASSERT_TRUE(rom.Open(path));
    EXPECT_EQ(rom.Length(), 0u);
    EXPECT_TRUE(rom.Save());
    EXPECT_EQ(TempDir::ReadFile(path), "");
}

TEST_F(RomFileTest, FailedOpenNamesPathAndReasonAndKeepsThePreviousImage) {
    RomFile rom;
    ASSERT_TRUE(rom.Open(path));
    const std::string missing = dir / "missing.rom";
    const FileResult result = rom.Open(missing);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Error(), "Cannot open " + missing + ": No such file or directory");
    EXPECT_EQ(ImageOf(rom), original);

    const FileResult folder = rom.Open(dir.Path());
    EXPECT_EQ(folder.Error(), "Cannot open " + dir.Path() + ": Is a directory");

    // The file it still holds is the one a save writes.
    Overwrite(rom, 'y');
    ASSERT_TRUE(rom.Save());
    EXPECT_EQ(TempDir::ReadFile(path), std::string(100, 'y'));
    EXPECT_FALSE(TempDir::Exists(missing));
}

TEST_F(RomFileTest, SaveOfShortenedFileWritesOnlyItsPresentLength) {
    RomFile rom;
    ASSERT_TRUE(rom.Open(path));
    Overwrite(rom, 'x');
    std::filesystem::resize_file(path, 60);
    ASSERT_TRUE(rom.Save());
    EXPECT_EQ(TempDir::ReadFile(path), std::string(60, 'x'));
}

TEST_F(RomFileTest, SaveOfLengthenedFileKeepsItsTail) {
    RomFile rom;
    ASSERT_TRUE(rom.Open(path));
    Overwrite(rom, 'x');
    const std::string tail = "appended by someone else";
    TempDir::WriteFile(path, original + tail);
    ASSERT_TRUE(rom.Save());
    EXPECT_EQ(TempDir::ReadFile(path), std::string(100, 'x') + tail);
}

TEST_F(RomFileTest, SaveOfDeletedFileFailsWithoutCreatingIt) {
    RomFile rom;
    ASSERT_TRUE(rom.Open(path));
    std::filesystem::remove(path);
    const FileResult result = rom.Save();
    EXPECT_EQ(result.Error(), "Cannot open " + path + ": No such file or directory");
    EXPECT_FALSE(TempDir::Exists(path));
    EXPECT_EQ(ImageOf(rom), original);
}

// A ROM path that names no regular file, at Open or by the time of the save:
// refused at once with the reason, the image and the thing itself kept.
class OddRomFileTest : public testing::TestWithParam<OddFile> {
protected:
    TempDir dir;
    std::string path = dir / "game.rom";
    std::string odd = dir / "odd.rom";
};

TEST_P(OddRomFileTest, RefusedAtOpenAndAtSave) {
    TempDir::WriteFile(path, Pattern(100, 7));
    GetParam().make(odd);
    const std::optional<std::string> seen = Deadline::Run(10, [&] {
        RomFile rom;
        if (const FileResult opened = rom.Open(path); !opened) return opened.Error();
        std::string text = rom.Open(odd).Error() + "\n";
        // The image of the file opened first is still there.
        text += ImageOf(rom) == Pattern(100, 7) ? "kept\n" : "lost\n";
        std::filesystem::remove(path);
        GetParam().make(path);
        return text + rom.Save().Error();
    });
    ASSERT_TRUE(seen) << "Open or Save did not return";
    const std::string reason = GetParam().kind == "Folder" ? "Is a directory" : "not a regular file";
    EXPECT_EQ(*seen, "Cannot open " + odd + ": " + reason + "\nkept\nCannot open " + path + ": " + reason);
    EXPECT_FALSE(std::filesystem::is_regular_file(path));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddRomFileTest, testing::ValuesIn(OddFile::All()),
                         [](const auto& row) { return row.param.kind; });

TEST_F(RomFileTest, ReadOnlyFileOpensButRefusesTheSave) {
    chmod(path.c_str(), 0444);
    const std::string outcome = Unprivileged::Run([&] {
        RomFile rom;
        const FileResult opened = rom.Open(path);
        if (!opened) return opened.Error();
        Overwrite(rom, 'x');
        return rom.Save().Error();
    });
    EXPECT_EQ(outcome, "Cannot open " + path + ": Permission denied");
    EXPECT_EQ(TempDir::ReadFile(path), original);
}

TEST_F(RomFileTest, UnreadableFileIsReported) {
    chmod(path.c_str(), 0);
    const std::string outcome = Unprivileged::Run([&] { return RomFile().Open(path).Error(); });
    EXPECT_EQ(outcome, "Cannot open " + path + ": Permission denied");
}

// A file-size limit below the file's length makes write() stop short and
// then fail: the only way to get a genuine short write without a full disk.
TEST_F(RomFileTest, ShortWriteIsReportedNotTakenForSuccess) {
    RomFile rom;
    ASSERT_TRUE(rom.Open(path));
    Overwrite(rom, 'x');

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 40;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const FileResult result = rom.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(result.Error(), "Cannot write " + path + ": File too large");
    EXPECT_EQ(std::filesystem::file_size(path), 100u);
}

} // namespace
