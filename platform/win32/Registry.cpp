#include "platform/win32/Registry.h"

#include "platform/win32/Kernel.h"
#include "platform/win32/SettingsStore.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace Win32 {

// The key's folder stays open, so a handle keeps naming the key it opened even if the key
// is deleted and made again.
struct RegistryKey {
    SettingsStore::Folder folder;
    DWORD access = 0;
};

namespace {

std::string_view NameOf(const char* name) { return name != nullptr ? std::string_view(name) : std::string_view(); }

bool MayWrite(const HKEY key) { return key == HKEY_CURRENT_USER || (key->access & KEY_WRITE) != 0; }

// The folder keys below `root` are opened from; null for the top of the store.
const SettingsStore::Folder* ParentOf(const HKEY root) { return root == HKEY_CURRENT_USER ? nullptr : &root->folder; }

// The folder behind a handle that must carry `access`. The predefined root keeps no folder
// open: it opens the top of the store into `scratch`.
LONG FolderOf(const HKEY key, const DWORD access, SettingsStore::Folder* scratch, const SettingsStore::Folder** folder)
{
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (key == HKEY_CURRENT_USER) {
        *folder = scratch;
        return SettingsStore::OpenKey(nullptr, "", (access & KEY_WRITE) != 0, scratch, nullptr);
    }
    if ((key->access & access) != access)
        return ERROR_ACCESS_DENIED;
    *folder = &key->folder;
    return ERROR_SUCCESS;
}

// Runs one call: allocation failures become an error code instead of leaving the API, and a
// failure is also left for GetLastError.
template <typename Call>
LONG Guarded(Call&& call) noexcept
{
    LONG error = ERROR_NOT_ENOUGH_MEMORY;
    try {
        error = call();
    } catch (const std::exception&) {
        // Only allocation throws below: bad_alloc or length_error.
    }
    if (error != ERROR_SUCCESS)
        SetLastError(static_cast<DWORD>(error));
    return error;
}

} // namespace

LONG RegOpenKeyExA(const HKEY root, const char* subKey, const DWORD options, const DWORD samDesired, HKEY* result)
{
    return Guarded([&]() -> LONG {
        if (result == nullptr)
            return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        if (root == nullptr)
            return ERROR_INVALID_HANDLE;
        if (options != 0)
            return ERROR_INVALID_PARAMETER;
        SettingsStore::Folder folder;
        const LONG error = SettingsStore::OpenKey(ParentOf(root), NameOf(subKey), false, &folder, nullptr);
        if (error != ERROR_SUCCESS)
            return error;
        *result = new RegistryKey{std::move(folder), samDesired};
        return ERROR_SUCCESS;
    });
}

LONG RegCreateKeyExA(const HKEY root, const char* subKey, const DWORD reserved, char* keyClass, const DWORD options,
                     const DWORD samDesired, void* securityAttributes, HKEY* result, DWORD* disposition)
{
    return Guarded([&]() -> LONG {
        if (result == nullptr)
            return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        if (root == nullptr)
            return ERROR_INVALID_HANDLE;
        if (reserved != 0 || options != REG_OPTION_NON_VOLATILE)
            return ERROR_INVALID_PARAMETER;
        // Without write access to root an existing key may still be opened.
        const bool mayCreate = MayWrite(root);
        SettingsStore::Folder folder;
        bool created = false;
        const LONG error = SettingsStore::OpenKey(ParentOf(root), NameOf(subKey), mayCreate, &folder, &created);
        if (error == ERROR_FILE_NOT_FOUND && !mayCreate)
            return ERROR_ACCESS_DENIED;
        if (error != ERROR_SUCCESS)
            return error;
        *result = new RegistryKey{std::move(folder), samDesired};
        if (disposition != nullptr)
            *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LONG RegSetValueExA(const HKEY key, const char* valueName, const DWORD reserved, const DWORD type, const BYTE* data,
                    const DWORD size)
{
    return Guarded([&]() -> LONG {
        if (reserved != 0 || (data == nullptr && size != 0) || (type == REG_DWORD && size != sizeof(DWORD)))
            return ERROR_INVALID_PARAMETER;
        SettingsStore::Folder scratch;
        const SettingsStore::Folder* folder = nullptr;
        const LONG error = FolderOf(key, KEY_WRITE, &scratch, &folder);
        if (error != ERROR_SUCCESS)
            return error;
        const std::span<const BYTE> bytes =
            data != nullptr ? std::span<const BYTE>(data, size) : std::span<const BYTE>();
        return SettingsStore::SetValue(*folder, NameOf(valueName), type, bytes);
    });
}

LONG RegQueryValueExA(const HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size)
{
    return Guarded([&]() -> LONG {
        if (reserved != nullptr || (data != nullptr && size == nullptr))
            return ERROR_INVALID_PARAMETER;
        SettingsStore::Folder scratch;
        const SettingsStore::Folder* folder = nullptr;
        LONG error = FolderOf(key, KEY_READ, &scratch, &folder);
        if (error != ERROR_SUCCESS)
            return error;
        std::vector<SettingsStore::Value> values;
        error = SettingsStore::ReadValues(*folder, &values);
        if (error != ERROR_SUCCESS)
            return error;
        const std::string_view name = NameOf(valueName);
        const auto found = std::find_if(values.begin(), values.end(), [&](const SettingsStore::Value& value) {
            return SettingsStore::SameName(value.name, name);
        });
        if (found == values.end())
            return ERROR_FILE_NOT_FOUND;

        const DWORD needed = static_cast<DWORD>(found->data.size());
        if (type != nullptr)
            *type = found->type;
        if (data != nullptr && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (data != nullptr && needed != 0)
            std::memcpy(data, found->data.data(), needed);
        if (size != nullptr)
            *size = needed;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValueA(const HKEY key, const char* valueName)
{
    return Guarded([&]() -> LONG {
        SettingsStore::Folder scratch;
        const SettingsStore::Folder* folder = nullptr;
        const LONG error = FolderOf(key, KEY_WRITE, &scratch, &folder);
        if (error != ERROR_SUCCESS)
            return error;
        return SettingsStore::DeleteValue(*folder, NameOf(valueName));
    });
}

LONG RegDeleteKeyA(const HKEY root, const char* subKey)
{
    return Guarded([&]() -> LONG {
        if (root == nullptr)
            return ERROR_INVALID_HANDLE;
        if (!MayWrite(root))
            return ERROR_ACCESS_DENIED;
        return SettingsStore::DeleteKey(ParentOf(root), NameOf(subKey));
    });
}

LONG RegCloseKey(const HKEY key)
{
    return Guarded([&]() -> LONG {
        if (key == nullptr)
            return ERROR_INVALID_HANDLE;
        if (key != HKEY_CURRENT_USER)
            delete key;
        return ERROR_SUCCESS;
    });
}

} // namespace Win32
