#pragma once
// The mini-game's cannon: it fires fish at the spiders (sliding along the bottom) or into
// the bears' mouths (turning on its wheel). The screen moves or turns it through
// setAbsPlacement and reads where it is through GetBodyPlacement.

#include "game/AnimatedWidget.h"
#include "game/physics/SharkEntity.h"
#include "platform/physics/Entity.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>
#include <string>

class MiniGameOwner;

namespace Zest {
class Image;
} // namespace Zest

// How a cannon moves and fires.
enum CannonMode : int32_t {
    // Slides along the bottom and fires straight up.
    CANNON_SLIDING = 0,
    // Turns on its wheel and fires along its barrel.
    CANNON_TURNING = 1,
};

class CannonEntityDesc : public XtremaPHX2D::xEntityDesc {
public:
    XtremaPHX2D::xEntity* newEntity() const override;

    std::string mCategoryName = "default";
    // The cannon's centre.
    XtremaPHX2D::Vec2 mPosition;
    // Not owned. The cannon (sliding) or its barrel (turning); the cannon's box is sized
    // from it, and without it the cannon gets no shape.
    Zest::Image* mCannonImage = nullptr;
    // Not owned.
    Zest::Image* mAmmoImage = nullptr;
    // Impulse of a sliding cannon's shot.
    float mThrust = 0.0f;
    // Pixels per update.
    float mShotSpeed = 0.0f;
    int32_t mMode = CANNON_SLIDING;
};

class CannonEntity : public xSharkEntity {
public:
    CannonEntity();
    // Deletes the cannon's shape.
    ~CannonEntity() override;

    void Update() override;
    // Asks for the overlay pass at priority 101.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;
    // Makes one shot from where the cannon is and hands it to the owner.
    virtual void Fire();

    // The turning cannon rejects every contact; a hanging spider touching the sliding one
    // ends the game.
    bool onCollision(XtremaPHX2D::xShape* own, XtremaPHX2D::xShape* other, const XtremaPHX2D::Vec2& point,
                     float depth, const XtremaPHX2D::Vec2& normal) override;
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;
    // Moves the cannon's shape, when there is one.
    void setAbsPlacement(const XtremaPHX2D::Vec3& placement) override;
    // Where the cannon's shape is; (0, 0, 0) without one.
    XtremaPHX2D::Vec3 GetBodyPlacement() const;

    // Not owned; set by the mini-game right after creation.
    MiniGameOwner* mOwner = nullptr;
    int32_t mMode = CANNON_SLIDING;
    // Set by the mini-game once the field is ready.
    bool mActive = false;
    // Not owned.
    Zest::Image* mCannonImage = nullptr;
    Zest::Image* mAmmoImage = nullptr;
    float mShotSpeed = 0.0f;
    float mThrust = 0.0f;
    // Owned: the cannon's static box (the base's body and shape stay null).
    XtremaPHX2D::xShape* mOwnShape = nullptr;
    // The muzzle flash.
    AnimatedWidget mEffect;
    XtremaPHX2D::Vec2 mEffectPos;
};
