#include "game/MiniGameEntry.h"

std::vector<MiniGameEntry> BuildMiniGameTable()
{
    return {
        {MiniGameEntry::KIND_SPIDERS, 3, 8},
        {MiniGameEntry::KIND_SPIDERS, 4, 8},
        {MiniGameEntry::KIND_BEARS, 3, 0},
        {MiniGameEntry::KIND_BEARS, 3, 0},
    };
}
