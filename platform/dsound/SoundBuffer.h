#pragma once
// A sound buffer: the primary buffer, whose volume and pan apply to everything its
// DirectSound object plays, or a secondary buffer that plays PCM data. Duplicates share
// their original's data and have their own playback. Every buffer holds a reference to
// the DirectSound object that made it, so that the object mixes it for as long as it lives.

#include "platform/dsound/Controls.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/Voice.h"

#include <atomic>
#include <memory>
#include <vector>

namespace DSound {

class DirectSound;

class SoundBuffer final : public IDirectSoundBuffer {
public:
    // The primary buffer.
    SoundBuffer(DirectSound& owner, DWORD flags);
    // A secondary buffer of `bytes` bytes of silence; throws std::bad_alloc.
    SoundBuffer(DirectSound& owner, DWORD flags, const WAVEFORMATEX& format, DWORD bytes);
    // A duplicate of a secondary buffer, stopped at its start.
    SoundBuffer(DirectSound& owner, const SoundBuffer& original);

    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // These three under the stand-in's lock.
    bool IsPrimary() const { return mSamples == nullptr; }
    StereoGain Gain() const { return GainOf(mVoice.volume, mVoice.pan); }
    // Adds the buffer, when it plays, into the mix with the primary buffer's gain.
    void MixInto(float* mix, int frames, StereoGain primaryGain);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetCaps(DSBCAPS* caps) override;
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
    HRESULT GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* sizeWritten) override;
    HRESULT GetVolume(LONG* volume) override;
    HRESULT GetPan(LONG* pan) override;
    HRESULT GetFrequency(DWORD* frequency) override;
    HRESULT GetStatus(DWORD* status) override;
    HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                 DWORD flags) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD position) override;
    HRESULT SetFormat(const WAVEFORMATEX* format) override;
    HRESULT SetVolume(LONG volume) override;
    HRESULT SetPan(LONG pan) override;
    HRESULT SetFrequency(DWORD frequency) override;
    HRESULT Stop() override;
    HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) override;
    HRESULT Restore() override;

private:
    // A locked range: the caller writes into a copy, which Unlock puts into the data under
    // the lock, so that the audio thread never reads bytes being written.
    struct PendingLock {
        DWORD offset;
        DWORD bytes1;
        DWORD bytes2;
        std::unique_ptr<uint8_t[]> copy;
    };

    ~SoundBuffer();

    const WAVEFORMATEX& Format() const { return IsPrimary() ? mPrimaryFormat : mSamples->format; }
    DWORD Size() const { return IsPrimary() ? 0 : static_cast<DWORD>(mSamples->bytes.size()); }
    DWORD PlayCursor() const;
    DWORD WriteCursor() const;
    HRESULT CheckControl(DWORD control) const;

    DirectSound& mOwner;
    const DWORD mFlags;
    // Null for the primary buffer.
    std::shared_ptr<Samples> mSamples;
    WAVEFORMATEX mPrimaryFormat{};
    Voice mVoice;
    std::vector<PendingLock> mLocks;
    std::atomic<ULONG> mReferences{1};
    LiveObject mLive;
};

} // namespace DSound
