#pragma once
// The hand cursors: a pointing hand for links and buttons, an open hand for dragging.
// Both are 32 x 32 monochrome pictures kept as text, one character a pixel: '.'
// transparent, 'X' black, 'o' white.

#include "platform/win32/Types.h"

#include <cstdint>

namespace Zest {

constexpr int kCursorArtSize = 32;
// One bit a pixel, rows of kCursorArtSize / 8 bytes.
constexpr int kCursorPlaneBytes = kCursorArtSize * kCursorArtSize / 8;

// A pointing hand, index finger up, with the hot spot at the fingertip.
extern const char* const kHandCursorArt[kCursorArtSize];
constexpr int kHandCursorHotX = 11;
constexpr int kHandCursorHotY = 4;

// An open hand seen from the palm, with the hot spot on the palm below the fingers.
extern const char* const kDragCursorArt[kCursorArtSize];
constexpr int kDragCursorHotX = 15;
constexpr int kDragCursorHotY = 10;

// Fills the AND and XOR planes of CreateCursor (kCursorPlaneBytes each) from
// kCursorArtSize rows of art, the leftmost pixel of each byte in its most significant
// bit: '.' gives AND 1 XOR 0, 'X' AND 0 XOR 0, 'o' AND 0 XOR 1. Any other character, and
// the pixels past the end of a short row, are transparent.
void CursorPlanesFromArt(const char* const* rows, uint8_t* andPlane, uint8_t* xorPlane);

// New cursors from the pictures above; the caller frees them with Win32::DestroyCursor.
Win32::HCURSOR CreateHandCursor();
Win32::HCURSOR CreateDragCursor();

} // namespace Zest
