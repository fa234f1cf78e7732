// A module or side file that is not a regular file counts as a file that does
// not open, whatever it is, and never holds the load up: a FIFO no one
// writes to would wait for ever, /dev/zero would fill memory with one line.
#include <gtest/gtest.h>
#include <optional>

#include "Deadline.h"
#include "ModuleWriter.h"
#include "OddFiles.h"
#include "TempDir.h"
#include "module/LoadModuleFile.h"

namespace {

std::string Outcome(const ModuleFileResult& loaded) {
    if (loaded) return "loaded";
    if (loaded.Error().NotOpened()) return "not opened: " + loaded.Error().reason;
    return "error " + std::to_string(static_cast<int>(loaded.Error().error));
}

std::string Outcome(LoadError error) {
    return "error " + std::to_string(static_cast<int>(error));
}

class OddModuleFileTest : public testing::TestWithParam<OddFile> {
protected:
    TempDir dir;
    ModuleWriter writer{dir};
};

TEST_P(OddModuleFileTest, EachRoleAsForAFileThatDoesNotOpen) {
    GetParam().make(dir / "odd");
    const std::string names = writer.Write("names.qlm", ModuleWriter::Header("4", "8", "odd"));
    const std::string table = writer.Write("table.qlm", ModuleWriter::Header("1", "8", "NULL", "odd"));
    const std::string list = writer.Write("list.qlm", ModuleWriter::Header("1", "8") +
                                                              ModuleWriter::Element("0", "2", "-D--", "odd"));
    const std::optional<std::string> seen = Deadline::Run(10, [&] {
        std::string text = Outcome(LoadModuleFile(names)) + "\n";
        const ModuleFileResult tabled = LoadModuleFile(table);
        text += Outcome(tabled);
        // No table means each code stands for itself.
        if (tabled) text += tabled.Value()->m_charOf['A'] == 'A' ? " identity" : " mapped";
        text += "\n" + Outcome(LoadModuleFile(list)) + "\n";
        return text + Outcome(LoadModuleFile(dir / "odd")) + "\n";
    });
    ASSERT_TRUE(seen) << "the load did not return";
    const std::string reason = GetParam().kind == "Folder" ? "Is a directory" : "not a regular file";
    EXPECT_EQ(*seen, Outcome(LoadError::NameList) + "\nloaded identity\n" + Outcome(LoadError::DropboxOpen) +
                             "\nnot opened: " + reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddModuleFileTest, testing::ValuesIn(OddFile::All()),
                         [](const auto& row) { return row.param.kind; });

} // namespace
