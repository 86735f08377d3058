#pragma once
// The base of the game's physical objects: a widget the game updates and draws, which the
// physics library knows as an entity. The widget part comes first, so the game holds these
// objects as widgets; the library hands back the entity part (to onCollision, as a shape's
// owner), which ToGameEntity turns into the game object again.
//
// The base keeps the entity's image, body and shape but makes and deletes none of them:
// the classes that build physics own what they build.

#include "framework/widgets/Widget.h"
#include "platform/physics/Entity.h"
#include "platform/physics/XtremaMath.h"

namespace Zest {
class Image;
} // namespace Zest

namespace XtremaPHX2D {
class xBody;
class xShape;
} // namespace XtremaPHX2D

class xSharkEntity : public Zest::Widget, public XtremaPHX2D::xEntity {
public:
    xSharkEntity() = default;
    ~xSharkEntity() override = default;

    // The widget side: nothing moves on its own, the world moves the body.
    void Update() override;

    bool onCollision(XtremaPHX2D::xShape* own, XtremaPHX2D::xShape* other, const XtremaPHX2D::Vec2& point,
                     float depth, const XtremaPHX2D::Vec2& normal) override;
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;
    // Where the body is, else where the shape is, else the library's answer for an entity
    // with neither.
    XtremaPHX2D::Vec3 absPlacement() const override;
    // Moves the body, else the shape; an entity with neither has nothing to move.
    void setAbsPlacement(const XtremaPHX2D::Vec3& placement) override;

    void SetBody(XtremaPHX2D::xBody* body) { mBody = body; }
    XtremaPHX2D::xBody* GetBody() const { return mBody; }
    XtremaPHX2D::xShape* GetShape() const { return mShape; }

protected:
    // Not owned: a resource of the game.
    Zest::Image* mImage = nullptr;
    XtremaPHX2D::xBody* mBody = nullptr;
    XtremaPHX2D::xShape* mShape = nullptr;
    // Where the description placed the entity.
    XtremaPHX2D::Vec3 mPlacement;
};

// The game object behind an entity the library hands out; null for null and for an entity
// that is not one of the game's. The other way is the implicit upcast.
xSharkEntity* ToGameEntity(XtremaPHX2D::xEntity* entity);
