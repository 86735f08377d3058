#include "game/HabitatBuilder.h"
#include "game/HabitatRegistry.h"
#include "game/MiniGameEntry.h"

#include "tests/game/FakeResources.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The four habitats built with each string key as its own text, so that a creature's name
// and description are its keys, and every picture is named by its id.
class HabitatContentTest : public ::testing::Test {
protected:
    HabitatContentTest() { BuildAllHabitats(mRegistry, [](const std::string& key) { return key; }, mResources); }

    const Habitat& Get(const std::string& name) const
    {
        const Habitat* const habitat = mRegistry.GetHabitat(name);
        EXPECT_NE(habitat, nullptr) << name;
        return *habitat;
    }

    std::vector<std::string> Predators(const std::string& habitat, const std::string& creature) const
    {
        std::vector<std::string> names;
        for (const Creature* const predator : mRegistry.FindCreature(habitat, creature)->mPredators)
            names.push_back(predator->mName);
        return names;
    }

    Tests::FakeResources mResources;
    HabitatRegistry mRegistry{mResources};
};

const char* EventName(const int32_t kind)
{
    return kind == EVENT_SPIDER_WEB ? "EVENT_SPIDER_WEB" : kind == EVENT_BANANAS ? "EVENT_BANANAS" : "?";
}

std::string OrDash(const std::string& text)
{
    return text.empty() ? "-" : text;
}

// Every field the builders set, a line per habitat, creature, link and stage.
std::string Describe(const Habitat& habitat)
{
    std::ostringstream out;
    out << "habitat " << habitat.mName << " number=" << habitat.mNumber << " index=" << habitat.mIndex
        << " music=" << habitat.mMusicFile << " group=" << habitat.mResourceGroup
        << " label=" << Tests::IdOf(habitat.mLabelImage) << "\n";
    for (const auto& creature : habitat.mCreatures) {
        out << "creature " << creature->mIndex << " " << creature->mName << " " << OrDash(creature->mDescription)
            << " level=" << creature->mLevel << " tile=" << Tests::IdOf(creature->mTileImage)
            << " label=" << Tests::IdOf(creature->mLabelImage) << " spawn=" << creature->mSpawnChance << "\n";
    }
    for (const FoodLink& link : habitat.mFoodLinks)
        out << "link " << link.mPredator->mName << " " << link.mPrey->mName << "\n";
    for (const Stage& stage : habitat.mStages) {
        out << "stage " << stage.mIndex << " mode=" << stage.mMode << " goals=";
        for (size_t i = 0; i < stage.mGoals.size(); ++i)
            out << (i > 0 ? "," : "") << stage.mGoals[i].mCreature->mName << ":" << stage.mGoals[i].mCount;
        out << " events=";
        for (size_t i = 0; i < stage.mEventKinds.size(); ++i)
            out << (i > 0 ? "," : "") << EventName(stage.mEventKinds[i]) << ":" << stage.mEventChances[i];
        out << " items=" << stage.mPowerItems << " shape=" << stage.mMaxFrameShape << " panic=" << stage.mPanicChance
            << "\n";
    }
    return out.str();
}

// The content tables written out a second time, line for line, so that a slip in either
// writing shows as a difference.
TEST_F(HabitatContentTest, EveryTableIsBuiltAsWritten)
{
    EXPECT_EQ(Describe(Get("Amazon")), R"(habitat Amazon number=1 index=0 music=music/amazon.ogg group=Habitat_Amazon label=IMAGE_GAME_AMAZON_LABEL
creature 0 NAME_ANACONDA DESC_ANACONDA level=4 tile=IMAGE_TILE_ANACONDA label=IMAGE_TILE_ANACONDA_LABEL spawn=0
creature 1 NAME_JAGUAR DESC_JAGUAR level=3 tile=IMAGE_TILE_JAGUAR label=IMAGE_TILE_JAGUAR_LABEL spawn=0
creature 2 NAME_CAPYBARA DESC_CAPYBARA level=2 tile=IMAGE_TILE_CAPYBARA label=IMAGE_TILE_CAPYBARA_LABEL spawn=0
creature 3 NAME_TAPIR DESC_TAPIR level=2 tile=IMAGE_TILE_TAPIR label=IMAGE_TILE_TAPIR_LABEL spawn=0
creature 4 NAME_SPIDERMONKEY DESC_SPIDERMONKEY level=2 tile=IMAGE_TILE_SPIDERMONKEY label=IMAGE_TILE_SPIDERMONKEY_LABEL spawn=0
creature 5 NAME_MACAW DESC_MACAW level=2 tile=IMAGE_TILE_MACAW label=IMAGE_TILE_MACAW_LABEL spawn=0
creature 6 NAME_LEAVES DESC_LEAVES level=1 tile=IMAGE_TILE_LEAVES label=IMAGE_TILE_LEAVES_LABEL spawn=0
creature 7 NAME_FRUITS DESC_FRUITS level=1 tile=IMAGE_TILE_FRUITS label=IMAGE_TILE_FRUITS_LABEL spawn=0
creature 8 NAME_GRASS DESC_GRASS level=1 tile=IMAGE_TILE_GRASS label=IMAGE_TILE_GRASS_LABEL spawn=0
creature 9 water - level=-1 tile=IMAGE_GAME_BUCKET_ITEM label=- spawn=82
creature 10 shuffle - level=-1 tile=IMAGE_GAME_SHUFFLECOIN_ITEM label=- spawn=75
creature 11 torch - level=-1 tile=IMAGE_GAME_TORCH_ITEM label=- spawn=90
creature 12 hunter - level=-2 tile=IMAGE_GAME_HUNTER label=- spawn=100
link NAME_ANACONDA NAME_CAPYBARA
link NAME_ANACONDA NAME_JAGUAR
link NAME_ANACONDA NAME_MACAW
link NAME_ANACONDA NAME_SPIDERMONKEY
link NAME_ANACONDA NAME_TAPIR
link NAME_JAGUAR NAME_TAPIR
link NAME_JAGUAR NAME_CAPYBARA
link NAME_JAGUAR NAME_SPIDERMONKEY
link NAME_JAGUAR NAME_MACAW
link NAME_TAPIR NAME_LEAVES
link NAME_TAPIR NAME_GRASS
link NAME_TAPIR NAME_FRUITS
link NAME_CAPYBARA NAME_GRASS
link NAME_CAPYBARA NAME_LEAVES
link NAME_CAPYBARA NAME_FRUITS
link NAME_SPIDERMONKEY NAME_FRUITS
link NAME_SPIDERMONKEY NAME_LEAVES
link NAME_MACAW NAME_FRUITS
stage 0 mode=1 goals=NAME_CAPYBARA:4,NAME_TAPIR:4,NAME_MACAW:4 events= items=-1 shape=1 panic=0
stage 1 mode=1 goals=NAME_TAPIR:4,NAME_JAGUAR:4,NAME_CAPYBARA:4 events= items=-1 shape=1 panic=0
stage 2 mode=0 goals=NAME_ANACONDA:2,NAME_MACAW:2,NAME_FRUITS:-1 events= items=-1 shape=1 panic=0
stage 3 mode=0 goals=NAME_JAGUAR:2,NAME_TAPIR:3,NAME_LEAVES:-1,shuffle:-1 events= items=400 shape=1 panic=0
stage 4 mode=0 goals=NAME_JAGUAR:4,NAME_CAPYBARA:4,NAME_GRASS:-1 events= items=-1 shape=1 panic=0
stage 5 mode=1 goals=NAME_MACAW:6,NAME_ANACONDA:4,NAME_TAPIR:8,water:-1 events=EVENT_BANANAS:10 items=400 shape=1 panic=0
stage 6 mode=1 goals=NAME_CAPYBARA:6,NAME_SPIDERMONKEY:6,NAME_JAGUAR:4,water:-1 events=EVENT_BANANAS:15 items=400 shape=1 panic=0
)");
    EXPECT_EQ(Describe(Get("Grand Canyon")), R"(habitat Grand Canyon number=2 index=1 music=music/grandcanyon.ogg group=Habitat_GrandCanyon label=IMAGE_GAME_GRANDCANYON_LABEL
creature 0 NAME_EAGLE DESC_BALDEAGLE level=5 tile=IMAGE_TILE_EAGLE label=IMAGE_TILE_EAGLE_LABEL spawn=0
creature 1 NAME_RATTLESNAKE DESC_RATTLESNAKE level=3 tile=IMAGE_TILE_SNAKE label=IMAGE_TILE_SNAKE_LABEL spawn=0
creature 2 NAME_COUGAR DESC_COUGAR level=5 tile=IMAGE_TILE_COUGAR label=IMAGE_TILE_COUGAR_LABEL spawn=0
creature 3 NAME_COYOTE DESC_COYOTE level=4 tile=IMAGE_TILE_COYOTE label=IMAGE_TILE_COYOTE_LABEL spawn=0
creature 4 NAME_INSECTS DESC_INSECTS level=1 tile=IMAGE_TILE_INSECTS label=IMAGE_TILE_INSECTS_LABEL spawn=0
creature 5 NAME_RABBIT_GC DESC_RABBIT level=2 tile=IMAGE_TILE_RABBIT label=IMAGE_TILE_RABBIT_LABEL spawn=0
creature 6 NAME_RACCOON DESC_RACCOON level=2 tile=IMAGE_TILE_RACCOON label=IMAGE_TILE_RACCOON_LABEL spawn=0
creature 7 NAME_ELK DESC_ELK level=2 tile=IMAGE_TILE_DEER label=IMAGE_TILE_DEER_LABEL spawn=0
creature 8 NAME_GRASS DESC_GRASS level=1 tile=IMAGE_TILE_GRASS label=IMAGE_TILE_GRASS_LABEL spawn=0
creature 9 torch - level=-1 tile=IMAGE_GAME_TORCH_ITEM label=- spawn=80
creature 10 water - level=-1 tile=IMAGE_GAME_BUCKET_ITEM label=- spawn=70
creature 11 shuffle - level=-1 tile=IMAGE_GAME_SHUFFLECOIN_ITEM label=- spawn=85
creature 12 hunter - level=-2 tile=IMAGE_GAME_HUNTER label=- spawn=40
link NAME_EAGLE NAME_RATTLESNAKE
link NAME_EAGLE NAME_RABBIT_GC
link NAME_COYOTE NAME_ELK
link NAME_COYOTE NAME_RABBIT_GC
link NAME_COYOTE NAME_RATTLESNAKE
link NAME_COYOTE NAME_RACCOON
link NAME_COYOTE NAME_INSECTS
link NAME_COYOTE NAME_GRASS
link NAME_COUGAR NAME_COYOTE
link NAME_COUGAR NAME_RABBIT_GC
link NAME_COUGAR NAME_ELK
link NAME_COUGAR NAME_RACCOON
link NAME_RACCOON NAME_INSECTS
link NAME_RABBIT_GC NAME_GRASS
link NAME_RATTLESNAKE NAME_RABBIT_GC
link NAME_ELK NAME_GRASS
stage 0 mode=0 goals=NAME_EAGLE:6,NAME_RABBIT_GC:6,NAME_GRASS:-1 events= items=400 shape=1 panic=0
stage 1 mode=1 goals=NAME_COYOTE:3,NAME_EAGLE:5,NAME_RATTLESNAKE:3,hunter:-1 events= items=400 shape=6 panic=0
stage 2 mode=1 goals=NAME_ELK:4,NAME_RACCOON:4,NAME_EAGLE:5,torch:-1 events=EVENT_SPIDER_WEB:12 items=400 shape=6 panic=0
stage 3 mode=0 goals=NAME_COUGAR:4,NAME_ELK:4,NAME_GRASS:-1 events= items=400 shape=6 panic=0
stage 4 mode=1 goals=NAME_RACCOON:10,NAME_EAGLE:8,NAME_RABBIT_GC:6,torch:-1 events=EVENT_SPIDER_WEB:14 items=400 shape=1 panic=2
)");
    EXPECT_EQ(Describe(Get("Alaska")), R"(habitat Alaska number=3 index=2 music=music/alaska.ogg group=Habitat_Alaska label=IMAGE_GAME_ALASKA_LABEL
creature 0 NAME_BLACKBEAR DESC_BLACKBEAR level=5 tile=IMAGE_TILE_BLACKBEAR label=IMAGE_TILE_BLACKBEAR_LABEL spawn=0
creature 1 NAME_REDFOX DESC_REDFOX level=4 tile=IMAGE_TILE_REDFOX label=IMAGE_TILE_REDFOX_LABEL spawn=0
creature 2 NAME_SNOWYOWL DESC_SNOWYOWL level=3 tile=IMAGE_TILE_SNOWYOWL label=IMAGE_TILE_SNOWYOWL_LABEL spawn=0
creature 3 NAME_GROUNDSQUIRREL DESC_GROUNDSQUIRREL level=2 tile=IMAGE_TILE_GROUNDSQUIRREL label=IMAGE_TILE_GROUNDSQUIRREL_LABEL spawn=0
creature 4 NAME_ARCTICHARE DESC_ARCTICHARE level=2 tile=IMAGE_TILE_ARCTICHARE label=IMAGE_TILE_ARCTICHARE_LABEL spawn=0
creature 5 NAME_MOOSE DESC_MOOSE level=2 tile=IMAGE_TILE_MOOSE label=IMAGE_TILE_MOOSE_LABEL spawn=0
creature 6 NAME_INSECTS DESC_INSECTS level=1 tile=IMAGE_TILE_INSECTS label=IMAGE_TILE_INSECTS_LABEL spawn=0
creature 7 NAME_GRASS DESC_GRASS level=1 tile=IMAGE_TILE_GRASS label=IMAGE_TILE_GRASS_LABEL spawn=0
creature 8 torch - level=-1 tile=IMAGE_GAME_TORCH_ITEM label=- spawn=76
creature 9 water - level=-1 tile=IMAGE_GAME_BUCKET_ITEM label=- spawn=73
creature 10 shuffle - level=-1 tile=IMAGE_GAME_SHUFFLECOIN_ITEM label=- spawn=40
creature 11 hunter - level=-2 tile=IMAGE_GAME_HUNTER label=- spawn=60
link NAME_BLACKBEAR NAME_MOOSE
link NAME_BLACKBEAR NAME_REDFOX
link NAME_BLACKBEAR NAME_GRASS
link NAME_BLACKBEAR NAME_INSECTS
link NAME_REDFOX NAME_GROUNDSQUIRREL
link NAME_REDFOX NAME_ARCTICHARE
link NAME_REDFOX NAME_SNOWYOWL
link NAME_GROUNDSQUIRREL NAME_INSECTS
link NAME_SNOWYOWL NAME_ARCTICHARE
link NAME_SNOWYOWL NAME_GROUNDSQUIRREL
link NAME_SNOWYOWL NAME_INSECTS
link NAME_ARCTICHARE NAME_INSECTS
link NAME_ARCTICHARE NAME_GRASS
link NAME_MOOSE NAME_GRASS
stage 0 mode=0 goals=NAME_ARCTICHARE:6,NAME_REDFOX:6,NAME_INSECTS:-1,water:-1 events=EVENT_BANANAS:9 items=400 shape=1 panic=80
stage 1 mode=1 goals=NAME_MOOSE:6,NAME_ARCTICHARE:4,NAME_GROUNDSQUIRREL:6,water:-1,shuffle:-1 events=EVENT_BANANAS:12 items=400 shape=6 panic=80
stage 2 mode=0 goals=NAME_BLACKBEAR:4,NAME_REDFOX:3,NAME_ARCTICHARE:-1,torch:-1 events=EVENT_SPIDER_WEB:7 items=400 shape=2 panic=80
stage 3 mode=1 goals=NAME_BLACKBEAR:8,NAME_REDFOX:7,NAME_SNOWYOWL:7,torch:-1,water:-1 events=EVENT_SPIDER_WEB:18,EVENT_BANANAS:17 items=400 shape=6 panic=80
stage 4 mode=0 goals=NAME_SNOWYOWL:4,NAME_GROUNDSQUIRREL:4,NAME_INSECTS:-1,water:-1 events=EVENT_BANANAS:14 items=400 shape=6 panic=70
stage 5 mode=2 goals=NAME_BLACKBEAR:3,NAME_MOOSE:3 events= items=-1 shape=1 panic=0
)");
    EXPECT_EQ(Describe(Get("Arctic")), R"(habitat Arctic number=4 index=3 music=music/arctic.ogg group=Habitat_Arctic label=IMAGE_GAME_ARCTIC_LABEL
creature 0 NAME_POLARBEAR DESC_POLARBEAR level=4 tile=IMAGE_TILE_POLARBEAR label=IMAGE_TILE_POLARBEAR_LABEL spawn=0
creature 1 NAME_HARPSEAL DESC_HARPSEAL level=3 tile=IMAGE_TILE_HARPSEAL label=IMAGE_TILE_HARPSEAL_LABEL spawn=0
creature 2 NAME_POLARCOD DESC_POLARCOD level=2 tile=IMAGE_TILE_POLARCOD label=IMAGE_TILE_POLARCOD_LABEL spawn=0
creature 3 NAME_LEMMING DESC_LEMMING level=1 tile=IMAGE_TILE_LEMMING label=IMAGE_TILE_LEMMING_LABEL spawn=0
creature 4 NAME_WHALE DESC_WHALE level=1 tile=IMAGE_TILE_WHALE label=IMAGE_TILE_WHALE_LABEL spawn=0
creature 5 NAME_ORCA DESC_ORCA level=4 tile=IMAGE_TILE_ORCA label=IMAGE_TILE_ORCA_LABEL spawn=0
creature 6 torch - level=-1 tile=IMAGE_GAME_TORCH_ITEM label=- spawn=82
creature 7 water - level=-1 tile=IMAGE_GAME_BUCKET_ITEM label=- spawn=87
creature 8 shuffle - level=-1 tile=IMAGE_GAME_SHUFFLECOIN_ITEM label=- spawn=82
creature 9 hunter - level=-2 tile=IMAGE_GAME_HUNTER label=- spawn=70
link NAME_POLARBEAR NAME_HARPSEAL
link NAME_ORCA NAME_WHALE
link NAME_ORCA NAME_HARPSEAL
link NAME_HARPSEAL NAME_POLARCOD
stage 0 mode=2 goals=NAME_ORCA:4,NAME_LEMMING:5,water:-1,shuffle:-1 events=EVENT_BANANAS:9 items=400 shape=1 panic=0
stage 1 mode=1 goals=NAME_WHALE:7,NAME_POLARBEAR:9,NAME_HARPSEAL:7,water:-1,torch:-1 events=EVENT_SPIDER_WEB:18,EVENT_BANANAS:18 items=400 shape=6 panic=0
stage 2 mode=3 goals=NAME_ORCA:2,NAME_WHALE:2,NAME_POLARBEAR:2 events= items=-1 shape=1 panic=0
stage 3 mode=0 goals=NAME_POLARBEAR:6,NAME_HARPSEAL:6,NAME_POLARCOD:6,water:-1 events=EVENT_BANANAS:10 items=400 shape=1 panic=0
stage 4 mode=1 goals=NAME_POLARCOD:10,NAME_HARPSEAL:10,NAME_LEMMING:12,water:-1 events=EVENT_BANANAS:17 items=400 shape=7 panic=0
stage 5 mode=3 goals=NAME_POLARCOD:3,NAME_LEMMING:3,NAME_HARPSEAL:2 events= items=-1 shape=1 panic=0
stage 6 mode=0 goals=NAME_ORCA:6,NAME_HARPSEAL:6,NAME_POLARCOD:6,water:-1 events=EVENT_BANANAS:16 items=400 shape=1 panic=0
stage 7 mode=2 goals=NAME_WHALE:5,NAME_POLARBEAR:6 events= items=-1 shape=1 panic=30
stage 8 mode=1 goals=NAME_ORCA:6,NAME_WHALE:9,NAME_LEMMING:9,torch:-1 events=EVENT_SPIDER_WEB:18 items=400 shape=6 panic=0
)");
}

struct HabitatTotals {
    const char* mName;
    size_t mCreatures;
    size_t mFoodLinks;
    size_t mStages;
    int32_t mTotalGoals;
};

TEST_F(HabitatContentTest, CountsAndGoalTotalsAreThoseOfTheContent)
{
    const HabitatTotals totals[] = {
        {"Amazon", 13, 18, 7, 75},
        {"Grand Canyon", 13, 16, 5, 68},
        {"Alaska", 12, 14, 6, 71},
        {"Arctic", 10, 4, 9, 149},
    };
    for (const HabitatTotals& expected : totals) {
        const Habitat& habitat = Get(expected.mName);
        EXPECT_EQ(habitat.mCreatures.size(), expected.mCreatures) << expected.mName;
        EXPECT_EQ(habitat.mFoodLinks.size(), expected.mFoodLinks) << expected.mName;
        EXPECT_EQ(habitat.mStages.size(), expected.mStages) << expected.mName;
        EXPECT_EQ(habitat.mTotalGoals, expected.mTotalGoals) << expected.mName;
        EXPECT_EQ(habitat.mCollectedGoals, 0) << expected.mName;
        for (const Stage& stage : habitat.mStages) {
            EXPECT_TRUE(stage.mPending) << expected.mName << " stage " << stage.mIndex;
            EXPECT_EQ(stage.mPlateKind, -1) << expected.mName << " stage " << stage.mIndex;
            EXPECT_EQ(stage.mGoalTargets.size(), stage.mGoals.size()) << expected.mName << " stage " << stage.mIndex;
        }
    }
}

TEST_F(HabitatContentTest, PredatorsFollowTheFoodWeb)
{
    EXPECT_EQ(Predators("Amazon", "NAME_CAPYBARA"), (std::vector<std::string>{"NAME_ANACONDA", "NAME_JAGUAR"}));
    EXPECT_EQ(mRegistry.FindCreature("Amazon", "NAME_CAPYBARA")->mEatenByText, "NAME_ANACONDA, NAME_JAGUAR");
    EXPECT_EQ(Predators("Amazon", "NAME_ANACONDA"), std::vector<std::string>{});
    EXPECT_EQ(Predators("Amazon", "NAME_FRUITS"),
              (std::vector<std::string>{"NAME_TAPIR", "NAME_CAPYBARA", "NAME_SPIDERMONKEY", "NAME_MACAW"}));
    EXPECT_EQ(Predators("Grand Canyon", "NAME_RABBIT_GC"),
              (std::vector<std::string>{"NAME_EAGLE", "NAME_COYOTE", "NAME_COUGAR", "NAME_RATTLESNAKE"}));
    EXPECT_EQ(Predators("Alaska", "NAME_INSECTS"),
              (std::vector<std::string>{"NAME_BLACKBEAR", "NAME_GROUNDSQUIRREL", "NAME_SNOWYOWL", "NAME_ARCTICHARE"}));
    EXPECT_EQ(Predators("Arctic", "NAME_HARPSEAL"), (std::vector<std::string>{"NAME_POLARBEAR", "NAME_ORCA"}));
    EXPECT_EQ(Predators("Arctic", "NAME_LEMMING"), std::vector<std::string>{});
    EXPECT_EQ(Predators("Arctic", "water"), std::vector<std::string>{});
}

TEST_F(HabitatContentTest, EachHabitatHasItsMiniGame)
{
    const std::vector<MiniGameEntry> table = BuildMiniGameTable();
    ASSERT_EQ(static_cast<int32_t>(table.size()), mRegistry.GetHabitatCount());
    const int32_t kinds[] = {MiniGameEntry::KIND_SPIDERS, MiniGameEntry::KIND_SPIDERS, MiniGameEntry::KIND_BEARS,
                             MiniGameEntry::KIND_BEARS};
    const int32_t waves[] = {3, 4, 3, 3};
    for (size_t index = 0; index < table.size(); ++index) {
        EXPECT_EQ(table[index].mKind, kinds[index]) << index;
        EXPECT_EQ(table[index].mWaves, waves[index]) << index;
        EXPECT_EQ(table[index].mPerWave, table[index].mKind == MiniGameEntry::KIND_SPIDERS ? 8 : 0) << index;
    }
}

} // namespace
