#include "EditorTestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/store/Registry.h"
#include "platform/store/RegistryStore.h"
#include "platform/store/ScopedRegKey.h"

TempRegistry::TempRegistry() {
    static std::atomic<int> counter{0};
    m_folder = std::filesystem::temp_directory_path() /
               ("quill-ui-reg-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    RegistryStore::SetFolder(m_folder);
}

TempRegistry::~TempRegistry() {
    RegistryStore::SetFolder({});
    std::error_code ec;
    std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_folder, ec);
}

void TempRegistry::CreateKey(const char* name) {
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, name, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key.Receive(),
                             nullptr),
              ERROR_SUCCESS);
}
