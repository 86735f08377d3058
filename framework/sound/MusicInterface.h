#pragma once
// The music of the application, addressed by song ids the caller chooses. This class is
// also the silent implementation, used when the program runs without sound: every
// operation does nothing and nothing ever plays. Volumes are linear, 0 to 1; fade speeds
// are volume units per Update, which the application calls once per fixed update.

#include <string>

namespace Zest {

class MusicInterface {
public:
    virtual ~MusicInterface() = default;

    virtual bool LoadMusic(int songId, const std::string& fileName) { return false; }
    virtual void PlayMusic(int songId, int offset, bool noLoop) {}
    virtual void StopMusic(int songId) {}
    virtual void PauseMusic(int songId) {}
    virtual void ResumeMusic(int songId) {}
    virtual void StopAllMusic() {}
    virtual void UnloadMusic(int songId) {}
    virtual void UnloadAllMusic() {}
    virtual void PauseAllMusic() {}
    virtual void ResumeAllMusic() {}
    virtual void FadeIn(int songId, int offset, double speed, bool noLoop) {}
    virtual void FadeOut(int songId, bool stopWhenDone, double speed) {}
    virtual void FadeOutAll(bool stopWhenDone, double speed) {}
    virtual void SetSongVolume(int songId, double volume) {}
    virtual void SetSongMaxVolume(int songId, double maxVolume) {}
    virtual bool IsPlaying(int songId) { return false; }
    virtual void SetVolume(double volume) {}
    virtual void SetMusicAmplify(int songId, double amplify) {}
    virtual void Update() {}
};

} // namespace Zest
