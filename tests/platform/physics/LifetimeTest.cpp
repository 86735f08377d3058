// Entities and their parts come and go without a trace in the engine, also from inside a
// step and after the world is gone; shapes follow what they are attached to.

#include "tests/platform/physics/PhysicsFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <numbers>

namespace {

using namespace Tests;

using DeletePart = void (TestEntity::*)();

struct DeletionOrder {
    const char* description;
    DeletePart first;
    DeletePart second;
    DeletePart third;
};

const DeletionOrder kOrders[] = {
    {"joints, shapes, bodies", &TestEntity::DeleteJoints, &TestEntity::DeleteShapes, &TestEntity::DeleteBodies},
    {"bodies, shapes, joints", &TestEntity::DeleteBodies, &TestEntity::DeleteShapes, &TestEntity::DeleteJoints},
    {"shapes, bodies, joints", &TestEntity::DeleteShapes, &TestEntity::DeleteBodies, &TestEntity::DeleteJoints},
    {"bodies, joints, shapes", &TestEntity::DeleteBodies, &TestEntity::DeleteJoints, &TestEntity::DeleteShapes},
};

class LifetimeTest : public PhysicsTest {
protected:
    // Every kind of part: balls, a standing shape with a shape attached to it, a spring to
    // the world and a pin between the balls.
    static void AddEveryPart(TestEntity& entity)
    {
        xBody* const first = entity.AddBall(10.0f, {0.0f, 0.0f, 0.0f});
        xBody* const second = entity.AddBall(10.0f, {50.0f, 0.0f, 0.0f});
        entity.AddCircleOn(first, 5.0f);
        xShape* const wall = entity.AddCircle(20.0f, {0.0f, 200.0f, 0.0f});
        xShape* const knob = entity.AddCircle(5.0f, {0.0f, 0.0f, 0.0f});
        knob->attachTo(wall);
        knob->setRelPlacement({30.0f, 0.0f, 0.0f});

        xSpringDesc spring;
        spring.mSrcBody = first;
        spring.mPlacement = {0.0f, -100.0f, 0.0f};
        spring.mStiffness = 0.01f;
        spring.mRestLength = 100.0f;
        entity.AddJoint(spring);
        xBallSocketDesc pin;
        pin.mSrcBody = first;
        pin.mDstBody = second;
        pin.mPlacement = {25.0f, 0.0f, 0.0f};
        entity.AddJoint(pin);
    }

    static void DeleteInOrder(TestEntity& entity, const DeletionOrder& order)
    {
        (entity.*order.first)();
        (entity.*order.second)();
        (entity.*order.third)();
    }
};

TEST_F(LifetimeTest, CreateEntityBuildsTheEntityFromItsDescription)
{
    TestEntityDesc desc(mAlive);
    auto* const entity = static_cast<TestEntity*>(g_ptrSDK->createEntity(desc));
    ASSERT_NE(entity, nullptr);
    EXPECT_TRUE(IsAlive(entity));
    EXPECT_EQ(entity->mBuiltFrom, &desc);

    desc.mMakesEntity = false;
    EXPECT_EQ(g_ptrSDK->createEntity(desc), nullptr);
}

TEST_F(LifetimeTest, PartsDeletedInAnyOrderLeaveTheEngineAsItWas)
{
    for (const DeletionOrder& order : kOrders) {
        SCOPED_TRACE(order.description);
        NewWorld();
        const EngineCounts empty = Counts();
        TestEntity* const entity = MakeEntity();
        AddEveryPart(*entity);
        const EngineCounts full = Counts();
        // Two balls and at least the wall's hidden body; five shapes, two joints.
        EXPECT_GE(full.bodies, empty.bodies + 3);
        EXPECT_EQ(full.fixtures, empty.fixtures + 5);
        EXPECT_EQ(full.joints, empty.joints + 2);
        Step(5);

        DeleteInOrder(*entity, order);
        EXPECT_EQ(Counts(), empty);
        Step(5);
        EXPECT_EQ(Counts(), empty);
    }
}

TEST_F(LifetimeTest, DestroyEntityTakesEverythingItOwnsOutOfTheEngine)
{
    const EngineCounts empty = Counts();
    TestEntity* const entity = MakeEntity();
    AddEveryPart(*entity);
    Step(5);
    g_ptrSDK->destroyEntity(entity);
    EXPECT_FALSE(IsAlive(entity));
    EXPECT_EQ(Counts(), empty);
}

TEST_F(LifetimeTest, PartsDeletedAfterTheWorldAreHarmless)
{
    for (const DeletionOrder& order : kOrders) {
        SCOPED_TRACE(order.description);
        NewWorld();
        // Not made by the world: the test deletes it and its parts.
        const auto entity = std::make_unique<TestEntity>(mAlive);
        AddEveryPart(*entity);
        Step(5);
        xtrDestroyXtremaSDK();
        DeleteInOrder(*entity, order);
    }
}

// An entity destroyed from its onCollision stays until the step ends: the other owners of
// the step's contacts are still told of its shapes, and an entity queued twice goes once.
TEST_F(LifetimeTest, AnEntityDestroyedInsideAStepGoesWhenTheStepEnds)
{
    TestEntity* const left = MakeEntity();
    TestEntity* const right = MakeEntity();
    left->AddBall(10.0f, {-15.0f, 0.0f, 0.0f});
    right->AddBall(10.0f, {15.0f, 0.0f, 0.0f});
    const EngineCounts withoutMiddle = Counts();

    TestEntity* const middle = MakeEntity();
    middle->AddBall(10.0f, {0.0f, 0.0f, 0.0f});
    const xShape* const middleShape = middle->Shape(0);
    int aliveAfterQueueing = 0;
    middle->mReaction = [&](TestEntity& self) {
        g_ptrSDK->destroyEntity(&self);
        aliveAfterQueueing += IsAlive(&self) ? 1 : 0;
    };

    Step(1);
    EXPECT_EQ(aliveAfterQueueing, 2) << "it touched two balls and was still there after both";
    EXPECT_FALSE(IsAlive(middle));
    EXPECT_EQ(Counts(), withoutMiddle);
    for (const TestEntity* const neighbour : {left, right}) {
        ASSERT_EQ(neighbour->mCollisions.size(), 1u);
        EXPECT_EQ(neighbour->mCollisions[0].other, middleShape);
    }

    g_ptrSDK->destroyEntity(middle);
    Step(1);
    EXPECT_TRUE(IsAlive(left));
    EXPECT_TRUE(IsAlive(right));
}

TEST_F(LifetimeTest, DestroyEntityRefusesWhatTheWorldDoesNotHold)
{
    TestEntity* const entity = MakeEntity();
    entity->AddBall(10.0f, {0.0f, 0.0f, 0.0f});
    const EngineCounts withEntity = Counts();
    g_ptrSDK->destroyEntity(entity);
    const EngineCounts withoutEntity = Counts();
    g_ptrSDK->destroyEntity(entity);
    EXPECT_EQ(Counts(), withoutEntity);

    const auto stranger = std::make_unique<TestEntity>(mAlive);
    stranger->AddBall(10.0f, {0.0f, 0.0f, 0.0f});
    g_ptrSDK->destroyEntity(stranger.get());
    EXPECT_TRUE(IsAlive(stranger.get())) << "an entity the world did not make is not its to delete";
    EXPECT_EQ(Counts(), withEntity);

    g_ptrSDK->destroyEntity(nullptr);
    Step(1);
}

TEST_F(LifetimeTest, AShapeBelongsToTheBodyItIsGivenOrAttachedTo)
{
    TestEntity* const entity = MakeEntity();
    xBody* const body = entity->AddBody({0.0f, 0.0f, 0.0f});
    xBody* const other = entity->AddBody({100.0f, 0.0f, 0.0f});
    xShape* const standing = entity->AddCircle(10.0f, {0.0f, 100.0f, 0.0f});
    EXPECT_EQ(standing->getMainBody(), nullptr);

    xShape* const carried = entity->AddCircleOn(body, 5.0f);
    EXPECT_EQ(carried->getMainBody(), body);

    xShape* const attachedOnly = entity->AddCircle(5.0f, {0.0f, 0.0f, 0.0f});
    attachedOnly->attachTo(body);
    EXPECT_EQ(attachedOnly->getMainBody(), body);

    xShape* const onStanding = entity->AddCircle(5.0f, {0.0f, 0.0f, 0.0f});
    onStanding->attachTo(standing);
    EXPECT_EQ(onStanding->getMainBody(), nullptr);

    xShape* const given = entity->AddCircle(5.0f, {0.0f, 0.0f, 0.0f});
    given->attachTo(body);
    given->setBody(other);
    EXPECT_EQ(given->getMainBody(), other);
}

// A knob on a standing wall, 20 pixels along the wall's x axis, stays there as the wall is
// moved and turned (a positive angle turns clockwise: with y downwards, x goes to y).
TEST_F(LifetimeTest, AShapeOnAStandingShapeFollowsItWithItsOffset)
{
    struct Move {
        Vec3 wall;
        Vec3 knob;
    };
    const float quarter = std::numbers::pi_v<float> / 2.0f;
    const Move moves[] = {
        {{200.0f, 50.0f, 0.0f}, {220.0f, 50.0f, 0.0f}},
        {{200.0f, 50.0f, quarter}, {200.0f, 70.0f, quarter}},
        {{-10.0f, 0.0f, 2.0f * quarter}, {-30.0f, 0.0f, 2.0f * quarter}},
    };
    TestEntity* const entity = MakeEntity();
    xShape* const wall = entity->AddCircle(10.0f, {100.0f, 100.0f, 0.0f});
    xShape* const knob = entity->AddCircle(5.0f, {0.0f, 0.0f, 0.0f});
    knob->attachTo(wall);
    knob->setRelPlacement({20.0f, 0.0f, 0.0f});
    EXPECT_EQ(knob->absPlacement(), Vec3(120.0f, 100.0f, 0.0f));

    for (const Move& move : moves) {
        SCOPED_TRACE(testing::Message() << "wall at " << move.wall.x << ", " << move.wall.y << ", "
                                        << move.wall.angle);
        wall->setAbsPlacement(move.wall);
        const Vec3 knobAt = knob->absPlacement();
        EXPECT_NEAR(knobAt.x, move.knob.x, 1e-3f);
        EXPECT_NEAR(knobAt.y, move.knob.y, 1e-3f);
        EXPECT_NEAR(knobAt.angle, move.knob.angle, 1e-4f);
        const Box2 bounds = knob->bounds();
        EXPECT_NEAR(bounds.min.x, move.knob.x - 5.0f, 0.05f);
        EXPECT_NEAR(bounds.min.y, move.knob.y - 5.0f, 0.05f);
        EXPECT_NEAR(bounds.max.x, move.knob.x + 5.0f, 0.05f);
        EXPECT_NEAR(bounds.max.y, move.knob.y + 5.0f, 0.05f);
    }

    // Placing the knob carries the wall along.
    wall->setAbsPlacement({0.0f, 0.0f, 0.0f});
    knob->setAbsPlacement({300.0f, 300.0f, 0.0f});
    EXPECT_NEAR(wall->absPlacement().x, 280.0f, 1e-3f);
    EXPECT_NEAR(wall->absPlacement().y, 300.0f, 1e-3f);
}

TEST_F(LifetimeTest, ACircleResizedInTheWorldTouchesWhatItsNewSizeReaches)
{
    ASSERT_TRUE(g_ptrSDK->categories().createCategory("probe", PAIR_CONTACT));
    ASSERT_TRUE(g_ptrSDK->categories().registerCategoryPair("probe", "default", PAIR_CALLBACKS_ONLY));
    TestEntity* const probe = MakeEntity();
    xShape* const circle = probe->AddCircle(5.0f, {0.0f, 0.0f, 0.0f}, "probe");
    MakeEntity()->AddBall(5.0f, {30.0f, 0.0f, 0.0f});
    auto* const primitive = static_cast<xPrimitiveCircle*>(circle->primitive());
    ASSERT_EQ(primitive->getType(), PRIMITIVE_CIRCLE);

    struct Resize {
        float radius;
        size_t calls;
    };
    // The ball's edge is 25 pixels from the probe's centre: 26 touches it, 24 only comes
    // within the engine's margin around it.
    const Resize resizes[] = {{5.0f, 0}, {30.0f, 1}, {26.0f, 1}, {24.0f, 0}, {30.0f, 1}, {5.0f, 0}};
    for (const Resize& resize : resizes) {
        SCOPED_TRACE(testing::Message() << "radius " << resize.radius);
        primitive->setRadius(resize.radius);
        EXPECT_EQ(primitive->radius(), resize.radius);
        EXPECT_NEAR(circle->bounds().max.x, resize.radius, 0.05f);
        probe->mCollisions.clear();
        Step(1);
        EXPECT_EQ(probe->mCollisions.size(), resize.calls);
    }
}

} // namespace
