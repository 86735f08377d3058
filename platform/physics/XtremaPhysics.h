#pragma once
// The 2D physics library the game calls: one world per process, created at start-up,
// stepped once per drawn frame and destroyed at exit, reached through g_ptrSDK.
//
// Units are the game's: pixels with y downwards, radians, and time in updates (a step of
// 1.0 is one 10 ms update). Velocities are per update, accelerations per update squared.
//
// Nothing is created, placed or destroyed inside a step (in onCollision): destroyEntity and
// xConstraintSet::release are queued and carried out when the step ends, and making or
// placing anything there is a fault of the caller.

#include "platform/physics/Body.h"
#include "platform/physics/Categories.h"
#include "platform/physics/Configurator.h"
#include "platform/physics/Entity.h"
#include "platform/physics/Joints.h"
#include "platform/physics/Materials.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"
#include "platform/physics/XtremaMath.h"

#include <memory>

namespace XtremaPHX2D {

// The engine's side of the world, for the library's own parts.
struct World;

class XtremaPhysicsSDK {
public:
    XtremaPhysicsSDK();
    ~XtremaPhysicsSDK();
    XtremaPhysicsSDK(const XtremaPhysicsSDK&) = delete;
    XtremaPhysicsSDK& operator=(const XtremaPhysicsSDK&) = delete;

    // Advances the world by `step` updates, calling onCollision of the owners of touching
    // shapes. A step that is not above 0, or a paused world, leaves it as it is.
    void updateF(float step);

    // The description's newEntity, then the entity's buildPhysics with the description.
    // Null when the description made no entity.
    xEntity* createEntity(xEntityDesc& desc);
    // Takes the entity out of the world and deletes it; inside a step, when the step
    // ends. Null does nothing; an entity this world did not make, or made and already
    // destroyed, is refused with a message.
    void destroyEntity(xEntity* entity);

    xConfigurator& configurator() { return *mConfigurator; }
    xMaterialDispatcher& materials() { return *mMaterials; }
    xCategoryDispatcher& categories() { return *mCategories; }

    World& world() { return *mWorld; }

private:
    std::unique_ptr<xConfigurator> mConfigurator;
    std::unique_ptr<xMaterialDispatcher> mMaterials;
    std::unique_ptr<xCategoryDispatcher> mCategories;
    std::unique_ptr<World> mWorld;
};

// The world, or null before xtrCreateXtremaSDK and after xtrDestroyXtremaSDK.
extern XtremaPhysicsSDK* g_ptrSDK;

// Creates the world and publishes it in g_ptrSDK; while one exists, returns that one.
XtremaPhysicsSDK* xtrCreateXtremaSDK();
// Destroys the world and clears g_ptrSDK; nothing happens without one. Entities still
// alive are not deleted (the game owns them as widgets and must destroy them first); their
// shapes, bodies and joints stay harmless, as they no longer reach any world.
void xtrDestroyXtremaSDK();

} // namespace XtremaPHX2D
