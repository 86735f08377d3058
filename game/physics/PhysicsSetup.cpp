#include "game/physics/PhysicsSetup.h"

#include "platform/physics/Categories.h"
#include "platform/physics/Configurator.h"
#include "platform/physics/Materials.h"

using namespace XtremaPHX2D;

namespace {

// One step of the category set-up: a new category when mSecond is null, else a pair.
// "default" and "solid_geometry" are the library's own categories.
struct CategoryRow {
    const char* mFirst;
    const char* mSecond;
    ePairValue mValue;
};

// In order: every pair names categories created above it.
const CategoryRow kCategoryRows[] = {
    {"ammo", nullptr, PAIR_CONTACT},
    {"ammo", "ammo", PAIR_CONTACT},
    {"ammo", "default", PAIR_CONTACT},
    {"ammo", "solid_geometry", PAIR_CONTACT},

    {"spider", nullptr, PAIR_CONTACT},
    {"spider", "spider", PAIR_CONTACT},
    {"spider", "ammo", PAIR_CONTACT},

    {"potato_cannon", nullptr, PAIR_CONTACT},
    {"potato_cannon", "potato_cannon", PAIR_NO_CONTACT},
    {"potato_cannon", "default", PAIR_CONTACT},
    {"potato_cannon", "solid_geometry", PAIR_CALLBACKS_ONLY},
    {"potato_cannon", "ammo", PAIR_NO_CONTACT},
    {"potato_cannon", "spider", PAIR_CALLBACKS_ONLY},

    {"entity_killer", nullptr, PAIR_CONTACT},
    {"entity_killer", "entity_killer", PAIR_CALLBACKS_ONLY},
    {"entity_killer", "spider", PAIR_CALLBACKS_ONLY},
    {"entity_killer", "ammo", PAIR_CALLBACKS_ONLY},

    {"collectable_bouncer", nullptr, PAIR_CONTACT},
    {"ammo", "collectable_bouncer", PAIR_CONTACT},

    {"feature_carrier", nullptr, PAIR_NO_CONTACT},
    {"feature_carrier", "feature_carrier", PAIR_NO_CONTACT},
    {"solid_geometry", "feature_carrier", PAIR_NO_CONTACT},

    {"hidden_solid_geometry", nullptr, PAIR_CONTACT},
    {"hidden_solid_geometry", "default", PAIR_CONTACT},
    {"hidden_solid_geometry", "hidden_solid_geometry", PAIR_NO_CONTACT},
    {"hidden_solid_geometry", "ammo", PAIR_NO_CONTACT},
    {"hidden_solid_geometry", "feature_carrier", PAIR_NO_CONTACT},
    {"hidden_solid_geometry", "potato_cannon", PAIR_NO_CONTACT},
};

void ConfigureWorld(xConfigurator& configurator)
{
    // Pixels per update squared.
    configurator.mGravity = Vec2(0.0f, 0.05f);
    configurator.mFlagA = false;
    configurator.mFlagB = false;
    configurator.mShowSleeping = false;
    configurator.mFlagC = false;
    configurator.mParamA = 0.01822f;
    configurator.mParamB = 0.01822f;
    configurator.mParamC = 0.9986f;
}

void RegisterCategories(xCategoryDispatcher& categories)
{
    // The dispatcher reports a refused category or pair with its own message.
    for (const CategoryRow& row : kCategoryRows) {
        if (row.mSecond == nullptr)
            categories.createCategory(row.mFirst, row.mValue);
        else
            categories.registerCategoryPair(row.mFirst, row.mSecond, row.mValue);
    }
}

} // namespace

void SetUpPhysicsWorld()
{
    ConfigureWorld(xConfigurator::Instance());
    RegisterCategories(xCategoryDispatcher::Instance());
    xMaterialDispatcher::Instance().createMaterial("rubber", 1500.0f, 0.688f, 0.9f, 0.5f, 0.5f);
}
