#include "ui/ShellAssociation.h"

#include "platform/store/Registry.h"
#include "platform/store/ScopedRegKey.h"

namespace {

constexpr DWORD kBrowserFlags = 8;
constexpr DWORD kEditFlags = 0;
// The type's name goes without its terminating zero, the extension's with
// it: other programs reading these keys have only ever seen these sizes.
constexpr DWORD kFileTypeSize = 16;
constexpr DWORD kExtensionValueSize = 17;
constexpr DWORD kOpenVerbSize = 4;

std::string RootPath(std::string_view subKey) {
    return "HKEY_CLASSES_ROOT\\" + std::string(subKey);
}

// Runs registry calls one after another and keeps what went wrong, with the
// key each call was about.
class RegistrySteps {
public:
    explicit RegistrySteps(bool stopAtFirstFailure) : m_stopAtFirst(stopAtFirstFailure) {}

    void Create(HKEY parent, const std::string& name, ScopedRegKey& key, const std::string& path) {
        if (Skipping()) return;
        Check(RegCreateKeyEx(parent, name.c_str(), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key.Receive(),
                             nullptr),
              path);
    }

    void SetString(const ScopedRegKey& key, const char* text, DWORD size, const std::string& path) {
        if (Skipping()) return;
        Check(RegSetValueEx(key.Get(), nullptr, REG_SZ, reinterpret_cast<const BYTE*>(text), size), path);
    }

    void SetDword(const ScopedRegKey& key, const char* name, DWORD value, const std::string& path) {
        if (Skipping()) return;
        Check(RegSetValueEx(key.Get(), name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
              path);
    }

    // A key that cannot be opened stays null; the deletions under it are
    // then not tried, as they could only fail.
    void Open(HKEY parent, const std::string& name, ScopedRegKey& key, const std::string& path) {
        if (parent == nullptr) return;
        CheckGone(RegOpenKeyEx(parent, name.c_str(), KEY_ALL_ACCESS, key.Receive()), path);
    }

    void Delete(HKEY parent, const std::string& name, const std::string& path) {
        if (parent == nullptr) return;
        CheckGone(RegDeleteKey(parent, name.c_str()), path);
    }

    std::vector<AssociationFailure> Failures() { return std::move(m_failures); }

private:
    bool Skipping() const { return m_stopAtFirst && !m_failures.empty(); }

    void Check(LONG rc, const std::string& path) {
        if (rc != ERROR_SUCCESS) m_failures.push_back({path, RegLastErrorText()});
    }

    // For removal, a key that is not there is what was wanted.
    void CheckGone(LONG rc, const std::string& path) {
        if (rc != ERROR_FILE_NOT_FOUND && rc != ERROR_KEY_DELETED) Check(rc, path);
    }

    bool m_stopAtFirst;
    std::vector<AssociationFailure> m_failures;
};

} // namespace

std::string ShellAssociation::CommandFor(std::string_view program) {
    return std::string(program) + " \"%1\"";
}

bool ShellAssociation::IsRegistered() {
    ScopedRegKey key;
    return RegOpenKeyEx(HKEY_CLASSES_ROOT, std::string(kExtension).c_str(), KEY_ALL_ACCESS, key.Receive()) ==
           ERROR_SUCCESS;
}

std::vector<AssociationFailure> ShellAssociation::Register(std::string_view program) {
    const std::string type(kFileType);
    const std::string extension(kExtension);
    const std::string command = CommandFor(program);
    const std::string typePath = RootPath(type);
    const std::string shellPath = typePath + "\\shell";
    const std::string openPath = shellPath + "\\open";
    const std::string commandPath = openPath + "\\command";

    RegistrySteps steps(true);
    ScopedRegKey typeKey, shellKey, openKey, commandKey, extensionKey;
    steps.Create(HKEY_CLASSES_ROOT, type, typeKey, typePath);
    steps.SetString(typeKey, type.c_str(), kFileTypeSize, typePath);
    steps.SetDword(typeKey, "BrowserFlags", kBrowserFlags, typePath);
    steps.SetDword(typeKey, "EditFlags", kEditFlags, typePath);
    steps.Create(typeKey.Get(), "shell", shellKey, shellPath);
    steps.SetString(shellKey, "open", kOpenVerbSize, shellPath);
    steps.Create(shellKey.Get(), "open", openKey, openPath);
    steps.Create(openKey.Get(), "command", commandKey, commandPath);
    steps.SetString(commandKey, command.c_str(), static_cast<DWORD>(command.size()), commandPath);
    steps.Create(HKEY_CLASSES_ROOT, extension, extensionKey, RootPath(extension));
    steps.SetString(extensionKey, type.c_str(), kExtensionValueSize, RootPath(extension));
    return steps.Failures();
}

std::vector<AssociationFailure> ShellAssociation::Unregister() {
    const std::string type(kFileType);
    const std::string extension(kExtension);
    const std::string typePath = RootPath(type);
    const std::string shellPath = typePath + "\\shell";
    const std::string openPath = shellPath + "\\open";

    // Every step runs even after one failed: whatever can still go, goes.
    RegistrySteps steps(false);
    ScopedRegKey typeKey, shellKey, openKey;
    steps.Open(HKEY_CLASSES_ROOT, type, typeKey, typePath);
    steps.Open(typeKey.Get(), "shell", shellKey, shellPath);
    steps.Open(shellKey.Get(), "open", openKey, openPath);
    steps.Delete(openKey.Get(), "command", openPath + "\\command");
    steps.Delete(shellKey.Get(), "open", openPath);
    steps.Delete(typeKey.Get(), "shell", shellPath);
    steps.Delete(HKEY_CLASSES_ROOT, type, typePath);
    steps.Delete(HKEY_CLASSES_ROOT, extension, RootPath(extension));
    return steps.Failures();
}
