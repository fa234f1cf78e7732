#pragma once

// The per-user registry that stands in for the Windows one: the window code
// calls these as it would call the Win32 functions, and they read and write a
// small text file (see RegistryStore). Names and return codes follow Win32 so
// that the association code reads like its Windows counterpart.

#include <cstdint>
#include <string>

#include "platform/win32/WinTypes.h"

using REGSAM = std::uint32_t;

class RegKeyHandle;
using HKEY = RegKeyHandle*;

// Predefined roots; they are always open and closing them does nothing.
extern HKEY const HKEY_CLASSES_ROOT;
extern HKEY const HKEY_CURRENT_USER;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_READ_FAULT = 30;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_BAD_PATHNAME = 161;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_KEY_DELETED = 1018;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
// Strings each ending in a NUL, then one more NUL.
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM DELETE = 0x00010000;
inline constexpr REGSAM KEY_READ = 0x00020019;
inline constexpr REGSAM KEY_WRITE = 0x00020006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

// Opens an existing key. A request for any write right fails with
// ERROR_ACCESS_DENIED when the store cannot be written, which is how a key
// "that cannot be opened with full access" shows here.
LONG RegOpenKeyEx(HKEY parent, const char* subKey, REGSAM access, HKEY* result);

// Opens a key, creating it and any missing keys above it; disposition (may be
// null) tells which of the two happened.
LONG RegCreateKeyEx(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* result,
                    DWORD* disposition);

// Stores exactly size bytes of data under name (null or "" for the default
// value) with the given type; neither is checked against the other.
LONG RegSetValueEx(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);

// Win32 contract: with data null only type and size are reported; with a
// buffer smaller than the value, ERROR_MORE_DATA and the needed size.
LONG RegQueryValueEx(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);

// Deletes a subkey that has no subkeys of its own; one that has them stays and
// the call fails with ERROR_ACCESS_DENIED.
LONG RegDeleteKey(HKEY parent, const char* subKey);

LONG RegCloseKey(HKEY key);

// The path and the system's reason behind the last failed call of this
// thread, for the message a caller shows; empty after a success (closing a
// key leaves it as it was).
std::string RegLastErrorText();
