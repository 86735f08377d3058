#pragma once
// Music through the second music library: songs are tracker modules or samples, a sample
// made from one sound file or from an introduction and a loop joined into one sample that
// plays the first once and repeats the second. A sample song plays on the library's
// channel numbered by its song id. Decoded Ogg Vorbis music is kept as a plain WAV file in
// the application-data folder's "cached" folder. Main thread only.
//
// The library is initialised and closed by the sound manager, which the application makes
// with this library whenever it chooses this interface; songs are freed when it closes.

#include "framework/sound/MusicInterface.h"
#include "platform/music/FModApi.h"

#include <cstdint>
#include <map>

namespace Zest {

struct FModMusicInfo {
    // The song is a module when mHMusic is set, else a sample.
    Music::FMod::Sample* mHSample = nullptr;
    Music::FMod::Module* mHMusic = nullptr;
    double mVolume = 0.0;
    // Volume added per Update; 0 when the song is not fading.
    double mVolumeAdd = 0.0;
    double mVolumeCap = 1.0;
    // Stop the song when a fade-out reaches 0.
    bool mStopOnFade = false;
    // A sample song loops.
    bool mRepeat = false;
};

class FModMusicInterface : public MusicInterface {
public:
    // Takes a reference to the library.
    FModMusicInterface();
    ~FModMusicInterface() override;
    FModMusicInterface(const FModMusicInterface&) = delete;
    FModMusicInterface& operator=(const FModMusicInterface&) = delete;

    bool LoadMusic(int songId, const std::string& fileName) override;
    void PlayMusic(int songId, int offset, bool noLoop) override;
    void StopMusic(int songId) override;
    void PauseMusic(int songId) override;
    void ResumeMusic(int songId) override;
    void StopAllMusic() override;
    void FadeIn(int songId, int offset, double speed, bool noLoop) override;
    void FadeOut(int songId, bool stopWhenDone, double speed) override;
    void FadeOutAll(bool stopWhenDone, double speed) override;
    void SetSongVolume(int songId, double volume) override;
    bool IsPlaying(int songId) override;
    void SetVolume(double volume) override;
    void Update() override;

    // Names are given without their extension. The pair plays the first part once, then
    // repeats the loop part when `repeat` is set; both must have the same rate and format.
    virtual bool LoadSamplePair(int songId, const std::string& firstName, const std::string& loopName, bool repeat);
    virtual bool LoadSample(int songId, const std::string& name, bool repeat);

    // The song loaded under the id, or null.
    const FModMusicInfo* FindSong(int songId) const;

private:
    FModMusicInfo* Find(int songId);
    void ApplyVolume(int songId, const FModMusicInfo& song) const;
    // The sample of "name.ogg", from the cached WAV when there is one; null when neither loads.
    static Music::FMod::Sample* LoadFModSample(const std::string& name);

    std::map<int, FModMusicInfo> mMusicMap;
    double mMusicVolume = 1.0;
    int32_t mModuleVolumeScale = 100;
    int32_t mSampleVolumeScale = 100;
};

} // namespace Zest
