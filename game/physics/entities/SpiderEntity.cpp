#include "game/physics/entities/SpiderEntity.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Matrix3.h"
#include "game/Res.h"
#include "game/physics/entities/EntityEffect.h"
#include "game/physics/entities/MiniGameOwner.h"
#include "platform/physics/Body.h"
#include "platform/physics/Categories.h"
#include "platform/physics/Joints.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"

#include <new>

using namespace XtremaPHX2D;

namespace {

// Updates on the thread before the first descent may start.
constexpr int32_t kFirstDropAfter = 250;
// The thread length a descent starts from, and the one a climb ends at.
constexpr float kShortThread = 60.0f;
// The depth at which a descent turns into a climb.
constexpr float kLowestY = 520.0f;
// While the rest length is above this, the climb shortens the thread.
constexpr float kClimbDoneLength = 80.0f;
constexpr float kClimbFactor = 1.005f;
// A climb can end only on every such update.
constexpr int32_t kClimbCheckPeriod = 50;
// The falling spider shrinks by this step down to kSmallestScale; its circle shrinks with it
// while the radius is above kSmallestRadius.
constexpr float kShrinkStep = 0.025f;
constexpr float kSmallestScale = 0.5f;
constexpr float kSmallestRadius = 8.0f;
// A hit scores a little below where the shot touched.
constexpr float kScoreDrop = 30.0f;
constexpr int32_t kOverlayPriority = 100;
const Zest::Color kThreadColor(255, 230, 64, 255);
const Zest::Color kHitTint(240, 100, 0, 255);

} // namespace

xEntity* SpiderEntityDesc::newEntity() const
{
    return new (std::nothrow) SpiderEntity();
}

SpiderEntity::SpiderEntity() : mDropPeriod((Zest::Rand() % 10 + 1) * 80)
{
    SetUpEntityEffect(mEffect);
}

SpiderEntity::~SpiderEntity()
{
    // The thread holds the body: it goes first.
    delete mThread;
    mThread = nullptr;
    delete mBody;
    mBody = nullptr;
    delete mShape;
    mShape = nullptr;
}

void SpiderEntity::buildPhysics(xEntityDesc* const desc)
{
    xPhysicsPrimitiveEntity::buildPhysics(desc);
    const auto* const spiderDesc = dynamic_cast<const SpiderEntityDesc*>(desc);
    if (spiderDesc == nullptr)
        return;

    xSpringDesc spring;
    spring.mSrcBody = mBody;
    spring.mDstBody = nullptr;
    spring.mOwner = this;
    spring.mPlacement = Vec3(0.0f, 0.0f, 0.0f);
    spring.mLimit = 1e38f;
    spring.mStiffness = spiderDesc->mSpringStiffness;
    spring.mDamping = spiderDesc->mSpringDamping;
    spring.mRestLength = spiderDesc->mSpringRestLength;
    mThread = spring.createJoint();
    ZEST_ASSERT(mThread != nullptr);

    // The tie point goes into the spider's own frame, so that it turns with the spider; the
    // anchor stays in the world's.
    Vec3 tie(spiderDesc->mAttachPoint, 0.0f);
    const Vec3 anchor(spiderDesc->mAnchor, 0.0f);
    if (mBody != nullptr) {
        const Vec3 q = mBody->absPlacement();
        tie = Vec3(xtrTransReversePosMtx23(xtrVec3ToMtx23(q), spiderDesc->mAttachPoint), 0.0f - q.angle);
    }
    mThread->setPlacements(tie, anchor);
}

bool SpiderEntity::onCollision(xShape*, xShape* const other, const Vec2& point, float, const Vec2&)
{
    if (mThread == nullptr || other == nullptr)
        return true;
    const xCollisionCategory* const category = other->getCollisionCategory();
    if (category == nullptr || category->categoryID() != "ammo")
        return true;

    // Inside the step the joint leaves the world when the step ends; the spider is its only
    // holder.
    mThread->release();
    delete mThread;
    mThread = nullptr;

    if (mOwner != nullptr) {
        mOwner->AddHitScore(Vec2(point.x, point.y + kScoreDrop));
        mOwner->PlaySoundEffect(SOUND_SPIDER_HIT);
    }
    RestartEntityEffect(mEffect, kHitTint);
    mHitPos = point;
    return true;
}

void SpiderEntity::Update()
{
    if (mOwner == nullptr || !mOwner->IsPlaying() || !mOwner->IsCannonActive())
        return;
    AdvanceEntityEffect(mEffect);

    if (mThread == nullptr) {
        if (mScale <= kSmallestScale)
            return;
        mScale -= kShrinkStep;
        auto* const circle = mShape != nullptr ? dynamic_cast<xPrimitiveCircle*>(mShape->primitive()) : nullptr;
        if (circle != nullptr && circle->radius() > kSmallestRadius)
            circle->setRadius(circle->radius() * mScale);
        return;
    }

    ++mCounter;
    switch (mPhase) {
    case SPIDER_HANGING:
        if (mCounter % mDropPeriod == 0 && mCounter > kFirstDropAfter) {
            mPhase = SPIDER_DESCENDING;
            mThreadLength = kShortThread;
            mCounter = 0;
        }
        break;
    case SPIDER_DESCENDING: {
        ZEST_ASSERT(mBody != nullptr);
        const Vec3 q = mBody->absPlacement();
        if (q.y < kLowestY) {
            mThreadLength += 1.0f;
            mThread->mRestLength = mThreadLength;
        } else {
            mCounter = 0;
            mThreadLength = 0.0f;
            mPhase = SPIDER_CLIMBING;
            mThread->mRestLength /= kClimbFactor;
        }
        break;
    }
    case SPIDER_CLIMBING:
        if (mThread->mRestLength > kClimbDoneLength)
            mThread->mRestLength /= kClimbFactor;
        if (mCounter % kClimbCheckPeriod == 0 && mThread->mRestLength < kClimbDoneLength) {
            mThread->mRestLength = kShortThread;
            mCounter = 0;
            mPhase = SPIDER_HANGING;
        }
        break;
    default:
        break;
    }
}

void SpiderEntity::Draw(Zest::Graphics*)
{
    DeferOverlay(kOverlayPriority);
}

void SpiderEntity::DrawOverlay(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    const Vec3 p = absPlacement();

    if (mThread != nullptr && mBody != nullptr) {
        g->SetColor(kThreadColor);
        const Vec3 q = mBody->absPlacement();
        const Vec2 tie = q.point() + xtrAngleToMtx22(q.angle) * mThread->placementInSrc().point();
        const Vec2 anchor = mThread->placementInDst().point();
        g->DrawLine(static_cast<int>(tie.x), static_cast<int>(tie.y), static_cast<int>(anchor.x),
                    static_cast<int>(anchor.y));
    }
    if (mImage != nullptr) {
        g->SetLinearBlend(true);
        Zest::Transform transform;
        transform.RotateRad(-p.angle);
        transform.Scale(mScale, mScale);
        g->DrawImageTransform(mImage, transform, p.x, p.y);
    }
    DrawEntityEffect(g, mEffect, mHitPos);
}
