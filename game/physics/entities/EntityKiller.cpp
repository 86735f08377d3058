#include "game/physics/entities/EntityKiller.h"

#include "framework/app/common/Assert.h"
#include "game/physics/EntityShape.h"
#include "game/physics/entities/MiniGameOwner.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"

#include <new>

using namespace XtremaPHX2D;

namespace {

// The zone's geometry; null for an unknown shape type.
xPrimitive* MakeZonePrimitive(const EntityKillerDesc& desc)
{
    switch (desc.mShapeType) {
    case KILL_ZONE_CIRCLE:
        return new xPrimitiveCircle(desc.mSize.x);
    case KILL_ZONE_BOX:
        return new xPrimitiveBox(desc.mSize);
    default:
        return nullptr;
    }
}

} // namespace

xEntity* EntityKillerDesc::newEntity() const
{
    return new (std::nothrow) EntityKiller();
}

EntityKiller::~EntityKiller()
{
    delete mOwnShape;
    mOwnShape = nullptr;
}

void EntityKiller::buildPhysics(xEntityDesc* const desc)
{
    const auto* const killerDesc = dynamic_cast<const EntityKillerDesc*>(desc);
    if (killerDesc == nullptr)
        return;
    ZEST_ASSERT(mOwnShape == nullptr);

    xShape* const shape = MakeEntityShape(MakeZonePrimitive(*killerDesc), "default", this);
    shape->setAbsPlacement(killerDesc->mPlacement);
    shape->setCollisionCategory("entity_killer");
    mOwnShape = shape;
}

bool EntityKiller::onCollision(xShape*, xShape* const other, const Vec2&, float, const Vec2&)
{
    xSharkEntity* const entity = other != nullptr ? ToGameEntity(other->getOwner()) : nullptr;
    if (entity != nullptr && mOwner != nullptr)
        mOwner->QueueEntityRemoval(entity);
    return true;
}
