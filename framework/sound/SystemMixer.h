#pragma once
// The volume of the process's wave output, as the system mixer's control holds it: 0 to
// 65535, one channel, full volume at start. It is the shared audio output's master volume. The sound manager's master volume and the music
// interface (which keeps the player's setting across its own start-up) read and write it.
// Safe from any thread.

#include <cstdint>

namespace Zest {

constexpr uint32_t kWaveOutVolumeMax = 65535;

uint32_t ReadWaveOutVolume();
// Values above the maximum are taken as the maximum.
void WriteWaveOutVolume(uint32_t volume);

} // namespace Zest
