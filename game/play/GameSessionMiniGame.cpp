// The hand-over to the physics mini-game that closes a habitat, and its points taken back.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/MiniGameWidget.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"

namespace {

constexpr int32_t kMiniGameSong = 15;
const char* const kMiniGameMusicFile = "music/minigame.ogg";

} // namespace

void GameSession::StartMiniGame()
{
    ZEST_ASSERT(mMiniGame == nullptr && mManager != nullptr);
    DestroyAllEntities();
    mHost.StopAllMusic();
    mHost.FadeInSong(kMiniGameSong, kMiniGameMusicFile, true);
    const MiniGameEntry& entry = mMiniGames.at(static_cast<size_t>(mHabitat->mIndex));
    mMiniGame = new MiniGameWidget(mHost, entry.mKind, entry.mWaves, entry.mPerWave);
    mMiniGame->Resize(0, 0, kWidth, kHeight);
    mManager->AddWidget(mMiniGame);
}

void GameSession::OnMiniGameFinished()
{
    ZEST_ASSERT(mMiniGame != nullptr);
    const int32_t points = mMiniGame->mScore;
    mStats->mMiniGameScore = points;
    AddScore(points);
    ReleaseWidget(mMiniGame);
    mMiniGame = nullptr;
    OnLevelFinished();
}
