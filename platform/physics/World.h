#pragma once
// Inside the physics library: the Box2D world behind XtremaPhysicsSDK, the scale between
// the game's units and Box2D's, and the bookkeeping that keeps the wrappers and Box2D's
// objects in step.
//
// Every Box2D object the library makes carries its wrapper in its user data (a shape's
// fixture its xShape, a joint its xConstraintSet), and the world knows every live wrapper:
// when Box2D destroys an object on its own (the fixtures and joints of a destroyed body)
// the destruction listener tells the wrapper, and when the world goes, every wrapper
// forgets the engine, so that no wrapper ever holds a dangling Box2D pointer.

#include "platform/physics/XtremaPhysics.h"

#include <box2d/b2_fixture.h>
#include <box2d/b2_math.h>
#include <box2d/b2_world.h>
#include <box2d/b2_world_callbacks.h>

#include <unordered_set>
#include <vector>

namespace XtremaPHX2D {

// Box2D works in metres and seconds, the game in pixels and updates.
constexpr float kPixelsPerMetre = 50.0f;
constexpr float kSecondsPerUpdate = 0.01f;
// A speed of one pixel per update in metres per second, and so on for the derived units.
constexpr float kMetresPerSecondPerPixelPerUpdate = 1.0f / (kPixelsPerMetre * kSecondsPerUpdate);
constexpr float kNewtonsPerGameForce = 1.0f / (kPixelsPerMetre * kSecondsPerUpdate * kSecondsPerUpdate);
constexpr float kNewtonSecondsPerGameImpulse = kMetresPerSecondPerPixelPerUpdate;
constexpr float kInertiaPerGameInertia = 1.0f / (kPixelsPerMetre * kPixelsPerMetre);
// A body that rests this many updates falls asleep.
constexpr float kUpdatesToSleep = 50.0f;

inline b2Vec2 ToMetres(const Vec2& pixels)
{
    return b2Vec2(pixels.x / kPixelsPerMetre, pixels.y / kPixelsPerMetre);
}

inline Vec2 ToPixels(const b2Vec2& metres)
{
    return {metres.x * kPixelsPerMetre, metres.y * kPixelsPerMetre};
}

// The placement of b relative to a: a ∘ result = b.
Vec3 RelativePlacement(const Vec3& a, const Vec3& b);
// The placement `relative` seen from `frame`.
Vec3 ComposePlacement(const Vec3& frame, const Vec3& relative);

struct World : b2ContactFilter, b2ContactListener, b2DestructionListener {
    explicit World(XtremaPhysicsSDK& sdk);
    ~World() override;

    // No gravity until the game's configuration sets one.
    b2World mWorld{b2Vec2(0.0f, 0.0f)};
    // The static body joints to the world hang from, at the origin.
    b2Body* mGround = nullptr;

    XtremaPhysicsSDK& mSdk;
    // True while b2World::Step runs: Box2D refuses changes then, so they wait.
    bool mInStep = false;
    // The length of the step that runs, in updates.
    float mStepUpdates = 0.0f;

    std::unordered_set<xBody*> mBodies;
    std::unordered_set<xShape*> mShapes;
    std::unordered_set<xConstraintSet*> mJoints;
    std::unordered_set<xEntity*> mEntities;

    // What waits for the end of the step.
    std::vector<xEntity*> mEntitiesToDestroy;
    std::vector<b2Joint*> mJointsToDestroy;
    std::vector<b2Fixture*> mFixturesToDestroy;
    std::vector<b2Body*> mBodiesToDestroy;

    void Step(float updates);
    // Wakes every body whose fixtures overlap `body`'s, and `body` itself when dynamic.
    void WakeOverlapping(b2Body* body);
    b2Body* CreateStaticBody(const Vec3& placement);
    // Destroys now, or after the step when one runs.
    void DestroyJoint(b2Joint* joint);
    void DestroyFixture(b2Fixture* fixture);
    void DestroyBody(b2Body* body);
    void DestroyEntity(xEntity* entity);
    // Making or placing objects is not allowed inside a step.
    void AssertOutsideStep() const;

    // Box2D's callbacks.
    bool ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB) override;
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void SayGoodbye(b2Joint* joint) override;
    void SayGoodbye(b2Fixture* fixture) override;

private:
    void ApplyConfiguration(const xConfigurator& configurator);
    void FinishStep(float updates);
};

// The wrapper of a fixture, or null when the fixture's wrapper is gone.
inline xShape* ShapeOf(b2Fixture* fixture)
{
    return reinterpret_cast<xShape*>(fixture->GetUserData().pointer);
}

World& CurrentWorld();

} // namespace XtremaPHX2D
