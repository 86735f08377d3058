#pragma once
// The entry points of "bass.dll" (bass.so here) as the music interface binds them by name,
// with the values it passes and relies on. Numbers not fixed by the program are this
// library's own. Handles are non-zero 32-bit values; a stream or module handle is also the
// channel that plays it.

#include <cstdint>

namespace Music::Bass {

using BOOL = int;
using DWORD = uint32_t;
using QWORD = uint64_t;

// BASS_Init devices: the default output, or the first device (both are the one output).
constexpr int kDefaultDevice = -1;
constexpr int kFirstDevice = 1;

// Channel flags (BASS_ChannelSetFlags, the load calls): the song loops. Other bits are
// kept as given and do not change playback.
constexpr DWORD kFlagLoop = 4;

// BASS_ChannelIsActive.
constexpr DWORD kActiveStopped = 0;
constexpr DWORD kActivePlaying = 1;
constexpr DWORD kActivePaused = 3;

// BASS_ChannelSetAttributes and BASS_ChannelSlideAttributes: frequency in Hz (0 for the
// sound's own rate), volume 0 to 100, pan -100 (left) to 100 (right); these values leave
// an attribute unchanged.
constexpr int kFrequencyUnchanged = -1;
constexpr int kVolumeUnchanged = -1;
constexpr int kPanUnchanged = -101;

// A module position with this bit set in its low 32 bits is an order (bits 0 to 15) and a
// row (bits 16 to 30); other positions of every channel are bytes of 16-bit sound at the
// channel's rate and channel count (44100 Hz stereo for modules).
constexpr QWORD kPositionIsOrder = 0x80000000u;

// BASS_SetConfig / BASS_GetConfig options; volumes 0 to 100.
constexpr DWORD kConfigBufferMilliseconds = 0;
constexpr DWORD kConfigSampleVolume = 4;
constexpr DWORD kConfigStreamVolume = 5;
constexpr DWORD kConfigModuleVolume = 6;

// BASS_MusicSetAttribute / BASS_MusicGetAttribute: amplification in percent of the
// module's rendered level, 0 to 400; a module starts at 100.
constexpr DWORD kMusicAmplify = 0;
constexpr DWORD kMaxAmplify = 400;

// BASS_ErrorGetCode.
enum ErrorCode : int {
    kErrorNone = 0,
    kErrorNotInitialised = 1,
    kErrorAlready = 2,
    kErrorFileOpen = 3,
    kErrorFormat = 4,
    kErrorHandle = 5,
    kErrorPosition = 6,
    kErrorParameter = 7,
    kErrorNotPlaying = 8,
    kErrorNotAvailable = 9,
};

// The version BASS_GetVersion reports: major << 8 | minor.
constexpr DWORD kVersion = 0x0200;

// The entry points' types, for binding them. BASS_Init and BASS_MusicLoad take the longer
// argument lists; BASS_SetConfig is exported, so a caller uses those.
using InitFunc = BOOL (*)(int device, DWORD frequency, DWORD flags, void* window, const void* classId);
using FreeFunc = BOOL (*)();
using StopFunc = BOOL (*)();
using StartFunc = BOOL (*)();
using GetVolumeFunc = DWORD (*)();
using SetVolumeFunc = BOOL (*)(DWORD volume);
using SetGlobalVolumesFunc = void (*)(int music, int sample, int stream);
using SetConfigFunc = BOOL (*)(DWORD option, DWORD value);
using GetConfigFunc = DWORD (*)(DWORD option);
using GetInfoFunc = BOOL (*)(void* info);
using GetVersionFunc = DWORD (*)();
using ErrorGetCodeFunc = int (*)();

using ChannelStopFunc = BOOL (*)(DWORD handle);
using ChannelPlayFunc = BOOL (*)(DWORD handle, BOOL restart);
using ChannelPauseFunc = BOOL (*)(DWORD handle);
using ChannelSetAttributesFunc = BOOL (*)(DWORD handle, int frequency, int volume, int pan);
using ChannelGetAttributesFunc = BOOL (*)(DWORD handle, DWORD* frequency, DWORD* volume, int* pan);
using ChannelSetPositionFunc = BOOL (*)(DWORD handle, QWORD position);
using ChannelGetPositionFunc = QWORD (*)(DWORD handle);
using ChannelGetLengthFunc = QWORD (*)(DWORD handle);
using ChannelIsActiveFunc = DWORD (*)(DWORD handle);
using ChannelSetFlagsFunc = BOOL (*)(DWORD handle, DWORD flags);
using ChannelSlideAttributesFunc = BOOL (*)(DWORD handle, int frequency, int volume, int pan, DWORD milliseconds);
using ChannelIsSlidingFunc = DWORD (*)(DWORD handle);
using ChannelGetLevelFunc = DWORD (*)(DWORD handle);
using ChannelSetSyncFunc = DWORD (*)(DWORD handle, DWORD type, QWORD parameter, void* procedure, DWORD user);
using ChannelRemoveSyncFunc = BOOL (*)(DWORD handle, DWORD sync);
using ChannelGetDataFunc = DWORD (*)(DWORD handle, void* buffer, DWORD length);
using ChannelSetFXFunc = DWORD (*)(DWORD handle, DWORD type, int priority);
using ChannelRemoveFXFunc = BOOL (*)(DWORD handle, DWORD effect);
using FXSetParametersFunc = BOOL (*)(DWORD effect, const void* parameters);
using FXGetParametersFunc = BOOL (*)(DWORD effect, void* parameters);

using MusicLoadFunc = DWORD (*)(BOOL memory, const void* file, QWORD offset, DWORD length, DWORD flags, DWORD frequency);
using MusicFreeFunc = BOOL (*)(DWORD module);
using MusicGetAttributeFunc = DWORD (*)(DWORD module, DWORD attribute);
using MusicSetAttributeFunc = BOOL (*)(DWORD module, DWORD attribute, DWORD value);
using MusicGetOrdersFunc = DWORD (*)(DWORD module);
using MusicGetOrderPositionFunc = DWORD (*)(DWORD module);
using StreamCreateFileFunc = DWORD (*)(BOOL memory, const void* file, QWORD offset, QWORD length, DWORD flags);
using StreamFreeFunc = BOOL (*)(DWORD stream);
using SampleLoadFunc = DWORD (*)(BOOL memory, const void* file, QWORD offset, DWORD length, DWORD maximum, DWORD flags);
using SampleFreeFunc = BOOL (*)(DWORD sample);
using SampleSetInfoFunc = BOOL (*)(DWORD sample, const void* info);
using SampleGetInfoFunc = BOOL (*)(DWORD sample, void* info);
using SampleGetChannelFunc = DWORD (*)(DWORD sample, BOOL onlyNew);
using SampleStopFunc = BOOL (*)(DWORD sample);

} // namespace Music::Bass
