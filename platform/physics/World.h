#pragma once
// Inside the physics library: the Box2D world behind XtremaPhysicsSDK and the scale between
// the game's units and Box2D's.

#include "platform/physics/XtremaPhysics.h"

#include <box2d/b2_world.h>

namespace XtremaPHX2D {

// Box2D works in metres and seconds, the game in pixels and updates.
constexpr float kPixelsPerMetre = 50.0f;
constexpr float kSecondsPerUpdate = 0.01f;

struct XtremaPhysicsSDK::World {
    // No gravity until the game's configuration sets one.
    b2World mWorld{b2Vec2(0.0f, 0.0f)};
};

} // namespace XtremaPHX2D
