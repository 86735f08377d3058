#include "game/screens/HowToPlay.h"

#include "framework/graphics/Graphics.h"
#include "game/Res.h"
#include "game/screens/HelpSamples.h"
#include "game/screens/HowToPlayHost.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

// The parchment, as the application sizes and centres the pages on it.
constexpr int kStoryWidth = 540;
constexpr int kStoryHeight = 560;
constexpr int kPanelX = (800 - kStoryWidth) / 2;
constexpr int kPanelY = (600 - kStoryHeight) / 2;
constexpr int kTileSize = 80;
constexpr int kDotSize = 8;
constexpr int kPointerSize = 32;

// The application as the pages see it: removing them takes them out of the manager and
// queues their deletion, as the application does.
class RecordingHowToPlayHost : public HowToPlayHost {
public:
    RecordingHowToPlayHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    void RemoveHowToPlay() override
    {
        mLog.push_back("remove how to play");
        ASSERT_NE(mPages, nullptr);
        mManager.RemoveWidget(mPages);
        GetMenuServices().DeferDeleteWidget(mPages);
        mPages = nullptr;
    }
    MainMenu* GetMainMenu() const override { return mMenu; }

    // In the manager until removed.
    HowToPlay* mPages = nullptr;
    MainMenu* mMenu = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

// The pages on the stand-ins, their pictures as solid images of known sizes.
class HowToPlayTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        Picture(IMAGE_GAME_STORY_BACK, kStoryWidth, kStoryHeight);
        Picture(IMAGE_GAME_STORY_JANEPORTRET, 110, 130);
        for (Zest::Image** const tile : {&IMAGE_TILE_MACAW, &IMAGE_TILE_REDFOX, &IMAGE_GAME_HINT_GOLD,
                                         &IMAGE_GAME_FRAMEX1, &IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER})
            Picture(*tile, kTileSize, kTileSize);
        Picture(IMAGE_GAME_SM_MATCHSAME, 60, 60);
        Picture(IMAGE_GAME_SM_MATCHSEARCH, 60, 60);
        Picture(IMAGE_GAME_WAVEARROW, 60, 30);
        Picture(IMAGE_GAME_LINE_ELEMENT, kDotSize, kDotSize);
        Picture(IMAGE_CUSTOM_POINTER, kPointerSize, kPointerSize);
        Picture(IMAGE_GAME_MOUSE_LBTN, 20, 30);
        const char* const texts[][2] = {{"BTN_NEXT", "Next"}, {"BTN_PREVIOUS", "Previous"}};
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
    }

    void TearDown() override
    {
        if (mHost.mPages != nullptr) {
            mManager.RemoveWidget(mHost.mPages);
            delete mHost.mPages;
            mHost.mPages = nullptr;
        }
        for (Zest::Image** const variable : mVariables)
            *variable = nullptr;
        ProfileScreenTest::TearDown();
    }

    void Picture(Zest::Image*& variable, const int width, const int height)
    {
        mPictures.push_back(SolidImage(&mApp, width, height, Zest::Color::White));
        variable = mPictures.back().get();
        mVariables.push_back(&variable);
    }

    // The pages as the application opens them: the parchment's size, centred.
    HowToPlay& Open()
    {
        auto* const pages = new HowToPlay(&mHost, &mTextStyle);
        pages->Resize(kPanelX, kPanelY, kStoryWidth, kStoryHeight);
        mManager.AddWidget(pages);
        mHost.mPages = pages;
        return *pages;
    }

    // Done, Next and Previous, in the order they were made.
    static MenuItem& Button(const HowToPlay& pages, const size_t index)
    {
        EXPECT_EQ(pages.mItems.size(), 3u);
        return *pages.mItems.at(index);
    }

    // The current page drawn on a recording screen, in the panel's coordinates.
    static RecordingScreen Draw(HowToPlay& pages)
    {
        RecordingScreen screen(800, 600);
        Zest::Graphics g(&screen);
        pages.DrawOverlay(&g);
        return screen;
    }

    RecordingHowToPlayHost mHost{mServices.mLog, mManager};
    std::vector<std::unique_ptr<Zest::MemoryImage>> mPictures;
    std::vector<Zest::Image**> mVariables;
};

constexpr size_t kDone = 0;
constexpr size_t kNext = 1;
constexpr size_t kPrevious = 2;

// ---------------------------------------------------------------------------------------
// Buttons and paging

// Previous and Done on the left, one row apart, Next beside Previous; all of them above
// the menu's other screens.
TEST_F(HowToPlayTest, ThreeButtonsAtTheFootOfTheParchmentInTheOverlayPass)
{
    const HowToPlay& pages = Open();
    const struct {
        size_t mIndex;
        const char* mLabel;
        Zest::Rect mRect;
    } buttons[] = {
        {kDone, "Done", {kPanelX + 135, kPanelY + kStoryHeight - 50, kLargeButtonWidth, kLargeButtonHeight}},
        {kNext, "Next",
         {kPanelX + 140 + kLargeButtonWidth, kPanelY + kStoryHeight - 90, kLargeButtonWidth, kLargeButtonHeight}},
        {kPrevious, "Previous", {kPanelX + 135, kPanelY + kStoryHeight - 90, kLargeButtonWidth, kLargeButtonHeight}},
    };
    for (const auto& button : buttons) {
        const MenuItem& item = Button(pages, button.mIndex);
        ExpectDialogButton(item, button.mLabel, button.mRect, 1.0f);
        EXPECT_EQ(item.mOverlayPriority, HowToPlay::kOverlayPriority);
    }
}

// Both ways wrap around; a turn restarts the update count but keeps the sample's step, which
// then holds for 80 updates.
TEST_F(HowToPlayTest, PagingWrapsBothWaysAndKeepsTheSampleStep)
{
    HowToPlay& pages = Open();
    const struct {
        int32_t mFrom;
        size_t mButton;
        int32_t mTo;
    } turns[] = {
        {0, kNext, 1}, {16, kNext, 17}, {17, kNext, 0}, {0, kPrevious, 17}, {17, kPrevious, 16}, {1, kPrevious, 0},
    };
    for (const auto& turn : turns) {
        SCOPED_TRACE(std::to_string(turn.mFrom) + " -> " + std::to_string(turn.mTo));
        pages.mPage = turn.mFrom;
        pages.mUpdateCount = 130;
        pages.mSampleStep = 3;
        Click(Button(pages, turn.mButton));
        EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
        EXPECT_EQ(pages.mPage, turn.mTo);
        EXPECT_EQ(pages.mUpdateCount, 0);
        EXPECT_EQ(pages.mSampleStep, 3);
    }

    int updates = 0;
    while (pages.mSampleStep == 3 && updates < 200) {
        pages.UpdateSmooth(1.0f);
        ++updates;
    }
    EXPECT_EQ(updates, 80);
    EXPECT_EQ(pages.mSampleStep, 4);
}

// Done closes the pages with their buttons and brings back the buttons that the main menu
// hid when it opened them.
TEST_F(HowToPlayTest, TheMenusHowToPlayHidesItsButtonsAndDoneBringsThemBack)
{
    MainMenu* menu = nullptr;
    ASSERT_NO_FATAL_FAILURE(menu = ShowClickableMainMenu());
    mHost.mMenu = menu;
    Click(*menu->mItems[3]);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "show how to play"}));
    EXPECT_FALSE(ItemsShown(*menu));

    HowToPlay& pages = Open();
    const std::vector<MenuItem*> buttons = pages.mItems;
    Click(Button(pages, kDone));
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "remove how to play"}));
    EXPECT_EQ(mHost.mPages, nullptr);
    for (const MenuItem* const button : buttons)
        EXPECT_FALSE(mManager.HasWidget(button)) << button->mLabel;
    EXPECT_TRUE(ItemsShown(*menu));
    for (const MenuItem* const item : menu->mItems)
        EXPECT_EQ(item->mClickSound, kActionSound);
}

// ---------------------------------------------------------------------------------------
// The sample's step

// The first step holds for 79 updates, every later one for 40; after the last sample point
// the step starts again at 0.
TEST_F(HowToPlayTest, TheSampleStepsEveryFortyUpdatesAfterALongerFirstStepAndWraps)
{
    HowToPlay& pages = Open();
    ASSERT_EQ(pages.mSampleStep, 1);
    std::vector<std::pair<int, int32_t>> changes;
    for (int update = 1; update <= 330; ++update) {
        const int32_t before = pages.mSampleStep;
        mManager.UpdateFrameSmooth(1.0f);
        if (pages.mSampleStep != before)
            changes.emplace_back(update, pages.mSampleStep);
    }
    const std::vector<std::pair<int, int32_t>> expected = {{80, 2},  {120, 3}, {160, 4}, {200, 5},
                                                           {240, 6}, {280, 0}, {320, 1}};
    EXPECT_EQ(changes, expected);
}

// ---------------------------------------------------------------------------------------
// Drawing

// The first page's chain: a link of dots from each sample point to the next up to the step,
// the same under the row below, and the gold hint only while the chain is under way.
TEST_F(HowToPlayTest, TheFirstPagesChainGrowsWithTheStepAndTheHintShowsOnlyMidway)
{
    HowToPlay& pages = Open();
    // Upper links: 50, 70.7, 50, 70.7, 50 pixels long, 7 or 9 dots; lower ones 7 dots each.
    const struct {
        int32_t mStep;
        size_t mDots;
        bool mHint;
    } cases[] = {
        {0, 0, false}, {1, 0, false}, {2, 7 + 7, true}, {3, 16 + 14, true}, {5, 32 + 28, true}, {6, 39 + 35, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mStep);
        pages.mSampleStep = c.mStep;
        const RecordingScreen screen = Draw(pages);
        const std::vector<Blit> dots = screen.Of(IMAGE_GAME_LINE_ELEMENT);
        EXPECT_EQ(dots.size(), c.mDots);
        EXPECT_EQ(screen.Of(IMAGE_GAME_HINT_GOLD).size(), c.mHint ? 1u : 0u);
        EXPECT_EQ(screen.Of(IMAGE_TILE_MACAW).size(), 12u);
    }

    // The first link runs right from (250, 215): dots every 8 pixels, centred on the line and
    // turned half round; the second runs down and to the right.
    pages.mSampleStep = 3;
    const std::vector<Blit> dots = Draw(pages).Of(IMAGE_GAME_LINE_ELEMENT);
    ASSERT_GE(dots.size(), 8u);
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(dots[i].mX, 250.0f + 8.0f * static_cast<float>(i) - kDotSize / 2);
        EXPECT_FLOAT_EQ(dots[i].mY, 215.0f - kDotSize / 2);
        EXPECT_NEAR(dots[i].mAngle, std::numbers::pi, 1e-6);
        EXPECT_EQ(dots[i].mColor, Zest::Color::White);
    }
    EXPECT_NEAR(dots[7].mAngle, std::atan2(50.0, 50.0) + std::numbers::pi / 2, 1e-6);
}

// A page turned while the sample is past its last drawn step shows no chain until the step
// has come round again; the pointer then stands on the first tile.
TEST_F(HowToPlayTest, APageReachedPastItsSamplesLastStepShowsNoChain)
{
    HowToPlay& pages = Open();
    pages.mPage = 3;
    const struct {
        int32_t mStep;
        size_t mDots;
        bool mPointer;
    } cases[] = {{4, 0, false}, {6, 0, false}, {0, 0, true}, {2, 16, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mStep);
        pages.mSampleStep = c.mStep;
        const RecordingScreen screen = Draw(pages);
        EXPECT_EQ(screen.Of(IMAGE_GAME_LINE_ELEMENT).size(), c.mDots);
        const std::vector<Blit> pointers = screen.Of(IMAGE_CUSTOM_POINTER);
        ASSERT_EQ(pointers.size(), c.mPointer ? 1u : 0u);
        if (c.mPointer) {
            EXPECT_EQ(pointers[0].mX, 185 + 60 * c.mStep + kPointerSize / 2);
        }
    }
}

// The infected tile's tint runs from white through (255, 127, 127) to red. At the pulse's
// peak green and blue would reach -1, which packs into an opaque white: it is red.
TEST_F(HowToPlayTest, ThePulsingTileIsRedAtThePulsesPeakNeverWhite)
{
    HowToPlay& pages = Open();
    pages.mPage = HowToPlay::kPulsePage;
    const struct {
        int32_t mUpdates;
        Zest::Color mTint;
    } cases[] = {
        {90, Zest::Color(255, 0, 0, 255)},
        {0, Zest::Color(255, 127, 127, 255)},
        {270, Zest::Color(255, 255, 255, 255)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mUpdates);
        pages.mUpdateCount = c.mUpdates;
        const std::vector<Blit> tiles = Draw(pages).Of(IMAGE_TILE_REDFOX);
        ASSERT_EQ(tiles.size(), 1u);
        EXPECT_EQ(tiles[0].mColor, c.mTint);
        EXPECT_EQ(tiles[0].mColor.ToInt(), c.mTint.ToInt());
    }
    EXPECT_EQ(InfectionTint(1.0f, 255), Zest::Color(255, 0, 0, 255)) << "the exact peak";
}

} // namespace
} // namespace Tests
