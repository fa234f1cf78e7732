// Memory running out while a module loads fails that one load with
// OutOfMemory; the list keeps the modules it had, and the next load works.
// Every allocation the load makes is failed in turn, so no place where the
// loader, its side-file readers or the list allocate is left out.
#include <gtest/gtest.h>

#include "FailingAllocation.h"
#include "ModuleWriter.h"
#include "TempDir.h"
#include "document/ModuleList.h"
#include "table/CTableModule.h"

namespace {

TEST(OutOfMemoryTest, EveryFailedAllocationFailsOnlyThatLoad) {
    TempDir dir;
    ModuleWriter writer(dir);
    const std::string kept = writer.Write("kept.qlm", ModuleWriter::Loadable("Kept"));
    // Entry names, a character table and a value list: each reader allocates.
    const std::string full = writer.Write(
            "full.qlm",
            ModuleWriter::Header("3", "8", "names.txt", "chars.tbl", "Full") +
                    ModuleWriter::Element("0", "2", "-D--", "values.txt") +
                    ModuleWriter::Element("2", "4", "T---"),
            {{"names.txt", "Ant\nBee\nCat\n"}, {"chars.tbl", "41=a\n"}, {"values.txt", "2\n1 One\n2 Two\n"}});

    ModuleList::Modules modules;
    ModuleList list(modules);
    ASSERT_TRUE(list.AddModuleFromFile(kept));
    size_t failed = 0;
    for (size_t index = 0;; ++index) {
        SCOPED_TRACE(index);
        ModuleList::AddResult added = ModuleList::AddResult::Failure({});
        bool fired = false;
        {
            FailingAllocation failing(index);
            added = list.AddModuleFromFile(full);
            fired = failing.Fired();
        }
        if (!fired) {
            ASSERT_TRUE(added);
            break;
        }
        ++failed;
        ASSERT_FALSE(added);
        EXPECT_EQ(added.Error().error, LoadError::OutOfMemory);
        EXPECT_EQ(added.Error().fileName, "full.qlm");
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(modules[0]->m_strName, "Kept");
    }
    // Many allocations, every one of them survived.
    EXPECT_GT(failed, 20u);
    ASSERT_EQ(list.Count(), 2);
    const CTableModule& loaded = *modules[1];
    EXPECT_EQ(loaded.m_entryNames[2], "0x02 - Cat");
    EXPECT_EQ(loaded.m_charOf[0x41], 'a');
    EXPECT_EQ(loaded.GetValueName(0, 1), "Two");
}

} // namespace
