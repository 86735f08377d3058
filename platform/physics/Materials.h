#pragma once
// Materials: what a shape is made of, by name. The library makes "default" and "wood_hard".

#include <map>
#include <memory>
#include <string>

namespace XtremaPHX2D {

struct xMaterial {
    std::string mName;
    // Mass per square pixel; it weighs only in a body whose description gives no mass.
    float mDensity = 0.0f;
    // Share of the meeting speed two shapes keep as they bounce apart, 0 to 1.
    float mRestitution = 0.0f;
    // Coulomb friction: the largest sliding force as a share of the pressing force.
    float mFriction = 0.0f;
    // When two materials meet, the contact's restitution is
    // (ra·wa + rb·wb) / (wa + wb) with these weights w, the plain mean when both are 0; the
    // same for friction with the friction weights.
    float mRestitutionWeight = 0.5f;
    float mFrictionWeight = 0.5f;
};

class xMaterialDispatcher {
public:
    xMaterialDispatcher();

    // The dispatcher of the world in g_ptrSDK; there must be one.
    static xMaterialDispatcher& Instance();

    // Registers a material; a name already known keeps its first values and is returned.
    xMaterial* createMaterial(const std::string& name, float density, float restitution, float friction,
                              float restitutionWeight, float frictionWeight);
    // Null for a name never registered.
    xMaterial* obtainMaterialByName(const std::string& name) const;
    xMaterial* defaultMaterial() const { return mDefault; }

private:
    std::map<std::string, std::unique_ptr<xMaterial>> mMaterials;
    xMaterial* mDefault = nullptr;
};

// The contact values of two materials meeting.
float MixedRestitution(const xMaterial& a, const xMaterial& b);
float MixedFriction(const xMaterial& a, const xMaterial& b);

} // namespace XtremaPHX2D
