// The world's side of contacts: which shapes may touch (the category pair values), what
// their owners are told, and how two materials meet.

#include "platform/physics/World.h"

#include <box2d/b2_body.h>
#include <box2d/b2_contact.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_joint.h>

#include <algorithm>

namespace XtremaPHX2D {

bool World::ShouldCollide(b2Fixture* const fixtureA, b2Fixture* const fixtureB)
{
    const xShape* const a = ShapeOf(fixtureA);
    const xShape* const b = ShapeOf(fixtureB);
    // A fixture whose shape is gone waits for its destruction after the step.
    if (a == nullptr || b == nullptr)
        return false;
    return mSdk.categories().pairValue(*a->mCategory, *b->mCategory) != PAIR_NO_CONTACT;
}

void World::PreSolve(b2Contact* const contact, const b2Manifold*)
{
    xShape* const a = ShapeOf(contact->GetFixtureA());
    xShape* const b = ShapeOf(contact->GetFixtureB());
    if (a == nullptr || b == nullptr) {
        contact->SetEnabled(false);
        return;
    }
    // A category may have changed since the contact began.
    const ePairValue value = mSdk.categories().pairValue(*a->mCategory, *b->mCategory);
    if (value == PAIR_NO_CONTACT) {
        contact->SetEnabled(false);
        return;
    }
    contact->SetRestitution(MixedRestitution(*a->mMaterial, *b->mMaterial));
    contact->SetFriction(MixedFriction(*a->mMaterial, *b->mMaterial));
    contact->SetRestitutionThreshold(mSdk.configurator().mParamC * kMetresPerSecondPerPixelPerUpdate);

    b2WorldManifold manifold;
    contact->GetWorldManifold(&manifold);
    const int points = contact->GetManifold()->pointCount;
    b2Vec2 point(0.0f, 0.0f);
    float separation = 0.0f;
    for (int i = 0; i < points; ++i) {
        point += manifold.points[i];
        separation = std::min(separation, manifold.separations[i]);
    }
    point *= 1.0f / static_cast<float>(std::max(points, 1));
    const Vec2 where = ToPixels(point);
    const float depth = -separation * kPixelsPerMetre;
    const Vec2 normal(manifold.normal.x, manifold.normal.y);

    bool accepted = true;
    if (xEntity* const owner = a->getOwner())
        accepted = owner->onCollision(a, b, where, depth, normal) && accepted;
    // The first owner may have let go of its shapes.
    xShape* const stillA = ShapeOf(contact->GetFixtureA());
    xShape* const stillB = ShapeOf(contact->GetFixtureB());
    if (stillA != nullptr && stillB != nullptr) {
        if (xEntity* const owner = stillB->getOwner())
            accepted = owner->onCollision(stillB, stillA, where, depth, -normal) && accepted;
    }
    if (!accepted || value == PAIR_CALLBACKS_ONLY || ShapeOf(contact->GetFixtureA()) == nullptr ||
        ShapeOf(contact->GetFixtureB()) == nullptr)
        contact->SetEnabled(false);
}

void World::SayGoodbye(b2Joint* const joint)
{
    if (auto* const wrapper = reinterpret_cast<xConstraintSet*>(joint->GetUserData().pointer))
        wrapper->mJoint = nullptr;
}

void World::SayGoodbye(b2Fixture* const fixture)
{
    if (xShape* const shape = ShapeOf(fixture))
        shape->forgetFixture();
}

} // namespace XtremaPHX2D
