#pragma once
// The engine objects behind the physics world, counted to show that destroyed entities
// leave nothing of theirs behind.

#include "platform/physics/World.h"
#include "platform/physics/XtremaPhysics.h"

#include <box2d/b2_body.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_world.h>

#include <ostream>

namespace Tests {

struct EngineCounts {
    int mBodies = 0;
    int mFixtures = 0;
    int mJoints = 0;
    bool operator==(const EngineCounts&) const = default;
};

inline void PrintTo(const EngineCounts& counts, std::ostream* out)
{
    *out << counts.mBodies << " bodies, " << counts.mFixtures << " fixtures, " << counts.mJoints << " joints";
}

inline EngineCounts CountEngineObjects()
{
    const b2World& engine = XtremaPHX2D::g_ptrSDK->world().mWorld;
    EngineCounts counts;
    counts.mBodies = engine.GetBodyCount();
    counts.mJoints = engine.GetJointCount();
    for (const b2Body* body = engine.GetBodyList(); body != nullptr; body = body->GetNext()) {
        for (const b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
            ++counts.mFixtures;
    }
    return counts;
}

} // namespace Tests
