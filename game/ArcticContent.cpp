#include "game/HabitatContent.h"
#include "game/Stage.h"

namespace {

constexpr int32_t NC = StageGoal::NOT_COUNTED;
constexpr int32_t ON = Stage::POWER_ITEMS_ON;
constexpr int32_t OFF = Stage::POWER_ITEMS_OFF;

} // namespace

// The lemming is in no food link: it only ever matches its own kind.
const HabitatContent& ArcticContent()
{
    static const HabitatContent content{
        "Arctic",
        4,
        "music/arctic.ogg",
        "Habitat_Arctic",
        "IMAGE_GAME_ARCTIC_LABEL",
        {
            {"NAME_POLARBEAR", "DESC_POLARBEAR", 4, "IMAGE_TILE_POLARBEAR", "IMAGE_TILE_POLARBEAR_LABEL"},
            {"NAME_HARPSEAL", "DESC_HARPSEAL", 3, "IMAGE_TILE_HARPSEAL", "IMAGE_TILE_HARPSEAL_LABEL"},
            {"NAME_POLARCOD", "DESC_POLARCOD", 2, "IMAGE_TILE_POLARCOD", "IMAGE_TILE_POLARCOD_LABEL"},
            {"NAME_LEMMING", "DESC_LEMMING", 1, "IMAGE_TILE_LEMMING", "IMAGE_TILE_LEMMING_LABEL"},
            {"NAME_WHALE", "DESC_WHALE", 1, "IMAGE_TILE_WHALE", "IMAGE_TILE_WHALE_LABEL"},
            {"NAME_ORCA", "DESC_ORCA", 4, "IMAGE_TILE_ORCA", "IMAGE_TILE_ORCA_LABEL"},
        },
        {
            {&ITEM_TORCH, 82},
            {&ITEM_WATER, 87},
            {&ITEM_SHUFFLE, 82},
            {&ITEM_HUNTER, 70},
        },
        {
            {"NAME_POLARBEAR", "NAME_HARPSEAL"},
            {"NAME_ORCA", "NAME_WHALE"},
            {"NAME_ORCA", "NAME_HARPSEAL"},
            {"NAME_HARPSEAL", "NAME_POLARCOD"},
        },
        {
            // mode, goals, events, power items, highest frame shape, survivor chance
            {MODE_MATCH_PAIRS,
             {{"NAME_ORCA", 4}, {"NAME_LEMMING", 5}, {"water", NC}, {"shuffle", NC}},
             {{EVENT_BANANAS, 9}},
             ON,
             1,
             0},
            {MODE_MATCH_SAME,
             {{"NAME_WHALE", 7}, {"NAME_POLARBEAR", 9}, {"NAME_HARPSEAL", 7}, {"water", NC}, {"torch", NC}},
             {{EVENT_SPIDER_WEB, 18}, {EVENT_BANANAS, 18}},
             ON,
             6,
             0},
            {MODE_MATCH_SEARCH, {{"NAME_ORCA", 2}, {"NAME_WHALE", 2}, {"NAME_POLARBEAR", 2}}, {}, OFF, 1, 0},
            {MODE_FOOD_CHAIN,
             {{"NAME_POLARBEAR", 6}, {"NAME_HARPSEAL", 6}, {"NAME_POLARCOD", 6}, {"water", NC}},
             {{EVENT_BANANAS, 10}},
             ON,
             1,
             0},
            {MODE_MATCH_SAME,
             {{"NAME_POLARCOD", 10}, {"NAME_HARPSEAL", 10}, {"NAME_LEMMING", 12}, {"water", NC}},
             {{EVENT_BANANAS, 17}},
             ON,
             7,
             0},
            {MODE_MATCH_SEARCH, {{"NAME_POLARCOD", 3}, {"NAME_LEMMING", 3}, {"NAME_HARPSEAL", 2}}, {}, OFF, 1, 0},
            {MODE_FOOD_CHAIN,
             {{"NAME_ORCA", 6}, {"NAME_HARPSEAL", 6}, {"NAME_POLARCOD", 6}, {"water", NC}},
             {{EVENT_BANANAS, 16}},
             ON,
             1,
             0},
            {MODE_MATCH_PAIRS, {{"NAME_WHALE", 5}, {"NAME_POLARBEAR", 6}}, {}, OFF, 1, 30},
            {MODE_MATCH_SAME,
             {{"NAME_ORCA", 6}, {"NAME_WHALE", 9}, {"NAME_LEMMING", 9}, {"torch", NC}},
             {{EVENT_SPIDER_WEB, 18}},
             ON,
             6,
             0},
        },
    };
    return content;
}
