// Strict reading of values and the fast table text, on one module that has
// an element of every kind and size.
#include "document/TableText.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ModuleWriter.h"
#include "TempDir.h"
#include "document/CsvWriter.h"
#include "document/ElementDisplay.h"
#include "document/ElementInput.h"
#include "document/TableExport.h"
#include "module/LoadModuleFile.h"
#include "table/CTableModule.h"

namespace {

constexpr uint32_t kLength = 32;

ModuleWriter::Lines Element(std::string name, std::string offset, std::string size, std::string style,
                            std::string list = "-") {
    return {std::move(name), std::move(offset), std::move(size), std::move(style), std::move(list)};
}

class EveryKind : public ::testing::Test {
protected:
    void SetUp() override {
        const ModuleWriter::Lines lines =
                ModuleWriter::Header("64", std::to_string(kLength), "NULL", "c.tbl") +
                Element("U1", "0", "1", "----") + Element("U2", "1", "2", "----") +
                Element("S1", "3", "1", "---S") + Element("S4", "4", "4", "---S") +
                Element("U4", "8", "4", "----") + Element("H2", "12", "2", "--H-") +
                Element("HA", "14", "3", "H---") + Element("T", "17", "4", "T---") +
                Element("D", "21", "1", "-D--", "d.txt") + Element("DH", "22", "2", "-DH-", "d.txt") +
                Element("H4", "24", "4", "--H-") + Element("SH", "29", "1", "--HS");
        // Code 0x41 shows as X, so X encodes to 0x41 and A encodes to nothing
        // that shows as A.
        ModuleFileResult loaded = LoadModuleFile(ModuleWriter(m_dir).Write(
                "m.qlm", lines, {{"c.tbl", "41=X\n"}, {"d.txt", "3\n1 One\n2 Two, \"2\"\n1 Uno\n"}}));
        ASSERT_TRUE(loaded);
        m_module = std::move(loaded).Value();
    }

    int Index(const std::string& name) const {
        for (int i = 0; i < m_module->m_nElements; ++i)
            if (m_module->GetElementName(i) == name) return i;
        return -1;
    }

    TempDir m_dir;
    std::unique_ptr<CTableModule> m_module;
};

struct StrictRow {
    const char* element;
    std::string value;
    // The bytes, or empty when the value is refused.
    std::vector<uint8_t> bytes;
};

const StrictRow kStrictRows[] = {
        {"U1", "255", {0xFF}},
        {"U1", "010", {0x08}},
        {"U1", "256", {}},
        {"U1", " 5", {}},
        {"U1", "5 ", {}},
        {"U1", "+5", {}},
        {"U1", "", {}},
        {"U1", "0x", {}},
        {"U1", "-1", {}},
        {"U2", "65535", {0xFF, 0xFF}},
        {"S1", "-128", {0x80}},
        {"S1", "0x7F", {0x7F}},
        {"S1", "128", {}},
        {"S1", "0x80", {}},
        {"S1", "--1", {}},
        {"S4", "-2147483648", {0x00, 0x00, 0x00, 0x80}},
        {"S4", "2147483648", {}},
        {"U4", "4294967295", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"U4", "4294967296", {}},
        {"H2", "0xFFFF", {0xFF, 0xFF}},
        {"H2", "0x10000", {}},
        {"H4", "0xFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"SH", "0xFF", {0xFF}},
        {"SH", "-1", {}},
        {"HA", "de ad 01", {0xDE, 0xAD, 0x01}},
        {"HA", "DE-AD-01", {0xDE, 0xAD, 0x01}},
        {"HA", "DEAD01", {}},
        {"HA", "ABCDEFGH", {}},
        {"HA", " 1 AD 01", {}},
        {"T", "Hi", {'H', 'i', 0, 0}},
        {"T", "X", {0x41, 0, 0, 0}},
        {"T", "HiHiH", {}},
        {"T", "A", {}},
        {"T", std::string("a\0", 2), {}},
        {"D", "Two, \"2\"", {0x02}},
        {"D", "1 - Uno", {0x01}},
        {"D", "9", {}},
};

TEST_F(EveryKind, StrictReadingTakesOnlyValuesThatMeanOneThing) {
    for (const StrictRow& row : kStrictRows) {
        const auto read = ElementInput::Read(*m_module, Index(row.element), row.value, InputRules::Strict);
        if (row.bytes.empty()) {
            ASSERT_FALSE(read) << row.element << " took \"" << row.value << '"';
            EXPECT_EQ(read.Error().rfind(std::string(row.element) + ": ", 0), 0u) << read.Error();
        } else {
            ASSERT_TRUE(read) << row.element << " \"" << row.value << "\": " << read.Error();
            EXPECT_EQ(row.bytes, read.Value()) << row.element << " \"" << row.value << '"';
        }
    }
    EXPECT_EQ("H2: \"0x10000\" is not a whole number from 0 to 0xFFFF.",
              ElementInput::Read(*m_module, Index("H2"), "0x10000", InputRules::Strict).Error());
}

TEST_F(EveryKind, FormRulesStayLenient) {
    EXPECT_EQ((std::vector<uint8_t>{0x00}), ElementInput::Read(*m_module, Index("U1"), "256").Value());
    EXPECT_EQ((std::vector<uint8_t>{0x05}), ElementInput::Read(*m_module, Index("U1"), " 5x").Value());
    EXPECT_EQ((std::vector<uint8_t>{0xBC, 0xEF, 0x00}),
              ElementInput::Read(*m_module, Index("HA"), "ABCDEFG0", InputRules::Form).Value());
}

std::vector<uint8_t> RandomTable(size_t entries) {
    std::mt19937 random(12);
    std::vector<uint8_t> table(entries * kLength);
    for (uint8_t& b : table) {
        // Mostly small values, so dropboxes hit their items and texts hold
        // the letters that need quoting.
        const auto r = static_cast<uint32_t>(random());
        b = r % 4 == 0 ? static_cast<uint8_t>(r >> 8)
                       : static_cast<uint8_t>("\x01\x02,\"\r\nAX "[(r >> 8) % 9]);
    }
    return table;
}

TEST_F(EveryKind, TableTextShowsWhatTheFormShows) {
    const std::vector<uint8_t> table = RandomTable(64);
    const TableText text(*m_module);
    std::string shown;
    for (size_t entry = 0; entry < 64; ++entry) {
        const std::span<const uint8_t> bytes(table.data() + entry * kLength, kLength);
        for (int i = 0; i < m_module->m_nElements; ++i) {
            shown.clear();
            text.Append(shown, i, bytes);
            ASSERT_EQ(ElementDisplay::Show(*m_module, i, bytes), shown) << m_module->GetElementName(i);
        }
    }
}

TEST_F(EveryKind, ExportIsTheCsvOfWhatTheFormShows) {
    const std::vector<uint8_t> table = RandomTable(64);
    std::ostringstream expected;
    CsvWriter csv(expected);
    csv.Cell("Entry");
    for (int i = 0; i < m_module->m_nElements; ++i)
        csv.Cell(m_module->GetElementName(i));
    csv.EndRecord();
    for (size_t entry = 0; entry < 64; ++entry) {
        csv.Cell(m_module->m_entryNames[entry]);
        for (int i = 0; i < m_module->m_nElements; ++i)
            csv.Cell(ElementDisplay::Show(*m_module, i, {table.data() + entry * kLength, kLength}));
        csv.EndRecord();
    }
    std::string written;
    ASSERT_TRUE(TableExport::Write(*m_module, table, [&](std::string_view block) {
        written += block;
        return true;
    }));
    EXPECT_EQ(expected.str(), written);
    EXPECT_FALSE(TableExport::Write(*m_module, table, [](std::string_view) { return false; }));
}

} // namespace
