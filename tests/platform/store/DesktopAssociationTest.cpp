#include "platform/store/DesktopAssociation.h"

#include <fstream>
#include <gtest/gtest.h>

#include "AssociationKeys.h"
#include "StoreSandbox.h"
#include "TempDir.h"
#include "platform/store/ScopedRegKey.h"

namespace {

const std::string kProgram = "/opt/Quill Tools/bin/quillmoor";

const char* const kMimePackage =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Written by Quillmoor's Associate command; removed with it. -->\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-quillmoor-module\">\n"
        "    <comment>Quillmoor Module</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <glob pattern=\"*.qlm\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";

const char* const kDesktopEntry = "[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Quillmoor\n"
                                  "Comment=Edit tables in ROM images described by Quillmoor modules\n"
                                  "Exec=\"/opt/Quill Tools/bin/quillmoor\" %f\n"
                                  "Icon=io.github.quillmoor.Quillmoor\n"
                                  "Terminal=false\n"
                                  "MimeType=application/x-quillmoor-module;\n"
                                  "NoDisplay=true\n"
                                  "X-Quillmoor-Association=true\n";

std::string Describe(const std::vector<DesktopFailure>& failures) {
    std::string text;
    for (const auto& f : failures)
        text += f.path + ": " + f.reason + "\n";
    return text;
}

class DesktopAssociationTest : public ::testing::Test {
protected:
    StoreSandbox home;
    std::filesystem::path Package() const { return home.MimePackage(); }
    std::filesystem::path Entry() const { return home.DesktopEntry(); }
};

TEST_F(DesktopAssociationTest, CompleteAssociationWritesBothFilesExactly) {
    ASSERT_EQ(WriteAssociation(kProgram + " \"%1\""), ERROR_SUCCESS);

    auto failures = DesktopAssociation::SyncWithStore();
    EXPECT_TRUE(failures.empty()) << Describe(failures);
    EXPECT_EQ(TempDir::ReadFile(Package().string()), kMimePackage);
    EXPECT_EQ(TempDir::ReadFile(Entry().string()), kDesktopEntry);
}

TEST_F(DesktopAssociationTest, IncompleteAssociationWritesNothing) {
    ASSERT_EQ(WriteAssociation(kProgram + " \"%1\""), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Quillmoor Module\\shell\\open\\command"), ERROR_SUCCESS);
    EXPECT_TRUE(DesktopAssociation::SyncWithStore().empty());
    EXPECT_FALSE(std::filesystem::exists(Package()));
    EXPECT_FALSE(std::filesystem::exists(Entry()));

    // ".qlm" naming some other file type does not count either.
    ASSERT_EQ(WriteAssociation(kProgram + " \"%1\""), ERROR_SUCCESS);
    ScopedRegKey ext;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_ALL_ACCESS, ext.Receive()), ERROR_SUCCESS);
    const char other[] = "Other Type";
    ASSERT_EQ(RegSetValueEx(ext.Get(), nullptr, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other),
              ERROR_SUCCESS);
    EXPECT_TRUE(DesktopAssociation::SyncWithStore().empty());
    EXPECT_FALSE(std::filesystem::exists(Package()));
    EXPECT_FALSE(std::filesystem::exists(Entry()));
}

TEST_F(DesktopAssociationTest, RemovalDeletesOnlyWhatQuillmoorWrote) {
    ASSERT_EQ(WriteAssociation(kProgram + " \"%1\""), ERROR_SUCCESS);
    ASSERT_TRUE(DesktopAssociation::SyncWithStore().empty());
    // Someone else's file next to ours, and ours replaced by a foreign one.
    const auto neighbour = home.Data() / "applications/editor.desktop";
    std::ofstream(neighbour) << "[Desktop Entry]\nType=Application\nName=Other\nExec=other\n";
    std::ofstream(Package()) << "<mime-info/>\n";

    RemoveAssociation();
    auto failures = DesktopAssociation::SyncWithStore();
    EXPECT_TRUE(failures.empty()) << Describe(failures);
    EXPECT_FALSE(std::filesystem::exists(Entry()));
    EXPECT_TRUE(std::filesystem::exists(neighbour));
    EXPECT_EQ(TempDir::ReadFile(Package().string()), "<mime-info/>\n") << "not ours, so it stays";
}

TEST_F(DesktopAssociationTest, UnwritableDataFolderIsReportedWithPath) {
    ASSERT_EQ(WriteAssociation(kProgram + " \"%1\""), ERROR_SUCCESS);
    // A file where the data folder should be fails for root as well.
    std::filesystem::create_directories(home.Data());
    std::ofstream(home.Data() / "mime") << "not a folder";

    auto failures = DesktopAssociation::SyncWithStore();
    ASSERT_FALSE(failures.empty());
    EXPECT_EQ(failures.front().path, Package().string());
    EXPECT_NE(failures.front().reason.find((home.Data() / "mime").string()), std::string::npos)
            << failures.front().reason;
}

TEST_F(DesktopAssociationTest, PathsNoDesktopCanLaunchAreRefused) {
    for (const std::string program : {"/opt/100%/quillmoor", "/opt/caf\xe9/quillmoor"}) {
        ASSERT_EQ(WriteAssociation(program + " \"%1\""), ERROR_SUCCESS);
        auto failures = DesktopAssociation::SyncWithStore();
        ASSERT_EQ(failures.size(), 1u) << program;
        EXPECT_EQ(failures.front().path, program);
        EXPECT_FALSE(std::filesystem::exists(Entry()));
    }
}

TEST_F(DesktopAssociationTest, DesktopToolsResolveModulesOnlyWhileAssociated) {
    if (const std::string tool = StoreSandbox::MissingDesktopTool(); !tool.empty())
        GTEST_SKIP() << tool << " is not installed";
    const auto module = home.Root() / "some.qlm";
    std::ofstream(module) << "1\nExample\n";
    const std::string filetype = "xdg-mime query filetype " + module.string() + " 2>/dev/null";
    const std::string fallback = StoreSandbox::AskDesktop(filetype);
    ASSERT_NE(fallback, "application/x-quillmoor-module");

    ASSERT_EQ(WriteAssociation(kProgram + " \"%1\""), ERROR_SUCCESS);
    auto failures = DesktopAssociation::SyncWithStore();
    ASSERT_TRUE(failures.empty()) << Describe(failures);
    EXPECT_EQ(StoreSandbox::AskDesktop(filetype), "application/x-quillmoor-module");
    EXPECT_EQ(StoreSandbox::AskDesktop("xdg-mime query default application/x-quillmoor-module"),
              "quillmoor-module.desktop");

    RemoveAssociation();
    failures = DesktopAssociation::SyncWithStore();
    ASSERT_TRUE(failures.empty()) << Describe(failures);
    EXPECT_EQ(StoreSandbox::AskDesktop(filetype), fallback);
    EXPECT_EQ(StoreSandbox::AskDesktop("xdg-mime query default application/x-quillmoor-module"), "");
}

} // namespace
