#include "framework/sound/BassInstance.h"

#include "platform/win32/Library.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"

#include <cstdint>
#include <mutex>
#include <string>

namespace Zest {
namespace {

using Music::Bass::BOOL;
using Music::Bass::DWORD;
using Music::Bass::QWORD;

// The program cannot go on without the library it chose: it ends, reporting the failure.
constexpr Win32::UINT kMissingLibraryExitCode = 1;

// Guards the reference count and the instance it counts.
std::mutex gBassLock;
int gBassReferences = 0;

[[noreturn]] void EndWithError(const std::string& text)
{
    Win32::MessageBoxA(nullptr, text.c_str(), "Error", Win32::MB_ICONERROR);
    Win32::ExitProcess(kMissingLibraryExitCode);
}

template <typename Function>
void BindOptional(const Win32::HMODULE module, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(Win32::GetProcAddress(module, name));
}

template <typename Function>
void Bind(const Win32::HMODULE module, const char* name, Function* function)
{
    BindOptional(module, name, function);
    if (*function == nullptr)
        EndWithError(std::string(name) + " function not found in bass.dll");
}

} // namespace

BASS_INSTANCE* gBassInstance = nullptr;

BASS_INSTANCE::BASS_INSTANCE(const char* libraryName)
{
    mModule = Win32::LoadLibraryA(libraryName);
    if (mModule == nullptr)
        EndWithError("Can't find bass.dll.");
    BindOptional(mModule, "BASS_SetConfig", &BASS_SetConfig);
    BindOptional(mModule, "BASS_GetConfig", &BASS_GetConfig);
    mVersion2 = BASS_SetConfig != nullptr;

    Bind(mModule, "BASS_Init", &BASS_Init);
    Bind(mModule, "BASS_Init", &BASS_Init2);
    Bind(mModule, "BASS_Free", &BASS_Free);
    Bind(mModule, "BASS_Stop", &BASS_Stop);
    Bind(mModule, "BASS_Start", &BASS_Start);
    Bind(mModule, "BASS_GetVolume", &BASS_GetVolume);
    Bind(mModule, "BASS_GetInfo", &BASS_GetInfo);
    Bind(mModule, "BASS_GetVersion", &BASS_GetVersion);
    Bind(mModule, "BASS_ChannelStop", &BASS_ChannelStop);
    Bind(mModule, "BASS_ChannelPlay", &BASS_ChannelPlay);
    Bind(mModule, "BASS_ChannelPause", &BASS_ChannelPause);
    Bind(mModule, "BASS_ChannelSetAttributes", &BASS_ChannelSetAttributes);
    Bind(mModule, "BASS_ChannelGetAttributes", &BASS_ChannelGetAttributes);
    Bind(mModule, "BASS_ChannelSetPosition", &BASS_ChannelSetPosition);
    Bind(mModule, "BASS_ChannelGetPosition", &BASS_ChannelGetPosition);
    Bind(mModule, "BASS_ChannelIsActive", &BASS_ChannelIsActive);
    Bind(mModule, "BASS_ChannelSetFlags", &BASS_ChannelSetFlags);
    Bind(mModule, "BASS_ChannelSlideAttributes", &BASS_ChannelSlideAttributes);
    Bind(mModule, "BASS_ChannelIsSliding", &BASS_ChannelIsSliding);
    Bind(mModule, "BASS_ChannelGetLevel", &BASS_ChannelGetLevel);
    Bind(mModule, "BASS_ChannelSetSync", &BASS_ChannelSetSync);
    Bind(mModule, "BASS_ChannelRemoveSync", &BASS_ChannelRemoveSync);
    Bind(mModule, "BASS_ChannelGetData", &BASS_ChannelGetData);
    Bind(mModule, "BASS_FXSetParameters", &BASS_FXSetParameters);
    Bind(mModule, "BASS_FXGetParameters", &BASS_FXGetParameters);
    Bind(mModule, "BASS_ChannelSetFX", &BASS_ChannelSetFX);
    Bind(mModule, "BASS_ChannelRemoveFX", &BASS_ChannelRemoveFX);
    Bind(mModule, "BASS_MusicLoad", &BASS_MusicLoad);
    Bind(mModule, "BASS_MusicLoad", &BASS_MusicLoad2);
    Bind(mModule, "BASS_MusicFree", &BASS_MusicFree);
    Bind(mModule, "BASS_MusicGetAttribute", &BASS_MusicGetAttribute);
    Bind(mModule, "BASS_MusicSetAttribute", &BASS_MusicSetAttribute);
    Bind(mModule, "BASS_StreamCreateFile", &BASS_StreamCreateFile);
    Bind(mModule, "BASS_StreamFree", &BASS_StreamFree);
    Bind(mModule, "BASS_MusicGetOrders", &BASS_MusicGetOrders);
    Bind(mModule, "BASS_MusicGetOrderPosition", &BASS_MusicGetOrderPosition);
    Bind(mModule, "BASS_SampleLoad", &BASS_SampleLoad);
    Bind(mModule, "BASS_SampleFree", &BASS_SampleFree);
    Bind(mModule, "BASS_SampleSetInfo", &BASS_SampleSetInfo);
    Bind(mModule, "BASS_SampleGetInfo", &BASS_SampleGetInfo);
    Bind(mModule, "BASS_SampleGetChannel", &BASS_SampleGetChannel);
    Bind(mModule, "BASS_SampleStop", &BASS_SampleStop);
    Bind(mModule, "BASS_ErrorGetCode", &BASS_ErrorGetCode);

    BindOptional(mModule, "BASS_SetGlobalVolumes", &BASS_SetGlobalVolumes);
    BindOptional(mModule, "BASS_SetVolume", &BASS_SetVolume);
    if (BASS_SetGlobalVolumes == nullptr && BASS_SetVolume == nullptr)
        EndWithError("Neither BASS_SetGlobalVolumes or BASS_SetVolume found in bass.dll");

    if (mVersion2) {
        BindOptional(mModule, "BASS_PluginLoad", &BASS_PluginLoad);
        BindOptional(mModule, "BASS_ChannelGetLength", &BASS_ChannelGetLength);
        BindOptional(mModule, "BASS_ChannelPreBuf", &BASS_ChannelPreBuf);
    }
}

BASS_INSTANCE::~BASS_INSTANCE() { Win32::FreeLibrary(mModule); }

BOOL BASS_INSTANCE::ChannelRestart(const DWORD handle) const { return BASS_ChannelPlay(handle, 1); }

BOOL BASS_INSTANCE::ChannelResume(const DWORD handle) const { return BASS_ChannelPlay(handle, 0); }

BOOL BASS_INSTANCE::StreamPlayWithFlags(const DWORD handle, const DWORD flags, const BOOL restart) const
{
    BASS_ChannelSetFlags(handle, flags);
    return BASS_ChannelPlay(handle, restart);
}

BOOL BASS_INSTANCE::MusicPlayFromOrder(const DWORD handle, const int order, const DWORD flags) const
{
    BASS_ChannelStop(handle);
    // An order position is marked by the top bit of its low 32 bits, sign-extended to 64.
    const auto marked = static_cast<int32_t>(static_cast<uint32_t>(order) | 0x80000000u);
    BASS_ChannelSetPosition(handle, static_cast<QWORD>(static_cast<int64_t>(marked)));
    BASS_ChannelSetFlags(handle, flags);
    return BASS_ChannelPlay(handle, 0);
}

BOOL BASS_INSTANCE::MusicSetAmplify(const DWORD handle, const DWORD amplify) const
{
    return BASS_MusicSetAttribute(handle, Music::Bass::kMusicAmplify, amplify);
}

void LoadBassDLL()
{
    const std::lock_guard lock(gBassLock);
    if (gBassReferences++ == 0)
        gBassInstance = new BASS_INSTANCE();
}

void FreeBassDLL()
{
    const std::lock_guard lock(gBassLock);
    if (--gBassReferences <= 0) {
        delete gBassInstance;
        gBassInstance = nullptr;
        gBassReferences = 0;
    }
}

} // namespace Zest
