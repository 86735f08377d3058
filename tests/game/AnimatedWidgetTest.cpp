#include "game/AnimatedWidget.h"

#include "tests/framework/widgets/WidgetPixels.h"
#include "tests/game/screens/MenuTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

const Color kRed(255, 0, 0);
const Color kGreen(0, 255, 0);
const Color kBlue(0, 0, 255);
const Color kYellow(255, 255, 0);

// ---------------------------------------------------------------------------------------
// Playing

struct PlayCase {
    const char* mName;
    int32_t mMode;
    int32_t mRows;
    std::vector<int32_t> mDelays;
    int32_t mStartFrame;
    int32_t mFrameLimit;
    bool mPlaying;
    // The cell and the status after each update, from status ANIM_READY.
    std::vector<int32_t> mFrames;
    std::vector<int32_t> mStatuses;
};

constexpr int32_t R = ANIM_READY;
constexpr int32_t G = ANIM_RUNNING;
constexpr int32_t F = ANIM_FINISHED;

const PlayCase kPlayCases[] = {
    // A cell of delay d shows for d + 1 updates.
    {"loop of one cell wraps on the step", PLAY_LOOP, 1, {2}, 0, -1, true, {0, 0, 0}, {R, R, G}},
    {"loop steps each cell after its own delay", PLAY_LOOP, 3, {0, 1, 0}, 0, -1, true, {1, 1, 2, 0, 1},
     {G, G, G, G, G}},
    {"loop wraps at the strip's rows, not the delays", PLAY_LOOP, 4, {0, 0, 0, 0, 0, 0}, 0, -1, true, {1, 2, 3, 0},
     {G, G, G, G}},
    {"loop wraps at its frame limit", PLAY_LOOP, 4, {0, 0, 0, 0}, 0, 2, true, {1, 0, 1, 0}, {G, G, G, G}},
    {"frame limit beyond the strip wraps at its end", PLAY_LOOP, 4, {0, 0, 0, 0, 0, 0}, 0, 9, true, {1, 2, 3, 0},
     {G, G, G, G}},
    {"once reaches the end and finishes on the next step", PLAY_ONCE, 4, {0, 0, 0, 0}, 0, -1, true,
     {1, 2, 3, 3, 3}, {R, R, R, F, F}},
    {"once put past the end comes back to the end cell", PLAY_ONCE, 4, {0, 0, 0, 0, 0, 0}, 5, -1, true, {3},
     {F}},
    {"backward loop wraps to the last cell", PLAY_LOOP_BACKWARD, 3, {1, 1, 1}, 0, -1, true, {0, 2, 2, 1, 1, 0},
     {R, G, G, G, G, G}},
    {"backward once finishes at cell 0", PLAY_ONCE_BACKWARD, 3, {0, 0, 0}, 2, -1, true, {1, 0, 0}, {R, R, F}},
    {"backward once from cell 0 finishes on the first step", PLAY_ONCE_BACKWARD, 3, {0, 0, 0}, 0, -1, true, {0},
     {F}},
    {"a paused strip never steps", PLAY_LOOP, 3, {0, 0, 0}, 0, -1, false, {0, 0, 0}, {R, R, R}},
    {"an unknown mode never steps", 7, 3, {0, 0, 0}, 1, -1, true, {1, 1}, {R, R}},
    {"a cell without a delay is never stepped", PLAY_LOOP, 4, {0, 0}, 3, -1, true, {3, 3}, {R, R}},
};

class AnimatedWidgetTest : public MenuScreenTest {};

TEST_F(AnimatedWidgetTest, PlayModesStepTheCellsByTheirDelays)
{
    for (const PlayCase& test : kPlayCases) {
        SCOPED_TRACE(test.mName);
        std::vector<Color> rows(static_cast<size_t>(test.mRows), kRed);
        const auto strip = StripImage(&mApp, 4, 4, rows);
        AnimatedWidget widget;
        widget.SetImage(strip.get());
        widget.AddFrameDelays(test.mDelays);
        widget.mPlayMode = test.mMode;
        widget.mFrame = test.mStartFrame;
        widget.mFrameLimit = test.mFrameLimit;
        widget.mPlaying = test.mPlaying;
        widget.mStatus = ANIM_READY;

        std::vector<int32_t> frames;
        std::vector<int32_t> statuses;
        for (size_t i = 0; i < test.mFrames.size(); ++i) {
            widget.Update();
            frames.push_back(widget.mFrame);
            statuses.push_back(widget.mStatus);
        }
        EXPECT_EQ(frames, test.mFrames);
        EXPECT_EQ(statuses, test.mStatuses);
    }
}

TEST_F(AnimatedWidgetTest, TickCountsUpdatesUntilTheStep)
{
    const auto strip = StripImage(&mApp, 4, 4, {kRed});
    AnimatedWidget widget;
    widget.SetImage(strip.get());
    widget.AddFrameDelay(2);
    std::vector<int32_t> ticks;
    for (int i = 0; i < 4; ++i) {
        widget.Update();
        ticks.push_back(widget.mTick);
    }
    EXPECT_EQ(ticks, (std::vector<int32_t>{1, 2, 0, 1}));
}

TEST_F(AnimatedWidgetTest, NothingPlayableResetsToNoCellAndNeverSteps)
{
    AnimatedWidget withoutImage;
    withoutImage.AddFrameDelayList({0, 0});
    withoutImage.ResetFrame();
    EXPECT_EQ(withoutImage.mFrame, -1);

    const auto strip = StripImage(&mApp, 4, 4, {kRed, kGreen});
    AnimatedWidget withoutDelays;
    withoutDelays.SetImage(strip.get());
    withoutDelays.ResetFrame();
    EXPECT_EQ(withoutDelays.mFrame, -1);
    for (AnimatedWidget* const widget : {&withoutImage, &withoutDelays}) {
        widget->Update();
        widget->Update();
        EXPECT_EQ(widget->mFrame, -1);
    }
}

TEST_F(AnimatedWidgetTest, NullImageKeepsTheOldOne)
{
    const auto strip = StripImage(&mApp, 4, 4, {kRed});
    AnimatedWidget widget;
    widget.SetImage(strip.get());
    widget.SetImage(nullptr);
    EXPECT_EQ(widget.mImage, strip.get());
}

// ---------------------------------------------------------------------------------------
// Spin

TEST_F(AnimatedWidgetTest, SpinSpeedIsAThreeHundredSixtiethPerUpdate)
{
    AnimatedWidget widget;
    widget.SetSpinSpeed(36.0f);
    widget.mPlaying = false;
    widget.Update();
    widget.Update();
    EXPECT_NEAR(widget.mAngle, 0.2, 1e-6) << "a paused strip still turns";
    EXPECT_EQ(widget.mTick, 0);

    widget.mSpinPaused = true;
    widget.Update();
    EXPECT_NEAR(widget.mAngle, 0.2, 1e-6);
}

TEST_F(AnimatedWidgetTest, SpinSpeedZeroKeepsTheOwnersAngle)
{
    AnimatedWidget widget;
    widget.SetSpinSpeed(0.0f);
    widget.mAngle = DegToRad(90.0f);
    for (int i = 0; i < 5; ++i)
        widget.Update();
    EXPECT_TRUE(widget.mSpinning);
    EXPECT_FLOAT_EQ(static_cast<float>(widget.mAngle), 90.0f * 0.017452888f);
}

// ---------------------------------------------------------------------------------------
// Set-up from an image

TEST_F(AnimatedWidgetTest, SetupWithoutAnimationDataPlaysEveryRowOnce)
{
    const auto strip = StripImage(&mApp, 30, 64, {kRed, kGreen, kBlue, kYellow});
    AnimatedWidget widget;
    widget.Move(40, 50);
    SetupAnimatedWidget(widget, strip.get());
    EXPECT_EQ(widget.mFrameDelays, (std::vector<int32_t>{6, 6, 6, 6}));
    EXPECT_EQ(widget.mPlayMode, PLAY_ONCE);
    EXPECT_EQ(widget.mStatus, ANIM_READY);
    EXPECT_EQ(widget.mFrame, 0);
    EXPECT_EQ(widget.mImage, strip.get());
    EXPECT_EQ(widget.GetRect(), Zest::Rect(0, 0, 30, 64));
}

struct SetupCase {
    const char* mName;
    int32_t mAnimType;
    std::vector<int32_t> mPerFrameDelay;
    int32_t mFrameDelay;
    std::vector<int32_t> mDelays;
    int32_t mMode;
};

const SetupCase kSetupCases[] = {
    {"a looping strip loops on its own delays", Zest::AnimInfo::ANIM_LOOP, {2, 3, 4}, 1, {2, 3, 4}, PLAY_LOOP},
    {"a play-once strip plays once", Zest::AnimInfo::ANIM_ONCE, {5, 5, 5}, 1, {5, 5, 5}, PLAY_ONCE},
    {"a ping-pong strip plays once", Zest::AnimInfo::ANIM_PING_PONG, {1, 2, 3}, 1, {1, 2, 3}, PLAY_ONCE},
    {"a strip with only a common delay gets it for every row", Zest::AnimInfo::ANIM_LOOP, {}, 4, {4, 4, 4},
     PLAY_LOOP},
};

TEST_F(AnimatedWidgetTest, SetupTakesTheImagesAnimationData)
{
    for (const SetupCase& test : kSetupCases) {
        SCOPED_TRACE(test.mName);
        const auto strip = StripImage(&mApp, 8, 8, {kRed, kGreen, kBlue});
        strip->mAnimInfo = std::make_unique<Zest::AnimInfo>();
        strip->mAnimInfo->mAnimType = test.mAnimType;
        strip->mAnimInfo->mPerFrameDelay = test.mPerFrameDelay;
        strip->mAnimInfo->mFrameDelay = test.mFrameDelay;
        AnimatedWidget widget;
        SetupAnimatedWidget(widget, strip.get());
        EXPECT_EQ(widget.mFrameDelays, test.mDelays);
        EXPECT_EQ(widget.mPlayMode, test.mMode);
        EXPECT_EQ(widget.GetFrameCount(), 3);
        EXPECT_EQ(widget.mFrame, 0);
    }
}

TEST_F(AnimatedWidgetTest, SetupWithoutImageLeavesNothingToPlay)
{
    AnimatedWidget widget;
    SetupAnimatedWidget(widget, nullptr);
    EXPECT_EQ(widget.mStatus, ANIM_READY);
    EXPECT_EQ(widget.mPlayMode, PLAY_ONCE);
    EXPECT_EQ(widget.mFrame, -1);
    EXPECT_TRUE(widget.mFrameDelays.empty());
}

// ---------------------------------------------------------------------------------------
// Copies

TEST_F(AnimatedWidgetTest, CopyHasItsOwnDelaysAndTheSameImageOutsideAnyTree)
{
    const auto strip = StripImage(&mApp, 8, 8, {kRed, kGreen});
    AnimatedWidget source;
    source.Resize(10, 20, 8, 8);
    SetupAnimatedWidget(source, strip.get());
    source.mFrame = 1;
    source.mScale = 2.0f;
    mManager.AddWidget(&source);

    std::vector<AnimatedWidget> copies(2, source);
    copies[1] = copies[0];
    for (AnimatedWidget& copy : copies) {
        EXPECT_EQ(copy.mImage, strip.get());
        EXPECT_EQ(copy.mFrame, 1);
        EXPECT_EQ(copy.mScale, 2.0f);
        EXPECT_EQ(copy.GetRect(), source.GetRect());
        EXPECT_EQ(copy.mParent, nullptr);
        EXPECT_EQ(copy.mWidgetManager, nullptr);
        copy.AddFrameDelay(9);
    }
    EXPECT_EQ(source.mFrameDelays.size(), 2u);
    mManager.RemoveWidget(&source);
}

// ---------------------------------------------------------------------------------------
// Drawing: a strip of four 16 x 16 cells in a widget of one cell, drawn at (100, 100) on the
// black screen, so the cell's middle is at (108, 108).

class AnimatedWidgetDrawTest : public AnimatedWidgetTest {
protected:
    void SetUp() override
    {
        mStrip = StripImage(&mApp, 16, 16, {kRed, kGreen, kBlue, kYellow});
        SetupAnimatedWidget(mWidget, mStrip.get());
    }

    void Draw(const bool colorize = false)
    {
        ClearScreen();
        Zest::Graphics g(&mScreen);
        g.SetColorizeImages(colorize);
        g.Translate(100, 100);
        mWidget.Draw(&g);
    }

    std::unique_ptr<Zest::MemoryImage> mStrip;
    AnimatedWidget mWidget;
};

TEST_F(AnimatedWidgetDrawTest, DrawsTheCurrentCellCentredInTheWidget)
{
    const Color cells[] = {kRed, kGreen, kBlue, kYellow};
    for (int32_t frame = 0; frame < 4; ++frame) {
        mWidget.mFrame = frame;
        Draw();
        EXPECT_TRUE(ShowsColor(cells[frame], Pixel(108, 108))) << "cell " << frame;
        EXPECT_TRUE(ShowsColor(cells[frame], Pixel(101, 114))) << "cell " << frame;
        EXPECT_TRUE(ShowsColor(Color::Black, Pixel(108, 118))) << "only one cell";
    }
}

TEST_F(AnimatedWidgetDrawTest, CellOutsideTheStripDrawsNothing)
{
    for (const int32_t frame : {-1, 4, 5, 1000}) {
        mWidget.mFrame = frame;
        Draw();
        for (int y = 84; y < 134; y += 2) {
            for (int x = 84; x < 134; x += 2)
                ASSERT_TRUE(ShowsColor(Color::Black, Pixel(x, y))) << "cell " << frame << " at " << x << "," << y;
        }
    }
}

TEST_F(AnimatedWidgetDrawTest, ScaleActsAboutTheCellCentreBeyondATolerance)
{
    mWidget.mScale = 1.0005f;
    Draw();
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(119, 108)));
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(97, 108)));

    mWidget.mScale = 1.5f;
    Draw();
    EXPECT_TRUE(ShowsColor(kRed, Pixel(117, 108)));
    EXPECT_TRUE(ShowsColor(kRed, Pixel(98, 98)));
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(122, 108)));
}

TEST_F(AnimatedWidgetDrawTest, RotationTurnsTheCellOnlyWhileSpinning)
{
    // A bar 32 wide and 8 high, centred at (116, 104).
    const auto bar = StripImage(&mApp, 32, 8, {kRed});
    mWidget.SetImage(bar.get());
    mWidget.Resize(0, 0, 32, 8);
    mWidget.mFrame = 0;
    mWidget.mAngle = DegToRad(90.0f);

    Draw();
    EXPECT_TRUE(ShowsColor(kRed, Pixel(128, 104))) << "not spinning: the angle is not used";
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(116, 94)));

    mWidget.SetSpinSpeed(0.0f);
    Draw();
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(128, 104)));
    EXPECT_TRUE(ShowsColor(kRed, Pixel(116, 94)));
}

TEST_F(AnimatedWidgetDrawTest, TintShowsOnlyWhileTheGraphicsColourises)
{
    const auto white = StripImage(&mApp, 16, 16, {Color::White});
    mWidget.SetImage(white.get());
    mWidget.SetColor(Color(0, 255, 0));
    Draw(false);
    EXPECT_TRUE(ShowsColor(Color::White, Pixel(108, 108)));
    Draw(true);
    EXPECT_TRUE(ShowsColor(Color(0, 255, 0), Pixel(108, 108)));
}

TEST_F(AnimatedWidgetDrawTest, AdditivePassAddsTheCellOnceMore)
{
    const auto dim = StripImage(&mApp, 16, 16, {Color(100, 0, 0)});
    mWidget.SetImage(dim.get());
    Draw();
    EXPECT_NEAR(Red(108, 108), 100, 2);
    mWidget.mAdditive = true;
    Draw();
    EXPECT_NEAR(Red(108, 108), 200, 3);
}

TEST_F(AnimatedWidgetDrawTest, ShadowIsDrawnInItsColourAtItsWholePixelOffset)
{
    const auto white = StripImage(&mApp, 16, 16, {Color::White});
    mWidget.SetImage(white.get());
    mWidget.mShadow = true;
    mWidget.mShadowColor = Color(0, 0, 255);
    mWidget.mShadowOffsetX = 30.9f;
    Draw();
    EXPECT_TRUE(ShowsColor(Color(0, 0, 255), Pixel(138, 108)));
    // Truncated to 30: the shadow ends where a cell at offset 30 ends.
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(146, 108)));
    EXPECT_TRUE(ShowsColor(Color::White, Pixel(108, 108))) << "the main pass in its own colour";
}

TEST_F(AnimatedWidgetDrawTest, SpriteWithAnOverlayPriorityDrawsOnlyInTheOverlayPass)
{
    mWidget.Resize(100, 100, 16, 16);
    mWidget.mOverlayPriority = 55;
    Draw();
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(108, 108)));

    mManager.AddWidget(&mWidget);
    ClearScreen();
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    EXPECT_TRUE(ShowsColor(kRed, Pixel(108, 108)));
    mManager.RemoveWidget(&mWidget);
}

} // namespace
} // namespace Tests
