#pragma once
// The fourteen counters a game session keeps while it plays, numbered 0 to 13 in field
// order. Each profile holds a copy between games: counters 1 to 5 and 8 to 13 are stored
// there and in profiles.dat; 0, 6 and 7 belong to the running game only.
//
// The lifetime counters 3 and 8 to 13 go with the player from habitat to habitat; 8 to 13
// also survive a game over and a new adventure, which clear 0 to 7.

#include <cstdint>

namespace Zest {
class Buffer;
}

class PlayerProfile;
class SaveFileReader;

class GameStats {
public:
    // Counters 0 to 7: everything but the feat counters, which outlast a game over.
    void ClearGameCounters();
    // Counters 3 and 8 to 13 of the other record, the ones a new habitat starts with.
    void CopyCarriedCounters(const GameStats& from);
    // Counters 1 to 5 and 8 to 13 of the other record, the ones a profile stores.
    void CopyStoredCounters(const GameStats& from);

    // The session's start: a continued game gets every stored counter of the profile back,
    // a habitat started anew only the carried ones.
    void CopyFromProfile(const PlayerProfile& profile, bool newHabitat);

    // The stored counters as eleven Longs in the order 4, 2, 3, 5, 1, 8, 9, 10, 11, 12, 13.
    void Write(Zest::Buffer& buffer) const;
    void Read(SaveFileReader& reader);

    bool operator==(const GameStats& other) const = default;

    // 0: the last mini-game's score, set as its screen closes; not stored.
    int32_t mMiniGameScore = 0;
    // 1: tiles taken in chains.
    int32_t mTilesTaken = 0;
    // 2: nothing changes it; stored and carried along.
    int32_t mReserved2 = 0;
    // 3: chains that counted; lifetime, cleared by a game over.
    int32_t mChainsMade = 0;
    // 4: the longest chain.
    int32_t mLongestChain = 0;
    // 5: pairs matched in match-pairs mode.
    int32_t mPairsMatched = 0;
    // 6: chains that counted in the current stage; not stored.
    int32_t mStageChains = 0;
    // 7: chains the player made in the current stage; not stored.
    int32_t mStageMoves = 0;
    // 8 to 13: lifetime counters behind the feat awards.
    int32_t mCollectorCombos = 0;
    int32_t mFullColumns = 0;
    int32_t mFullRows = 0;
    int32_t mWebsBurnt = 0;
    int32_t mBananasCleared = 0;
    int32_t mFaultlessMiniGames = 0;
};
