#pragma once
// The basic types, handles and structures of the platform layer, as the framework's calls
// use them. Handles are pointers to the layer's own objects; the framework only passes
// them back in.

#include <cstdint>

namespace Win32 {

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using BOOL = int32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = uint16_t;

struct Window;
struct Cursor;
struct Module;
struct RegistryKey;

using HWND = Window*;
using HCURSOR = Cursor*;
using HICON = void*;
using HBRUSH = void*;
using HMODULE = Module*;
using HINSTANCE = Module*;
using HKEY = RegistryKey*;
using HANDLE = void*;
using HGLOBAL = void*;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// 100-nanosecond intervals since 1601-01-01 00:00 UTC, low half first.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

constexpr WORD LOWORD(const uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(const uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(const int low, const int high)
{
    return static_cast<LPARAM>((static_cast<uint32_t>(low) & 0xFFFF) | ((static_cast<uint32_t>(high) & 0xFFFF) << 16));
}
// Mouse positions travel as signed 16-bit halves of lParam.
constexpr int GET_X_LPARAM(const LPARAM value) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(value))); }
constexpr int GET_Y_LPARAM(const LPARAM value) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(value))); }

// Error codes of GetLastError and of the registry calls.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr LONG ERROR_NO_MORE_FILES = 18;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_READ_FAULT = 30;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
constexpr LONG ERROR_MOD_NOT_FOUND = 126;
constexpr LONG ERROR_PROC_NOT_FOUND = 127;
constexpr LONG ERROR_DIR_NOT_EMPTY = 145;
constexpr LONG ERROR_ALREADY_EXISTS = 183;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_DIRECTORY = 267;
constexpr LONG ERROR_INVALID_ADDRESS = 487;
constexpr LONG ERROR_FILE_INVALID = 1006;
constexpr LONG ERROR_MAPPED_ALIGNMENT = 1132;
constexpr LONG ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr LONG ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr LONG ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr LONG ERROR_RESOURCE_DATA_NOT_FOUND = 1812;

constexpr DWORD MAX_PATH = 260;

} // namespace Win32
