#include "platform/physics/XtremaPhysics.h"

#include "platform/physics/World.h"

#include <box2d/b2_body.h>
#include <gtest/gtest.h>

namespace {

using namespace XtremaPHX2D;

class PhysicsWorldTest : public ::testing::Test {
protected:
    void TearDown() override { xtrDestroyXtremaSDK(); }
};

TEST_F(PhysicsWorldTest, OneWorldIsPublishedFromCreationToDestruction)
{
    ASSERT_EQ(g_ptrSDK, nullptr);
    XtremaPhysicsSDK* const world = xtrCreateXtremaSDK();
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(g_ptrSDK, world);
    EXPECT_EQ(xtrCreateXtremaSDK(), world) << "a second creation must not replace (and leak) the world";

    xtrDestroyXtremaSDK();
    EXPECT_EQ(g_ptrSDK, nullptr);
    xtrDestroyXtremaSDK();
    EXPECT_EQ(g_ptrSDK, nullptr);
}

// A body moving at 1 metre per second (50 pixels per second, half a pixel per update)
// shows how much time each step simulates.
TEST_F(PhysicsWorldTest, AStepOfOneIsOneTenMillisecondUpdate)
{
    xtrCreateXtremaSDK();
    b2World& engine = g_ptrSDK->world().mWorld;
    b2BodyDef definition;
    definition.type = b2_dynamicBody;
    definition.linearVelocity.Set(1.0f, 0.0f);
    b2Body* const body = engine.CreateBody(&definition);

    struct Case {
        float mStep;
        float mMovedPixels;
    };
    const Case cases[] = {{1.0f, 0.5f}, {2.5f, 1.25f}, {0.0f, 0.0f}, {-1.0f, 0.0f}};
    for (const Case& test : cases) {
        const float before = body->GetPosition().x;
        g_ptrSDK->updateF(test.mStep);
        EXPECT_NEAR((body->GetPosition().x - before) * kPixelsPerMetre, test.mMovedPixels, 1e-4f)
            << "step " << test.mStep;
    }
}

TEST_F(PhysicsWorldTest, AWorldWithoutGravityLeavesARestingBodyWhereItIs)
{
    xtrCreateXtremaSDK();
    b2BodyDef definition;
    definition.type = b2_dynamicBody;
    b2Body* const body = g_ptrSDK->world().mWorld.CreateBody(&definition);
    for (int i = 0; i < 100; ++i)
        g_ptrSDK->updateF(1.0f);
    EXPECT_EQ(body->GetPosition(), b2Vec2(0.0f, 0.0f));
}

} // namespace
