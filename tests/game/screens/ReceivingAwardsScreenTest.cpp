#include "game/screens/ReceivingAwardsScreen.h"

#include "framework/graphics/Graphics.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/MenuItem.h"
#include "game/screens/ReceivingAwardsHost.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

const Color kAwardNameColor(66, 36, 0, 255);

// The application around the screen: every call is logged, a save with what the profile
// holds at that moment. Removing the screen deletes it at once, so that a screen touching
// itself after it asked to be removed shows under the address sanitizer.
class RecordingReceivingHost : public ReceivingAwardsHost {
public:
    RecordingReceivingHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    void StopAllMusic() override { mLog.push_back("stop music"); }
    void FadeInSong(const int32_t songId, const std::string& fileName, const bool loop) override
    {
        mLog.push_back("song " + std::to_string(songId) + " " + fileName + (loop ? " looping" : " once"));
    }
    void ShowAwardsScreen(const int32_t newAward) override
    {
        mLog.push_back("awards screen, award " + std::to_string(newAward));
    }
    void RemoveReceivingAwardsScreen() override
    {
        mLog.push_back("remove");
        ASSERT_NE(mScreen, nullptr);
        mManager.RemoveWidget(mScreen);
        delete mScreen;
        mScreen = nullptr;
    }
    int32_t GetFirstHabitatIndex() const override { return mFirstHabitat; }
    int32_t GetHabitatCount() const override { return mHabitatCount; }
    void StartNextHabitat(const int32_t level) override { mLog.push_back("start habitat " + std::to_string(level)); }
    void ReturnToMainMenu() override { mLog.push_back("main menu"); }
    void ShowCredits() override { mLog.push_back("credits"); }
    PlayerProfile* GetCurrentProfile() const override { return &mProfile; }
    bool SaveProfiles() override
    {
        mLog.push_back("save, habitat " + mProfile.mHabitatName + ", next level " +
                       std::to_string(mProfile.mNextLevel));
        return true;
    }
    const TextStyleHost& GetTextStyle() const override { return mTextStyle; }
    void DrawAward(const int32_t index, Zest::Graphics*, const float x, const float y, const bool halfSize,
                   const Zest::Color& textColor, const bool withName) const override
    {
        mAwardsDrawn.push_back({index, x, y, halfSize, textColor, withName});
    }

    struct AwardDrawn {
        int32_t mIndex;
        float mX;
        float mY;
        bool mHalfSize;
        Color mTextColor;
        bool mWithName;
    };

    mutable PlayerProfile mProfile{"Ann"};
    int32_t mFirstHabitat = 0;
    int32_t mHabitatCount = 4;
    FakeTextStyleHost mTextStyle;
    mutable std::vector<AwardDrawn> mAwardsDrawn;
    // In the manager until removed.
    ReceivingAwardsScreen* mScreen = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

// A screen that also tells which pictures were drawn mirrored.
class MirrorRecordingScreen : public RecordingScreen {
public:
    MirrorRecordingScreen() : RecordingScreen(800, 600) {}

    void BltMirror(Image* src, const int x, const int y, const Zest::Rect& srcRect, const Color& color,
                   const int drawMode) override
    {
        mMirrored.push_back(src);
        RecordingScreen::BltMirror(src, x, y, srcRect, color, drawMode);
    }

    std::vector<const Zest::Image*> mMirrored;
};

// The screen's pictures as solid images; the cloud's width is odd, so that the mirrored
// cloud's whole-pixel centring shows against the other's half pixel.
class ReceivingAwardsScreenTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        IMAGE_GAME_GAMEMAP = mMap.get();
        IMAGE_GAME_JANE_PHONE = mGuide.get();
        IMAGE_GAME_AUGUST_PHONE = mPartner.get();
        IMAGE_GAME_TEXT_CLOUD = mCloud.get();
        IMAGE_GAME_WAPPO_MEMO = mMemo.get();
        const char* const texts[][2] = {
            {"BTN_CONTINUE", "Continue"},
            {"LABEL_NEWAWARD", "New award"},
            {"STORY_AUGUST_HELLO", "Hello"},
            {"STORY_JANE_ANSWERS", "Answer"},
            {"STORY_WAPO_LETTER_PART_ONE", "Memo"},
            {"STORY_WAPO_LETTER_AMAZON_DONE", "Amazon"},
            {"STORY_WAPO_LETTER_GRANDCANYON_DONE", "Canyon"},
            {"STORY_WAPO_LETTER_ALASKA_DONE", "Alaska"},
            {"STORY_WAPO_LETTER_ARCTIC_DONE", "Arctic"},
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
    }

    void TearDown() override
    {
        Dismiss();
        IMAGE_GAME_GAMEMAP = IMAGE_GAME_JANE_PHONE = IMAGE_GAME_AUGUST_PHONE = nullptr;
        IMAGE_GAME_TEXT_CLOUD = IMAGE_GAME_WAPPO_MEMO = nullptr;
        ProfileScreenTest::TearDown();
    }

    // A screen that did not remove itself is still the test's.
    void Dismiss()
    {
        if (mHost.mScreen == nullptr)
            return;
        mManager.RemoveWidget(mHost.mScreen);
        delete mHost.mScreen;
        mHost.mScreen = nullptr;
    }

    // The screen over the whole screen, as the application opens it; the log starts after
    // its opening.
    ReceivingAwardsScreen& Open(const int32_t nextLevel)
    {
        auto* const screen = new ReceivingAwardsScreen(&mHost, nextLevel);
        screen->Resize(0, 0, 800, 600);
        mHost.mScreen = screen;
        mManager.AddWidget(screen);
        mServices.TakeLog();
        return *screen;
    }

    // The screen as it stands once the awards screen has opened over it.
    ReceivingAwardsScreen& OpenUpToAwardsScreen(const int32_t nextLevel)
    {
        ReceivingAwardsScreen& screen = Open(nextLevel);
        while (screen.mStep != ReceivingAwardsScreen::STEP_AWARDS_SCREEN)
            screen.AdvanceStory();
        mServices.TakeLog();
        return screen;
    }

    const MirrorRecordingScreen& DrawOverlay(ReceivingAwardsScreen& screen)
    {
        mLabelFont.mRuns.clear();
        mStoryFont.mRuns.clear();
        mHost.mAwardsDrawn.clear();
        mRecording = std::make_unique<MirrorRecordingScreen>();
        Zest::Graphics g(mRecording.get());
        screen.DrawOverlay(&g);
        return *mRecording;
    }

    std::unique_ptr<Zest::MemoryImage> mMap = SolidImage(&mApp, 800, 600, Color(0, 0, 100));
    std::unique_ptr<Zest::MemoryImage> mGuide = SolidImage(&mApp, 180, 300, Color(100, 0, 0));
    std::unique_ptr<Zest::MemoryImage> mPartner = SolidImage(&mApp, 180, 300, Color(0, 100, 0));
    std::unique_ptr<Zest::MemoryImage> mCloud = SolidImage(&mApp, 301, 200, Color::White);
    std::unique_ptr<Zest::MemoryImage> mMemo = SolidImage(&mApp, 401, 500, Color(250, 250, 200));
    RecordingReceivingHost mHost{mServices.mLog, mManager};
    std::unique_ptr<MirrorRecordingScreen> mRecording;
};

TEST_F(ReceivingAwardsScreenTest, OpensWithContinueAtTheBottomAndTheCallsMusic)
{
    auto* const screen = new ReceivingAwardsScreen(&mHost, 2);
    screen->Resize(0, 0, 800, 600);
    mHost.mScreen = screen;
    mManager.AddWidget(screen);
    EXPECT_EQ(mServices.TakeLog(), (Log{"stop music", "song 11 music/fly_orchestra.ogg looping"}));
    EXPECT_EQ(screen->mStep, ReceivingAwardsScreen::STEP_PHONE_CALL);
    EXPECT_EQ(screen->mAugustSpeaking, 1);
    ASSERT_EQ(screen->mItems.size(), 1u);
    ExpectDialogButton(*screen->mItems[0], "Continue", Zest::Rect(300, 550, 200, 50), 1.0f);
    EXPECT_EQ(screen->mItems[0]->mOverlayPriority, ReceivingAwardsScreen::kOverlayPriority);

    Click(*screen->mItems[0]);
    EXPECT_EQ(screen->mPage, 1);
    EXPECT_EQ(screen->mAugustSpeaking, 0) << "the guide answers";
}

struct AwardsPageCase {
    int32_t mNextLevel;
    // Continue presses until the awards screen opens.
    int mPresses;
};

// The memo comes with the second press and its own music; the sixth habitat's memo stays
// for one press more before the awards screen hands the award over.
TEST_F(ReceivingAwardsScreenTest, TheAwardsScreenOpensAfterTheMemo)
{
    const AwardsPageCase cases[] = {{1, 3}, {5, 3}, {6, 4}, {7, 3}, {10, 3}};
    for (const AwardsPageCase& test : cases) {
        SCOPED_TRACE("next level " + std::to_string(test.mNextLevel));
        ReceivingAwardsScreen& screen = Open(test.mNextLevel);
        screen.AdvanceStory();
        EXPECT_EQ(screen.mStep, ReceivingAwardsScreen::STEP_PHONE_CALL);
        EXPECT_TRUE(mServices.TakeLog().empty());
        screen.AdvanceStory();
        EXPECT_EQ(screen.mStep, ReceivingAwardsScreen::STEP_MEMO);
        EXPECT_EQ(mServices.TakeLog(), (Log{"stop music", "song 14 music/success.ogg once"}));
        for (int press = 3; press < test.mPresses; ++press) {
            screen.AdvanceStory();
            EXPECT_EQ(screen.mStep, ReceivingAwardsScreen::STEP_MEMO);
            EXPECT_TRUE(mServices.TakeLog().empty());
        }
        screen.AdvanceStory();
        EXPECT_EQ(screen.mStep, ReceivingAwardsScreen::STEP_AWARDS_SCREEN);
        EXPECT_EQ(mServices.TakeLog(), Log{"awards screen, award " + std::to_string(test.mNextLevel - 1)});
        Dismiss();
    }
}

struct LeaveCase {
    int32_t mFirstHabitat;
    int32_t mHabitatCount;
    int32_t mNextLevel;
    Log mExpected;
};

// Leaving the awards screen removes this one first; the next registered habitat's game
// starts, or, after the last one, the profile's habitat is cleared and written at once.
TEST_F(ReceivingAwardsScreenTest, LeavingTheAwardsScreenGoesOnToTheNextHabitatOrTheMainMenu)
{
    const LeaveCase cases[] = {
        {0, 4, 1, {"remove", "start habitat 1"}},
        {0, 4, 3, {"remove", "start habitat 3"}},
        {0, 4, 4, {"remove", "save, habitat Invalid_uninitialized, next level 3", "main menu"}},
        {2, 3, 4, {"remove", "start habitat 4"}},
        {2, 3, 5, {"remove", "save, habitat Invalid_uninitialized, next level 3", "main menu"}},
    };
    for (const LeaveCase& test : cases) {
        SCOPED_TRACE("next level " + std::to_string(test.mNextLevel) + " of habitats from " +
                     std::to_string(test.mFirstHabitat));
        mHost.mFirstHabitat = test.mFirstHabitat;
        mHost.mHabitatCount = test.mHabitatCount;
        mHost.mProfile.mHabitatName = "Arctic";
        mHost.mProfile.mNextLevel = 3;
        OpenUpToAwardsScreen(test.mNextLevel).AdvanceStory();
        EXPECT_EQ(mServices.TakeLog(), test.mExpected);
        EXPECT_EQ(mHost.mScreen, nullptr);
    }
}

// After the tenth habitat's award the awards screen only marks the last step; the screen
// then shows its background, and the next Continue ends the adventure with the credits.
TEST_F(ReceivingAwardsScreenTest, AfterTheLastAwardContinueEndsWithTheCredits)
{
    mHost.mHabitatCount = 10;
    mHost.mProfile.mNextLevel = 10;
    ReceivingAwardsScreen& screen = OpenUpToAwardsScreen(10);
    screen.JumpToLastStep();
    EXPECT_EQ(screen.mStep, ReceivingAwardsScreen::STEP_FINAL);
    EXPECT_TRUE(mServices.TakeLog().empty());
    const MirrorRecordingScreen& drawn = DrawOverlay(screen);
    EXPECT_EQ(drawn.Find(mCloud.get()), nullptr);
    EXPECT_EQ(drawn.Find(mMemo.get()), nullptr);
    EXPECT_TRUE(mStoryFont.mRuns.empty());

    Click(*screen.mItems[0]);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "remove", "save, habitat Invalid_uninitialized, next level 9",
                                        "main menu", "credits"}));
    EXPECT_EQ(mHost.mScreen, nullptr);
}

// The cloud is mirrored towards the partner while the partner greets, and plain for the
// guide's answer.
TEST_F(ReceivingAwardsScreenTest, ThePhoneCallShowsWhoSpeaks)
{
    ReceivingAwardsScreen& screen = Open(2);
    const MirrorRecordingScreen& greeting = DrawOverlay(screen);
    ASSERT_NE(greeting.Find(mMap.get()), nullptr);
    EXPECT_EQ(greeting.Find(mGuide.get())->mX, 10.0f);
    EXPECT_EQ(greeting.Find(mPartner.get())->mX, 610.0f);
    ASSERT_NE(greeting.Find(mCloud.get()), nullptr);
    EXPECT_EQ(greeting.Find(mCloud.get())->mX, 249.0f);
    EXPECT_EQ(greeting.Find(mCloud.get())->mY, 100.0f);
    EXPECT_EQ(greeting.mMirrored, std::vector<const Zest::Image*>{mCloud.get()});
    ASSERT_EQ(mStoryFont.mRuns.size(), 1u);
    EXPECT_EQ(mStoryFont.mRuns[0].mText, "Hello");
    EXPECT_EQ(mStoryFont.mRuns[0].mX, 240);
    EXPECT_EQ(mStoryFont.mRuns[0].mColor, kTestTextColor);
    ASSERT_EQ(mLabelFont.mRuns.size(), 2u);
    EXPECT_EQ(mLabelFont.mRuns[1].mText, "New award");
    EXPECT_EQ(mLabelFont.mRuns[1].mY, 30);

    screen.AdvanceStory();
    const MirrorRecordingScreen& answer = DrawOverlay(screen);
    ASSERT_NE(answer.Find(mCloud.get()), nullptr);
    EXPECT_EQ(answer.Find(mCloud.get())->mX, 249.5f);
    EXPECT_TRUE(answer.mMirrored.empty());
    ASSERT_EQ(mStoryFont.mRuns.size(), 1u);
    EXPECT_EQ(mStoryFont.mRuns[0].mText, "Answer");
    EXPECT_EQ(mStoryFont.mRuns[0].mX, 260);
}

struct MemoCase {
    int32_t mNextLevel;
    // The habitat's line; empty when the memo has no text.
    std::string mHabitatLine;
};

// Only the first four habitats' memos carry text; every memo shows its award.
TEST_F(ReceivingAwardsScreenTest, TheMemoShowsTheHabitatsAward)
{
    const MemoCase cases[] = {{1, "Amazon"}, {4, "Arctic"}, {5, ""}, {6, ""}};
    for (const MemoCase& test : cases) {
        SCOPED_TRACE("next level " + std::to_string(test.mNextLevel));
        ReceivingAwardsScreen& screen = Open(test.mNextLevel);
        screen.AdvanceStory();
        screen.AdvanceStory();
        const MirrorRecordingScreen& drawn = DrawOverlay(screen);
        ASSERT_NE(drawn.Find(mMemo.get()), nullptr);
        EXPECT_EQ(drawn.Find(mMemo.get())->mX, 199.5f);
        EXPECT_EQ(drawn.Find(mMemo.get())->mY, 50.0f);
        EXPECT_EQ(drawn.Find(mCloud.get()), nullptr);
        if (test.mHabitatLine.empty()) {
            EXPECT_TRUE(mStoryFont.mRuns.empty());
        } else {
            ASSERT_EQ(mStoryFont.mRuns.size(), 2u);
            EXPECT_EQ(mStoryFont.mRuns[0].mText, "Memo");
            EXPECT_EQ(mStoryFont.mRuns[0].mX, 230);
            EXPECT_EQ(mStoryFont.mRuns[0].mColor, kTestTextColor);
            EXPECT_EQ(mStoryFont.mRuns[1].mText, test.mHabitatLine);
            EXPECT_EQ(mStoryFont.mRuns[1].mColor, kTestHighlightColor);
        }
        ASSERT_EQ(mHost.mAwardsDrawn.size(), 1u);
        const RecordingReceivingHost::AwardDrawn& award = mHost.mAwardsDrawn[0];
        EXPECT_EQ(award.mIndex, test.mNextLevel - 1);
        EXPECT_EQ(award.mX, 470.0f);
        EXPECT_EQ(award.mY, 210.0f);
        EXPECT_FALSE(award.mHalfSize);
        EXPECT_EQ(award.mTextColor, kAwardNameColor);
        EXPECT_TRUE(award.mWithName);
        Dismiss();
    }
}

} // namespace
} // namespace Tests
