#pragma once
// The binding of the first music library, "bass.dll", loaded by name at run time: one
// process-wide instance, counted by its users. A missing library or required entry point
// ends the program with a message, since music cannot play without it. A library that
// exports "BASS_SetConfig" is the newer form, whose BASS_Init and BASS_MusicLoad take the
// longer argument lists.

#include "platform/music/BassApi.h"
#include "platform/win32/Types.h"

namespace Zest {

// The older forms of the two entry points whose argument lists grew.
using BassInitOldFunc = Music::Bass::BOOL (*)(int device, Music::Bass::DWORD frequency, Music::Bass::DWORD flags,
    void* window);
using BassMusicLoadOldFunc = Music::Bass::DWORD (*)(Music::Bass::BOOL memory, const void* file,
    Music::Bass::DWORD offset, Music::Bass::DWORD length, Music::Bass::DWORD flags);
using BassPluginLoadFunc = Music::Bass::DWORD (*)(const char* file);
using BassChannelPreBufFunc = Music::Bass::BOOL (*)(Music::Bass::DWORD handle);

struct BASS_INSTANCE {
    // Loads the library and binds its entry points, or ends the program. Only the tests
    // name another library.
    explicit BASS_INSTANCE(const char* libraryName = ".\\bass.dll");
    BASS_INSTANCE(const BASS_INSTANCE&) = delete;
    BASS_INSTANCE& operator=(const BASS_INSTANCE&) = delete;
    ~BASS_INSTANCE();

    // BASS_ChannelPlay from the start, or on from where the channel is.
    Music::Bass::BOOL ChannelRestart(Music::Bass::DWORD handle) const;
    Music::Bass::BOOL ChannelResume(Music::Bass::DWORD handle) const;
    Music::Bass::BOOL StreamPlayWithFlags(Music::Bass::DWORD handle, Music::Bass::DWORD flags,
        Music::Bass::BOOL restart) const;
    // Starts a module at an order of its pattern list.
    Music::Bass::BOOL MusicPlayFromOrder(Music::Bass::DWORD handle, int order, Music::Bass::DWORD flags) const;
    // Amplification in percent.
    Music::Bass::BOOL MusicSetAmplify(Music::Bass::DWORD handle, Music::Bass::DWORD amplify) const;

    Win32::HMODULE mModule = nullptr;
    bool mVersion2 = false;

    BassInitOldFunc BASS_Init = nullptr;
    Music::Bass::InitFunc BASS_Init2 = nullptr;
    Music::Bass::FreeFunc BASS_Free = nullptr;
    Music::Bass::StopFunc BASS_Stop = nullptr;
    Music::Bass::StartFunc BASS_Start = nullptr;
    Music::Bass::GetVolumeFunc BASS_GetVolume = nullptr;
    Music::Bass::GetInfoFunc BASS_GetInfo = nullptr;
    Music::Bass::GetVersionFunc BASS_GetVersion = nullptr;
    Music::Bass::ChannelStopFunc BASS_ChannelStop = nullptr;
    Music::Bass::ChannelPlayFunc BASS_ChannelPlay = nullptr;
    Music::Bass::ChannelPauseFunc BASS_ChannelPause = nullptr;
    Music::Bass::ChannelSetAttributesFunc BASS_ChannelSetAttributes = nullptr;
    Music::Bass::ChannelGetAttributesFunc BASS_ChannelGetAttributes = nullptr;
    Music::Bass::ChannelSetPositionFunc BASS_ChannelSetPosition = nullptr;
    Music::Bass::ChannelGetPositionFunc BASS_ChannelGetPosition = nullptr;
    Music::Bass::ChannelIsActiveFunc BASS_ChannelIsActive = nullptr;
    Music::Bass::ChannelSetFlagsFunc BASS_ChannelSetFlags = nullptr;
    Music::Bass::ChannelSlideAttributesFunc BASS_ChannelSlideAttributes = nullptr;
    Music::Bass::ChannelIsSlidingFunc BASS_ChannelIsSliding = nullptr;
    Music::Bass::ChannelGetLevelFunc BASS_ChannelGetLevel = nullptr;
    Music::Bass::ChannelSetSyncFunc BASS_ChannelSetSync = nullptr;
    Music::Bass::ChannelRemoveSyncFunc BASS_ChannelRemoveSync = nullptr;
    Music::Bass::ChannelGetDataFunc BASS_ChannelGetData = nullptr;
    Music::Bass::FXSetParametersFunc BASS_FXSetParameters = nullptr;
    Music::Bass::FXGetParametersFunc BASS_FXGetParameters = nullptr;
    Music::Bass::ChannelSetFXFunc BASS_ChannelSetFX = nullptr;
    Music::Bass::ChannelRemoveFXFunc BASS_ChannelRemoveFX = nullptr;
    BassMusicLoadOldFunc BASS_MusicLoad = nullptr;
    Music::Bass::MusicLoadFunc BASS_MusicLoad2 = nullptr;
    Music::Bass::MusicFreeFunc BASS_MusicFree = nullptr;
    Music::Bass::MusicGetAttributeFunc BASS_MusicGetAttribute = nullptr;
    Music::Bass::MusicSetAttributeFunc BASS_MusicSetAttribute = nullptr;
    Music::Bass::StreamCreateFileFunc BASS_StreamCreateFile = nullptr;
    Music::Bass::StreamFreeFunc BASS_StreamFree = nullptr;
    Music::Bass::MusicGetOrdersFunc BASS_MusicGetOrders = nullptr;
    Music::Bass::MusicGetOrderPositionFunc BASS_MusicGetOrderPosition = nullptr;
    Music::Bass::SampleLoadFunc BASS_SampleLoad = nullptr;
    Music::Bass::SampleFreeFunc BASS_SampleFree = nullptr;
    Music::Bass::SampleSetInfoFunc BASS_SampleSetInfo = nullptr;
    Music::Bass::SampleGetInfoFunc BASS_SampleGetInfo = nullptr;
    Music::Bass::SampleGetChannelFunc BASS_SampleGetChannel = nullptr;
    Music::Bass::SampleStopFunc BASS_SampleStop = nullptr;
    Music::Bass::ErrorGetCodeFunc BASS_ErrorGetCode = nullptr;
    Music::Bass::SetGlobalVolumesFunc BASS_SetGlobalVolumes = nullptr;
    Music::Bass::SetVolumeFunc BASS_SetVolume = nullptr;
    Music::Bass::SetConfigFunc BASS_SetConfig = nullptr;
    Music::Bass::GetConfigFunc BASS_GetConfig = nullptr;
    BassPluginLoadFunc BASS_PluginLoad = nullptr;
    Music::Bass::ChannelGetLengthFunc BASS_ChannelGetLength = nullptr;
    BassChannelPreBufFunc BASS_ChannelPreBuf = nullptr;
};

// The binding while anyone holds a reference, else null.
extern BASS_INSTANCE* gBassInstance;

// Takes a reference, making the binding on first use.
void LoadBassDLL();
// Gives a reference back; the last one frees the binding and the library.
void FreeBassDLL();

} // namespace Zest
