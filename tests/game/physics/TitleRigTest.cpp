#include "game/physics/PhysicsSetup.h"

#include "platform/physics/Body.h"
#include "tests/game/physics/PhysicsTestWorld.h"

namespace {

using namespace XtremaPHX2D;

// The title screen's box: four rubber walls that only the default category touches, and a
// heavy ball dropped inside. The floor's top is at y 600, so the ball rests at 600 - 40.
class TitleRigTest : public Tests::PhysicsWorldTest {
protected:
    void SetUp() override
    {
        PhysicsWorldTest::SetUp();
        SetUpPhysicsWorld();
        struct Wall {
            Vec3 mPlacement;
            Vec2 mSize;
        };
        const Wall walls[] = {
            {{0.0f, 0.0f, 0.0f}, {100.0f, 20.0f}},
            {{0.0f, 610.0f, 0.0f}, {100.0f, 20.0f}},
            {{-60.0f, 300.0f, 0.0f}, {20.0f, 600.0f}},
            {{60.0f, 300.0f, 0.0f}, {20.0f, 600.0f}},
        };
        for (const Wall& wall : walls) {
            xPhysicsPrimitiveEntityDesc desc = Tests::PrimitiveDesc(PRIMITIVE_BOX, false, wall.mPlacement);
            desc.mSize = wall.mSize;
            desc.mMaterialName = "rubber";
            desc.mCategoryName = "hidden_solid_geometry";
            ASSERT_NE(Make(desc), nullptr);
        }
        xPhysicsPrimitiveEntityDesc desc = Tests::PrimitiveDesc(PRIMITIVE_CIRCLE, true, kDropPlacement);
        desc.mSize = {40.0f, 0.0f};
        desc.mMass = 1600.0f;
        desc.mMaterialName = "default";
        desc.mCategoryName = "default";
        mBall = Make(desc);
        ASSERT_NE(mBall, nullptr);
        ASSERT_NE(mBall->GetBody(), nullptr);
    }

    // Steps of one update until the ball sleeps; the steps taken, or -1 when it never does.
    int StepUntilAsleep(const int maxFrames) const
    {
        for (int frame = 1; frame <= maxFrames; ++frame) {
            g_ptrSDK->updateF(1.0f);
            if (!mBall->GetBody()->isActive())
                return frame;
        }
        return -1;
    }

    void ExpectRestingOnTheFloor(const char* const when) const
    {
        EXPECT_NEAR(mBall->absPlacement().y, 560.0f, 1.0f) << when;
        EXPECT_NEAR(mBall->absPlacement().x, 0.0f, 1.0f) << when;
        EXPECT_EQ(mBall->GetBody()->linearVelocity().y, 0.0f) << when;
    }

    static constexpr Vec3 kDropPlacement{0.0f, 150.0f, 0.0f};
    xPhysicsPrimitiveEntity* mBall = nullptr;
};

TEST_F(TitleRigTest, TheBallComesToRestOnTheFloorAndFallsAgainWhenPlacedHigh)
{
    // Falling the 410 pixels to the floor alone takes sqrt(2 * 410 / 0.05), 128 updates.
    const int frames = StepUntilAsleep(600);
    EXPECT_GT(frames, 128) << "the ball still moves at " << mBall->absPlacement().y;
    ExpectRestingOnTheFloor("after the first drop");

    mBall->setAbsPlacement(kDropPlacement);
    EXPECT_TRUE(mBall->GetBody()->isActive()) << "placing the ball wakes it";
    g_ptrSDK->updateF(1.0f);
    EXPECT_GT(mBall->GetBody()->linearVelocity().y, 0.0f);
    EXPECT_GT(StepUntilAsleep(600), 127) << "the ball still moves at " << mBall->absPlacement().y;
    ExpectRestingOnTheFloor("after the second drop");
}

} // namespace
