#include "platform/physics/Materials.h"

namespace XtremaPHX2D {
namespace {

float WeightedMean(const float a, const float weightA, const float b, const float weightB)
{
    const float weights = weightA + weightB;
    if (!(weights > 0.0f))
        return (a + b) * 0.5f;
    return (a * weightA + b * weightB) / weights;
}

} // namespace

xMaterialDispatcher::xMaterialDispatcher()
{
    mDefault = createMaterial("default", 0.001f, 0.3f, 0.5f, 0.5f, 0.5f);
    createMaterial("wood_hard", 0.0008f, 0.4f, 0.6f, 0.5f, 0.5f);
}

xMaterial* xMaterialDispatcher::createMaterial(const std::string& name, const float density, const float restitution,
                                               const float friction, const float restitutionWeight,
                                               const float frictionWeight)
{
    std::unique_ptr<xMaterial>& slot = mMaterials[name];
    if (slot == nullptr)
        slot.reset(new xMaterial{name, density, restitution, friction, restitutionWeight, frictionWeight});
    return slot.get();
}

xMaterial* xMaterialDispatcher::obtainMaterialByName(const std::string& name) const
{
    const auto found = mMaterials.find(name);
    return found != mMaterials.end() ? found->second.get() : nullptr;
}

float MixedRestitution(const xMaterial& a, const xMaterial& b)
{
    return WeightedMean(a.mRestitution, a.mRestitutionWeight, b.mRestitution, b.mRestitutionWeight);
}

float MixedFriction(const xMaterial& a, const xMaterial& b)
{
    return WeightedMean(a.mFriction, a.mFrictionWeight, b.mFriction, b.mFrictionWeight);
}

} // namespace XtremaPHX2D
