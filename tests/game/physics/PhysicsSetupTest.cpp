#include "game/physics/PhysicsSetup.h"

#include "platform/physics/Body.h"
#include "tests/game/physics/PhysicsTestWorld.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace XtremaPHX2D;
using Tests::PhysicsWorldTest;

const char* const kCategoryNames[] = {
    "default",       "solid_geometry",      "ammo",
    "spider",        "potato_cannon",       "entity_killer",
    "collectable_bouncer", "feature_carrier", "hidden_solid_geometry",
};

ePairValue PairValue(const char* const first, const char* const second)
{
    xCategoryDispatcher& categories = xCategoryDispatcher::Instance();
    return categories.pairValue(*categories.obtainCategory(first), *categories.obtainCategory(second));
}

std::vector<ePairValue> AllPairValues()
{
    std::vector<ePairValue> values;
    for (const char* const first : kCategoryNames) {
        for (const char* const second : kCategoryNames)
            values.push_back(PairValue(first, second));
    }
    return values;
}

TEST_F(PhysicsWorldTest, TheSetUpGivesTheGamesPairsAndASecondRunChangesNothing)
{
    xConfigurator::Instance().mPaused = true;
    SetUpPhysicsWorld();
    const std::vector<ePairValue> first = AllPairValues();
    const xMaterial* const rubber = xMaterialDispatcher::Instance().obtainMaterialByName("rubber");

    struct Case {
        const char* mFirst;
        const char* mSecond;
        ePairValue mValue;
    };
    // Registered in either order, and the unregistered pairs of categories made with 1 and 2.
    const Case cases[] = {
        {"solid_geometry", "potato_cannon", PAIR_CALLBACKS_ONLY},
        {"ammo", "potato_cannon", PAIR_NO_CONTACT},
        {"spider", "entity_killer", PAIR_CALLBACKS_ONLY},
        {"collectable_bouncer", "ammo", PAIR_CONTACT},
        {"feature_carrier", "solid_geometry", PAIR_NO_CONTACT},
        {"hidden_solid_geometry", "hidden_solid_geometry", PAIR_NO_CONTACT},
        {"default", "hidden_solid_geometry", PAIR_CONTACT},
        {"feature_carrier", "spider", PAIR_NO_CONTACT},
        {"spider", "default", PAIR_CONTACT},
    };
    for (const Case& test : cases)
        EXPECT_EQ(PairValue(test.mFirst, test.mSecond), test.mValue) << test.mFirst << " / " << test.mSecond;

    SetUpPhysicsWorld();
    EXPECT_EQ(AllPairValues(), first);
    ASSERT_NE(rubber, nullptr);
    EXPECT_EQ(xMaterialDispatcher::Instance().obtainMaterialByName("rubber"), rubber);
    EXPECT_FLOAT_EQ(rubber->mDensity, 1500.0f);
    EXPECT_FLOAT_EQ(rubber->mRestitution, 0.688f);
    EXPECT_FLOAT_EQ(rubber->mFriction, 0.9f);

    const xConfigurator& configurator = xConfigurator::Instance();
    EXPECT_TRUE(configurator.mPaused) << "the set-up leaves pausing to the game";
    EXPECT_EQ(configurator.mGravity, Vec2(0.0f, 0.05f));
    EXPECT_FALSE(configurator.mFlagA || configurator.mFlagB || configurator.mShowSleeping || configurator.mFlagC);
    EXPECT_FLOAT_EQ(configurator.mParamA, 0.01822f);
    EXPECT_FLOAT_EQ(configurator.mParamB, 0.01822f);
    EXPECT_FLOAT_EQ(configurator.mParamC, 0.9986f);
}

// Gravity g adds g * dt to the velocity each step of dt updates, and the step moves the body
// by its new velocity (semi-implicit integration): after k steps the velocity is g * k * dt
// and the depth g * dt * dt * k * (k + 1) / 2. A body dropped from rest with steps of 1.0
// reaches 252.5 pixels after 100 steps; longer steps reach it in proportionally fewer.
TEST_F(PhysicsWorldTest, ADroppedBodyFallsAsTheSetUpsGravitySays)
{
    SetUpPhysicsWorld();
    const float gravity = xConfigurator::Instance().mGravity.y;
    const float depth = gravity * 100.0f * 101.0f / 2.0f;

    for (const float step : {1.0f, 1.667f}) {
        xPhysicsPrimitiveEntityDesc desc = Tests::PrimitiveDesc(PRIMITIVE_CIRCLE, true, {0.0f, 0.0f, 0.0f});
        xPhysicsPrimitiveEntity* const ball = Make(desc);
        ASSERT_NE(ball, nullptr);
        int frames = 0;
        while (ball->absPlacement().y < depth * 0.999f && frames < 1000) {
            g_ptrSDK->updateF(step);
            ++frames;
        }
        const float k = static_cast<float>(frames);
        EXPECT_NEAR(k, 100.0f / step, 1.0f) << "step " << step;
        EXPECT_NEAR(ball->absPlacement().y, gravity * step * step * k * (k + 1.0f) / 2.0f, depth * 0.01f)
            << "step " << step;
        EXPECT_NEAR(ball->GetBody()->linearVelocity().y, gravity * k * step, gravity * k * step * 0.01f)
            << "step " << step;
        EXPECT_FLOAT_EQ(ball->absPlacement().x, 0.0f);
        g_ptrSDK->destroyEntity(mEntities.back());
        mEntities.pop_back();
    }
}

} // namespace
