// Stage events: after a chain the stage may fire one (Stage::RollEvent, state 8); once the
// board is idle the session sends a carrier (state 9), which swings in from one side, drops
// its lock on a free creature tile and ends the event (state 10); the session then destroys
// it and play goes on.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameRandom.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/physics/entities/FeatureCarrier.h"
#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "platform/physics/XtremaPhysics.h"

static_assert(Stage::ROLL_STATE_PLAY == STATE_PLAY && Stage::ROLL_STATE_EVENT == STATE_EVENT_WAIT,
              "the stage's roll writes the session's states");

namespace {

using XtremaPHX2D::Vec2;
using XtremaPHX2D::Vec3;

// The carrier hangs on a thread this long (pixels) from straight above its tile, and starts
// with the thread horizontal.
constexpr float kThreadLength = 500.0f;
// A tile right of this x (pixels) gets its carrier from the left, any other from the right.
constexpr float kSideSplitX = 515.0f;
// Cells are drawn from 0 to this; a launch gives up after this many tries.
constexpr uint32_t kLastCell = GameBoard::kCells - 1;
constexpr int32_t kTargetTries = GameBoard::kCells;
// The carrier's body: a hard wooden ball.
constexpr float kCarrierRadius = 12.0f;
constexpr float kCarrierMass = 330.0f;

struct EventLook {
    Zest::Image* mCarrier;
    Zest::Image* mLock;
    float mScale;
};

EventLook LookOf(const int32_t kind)
{
    if (kind == EVENT_SPIDER_WEB)
        return {IMAGE_GAME_GOLDENSPIDER, IMAGE_GAME_SPIDERWEB, 4.0f};
    return {IMAGE_GAME_GOLDENMONKEY, IMAGE_GAME_BANANAS, 2.0f};
}

bool IsKnownEvent(const int32_t kind) { return kind == EVENT_SPIDER_WEB || kind == EVENT_BANANAS; }

// A torch burns a web and water washes bananas away: an event whose remedy is neither on
// the board nor in the player's stock would leave a tile locked for good.
bool HasRemedy(const GameBoard& board, const PlayerProfile& profile, const int32_t kind)
{
    if (kind == EVENT_SPIDER_WEB)
        return board.CountTorchTiles() > 0 || profile.mTorches > 0;
    return board.CountWaterTiles() > 0 || profile.mWater > 0;
}

// An idle creature tile without a lock.
bool IsFreeTarget(const BoardTile* const tile)
{
    return tile != nullptr && tile->mLock == LOCK_NONE && tile->mState == TILE_IDLE && tile->mLevel >= 0;
}

// Random cells until one holds a free tile; null after kTargetTries tries. A new cell is
// drawn after each try, the successful one too, so the game's random sequence moves on the
// same way whichever tile is found.
BoardTile* ChooseTarget(const GameBoard& board, GameRandom& random)
{
    int32_t cell = static_cast<int32_t>(random.Next(kLastCell));
    for (int32_t tries = 1;; ++tries) {
        BoardTile* const tile = board.TileAtIndex(cell);
        const bool free = IsFreeTarget(tile);
        if (!free && tries == kTargetTries)
            return nullptr;
        cell = static_cast<int32_t>(random.Next(kLastCell));
        if (free)
            return tile;
    }
}

FeatureCarrierDesc DescribeCarrier(BoardTile& tile, const int32_t kind)
{
    FeatureCarrierDesc desc;
    desc.mDynamic = true;
    desc.mBodyType = BODY_3DOF;
    desc.mPrimitiveType = XtremaPHX2D::PRIMITIVE_CIRCLE;
    desc.mSize = Vec2(kCarrierRadius, 0.0f);
    desc.mMass = kCarrierMass;
    desc.mMaterialName = "wood_hard";
    desc.mCategoryName = "feature_carrier";
    const auto [x, y] = tile.GetCenter();
    desc.mAnchor = Vec2(x, y - kThreadLength);
    if (x > kSideSplitX) {
        desc.mPlacement = Vec3(x - kThreadLength, y - kThreadLength, XtremaPHX2D::xtrDegToRad(90.0f));
        desc.mSide = SIDE_LEFT;
    } else {
        desc.mPlacement = Vec3(x + kThreadLength, y - kThreadLength, XtremaPHX2D::xtrDegToRad(-90.0f));
        desc.mSide = SIDE_RIGHT;
    }
    desc.mTargetTile = &tile;
    desc.mKind = kind;
    const EventLook look = LookOf(kind);
    desc.mCarrierImage = look.mCarrier;
    desc.mShadowImage = look.mCarrier;
    desc.mLockImage = look.mLock;
    desc.mScale = look.mScale;
    return desc;
}

} // namespace

void GameSession::StartLevelEvent(const int32_t event)
{
    ZEST_ASSERT(mBoard != nullptr && mManager != nullptr);
    const PlayerProfile* const profile = GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    // A kind from a damaged saved stage has no lock to bring.
    if (!IsKnownEvent(event) || !HasRemedy(*mBoard, *profile, event)) {
        mState = STATE_PLAY;
        return;
    }
    BoardTile* const tile = ChooseTarget(*mBoard, mHost.GetGameRandom());
    if (tile == nullptr || XtremaPHX2D::g_ptrSDK == nullptr) {
        mState = STATE_PLAY;
        return;
    }
    FeatureCarrierDesc desc = DescribeCarrier(*tile, event);
    auto* const carrier = dynamic_cast<FeatureCarrier*>(ToGameEntity(XtremaPHX2D::g_ptrSDK->createEntity(desc)));
    if (carrier == nullptr) {
        mState = STATE_PLAY;
        return;
    }
    carrier->Move(0, 0);
    mManager->AddWidget(carrier);
    mEntities.push_back(carrier);
    carrier->SetOwner(this);
    GetMenuServices().PlaySoundEffect(SOUND_SWING);
}

Vec2 GameSession::GetTileCenter(const BoardTile* const tile) const
{
    ZEST_ASSERT(tile != nullptr);
    const auto [x, y] = tile->GetCenter();
    return Vec2(x, y);
}

bool GameSession::IsTileLocked(const BoardTile* const tile) const
{
    ZEST_ASSERT(tile != nullptr);
    return tile->mLock != LOCK_NONE;
}

void GameSession::DropLockOn(BoardTile* const tile, Zest::Image* const lockImage)
{
    ZEST_ASSERT(tile != nullptr);
    tile->SetLockByImage(lockImage);
}

void GameSession::OnCarrierDone(FeatureCarrier* const carrier)
{
    mState = STATE_EVENT_DONE;
    QueueEntityRemoval(carrier);
}
