#pragma once
// The files behind the registry.
//
// Every key is a folder below $XDG_CONFIG_HOME/win32-registry/HKEY_CURRENT_USER
// (~/.config when XDG_CONFIG_HOME is unset, empty or relative), so that the key
// SOFTWARE\Brightfold\Test3D is the folder .../HKEY_CURRENT_USER/software/brightfold/test3d.
// Folder names are the key names in lower case with every byte that is not plain printable
// ASCII, and '/', '%' and a leading '.', written as %xx. A key's values live in the file
// "Values" inside its folder; every change writes a new file and renames it over the old.
//
// "Values" file, all numbers little-endian:
//   8 bytes   magic "W32RegKy"
//   u32       format version (1)
//   u32       number of values
//   per value: u32 name length, u32 type, u32 data length, name bytes, data bytes
//   u32       CRC-32 of every byte before it
// A file that does not follow this exactly is damaged: its key reads as having no values,
// and the next change keeps it as "Values.damaged" before writing a fresh file.

#include "platform/win32/Types.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Win32::SettingsStore {

// An open key folder; closes it when destroyed. The path is kept for diagnostics only.
class Folder {
public:
    Folder() = default;
    Folder(int fd, std::string path);
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    int Fd() const { return mFd; }
    const std::string& Path() const { return mPath; }

private:
    int mFd = -1;
    std::string mPath;
};

struct Value {
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

// True when two key or value names are equal ignoring case (ASCII and Latin-1 letters).
bool SameName(std::string_view a, std::string_view b);

// The folder name that stores the key name; empty when the name cannot name a key (it is
// empty or its folder name would be too long for the file system).
std::string KeyFolderName(std::string_view name);

std::vector<BYTE> EncodeValues(const std::vector<Value>& values);
// Null for anything that is not a well-formed "Values" file of this version.
std::optional<std::vector<Value>> DecodeValues(std::span<const BYTE> bytes);

// Opens the key at `path` (names separated by '\'; "" is the starting key itself) below
// `parent`, or below the top of the store when parent is null. With `create`, missing keys
// on the way are created and *created (when given) says whether the last one was.
LONG OpenKey(const Folder* parent, std::string_view path, bool create, Folder* result, bool* created);
// Deletes the key at `path` below `parent` (the top of the store when null) with its
// values; refused while it has subkeys.
LONG DeleteKey(const Folder* parent, std::string_view path);

// The key's values; none when its file is missing or damaged.
LONG ReadValues(const Folder& key, std::vector<Value>* values);
// Adds the value or replaces the one of the same name, keeping that name's spelling.
LONG SetValue(const Folder& key, std::string_view name, DWORD type, std::span<const BYTE> data);
LONG DeleteValue(const Folder& key, std::string_view name);

} // namespace Win32::SettingsStore
