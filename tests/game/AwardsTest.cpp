#include "game/Awards.h"
#include "tests/game/GameStringsFile.h"


#include "tests/game/screens/MenuTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

using Owned = std::array<bool, AWARD_COUNT>;

// One feat of the award table: the counter it is earned on and its goal.
struct FeatCase {
    int32_t mAward;
    int32_t GameStats::*mCounter;
    const char* mCounterName;
    int32_t mGoal;
};

const FeatCase FEATS[] = {
    {10, &GameStats::mChainsMade, "chains made", 500},
    {11, &GameStats::mChainsMade, "chains made", 2000},
    {12, &GameStats::mCollectorCombos, "collector combos", 5},
    {13, &GameStats::mCollectorCombos, "collector combos", 15},
    {14, &GameStats::mCollectorCombos, "collector combos", 30},
    {15, &GameStats::mFullRows, "full rows", 50},
    {16, &GameStats::mFullColumns, "full columns", 50},
    {17, &GameStats::mBananasCleared, "bananas cleared", 100},
    {18, &GameStats::mWebsBurnt, "webs burnt", 100},
    {19, &GameStats::mFaultlessMiniGames, "faultless mini-games", 3},
};

void PrintTo(const FeatCase& feat, std::ostream* const out)
{
    *out << "award " << feat.mAward << ": " << feat.mCounterName << " >= " << feat.mGoal;
}

// Every feat below its counter's goal is owned except the one under test, so each row checks
// its own rule alone: an easier feat on the same counter cannot answer for it.
Owned AllFeatsOwnedBut(const int32_t award)
{
    Owned owned{};
    for (int32_t index = FIRST_FEAT_AWARD; index < AWARD_COUNT; ++index)
        owned[index] = index != award;
    return owned;
}

class AwardRuleTest : public ::testing::TestWithParam<FeatCase> {};

TEST_P(AwardRuleTest, EarnedAtItsGoalAndOnlyWhileNotOwned)
{
    const FeatCase& feat = GetParam();
    Owned owned = AllFeatsOwnedBut(feat.mAward);
    GameStats stats;

    stats.*feat.mCounter = feat.mGoal - 1;
    EXPECT_EQ(CheckForNewAward(stats, owned), -1) << "one below the goal";
    stats.*feat.mCounter = feat.mGoal;
    EXPECT_EQ(CheckForNewAward(stats, owned), feat.mAward) << "at the goal";
    stats.*feat.mCounter = feat.mGoal * 10;
    EXPECT_EQ(CheckForNewAward(stats, owned), feat.mAward) << "past the goal";

    owned[feat.mAward] = true;
    EXPECT_EQ(CheckForNewAward(stats, owned), -1) << "already owned";
}

INSTANTIATE_TEST_SUITE_P(Feats, AwardRuleTest, ::testing::ValuesIn(FEATS),
                         [](const ::testing::TestParamInfo<FeatCase>& info) {
                             return "Award" + std::to_string(info.param.mAward);
                         });

TEST(AwardRules, SeveralEarnedAtOnceComeOneByOneInTestOrder)
{
    GameStats stats;
    for (const FeatCase& feat : FEATS)
        stats.*feat.mCounter = feat.mGoal;
    Owned owned{};

    // The awards screen grants each reported award before the next check.
    std::vector<int32_t> reported;
    for (int32_t award = CheckForNewAward(stats, owned); award != -1; award = CheckForNewAward(stats, owned)) {
        ASSERT_FALSE(owned[award]) << "reported twice: " << award;
        reported.push_back(award);
        owned[award] = true;
    }
    EXPECT_EQ(reported, (std::vector<int32_t>{10, 11, 12, 13, 14, 16, 15, 18, 17, 19}));
}

TEST(AwardRules, EasierFeatOnTheSameCounterComesFirst)
{
    GameStats stats;
    stats.mCollectorCombos = 30;
    Owned owned{};
    EXPECT_EQ(CheckForNewAward(stats, owned), 12);
    owned[12] = owned[13] = true;
    EXPECT_EQ(CheckForNewAward(stats, owned), 14);
}

TEST(AwardRules, NoFeatFromHabitatAwardsOrOtherCounters)
{
    // The counters that belong to no award, far past every goal.
    GameStats stats;
    stats.mMiniGameScore = 1'000'000;
    stats.mTilesTaken = 1'000'000;
    stats.mReserved2 = 1'000'000;
    stats.mLongestChain = 1'000'000;
    stats.mPairsMatched = 1'000'000;
    stats.mStageChains = 1'000'000;
    stats.mStageMoves = 1'000'000;
    EXPECT_EQ(CheckForNewAward(stats, Owned{}), -1);

    // Every feat owned: the habitats' awards are never reported, owned or not.
    for (const FeatCase& feat : FEATS)
        stats.*feat.mCounter = feat.mGoal;
    EXPECT_EQ(CheckForNewAward(stats, AllFeatsOwnedBut(-1)), -1);
}

// Looks keys up in the game's own string file as the string table does, and records them.
class AwardTextTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(mStrings.Load(GAME_STRINGS_FILE)); }

    TextLookup Lookup() { return mStrings.Lookup(); }

    Tests::GameStringsFile mStrings;
};

TEST_F(AwardTextTest, EveryNameAndDescriptionKeyHasAText)
{
    std::set<std::string> names;
    for (int32_t index = 0; index < AWARD_COUNT; ++index) {
        SCOPED_TRACE("award " + std::to_string(index));
        const std::string name = GetAwardName(index, Lookup());
        const std::string description = GetAwardDescription(index, Lookup());
        EXPECT_FALSE(name.empty());
        EXPECT_FALSE(description.empty());
        EXPECT_TRUE(names.insert(name).second) << "name shared with another award: " << name;
    }
    for (const std::string& key : mStrings.mRequestedKeys)
        EXPECT_TRUE(mStrings.Has(key)) << "no text for " << key;
}

TEST_F(AwardTextTest, HabitatAwardsShareOneDescriptionAndFeatsHaveTheirOwn)
{
    const std::string habitatText = mStrings.Text("DESC_AWARD_HABITAT");
    for (int32_t index = 0; index < FIRST_FEAT_AWARD; ++index)
        EXPECT_EQ(GetAwardDescription(index, Lookup()), habitatText) << "award " << index;

    std::set<std::string> featTexts;
    for (int32_t index = FIRST_FEAT_AWARD; index < AWARD_COUNT; ++index)
        featTexts.insert(GetAwardDescription(index, Lookup()));
    EXPECT_EQ(featTexts.size(), static_cast<size_t>(AWARD_COUNT - FIRST_FEAT_AWARD));
    EXPECT_EQ(featTexts.count(habitatText), 0u);
}

TEST_F(AwardTextTest, IndexOutsideTheTableIsNotFoundWithoutALookup)
{
    for (const int32_t index : {-1, AWARD_COUNT, 1000}) {
        EXPECT_EQ(GetAwardName(index, Lookup()), "not found") << index;
        EXPECT_EQ(GetAwardDescription(index, Lookup()), "not found") << index;
    }
    EXPECT_TRUE(mStrings.mRequestedKeys.empty());
}

TEST(AwardTable, PicturesRunInAwardOrderThroughTheGameGroup)
{
    for (int32_t index = 0; index < AWARD_COUNT; ++index) {
        const ResourceId picture = gAwards[index].mPicture;
        EXPECT_EQ(picture, IMAGE_AWARD_AMAZON_ID + index) << "award " << index;
        EXPECT_EQ(gResourceTable[picture].mKind, ResourceKind::Image) << "award " << index;
        EXPECT_STREQ(gResourceTable[picture].mGroup, "Game") << "award " << index;
    }
}

// Draws onto a black 800 x 600 screen with a 41 x 30 red picture in one award's resource
// variable and a recording font as the label font; both variables are put back afterwards.
class DrawAwardTest : public Tests::DrawingTest {
protected:
    static constexpr int32_t AWARD = 15;
    static constexpr int32_t PICTURE_WIDTH = 41;
    static constexpr int32_t PICTURE_HEIGHT = 30;

    void SetUp() override
    {
        DrawingTest::SetUp();
        mScreen.Create(800, 600);
        Zest::Graphics clear(&mScreen);
        clear.SetColor(Zest::Color::Black);
        clear.FillRect(0, 0, 800, 600);
        mPicture = Tests::StripImage(&mApp, PICTURE_WIDTH, PICTURE_HEIGHT, {Zest::Color(255, 0, 0)});
        mSavedPicture = IMAGE_AWARD_GREATWALL;
        mSavedFont = FONT_IN_GAME_LABELS;
        IMAGE_AWARD_GREATWALL = mPicture.get();
        FONT_IN_GAME_LABELS = &mFont;
    }
    void TearDown() override
    {
        IMAGE_AWARD_GREATWALL = mSavedPicture;
        FONT_IN_GAME_LABELS = mSavedFont;
        DrawingTest::TearDown();
    }

    // The float draws may round full red down by one.
    bool IsRed(const int x, const int y)
    {
        const uint32_t pixel = mScreen.GetBits()[y * 800 + x];
        return ((pixel >> 16) & 0xFF) >= 250 && (pixel & 0xFFFF) == 0;
    }
    // The name has 11 characters, 110 pixels in the recording font.
    static std::string Name(const std::string&) { return "Great Wall!"; }

    Zest::MemoryImage mScreen{&mApp};
    Tests::RunRecordingFont mFont;
    std::unique_ptr<Zest::MemoryImage> mPicture;
    Zest::Image* mSavedPicture = nullptr;
    Zest::Font* mSavedFont = nullptr;
};

TEST_F(DrawAwardTest, FullSizeHasItsCornerAtThePointAndTheNameCentredBelow)
{
    Zest::Graphics g(&mScreen);
    const Zest::Color gold(250, 200, 40);
    DrawAward(AWARD, &g, 100.7f, 50.6f, false, gold, true, Name);

    // Clear of the edges, which the fractional position may blend.
    EXPECT_TRUE(IsRed(102, 52));
    EXPECT_TRUE(IsRed(139, 78));
    EXPECT_FALSE(IsRed(98, 52));
    EXPECT_FALSE(IsRed(143, 78));
    EXPECT_FALSE(IsRed(102, 82));
    // x = trunc(41 / 2 + 100.7) - 110 / 2, y = trunc(30 + 50.6 + 15).
    ASSERT_EQ(mFont.mRuns.size(), 1u);
    EXPECT_EQ(mFont.mRuns[0].mText, "Great Wall!");
    EXPECT_EQ(mFont.mRuns[0].mX, 120 - 55);
    EXPECT_EQ(mFont.mRuns[0].mY, 95);
    EXPECT_EQ(mFont.mRuns[0].mColor, gold);
    EXPECT_FALSE(g.mLinearBlend);
}

TEST_F(DrawAwardTest, HalfSizeIsCentredOnThePointAndTheNameKeepsTheFullSizePlace)
{
    Zest::Graphics g(&mScreen);
    DrawAward(AWARD, &g, 200.0f, 100.0f, true, Zest::Color::White, true, Name);

    // 20 x 15 pixels from (189, 92).
    EXPECT_TRUE(IsRed(189, 92));
    EXPECT_TRUE(IsRed(208, 106));
    EXPECT_FALSE(IsRed(188, 100));
    EXPECT_FALSE(IsRed(209, 100));
    EXPECT_FALSE(IsRed(200, 91));
    EXPECT_FALSE(IsRed(200, 107));
    EXPECT_TRUE(g.mLinearBlend);
    ASSERT_EQ(mFont.mRuns.size(), 1u);
    EXPECT_EQ(mFont.mRuns[0].mX, 220 - 55);
    EXPECT_EQ(mFont.mRuns[0].mY, 145);
}

TEST_F(DrawAwardTest, NoNameUnlessAsked)
{
    Zest::Graphics g(&mScreen);
    DrawAward(AWARD, &g, 10.0f, 10.0f, false, Zest::Color::White, false, Name);
    EXPECT_TRUE(IsRed(10, 10));
    EXPECT_TRUE(mFont.mRuns.empty());
}

// Numbers past the table name other resources (award 20 would be the first mini-game
// picture, award 59 a sound id taken for a picture), and a picture whose group is not loaded
// yet is null: none of them may be drawn.
TEST_F(DrawAwardTest, NothingForAnIndexOutsideTheTableOrAPictureNotLoaded)
{
    Zest::Image* const savedNeighbour = IMAGE_MINI_GAME_SPIDER;
    IMAGE_MINI_GAME_SPIDER = mPicture.get();
    Zest::Graphics g(&mScreen);
    for (const int32_t index : {-1, AWARD_COUNT, 59})
        DrawAward(index, &g, 10.0f, 10.0f, false, Zest::Color::White, true, Name);
    IMAGE_AWARD_GREATWALL = nullptr;
    DrawAward(AWARD, &g, 10.0f, 10.0f, false, Zest::Color::White, true, Name);
    IMAGE_MINI_GAME_SPIDER = savedNeighbour;

    EXPECT_TRUE(mFont.mRuns.empty());
    for (int y = 0; y < 600; y += 5) {
        for (int x = 0; x < 800; x += 5)
            ASSERT_FALSE(IsRed(x, y)) << x << "," << y;
    }
}

} // namespace
