#include "game/physics/entities/BearEntity.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/physics/EntityShape.h"
#include "game/physics/entities/EntityEffect.h"
#include "game/physics/entities/MiniGameOwner.h"
#include "platform/physics/Categories.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"

#include <new>
#include <string>

using namespace XtremaPHX2D;

namespace {

constexpr float kMouthRadius = 25.0f;
constexpr float kTorsoRadius = 35.0f;
constexpr float kBaseWidth = 164.0f;
constexpr float kBaseHeight = 42.0f;
constexpr const char* kMaterial = "wood_hard";
// Where the mouth and torso sit on the base box.
const Vec3 kMouthOnBase(-50.0f, -96.0f, 0.0f);
const Vec3 kTorsoOnBase(-18.0f, -42.0f, 0.0f);
// The ends of the walk.
constexpr float kLeftTurn = 320.0f;
constexpr float kRightTurn = 670.0f;
// The picture's top-left corner from the base box's centre.
constexpr float kImageLeft = 106.0f;
constexpr float kImageTop = 128.0f;
const Zest::Color kEatTint(0, 50, 240, 255);

void DeleteShape(xShape*& shape)
{
    delete shape;
    shape = nullptr;
}

} // namespace

BearEntityDesc::BearEntityDesc()
    : mWalkTime(300 + (Zest::Rand() % 10000) / 10), mEatTime(200 + (Zest::Rand() % 2000) / 10)
{
}

xEntity* BearEntityDesc::newEntity() const
{
    return new (std::nothrow) BearEntity();
}

BearEntity::BearEntity()
{
    SetUpEntityEffect(mEffect);
}

BearEntity::~BearEntity()
{
    // The mouth and torso follow the base: they go first.
    DeleteShape(mMouthShape);
    DeleteShape(mTorsoShape);
    DeleteShape(mBaseShape);
}

void BearEntity::buildPhysics(xEntityDesc* const desc)
{
    const auto* const bearDesc = dynamic_cast<const BearEntityDesc*>(desc);
    if (bearDesc == nullptr)
        return;
    const BearEntityDesc& d = *bearDesc;
    ZEST_ASSERT(mBaseShape == nullptr);

    mMouthShape = MakeEntityShape(new xPrimitiveCircle(kMouthRadius), kMaterial, this);
    mMouthShape->setCollisionCategory(d.mCategoryName);
    mTorsoShape = MakeEntityShape(new xPrimitiveCircle(kTorsoRadius), kMaterial, this);
    mTorsoShape->setCollisionCategory(d.mCategoryName);
    mBaseShape = MakeEntityShape(new xPrimitiveBox(kBaseWidth, kBaseHeight), kMaterial, this);
    mBaseShape->setAbsPlacement(Vec3(d.mPosition, 0.0f));
    mBaseShape->setCollisionCategory(d.mCategoryName);

    mMouthShape->attachTo(mBaseShape);
    mMouthShape->setRelPlacement(kMouthOnBase);
    mTorsoShape->attachTo(mBaseShape);
    mTorsoShape->setRelPlacement(kTorsoOnBase);

    mSpeed = d.mSpeed;
    mWalkTime = d.mWalkTime;
    mEatTime = d.mEatTime;
    mClosedImage = d.mClosedImage;
    mOpenImage = d.mOpenImage;
    mOverlayPriority = d.mOverlayPriority;
}

bool BearEntity::onCollision(xShape* const own, xShape* const other, const Vec2& point, float, const Vec2&)
{
    if (mMouthOpen == 0 || own != mMouthShape || other == nullptr || mOwner == nullptr)
        return true;
    const xCollisionCategory* const category = other->getCollisionCategory();
    if (category == nullptr || category->categoryID() != "ammo")
        return true;

    mOwner->AddHitScore(point);
    // Removing inside the step is queued; the owner carries it out after the pass.
    if (xSharkEntity* const shot = ToGameEntity(other->getOwner()); shot != nullptr)
        mOwner->QueueEntityRemoval(shot);
    mOwner->CountFedBear();
    mOwner->PlaySoundEffect(SOUND_FISH_EATEN);
    RestartEntityEffect(mEffect, kEatTint);
    mEffectPos = point;
    // The shot goes into the mouth instead of bouncing off it.
    return false;
}

void BearEntity::setAbsPlacement(const Vec3& placement)
{
    if (mBaseShape != nullptr)
        mBaseShape->setAbsPlacement(placement);
}

void BearEntity::SetMouthCategoryDefault()
{
    if (mMouthShape != nullptr)
        mMouthShape->setCollisionCategory("default");
}

void BearEntity::Update()
{
    ++mCounter;
    AdvanceEntityEffect(mEffect);
    switch (mPhase) {
    case BEAR_WALKING: {
        if (mWalkTime > 0 && mCounter % mWalkTime == 0 && mCounter > 0) {
            mPhase = BEAR_EATING;
            mMouthOpen = 1;
            mCounter = 0;
            SetMouthCategoryDefault();
            return;
        }
        if (mBaseShape == nullptr)
            return;
        Vec3 q = mBaseShape->absPlacement();
        if (mMovingLeft) {
            if (q.x > kLeftTurn)
                q.x -= mSpeed;
            else
                mMovingLeft = false;
        } else {
            if (q.x < kRightTurn)
                q.x += mSpeed;
            else
                mMovingLeft = true;
        }
        mBaseShape->setAbsPlacement(q);
        break;
    }
    case BEAR_EATING:
        if (mEatTime > 0 && mCounter % mEatTime == 0 && mCounter > 0) {
            mPhase = BEAR_WALKING;
            mMouthOpen = 0;
            mCounter = 0;
            mWalkTime = 300 + (Zest::Rand() % 3000) / 10;
            mEatTime = 800 + (Zest::Rand() % 2000) / 10;
        }
        break;
    default:
        break;
    }
}

void BearEntity::Draw(Zest::Graphics*)
{
    DeferOverlay(mOverlayPriority);
}

void BearEntity::DrawOverlay(Zest::Graphics* const g)
{
    if (mBaseShape == nullptr)
        return;
    const Vec3 q = mBaseShape->absPlacement();
    g->SetColor(Zest::Color::White);
    Zest::Image* const image = mMouthOpen == 0 ? mClosedImage : mOpenImage;
    if (image != nullptr)
        g->DrawImageAtFloat(image, q.x - kImageLeft, q.y - kImageTop);
    DrawEntityEffect(g, mEffect, mEffectPos);
}
