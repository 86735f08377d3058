#pragma once
// The program's sound effects: up to 256 loaded sounds under the ids 0 to 255, and the
// playable copies made from them. Volumes are linear, 0 to 1; pans run from -10000 (left)
// to 10000 (right).

#include "platform/win32/Types.h"

#include <string>

namespace Zest {

class SoundInstance;

class SoundManager {
public:
    virtual ~SoundManager() = default;

    // Whether a sound device plays the effects.
    virtual bool Initialized() = 0;
    // The id already loaded under that name, else the highest free id loaded from it; -1
    // when the load fails or no id is free.
    virtual int LoadSoundByName(const std::string& fileName) = 0;
    // Loads the sound named without extension into the id, replacing what it held.
    virtual bool LoadSound(int id, const std::string& fileName) = 0;
    virtual void ReleaseSound(int id) = 0;
    // The volume multiplied into every copy's volume.
    virtual void SetVolume(double volume) = 0;
    // The volume and pan that new copies of the sound start with.
    virtual bool SetBaseVolume(int id, double volume) = 0;
    virtual bool SetBasePan(int id, int pan) = 0;
    // A new copy of the sound, owned by the manager; null when the id holds no sound or no
    // copy can be made now.
    virtual SoundInstance* GetSoundInstance(int id) = 0;
    virtual void ReleaseSounds() = 0;
    virtual void ReleaseChannels() = 0;
    // The volume of all the process's sound output, which the player may also change.
    virtual double GetMasterVolume() = 0;
    virtual void SetMasterVolume(double volume) = 0;
    virtual void Flush() = 0;
    virtual void SetCooperativeWindow(Win32::HWND window, bool windowed) = 0;
    virtual void StopAllSounds() = 0;
    // The lowest id that holds no sound, or -1.
    virtual int GetFreeSoundId() = 0;
    virtual int GetNumSounds() = 0;
};

} // namespace Zest
