#include <cstdio>
#include <utility>

#include "LoaderFixture.h"
#include "table/ElementStyle.h"

namespace {

using Lines = ModuleWriter::Lines;
using Files = ModuleWriter::SideFiles;

Lines El(std::string offset, std::string size, std::string style, std::string list = "none.txt") {
    return ModuleWriter::Element(std::move(offset), std::move(size), std::move(style), std::move(list));
}

const Lines H = ModuleWriter::Header();

// One more than the largest count a module may give.
const std::string kAboveBound = std::to_string(CTableModule::maxCount + 1);

struct ErrorCase {
    const char* what;
    Lines module;
    Files files;
    LoadError expected;
};

// Every load error id, and where two checks fail at once, the one that runs
// first decides.
const std::vector<ErrorCase> kErrorCases = {
        {"empty file", {}, {}, LoadError::Version},
        {"only comments", {"# x", "", "#"}, {}, LoadError::Version},
        {"version with trailing blank", {"1 "}, {}, LoadError::Version},
        {"version with leading blank", {" 1"}, {}, LoadError::Version},
        {"version 1.0", {"1.0"}, {}, LoadError::Version},
        {"version before zero entries", {"2", "T", "0", "0", "0"}, {}, LoadError::Version},
        {"zero entries", {"1", "T", "0", "0", "8"}, {}, LoadError::ZeroEntries},
        {"minus zero entries", {"1", "T", "0", "-0", "8"}, {}, LoadError::ZeroEntries},
        {"no digits entries", {"1", "T", "0", "many", "8"}, {}, LoadError::ZeroEntries},
        {"zero entries before zero length", {"1", "T", "0", "0", "0"}, {}, LoadError::ZeroEntries},
        {"negative entries", {"1", "T", "0", "-5", "8", "NULL"}, {}, LoadError::CountRange},
        {"negative wrapping to one", {"1", "T", "0", "-4294967295", "8", "NULL"}, {}, LoadError::CountRange},
        {"entries above the bound", {"1", "T", "0", kAboveBound, "8", "NULL"}, {}, LoadError::CountRange},
        {"entries beyond 32 bits", {"1", "T", "0", "99999999999", "8", "NULL"}, {}, LoadError::CountRange},
        {"length 08 reads as 0", {"1", "T", "0", "4", "08", "NULL"}, {}, LoadError::ZeroLength},
        {"zero length before missing names", {"1", "T", "0", "4", "0", "nofile"}, {}, LoadError::ZeroLength},
        {"names file missing", {"1", "T", "0", "4", "8", "names.txt"}, {}, LoadError::NameList},
        {"names in lower case null", {"1", "T", "0", "4", "8", "null"}, {}, LoadError::NameList},
        {"names missing before bad table",
         {"1", "T", "0", "4", "8", "nofile", "c.tbl"},
         {{"c.tbl", "41\n"}},
         LoadError::NameList},
        {"table line of 3",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl"},
         {{"c.tbl", "41=A\n41=\n"}},
         LoadError::CharTable},
        {"table line with trailing blank",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl"},
         {{"c.tbl", "41=A \n"}},
         LoadError::CharTable},
        {"table code below zero",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl"},
         {{"c.tbl", "-1=A\n"}},
         LoadError::CharTable},
        {"bad table before bad element",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl", "E", "0", "0"},
         {{"c.tbl", "4=A\n"}},
         LoadError::CharTable},
        {"element size 0", H + El("0", "0", "----"), {}, LoadError::ZeroLength},
        {"size 0 before outside the entry", H + El("99", "0", "--"), {}, LoadError::ZeroLength},
        {"one byte past the entry", H + El("7", "2", "----"), {}, LoadError::OutOfEntry},
        {"offset wraps past 32 bits", H + El("4294967295", "2", "----"), {}, LoadError::OutOfEntry},
        {"size wraps past 32 bits", H + El("1", "0xFFFFFFFF", "T---"), {}, LoadError::OutOfEntry},
        {"outside the entry before short style", H + El("8", "1", "x"), {}, LoadError::OutOfEntry},
        {"style of three", H + El("0", "1", "T--"), {}, LoadError::StyleShort},
        {"dropbox text", H + El("0", "1", "TD--"), {}, LoadError::StyleInvalid},
        {"dropbox hex array", H + El("0", "1", "hd--"), {}, LoadError::StyleInvalid},
        {"dropbox signed", H + El("0", "1", "-D-s"), {}, LoadError::StyleInvalid},
        {"dropbox biscuit B", H + El("0", "1", "-DHB"), {}, LoadError::StyleInvalid},
        {"contradiction before width", H + El("0", "5", "-D-S"), {}, LoadError::StyleInvalid},
        {"number of 5 bytes", H + El("0", "5", "----"), {}, LoadError::NumericSize},
        {"dropbox of 5 bytes before its list",
         H + El("0", "5", "-D--", "missing.txt"),
         {},
         LoadError::NumericSize},
        {"dropbox list missing", H + El("0", "1", "-D--", "missing.txt"), {}, LoadError::DropboxOpen},
        {"dropbox list empty line", H + El("0", "1", "-D--", ""), {}, LoadError::DropboxOpen},
        {"dropbox list empty", H + El("0", "1", "-D--", "v.txt"), {{"v.txt", ""}}, LoadError::DropboxEmpty},
        {"dropbox count 00",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "00\n1 a\n"}},
         LoadError::DropboxEmpty},
        {"dropbox count negative",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "-1\n1 a\n"}},
         LoadError::CountRange},
        {"dropbox count above the bound",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", kAboveBound + "\n1 a\n"}},
         LoadError::CountRange},
        {"dropbox line without space",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "1\n5\n"}},
         LoadError::DropboxFormat},
        {"second element fails", H + El("0", "1", "----") + El("0", "9", "T---"), {}, LoadError::OutOfEntry},
        {"ends after a name", H + Lines{"Name"}, {}, LoadError::ZeroLength},
        {"ends after a size", H + Lines{"Name", "0", "1"}, {}, LoadError::StyleShort},
};

} // namespace

using ModuleLoaderTest = LoaderFixture;

TEST_F(ModuleLoaderTest, EveryErrorFromAFileOnDiskInCheckOrder) {
    int n = 0;
    for (const ErrorCase& c : kErrorCases) {
        SCOPED_TRACE(c.what);
        // A failed module is destroyed at once; whatever state it was left
        // in must come apart cleanly (the sanitizers watch this).
        EXPECT_EQ(Load(c.module, c.files, "case" + std::to_string(n++) + "/mod.qlm"), c.expected);
        EXPECT_EQ(module, nullptr);
    }
}

TEST_F(ModuleLoaderTest, FailedLoadsLeaveWhatTheyReached) {
    CTableModule zeroLength;
    ASSERT_EQ(LoadKeeping(zeroLength, {"1", "T", "0", "4", "0"}), LoadError::ZeroLength);
    EXPECT_EQ(zeroLength.m_nEntryCount, 4);
    EXPECT_TRUE(zeroLength.m_entryNames.empty());

    CTableModule noNames;
    ASSERT_EQ(LoadKeeping(noNames, {"1", "T", "0", "4", "8", "names.txt"}), LoadError::NameList);
    EXPECT_EQ(noNames.m_nEntryCount, -1);
    EXPECT_TRUE(noNames.m_entryNames.empty());

    CTableModule third;
    ASSERT_EQ(LoadKeeping(third, H + El("0", "1", "----") + El("1", "1", "---S") + El("0", "1", "-D-S")),
              LoadError::StyleInvalid);
    EXPECT_EQ(third.m_nElements, 2);
    EXPECT_EQ(third.m_entryNames.size(), 4u);
}

TEST_F(ModuleLoaderTest, LoadsHeaderAndElementsInFileOrder) {
    Lines lines = H + El("0", "1", "--H-") + El("1", "2", "-dhb", "v.txt") + El("0", "8", "t---");
    ASSERT_EQ(Load(lines, {{"v.txt", "2\n0x10 Sixteen\n010 Eight\n"}}), LoadError::None);
    const CTableModule& m = *module;
    EXPECT_EQ(m.m_strName, "Test");
    EXPECT_EQ(m.m_nBaseOffset, 16u);
    EXPECT_EQ(m.m_nEntryCount, 4);
    EXPECT_EQ(m.m_nEntryLength, 8u);
    EXPECT_EQ(m.m_nCurEntry, 0);
    EXPECT_EQ(m.GetPath(), dir.Path() + "mod.qlm");
    EXPECT_EQ(m.m_strDir, dir.Path());
    ASSERT_EQ(m.m_nElements, 3);
    EXPECT_EQ(m.m_elements[0]->style, STYLE_HEX);
    EXPECT_EQ(m.m_elements[1]->style, STYLE_DROPBOX | STYLE_HEX | STYLE_BISCUIT);
    EXPECT_EQ(m.m_elements[1]->offset, 1u);
    EXPECT_EQ(m.m_elements[1]->size, 2u);
    EXPECT_EQ(m.m_elements[1]->valueCount, 2);
    EXPECT_EQ(m.m_elements[1]->values, (std::vector<uint32_t>{16, 8}));
    EXPECT_EQ(m.GetValueName(1, 0), "Sixteen");
    EXPECT_EQ(m.m_elements[2]->style, STYLE_TEXT);
    EXPECT_EQ(m.m_elements[2]->valueCount, 0);
    EXPECT_TRUE(m.m_elements[2]->data.empty());
}

TEST_F(ModuleLoaderTest, BlankAndCommentLinesAnywhereChangeNothing) {
    Lines plain = H + El("0", "2", "---S") + El("2", "6", "T---");
    Lines noisy = {"",  "# comment", "1",    "",         "Test",     "#",        "0x10",  "4",
                   "",  "8",         "NULL", "#x",       "none.tbl", "",         "Field", "# inside",
                   "0", "",          "2",    "---S",     "#",        "none.txt", "Field", "2",
                   "6", "",          "T---", "none.txt", "",         "#",        "",      "# trailing"};
    ASSERT_EQ(Load(plain), LoadError::None);
    auto reference = std::move(module);
    ASSERT_EQ(LoadText(ModuleWriter::Text(noisy, "\r\n")), LoadError::None);
    ASSERT_EQ(module->m_nElements, 2);
    for (int i = 0; i < 2; ++i) {
        const ModuleElement& a = *reference->m_elements[static_cast<size_t>(i)];
        const ModuleElement& b = *module->m_elements[static_cast<size_t>(i)];
        EXPECT_EQ(a.offset, b.offset);
        EXPECT_EQ(a.size, b.size);
        EXPECT_EQ(a.style, b.style);
    }
    // Leading blanks make a line significant: this title is not a comment.
    ASSERT_EQ(Load({"1", "  # title", "0", "1", "1", "NULL", "x"}), LoadError::None);
    EXPECT_EQ(module->m_strName, "  # title");
}

TEST_F(ModuleLoaderTest, WhereTheFileEnds) {
    ASSERT_EQ(Load(H), LoadError::None);
    EXPECT_EQ(module->m_nElements, 0);
    // Without the character table line the table reads as "", the folder.
    ASSERT_EQ(Load({"1", "T", "0", "1", "1", "NULL"}), LoadError::None);
    EXPECT_EQ(module->m_charOf['A'], 'A');
    // The last element needs no list line and no final line end.
    ASSERT_EQ(LoadText(ModuleWriter::Text(H) + "Last\n0\n4\n----"), LoadError::None);
    ASSERT_EQ(module->m_nElements, 1);
    EXPECT_EQ(module->m_elements[0]->size, 4u);
}

TEST_F(ModuleLoaderTest, NumbersUseTheAutomaticBase) {
    ASSERT_EQ(Load(Lines{"1", "T", "020", "0x10", "010 bytes long", "NULL", "x"} + El("0X2", "06", "H---")),
              LoadError::None);
    EXPECT_EQ(module->m_nBaseOffset, 16u);
    EXPECT_EQ(module->m_nEntryCount, 16);
    EXPECT_EQ(module->m_nEntryLength, 8u);
    EXPECT_EQ(module->m_entryNames.size(), 16u);
    EXPECT_EQ(module->m_elements[0]->offset, 2u);
    EXPECT_EQ(module->m_elements[0]->size, 6u);
}

TEST_F(ModuleLoaderTest, TheLargestTableTheBoundAllows) {
    const uint32_t count = CTableModule::maxCount;
    ASSERT_EQ(Load({"1", "T", "0", std::to_string(count), "1", "NULL", "x"}), LoadError::None);
    ASSERT_EQ(module->m_entryNames.size(), count);
    char last[16];
    std::snprintf(last, sizeof last, "0x%02X", count - 1);
    EXPECT_EQ(module->m_entryNames.back(), last);
}

TEST_F(ModuleLoaderTest, ElementsMayEndExactlyAtTheEntryEnd) {
    ASSERT_EQ(Load(H + El("6", "2", "----") + El("0", "8", "H---")), LoadError::None);
    EXPECT_EQ(module->m_nElements, 2);
    // Text and hex arrays are not bound to four bytes.
    ASSERT_EQ(Load(ModuleWriter::Header("1", "40") + El("0", "40", "T---") + El("0", "40", "h---")),
              LoadError::None);
    EXPECT_EQ(module->m_nElements, 2);
}

TEST_F(ModuleLoaderTest, NonDropboxListLineIsNeverOpened) {
    ASSERT_EQ(Load(H + El("0", "1", "T--S", "does/not/exist.txt") + El("0", "1", "---b", "")),
              LoadError::None);
    EXPECT_EQ(module->m_elements[0]->style, STYLE_TEXT | STYLE_SIGNED);
    EXPECT_EQ(module->m_elements[1]->style, STYLE_BISCUIT);
}

namespace {

struct StyleCase {
    const char* descriptor;
    uint8_t bits;
};

class StyleDescriptorTest : public LoaderFixture, public testing::WithParamInterface<StyleCase> {};

} // namespace

TEST_P(StyleDescriptorTest, LettersSetTheirBits) {
    const StyleCase& c = GetParam();
    ASSERT_EQ(Load(H + El("0", "4", c.descriptor)), LoadError::None) << c.descriptor;
    EXPECT_EQ(module->m_elements[0]->style, c.bits) << c.descriptor;
}

INSTANTIATE_TEST_SUITE_P(Descriptors, StyleDescriptorTest,
                         testing::Values(StyleCase{"----", 0}, StyleCase{"xyzw", 0},
                                         StyleCase{"T---", STYLE_TEXT}, StyleCase{"t---", STYLE_TEXT},
                                         StyleCase{"H---", STYLE_HEXARRAY}, StyleCase{"h---", STYLE_HEXARRAY},
                                         StyleCase{"--H-", STYLE_HEX}, StyleCase{"--h-", STYLE_HEX},
                                         StyleCase{"---S", STYLE_SIGNED}, StyleCase{"---s", STYLE_SIGNED},
                                         StyleCase{"---b", STYLE_BISCUIT},
                                         StyleCase{"---B", STYLE_BISCUIT | STYLE_SIGNED},
                                         StyleCase{"T-HS", STYLE_TEXT | STYLE_HEX | STYLE_SIGNED},
                                         StyleCase{"--H-TD", STYLE_HEX}, StyleCase{"D-T-", 0}));
