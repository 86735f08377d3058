// Joints against the mechanics they stand for: a weight on a spring settles where the
// spring's pull equals its weight, and a pendulum keeps the period of its length.

#include "tests/platform/physics/PhysicsFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace Tests;

constexpr float kGravity = 0.05f;
constexpr Vec3 kAnchor{300.0f, 100.0f, 0.0f};

// A weight of mass 2 on a spring of stiffness 0.01 sags m·g/k = 10 pixels under its rest
// length. The damping, a third of critical, lets it settle within a few hundred updates.
constexpr float kMass = 2.0f;
constexpr float kStiffness = 0.01f;
constexpr float kDamping = 0.1f;
constexpr float kRestLength = 100.0f;
constexpr float kSag = kMass * kGravity / kStiffness;
// Long enough to settle and fall asleep.
constexpr int kSettleUpdates = 1500;

class JointTest : public PhysicsTest {
protected:
    void SetUp() override
    {
        PhysicsTest::SetUp();
        Config().mGravity = {0.0f, kGravity};
    }

    // A weight at `start` on a spring to the world at kAnchor, fixed to the weight's centre,
    // that breaks above `limit`.
    xConstraintSet* HangWeight(TestEntity& owner, const Vec3& start, const float limit = 1e38f)
    {
        mWeight = owner.AddBall(5.0f, start, "default", kMass);
        xSpringDesc desc;
        desc.mSrcBody = mWeight;
        desc.mPlacement = kAnchor;
        desc.mStiffness = kStiffness;
        desc.mDamping = kDamping;
        desc.mRestLength = kRestLength;
        desc.mLimit = limit;
        xConstraintSet* const spring = owner.AddJoint(desc);
        spring->setPlacements(Vec3(), kAnchor);
        return spring;
    }

    float BelowAnchor() const { return mWeight->absPlacement().y - kAnchor.y; }

    xBody* mWeight = nullptr;
};

TEST_F(JointTest, AWeightOnASpringSettlesAtTheRestLengthPlusItsSag)
{
    TestEntity* const owner = MakeEntity();
    // Starting 40 pixels short of the rest length, it bounces before it settles.
    xConstraintSet* const spring = HangWeight(*owner, {kAnchor.x, kAnchor.y + 60.0f, 0.0f});
    EXPECT_EQ(spring->getOwner(), owner);
    EXPECT_EQ(spring->mRestLength, kRestLength);
    EXPECT_EQ(Engine().GetJointCount(), 1);

    Step(kSettleUpdates);
    EXPECT_NEAR(BelowAnchor(), kRestLength + kSag, 1.0f);
    EXPECT_NEAR(mWeight->absPlacement().x, kAnchor.x, 1.0f);
    EXPECT_FALSE(mWeight->isActive()) << "a settled weight falls asleep";

    // A new rest length wakes the sleeping weight and moves it there.
    spring->mRestLength = 150.0f;
    Step(kSettleUpdates);
    EXPECT_NEAR(BelowAnchor(), 150.0f + kSag, 1.0f);
}

// The weight lets go of its spring from inside a step, by releasing it or by deleting it:
// the engine's joint goes at the end of that step, and the weight falls from then on.
TEST_F(JointTest, ASpringLetGoInsideAStepGoesAfterTheStep)
{
    for (const bool deletes : {false, true}) {
        SCOPED_TRACE(deletes ? "deleted" : "released");
        NewWorld();
        Config().mGravity = {0.0f, kGravity};
        ASSERT_TRUE(g_ptrSDK->categories().createCategory("trigger", PAIR_CONTACT));
        ASSERT_TRUE(g_ptrSDK->categories().registerCategoryPair("trigger", "default", PAIR_CALLBACKS_ONLY));

        TestEntity* const owner = MakeEntity();
        // At rest where the spring holds it, over a trigger that reports it.
        xConstraintSet* const spring = HangWeight(*owner, {kAnchor.x, kAnchor.y + kRestLength + kSag, 0.0f});
        MakeEntity()->AddCircle(20.0f, mWeight->absPlacement(), "trigger");

        int jointsDuringStep = -1;
        owner->mReaction = [&](TestEntity& self) {
            if (self.mCollisions.size() != 1)
                return;
            spring->release();
            EXPECT_TRUE(spring->isReleased());
            if (deletes)
                self.DeleteJoints();
            jointsDuringStep = Engine().GetJointCount();
        };
        Step(1);
        ASSERT_EQ(owner->mCollisions.size(), 1u);
        EXPECT_EQ(jointsDuringStep, 1) << "the engine's joint must not go while the engine steps";
        EXPECT_EQ(Engine().GetJointCount(), 0);
        if (!deletes) {
            EXPECT_TRUE(spring->isReleased());
        }

        const float heldAt = BelowAnchor();
        EXPECT_NEAR(heldAt, kRestLength + kSag, 1.0f);
        constexpr int kFallUpdates = 40;
        Step(kFallUpdates);
        // Free fall: g·n²/2 = 40 pixels, less what the discrete steps lose.
        EXPECT_GT(BelowAnchor() - heldAt, 0.9f * kGravity * kFallUpdates * kFallUpdates / 2.0f);
    }
}

// The weight pulls on its spring with m·g = 0.1: a lower limit breaks the spring after the
// first step, a higher one holds it.
TEST_F(JointTest, ASpringPulledOverItsLimitReleasesItself)
{
    struct Limit {
        float force;
        bool breaks;
    };
    for (const Limit& limit : {Limit{0.05f, true}, Limit{0.2f, false}}) {
        SCOPED_TRACE(limit.force);
        NewWorld();
        Config().mGravity = {0.0f, kGravity};
        TestEntity* const owner = MakeEntity();
        xConstraintSet* const spring =
            HangWeight(*owner, {kAnchor.x, kAnchor.y + kRestLength + kSag, 0.0f}, limit.force);

        Step(1);
        EXPECT_EQ(spring->isReleased(), limit.breaks);
        EXPECT_EQ(Engine().GetJointCount(), limit.breaks ? 0 : 1);
        Step(100);
        EXPECT_EQ(spring->isReleased(), limit.breaks);
        if (limit.breaks) {
            EXPECT_GT(BelowAnchor(), kRestLength + kSag + 100.0f) << "a broken spring lets the weight fall";
        } else {
            EXPECT_NEAR(BelowAnchor(), kRestLength + kSag, 1.0f);
        }
    }
}

// A bob on a pin, let go 10 degrees from the vertical, swings under the pin with the period
// 2π·sqrt(L/g) of a pendulum of small swings (10 degrees lengthen it by 0.2 percent).
TEST_F(JointTest, APendulumSwingsWithThePeriodOfItsLength)
{
    constexpr float kLength = 100.0f;
    const float angle = xtrDegToRad(10.0f);
    TestEntity* const owner = MakeEntity();
    xBody* const bob = owner->AddBall(
        5.0f, {kAnchor.x + kLength * std::sin(angle), kAnchor.y + kLength * std::cos(angle), 0.0f});
    xBallSocketDesc desc;
    desc.mSrcBody = bob;
    desc.mPlacement = kAnchor;
    owner->AddJoint(desc);

    // The times, interpolated between updates, at which the bob passes under the pin.
    std::vector<float> crossings;
    float side = bob->absPlacement().x - kAnchor.x;
    for (int update = 1; update <= 700 && crossings.size() < 3; ++update) {
        Step(1);
        const Vec3 place = bob->absPlacement();
        EXPECT_NEAR(Distance(place.point(), kAnchor.point()), kLength, 1.0f) << "update " << update;
        const float newSide = place.x - kAnchor.x;
        if ((side > 0.0f) != (newSide > 0.0f)) {
            EXPECT_GT(place.y, kAnchor.y + kLength - 1.0f) << "it passes under the pin";
            crossings.push_back(static_cast<float>(update) - newSide / (newSide - side));
        }
        side = newSide;
    }
    ASSERT_EQ(crossings.size(), 3u) << "the bob does not swing";
    const float period = 2.0f * std::numbers::pi_v<float> * std::sqrt(kLength / kGravity);
    EXPECT_NEAR(crossings[2] - crossings[0], period, 0.02f * period);
    EXPECT_NEAR(crossings[0], period / 4.0f, 0.03f * period);
}

} // namespace
