#include "platform/store/Registry.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

#include "AssociationKeys.h"
#include "Deadline.h"
#include "OddFiles.h"
#include "StoreSandbox.h"
#include "TempDir.h"
#include "platform/store/RegistryFileFormat.h"
#include "platform/store/RegistryStore.h"
#include "platform/store/ScopedRegKey.h"

namespace {

const std::string kCommand = "/opt/quill/bin/quillmoor \"%1\"";

class RegistryTest : public ::testing::Test {
protected:
    StoreSandbox home;
};

std::vector<BYTE> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST_F(RegistryTest, AssociationKeepsEveryTypeAndDataSize) {
    ASSERT_EQ(WriteAssociation(kCommand), ERROR_SUCCESS) << RegLastErrorText();

    auto typeName = StoreSandbox::Read("Quillmoor Module");
    ASSERT_TRUE(typeName);
    EXPECT_EQ(typeName->type, REG_SZ);
    EXPECT_EQ(typeName->data, Bytes("Quillmoor Module")); // 16 bytes, no zero

    auto browser = StoreSandbox::Read("Quillmoor Module", "BrowserFlags");
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->type, REG_DWORD);
    EXPECT_EQ(browser->data, (std::vector<BYTE>{8, 0, 0, 0}));
    auto edit = StoreSandbox::Read("Quillmoor Module", "EditFlags");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->data, (std::vector<BYTE>{0, 0, 0, 0}));

    auto verb = StoreSandbox::Read("Quillmoor Module\\shell", "");
    ASSERT_TRUE(verb);
    EXPECT_EQ(verb->data, Bytes("open"));
    auto command = StoreSandbox::Read("Quillmoor Module\\shell\\open\\command");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Text(), kCommand);
    EXPECT_EQ(command->data.size(), kCommand.size());

    auto extension = StoreSandbox::Read(".qlm");
    ASSERT_TRUE(extension);
    EXPECT_EQ(extension->data.size(), 17u);
    EXPECT_EQ(extension->data.back(), 0);
    // "open" itself holds no value.
    EXPECT_FALSE(StoreSandbox::Read("Quillmoor Module\\shell\\open"));
}

TEST_F(RegistryTest, StoreLivesUnderXdgConfigAndSurvivesReopening) {
    ASSERT_EQ(WriteAssociation(kCommand), ERROR_SUCCESS);
    const auto file = home.Config() / "quillmoor" / "registry";
    EXPECT_EQ(RegistryStore::FilePath(), file);
    ASSERT_TRUE(std::filesystem::exists(file));

    // Point the store elsewhere and back: what was written comes from the disk.
    const auto other = home.Root() / "other";
    RegistryStore::SetFolder(other);
    EXPECT_FALSE(StoreSandbox::Read(".qlm"));
    ASSERT_EQ(WriteAssociation("x \"%1\""), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(other / "registry"));
    RegistryStore::SetFolder({});
    auto command = StoreSandbox::Read("Quillmoor Module\\shell\\open\\command", "");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Text(), kCommand);

    // No temporary files of the atomic writes are left behind.
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "registry" || name == "registry.lock") << name;
    }
}

TEST_F(RegistryTest, LinkedStoreStaysLinked) {
    const auto real = home.Root() / "dotfiles" / "registry";
    const auto link = home.Config() / "quillmoor" / "registry";
    std::filesystem::create_directories(real.parent_path());
    std::filesystem::create_directories(link.parent_path());
    std::ofstream(real) << "quillmoor-registry 1\n";
    std::filesystem::create_symlink(real, link);

    ASSERT_EQ(WriteAssociation(kCommand), ERROR_SUCCESS) << RegLastErrorText();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(TempDir::ReadFile(real.string()).find("Quillmoor Module"), std::string::npos);
}

TEST_F(RegistryTest, CreateReportsDispositionAndMakesMissingParents) {
    ScopedRegKey key;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "A\\B\\C", 0, KEY_ALL_ACCESS, key.Receive(), &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ScopedRegKey again;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "a\\b\\c", 0, KEY_ALL_ACCESS, again.Receive(), &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY) << "key names ignore case";
    ScopedRegKey middle;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "A\\B", KEY_READ, middle.Receive()), ERROR_SUCCESS);
    ScopedRegKey bad;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "A\\\\B", 0, KEY_ALL_ACCESS, bad.Receive(), nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_FALSE(bad);
    ScopedRegKey missing;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "Nope", KEY_READ, missing.Receive()), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(missing);
}

TEST_F(RegistryTest, RemovalInOrderDeletesEverythingAndSecondRemovalFailsQuietly) {
    ASSERT_EQ(WriteAssociation(kCommand), ERROR_SUCCESS);
    EXPECT_EQ(RemoveAssociation(), std::vector<LONG>(5, ERROR_SUCCESS));
    ScopedRegKey probe;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_ALL_ACCESS, probe.Receive()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "Quillmoor Module", KEY_READ, probe.Receive()),
              ERROR_FILE_NOT_FOUND);

    // Keys removed by something else: the keys cannot be opened, so the
    // deletions that need them fail with a bad handle, the others find nothing.
    EXPECT_EQ(RemoveAssociation(),
              (std::vector<LONG>{ERROR_INVALID_HANDLE, ERROR_INVALID_HANDLE, ERROR_INVALID_HANDLE,
                                 ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND}));
}

TEST_F(RegistryTest, KeysWithSubkeysOfTheirOwnSurviveDeletion) {
    ASSERT_EQ(WriteAssociation(kCommand), ERROR_SUCCESS);
    ScopedRegKey extra;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, ".qlm\\OpenWithProgids", 0, KEY_ALL_ACCESS, extra.Receive(),
                             nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "Quillmoor Module\\shell\\edit", 0, KEY_ALL_ACCESS,
                             extra.Receive(), nullptr),
              ERROR_SUCCESS);

    EXPECT_EQ(RemoveAssociation(), (std::vector<LONG>{ERROR_SUCCESS, ERROR_SUCCESS, ERROR_ACCESS_DENIED,
                                                      ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED}));
    EXPECT_NE(RegLastErrorText().find("subkeys"), std::string::npos);
    auto extension = StoreSandbox::Read(".qlm");
    ASSERT_TRUE(extension) << ".qlm and its default value stay";
    EXPECT_EQ(extension->data.size(), 17u);
    EXPECT_TRUE(StoreSandbox::Read("Quillmoor Module\\shell"));
}

TEST_F(RegistryTest, HandlesAreCheckedNotTrusted) {
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "Gone", 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Gone"), ERROR_SUCCESS);
    const BYTE one = 1;
    EXPECT_EQ(RegSetValueEx(key.Get(), "v", REG_BINARY, &one, 1), ERROR_KEY_DELETED);

    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "Here", 0, KEY_READ, &raw, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(raw, "v", REG_BINARY, &one, 1), ERROR_ACCESS_DENIED)
            << "a key opened for reading takes no values";
    EXPECT_EQ(RegCloseKey(raw), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(raw), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(nullptr, "x", KEY_READ, &raw), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, QueryFollowsTheBufferContract) {
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "K", 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_SUCCESS);
    const BYTE data[] = {1, 2, 3, 4, 5};
    ASSERT_EQ(RegSetValueEx(key.Get(), "V", REG_BINARY, data, 5), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key.Get(), "empty", REG_NONE, nullptr, 0), ERROR_SUCCESS);

    BYTE small[3] = {};
    DWORD size = sizeof small;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueEx(key.Get(), "v", &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    BYTE big[8] = {};
    size = sizeof big;
    ASSERT_EQ(RegQueryValueEx(key.Get(), "V", &type, big, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::vector<BYTE>(big, big + size), std::vector<BYTE>(data, data + 5));

    size = 99;
    ASSERT_EQ(RegQueryValueEx(key.Get(), "empty", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, REG_NONE);
    EXPECT_EQ(RegQueryValueEx(key.Get(), "absent", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

    // Overwriting replaces type and size; it does not add a second value.
    const BYTE word[] = {9, 0, 0, 0};
    ASSERT_EQ(RegSetValueEx(key.Get(), "v", REG_DWORD, word, 4), ERROR_SUCCESS);
    auto stored = StoreSandbox::Read("K", "V");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, REG_DWORD);
    EXPECT_EQ(stored->data, std::vector<BYTE>(word, word + 4));
}

TEST_F(RegistryTest, AnyByteSurvivesInNamesAndData) {
    std::string keyName = "line\nbreak \"quoted\" tab\t\x01\x7f\x80\xff end";
    std::string valueName = keyName + "\\slash";
    std::vector<BYTE> all(256);
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<BYTE>(i);

    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key.Get(), valueName.c_str(), 77, all.data(), 256), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key.Get(), "\"", REG_SZ, all.data() + 65, 1), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key.Get(), "", REG_SZ, all.data() + 66, 1), ERROR_SUCCESS);

    auto stored = StoreSandbox::Read(keyName.c_str(), valueName.c_str());
    ASSERT_TRUE(stored) << RegLastErrorText();
    EXPECT_EQ(stored->type, 77u);
    EXPECT_EQ(stored->data, all);
    EXPECT_EQ(StoreSandbox::Read(keyName.c_str(), "\"")->Text(), "A");
    EXPECT_EQ(StoreSandbox::Read(keyName.c_str())->Text(), "B");
}

TEST_F(RegistryTest, CorruptStoreIsReportedAndNeverOverwritten) {
    const auto file = home.Config() / "quillmoor" / "registry";
    std::filesystem::create_directories(file.parent_path());
    const std::string garbage = "quillmoor-registry 1\nkey \"HKEY_CLASSES_ROOT\" \"broken\n";
    std::ofstream(file) << garbage;

    ScopedRegKey key;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "New", 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_BADDB);
    EXPECT_NE(RegLastErrorText().find(file.string()), std::string::npos);
    EXPECT_EQ(TempDir::ReadFile(file.string()), garbage);
}

// A store path that names no regular file is no store: nothing is read from
// it (a FIFO would hold every call up), and no write puts a file in its place.
class OddStoreTest : public ::testing::TestWithParam<OddFile> {
protected:
    StoreSandbox home;
};

TEST_P(OddStoreTest, ReadsAsAbsentAndIsNeverOverwritten) {
    const auto file = home.Config() / "quillmoor" / "registry";
    std::filesystem::create_directories(file.parent_path());
    GetParam().make(file.string());
    const std::optional<std::string> seen = Deadline::Run(10, [] {
        ScopedRegKey key;
        std::string text = std::to_string(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_READ, key.Receive()));
        const LONG created =
                RegCreateKeyEx(HKEY_CLASSES_ROOT, ".qlm", 0, KEY_ALL_ACCESS, key.Receive(), nullptr);
        return text + " " + std::to_string(created) + " " + RegLastErrorText();
    });
    ASSERT_TRUE(seen) << "the registry call did not return";
    const std::string reason = GetParam().kind == "Folder" ? "Is a directory" : "not a regular file";
    EXPECT_EQ(*seen, std::to_string(ERROR_FILE_NOT_FOUND) + " " + std::to_string(ERROR_ACCESS_DENIED) + " " +
                             file.string() + ": " + reason);
    EXPECT_FALSE(std::filesystem::is_regular_file(file));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddStoreTest, ::testing::ValuesIn(OddFile::All()),
                         [](const auto& row) { return row.param.kind; });

// A store nested deeper than the bound is damaged like any other: the check
// the editor makes at start and every change report it, and the file stays.
TEST_F(RegistryTest, StoreNestedTooDeepIsDamagedAndNeverOverwritten) {
    const auto file = home.Config() / "quillmoor" / "registry";
    std::filesystem::create_directories(file.parent_path());
    std::string deep = "quillmoor-registry 1\nkey \"HKEY_CLASSES_ROOT\"";
    for (int level = 0; level < 300000; ++level)
        deep += " \"k\"";
    deep += "\n";
    std::ofstream(file) << deep;

    ScopedRegKey key;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_ALL_ACCESS, key.Receive()), ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, ".qlm", 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_BADDB);
    EXPECT_EQ(RegLastErrorText(), file.string() + ": line 2 nests keys deeper than 512");
    EXPECT_EQ(TempDir::ReadFile(file.string()), deep);
}

// Nor can a change make the store that deep.
TEST_F(RegistryTest, KeysBeyondTheDepthBoundAreNotCreated) {
    std::string path = "k";
    for (std::size_t level = 2; level < RegistryFileFormat::maxDepth; ++level)
        path += "\\k";
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_SUCCESS)
            << RegLastErrorText();
    ScopedRegKey deeper;
    EXPECT_EQ(RegCreateKeyEx(key.Get(), "one-too-many", 0, KEY_ALL_ACCESS, deeper.Receive(), nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_NE(RegLastErrorText().find("nests deeper than 512 keys"), std::string::npos) << RegLastErrorText();
    EXPECT_EQ(RegOpenKeyEx(key.Get(), nullptr, KEY_ALL_ACCESS, deeper.Receive()), ERROR_SUCCESS)
            << "the store stays readable";
}

TEST_F(RegistryTest, StoreFolderThatCannotBeCreatedIsReported) {
    const auto blocker = home.Root() / "blocker";
    std::ofstream(blocker) << "a file where a folder should be";
    RegistryStore::SetFolder(blocker / "quillmoor");

    ScopedRegKey key;
    LONG rc = RegCreateKeyEx(HKEY_CLASSES_ROOT, ".qlm", 0, KEY_ALL_ACCESS, key.Receive(), nullptr);
    RegistryStore::SetFolder({});
    EXPECT_EQ(rc, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(key);
    EXPECT_NE(RegLastErrorText().find(blocker.string()), std::string::npos) << RegLastErrorText();
}

TEST_F(RegistryTest, ReadOnlyStoreRefusesFullAccessButStillReads) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: file permissions do not stop writes";
    ASSERT_EQ(WriteAssociation(kCommand), ERROR_SUCCESS);
    const auto folder = home.Config() / "quillmoor";
    std::filesystem::permissions(folder / "registry", std::filesystem::perms::owner_read);
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);

    ScopedRegKey key;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_ALL_ACCESS, key.Receive()), ERROR_ACCESS_DENIED);
    EXPECT_NE(RegLastErrorText().find(folder.string()), std::string::npos);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_READ, key.Receive()), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, ".qlm"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(StoreSandbox::Read(".qlm"));
}

TEST_F(RegistryTest, TwoProgramsWritingAtOnceLoseNothing) {
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "Shared", 0, KEY_ALL_ACCESS, key.Receive(), nullptr),
              ERROR_SUCCESS);
    constexpr int kWrites = 25;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            int failures = 0;
            for (int i = 0; i < kWrites; ++i) {
                const std::string name = std::string(1, static_cast<char>('a' + c)) + std::to_string(i);
                const BYTE byte = static_cast<BYTE>(i);
                failures += RegSetValueEx(key.Get(), name.c_str(), REG_BINARY, &byte, 1) != ERROR_SUCCESS;
            }
            ::_exit(failures);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int missing = 0;
    for (char c : {'a', 'b'}) {
        for (int i = 0; i < kWrites; ++i) {
            missing += !StoreSandbox::Read("Shared", (c + std::to_string(i)).c_str());
        }
    }
    EXPECT_EQ(missing, 0);
}

} // namespace
