#include "document/LinkFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ModuleWriter.h"
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
    EXPECT_EQ(LinkFile::Write("/dev/full", {"/a.qlm"}).Error(),
              "Cannot write /dev/full: No space left on device");

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

} // namespace
