#include "game/GameStats.h"

#include "framework/app/Buffer.h"
#include "game/PlayerProfile.h"
#include "game/SaveFileReader.h"

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
    CopyCarriedCounters(from);
    mTilesTaken = from.mTilesTaken;
    mReserved2 = from.mReserved2;
    mLongestChain = from.mLongestChain;
    mPairsMatched = from.mPairsMatched;
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
    for (const int32_t counter : {mLongestChain, mReserved2, mChainsMade, mPairsMatched, mTilesTaken, mCollectorCombos,
                                  mFullColumns, mFullRows, mWebsBurnt, mBananasCleared, mFaultlessMiniGames})
        buffer.WriteLong(counter);
}

void GameStats::Read(SaveFileReader& reader)
{
    for (int32_t* const counter : {&mLongestChain, &mReserved2, &mChainsMade, &mPairsMatched, &mTilesTaken,
                                   &mCollectorCombos, &mFullColumns, &mFullRows, &mWebsBurnt, &mBananasCleared,
                                   &mFaultlessMiniGames})
        *counter = reader.ReadLong();
}
