#pragma once
// The registry calls the framework makes, kept in the settings store (SettingsStore.h):
// every key is a folder below $XDG_CONFIG_HOME and holds typed values. Key and value names
// are compared ignoring case; "" (or null) as a value name is the key's default value.
// Nothing is cached: every call reads or writes the files, so other handles and other
// processes see a change as soon as the call that made it returns. The calls return their
// error code and also leave it for GetLastError when they fail.

#include "platform/win32/Types.h"

namespace Win32 {

// The one predefined root key; it always exists and RegCloseKey ignores it.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001));

// Access rights of a key handle.
constexpr DWORD KEY_READ = 0x1;
constexpr DWORD KEY_WRITE = 0x2;
constexpr DWORD KEY_ALL_ACCESS = KEY_READ | KEY_WRITE;

// Every key is kept on disk; this is the only option of RegCreateKeyExA.
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;

// What RegCreateKeyExA did.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Value types. The store's files keep them, so they carry their documented numbers.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

// Opens an existing key; subKey is a '\'-separated path below root ("" or null: root
// itself). options must be 0. *result is null when it fails.
LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD samDesired, HKEY* result);

// Opens the key, creating it and every missing key above it. Creating needs write access
// to root. keyClass and securityAttributes are ignored.
LONG RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved, char* keyClass, DWORD options, DWORD samDesired,
                     void* securityAttributes, HKEY* result, DWORD* disposition);

// Stores `size` bytes as the value; REG_DWORD takes exactly 4. The key's file is replaced
// atomically: when this fails, the previous values are still there.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

// Copies the value into data when *size is large enough (ERROR_MORE_DATA and data left
// alone when not); *size becomes the value's size and *type its type. With data null it
// only reports them. Outputs stay untouched when there is no such value.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);

LONG RegDeleteValueA(HKEY key, const char* valueName);

// Deletes a key with its values; refused (ERROR_ACCESS_DENIED) while it has subkeys.
LONG RegDeleteKeyA(HKEY root, const char* subKey);

LONG RegCloseKey(HKEY key);

} // namespace Win32
