#include "game/physics/entities/CannonEntity.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/physics/EntityShape.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/entities/EntityEffect.h"
#include "game/physics/entities/MiniGameOwner.h"
#include "game/physics/entities/SpiderEntity.h"
#include "platform/physics/Body.h"
#include "platform/physics/Categories.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"
#include "platform/physics/XtremaPhysics.h"

#include <cmath>
#include <new>

using namespace XtremaPHX2D;

namespace {

constexpr int32_t kOverlayPriority = 101;
constexpr float kShotMass = 80.0f;
constexpr float kShotRadius = 8.0f;
// The turning cannon's shot leaves the barrel this far from the wheel's centre, which sits
// this far below the cannon's placement.
constexpr float kMuzzleDistance = 30.0f;
constexpr float kWheelDrop = 18.0f;
// Radians per update a turning cannon's shot spins at.
constexpr float kShotSpin = 20.0f;
// The point of the barrel picture it turns about.
constexpr float kBarrelPivotX = 18.0f;
constexpr float kBarrelPivotY = 23.0f;
// The barrel points this many degrees above the horizontal at placement angle 0.
constexpr float kRestAimDegrees = 80.0f;
const Zest::Color kFlashTint(100, 100, 100, 255);

// A shot as both kinds of cannon fire it, at the given placement.
xPhysicsPrimitiveEntityDesc ShotDesc(Zest::Image* const image, const Vec3& placement)
{
    xPhysicsPrimitiveEntityDesc desc;
    desc.mMass = kShotMass;
    desc.mImage = image;
    desc.mDynamic = true;
    desc.mBodyType = BODY_3DOF;
    desc.mPrimitiveType = PRIMITIVE_CIRCLE;
    desc.mCategoryName = "ammo";
    desc.mMaterialName = "wood_hard";
    desc.mSize = Vec2(kShotRadius, 0.0f);
    desc.mPlacement = placement;
    return desc;
}

// The wheel's pictures belong to the game's resources, which may not be loaded.
void DrawWheelPart(Zest::Graphics* const g, Zest::Image* const image, const Vec3& p)
{
    if (image != nullptr)
        g->DrawImageAtFloat(image, p.x, p.y);
}

} // namespace

xEntity* CannonEntityDesc::newEntity() const
{
    return new (std::nothrow) CannonEntity();
}

CannonEntity::CannonEntity()
{
    SetUpEntityEffect(mEffect);
    // The flash points up; it does not spin, only Fire turns it.
    mEffect.mAngle = DegToRad(90.0f);
    mEffect.SetSpinSpeed(0.0f);
}

CannonEntity::~CannonEntity()
{
    delete mOwnShape;
    mOwnShape = nullptr;
}

void CannonEntity::buildPhysics(xEntityDesc* const desc)
{
    const auto* const cannonDesc = dynamic_cast<const CannonEntityDesc*>(desc);
    if (cannonDesc == nullptr)
        return;
    const CannonEntityDesc& d = *cannonDesc;
    ZEST_ASSERT(mOwnShape == nullptr);
    // The cannon's box is sized from its picture; a picture that did not load leaves a
    // cannon without a shape, which stays at (0, 0) and does not move.
    if (d.mCannonImage == nullptr)
        return;

    mOwnShape = MakeEntityShape(new xPrimitiveBox(static_cast<float>(d.mCannonImage->GetWidth()) / 2.0f,
                                                  static_cast<float>(d.mCannonImage->GetHeight())),
                                "wood_hard", this);
    mOwnShape->setAbsPlacement(Vec3(d.mPosition, 0.0f));
    mOwnShape->setCollisionCategory(d.mCategoryName);

    mCannonImage = d.mCannonImage;
    mAmmoImage = d.mAmmoImage;
    mShotSpeed = d.mShotSpeed;
    mThrust = d.mThrust;
    mMode = d.mMode;
}

bool CannonEntity::onCollision(xShape*, xShape* const other, const Vec2&, float, const Vec2&)
{
    if (mMode == CANNON_TURNING)
        return false;
    if (other == nullptr)
        return true;
    // A spider whose thread is cut falls past the cannon harmlessly.
    const auto* const spider = dynamic_cast<const SpiderEntity*>(ToGameEntity(other->getOwner()));
    if (spider != nullptr && spider->mThread == nullptr)
        return true;
    const xCollisionCategory* const category = other->getCollisionCategory();
    if (category != nullptr && category->categoryID() == "spider" && mOwner != nullptr) {
        mOwner->EndGame();
        mOwner->ClearCompleted();
        mOwner->PlaySoundEffect(SOUND_DECOLLECTED_TILE);
    }
    return true;
}

void CannonEntity::setAbsPlacement(const Vec3& placement)
{
    if (mOwnShape != nullptr)
        mOwnShape->setAbsPlacement(placement);
}

Vec3 CannonEntity::GetBodyPlacement() const
{
    return mOwnShape != nullptr ? mOwnShape->absPlacement() : Vec3(0.0f, 0.0f, 0.0f);
}

void CannonEntity::Fire()
{
    // The shot goes into the owner's lists; without an owner it would be nobody's.
    if (mOwner == nullptr)
        return;
    const Vec3 p = GetBodyPlacement();
    xPhysicsPrimitiveEntityDesc desc = ShotDesc(mAmmoImage, p);

    if (mMode == CANNON_SLIDING) {
        auto* const shot = dynamic_cast<xPhysicsPrimitiveEntity*>(ToGameEntity(g_ptrSDK->createEntity(desc)));
        if (shot != nullptr) {
            shot->Move(0, 0);
            mOwner->OnShotFired(shot);
            if (xBody* const body = shot->GetBody(); body != nullptr) {
                body->applyImpulse(Vec2(0.0f, -mThrust));
                body->setLinearVelocity(Vec2(0.0f, -mShotSpeed));
            }
        }
        mEffectPos = Vec2(p.x, p.y - 30.0f);
        RestartEntityEffect(mEffect, kFlashTint);
        mEffect.mAngle = DegToRad(90.0f);
    } else if (mMode == CANNON_TURNING) {
        // The aim above the horizontal; the screen turns the cannon clockwise to lower it.
        const float a = xtrDegToRad(kRestAimDegrees) - p.angle;
        const Vec2 dir(std::cos(a), -std::sin(a));
        desc.mPlacement = Vec3(p.x, p.y + kWheelDrop, p.angle) +
                          Vec3(dir * kMuzzleDistance, xtrDegToRad(180.0f) + a);
        auto* const shot = dynamic_cast<xPhysicsPrimitiveEntity*>(ToGameEntity(g_ptrSDK->createEntity(desc)));
        if (shot != nullptr) {
            shot->Move(0, 0);
            mOwner->OnShotFired(shot);
            if (xBody* const body = shot->GetBody(); body != nullptr) {
                body->setLinearVelocity(dir * mShotSpeed);
                body->setAngularVelocity(kShotSpin);
            }
        }
        RestartEntityEffect(mEffect, kFlashTint);
        mEffect.mAngle = DegToRad(xtrRadToDeg(a));
        mEffectPos = Vec2(p.x + 18.0f + 40.0f * std::cos(a), p.y + 20.0f - 40.0f * std::sin(a));
    }
    mOwner->PlaySoundEffect(SOUND_CANNON_FIRE);
}

void CannonEntity::Update()
{
    AdvanceEntityEffect(mEffect);
}

void CannonEntity::Draw(Zest::Graphics*)
{
    DeferOverlay(kOverlayPriority);
}

void CannonEntity::DrawOverlay(Zest::Graphics* const g)
{
    if (mCannonImage == nullptr)
        return;
    const Vec3 p = GetBodyPlacement();
    switch (mMode) {
    case CANNON_SLIDING:
        g->SetColor(Zest::Color::White);
        g->DrawImageAtFloat(mCannonImage, p.x - static_cast<float>(mCannonImage->GetWidth() / 2),
                            p.y - static_cast<float>(mCannonImage->GetHeight() / 2));
        g->SetColorizeImages(true);
        DrawEntityEffect(g, mEffect, mEffectPos);
        break;
    case CANNON_TURNING:
        g->SetColor(Zest::Color::White);
        DrawWheelPart(g, IMAGE_MINI_GAME_WHEEL_BACK, p);
        g->SetColor(Zest::Color::White);
        g->DrawImageRotatedAbout(mCannonImage, p.x, p.y, xtrDegToRad(kRestAimDegrees) - p.angle, kBarrelPivotX,
                                 kBarrelPivotY);
        g->SetColor(Zest::Color::White);
        DrawWheelPart(g, IMAGE_MINI_GAME_WHEEL_FRONT, p);
        DrawEntityEffect(g, mEffect, mEffectPos);
        break;
    default:
        break;
    }
}
