#include "game/screens/StoryScreens.h"

#include "framework/graphics/Graphics.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/screens/MenuItem.h"
#include "game/screens/OptionsControls.h"
#include "game/screens/StoryHost.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

constexpr int kStoryAppearSound = 21;
constexpr int kTutorialAppearSound = 22;
constexpr int kCollectedSound = 23;
constexpr int kCheckboxSound = 24;
constexpr int kStoryWidth = 540;
constexpr int kStoryHeight = 560;
constexpr int kItemSize = 90;
constexpr int kCheckboxSize = 28;

// The running game as a page sees it: every call is logged; removing the page takes it out
// of the manager and queues its deletion, as the application does.
class RecordingStoryHost : public StoryHost {
public:
    RecordingStoryHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    int32_t GetSessionHabitatIndex() const override { return mHabitatIndex; }
    void CollectIntroItem(const IntroItem item) override { mLog.push_back("collect " + std::to_string(item)); }
    void SetSessionState(const int32_t state) override { mLog.push_back("state " + std::to_string(state)); }
    void SetBoardPhase(const int32_t phase) override { mLog.push_back("phase " + std::to_string(phase)); }
    void CreateHudButtons() override { mLog.push_back("hud buttons"); }
    void CheckFrame() override { mLog.push_back("check frame"); }
    void SetElementsBlink(const bool on) override { mLog.push_back(std::string("elements blink ") + (on ? "on" : "off")); }
    void SetBackpackBlink(const bool on) override { mLog.push_back(std::string("backpack blink ") + (on ? "on" : "off")); }
    void InfectRandomTile() override { mLog.push_back("infect"); }
    void ResumeBoard() override { mLog.push_back("resume"); }
    void RemoveStoryScreens() override
    {
        mLog.push_back("remove page");
        ASSERT_NE(mPage, nullptr);
        mManager.RemoveWidget(mPage);
        GetMenuServices().DeferDeleteWidget(mPage);
        mPage = nullptr;
    }

    int32_t mHabitatIndex = 0;
    // In the manager until removed.
    StoryScreens* mPage = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

// A page on the stand-ins with the current player Ann, its pictures as solid images of the
// game's sizes.
class StoryScreensTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        const Zest::Color parchment(230, 220, 190);
        Picture(IMAGE_GAME_STORY_BACK, kStoryWidth, kStoryHeight, parchment);
        Picture(IMAGE_GAME_STORY_JANEPORTRET, 110, 130, Zest::Color(90, 60, 40));
        Picture(IMAGE_GAME_TESTTUBES, kItemSize, kItemSize, Zest::Color(0, 0, 210));
        Picture(IMAGE_GAME_DIARY, kItemSize, kItemSize, Zest::Color(0, 210, 0));
        Picture(IMAGE_GAME_BACKPACK_SMALL, kItemSize, kItemSize, Zest::Color(210, 0, 210));
        Picture(IMAGE_GAME_CHECKBOX_UNCHECKED, kCheckboxSize, kCheckboxSize, Zest::Color(10, 10, 10));
        Picture(IMAGE_GAME_CHECKBOX_CHECKED, kCheckboxSize, kCheckboxSize, Zest::Color(250, 250, 10));
        Picture(IMAGE_TILE_ORCA, 80, 80, Zest::Color::White);
        Picture(IMAGE_GAME_FRAMEX1, 80, 80, Zest::Color::White);
        Picture(IMAGE_GAME_WAVEARROW, 60, 30, Zest::Color::White);
        Strip(IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP, Zest::Color(255, 200, 0));
        Strip(IMAGE_GAME_EFFECTANIM_RAINBOW, Zest::Color(255, 0, 255));
        SOUND_STORY_APPEAR = kStoryAppearSound;
        SOUND_TUTORIAL_APPEAR = kTutorialAppearSound;
        SOUND_COLLECTED_TILE = kCollectedSound;
        SOUND_CHECKBOX_CHECK = kCheckboxSound;
        StringTableHolder::Instance().SetString("BTN_CONTINUE", "Continue");
        GameOptionsHolder::Instance().mTutorialTips = true;
        mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("Ann"));
    }

    void TearDown() override
    {
        if (mStory.mPage != nullptr) {
            mManager.RemoveWidget(mStory.mPage);
            delete mStory.mPage;
            mStory.mPage = nullptr;
        }
        for (Zest::Image** const variable : mVariables)
            *variable = nullptr;
        SOUND_STORY_APPEAR = SOUND_TUTORIAL_APPEAR = SOUND_COLLECTED_TILE = SOUND_CHECKBOX_CHECK = 0;
        GameOptionsHolder::Instance() = GameOptions();
        ProfileScreenTest::TearDown();
    }

    void Picture(Zest::Image*& variable, const int width, const int height, const Zest::Color& color)
    {
        mPictures.push_back(SolidImage(&mApp, width, height, color));
        variable = mPictures.back().get();
        mVariables.push_back(&variable);
    }
    // Two cells: the sprites play them.
    void Strip(Zest::Image*& variable, const Zest::Color& color)
    {
        mPictures.push_back(StripImage(&mApp, 40, 40, {color, color}));
        variable = mPictures.back().get();
        mVariables.push_back(&variable);
    }

    PlayerProfile& Ann() { return *mProfileHost.GetCurrentProfile(); }

    // The page as the application opens it over the game, showing the kind.
    StoryScreens& Open(const int32_t kind)
    {
        auto* const page = new StoryScreens(&mStory, &mProfileHost, &mTextStyle);
        page->Resize(StoryScreens::kStoryX, StoryScreens::kStoryRestY, kStoryWidth, kStoryHeight);
        mManager.AddWidget(page);
        mStory.mPage = page;
        page->ShowPage(kind);
        return *page;
    }

    // Frames at the fraction while the page is in the state; how many it took (at most
    // `limit`). The page's y after each frame goes to `ys`.
    int RunWhile(const StoryScreens& page, const int32_t state, const float fraction = 1.0f,
                 std::vector<int>* const ys = nullptr, const int limit = 1000)
    {
        int frames = 0;
        while (mStory.mPage != nullptr && page.mState == state && frames < limit) {
            mManager.UpdateFrameSmooth(fraction);
            ++frames;
            if (ys != nullptr && mStory.mPage != nullptr)
                ys->push_back(page.mY);
        }
        return frames;
    }

    // Frames until the page is idle with its controls.
    void Enter(StoryScreens& page, const float fraction = 1.0f)
    {
        RunWhile(page, StoryScreens::PAGE_ENTERING, fraction);
        ASSERT_EQ(page.mState, StoryScreens::PAGE_ENTERED);
        mManager.UpdateFrameSmooth(fraction);
        ASSERT_EQ(page.mState, StoryScreens::PAGE_IDLE);
    }

    // The introduction from its greetings to the final note, through its buttons.
    void CollectItems(StoryScreens& page)
    {
        ASSERT_NE(page.mIntroContinueButton, nullptr);
        Click(*page.mIntroContinueButton);
        for (MenuItem* StoryScreens::*const item :
             {&StoryScreens::mTubesButton, &StoryScreens::mDiaryButton, &StoryScreens::mBackpackButton}) {
            ASSERT_NE(page.*item, nullptr);
            Click(*(page.*item));
        }
    }

    // The log without its sounds.
    Log HostCalls()
    {
        Log calls;
        for (const std::string& entry : mServices.TakeLog()) {
            if (entry.rfind("sound ", 0) != 0)
                calls.push_back(entry);
        }
        return calls;
    }

    std::vector<std::unique_ptr<Zest::MemoryImage>> mPictures;
    std::vector<Zest::Image**> mVariables;
    RecordingStoryHost mStory{mServices.mLog, mManager};
};

// ---------------------------------------------------------------------------------------
// Tips recorded as seen

TEST_F(StoryScreensTest, ContinueOnATipSetsOnlyThatTipsSeenFlag)
{
    const std::pair<int32_t, int32_t> kindToIndex[] = {
        {5, 0},   {6, 1},   {7, 2},   {8, 3},   {9, 4},   {10, 5},  {11, 7},  {12, 6},  {13, 8},
        {14, 9},  {15, 14}, {16, 15}, {17, 10}, {18, 11}, {19, 12}, {20, 13}, {21, 16},
    };
    for (const auto& [kind, index] : kindToIndex) {
        SCOPED_TRACE(kind);
        Ann().ClearTutorialSeen();
        StoryScreens& page = Open(kind);
        ASSERT_NO_FATAL_FAILURE(Enter(page));
        ASSERT_NE(page.mIntroContinueButton, nullptr);
        Click(*page.mIntroContinueButton);
        for (int32_t flag = 0; flag < PlayerProfile::kTutorialTipCount; ++flag)
            EXPECT_EQ(Ann().mTutorialSeen[static_cast<size_t>(flag)], flag == index) << "flag " << flag;
        EXPECT_EQ(page.mIntroContinueButton, nullptr);
        EXPECT_EQ(page.mTipCheckbox, nullptr);
        RunWhile(page, StoryScreens::PAGE_LEAVING);
        mManager.UpdateFrameSmooth(1.0f);
        ASSERT_EQ(mStory.mPage, nullptr) << "the tip never closed";
    }
}

// ---------------------------------------------------------------------------------------
// Closing: how the session goes on

TEST_F(StoryScreensTest, EachKindTellsTheSessionHowToGoOnThenLeavesOnce)
{
    const struct {
        int32_t mKind;
        Log mCalls;
    } cases[] = {
        {0, {"hud buttons", "state 12", "phase 3", "remove page", "resume"}},
        {2, {"state 15", "remove page", "resume"}},
        {3, {"state 5", "phase 2", "remove page", "resume"}},
        {4, {"state 5", "phase 2", "remove page", "resume"}},
        {5, {"state 5", "phase 5", "check frame", "elements blink on", "remove page", "resume"}},
        {16, {"state 5", "phase 5", "check frame", "elements blink on", "remove page", "resume"}},
        {17, {"state 5", "phase 5", "check frame", "backpack blink on", "remove page", "resume"}},
        {19, {"state 5", "phase 5", "check frame", "backpack blink on", "remove page", "resume"}},
        {20, {"state 5", "phase 5", "check frame", "remove page", "resume"}},
        {21, {"state 5", "phase 5", "check frame", "infect", "remove page", "resume"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mKind);
        StoryScreens& page = Open(c.mKind);
        ASSERT_NO_FATAL_FAILURE(Enter(page));
        if (c.mKind == StoryScreens::KIND_INTRODUCTION)
            ASSERT_NO_FATAL_FAILURE(CollectItems(page));
        MenuItem* const button = StoryScreens::IsTipKind(c.mKind) ? page.mIntroContinueButton : page.mContinueButton;
        ASSERT_NE(button, nullptr);
        HostCalls();
        Click(*button);
        EXPECT_TRUE(HostCalls().empty()) << "the page closes only once it has left";
        RunWhile(page, StoryScreens::PAGE_LEAVING);
        for (int frame = 0; frame < 5; ++frame)
            mManager.UpdateFrameSmooth(1.0f);
        EXPECT_EQ(mStory.mPage, nullptr);
        EXPECT_EQ(HostCalls(), c.mCalls);
    }
}

// ---------------------------------------------------------------------------------------
// Entering and leaving

TEST_F(StoryScreensTest, AStoryPageSlidesToRestAtTwelveAndLeavesPastTheTopAtAnyFrameLength)
{
    // 612 pixels at 8 or 13 whole pixels per frame.
    const struct {
        float mFraction;
        int mFrames;
    } cases[] = {{1.0f, 77}, {1.667f, 48}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mFraction);
        mServices.TakeLog();
        StoryScreens& page = Open(StoryScreens::KIND_INVENTORY);
        EXPECT_EQ(page.mY, StoryScreens::kStoryHiddenY);
        EXPECT_EQ(mServices.TakeLog(), Log{"sound " + std::to_string(kStoryAppearSound)});
        std::vector<int> ys;
        EXPECT_EQ(RunWhile(page, StoryScreens::PAGE_ENTERING, c.mFraction, &ys), c.mFrames);
        EXPECT_EQ(page.mY, StoryScreens::kStoryRestY);
        EXPECT_EQ(page.mSlideY, StoryScreens::kStoryRestY);
        EXPECT_TRUE(std::is_sorted(ys.begin(), ys.end()));
        EXPECT_EQ(page.mContinueButton, nullptr) << "the controls come once the page rests";
        mManager.UpdateFrameSmooth(c.mFraction);
        ASSERT_NE(page.mContinueButton, nullptr);
        // Centred on the page, 80 pixels right, 70 up from its foot.
        ExpectDialogButton(*page.mContinueButton, "Continue",
                           Zest::Rect(248 + 80 + (kStoryWidth - kLargeButtonWidth) / 2, 12 + kStoryHeight - 70,
                                      kLargeButtonWidth, kLargeButtonHeight),
                           1.0f);

        Click(*page.mContinueButton);
        ys.clear();
        RunWhile(page, StoryScreens::PAGE_LEAVING, c.mFraction, &ys);
        ASSERT_FALSE(ys.empty());
        EXPECT_LE(ys.back(), StoryScreens::kStoryHiddenY);
        EXPECT_GT(ys.back(), StoryScreens::kStoryHiddenY - 14) << "it stops once past the top";
        mManager.UpdateFrameSmooth(c.mFraction);
        mManager.UpdateFrameSmooth(c.mFraction);
        const Log calls = HostCalls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "remove page"), 1);
    }
}

TEST_F(StoryScreensTest, ATipFadesInAndOutInThirtyTwoFramesAtAnyFrameLength)
{
    for (const float fraction : {1.0f, 1.667f}) {
        SCOPED_TRACE(fraction);
        mServices.TakeLog();
        StoryScreens& page = Open(5);
        EXPECT_EQ(page.GetRect(), Zest::Rect(0, 0, kTutorialWidth, kTutorialHeight));
        EXPECT_EQ(mServices.TakeLog(), Log{"sound " + std::to_string(kTutorialAppearSound)});
        EXPECT_EQ(RunWhile(page, StoryScreens::PAGE_ENTERING, fraction), 32);
        EXPECT_EQ(page.mTipAlpha, 255);
        mManager.UpdateFrameSmooth(fraction);
        ASSERT_NE(page.mIntroContinueButton, nullptr);
        Click(*page.mIntroContinueButton);
        EXPECT_EQ(RunWhile(page, StoryScreens::PAGE_LEAVING, fraction), 32);
        EXPECT_EQ(page.mTipAlpha, 0);
        mManager.UpdateFrameSmooth(fraction);
        EXPECT_EQ(mStory.mPage, nullptr);
        const Log calls = HostCalls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "remove page"), 1);
    }
}

// ---------------------------------------------------------------------------------------
// The introduction's items

TEST_F(StoryScreensTest, TheIntroductionOffersOneItemAtATimeAndEachClickSetsItsSessionFlag)
{
    StoryScreens& page = Open(StoryScreens::KIND_INTRODUCTION);
    ASSERT_NO_FATAL_FAILURE(Enter(page));
    RecordingScreen screen(800, 600);
    const auto rainbowsDrawn = [&] {
        screen.mBlits.clear();
        Zest::Graphics g(&screen);
        page.DrawOverlay(&g);
        return screen.Of(IMAGE_GAME_EFFECTANIM_RAINBOW).size();
    };
    EXPECT_EQ(rainbowsDrawn(), 0u);
    ASSERT_NE(page.mIntroContinueButton, nullptr);
    Click(*page.mIntroContinueButton);
    EXPECT_EQ(page.mIntroContinueButton, nullptr);
    EXPECT_EQ(HostCalls(), Log{});
    for (int frame = 0; frame < 20; ++frame)
        mManager.UpdateFrameSmooth(1.0f);
    EXPECT_EQ(page.mRainbow.mStatus, ANIM_READY) << "no rainbow plays before the first item";
    EXPECT_EQ(rainbowsDrawn(), 0u);

    // The item offered, the one buttons there are, and what its click tells the session.
    const struct {
        MenuItem* StoryScreens::*mOffered;
        int32_t mStage;
        const char* mFlag;
    } steps[] = {
        {&StoryScreens::mTubesButton, StoryHost::ITEM_TEST_TUBES, "collect 0"},
        {&StoryScreens::mDiaryButton, StoryHost::ITEM_DIARY, "collect 1"},
        {&StoryScreens::mBackpackButton, StoryHost::ITEM_BACKPACK, "collect 2"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.mFlag);
        EXPECT_EQ(page.mItemStage, step.mStage);
        for (MenuItem* StoryScreens::*const item :
             {&StoryScreens::mTubesButton, &StoryScreens::mDiaryButton, &StoryScreens::mBackpackButton})
            EXPECT_EQ(page.*item != nullptr, item == step.mOffered);
        EXPECT_EQ(page.mItems.size(), 1u);
        const MenuItem& offered = *(page.*step.mOffered);
        EXPECT_EQ(offered.GetRect(), Zest::Rect(248 + 60 + (kStoryWidth - kItemSize) / 2, 12 + 130, kItemSize, kItemSize));
        EXPECT_EQ(offered.mClickSound, kCollectedSound);
        Click(offered);
        EXPECT_EQ(HostCalls(), Log{step.mFlag});
        EXPECT_EQ(rainbowsDrawn(), 1u);
    }
    EXPECT_EQ(page.mItemStage, StoryScreens::STAGE_FINAL_NOTE);
    EXPECT_NE(page.mContinueButton, nullptr);
    EXPECT_EQ(page.mItems.size(), 1u);
}

// ---------------------------------------------------------------------------------------
// The tip's check box

TEST_F(StoryScreensTest, TheTipsCheckBoxShowsTheOptionInvertedAndTurnsTipsOffAndOn)
{
    for (const bool tipsOn : {true, false}) {
        SCOPED_TRACE(tipsOn);
        GameOptionsHolder::Instance().mTutorialTips = tipsOn;
        StoryScreens& page = Open(7);
        ASSERT_NO_FATAL_FAILURE(Enter(page));
        ASSERT_NE(page.mTipCheckbox, nullptr);
        CustomOptionsCheckbox& box = *page.mTipCheckbox;
        EXPECT_EQ(box.mChecked, !tipsOn);
        EXPECT_EQ(box.GetRect(), Zest::Rect(30, kTutorialHeight - 60, kCheckboxSize, kCheckboxSize));
        EXPECT_EQ(box.mOwnerMenu, &page);
        EXPECT_EQ(GameOptionsHolder::Instance().mTutorialTips, tipsOn) << "showing the box changes nothing";
        mServices.TakeLog();

        for (const bool expectedTips : {!tipsOn, tipsOn}) {
            mManager.MouseMove(box.mX + 5, box.mY + 5);
            mManager.MouseDown(box.mX + 5, box.mY + 5, 1);
            mManager.MouseUp(box.mX + 5, box.mY + 5, 1);
            EXPECT_EQ(box.mChecked, !expectedTips);
            EXPECT_EQ(GameOptionsHolder::Instance().mTutorialTips, expectedTips);
            EXPECT_EQ(mServices.TakeLog(), Log{"sound " + std::to_string(kCheckboxSound)});
        }
        ASSERT_NE(page.mIntroContinueButton, nullptr);
        Click(*page.mIntroContinueButton);
        RunWhile(page, StoryScreens::PAGE_LEAVING);
        mManager.UpdateFrameSmooth(1.0f);
        ASSERT_EQ(mStory.mPage, nullptr);
    }
}

// ---------------------------------------------------------------------------------------
// Drawing

// At the pulse's peak the orca's tint would reach a green of -1, which packs into an opaque
// white: it is red.
TEST_F(StoryScreensTest, TheInfectionTipTintsTheOrcaRedAtThePulsesPeak)
{
    StoryScreens& page = Open(StoryScreens::KIND_TIP_FIND_INFECTED);
    page.mTipAlpha = 255;
    const struct {
        int32_t mUpdates;
        Zest::Color mTint;
    } cases[] = {{90, Zest::Color(255, 0, 0, 255)}, {270, Zest::Color(255, 255, 255, 255)}, {0, Zest::Color(255, 127, 127, 255)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mUpdates);
        page.mUpdateCount = c.mUpdates;
        RecordingScreen screen(800, 600);
        Zest::Graphics g(&screen);
        page.DrawOverlay(&g);
        const std::vector<Blit> orcas = screen.Of(IMAGE_TILE_ORCA);
        ASSERT_EQ(orcas.size(), 1u);
        EXPECT_EQ(orcas[0].mColor, c.mTint);
        EXPECT_EQ(orcas[0].mColor.ToInt(), c.mTint.ToInt());
    }
}

} // namespace
} // namespace Tests
