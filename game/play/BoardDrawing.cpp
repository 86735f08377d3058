// The board's drawing, its effect layers and the physics rig behind the stage title.
//
// The normal pass draws what lies on the board (plates, rescued marks, tiles, flying
// cages); the overlay pass, deferred to priority 4, draws what lies over everything else:
// the target frame, the selection line, the match-search mask, the shuffle streaks, the
// leaving tiles, the stage-clear twirl, the stage title and the session's popups.
//
// The title rig is a hidden shaft of four static walls with a ball falling in it. The
// stage title bounces with the ball's height, so the physics world animates it for free.
// The walls stand in "hidden_solid_geometry", which does not collide with itself; the ball
// stands in "default", which collides with it.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/SharkEntity.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "platform/physics/Body.h"
#include "platform/physics/XtremaPhysics.h"

#include <cstdlib>

namespace {

// The board's normal pass asks for its overlay at this priority.
constexpr int32_t kOverlayPriority = 4;
// Plates and rescued marks stand this far left of their cell.
constexpr int32_t kPlateOffsetX = -7;
// The frame pictures' top-left corner lies this far from their anchor cell's.
constexpr int32_t kFrameOffsetX = -16;
constexpr int32_t kFrameOffsetY = -11;
// Where the turned frames land, relative to their anchor cell.
constexpr int32_t kTurnedPairOffsetX = -59;
constexpr int32_t kTurnedPairOffsetY = 35;
constexpr int32_t kTurnedTripleOffsetX = -103;
constexpr int32_t kTurnedTripleOffsetY = 78;
constexpr float kTurnedFrameDegrees = -90.0f;
// The streak rides this many pixels below the glint's point.
constexpr float kStreakDrop = 3.0f;
// The match-search mask: its place, and the window it leaves around the mouse (pixels).
constexpr int32_t kMaskOrigin = -16;
constexpr int32_t kWindowHalf = 50;
constexpr int32_t kWindowSize = 2 * kWindowHalf;
// The left and top strips reach from the mask's edge at kMaskOrigin to the window's.
constexpr int32_t kStripReach = kWindowHalf + kMaskOrigin;
// Shuffle streaks: pixels per update, spacing of the lanes, and the vertical pass's shift.
constexpr int32_t kShuffleSpeed = 12;
constexpr int32_t kShuffleLane = 90;
constexpr int32_t kShuffleShift = 50;
constexpr int32_t kShuffleLayers = 6;
constexpr int32_t kVerticalShufflePass = 1;
// The stage title: its pictures move this far from the ball's height.
constexpr float kTitleSpan = 300.0f;
constexpr float kBallRestY = 560.0f;

// The title rig, pixels and radians.
constexpr float kWallThickness = 20.0f;
constexpr float kShaftWidth = 100.0f;
constexpr float kShaftHeight = 600.0f;
constexpr float kShaftSideX = 60.0f;
constexpr float kShaftMiddleY = 300.0f;
constexpr float kFloorY = 610.0f;
constexpr float kBallRadius = 40.0f;
constexpr float kBallMass = 1600.0f;
constexpr XtremaPHX2D::Vec3 kBallStart(0.0f, 150.0f, 0.0f);

bool IsFrameHiddenInState(const int32_t state)
{
    switch (state) {
    case STATE_SURVIVOR_INTRO:
    case STATE_STAGE_CLEARED:
    case STATE_STAGE_START:
    case STATE_STAGE_SETTLING:
    case STATE_GOAL_COMPLETE:
        return true;
    default:
        return false;
    }
}

// The picture turned by -90 degrees about its own centre (halves truncated).
void DrawTurnedFrame(Zest::Graphics* const g, Zest::Image* const image, const int32_t x, const int32_t y)
{
    const int32_t centreX = image->GetWidth() / 2;
    const int32_t centreY = image->GetHeight() / 2;
    g->DrawImageRotatedAbout(image, static_cast<float>(x), static_cast<float>(y),
                             XtremaPHX2D::xtrDegToRad(kTurnedFrameDegrees), static_cast<float>(centreX),
                             static_cast<float>(centreY));
}

// One piece of the mask, cut by the clip (x, y, width, height).
void DrawMaskPiece(Zest::Graphics* const g, Zest::Image* const mask, const int32_t x, const int32_t y,
                   const int32_t width, const int32_t height)
{
    g->PushState();
    g->ClipRect(x, y, width, height);
    g->DrawImage(mask, kMaskOrigin, kMaskOrigin);
    g->PopState();
}

// The tile drawn at its own place: tiles hold positions in the board's parent's space.
void DrawTileAt(Zest::Graphics* const g, BoardTile* const tile, const int32_t boardX, const int32_t boardY)
{
    const int32_t dx = tile->mX - boardX;
    const int32_t dy = tile->mY - boardY;
    g->Translate(dx, dy);
    tile->Draw(g);
    g->Translate(-dx, -dy);
}

void DrawLayerAt(Zest::Graphics* const g, AnimatedWidget& layer, const float x, const float y)
{
    g->TranslateFloat(x, y);
    layer.Draw(g);
    g->TranslateFloat(-x, -y);
}

// An entity of the rig from the description, at the widget origin, in the board's manager.
xPhysicsPrimitiveEntity* CreateRigEntity(Zest::WidgetManager* const manager, xPhysicsPrimitiveEntityDesc& desc)
{
    ZEST_ASSERT(manager != nullptr && XtremaPHX2D::g_ptrSDK != nullptr);
    XtremaPHX2D::xEntity* const made = XtremaPHX2D::g_ptrSDK->createEntity(desc);
    auto* const entity = dynamic_cast<xPhysicsPrimitiveEntity*>(ToGameEntity(made));
    ZEST_ASSERT(entity != nullptr);
    // The entity draws at its physics placement, so the widget keeps the origin.
    entity->Move(0, 0);
    manager->AddWidget(entity);
    return entity;
}


// Shapes 0 to 5 are one picture at the anchor; 6 to 8 one small frame per framed cell.
void DrawTargetFrame(Zest::Graphics* const g, const GameBoard& board, const GameSession& session)
{
    const bool hidden = session.mMode == MODE_MATCH_SEARCH || board.mPhase == PHASE_DEAL_IN ||
                        board.mPhase == PHASE_TWIRL || session.mSurvivorOn || IsFrameHiddenInState(session.mState);
    if (hidden)
        return;
    const int32_t anchor = board.mFrameAnchor == GameBoard::kNoFrame ? 0 : board.mFrameAnchor;
    const int32_t x = (anchor % GameBoard::kColumns) * GameBoard::kCellPitch;
    const int32_t y = (anchor / GameBoard::kColumns) * GameBoard::kCellPitch;
    g->SetColor(Zest::Color::White);
    switch (board.mFrameShape) {
    case 0:
        g->DrawImage(IMAGE_GAME_FRAMEX2, x + kFrameOffsetX, y + kFrameOffsetY);
        break;
    case 1:
        DrawTurnedFrame(g, IMAGE_GAME_FRAMEX2, x + kTurnedPairOffsetX, y + kTurnedPairOffsetY);
        break;
    case 2:
        g->DrawImage(IMAGE_GAME_FRAMEX3, x + kFrameOffsetX, y + kFrameOffsetY);
        break;
    case 3:
        DrawTurnedFrame(g, IMAGE_GAME_FRAMEX3, x + kTurnedTripleOffsetX, y + kTurnedTripleOffsetY);
        break;
    case 4:
        g->DrawImage(IMAGE_GAME_FRAME_SQUARE, x + kFrameOffsetX, y + kFrameOffsetY);
        break;
    case 5:
        g->DrawImage(IMAGE_GAME_FRAMEX2L, x + kFrameOffsetX, y + kFrameOffsetY);
        break;
    case 6:
    case 7:
    case 8:
        for (const int32_t cell : board.mFrameCells) {
            g->DrawImage(IMAGE_GAME_FRAMEX1, (cell % GameBoard::kColumns) * GameBoard::kCellPitch + kFrameOffsetX,
                         (cell / GameBoard::kColumns) * GameBoard::kCellPitch + kFrameOffsetY);
        }
        break;
    default:
        // No frame picked yet.
        break;
    }
}

// The chain's line of small elements, with a yellow glint at mPathStep that fades to white
// over a quarter of the line on both sides, and the streak riding on the glint.
void DrawSelectionLine(Zest::Graphics* const g, GameBoard& board)
{
    // The line is drawn in pairs of points.
    const int32_t count = static_cast<int32_t>(board.mSelectionPath.size()) & ~1;
    if (count == 0)
        return;
    const int32_t glintWidth = count / 4;
    for (int32_t j = 0; j < count; ++j) {
        const PathPoint& point = board.mSelectionPath[j];
        const int32_t dist = std::abs(board.mPathStep - j);
        Zest::Color color = Zest::Color::White;
        if (dist < glintWidth && board.mPathStep - dist < count) {
            const int32_t blue = static_cast<int32_t>(static_cast<float>(count) * 0.25f * static_cast<float>(dist));
            color = Zest::Color(255, 255, blue >= 0 && blue <= 255 ? blue : 0, 255);
        }
        g->SetColorizeImages(true);
        g->SetColor(color);
        g->DrawImageRotated(IMAGE_GAME_LINE_ELEMENT, point.x, point.y, point.angle);
        g->SetColor(Zest::Color::White);
        if (dist == 0) {
            AnimatedWidget& streak = board.mStreakEffect;
            DrawLayerAt(g, streak, point.x - static_cast<float>(streak.mWidth / 2),
                        point.y - static_cast<float>(streak.mHeight / 2) + kStreakDrop);
        }
    }
}

// Match search: the mask covers the board, with a window around the mouse while it is
// over the board, where the board draws its own cursor.
void DrawSearchView(Zest::Graphics* const g, const GameBoard& board)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, board.mFadeIn));
    Zest::Image* const mask = board.mMaskImage;
    if (!board.mIsOver) {
        if (mask != nullptr)
            g->DrawImage(mask, kMaskOrigin, kMaskOrigin);
        return;
    }
    if (mask != nullptr) {
        const int32_t mx = board.mMouseX - board.mX;
        const int32_t my = board.mMouseY - board.mY;
        const int32_t maskWidth = mask->GetWidth();
        const int32_t maskHeight = mask->GetHeight();
        if (mx - kStripReach >= 0)
            DrawMaskPiece(g, mask, kMaskOrigin, kMaskOrigin, mx - kStripReach, maskHeight);
        DrawMaskPiece(g, mask, mx - kWindowHalf, kMaskOrigin, kWindowSize, my - kStripReach);
        const int32_t rightWidth = maskWidth - (mx + kWindowHalf);
        if (rightWidth >= 0)
            DrawMaskPiece(g, mask, mx + kWindowHalf, kMaskOrigin, rightWidth, maskHeight);
        DrawMaskPiece(g, mask, mx - kWindowHalf, my + kWindowHalf, kWindowSize, maskHeight - (my + kWindowHalf));
    }
    Zest::Image* const cursor = IMAGE_GAME_FRAMEX1;
    const auto [mouseX, mouseY] = board.mHost.GetMousePos();
    g->DrawImageAtFloat(cursor, mouseX - static_cast<float>(board.mX) - static_cast<float>(cursor->GetWidth() / 2),
                        mouseY - static_cast<float>(board.mY) - static_cast<float>(cursor->GetHeight() / 2));
}

// During the deal-in of a habitat's first stage the label comes down from above and the
// stage's picture rises from below, both bouncing with the title ball.
void DrawStageTitle(Zest::Graphics* const g, const GameBoard& board, const GameSession& session)
{
    if (board.mPhase != PHASE_DEAL_IN || session.mStage.mIndex != 0 || board.mTitleBall == nullptr)
        return;
    const float y = board.mTitleBall->absPlacement().y + kBallRadius;
    const int32_t habitat = board.mHabitat->mIndex;
    ZEST_ASSERT(habitat >= 0 && habitat <= IMAGE_GAME_STAGE_AR_ID - IMAGE_GAME_STAGE_AM_ID);
    auto* const stage = static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_STAGE_AM_ID + habitat));
    Zest::Image* const label = IMAGE_GAME_LABEL_STAGE;
    ZEST_ASSERT(stage != nullptr && label != nullptr);
    g->SetColor(Zest::Color::White);
    g->DrawImage(label, static_cast<int32_t>(static_cast<float>(board.mWidth - label->GetWidth()) * 0.5f),
                 static_cast<int32_t>(y - kTitleSpan - static_cast<float>(label->GetHeight())));
    g->DrawImage(stage, static_cast<int32_t>(static_cast<float>(board.mWidth - stage->GetWidth()) * 0.5f),
                 static_cast<int32_t>(kBallRestY - y + kTitleSpan));
}

} // namespace

void GameBoard::Draw(Zest::Graphics* const g)
{
    g->SetColor(Zest::Color(0, 0, 0, 155));
    ZEST_ASSERT(static_cast<int32_t>(mPlates.size()) == kCells);
    Zest::Image* const plates[] = {IMAGE_GAME_PLATE_COPPPER, IMAGE_GAME_PLATE_SILVER, IMAGE_GAME_PLATE_GOLDEN};
    const GameSession* const session = mHost.GetGameSession();
    const bool survivorOn = session != nullptr && session->mSurvivorOn;
    for (int32_t index = 0; index < kCells; ++index) {
        const int32_t x = (index % kColumns) * kCellPitch + kPlateOffsetX;
        const int32_t y = (index / kColumns) * kCellPitch;
        const int32_t plate = mPlates[index];
        if (plate >= 0 && plate < static_cast<int32_t>(std::size(plates))) {
            g->SetColor(Zest::Color::White);
            g->DrawImage(plates[plate], x, y);
        }
        if (survivorOn && mRescuedCells[index]) {
            g->SetColor(Zest::Color::White);
            g->DrawImage(IMAGE_GAME_ANIMAL_RESCUED, x, y);
        }
    }
    for (BoardTile* const tile : mCells) {
        if (tile != nullptr)
            DrawTileAt(g, tile, mX, mY);
    }
    if (mPhase == PHASE_HUNTER_JUMP) {
        g->SetColor(Zest::Color::White);
        for (const auto& [x, y] : mHunterShots)
            g->DrawImage(IMAGE_GAME_CAGE, static_cast<int32_t>(x), static_cast<int32_t>(y));
    }
    DeferOverlay(kOverlayPriority);
}

void GameBoard::DrawOverlay(Zest::Graphics* const g)
{
    GameSession* const session = mHost.GetGameSession();
    if (session != nullptr)
        DrawTargetFrame(g, *this, *session);
    DrawSelectionLine(g, *this);
    if (session != nullptr && session->mMode == MODE_MATCH_SEARCH)
        DrawSearchView(g, *this);
    if (mPhase == PHASE_SHUFFLING)
        DrawShuffleEffect(g);
    for (BoardTile* const tile : mRemovedTiles) {
        if (tile != nullptr && tile->mState != TILE_GONE)
            DrawTileAt(g, tile, mX, mY);
    }
    if (mTwirlEffect.mStatus == ANIM_RUNNING) {
        DrawLayerAt(g, mTwirlEffect, (mWidth - mTwirlEffect.mWidth) * 0.5f, (mHeight - mTwirlEffect.mHeight) * 0.5f);
    }
    if (session != nullptr)
        DrawStageTitle(g, *this, *session);
    if (session != nullptr) {
        g->Translate(-mX, -mY);
        session->DrawFloatingImages(g, false);
        g->Translate(mX, mY);
    }
}

// Three streaks sweep one way and three the other, kShuffleSpeed pixels per update: down and
// up on the vertical pass, across both ways on the others.
void GameBoard::DrawShuffleEffect(Zest::Graphics* const g)
{
    if (mEffectLayers.empty() || mEffectLayers[0].mStatus != ANIM_RUNNING)
        return;
    ZEST_ASSERT(static_cast<int32_t>(mEffectLayers.size()) == kShuffleLayers);
    const int32_t travel = mFrameCounter * kShuffleSpeed;
    const bool vertical = mShufflePass == kVerticalShufflePass;
    g->SetColorizeImages(true);
    for (int32_t first = 0; first < kShuffleLayers; first += 2) {
        AnimatedWidget& forth = mEffectLayers[first];
        AnimatedWidget& back = mEffectLayers[first + 1];
        forth.mScale = vertical ? 1.0f : -1.0f;
        back.mScale = -forth.mScale;
        if (vertical) {
            DrawLayerAt(g, forth, static_cast<float>(first * kShuffleLane - kShuffleShift),
                        static_cast<float>(travel + kShuffleShift));
            DrawLayerAt(g, back, static_cast<float>((first + 1) * kShuffleLane - kShuffleShift),
                        static_cast<float>(mHeight - back.mWidth - travel + kShuffleShift));
        } else {
            DrawLayerAt(g, forth, static_cast<float>(travel), static_cast<float>(first * kShuffleLane));
            DrawLayerAt(g, back, static_cast<float>(mWidth - back.mWidth - travel),
                        static_cast<float>((first + 1) * kShuffleLane));
        }
    }
}

void GameBoard::StartShuffleEffect()
{
    mFrameCounter = 0;
    mEffectLayers.clear();
    const bool vertical = mShufflePass == kVerticalShufflePass;
    for (int32_t i = 0; i < kShuffleLayers; ++i) {
        AnimatedWidget layer;
        mHost.SetupAnimatedWidget(layer, IMAGE_GAME_SHUFFLE_EFFECT);
        layer.ResetFrame();
        layer.mStatus = ANIM_RUNNING;
        if (vertical) {
            // A fixed quarter turn: the streaks run down the columns.
            layer.SetSpinSpeed(0.0f);
            layer.mAngle = XtremaPHX2D::xtrDegToRad(90.0f);
        } else {
            layer.mSpinning = false;
            layer.mAngle = 0.0;
        }
        mEffectLayers.push_back(layer);
    }
}

void GameBoard::ResetEffectColors()
{
    for (AnimatedWidget& layer : mEffectLayers) {
        layer.SetColor(Zest::Color::White);
        layer.Update();
    }
}

void GameBoard::StartResetAnimation()
{
    for (BoardTile* const tile : mCells) {
        if (tile != nullptr)
            tile->SetState(TILE_RESETTING);
    }
    GetMenuServices().PlaySoundEffect(SOUND_COMBO_X4);
}

void GameBoard::CreateWalls()
{
    ZEST_ASSERT(mTitleBall == nullptr && mWallTop == nullptr && mWallFloor == nullptr && mWallLeft == nullptr &&
                mWallRight == nullptr);
    xPhysicsPrimitiveEntityDesc desc;
    desc.mDynamic = false;
    desc.mPrimitiveType = XtremaPHX2D::PRIMITIVE_BOX;
    desc.mCategoryName = "hidden_solid_geometry";
    desc.mMaterialName = "rubber";
    // Only the ball's height matters to the game: the rig stays out of sight.
    desc.mDrawOutline = false;

    struct Wall {
        xPhysicsPrimitiveEntity*& mEntity;
        XtremaPHX2D::Vec3 mPlacement;
        XtremaPHX2D::Vec2 mSize;
    };
    const Wall walls[] = {
        {mWallTop, {0.0f, 0.0f, 0.0f}, {kShaftWidth, kWallThickness}},
        {mWallFloor, {0.0f, kFloorY, 0.0f}, {kShaftWidth, kWallThickness}},
        {mWallLeft, {-kShaftSideX, kShaftMiddleY, 0.0f}, {kWallThickness, kShaftHeight}},
        {mWallRight, {kShaftSideX, kShaftMiddleY, 0.0f}, {kWallThickness, kShaftHeight}},
    };
    for (const Wall& wall : walls) {
        desc.mPlacement = wall.mPlacement;
        desc.mSize = wall.mSize;
        wall.mEntity = CreateRigEntity(mWidgetManager, desc);
    }

    desc.mDynamic = true;
    desc.mPrimitiveType = XtremaPHX2D::PRIMITIVE_CIRCLE;
    desc.mMass = kBallMass;
    desc.mMaterialName = "default";
    // "hidden_solid_geometry" passes through itself: in the walls' category the ball would
    // fall through the floor.
    desc.mCategoryName = "default";
    desc.mPlacement = kBallStart;
    desc.mSize = XtremaPHX2D::Vec2(kBallRadius, 0.0f);
    mTitleBall = CreateRigEntity(mWidgetManager, desc);
}

// Placing the body wakes it, so the world lets it fall again and the title bounces anew. Its
// speed is taken away too: placing keeps it, and a ball still bouncing would otherwise fly
// on from the start and come to rest at another time.
void GameBoard::ResetWallPosition()
{
    if (mTitleBall == nullptr)
        return;
    mTitleBall->setAbsPlacement(kBallStart);
    if (XtremaPHX2D::xBody* const body = mTitleBall->GetBody(); body != nullptr) {
        body->setLinearVelocity(XtremaPHX2D::Vec2(0.0f, 0.0f));
        body->setAngularVelocity(0.0f);
    }
}

float GameBoard::GetTitleBallY() const { return mTitleBall != nullptr ? mTitleBall->absPlacement().y : 0.0f; }

float GameBoard::GetTitleBallVelocityY() const
{
    if (mTitleBall == nullptr || mTitleBall->GetBody() == nullptr)
        return 0.0f;
    return mTitleBall->GetBody()->linearVelocity().y;
}
