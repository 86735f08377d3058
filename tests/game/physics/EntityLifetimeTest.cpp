#include "platform/physics/Joints.h"
#include "platform/physics/World.h"
#include "tests/game/physics/EngineCounts.h"
#include "tests/game/physics/PhysicsTestWorld.h"

#include <memory>
#include <new>
#include <vector>

namespace {

using namespace XtremaPHX2D;
using Tests::CountEngineObjects;
using Tests::EngineCounts;

enum JointKind { JOINT_NONE, JOINT_SPRING, JOINT_BALL_SOCKET };

// A primitive entity hung from the world by a joint it owns, as the game's swinging and
// springing objects are.
class JointedEntity : public xPhysicsPrimitiveEntity {
public:
    explicit JointedEntity(const JointKind kind) : mKind(kind) {}
    ~JointedEntity() override { delete mJoint; }

    void buildPhysics(xEntityDesc* const desc) override
    {
        xPhysicsPrimitiveEntity::buildPhysics(desc);
        if (mBody == nullptr || mKind == JOINT_NONE)
            return;
        xSpringDesc spring;
        spring.mStiffness = 5.0f;
        spring.mRestLength = 20.0f;
        xBallSocketDesc ballSocket;
        xJointDesc& joint = mKind == JOINT_SPRING ? static_cast<xJointDesc&>(spring) : ballSocket;
        joint.mSrcBody = mBody;
        joint.mOwner = this;
        joint.mPlacement = absPlacement() + Vec3(0.0f, -30.0f, 0.0f);
        mJoint = joint.createJoint();
    }

private:
    const JointKind mKind;
    xConstraintSet* mJoint = nullptr;
};

class JointedEntityDesc : public xPhysicsPrimitiveEntityDesc {
public:
    xEntity* newEntity() const override { return new (std::nothrow) JointedEntity(mJoint); }

    JointKind mJoint = JOINT_NONE;
};

// Every kind of entity the game makes: each primitive standing or on either body, and the
// jointed ones.
std::vector<JointedEntityDesc> EveryKind()
{
    std::vector<JointedEntityDesc> kinds;
    for (const ePrimitveObj primitive : {PRIMITIVE_CIRCLE, PRIMITIVE_BOX, PRIMITIVE_LINE_SEGMENT}) {
        for (const int32_t body : {-1, int32_t{BODY_3DOF}, int32_t{BODY_2DOF}}) {
            JointedEntityDesc desc;
            static_cast<xPhysicsPrimitiveEntityDesc&>(desc) = Tests::PrimitiveDesc(primitive, body >= 0, {});
            desc.mBodyType = body >= 0 ? body : BODY_3DOF;
            kinds.push_back(desc);
        }
    }
    for (const JointKind joint : {JOINT_SPRING, JOINT_BALL_SOCKET}) {
        JointedEntityDesc desc;
        static_cast<xPhysicsPrimitiveEntityDesc&>(desc) = Tests::PrimitiveDesc(PRIMITIVE_BOX, true, {});
        desc.mJoint = joint;
        kinds.push_back(desc);
    }
    return kinds;
}

// Makes 100 entities of every kind, spread out and overlapping, and runs the world a little
// so that they touch.
std::vector<xEntity*> MakeCrowd()
{
    std::vector<xEntity*> crowd;
    std::vector<JointedEntityDesc> kinds = EveryKind();
    for (int i = 0; i < 100; ++i) {
        for (JointedEntityDesc& desc : kinds) {
            desc.mPlacement = {static_cast<float>(i * 7), static_cast<float>(i % 5) * 9.0f, 0.0f};
            xEntity* const entity = g_ptrSDK->createEntity(desc);
            EXPECT_NE(ToGameEntity(entity), nullptr);
            crowd.push_back(entity);
        }
    }
    for (int frame = 0; frame < 3; ++frame)
        g_ptrSDK->updateF(1.0f);
    return crowd;
}

class EntityLifetimeTest : public Tests::PhysicsWorldTest {};

TEST_F(EntityLifetimeTest, DestroyedEntitiesLeaveNoEngineObjectsBehind)
{
    for (int world = 0; world < 2; ++world) {
        const EngineCounts baseline = CountEngineObjects();
        const std::vector<xEntity*> crowd = MakeCrowd();
        const EngineCounts crowded = CountEngineObjects();
        EXPECT_GE(crowded.mBodies, baseline.mBodies + 1100) << "world " << world;
        EXPECT_GE(crowded.mFixtures, baseline.mFixtures + 1100) << "world " << world;
        EXPECT_EQ(crowded.mJoints, baseline.mJoints + 200) << "world " << world;

        for (xEntity* const entity : crowd)
            g_ptrSDK->destroyEntity(entity);
        EXPECT_EQ(CountEngineObjects(), baseline) << "world " << world;

        xtrDestroyXtremaSDK();
        ASSERT_NE(xtrCreateXtremaSDK(), nullptr);
    }
}

// The game may delete its objects after the world is gone (at exit): nothing they own
// reaches into the old world, and the next world starts empty.
TEST_F(EntityLifetimeTest, EntitiesOutlivingTheWorldAreDeletedSafely)
{
    const EngineCounts baseline = CountEngineObjects();
    const std::vector<xEntity*> crowd = MakeCrowd();
    xtrDestroyXtremaSDK();
    for (xEntity* const entity : crowd)
        delete entity;
    ASSERT_NE(xtrCreateXtremaSDK(), nullptr);
    EXPECT_EQ(CountEngineObjects(), baseline);
}

} // namespace
