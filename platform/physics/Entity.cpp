#include "platform/physics/Entity.h"

#include "platform/physics/Paragon.h"

namespace XtremaPHX2D {

xParagon::xParagon() = default;
xParagon::~xParagon() = default;

bool xEntity::onCollision(xShape*, xShape*, const Vec2&, float, const Vec2&)
{
    return true;
}

void xEntity::buildPhysics(xEntityDesc*) {}

Vec3 xEntity::absPlacement() const
{
    return {};
}

void xEntity::setAbsPlacement(const Vec3&) {}

} // namespace XtremaPHX2D
