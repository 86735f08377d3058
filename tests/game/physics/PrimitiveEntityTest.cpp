#include "game/physics/SafeNormalize.h"

#include "platform/physics/Body.h"
#include "platform/physics/Categories.h"
#include "platform/physics/Shape.h"
#include "tests/game/physics/PhysicsTestWorld.h"

#include <new>
#include <string>
#include <vector>

namespace {

using namespace XtremaPHX2D;
using Tests::PhysicsWorldTest;
using Tests::PrimitiveDesc;

// Shows the outline the entity builds.
class OutlineProbe : public xPhysicsPrimitiveEntity {
public:
    using xPhysicsPrimitiveEntity::mOutline;
};

class OutlineProbeDesc : public xPhysicsPrimitiveEntityDesc {
public:
    xEntity* newEntity() const override { return new (std::nothrow) OutlineProbe(); }
};

const std::vector<Vec2>& OutlineOf(xPhysicsPrimitiveEntity* const entity)
{
    return static_cast<OutlineProbe*>(entity)->mOutline;
}

TEST_F(PhysicsWorldTest, TheOutlineIsADecagonWithSpokesForACircleAndTheCornersForABox)
{
    OutlineProbeDesc circle;
    circle.mPrimitiveType = PRIMITIVE_CIRCLE;
    circle.mSize = {10.0f, 0.0f};
    const std::vector<Vec2>& spokes = OutlineOf(Make(circle));
    ASSERT_EQ(spokes.size(), 30u);
    const Vec2 firstSpoke[] = {{10.0f, 0.0f}, {6.0f, 0.0f}, {10.0f, 0.0f}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(spokes[i].x, firstSpoke[i].x, 1e-5f) << i;
        EXPECT_NEAR(spokes[i].y, firstSpoke[i].y, 1e-5f) << i;
    }
    // The fourth corner of ten, at 108 degrees: y grows downwards, so the corners go clockwise.
    EXPECT_NEAR(spokes[9].x, -3.0901699f, 1e-5f);
    EXPECT_NEAR(spokes[9].y, 9.5105651f, 1e-5f);

    OutlineProbeDesc box;
    box.mPrimitiveType = PRIMITIVE_BOX;
    box.mSize = {40.0f, 20.0f};
    EXPECT_EQ(OutlineOf(Make(box)),
              (std::vector<Vec2>{{-20.0f, -10.0f}, {20.0f, -10.0f}, {20.0f, 10.0f}, {-20.0f, 10.0f}}));

    OutlineProbeDesc segment;
    segment.mPrimitiveType = PRIMITIVE_LINE_SEGMENT;
    segment.mLineStart = {-3.0f, 1.0f};
    segment.mLineEnd = {5.0f, 2.0f};
    EXPECT_EQ(OutlineOf(Make(segment)), (std::vector<Vec2>{{-3.0f, 1.0f}, {5.0f, 2.0f}}));

    OutlineProbeDesc unknown;
    unknown.mPrimitiveType = 3;
    EXPECT_TRUE(OutlineOf(Make(unknown)).empty());
}

TEST_F(PhysicsWorldTest, ABodysShapeKeepsDefaultForAnEmptyCategoryNameAStandingShapeTakesIt)
{
    struct Case {
        bool mDynamic;
        const char* mName;
        const char* mCategory;
    };
    const Case cases[] = {
        {true, "", "default"},
        {true, "ammo", "ammo"},
        {false, "", ""},
        {false, "ammo", "ammo"},
    };
    for (const Case& test : cases) {
        xPhysicsPrimitiveEntityDesc desc = PrimitiveDesc(PRIMITIVE_BOX, test.mDynamic, {});
        desc.mCategoryName = test.mName;
        const xPhysicsPrimitiveEntity* const entity = Make(desc);
        ASSERT_NE(entity, nullptr);
        EXPECT_EQ(entity->GetBody() != nullptr, test.mDynamic);
        ASSERT_NE(entity->GetShape()->getCollisionCategory(), nullptr);
        EXPECT_EQ(entity->GetShape()->getCollisionCategory()->categoryID(), test.mCategory)
            << (test.mDynamic ? "dynamic" : "static") << " \"" << test.mName << "\"";
    }
}

TEST_F(PhysicsWorldTest, ADynamicDescriptionOfAnUnknownBodyTypeMakesAStandingShape)
{
    struct Case {
        int32_t mBodyType;
        bool mHasBody;
    };
    const Case cases[] = {{BODY_3DOF, true}, {BODY_2DOF, true}, {2, false}, {-1, false}};
    for (const Case& test : cases) {
        xPhysicsPrimitiveEntityDesc desc = PrimitiveDesc(PRIMITIVE_BOX, true, {30.0f, 40.0f, 0.5f});
        desc.mBodyType = test.mBodyType;
        desc.mBodyCoefficient = 0.3f;
        const xPhysicsPrimitiveEntity* const entity = Make(desc);
        ASSERT_NE(entity, nullptr);
        ASSERT_EQ(entity->GetBody() != nullptr, test.mHasBody) << test.mBodyType;
        const Vec3 placement = entity->absPlacement();
        EXPECT_NEAR(placement.x, 30.0f, 1e-4f) << test.mBodyType;
        EXPECT_NEAR(placement.y, 40.0f, 1e-4f) << test.mBodyType;
        EXPECT_NEAR(placement.angle, 0.5f, 1e-6f) << test.mBodyType;
        EXPECT_EQ(entity->GetShape()->getMainBody(), entity->GetBody()) << test.mBodyType;
        if (test.mHasBody) {
            EXPECT_FLOAT_EQ(entity->GetBody()->mCoefficient, 0.3f);
        }
    }
}

// A body touching a bouncer leaves along the normal at the bounce speed, whatever it came
// with; a bouncer without a speed leaves it alone.
TEST_F(PhysicsWorldTest, ABouncerSendsTheOtherBodyAwayAtItsBounceSpeed)
{
    const Vec2 normal(0.0f, -1.0f);
    const Vec2 arriving(1.0f, 2.0f);
    struct Case {
        float mBounceSpeed;
        Vec2 mLeaving;
    };
    const Case cases[] = {{3.0f, {0.0f, -3.0f}}, {0.0f, arriving}, {-1.0f, arriving}};
    for (const Case& test : cases) {
        xPhysicsPrimitiveEntityDesc bouncerDesc = PrimitiveDesc(PRIMITIVE_BOX, false, {0.0f, 100.0f, 0.0f});
        bouncerDesc.mBounceSpeed = test.mBounceSpeed;
        xPhysicsPrimitiveEntity* const bouncer = Make(bouncerDesc);
        xPhysicsPrimitiveEntityDesc ballDesc = PrimitiveDesc(PRIMITIVE_CIRCLE, true, {0.0f, 80.0f, 0.0f});
        xPhysicsPrimitiveEntity* const ball = Make(ballDesc);
        ASSERT_NE(bouncer, nullptr);
        ASSERT_NE(ball, nullptr);
        ball->GetBody()->setLinearVelocity(arriving);

        EXPECT_TRUE(bouncer->onCollision(bouncer->GetShape(), ball->GetShape(), {0.0f, 90.0f}, 0.5f, normal));
        const Vec2 leaving = ball->GetBody()->linearVelocity();
        EXPECT_NEAR(leaving.x, test.mLeaving.x, 1e-4f) << "bounce speed " << test.mBounceSpeed;
        EXPECT_NEAR(leaving.y, test.mLeaving.y, 1e-4f) << "bounce speed " << test.mBounceSpeed;
    }

    // Nothing to send away: a standing shape and no shape.
    xPhysicsPrimitiveEntityDesc bouncerDesc = PrimitiveDesc(PRIMITIVE_BOX, false, {});
    bouncerDesc.mBounceSpeed = 3.0f;
    xPhysicsPrimitiveEntity* const bouncer = Make(bouncerDesc);
    const xPhysicsPrimitiveEntity* const wall = Make(bouncerDesc);
    EXPECT_TRUE(bouncer->onCollision(bouncer->GetShape(), wall->GetShape(), {}, 0.0f, normal));
    EXPECT_TRUE(bouncer->onCollision(bouncer->GetShape(), nullptr, {}, 0.0f, normal));
}

// An entity from a description of another class has neither shape nor body: it stands at
// the library's default placement and cannot be moved.
TEST_F(PhysicsWorldTest, AnEntityBuiltFromAnotherDescriptionHasNothingToPlace)
{
    class OtherDesc : public xEntityDesc {
    public:
        xEntity* newEntity() const override { return new xPhysicsPrimitiveEntity(); }
    } other;
    xPhysicsPrimitiveEntity* const entity = Make(other);
    ASSERT_NE(entity, nullptr);
    EXPECT_EQ(entity->GetShape(), nullptr);
    EXPECT_EQ(entity->GetBody(), nullptr);
    entity->setAbsPlacement({5.0f, 6.0f, 1.0f});
    EXPECT_EQ(entity->absPlacement(), Vec3());

    // Without geometry the standing shape still moves.
    xPhysicsPrimitiveEntityDesc unknown = PrimitiveDesc(PRIMITIVE_CIRCLE, false, {1.0f, 2.0f, 0.0f});
    unknown.mPrimitiveType = 3;
    xPhysicsPrimitiveEntity* const bare = Make(unknown);
    ASSERT_NE(bare->GetShape(), nullptr);
    EXPECT_EQ(bare->GetShape()->primitive(), nullptr);
    bare->setAbsPlacement({5.0f, 6.0f, 1.0f});
    EXPECT_EQ(bare->absPlacement(), Vec3(5.0f, 6.0f, 1.0f));
}

TEST_F(PhysicsWorldTest, TheLibraryHandsBackTheGameObjectOfItsEntities)
{
    xPhysicsPrimitiveEntityDesc desc = PrimitiveDesc(PRIMITIVE_CIRCLE, true, {});
    xPhysicsPrimitiveEntity* const entity = Make(desc);
    ASSERT_NE(entity, nullptr);
    EXPECT_EQ(ToGameEntity(entity->GetShape()->getOwner()), entity);
    EXPECT_EQ(ToGameEntity(entity->GetBody()->getOwner()), entity);
    EXPECT_EQ(ToGameEntity(nullptr), nullptr);

    class ForeignEntity : public xEntity {
    } foreign;
    EXPECT_EQ(ToGameEntity(&foreign), nullptr);
}

TEST(SafeNormalize, GivesTheUnitVectorAndLeavesZeroAlone)
{
    struct Case {
        Vec2 mIn;
        Vec2 mOut;
    };
    const Case cases[] = {{{0.0f, 0.0f}, {0.0f, 0.0f}}, {{3.0f, 4.0f}, {0.6f, 0.8f}}, {{0.0f, -2.0f}, {0.0f, -1.0f}}};
    for (const Case& test : cases) {
        const Vec2 out = SafeNormalize(test.mIn);
        EXPECT_FLOAT_EQ(out.x, test.mOut.x) << test.mIn.x << ", " << test.mIn.y;
        EXPECT_FLOAT_EQ(out.y, test.mOut.y) << test.mIn.x << ", " << test.mIn.y;
    }
}

} // namespace
