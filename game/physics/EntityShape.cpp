#include "game/physics/EntityShape.h"

#include "framework/app/common/Assert.h"
#include "platform/physics/Materials.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"

using namespace XtremaPHX2D;

xShape* MakeEntityShape(xPrimitive* const primitive, const std::string& materialName, xEntity* const owner)
{
    xPrimitiveShapeDesc desc;
    desc.setEnvelope(primitive);
    xMaterial* material = xMaterialDispatcher::Instance().obtainMaterialByName(materialName);
    if (material == nullptr)
        material = xMaterialDispatcher::Instance().defaultMaterial();
    desc.setMaterial(material);
    xShape* const shape = desc.createShape();
    ZEST_ASSERT(shape != nullptr);
    shape->setOwner(owner);
    shape->activate();
    return shape;
}
