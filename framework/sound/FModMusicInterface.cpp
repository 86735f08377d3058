#include "framework/sound/FModMusicInterface.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/MainThread.h"
#include "framework/sound/FModInstance.h"
#include "framework/sound/MusicFade.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace Zest {
namespace {

using Music::FMod::Sample;

constexpr unsigned kFormatBits = Music::FMod::kMode8Bits | Music::FMod::kModeMono;
constexpr int kDefaultVolume = 255;
constexpr int kDefaultPriority = 0;

int SampleLoopMode(const bool repeat) { return repeat ? Music::FMod::kModeLoopNormal : Music::FMod::kModeLoopOff; }
int ModuleLooping(const bool noLoop) { return noLoop ? Music::FMod::kModuleLoopOff : Music::FMod::kModuleLoop; }

int ChannelsOf(const unsigned mode) { return (mode & Music::FMod::kModeMono) != 0 ? 1 : 2; }
int BitsOf(const unsigned mode) { return (mode & Music::FMod::kMode8Bits) != 0 ? 8 : 16; }
int BytesPerFrame(const unsigned mode) { return ChannelsOf(mode) * BitsOf(mode) / 8; }

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, const int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        out.push_back(static_cast<uint8_t>(value & 0xFF));
}

void PutText(std::vector<uint8_t>& out, const char* text) { out.insert(out.end(), text, text + std::strlen(text)); }

// A plain PCM WAV file of the sound.
std::vector<uint8_t> MakeWav(const int channels, const int rate, const int bits, const uint8_t* data, const uint32_t size)
{
    const int blockAlign = channels * bits / 8;
    std::vector<uint8_t> out;
    out.reserve(44 + size);
    PutText(out, "RIFF");
    PutLittleEndian(out, size + 36, 4);
    PutText(out, "WAVEfmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, static_cast<uint32_t>(channels), 2);
    PutLittleEndian(out, static_cast<uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<uint32_t>(blockAlign * rate), 4);
    PutLittleEndian(out, static_cast<uint32_t>(blockAlign), 2);
    PutLittleEndian(out, static_cast<uint32_t>(bits), 2);
    PutText(out, "data");
    PutLittleEndian(out, size, 4);
    out.insert(out.end(), data, data + size);
    return out;
}

// The cache file of a song: keyed by the file part of its name alone.
std::string CacheName(const std::string& name)
{
    const size_t separator = name.find_last_of("\\/");
    const std::string filePart = separator == std::string::npos ? name : name.substr(separator + 1);
    return GetAppDataFolder() + "cached\\" + filePart + ".wav";
}

// Writes the decoded sound as the cache file; a cache that cannot be written only means
// decoding again next time.
void WriteCache(Sample* sample, const std::string& cacheName)
{
    const FMOD_INSTANCE& fmod = *gFModInstance;
    const unsigned mode = fmod.FSOUND_Sample_GetMode(sample);
    int rate = 0;
    fmod.FSOUND_Sample_GetDefaults(sample, &rate, nullptr, nullptr, nullptr);
    const int length = static_cast<int>(fmod.FSOUND_Sample_GetLength(sample)) * BytesPerFrame(mode);
    void* first = nullptr;
    void* second = nullptr;
    unsigned firstLength = 0;
    unsigned secondLength = 0;
    if (!fmod.FSOUND_Sample_Lock(sample, 0, length, &first, &second, &firstLength, &secondLength))
        return;
    const std::vector<uint8_t> wav =
        MakeWav(ChannelsOf(mode), rate, BitsOf(mode), static_cast<const uint8_t*>(first), firstLength);
    WriteFileAtomically(cacheName, wav.data(), wav.size());
    fmod.FSOUND_Sample_Unlock(sample, first, second, firstLength, secondLength);
}

// Copies the first `bytes` bytes of `source` to `target`.
void CopySample(Sample* source, const int bytes, uint8_t* target)
{
    const FMOD_INSTANCE& fmod = *gFModInstance;
    void* first = nullptr;
    void* second = nullptr;
    unsigned firstLength = 0;
    unsigned secondLength = 0;
    if (!fmod.FSOUND_Sample_Lock(source, 0, bytes, &first, &second, &firstLength, &secondLength))
        return;
    std::memcpy(target, first, std::min<size_t>(firstLength, static_cast<size_t>(bytes)));
    fmod.FSOUND_Sample_Unlock(source, first, second, firstLength, secondLength);
}

} // namespace

FModMusicInterface::FModMusicInterface()
{
    ZEST_ASSERT(IsMainThread());
    LoadFModDLL();
}

FModMusicInterface::~FModMusicInterface() { FreeFModDLL(); }

FModMusicInfo* FModMusicInterface::Find(const int songId)
{
    ZEST_ASSERT(IsMainThread());
    const auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

const FModMusicInfo* FModMusicInterface::FindSong(const int songId) const
{
    const auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

void FModMusicInterface::ApplyVolume(const int songId, const FModMusicInfo& song) const
{
    if (song.mHMusic != nullptr)
        gFModInstance->FMUSIC_SetMasterVolume(song.mHMusic,
            static_cast<int>(song.mVolume * mMusicVolume * mModuleVolumeScale));
    else
        gFModInstance->FSOUND_SetVolume(songId, static_cast<int>(mMusicVolume * song.mVolume * mSampleVolumeScale));
}

Sample* FModMusicInterface::LoadFModSample(const std::string& name)
{
    const std::string cacheName = CacheName(name);
    CreateDirectories(cacheName.substr(0, cacheName.find_last_of('\\')));
    if (Sample* cached = gFModInstance->FSOUND_Sample_Load(Music::FMod::kFree, cacheName.c_str(), 0, 0))
        return cached;
    Sample* sample = gFModInstance->FSOUND_Sample_Load(Music::FMod::kFree, (name + ".ogg").c_str(), 0, 0);
    if (sample != nullptr)
        WriteCache(sample, cacheName);
    return sample;
}

// The name is passed on as given ('\' or '/'): the library opens it through the
// archive-aware file calls. A song already loaded under the id stays, and no second one
// is made that would leak.
bool FModMusicInterface::LoadMusic(const int songId, const std::string& fileName)
{
    ZEST_ASSERT(IsMainThread());
    if (mMusicMap.contains(songId))
        return true;
    Music::FMod::Module* module = gFModInstance->FMUSIC_LoadSong(fileName.c_str());
    if (module == nullptr)
        return false;
    mMusicMap[songId].mHMusic = module;
    return true;
}

bool FModMusicInterface::LoadSample(const int songId, const std::string& name, const bool repeat)
{
    ZEST_ASSERT(IsMainThread());
    if (mMusicMap.contains(songId))
        return true;
    Sample* sample = LoadFModSample(name);
    if (sample == nullptr)
        return false;
    FModMusicInfo& song = mMusicMap[songId];
    song.mHSample = sample;
    song.mRepeat = repeat;
    return true;
}

bool FModMusicInterface::LoadSamplePair(const int songId, const std::string& firstName, const std::string& loopName,
    const bool repeat)
{
    ZEST_ASSERT(IsMainThread());
    if (mMusicMap.contains(songId))
        return true;
    const FMOD_INSTANCE& fmod = *gFModInstance;
    Sample* first = LoadFModSample(firstName);
    Sample* loop = LoadFModSample(loopName);
    const auto freeSources = [&] {
        if (first != nullptr)
            fmod.FSOUND_Sample_Free(first);
        if (loop != nullptr)
            fmod.FSOUND_Sample_Free(loop);
    };
    if (first == nullptr || loop == nullptr) {
        freeSources();
        return false;
    }
    int firstRate = 0;
    int loopRate = 0;
    fmod.FSOUND_Sample_GetDefaults(first, &firstRate, nullptr, nullptr, nullptr);
    fmod.FSOUND_Sample_GetDefaults(loop, &loopRate, nullptr, nullptr, nullptr);
    const unsigned firstMode = fmod.FSOUND_Sample_GetMode(first);
    const unsigned loopMode = fmod.FSOUND_Sample_GetMode(loop);
    // Only the sound formats must agree; how each source was set to loop does not matter.
    if (firstRate != loopRate || (firstMode & kFormatBits) != (loopMode & kFormatBits)) {
        freeSources();
        return false;
    }
    const int firstFrames = static_cast<int>(fmod.FSOUND_Sample_GetLength(first));
    const int loopFrames = static_cast<int>(fmod.FSOUND_Sample_GetLength(loop));
    Sample* joined = fmod.FSOUND_Sample_Alloc(Music::FMod::kFree, firstFrames + loopFrames,
        firstMode | Music::FMod::kModeLoopNormal, firstRate, kDefaultVolume, Music::FMod::kPanCentre, kDefaultPriority);
    if (joined == nullptr) {
        freeSources();
        return false;
    }

    const int bytesPerFrame = BytesPerFrame(firstMode);
    const int firstBytes = firstFrames * bytesPerFrame;
    const int loopBytes = loopFrames * bytesPerFrame;
    void* target = nullptr;
    void* second = nullptr;
    unsigned targetLength = 0;
    unsigned secondLength = 0;
    if (fmod.FSOUND_Sample_Lock(joined, 0, firstBytes + loopBytes, &target, &second, &targetLength, &secondLength)) {
        if (targetLength >= static_cast<unsigned>(firstBytes + loopBytes)) {
            CopySample(first, firstBytes, static_cast<uint8_t*>(target));
            CopySample(loop, loopBytes, static_cast<uint8_t*>(target) + firstBytes);
        }
        fmod.FSOUND_Sample_Unlock(joined, target, second, targetLength, secondLength);
    }
    freeSources();
    // The loop is the whole second part: its frames up to the last one of the sample.
    fmod.FSOUND_Sample_SetLoopPoints(joined, firstFrames, firstFrames + loopFrames - 1);

    FModMusicInfo& song = mMusicMap[songId];
    song.mHSample = joined;
    song.mRepeat = repeat;
    return true;
}

void FModMusicInterface::PlayMusic(const int songId, const int offset, const bool noLoop)
{
    FModMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolume = song->mVolumeCap;
    song->mVolumeAdd = 0.0;
    if (song->mHMusic != nullptr) {
        ApplyVolume(songId, *song);
        gFModInstance->FMUSIC_SetLooping(song->mHMusic, ModuleLooping(noLoop));
        gFModInstance->FMUSIC_PlaySong(song->mHMusic);
        gFModInstance->FMUSIC_SetOrder(song->mHMusic, offset);
    } else {
        // A sample always plays from its start and loops as it was loaded.
        gFModInstance->FSOUND_PlaySound(songId, song->mHSample);
        gFModInstance->FSOUND_SetLoopMode(songId, SampleLoopMode(song->mRepeat));
        ApplyVolume(songId, *song);
    }
}

void FModMusicInterface::StopMusic(const int songId)
{
    FModMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolume = 0.0;
    if (song->mHMusic != nullptr)
        gFModInstance->FMUSIC_StopSong(song->mHMusic);
    else
        gFModInstance->FSOUND_StopSound(songId);
}

void FModMusicInterface::PauseMusic(const int songId)
{
    if (const FModMusicInfo* song = Find(songId)) {
        if (song->mHMusic != nullptr)
            gFModInstance->FMUSIC_SetPaused(song->mHMusic, 1);
        else
            gFModInstance->FSOUND_SetPaused(songId, 1);
    }
}

void FModMusicInterface::ResumeMusic(const int songId)
{
    if (const FModMusicInfo* song = Find(songId)) {
        if (song->mHMusic != nullptr)
            gFModInstance->FMUSIC_SetPaused(song->mHMusic, 0);
        else
            gFModInstance->FSOUND_SetPaused(songId, 0);
    }
}

void FModMusicInterface::StopAllMusic()
{
    ZEST_ASSERT(IsMainThread());
    for (const auto& entry : mMusicMap)
        StopMusic(entry.first);
}

// A song already playing is not restarted: only its fade begins.
void FModMusicInterface::FadeIn(const int songId, const int offset, const double speed, const bool noLoop)
{
    FModMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolumeAdd = speed;
    if (song->mHMusic != nullptr) {
        ApplyVolume(songId, *song);
        gFModInstance->FMUSIC_SetLooping(song->mHMusic, ModuleLooping(noLoop));
        if (!gFModInstance->FMUSIC_IsPlaying(song->mHMusic))
            gFModInstance->FMUSIC_PlaySong(song->mHMusic);
        if (offset != -1)
            gFModInstance->FMUSIC_SetOrder(song->mHMusic, offset);
    } else {
        if (!gFModInstance->FSOUND_IsPlaying(songId)) {
            gFModInstance->FSOUND_PlaySound(songId, song->mHSample);
            gFModInstance->FSOUND_SetLoopMode(songId, SampleLoopMode(song->mRepeat));
        }
        ApplyVolume(songId, *song);
    }
}

void FModMusicInterface::FadeOut(const int songId, const bool stopWhenDone, const double speed)
{
    FModMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mStopOnFade = stopWhenDone;
    song->mVolumeAdd = -speed;
}

void FModMusicInterface::FadeOutAll(const bool stopWhenDone, const double speed)
{
    ZEST_ASSERT(IsMainThread());
    for (const auto& entry : mMusicMap)
        FadeOut(entry.first, stopWhenDone, speed);
}

void FModMusicInterface::SetSongVolume(const int songId, const double volume)
{
    FModMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolume = volume;
    ApplyVolume(songId, *song);
}

// A module asks its own state; a sample song asks the channel it plays on.
bool FModMusicInterface::IsPlaying(const int songId)
{
    const FModMusicInfo* song = Find(songId);
    if (song == nullptr)
        return false;
    if (song->mHMusic != nullptr)
        return gFModInstance->FMUSIC_IsPlaying(song->mHMusic) != 0;
    return gFModInstance->FSOUND_IsPlaying(songId) != 0;
}

void FModMusicInterface::SetVolume(const double volume)
{
    ZEST_ASSERT(IsMainThread());
    mMusicVolume = volume;
    for (const auto& [songId, song] : mMusicMap)
        ApplyVolume(songId, song);
}

void FModMusicInterface::Update()
{
    ZEST_ASSERT(IsMainThread());
    for (auto& [songId, song] : mMusicMap) {
        if (song.mVolumeAdd == 0.0)
            continue;
        if (StepFade(song)) {
            if (song.mHMusic != nullptr)
                gFModInstance->FMUSIC_StopSong(song.mHMusic);
            else
                gFModInstance->FSOUND_StopSound(songId);
        }
        ApplyVolume(songId, song);
    }
}

} // namespace Zest
