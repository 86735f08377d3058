#include "game/physics/SharkEntity.h"

#include "platform/physics/Body.h"
#include "platform/physics/Shape.h"

using XtremaPHX2D::Vec2;
using XtremaPHX2D::Vec3;

void xSharkEntity::Update() {}

bool xSharkEntity::onCollision(XtremaPHX2D::xShape*, XtremaPHX2D::xShape*, const Vec2&, float, const Vec2&)
{
    return true;
}

void xSharkEntity::buildPhysics(XtremaPHX2D::xEntityDesc*) {}

Vec3 xSharkEntity::absPlacement() const
{
    if (mBody != nullptr)
        return mBody->absPlacement();
    if (mShape != nullptr)
        return mShape->absPlacement();
    return xEntity::absPlacement();
}

void xSharkEntity::setAbsPlacement(const Vec3& placement)
{
    if (mBody != nullptr)
        mBody->setAbsPlacement(placement);
    else if (mShape != nullptr)
        mShape->setAbsPlacement(placement);
}

xSharkEntity* ToGameEntity(XtremaPHX2D::xEntity* const entity)
{
    // A cross-cast between the two bases: dynamic_cast finds the whole object, and gives
    // null for an entity of another class.
    return dynamic_cast<xSharkEntity*>(entity);
}
