#include "document/ModuleList.h"

#include <gtest/gtest.h>

#include "ModuleWriter.h"
#include "TempDir.h"
#include "table/CTableModule.h"

namespace {

class ModuleListTest : public ::testing::Test {
protected:
    TempDir dir;
    ModuleWriter writer{dir};

    // Written with CR LF, as modules made on Windows are.
    std::string Module(std::string_view fileName, std::string_view title) {
        return writer.Write(fileName, ModuleWriter::Loadable(std::string(title)), {}, "\r\n");
    }

    static std::vector<std::string> Titles(const ModuleList::Modules& modules) {
        std::vector<std::string> titles;
        for (const auto& module : modules)
            titles.push_back(module->m_strName);
        return titles;
    }

    // Modules "A", "B", "C" in that order.
    void LoadThree(ModuleList& list) {
        for (const char* title : {"A", "B", "C"})
            ASSERT_TRUE(list.AddModuleFromFile(Module(std::string(title) + ".qlm", title)));
    }
};

TEST_F(ModuleListTest, FailingModuleInTheMiddleIsReportedAndTheOthersLoadInOrder) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    ModuleWriter::Lines wrongVersion = ModuleWriter::Loadable("Broken");
    wrongVersion[0] = "2";
    const std::string broken = writer.Write("broken.qlm", wrongVersion);

    const ModuleList::AddResult first = list.AddModuleFromFile(Module("first.qlm", "First"));
    const ModuleList::AddResult failure = list.AddModuleFromFile(broken);
    const ModuleList::AddResult third = list.AddModuleFromFile(Module("third.qlm", "Third"));

    ASSERT_TRUE(first);
    EXPECT_EQ(first.Value(), modules[0].get());
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.Error().error, LoadError::Version);
    EXPECT_EQ(failure.Error().fileName, "broken.qlm");
    ASSERT_TRUE(third);
    EXPECT_EQ(third.Value(), modules[1].get());
    EXPECT_EQ(Titles(modules), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(modules[1]->GetPath(), dir / "third.qlm");
}

TEST_F(ModuleListTest, UnopenablePathsAddNothingAndReportNothing) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    for (const std::string& path : {dir / "missing.qlm", dir.Path(), std::string()}) {
        const ModuleList::AddResult result = list.AddModuleFromFile(path);
        ASSERT_FALSE(result) << path;
        EXPECT_TRUE(result.Error().NotOpened()) << path;
    }
    EXPECT_TRUE(list.Empty());
}

TEST_F(ModuleListTest, DuplicatesAreExactByteMatchesOfThePath) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    const std::string lower = Module("mod.qlm", "lower");
    const std::string upper = Module("MOD.qlm", "upper");
    ASSERT_TRUE(list.AddUnlisted(lower));

    const ModuleList::AddResult again = list.AddUnlisted(lower);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.Value(), nullptr);
    EXPECT_FALSE(list.Contains(dir / "MOD.QLM"));
    const ModuleList::AddResult other = list.AddUnlisted(upper);
    ASSERT_TRUE(other);
    EXPECT_NE(other.Value(), nullptr);
    EXPECT_EQ(Titles(modules), (std::vector<std::string>{"lower", "upper"}));

    // AddModuleFromFile itself does not test: a link file may list a module twice.
    EXPECT_TRUE(list.AddModuleFromFile(lower));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{lower, upper, lower}));
}

TEST_F(ModuleListTest, RemovalPicksTheFollowingModuleOrTheNewLast) {
    struct Case {
        int removed;
        int current;
        std::vector<std::string> left;
    };
    for (const Case& c : {Case{0, 0, {"B", "C"}}, Case{1, 1, {"A", "C"}}, Case{2, 1, {"A", "B"}}}) {
        ModuleList::Modules modules;
        ModuleList list(modules);
        LoadThree(list);
        EXPECT_EQ(list.RemoveAt(c.removed), c.current) << "removing " << c.removed;
        EXPECT_EQ(Titles(modules), c.left) << "removing " << c.removed;
    }
}

TEST_F(ModuleListTest, RemovingTheOnlyModuleLeavesNoCurrentAndBadIndexesRemoveNothing) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    LoadThree(list);
    EXPECT_EQ(list.RemoveAt(3), -1);
    EXPECT_EQ(list.RemoveAt(-1), -1);
    EXPECT_EQ(list.Count(), 3);

    modules.clear();
    ASSERT_TRUE(list.AddModuleFromFile(Module("only.qlm", "Only")));
    EXPECT_EQ(list.RemoveAt(0), -1);
    EXPECT_TRUE(list.Empty());
}

// Each row breaks some of A, B, C on disk, retitles the others and reloads:
// the survivors keep their order, and each old index maps to its successor.
TEST_F(ModuleListTest, ReloadReadsEveryFileAgainAndDropsTheOnesThatFail) {
    struct Case {
        std::string broken;
        std::vector<std::string> left;
        std::vector<int> successors;
    };
    for (const Case& c : {Case{"", {"A2", "B2", "C2"}, {0, 1, 2}}, Case{"B", {"A2", "C2"}, {0, 1, 1}},
                          Case{"AC", {"B2"}, {0, 0, 0}}, Case{"ABC", {}, {-1, -1, -1}}}) {
        ModuleList::Modules modules;
        ModuleList list(modules);
        LoadThree(list);
        for (const char* title : {"A", "B", "C"}) {
            ModuleWriter::Lines lines = ModuleWriter::Loadable(std::string(title) + "2");
            if (c.broken.find(title) != std::string::npos) lines[0] = "2";
            writer.Write(std::string(title) + ".qlm", lines);
        }
        const ModuleList::ReloadOutcome outcome = list.Reload();
        EXPECT_EQ(Titles(modules), c.left) << c.broken;
        EXPECT_EQ(outcome.failures.size(), c.broken.size()) << c.broken;
        for (int old = 0; old < 3; ++old)
            EXPECT_EQ(ModuleList::Successor(outcome, old, list.Count()),
                      c.successors[static_cast<std::size_t>(old)])
                    << c.broken << " " << old;
    }
}

} // namespace
