#include "document/LinkFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Deadline.h"
#include "FileSizeLimit.h"
#include "ModuleWriter.h"
#include "OddFiles.h"
#include "TempDir.h"
#include "Unprivileged.h"
#include "document/ModuleList.h"
#include "table/CTableModule.h"

namespace {

std::vector<std::string> LinesOf(const std::string& path) {
    const LinkFileRead read = LinkFile::Read(path);
    if (!read) {
        ADD_FAILURE() << read.Error();
        return {};
    }
    EXPECT_TRUE(read.Value().has_value()) << "no link file at " << path;
    return read.Value().value_or(std::vector<std::string>{});
}

// Every name in a folder, so that a test sees a temporary file left behind.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A disk that fills up: a small tmpfs mounted in a mount namespace of the
// child's own, so that nothing outlives the test. Writes the old link file,
// fills the disk, tries a longer one; "no tmpfs" where mounting is not allowed.
std::string WriteOnAFullDisk(const std::string& disk) {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        return "no tmpfs";
    const std::string link = disk + "/demo.ql.ini";
    if (!LinkFile::Write(link, {"/old.qlm"})) return "old list not written";
    {
        std::FILE* filler = std::fopen((disk + "/filler").c_str(), "wb");
        const std::string block(4096, 'f');
        while (filler != nullptr && std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {}
        if (filler != nullptr) std::fclose(filler);
    }
    // Longer than the pages the old file held, which emptying it would free.
    const std::vector<std::string> longer(200, "/new/modules/a-module-with-a-long-name.qlm");
    std::string text = LinkFile::Write(link, longer).Error() + "\n";
    text += TempDir::ReadFile(link) + "\n";
    for (const std::string& name : NamesIn(disk))
        text += name + " ";
    return text;
}

TEST(LinkFilePath, BaseNameUpToTheLastDotPlusSuffix) {
    EXPECT_EQ(LinkFile::PathFor("/work/", "demo.bin"), "/work/demo.ql.ini");
    EXPECT_EQ(LinkFile::PathFor("/work/", "image.old.bin"), "/work/image.old.ql.ini");
    EXPECT_EQ(LinkFile::PathFor("/work/", "ROMFILE"), "/work/.ql.ini");
    EXPECT_EQ(LinkFile::PathFor("", "demo.bin"), "demo.ql.ini");
}

TEST(LinkFileResolve, BackslashesSeparateFoldersAndRelativeLinesStartAtTheRomFolder) {
    EXPECT_EQ(LinkFile::ResolveLine("/roms/", "mods\\a.qlm"), "/roms/mods/a.qlm");
    EXPECT_EQ(LinkFile::ResolveLine("/roms/", "../a.qlm"), "/roms/../a.qlm");
    EXPECT_EQ(LinkFile::ResolveLine("/roms/", "/abs/a.qlm"), "/abs/a.qlm");
    EXPECT_EQ(LinkFile::ResolveLine("/roms/", "\\abs\\a.qlm"), "/abs/a.qlm");
    EXPECT_EQ(LinkFile::ResolveLine("/roms/", " a.qlm "), "/roms/ a.qlm ");
}

class LinkFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string link = dir / "demo.ql.ini";
};

TEST_F(LinkFileTest, WritesEachPathWithCrLfAndReadsThemBack) {
    const std::vector<std::string> paths = {"/mods/a.qlm", "/mods/b.qlm"};
    ASSERT_TRUE(LinkFile::Write(link, paths));
    EXPECT_EQ(TempDir::ReadFile(link), "/mods/a.qlm\r\n/mods/b.qlm\r\n");
    EXPECT_EQ(LinesOf(link), paths);
}

TEST_F(LinkFileTest, EmptyListEmptiesAnExistingFile) {
    TempDir::WriteFile(link, "/old/module.qlm\r\n");
    ASSERT_TRUE(LinkFile::Write(link, {}));
    EXPECT_EQ(TempDir::ReadFile(link), "");
    const LinkFileRead read = LinkFile::Read(link);
    ASSERT_TRUE(read);
    ASSERT_TRUE(read.Value().has_value());
    EXPECT_TRUE(read.Value()->empty());
}

TEST_F(LinkFileTest, LineEndsAndUnusualLinesReadAsWritten) {
    TempDir::WriteFile(link, "a\nb\r\nc\rXd\n\n#comment\n  spaced  \nlast");
    EXPECT_EQ(LinesOf(link),
              (std::vector<std::string>{"a", "b", "c", "d", "", "#comment", "  spaced  ", "last"}));
}

TEST_F(LinkFileTest, AbsentAndUnreadableLinkFilesAreToldApart) {
    for (const std::string& absent : {dir / "none.ql.ini", dir.Path()}) {
        const LinkFileRead read = LinkFile::Read(absent);
        ASSERT_TRUE(read) << absent;
        EXPECT_FALSE(read.Value().has_value()) << absent;
    }

    // Opens, then fails its first read (address 0 is never mapped): no lines.
    const LinkFileRead failed = LinkFile::Read("/proc/self/mem");
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.Error(), "Cannot read /proc/self/mem: Input/output error");
}

TEST_F(LinkFileTest, WriteFailuresNameTheFileAndTheReason) {
    const std::string nowhere = dir / "no/such/folder.ql.ini";
    EXPECT_EQ(LinkFile::Write(nowhere, {"/a.qlm"}).Error(),
              "Cannot create " + nowhere + ": No such file or directory");

    TempDir::WriteFile(link, "/kept.qlm\r\n");
    chmod(dir.Path().c_str(), 0555);
    chmod(link.c_str(), 0444);
    const std::string outcome =
            Unprivileged::Run([&] { return LinkFile::Write(link, {"/new.qlm"}).Error(); });
    EXPECT_EQ(outcome, "Cannot create " + link + ": Permission denied");
    EXPECT_EQ(TempDir::ReadFile(link), "/kept.qlm\r\n");
    chmod(dir.Path().c_str(), 0755);
}

// The link file round trip as the dialog drives it: write the list, read the
// lines, resolve each against the ROM's folder, add each module.
TEST_F(LinkFileTest, ReloadsTheListedModulesAndSkipsLinesThatNameNoFile) {
    ModuleWriter writer(dir);
    writer.Write("a.qlm", ModuleWriter::Loadable("A"), {}, "\r\n");
    writer.Write("sub/b.qlm", ModuleWriter::Loadable("B"), {}, "\r\n");
    TempDir::WriteFile(link, "a.qlm\n\n#a.qlm\nsub\\b.qlm\r\ndeleted.qlm\r\n" + dir / "a.qlm");

    ModuleList::Modules modules;
    ModuleList list(modules);
    int skipped = 0;
    for (const std::string& line : LinesOf(link)) {
        const ModuleList::AddResult result = list.AddModuleFromFile(LinkFile::ResolveLine(dir.Path(), line));
        skipped += !result && result.Error().NotOpened() ? 1 : 0;
    }
    EXPECT_EQ(skipped, 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(modules[0]->m_strName, "A");
    EXPECT_EQ(modules[1]->GetPath(), dir / "sub/b.qlm");
    EXPECT_EQ(modules[2]->m_strName, "A");

    ASSERT_TRUE(LinkFile::Write(link, list.Paths()));
    const std::string a = dir / "a.qlm";
    const std::string b = dir / "sub/b.qlm";
    EXPECT_EQ(TempDir::ReadFile(link), a + "\r\n" + b + "\r\n" + a + "\r\n");
}

// The old list survives a write that cannot finish: on a real full disk where
// the machine lets the test mount one, else past a file-size limit.
TEST_F(LinkFileTest, FullDiskLeavesThePreviousListWhole) {
    const std::string disk = dir / "disk";
    std::filesystem::create_directory(disk);
    const std::optional<std::string> seen = Deadline::Run(30, [&] { return WriteOnAFullDisk(disk); });
    ASSERT_TRUE(seen) << "the write did not return";
    if (*seen != "no tmpfs") {
        EXPECT_EQ(*seen, "Cannot write " + disk +
                                 "/demo.ql.ini: No space left on device\n/old.qlm\r\n\n"
                                 "demo.ql.ini filler ");
        return;
    }
    TempDir::WriteFile(link, "/old.qlm\r\n");
    const std::string longer(64, 'n');
    FileResult written = FileResult::Success();
    {
        FileSizeLimit limit(16);
        written = LinkFile::Write(link, {longer});
    }
    EXPECT_EQ(written.Error(), "Cannot write " + link + ": File too large");
    EXPECT_EQ(TempDir::ReadFile(link), "/old.qlm\r\n");
    EXPECT_EQ(NamesIn(dir.Path()), (std::vector<std::string>{"demo.ql.ini", "disk"}));
}

// A link file kept elsewhere and linked into place stays linked, and the
// file it names keeps its permissions.
TEST_F(LinkFileTest, SymbolicLinkKeepsPointingAtItsReplacedTarget) {
    const std::string kept = dir / "kept/demo.ql.ini";
    TempDir::WriteFile(dir.Write("kept/demo.ql.ini", "/old.qlm\r\n"), "/old.qlm\r\n");
    chmod(kept.c_str(), 0640);
    std::filesystem::create_symlink("kept/demo.ql.ini", link);
    ASSERT_TRUE(LinkFile::Write(link, {"/new.qlm"}));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::ReadFile(kept), "/new.qlm\r\n");
    struct stat st {};
    ASSERT_EQ(stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn(dir / "kept"), std::vector<std::string>{"demo.ql.ini"});
}

// A link file path that names no regular file: nothing to read (as when
// there is no link file) and nothing written in its place; neither waits.
class OddLinkFileTest : public testing::TestWithParam<OddFile> {
protected:
    TempDir dir;
    std::string link = dir / "demo.ql.ini";
};

TEST_P(OddLinkFileTest, ReadsAsAbsentAndIsNeverReplaced) {
    GetParam().make(link);
    const std::optional<std::string> seen = Deadline::Run(10, [&] {
        const LinkFileRead read = LinkFile::Read(link);
        std::string text = !read ? read.Error() : read.Value() ? "lines" : "absent";
        return text + "\n" + LinkFile::Write(link, {"/a.qlm"}).Error();
    });
    ASSERT_TRUE(seen) << "Read or Write did not return";
    const std::string reason = GetParam().kind == "Folder" ? "Is a directory" : "not a regular file";
    EXPECT_EQ(*seen, "absent\nCannot create " + link + ": " + reason);
    EXPECT_FALSE(std::filesystem::is_regular_file(link));
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"demo.ql.ini"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddLinkFileTest, testing::ValuesIn(OddFile::All()),
                         [](const auto& row) { return row.param.kind; });

} // namespace

namespace {

// A link file naming one module, itself, or far too many: each path is
// loaded once, the first failures and a count share one message, and what
// is read at all is bounded.
TEST(LinkFileBounds, EachModuleOnceFailuresInOneTextAndBoundedReading) {
    TempDir dir;
    ModuleWriter(dir).Write("good.qlm", ModuleWriter::Loadable("Good"));
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "good.qlm\r\n.\\bad" + std::to_string(i % 5) + ".qlm\r\nmissing.qlm\r\n";
    for (int i = 0; i < 5; ++i)
        dir.Write("bad" + std::to_string(i) + ".qlm", "2\n");
    const LinkFileRead read = LinkFile::Read(dir.Write("rom.ql.ini", text));
    ASSERT_TRUE(read && read.Value());
    const std::vector<std::string> paths = LinkFile::ModulePaths(dir.Path() + "/", *read.Value());
    ASSERT_EQ(paths.size(), 7u);

    ModuleList::Modules modules;
    const ModuleList::Failures failures = ModuleList(modules).AddModulesFromFiles(paths);
    ASSERT_EQ(modules.size(), 1u);
    EXPECT_EQ(modules[0]->m_strName, "Good");
    EXPECT_EQ(failures.count, 5u);
    const std::string shown = failures.Text();
    EXPECT_EQ(shown.rfind("5 modules of the link file could not be loaded:", 0), 0u) << shown;
    EXPECT_NE(shown.find("bad2.qlm"), std::string::npos);
    EXPECT_EQ(shown.find("bad3.qlm"), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - 15), "... and 2 more.");

    std::string tooMany;
    for (size_t i = 0; i <= LinkFile::kMaxLines; ++i)
        tooMany += "good.qlm\r\n";
    const LinkFileRead refused = LinkFile::Read(dir.Write("many.ql.ini", tooMany));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.Error().find("it names more than 1024 modules"), std::string::npos) << refused.Error();
    const LinkFileRead endless =
            LinkFile::Read(dir.Write("long.ql.ini", "good.qlm\r\n" + std::string(1 << 20, 'x')));
    ASSERT_FALSE(endless);
    EXPECT_NE(endless.Error().find("line 2 is longer than 65536 bytes"), std::string::npos)
            << endless.Error();
}

} // namespace
