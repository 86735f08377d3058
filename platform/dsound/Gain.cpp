#include "platform/dsound/Gain.h"

#include <cmath>

namespace DSound {

float AmplitudeOf(const LONG attenuation)
{
    if (attenuation <= DSBVOLUME_MIN)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, attenuation / 2000.0));
}

StereoGain GainOf(const LONG volume, const LONG pan)
{
    const float both = AmplitudeOf(volume);
    return {both * AmplitudeOf(pan > 0 ? -pan : 0), both * AmplitudeOf(pan < 0 ? pan : 0)};
}

} // namespace DSound
