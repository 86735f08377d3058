#pragma once
// The system libraries the program loads by name that have no Linux counterpart, served
// from tables in this layer: "version.dll" (the program's own product version),
// "user32.dll" (the time of the last input) and "shell32.dll" / "shfolder.dll" (the
// application-data folder). The functions can also be called directly.

#include "platform/win32/Com.h"
#include "platform/win32/Library.h"
#include "platform/win32/Types.h"

#include <string_view>

namespace Win32 {

constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_COMMON_APPDATA = 0x0023;
// OR-ed into the folder id: create the folder when it is missing.
constexpr int CSIDL_FLAG_CREATE = 0x8000;

struct LASTINPUTINFO {
    UINT cbSize;
    DWORD dwTime;
};

// version.dll. Only the running executable has version information; its block holds the
// product version, which VerQueryValueA finds under
// "\\StringFileInfo\\040904B0\\ProductVersion" and "\\StringFileInfo\\040904E4\\ProductVersion".
DWORD GetFileVersionInfoSizeA(const char* path, DWORD* handle);
BOOL GetFileVersionInfoA(const char* path, DWORD handle, DWORD size, void* data);
// On success *buffer points into the block at the text and *length counts its characters
// with the terminating NUL.
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);

// user32.dll. Fails unless info->cbSize is sizeof(LASTINPUTINFO).
BOOL GetLastInputInfo(LASTINPUTINFO* info);

// shell32.dll and shfolder.dll. Writes the application-data folder ($XDG_DATA_HOME when it
// is absolute, else $HOME/.local/share) into path, a buffer of MAX_PATH chars, for
// CSIDL_APPDATA and CSIDL_COMMON_APPDATA; anything else, or a folder that does not fit,
// fails with E_FAIL and writes nothing.
HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, char* path);

// A system library served from a table.
struct SystemLibrary;

// The served library of that base name (lower case, without ".dll"), or null.
const SystemLibrary* FindSystemLibrary(std::string_view baseName);
// The entry point of that name in a served library, or null.
FARPROC FindSystemEntryPoint(const SystemLibrary& library, std::string_view name);

} // namespace Win32
