#include "platform/dsound/Lock.h"

namespace DSound {

std::mutex& StandInLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace DSound
