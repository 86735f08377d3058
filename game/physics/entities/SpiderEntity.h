#pragma once
// A spider hanging from a spring thread over the mini-game's field. Now and then it lets
// itself down towards the cannon and climbs back; a shot cuts the thread, and the spider
// falls, shrinking, out of the field. A hanging spider that reaches the sliding cannon ends
// the game.

#include "game/AnimatedWidget.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>

class MiniGameOwner;

namespace XtremaPHX2D {
class xConstraintSet;
} // namespace XtremaPHX2D

class SpiderEntityDesc : public xPhysicsPrimitiveEntityDesc {
public:
    XtremaPHX2D::xEntity* newEntity() const override;

    // World point on the spider where the thread is tied, at creation.
    XtremaPHX2D::Vec2 mAttachPoint;
    // World point the thread hangs from.
    XtremaPHX2D::Vec2 mAnchor;
    float mSpringStiffness = 0.0f;
    float mSpringDamping = 0.0f;
    float mSpringRestLength = 0.0f;
};

// The phases of a spider on its thread.
enum SpiderPhase : int32_t {
    SPIDER_HANGING = 0,
    SPIDER_DESCENDING = 1,
    SPIDER_CLIMBING = 2,
};

class SpiderEntity : public xPhysicsPrimitiveEntity {
public:
    SpiderEntity();
    // Deletes the thread, then the body and shape.
    ~SpiderEntity() override;

    void Update() override;
    // Asks for the overlay pass at priority 100.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // A shot ("ammo") cuts the thread; every contact stands.
    bool onCollision(XtremaPHX2D::xShape* own, XtremaPHX2D::xShape* other, const XtremaPHX2D::Vec2& point,
                     float depth, const XtremaPHX2D::Vec2& normal) override;
    // The circle and its body, then the thread from the desc's attach point to its anchor.
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;

    // Not owned; set by the mini-game right after creation.
    MiniGameOwner* mOwner = nullptr;
    // Drawing scale; shrinks while the spider falls.
    float mScale = 1.0f;
    // The thread length a descent has reached.
    float mThreadLength = 0.0f;
    int32_t mPhase = SPIDER_HANGING;
    // Updates between descents: one of 80, 160, ..., 800.
    int32_t mDropPeriod;
    // Updates counted in the current phase.
    int32_t mCounter = 0;
    // Owned; null once a shot has cut the thread.
    XtremaPHX2D::xConstraintSet* mThread = nullptr;
    // The hit flash.
    AnimatedWidget mEffect;
    XtremaPHX2D::Vec2 mHitPos;
};
