#include "framework/app/common/HandCursors.h"

#include "platform/win32/Input.h"

#include <cstdint>
#include <cstring>

namespace Zest {

const char* const kHandCursorArt[kCursorArtSize] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "..........XXX...................",
    ".........XoooX..................",
    ".........XoooX..................",
    ".........XoooX..................",
    ".........XoooX..................",
    ".........XoooX..................",
    ".........XoooX..................",
    ".........XoooXXXX...............",
    ".........XoooXoooXXXX...........",
    ".........XoooXoooXoooXXX........",
    ".........XoooXoooXoooXooX.......",
    "......XXXXoooXoooXoooXooX.......",
    ".....XoooXoooXoooXoooXooX.......",
    ".....XoooXoooXoooXoooXooX.......",
    ".....XooooooooooooooooooX.......",
    ".....XooooooooooooooooooX.......",
    "......XoooooooooooooooooX.......",
    ".......XooooooooooooooooX.......",
    "........XoooooooooooooooX.......",
    ".........XoooooooooooooX........",
    ".........XoooooooooooooX........",
    ".........XoooooooooooooX........",
    ".........XoooooooooooooX........",
    ".........XXXXXXXXXXXXXXX........",
    "................................",
    "................................",
    "................................",
    "................................",
};

const char* const kDragCursorArt[kCursorArtSize] = {
    "................................",
    ".............XX.................",
    "............XooX..XX............",
    ".......XX...XooX.XooX...........",
    "......XooX..XooX.XooX...XX......",
    "......XooX..XooX.XooX..XooX.....",
    ".......XooX.XooX.XooX..XooX.....",
    ".......XooX.XooX.XooX.XooX......",
    "..XX...XooX.XooX.XooX.XooX......",
    ".XooX..XooXXXooXXXooXXXooX......",
    ".XoooX.XoooooooooooooooooX......",
    "..XoooXXoooooooooooooooooX......",
    "..XooooXoooooooooooooooooX......",
    "...XoooooooooooooooooooooX......",
    "...XoooooooooooooooooooooX......",
    "....XooooooooooooooooooooX......",
    ".....XoooooooooooooooooooX......",
    "......XooooooooooooooooooX......",
    ".......XooooooooooooooooX.......",
    ".......XooooooooooooooooX.......",
    ".......XoooooooooooooooX........",
    "........XooooooooooooooX........",
    ".........XXXXXXXXXXXXXX.........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

void CursorPlanesFromArt(const char* const* rows, uint8_t* andPlane, uint8_t* xorPlane)
{
    // Everything starts transparent (AND 1, XOR 0); drawn pixels clear their AND bit, and
    // white ones also set their XOR bit.
    std::memset(andPlane, 0xFF, kCursorPlaneBytes);
    std::memset(xorPlane, 0x00, kCursorPlaneBytes);
    constexpr int kRowBytes = kCursorArtSize / 8;
    for (int y = 0; y < kCursorArtSize; ++y) {
        const char* row = rows[y];
        // A short row ends at its terminator; the rest of it stays transparent.
        for (int x = 0; x < kCursorArtSize && row[x] != '\0'; ++x) {
            const char pixel = row[x];
            if (pixel != 'X' && pixel != 'o')
                continue;
            const int byte = y * kRowBytes + x / 8;
            const auto bit = static_cast<uint8_t>(0x80U >> (x % 8));
            andPlane[byte] = static_cast<uint8_t>(andPlane[byte] & ~bit);
            if (pixel == 'o')
                xorPlane[byte] = static_cast<uint8_t>(xorPlane[byte] | bit);
        }
    }
}

namespace {

Win32::HCURSOR CursorFromArt(const char* const* rows, const int hotX, const int hotY)
{
    uint8_t andPlane[kCursorPlaneBytes];
    uint8_t xorPlane[kCursorPlaneBytes];
    CursorPlanesFromArt(rows, andPlane, xorPlane);
    return Win32::CreateCursor(nullptr, hotX, hotY, kCursorArtSize, kCursorArtSize, andPlane, xorPlane);
}

} // namespace

Win32::HCURSOR CreateHandCursor() { return CursorFromArt(kHandCursorArt, kHandCursorHotX, kHandCursorHotY); }

Win32::HCURSOR CreateDragCursor() { return CursorFromArt(kDragCursorArt, kDragCursorHotX, kDragCursorHotY); }

} // namespace Zest
