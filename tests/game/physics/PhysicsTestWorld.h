#pragma once
// A physics world for one test, and the entities the test makes in it.

#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/SharkEntity.h"
#include "platform/physics/XtremaPhysics.h"

#include <gtest/gtest.h>

#include <vector>

namespace Tests {

class PhysicsWorldTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(XtremaPHX2D::xtrCreateXtremaSDK(), nullptr); }

    void TearDown() override
    {
        for (XtremaPHX2D::xEntity* const entity : mEntities)
            XtremaPHX2D::g_ptrSDK->destroyEntity(entity);
        mEntities.clear();
        XtremaPHX2D::xtrDestroyXtremaSDK();
    }

    // Made by the world from the description, destroyed with the test. Null when the world
    // made something other than a primitive entity.
    xPhysicsPrimitiveEntity* Make(XtremaPHX2D::xEntityDesc& desc)
    {
        XtremaPHX2D::xEntity* const entity = XtremaPHX2D::g_ptrSDK->createEntity(desc);
        if (entity != nullptr)
            mEntities.push_back(entity);
        return dynamic_cast<xPhysicsPrimitiveEntity*>(ToGameEntity(entity));
    }

    static void Step(const float updates, const int frames)
    {
        for (int frame = 0; frame < frames; ++frame)
            XtremaPHX2D::g_ptrSDK->updateF(updates);
    }

    std::vector<XtremaPHX2D::xEntity*> mEntities;
};

inline xPhysicsPrimitiveEntityDesc PrimitiveDesc(const XtremaPHX2D::ePrimitveObj type, const bool dynamic,
                                                 const XtremaPHX2D::Vec3& placement)
{
    xPhysicsPrimitiveEntityDesc desc;
    desc.mPrimitiveType = type;
    desc.mDynamic = dynamic;
    desc.mPlacement = placement;
    desc.mSize = type == XtremaPHX2D::PRIMITIVE_CIRCLE ? XtremaPHX2D::Vec2(10.0f, 0.0f)
                                                        : XtremaPHX2D::Vec2(40.0f, 20.0f);
    desc.mLineStart = {-10.0f, 0.0f};
    desc.mLineEnd = {10.0f, 0.0f};
    return desc;
}

} // namespace Tests
