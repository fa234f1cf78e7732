#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

#include "DialogHarness.h"
#include "TempDir.h"
#include "TestInput.h"
#include "platform/store/DesktopAssociation.h"
#include "platform/store/RegistryStore.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/Shell.h"
#include "res/resource.h"
#include "ui/CEditorDlg.h"
#include "ui/ShellAssociation.h"

namespace {

constexpr const char* kModuleType = "application/x-quillmoor-module";

class AssociateCommandTest : public DialogHarness {
protected:
    bool Checked() { return DialogHarness::Checked(ID_MODULES_ASSOCIATE); }

    void Associate() { TestInput::ClickMenuItem(m_dlg, ID_MODULES_ASSOCIATE); }

    // The mark a new editor window would start with.
    static bool CheckedAtStart() {
        CEditorDlg fresh;
        EXPECT_TRUE(fresh.Create());
        return (fresh.GetMenu()->GetMenuState(ID_MODULES_ASSOCIATE, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    bool DesktopFilesPresent() const {
        return std::filesystem::exists(m_store.MimePackage()) &&
               std::filesystem::exists(m_store.DesktopEntry());
    }

    bool DesktopFilesAbsent() const {
        return !std::filesystem::exists(m_store.MimePackage()) &&
               !std::filesystem::exists(m_store.DesktopEntry());
    }
};

TEST_F(AssociateCommandTest, AssociateCreatesThenRemovesStoreAndDesktopFiles) {
    Start();
    ASSERT_FALSE(Checked());
    Associate();
    EXPECT_TRUE(Checked());
    EXPECT_TRUE(CheckedAtStart());
    const auto command = StoreSandbox::Read("Quillmoor Module\\shell\\open\\command");
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->Text(), GetModuleFileName() + " \"%1\"");
    EXPECT_TRUE(DesktopFilesPresent());
    const std::string entry = TempDir::ReadFile(m_store.DesktopEntry().string());
    EXPECT_NE(entry.find(GetModuleFileName()), std::string::npos) << entry;

    Associate();
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(CheckedAtStart());
    EXPECT_FALSE(StoreSandbox::HasKey("Quillmoor Module"));
    EXPECT_FALSE(StoreSandbox::HasKey(".qlm"));
    EXPECT_TRUE(DesktopFilesAbsent());
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(AssociateCommandTest, DesktopResolvesModulesOnlyWhileAssociated) {
    if (const std::string tool = StoreSandbox::MissingDesktopTool(); !tool.empty())
        GTEST_SKIP() << tool << " is not installed, so the desktop's view cannot be asked";
    const auto module = m_store.Root() / "bestiary.qlm";
    std::ofstream(module) << "1\nBestiary\n";
    const std::string filetype = "xdg-mime query filetype '" + module.string() + "' 2>/dev/null";
    const std::string handler = std::string("xdg-mime query default ") + kModuleType + " 2>/dev/null";
    ASSERT_NE(StoreSandbox::AskDesktop(filetype), kModuleType);

    Start();
    Associate();
    EXPECT_EQ(StoreSandbox::AskDesktop(filetype), kModuleType);
    EXPECT_EQ(StoreSandbox::AskDesktop(handler), "quillmoor-module.desktop");

    Associate();
    EXPECT_NE(StoreSandbox::AskDesktop(filetype), kModuleType);
    EXPECT_EQ(StoreSandbox::AskDesktop(handler), "");
}

TEST_F(AssociateCommandTest, KeysRemovedElsewhereWhileCheckedEndUncheckedSilently) {
    ASSERT_TRUE(ShellAssociation::Register("/usr/bin/quillmoor").empty());
    Start();
    ASSERT_TRUE(Checked());
    std::filesystem::remove(RegistryStore::FilePath());

    Associate();
    EXPECT_FALSE(Checked());
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
    EXPECT_FALSE(StoreSandbox::HasKey(".qlm"));

    // The next command creates it again.
    Associate();
    EXPECT_TRUE(Checked());
    EXPECT_TRUE(ShellAssociation::IsRegistered());
}

TEST_F(AssociateCommandTest, ExtensionThatSurvivesRemovalKeepsTheMarkAndIsReported) {
    Start();
    Associate();
    ASSERT_TRUE(StoreSandbox::CreateKey(".qlm\\OpenWithProgids"));
    m_modals.AnswerMessageBox(IDOK);

    Associate();
    // The store still has ".qlm", so the mark says so, as it will at the
    // next start; the desktop no longer opens modules with Quillmoor.
    EXPECT_TRUE(Checked());
    EXPECT_TRUE(CheckedAtStart());
    EXPECT_FALSE(StoreSandbox::HasKey("Quillmoor Module"));
    const auto extension = StoreSandbox::Read(".qlm");
    ASSERT_TRUE(extension.has_value());
    EXPECT_EQ(extension->Text(), std::string("Quillmoor Module\0", 17));
    EXPECT_TRUE(StoreSandbox::HasKey(".qlm\\OpenWithProgids"));
    EXPECT_TRUE(DesktopFilesAbsent());
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    const MessageBoxRequest& box = m_modals.MessageBoxes()[0];
    EXPECT_NE(box.text.find("Could not remove the association of .qlm files."), std::string::npos);
    EXPECT_NE(box.text.find("HKEY_CLASSES_ROOT\\.qlm: "), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("subkeys"), std::string::npos) << box.text;
    EXPECT_EQ(box.owner, m_dlg.GetSafeHwnd());
}

TEST_F(AssociateCommandTest, StoreThatCannotBeWrittenIsReportedAndStaysUnchecked) {
    const auto blocker = m_store.Config() / "quillmoor";
    std::filesystem::create_directories(m_store.Config());
    std::ofstream(blocker) << "not a folder";
    Start();
    m_modals.AnswerMessageBox(IDOK);

    Associate();
    EXPECT_FALSE(Checked());
    EXPECT_TRUE(DesktopFilesAbsent());
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    const MessageBoxRequest& box = m_modals.MessageBoxes()[0];
    EXPECT_NE(box.text.find("Could not associate .qlm files with Quillmoor."), std::string::npos);
    EXPECT_NE(box.text.find("HKEY_CLASSES_ROOT\\Quillmoor Module: "), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(blocker.string()), std::string::npos) << box.text;
    // It stopped at the first key: one reason, and nothing half-written.
    EXPECT_EQ(std::count(box.text.begin(), box.text.end(), '\n'), 2) << box.text;
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(AssociateCommandTest, DesktopFileThatCannotBeWrittenIsReportedWithTheStoreChecked) {
    // A file where the folder of desktop entries should be.
    const auto applications = m_store.DesktopEntry().parent_path();
    std::filesystem::create_directories(applications.parent_path());
    std::ofstream(applications) << "not a folder";
    Start();
    m_modals.AnswerMessageBox(IDOK);

    Associate();
    EXPECT_TRUE(ShellAssociation::IsRegistered());
    EXPECT_TRUE(Checked());
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    const std::string& text = m_modals.MessageBoxes()[0].text;
    EXPECT_NE(text.find(m_store.DesktopEntry().string() + ": "), std::string::npos) << text;
}

} // namespace
