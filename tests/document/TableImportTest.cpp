#include "document/TableImport.h"

#include <gtest/gtest.h>

#include "ModuleWriter.h"
#include "TempDir.h"
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
