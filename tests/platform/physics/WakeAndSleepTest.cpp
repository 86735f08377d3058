// Bodies fall asleep after half a second below the rest speeds and stop exactly; moving
// things, pushing them and setting their velocities wakes them. A paused world does nothing.

#include "tests/platform/physics/PhysicsFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Tests;

// Below the rest speeds a body sleeps after 50 updates: awake before, asleep after.
constexpr int kStillAwake = 40;
constexpr int kAsleep = 60;

class WakeAndSleepTest : public PhysicsTest {
protected:
    // A ball of its own entity; the world has no gravity.
    xBody* Ball(const Vec3& placement, const float mass = 1.0f)
    {
        return MakeEntity()->AddBall(10.0f, placement, "default", mass);
    }

    static void ExpectAsleep(const xBody& body)
    {
        EXPECT_FALSE(body.isActive());
        EXPECT_EQ(body.linearVelocity(), Vec2());
        EXPECT_EQ(body.angularVelocity(), 0.0f);
    }
};

struct RestCase {
    const char* description;
    Vec2 velocity;
    float spin;
    // The world's settings for the case.
    std::function<void(xConfigurator&)> configure;
    bool fallsAsleep;
};

TEST_F(WakeAndSleepTest, ABodyBelowTheRestSpeedsFallsAsleepAfterFiftyUpdates)
{
    const auto keepDefaults = [](xConfigurator&) {};
    const RestCase cases[] = {
        {"at rest", {0.0f, 0.0f}, 0.0f, keepDefaults, true},
        {"drifting below mParamA", {0.012f, -0.01f}, 0.0f, keepDefaults, true},
        {"turning below mParamB", {0.0f, 0.0f}, 0.015f, keepDefaults, true},
        {"moving above mParamA", {0.03f, 0.0f}, 0.0f, keepDefaults, false},
        {"turning above mParamB", {0.0f, 0.0f}, -0.03f, keepDefaults, false},
        {"drifting above a lowered mParamA", {0.012f, 0.0f}, 0.0f, [](xConfigurator& c) { c.mParamA = 0.005f; },
         false},
        {"at rest with mFlagC", {0.0f, 0.0f}, 0.0f, [](xConfigurator& c) { c.mFlagC = true; }, false},
    };
    for (const RestCase& test : cases) {
        SCOPED_TRACE(test.description);
        NewWorld();
        test.configure(Config());
        xBody* const body = Ball({100.0f, 100.0f, 0.0f});
        body->setLinearVelocity(test.velocity);
        body->setAngularVelocity(test.spin);

        Step(kStillAwake);
        EXPECT_TRUE(body->isActive());
        Step(kAsleep - kStillAwake);
        if (test.fallsAsleep) {
            ExpectAsleep(*body);
            const Vec3 restingAt = body->absPlacement();
            Step(100);
            EXPECT_EQ(body->absPlacement(), restingAt) << "a sleeping body stops exactly";
        } else {
            Step(200);
            EXPECT_TRUE(body->isActive());
            EXPECT_NEAR(body->linearVelocity().x, test.velocity.x, 1e-6f);
            EXPECT_NEAR(body->linearVelocity().y, test.velocity.y, 1e-6f);
            EXPECT_NEAR(body->angularVelocity(), test.spin, 1e-6f);
        }
    }
}

struct WakeCase {
    const char* description;
    std::function<void(xBody&)> act;
    // The velocity after one update and after another one.
    Vec2 afterOne;
    Vec2 afterTwo;
    float spin;
};

// Mass 2: an impulse of (2, -4) and a force of (2, -4) for one update both give (1, -2).
TEST_F(WakeAndSleepTest, SettingVelocitiesAndPushingWakeABody)
{
    const WakeCase cases[] = {
        {"setLinearVelocity", [](xBody& b) { b.setLinearVelocity({1.0f, -2.0f}); }, {1.0f, -2.0f}, {1.0f, -2.0f},
         0.0f},
        {"setAngularVelocity", [](xBody& b) { b.setAngularVelocity(0.5f); }, {}, {}, 0.5f},
        {"applyImpulse", [](xBody& b) { b.applyImpulse({2.0f, -4.0f}); }, {1.0f, -2.0f}, {1.0f, -2.0f}, 0.0f},
        // A force acts during the next step only.
        {"applyForce", [](xBody& b) { b.applyForce({2.0f, -4.0f}); }, {1.0f, -2.0f}, {1.0f, -2.0f}, 0.0f},
    };
    for (const WakeCase& test : cases) {
        SCOPED_TRACE(test.description);
        NewWorld();
        xBody* const body = Ball({100.0f, 100.0f, 0.0f}, 2.0f);
        Step(kAsleep);
        ASSERT_FALSE(body->isActive());

        test.act(*body);
        EXPECT_TRUE(body->isActive());
        Step(1);
        EXPECT_NEAR(body->linearVelocity().x, test.afterOne.x, 1e-4f);
        EXPECT_NEAR(body->linearVelocity().y, test.afterOne.y, 1e-4f);
        EXPECT_NEAR(body->angularVelocity(), test.spin, 1e-4f);
        Step(1);
        EXPECT_NEAR(body->linearVelocity().x, test.afterTwo.x, 1e-4f);
        EXPECT_NEAR(body->linearVelocity().y, test.afterTwo.y, 1e-4f);
    }
}

// Only what the moved ball overlaps wakes: not a ball it comes near without touching,
// within the box around it.
TEST_F(WakeAndSleepTest, AMovedBodyWakesWithTheBodiesItLandsOn)
{
    xBody* const moved = Ball({0.0f, 0.0f, 0.0f});
    xBody* const landedOn = Ball({100.0f, 0.0f, 0.0f});
    xBody* const nearBy = Ball({120.0f, 20.0f, 0.0f});
    xBody* const farAway = Ball({300.0f, 0.0f, 0.0f});
    Step(kAsleep);
    ASSERT_FALSE(moved->isActive());
    ASSERT_FALSE(landedOn->isActive());
    ASSERT_FALSE(nearBy->isActive());
    ASSERT_FALSE(farAway->isActive());

    moved->setAbsPlacement({105.0f, 5.0f, 0.5f});
    const Vec3 movedTo = moved->absPlacement();
    EXPECT_NEAR(movedTo.x, 105.0f, 1e-3f);
    EXPECT_NEAR(movedTo.y, 5.0f, 1e-3f);
    EXPECT_NEAR(movedTo.angle, 0.5f, 1e-5f);
    EXPECT_TRUE(moved->isActive());
    EXPECT_TRUE(landedOn->isActive());
    EXPECT_FALSE(nearBy->isActive()) << "21 pixels between centres, 20 between touching balls";
    EXPECT_FALSE(farAway->isActive());
}

TEST_F(WakeAndSleepTest, AMovedStandingShapeWakesTheBodiesItLandsOn)
{
    xShape* const wall = MakeEntity()->AddCircle(20.0f, {-200.0f, 0.0f, 0.0f});
    EXPECT_EQ(wall->getMainBody(), nullptr);
    xBody* const landedOn = Ball({100.0f, 0.0f, 0.0f});
    xBody* const farAway = Ball({300.0f, 0.0f, 0.0f});
    Step(kAsleep);
    ASSERT_FALSE(landedOn->isActive());
    ASSERT_FALSE(farAway->isActive());

    wall->setAbsPlacement({0.0f, 200.0f, 0.0f});
    EXPECT_FALSE(landedOn->isActive()) << "a place overlapping nothing wakes nothing";
    EXPECT_FALSE(farAway->isActive());

    wall->setAbsPlacement({85.0f, 0.0f, 0.0f});
    EXPECT_NEAR(wall->absPlacement().x, 85.0f, 1e-3f);
    EXPECT_TRUE(landedOn->isActive());
    EXPECT_FALSE(farAway->isActive());
}

TEST_F(WakeAndSleepTest, APausedWorldIgnoresItsSteps)
{
    TestEntity* const owner = MakeEntity();
    xBody* const ball = owner->AddBall(10.0f, {0.0f, 0.0f, 0.0f});
    ball->setLinearVelocity({1.0f, 0.0f});
    TestEntity* const other = MakeEntity();
    xBody* const resting = other->AddBall(10.0f, {300.0f, 300.0f, 0.0f});
    // A standing shape overlapping the ball from behind: their contact would be reported
    // and would push the ball on.
    other->AddCircle(10.0f, {-5.0f, 0.0f, 0.0f});

    Config().mPaused = true;
    Step(100);
    EXPECT_EQ(ball->absPlacement(), Vec3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(ball->linearVelocity(), Vec2(1.0f, 0.0f));
    EXPECT_TRUE(owner->mCollisions.empty());
    EXPECT_TRUE(other->mCollisions.empty());
    EXPECT_TRUE(resting->isActive()) << "a paused world counts no rest time";

    Config().mPaused = false;
    Step(1);
    EXPECT_GT(ball->absPlacement().x, 0.0f);
    EXPECT_FALSE(owner->mCollisions.empty());
}

} // namespace
