// The session's answers to the world map: the habitats' places and labels and the player's
// progress from the application and the current profile, the map's music through the
// application, and the Done button, which moves the state machine on.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/play/PlayHost.h"

std::pair<float, float> GameSession::GetMapPoint(const int32_t index) const { return mHost.GetMapPoint(index); }

int32_t GameSession::GetHabitatCount() const { return mHost.GetHabitatCount(); }

Zest::Image* GameSession::GetHabitatLabel(const int32_t index) const
{
    const Habitat* const habitat = mHost.GetHabitat(mHost.GetHabitatNameByIndex(index));
    return habitat == nullptr ? nullptr : habitat->mLabelImage;
}

int32_t GameSession::GetNextLevel() const
{
    const PlayerProfile* const profile = mHost.GetCurrentProfile();
    // A session plays for the current profile from its construction on.
    ZEST_ASSERT(profile != nullptr);
    return profile->mNextLevel;
}

void GameSession::StopAllMusic() { mHost.StopAllMusic(); }

void GameSession::FadeInSong(const int32_t songId, const std::string& fileName, const bool loop)
{
    mHost.FadeInSong(songId, fileName, loop);
}

// The map stays in the widget tree until the next frame's state step takes it away; a
// second press before then finds the state already set.
void GameSession::OnGameMapDone() { mState = STATE_MAP_CLOSED; }
