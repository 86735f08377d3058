#include "framework/sound/FModInstance.h"

#include "platform/win32/Library.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"

#include <mutex>
#include <string>

namespace Zest {
namespace {

// The program cannot go on without the library it chose: it ends, reporting the failure.
constexpr Win32::UINT kMissingLibraryExitCode = 1;

// Guards the reference count and the instance it counts.
std::mutex gFModLock;
int gFModReferences = 0;

[[noreturn]] void EndWithError(const std::string& text)
{
    Win32::MessageBoxA(nullptr, text.c_str(), "Error", Win32::MB_ICONERROR);
    Win32::ExitProcess(kMissingLibraryExitCode);
}

template <typename Function>
void Bind(const Win32::HMODULE module, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(Win32::GetProcAddress(module, name));
    if (*function == nullptr)
        EndWithError("\"" + std::string(name) + "\" function not found in fmod.dll");
}

} // namespace

FMOD_INSTANCE* gFModInstance = nullptr;

FMOD_INSTANCE::FMOD_INSTANCE()
{
    mModule = Win32::LoadLibraryA("fmod.dll");
    if (mModule == nullptr)
        EndWithError("Can't find fmod.dll.");
    Bind(mModule, "_FSOUND_SetBufferSize@4", &FSOUND_SetBufferSize);
    Bind(mModule, "_FSOUND_SetHWND@4", &FSOUND_SetHWND);
    Bind(mModule, "_FSOUND_Init@12", &FSOUND_Init);
    Bind(mModule, "_FSOUND_Close@0", &FSOUND_Close);
    Bind(mModule, "_FSOUND_Sample_Load@16", &FSOUND_Sample_Load);
    Bind(mModule, "_FSOUND_Sample_Alloc@28", &FSOUND_Sample_Alloc);
    Bind(mModule, "_FSOUND_Sample_Free@4", &FSOUND_Sample_Free);
    Bind(mModule, "_FSOUND_Sample_Lock@28", &FSOUND_Sample_Lock);
    Bind(mModule, "_FSOUND_Sample_Unlock@20", &FSOUND_Sample_Unlock);
    Bind(mModule, "_FSOUND_Sample_SetLoopPoints@12", &FSOUND_Sample_SetLoopPoints);
    Bind(mModule, "_FSOUND_Sample_GetLength@4", &FSOUND_Sample_GetLength);
    Bind(mModule, "_FSOUND_Sample_GetDefaults@20", &FSOUND_Sample_GetDefaults);
    Bind(mModule, "_FSOUND_Sample_GetMode@4", &FSOUND_Sample_GetMode);
    Bind(mModule, "_FSOUND_PlaySound@8", &FSOUND_PlaySound);
    Bind(mModule, "_FSOUND_StopSound@4", &FSOUND_StopSound);
    Bind(mModule, "_FSOUND_SetVolume@8", &FSOUND_SetVolume);
    Bind(mModule, "_FSOUND_SetPaused@8", &FSOUND_SetPaused);
    Bind(mModule, "_FSOUND_SetLoopMode@8", &FSOUND_SetLoopMode);
    Bind(mModule, "_FSOUND_IsPlaying@4", &FSOUND_IsPlaying);
    Bind(mModule, "_FSOUND_Stream_OpenFile@12", &FSOUND_Stream_OpenFile);
    Bind(mModule, "_FSOUND_Stream_Close@4", &FSOUND_Stream_Close);
    Bind(mModule, "_FSOUND_Stream_Play@8", &FSOUND_Stream_Play);
    Bind(mModule, "_FMUSIC_LoadSong@4", &FMUSIC_LoadSong);
    Bind(mModule, "_FMUSIC_PlaySong@4", &FMUSIC_PlaySong);
    Bind(mModule, "_FMUSIC_StopSong@4", &FMUSIC_StopSong);
    Bind(mModule, "_FMUSIC_SetLooping@8", &FMUSIC_SetLooping);
    Bind(mModule, "_FMUSIC_SetOrder@8", &FMUSIC_SetOrder);
    Bind(mModule, "_FMUSIC_SetPaused@8", &FMUSIC_SetPaused);
    Bind(mModule, "_FMUSIC_SetMasterVolume@8", &FMUSIC_SetMasterVolume);
    Bind(mModule, "_FMUSIC_IsPlaying@4", &FMUSIC_IsPlaying);
}

FMOD_INSTANCE::~FMOD_INSTANCE() { Win32::FreeLibrary(mModule); }

void LoadFModDLL()
{
    const std::lock_guard lock(gFModLock);
    if (gFModReferences++ == 0)
        gFModInstance = new FMOD_INSTANCE();
}

void FreeFModDLL()
{
    const std::lock_guard lock(gFModLock);
    if (--gFModReferences <= 0) {
        delete gFModInstance;
        gFModInstance = nullptr;
        gFModReferences = 0;
    }
}

} // namespace Zest
