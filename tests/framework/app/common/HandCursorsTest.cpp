#include "framework/app/common/HandCursors.h"

#include "platform/win32/Input.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace Zest;

using Plane = std::array<uint8_t, kCursorPlaneBytes>;

struct Picture {
    const char* name;
    const char* const* rows;
    int hotX;
    int hotY;
};

const Picture kPictures[] = {
    {"hand", kHandCursorArt, kHandCursorHotX, kHandCursorHotY},
    {"drag", kDragCursorArt, kDragCursorHotX, kDragCursorHotY},
};

char PixelAt(const Picture& picture, const int x, const int y)
{
    if (x < 0 || y < 0 || x >= kCursorArtSize || y >= kCursorArtSize)
        return '.';
    return picture.rows[y][x];
}

TEST(HandCursors, PlanesHoldOneBitAPixelLeftmostInTheHighBit)
{
    std::string rows[kCursorArtSize];
    for (auto& row : rows)
        row.assign(kCursorArtSize, '.');
    rows[0][0] = 'X';
    rows[0][1] = 'o';
    rows[0][8] = 'o';
    rows[0][31] = 'X';
    rows[1][0] = 'o';
    rows[31][30] = 'X';
    const char* rowPointers[kCursorArtSize];
    for (int y = 0; y < kCursorArtSize; ++y)
        rowPointers[y] = rows[y].c_str();

    // Stale contents must not survive.
    Plane andPlane;
    Plane xorPlane;
    andPlane.fill(0x5A);
    xorPlane.fill(0xA5);
    CursorPlanesFromArt(rowPointers, andPlane.data(), xorPlane.data());

    Plane expectedAnd;
    Plane expectedXor;
    expectedAnd.fill(0xFF);
    expectedXor.fill(0x00);
    expectedAnd[0] = 0x3F; // 'X' and 'o' at x 0 and 1 are drawn.
    expectedXor[0] = 0x40; // Only the 'o' at x 1 is white.
    expectedAnd[1] = 0x7F; // x 8 starts the second byte.
    expectedXor[1] = 0x80;
    expectedAnd[3] = 0xFE; // x 31 is the low bit of the row's last byte.
    expectedAnd[4] = 0x7F; // The second row starts at byte 4.
    expectedXor[4] = 0x80;
    expectedAnd[127] = 0xFD; // x 30 of the last row.
    EXPECT_EQ(andPlane, expectedAnd);
    EXPECT_EQ(xorPlane, expectedXor);
}

TEST(HandCursors, ShortRowsAndUnknownCharactersStayTransparent)
{
    std::string rows[kCursorArtSize];
    for (auto& row : rows)
        row.assign(kCursorArtSize, '.');
    rows[2] = "oX";
    rows[3][5] = '#';
    const char* rowPointers[kCursorArtSize];
    for (int y = 0; y < kCursorArtSize; ++y)
        rowPointers[y] = rows[y].c_str();

    Plane andPlane;
    Plane xorPlane;
    CursorPlanesFromArt(rowPointers, andPlane.data(), xorPlane.data());

    Plane expectedAnd;
    Plane expectedXor;
    expectedAnd.fill(0xFF);
    expectedXor.fill(0x00);
    expectedAnd[8] = 0x3F;
    expectedXor[8] = 0x80;
    EXPECT_EQ(andPlane, expectedAnd);
    EXPECT_EQ(xorPlane, expectedXor);
}

TEST(HandCursors, PicturesAreFullRowsOfTheThreeCharacters)
{
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        for (int y = 0; y < kCursorArtSize; ++y) {
            SCOPED_TRACE(y);
            ASSERT_EQ(std::strlen(picture.rows[y]), static_cast<size_t>(kCursorArtSize));
            for (int x = 0; x < kCursorArtSize; ++x)
                EXPECT_NE(std::strchr(".Xo", picture.rows[y][x]), nullptr) << "x " << x;
        }
    }
}

TEST(HandCursors, HotSpotsAreOnTheFingertipAndThePalm)
{
    const Picture& hand = kPictures[0];
    ASSERT_NE(PixelAt(hand, hand.hotX, hand.hotY), '.');
    // The fingertip is the top of the picture: nothing is drawn above the hot spot's row.
    for (int y = 0; y < hand.hotY; ++y)
        for (int x = 0; x < kCursorArtSize; ++x)
            EXPECT_EQ(PixelAt(hand, x, y), '.') << "x " << x << " y " << y;

    // Inside the open hand, not on its outline.
    const Picture& drag = kPictures[1];
    EXPECT_EQ(PixelAt(drag, drag.hotX, drag.hotY), 'o');
}

TEST(HandCursors, OutlinesAreClosed)
{
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        int whitePixels = 0;
        for (int y = 0; y < kCursorArtSize; ++y) {
            for (int x = 0; x < kCursorArtSize; ++x) {
                if (PixelAt(picture, x, y) != 'o')
                    continue;
                ++whitePixels;
                // Off the picture counts as transparent, so white may not touch the edge.
                EXPECT_NE(PixelAt(picture, x - 1, y), '.') << "left of x " << x << " y " << y;
                EXPECT_NE(PixelAt(picture, x + 1, y), '.') << "right of x " << x << " y " << y;
                EXPECT_NE(PixelAt(picture, x, y - 1), '.') << "above x " << x << " y " << y;
                EXPECT_NE(PixelAt(picture, x, y + 1), '.') << "below x " << x << " y " << y;
            }
        }
        EXPECT_GT(whitePixels, 100);
    }
}

TEST(HandCursors, BothCursorsAreCreated)
{
    // Creating a cursor needs no display; keep the test away from any real one.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Win32::HCURSOR hand = CreateHandCursor();
    Win32::HCURSOR drag = CreateDragCursor();
    ASSERT_NE(hand, nullptr);
    ASSERT_NE(drag, nullptr);
    EXPECT_NE(hand, drag);
    EXPECT_EQ(Win32::DestroyCursor(hand), 1);
    EXPECT_EQ(Win32::DestroyCursor(drag), 1);
}

} // namespace
