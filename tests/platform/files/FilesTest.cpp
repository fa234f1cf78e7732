#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "Deadline.h"
#include "FileSizeLimit.h"
#include "OddFiles.h"
#include "TempDir.h"
#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CArchive.h"
#include "platform/files/CFile.h"
#include "platform/files/CPath.h"
#include "platform/files/MappedFile.h"

namespace {

std::vector<std::string> Lines(const TempDir& dir, std::string_view bytes) {
    std::string path = dir.Write("lines.txt", bytes);
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead));
    CArchive ar(file, CArchive::load);
    std::vector<std::string> lines;
    std::string line;
    while (ar.ReadString(line))
        lines.push_back(line);
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(ar.Failed());
    return lines;
}

using V = std::vector<std::string>;

// Lines read as views through a buffer of the given size, each copied before
// the next read as the views require.
V ViewLines(const TempDir& dir, std::string_view bytes, size_t bufferBytes) {
    std::string path = dir.Write("views.txt", bytes);
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead));
    CArchive ar(file, CArchive::load, bufferBytes);
    V lines;
    std::string_view line;
    while (ar.ReadString(line))
        lines.emplace_back(line);
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(ar.Failed());
    return lines;
}

} // namespace

TEST(CFileTest, ModesCreateTruncateOrLeaveTheFileAlone) {
    TempDir dir;
    std::string path = dir.Path() + "rom.bin";
    CFile file;
    // Writing alone never creates a file.
    EXPECT_FALSE(file.Open(path, CFile::modeWrite));
    EXPECT_EQ(file.LastErrno(), ENOENT);
    EXPECT_FALSE(file.LastErrorText().empty());

    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Write("abcdef", 6));
    EXPECT_TRUE(file.Sync());
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(dir.Read("rom.bin"), "abcdef");

    // Writing into an existing file keeps its length and the bytes not written.
    ASSERT_TRUE(file.Open(path, CFile::modeWrite));
    EXPECT_TRUE(file.Write("XY", 2));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(dir.Read("rom.bin"), "XYcdef");

    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_FALSE(file.Write("Z", 1));
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 6u);
    EXPECT_FALSE(file.ReadFailed());
    EXPECT_EQ(std::string(buffer), "XYcdef");

    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(dir.Read("rom.bin"), "");
}

// Whatever the mode, only a regular file opens, and nothing else makes Open
// wait: a FIFO without a writer, a socket, an endless device, a folder.
class CFileOddTest : public ::testing::TestWithParam<OddFile> {};

TEST_P(CFileOddTest, OnlyRegularFilesOpenAndNothingBlocks) {
    TempDir dir;
    const std::string path = dir / "odd";
    GetParam().make(path);
    const bool folder = GetParam().kind == "Folder";
    const std::optional<std::string> seen = Deadline::Run(10, [&] {
        std::string text;
        for (unsigned mode : {CFile::modeRead, CFile::modeWrite, CFile::modeReadWrite,
                              CFile::modeCreate | CFile::modeWrite}) {
            CFile file;
            const bool opened = file.Open(path, mode);
            text += std::to_string(opened) + " " + std::to_string(file.IsOpen()) + " " +
                    std::to_string(file.LastErrno()) + " " + file.LastErrorText() + "\n";
        }
        return text;
    });
    ASSERT_TRUE(seen) << "Open did not return";
    const std::string refusal =
            folder ? "0 0 " + std::to_string(EISDIR) + " Is a directory\n"
                   : "0 0 " + std::to_string(CFile::errNotRegular) + " not a regular file\n";
    EXPECT_EQ(*seen, refusal + refusal + refusal + refusal);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CFileOddTest, ::testing::ValuesIn(OddFile::All()),
                         [](const auto& row) { return row.param.kind; });

TEST(CFileTest, LinksAreFollowedToTheRegularFileTheyName) {
    TempDir dir;
    const std::string target = dir.Write("target.bin", "abc");
    ASSERT_EQ(symlink(target.c_str(), (dir / "link").c_str()), 0);
    CFile file;
    ASSERT_TRUE(file.Open(dir / "link", CFile::modeRead));
    EXPECT_EQ(file.GetFilePath(), target);
    char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer), "abc");
}

TEST(CFileTest, PathIsAbsoluteAndResolvedWhenOpened) {
    TempDir dir;
    dir.Write("sub/mod.qlm", "1\n");
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    CFile file;
    bool opened = file.Open("sub/../sub/mod.qlm", CFile::modeRead);
    ASSERT_EQ(chdir(cwd), 0);
    ASSERT_TRUE(opened);
    EXPECT_EQ(file.GetFilePath(), dir.Path() + "sub/mod.qlm");
    EXPECT_EQ(file.GetFileName(), "mod.qlm");

    CFile moved(std::move(file));
    EXPECT_TRUE(moved.IsOpen());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(moved.GetFileName(), "mod.qlm");
}

TEST(CFileTest, ReadErrorIsRecordedNotMistakenForTheEnd) {
    // Address 0 of our own memory is never mapped, so reading it fails.
    CFile file;
    ASSERT_TRUE(file.Open("/proc/self/mem", CFile::modeRead));
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(file.ReadFailed());
    EXPECT_EQ(file.LastErrno(), EIO);
}

TEST(CArchiveTest, LineEnds) {
    TempDir dir;
    EXPECT_EQ(Lines(dir, ""), V{});
    EXPECT_EQ(Lines(dir, "a\nb"), (V{"a", "b"}));
    EXPECT_EQ(Lines(dir, "a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(Lines(dir, "\n\n"), (V{"", ""}));
    // A CR takes the character after it along, whatever that is.
    EXPECT_EQ(Lines(dir, "a\rxb\rc"), (V{"a", "b"}));
    EXPECT_EQ(Lines(dir, "a\r\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines(dir, "end\r"), V{"end"});
    // Bytes pass untouched, blanks and NULs included.
    EXPECT_EQ(Lines(dir, std::string(" \t\xff\0x \n", 7)), V{std::string(" \t\xff\0x ", 6)});
}

TEST(CArchiveTest, LinesCrossTheBufferUnbounded) {
    TempDir dir;
    std::string longLine(3 * CArchive::bufferSize + 17, 'q');
    EXPECT_EQ(Lines(dir, longLine + "\nz"), (V{longLine, "z"}));
    // A CR as the last byte of one buffer still swallows the first of the next.
    std::string first(CArchive::bufferSize - 1, 'a');
    EXPECT_EQ(Lines(dir, first + "\rXnext"), (V{first, "next"}));
}

TEST(CArchiveTest, ViewsAreWholeLinesWhereverTheBufferEnds) {
    TempDir dir;
    // Every terminator kind, an empty line, a CR swallowing a CR, and a line
    // longer than most of the buffers below, through buffers of every small
    // size so each byte in turn is the last of a buffer.
    const std::string text = "ab\r\ncd\rXef\n\nlong line of 21 chars\r\r\ng";
    const V expected = {"ab", "cd", "ef", "", "long line of 21 chars", "", "g"};
    for (size_t size = 1; size <= text.size() + 1; ++size)
        EXPECT_EQ(ViewLines(dir, text, size), expected) << "buffer of " << size;
}

TEST(CArchiveTest, StoreFlushesOnCloseAndReportsFailure) {
    TempDir dir;
    std::string path = dir.Path() + "out.txt";
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    std::string big(CArchive::bufferSize + 10, 'w');
    {
        CArchive ar(file, CArchive::store);
        EXPECT_TRUE(ar.WriteString("first\n"));
        EXPECT_TRUE(ar.WriteString(big));
        EXPECT_TRUE(ar.Close());
    }
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(dir.Read("out.txt"), "first\n" + big);

    // Past the size limit the file takes the open but refuses every byte.
    CFile limited;
    ASSERT_TRUE(limited.Open(path, CFile::modeCreate | CFile::modeWrite));
    CArchive ar(limited, CArchive::store);
    EXPECT_TRUE(ar.WriteString("buffered only"));
    FileSizeLimit limit(0);
    EXPECT_FALSE(ar.Close());
    EXPECT_TRUE(ar.Failed());
    EXPECT_EQ(limited.LastErrno(), EFBIG);
}

TEST(CPathTest, SideFilesJoinWithBackslashesAsSeparators) {
    EXPECT_EQ(CPath::JoinSideFile("/m/", "names.txt"), "/m/names.txt");
    EXPECT_EQ(CPath::JoinSideFile("/m/", "lists\\fire.txt"), "/m/lists/fire.txt");
    EXPECT_EQ(CPath::JoinSideFile("/m/", ""), "/m/");
    EXPECT_EQ(CPath::FolderOf("/a/b/c.qlm"), "/a/b/");
    EXPECT_EQ(CPath::FolderOf("c.qlm"), "");
    EXPECT_EQ(CPath::NameOf("/a/b/c.qlm"), "c.qlm");
    EXPECT_EQ(CPath::NameOf("c.qlm"), "c.qlm");
}

namespace {

// The open flags of the descriptor this process holds on `path`; -1 for none.
int FlagsOfOpenFile(const std::string& path) {
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(fd.path(), error) == path)
            return fcntl(std::stoi(fd.path().filename().string()), F_GETFL);
    }
    return -1;
}

// procfs and sysfs call their files regular and of size 0, and some wait for
// data for ever (/proc/kmsg): a file whose size the kernel does not know
// stays non-blocking, so a read fails or ends at once. A file with bytes
// reads as before.
TEST(CFileTest, AFileOfUnknownSizeIsReadWithoutBlocking) {
    TempDir dir;
    const std::string empty = dir.Write("empty", "");
    const std::string full = dir.Write("full", "bytes");
    CFile emptyFile;
    CFile fullFile;
    ASSERT_TRUE(emptyFile.Open(empty, CFile::modeRead));
    ASSERT_TRUE(fullFile.Open(full, CFile::modeRead));
    EXPECT_NE(FlagsOfOpenFile(emptyFile.GetFilePath()) & O_NONBLOCK, 0);
    EXPECT_EQ(FlagsOfOpenFile(fullFile.GetFilePath()) & O_NONBLOCK, 0);

    CFile status;
    ASSERT_TRUE(status.Open("/proc/self/status", CFile::modeRead));
    char buffer[64] = {};
    EXPECT_EQ(status.Read(buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer, 5), "Name:");
}

TEST(AtomicFileWriter, StreamedContentReplacesWholeOrNotAtAll) {
    TempDir dir;
    const std::string target = dir.Write("out.bin", "old");
    const auto pieces = [](bool finish) {
        return [finish](const AtomicFileWriter::Sink& sink) {
            return sink("new ") && sink("content") && finish;
        };
    };
    const auto givenUp = AtomicFileWriter::ReplaceStreamed(target, pieces(false), std::nullopt);
    ASSERT_TRUE(givenUp);
    EXPECT_EQ(ECANCELED, givenUp->error);
    EXPECT_EQ("old", TempDir::ReadFile(target));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}))
            << "a temporary was left";

    EXPECT_FALSE(AtomicFileWriter::ReplaceStreamed(target, pieces(true), std::nullopt));
    EXPECT_EQ("new content", TempDir::ReadFile(target));
}

// Another program cuts an input short while an output is made from its
// mapped bytes: the process says which input, leaves no temporary beside
// the output and the output as it was, instead of dying of SIGBUS.
TEST(MappedFileDeathTest, AnInputCutShortEndsWithItsMessageAndNoTemporary) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    const std::string input = dir.Write("in.rom", std::string(64 * 1024, 'x'));
    const std::string output = dir.Write("out.rom", "old");
    const auto makeFromShrinkingInput = [&] {
        MappedFile mapped;
        if (mapped.Map(input) != 0) std::_Exit(3);
        mapped.OnCutShort("in.rom was cut short");
        AtomicFileWriter::ReplaceReadingBack(
                output,
                [&](const AtomicFileWriter::GatherSink& sink, const AtomicFileWriter::ReadBack&) {
                    const std::span<const uint8_t> first = mapped.Bytes().first(10);
                    sink({&first, 1});
                    if (::truncate(input.c_str(), 0) != 0) std::_Exit(4);
                    // A page past the start, gone with the truncation.
                    volatile uint8_t lost = mapped.Bytes()[40000];
                    (void)lost;
                    return true;
                },
                std::nullopt);
        std::_Exit(5);
    };
    EXPECT_EXIT(makeFromShrinkingInput(), ::testing::ExitedWithCode(1), "in.rom was cut short");
    EXPECT_EQ("old", TempDir::ReadFile(output));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(dir.Path()), {}))
            << "a temporary was left";
}

} // namespace
