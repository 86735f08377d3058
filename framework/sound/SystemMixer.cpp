#include "framework/sound/SystemMixer.h"

#include <algorithm>
#include <atomic>

namespace Zest {
namespace {

std::atomic<uint32_t>& WaveOutVolume()
{
    static std::atomic<uint32_t> volume{kWaveOutVolumeMax};
    return volume;
}

} // namespace

uint32_t ReadWaveOutVolume() { return WaveOutVolume().load(); }

void WriteWaveOutVolume(const uint32_t volume) { WaveOutVolume().store(std::min(volume, kWaveOutVolumeMax)); }

} // namespace Zest
