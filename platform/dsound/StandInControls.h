#pragma once
// The stand-in's own controls, which no real sound device has: what tests set to run the
// mix by hand or to make calls fail, and the count of objects alive. The library exports
// them under the name "DSoundStandInControls". Set them before the objects they concern
// are made; they are not meant to change while other threads use the stand-in.

#include "platform/dsound/DSound.h"

#include <atomic>
#include <string>
#include <vector>

namespace DSound {

struct StandInControls {
    // DirectSoundCreate succeeds even when no audio device plays the mix; the test then
    // drives the mix itself through Audio::Mix.
    bool createWithoutDevice = false;

    // The next calls of a method fail: "IDirectSound::DuplicateSoundBuffer",
    // "IDirectSoundBuffer::Play", "DirectSoundCreate" and so on. `skip` calls succeed
    // before the failure.
    struct Failure {
        std::string method;
        int skip = 0;
        HRESULT result = DSERR_GENERIC;
    };
    std::vector<Failure> failures;

    // DirectSound objects and buffers alive, so that tests can see every reference returned.
    std::atomic<int> liveObjects{0};

    // Back to the defaults, with no failures pending.
    void Reset()
    {
        createWithoutDevice = false;
        failures.clear();
    }
};

using StandInControlsFunc = StandInControls* (*)();

} // namespace DSound

extern "C" DSound::StandInControls* DSoundStandInControls();
