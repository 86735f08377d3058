// A shot flies the parabola of the world's gravity whatever slows its spin: the spin alone
// dies away, by 1 + mCoefficient every update.

#include "tests/platform/physics/PhysicsFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace Tests;

constexpr float kGravity = 0.05f;
constexpr Vec3 kStart{50.0f, 500.0f, 0.0f};

struct Shot {
    float speed;
    float degrees;
    float coefficient;
};

class FlightTest : public PhysicsTest {};

TEST_F(FlightTest, AShotPassesThePointsOfItsParabolaAndOnlyItsSpinSlows)
{
    const Shot shots[] = {{5.0f, 45.0f, 0.0f}, {4.0f, 30.0f, 0.5f}, {6.0f, 60.0f, 5.0f}, {8.0f, 15.0f, 100.0f}};
    for (const Shot& shot : shots) {
        SCOPED_TRACE(testing::Message() << shot.speed << " pixels per update at " << shot.degrees
                                        << " degrees, coefficient " << shot.coefficient);
        NewWorld();
        Config().mGravity = {0.0f, kGravity};
        xBody* const body = MakeEntity()->AddBall(5.0f, kStart);
        body->mCoefficient = shot.coefficient;
        const float angle = xtrDegToRad(shot.degrees);
        const float across = shot.speed * std::cos(angle);
        body->setLinearVelocity({across, -shot.speed * std::sin(angle)});
        constexpr float kSpin = 0.1f;
        body->setAngularVelocity(kSpin);

        constexpr int kSpinUpdates = 10;
        int update = 0;
        for (int i = 0; i <= 5; ++i) {
            const float d = 75.0f * static_cast<float>(i);
            const float height = d * std::tan(angle) - kGravity * d * d / (2.0f * across * across);
            // Step until the shot is d across, and read its height there between the two
            // updates around it.
            Vec3 before = body->absPlacement();
            while (body->absPlacement().x - kStart.x < d && update < 1000) {
                before = body->absPlacement();
                Step(1);
                ++update;
                if (update == kSpinUpdates) {
                    EXPECT_NEAR(body->angularVelocity(), kSpin / std::pow(1.0f + shot.coefficient, kSpinUpdates),
                                1e-3f * kSpin);
                }
            }
            const Vec3 after = body->absPlacement();
            const float share = after.x > before.x ? (kStart.x + d - before.x) / (after.x - before.x) : 1.0f;
            const float y = before.y + share * (after.y - before.y);
            // Each update adds gravity to the velocity before it moves the shot, which drops
            // the shot below the true parabola by half an update's gravity per update flown;
            // half a pixel more covers the rounding.
            const float tolerance = 0.5f * kGravity * (d / across) + 0.5f;
            EXPECT_NEAR(kStart.y - y, height, tolerance) << d << " pixels across";
        }
        EXPECT_NEAR(body->linearVelocity().x, across, 1e-4f) << "nothing slows the shot across";
    }
}

} // namespace
