#include "game/screens/TitleScreen.h"

#include "game/screens/MenuItem.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "tests/framework/widgets/WidgetPixels.h"
#include "tests/game/screens/FakeHosts.h"
#include "tests/game/screens/MenuTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

constexpr int kLogoSound = 5;
const Color kBackgroundColor(0, 0, 120);
const Color kLogoColor(200, 200, 200);
const Color kLabelColor(255, 0, 0);
const Color kBarColor(0, 255, 0);
constexpr int kBarWidth = 400;
constexpr int kBarHeight = 20;
// The bar is centred: it starts at (800 - 400) / 2.
constexpr int kBarLeft = 200;
constexpr int kBarRow = 450 + kBarHeight / 2;

// The title's resource variables set to plain pictures and recording fonts, a title screen
// of 800 x 600 in the manager, and the button's text in the string table.
class TitleScreenTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        IMAGE_TITLE_BACKGROUND = mBackground.get();
        IMAGE_TITLE_COMPANY_LOGO = mLogo.get();
        IMAGE_LOADING_LABEL = mLabel.get();
        IMAGE_LOADING_PROGRESS_BAR = mBar.get();
        FONT_LEGALS = &mLegalsFont;
        FONT_IN_GAME_LABELS = &mLabelFont;
        SOUND_LOGO = kLogoSound;
        StringTableHolder::Instance().SetString("BTN_CLICK_HERE", "Click to start");

        mTitle = new TitleScreen(&mLoading, &mNavigation);
        mTitle->Resize(0, 0, 800, 600);
        mManager.AddWidget(mTitle);
    }

    void TearDown() override
    {
        // A title that has not handed itself over is still the test's.
        if (mTitle->mParent != nullptr) {
            mManager.RemoveWidget(mTitle);
            delete mTitle;
        }
        IMAGE_TITLE_BACKGROUND = IMAGE_TITLE_COMPANY_LOGO = IMAGE_LOADING_LABEL = IMAGE_LOADING_PROGRESS_BAR = nullptr;
        FONT_LEGALS = FONT_IN_GAME_LABELS = nullptr;
        SOUND_LOGO = 0;
    }

    void Updates(const int count, const float fraction = 1.0f)
    {
        for (int i = 0; i < count; ++i)
            mManager.UpdateFrameSmooth(fraction);
    }

    // Loading complete, the button made and faded in fully at that fraction.
    void ShowSteadyButton(const float fraction)
    {
        mLoading.mProgress = 1.0;
        while (mTitle->mClickHereButton == nullptr || mTitle->mClickHereButton->mFadeState != FADE_NONE)
            Updates(1, fraction);
    }

    void ClickButtonArea()
    {
        mManager.MouseMove(400, 535);
        mManager.MouseDown(400, 535, 1);
        mManager.MouseUp(400, 535, 1);
    }

    void DrawTitle()
    {
        ClearScreen();
        Zest::Graphics g(&mScreen);
        mTitle->Draw(&g);
    }

    std::unique_ptr<Zest::MemoryImage> mBackground = SolidImage(&mApp, 800, 600, kBackgroundColor);
    std::unique_ptr<Zest::MemoryImage> mLogo = SolidImage(&mApp, 800, 600, kLogoColor);
    std::unique_ptr<Zest::MemoryImage> mLabel = SolidImage(&mApp, 100, 10, kLabelColor);
    std::unique_ptr<Zest::MemoryImage> mBar = SolidImage(&mApp, kBarWidth, kBarHeight, kBarColor);
    RunRecordingFont mLegalsFont;
    RunRecordingFont mLabelFont;
    FakeLoadingHost mLoading;
    FakeNavigationHost mNavigation{mServices.mLog, mManager};
    TitleScreen* mTitle = nullptr;
};

// ---------------------------------------------------------------------------------------
// The button

struct ButtonCase {
    double mProgress;
    bool mFailed;
    bool mButton;
};

TEST_F(TitleScreenTest, TheButtonAppearsInTheFirstUpdateWithCompleteLoadingUnlessLoadingFailed)
{
    // 0.995 is 99 percent: truncated, not rounded.
    const ButtonCase cases[] = {{0.0, false, false}, {0.995, false, false}, {1.0, true, false}, {1.0, false, true}};
    for (const ButtonCase& test : cases) {
        SCOPED_TRACE(testing::Message() << "progress " << test.mProgress << (test.mFailed ? ", failed" : ""));
        mLoading.mProgress = test.mProgress;
        mLoading.mFailed = test.mFailed;
        Updates(1);
        ASSERT_EQ(mTitle->mClickHereButton != nullptr, test.mButton);
    }

    MenuItem* const button = mTitle->mClickHereButton;
    EXPECT_TRUE(mManager.HasWidget(button)) << "a top-level widget above the title";
    EXPECT_EQ(button->GetRect(), Zest::Rect(320, 520, 160, 30));
    EXPECT_EQ(button->mLabel, "Click to start");
    EXPECT_EQ(button->mFont, &mLabelFont);
    EXPECT_EQ(button->mLabelJustification, 0);
    EXPECT_EQ(button->mLabelColor, Color(239, 234, 135));
    EXPECT_EQ(button->mLabelOverColor, Color(240, 240, 100));
    EXPECT_EQ(button->mFadeState, FADE_IN);
    EXPECT_FLOAT_EQ(button->mAlpha, 4.0f) << "the button faded in already in its first update";

    Updates(3);
    EXPECT_EQ(mTitle->mClickHereButton, button) << "made once";
}

TEST_F(TitleScreenTest, AClickOnlyCountsOnceTheButtonIsFullyShownAndTakesTheButtonAway)
{
    mLoading.mProgress = 1.0;
    Updates(10);
    MenuItem* const button = mTitle->mClickHereButton;
    ASSERT_NE(button, nullptr);
    ClickButtonArea();
    EXPECT_EQ(mTitle->mState, TitleScreen::TITLE_WAIT) << "still fading in";

    ShowSteadyButton(1.0f);
    ClickButtonArea();
    EXPECT_EQ(mTitle->mState, TitleScreen::FADE_OUT);
    EXPECT_EQ(mTitle->mClickHereButton, nullptr);
    EXPECT_FALSE(mManager.HasWidget(button));
    EXPECT_EQ(mServices.mDeferred, std::vector<Zest::Widget*>{button}) << "deleted after the update, not at once";
}

// ---------------------------------------------------------------------------------------
// The sequence after the click

// Counted in frames, so it is the same at any frame rate.
TEST_F(TitleScreenTest, TheLogoSoundAndTheHandOverComeAtTheirFramesAtAnyFrameFraction)
{
    for (const float fraction : {1.0f, 5.0f / 3.0f}) {
        SCOPED_TRACE(testing::Message() << "fraction " << fraction);
        if (mTitle->mParent == nullptr) {
            mTitle = new TitleScreen(&mLoading, &mNavigation);
            mTitle->Resize(0, 0, 800, 600);
            mManager.AddWidget(mTitle);
        }
        ShowSteadyButton(fraction);
        ClickButtonArea();
        mServices.TakeLog();

        std::vector<std::pair<int, std::string>> events;
        for (int frame = 1; frame <= 900 && mTitle->mParent != nullptr; ++frame) {
            Updates(1, fraction);
            for (const std::string& event : mServices.TakeLog())
                events.emplace_back(frame, event);
            if (frame == 128) {
                EXPECT_EQ(mTitle->mState, TitleScreen::LOGO_START);
                EXPECT_EQ(mTitle->mImage, mLogo.get());
            }
            if (frame == 680)
                EXPECT_EQ(mTitle->mState, TitleScreen::FADE_OUT) << "the logo's 551st frame";
        }
        // The title's alpha first drops below 64 (to 63) in its 96th frame of fading; the
        // logo starts in frame 129, shows 551 frames and fades for 128.
        const std::vector<std::pair<int, std::string>> expected = {{96, "sound 5"}, {808, "title finished"}};
        EXPECT_EQ(events, expected);
        EXPECT_FALSE(mManager.HasWidget(mTitle));
        EXPECT_EQ(mServices.mDeferred.back(), mTitle) << "the title queued its own deletion";
    }
}

// ---------------------------------------------------------------------------------------
// Drawing

struct BarCase {
    double mProgress;
    int mBarPixels;
    bool mLoadingLabel;
};

TEST_F(TitleScreenTest, TheBarIsClippedToTheLoadedFractionOfItsWidth)
{
    const BarCase cases[] = {
        {0.0, 0, true}, {0.25, 100, true}, {0.50390625, 201, true}, {0.999, 399, true}, {1.0, 400, false},
    };
    for (const BarCase& test : cases) {
        SCOPED_TRACE(testing::Message() << "progress " << test.mProgress);
        mLoading.mProgress = test.mProgress;
        DrawTitle();
        int drawn = 0;
        for (int x = 0; x < 800; ++x)
            drawn += ShowsColor(kBarColor, Pixel(x, kBarRow)) ? 1 : 0;
        EXPECT_EQ(drawn, test.mBarPixels);
        if (test.mBarPixels > 0) {
            EXPECT_TRUE(ShowsColor(kBarColor, Pixel(kBarLeft, kBarRow))) << "the bar grows from its left end";
            EXPECT_TRUE(ShowsColor(kBarColor, Pixel(kBarLeft + test.mBarPixels - 1, kBarRow)));
        }
        EXPECT_EQ(ShowsColor(kLabelColor, Pixel(400, 525)), test.mLoadingLabel) << "the loading label";
        EXPECT_TRUE(ShowsColor(kBackgroundColor, Pixel(100, 100))) << "the title picture";
    }
}

TEST_F(TitleScreenTest, TheNoticeAndTheBarFadeWithTheTitleAndAreGoneWithTheLogo)
{
    ShowSteadyButton(1.0f);
    ClickButtonArea();
    Updates(50);
    mLegalsFont.mRuns.clear();
    DrawTitle();
    ASSERT_EQ(mLegalsFont.mRuns.size(), 1u);
    EXPECT_EQ(mLegalsFont.mRuns[0].mY, 590);
    EXPECT_EQ(mLegalsFont.mRuns[0].mColor, Color(239, 234, 135, 155)) << "255 - 50 x 2";
    EXPECT_FALSE(ShowsColor(kBarColor, Pixel(kBarLeft, kBarRow))) << "a faded bar is no longer pure green";
    EXPECT_GT(static_cast<int>((Pixel(kBarLeft, kBarRow) >> 8) & 0xFF), 0) << "but it is drawn";

    Updates(300);
    ASSERT_EQ(mTitle->mState, TitleScreen::LOGO_SHOW);
    mLegalsFont.mRuns.clear();
    DrawTitle();
    EXPECT_TRUE(mLegalsFont.mRuns.empty());
    EXPECT_EQ(static_cast<int>((Pixel(kBarLeft, kBarRow) >> 8) & 0xFF), Red(kBarLeft, kBarRow))
        << "grey logo, no green bar over it";
}

} // namespace
} // namespace Tests
