// The library's exported entry points, as the program looks them up by name.

#include "platform/dsound/Controls.h"
#include "platform/dsound/DirectSound.h"

extern "C" {

DSound::HRESULT DirectSoundCreate(const Win32::GUID* device, DSound::IDirectSound** directSound,
                                  Win32::IUnknown* outer)
{
    using namespace DSound;
    // Not under the stand-in's lock: creating the object registers it with the audio output.
    if (const std::optional<HRESULT> failure = TakeFailure("DirectSoundCreate"))
        return *failure;
    if (directSound == nullptr)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer != nullptr)
        return DSERR_NOAGGREGATION;
    // Only the default device exists.
    if (device != nullptr)
        return DSERR_NODRIVER;
    return DirectSound::Create(directSound);
}

DSound::StandInControls* DSoundStandInControls() { return &DSound::Controls(); }

} // extern "C"
