#pragma once
// The carrier of a stage event: a golden creature that swings in on a long thread from high
// above one side of the board, crosses it like a pendulum and drops a lock (a spider web,
// bananas) onto its target tile. Its body hangs from a fixed anchor by a ball-socket joint;
// it is drawn with its thread, its shadow on the board and pictures that grow towards the
// ends of the swing, as if they came close to the viewer.
//
// The carrier only holds its tile: its owner (the session that sent it) says where the tile
// is and whether it is free, drops the lock on it and takes the carrier away when it is
// done. A carrier without an owner swings but does nothing else.

#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>
#include <memory>

class BoardTile;
class FeatureCarrierOwner;

namespace XtremaPHX2D {
class xConstraintSet;
} // namespace XtremaPHX2D

// The side of the board a carrier comes in from.
enum CarrierSide : int32_t {
    SIDE_LEFT = 0,
    SIDE_RIGHT = 1,
};

class FeatureCarrierDesc : public xPhysicsPrimitiveEntityDesc {
public:
    // A new FeatureCarrier; null when memory runs out.
    XtremaPHX2D::xEntity* newEntity() const override;

    // World point the carrier hangs from.
    XtremaPHX2D::Vec2 mAnchor;
    // Growth of the pictures at the ends of the swing: drawn (1 + mScale) times their size
    // while the thread is horizontal.
    float mScale = 1.0f;
    // Not owned; resources of the game. The lock picture is what the tile receives.
    Zest::Image* mCarrierImage = nullptr;
    Zest::Image* mShadowImage = nullptr;
    Zest::Image* mLockImage = nullptr;
    // Not owned: a tile of the owner's board.
    BoardTile* mTargetTile = nullptr;
    // The stage event's kind (StageEventKind).
    int32_t mKind = -1;
    // A CarrierSide.
    int32_t mSide = SIDE_LEFT;
};

class FeatureCarrier : public xPhysicsPrimitiveEntity {
public:
    // The lock drops once the carrier is nearer than this to the tile's centre in x (pixels).
    static constexpr float kDropDistance = 20.0f;
    // After the drop the carrier swings on for more than this many updates.
    static constexpr int32_t kLingerUpdates = 20;
    // A carrier that never dropped its lock gives up after more than this many updates.
    static constexpr int32_t kSwingUpdates = 360;
    // The screen's x past which the carrier has crossed the board and fades out (pixels).
    static constexpr float kFadeLineX = 515.0f;

    FeatureCarrier() = default;
    // The joint first, then the body and the shape.
    ~FeatureCarrier() override;

    // The primitive entity of the description, hung from its anchor and pushed into its
    // swing; a description of another class builds only what the primitive entity builds.
    void buildPhysics(XtremaPHX2D::xEntityDesc* desc) override;

    // One fixed update of the delivery: the drawing scale, the drop on the target tile and
    // the end (owner's OnCarrierDone) once the carrier lingered after the drop or gave up.
    void Update() override;
    void Draw(Zest::Graphics* g) override;
    // The thread with its shadow, the carrier's shadow on the board and the carrier, faded
    // in on the way in and out once it has crossed the board; the fade steps once per draw.
    void DrawOverlay(Zest::Graphics* g) override;

    void SetOwner(FeatureCarrierOwner* const owner) { mOwner = owner; }
    BoardTile* GetTargetTile() const { return mTargetTile; }
    int32_t GetKind() const { return mKind; }
    int32_t GetSide() const { return mSide; }
    // Updates since the carrier was made.
    int32_t GetCounter() const { return mCounter; }
    // The update the lock dropped on; -1 until then.
    int32_t GetDropTime() const { return mDropTime; }
    bool IsDone() const { return mDone; }
    // Opacity 0..255 of the thread, the shadow and the carrier.
    int32_t GetAlpha() const { return mAlpha; }
    float GetDrawScale() const { return mDrawScale; }

private:
    void Finish();

    // Not owned: the session that sent the carrier.
    FeatureCarrierOwner* mOwner = nullptr;
    float mScale = 1.0f;
    float mDrawScale = 1.0f;
    int32_t mCounter = 0;
    std::unique_ptr<XtremaPHX2D::xConstraintSet> mJoint;
    Zest::Image* mCarrierImage = nullptr;
    Zest::Image* mShadowImage = nullptr;
    Zest::Image* mLockImage = nullptr;
    BoardTile* mTargetTile = nullptr;
    int32_t mKind = -1;
    int32_t mSide = SIDE_LEFT;
    int32_t mAlpha = 0;
    bool mDone = false;
    int32_t mDropTime = -1;
};
