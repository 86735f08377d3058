#include "game/physics/entities/FeatureCarrier.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Matrix3.h"
#include "game/physics/entities/FeatureCarrierOwner.h"
#include "platform/physics/Body.h"
#include "platform/physics/Joints.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

using namespace XtremaPHX2D;

namespace {

// Above the other entities and the board's overlays.
constexpr int32_t kOverlayPriority = 200;
// The push that starts the swing: a force in mass times pixels per update squared and a
// speed in pixels per update, both straight down.
const Vec2 kStartPush(0.0f, 5.0f);
constexpr int32_t kOpaque = 255;
// Opacity gained per draw on the way in, lost per draw once the board is crossed.
constexpr int32_t kFadeInStep = 15;
constexpr int32_t kFadeOutStep = 5;
// The thread: a bright strand with a darker one beside it.
constexpr int kThreadRed = 255, kThreadGreen = 230, kThreadBlue = 64;
constexpr int kThreadShadeRed = 128, kThreadShadeGreen = 115, kThreadShadeBlue = 32;

void DrawLine(Zest::Graphics* const g, const Vec2& from, const Vec2& to)
{
    g->DrawLineAA(static_cast<int>(from.x), static_cast<int>(from.y), static_cast<int>(to.x), static_cast<int>(to.y));
}

} // namespace

XtremaPHX2D::xEntity* FeatureCarrierDesc::newEntity() const
{
    // The library reports a description that made nothing; it has no use for an exception.
    return new (std::nothrow) FeatureCarrier();
}

FeatureCarrier::~FeatureCarrier()
{
    // The joint holds the body, which the base deletes.
    mJoint.reset();
}

void FeatureCarrier::buildPhysics(xEntityDesc* const desc)
{
    xPhysicsPrimitiveEntity::buildPhysics(desc);
    const auto* const carrierDesc = dynamic_cast<const FeatureCarrierDesc*>(desc);
    if (carrierDesc == nullptr)
        return;
    const FeatureCarrierDesc& d = *carrierDesc;
    // A carrier is a swinging body; a static description has nothing to hang.
    ZEST_ASSERT(mBody != nullptr);

    xBallSocketDesc joint;
    joint.mSrcBody = mBody;
    joint.mDstBody = nullptr;
    joint.mOwner = this;
    joint.mPlacement = Vec3(d.mAnchor, 0.0f);
    joint.mLimit = 1e38f;
    mJoint.reset(joint.createJoint());
    mBody->applyForce(kStartPush);
    mBody->setLinearVelocity(kStartPush);

    mScale = d.mScale;
    mDrawScale = d.mScale;
    mCarrierImage = d.mCarrierImage;
    mShadowImage = d.mShadowImage;
    mLockImage = d.mLockImage;
    mTargetTile = d.mTargetTile;
    mKind = d.mKind;
    mSide = d.mSide;
}

void FeatureCarrier::Update()
{
    if (mDone)
        return;
    ++mCounter;
    if (mBody == nullptr)
        return;
    const Vec3 placement = mBody->absPlacement();
    // 1 while the thread hangs straight down, 1 + mScale while it is horizontal.
    mDrawScale = 1.0f + (1.0f - std::sin(xtrDegToRad(90.0f) + placement.angle)) * mScale;
    if (mOwner == nullptr)
        return;

    if (mTargetTile != nullptr) {
        const Vec2 centre = mOwner->GetTileCenter(mTargetTile);
        if (std::fabs(placement.x - centre.x) < kDropDistance && !mOwner->IsTileLocked(mTargetTile)) {
            mOwner->DropLockOn(mTargetTile, mLockImage);
            mDropTime = mCounter;
        } else if (mDropTime > 0 && std::abs(mCounter - mDropTime) > kLingerUpdates) {
            Finish();
        }
    }
    if (!mDone && mDropTime < 0 && mCounter > kSwingUpdates)
        Finish();
}

void FeatureCarrier::Finish()
{
    mDone = true;
    // The owner takes the carrier away after the current pass: it must not go from here.
    mOwner->OnCarrierDone(this);
}

void FeatureCarrier::Draw(Zest::Graphics*)
{
    DeferOverlay(kOverlayPriority);
}

void FeatureCarrier::DrawOverlay(Zest::Graphics* const g)
{
    // The shadows fall on the target tile's row; without the owner there is no tile to ask.
    if (mOwner == nullptr || mTargetTile == nullptr)
        return;
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    const Vec3 placement = absPlacement();
    const float groundY = mOwner->GetTileCenter(mTargetTile).y;

    if (mJoint != nullptr && mBody != nullptr) {
        const Vec3 bodyPlacement = mBody->absPlacement();
        const Vec2 body(bodyPlacement.x, bodyPlacement.y);
        const Vec3 anchorPlacement = mJoint->placementInDst();
        const Vec2 anchor(anchorPlacement.x, anchorPlacement.y);
        const bool crossed = mSide == SIDE_LEFT ? body.x > kFadeLineX : body.x < kFadeLineX;
        mAlpha = crossed ? std::max(mAlpha - kFadeOutStep, 0) : std::min(mAlpha + kFadeInStep, kOpaque);

        g->SetColor(Zest::Color(0, 0, 0, mAlpha >> 1));
        DrawLine(g, Vec2(placement.x, groundY), anchor);
        g->SetColor(Zest::Color(kThreadRed, kThreadGreen, kThreadBlue, mAlpha));
        DrawLine(g, body - Vec2(1.0f, 0.0f), anchor - Vec2(1.0f, 0.0f));
        g->SetColor(Zest::Color(kThreadShadeRed, kThreadShadeGreen, kThreadShadeBlue, mAlpha));
        DrawLine(g, body, anchor);
    }

    Zest::Transform transform;
    // The library turns clockwise on the screen, the drawing context counter-clockwise.
    transform.RotateRad(-placement.angle);
    transform.Scale(mDrawScale, mDrawScale);
    if (mShadowImage != nullptr) {
        g->SetLinearBlend(true);
        g->SetColorizeImages(true);
        g->SetColor(Zest::Color::Black.WithAlpha(mAlpha >> 1));
        g->DrawImageTransform(mShadowImage, transform, placement.x, groundY);
    }
    if (mCarrierImage != nullptr) {
        g->SetLinearBlend(true);
        g->SetColorizeImages(true);
        g->SetColor(Zest::Color(kOpaque, kOpaque, kOpaque, mAlpha));
        g->DrawImageTransform(mCarrierImage, transform, placement.x, placement.y);
    }
}
