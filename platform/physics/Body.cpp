#include "platform/physics/Body.h"

#include "platform/physics/Assert.h"
#include "platform/physics/World.h"

#include <box2d/b2_body.h>

#include <cmath>

namespace XtremaPHX2D {

xBody::xBody(const float mass, const float inertia, const bool turns) : mMass(mass), mInertia(inertia), mTurns(turns)
{
}

xBody* xBodyDesc::makeBody(const bool turns) const
{
    return new xBody(mMass, mInertia, turns);
}

xBody::~xBody()
{
    if (mWorld == nullptr)
        return;
    mWorld->mBodies.erase(this);
    for (xShape* const shape : mWorld->mShapes)
        shape->forgetBody(this);
    for (xConstraintSet* const joint : mWorld->mJoints)
        joint->forgetBody(this);
    mWorld->DestroyBody(mEngineBody);
}

void xBody::activate()
{
    XTR_ASSERT(!mActivated);
    World& world = CurrentWorld();
    world.AssertOutsideStep();
    b2BodyDef definition;
    definition.type = b2_dynamicBody;
    definition.position = ToMetres(mPlacement.point());
    definition.angle = mPlacement.angle;
    definition.fixedRotation = !mTurns;
    mEngineBody = world.mWorld.CreateBody(&definition);
    mWorld = &world;
    world.mBodies.insert(this);
    mActivated = true;
    applyMass();
}

void xBody::applyMass()
{
    if (mEngineBody == nullptr)
        return;
    if (!(mMass > 0.0f)) {
        mEngineBody->ResetMassData();
        return;
    }
    b2MassData data;
    data.mass = mMass;
    data.center.SetZero();
    data.I = mInertia * kInertiaPerGameInertia;
    mEngineBody->SetMassData(&data);
}

Vec3 xBody::absPlacement() const
{
    if (mEngineBody == nullptr)
        return mPlacement;
    return {ToPixels(mEngineBody->GetPosition()), mEngineBody->GetAngle()};
}

void xBody::setAbsPlacement(const Vec3& placement)
{
    mPlacement = placement;
    if (mEngineBody == nullptr)
        return;
    mWorld->AssertOutsideStep();
    mEngineBody->SetTransform(ToMetres(placement.point()), placement.angle);
    mRestTime = 0.0f;
    mWorld->WakeOverlapping(mEngineBody);
}

Vec2 xBody::linearVelocity() const
{
    if (mEngineBody == nullptr)
        return {};
    return ToPixels(mEngineBody->GetLinearVelocity()) * kSecondsPerUpdate;
}

float xBody::angularVelocity() const
{
    if (mEngineBody == nullptr)
        return 0.0f;
    return mEngineBody->GetAngularVelocity() * kSecondsPerUpdate;
}

void xBody::setLinearVelocity(const Vec2& velocity)
{
    if (mEngineBody == nullptr)
        return;
    mEngineBody->SetAwake(true);
    mRestTime = 0.0f;
    mEngineBody->SetLinearVelocity((1.0f / kSecondsPerUpdate) * ToMetres(velocity));
}

void xBody::setAngularVelocity(const float velocity)
{
    if (mEngineBody == nullptr)
        return;
    mEngineBody->SetAwake(true);
    mRestTime = 0.0f;
    mEngineBody->SetAngularVelocity(velocity / kSecondsPerUpdate);
}

void xBody::applyForce(const Vec2& force)
{
    if (mEngineBody == nullptr)
        return;
    mRestTime = 0.0f;
    mEngineBody->ApplyForceToCenter(b2Vec2(force.x * kNewtonsPerGameForce, force.y * kNewtonsPerGameForce), true);
}

void xBody::applyImpulse(const Vec2& impulse)
{
    if (mEngineBody == nullptr)
        return;
    mRestTime = 0.0f;
    mEngineBody->ApplyLinearImpulseToCenter(
        b2Vec2(impulse.x * kNewtonSecondsPerGameImpulse, impulse.y * kNewtonSecondsPerGameImpulse), true);
}

bool xBody::isActive() const
{
    return mEngineBody != nullptr && mEngineBody->IsAwake();
}

void xBody::advanceRestTime(const float updates, const bool mayRest)
{
    if (mEngineBody == nullptr || !mEngineBody->IsAwake())
        return;
    const float speed = xtrLenV2(linearVelocity());
    const float spin = std::fabs(angularVelocity());
    const xConfigurator& configurator = mWorld->mSdk.configurator();
    if (speed >= configurator.mParamA || spin >= configurator.mParamB) {
        mRestTime = 0.0f;
        return;
    }
    mRestTime += updates;
    if (mayRest && mRestTime >= kUpdatesToSleep) {
        // Stops the body exactly: Box2D clears its velocities as it falls asleep.
        mEngineBody->SetAwake(false);
        mRestTime = 0.0f;
    }
}

void xBody::forgetEngine()
{
    mPlacement = absPlacement();
    mEngineBody = nullptr;
    mWorld = nullptr;
}

} // namespace XtremaPHX2D
