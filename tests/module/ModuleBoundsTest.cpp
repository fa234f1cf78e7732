// What one module may cost to read: no line longer than the readers take,
// no form larger than the editor builds.
#include <gtest/gtest.h>

#include "ModuleWriter.h"
#include "TempDir.h"
#include "module/LoadModuleFile.h"
#include "platform/files/CArchive.h"

namespace {

class ModuleBoundsTest : public testing::Test {
protected:
    // The failure of loading `lines` with its side files; None when it loads.
    ModuleFileError Fail(const ModuleWriter::Lines& lines, const ModuleWriter::SideFiles& side = {}) {
        const ModuleFileResult loaded = LoadModuleFile(ModuleWriter(dir).Write("t.qlm", lines, side));
        return loaded ? ModuleFileError{} : loaded.Error();
    }

    TempDir dir;
    // Longer than any line is read, with no line end: a file read whole
    // before it failed would cost its whole size.
    const std::string m_endless = std::string(4 * CArchive::kLineLimit, 'x');
};

TEST_F(ModuleBoundsTest, ALineLongerThanTheLimitFailsWithItsFileAndLine) {
    const ModuleWriter::Lines element = ModuleWriter::Element("0", "1", "-D--", "list.txt");
    struct Case {
        const char* role;
        ModuleWriter::Lines lines;
        ModuleWriter::SideFiles side;
        const char* file;
        uint64_t line;
    };
    ModuleWriter::Lines longTitle = ModuleWriter::Header() + element;
    longTitle[1] = m_endless;
    const Case cases[] = {
            {"module", longTitle, {{"list.txt", "1\n0 a\n"}}, "t.qlm", 2},
            {"names",
             ModuleWriter::Header("4", "8", "names.txt") + element,
             {{"names.txt", "a\nb\n" + m_endless}, {"list.txt", "1\n0 a\n"}},
             "names.txt",
             3},
            {"characters",
             ModuleWriter::Header("4", "8", "NULL", "chars.tbl") + element,
             {{"chars.tbl", m_endless}, {"list.txt", "1\n0 a\n"}},
             "chars.tbl",
             1},
            {"values",
             ModuleWriter::Header() + element,
             {{"list.txt", "2\n0 a\n" + m_endless}},
             "list.txt",
             3},
    };
    for (const Case& c : cases) {
        const ModuleFileError failed = Fail(c.lines, c.side);
        EXPECT_EQ(failed.error, LoadError::LineTooLong) << c.role;
        EXPECT_EQ(failed.at.file.substr(failed.at.file.rfind('/') + 1), c.file) << c.role;
        EXPECT_EQ(failed.at.line, c.line) << c.role;
    }
    // A line at the limit still reads.
    ModuleWriter::Lines atLimit = ModuleWriter::Loadable("T");
    atLimit[1] = std::string(CArchive::kLineLimit, 't');
    EXPECT_EQ(Fail(atLimit).error, LoadError::None);
}

TEST_F(ModuleBoundsTest, MoreElementsThanTheFormTakesIsALoadError) {
    ModuleWriter::Lines lines = ModuleWriter::Header("1", "1");
    const ModuleWriter::Lines element = ModuleWriter::Element("0", "1", "----");
    for (size_t i = 0; i < CTableModule::maxElements; ++i)
        lines.insert(lines.end(), element.begin(), element.end());
    EXPECT_EQ(Fail(lines).error, LoadError::None);
    const ModuleFileError failed = Fail(lines + ModuleWriter::Element("0", "1", "----"));
    EXPECT_EQ(failed.error, LoadError::TooLarge);
    EXPECT_EQ(failed.at.line, 7 + 5 * CTableModule::maxElements + 1);
}

} // namespace
