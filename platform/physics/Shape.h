#pragma once
// Shapes: a primitive of some material in a collision category. A shape collides once it
// is activated. It either stands alone (a static shape: it moves only when placed) or
// follows what it is attached to: a body, or a standing-alone shape.

#include "platform/physics/Paragon.h"

#include <memory>
#include <string>

class b2Body;
class b2Fixture;

namespace XtremaPHX2D {

struct World;
struct xMaterial;
class xBody;
class xCollisionCategory;
class xPrimitive;

class xShape : public xParagon {
public:
    ~xShape() override;

    void activate() override;
    // Where the shape is: where what it follows is, and its relative placement from there.
    Vec3 absPlacement() const override;
    // Moves the shape there, carrying along what it follows (a body or a standing shape).
    void setAbsPlacement(const Vec3& placement) override;

    // The shape's geometry; null when the description had no envelope.
    xPrimitive* primitive() const { return mPrimitive.get(); }
    // Null once the world is gone.
    xMaterial* material() const { return mMaterial; }

    // The body the shape belongs to: the one given to setBody, else the body it is attached
    // to. Null for a shape that no body carries.
    xBody* getMainBody() const;
    void setBody(xBody* body) { mMainBody = body; }

    // Makes the shape follow a body or a standing-alone shape, at their placement until
    // setRelPlacement says otherwise. Both must be activated.
    void attachTo(xBody* body);
    void attachTo(xShape* root);
    // The placement relative to what the shape follows.
    void setRelPlacement(const Vec3& placement);

    // Starts in "default"; an unknown name makes a category of that name.
    void setCollisionCategory(const std::string& name);
    // Null once the world is gone.
    xCollisionCategory* getCollisionCategory() const { return mCategory; }

    // The box the shape covers in the world; a point at its placement without geometry.
    Box2 bounds() const;

private:
    friend class xPrimitiveShapeDesc;
    friend class xPrimitive;
    friend class xBody;
    friend struct World;

    xShape(std::unique_ptr<xPrimitive> primitive, xMaterial* material);

    // Puts the primitive on the host body at mHostPlacement, replacing an earlier fixture.
    void rebuildFixture();
    void moveToHost(b2Body* host, const Vec3& hostPlacement);
    // The body the shape followed is gone, or the engine destroyed the fixture with its body.
    void forgetBody(const xBody* body);
    void forgetFixture();
    void forgetEngine();

    World* mWorld = nullptr;
    std::unique_ptr<xPrimitive> mPrimitive;
    xMaterial* mMaterial;
    xCollisionCategory* mCategory = nullptr;
    xBody* mMainBody = nullptr;
    // What the shape follows; at most one of the two.
    xBody* mParentBody = nullptr;
    xShape* mParentShape = nullptr;
    // The shape's own static body while it stands alone; never shown as a body.
    b2Body* mOwnHost = nullptr;
    // The engine body that carries the fixture, and the shape's placement on it.
    b2Body* mHost = nullptr;
    Vec3 mHostPlacement;
    b2Fixture* mFixture = nullptr;
    // The placement before activation.
    Vec3 mPlacement;
};

class xPrimitiveShapeDesc {
public:
    xPrimitiveShapeDesc() = default;
    ~xPrimitiveShapeDesc();
    xPrimitiveShapeDesc(const xPrimitiveShapeDesc&) = delete;
    xPrimitiveShapeDesc& operator=(const xPrimitiveShapeDesc&) = delete;

    // The geometry; the shape made next takes it over.
    void setEnvelope(xPrimitive* primitive);
    // Null means the library's default material.
    void setMaterial(xMaterial* material) { mMaterial = material; }
    xShape* createShape();

private:
    std::unique_ptr<xPrimitive> mEnvelope;
    xMaterial* mMaterial = nullptr;
};

} // namespace XtremaPHX2D
