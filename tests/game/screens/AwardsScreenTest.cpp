#include "game/screens/AwardsScreen.h"

#include "framework/graphics/Graphics.h"
#include "game/Awards.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/AwardsScreenHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/ReceivingAwardsHost.h"
#include "game/screens/ReceivingAwardsScreen.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

// One award drawn through the application.
struct AwardDraw {
    int32_t mIndex;
    Color mColor;
    float mX;
    float mY;
    bool mHalfSize;
    Color mTextColor;
    bool mWithName;
};

// The application around the screen: the profile's saves are logged with the awards held at
// that moment, the awards' texts are "Name i" and "Desc i", their drawing is recorded.
// Removing the screen deletes it at once, so that a screen touching itself after it asked
// to go shows under the address sanitizer.
class RecordingAwardsHost : public AwardsScreenHost {
public:
    RecordingAwardsHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    PlayerProfile* GetCurrentProfile() const override { return &mProfile; }
    bool SaveProfiles() override
    {
        std::string held;
        for (int32_t award = 0; award < AWARD_COUNT; ++award) {
            if (mProfile.mAwards[award])
                held += " " + std::to_string(award);
        }
        mLog.push_back("save profiles, awards" + held);
        return true;
    }
    const GameStats* GetSessionStats() const override { return mGame ? &*mGame : nullptr; }
    void RemoveAwardsScreen() override
    {
        mLog.push_back("remove awards screen");
        ASSERT_NE(mScreen, nullptr);
        mManager.RemoveWidget(mScreen);
        delete mScreen;
        mScreen = nullptr;
    }
    ReceivingAwardsScreen* GetReceivingAwardsScreen() const override { return mReceiving; }
    bool IsGameRunning() const override { return mGame.has_value(); }
    void CloseNewAward() override { mLog.push_back("close new award"); }
    std::string GetAwardName(const int32_t index) const override { return "Name " + std::to_string(index); }
    std::string GetAwardDescription(const int32_t index) const override { return "Desc " + std::to_string(index); }
    void DrawAward(const int32_t index, Zest::Graphics* const g, const float x, const float y, const bool halfSize,
                   const Color& textColor, const bool withName) const override
    {
        mDraws.push_back({index, g->GetColor(), x, y, halfSize, textColor, withName});
    }
    const TextStyleHost& GetTextStyle() const override { return mTextStyle; }

    mutable PlayerProfile mProfile{"Ann"};
    // The running game's counters; none while no game runs.
    std::optional<GameStats> mGame;
    ReceivingAwardsScreen* mReceiving = nullptr;
    // In the manager until removed.
    AwardsScreen* mScreen = nullptr;
    mutable std::vector<AwardDraw> mDraws;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
    FakeTextStyleHost mTextStyle;
};

// The application as the receiving-awards screen sees it; every call is logged.
class LoggingReceivingHost : public ReceivingAwardsHost {
public:
    explicit LoggingReceivingHost(Log& log) : mLog(log) {}

    void StopAllMusic() override { mLog.push_back("receiving: stop music"); }
    void FadeInSong(int32_t, const std::string&, bool) override { mLog.push_back("receiving: song"); }
    void ShowAwardsScreen(int32_t) override { mLog.push_back("receiving: show awards"); }
    void RemoveReceivingAwardsScreen() override { mLog.push_back("receiving: remove"); }
    int32_t GetFirstHabitatIndex() const override { return 0; }
    int32_t GetHabitatCount() const override { return 10; }
    void StartNextHabitat(int32_t) override { mLog.push_back("receiving: next habitat"); }
    void ReturnToMainMenu() override { mLog.push_back("receiving: main menu"); }
    void ShowCredits() override { mLog.push_back("receiving: credits"); }
    PlayerProfile* GetCurrentProfile() const override { return &mProfile; }
    bool SaveProfiles() override
    {
        mLog.push_back("receiving: save profiles");
        return true;
    }
    const TextStyleHost& GetTextStyle() const override { return mTextStyle; }
    void DrawAward(int32_t, Zest::Graphics*, float, float, bool, const Color&, bool) const override {}

    mutable PlayerProfile mProfile{"Ann"};

private:
    Log& mLog;
    FakeTextStyleHost mTextStyle;
};

// The paper's size: 1.2 times it is whole, so that the enlarged paper lands on whole pixels.
constexpr int kPaperWidth = 250;
constexpr int kPaperHeight = 125;
constexpr int kTickSize = 40;
// Odd, so that centring it on the screen leaves half a pixel.
constexpr int kBackgroundWidth = 751;
constexpr int kBackgroundHeight = 551;

const Color kNameColor(240, 200, 0);
const Color kGrey(64, 64, 64);

// Each award's picture corner and popup corner on the screen.
struct TilePlace {
    float mX;
    float mY;
    float mPopupX;
    float mPopupY;
};

const std::array<TilePlace, AWARD_COUNT> kPlaces = {{
    {85, 30, 185, 80},    {220, 54, 320, 104},  {360, 60, 460, 110},  {500, 54, 350, 104},
    {618, 30, 468, 80},   {85, 150, 185, 200},  {85, 270, 185, 195},  {85, 390, 185, 315},
    {220, 174, 320, 224}, {220, 294, 320, 219}, {220, 414, 320, 339}, {360, 180, 460, 230},
    {360, 300, 460, 225}, {360, 420, 460, 345}, {500, 174, 350, 224}, {500, 294, 350, 219},
    {500, 414, 350, 339}, {618, 150, 468, 200}, {618, 270, 468, 195}, {618, 390, 468, 315},
}};

// The counter each feat shows and its goal, by award from 10.
struct FeatShown {
    int32_t GameStats::*mCounter;
    int32_t mGoal;
};

const std::array<FeatShown, FEAT_COUNT> kFeatsShown = {{
    {&GameStats::mChainsMade, 500},
    {&GameStats::mChainsMade, 2000},
    {&GameStats::mCollectorCombos, 5},
    {&GameStats::mCollectorCombos, 15},
    {&GameStats::mCollectorCombos, 30},
    {&GameStats::mFullRows, 50},
    {&GameStats::mFullColumns, 50},
    {&GameStats::mBananasCleared, 100},
    {&GameStats::mWebsBurnt, 100},
    {&GameStats::mFaultlessMiniGames, 3},
}};

// Every feat counter of the record a different value from `base` on.
GameStats CountersFrom(const int32_t base)
{
    GameStats stats;
    int32_t value = base;
    for (int32_t GameStats::*const counter :
         {&GameStats::mChainsMade, &GameStats::mCollectorCombos, &GameStats::mFullRows, &GameStats::mFullColumns,
          &GameStats::mBananasCleared, &GameStats::mWebsBurnt, &GameStats::mFaultlessMiniGames})
        stats.*counter = value++;
    return stats;
}

class AwardsScreenTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        IMAGE_AWARD_BACKGROUND = mBackgroundPicture.get();
        IMAGE_AWARD_PAPER = mPaper.get();
        IMAGE_GAME_GOAL_CHECK = mTick.get();
        const char* const texts[][2] = {
            {"LABEL_AWARDS", "Awards"},
            {"LBL_AWARDS_STATUS", "Status"},
            {"LBL_AWARDS_STATUS_NOT_EARNED", "Not earned yet"},
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
    }

    void TearDown() override
    {
        Dismiss();
        if (mReceiving != nullptr) {
            mManager.RemoveWidget(mReceiving.get());
            mReceiving.reset();
        }
        IMAGE_AWARD_BACKGROUND = IMAGE_AWARD_PAPER = IMAGE_GAME_GOAL_CHECK = nullptr;
        ProfileScreenTest::TearDown();
    }

    // A screen the host did not remove is still the test's.
    void Dismiss()
    {
        if (mHost.mScreen == nullptr)
            return;
        mManager.RemoveWidget(mHost.mScreen);
        delete mHost.mScreen;
        mHost.mScreen = nullptr;
    }

    // As the application opens it: over the whole screen.
    AwardsScreen& Open(const int32_t newAward)
    {
        auto* const screen = new AwardsScreen(&mHost, newAward);
        screen->Resize(0, 0, 800, 600);
        mManager.AddWidget(screen);
        mHost.mScreen = screen;
        return *screen;
    }

    // A receiving-awards screen at its first page, as the application holds it.
    ReceivingAwardsScreen& OpenReceiving()
    {
        mReceiving = std::make_unique<ReceivingAwardsScreen>(&mReceivingHost, 4);
        mHost.mReceiving = mReceiving.get();
        return *mReceiving;
    }

    const RecordingScreen& DrawScreen(AwardsScreen& screen)
    {
        mRecording = std::make_unique<RecordingScreen>(800, 600);
        mLabelFont.mRuns.clear();
        mHost.mDraws.clear();
        Zest::Graphics g(mRecording.get());
        screen.DrawOverlay(&g);
        return *mRecording;
    }

    // The tile's popup as the manager draws it: from the tile's corner. The texts are
    // recorded from there too.
    const RecordingScreen& DrawPopup(AwardTile& tile)
    {
        mRecording = std::make_unique<RecordingScreen>(800, 600);
        mStoryFont.mRuns.clear();
        Zest::Graphics g(mRecording.get());
        g.Translate(tile.mX, tile.mY);
        tile.DrawOverlay(&g);
        return *mRecording;
    }

    // The pointer comes to rest on the tile, through the manager.
    void Hover(const AwardTile& tile) { mManager.MouseMove(tile.mX + tile.mWidth / 2, tile.mY + tile.mHeight / 2); }

    RecordingAwardsHost mHost{mServices.mLog, mManager};
    LoggingReceivingHost mReceivingHost{mServices.mLog};
    std::unique_ptr<ReceivingAwardsScreen> mReceiving;
    std::unique_ptr<RecordingScreen> mRecording;
    std::unique_ptr<Zest::MemoryImage> mBackgroundPicture =
        SolidImage(&mApp, kBackgroundWidth, kBackgroundHeight, Color(10, 60, 10));
    std::unique_ptr<Zest::MemoryImage> mPaper = SolidImage(&mApp, kPaperWidth, kPaperHeight, Color(240, 230, 200));
    std::unique_ptr<Zest::MemoryImage> mTick = SolidImage(&mApp, kTickSize, kTickSize, Color(0, 200, 0));
};

struct GrantCase {
    const char* mName;
    int32_t mNewAward;
    // The profile's saves while the screen opens.
    Log mLog;
};

TEST_F(AwardsScreenTest, OpeningWithAnAwardGrantsItAndWritesTheProfileAtOnce)
{
    const GrantCase cases[] = {
        {"a habitat award", 4, {"save profiles, awards 2 4"}},
        {"a feat", 17, {"save profiles, awards 2 17"}},
        {"one already held is saved again", 2, {"save profiles, awards 2"}},
        {"none: only shown, nothing written", -1, {}},
    };
    for (const GrantCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mHost.mProfile = PlayerProfile("Ann");
        mHost.mProfile.mAwards[2] = true;
        Open(test.mNewAward);
        EXPECT_EQ(mServices.TakeLog(), test.mLog);
        for (int32_t award = 0; award < AWARD_COUNT; ++award)
            EXPECT_EQ(mHost.mProfile.mAwards[award], award == 2 || award == test.mNewAward) << "award " << award;
        Dismiss();
    }
}

struct CounterCase {
    const char* mName;
    int32_t mNewAward;
    bool mGameRunning;
    bool mFromGame;
};

// The profile holds counters from 100 on, the running game from 200 on.
TEST_F(AwardsScreenTest, TheFeatsShowTheGamesCountersOnlyForAnAwardEarnedInIt)
{
    const CounterCase cases[] = {
        {"a feat earned in the running game", 12, true, true},
        {"opened from the menu while a game is stored", -1, true, false},
        {"a habitat award handed over between games", 3, false, false},
        {"opened from the menu", -1, false, false},
    };
    mHost.mProfile.mStats = CountersFrom(100);
    for (const CounterCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mHost.mGame.reset();
        if (test.mGameRunning)
            mHost.mGame = CountersFrom(200);
        const GameStats& shown = test.mFromGame ? *mHost.mGame : mHost.mProfile.mStats;

        const AwardsScreen& screen = Open(test.mNewAward);
        ASSERT_EQ(screen.mTiles.size(), static_cast<size_t>(AWARD_COUNT));
        for (int32_t award = 0; award < AWARD_COUNT; ++award) {
            SCOPED_TRACE("award " + std::to_string(award));
            const AwardTile& tile = *screen.mTiles[award];
            EXPECT_EQ(tile.mAwardIndex, award);
            EXPECT_EQ(tile.mName, "Name " + std::to_string(award));
            EXPECT_EQ(tile.mDescription, "Desc " + std::to_string(award));
            if (award < FIRST_FEAT_AWARD) {
                EXPECT_EQ(tile.mCounter, -1);
                EXPECT_EQ(tile.mGoal, -1);
            } else {
                const FeatShown& feat = kFeatsShown[award - FIRST_FEAT_AWARD];
                EXPECT_EQ(tile.mCounter, shown.*feat.mCounter);
                EXPECT_EQ(tile.mGoal, feat.mGoal);
            }
        }
        Dismiss();
    }
}

TEST_F(AwardsScreenTest, TheTilesLieRightOfTheirPicturesAboveTheScreenWithTheirPopupsTowardsTheMiddle)
{
    const AwardsScreen& screen = Open(-1);
    ASSERT_EQ(screen.mTilePositions.size(), static_cast<size_t>(AWARD_COUNT));
    for (int32_t award = 0; award < AWARD_COUNT; ++award) {
        SCOPED_TRACE("award " + std::to_string(award));
        const TilePlace& place = kPlaces[award];
        EXPECT_EQ(screen.mTilePositions[award], std::make_pair(place.mX, place.mY));
        const AwardTile& tile = *screen.mTiles[award];
        EXPECT_EQ(tile.GetRect(), Zest::Rect(static_cast<int>(place.mX) + 3, static_cast<int>(place.mY), 90, 80));
        EXPECT_EQ(tile.mPopupX, place.mPopupX);
        EXPECT_EQ(tile.mPopupY, place.mPopupY);
        EXPECT_TRUE(mManager.HasWidget(&tile));
        EXPECT_TRUE(mManager.IsBelow(&screen, &tile)) << "the screen must not take the pointer from the tile";
    }
}

TEST_F(AwardsScreenTest, BackIsALargeButtonBottomLeftAndLeavesWithTheTiles)
{
    AwardsScreen& screen = Open(-1);
    ASSERT_EQ(screen.mItems.size(), 1u);
    MenuItem* const back = screen.mItems[0];
    ExpectDialogButton(*back, "Back", Zest::Rect(60, 540, kLargeButtonWidth, kLargeButtonHeight), 1.0f);
    EXPECT_EQ(back->mOverlayPriority, AwardsScreen::kOverlayPriority);

    const std::vector<AwardTile*> tiles = screen.mTiles;
    mManager.RemoveWidget(&screen);
    EXPECT_TRUE(screen.mItems.empty());
    EXPECT_TRUE(screen.mTiles.empty());
    EXPECT_FALSE(mManager.HasWidget(back));
    std::vector<Zest::Widget*> handedOver{back};
    for (AwardTile* const tile : tiles) {
        EXPECT_FALSE(mManager.HasWidget(tile));
        handedOver.push_back(tile);
    }
    EXPECT_EQ(mServices.mDeferred, handedOver) << "deleted after the update";
    delete mHost.mScreen;
    mHost.mScreen = nullptr;
}

// The leak checker sees tiles left behind.
TEST_F(AwardsScreenTest, AScreenThatNeverJoinedTheManagerDeletesItsTiles)
{
    const auto screen = std::make_unique<AwardsScreen>(&mHost, 11);
    EXPECT_EQ(screen->mTiles.size(), static_cast<size_t>(AWARD_COUNT));
    EXPECT_TRUE(mServices.mDeferred.empty());
}

TEST_F(AwardsScreenTest, TheAwardsAreDrawnOnTheCentredBackgroundUnderTheTitle)
{
    mHost.mProfile.mAwards[0] = true;
    mHost.mProfile.mAwards[15] = true;
    AwardsScreen& screen = Open(12);
    mManager.UpdateFrameSmooth(1.0f);

    const RecordingScreen& drawn = DrawScreen(screen);
    ASSERT_EQ(drawn.mBlits.size(), 1u) << "the background and no scan lines";
    EXPECT_EQ(drawn.mBlits[0].mSource, mBackgroundPicture.get());
    EXPECT_EQ(drawn.mBlits[0].mX, 24.5f);
    EXPECT_EQ(drawn.mBlits[0].mY, 24.5f);
    EXPECT_EQ(drawn.mBlits[0].mColor, Color::White);

    ASSERT_EQ(mLabelFont.mRuns.size(), 2u);
    EXPECT_EQ(mLabelFont.mRuns[0].mText, "Awards");
    EXPECT_EQ(mLabelFont.mRuns[0].mX, 371);
    EXPECT_EQ(mLabelFont.mRuns[0].mY, 41);
    EXPECT_EQ(mLabelFont.mRuns[0].mColor, Color::White);
    EXPECT_EQ(mLabelFont.mRuns[1].mX, 370);
    EXPECT_EQ(mLabelFont.mRuns[1].mY, 40);
    EXPECT_EQ(mLabelFont.mRuns[1].mColor, Color(0, 130, 49));

    ASSERT_EQ(mHost.mDraws.size(), static_cast<size_t>(AWARD_COUNT));
    for (int32_t award = 0; award < AWARD_COUNT; ++award) {
        SCOPED_TRACE("award " + std::to_string(award));
        const AwardDraw& draw = mHost.mDraws[award];
        EXPECT_EQ(draw.mIndex, award);
        EXPECT_EQ(draw.mX, kPlaces[award].mX);
        EXPECT_EQ(draw.mY, kPlaces[award].mY);
        EXPECT_FALSE(draw.mHalfSize);
        EXPECT_TRUE(draw.mWithName);
        EXPECT_EQ(draw.mTextColor, kNameColor);
        Color expected = kGrey;
        if (award == 0 || award == 15)
            expected = Color::White;
        if (award == 12)
            expected = Color(255, 255, 255, 247);
        EXPECT_EQ(draw.mColor, expected);
    }
}

TEST_F(AwardsScreenTest, TheScanLinesLieOverTheAwardsWhenTheOptionsAskForThem)
{
    GameOptionsHolder::Instance().mScanLines = true;
    const RecordingScreen& drawn = DrawScreen(Open(-1));
    ASSERT_EQ(drawn.mBlits.size(), 2u);
    const Blit& lines = drawn.mBlits.back();
    EXPECT_EQ(lines.mSource, mScanLines.get());
    EXPECT_EQ(lines.mX, 0.0f);
    EXPECT_EQ(lines.mY, 0.0f);
    EXPECT_EQ(lines.mColor, Color(200, 200, 200, 64));
}

struct BlinkCase {
    int mUpdates;
    Color mColor;
};

// The alpha falls and rises by 8 per update, 32 updates each way; from the third fade-out's
// end, 5 x 32 updates in, the award is drawn like any other held one.
TEST_F(AwardsScreenTest, TheNewAwardBlinksUntilItsThirdFadeOut)
{
    const BlinkCase cases[] = {
        {0, Color(255, 255, 255, 255)},   {1, Color(255, 255, 255, 247)}, {31, Color(255, 255, 255, 7)},
        {32, Color(255, 255, 255, 0)},    {33, Color(255, 255, 255, 8)},  {63, Color(255, 255, 255, 248)},
        {64, Color(255, 255, 255, 255)},  {96, Color(255, 255, 255, 0)},  {159, Color(255, 255, 255, 7)},
        {160, Color::White},              {161, Color::White},            {400, Color::White},
    };
    AwardsScreen& screen = Open(14);
    int updates = 0;
    for (const BlinkCase& test : cases) {
        SCOPED_TRACE("after " + std::to_string(test.mUpdates) + " updates");
        for (; updates < test.mUpdates; ++updates)
            mManager.UpdateFrameSmooth(1.0f);
        DrawScreen(screen);
        ASSERT_EQ(mHost.mDraws.size(), static_cast<size_t>(AWARD_COUNT));
        EXPECT_EQ(mHost.mDraws[14].mColor, test.mColor);
        EXPECT_EQ(mHost.mDraws[13].mColor, kGrey) << "only the new award blinks";
    }
}

TEST_F(AwardsScreenTest, OnlyTheTileUnderThePointerShowsItsPopup)
{
    const AwardsScreen& screen = Open(-1);
    Hover(*screen.mTiles[7]);
    for (int32_t award = 0; award < AWARD_COUNT; ++award) {
        SCOPED_TRACE("award " + std::to_string(award));
        AwardTile& tile = *screen.mTiles[award];
        EXPECT_EQ(tile.mIsOver, award == 7);
        EXPECT_EQ(DrawPopup(tile).mBlits.empty(), award != 7);
        EXPECT_EQ(mStoryFont.mRuns.empty(), award != 7);
    }
    Hover(*screen.mTiles[16]);
    EXPECT_FALSE(screen.mTiles[7]->mIsOver);
    EXPECT_TRUE(DrawPopup(*screen.mTiles[7]).mBlits.empty());
}

TEST_F(AwardsScreenTest, ThePopupIsTheEnlargedPaperAtItsCornerWithTheTexts)
{
    const AwardsScreen& screen = Open(-1);
    // Popups right and below, left and below, right and above, left and above.
    for (const int32_t award : {0, 3, 6, 18}) {
        SCOPED_TRACE("award " + std::to_string(award));
        AwardTile& tile = *screen.mTiles[award];
        Hover(tile);
        const RecordingScreen& drawn = DrawPopup(tile);
        const TilePlace& place = kPlaces[award];
        const int popupX = static_cast<int>(place.mPopupX);
        const int popupY = static_cast<int>(place.mPopupY);

        ASSERT_GE(drawn.mBlits.size(), 1u);
        const Blit& paper = drawn.mBlits[0];
        EXPECT_EQ(paper.mSource, mPaper.get());
        EXPECT_EQ(paper.mX, place.mPopupX);
        EXPECT_EQ(paper.mY, place.mPopupY);
        EXPECT_EQ(paper.mColor, Color::White);

        // The font records the texts from the tile's corner.
        const int left = popupX + 15 - tile.mX;
        const int top = popupY - tile.mY;
        ASSERT_EQ(mStoryFont.mRuns.size(), 3u);
        EXPECT_EQ(mStoryFont.mRuns[0].mText, "Name " + std::to_string(award));
        EXPECT_EQ(mStoryFont.mRuns[0].mX, left);
        EXPECT_EQ(mStoryFont.mRuns[0].mY, top + 30);
        EXPECT_EQ(mStoryFont.mRuns[0].mColor, Color(0, 0, 200));
        EXPECT_EQ(mStoryFont.mRuns[1].mText, "Desc " + std::to_string(award));
        EXPECT_EQ(mStoryFont.mRuns[1].mX, left);
        EXPECT_EQ(mStoryFont.mRuns[1].mY, top + 45 + 12) << "the first line's baseline under the box's top";
        EXPECT_EQ(mStoryFont.mRuns[1].mColor, kTestTextColor);
        EXPECT_EQ(mStoryFont.mRuns[2].mX, left);
        EXPECT_EQ(mStoryFont.mRuns[2].mY, top + 150 - 10) << "above the enlarged paper's bottom";
        EXPECT_EQ(mStoryFont.mRuns[2].mColor, Color(0, 150, 0));
    }
}

struct StatusCase {
    const char* mName;
    int32_t mAward;
    // For a feat.
    int32_t mCounter;
    // For a habitat award.
    bool mHeld;
    const char* mStatus;
    bool mTicked;
};

// A feat's status follows its counter, a habitat award's the player's flag.
TEST_F(AwardsScreenTest, TheStatusLineShowsTheProgressOrTheTick)
{
    const StatusCase cases[] = {
        {"a feat below its goal shows its progress", 12, 4, false, "Status : 4 / 5 ", false},
        {"a feat with nothing counted yet", 11, 0, false, "Status : 0 / 2000 ", false},
        {"a feat at its goal", 12, 5, false, "Status", true},
        {"a feat past its goal while not yet granted", 19, 7, false, "Status", true},
        {"a habitat award held", 3, 0, true, "Status", true},
        {"a habitat award not held", 3, 0, false, "Not earned yet", false},
    };
    for (const StatusCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mHost.mProfile.mAwards[3] = test.mHeld;
        const AwardsScreen& screen = Open(-1);
        AwardTile& tile = *screen.mTiles[test.mAward];
        if (test.mAward >= FIRST_FEAT_AWARD)
            tile.mCounter = test.mCounter;
        Hover(tile);

        const RecordingScreen& drawn = DrawPopup(tile);
        ASSERT_EQ(mStoryFont.mRuns.size(), 3u);
        EXPECT_EQ(mStoryFont.mRuns[2].mText, test.mStatus);
        const std::vector<Blit> ticks = drawn.Of(mTick.get());
        if (!test.mTicked) {
            EXPECT_TRUE(ticks.empty());
        } else {
            // Half size about its centre, 75 right of the popup's corner and 20 above the
            // enlarged paper's bottom.
            ASSERT_EQ(ticks.size(), 1u);
            EXPECT_EQ(ticks[0].mX, kPlaces[test.mAward].mPopupX + 75 - kTickSize / 4);
            EXPECT_EQ(ticks[0].mY, kPlaces[test.mAward].mPopupY + 150 - 20 - kTickSize / 4);
            EXPECT_EQ(ticks[0].mColor, Color::White);
        }
        Dismiss();
    }
}

struct BackCase {
    const char* mName;
    int32_t mNewAward;
    bool mReceivingOpen;
    bool mGameRunning;
    Log mLog;
    // The receiving-awards screen's step and page afterwards.
    int32_t mStep;
    int32_t mPage;
};

TEST_F(AwardsScreenTest, BackHandsOverToWhicheverScreenOpenedIt)
{
    const BackCase cases[] = {
        {"the last habitat's award ends the story", 9, true, false, {kClickLogged, "remove awards screen"}, 3, 0},
        {"another habitat award goes on with the story", 4, true, false, {kClickLogged, "remove awards screen"}, 0, 1},
        {"a feat earned in play returns to the game",
         12,
         false,
         true,
         {kClickLogged, "remove awards screen", "close new award"},
         0,
         0},
        {"from the main menu the screen only goes", -1, false, false, {kClickLogged, "remove awards screen"}, 0, 0},
    };
    for (const BackCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mHost.mGame.reset();
        if (test.mGameRunning)
            mHost.mGame = GameStats();
        const ReceivingAwardsScreen* const receiving = test.mReceivingOpen ? &OpenReceiving() : nullptr;
        const MenuItem& back = *Open(test.mNewAward).mItems[0];
        mServices.TakeLog();

        Click(back);
        EXPECT_EQ(mServices.TakeLog(), test.mLog);
        EXPECT_EQ(mHost.mScreen, nullptr) << "Back acted before any update";
        if (receiving != nullptr) {
            EXPECT_EQ(receiving->mStep, test.mStep);
            EXPECT_EQ(receiving->mPage, test.mPage);
        }
        mHost.mReceiving = nullptr;
        mReceiving.reset();
    }
}

} // namespace
} // namespace Tests
