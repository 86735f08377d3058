#include "game/physics/PhysicsPrimitiveEntityDesc.h"

#include "game/physics/PhysicsPrimitiveEntity.h"

#include <new>

XtremaPHX2D::xEntity* xPhysicsPrimitiveEntityDesc::newEntity() const
{
    // The library reports a description that made nothing; it has no use for an exception.
    return new (std::nothrow) xPhysicsPrimitiveEntity();
}
