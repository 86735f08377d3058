#include "framework/sound/DSoundManager.h"

#include "framework/app/common/Debug.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/PathHelpers.h"
#include "framework/sound/AuFile.h"
#include "framework/sound/DSoundInstance.h"
#include "framework/sound/FModInstance.h"
#include "framework/sound/OggFile.h"
#include "framework/sound/SoundCache.h"
#include "framework/sound/SystemMixer.h"
#include "framework/sound/WavFile.h"
#include "platform/dsound/DSound.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Library.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Zest {
namespace {

constexpr uint32_t kChannelSweepIntervalMs = 1000;
// A cached copy stores at most this much of its source's name; a longer one never matches.
constexpr size_t kLongestCachedSourceName = 255;

} // namespace

DSoundManager::DSoundManager(const Win32::HWND window, const bool haveFMod) : mHaveFMod(haveFMod)
{
    mBaseVolumes.fill(1.0);
    if (window != nullptr)
        CreateDevice(window);
}

void DSoundManager::CreateDevice(const Win32::HWND window)
{
    mDSoundModule = Win32::LoadLibraryA("dsound.dll");
    if (mDSoundModule == nullptr)
        return;
    const auto create =
        reinterpret_cast<DSound::DirectSoundCreateFunc>(Win32::GetProcAddress(mDSoundModule, "DirectSoundCreate"));
    if (create == nullptr || Win32::FAILED(create(nullptr, &mDirectSound, nullptr))) {
        mDirectSound = nullptr;
        Win32::FreeLibrary(mDSoundModule);
        mDSoundModule = nullptr;
        return;
    }
    if (mHaveFMod) {
        LoadFModDLL();
        gFModInstance->FSOUND_SetHWND(window);
        gFModInstance->FSOUND_SetBufferSize(200);
        gFModInstance->FSOUND_Init(44100, 64, 2);
    }

    if (Win32::FAILED(mDirectSound->SetCooperativeLevel(window, DSound::DSSCL_PRIORITY))) {
        mDirectSound->SetCooperativeLevel(window, DSound::DSSCL_NORMAL);
        return;
    }
    DSound::DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DSound::DSBCAPS_PRIMARYBUFFER;
    if (Win32::FAILED(mDirectSound->CreateSoundBuffer(&description, &mPrimaryBuffer, nullptr))) {
        mPrimaryBuffer = nullptr;
        return;
    }
    DSound::WAVEFORMATEX format{};
    format.wFormatTag = DSound::WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 176400;
    mPrimaryBuffer->SetFormat(&format);
}

DSoundManager::~DSoundManager()
{
    ReleaseChannels();
    ReleaseSounds();
    ReleaseBuffer(mPrimaryBuffer);
    if (mDirectSound != nullptr) {
        if (mHaveFMod)
            gFModInstance->FSOUND_Close();
        mDirectSound->Release();
        if (mHaveFMod)
            FreeFModDLL();
    }
    if (mDSoundModule != nullptr)
        Win32::FreeLibrary(mDSoundModule);
}

void DSoundManager::ReleaseBuffer(DSound::IDirectSoundBuffer*& buffer)
{
    if (buffer != nullptr)
        buffer->Release();
    buffer = nullptr;
}

bool DSoundManager::Initialized() { return mDirectSound != nullptr; }

int DSoundManager::VolumeToDB(const double volume)
{
    // NaN fails the comparison and counts as silence.
    const double linear = volume > 0.0 ? std::min(volume, 1.0) : 0.0;
    const int attenuation = static_cast<int>((std::log10(9.0 * linear + 1.0) - 1.0) * 2333.0);
    return attenuation < -2000 ? DSound::DSBVOLUME_MIN : attenuation;
}

int DSoundManager::LoadSoundByName(const std::string& fileName)
{
    int id = -1;
    {
        const std::lock_guard lock(mSoundsLock);
        for (int i = 0; i < kMaxSounds; ++i) {
            if (!mSourceFileNames[i].empty() && mSourceFileNames[i] == fileName)
                return i;
        }
        for (int i = kMaxSounds - 1; i >= 0 && id < 0; --i) {
            if (mSourceSounds[i] == nullptr)
                id = i;
        }
    }
    if (id < 0 || !LoadSound(id, fileName))
        return -1;
    return id;
}

bool DSoundManager::LoadSound(const int id, const std::string& fileName)
{
    if (!IsValidId(id))
        return false;
    ReleaseSound(id);
    if (mDirectSound == nullptr)
        return true;

    DecodedSound sound;
    if (!DecodeSound(fileName, CachedSoundFileName(GetAppDataFolder(), fileName), &sound))
        return false;
    DSound::IDirectSoundBuffer* buffer = CreateSoundBuffer(sound);
    if (buffer == nullptr)
        return false;
    // The name is kept only for a sound that loaded, so that finding a name by
    // LoadSoundByName always finds a loaded sound.
    const std::lock_guard lock(mSoundsLock);
    std::swap(mSourceSounds[id], buffer);
    mSourceFileNames[id] = fileName;
    mSourceDataSizes[id] = static_cast<uint32_t>(sound.mData.size());
    // Another thread may have loaded the id meanwhile; the later load wins.
    ReleaseBuffer(buffer);
    return true;
}

bool DSoundManager::DecodeSound(const std::string& fileName, const std::string& cacheName, DecodedSound* sound)
{
    if (!cacheName.empty()) {
        if (LoadWAV(cacheName, sound))
            return true;
        CreateDirectories(GetFileDir(cacheName));
    }
    if (LoadWAV(fileName + ".wav", sound))
        return true;

    struct CompressedFormat {
        bool mEnabled;
        const char* mExtension;
        bool (DSoundManager::*mLoad)(const std::string&, DecodedSound*);
    };
    const CompressedFormat formats[] = {
        {mHaveFMod, ".mp3", &DSoundManager::LoadFModSound},
        {true, ".ogg", &DSoundManager::LoadOGGSound},
        {true, ".au", &DSoundManager::LoadAUSound},
    };
    for (const CompressedFormat& format : formats) {
        const std::string sourceName = fileName + format.mExtension;
        if (format.mEnabled && (this->*format.mLoad)(sourceName, sound)) {
            WriteCachedWAV(*sound, sourceName, cacheName);
            return true;
        }
    }
    OutputDebug("Sound %s: no file of a known format could be loaded\n", fileName.c_str());
    return false;
}

bool DSoundManager::LoadWAV(const std::string& fileName, DecodedSound* sound)
{
    return ReadWavFile(fileName, &IsSourceCurrent, sound);
}

bool DSoundManager::LoadFModSound(const std::string& fileName, DecodedSound* sound)
{
    const FMOD_INSTANCE& fmod = *gFModInstance;
    Music::FMod::Sample* const sample = fmod.FSOUND_Sample_Load(Music::FMod::kFree, fileName.c_str(), 0, 0);
    if (sample == nullptr)
        return false;
    const unsigned mode = fmod.FSOUND_Sample_GetMode(sample);
    int rate = 0;
    fmod.FSOUND_Sample_GetDefaults(sample, &rate, nullptr, nullptr, nullptr);
    PcmFormat format;
    format.mChannels = (mode & Music::FMod::kModeMono) != 0 ? 1 : 2;
    format.mBitsPerSample = (mode & Music::FMod::kMode8Bits) != 0 ? 8 : 16;
    format.mSamplesPerSec = rate > 0 ? static_cast<uint32_t>(rate) : 0;
    const uint64_t dataSize = static_cast<uint64_t>(fmod.FSOUND_Sample_GetLength(sample)) * format.BlockAlign();

    bool copied = false;
    void* first = nullptr;
    void* second = nullptr;
    unsigned firstLength = 0;
    unsigned secondLength = 0;
    if (!IsPlayableFormat(format) || dataSize == 0 || dataSize > kMaxSoundDataBytes) {
        OutputDebug("Sound file %s: unsupported format or length\n", fileName.c_str());
    } else if (fmod.FSOUND_Sample_Lock(sample, 0, static_cast<int>(dataSize), &first, &second, &firstLength,
                                       &secondLength)) {
        const auto* const bytes = static_cast<const uint8_t*>(first);
        copied = firstLength == dataSize;
        if (copied) {
            sound->mFormat = format;
            sound->mData.assign(bytes, bytes + firstLength);
        }
        fmod.FSOUND_Sample_Unlock(sample, first, second, firstLength, secondLength);
    }
    fmod.FSOUND_Sample_Free(sample);
    return copied;
}

bool DSoundManager::LoadOGGSound(const std::string& fileName, DecodedSound* sound)
{
    return ReadOggFile(fileName, sound);
}

bool DSoundManager::LoadAUSound(const std::string& fileName, DecodedSound* sound)
{
    return ReadAuFile(fileName, sound);
}

bool DSoundManager::WriteCachedWAV(const DecodedSound& sound, const std::string& sourceName,
                                   const std::string& cacheName)
{
    if (cacheName.empty() || sourceName.size() > kLongestCachedSourceName)
        return false;
    if (!WriteCachedSoundFile(cacheName, sourceName, sound)) {
        OutputDebug("Sound cache %s could not be written\n", cacheName.c_str());
        return false;
    }
    return true;
}

DSound::IDirectSoundBuffer* DSoundManager::CreateSoundBuffer(const DecodedSound& sound)
{
    if (sound.mData.empty())
        return nullptr;
    DSound::WAVEFORMATEX format{};
    format.wFormatTag = DSound::WAVE_FORMAT_PCM;
    format.nChannels = sound.mFormat.mChannels;
    format.nSamplesPerSec = sound.mFormat.mSamplesPerSec;
    format.wBitsPerSample = sound.mFormat.mBitsPerSample;
    format.nBlockAlign = sound.mFormat.BlockAlign();
    format.nAvgBytesPerSec = sound.mFormat.BytesPerSec();
    DSound::DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DSound::DSBCAPS_STATIC | DSound::DSBCAPS_LOCSOFTWARE | DSound::DSBCAPS_CTRLFREQUENCY |
                          DSound::DSBCAPS_CTRLPAN | DSound::DSBCAPS_CTRLVOLUME | DSound::DSBCAPS_GLOBALFOCUS;
    description.dwBufferBytes = static_cast<DSound::DWORD>(sound.mData.size());
    description.lpwfxFormat = &format;

    DSound::IDirectSoundBuffer* buffer = nullptr;
    if (Win32::FAILED(mDirectSound->CreateSoundBuffer(&description, &buffer, nullptr)))
        return nullptr;
    void* region = nullptr;
    DSound::DWORD regionBytes = 0;
    if (Win32::FAILED(buffer->Lock(0, description.dwBufferBytes, &region, &regionBytes, nullptr, nullptr, 0))) {
        buffer->Release();
        return nullptr;
    }
    std::memcpy(region, sound.mData.data(), std::min<size_t>(regionBytes, sound.mData.size()));
    if (Win32::FAILED(buffer->Unlock(region, regionBytes, nullptr, 0)) || regionBytes != sound.mData.size()) {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

void DSoundManager::ReleaseSound(const int id)
{
    if (!IsValidId(id))
        return;
    const std::lock_guard lock(mSoundsLock);
    ReleaseBuffer(mSourceSounds[id]);
    mSourceFileNames[id].clear();
    mSourceDataSizes[id] = 0;
}

void DSoundManager::ReleaseSounds()
{
    const std::lock_guard lock(mSoundsLock);
    for (int id = 0; id < kMaxSounds; ++id) {
        ReleaseBuffer(mSourceSounds[id]);
        mSourceDataSizes[id] = 0;
    }
}

void DSoundManager::SetVolume(const double volume)
{
    mVolume = volume;
    for (const std::unique_ptr<DSoundInstance>& instance : mPlayingSounds) {
        if (instance != nullptr)
            instance->RehupVolume();
    }
}

bool DSoundManager::SetBaseVolume(const int id, const double volume)
{
    if (!IsValidId(id))
        return false;
    const std::lock_guard lock(mSoundsLock);
    mBaseVolumes[id] = volume;
    return true;
}

bool DSoundManager::SetBasePan(const int id, const int pan)
{
    if (!IsValidId(id))
        return false;
    const std::lock_guard lock(mSoundsLock);
    mBasePans[id] = pan;
    return true;
}

SoundInstance* DSoundManager::GetSoundInstance(const int id)
{
    if (!IsValidId(id))
        return nullptr;
    const int channel = FindFreeChannel();
    if (channel < 0)
        return nullptr;

    std::unique_ptr<DSoundInstance> instance;
    int basePan = 0;
    double baseVolume = 1.0;
    {
        // Duplicated under the lock, so that the loading thread cannot release the buffer
        // meanwhile.
        const std::lock_guard lock(mSoundsLock);
        if (mDirectSound != nullptr && mSourceSounds[id] == nullptr)
            return nullptr;
        instance = std::make_unique<DSoundInstance>(this, mSourceSounds[id]);
        basePan = mBasePans[id];
        baseVolume = mBaseVolumes[id];
    }
    if (instance->DuplicateFailed())
        return nullptr;
    instance->SetBasePan(basePan);
    instance->SetBaseVolume(baseVolume);
    mPlayingSounds[channel] = std::move(instance);
    return mPlayingSounds[channel].get();
}

int DSoundManager::FindFreeChannel()
{
    const uint32_t tick = Win32::GetTickCount();
    if (tick - mLastReleaseTick > kChannelSweepIntervalMs) {
        ReleaseFreeChannels();
        mLastReleaseTick = tick;
    }
    for (int channel = 0; channel < kMaxChannels; ++channel) {
        if (mPlayingSounds[channel] == nullptr)
            return channel;
        if (mPlayingSounds[channel]->IsReleased()) {
            DeleteChannel(channel);
            return channel;
        }
    }
    return -1;
}

void DSoundManager::ReleaseFreeChannels()
{
    for (int channel = 0; channel < kMaxChannels; ++channel) {
        if (mPlayingSounds[channel] != nullptr && mPlayingSounds[channel]->IsReleased())
            DeleteChannel(channel);
    }
}

void DSoundManager::DeleteChannel(const int channel) { mPlayingSounds[channel].reset(); }

void DSoundManager::ReleaseChannels()
{
    for (int channel = 0; channel < kMaxChannels; ++channel)
        DeleteChannel(channel);
}

double DSoundManager::GetMasterVolume() { return ReadWaveOutVolume() / static_cast<double>(kWaveOutVolumeMax); }

void DSoundManager::SetMasterVolume(const double volume)
{
    const double linear = volume > 0.0 ? std::min(volume, 1.0) : 0.0;
    WriteWaveOutVolume(static_cast<uint32_t>(std::lround(linear * kWaveOutVolumeMax)));
}

void DSoundManager::Flush() {}

void DSoundManager::SetCooperativeWindow(const Win32::HWND window, const bool windowed)
{
    if (mDirectSound != nullptr)
        mDirectSound->SetCooperativeLevel(window, DSound::DSSCL_NORMAL);
}

void DSoundManager::StopAllSounds()
{
    for (const std::unique_ptr<DSoundInstance>& instance : mPlayingSounds) {
        if (instance != nullptr)
            instance->StopKeepingAutoRelease();
    }
}

int DSoundManager::GetFreeSoundId()
{
    const std::lock_guard lock(mSoundsLock);
    for (int id = 0; id < kMaxSounds; ++id) {
        if (mSourceSounds[id] == nullptr)
            return id;
    }
    return -1;
}

int DSoundManager::GetNumSounds()
{
    const std::lock_guard lock(mSoundsLock);
    return static_cast<int>(std::count_if(mSourceSounds.begin(), mSourceSounds.end(),
                                          [](const DSound::IDirectSoundBuffer* buffer) { return buffer != nullptr; }));
}

} // namespace Zest
