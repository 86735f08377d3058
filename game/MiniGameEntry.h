#pragma once
// Which physics mini-game closes a habitat after its last stage, and how long it runs.

#include <cstdint>
#include <vector>

struct MiniGameEntry {
    static constexpr int32_t KIND_SPIDERS = 0;
    static constexpr int32_t KIND_BEARS = 1;

    // KIND_SPIDERS: a cannon shoots at spiders hung on springs; KIND_BEARS: it throws fish
    // into the mouths of walking bears.
    int32_t mKind;
    int32_t mWaves;
    // Targets per wave; the bear game sets its own.
    int32_t mPerWave;
};

// One entry per habitat, indexed by the habitat's build index.
std::vector<MiniGameEntry> BuildMiniGameTable();
