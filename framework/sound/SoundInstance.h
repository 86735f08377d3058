#pragma once
// One playable copy of a loaded sound effect, with its own volume, pan and pitch. Volumes
// are linear, 0 to 1; pans run from -10000 (left) to 10000 (right); pitch steps are
// semitones.

namespace Zest {

class SoundInstance {
public:
    virtual ~SoundInstance() = default;

    // Stops the copy and hands it back to its manager, which deletes it.
    virtual void Release() = 0;
    virtual void SetBaseVolume(double volume) = 0;
    virtual void SetBasePan(int pan) = 0;
    virtual void AdjustPitch(double steps) = 0;
    virtual void SetVolume(double volume) = 0;
    virtual void SetPan(int pan) = 0;
    // With autoRelease the copy releases itself once it has played to its end.
    virtual bool Play(bool looping, bool autoRelease) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsReleased() = 0;
    virtual double GetVolume() = 0;
};

} // namespace Zest
