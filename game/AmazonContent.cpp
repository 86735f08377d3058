#include "game/HabitatContent.h"
#include "game/Stage.h"

namespace {

constexpr int32_t NC = StageGoal::NOT_COUNTED;
constexpr int32_t ON = Stage::POWER_ITEMS_ON;
constexpr int32_t OFF = Stage::POWER_ITEMS_OFF;

} // namespace

const HabitatContent& AmazonContent()
{
    static const HabitatContent content{
        "Amazon",
        1,
        "music/amazon.ogg",
        "Habitat_Amazon",
        "IMAGE_GAME_AMAZON_LABEL",
        {
            {"NAME_ANACONDA", "DESC_ANACONDA", 4, "IMAGE_TILE_ANACONDA", "IMAGE_TILE_ANACONDA_LABEL"},
            {"NAME_JAGUAR", "DESC_JAGUAR", 3, "IMAGE_TILE_JAGUAR", "IMAGE_TILE_JAGUAR_LABEL"},
            {"NAME_CAPYBARA", "DESC_CAPYBARA", 2, "IMAGE_TILE_CAPYBARA", "IMAGE_TILE_CAPYBARA_LABEL"},
            {"NAME_TAPIR", "DESC_TAPIR", 2, "IMAGE_TILE_TAPIR", "IMAGE_TILE_TAPIR_LABEL"},
            {"NAME_SPIDERMONKEY", "DESC_SPIDERMONKEY", 2, "IMAGE_TILE_SPIDERMONKEY", "IMAGE_TILE_SPIDERMONKEY_LABEL"},
            {"NAME_MACAW", "DESC_MACAW", 2, "IMAGE_TILE_MACAW", "IMAGE_TILE_MACAW_LABEL"},
            {"NAME_LEAVES", "DESC_LEAVES", 1, "IMAGE_TILE_LEAVES", "IMAGE_TILE_LEAVES_LABEL"},
            {"NAME_FRUITS", "DESC_FRUITS", 1, "IMAGE_TILE_FRUITS", "IMAGE_TILE_FRUITS_LABEL"},
            {"NAME_GRASS", "DESC_GRASS", 1, "IMAGE_TILE_GRASS", "IMAGE_TILE_GRASS_LABEL"},
        },
        {
            {&ITEM_WATER, 82},
            {&ITEM_SHUFFLE, 75},
            {&ITEM_TORCH, 90},
            {&ITEM_HUNTER, 100},
        },
        {
            {"NAME_ANACONDA", "NAME_CAPYBARA"},
            {"NAME_ANACONDA", "NAME_JAGUAR"},
            {"NAME_ANACONDA", "NAME_MACAW"},
            {"NAME_ANACONDA", "NAME_SPIDERMONKEY"},
            {"NAME_ANACONDA", "NAME_TAPIR"},
            {"NAME_JAGUAR", "NAME_TAPIR"},
            {"NAME_JAGUAR", "NAME_CAPYBARA"},
            {"NAME_JAGUAR", "NAME_SPIDERMONKEY"},
            {"NAME_JAGUAR", "NAME_MACAW"},
            {"NAME_TAPIR", "NAME_LEAVES"},
            {"NAME_TAPIR", "NAME_GRASS"},
            {"NAME_TAPIR", "NAME_FRUITS"},
            {"NAME_CAPYBARA", "NAME_GRASS"},
            {"NAME_CAPYBARA", "NAME_LEAVES"},
            {"NAME_CAPYBARA", "NAME_FRUITS"},
            {"NAME_SPIDERMONKEY", "NAME_FRUITS"},
            {"NAME_SPIDERMONKEY", "NAME_LEAVES"},
            {"NAME_MACAW", "NAME_FRUITS"},
        },
        {
            // mode, goals, events, power items, highest frame shape, survivor chance
            {MODE_MATCH_SAME, {{"NAME_CAPYBARA", 4}, {"NAME_TAPIR", 4}, {"NAME_MACAW", 4}}, {}, OFF, 1, 0},
            {MODE_MATCH_SAME, {{"NAME_TAPIR", 4}, {"NAME_JAGUAR", 4}, {"NAME_CAPYBARA", 4}}, {}, OFF, 1, 0},
            {MODE_FOOD_CHAIN, {{"NAME_ANACONDA", 2}, {"NAME_MACAW", 2}, {"NAME_FRUITS", NC}}, {}, OFF, 1, 0},
            {MODE_FOOD_CHAIN, {{"NAME_JAGUAR", 2}, {"NAME_TAPIR", 3}, {"NAME_LEAVES", NC}, {"shuffle", NC}}, {}, ON, 1,
             0},
            {MODE_FOOD_CHAIN, {{"NAME_JAGUAR", 4}, {"NAME_CAPYBARA", 4}, {"NAME_GRASS", NC}}, {}, OFF, 1, 0},
            {MODE_MATCH_SAME,
             {{"NAME_MACAW", 6}, {"NAME_ANACONDA", 4}, {"NAME_TAPIR", 8}, {"water", NC}},
             {{EVENT_BANANAS, 10}},
             ON,
             1,
             0},
            {MODE_MATCH_SAME,
             {{"NAME_CAPYBARA", 6}, {"NAME_SPIDERMONKEY", 6}, {"NAME_JAGUAR", 4}, {"water", NC}},
             {{EVENT_BANANAS, 15}},
             ON,
             1,
             0},
        },
    };
    return content;
}
