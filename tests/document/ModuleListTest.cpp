#include "document/ModuleList.h"

#include <gtest/gtest.h>

#include "ModuleFiles.h"
#include "TempDir.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

namespace {

using Status = ModuleList::AddStatus;

class ModuleListTest : public ::testing::Test {
protected:
    TempDir dir;

    std::string Module(std::string_view fileName, std::string_view title) {
        const std::string path = dir / fileName;
        TempDir::WriteFile(path, ModuleFiles::Valid(title));
        return path;
    }

    std::vector<std::string> Titles(const ModuleList& list) {
        std::vector<std::string> titles;
        for (int i = 0; i < list.Count(); ++i)
            titles.push_back(list.At(i)->m_strName);
        return titles;
    }

    // Modules "A", "B", "C" in that order.
    void LoadThree(ModuleList& list) {
        for (const char* title : {"A", "B", "C"})
            ASSERT_EQ(list.AddModuleFromFile(Module(std::string(title) + ".qlm", title)).status,
                      Status::Added);
    }
};

TEST_F(ModuleListTest, FailingModuleInTheMiddleIsReportedAndTheOthersLoadInOrder) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    const std::string broken = dir / "broken.qlm";
    TempDir::WriteFile(broken, ModuleFiles::WrongVersion());

    EXPECT_EQ(list.AddModuleFromFile(Module("first.qlm", "First")).status, Status::Added);
    const ModuleList::AddResult failure = list.AddModuleFromFile(broken);
    EXPECT_EQ(list.AddModuleFromFile(Module("third.qlm", "Third")).status, Status::Added);

    EXPECT_EQ(failure.status, Status::LoadFailed);
    EXPECT_EQ(failure.errorId, IDS_ERR_VERSION);
    EXPECT_EQ(failure.fileName, "broken.qlm");
    EXPECT_EQ(ModuleList::LoadErrorText(failure),
              "An error occurred while trying to load the module broken.qlm.\n\n"
              "The module file is of a version not supported by this version of Quillmoor.");
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(list.At(1)->GetPath(), dir / "third.qlm");
}

TEST_F(ModuleListTest, UnopenablePathsAddNothingAndReportNothing) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    for (const std::string& path : {dir / "missing.qlm", dir.Path(), std::string()}) {
        const ModuleList::AddResult result = list.AddModuleFromFile(path);
        EXPECT_EQ(result.status, Status::NotOpened) << path;
        EXPECT_EQ(result.errorId, 0);
    }
    EXPECT_TRUE(list.Empty());
}

TEST_F(ModuleListTest, DuplicatesAreExactByteMatchesOfThePath) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    const std::string lower = Module("mod.qlm", "lower");
    const std::string upper = Module("MOD.qlm", "upper");
    ASSERT_EQ(list.AddUnlisted(lower).status, Status::Added);

    EXPECT_EQ(list.AddUnlisted(lower).status, Status::AlreadyListed);
    EXPECT_FALSE(list.Contains(dir / "MOD.QLM"));
    EXPECT_EQ(list.AddUnlisted(upper).status, Status::Added);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"lower", "upper"}));

    // AddModuleFromFile itself does not test: a link file may list a module twice.
    EXPECT_EQ(list.AddModuleFromFile(lower).status, Status::Added);
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
        EXPECT_EQ(Titles(list), c.left) << "removing " << c.removed;
    }
}

TEST_F(ModuleListTest, RemovingTheOnlyModuleLeavesNoCurrentAndBadIndexesRemoveNothing) {
    ModuleList::Modules modules;
    ModuleList list(modules);
    LoadThree(list);
    EXPECT_EQ(list.RemoveAt(3), -1);
    EXPECT_EQ(list.RemoveAt(-1), -1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(3), nullptr);

    list.Clear();
    EXPECT_TRUE(list.Empty());
    ASSERT_EQ(list.AddModuleFromFile(Module("only.qlm", "Only")).status, Status::Added);
    EXPECT_EQ(list.RemoveAt(0), -1);
    EXPECT_TRUE(list.Empty());
}

} // namespace
