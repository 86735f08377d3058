#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace Zest;

TEST(Color, PackedValuesWithoutAlphaAreOpaqueAndPackBack)
{
    struct Case {
        uint32_t packed;
        Color color;
        uint32_t repacked;
    };
    const Case cases[] = {
        {0x00FF8040, Color(255, 128, 64, 255), 0xFFFF8040},
        {0x80FF8040, Color(255, 128, 64, 128), 0x80FF8040},
        {0x01000000, Color(0, 0, 0, 1), 0x01000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Color(c.packed), c.color) << std::hex << c.packed;
        EXPECT_EQ(Color(c.packed).ToInt(), c.repacked) << std::hex << c.packed;
    }
    EXPECT_EQ(Color().ToInt(), 0xFF000000u);
    EXPECT_EQ(Color::White.ToInt(), 0xFFFFFFFFu);
    const int entry[] = {1, 2, 3};
    EXPECT_EQ(Color(entry), Color(1, 2, 3, 255));
    EXPECT_NE(Color(1, 2, 3), Color(1, 2, 3, 254));
}

TEST(Rect, IntersectionKeepsTouchingEdgesAndDropsDisjointRectangles)
{
    struct Case {
        Rect a;
        Rect b;
        Rect expected;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {10, 0, 5, 5}, {10, 0, 0, 5}},
        {{0, 0, 10, 10}, {11, 0, 5, 5}, {0, 0, 0, 0}},
        {{0, 0, 10, 10}, {2, 3, 100, 100}, {2, 3, 8, 7}},
        {{0, 0, 10, 10}, {0, 10, 10, 4}, {0, 10, 10, 0}},
        {{0, 0, 10, 10}, {-5, -5, 3, 3}, {0, 0, 0, 0}},
        {{-4, -4, 8, 8}, {0, 0, 8, 8}, {0, 0, 4, 4}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.Intersection(c.b), c.expected);
        EXPECT_EQ(c.b.Intersection(c.a), c.expected);
        const DoubleRect a(c.a.mX, c.a.mY, c.a.mWidth, c.a.mHeight);
        const DoubleRect b(c.b.mX, c.b.mY, c.b.mWidth, c.b.mHeight);
        const DoubleRect expected(c.expected.mX, c.expected.mY, c.expected.mWidth, c.expected.mHeight);
        EXPECT_EQ(a.Intersection(b), expected);
    }
}

} // namespace
