#include "game/HabitatGroups.h"

namespace {

constexpr HabitatGroupIds kHabitatGroups[] = {
    {"Habitat_Amazon", "IMAGE_HABITAT_AMAZON_BACK", "IMAGE_HABITAT_AMAZON_TOP", "IMAGE_MINI_GAME_AMAZON"},
    {"Habitat_GrandCanyon", "IMAGE_HABITAT_GRANDCANYON_BACK", "IMAGE_HABITAT_GRANDCANYON_TOP",
     "IMAGE_MINI_GAME_GRANDCANYON"},
    {"Habitat_Alaska", "IMAGE_HABITAT_ALASKA_BACK", "IMAGE_HABITAT_ALASKA_TOP", "IMAGE_MINI_GAME_ALASKA"},
    {"Habitat_Arctic", "IMAGE_HABITAT_ARCTIC_BACK", "IMAGE_HABITAT_ARCTIC_TOP", "IMAGE_MINI_GAME_ARCTIC"},
};

} // namespace

const HabitatGroupIds* FindHabitatGroupIds(const std::string& group)
{
    for (const HabitatGroupIds& ids : kHabitatGroups) {
        if (group == ids.mGroup)
            return &ids;
    }
    return nullptr;
}
