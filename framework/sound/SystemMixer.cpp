#include "framework/sound/SystemMixer.h"

#include "platform/audio/AudioOutput.h"

#include <algorithm>
#include <cmath>

namespace Zest {

uint32_t ReadWaveOutVolume()
{
    return static_cast<uint32_t>(std::lround(Audio::GetMasterVolume() * kWaveOutVolumeMax));
}

void WriteWaveOutVolume(const uint32_t volume)
{
    Audio::SetMasterVolume(static_cast<float>(std::min(volume, kWaveOutVolumeMax)) / kWaveOutVolumeMax);
}

} // namespace Zest
