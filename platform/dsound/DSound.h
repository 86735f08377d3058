#pragma once
// DirectSound as the sound manager uses it: the DirectSound object, which makes sound
// buffers and duplicates of them, and the buffers, which hold PCM data (8-bit unsigned or
// 16-bit signed, mono or stereo, any rate) and play it with their own volume, pan and
// frequency. The library "dsound.dll" (dsound.so) exports DirectSoundCreate; the program
// looks it up by name.
//
// Every DirectSound object mixes its playing buffers into the process's audio output.
// Buffer flags, play flags and status bits have the documented values, since programs
// pass them as combined numbers; the other values are this layer's own.

#include "platform/dsound/DSoundResults.h"
#include "platform/win32/Com.h"
#include "platform/win32/Types.h"

namespace DSound {

using Win32::DWORD;
using Win32::GUID;
using Win32::HWND;
using Win32::IID;
using Win32::IUnknown;
using Win32::LONG;
using Win32::REFIID;
using Win32::ULONG;
using Win32::WORD;

// Interface ids: this layer's own values.
inline constexpr IID IID_IDirectSound{0x47410010, 0x5344, 0x0001, {'G', 'A', 'D', 'S', 'O', 'U', 'N', 'D'}};
inline constexpr IID IID_IDirectSoundBuffer{0x47410011, 0x5344, 0x0001, {'G', 'A', 'D', 'S', 'B', 'U', 'F', 1}};

// Cooperative levels. The primary buffer's format can only be set from DSSCL_PRIORITY up.
constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSSCL_EXCLUSIVE = 3;
constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// Buffer capabilities (DSBUFFERDESC::dwFlags). A secondary buffer accepts SetVolume,
// SetPan and SetFrequency only with the matching DSBCAPS_CTRL* flag.
constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_LOCHARDWARE = 0x00000004;
constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x00000008;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBCAPS_STICKYFOCUS = 0x00004000;
constexpr DWORD DSBCAPS_GLOBALFOCUS = 0x00008000;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00010000;

// Play flags.
constexpr DWORD DSBPLAY_LOOPING = 0x00000001;

// Status bits (GetStatus).
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

// Lock flags: start at the write cursor instead of the offset given; lock the whole
// buffer whatever size is given.
constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;

// Volume in hundredths of a decibel of attenuation: DSBVOLUME_MIN is silence.
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;
// Pan: a negative pan attenuates the right side by that many hundredths of a decibel, a
// positive one the left side; the ends silence the other side.
constexpr LONG DSBPAN_LEFT = -10000;
constexpr LONG DSBPAN_CENTER = 0;
constexpr LONG DSBPAN_RIGHT = 10000;
// Playback frequency in Hz; DSBFREQUENCY_ORIGINAL sets the rate of the buffer's format.
constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 200000;
// Size of a secondary buffer in bytes.
constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

// The one format tag: PCM. Stored in WAV files, so the documented value.
constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    // nBlockAlign x nSamplesPerSec.
    DWORD nAvgBytesPerSec;
    // Bytes per frame: nChannels x wBitsPerSample / 8.
    WORD nBlockAlign;
    WORD wBitsPerSample;
    // Extra bytes after the structure: 0 for PCM.
    WORD cbSize;
};

// dwSize must be sizeof(DSBUFFERDESC). A primary buffer (DSBCAPS_PRIMARYBUFFER) takes no
// size and no format; a secondary buffer needs both.
struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    WAVEFORMATEX* lpwfxFormat;
};

// dwSize must be sizeof(DSBCAPS).
struct DSBCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwUnlockTransferRate;
    DWORD dwPlayCpuOverhead;
};

class IDirectSoundBuffer : public IUnknown {
public:
    virtual HRESULT GetCaps(DSBCAPS* caps) = 0;
    // Byte offsets of the play cursor and of the write cursor, the first byte that is
    // safe to write while the buffer plays.
    virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
    // With a null format, only the size the format needs goes to sizeWritten.
    virtual HRESULT GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* sizeWritten) = 0;
    virtual HRESULT GetVolume(LONG* volume) = 0;
    virtual HRESULT GetPan(LONG* pan) = 0;
    virtual HRESULT GetFrequency(DWORD* frequency) = 0;
    virtual HRESULT GetStatus(DWORD* status) = 0;
    // Locks `bytes` bytes from `offset`; when they run past the end of the buffer, the
    // rest comes from its start as the second region (null and 0 otherwise). What is
    // written to the regions reaches the buffer at Unlock, which takes back the pointers
    // and the byte counts written.
    virtual HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                         DWORD flags) = 0;
    // Plays from the current position; reserved and priority are 0. A buffer played
    // without DSBPLAY_LOOPING stops at its end and rewinds to its start.
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    // Only the primary buffer's format can be set.
    virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;
    virtual HRESULT SetVolume(LONG volume) = 0;
    virtual HRESULT SetPan(LONG pan) = 0;
    virtual HRESULT SetFrequency(DWORD frequency) = 0;
    // Stops playing and keeps the position.
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) = 0;
    // Buffers are never lost here: nothing to restore.
    virtual HRESULT Restore() = 0;

protected:
    ~IDirectSoundBuffer() = default;
};

class IDirectSound : public IUnknown {
public:
    virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer,
                                      IUnknown* outer) = 0;
    // A new buffer that plays the original's data (shared, not copied) with its own
    // position, volume, pan, frequency and play state, starting from the original's
    // volume, pan and frequency, stopped at position 0. The primary buffer has none.
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;

protected:
    ~IDirectSound() = default;
};

// The entry point, as the program looks it up. A null device is the default, the only
// one. Without an audio device to play on it fails with DSERR_NODRIVER: the program then
// runs without sound.
using DirectSoundCreateFunc = HRESULT (*)(const GUID* device, IDirectSound** directSound, IUnknown* outer);

} // namespace DSound

extern "C" DSound::HRESULT DirectSoundCreate(const Win32::GUID* device, DSound::IDirectSound** directSound,
                                             Win32::IUnknown* outer);
