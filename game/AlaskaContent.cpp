#include "game/HabitatContent.h"
#include "game/Stage.h"

namespace {

constexpr int32_t NC = StageGoal::NOT_COUNTED;
constexpr int32_t ON = Stage::POWER_ITEMS_ON;
constexpr int32_t OFF = Stage::POWER_ITEMS_OFF;

} // namespace

const HabitatContent& AlaskaContent()
{
    static const HabitatContent content{
        "Alaska",
        3,
        "music/alaska.ogg",
        "Habitat_Alaska",
        "IMAGE_GAME_ALASKA_LABEL",
        {
            {"NAME_BLACKBEAR", "DESC_BLACKBEAR", 5, "IMAGE_TILE_BLACKBEAR", "IMAGE_TILE_BLACKBEAR_LABEL"},
            {"NAME_REDFOX", "DESC_REDFOX", 4, "IMAGE_TILE_REDFOX", "IMAGE_TILE_REDFOX_LABEL"},
            {"NAME_SNOWYOWL", "DESC_SNOWYOWL", 3, "IMAGE_TILE_SNOWYOWL", "IMAGE_TILE_SNOWYOWL_LABEL"},
            {"NAME_GROUNDSQUIRREL", "DESC_GROUNDSQUIRREL", 2, "IMAGE_TILE_GROUNDSQUIRREL",
             "IMAGE_TILE_GROUNDSQUIRREL_LABEL"},
            {"NAME_ARCTICHARE", "DESC_ARCTICHARE", 2, "IMAGE_TILE_ARCTICHARE", "IMAGE_TILE_ARCTICHARE_LABEL"},
            {"NAME_MOOSE", "DESC_MOOSE", 2, "IMAGE_TILE_MOOSE", "IMAGE_TILE_MOOSE_LABEL"},
            {"NAME_INSECTS", "DESC_INSECTS", 1, "IMAGE_TILE_INSECTS", "IMAGE_TILE_INSECTS_LABEL"},
            {"NAME_GRASS", "DESC_GRASS", 1, "IMAGE_TILE_GRASS", "IMAGE_TILE_GRASS_LABEL"},
        },
        {
            {&ITEM_TORCH, 76},
            {&ITEM_WATER, 73},
            {&ITEM_SHUFFLE, 40},
            {&ITEM_HUNTER, 60},
        },
        {
            {"NAME_BLACKBEAR", "NAME_MOOSE"},
            {"NAME_BLACKBEAR", "NAME_REDFOX"},
            {"NAME_BLACKBEAR", "NAME_GRASS"},
            {"NAME_BLACKBEAR", "NAME_INSECTS"},
            {"NAME_REDFOX", "NAME_GROUNDSQUIRREL"},
            {"NAME_REDFOX", "NAME_ARCTICHARE"},
            {"NAME_REDFOX", "NAME_SNOWYOWL"},
            {"NAME_GROUNDSQUIRREL", "NAME_INSECTS"},
            {"NAME_SNOWYOWL", "NAME_ARCTICHARE"},
            {"NAME_SNOWYOWL", "NAME_GROUNDSQUIRREL"},
            {"NAME_SNOWYOWL", "NAME_INSECTS"},
            {"NAME_ARCTICHARE", "NAME_INSECTS"},
            {"NAME_ARCTICHARE", "NAME_GRASS"},
            {"NAME_MOOSE", "NAME_GRASS"},
        },
        {
            // mode, goals, events, power items, highest frame shape, survivor chance
            {MODE_FOOD_CHAIN,
             {{"NAME_ARCTICHARE", 6}, {"NAME_REDFOX", 6}, {"NAME_INSECTS", NC}, {"water", NC}},
             {{EVENT_BANANAS, 9}},
             ON,
             1,
             80},
            {MODE_MATCH_SAME,
             {{"NAME_MOOSE", 6}, {"NAME_ARCTICHARE", 4}, {"NAME_GROUNDSQUIRREL", 6}, {"water", NC}, {"shuffle", NC}},
             {{EVENT_BANANAS, 12}},
             ON,
             6,
             80},
            {MODE_FOOD_CHAIN,
             {{"NAME_BLACKBEAR", 4}, {"NAME_REDFOX", 3}, {"NAME_ARCTICHARE", NC}, {"torch", NC}},
             {{EVENT_SPIDER_WEB, 7}},
             ON,
             2,
             80},
            {MODE_MATCH_SAME,
             {{"NAME_BLACKBEAR", 8}, {"NAME_REDFOX", 7}, {"NAME_SNOWYOWL", 7}, {"torch", NC}, {"water", NC}},
             {{EVENT_SPIDER_WEB, 18}, {EVENT_BANANAS, 17}},
             ON,
             6,
             80},
            {MODE_FOOD_CHAIN,
             {{"NAME_SNOWYOWL", 4}, {"NAME_GROUNDSQUIRREL", 4}, {"NAME_INSECTS", NC}, {"water", NC}},
             {{EVENT_BANANAS, 14}},
             ON,
             6,
             70},
            {MODE_MATCH_PAIRS, {{"NAME_BLACKBEAR", 3}, {"NAME_MOOSE", 3}}, {}, OFF, 1, 0},
        },
    };
    return content;
}
