#pragma once
// A bear that walks to and fro along the bottom of the mini-game's field and now and then
// stands with its mouth open; a fish shot into the open mouth is eaten. It has no body: it
// is moved by placing its base box, which its mouth and torso circles follow.

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

class BearEntityDesc : public XtremaPHX2D::xEntityDesc {
public:
    BearEntityDesc();

    XtremaPHX2D::xEntity* newEntity() const override;

    // The category of all three shapes.
    std::string mCategoryName = "default";
    // The base box's centre.
    XtremaPHX2D::Vec2 mPosition;
    // Not owned.
    Zest::Image* mClosedImage = nullptr;
    Zest::Image* mOpenImage = nullptr;
    // Pixels per update while walking.
    float mSpeed = 0.0f;
    // Updates of walking before the mouth opens: 300..1299.
    int32_t mWalkTime;
    // Updates with the mouth open: 200..399.
    int32_t mEatTime;
    // The builder sets it.
    int32_t mOverlayPriority = 0;
};

// The phases of a bear.
enum BearPhase : int32_t {
    BEAR_WALKING = 0,
    BEAR_EATING = 1,
};

class BearEntity : public xSharkEntity {
public:
    BearEntity();
    // Deletes the mouth, torso and base shapes.
    ~BearEntity() override;

    void Update() override;
    // Asks for the overlay pass at mOverlayPriority.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // An open mouth eats a shot ("ammo") that touches it; any other contact stands.
    bool onCollision(XtremaPHX2D::xShape* own, XtremaPHX2D::xShape* other, const XtremaPHX2D::Vec2& point,
                     float depth, const XtremaPHX2D::Vec2& normal) override;
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;
    // Moves the base box (and with it the mouth and torso), when there is one.
    void setAbsPlacement(const XtremaPHX2D::Vec3& placement) override;
    // Puts the mouth into the category "default".
    void SetMouthCategoryDefault();

    // Not owned; set by the mini-game right after creation.
    MiniGameOwner* mOwner = nullptr;
    // Updates since the phase began.
    int32_t mCounter = 0;
    // 1 while the mouth is open.
    int32_t mMouthOpen = 0;
    int32_t mPhase = BEAR_WALKING;
    // Not owned.
    Zest::Image* mClosedImage = nullptr;
    Zest::Image* mOpenImage = nullptr;
    // Owned: a circle of radius 25.
    XtremaPHX2D::xShape* mMouthShape = nullptr;
    // Owned: a circle of radius 35.
    XtremaPHX2D::xShape* mTorsoShape = nullptr;
    // Owned: a box 164 x 42; carries the bear's placement.
    XtremaPHX2D::xShape* mBaseShape = nullptr;
    float mSpeed = 0.0f;
    // Drawn anew after each meal.
    int32_t mWalkTime = 0;
    int32_t mEatTime = 0;
    int32_t mOverlayPriority = 0;
    bool mMovingLeft = true;
    // The eating effect.
    AnimatedWidget mEffect;
    XtremaPHX2D::Vec2 mEffectPos;
};
