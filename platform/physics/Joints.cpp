#include "platform/physics/Joints.h"

#include "platform/physics/Assert.h"
#include "platform/physics/World.h"

#include <box2d/b2_body.h>
#include <box2d/b2_distance_joint.h>
#include <box2d/b2_revolute_joint.h>

namespace XtremaPHX2D {
namespace {

// A spring stretches without an upper stop; Box2D wants one, and a far one in floats.
constexpr float kLongestSpringMetres = 1.0e5f;
// Limits at or above this never break a joint.
constexpr float kUnbreakable = 1.0e30f;

void WakeJointBodies(b2Joint* const joint)
{
    for (b2Body* const body : {joint->GetBodyA(), joint->GetBodyB()}) {
        if (body->GetType() == b2_dynamicBody)
            body->SetAwake(true);
    }
}

Vec3 InFrameOf(const xBody* const body, const Vec3& placement)
{
    return body != nullptr ? RelativePlacement(body->absPlacement(), placement) : placement;
}

} // namespace

xConstraintSet* xSpringDesc::createJoint() const
{
    auto* const joint = new xConstraintSet(xConstraintSet::Kind::Spring, *this);
    joint->mStiffness = mStiffness;
    joint->mDamping = mDamping;
    joint->mRestLength = mRestLength;
    joint->rebuildJoint();
    return joint;
}

xConstraintSet* xBallSocketDesc::createJoint() const
{
    auto* const joint = new xConstraintSet(xConstraintSet::Kind::BallSocket, *this);
    joint->rebuildJoint();
    return joint;
}

xConstraintSet::xConstraintSet(const Kind kind, const xJointDesc& desc)
    : mKind(kind), mSrcBody(desc.mSrcBody), mDstBody(desc.mDstBody), mOwner(desc.mOwner), mLimit(desc.mLimit),
      mInSrc(InFrameOf(desc.mSrcBody, desc.mPlacement)), mInDst(InFrameOf(desc.mDstBody, desc.mPlacement))
{
    World& world = CurrentWorld();
    mWorld = &world;
    world.mJoints.insert(this);
}

xConstraintSet::~xConstraintSet()
{
    if (mWorld == nullptr)
        return;
    mWorld->mJoints.erase(this);
    destroyEngineJoint();
}

void xConstraintSet::setPlacements(const Vec3& inSrc, const Vec3& inDst)
{
    mInSrc = inSrc;
    mInDst = inDst;
    rebuildJoint();
}

void xConstraintSet::release()
{
    mReleased = true;
    destroyEngineJoint();
}

bool xConstraintSet::isReleased() const
{
    return mReleased;
}

void xConstraintSet::rebuildJoint()
{
    if (mWorld == nullptr)
        return;
    mWorld->AssertOutsideStep();
    destroyEngineJoint();
    if (mReleased || mSrcBody == nullptr || mSrcBody->mEngineBody == nullptr)
        return;
    b2Body* const bodyA = mSrcBody->mEngineBody;
    b2Body* const bodyB = mDstBody != nullptr ? mDstBody->mEngineBody : mWorld->mGround;
    if (bodyB == nullptr)
        return;
    if (mKind == Kind::Spring) {
        b2DistanceJointDef definition;
        definition.bodyA = bodyA;
        definition.bodyB = bodyB;
        definition.localAnchorA = ToMetres(mInSrc.point());
        definition.localAnchorB = ToMetres(mInDst.point());
        definition.length = mRestLength / kPixelsPerMetre;
        definition.minLength = 0.0f;
        definition.maxLength = kLongestSpringMetres;
        // Force per pixel of stretch in newtons per metre, force per pixel per update in
        // newton-seconds per metre.
        definition.stiffness = mStiffness * kNewtonsPerGameForce * kPixelsPerMetre;
        definition.damping = mDamping * kNewtonsPerGameForce / kMetresPerSecondPerPixelPerUpdate;
        definition.userData.pointer = reinterpret_cast<uintptr_t>(this);
        mJoint = mWorld->mWorld.CreateJoint(&definition);
    } else {
        b2RevoluteJointDef definition;
        definition.bodyA = bodyA;
        definition.bodyB = bodyB;
        definition.localAnchorA = ToMetres(mInSrc.point());
        definition.localAnchorB = ToMetres(mInDst.point());
        definition.userData.pointer = reinterpret_cast<uintptr_t>(this);
        mJoint = mWorld->mWorld.CreateJoint(&definition);
    }
    mAppliedRestLength = mRestLength;
    WakeJointBodies(mJoint);
}

void xConstraintSet::destroyEngineJoint()
{
    if (mJoint == nullptr)
        return;
    WakeJointBodies(mJoint);
    mWorld->DestroyJoint(mJoint);
    mJoint = nullptr;
}

void xConstraintSet::syncRestLength()
{
    if (mKind != Kind::Spring || mJoint == nullptr || mRestLength == mAppliedRestLength)
        return;
    static_cast<b2DistanceJoint*>(mJoint)->SetLength(mRestLength / kPixelsPerMetre);
    mAppliedRestLength = mRestLength;
    WakeJointBodies(mJoint);
}

void xConstraintSet::breakIfOverLimit(const float updates)
{
    if (mJoint == nullptr || !(mLimit < kUnbreakable))
        return;
    const b2Vec2 force = mJoint->GetReactionForce(1.0f / (updates * kSecondsPerUpdate));
    if (force.Length() / kNewtonsPerGameForce > mLimit)
        release();
}

void xConstraintSet::forgetBody(const xBody* const body)
{
    if (mSrcBody == body)
        mSrcBody = nullptr;
    if (mDstBody == body)
        mDstBody = nullptr;
}

void xConstraintSet::forgetEngine()
{
    mJoint = nullptr;
    mWorld = nullptr;
    mSrcBody = nullptr;
    mDstBody = nullptr;
}

} // namespace XtremaPHX2D
