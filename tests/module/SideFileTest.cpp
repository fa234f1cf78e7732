#include "module/SideFile.h"

#include <cstdio>
#include <filesystem>
#include <sys/mman.h>
#include <unistd.h>

#include "LoaderFixture.h"
#include "module/ModuleLoader.h"
#include "platform/files/CArchive.h"
#include "platform/files/CFile.h"

namespace {

using Lines = ModuleWriter::Lines;

Lines Labels(const EntryLabels& labels) {
    Lines out;
    for (size_t i = 0; i < labels.size(); ++i)
        out.emplace_back(labels[i]);
    return out;
}

Lines WithNames(const std::string& names, const std::string& count = "4") {
    return ModuleWriter::Header(count, "8", names);
}

Lines WithTable(const std::string& table) {
    return ModuleWriter::Header("1", "8", "NULL", table);
}

Lines WithList(const std::string& list) {
    return ModuleWriter::Header("1", "8") + ModuleWriter::Element("0", "2", "-D--", list);
}

} // namespace

using EntryNamesTest = LoaderFixture;
using CharTableTest = LoaderFixture;
using ValueListTest = LoaderFixture;
using ReadErrorTest = LoaderFixture;

TEST_F(EntryNamesTest, NullGivesBareLabels) {
    ASSERT_EQ(Load(WithNames("NULL", "3")), LoadError::None);
    EXPECT_EQ(Labels(module->m_entryNames), (Lines{"0x00", "0x01", "0x02"}));
}

TEST_F(EntryNamesTest, NamesFillFromTheTopAndSurplusIsIgnored) {
    dir.Write("few.txt", "Slime\n\n# not a name\nBat  Cave \r\n");
    ASSERT_EQ(Load(WithNames("few.txt")), LoadError::None);
    EXPECT_EQ(Labels(module->m_entryNames), (Lines{"0x00 - Slime", "0x01 - Bat  Cave ", "0x02", "0x03"}));

    dir.Write("many.txt", "a\nb\nc\nd\ne\nf\n");
    ASSERT_EQ(Load(WithNames("many.txt", "2")), LoadError::None);
    EXPECT_EQ(Labels(module->m_entryNames), (Lines{"0x00 - a", "0x01 - b"}));
}

TEST_F(EntryNamesTest, NamesAcrossManyReadBuffersArriveWhole) {
    // Well over one read buffer of names of every length, with both line
    // ends, so names are cut by buffer ends at every offset.
    std::string text;
    Lines expected;
    for (int i = 0; i < 9000; ++i) {
        const std::string name = "Name " + std::string(static_cast<size_t>(i % 23), 'x') + std::to_string(i);
        text += name + (i % 2 != 0 ? "\r\n" : "\n");
        char number[16];
        std::snprintf(number, sizeof number, "0x%02X - ", static_cast<unsigned>(i));
        expected.push_back(number + name);
    }
    ASSERT_GT(text.size(), 2 * SideFile::bufferSize);
    dir.Write("big.txt", text);
    ASSERT_EQ(Load(WithNames("big.txt", "9000")), LoadError::None);
    EXPECT_EQ(Labels(module->m_entryNames), expected);
}

TEST_F(EntryNamesTest, LabelsGrowToThreeDigits) {
    dir.Write("sub/names.txt", "zero\n");
    // A folder written with a backslash, as modules from Windows have it.
    ASSERT_EQ(Load(WithNames("sub\\names.txt", "300")), LoadError::None);
    ASSERT_EQ(module->m_entryNames.size(), 300u);
    EXPECT_EQ(module->m_entryNames[0], "0x00 - zero");
    EXPECT_EQ(module->m_entryNames[10], "0x0A");
    EXPECT_EQ(module->m_entryNames[255], "0xFF");
    EXPECT_EQ(module->m_entryNames[256], "0x100");
    EXPECT_EQ(module->m_entryNames[299], "0x12B");
}

TEST_F(CharTableTest, AnySeparatorAndTheHighHalf) {
    dir.Write("c.tbl", "80=A\n81 B\nc3xC\nFF\xe9\xe9\n# comment\n\n0a.\xff\n");
    ASSERT_EQ(Load(WithTable("c.tbl")), LoadError::None);
    const CTableModule& m = *module;
    EXPECT_EQ(m.m_charOf[0x80], 'A');
    EXPECT_EQ(m.m_codeOf['A'], 0x80);
    EXPECT_EQ(m.m_charOf[0x81], 'B');
    EXPECT_EQ(m.m_charOf[0xC3], 'C');
    EXPECT_EQ(m.m_charOf[0xFF], 0xE9);
    EXPECT_EQ(m.m_codeOf[0xE9], 0xFF);
    EXPECT_EQ(m.m_charOf[0x0A], 0xFF);
    EXPECT_EQ(m.m_codeOf[0xFF], 0x0A);
    // Untouched positions keep the identity in both directions; 'A' still
    // decodes from 0x41 although it now encodes to 0x80.
    EXPECT_EQ(m.m_charOf[0x41], 'A');
    EXPECT_EQ(m.m_charOf[0xE9], 0xE9);
    EXPECT_EQ(m.m_codeOf['Z'], 'Z');
}

TEST_F(CharTableTest, LaterLinesWinAndOddCodesReadAsStrtoul) {
    dir.Write("c.tbl", "41=X\n42=X\nzz=Q\n 7=S\n");
    ASSERT_EQ(Load(WithTable("c.tbl")), LoadError::None);
    const CTableModule& m = *module;
    EXPECT_EQ(m.m_charOf[0x41], 'X');
    EXPECT_EQ(m.m_charOf[0x42], 'X');
    EXPECT_EQ(m.m_codeOf['X'], 0x42);
    EXPECT_EQ(m.m_charOf[0x00], 'Q'); // no digits give code 0
    EXPECT_EQ(m.m_charOf[0x07], 'S');
}

TEST_F(CharTableTest, MissingTableMeansIdentity) {
    for (const std::string name : {"none.tbl", "NULL", ""}) {
        ASSERT_EQ(Load(WithTable(name)), LoadError::None) << name;
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(module->m_charOf[static_cast<size_t>(i)], i);
            ASSERT_EQ(module->m_codeOf[static_cast<size_t>(i)], i);
        }
    }
}

TEST_F(ValueListTest, ValuesAndNames) {
    dir.Write("v.txt", "# header comment\n0x4\n010 Eight\n\n0x1F Thirty one\n7 \nnone Zero\n#tail\n");
    ASSERT_EQ(Load(WithList("v.txt")), LoadError::None);
    const ModuleElement& e = *module->m_elements[0];
    EXPECT_EQ(e.valueCount, 4);
    EXPECT_EQ(e.values, (std::vector<uint32_t>{8, 31, 7, 0}));
    EXPECT_EQ(e.valueNames, (Lines{"Eight", "Thirty one", "", "Zero"}));
}

TEST_F(ValueListTest, CountDecidesHowManyLinesAreRead) {
    dir.Write("three.txt", "2\n1 a\n2 b\nno space here\n");
    ASSERT_EQ(Load(WithList("three.txt")), LoadError::None);
    EXPECT_EQ(module->m_elements[0]->valueCount, 2);

    dir.Write("short.txt", "2\n1 a\n");
    EXPECT_EQ(Load(WithList("short.txt")), LoadError::DropboxFormat);
    dir.Write("lead.txt", "1\n 1 a\n");
    CTableModule kept;
    EXPECT_EQ(LoadKeeping(kept, WithList("lead.txt")), LoadError::DropboxFormat);
    // A failed list never reaches the module.
    EXPECT_EQ(kept.m_nElements, 0);
}

namespace {

// /proc/self/mem reads our own memory; an unmapped address fails with EIO,
// which gives files that break off with a read error rather than an end.
std::string LinkToUnreadable(const TempDir& dir, const std::string& name) {
    std::filesystem::create_symlink("/proc/self/mem", dir.Path() + name);
    return dir.Path() + name;
}

} // namespace

TEST_F(ReadErrorTest, ModuleFileFailingAtOnce) {
    EXPECT_EQ(LoadPath(LinkToUnreadable(dir, "mod.qlm")), LoadError::Read);
}

TEST_F(ReadErrorTest, ModuleFileFailingAfterAFullBuffer) {
    // One page of module text followed by an unmapped page: the loader sees
    // a complete header, then the read of the next block fails. Taking that
    // for the end would load a module without its elements.
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    ASSERT_GE(page, CArchive::bufferSize);
    auto* mem = static_cast<char*>(
            mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(mem, MAP_FAILED);
    std::string text = ModuleWriter::Text(WithNames("NULL")) + "#";
    text.resize(page, 'x');
    std::copy(text.begin(), text.end(), mem);
    ASSERT_EQ(munmap(mem + page, page), 0);

    CFile file;
    ASSERT_TRUE(file.Open(LinkToUnreadable(dir, "mod.qlm"), CFile::modeRead));
    ASSERT_TRUE(file.Seek(reinterpret_cast<uintptr_t>(mem)));
    CTableModule kept;
    const LoadFailure failure = ModuleLoader(kept, file).Run();
    EXPECT_EQ(failure.error, LoadError::Read);
    // The seven header lines, then the comment line the failed read cut.
    EXPECT_EQ(failure.at.line, 8u);
    munmap(mem, page);
}

TEST_F(ReadErrorTest, SideFilesFailing) {
    LinkToUnreadable(dir, "bad");
    CTableModule names;
    EXPECT_EQ(LoadKeeping(names, WithNames("bad")), LoadError::Read);
    // No labels at all, rather than a shortened list.
    EXPECT_TRUE(names.m_entryNames.empty());
    EXPECT_EQ(Load(WithTable("bad")), LoadError::Read);
    CTableModule list;
    EXPECT_EQ(LoadKeeping(list, WithList("bad")), LoadError::Read);
    EXPECT_EQ(list.m_nElements, 0);
}
