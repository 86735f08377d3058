#pragma once
// A physical object of one primitive (see xPhysicsPrimitiveEntityDesc): it owns its shape
// and body, sends touching bodies away at its bounce speed, and draws its image, or its
// outline, in the widget manager's overlay pass.

#include "game/physics/SharkEntity.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>
#include <vector>

namespace Zest {
class Graphics;
} // namespace Zest

class xPhysicsPrimitiveEntity : public xSharkEntity {
public:
    xPhysicsPrimitiveEntity() = default;
    // Deletes the body, then the shape.
    ~xPhysicsPrimitiveEntity() override;

    // Builds from an xPhysicsPrimitiveEntityDesc; a description of another class builds
    // nothing.
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;
    // Sends the other shape's body away along the normal at the bounce speed.
    bool onCollision(XtremaPHX2D::xShape* own, XtremaPHX2D::xShape* other, const XtremaPHX2D::Vec2& point,
                     float depth, const XtremaPHX2D::Vec2& normal) override;

    void Update() override;
    // Asks for the overlay pass, where DrawOverlay draws the entity over the other widgets.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

protected:
    // Points relative to the placement, joined in order and closed: a decagon with ten
    // spokes for a circle, the corners of a box, the two ends of a line segment.
    std::vector<XtremaPHX2D::Vec2> mOutline;
    float mBounceSpeed = -1.0f;
    bool mDrawOutline = true;
    int32_t mOverlayPriority = 100;

private:
    void DrawImage(Zest::Graphics* g, const XtremaPHX2D::Vec3& placement, const XtremaPHX2D::Vec2& halfSize) const;
    void DrawOutline(Zest::Graphics* g, const XtremaPHX2D::Mtx23& frame) const;
};
