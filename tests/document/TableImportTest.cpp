#include "document/TableImport.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "ModuleWriter.h"
#include "TempDir.h"
#include "document/ElementDisplay.h"
#include "document/ElementInput.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

namespace {

// The editor's reader refuses what qlm import refuses, in the same words:
// a value a later element covers, a first column that is not the entries.
TEST(TableImportRefusals, CoveredValueAndMovedEntryColumnChangeNothing) {
    TempDir dir;
    ModuleWriter::Lines wide = ModuleWriter::Element("0", "2", "----");
    ModuleWriter::Lines high = ModuleWriter::Element("1", "1", "----");
    wide[0] = "Wide";
    high[0] = "High";
    const ModuleFileResult loaded =
            LoadModuleFile(ModuleWriter(dir).Write("t.qlm", ModuleWriter::Header("2", "2") + wide + high));
    ASSERT_TRUE(loaded);
    const std::vector<uint8_t> table{1, 1, 1, 1};

    const TableImport::Outcome covered =
            TableImport::Read(*loaded.Value(), table, "Entry,Wide\n1,1285\n", InputRules::Strict);
    ASSERT_FALSE(covered);
    EXPECT_EQ(covered.Error().Text(),
              "1 bad cell, nothing changed:\nRow 2, column 2: " + QlmCoveredText("Wide", "High"));

    const TableImport::Outcome moved =
            TableImport::Read(*loaded.Value(), table, "Wide,Entry\n1,1\n", InputRules::Strict);
    ASSERT_FALSE(moved);
    EXPECT_EQ(moved.Error().listed.at(0), ImportCellText(1, 1, ImportFirstColumnText("Wide")));
    // Setting the high byte through the element that owns it is stored.
    const TableImport::Outcome high2 =
            TableImport::Read(*loaded.Value(), table, "Entry,High\n1,2\n", InputRules::Strict);
    ASSERT_TRUE(high2);
    ASSERT_EQ(high2.Value().size(), 1u);
    EXPECT_EQ(high2.Value()[0].bytes[1], 2);
}

} // namespace

namespace {

// Numbers of every kind and width and a hex array, side by side in one
// entry, for the import's reading of cells that read back as they show.
ModuleWriter::Lines ReadBackLines() {
    ModuleWriter::Lines lines = ModuleWriter::Header("2", "40");
    int offset = 0;
    for (const char* style : {"----", "---S", "--H-"})
        for (int width = 1; width <= 4; ++width) {
            ModuleWriter::Lines e =
                    ModuleWriter::Element(std::to_string(offset), std::to_string(width), style);
            e[0] = std::string(style) + std::to_string(width);
            lines = lines + e;
            offset += width;
        }
    ModuleWriter::Lines hex = ModuleWriter::Element(std::to_string(offset), "3", "H---");
    hex[0] = "Bytes";
    return lines + hex;
}

struct ReadBackTable {
    TempDir dir;
    ModuleFileResult loaded = LoadModuleFile(ModuleWriter(dir).Write("t.qlm", ReadBackLines()));

    const CTableModule& Module() const { return *loaded.Value(); }
};

} // namespace

// The import takes a number or hex array cell that reads as the bytes it
// already holds as unchanged without showing them, so strict reading must
// give back exactly the bytes behind every text the table shows.
TEST(TableImportReadBack, EveryShownNumberAndHexArrayReadsBackAsItsBytes) {
    const ReadBackTable t;
    ASSERT_TRUE(t.loaded);
    const CTableModule& m = t.Module();
    for (int element = 0; element < m.m_nElements; ++element) {
        const ModuleElement& e = *m.m_elements[static_cast<size_t>(element)];
        for (const int low : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF})
            for (const int high : {0x00, 0x7F, 0x80, 0xFF}) {
                std::vector<uint8_t> entry(m.m_nEntryLength, 0);
                std::fill(entry.begin() + e.offset, entry.begin() + e.offset + e.size,
                          static_cast<uint8_t>(low));
                entry[e.offset + e.size - 1] = static_cast<uint8_t>(high);
                const std::string shown = ElementDisplay::Show(m, element, entry);
                std::vector<uint8_t> read(e.size, 0x5A);
                ASSERT_TRUE(ElementInput::ReadInto(m, element, shown, InputRules::Strict, read)) << shown;
                EXPECT_TRUE(std::equal(read.begin(), read.end(), entry.begin() + e.offset))
                        << e.name << " " << shown;
            }
    }
}

// Other spellings of the bytes an entry holds change nothing; a cell that
// means other bytes changes its entry alone; a bad one is refused in the
// strict reader's words.
TEST(TableImportReadBack, OtherSpellingsOfTheSameBytesChangeNothing) {
    const ReadBackTable t;
    ASSERT_TRUE(t.loaded);
    std::vector<uint8_t> table(2 * 40, 0);
    table[0] = 12;    // ----1 of entry 0
    table[30] = 0xAB; // Bytes of entry 0
    const std::string header = "Entry,----1,Bytes\n";
    const TableImport::Outcome same = TableImport::Read(
            t.Module(), table, header + "0,0xC,ab 00 00\n1,000,00 00 00\n", InputRules::Strict);
    ASSERT_TRUE(same);
    EXPECT_EQ(same.Value().size(), 0u);

    const TableImport::Outcome changed = TableImport::Read(
            t.Module(), table, header + "0,12,AB 00 00\n1,0,00 00 01\n", InputRules::Strict);
    ASSERT_TRUE(changed);
    ASSERT_EQ(changed.Value().size(), 1u);
    EXPECT_EQ(changed.Value()[0].entry, 1);
    EXPECT_EQ(changed.Value()[0].bytes[32], 1);

    const TableImport::Outcome bad =
            TableImport::Read(t.Module(), table, header + "0,256,AB 00 00\n", InputRules::Strict);
    ASSERT_FALSE(bad);
    std::vector<uint8_t> unused(1);
    const Result<void, std::string> words =
            ElementInput::ReadInto(t.Module(), 0, "256", InputRules::Strict, unused);
    ASSERT_FALSE(words);
    EXPECT_EQ(bad.Error().listed.at(0), ImportCellText(2, 2, words.Error()));
}
