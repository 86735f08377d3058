#pragma once
// The stand-in's side of its controls (StandInControls.h): the one instance, the failures
// that tests ask for and the count of live objects. Every call here is safe from any thread.

#include "platform/dsound/StandInControls.h"

#include <optional>

namespace DSound {

StandInControls& Controls();

// The failure a test asked of `method` ("IDirectSoundBuffer::Play", "DirectSoundCreate"),
// if it is due now: an entry whose skip count is above 0 is counted down and lets this call
// pass; otherwise the entry is used up and its result returned.
std::optional<HRESULT> TakeFailure(const char* method);

// Counts one live object for as long as it exists (a member of every object).
class LiveObject {
public:
    LiveObject() { ++Controls().liveObjects; }
    ~LiveObject() { --Controls().liveObjects; }
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
};

} // namespace DSound
