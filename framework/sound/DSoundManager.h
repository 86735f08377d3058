#pragma once
// The sound manager on DirectSound: every loaded sound in a static buffer of its own, and
// up to 32 channels, each holding an instance that plays a duplicate of one of them.
//
// Sounds load from WAV, Ogg Vorbis and AU files (and MP3 through the second music library
// when the application uses it), always read through the file calls. Every sound decoded
// from a compressed file is also written as a WAV copy under "cached\" in the
// application-data folder, which later loads read instead while the source keeps its time.
//
// Threads: sounds may be loaded on the loading thread while the main thread plays them, so
// the sound tables are under a lock; the channels and volumes belong to the main thread.

#include "framework/sound/PcmSound.h"
#include "framework/sound/SoundManager.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace DSound {
class IDirectSound;
class IDirectSoundBuffer;
}

namespace Zest {

class DSoundInstance;

class DSoundManager : public SoundManager {
public:
    static constexpr int kMaxSounds = 256;
    static constexpr int kMaxChannels = 32;

    // A null window runs without sound: nothing loads and every instance is silent. So does
    // a machine without a sound device. `haveFMod`: MP3 files are decoded through the
    // second music library, which is then loaded too.
    DSoundManager(Win32::HWND window, bool haveFMod);
    DSoundManager(const DSoundManager&) = delete;
    DSoundManager& operator=(const DSoundManager&) = delete;
    ~DSoundManager() override;

    bool Initialized() override;
    int LoadSoundByName(const std::string& fileName) override;
    bool LoadSound(int id, const std::string& fileName) override;
    void ReleaseSound(int id) override;
    void SetVolume(double volume) override;
    bool SetBaseVolume(int id, double volume) override;
    bool SetBasePan(int id, int pan) override;
    SoundInstance* GetSoundInstance(int id) override;
    void ReleaseSounds() override;
    void ReleaseChannels() override;
    double GetMasterVolume() override;
    void SetMasterVolume(double volume) override;
    void Flush() override;
    void SetCooperativeWindow(Win32::HWND window, bool windowed) override;
    void StopAllSounds() override;
    int GetFreeSoundId() override;
    int GetNumSounds() override;

    // A linear volume (0 to 1) as DirectSound attenuation in hundredths of a decibel: a
    // perceptual curve on which 0.5 is -605, and below -2000 silence (-10000).
    static int VolumeToDB(double volume);

    // For the instances: the manager volume and the device that duplicates buffers.
    double GetVolume() const { return mVolume; }
    DSound::IDirectSound* GetDirectSound() const { return mDirectSound; }

private:
    static bool IsValidId(int id) { return id >= 0 && id < kMaxSounds; }

    // The first channel that is empty or whose instance is released (that instance goes);
    // -1 when all are busy. Sweeps released instances at most once a second.
    int FindFreeChannel();
    void ReleaseFreeChannels();
    void DeleteChannel(int channel);

    // The loaders: each decodes its format into `sound`.
    bool LoadWAV(const std::string& fileName, DecodedSound* sound);
    bool LoadFModSound(const std::string& fileName, DecodedSound* sound);
    bool LoadOGGSound(const std::string& fileName, DecodedSound* sound);
    bool LoadAUSound(const std::string& fileName, DecodedSound* sound);
    // Decodes the sound from the first of its files that loads; `cacheName` is where a
    // decoded copy goes (empty: none).
    bool DecodeSound(const std::string& fileName, const std::string& cacheName, DecodedSound* sound);
    // A failure to write leaves the sound loaded; it is decoded again next time.
    bool WriteCachedWAV(const DecodedSound& sound, const std::string& sourceName, const std::string& cacheName);
    // A static buffer holding the sound, or null.
    DSound::IDirectSoundBuffer* CreateSoundBuffer(const DecodedSound& sound);

    void CreateDevice(Win32::HWND window);
    void ReleaseBuffer(DSound::IDirectSoundBuffer*& buffer);

    // Guards the per-id tables below, which the loading thread writes.
    std::mutex mSoundsLock;
    std::array<DSound::IDirectSoundBuffer*, kMaxSounds> mSourceSounds{};
    std::array<std::string, kMaxSounds> mSourceFileNames;
    DSound::IDirectSoundBuffer* mPrimaryBuffer = nullptr;
    std::array<uint32_t, kMaxSounds> mSourceDataSizes{};
    std::array<double, kMaxSounds> mBaseVolumes;
    std::array<int32_t, kMaxSounds> mBasePans{};
    std::array<std::unique_ptr<DSoundInstance>, kMaxChannels> mPlayingSounds;
    double mVolume = 1.0;
    uint32_t mLastReleaseTick = 0;
    DSound::IDirectSound* mDirectSound = nullptr;
    bool mHaveFMod = false;
    // The DirectSound library, held while the device exists.
    Win32::HMODULE mDSoundModule = nullptr;
};

} // namespace Zest
