#pragma once
// The shape every entity makes the same way: a primitive in a material, owned by the entity
// (so that contacts reach its onCollision) and active in the world.

#include <string>

namespace XtremaPHX2D {
class xEntity;
class xPrimitive;
class xShape;
} // namespace XtremaPHX2D

// The shape takes the primitive over. A material name the world does not know takes the
// world's default material.
XtremaPHX2D::xShape* MakeEntityShape(XtremaPHX2D::xPrimitive* primitive, const std::string& materialName,
                                     XtremaPHX2D::xEntity* owner);
