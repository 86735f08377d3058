#pragma once
// The game's pictures, sounds and fonts by resource id. Every id of the resource manifest
// has one process-wide variable of the same name: a Zest::Image* for an IMAGE_ id, a
// Zest::Font* for a FONT_ id and the sound manager's int32 sound id for a SOUND_ id. The
// variables are null (0 for sounds) until their group has been loaded by the resource
// manager and then extracted by the group's Extract...Resources function. The manager owns
// what they point to: once it deletes a group, that group's variables still hold the old
// pointers and must not be used until the group is loaded and extracted again.
//
// Each id also has a number, its position in the list below, for code that computes which
// picture to take (the digit d is IMAGE_GAME_NUM_0_ID + d); GetResourceById reads the
// variable of a number.
//
// This header needs nothing but forward declarations, so a tool can expand the list on its
// own without linking the game.

#include <cstdint>
#include <string_view>

namespace Zest {
class Font;
class Image;
class ResourceManager;
} // namespace Zest

// Every resource id in number order, X(kind, id, group): the groups Init, TitleScreen,
// Main_Menu, the four habitats and Game, and inside Game the pictures before the sounds.
#define GREENATLAS_RESOURCES(X) \
    X(FONT, FONT_LEGALS, Init)                                    \
    X(FONT, FONT_STORY_TEXT, Init)                                \
    X(FONT, FONT_IN_GAME_LABELS, Init)                            \
    X(FONT, FONT_BIG_NUMBERS, Init)                               \
    X(FONT, FONT_SCORE_NUMBERS, Init)                             \
    X(IMAGE, IMAGE_CUSTOM_POINTER, Init)                          \
    X(IMAGE, IMAGE_CUSTOM_POINTER_EMPTY, Init)                    \
    X(IMAGE, IMAGE_CUSTOM_HAND, Init)                             \
    X(IMAGE, IMAGE_CUSTOM_DRAGGING, Init)                         \
    X(IMAGE, IMAGE_CUSTOM_TEXT, Init)                             \
    X(IMAGE, IMAGE_TITLE_BACKGROUND, TitleScreen)                 \
    X(IMAGE, IMAGE_LOADING_PROGRESS_BAR, TitleScreen)             \
    X(IMAGE, IMAGE_LOADING_LABEL, TitleScreen)                    \
    X(IMAGE, IMAGE_TITLE_COMPANY_LOGO, TitleScreen)               \
    X(IMAGE, IMAGE_TITLE_PUBLISHER_LOGO, TitleScreen)             \
    X(SOUND, SOUND_LOGO, TitleScreen)                             \
    X(IMAGE, IMAGE_MENU_BACKGROUND, Main_Menu)                    \
    X(IMAGE, IMAGE_MENU_NEW_PLAYER, Main_Menu)                    \
    X(IMAGE, IMAGE_MENU_NEW_PLAYER_OVER, Main_Menu)               \
    X(IMAGE, IMAGE_HABITAT_AMAZON_BACK, Habitat_Amazon)           \
    X(IMAGE, IMAGE_HABITAT_AMAZON_TOP, Habitat_Amazon)            \
    X(IMAGE, IMAGE_MINI_GAME_AMAZON, Habitat_Amazon)              \
    X(IMAGE, IMAGE_HABITAT_GRANDCANYON_BACK, Habitat_GrandCanyon) \
    X(IMAGE, IMAGE_HABITAT_GRANDCANYON_TOP, Habitat_GrandCanyon)  \
    X(IMAGE, IMAGE_MINI_GAME_GRANDCANYON, Habitat_GrandCanyon)    \
    X(IMAGE, IMAGE_HABITAT_ALASKA_BACK, Habitat_Alaska)           \
    X(IMAGE, IMAGE_HABITAT_ALASKA_TOP, Habitat_Alaska)            \
    X(IMAGE, IMAGE_MINI_GAME_ALASKA, Habitat_Alaska)              \
    X(IMAGE, IMAGE_HABITAT_ARCTIC_BACK, Habitat_Arctic)           \
    X(IMAGE, IMAGE_HABITAT_ARCTIC_TOP, Habitat_Arctic)            \
    X(IMAGE, IMAGE_MINI_GAME_ARCTIC, Habitat_Arctic)              \
    X(IMAGE, IMAGE_TILE_ANACONDA, Game)                           \
    X(IMAGE, IMAGE_TILE_CAPYBARA, Game)                           \
    X(IMAGE, IMAGE_TILE_FRUITS, Game)                             \
    X(IMAGE, IMAGE_TILE_GRASS, Game)                              \
    X(IMAGE, IMAGE_TILE_LEAVES, Game)                             \
    X(IMAGE, IMAGE_TILE_MACAW, Game)                              \
    X(IMAGE, IMAGE_TILE_SPIDERMONKEY, Game)                       \
    X(IMAGE, IMAGE_TILE_TAPIR, Game)                              \
    X(IMAGE, IMAGE_TILE_JAGUAR, Game)                             \
    X(IMAGE, IMAGE_TILE_ANACONDA_LABEL, Game)                     \
    X(IMAGE, IMAGE_TILE_CAPYBARA_LABEL, Game)                     \
    X(IMAGE, IMAGE_TILE_FRUITS_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_GRASS_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_LEAVES_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_MACAW_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_SPIDERMONKEY_LABEL, Game)                 \
    X(IMAGE, IMAGE_TILE_TAPIR_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_JAGUAR_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_EAGLE, Game)                              \
    X(IMAGE, IMAGE_TILE_SNAKE, Game)                              \
    X(IMAGE, IMAGE_TILE_COUGAR, Game)                             \
    X(IMAGE, IMAGE_TILE_COYOTE, Game)                             \
    X(IMAGE, IMAGE_TILE_DEER, Game)                               \
    X(IMAGE, IMAGE_TILE_RABBIT, Game)                             \
    X(IMAGE, IMAGE_TILE_RACCOON, Game)                            \
    X(IMAGE, IMAGE_TILE_INSECTS, Game)                            \
    X(IMAGE, IMAGE_TILE_EAGLE_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_SNAKE_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_COUGAR_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_COYOTE_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_DEER_LABEL, Game)                         \
    X(IMAGE, IMAGE_TILE_RABBIT_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_RACCOON_LABEL, Game)                      \
    X(IMAGE, IMAGE_TILE_INSECTS_LABEL, Game)                      \
    X(IMAGE, IMAGE_TILE_ARCTICHARE, Game)                         \
    X(IMAGE, IMAGE_TILE_BLACKBEAR, Game)                          \
    X(IMAGE, IMAGE_TILE_GROUNDSQUIRREL, Game)                     \
    X(IMAGE, IMAGE_TILE_MOOSE, Game)                              \
    X(IMAGE, IMAGE_TILE_REDFOX, Game)                             \
    X(IMAGE, IMAGE_TILE_SNOWYOWL, Game)                           \
    X(IMAGE, IMAGE_TILE_ARCTICHARE_LABEL, Game)                   \
    X(IMAGE, IMAGE_TILE_BLACKBEAR_LABEL, Game)                    \
    X(IMAGE, IMAGE_TILE_GROUNDSQUIRREL_LABEL, Game)               \
    X(IMAGE, IMAGE_TILE_MOOSE_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_REDFOX_LABEL, Game)                       \
    X(IMAGE, IMAGE_TILE_SNOWYOWL_LABEL, Game)                     \
    X(IMAGE, IMAGE_TILE_HARPSEAL, Game)                           \
    X(IMAGE, IMAGE_TILE_POLARBEAR, Game)                          \
    X(IMAGE, IMAGE_TILE_POLARCOD, Game)                           \
    X(IMAGE, IMAGE_TILE_ORCA, Game)                               \
    X(IMAGE, IMAGE_TILE_WHALE, Game)                              \
    X(IMAGE, IMAGE_TILE_LEMMING, Game)                            \
    X(IMAGE, IMAGE_TILE_HARPSEAL_LABEL, Game)                     \
    X(IMAGE, IMAGE_TILE_POLARBEAR_LABEL, Game)                    \
    X(IMAGE, IMAGE_TILE_POLARCOD_LABEL, Game)                     \
    X(IMAGE, IMAGE_TILE_ORCA_LABEL, Game)                         \
    X(IMAGE, IMAGE_TILE_WHALE_LABEL, Game)                        \
    X(IMAGE, IMAGE_TILE_LEMMING_LABEL, Game)                      \
    X(IMAGE, IMAGE_GAME_REVIEW_BANNER, Game)                      \
    X(IMAGE, IMAGE_GAME_BACKGROUND_CREDITS, Game)                 \
    X(IMAGE, IMAGE_GAME_GAMEMAP, Game)                            \
    X(IMAGE, IMAGE_GAME_FOODWEB_BACKGROUND, Game)                 \
    X(IMAGE, IMAGE_GAME_MG_LIGHT, Game)                           \
    X(IMAGE, IMAGE_GAME_AMAZON_LABEL, Game)                       \
    X(IMAGE, IMAGE_GAME_GRANDCANYON_LABEL, Game)                  \
    X(IMAGE, IMAGE_GAME_ALASKA_LABEL, Game)                       \
    X(IMAGE, IMAGE_GAME_ARCTIC_LABEL, Game)                       \
    X(IMAGE, IMAGE_GAME_EUROPE_LABEL, Game)                       \
    X(IMAGE, IMAGE_GAME_DESERT_LABEL, Game)                       \
    X(IMAGE, IMAGE_GAME_AFRICA_LABEL, Game)                       \
    X(IMAGE, IMAGE_GAME_ASIA_LABEL, Game)                         \
    X(IMAGE, IMAGE_GAME_AUSTRALIA_LABEL, Game)                    \
    X(IMAGE, IMAGE_GAME_PACIFIC_LABEL, Game)                      \
    X(IMAGE, IMAGE_GAME_FLAG, Game)                               \
    X(IMAGE, IMAGE_GAME_SCORE_CARD, Game)                         \
    X(IMAGE, IMAGE_GAME_SCORE_LABEL, Game)                        \
    X(IMAGE, IMAGE_GAME_LINE_ELEMENT, Game)                       \
    X(IMAGE, IMAGE_GAME_LINE_DASH, Game)                          \
    X(IMAGE, IMAGE_GAME_AEROPLANE, Game)                          \
    X(IMAGE, IMAGE_GAME_BACKPACK, Game)                           \
    X(IMAGE, IMAGE_GAME_BACKPACK_ROLLOVER, Game)                  \
    X(IMAGE, IMAGE_GAME_ITEMROCKS, Game)                          \
    X(IMAGE, IMAGE_GAME_TORCH, Game)                              \
    X(IMAGE, IMAGE_GAME_TORCH_CURSOR, Game)                       \
    X(IMAGE, IMAGE_GAME_TORCH_ITEM, Game)                         \
    X(IMAGE, IMAGE_GAME_BUCKET, Game)                             \
    X(IMAGE, IMAGE_GAME_BUCKET_ITEM, Game)                        \
    X(IMAGE, IMAGE_GAME_HINT_GOLD, Game)                          \
    X(IMAGE, IMAGE_GAME_HUNTER, Game)                             \
    X(IMAGE, IMAGE_GAME_CAGE, Game)                               \
    X(IMAGE, IMAGE_GAME_ANIMAL_RESCUED, Game)                     \
    X(IMAGE, IMAGE_GAME_ANIMAL_DEAD, Game)                        \
    X(IMAGE, IMAGE_GAME_SHUFFLECOIN, Game)                        \
    X(IMAGE, IMAGE_GAME_SHUFFLECOIN_ITEM, Game)                   \
    X(IMAGE, IMAGE_GAME_INVENTORY, Game)                          \
    X(IMAGE, IMAGE_GAME_WEB_OVER_BUTTONS, Game)                   \
    X(IMAGE, IMAGE_GAME_GOLDCOIN, Game)                           \
    X(IMAGE, IMAGE_GAME_AMMO_GOLD, Game)                          \
    X(IMAGE, IMAGE_GAME_GRASSHOPPER, Game)                        \
    X(IMAGE, IMAGE_GAME_POSION_CLOUD, Game)                       \
    X(IMAGE, IMAGE_GAME_WATER_EFFECT, Game)                       \
    X(IMAGE, IMAGE_GAME_FIREBALL_EFFECT, Game)                    \
    X(IMAGE, IMAGE_GAME_SPIDER_WEB_FIRE, Game)                    \
    X(IMAGE, IMAGE_GAME_HINT_EFFECT, Game)                        \
    X(IMAGE, IMAGE_GAME_SHUFFLE_EFFECT, Game)                     \
    X(IMAGE, IMAGE_GAME_GOLDENSPIDER, Game)                       \
    X(IMAGE, IMAGE_GAME_SPIDERWEB, Game)                          \
    X(IMAGE, IMAGE_GAME_GOLDENMONKEY, Game)                       \
    X(IMAGE, IMAGE_GAME_BANANAS, Game)                            \
    X(IMAGE, IMAGE_GAME_ELEMENTS_HOLDER, Game)                    \
    X(IMAGE, IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, Game)           \
    X(IMAGE, IMAGE_GAME_PROGRESS_BAR_BASE, Game)                  \
    X(IMAGE, IMAGE_GAME_PROGRESS_BAR_FULL, Game)                  \
    X(IMAGE, IMAGE_GAME_GOAL_PROGRESS_BAR_BASE, Game)             \
    X(IMAGE, IMAGE_GAME_GOAL_PROGRESS_BAR_FULL, Game)             \
    X(IMAGE, IMAGE_GAME_PLATE_COPPPER, Game)                      \
    X(IMAGE, IMAGE_GAME_PLATE_SILVER, Game)                       \
    X(IMAGE, IMAGE_GAME_PLATE_GOLDEN, Game)                       \
    X(IMAGE, IMAGE_GAME_PLATE_COPPER_BONUS, Game)                 \
    X(IMAGE, IMAGE_GAME_PLATE_SILVER_BONUS, Game)                 \
    X(IMAGE, IMAGE_GAME_PLATE_GOLDEN_BONUS, Game)                 \
    X(IMAGE, IMAGE_GAME_MASK_ARCTIC, Game)                        \
    X(IMAGE, IMAGE_GAME_STORY_BACK, Game)                         \
    X(IMAGE, IMAGE_GAME_STORY_JANEPORTRET, Game)                  \
    X(IMAGE, IMAGE_GAME_DIARY, Game)                              \
    X(IMAGE, IMAGE_GAME_TESTTUBES, Game)                          \
    X(IMAGE, IMAGE_GAME_BACKPACK_SMALL, Game)                     \
    X(IMAGE, IMAGE_GAME_SUBMENU, Game)                            \
    X(IMAGE, IMAGE_GAME_TUTORIAL, Game)                           \
    X(IMAGE, IMAGE_GAME_BUTTON_LARGE, Game)                       \
    X(IMAGE, IMAGE_GAME_BUTTON_LARGE_OVER, Game)                  \
    X(IMAGE, IMAGE_GAME_MOUSE_LBTN, Game)                         \
    X(IMAGE, IMAGE_GAME_WAVEARROW, Game)                          \
    X(IMAGE, IMAGE_GAME_SLIDER_RAIL, Game)                        \
    X(IMAGE, IMAGE_GAME_SLIDER_THUMB, Game)                       \
    X(IMAGE, IMAGE_GAME_CHECKBOX_CHECKED, Game)                   \
    X(IMAGE, IMAGE_GAME_CHECKBOX_UNCHECKED, Game)                 \
    X(IMAGE, IMAGE_GAME_SM_FOODCHAIN, Game)                       \
    X(IMAGE, IMAGE_GAME_SM_MATCHSAME, Game)                       \
    X(IMAGE, IMAGE_GAME_SM_MATCHPAIRS, Game)                      \
    X(IMAGE, IMAGE_GAME_SM_MATCHSEARCH, Game)                     \
    X(IMAGE, IMAGE_GAME_GENDER_MALE, Game)                        \
    X(IMAGE, IMAGE_GAME_GENDER_FEMALE, Game)                      \
    X(IMAGE, IMAGE_GAME_COMBO_BIG, Game)                          \
    X(IMAGE, IMAGE_GAME_COMBO_EXTRA, Game)                        \
    X(IMAGE, IMAGE_GAME_MASTERCOMBO, Game)                        \
    X(IMAGE, IMAGE_GAME_COLLECTORCOMBO, Game)                     \
    X(IMAGE, IMAGE_GAME_RIGHTON, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_BASIC, Game)                          \
    X(IMAGE, IMAGE_GAME_PNT_DIAMOND, Game)                        \
    X(IMAGE, IMAGE_GAME_PNT_GOLD, Game)                           \
    X(IMAGE, IMAGE_GAME_PNT_COMBOMASTER, Game)                    \
    X(IMAGE, IMAGE_GAME_PNT_15, Game)                             \
    X(IMAGE, IMAGE_GAME_PNT_20, Game)                             \
    X(IMAGE, IMAGE_GAME_PNT_25, Game)                             \
    X(IMAGE, IMAGE_GAME_PNT_150, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_200, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_250, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_300, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_350, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_400, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_450, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_500, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_550, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_750, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_900, Game)                            \
    X(IMAGE, IMAGE_GAME_PNT_2000, Game)                           \
    X(IMAGE, IMAGE_GAME_PNT_4000, Game)                           \
    X(IMAGE, IMAGE_GAME_NUM_0, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_1, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_2, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_3, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_4, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_5, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_6, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_7, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_8, Game)                              \
    X(IMAGE, IMAGE_GAME_NUM_9, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_0, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_1, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_2, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_3, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_4, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_5, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_6, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_7, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_8, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_9, Game)                              \
    X(IMAGE, IMAGE_GAME_BIG_PLUS, Game)                           \
    X(IMAGE, IMAGE_GAME_BIG_MINUS, Game)                          \
    X(IMAGE, IMAGE_GAME_LETTER_G, Game)                           \
    X(IMAGE, IMAGE_GAME_LETTER_A, Game)                           \
    X(IMAGE, IMAGE_GAME_LETTER_M, Game)                           \
    X(IMAGE, IMAGE_GAME_LETTER_E1, Game)                          \
    X(IMAGE, IMAGE_GAME_LETTER_O, Game)                           \
    X(IMAGE, IMAGE_GAME_LETTER_V, Game)                           \
    X(IMAGE, IMAGE_GAME_LETTER_E2, Game)                          \
    X(IMAGE, IMAGE_GAME_LETTER_R, Game)                           \
    X(IMAGE, IMAGE_GAME_CHEER_SHOOT, Game)                        \
    X(IMAGE, IMAGE_GAME_CHEER_AWESOME, Game)                      \
    X(IMAGE, IMAGE_GAME_CHEER_FABULOUS, Game)                     \
    X(IMAGE, IMAGE_GAME_CHEER_FANTASTIC, Game)                    \
    X(IMAGE, IMAGE_GAME_CHEER_MAGNIFICENT, Game)                  \
    X(IMAGE, IMAGE_GAME_CHEER_GOALCOMPLETE, Game)                 \
    X(IMAGE, IMAGE_GAME_CHEER_LABEL_NEW, Game)                    \
    X(IMAGE, IMAGE_GAME_CHEER_LABEL_AWARD, Game)                  \
    X(IMAGE, IMAGE_GAME_CHEER_BONUS, Game)                        \
    X(IMAGE, IMAGE_GAME_CHEER_BONUS_ROW, Game)                    \
    X(IMAGE, IMAGE_GAME_CHEER_BONUS_COL, Game)                    \
    X(IMAGE, IMAGE_GAME_CHEER_BONUS_SLOPE, Game)                  \
    X(IMAGE, IMAGE_GAME_LABEL_STAGE, Game)                        \
    X(IMAGE, IMAGE_GAME_STAGE_AM, Game)                           \
    X(IMAGE, IMAGE_GAME_STAGE_GC, Game)                           \
    X(IMAGE, IMAGE_GAME_STAGE_AL, Game)                           \
    X(IMAGE, IMAGE_GAME_STAGE_AR, Game)                           \
    X(IMAGE, IMAGE_GAME_GOAL_CHECK, Game)                         \
    X(IMAGE, IMAGE_GAME_HELP_FILES, Game)                         \
    X(IMAGE, IMAGE_GAME_JANE_SIGNITURE, Game)                     \
    X(IMAGE, IMAGE_GAME_JANE_PHONE, Game)                         \
    X(IMAGE, IMAGE_GAME_AUGUST_PHONE, Game)                       \
    X(IMAGE, IMAGE_GAME_TEXT_CLOUD, Game)                         \
    X(IMAGE, IMAGE_GAME_WAPPO_MEMO, Game)                         \
    X(IMAGE, IMAGE_GAME_SCAN_LINES, Game)                         \
    X(IMAGE, IMAGE_GAME_FRAME_SQUARE, Game)                       \
    X(IMAGE, IMAGE_GAME_FRAMEX1, Game)                            \
    X(IMAGE, IMAGE_GAME_FRAMEX2, Game)                            \
    X(IMAGE, IMAGE_GAME_FRAMEX2L, Game)                           \
    X(IMAGE, IMAGE_GAME_FRAMEX3, Game)                            \
    X(IMAGE, IMAGE_GAME_TUBES_TUTORIAL, Game)                     \
    X(IMAGE, IMAGE_AWARD_BACKGROUND, Game)                        \
    X(IMAGE, IMAGE_AWARD_PAPER, Game)                             \
    X(IMAGE, IMAGE_AWARD_AMAZON, Game)                            \
    X(IMAGE, IMAGE_AWARD_CANYON, Game)                            \
    X(IMAGE, IMAGE_AWARD_ALASKA, Game)                            \
    X(IMAGE, IMAGE_AWARD_ARCTIC, Game)                            \
    X(IMAGE, IMAGE_AWARD_EUROPE, Game)                            \
    X(IMAGE, IMAGE_AWARD_DESERT, Game)                            \
    X(IMAGE, IMAGE_AWARD_AFRICA, Game)                            \
    X(IMAGE, IMAGE_AWARD_ASIA, Game)                              \
    X(IMAGE, IMAGE_AWARD_AUSTRALIA, Game)                         \
    X(IMAGE, IMAGE_AWARD_PACIFIC, Game)                           \
    X(IMAGE, IMAGE_AWARD_COMBO_FREAK, Game)                       \
    X(IMAGE, IMAGE_AWARD_COMBO_KINGPIN, Game)                     \
    X(IMAGE, IMAGE_AWARD_COLL_ROOKIE, Game)                       \
    X(IMAGE, IMAGE_AWARD_COLL_PRO, Game)                          \
    X(IMAGE, IMAGE_AWARD_COLL_EXPERT, Game)                       \
    X(IMAGE, IMAGE_AWARD_GREATWALL, Game)                         \
    X(IMAGE, IMAGE_AWARD_SKYSCRAPER, Game)                        \
    X(IMAGE, IMAGE_AWARD_BANANASPLITTER, Game)                    \
    X(IMAGE, IMAGE_AWARD_ARACHNOBUSTER, Game)                     \
    X(IMAGE, IMAGE_AWARD_MINIGAME, Game)                          \
    X(IMAGE, IMAGE_MINI_GAME_SPIDER, Game)                        \
    X(IMAGE, IMAGE_MINI_GAME_POTATO, Game)                        \
    X(IMAGE, IMAGE_MINI_GAME_CANNON, Game)                        \
    X(IMAGE, IMAGE_MINI_GAME_CANNON_BARREL, Game)                 \
    X(IMAGE, IMAGE_MINI_GAME_WHEEL_BACK, Game)                    \
    X(IMAGE, IMAGE_MINI_GAME_WHEEL_FRONT, Game)                   \
    X(IMAGE, IMAGE_MINI_GAME_BEAR_OPEN, Game)                     \
    X(IMAGE, IMAGE_MINI_GAME_BEAR_CLOSED, Game)                   \
    X(IMAGE, IMAGE_MINI_GAME_FISH, Game)                          \
    X(IMAGE, IMAGE_MINI_GAME_FISH_GRAY, Game)                     \
    X(IMAGE, IMAGE_MINI_GAME_ARROW, Game)                         \
    X(IMAGE, IMAGE_MINI_GAME_BEAR_WHITE_OPEN, Game)               \
    X(IMAGE, IMAGE_MINI_GAME_BEAR_WHITE_CLOSED, Game)             \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_001, Game)                     \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_002, Game)                     \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_TWIRL, Game)                   \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP, Game)         \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_003, Game)                     \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_RAINBOW, Game)                 \
    X(IMAGE, IMAGE_GAME_EFFECTANIM_VIRUS, Game)                   \
    X(IMAGE, IMAGE_GAME_EFFECTSTREAK, Game)                       \
    X(SOUND, SOUND_BUTTON_ACTION, Game)                           \
    X(SOUND, SOUND_BUTTON_ROLLOVER, Game)                         \
    X(SOUND, SOUND_CHECKBOX_CHECK, Game)                          \
    X(SOUND, SOUND_WIND_TWIRL, Game)                              \
    X(SOUND, SOUND_COMBO_X3, Game)                                \
    X(SOUND, SOUND_COMBO_X4, Game)                                \
    X(SOUND, SOUND_COMBO_X5, Game)                                \
    X(SOUND, SOUND_COMBO_COLLECTOR, Game)                         \
    X(SOUND, SOUND_COMBO_MASTER, Game)                            \
    X(SOUND, SOUND_ANIMAL_APPEAR, Game)                           \
    X(SOUND, SOUND_FISH_EATEN, Game)                              \
    X(SOUND, SOUND_SPIDER_HIT, Game)                              \
    X(SOUND, SOUND_CANNON_FIRE, Game)                             \
    X(SOUND, SOUND_LOCK_BANANA, Game)                             \
    X(SOUND, SOUND_LOCK_SPIDER, Game)                             \
    X(SOUND, SOUND_UNLOCK_BANANA, Game)                           \
    X(SOUND, SOUND_UNLOCK_SPIDER, Game)                           \
    X(SOUND, SOUND_SHUFFLE, Game)                                 \
    X(SOUND, SOUND_SWING, Game)                                   \
    X(SOUND, SOUND_NUMBER_COUNTING, Game)                         \
    X(SOUND, SOUND_STAMP_DRY, Game)                               \
    X(SOUND, SOUND_AWARD_CONGRATS, Game)                          \
    X(SOUND, SOUND_SURPRISE_1, Game)                              \
    X(SOUND, SOUND_SURPRISE_2, Game)                              \
    X(SOUND, SOUND_SURPRISE_3, Game)                              \
    X(SOUND, SOUND_COLLECTED_TILE, Game)                          \
    X(SOUND, SOUND_DECOLLECTED_TILE, Game)                        \
    X(SOUND, SOUND_CAGE_LOCK_REAL, Game)                          \
    X(SOUND, SOUND_CAGE_RELEASE_REAL, Game)                       \
    X(SOUND, SOUND_CAGE_LOCK, Game)                               \
    X(SOUND, SOUND_CAGE_RELEASE, Game)                            \
    X(SOUND, SOUND_AWARD_SURVIVOR, Game)                          \
    X(SOUND, SOUND_SURPRISE_COLLECT, Game)                        \
    X(SOUND, SOUND_FIREBALL_QUICKWHOOSH, Game)                    \
    X(SOUND, SOUND_FIREBALL_BURST, Game)                          \
    X(SOUND, SOUND_SPOOKY, Game)                                  \
    X(SOUND, SOUND_TUTORIAL_APPEAR, Game)                         \
    X(SOUND, SOUND_STORY_APPEAR, Game)                           

// The type of a resource variable by the kind in the list.
namespace ResourceVariableType {
using FONT = Zest::Font*;
using IMAGE = Zest::Image*;
using SOUND = int32_t;
} // namespace ResourceVariableType

#define GREENATLAS_DECLARE_RESOURCE_VARIABLE(kind, id, group) extern ResourceVariableType::kind id;
GREENATLAS_RESOURCES(GREENATLAS_DECLARE_RESOURCE_VARIABLE)
#undef GREENATLAS_DECLARE_RESOURCE_VARIABLE

// The number of each id: FONT_LEGALS_ID is 0, ... IMAGE_GAME_NUM_7_ID is 206.
#define GREENATLAS_RESOURCE_NUMBER(kind, id, group) id##_ID,
enum ResourceId : int32_t { GREENATLAS_RESOURCES(GREENATLAS_RESOURCE_NUMBER) RESOURCE_ID_COUNT };
#undef GREENATLAS_RESOURCE_NUMBER

// The runs that code indexes by computed numbers; their positions are fixed.
static_assert(RESOURCE_ID_COUNT == 341);
static_assert(IMAGE_TILE_ANACONDA_ID == 31 && SOUND_BUTTON_ACTION_ID == 303, "the Game group's two runs");
static_assert(IMAGE_GAME_GOLDCOIN_ID == 126 + 1, "tile overlays: 126 + overlay number");
static_assert(IMAGE_GAME_PNT_300_ID == 189 && IMAGE_GAME_PNT_550_ID == 194, "fixed score popups");
static_assert(IMAGE_GAME_NUM_0_ID == 199 && IMAGE_GAME_NUM_9_ID == 208, "digits: 199 + digit");
static_assert(IMAGE_GAME_BIG_0_ID == 209 && IMAGE_GAME_BIG_MINUS_ID == 220, "large digits, plus and minus");
static_assert(IMAGE_GAME_LETTER_G_ID == 221 && IMAGE_GAME_LETTER_R_ID == 228, "GAME OVER letters");
static_assert(IMAGE_GAME_STAGE_AM_ID == 242 && IMAGE_GAME_STAGE_AR_ID == 245, "stage labels: 242 + habitat");
static_assert(IMAGE_AWARD_AMAZON_ID == 262 && IMAGE_AWARD_MINIGAME_ID == 281, "award icons: 262 + award");

enum class ResourceKind : int32_t { Image, Sound, Font };

// One entry of the table of resource variables: the id as the manifest names it, its
// group, its kind and the address of its variable.
struct ResourceEntry {
    const char* mId;
    const char* mGroup;
    ResourceKind mKind;
    void* mVariable;
};

// Entry n is the id of number n; entry RESOURCE_ID_COUNT is a closing entry with every field
// null.
extern const ResourceEntry gResourceTable[RESOURCE_ID_COUNT + 1];

// Each copies every resource of its group from the manager into the group's variables, in
// alphabetical order of the ids, and returns true. When the manager lacks an id (not in the
// manifest, or its group not loaded), the manager records "Image resource not found: <id>"
// (or Sound, Font) unless it holds an earlier error, and the function returns false at once:
// the ids before it hold their new values, it and the ids after it keep their old ones.
bool ExtractGroupResources(Zest::ResourceManager& manager, std::string_view group);
bool ExtractInitResources(Zest::ResourceManager& manager);
bool ExtractTitleScreenResources(Zest::ResourceManager& manager);
bool ExtractMainMenuResources(Zest::ResourceManager& manager);
bool ExtractHabitatAmazonResources(Zest::ResourceManager& manager);
bool ExtractHabitatGrandCanyonResources(Zest::ResourceManager& manager);
bool ExtractHabitatAlaskaResources(Zest::ResourceManager& manager);
bool ExtractHabitatArcticResources(Zest::ResourceManager& manager);
bool ExtractGameResources(Zest::ResourceManager& manager);

// The current value of the variable of number id: the Zest::Image* or Zest::Font* itself,
// or a sound id widened to a pointer. Null for a number outside 0 to RESOURCE_ID_COUNT - 1.
void* GetResourceById(int32_t id);
