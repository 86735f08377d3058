#include "framework/app/common/MTRand.h"
#include "framework/app/common/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

namespace {

// The state words of the standard library's MT19937 after seeding, as its stream output
// lists them.
std::vector<uint32_t> ReferenceState(const uint32_t seed)
{
    std::stringstream text;
    text << std::mt19937(seed);
    std::vector<uint32_t> words(Zest::MTRand::kStateSize);
    for (uint32_t& word : words)
        text >> word;
    return words;
}

TEST(MTRand, SeedingGivesTheReferenceInitialisation)
{
    struct Case {
        uint32_t seed;
        uint32_t first;
        uint32_t second;
        uint32_t last;
    };
    const Case cases[] = {
        {5489, 5489, 1301868182u, 79981964u},
        {4357, 4357, 2621793274u, 3166074005u},
    };
    for (const Case& c : cases) {
        Zest::MTRand state;
        state.SeedRandom(c.seed);
        EXPECT_EQ(state.StateWord(0), c.first) << c.seed;
        EXPECT_EQ(state.StateWord(1), c.second) << c.seed;
        EXPECT_EQ(state.StateWord(Zest::MTRand::kStateSize - 1), c.last) << c.seed;
        EXPECT_EQ(state.NextIndex(), Zest::MTRand::kStateSize) << c.seed;

        const std::vector<uint32_t> reference = ReferenceState(c.seed);
        for (int i = 0; i < Zest::MTRand::kStateSize; ++i)
            ASSERT_EQ(state.StateWord(i), reference[i]) << "seed " << c.seed << " word " << i;
    }
}

TEST(MTRand, SeedZeroAndANewStateBothMeanTheDefaultSeed)
{
    const std::vector<uint32_t> reference = ReferenceState(4357);
    Zest::MTRand fresh;
    Zest::MTRand zero;
    zero.SeedRandom(12345);
    zero.SeedRandom(0);
    for (int i = 0; i < Zest::MTRand::kStateSize; ++i) {
        ASSERT_EQ(fresh.StateWord(i), reference[i]) << i;
        ASSERT_EQ(zero.StateWord(i), reference[i]) << i;
    }
}

TEST(MTRand, SeedRandomSeedsTheProcessState)
{
    Zest::SeedRandom(5489);
    EXPECT_EQ(Zest::GlobalMTRand().StateWord(1), 1301868182u);
    Zest::SeedRandom(0);
    EXPECT_EQ(Zest::GlobalMTRand().StateWord(0), 4357u);
}

TEST(RuntimeRandom, FollowsThePinnedSequence)
{
    struct Case {
        uint32_t seed;
        std::vector<int32_t> first;
    };
    const Case cases[] = {
        {1, {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}},
        {4357, {14266, 13054, 31433, 21463, 24528, 15663, 3362, 24901, 25689, 14937}},
        {0, {38, 7719, 21238}},
    };
    for (const Case& c : cases) {
        Zest::SRand(c.seed);
        for (size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(Zest::Rand(), c.first[i]) << "seed " << c.seed << " draw " << i;
    }
}

TEST(RuntimeRandom, StaysInRangeAndLeavesTheCLibraryGeneratorAlone)
{
    std::srand(7);
    const int libraryFirst = std::rand();
    std::srand(7);

    Zest::SRand(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        const int32_t value = Zest::Rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, Zest::RandMax);
    }
    EXPECT_EQ(std::rand(), libraryFirst);
}

} // namespace
