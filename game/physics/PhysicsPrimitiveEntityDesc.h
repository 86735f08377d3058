#pragma once
// The description of a simple physical object: one circle, box or line segment, standing
// still or carried by a body, drawn as an image or as its outline. The physics library
// makes the entity from it (XtremaPhysicsSDK::createEntity) and hands the description to
// its buildPhysics.

#include "platform/physics/Entity.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>
#include <string>

namespace Zest {
class Image;
} // namespace Zest

// The body a dynamic description asks for.
enum PrimitiveBodyType : int32_t {
    // Moves and turns.
    BODY_3DOF = 0,
    // Moves without turning.
    BODY_2DOF = 1,
};

class xPhysicsPrimitiveEntityDesc : public XtremaPHX2D::xEntityDesc {
public:
    // A new xPhysicsPrimitiveEntity; null when memory runs out.
    XtremaPHX2D::xEntity* newEntity() const override;

    // Carried by a body; otherwise the shape stands still where it is placed.
    bool mDynamic = true;
    // A PrimitiveBodyType; only read for a dynamic description, any other value makes no
    // body and the shape stands still.
    int32_t mBodyType = BODY_3DOF;
    // An XtremaPHX2D::ePrimitveObj; any other value gives a shape without geometry.
    int32_t mPrimitiveType = XtremaPHX2D::PRIMITIVE_CIRCLE;
    float mMass = 1000.0f;
    // How fast the body's spin dies away (xBody::mCoefficient).
    float mBodyCoefficient = 0.2f;
    // A name never registered takes the library's default material.
    std::string mMaterialName;
    // For a dynamic description an empty name keeps the shape in "default"; a static one
    // always takes the name, the empty one included.
    std::string mCategoryName;
    XtremaPHX2D::Vec3 mPlacement;
    // In pixels: a circle's radius in x; a box's width and height.
    XtremaPHX2D::Vec2 mSize;
    // A line segment's ends, relative to the placement.
    XtremaPHX2D::Vec2 mLineStart;
    XtremaPHX2D::Vec2 mLineEnd;
    // Not owned; drawn instead of the outline when set.
    Zest::Image* mImage = nullptr;
    // Pixels per update a touching body is sent away at; 0 or less sends nothing away.
    float mBounceSpeed = -1.0f;
    bool mDrawOutline = true;
    // The widget manager's overlay pass the entity draws in.
    int32_t mOverlayPriority = 100;
};
