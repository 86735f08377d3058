#pragma once
// Music through the first music library: songs are tracker modules or streams (WAV, Ogg
// Vorbis, MP3), each with its own volume, cap and fade. Main thread only.

#include "framework/sound/MusicInterface.h"
#include "platform/win32/Types.h"

#include <cstdint>
#include <map>

namespace Zest {

struct BassMusicInfo {
    // The song is a module when mHMusic is non-zero, else a stream.
    uint32_t mHMusic = 0;
    uint32_t mHStream = 0;
    double mVolume = 0.0;
    // Volume added per Update; 0 when the song is not fading.
    double mVolumeAdd = 0.0;
    double mVolumeCap = 1.0;
    // Stop the song when a fade-out reaches 0.
    bool mStopOnFade = false;

    // The library's handle for every channel call on the song.
    uint32_t Handle() const { return mHMusic != 0 ? mHMusic : mHStream; }
};

class BassMusicInterface : public MusicInterface {
public:
    // Takes a reference to the library and starts its output for `window`.
    explicit BassMusicInterface(Win32::HWND window);
    ~BassMusicInterface() override;
    BassMusicInterface(const BassMusicInterface&) = delete;
    BassMusicInterface& operator=(const BassMusicInterface&) = delete;

    bool LoadMusic(int songId, const std::string& fileName) override;
    void PlayMusic(int songId, int offset, bool noLoop) override;
    void StopMusic(int songId) override;
    void PauseMusic(int songId) override;
    void ResumeMusic(int songId) override;
    void StopAllMusic() override;
    void UnloadMusic(int songId) override;
    void UnloadAllMusic() override;
    void PauseAllMusic() override;
    void ResumeAllMusic() override;
    void FadeIn(int songId, int offset, double speed, bool noLoop) override;
    void FadeOut(int songId, bool stopWhenDone, double speed) override;
    void FadeOutAll(bool stopWhenDone, double speed) override;
    void SetSongVolume(int songId, double volume) override;
    void SetSongMaxVolume(int songId, double maxVolume) override;
    bool IsPlaying(int songId) override;
    void SetVolume(double volume) override;
    void SetMusicAmplify(int songId, double amplify) override;
    void Update() override;

    // The song loaded under the id, or null.
    const BassMusicInfo* FindSong(int songId) const;

private:
    BassMusicInfo* Find(int songId);
    void ApplyVolume(const BassMusicInfo& song) const;
    // Starts a stream: from its start unless offset is -1, then at byte `offset`.
    void PlayStream(const BassMusicInfo& song, int offset, bool noLoop) const;

    std::map<int, BassMusicInfo> mMusicMap;
    // The most the older library's global music volume is set to.
    int32_t mMaxMusicVolume = 40;
};

} // namespace Zest
