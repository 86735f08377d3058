#include "game/GameStats.h"

#include "framework/app/common/Buffer.h"
#include "game/PlayerProfile.h"
#include "game/SaveFileReader.h"

namespace {

// The counters a profile stores, in their order in the file.
constexpr int32_t GameStats::* kStoredCounters[] = {
    &GameStats::mLongestChain, &GameStats::mReserved2,     &GameStats::mChainsMade, &GameStats::mPairsMatched,
    &GameStats::mTilesTaken,   &GameStats::mCollectorCombos, &GameStats::mFullColumns, &GameStats::mFullRows,
    &GameStats::mWebsBurnt,    &GameStats::mBananasCleared, &GameStats::mFaultlessMiniGames,
};

} // namespace

void GameStats::ClearGameCounters()
{
    mMiniGameScore = 0;
    mTilesTaken = 0;
    mReserved2 = 0;
    mChainsMade = 0;
    mLongestChain = 0;
    mPairsMatched = 0;
    mStageChains = 0;
    mStageMoves = 0;
}

void GameStats::CopyCarriedCounters(const GameStats& from)
{
    mChainsMade = from.mChainsMade;
    mCollectorCombos = from.mCollectorCombos;
    mFullColumns = from.mFullColumns;
    mFullRows = from.mFullRows;
    mWebsBurnt = from.mWebsBurnt;
    mBananasCleared = from.mBananasCleared;
    mFaultlessMiniGames = from.mFaultlessMiniGames;
}

void GameStats::CopyStoredCounters(const GameStats& from)
{
    for (const auto counter : kStoredCounters)
        this->*counter = from.*counter;
}

void GameStats::CopyFromProfile(const PlayerProfile& profile, const bool newHabitat)
{
    if (newHabitat)
        CopyCarriedCounters(profile.mStats);
    else
        CopyStoredCounters(profile.mStats);
}

void GameStats::Write(Zest::Buffer& buffer) const
{
    for (const auto counter : kStoredCounters)
        buffer.WriteLong(this->*counter);
}

void GameStats::Read(SaveFileReader& reader)
{
    for (const auto counter : kStoredCounters)
        this->*counter = reader.ReadLong();
}
