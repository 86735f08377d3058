// A second process for the registry tests. Names and data travel as hex so that any byte,
// and the empty default-value name, survives the command line.
//
//   registry_probe [--file-size-limit BYTES] set KEY (NAMEHEX TYPE DATAHEX)...
//       Creates KEY below HKEY_CURRENT_USER and stores each value; prints "set CODE" for each.
//       With a limit, the process may not write files longer than BYTES.
//   registry_probe get KEY NAMEHEX...
//       Prints "TYPE DATAHEX" for each value, or "missing CODE".
// Exits 0 when every call succeeded, 1 when one failed, 2 on a bad command line.

#include "platform/win32/Registry.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>

namespace {

using Win32::BYTE;
using Win32::DWORD;
using Win32::LONG;

std::optional<std::vector<BYTE>> FromHex(const std::string_view hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const std::string pair(hex.substr(i, 2));
        char* end = nullptr;
        const unsigned long value = std::strtoul(pair.c_str(), &end, 16);
        if (end != pair.c_str() + 2)
            return std::nullopt;
        bytes.push_back(static_cast<BYTE>(value));
    }
    return bytes;
}

std::string ToHex(const BYTE* bytes, const size_t size)
{
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        hex += pair;
    }
    return hex;
}

int Set(const char* keyPath, char** arguments, const int count)
{
    if (count % 3 != 0)
        return 2;
    Win32::HKEY key = nullptr;
    const LONG created =
        Win32::RegCreateKeyExA(Win32::HKEY_CURRENT_USER, keyPath, 0, nullptr, Win32::REG_OPTION_NON_VOLATILE,
                               Win32::KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (created != Win32::ERROR_SUCCESS) {
        std::printf("create %d\n", created);
        return 1;
    }
    int status = 0;
    for (int i = 0; i < count; i += 3) {
        const std::optional<std::vector<BYTE>> name = FromHex(arguments[i]);
        const std::optional<std::vector<BYTE>> data = FromHex(arguments[i + 2]);
        if (!name || !data) {
            status = 2;
            break;
        }
        const std::string nameText(name->begin(), name->end());
        const DWORD type = static_cast<DWORD>(std::strtoul(arguments[i + 1], nullptr, 0));
        const LONG result =
            Win32::RegSetValueExA(key, nameText.c_str(), 0, type, data->data(), static_cast<DWORD>(data->size()));
        std::printf("set %d\n", result);
        if (result != Win32::ERROR_SUCCESS)
            status = 1;
    }
    Win32::RegCloseKey(key);
    return status;
}

int Get(const char* keyPath, char** names, const int count)
{
    Win32::HKEY key = nullptr;
    const LONG opened = Win32::RegOpenKeyExA(Win32::HKEY_CURRENT_USER, keyPath, 0, Win32::KEY_READ, &key);
    if (opened != Win32::ERROR_SUCCESS) {
        std::printf("open %d\n", opened);
        return 1;
    }
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const std::optional<std::vector<BYTE>> name = FromHex(names[i]);
        if (!name) {
            status = 2;
            break;
        }
        const std::string nameText(name->begin(), name->end());
        DWORD size = 0;
        LONG result = Win32::RegQueryValueExA(key, nameText.c_str(), nullptr, nullptr, nullptr, &size);
        std::vector<BYTE> data(size);
        DWORD type = 0;
        if (result == Win32::ERROR_SUCCESS)
            result = Win32::RegQueryValueExA(key, nameText.c_str(), nullptr, &type, data.data(), &size);
        if (result == Win32::ERROR_SUCCESS) {
            std::printf("%u %s\n", type, ToHex(data.data(), size).c_str());
        } else {
            std::printf("missing %d\n", result);
            status = 1;
        }
    }
    Win32::RegCloseKey(key);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    if (argc > 2 && std::string_view(argv[1]) == "--file-size-limit") {
        const rlim_t limit = std::strtoull(argv[2], nullptr, 10);
        const rlimit fileSize = {limit, limit};
        // Past the limit a write then fails with EFBIG instead of killing the process.
        std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return 2;
        first = 3;
    }
    if (argc - first < 2)
        return 2;
    const std::string_view command = argv[first];
    const int status = command == "set"   ? Set(argv[first + 1], argv + first + 2, argc - first - 2)
                       : command == "get" ? Get(argv[first + 1], argv + first + 2, argc - first - 2)
                                          : 2;
    std::fflush(stdout);
    return status;
}
