#include "AssociationKeys.h"

#include "platform/store/ScopedRegKey.h"

namespace {

LONG SetText(HKEY key, const char* name, const char* text, DWORD size) {
    return RegSetValueEx(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
}

LONG SetDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueEx(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
}

LONG Create(HKEY parent, const char* name, ScopedRegKey& key) {
    DWORD disposition = 0;
    return RegCreateKeyEx(parent, name, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key.Receive(), &disposition);
}

} // namespace

LONG WriteAssociation(const std::string& command) {
    ScopedRegKey type, shell, open, cmd, ext;
    const LONG results[] = {
            Create(HKEY_CLASSES_ROOT, "Quillmoor Module", type),
            SetText(type.Get(), nullptr, "Quillmoor Module", 16),
            SetDword(type.Get(), "BrowserFlags", 8),
            SetDword(type.Get(), "EditFlags", 0),
            Create(type.Get(), "shell", shell),
            SetText(shell.Get(), nullptr, "open", 4),
            Create(shell.Get(), "open", open),
            Create(open.Get(), "command", cmd),
            SetText(cmd.Get(), nullptr, command.c_str(), static_cast<DWORD>(command.size())),
            Create(HKEY_CLASSES_ROOT, ".qlm", ext),
            SetText(ext.Get(), nullptr, "Quillmoor Module", 17),
    };
    for (LONG rc : results) {
        if (rc != ERROR_SUCCESS) return rc;
    }
    return ERROR_SUCCESS;
}

std::vector<LONG> RemoveAssociation() {
    ScopedRegKey type, shell, open;
    RegOpenKeyEx(HKEY_CLASSES_ROOT, "Quillmoor Module", KEY_ALL_ACCESS, type.Receive());
    RegOpenKeyEx(type.Get(), "shell", KEY_ALL_ACCESS, shell.Receive());
    RegOpenKeyEx(shell.Get(), "open", KEY_ALL_ACCESS, open.Receive());
    return {RegDeleteKey(open.Get(), "command"), RegDeleteKey(shell.Get(), "open"),
            RegDeleteKey(type.Get(), "shell"), RegDeleteKey(HKEY_CLASSES_ROOT, "Quillmoor Module"),
            RegDeleteKey(HKEY_CLASSES_ROOT, ".qlm")};
}
