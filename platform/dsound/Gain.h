#pragma once
// Buffer volumes and pans as the gains the mix applies. Both are attenuations in hundredths
// of a decibel: the volume of both sides, the pan of the side opposite to its direction.
// The full attenuation (-10000) is silence, not merely -100 dB.

#include "platform/dsound/DSound.h"

namespace DSound {

struct StereoGain {
    float left = 1.0f;
    float right = 1.0f;

    StereoGain operator*(const StereoGain& other) const { return {left * other.left, right * other.right}; }
};

// 1 at 0, 10^(attenuation / 2000) below, 0 at DSBVOLUME_MIN.
float AmplitudeOf(LONG attenuation);

StereoGain GainOf(LONG volume, LONG pan);

} // namespace DSound
