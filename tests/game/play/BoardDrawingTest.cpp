#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "platform/physics/Body.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <numbers>
#include <ostream>
#include <vector>

namespace Zest {
// Colours in failure messages; internal, so that no other test's printer is overridden.
static void PrintTo(const Color& color, std::ostream* const out)
{
    *out << "(" << color.mRed << ", " << color.mGreen << ", " << color.mBlue << ", " << color.mAlpha << ")";
}
} // namespace Zest

namespace {

using Tests::Blit;
using Tests::RecordingScreen;

constexpr int32_t kPitch = GameBoard::kCellPitch;
const double kQuarterTurnBack = -std::numbers::pi / 2.0;

// A board of the Amazon's first stage in food-chain mode, idle, drawn on a recording screen
// as the widget manager draws it: translated to the board's corner.
class BoardDrawingTest : public Tests::PlayFixture {
protected:
    void StartIdle(const int32_t habitatIndex = 0, const int32_t mode = MODE_FOOD_CHAIN)
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay(habitatIndex, [mode](GameSession& session) {
            session.mStage.mMode = mode;
            session.mMode = mode;
        }));
        ASSERT_GE(RunUntilIdle(), 0);
    }

    const RecordingScreen& DrawNormal()
    {
        mScreen = std::make_unique<RecordingScreen>(800, 600, GameBoard::kX, GameBoard::kY);
        Zest::Graphics g(mScreen.get());
        g.Translate(Board().mX, Board().mY);
        Board().Draw(&g);
        return *mScreen;
    }

    const RecordingScreen& DrawOverlay()
    {
        mScreen = std::make_unique<RecordingScreen>(800, 600, GameBoard::kX, GameBoard::kY);
        Zest::Graphics g(mScreen.get());
        g.Translate(Board().mX, Board().mY);
        Board().DrawOverlay(&g);
        return *mScreen;
    }

    std::unique_ptr<RecordingScreen> mScreen;
};

// ---------------------------------------------------------------------------------------
// The normal pass

TEST_F(BoardDrawingTest, PlatesAndRescuedMarksLieUnderTheirCells)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    Board().mPlates.assign(GameBoard::kCells, -1);
    Board().mRescuedCells.assign(GameBoard::kCells, false);
    // Cells 0 to 4 hold a cleared plate, none, copper, silver and gold.
    const int32_t kinds[] = {-2, -1, 0, 1, 2};
    for (int32_t cell = 0; cell < 5; ++cell)
        Board().mPlates[7 + cell] = kinds[cell];
    Board().mRescuedCells[20] = true;

    const struct {
        const char* what;
        bool survivor;
        std::vector<std::pair<Zest::Image*, int32_t>> drawn;
    } cases[] = {
        {"plates only",
         false,
         {{IMAGE_GAME_PLATE_COPPPER, 9}, {IMAGE_GAME_PLATE_SILVER, 10}, {IMAGE_GAME_PLATE_GOLDEN, 11}}},
        {"plates and the rescued mark",
         true,
         {{IMAGE_GAME_PLATE_COPPPER, 9},
          {IMAGE_GAME_PLATE_SILVER, 10},
          {IMAGE_GAME_PLATE_GOLDEN, 11},
          {IMAGE_GAME_ANIMAL_RESCUED, 20}}},
    };
    for (const auto& [what, survivor, drawn] : cases) {
        Session().mSurvivorOn = survivor;
        const RecordingScreen& screen = DrawNormal();
        for (Zest::Image* const picture : {IMAGE_GAME_PLATE_COPPPER, IMAGE_GAME_PLATE_SILVER, IMAGE_GAME_PLATE_GOLDEN,
                                           IMAGE_GAME_ANIMAL_RESCUED}) {
            std::vector<std::pair<float, float>> expected;
            for (const auto& [image, cell] : drawn) {
                if (image == picture) {
                    expected.emplace_back(static_cast<float>(cell % 6 * kPitch - 7),
                                          static_cast<float>(cell / 6 * kPitch));
                }
            }
            std::vector<std::pair<float, float>> actual;
            for (const Blit& blit : screen.Of(picture)) {
                actual.emplace_back(blit.mX, blit.mY);
                EXPECT_EQ(blit.mColor, Zest::Color::White) << what;
            }
            EXPECT_EQ(actual, expected) << what;
        }
    }
}

TEST_F(BoardDrawingTest, ABoardWithoutPlatesDrawsOnlyItsTiles)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    Board().mPlates.assign(GameBoard::kCells, -1);
    const RecordingScreen& board = DrawNormal();
    // The tiles drawn by themselves, each at its place.
    RecordingScreen tiles(800, 600, GameBoard::kX, GameBoard::kY);
    Zest::Graphics g(&tiles);
    for (BoardTile* const tile : Board().mCells) {
        g.Translate(tile->mX, tile->mY);
        tile->Draw(&g);
        g.Translate(-tile->mX, -tile->mY);
    }
    ASSERT_FALSE(tiles.mBlits.empty());
    ASSERT_EQ(board.mBlits.size(), tiles.mBlits.size());
    for (size_t i = 0; i < tiles.mBlits.size(); ++i) {
        EXPECT_EQ(board.mBlits[i].mSource, tiles.mBlits[i].mSource) << i;
        EXPECT_FLOAT_EQ(board.mBlits[i].mX, tiles.mBlits[i].mX) << i;
        EXPECT_FLOAT_EQ(board.mBlits[i].mY, tiles.mBlits[i].mY) << i;
    }
}

// ---------------------------------------------------------------------------------------
// The target frame

TEST_F(BoardDrawingTest, EachFrameShapeLiesAtItsAnchor)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    // Anchor cell 8: column 2, row 1.
    const float ax = 2 * kPitch;
    const float ay = 1 * kPitch;
    const struct {
        int32_t shape;
        int32_t anchor;
        Zest::Image* picture;
        std::vector<std::pair<float, float>> corners;
        bool turned;
    } cases[] = {
        {0, 8, IMAGE_GAME_FRAMEX2, {{ax - 16, ay - 11}}, false},
        {0, GameBoard::kNoFrame, IMAGE_GAME_FRAMEX2, {{-16, -11}}, false},
        {1, 8, IMAGE_GAME_FRAMEX2, {{ax - 59, ay + 35}}, true},
        {2, 8, IMAGE_GAME_FRAMEX3, {{ax - 16, ay - 11}}, false},
        {3, 8, IMAGE_GAME_FRAMEX3, {{ax - 103, ay + 78}}, true},
        {4, 8, IMAGE_GAME_FRAME_SQUARE, {{ax - 16, ay - 11}}, false},
        {5, 8, IMAGE_GAME_FRAMEX2L, {{ax - 16, ay - 11}}, false},
        {6, 8, IMAGE_GAME_FRAMEX1, {{kPitch - 16, -11}, {ax - 16, ay - 11}, {3 * kPitch - 16, 2 * kPitch - 11}}, false},
        {7, 8, IMAGE_GAME_FRAMEX1, {{kPitch - 16, -11}, {ax - 16, ay - 11}, {3 * kPitch - 16, 2 * kPitch - 11}}, false},
        {8, 8, IMAGE_GAME_FRAMEX1, {{kPitch - 16, -11}, {ax - 16, ay - 11}, {3 * kPitch - 16, 2 * kPitch - 11}}, false},
    };
    Board().mFrameCells = {1, 8, 15};
    const std::vector<Zest::Image*> frames = {IMAGE_GAME_FRAMEX1, IMAGE_GAME_FRAMEX2, IMAGE_GAME_FRAMEX2L,
                                              IMAGE_GAME_FRAMEX3, IMAGE_GAME_FRAME_SQUARE};
    for (const auto& [shape, anchor, picture, corners, turned] : cases) {
        Board().mFrameShape = shape;
        Board().mFrameAnchor = anchor;
        const RecordingScreen& screen = DrawOverlay();
        const std::vector<Blit> drawn = screen.Of(picture);
        ASSERT_EQ(drawn.size(), corners.size()) << "shape " << shape;
        for (size_t i = 0; i < corners.size(); ++i) {
            EXPECT_FLOAT_EQ(drawn[i].mX, corners[i].first) << "shape " << shape;
            EXPECT_FLOAT_EQ(drawn[i].mY, corners[i].second) << "shape " << shape;
            EXPECT_EQ(drawn[i].mColor, Zest::Color::White) << "shape " << shape;
            if (turned) {
                // About its own centre, the halves truncated.
                EXPECT_NEAR(drawn[i].mAngle, kQuarterTurnBack, 1e-3) << "shape " << shape;
                EXPECT_FLOAT_EQ(drawn[i].mCentreX, static_cast<float>(picture->GetWidth() / 2)) << "shape " << shape;
                EXPECT_FLOAT_EQ(drawn[i].mCentreY, static_cast<float>(picture->GetHeight() / 2)) << "shape " << shape;
            } else {
                EXPECT_EQ(drawn[i].mAngle, 0.0) << "shape " << shape;
            }
        }
        size_t framesDrawn = 0;
        for (Zest::Image* const frame : frames)
            framesDrawn += screen.Of(frame).size();
        EXPECT_EQ(framesDrawn, corners.size()) << "shape " << shape << " draws another frame too";
    }
}

TEST_F(BoardDrawingTest, TheFrameHidesDuringDealInTwirlSurvivorSearchAndStageEvents)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    Board().mFrameShape = 0;
    Board().mFrameAnchor = 0;
    const struct {
        const char* what;
        int32_t phase;
        int32_t mode;
        bool survivor;
        int32_t state;
        bool shown;
    } cases[] = {
        {"idle play", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_PLAY, true},
        {"settling after a chain", PHASE_SETTLE, MODE_MATCH_SAME, false, STATE_PLAY, true},
        {"deal-in", PHASE_DEAL_IN, MODE_FOOD_CHAIN, false, STATE_PLAY, false},
        {"twirl", PHASE_TWIRL, MODE_FOOD_CHAIN, false, STATE_PLAY, false},
        {"match search", PHASE_IDLE, MODE_MATCH_SEARCH, false, STATE_PLAY, false},
        {"survivor game", PHASE_IDLE, MODE_FOOD_CHAIN, true, STATE_PLAY, false},
        {"survivor intro", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_SURVIVOR_INTRO, false},
        {"stage cleared", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_STAGE_CLEARED, false},
        {"stage start", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_STAGE_START, false},
        {"stage settling", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_STAGE_SETTLING, false},
        {"goal complete", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_GOAL_COMPLETE, false},
        {"event running", PHASE_IDLE, MODE_FOOD_CHAIN, false, STATE_EVENT_RUNNING, true},
    };
    for (const auto& [what, phase, mode, survivor, state, shown] : cases) {
        Board().mPhase = phase;
        Session().mMode = mode;
        Session().mSurvivorOn = survivor;
        Session().mState = state;
        EXPECT_EQ(DrawOverlay().Of(IMAGE_GAME_FRAMEX2).size(), shown ? 1u : 0u) << what;
    }
}

// ---------------------------------------------------------------------------------------
// The selection line

TEST_F(BoardDrawingTest, TheLineDrawsAnEvenNumberOfPointsWithAGlintAroundTheStep)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    Board().mSelectionPath.clear();
    for (int32_t j = 0; j < 13; ++j)
        Board().mSelectionPath.push_back({10.0f + 8.0f * j, 40.0f, 0.25f});
    Board().mPathStep = 5;

    const RecordingScreen& screen = DrawOverlay();
    const std::vector<Blit> elements = screen.Of(IMAGE_GAME_LINE_ELEMENT);
    // 13 points draw 12; 12 points make the glint 3 wide, so it covers the step and the two
    // points on each side, its blue rising by 12 x 0.25 per point away from the step.
    ASSERT_EQ(elements.size(), 12u);
    const int32_t blue[] = {-1, -1, -1, 6, 3, 0, 3, 6, -1, -1, -1, -1};
    for (size_t j = 0; j < elements.size(); ++j) {
        EXPECT_FLOAT_EQ(elements[j].mX, 10.0f + 8.0f * j) << j;
        EXPECT_FLOAT_EQ(elements[j].mY, 40.0f) << j;
        EXPECT_NEAR(elements[j].mAngle, 0.25, 1e-6) << j;
        const Zest::Color expected = blue[j] < 0 ? Zest::Color::White : Zest::Color(255, 255, blue[j], 255);
        EXPECT_EQ(elements[j].mColor, expected) << j;
    }
    // The streak rides on the step's point, centred, 3 pixels lower.
    const std::vector<Blit> streaks = screen.Of(IMAGE_GAME_EFFECTSTREAK);
    ASSERT_EQ(streaks.size(), 1u);
    EXPECT_NEAR(streaks[0].mX, 10.0f + 8.0f * 5, 1.0f);
    EXPECT_NEAR(streaks[0].mY, 43.0f, 1.0f);
}

TEST_F(BoardDrawingTest, AChainOfTwoTilesDrawsItsLineFromCentreToCentre)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    BoardTile* const first = Board().GetTile(1, 2);
    BoardTile* const second = Board().GetTile(2, 3);
    Board().mChain = {first, second};
    Board().BuildSelectionPath();

    const std::vector<Blit> elements = DrawOverlay().Of(IMAGE_GAME_LINE_ELEMENT);
    ASSERT_GE(elements.size(), 2u);
    const float startX = first->mX - Board().mX + BoardTile::kSize / 2;
    const float startY = first->mY - Board().mY + BoardTile::kSize / 2;
    const float endX = second->mX - Board().mX + BoardTile::kSize / 2;
    const float endY = second->mY - Board().mY + BoardTile::kSize / 2;
    // Every element on the diagonal between the two centres, in order, 8 pixels apart.
    for (size_t j = 0; j < elements.size(); ++j) {
        const float along = 8.0f * static_cast<float>(j) / std::sqrt(2.0f);
        EXPECT_NEAR(elements[j].mX, startX + along, 0.01f) << j;
        EXPECT_NEAR(elements[j].mY, startY + along, 0.01f) << j;
        EXPECT_LE(elements[j].mX, endX) << j;
        EXPECT_LE(elements[j].mY, endY) << j;
    }
    Board().ClearSelection();
    Board().mSelectionPath.clear();
    EXPECT_TRUE(DrawOverlay().Of(IMAGE_GAME_LINE_ELEMENT).empty());
}

// ---------------------------------------------------------------------------------------
// The match-search view

TEST_F(BoardDrawingTest, TheSearchMaskOpensAWindowAroundTheMouseOnlyWhileItIsOverTheBoard)
{
    // The Arctic's board has the mask.
    ASSERT_NO_FATAL_FAILURE(StartIdle(3, MODE_MATCH_SEARCH));
    ASSERT_EQ(Session().mHabitat->GetName(), "Arctic");
    Zest::Image* const mask = Board().mMaskImage;
    ASSERT_NE(mask, nullptr);
    const int32_t mouseX = Board().mX + 240;
    const int32_t mouseY = Board().mY + 200;
    Board().mMouseX = mouseX;
    Board().mMouseY = mouseY;

    // The screen pixels the mask's pieces covered.
    const auto covers = [](const std::vector<Blit>& pieces, const int32_t x, const int32_t y) {
        return std::any_of(pieces.begin(), pieces.end(), [x, y](const Blit& piece) {
            const Zest::Rect& r = piece.mCovered;
            return x >= r.mX && x < r.mX + r.mWidth && y >= r.mY && y < r.mY + r.mHeight;
        });
    };

    Board().mIsOver = false;
    const std::vector<Blit> whole = DrawOverlay().Of(mask);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_FLOAT_EQ(whole[0].mX, -16.0f);
    EXPECT_FLOAT_EQ(whole[0].mY, -16.0f);
    EXPECT_TRUE(covers(whole, mouseX, mouseY));
    EXPECT_TRUE(DrawOverlay().Of(IMAGE_GAME_FRAMEX1).empty()) << "no search cursor off the board";

    Board().mIsOver = true;
    const RecordingScreen& screen = DrawOverlay();
    const std::vector<Blit> pieces = screen.Of(mask);
    EXPECT_EQ(pieces.size(), 4u);
    // The window: 100 x 100 centred on the mouse; the mask stays on all around it.
    for (const int32_t d : {-49, 0, 49}) {
        EXPECT_FALSE(covers(pieces, mouseX + d, mouseY)) << d;
        EXPECT_FALSE(covers(pieces, mouseX, mouseY + d)) << d;
    }
    for (const auto& [dx, dy] : {std::pair{-51, 0}, {51, 0}, {0, -51}, {0, 51}, {-60, -60}, {60, 60}})
        EXPECT_TRUE(covers(pieces, mouseX + dx, mouseY + dy)) << dx << ", " << dy;
    for (const Blit& piece : pieces)
        EXPECT_EQ(piece.mColor, Zest::Color(255, 255, 255, Board().mFadeIn));
}

// ---------------------------------------------------------------------------------------
// The title rig and the stage title

TEST_F(BoardDrawingTest, TheTitleBallComesToRestOnTheFloorAndFallsAgainWhenReset)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    const xPhysicsPrimitiveEntity* const ball = Board().mTitleBall;
    ASSERT_NE(ball, nullptr);
    ASSERT_NE(ball->GetBody(), nullptr);
    EXPECT_FLOAT_EQ(ball->absPlacement().y, 150.0f);

    int32_t update = 0;
    for (; update < 600; ++update) {
        if (!ball->GetBody()->isActive())
            break;
        RunFrames(1);
    }
    ASSERT_LT(update, 600) << "the ball never came to rest";
    EXPECT_NEAR(ball->absPlacement().y, 560.0f, 1.0f);
    EXPECT_NEAR(ball->absPlacement().x, 0.0f, 1.0f);
    EXPECT_EQ(ball->GetBody()->linearVelocity().y, 0.0f);
    RunFrames(10);
    EXPECT_NEAR(ball->absPlacement().y, 560.0f, 1.0f) << "the resting ball moved";

    Board().ResetWallPosition();
    EXPECT_FLOAT_EQ(ball->absPlacement().y, 150.0f);
    RunFrames(20);
    EXPECT_GT(ball->absPlacement().y, 150.0f) << "the ball no longer falls";
    EXPECT_LT(ball->absPlacement().y, 560.0f);
}

TEST_F(BoardDrawingTest, TheRigIsInvisibleAndLeavesWithTheBoard)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    GameBoard& board = Board();
    const std::vector<xPhysicsPrimitiveEntity*> rig = {board.mWallTop, board.mWallFloor, board.mWallLeft,
                                                       board.mWallRight, board.mTitleBall};
    for (xPhysicsPrimitiveEntity* const entity : rig) {
        ASSERT_NE(entity, nullptr);
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(entity));
        RecordingScreen screen(800, 600, GameBoard::kX, GameBoard::kY);
        Zest::Graphics g(&screen);
        entity->DrawOverlay(&g);
        EXPECT_EQ(screen.mLines, 0);
        EXPECT_TRUE(screen.mBlits.empty());
    }
    mApp->RemoveGameSession();
    mApp->DeleteDeferredWidgets();
    for (const xPhysicsPrimitiveEntity* const entity : rig)
        EXPECT_FALSE(mApp->mWidgetManager->HasWidget(entity));
}

TEST_F(BoardDrawingTest, TheStageTitleShowsOnlyDuringTheFirstStagesDealIn)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    // The ball held at 400: the label's bottom edge 300 above the ball's bottom, the stage's
    // picture as far below the resting ball's bottom.
    Board().mTitleBall->setAbsPlacement({0.0f, 400.0f, 0.0f});
    const float ballBottom = 440.0f;
    const struct {
        const char* what;
        int32_t phase;
        int32_t stageIndex;
        bool shown;
    } cases[] = {
        {"deal-in of the first stage", PHASE_DEAL_IN, 0, true},
        {"idle first stage", PHASE_IDLE, 0, false},
        {"deal-in of the second stage", PHASE_DEAL_IN, 1, false},
    };
    Zest::Image* const label = IMAGE_GAME_LABEL_STAGE;
    Zest::Image* const stage = IMAGE_GAME_STAGE_AM;
    for (const auto& [what, phase, stageIndex, shown] : cases) {
        Board().mPhase = phase;
        Session().mStage.mIndex = stageIndex;
        const RecordingScreen& screen = DrawOverlay();
        const std::vector<Blit> labels = screen.Of(label);
        const std::vector<Blit> stages = screen.Of(stage);
        ASSERT_EQ(labels.size(), shown ? 1u : 0u) << what;
        ASSERT_EQ(stages.size(), shown ? 1u : 0u) << what;
        if (!shown)
            continue;
        EXPECT_FLOAT_EQ(labels[0].mX, static_cast<float>((GameBoard::kWidth - label->GetWidth()) / 2));
        EXPECT_FLOAT_EQ(labels[0].mY, ballBottom - 300.0f - static_cast<float>(label->GetHeight()));
        EXPECT_FLOAT_EQ(stages[0].mX, static_cast<float>((GameBoard::kWidth - stage->GetWidth()) / 2));
        EXPECT_FLOAT_EQ(stages[0].mY, 560.0f - ballBottom + 300.0f);
        EXPECT_EQ(labels[0].mColor, Zest::Color::White);
    }
}

} // namespace
