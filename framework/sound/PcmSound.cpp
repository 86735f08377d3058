#include "framework/sound/PcmSound.h"

namespace Zest {

bool IsPlayableFormat(const PcmFormat& format)
{
    return (format.mChannels == 1 || format.mChannels == 2) &&
           (format.mBitsPerSample == 8 || format.mBitsPerSample == 16) && format.mSamplesPerSec >= 100 &&
           format.mSamplesPerSec <= 100000;
}

} // namespace Zest
