#pragma once
// The fade arithmetic both music interfaces share. Each Update moves a fading song's volume
// by its step; a fade-in ends above the song's cap, a fade-out below 0. The comparisons are
// strict, so a volume landing exactly on the cap or on 0 fades once more before it is
// clamped: a fade of speed 0.25 takes five updates.

namespace Zest {

// Steps one song's fade (a song info with mVolume, mVolumeAdd, mVolumeCap, mStopOnFade).
// True when a fade-out has just ended on a song that is to stop then.
template <typename SongInfo>
bool StepFade(SongInfo& song)
{
    song.mVolume += song.mVolumeAdd;
    if (song.mVolume > song.mVolumeCap) {
        song.mVolume = song.mVolumeCap;
        song.mVolumeAdd = 0.0;
    } else if (song.mVolume < 0.0) {
        song.mVolume = 0.0;
        song.mVolumeAdd = 0.0;
        return song.mStopOnFade;
    }
    return false;
}

} // namespace Zest
