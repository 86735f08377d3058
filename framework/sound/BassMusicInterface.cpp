#include "framework/sound/BassMusicInterface.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/MainThread.h"
#include "framework/resources/PakFile.h"
#include "framework/sound/BassInstance.h"
#include "framework/sound/MusicFade.h"
#include "framework/sound/SystemMixer.h"
#include "platform/win32/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace Zest {
namespace {

using Music::Bass::DWORD;
using Music::Bass::QWORD;

constexpr DWORD kNoFlags = 0;
// Extra flags of the newer library for modules: 0x200 when fading in, plus 0x8200 when
// played outright, and 0x204 when loaded; the library keeps them with the channel.
constexpr DWORD kModuleFadeInFlags = 0x200;
constexpr DWORD kModulePlayFlags = 0x8200;
constexpr DWORD kModuleLoadFlags = 0x204;
constexpr DWORD kOutputBufferMilliseconds = 2000;

DWORD LoopFlags(const bool noLoop) { return noLoop ? kNoFlags : Music::Bass::kFlagLoop; }

// The text after the last '.', in lower case; empty without a dot.
std::string LowerExtension(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos)
        return {};
    std::string extension = fileName.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

} // namespace

BassMusicInterface::BassMusicInterface(const Win32::HWND window)
{
    ZEST_ASSERT(IsMainThread());
    LoadBassDLL();
    // Starting the library's output must not change the player's system volume.
    const uint32_t waveOutVolume = ReadWaveOutVolume();
    if (gBassInstance->mVersion2) {
        gBassInstance->BASS_Init2(Music::Bass::kFirstDevice, 44100, 0, window, nullptr);
        gBassInstance->BASS_SetConfig(Music::Bass::kConfigBufferMilliseconds, kOutputBufferMilliseconds);
    } else {
        gBassInstance->BASS_Init(Music::Bass::kDefaultDevice, 44100, 0, window);
    }
    WriteWaveOutVolume(waveOutVolume);
    gBassInstance->BASS_Start();
}

// Freeing the output frees every song still loaded.
BassMusicInterface::~BassMusicInterface()
{
    gBassInstance->BASS_Stop();
    gBassInstance->BASS_Free();
    FreeBassDLL();
}

BassMusicInfo* BassMusicInterface::Find(const int songId)
{
    ZEST_ASSERT(IsMainThread());
    const auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

const BassMusicInfo* BassMusicInterface::FindSong(const int songId) const
{
    const auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

void BassMusicInterface::ApplyVolume(const BassMusicInfo& song) const
{
    gBassInstance->BASS_ChannelSetAttributes(song.Handle(), Music::Bass::kFrequencyUnchanged,
        static_cast<int>(song.mVolume * 100), Music::Bass::kPanUnchanged);
}

// The name is passed on as given ('\' or '/'): the library and the module reader both open
// it through the archive-aware file calls, so songs inside the archive load too.
bool BassMusicInterface::LoadMusic(const int songId, const std::string& fileName)
{
    ZEST_ASSERT(IsMainThread());
    // A song already loaded under the id stays; nothing new is made that would leak.
    if (mMusicMap.contains(songId))
        return true;

    BassMusicInfo song;
    const std::string extension = LowerExtension(fileName);
    if (extension == "wav" || extension == "ogg" || extension == "mp3") {
        song.mHStream = gBassInstance->BASS_StreamCreateFile(0, fileName.c_str(), 0, 0, 0);
        if (song.mHStream == 0)
            return false;
    } else {
        // The module is made from the bytes read here, so it plays from the archive as
        // from the disk. An empty file is refused as a missing one is, without asking the
        // library (whose refusal would show its error code).
        std::vector<uint8_t> bytes;
        if (!ReadWholeFile(fileName.c_str(), &bytes) || bytes.empty())
            return false;
        const auto length = static_cast<DWORD>(bytes.size());
        song.mHMusic = gBassInstance->mVersion2
            ? gBassInstance->BASS_MusicLoad2(1, bytes.data(), 0, length, kModuleLoadFlags, 0)
            : gBassInstance->BASS_MusicLoad(1, bytes.data(), 0, length, Music::Bass::kFlagLoop);
        if (song.mHMusic == 0) {
            char text[64];
            std::snprintf(text, sizeof text, "BASS ERROR CODE : %d ", gBassInstance->BASS_ErrorGetCode());
            Win32::MessageBoxA(nullptr, text, "Error", Win32::MB_ICONERROR);
            return false;
        }
    }
    mMusicMap.emplace(songId, song);
    return true;
}

void BassMusicInterface::PlayStream(const BassMusicInfo& song, const int offset, const bool noLoop) const
{
    gBassInstance->StreamPlayWithFlags(song.mHStream, LoopFlags(noLoop), offset == -1 ? 0 : 1);
    if (offset > 0)
        gBassInstance->BASS_ChannelSetPosition(song.mHStream, static_cast<QWORD>(offset));
}

void BassMusicInterface::PlayMusic(const int songId, const int offset, const bool noLoop)
{
    BassMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolume = song->mVolumeCap;
    song->mVolumeAdd = 0.0;
    song->mStopOnFade = noLoop;
    ApplyVolume(*song);
    gBassInstance->BASS_ChannelStop(song->Handle());
    if (song->mHMusic != 0) {
        const DWORD flags = LoopFlags(noLoop) | (gBassInstance->mVersion2 ? kModulePlayFlags : kNoFlags);
        gBassInstance->MusicPlayFromOrder(song->mHMusic, offset, flags);
    } else {
        PlayStream(*song, offset, noLoop);
    }
}

void BassMusicInterface::StopMusic(const int songId)
{
    BassMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolume = 0.0;
    gBassInstance->BASS_ChannelStop(song->Handle());
}

void BassMusicInterface::PauseMusic(const int songId)
{
    if (const BassMusicInfo* song = Find(songId))
        gBassInstance->BASS_ChannelPause(song->Handle());
}

void BassMusicInterface::ResumeMusic(const int songId)
{
    if (const BassMusicInfo* song = Find(songId))
        gBassInstance->ChannelResume(song->Handle());
}

void BassMusicInterface::StopAllMusic()
{
    ZEST_ASSERT(IsMainThread());
    for (auto& [songId, song] : mMusicMap) {
        song.mVolume = 0.0;
        gBassInstance->BASS_ChannelStop(song.Handle());
    }
}

void BassMusicInterface::UnloadMusic(const int songId)
{
    ZEST_ASSERT(IsMainThread());
    const auto found = mMusicMap.find(songId);
    if (found == mMusicMap.end())
        return;
    StopMusic(songId);
    const BassMusicInfo& song = found->second;
    if (song.mHMusic != 0)
        gBassInstance->BASS_MusicFree(song.mHMusic);
    else
        gBassInstance->BASS_StreamFree(song.mHStream);
    mMusicMap.erase(found);
}

void BassMusicInterface::UnloadAllMusic()
{
    ZEST_ASSERT(IsMainThread());
    StopAllMusic();
    for (const auto& [songId, song] : mMusicMap) {
        if (song.mHMusic != 0)
            gBassInstance->BASS_MusicFree(song.mHMusic);
        else
            gBassInstance->BASS_StreamFree(song.mHStream);
    }
    mMusicMap.clear();
}

void BassMusicInterface::PauseAllMusic()
{
    ZEST_ASSERT(IsMainThread());
    for (const auto& [songId, song] : mMusicMap) {
        if (gBassInstance->BASS_ChannelIsActive(song.Handle()) == Music::Bass::kActivePlaying)
            gBassInstance->BASS_ChannelPause(song.Handle());
    }
}

void BassMusicInterface::ResumeAllMusic()
{
    ZEST_ASSERT(IsMainThread());
    for (const auto& [songId, song] : mMusicMap) {
        if (gBassInstance->BASS_ChannelIsActive(song.Handle()) == Music::Bass::kActivePaused)
            gBassInstance->ChannelResume(song.Handle());
    }
}

// The song starts at its current volume: silent after loading or stopping, where it was
// when it is still playing.
void BassMusicInterface::FadeIn(const int songId, const int offset, const double speed, const bool noLoop)
{
    BassMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolumeAdd = speed;
    song->mStopOnFade = noLoop;
    gBassInstance->BASS_ChannelStop(song->Handle());
    ApplyVolume(*song);
    if (song->mHMusic == 0) {
        PlayStream(*song, offset, noLoop);
    } else if (offset == -1) {
        gBassInstance->ChannelRestart(song->mHMusic);
    } else {
        const DWORD flags = LoopFlags(noLoop) | (gBassInstance->mVersion2 ? kModuleFadeInFlags : kNoFlags);
        gBassInstance->MusicPlayFromOrder(song->mHMusic, offset, flags);
    }
}

// A silent song does not fade further down; it only learns whether to stop.
void BassMusicInterface::FadeOut(const int songId, const bool stopWhenDone, const double speed)
{
    BassMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    if (song->mVolume != 0.0)
        song->mVolumeAdd = -speed;
    song->mStopOnFade = stopWhenDone;
}

void BassMusicInterface::FadeOutAll(const bool stopWhenDone, const double speed)
{
    ZEST_ASSERT(IsMainThread());
    for (auto& [songId, song] : mMusicMap) {
        song.mVolumeAdd = -speed;
        song.mStopOnFade = stopWhenDone;
    }
}

void BassMusicInterface::SetSongVolume(const int songId, const double volume)
{
    BassMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolume = volume;
    ApplyVolume(*song);
}

void BassMusicInterface::SetSongMaxVolume(const int songId, const double maxVolume)
{
    BassMusicInfo* song = Find(songId);
    if (song == nullptr)
        return;
    song->mVolumeCap = maxVolume;
    if (song->mVolume > maxVolume)
        song->mVolume = maxVolume;
    ApplyVolume(*song);
}

bool BassMusicInterface::IsPlaying(const int songId)
{
    const BassMusicInfo* song = Find(songId);
    return song != nullptr && gBassInstance->BASS_ChannelIsActive(song->Handle()) == Music::Bass::kActivePlaying;
}

// The newer library sets its module and stream volumes out of 100; the older one's global
// volumes are kept to mMaxMusicVolume.
void BassMusicInterface::SetVolume(const double volume)
{
    ZEST_ASSERT(IsMainThread());
    if (gBassInstance->mVersion2) {
        // A negative volume is silence; the library takes no negative values.
        const auto value = static_cast<DWORD>(std::max(volume, 0.0) * 100);
        gBassInstance->BASS_SetConfig(Music::Bass::kConfigModuleVolume, value);
        gBassInstance->BASS_SetConfig(Music::Bass::kConfigStreamVolume, value);
        return;
    }
    const auto value = static_cast<int>(volume * mMaxMusicVolume);
    // A library with only the master volume has no volume for music alone.
    if (gBassInstance->BASS_SetGlobalVolumes != nullptr)
        gBassInstance->BASS_SetGlobalVolumes(value, value, value);
    else
        gBassInstance->BASS_SetVolume(static_cast<DWORD>(value));
}

void BassMusicInterface::SetMusicAmplify(const int songId, const double amplify)
{
    if (const BassMusicInfo* song = Find(songId))
        gBassInstance->MusicSetAmplify(song->Handle(), static_cast<DWORD>(std::max(amplify, 0.0) * 100));
}

void BassMusicInterface::Update()
{
    ZEST_ASSERT(IsMainThread());
    for (auto& [songId, song] : mMusicMap) {
        if (song.mVolumeAdd == 0.0)
            continue;
        if (StepFade(song))
            gBassInstance->BASS_ChannelStop(song.Handle());
        ApplyVolume(song);
    }
}

} // namespace Zest
