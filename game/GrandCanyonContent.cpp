#include "game/HabitatContent.h"
#include "game/Stage.h"

namespace {

constexpr int32_t NC = StageGoal::NOT_COUNTED;
constexpr int32_t ON = Stage::POWER_ITEMS_ON;

} // namespace

const HabitatContent& GrandCanyonContent()
{
    static const HabitatContent content{
        "Grand Canyon",
        2,
        "music/grandcanyon.ogg",
        "Habitat_GrandCanyon",
        "IMAGE_GAME_GRANDCANYON_LABEL",
        {
            {"NAME_EAGLE", "DESC_BALDEAGLE", 5, "IMAGE_TILE_EAGLE", "IMAGE_TILE_EAGLE_LABEL"},
            {"NAME_RATTLESNAKE", "DESC_RATTLESNAKE", 3, "IMAGE_TILE_SNAKE", "IMAGE_TILE_SNAKE_LABEL"},
            {"NAME_COUGAR", "DESC_COUGAR", 5, "IMAGE_TILE_COUGAR", "IMAGE_TILE_COUGAR_LABEL"},
            {"NAME_COYOTE", "DESC_COYOTE", 4, "IMAGE_TILE_COYOTE", "IMAGE_TILE_COYOTE_LABEL"},
            {"NAME_INSECTS", "DESC_INSECTS", 1, "IMAGE_TILE_INSECTS", "IMAGE_TILE_INSECTS_LABEL"},
            {"NAME_RABBIT_GC", "DESC_RABBIT", 2, "IMAGE_TILE_RABBIT", "IMAGE_TILE_RABBIT_LABEL"},
            {"NAME_RACCOON", "DESC_RACCOON", 2, "IMAGE_TILE_RACCOON", "IMAGE_TILE_RACCOON_LABEL"},
            {"NAME_ELK", "DESC_ELK", 2, "IMAGE_TILE_DEER", "IMAGE_TILE_DEER_LABEL"},
            {"NAME_GRASS", "DESC_GRASS", 1, "IMAGE_TILE_GRASS", "IMAGE_TILE_GRASS_LABEL"},
        },
        {
            {&ITEM_TORCH, 80},
            {&ITEM_WATER, 70},
            {&ITEM_SHUFFLE, 85},
            {&ITEM_HUNTER, 40},
        },
        {
            {"NAME_EAGLE", "NAME_RATTLESNAKE"},
            {"NAME_EAGLE", "NAME_RABBIT_GC"},
            {"NAME_COYOTE", "NAME_ELK"},
            {"NAME_COYOTE", "NAME_RABBIT_GC"},
            {"NAME_COYOTE", "NAME_RATTLESNAKE"},
            {"NAME_COYOTE", "NAME_RACCOON"},
            {"NAME_COYOTE", "NAME_INSECTS"},
            {"NAME_COYOTE", "NAME_GRASS"},
            {"NAME_COUGAR", "NAME_COYOTE"},
            {"NAME_COUGAR", "NAME_RABBIT_GC"},
            {"NAME_COUGAR", "NAME_ELK"},
            {"NAME_COUGAR", "NAME_RACCOON"},
            {"NAME_RACCOON", "NAME_INSECTS"},
            {"NAME_RABBIT_GC", "NAME_GRASS"},
            {"NAME_RATTLESNAKE", "NAME_RABBIT_GC"},
            {"NAME_ELK", "NAME_GRASS"},
        },
        {
            // mode, goals, events, power items, highest frame shape, survivor chance
            {MODE_FOOD_CHAIN, {{"NAME_EAGLE", 6}, {"NAME_RABBIT_GC", 6}, {"NAME_GRASS", NC}}, {}, ON, 1, 0},
            {MODE_MATCH_SAME,
             {{"NAME_COYOTE", 3}, {"NAME_EAGLE", 5}, {"NAME_RATTLESNAKE", 3}, {"hunter", NC}},
             {},
             ON,
             6,
             0},
            {MODE_MATCH_SAME,
             {{"NAME_ELK", 4}, {"NAME_RACCOON", 4}, {"NAME_EAGLE", 5}, {"torch", NC}},
             {{EVENT_SPIDER_WEB, 12}},
             ON,
             6,
             0},
            {MODE_FOOD_CHAIN, {{"NAME_COUGAR", 4}, {"NAME_ELK", 4}, {"NAME_GRASS", NC}}, {}, ON, 6, 0},
            {MODE_MATCH_SAME,
             {{"NAME_RACCOON", 10}, {"NAME_EAGLE", 8}, {"NAME_RABBIT_GC", 6}, {"torch", NC}},
             {{EVENT_SPIDER_WEB, 14}},
             ON,
             1,
             2},
        },
    };
    return content;
}
