#pragma once
// A sound instance on a DirectSound buffer: a duplicate of the sound's buffer, which plays
// the same data with its own position, volume, pan and frequency. An instance without a
// buffer (the program runs without a sound device) accepts every call and stays silent.

#include "framework/sound/SoundInstance.h"

#include <cstdint>

namespace DSound {
class IDirectSoundBuffer;
}

namespace Zest {

class DSoundManager;

class DSoundInstance : public SoundInstance {
public:
    // Duplicates `sourceSoundBuffer` when it is given; see DuplicateFailed.
    DSoundInstance(DSoundManager* soundManager, DSound::IDirectSoundBuffer* sourceSoundBuffer);
    DSoundInstance(const DSoundInstance&) = delete;
    DSoundInstance& operator=(const DSoundInstance&) = delete;
    ~DSoundInstance() override;

    void Release() override;
    void SetBaseVolume(double volume) override;
    void SetBasePan(int pan) override;
    void AdjustPitch(double steps) override;
    void SetVolume(double volume) override;
    void SetPan(int pan) override;
    bool Play(bool looping, bool autoRelease) override;
    void Stop() override;
    bool IsPlaying() override;
    bool IsReleased() override;
    double GetVolume() override;

    // A source buffer was given but could not be duplicated: the instance cannot play.
    bool DuplicateFailed() const { return mSourceSoundBuffer != nullptr && mSoundBuffer == nullptr; }
    // Applies the product of the instance's, the base and the manager's volumes.
    void RehupVolume();
    void RehupPan();
    // Stops without touching the auto-release flag, so that a copy stopped from outside is
    // still reclaimed.
    void StopKeepingAutoRelease();

private:
    DSoundManager* mSoundManager;
    DSound::IDirectSoundBuffer* mSourceSoundBuffer;
    DSound::IDirectSoundBuffer* mSoundBuffer = nullptr;
    bool mAutoRelease = false;
    bool mHasPlayed = false;
    bool mReleased = false;
    int32_t mBasePan = 0;
    double mBaseVolume = 1.0;
    int32_t mPan = 0;
    double mVolume = 1.0;
    uint32_t mDefaultFrequency = 44100;
};

} // namespace Zest
