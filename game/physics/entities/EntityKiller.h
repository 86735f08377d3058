#pragma once
// An invisible static zone of the mini-game (below the field, at its edges) that queues
// whatever touches it for removal. It acts only once its owner is set.

#include "game/physics/SharkEntity.h"
#include "platform/physics/Entity.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>

class MiniGameOwner;

// The zone's geometry.
enum KillZoneShape : int32_t {
    KILL_ZONE_CIRCLE = 0,
    KILL_ZONE_BOX = 1,
};

class EntityKillerDesc : public XtremaPHX2D::xEntityDesc {
public:
    XtremaPHX2D::xEntity* newEntity() const override;

    XtremaPHX2D::Vec3 mPlacement;
    // A KillZoneShape; any other value makes no shape.
    int32_t mShapeType = KILL_ZONE_BOX;
    // A box's width and height; a circle's radius in x.
    XtremaPHX2D::Vec2 mSize{100.0f, 100.0f};
};

class EntityKiller : public xSharkEntity {
public:
    EntityKiller() = default;
    // Deletes the zone's shape.
    ~EntityKiller() override;

    // Queues the other shape's game object for removal; every contact stands.
    bool onCollision(XtremaPHX2D::xShape* own, XtremaPHX2D::xShape* other, const XtremaPHX2D::Vec2& point,
                     float depth, const XtremaPHX2D::Vec2& normal) override;
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;

    // Not owned; the zone stays inert until the mini-game sets it.
    MiniGameOwner* mOwner = nullptr;
    // Owned.
    XtremaPHX2D::xShape* mOwnShape = nullptr;
};
