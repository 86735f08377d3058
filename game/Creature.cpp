#include "game/Creature.h"

Creature::Creature(const std::string& name, const int32_t level, Zest::Image* const labelImage,
                   Zest::Image* const tileImage)
    : mLevel(level), mTileImage(tileImage), mLabelImage(labelImage), mName(name)
{
}
