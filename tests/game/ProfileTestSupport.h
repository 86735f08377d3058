#pragma once
// What the profile tests share: the field forms of the save files written out by hand (so
// that expected bytes never come from the code under test), a small pair of habitats for
// saved stages to find their creatures in, and a profile with every field set.

#include "game/Creature.h"
#include "game/Habitat.h"
#include "game/HabitatRegistry.h"
#include "game/PlayerProfile.h"

#include "tests/game/FakeResources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {

// A 4-byte little-endian signed integer.
inline std::string Long(const int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>(bits >> 24)};
}

// A 16-bit little-endian length, then the bytes.
inline std::string Str(const std::string& text)
{
    const auto length = static_cast<uint16_t>(text.size());
    return std::string{static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)} + text;
}

inline std::string Bool(const bool value) { return std::string(1, value ? '\x01' : '\x00'); }

inline std::string Repeat(const std::string& bytes, const int count)
{
    std::string repeated;
    for (int i = 0; i < count; ++i)
        repeated += bytes;
    return repeated;
}

// "Amazon" with a jaguar and a toucan, and "Alaska" with a moose.
class ProfileHabitats {
public:
    ProfileHabitats()
    {
        Register("Amazon", {{"Jaguar", 5}, {"Toucan", 2}});
        Register("Alaska", {{"Moose", 3}});
    }

    Creature* Find(const std::string& habitat, const std::string& creature) const
    {
        return mRegistry.FindCreature(habitat, creature);
    }

    FakeResources mResources;
    HabitatRegistry mRegistry{mResources};

private:
    void Register(const std::string& name, const std::vector<std::pair<std::string, int32_t>>& creatures)
    {
        auto habitat = std::make_unique<Habitat>(name);
        for (const auto& [creature, level] : creatures)
            habitat->AddCreature(std::make_unique<Creature>(creature, level, nullptr, nullptr));
        mRegistry.RegisterHabitatName(name);
        mRegistry.RegisterHabitat(name, std::move(habitat));
        ++mRegistry.mBuildIndex;
    }
};

// The saved cell k of the full profile: every field differs from a new cell's and from its
// neighbours'.
inline SavedTile FullProfileTile(const int32_t k)
{
    SavedTile tile;
    tile.mCreatureName = k % 5 == 0 ? SavedTile::kEmptyCell : (k % 2 != 0 ? "Jaguar" : "Toucan");
    tile.mLevel = k % 5 + 1;
    tile.mOverlay = 100 + k;
    tile.mVariant = k % 2;
    tile.mLock = k % 4 - 1;
    tile.mCellMarked = k % 3 == 0;
    tile.mInfected = k % 7 == 0;
    tile.mSearchMark = k % 11 == 0;
    return tile;
}

// Every field of the profile away from its new value, all numbers distinct, a Latin-1
// name, and a saved stage with a goal without a creature and with events.
inline std::unique_ptr<PlayerProfile> MakeFullProfile(const ProfileHabitats& habitats)
{
    auto profile = std::make_unique<PlayerProfile>("Zo\xEB");
    profile->mFrameShape = 7;
    profile->mFrameAnchor = 9;
    profile->mHabitatsStarted = 3;
    profile->mHabitatName = "Amazon";
    Stage& stage = profile->mStage;
    stage.AddGoal(habitats.Find("Amazon", "Jaguar"), 3);
    stage.AddGoal(nullptr, -1);
    stage.AddGoal(habitats.Find("Amazon", "Toucan"), 0);
    stage.mGoalTargets = {5, -1, 4};
    stage.mIndex = 4;
    stage.mExtraB = 7;
    stage.mExtraA = 8;
    stage.mPending = true;
    stage.mMode = MODE_MATCH_PAIRS;
    stage.mPlateKind = 1;
    stage.mPanicChance = 15;
    stage.mMaxFrameShape = 8;
    stage.mPowerItems = Stage::POWER_ITEMS_ON;
    stage.AddEvent(EVENT_SPIDER_WEB, 25);
    stage.AddEvent(EVENT_BANANAS, 40);
    profile->mStageIndex = 4;
    profile->mScore = 123456;
    profile->mHabitatProgress = 17;
    profile->mNextLevel = 2;
    profile->mTorches = 6;
    profile->mWater = 9;
    profile->mShuffles = 12;
    GameStats& stats = profile->mStats;
    int32_t value = 200;
    for (int32_t* const counter :
         {&stats.mMiniGameScore, &stats.mTilesTaken, &stats.mReserved2, &stats.mChainsMade, &stats.mLongestChain,
          &stats.mPairsMatched, &stats.mStageChains, &stats.mStageMoves, &stats.mCollectorCombos, &stats.mFullColumns,
          &stats.mFullRows, &stats.mWebsBurnt, &stats.mBananasCleared, &stats.mFaultlessMiniGames})
        *counter = value++;
    for (int32_t k = 0; k < PlayerProfile::kBoardCells; ++k) {
        profile->mTiles[k] = FullProfileTile(k);
        profile->mPlates[k] = k % 4 - 1;
    }
    for (int32_t i = 0; i < PlayerProfile::kAwardCount; ++i)
        profile->mAwards[i] = i % 2 == 1;
    profile->mFrameCells = {3, 9, 15};
    profile->mPlateBonusFlags = {true, false, true};
    for (int32_t i = 0; i < PlayerProfile::kTutorialTipCount; ++i)
        profile->mTutorialSeen[i] = i % 3 == 0;
    return profile;
}

inline void ExpectSameStage(const Stage& actual, const Stage& expected)
{
    ASSERT_EQ(actual.GetGoalCount(), expected.GetGoalCount());
    for (int32_t i = 0; i < expected.GetGoalCount(); ++i) {
        EXPECT_EQ(actual.GetGoal(i).mCreature, expected.GetGoal(i).mCreature) << "goal " << i;
        EXPECT_EQ(actual.GetGoal(i).mCount, expected.GetGoal(i).mCount) << "goal " << i;
    }
    EXPECT_EQ(actual.mGoalTargets, expected.mGoalTargets);
    EXPECT_EQ(actual.mEventKinds, expected.mEventKinds);
    EXPECT_EQ(actual.mEventChances, expected.mEventChances);
    EXPECT_EQ(actual.mMode, expected.mMode);
    EXPECT_EQ(actual.mPending, expected.mPending);
    EXPECT_EQ(actual.mExtraA, expected.mExtraA);
    EXPECT_EQ(actual.mExtraB, expected.mExtraB);
    EXPECT_EQ(actual.mIndex, expected.mIndex);
    EXPECT_EQ(actual.mPowerItems, expected.mPowerItems);
    EXPECT_EQ(actual.mPlateKind, expected.mPlateKind);
    EXPECT_EQ(actual.mPanicChance, expected.mPanicChance);
    EXPECT_EQ(actual.mMaxFrameShape, expected.mMaxFrameShape);
}

// Every stored field; the counters 0, 6 and 7, which the file does not hold, are left out.
inline void ExpectSameStoredProfile(const PlayerProfile& actual, const PlayerProfile& expected)
{
    EXPECT_EQ(actual.mName, expected.mName);
    EXPECT_EQ(actual.mFrameShape, expected.mFrameShape);
    EXPECT_EQ(actual.mFrameAnchor, expected.mFrameAnchor);
    EXPECT_EQ(actual.mHabitatsStarted, expected.mHabitatsStarted);
    EXPECT_EQ(actual.mHabitatName, expected.mHabitatName);
    ExpectSameStage(actual.mStage, expected.mStage);
    EXPECT_EQ(actual.mStageIndex, expected.mStageIndex);
    EXPECT_EQ(actual.mScore, expected.mScore);
    EXPECT_EQ(actual.mHabitatProgress, expected.mHabitatProgress);
    EXPECT_EQ(actual.mNextLevel, expected.mNextLevel);
    EXPECT_EQ(actual.mTorches, expected.mTorches);
    EXPECT_EQ(actual.mWater, expected.mWater);
    EXPECT_EQ(actual.mShuffles, expected.mShuffles);
    GameStats stored = expected.mStats;
    stored.mMiniGameScore = 0;
    stored.mStageChains = 0;
    stored.mStageMoves = 0;
    EXPECT_EQ(actual.mStats, stored);
    EXPECT_EQ(actual.mTiles, expected.mTiles);
    EXPECT_EQ(actual.mAwards, expected.mAwards);
    EXPECT_EQ(actual.mFrameCells, expected.mFrameCells);
    EXPECT_EQ(actual.mPlates, expected.mPlates);
    EXPECT_EQ(actual.mPlateBonusFlags, expected.mPlateBonusFlags);
    EXPECT_EQ(actual.mTutorialSeen, expected.mTutorialSeen);
}

} // namespace Tests
