#include "platform/physics/World.h"

#include "platform/physics/Assert.h"

#include <box2d/b2_body.h>
#include <box2d/b2_collision.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_joint.h>

#include <algorithm>
#include <cmath>

namespace XtremaPHX2D {
namespace {

// Box2D's usual solver iterations; the game's bodies are few and slow.
constexpr int kVelocityIterations = 8;
constexpr int kPositionIterations = 3;

template <typename T>
void AddOnce(std::vector<T*>& list, T* const item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

} // namespace

Vec3 ComposePlacement(const Vec3& frame, const Vec3& relative)
{
    const Vec2 point = xtrVec3ToMtx23(frame) * relative.point();
    return {point, frame.angle + relative.angle};
}

Vec3 RelativePlacement(const Vec3& a, const Vec3& b)
{
    return {xtrTransReversePosMtx23(xtrVec3ToMtx23(a), b.point()), b.angle - a.angle};
}

World::World(XtremaPhysicsSDK& sdk) : mSdk(sdk)
{
    mWorld.SetContactFilter(this);
    mWorld.SetContactListener(this);
    mWorld.SetDestructionListener(this);
    // Every contact is reported at most once per step, which continuous collision's extra
    // sub-steps would break.
    mWorld.SetContinuousPhysics(false);
    // Sleeping is the library's own (xConfigurator's rest speeds), not the engine's.
    mWorld.SetAllowSleeping(false);
    b2BodyDef ground;
    mGround = mWorld.CreateBody(&ground);
}

World::~World()
{
    // Box2D frees its objects with the world without telling anyone.
    for (xBody* const body : mBodies)
        body->forgetEngine();
    for (xShape* const shape : mShapes)
        shape->forgetEngine();
    for (xConstraintSet* const joint : mJoints)
        joint->forgetEngine();
}

void World::AssertOutsideStep() const
{
    XTR_ASSERT(!mInStep);
}

void World::ApplyConfiguration(const xConfigurator& configurator)
{
    mWorld.SetGravity(b2Vec2(configurator.mGravity.x * kNewtonsPerGameForce, configurator.mGravity.y * kNewtonsPerGameForce));
    mWorld.SetWarmStarting(configurator.mFlagA);
    mWorld.SetAutoClearForces(!configurator.mFlagB);
    for (xBody* const body : mBodies) {
        if (body->mEngineBody != nullptr)
            body->mEngineBody->SetAngularDamping(body->mCoefficient / kSecondsPerUpdate);
    }
    for (xConstraintSet* const joint : mJoints)
        joint->syncRestLength();
}

void World::Step(const float updates)
{
    XTR_ASSERT(!mInStep);
    ApplyConfiguration(mSdk.configurator());
    mInStep = true;
    mStepUpdates = updates;
    mWorld.Step(updates * kSecondsPerUpdate, kVelocityIterations, kPositionIterations);
    mInStep = false;
    FinishStep(updates);
}

void World::FinishStep(const float updates)
{
    // Entities first: their destructors take their own objects out of the world.
    std::vector<xEntity*> entities;
    entities.swap(mEntitiesToDestroy);
    for (xEntity* const entity : entities)
        DestroyEntity(entity);
    std::vector<b2Joint*> joints;
    joints.swap(mJointsToDestroy);
    for (b2Joint* const joint : joints)
        mWorld.DestroyJoint(joint);
    std::vector<b2Fixture*> fixtures;
    fixtures.swap(mFixturesToDestroy);
    for (b2Fixture* const fixture : fixtures)
        fixture->GetBody()->DestroyFixture(fixture);
    std::vector<b2Body*> bodies;
    bodies.swap(mBodiesToDestroy);
    for (b2Body* const body : bodies)
        mWorld.DestroyBody(body);

    // A copy: a joint that breaks wakes bodies but changes no list.
    for (xConstraintSet* const joint : std::vector<xConstraintSet*>(mJoints.begin(), mJoints.end()))
        joint->breakIfOverLimit(updates);
    const xConfigurator& configurator = mSdk.configurator();
    for (xBody* const body : mBodies)
        body->advanceRestTime(updates, !configurator.mFlagC);
}

void World::WakeOverlapping(b2Body* const body)
{
    if (body->GetType() == b2_dynamicBody)
        body->SetAwake(true);
    // The broad phase finds candidates by their boxes; only shapes that truly overlap
    // the moved ones wake.
    struct Waker : b2QueryCallback {
        b2Fixture* mMoved = nullptr;
        int mChild = 0;
        bool ReportFixture(b2Fixture* const fixture) override
        {
            b2Body* const other = fixture->GetBody();
            if (other == mMoved->GetBody() || other->GetType() != b2_dynamicBody || other->IsAwake())
                return true;
            for (int child = 0; child < fixture->GetShape()->GetChildCount(); ++child) {
                if (b2TestOverlap(mMoved->GetShape(), mChild, fixture->GetShape(), child,
                                  mMoved->GetBody()->GetTransform(), other->GetTransform())) {
                    other->SetAwake(true);
                    break;
                }
            }
            return true;
        }
    } waker;
    for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext()) {
        waker.mMoved = fixture;
        for (int child = 0; child < fixture->GetShape()->GetChildCount(); ++child) {
            waker.mChild = child;
            mWorld.QueryAABB(&waker, fixture->GetAABB(child));
        }
    }
}

b2Body* World::CreateStaticBody(const Vec3& placement)
{
    AssertOutsideStep();
    b2BodyDef definition;
    definition.position = ToMetres(placement.point());
    definition.angle = placement.angle;
    return mWorld.CreateBody(&definition);
}

void World::DestroyJoint(b2Joint* const joint)
{
    joint->GetUserData().pointer = 0;
    if (mInStep)
        AddOnce(mJointsToDestroy, joint);
    else
        mWorld.DestroyJoint(joint);
}

void World::DestroyFixture(b2Fixture* const fixture)
{
    fixture->GetUserData().pointer = 0;
    if (mInStep)
        AddOnce(mFixturesToDestroy, fixture);
    else
        fixture->GetBody()->DestroyFixture(fixture);
}

void World::DestroyBody(b2Body* const body)
{
    if (mInStep) {
        // Its fixtures leave the contacts of this step at once.
        for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
            fixture->GetUserData().pointer = 0;
        AddOnce(mBodiesToDestroy, body);
        return;
    }
    mWorld.DestroyBody(body);
}

void World::DestroyEntity(xEntity* const entity)
{
    if (mInStep) {
        AddOnce(mEntitiesToDestroy, entity);
        return;
    }
    if (mEntities.erase(entity) == 0)
        return;
    delete entity;
}

} // namespace XtremaPHX2D
