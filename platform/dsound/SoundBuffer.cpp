#include "platform/dsound/SoundBuffer.h"

#include "platform/dsound/DirectSound.h"
#include "platform/dsound/Format.h"
#include "platform/dsound/Lock.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace DSound {

SoundBuffer::SoundBuffer(DirectSound& owner, const DWORD flags)
    : mOwner(owner)
    , mFlags(flags)
    , mPrimaryFormat(OutputFormat())
{
    mOwner.AddRef();
    mVoice.frequency = mPrimaryFormat.nSamplesPerSec;
}

SoundBuffer::SoundBuffer(DirectSound& owner, const DWORD flags, const WAVEFORMATEX& format, const DWORD bytes)
    : mOwner(owner)
    , mFlags(flags)
    , mSamples(std::make_shared<Samples>())
{
    mSamples->format = format;
    mSamples->format.cbSize = 0;
    // Silence: unsigned 8-bit samples are centred on 128.
    mSamples->bytes.assign(bytes, format.wBitsPerSample == 8 ? 0x80 : 0x00);
    mVoice.frequency = format.nSamplesPerSec;
    mOwner.AddRef();
}

SoundBuffer::SoundBuffer(DirectSound& owner, const SoundBuffer& original)
    : mOwner(owner)
    , mFlags(original.mFlags)
    , mSamples(original.mSamples)
{
    mVoice.volume = original.mVoice.volume;
    mVoice.pan = original.mVoice.pan;
    mVoice.frequency = original.mVoice.frequency;
    mOwner.AddRef();
}

SoundBuffer::~SoundBuffer() { mOwner.Release(); }

void SoundBuffer::MixInto(float* mix, const int frames, const StereoGain primaryGain)
{
    if (!IsPrimary() && mVoice.playing)
        MixVoice(mVoice, *mSamples, Gain() * primaryGain, mix, frames);
}

HRESULT SoundBuffer::QueryInterface(REFIID iid, void** object)
{
    return RunMethod("IDirectSoundBuffer::QueryInterface", [&] {
        if (object == nullptr)
            return DSERR_INVALIDPARAM;
        if (!(iid == IID_IDirectSoundBuffer)) {
            *object = nullptr;
            return DSERR_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<IDirectSoundBuffer*>(this);
        return DS_OK;
    });
}

ULONG SoundBuffer::AddRef() { return ++mReferences; }

ULONG SoundBuffer::Release()
{
    const ULONG left = --mReferences;
    if (left == 0) {
        {
            const std::lock_guard lock(StandInLock());
            mOwner.Forget(this);
        }
        // Outside the lock: the owner's last reference may go with it, which leaves the
        // audio output.
        delete this;
    }
    return left;
}

DWORD SoundBuffer::PlayCursor() const
{
    return IsPrimary() ? 0 : static_cast<DWORD>(mVoice.Frame() * Format().nBlockAlign);
}

DWORD SoundBuffer::WriteCursor() const
{
    if (IsPrimary() || !mVoice.playing)
        return PlayCursor();
    // A playing buffer is read a mix period ahead: writes are safe from about 10 ms on.
    const DWORD lead = std::max<DWORD>(mVoice.frequency / 100, 1) * Format().nBlockAlign;
    return static_cast<DWORD>((static_cast<uint64_t>(PlayCursor()) + lead) % Size());
}

HRESULT SoundBuffer::CheckControl(const DWORD control) const
{
    return (mFlags & control) != 0 ? DS_OK : DSERR_CONTROLUNAVAIL;
}

HRESULT SoundBuffer::GetCaps(DSBCAPS* caps)
{
    return RunMethod("IDirectSoundBuffer::GetCaps", [&] {
        if (caps == nullptr || caps->dwSize != sizeof(DSBCAPS))
            return DSERR_INVALIDPARAM;
        caps->dwFlags = mFlags;
        caps->dwBufferBytes = Size();
        caps->dwUnlockTransferRate = 0;
        caps->dwPlayCpuOverhead = 0;
        return DS_OK;
    });
}

HRESULT SoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor)
{
    return RunMethod("IDirectSoundBuffer::GetCurrentPosition", [&] {
        if (playCursor == nullptr && writeCursor == nullptr)
            return DSERR_INVALIDPARAM;
        if (playCursor != nullptr)
            *playCursor = PlayCursor();
        if (writeCursor != nullptr)
            *writeCursor = WriteCursor();
        return DS_OK;
    });
}

HRESULT SoundBuffer::GetFormat(WAVEFORMATEX* format, const DWORD sizeAllocated, DWORD* sizeWritten)
{
    return RunMethod("IDirectSoundBuffer::GetFormat", [&] {
        if (format == nullptr) {
            if (sizeWritten == nullptr)
                return DSERR_INVALIDPARAM;
            *sizeWritten = sizeof(WAVEFORMATEX);
            return DS_OK;
        }
        if (sizeAllocated < sizeof(WAVEFORMATEX))
            return DSERR_INVALIDPARAM;
        *format = Format();
        if (sizeWritten != nullptr)
            *sizeWritten = sizeof(WAVEFORMATEX);
        return DS_OK;
    });
}

HRESULT SoundBuffer::GetVolume(LONG* volume)
{
    return RunMethod("IDirectSoundBuffer::GetVolume", [&] {
        if (volume == nullptr)
            return DSERR_INVALIDPARAM;
        if (const HRESULT result = CheckControl(DSBCAPS_CTRLVOLUME); result != DS_OK)
            return result;
        *volume = mVoice.volume;
        return DS_OK;
    });
}

HRESULT SoundBuffer::GetPan(LONG* pan)
{
    return RunMethod("IDirectSoundBuffer::GetPan", [&] {
        if (pan == nullptr)
            return DSERR_INVALIDPARAM;
        if (const HRESULT result = CheckControl(DSBCAPS_CTRLPAN); result != DS_OK)
            return result;
        *pan = mVoice.pan;
        return DS_OK;
    });
}

HRESULT SoundBuffer::GetFrequency(DWORD* frequency)
{
    return RunMethod("IDirectSoundBuffer::GetFrequency", [&] {
        if (frequency == nullptr)
            return DSERR_INVALIDPARAM;
        if (IsPrimary())
            return DSERR_CONTROLUNAVAIL;
        if (const HRESULT result = CheckControl(DSBCAPS_CTRLFREQUENCY); result != DS_OK)
            return result;
        *frequency = mVoice.frequency;
        return DS_OK;
    });
}

HRESULT SoundBuffer::GetStatus(DWORD* status)
{
    return RunMethod("IDirectSoundBuffer::GetStatus", [&] {
        if (status == nullptr)
            return DSERR_INVALIDPARAM;
        *status = 0;
        if (mVoice.playing)
            *status = DSBSTATUS_PLAYING | (mVoice.looping ? DSBSTATUS_LOOPING : 0);
        return DS_OK;
    });
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2, DWORD* bytes2,
                          const DWORD flags)
{
    return RunMethod("IDirectSoundBuffer::Lock", [&]() -> HRESULT {
        if (region1 == nullptr || bytes1 == nullptr)
            return DSERR_INVALIDPARAM;
        *region1 = nullptr;
        *bytes1 = 0;
        if (region2 != nullptr)
            *region2 = nullptr;
        if (bytes2 != nullptr)
            *bytes2 = 0;
        if (IsPrimary())
            return DSERR_INVALIDCALL;
        const DWORD size = Size();
        if ((flags & DSBLOCK_FROMWRITECURSOR) != 0)
            offset = WriteCursor();
        if ((flags & DSBLOCK_ENTIREBUFFER) != 0)
            bytes = size;
        if (offset >= size || bytes == 0 || bytes > size)
            return DSERR_INVALIDPARAM;
        // What runs past the end comes from the start; a caller without the second region
        // cannot take that.
        const DWORD first = std::min(bytes, size - offset);
        const DWORD second = bytes - first;
        if (second > 0 && (region2 == nullptr || bytes2 == nullptr))
            return DSERR_INVALIDPARAM;

        PendingLock pending{offset, first, second, std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes])};
        if (pending.copy == nullptr)
            return DSERR_OUTOFMEMORY;
        const uint8_t* data = mSamples->bytes.data();
        std::memcpy(pending.copy.get(), data + offset, first);
        std::memcpy(pending.copy.get() + first, data, second);
        *region1 = pending.copy.get();
        *bytes1 = first;
        if (second > 0) {
            *region2 = pending.copy.get() + first;
            *bytes2 = second;
        }
        mLocks.push_back(std::move(pending));
        return DS_OK;
    });
}

HRESULT SoundBuffer::Unlock(void* region1, const DWORD bytes1, void* region2, const DWORD bytes2)
{
    return RunMethod("IDirectSoundBuffer::Unlock", [&] {
        const auto found = std::find_if(mLocks.begin(), mLocks.end(),
                                        [&](const PendingLock& pending) { return pending.copy.get() == region1; });
        if (region1 == nullptr || found == mLocks.end() || bytes1 > found->bytes1)
            return DSERR_INVALIDPARAM;
        if (bytes2 > 0 && (region2 != found->copy.get() + found->bytes1 || bytes2 > found->bytes2))
            return DSERR_INVALIDPARAM;
        uint8_t* data = mSamples->bytes.data();
        std::memcpy(data + found->offset, found->copy.get(), bytes1);
        std::memcpy(data, found->copy.get() + found->bytes1, bytes2);
        mLocks.erase(found);
        return DS_OK;
    });
}

HRESULT SoundBuffer::Play(const DWORD reserved, DWORD, const DWORD flags)
{
    return RunMethod("IDirectSoundBuffer::Play", [&] {
        if (reserved != 0)
            return DSERR_INVALIDPARAM;
        mVoice.playing = true;
        mVoice.looping = (flags & DSBPLAY_LOOPING) != 0;
        return DS_OK;
    });
}

HRESULT SoundBuffer::SetCurrentPosition(const DWORD position)
{
    return RunMethod("IDirectSoundBuffer::SetCurrentPosition", [&] {
        if (IsPrimary())
            return DSERR_INVALIDCALL;
        if (position >= Size())
            return DSERR_INVALIDPARAM;
        mVoice.SetFrame(position / Format().nBlockAlign);
        return DS_OK;
    });
}

HRESULT SoundBuffer::SetFormat(const WAVEFORMATEX* format)
{
    return RunMethod("IDirectSoundBuffer::SetFormat", [&] {
        if (!IsPrimary())
            return DSERR_INVALIDCALL;
        if (mOwner.CooperativeLevel() < DSSCL_PRIORITY)
            return DSERR_PRIOLEVELNEEDED;
        if (format == nullptr)
            return DSERR_INVALIDPARAM;
        if (!IsPlayableFormat(*format))
            return DSERR_BADFORMAT;
        // The output keeps its own format; the primary buffer reports the one asked for.
        mPrimaryFormat = *format;
        mPrimaryFormat.cbSize = 0;
        return DS_OK;
    });
}

HRESULT SoundBuffer::SetVolume(const LONG volume)
{
    return RunMethod("IDirectSoundBuffer::SetVolume", [&] {
        if (const HRESULT result = CheckControl(DSBCAPS_CTRLVOLUME); result != DS_OK)
            return result;
        if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
            return DSERR_INVALIDPARAM;
        mVoice.volume = volume;
        return DS_OK;
    });
}

HRESULT SoundBuffer::SetPan(const LONG pan)
{
    return RunMethod("IDirectSoundBuffer::SetPan", [&] {
        if (const HRESULT result = CheckControl(DSBCAPS_CTRLPAN); result != DS_OK)
            return result;
        if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
            return DSERR_INVALIDPARAM;
        mVoice.pan = pan;
        return DS_OK;
    });
}

HRESULT SoundBuffer::SetFrequency(const DWORD frequency)
{
    return RunMethod("IDirectSoundBuffer::SetFrequency", [&] {
        if (IsPrimary())
            return DSERR_CONTROLUNAVAIL;
        if (const HRESULT result = CheckControl(DSBCAPS_CTRLFREQUENCY); result != DS_OK)
            return result;
        if (frequency == DSBFREQUENCY_ORIGINAL) {
            mVoice.frequency = Format().nSamplesPerSec;
            return DS_OK;
        }
        if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)
            return DSERR_INVALIDPARAM;
        mVoice.frequency = frequency;
        return DS_OK;
    });
}

HRESULT SoundBuffer::Stop()
{
    return RunMethod("IDirectSoundBuffer::Stop", [&] {
        mVoice.playing = false;
        return DS_OK;
    });
}

HRESULT SoundBuffer::Restore()
{
    return RunMethod("IDirectSoundBuffer::Restore", [] { return DS_OK; });
}

} // namespace DSound
