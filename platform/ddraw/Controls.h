#pragma once
// The stand-in's side of its controls (StandInControls.h): the one instance, the failures
// that tests ask for, the count of live objects and the picture the presenter stores.
// Every call here is safe from any thread.

#include "platform/ddraw/StandInControls.h"

#include <optional>

namespace DDraw {

// The controls themselves. Read their settings (pixel format, refresh rate, video memory)
// freely; what changes at run time goes through the calls below.
StandInControls& Controls();

// The failure a test asked of "<interfaceName>::<method>" (or of `method` alone when
// interfaceName is null), if it is due now: an entry whose skip count is above 0 is counted
// down and lets this call pass; otherwise the entry is used up and its result returned.
std::optional<HRESULT> TakeFailure(const char* interfaceName, const char* method);

// Stores the presenter's picture (width x height 0x00RRGGBB words, row by row) and counts
// one presentation. Only rows top to bottom - 1 changed since the last one, unless the
// stored picture has another size (or was reset), which takes the whole picture.
void StorePresented(const uint32_t* pixels, int width, int height, int top, int bottom);

// Counts one live object for as long as it exists (a member of every object).
class LiveObject {
public:
    LiveObject();
    ~LiveObject();
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
};

} // namespace DDraw
