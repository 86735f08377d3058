// The mini-game's two kinds, built wave by wave, and the walks of the session's entity list
// that find their spiders, bears and shots.

#include "game/MiniGameWidget.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Res.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/entities/BearEntity.h"
#include "game/physics/entities/CannonEntity.h"
#include "game/physics/entities/EntityKiller.h"
#include "game/physics/entities/SpiderEntity.h"
#include "game/play/GameSession.h"
#include "platform/physics/XtremaPhysics.h"

#include <array>

using XtremaPHX2D::Vec2;
using XtremaPHX2D::Vec3;

namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// Spiders: columns 50 pixels apart, rows 60 apart; each row's anchors hang from y 20 on, the
// spiders start 60 pixels below them and up to 99 more.
constexpr float kSpiderSpacing = 50.0f;
constexpr float kSpiderRowHeight = 60.0f;
constexpr float kSpiderAnchorTop = 20.0f;
constexpr float kSpiderHangTop = 80.0f;
constexpr int32_t kSpiderDepthSpread = 100;

// Bears: the first stands lowest and furthest right and draws on top; each further one
// stands to its left, higher and one priority lower.
constexpr float kBearFirstX = 670.0f;
constexpr float kBearFirstY = 550.0f;
constexpr float kBearStepX = 150.0f;
constexpr float kBearStepY = 30.0f;
constexpr int32_t kBearTopPriority = 105;
constexpr int32_t kFishPerBearWave = 10;

// The invisible zones around the 800 x 600 field that take away whatever leaves it.
struct KillZone {
    Vec3 mPlacement;
    Vec2 mSize;
};
constexpr std::array<KillZone, 4> kKillZones = {{
    {{400.0f, 900.0f, 0.0f}, {2800.0f, 200.0f}},
    {{400.0f, -400.0f, 0.0f}, {2800.0f, 200.0f}},
    {{-400.0f, 600.0f, 0.0f}, {500.0f, 2000.0f}},
    {{1200.0f, 600.0f, 0.0f}, {500.0f, 2000.0f}},
}};

bool IsAmmo(const xSharkEntity* const entity)
{
    const auto* const primitive = dynamic_cast<const xPhysicsPrimitiveEntity*>(entity);
    if (primitive == nullptr || primitive->GetShape() == nullptr)
        return false;
    const XtremaPHX2D::xCollisionCategory* const category = primitive->GetShape()->getCollisionCategory();
    return category != nullptr && category->categoryID() == "ammo";
}

} // namespace

Zest::Image* MiniGameWidget::GetFishImage(const int32_t habitat)
{
    // Brown bears get the coloured fish, white bears the grey one.
    return habitat == HABITAT_ALASKA ? IMAGE_MINI_GAME_FISH : IMAGE_MINI_GAME_FISH_GRAY;
}

int32_t MiniGameWidget::CountSpiders() const
{
    const GameSession* const session = Session();
    if (session == nullptr)
        return 0;
    int32_t count = 0;
    for (const xSharkEntity* const entity : session->mEntities) {
        if (dynamic_cast<const SpiderEntity*>(entity) != nullptr)
            ++count;
    }
    return count;
}

int32_t MiniGameWidget::CountAmmo() const
{
    const GameSession* const session = Session();
    if (session == nullptr)
        return 0;
    int32_t count = 0;
    for (const xSharkEntity* const entity : session->mEntities) {
        if (IsAmmo(entity))
            ++count;
    }
    return count;
}

bool MiniGameWidget::IsAmmoInFlight() const
{
    const GameSession* const session = Session();
    if (session == nullptr)
        return false;
    for (const xSharkEntity* const entity : session->mEntities) {
        if (entity != nullptr && entity->GetBody() != nullptr && IsAmmo(entity))
            return true;
    }
    return false;
}

void MiniGameWidget::RemoveAllAmmo()
{
    GameSession* const session = Session();
    ZEST_ASSERT(session != nullptr);
    for (xSharkEntity* const entity : session->mEntities) {
        if (IsAmmo(entity))
            session->QueueEntityRemoval(entity);
    }
}

void MiniGameWidget::RemoveAllBears()
{
    GameSession* const session = Session();
    ZEST_ASSERT(session != nullptr);
    for (xSharkEntity* const entity : session->mEntities) {
        if (dynamic_cast<BearEntity*>(entity) != nullptr)
            session->QueueEntityRemoval(entity);
    }
}

void MiniGameWidget::ClearWorld()
{
    // Without a running session its entities have gone with it.
    if (GameSession* const session = Session())
        session->DestroyAllEntities();
    mSlidingCannon = nullptr;
    mTurningCannon = nullptr;
}

template <typename Entity>
Entity* MiniGameWidget::AddEntity(XtremaPHX2D::xEntityDesc& desc)
{
    GameSession* const session = Session();
    ZEST_ASSERT(session != nullptr && mManager != nullptr && XtremaPHX2D::g_ptrSDK != nullptr);
    auto* const entity = dynamic_cast<Entity*>(ToGameEntity(XtremaPHX2D::g_ptrSDK->createEntity(desc)));
    ZEST_ASSERT(entity != nullptr);
    entity->Move(0, 0);
    mManager->AddWidget(entity);
    session->mEntities.push_back(entity);
    entity->mOwner = this;
    return entity;
}

void MiniGameWidget::AddKillZones()
{
    for (const KillZone& zone : kKillZones) {
        EntityKillerDesc desc;
        desc.mShapeType = KILL_ZONE_BOX;
        desc.mPlacement = zone.mPlacement;
        desc.mSize = zone.mSize;
        AddEntity<EntityKiller>(desc);
    }
}

void MiniGameWidget::BuildSpiderGame()
{
    SpawnSpiders(1);
    CannonEntityDesc desc;
    desc.mCategoryName = "potato_cannon";
    desc.mPosition = Vec2(400.0f, 550.0f);
    desc.mCannonImage = IMAGE_MINI_GAME_CANNON;
    desc.mAmmoImage = IMAGE_MINI_GAME_POTATO;
    desc.mThrust = 35.0f;
    desc.mShotSpeed = 9.0f;
    desc.mMode = CANNON_SLIDING;
    mSlidingCannon = AddEntity<CannonEntity>(desc);
    AddKillZones();
    // From now on the mouse moves it and the spiders come alive.
    mSlidingCannon->mActive = true;
}

void MiniGameWidget::BuildBearGame()
{
    const int32_t habitat = Session()->mHabitatIndex;
    CannonEntityDesc desc;
    desc.mCategoryName = "potato_cannon";
    desc.mPosition = Vec2(35.0f, 260.0f);
    desc.mCannonImage = IMAGE_MINI_GAME_CANNON_BARREL;
    desc.mAmmoImage = GetFishImage(habitat);
    desc.mThrust = 12.5f;
    desc.mShotSpeed = 4.7f;
    desc.mMode = CANNON_TURNING;
    mTurningCannon = AddEntity<CannonEntity>(desc);
    mShots = kFishPerBearWave;
    SpawnBears(1, habitat != HABITAT_ALASKA);
    AddKillZones();
    mTurningCannon->mActive = true;
}

void MiniGameWidget::SpawnSpiders(const int32_t rows)
{
    const float firstX = (kScreenWidth - static_cast<float>(mPerWave - 1) * kSpiderSpacing) * 0.5f;
    for (int32_t r = 0; r < rows; ++r) {
        // Rows alternate their offset and their spacing (49 and 51 pixels), and each is
        // shifted by its number, so that no two rows line up.
        const bool even = r % 2 == 0;
        const float rowX = even ? firstX + kSpiderSpacing * 0.5f : firstX;
        const float direction = even ? -1.0f : 1.0f;
        const float anchorY = kSpiderRowHeight * static_cast<float>(r) + kSpiderAnchorTop;
        for (int32_t c = 0; c < mPerWave; ++c) {
            const int32_t depth = Zest::Rand() % kSpiderDepthSpread;
            const auto column = static_cast<float>(c);
            const float x = rowX + kSpiderSpacing * column + direction * column + static_cast<float>(r);
            const float hangY = kSpiderRowHeight * static_cast<float>(r) + kSpiderHangTop + static_cast<float>(depth);
            SpiderEntityDesc desc;
            desc.mDynamic = true;
            desc.mBodyType = BODY_3DOF;
            desc.mPrimitiveType = XtremaPHX2D::PRIMITIVE_CIRCLE;
            desc.mSize = Vec2(12.0f, 0.0f);
            desc.mMass = 170.0f;
            desc.mBodyCoefficient = 50.0f;
            desc.mMaterialName = "wood_hard";
            desc.mCategoryName = "spider";
            desc.mImage = IMAGE_MINI_GAME_SPIDER;
            desc.mPlacement = Vec3(x, hangY, XtremaPHX2D::xtrDegToRad(1.0f));
            desc.mAttachPoint = Vec2(x, hangY);
            desc.mAnchor = Vec2(x, anchorY);
            desc.mSpringStiffness = 2.825f;
            desc.mSpringDamping = 1.15f;
            desc.mSpringRestLength = 60.0f;
            AddEntity<SpiderEntity>(desc);
        }
    }
    Session()->ShowShootPopup(kScreenWidth * 0.5f, kScreenHeight * 0.5f);
    RemoveAllAmmo();
}

void MiniGameWidget::SpawnBears(const int32_t count, const bool arctic)
{
    for (int32_t i = 0; i < count; ++i) {
        // The description's constructor draws its own defaults first.
        BearEntityDesc desc;
        const int32_t walkDraw = Zest::Rand();
        const int32_t eatDraw = Zest::Rand();
        const auto index = static_cast<float>(i);
        desc.mCategoryName = "default";
        desc.mPosition = Vec2(kBearFirstX - kBearStepX * index, kBearFirstY - kBearStepY * index);
        desc.mClosedImage = arctic ? IMAGE_MINI_GAME_BEAR_WHITE_CLOSED : IMAGE_MINI_GAME_BEAR_CLOSED;
        desc.mOpenImage = arctic ? IMAGE_MINI_GAME_BEAR_WHITE_OPEN : IMAGE_MINI_GAME_BEAR_OPEN;
        desc.mSpeed = 1.5f;
        desc.mWalkTime = 300 + (walkDraw % 3000) / 10;
        desc.mEatTime = 800 + (eatDraw % 2000) / 10;
        desc.mOverlayPriority = kBearTopPriority - i;
        AddEntity<BearEntity>(desc);
    }
}

void MiniGameWidget::SpawnNextWave()
{
    if (mKind == KIND_SPIDERS) {
        SpawnSpiders(mWave);
        return;
    }
    RemoveAllBears();
    mShots = mWave * kFishPerBearWave;
    SpawnBears(mWave, Session()->mHabitatIndex != HABITAT_ALASKA);
}
