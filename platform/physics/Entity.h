#pragma once
// Entities: the game's objects as the library sees them. An entity is made from a
// description by XtremaPhysicsSDK::createEntity and destroyed by destroyEntity; it owns
// and deletes its shapes, bodies and joints.

#include "platform/physics/XtremaMath.h"

namespace XtremaPHX2D {

class xEntityDesc;
class xShape;

class xEntity {
public:
    virtual ~xEntity() = default;
    xEntity(const xEntity&) = delete;
    xEntity& operator=(const xEntity&) = delete;

    // Called during a step for each contact of one of the entity's shapes, at most once
    // per contact and step: `own` is the entity's shape, `other` the shape it touches,
    // `point` where they touch, `depth` how far they overlap (pixels) and `normal` the
    // unit vector from the own shape towards the other. False lets them pass through each
    // other for this step. Nothing may be created, placed or destroyed from here but
    // through the library's queues (destroyEntity, xConstraintSet::release).
    virtual bool onCollision(xShape* own, xShape* other, const Vec2& point, float depth, const Vec2& normal);
    // Makes the entity's shapes, bodies and joints from its description.
    virtual void buildPhysics(xEntityDesc* desc);
    virtual Vec3 absPlacement() const;
    virtual void setAbsPlacement(const Vec3& placement);

protected:
    xEntity() = default;
};

class xEntityDesc {
public:
    virtual ~xEntityDesc() = default;

    // A new entity of the description's class; null when it cannot be made.
    virtual xEntity* newEntity() const = 0;
};

} // namespace XtremaPHX2D
