#include "ui/ShellAssociation.h"

#include <cstring>
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "platform/store/Registry.h"

namespace {

const std::string kType = "Quillmoor Module";
const std::string kShell = kType + "\\shell";
const std::string kOpen = kShell + "\\open";
const std::string kCommand = kOpen + "\\command";

std::string Describe(const std::vector<AssociationFailure>& failures) {
    std::string text;
    for (const auto& f : failures)
        text += f.path + ": " + f.reason + "\n";
    return text;
}

DWORD DwordOf(const StoreSandbox::Value& value) {
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), std::min(value.data.size(), sizeof number));
    return number;
}

class ShellAssociationTest : public ::testing::Test {
protected:
    void Register(const std::string& program) {
        const auto failures = ShellAssociation::Register(program);
        ASSERT_TRUE(failures.empty()) << Describe(failures);
    }

    void ExpectCommand(const std::string& program) {
        const auto command = StoreSandbox::Read(kCommand);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(command->type, REG_SZ);
        EXPECT_EQ(command->Text(), program + " \"%1\"");
        EXPECT_EQ(command->data.size(), program.size() + 5);
    }

    StoreSandbox m_store;
};

TEST_F(ShellAssociationTest, RegisterWritesEveryValueWithItsTypeAndSize) {
    const std::string program = "/opt/Quill Tools/lib/quillmoor/quillmoor";
    Register(program);

    const auto typeName = StoreSandbox::Read(kType);
    ASSERT_TRUE(typeName.has_value());
    EXPECT_EQ(typeName->type, REG_SZ);
    EXPECT_EQ(typeName->Text(), "Quillmoor Module"); // 16 bytes, no terminating zero

    const auto browser = StoreSandbox::Read(kType, "BrowserFlags");
    const auto edit = StoreSandbox::Read(kType, "EditFlags");
    ASSERT_TRUE(browser.has_value() && edit.has_value());
    EXPECT_EQ(browser->type, REG_DWORD);
    EXPECT_EQ(browser->data.size(), 4u);
    EXPECT_EQ(DwordOf(*browser), 8u);
    EXPECT_EQ(edit->type, REG_DWORD);
    EXPECT_EQ(edit->data.size(), 4u);
    EXPECT_EQ(DwordOf(*edit), 0u);

    const auto verb = StoreSandbox::Read(kShell);
    ASSERT_TRUE(verb.has_value());
    EXPECT_EQ(verb->type, REG_SZ);
    EXPECT_EQ(verb->Text(), "open");

    // "open" is a key without values of its own.
    EXPECT_TRUE(StoreSandbox::HasKey(kOpen));
    EXPECT_FALSE(StoreSandbox::Read(kOpen).has_value());
    ExpectCommand(program);

    const auto extension = StoreSandbox::Read(".qlm");
    ASSERT_TRUE(extension.has_value());
    EXPECT_EQ(extension->type, REG_SZ);
    EXPECT_EQ(extension->Text(), std::string("Quillmoor Module\0", 17));
    EXPECT_TRUE(ShellAssociation::IsRegistered());
}

TEST_F(ShellAssociationTest, ProgramPathsOfAnyLengthAndAMovedProgram) {
    // Past the 260 characters a fixed path buffer would hold, and far past
    // what a file system allows in one path.
    for (std::size_t length : {250u, 255u, 300u, 5000u}) {
        std::string program = "/opt/";
        program += std::string(length - program.size() - 10, 'q');
        program += "/quillmoor";
        ASSERT_EQ(program.size(), length);
        Register(program);
        ExpectCommand(program);
    }
    // Associating again from another place replaces the command.
    Register("/usr/local/bin/quillmoor");
    ExpectCommand("/usr/local/bin/quillmoor");
}

TEST_F(ShellAssociationTest, UnregisterRemovesTheFiveKeysAndNothingElse) {
    Register("/usr/bin/quillmoor");
    ASSERT_TRUE(StoreSandbox::CreateKey(".txt"));
    const auto failures = ShellAssociation::Unregister();
    EXPECT_TRUE(failures.empty()) << Describe(failures);
    for (const std::string& key : {kCommand, kOpen, kShell, kType, std::string(".qlm")})
        EXPECT_FALSE(StoreSandbox::HasKey(key)) << key;
    EXPECT_TRUE(StoreSandbox::HasKey(".txt"));
    EXPECT_FALSE(ShellAssociation::IsRegistered());

    // Removing what is already gone is no failure and creates nothing.
    EXPECT_TRUE(ShellAssociation::Unregister().empty());
    EXPECT_FALSE(StoreSandbox::HasKey(kType));
}

TEST_F(ShellAssociationTest, AnotherVerbKeepsShellAndTypeButTheRestGoesInOrder) {
    Register("/usr/bin/quillmoor");
    ASSERT_TRUE(StoreSandbox::CreateKey(kShell + "\\edit\\command"));
    const auto failures = ShellAssociation::Unregister();
    // "command" before "open", "open" before "shell": the children went
    // first, or their parents would have stayed too.
    EXPECT_FALSE(StoreSandbox::HasKey(kCommand));
    EXPECT_FALSE(StoreSandbox::HasKey(kOpen));
    EXPECT_TRUE(StoreSandbox::HasKey(kShell + "\\edit\\command"));
    EXPECT_TRUE(StoreSandbox::HasKey(kType));
    // The refusals above do not stop the last step.
    EXPECT_FALSE(StoreSandbox::HasKey(".qlm"));
    EXPECT_FALSE(ShellAssociation::IsRegistered());
    ASSERT_EQ(failures.size(), 2u) << Describe(failures);
    EXPECT_EQ(failures[0].path, "HKEY_CLASSES_ROOT\\" + kShell);
    EXPECT_EQ(failures[1].path, "HKEY_CLASSES_ROOT\\" + kType);
}

} // namespace
