#include "module/LoadModuleFile.h"

#include <gtest/gtest.h>

#include "ModuleWriter.h"
#include "TempDir.h"

namespace {

class LoadModuleFileTest : public testing::Test {
protected:
    TempDir dir;
    ModuleWriter writer{dir};
};

TEST_F(LoadModuleFileTest, GivesTheLoadedModule) {
    const std::string path = writer.Write("mods/a.qlm", ModuleWriter::Loadable("Alpha"));
    const ModuleFileResult loaded = LoadModuleFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.Value()->m_strName, "Alpha");
    EXPECT_EQ(loaded.Value()->GetPath(), path);
}

// A refused file is named without its folder, as the user picked it.
TEST_F(LoadModuleFileTest, RefusedFileGivesItsErrorAndName) {
    ModuleWriter::Lines lines = ModuleWriter::Loadable("Broken");
    lines[0] = "2";
    const ModuleFileResult loaded = LoadModuleFile(writer.Write("mods/broken.qlm", lines));
    ASSERT_FALSE(loaded);
    EXPECT_FALSE(loaded.Error().NotOpened());
    EXPECT_EQ(loaded.Error().error, LoadError::Version);
    EXPECT_EQ(loaded.Error().fileName, "broken.qlm");
    EXPECT_EQ(loaded.Error().reason, "");
}

TEST_F(LoadModuleFileTest, FileThatDoesNotOpenGivesTheSystemsReason) {
    struct Case {
        std::string path;
        const char* reason;
    };
    for (const Case& c : {Case{dir / "missing.qlm", "No such file or directory"},
                          Case{dir.Path(), "Is a directory"}, Case{"", "No such file or directory"}}) {
        const ModuleFileResult loaded = LoadModuleFile(c.path);
        ASSERT_FALSE(loaded) << c.path;
        EXPECT_TRUE(loaded.Error().NotOpened()) << c.path;
        EXPECT_EQ(loaded.Error().reason, c.reason) << c.path;
    }
}

} // namespace
