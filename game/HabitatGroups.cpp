#include "game/HabitatGroups.h"

#include "game/Res.h"

namespace {

constexpr HabitatGroupIds kHabitatGroups[] = {
    {"Habitat_Amazon", &IMAGE_HABITAT_AMAZON_BACK, &IMAGE_HABITAT_AMAZON_TOP},
    {"Habitat_GrandCanyon", &IMAGE_HABITAT_GRANDCANYON_BACK, &IMAGE_HABITAT_GRANDCANYON_TOP},
    {"Habitat_Alaska", &IMAGE_HABITAT_ALASKA_BACK, &IMAGE_HABITAT_ALASKA_TOP},
    {"Habitat_Arctic", &IMAGE_HABITAT_ARCTIC_BACK, &IMAGE_HABITAT_ARCTIC_TOP},
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
