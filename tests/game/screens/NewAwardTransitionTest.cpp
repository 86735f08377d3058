// The new-award transition over a stand-in game whose ball the tests place: when it opens the
// awards screen, and the darkening and the two pictures it draws as the ball falls.

#include "game/screens/NewAwardTransition.h"

#include "framework/graphics/Graphics.h"
#include "game/Res.h"
#include "game/screens/NewAwardHost.h"
#include "tests/framework/widgets/WidgetPixels.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/MenuTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

constexpr int32_t kAward = 12;
// Odd widths, so that centring the pictures leaves half a pixel.
constexpr int kNewWidth = 261;
constexpr int kNewHeight = 91;
constexpr int kAwardWidth = 359;
constexpr int kAwardHeight = 100;

// The ball where the test puts it; opening the awards screen is recorded and leaves the
// screen open until the test closes it.
class StandInNewAwardHost : public NewAwardHost {
public:
    float GetWallY() const override { return mWallY; }
    float GetWallVelocityY() const override { return mWallVelocityY; }
    bool IsAwardsScreenOpen() const override { return mAwardsScreenOpen; }
    void ShowAwardsScreen(const int32_t newAward) override
    {
        mOpened.push_back(newAward);
        mAwardsScreenOpen = true;
    }

    // At rest on the floor.
    float mWallY = 560.0f;
    float mWallVelocityY = 0.0f;
    bool mAwardsScreenOpen = false;
    std::vector<int32_t> mOpened;
};

// A screen that also records its fills, with the number of pictures drawn before each.
class FillRecordingScreen : public RecordingScreen {
public:
    FillRecordingScreen() : RecordingScreen(800, 600) {}

    void FillRect(const Zest::Rect& rect, const Color& color, int) override
    {
        mFills.push_back({rect, color, mBlits.size()});
    }

    struct Fill {
        Zest::Rect mRect;
        Color mColor;
        size_t mBlitsBefore;
    };
    std::vector<Fill> mFills;
};

// Draws its own picture in the overlay pass at its priority.
class OverlayMarker : public Zest::Widget {
public:
    OverlayMarker(Zest::Image* const picture, const int priority) : mPicture(picture), mPriority(priority) {}

    void Draw(Zest::Graphics*) override { DeferOverlay(mPriority); }
    void DrawOverlay(Zest::Graphics* const g) override { g->DrawImage(mPicture, 0, 0); }

    Zest::Image* mPicture;
    int mPriority;
};

class NewAwardTransitionTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        IMAGE_GAME_CHEER_LABEL_NEW = mNewLabel.get();
        IMAGE_GAME_CHEER_LABEL_AWARD = mAwardLabel.get();
    }

    void TearDown() override
    {
        IMAGE_GAME_CHEER_LABEL_NEW = nullptr;
        IMAGE_GAME_CHEER_LABEL_AWARD = nullptr;
    }

    // A fresh transition over the whole screen, as the game opens it; the one before goes.
    NewAwardTransition& Open()
    {
        if (mTransition != nullptr)
            mManager.RemoveWidget(mTransition);
        mTransition = Keep(std::make_unique<NewAwardTransition>(&mGame, kAward));
        mTransition->Resize(0, 0, 800, 600);
        mManager.AddWidget(mTransition);
        return *mTransition;
    }

    void RunUpdates(const int count)
    {
        for (int update = 0; update < count; ++update)
            mManager.UpdateFrameSmooth(1.0f);
    }

    const FillRecordingScreen& DrawOverlay(NewAwardTransition& transition)
    {
        mRecording = std::make_unique<FillRecordingScreen>();
        Zest::Graphics g(mRecording.get());
        transition.DrawOverlay(&g);
        return *mRecording;
    }

    StandInNewAwardHost mGame;
    NewAwardTransition* mTransition = nullptr;
    std::unique_ptr<Zest::MemoryImage> mNewLabel = SolidImage(&mApp, kNewWidth, kNewHeight, Color::White);
    std::unique_ptr<Zest::MemoryImage> mAwardLabel = SolidImage(&mApp, kAwardWidth, kAwardHeight, Color::White);
    std::unique_ptr<FillRecordingScreen> mRecording;
};

struct OpeningCase {
    const char* mName;
    float mWallY;
    float mWallVelocityY;
    bool mOtherScreenOpen;
    int mUpdates;
    bool mOpens;
};

TEST_F(NewAwardTransitionTest, TheAwardsScreenOpensOnlyOnceTheBallRestsLowAfterTheFirst220Updates)
{
    const OpeningCase cases[] = {
        {"at rest from the start, 220 updates", 560.0f, 0.0f, false, 220, false},
        {"at rest from the start, the 221st update", 560.0f, 0.0f, false, 221, true},
        {"just below the line", 500.5f, 0.0f, false, 221, true},
        {"on the line", 500.0f, 0.0f, false, 400, false},
        {"high on the screen", 150.0f, 0.0f, false, 400, false},
        {"falling at the threshold speed", 560.0f, 0.0001f, false, 400, false},
        {"rising at the threshold speed", 560.0f, -0.0001f, false, 400, false},
        {"drifting just under the threshold speed", 560.0f, -0.00009f, false, 221, true},
        {"another awards screen open", 560.0f, 0.0f, true, 400, false},
    };
    for (const OpeningCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mGame.mOpened.clear();
        mGame.mWallY = test.mWallY;
        mGame.mWallVelocityY = test.mWallVelocityY;
        mGame.mAwardsScreenOpen = test.mOtherScreenOpen;
        const NewAwardTransition& transition = Open();
        RunUpdates(test.mUpdates);
        EXPECT_EQ(transition.mUpdateCount, test.mUpdates);
        EXPECT_EQ(mGame.mOpened, test.mOpens ? std::vector<int32_t>{kAward} : std::vector<int32_t>{});
        EXPECT_EQ(transition.mScreenOpened, test.mOpens ? 1 : 0);
    }
}

TEST_F(NewAwardTransitionTest, AnOpenAwardsScreenHoldsItBackUntilClosedAndItsOwnOpensOnlyOnce)
{
    mGame.mAwardsScreenOpen = true;
    const NewAwardTransition& transition = Open();
    RunUpdates(300);
    EXPECT_TRUE(mGame.mOpened.empty());

    mGame.mAwardsScreenOpen = false;
    RunUpdates(1);
    EXPECT_EQ(mGame.mOpened, std::vector<int32_t>{kAward}) << "at the first update after the other closed";

    // Its own screen closed again, with the ball still at rest: the transition only counts.
    mGame.mAwardsScreenOpen = false;
    RunUpdates(300);
    EXPECT_EQ(mGame.mOpened, std::vector<int32_t>{kAward});
    EXPECT_EQ(transition.mUpdateCount, 601);
}

TEST_F(NewAwardTransitionTest, ABallComingToRestLateOpensTheScreenAtTheUpdateItRests)
{
    mGame.mWallY = 480.0f;
    mGame.mWallVelocityY = 2.0f;
    Open();
    RunUpdates(250);
    mGame.mWallY = 560.0f;
    RunUpdates(10);
    EXPECT_TRUE(mGame.mOpened.empty()) << "still moving";
    mGame.mWallVelocityY = 0.0f;
    RunUpdates(1);
    EXPECT_EQ(mGame.mOpened, std::vector<int32_t>{kAward});
}

struct ShadeCase {
    float mWallY;
    // None is drawn at 0.
    int mAlpha;
};

// The grey darkens by one step of alpha for every 3.35 pixels the ball comes down, reaching
// 128 at rest; placed far above or below its fall the ball must not wrap the colour.
TEST_F(NewAwardTransitionTest, TheDarkeningGrowsAsTheBallFallsAndStaysAColour)
{
    const ShadeCase cases[] = {
        {100.0f, 0}, {150.0f, 6}, {500.0f, 111}, {560.0f, 128}, {1000.0f, 255},
    };
    NewAwardTransition& transition = Open();
    for (const ShadeCase& test : cases) {
        SCOPED_TRACE("ball at y " + std::to_string(test.mWallY));
        mGame.mWallY = test.mWallY;
        const FillRecordingScreen& drawn = DrawOverlay(transition);
        for (const FillRecordingScreen::Fill& fill : drawn.mFills) {
            for (const int component : {fill.mColor.mRed, fill.mColor.mGreen, fill.mColor.mBlue, fill.mColor.mAlpha}) {
                EXPECT_GE(component, 0);
                EXPECT_LE(component, 255);
            }
        }
        if (test.mAlpha == 0) {
            EXPECT_TRUE(drawn.mFills.empty());
            continue;
        }
        ASSERT_EQ(drawn.mFills.size(), 1u);
        EXPECT_EQ(drawn.mFills[0].mRect, Zest::Rect(0, 0, 800, 600));
        EXPECT_EQ(drawn.mFills[0].mColor, Color(32, 32, 32, test.mAlpha));
        EXPECT_EQ(drawn.mFills[0].mBlitsBefore, 0u) << "under the pictures";
    }
}

// "NEW" rides with its bottom 300 pixels above the ball and "AWARD" rises from below as the
// ball comes down, both centred on the board's strip; the overlay lies between what other
// widgets draw at 298 and at 300.
TEST_F(NewAwardTransitionTest, ThePicturesFollowTheBallInTheOverlayUnderTheAwardsScreen)
{
    const auto below = SolidImage(&mApp, 4, 4, Color(0, 0, 255));
    const auto above = SolidImage(&mApp, 4, 4, Color(255, 0, 0));
    auto* const over = Keep(std::make_unique<OverlayMarker>(above.get(), 300));
    over->Resize(0, 0, 4, 4);
    mManager.AddWidget(over);
    Open();
    auto* const under = Keep(std::make_unique<OverlayMarker>(below.get(), 298));
    under->Resize(0, 0, 4, 4);
    mManager.AddWidget(under);
    mGame.mWallY = 400.25f;

    FillRecordingScreen drawn;
    mManager.mScreenImage = &drawn;
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    mManager.mScreenImage = &mScreen;

    ASSERT_EQ(drawn.mBlits.size(), 4u);
    EXPECT_EQ(drawn.mBlits[0].mSource, below.get());
    EXPECT_EQ(drawn.mBlits[3].mSource, above.get());
    const Blit& newLabel = drawn.mBlits[1];
    EXPECT_EQ(newLabel.mSource, mNewLabel.get());
    EXPECT_EQ(newLabel.mX, 391.5f);
    EXPECT_EQ(newLabel.mY, 9.25f);
    EXPECT_EQ(newLabel.mColor, Color::White);
    const Blit& awardLabel = drawn.mBlits[2];
    EXPECT_EQ(awardLabel.mSource, mAwardLabel.get());
    EXPECT_EQ(awardLabel.mX, 342.5f);
    EXPECT_EQ(awardLabel.mY, 459.75f);
    EXPECT_EQ(awardLabel.mColor, Color::White);
    ASSERT_EQ(drawn.mFills.size(), 1u);
    EXPECT_EQ(drawn.mFills[0].mBlitsBefore, 1u);
}

} // namespace
} // namespace Tests
