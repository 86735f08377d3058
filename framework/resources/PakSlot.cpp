#include "framework/resources/PakSlot.h"

namespace Zest {

std::atomic<void*>& PublishedPakSlot()
{
    static std::atomic<void*> slot{nullptr};
    return slot;
}

} // namespace Zest
