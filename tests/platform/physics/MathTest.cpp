// The library's vector algebra in the game's units: y downwards, a positive angle turning
// clockwise on the screen.

#include "platform/physics/XtremaMath.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using namespace XtremaPHX2D;

constexpr float kPi = std::numbers::pi_v<float>;

TEST(MathTest, DegreesAndRadiansConvertBothWays)
{
    struct Angle {
        float degrees;
        float radians;
    };
    const Angle angles[] = {{0.0f, 0.0f}, {180.0f, kPi}, {90.0f, kPi / 2.0f}, {-45.0f, -kPi / 4.0f},
                            {720.0f, 4.0f * kPi}};
    for (const Angle& angle : angles) {
        SCOPED_TRACE(angle.degrees);
        EXPECT_NEAR(xtrDegToRad(angle.degrees), angle.radians, 1e-5f);
        EXPECT_NEAR(xtrRadToDeg(angle.radians), angle.degrees, 1e-3f);
        EXPECT_NEAR(xtrRadToDeg(xtrDegToRad(angle.degrees)), angle.degrees, 1e-3f);
    }
}

TEST(MathTest, NormalizingKeepsTheDirectionAndLeavesZeroAlone)
{
    struct Case {
        Vec2 v;
        Vec2 unit;
    };
    const Case cases[] = {{{3.0f, 4.0f}, {0.6f, 0.8f}},
                          {{-5.0f, 0.0f}, {-1.0f, 0.0f}},
                          {{0.0f, -0.25f}, {0.0f, -1.0f}},
                          {{0.0f, 0.0f}, {0.0f, 0.0f}}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.v.x << ", " << test.v.y);
        const Vec2 unit = xtrNormalizeV2(test.v);
        EXPECT_NEAR(unit.x, test.unit.x, 1e-6f);
        EXPECT_NEAR(unit.y, test.unit.y, 1e-6f);
    }
    EXPECT_EQ(xtrLenV2({-3.0f, 4.0f}), 5.0f);
}

TEST(MathTest, ClampKeepsAValueBetweenItsLimits)
{
    struct Case {
        float value;
        float clamped;
    };
    const Case cases[] = {{-5.0f, -1.0f}, {-1.0f, -1.0f}, {0.5f, 0.5f}, {2.0f, 2.0f}, {7.0f, 2.0f}};
    for (const Case& test : cases)
        EXPECT_EQ(xtrClamp(test.value, -1.0f, 2.0f), test.clamped) << test.value;
}

// Reversing a placement's matrix takes a world point back into the placement's frame: the
// two are inverse to each other.
TEST(MathTest, ReversingAPlacementUndoesIt)
{
    const Vec3 frames[] = {{0.0f, 0.0f, 0.0f}, {10.0f, 20.0f, kPi / 2.0f}, {-35.5f, 4.0f, -0.7f},
                           {300.0f, -120.0f, 3.0f * kPi}};
    const Vec2 points[] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {-7.0f, 13.0f}, {250.0f, 250.0f}};
    for (const Vec3& frame : frames) {
        const Mtx23 matrix = xtrVec3ToMtx23(frame);
        for (const Vec2& point : points) {
            SCOPED_TRACE(testing::Message() << "frame " << frame.x << ", " << frame.y << ", " << frame.angle
                                            << "; point " << point.x << ", " << point.y);
            const Vec2 there = xtrTransReversePosMtx23(matrix, matrix * point);
            EXPECT_NEAR(there.x, point.x, 1e-3f);
            EXPECT_NEAR(there.y, point.y, 1e-3f);
            const Vec2 back = matrix * xtrTransReversePosMtx23(matrix, point);
            EXPECT_NEAR(back.x, point.x, 1e-3f);
            EXPECT_NEAR(back.y, point.y, 1e-3f);
        }
    }

    // A frame turned a quarter clockwise has its x axis pointing down the screen.
    const Mtx23 quarter = xtrVec3ToMtx23({10.0f, 20.0f, kPi / 2.0f});
    const Vec2 below = quarter * Vec2(5.0f, 0.0f);
    EXPECT_NEAR(below.x, 10.0f, 1e-4f);
    EXPECT_NEAR(below.y, 25.0f, 1e-4f);
    const Vec2 inFrame = xtrTransReversePosMtx23(quarter, {10.0f, 30.0f});
    EXPECT_NEAR(inFrame.x, 10.0f, 1e-4f);
    EXPECT_NEAR(inFrame.y, 0.0f, 1e-4f);
}

} // namespace
