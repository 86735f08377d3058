#pragma once
// The binding of the second music library, "fmod.dll", loaded by name at run time and
// shared by the music interface that plays songs through it and the sound manager that
// decodes MP3 effects with it: one process-wide instance, counted by its users. Every entry
// point is required; a missing library or entry point ends the program with a message,
// since the application chose this library and cannot play without it.

#include "platform/music/FModApi.h"
#include "platform/win32/Types.h"

namespace Zest {

struct FMOD_INSTANCE {
    // Loads the library and binds every entry point, or ends the program.
    FMOD_INSTANCE();
    FMOD_INSTANCE(const FMOD_INSTANCE&) = delete;
    FMOD_INSTANCE& operator=(const FMOD_INSTANCE&) = delete;
    ~FMOD_INSTANCE();

    Win32::HMODULE mModule = nullptr;
    Music::FMod::SetBufferSizeFunc FSOUND_SetBufferSize = nullptr;
    Music::FMod::SetHWNDFunc FSOUND_SetHWND = nullptr;
    Music::FMod::InitFunc FSOUND_Init = nullptr;
    Music::FMod::CloseFunc FSOUND_Close = nullptr;
    Music::FMod::SampleLoadFunc FSOUND_Sample_Load = nullptr;
    Music::FMod::SampleAllocFunc FSOUND_Sample_Alloc = nullptr;
    Music::FMod::SampleFreeFunc FSOUND_Sample_Free = nullptr;
    Music::FMod::SampleLockFunc FSOUND_Sample_Lock = nullptr;
    Music::FMod::SampleUnlockFunc FSOUND_Sample_Unlock = nullptr;
    Music::FMod::SampleSetLoopPointsFunc FSOUND_Sample_SetLoopPoints = nullptr;
    Music::FMod::SampleGetLengthFunc FSOUND_Sample_GetLength = nullptr;
    Music::FMod::SampleGetDefaultsFunc FSOUND_Sample_GetDefaults = nullptr;
    Music::FMod::SampleGetModeFunc FSOUND_Sample_GetMode = nullptr;
    Music::FMod::PlaySoundFunc FSOUND_PlaySound = nullptr;
    Music::FMod::StopSoundFunc FSOUND_StopSound = nullptr;
    Music::FMod::SetVolumeFunc FSOUND_SetVolume = nullptr;
    Music::FMod::SetPausedFunc FSOUND_SetPaused = nullptr;
    Music::FMod::SetLoopModeFunc FSOUND_SetLoopMode = nullptr;
    Music::FMod::IsPlayingFunc FSOUND_IsPlaying = nullptr;
    Music::FMod::StreamOpenFileFunc FSOUND_Stream_OpenFile = nullptr;
    Music::FMod::StreamCloseFunc FSOUND_Stream_Close = nullptr;
    Music::FMod::StreamPlayFunc FSOUND_Stream_Play = nullptr;
    Music::FMod::MusicLoadSongFunc FMUSIC_LoadSong = nullptr;
    Music::FMod::MusicPlaySongFunc FMUSIC_PlaySong = nullptr;
    Music::FMod::MusicStopSongFunc FMUSIC_StopSong = nullptr;
    Music::FMod::MusicSetLoopingFunc FMUSIC_SetLooping = nullptr;
    Music::FMod::MusicSetOrderFunc FMUSIC_SetOrder = nullptr;
    Music::FMod::MusicSetPausedFunc FMUSIC_SetPaused = nullptr;
    Music::FMod::MusicSetMasterVolumeFunc FMUSIC_SetMasterVolume = nullptr;
    Music::FMod::MusicIsPlayingFunc FMUSIC_IsPlaying = nullptr;
};

// The binding while anyone holds a reference, else null.
extern FMOD_INSTANCE* gFModInstance;

// Takes a reference, making the binding on first use.
void LoadFModDLL();
// Gives a reference back; the last one frees the binding and the library.
void FreeFModDLL();

} // namespace Zest
