#pragma once
// The one lock over the state of every DirectSound object and buffer. The main thread, the
// loading thread and the audio thread (which mixes under it) all take it. It is never held
// while calling into the audio output, whose own lock is held around the mix: so objects
// register and remove their mix source outside it.

#include "platform/dsound/Controls.h"

#include <mutex>
#include <optional>

namespace DSound {

std::mutex& StandInLock();

// One interface method: the failure a test asked of `method` when it is due, else `call`
// under the stand-in's lock.
template <typename Call>
HRESULT RunMethod(const char* method, Call&& call)
{
    if (const std::optional<HRESULT> failure = TakeFailure(method))
        return *failure;
    const std::lock_guard lock(StandInLock());
    return call();
}

} // namespace DSound
