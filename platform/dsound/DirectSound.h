#pragma once
// The DirectSound object: it makes buffers and duplicates, keeps the cooperative level,
// and while it lives mixes its playing buffers into the process's audio output.

#include "platform/dsound/Controls.h"
#include "platform/dsound/DSound.h"

#include <atomic>
#include <vector>

namespace DSound {

class SoundBuffer;

class DirectSound final : public IDirectSound {
public:
    // A new object in `made`, registered with the audio output. Without an audio device it
    // fails with DSERR_NODRIVER, unless the controls ask for an object all the same.
    // Called without the stand-in's lock.
    static HRESULT Create(IDirectSound** made);

    DirectSound(const DirectSound&) = delete;
    DirectSound& operator=(const DirectSound&) = delete;

    // These two under the stand-in's lock.
    DWORD CooperativeLevel() const { return mLevel; }
    // A buffer of this object is going: it is no longer mixed.
    void Forget(const SoundBuffer* buffer);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, IUnknown* outer) override;
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;

private:
    DirectSound() = default;
    ~DirectSound() = default;

    // The audio output's source: every playing buffer, under the stand-in's lock.
    static void Mix(void* context, float* mix, int frames);

    HRESULT CreatePrimary(DWORD flags, IDirectSoundBuffer** buffer);

    std::vector<SoundBuffer*> mBuffers;
    SoundBuffer* mPrimary = nullptr;
    DWORD mLevel = 0;
    std::atomic<ULONG> mReferences{1};
    LiveObject mLive;
};

} // namespace DSound
