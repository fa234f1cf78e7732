#include <utility>

#include "LoaderFixture.h"
#include "res/StringTable.h"

namespace {

using Lines = std::vector<std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Lines El(std::string offset, std::string size, std::string style, std::string list = "none.txt") {
    return {"Field", std::move(offset), std::move(size), std::move(style), std::move(list)};
}

const Lines H = {"1", "Test", "0x10", "4", "8", "NULL", "none.tbl"};

struct ErrorCase {
    const char* what;
    Lines module;
    Files files;
    int expected;
};

// Every load error id, and where two checks fail at once, the one that runs
// first decides.
const std::vector<ErrorCase> kErrorCases = {
        {"empty file", {}, {}, IDS_ERR_VERSION},
        {"only comments", {"# x", "", "#"}, {}, IDS_ERR_VERSION},
        {"version with trailing blank", {"1 "}, {}, IDS_ERR_VERSION},
        {"version with leading blank", {" 1"}, {}, IDS_ERR_VERSION},
        {"version 1.0", {"1.0"}, {}, IDS_ERR_VERSION},
        {"version before zero entries", {"2", "T", "0", "0", "0"}, {}, IDS_ERR_VERSION},
        {"zero entries", {"1", "T", "0", "0", "8"}, {}, IDS_ERR_ZERO_ENTRIES},
        {"minus zero entries", {"1", "T", "0", "-0", "8"}, {}, IDS_ERR_ZERO_ENTRIES},
        {"no digits entries", {"1", "T", "0", "many", "8"}, {}, IDS_ERR_ZERO_ENTRIES},
        {"zero entries before zero length", {"1", "T", "0", "0", "0"}, {}, IDS_ERR_ZERO_ENTRIES},
        {"negative entries", {"1", "T", "0", "-5", "8", "NULL"}, {}, IDS_ERR_COUNT_RANGE},
        {"negative wrapping to one", {"1", "T", "0", "-4294967295", "8", "NULL"}, {}, IDS_ERR_COUNT_RANGE},
        {"entries above the bound", {"1", "T", "0", "0x100001", "8", "NULL"}, {}, IDS_ERR_COUNT_RANGE},
        {"entries beyond 32 bits", {"1", "T", "0", "99999999999", "8", "NULL"}, {}, IDS_ERR_COUNT_RANGE},
        {"length 08 reads as 0", {"1", "T", "0", "4", "08", "NULL"}, {}, IDS_ERR_ZERO_LENGTH},
        {"zero length before missing names", {"1", "T", "0", "4", "0", "nofile"}, {}, IDS_ERR_ZERO_LENGTH},
        {"names file missing", {"1", "T", "0", "4", "8", "names.txt"}, {}, IDS_ERR_NAME_LIST},
        {"names in lower case null", {"1", "T", "0", "4", "8", "null"}, {}, IDS_ERR_NAME_LIST},
        {"names missing before bad table",
         {"1", "T", "0", "4", "8", "nofile", "c.tbl"},
         {{"c.tbl", "41\n"}},
         IDS_ERR_NAME_LIST},
        {"table line of 3",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl"},
         {{"c.tbl", "41=A\n41=\n"}},
         IDS_ERR_CHAR_TABLE},
        {"table line with trailing blank",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl"},
         {{"c.tbl", "41=A \n"}},
         IDS_ERR_CHAR_TABLE},
        {"table code below zero",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl"},
         {{"c.tbl", "-1=A\n"}},
         IDS_ERR_CHAR_TABLE},
        {"bad table before bad element",
         {"1", "T", "0", "4", "8", "NULL", "c.tbl", "E", "0", "0"},
         {{"c.tbl", "4=A\n"}},
         IDS_ERR_CHAR_TABLE},
        {"element size 0", H + El("0", "0", "----"), {}, IDS_ERR_ZERO_LENGTH},
        {"size 0 before outside the entry", H + El("99", "0", "--"), {}, IDS_ERR_ZERO_LENGTH},
        {"one byte past the entry", H + El("7", "2", "----"), {}, IDS_ERR_OUT_OF_ENTRY},
        {"offset wraps past 32 bits", H + El("4294967295", "2", "----"), {}, IDS_ERR_OUT_OF_ENTRY},
        {"size wraps past 32 bits", H + El("1", "0xFFFFFFFF", "T---"), {}, IDS_ERR_OUT_OF_ENTRY},
        {"outside the entry before short style", H + El("8", "1", "x"), {}, IDS_ERR_OUT_OF_ENTRY},
        {"style of three", H + El("0", "1", "T--"), {}, IDS_ERR_STYLE_SHORT},
        {"dropbox text", H + El("0", "1", "TD--"), {}, IDS_ERR_STYLE_INVALID},
        {"dropbox hex array", H + El("0", "1", "hd--"), {}, IDS_ERR_STYLE_INVALID},
        {"dropbox signed", H + El("0", "1", "-D-s"), {}, IDS_ERR_STYLE_INVALID},
        {"dropbox biscuit B", H + El("0", "1", "-DHB"), {}, IDS_ERR_STYLE_INVALID},
        {"contradiction before width", H + El("0", "5", "-D-S"), {}, IDS_ERR_STYLE_INVALID},
        {"number of 5 bytes", H + El("0", "5", "----"), {}, IDS_ERR_NUMERIC_SIZE},
        {"dropbox of 5 bytes before its list",
         H + El("0", "5", "-D--", "missing.txt"),
         {},
         IDS_ERR_NUMERIC_SIZE},
        {"dropbox list missing", H + El("0", "1", "-D--", "missing.txt"), {}, IDS_ERR_DROPBOX_OPEN},
        {"dropbox list empty line", H + El("0", "1", "-D--", ""), {}, IDS_ERR_DROPBOX_OPEN},
        {"dropbox list empty", H + El("0", "1", "-D--", "v.txt"), {{"v.txt", ""}}, IDS_ERR_DROPBOX_EMPTY},
        {"dropbox count 00",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "00\n1 a\n"}},
         IDS_ERR_DROPBOX_EMPTY},
        {"dropbox count negative",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "-1\n1 a\n"}},
         IDS_ERR_COUNT_RANGE},
        {"dropbox count above the bound",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "2000000\n1 a\n"}},
         IDS_ERR_COUNT_RANGE},
        {"dropbox line without space",
         H + El("0", "1", "-D--", "v.txt"),
         {{"v.txt", "1\n5\n"}},
         IDS_ERR_DROPBOX_FORMAT},
        {"second element fails", H + El("0", "1", "----") + El("0", "9", "T---"), {}, IDS_ERR_OUT_OF_ENTRY},
        {"ends after a name", H + Lines{"Name"}, {}, IDS_ERR_ZERO_LENGTH},
        {"ends after a size", H + Lines{"Name", "0", "1"}, {}, IDS_ERR_STYLE_SHORT},
};

} // namespace

using ModuleLoaderTest = LoaderFixture;

TEST_F(ModuleLoaderTest, EveryErrorFromAFileOnDiskInCheckOrder) {
    int n = 0;
    for (const ErrorCase& c : kErrorCases) {
        SCOPED_TRACE(c.what);
        std::string folder = "case" + std::to_string(n++) + "/";
        for (const auto& [name, bytes] : c.files)
            m_dir.Write(folder + name, bytes);
        EXPECT_EQ(Load(Join(c.module), folder + "mod.qlm"), c.expected);
        // The caller destroys a failed module at once; whatever state it was
        // left in must come apart cleanly (the sanitizers watch this).
        m_module.reset();
    }
}

TEST_F(ModuleLoaderTest, FailedLoadsLeaveWhatTheyReached) {
    ASSERT_EQ(Load(Join({"1", "T", "0", "4", "0"})), IDS_ERR_ZERO_LENGTH);
    EXPECT_EQ(m_module->m_nEntryCount, 4);
    EXPECT_TRUE(m_module->m_entryNames.empty());

    ASSERT_EQ(Load(Join({"1", "T", "0", "4", "8", "names.txt"})), IDS_ERR_NAME_LIST);
    EXPECT_EQ(m_module->m_nEntryCount, -1);
    EXPECT_TRUE(m_module->m_entryNames.empty());

    ASSERT_EQ(Load(Join(H + El("0", "1", "----") + El("1", "1", "---S") + El("0", "1", "-D-S"))),
              IDS_ERR_STYLE_INVALID);
    EXPECT_EQ(m_module->m_nElements, 2);
    EXPECT_EQ(m_module->m_entryNames.size(), 4u);
}

TEST_F(ModuleLoaderTest, LoadsHeaderAndElementsInFileOrder) {
    m_dir.Write("v.txt", "2\n0x10 Sixteen\n010 Eight\n");
    Lines module = H + El("0", "1", "--H-") + El("1", "2", "-dhb", "v.txt") + El("0", "8", "t---");
    ASSERT_EQ(Load(Join(module)), 0);
    const CTableModule& m = *m_module;
    EXPECT_EQ(m.m_strName, "Test");
    EXPECT_EQ(m.m_nBaseOffset, 16u);
    EXPECT_EQ(m.m_nEntryCount, 4);
    EXPECT_EQ(m.m_nEntryLength, 8u);
    EXPECT_EQ(m.m_nCurEntry, 0);
    EXPECT_EQ(m.GetPath(), m_dir.Path() + "mod.qlm");
    EXPECT_EQ(m.m_strDir, m_dir.Path());
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
    ASSERT_EQ(Load(Join(plain)), 0);
    auto reference = std::move(m_module);
    ASSERT_EQ(Load(Join(noisy, "\r\n")), 0);
    ASSERT_EQ(m_module->m_nElements, 2);
    for (int i = 0; i < 2; ++i) {
        const ModuleElement& a = *reference->m_elements[static_cast<size_t>(i)];
        const ModuleElement& b = *m_module->m_elements[static_cast<size_t>(i)];
        EXPECT_EQ(a.offset, b.offset);
        EXPECT_EQ(a.size, b.size);
        EXPECT_EQ(a.style, b.style);
    }
    // Leading blanks make a line significant: this title is not a comment.
    ASSERT_EQ(Load(Join({"1", "  # title", "0", "1", "1", "NULL", "x"})), 0);
    EXPECT_EQ(m_module->m_strName, "  # title");
}

TEST_F(ModuleLoaderTest, WhereTheFileEnds) {
    ASSERT_EQ(Load(Join(H)), 0);
    EXPECT_EQ(m_module->m_nElements, 0);
    // Without the character table line the table reads as "", the folder.
    ASSERT_EQ(Load(Join({"1", "T", "0", "1", "1", "NULL"})), 0);
    EXPECT_EQ(m_module->m_charOf['A'], 'A');
    // The last element needs no list line and no final line end.
    std::string text = Join(H) + "Last\n0\n4\n----";
    ASSERT_EQ(Load(text), 0);
    ASSERT_EQ(m_module->m_nElements, 1);
    EXPECT_EQ(m_module->m_elements[0]->size, 4u);
}

TEST_F(ModuleLoaderTest, NumbersUseTheAutomaticBase) {
    ASSERT_EQ(Load(Join(Lines{"1", "T", "020", "0x10", "010 bytes long", "NULL", "x"} +
                        El("0X2", "06", "H---"))),
              0);
    EXPECT_EQ(m_module->m_nBaseOffset, 16u);
    EXPECT_EQ(m_module->m_nEntryCount, 16);
    EXPECT_EQ(m_module->m_nEntryLength, 8u);
    EXPECT_EQ(m_module->m_entryNames.size(), 16u);
    EXPECT_EQ(m_module->m_elements[0]->offset, 2u);
    EXPECT_EQ(m_module->m_elements[0]->size, 6u);
}

TEST_F(ModuleLoaderTest, TheLargestTableTheBoundAllows) {
    ASSERT_EQ(Load(Join({"1", "T", "0", "0x100000", "1", "NULL", "x"})), 0);
    ASSERT_EQ(m_module->m_entryNames.size(), 0x100000u);
    EXPECT_EQ(m_module->m_entryNames.back(), "0xFFFFF");
}

TEST_F(ModuleLoaderTest, ElementsMayEndExactlyAtTheEntryEnd) {
    ASSERT_EQ(Load(Join(H + El("6", "2", "----") + El("0", "8", "H---"))), 0);
    EXPECT_EQ(m_module->m_nElements, 2);
    // Text and hex arrays are not bound to four bytes.
    ASSERT_EQ(Load(Join(Header("1", "40") + El("0", "40", "T---") + El("0", "40", "h---"))), 0);
    EXPECT_EQ(m_module->m_nElements, 2);
}

TEST_F(ModuleLoaderTest, NonDropboxListLineIsNeverOpened) {
    ASSERT_EQ(Load(Join(H + El("0", "1", "T--S", "does/not/exist.txt") + El("0", "1", "---b", ""))), 0);
    EXPECT_EQ(m_module->m_elements[0]->style, STYLE_TEXT | STYLE_SIGNED);
    EXPECT_EQ(m_module->m_elements[1]->style, STYLE_BISCUIT);
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
    ASSERT_EQ(Load(Join(H + El("0", "4", c.descriptor))), 0) << c.descriptor;
    EXPECT_EQ(m_module->m_elements[0]->style, c.bits) << c.descriptor;
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

TEST(LoadErrorMessageTest, EveryIdHasItsMessage) {
    for (int id : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
        EXPECT_FALSE(LoadErrorMessage(id).empty()) << id;
    for (int id : {0, 3, 16, -1})
        EXPECT_TRUE(LoadErrorMessage(id).empty()) << id;
    EXPECT_EQ(LoadErrorMessage(IDS_ERR_ZERO_LENGTH), "Quillmoor does not feel like contemplating the "
                                                     "specifics of a table with entries of zero length.");
    EXPECT_EQ(LoadErrorMessage(IDS_ERR_DROPBOX_EMPTY), "An element's dropbox value list specifies zero "
                                                       "values. You're clearly trying to crash Quillmoor. "
                                                       "Leave me alone. :(");
    // The message states the bound the loader enforces.
    EXPECT_NE(LoadErrorMessage(IDS_ERR_COUNT_RANGE).find(std::to_string(CTableModule::maxCount)),
              std::string_view::npos);
}
