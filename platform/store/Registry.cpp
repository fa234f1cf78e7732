#include "platform/store/Registry.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/store/RegistryFileFormat.h"
#include "platform/store/RegistryKey.h"
#include "platform/store/RegistryStore.h"
#include "platform/store/RegistryStoreLock.h"

// What a key handle remembers: the key's path from its root, not a pointer
// into a tree, because every call reads the store anew. A key removed behind
// a handle's back is then found missing (ERROR_KEY_DELETED).
class RegKeyHandle {
public:
    RegKeyHandle(std::vector<std::string> path, REGSAM access, bool predefined)
        : m_path(std::move(path)), m_access(access), m_predefined(predefined) {}

    const std::vector<std::string>& Path() const { return m_path; }
    REGSAM Access() const { return m_access; }
    bool Predefined() const { return m_predefined; }

private:
    std::vector<std::string> m_path;
    REGSAM m_access;
    bool m_predefined;
};

namespace {

RegKeyHandle g_classesRoot({"HKEY_CLASSES_ROOT"}, KEY_ALL_ACCESS, true);
RegKeyHandle g_currentUser({"HKEY_CURRENT_USER"}, KEY_ALL_ACCESS, true);

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE |
                                0x00040000 /* WRITE_DAC */ | 0x00080000 /* WRITE_OWNER */;

thread_local std::string t_lastError;

std::mutex& StoreMutex() {
    static std::mutex mutex;
    return mutex;
}

// Handles handed out and not yet closed, owned here; anything else passed in
// is refused instead of being dereferenced.
std::map<const RegKeyHandle*, std::unique_ptr<RegKeyHandle>>& LiveHandles() {
    static std::map<const RegKeyHandle*, std::unique_ptr<RegKeyHandle>> handles;
    return handles;
}

LONG Fail(LONG code, std::string why) {
    t_lastError = std::move(why);
    return code;
}

LONG Succeed() {
    t_lastError.clear();
    return ERROR_SUCCESS;
}

bool IsValid(HKEY key) {
    return key == &g_classesRoot || key == &g_currentUser || LiveHandles().count(key) != 0;
}

std::string Describe(const std::vector<std::string>& path) {
    std::string text;
    for (const auto& part : path)
        text += (text.empty() ? "" : "\\") + part;
    return text;
}

// A subkey path is split at backslashes; an empty part (a leading, doubled or
// trailing backslash) is not a key name.
LONG SplitSubKey(const char* subKey, std::vector<std::string>& parts) {
    if (subKey == nullptr || subKey[0] == '\0') return ERROR_SUCCESS;
    std::string_view rest(subKey);
    for (;;) {
        std::size_t cut = rest.find('\\');
        std::string_view part = rest.substr(0, cut);
        if (part.empty()) return Fail(ERROR_BAD_PATHNAME, std::string("bad key path: ") + subKey);
        parts.emplace_back(part);
        if (cut == std::string_view::npos) return ERROR_SUCCESS;
        rest.remove_prefix(cut + 1);
    }
}

// Follows path from the top of the tree; roots exist even in an empty store.
RegistryKey* Locate(RegistryKey& top, const std::vector<std::string>& path) {
    bool created = false;
    RegistryKey* key = &top.ObtainSubkey(path.front(), created);
    for (std::size_t i = 1; i < path.size() && key != nullptr; ++i)
        key = key->FindSubkey(path[i]);
    return key;
}

// Loads the store and finds the handle's key in it.
LONG LoadAt(HKEY handle, RegistryKey& top, RegistryKey*& key) {
    if (!IsValid(handle)) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    std::string why;
    if (LONG rc = RegistryStore::Load(top, why); rc != ERROR_SUCCESS) return Fail(rc, why);
    key = Locate(top, handle->Path());
    if (key == nullptr) {
        return Fail(ERROR_KEY_DELETED, "registry key " + Describe(handle->Path()) + " was deleted");
    }
    return ERROR_SUCCESS;
}

LONG CheckWritable() {
    std::string why;
    if (LONG rc = RegistryStore::CheckWritable(why); rc != ERROR_SUCCESS) return Fail(rc, why);
    return ERROR_SUCCESS;
}

LONG Save(const RegistryKey& top) {
    std::string why;
    if (LONG rc = RegistryStore::Save(top, why); rc != ERROR_SUCCESS) return Fail(rc, why);
    return ERROR_SUCCESS;
}

HKEY NewHandle(std::vector<std::string> path, REGSAM access) {
    auto handle = std::make_unique<RegKeyHandle>(std::move(path), access, false);
    HKEY key = handle.get();
    LiveHandles().emplace(key, std::move(handle));
    return key;
}

std::vector<std::string> Joined(HKEY parent, const std::vector<std::string>& parts) {
    std::vector<std::string> path = parent->Path();
    path.insert(path.end(), parts.begin(), parts.end());
    return path;
}

} // namespace

HKEY const HKEY_CLASSES_ROOT = &g_classesRoot;
HKEY const HKEY_CURRENT_USER = &g_currentUser;

LONG RegOpenKeyEx(HKEY parent, const char* subKey, REGSAM access, HKEY* result) {
    std::lock_guard lock(StoreMutex());
    if (result == nullptr) return Fail(ERROR_INVALID_PARAMETER, "no place for the key handle");
    *result = nullptr;
    std::vector<std::string> parts;
    if (LONG rc = SplitSubKey(subKey, parts); rc != ERROR_SUCCESS) return rc;
    RegistryKey top;
    RegistryKey* key = nullptr;
    if (LONG rc = LoadAt(parent, top, key); rc != ERROR_SUCCESS) return rc;
    for (const auto& part : parts) {
        key = key->FindSubkey(part);
        if (key == nullptr) {
            return Fail(ERROR_FILE_NOT_FOUND,
                        "registry key " + Describe(Joined(parent, parts)) + " does not exist");
        }
    }
    if ((access & kWriteRights) != 0) {
        if (LONG rc = CheckWritable(); rc != ERROR_SUCCESS) return rc;
    }
    *result = NewHandle(Joined(parent, parts), access);
    return Succeed();
}

LONG RegCreateKeyEx(HKEY parent, const char* subKey, DWORD /*options*/, REGSAM access, HKEY* result,
                    DWORD* disposition) {
    std::lock_guard lock(StoreMutex());
    RegistryStoreLock storeLock(RegistryStore::Folder());
    if (result == nullptr) return Fail(ERROR_INVALID_PARAMETER, "no place for the key handle");
    *result = nullptr;
    std::vector<std::string> parts;
    if (LONG rc = SplitSubKey(subKey, parts); rc != ERROR_SUCCESS) return rc;
    // A key deeper than the store may hold would make the store damaged.
    if (IsValid(parent) && parent->Path().size() + parts.size() > RegistryFileFormat::maxDepth) {
        return Fail(ERROR_BAD_PATHNAME, "registry key " + Describe(Joined(parent, parts)) +
                                                " nests deeper than " +
                                                std::to_string(RegistryFileFormat::maxDepth) + " keys");
    }
    RegistryKey top;
    RegistryKey* key = nullptr;
    if (LONG rc = LoadAt(parent, top, key); rc != ERROR_SUCCESS) return rc;
    bool anyCreated = false;
    for (const auto& part : parts) {
        bool created = false;
        key = &key->ObtainSubkey(part, created);
        anyCreated = anyCreated || created;
    }
    if (anyCreated || (access & kWriteRights) != 0) {
        if (LONG rc = CheckWritable(); rc != ERROR_SUCCESS) return rc;
    }
    if (anyCreated) {
        if (LONG rc = Save(top); rc != ERROR_SUCCESS) return rc;
    }
    if (disposition != nullptr) {
        *disposition = anyCreated ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    *result = NewHandle(Joined(parent, parts), access);
    return Succeed();
}

LONG RegSetValueEx(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    std::lock_guard lock(StoreMutex());
    RegistryStoreLock storeLock(RegistryStore::Folder());
    if (data == nullptr && size != 0) return Fail(ERROR_INVALID_PARAMETER, "value data missing");
    if (IsValid(key) && (key->Access() & KEY_SET_VALUE) == 0) {
        return Fail(ERROR_ACCESS_DENIED,
                    "registry key " + Describe(key->Path()) + " was not opened for setting values");
    }
    RegistryKey top;
    RegistryKey* target = nullptr;
    if (LONG rc = LoadAt(key, top, target); rc != ERROR_SUCCESS) return rc;
    if (LONG rc = CheckWritable(); rc != ERROR_SUCCESS) return rc;
    RegistryValue value{name == nullptr ? std::string() : std::string(name), type, {}};
    if (size != 0) value.data.assign(data, data + size);
    target->SetValue(std::move(value));
    if (LONG rc = Save(top); rc != ERROR_SUCCESS) return rc;
    return Succeed();
}

LONG RegQueryValueEx(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
    std::lock_guard lock(StoreMutex());
    if (data != nullptr && size == nullptr) return Fail(ERROR_INVALID_PARAMETER, "no buffer size");
    if (IsValid(key) && (key->Access() & KEY_QUERY_VALUE) == 0) {
        return Fail(ERROR_ACCESS_DENIED,
                    "registry key " + Describe(key->Path()) + " was not opened for reading values");
    }
    RegistryKey top;
    RegistryKey* target = nullptr;
    if (LONG rc = LoadAt(key, top, target); rc != ERROR_SUCCESS) return rc;
    const RegistryValue* value = target->FindValue(name == nullptr ? "" : name);
    if (value == nullptr) {
        return Fail(ERROR_FILE_NOT_FOUND, "registry key " + Describe(key->Path()) + " has no such value");
    }
    if (type != nullptr) *type = value->type;
    const auto needed = static_cast<DWORD>(value->data.size());
    if (data != nullptr && *size < needed) {
        *size = needed;
        return Fail(ERROR_MORE_DATA, "buffer too small for the value");
    }
    if (data != nullptr) std::copy(value->data.begin(), value->data.end(), data);
    if (size != nullptr) *size = needed;
    return Succeed();
}

LONG RegDeleteKey(HKEY parent, const char* subKey) {
    std::lock_guard lock(StoreMutex());
    RegistryStoreLock storeLock(RegistryStore::Folder());
    if (subKey == nullptr || subKey[0] == '\0') {
        return Fail(ERROR_INVALID_PARAMETER, "no key named for deletion");
    }
    std::vector<std::string> parts;
    if (LONG rc = SplitSubKey(subKey, parts); rc != ERROR_SUCCESS) return rc;
    RegistryKey top;
    RegistryKey* owner = nullptr;
    if (LONG rc = LoadAt(parent, top, owner); rc != ERROR_SUCCESS) return rc;
    for (std::size_t i = 0; i + 1 < parts.size() && owner != nullptr; ++i) {
        owner = owner->FindSubkey(parts[i]);
    }
    const RegistryKey* victim = owner == nullptr ? nullptr : owner->FindSubkey(parts.back());
    const std::string described = Describe(Joined(parent, parts));
    if (victim == nullptr) {
        return Fail(ERROR_FILE_NOT_FOUND, "registry key " + described + " does not exist");
    }
    if (!victim->Subkeys().empty()) {
        return Fail(ERROR_ACCESS_DENIED, "registry key " + described + " has subkeys of its own");
    }
    if (LONG rc = CheckWritable(); rc != ERROR_SUCCESS) return rc;
    owner->RemoveSubkey(parts.back());
    if (LONG rc = Save(top); rc != ERROR_SUCCESS) return rc;
    return Succeed();
}

LONG RegCloseKey(HKEY key) {
    std::lock_guard lock(StoreMutex());
    // Closing leaves the last failure's text alone: handles are closed on the
    // way out of the code that wants to report it.
    if (key == &g_classesRoot || key == &g_currentUser) return ERROR_SUCCESS;
    if (LiveHandles().erase(key) == 0) return Fail(ERROR_INVALID_HANDLE, "key handle not open");
    return ERROR_SUCCESS;
}

std::string RegLastErrorText() {
    return t_lastError;
}
