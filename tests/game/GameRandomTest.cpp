#include "game/GameRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

TEST(GameRandomTest, FollowsTheMultiplyWithCarrySteps)
{
    // Seed 1: a = 18000, b = 18000 x 18000 = 0x134FD900, x = (18000 << 16) | 0xD900 =
    // 1179703552; over [0, 99] the bucket is 0xFFFFFFFF / 100 = 42949672, giving 27.
    GameRandom random(1);
    EXPECT_EQ(random.Next(99), 27u);
    EXPECT_EQ(random.GetState(), 0x134FD900u);
}

TEST(GameRandomTest, ZeroRangeGivesZero)
{
    for (const uint32_t seed : {1u, 12345u, 0xDEADBEEFu}) {
        GameRandom random(seed);
        for (int draw = 0; draw < 50; ++draw)
            ASSERT_EQ(random.Next(0), 0u) << "seed " << seed;
    }
}

TEST(GameRandomTest, ResultsStayWithinTheirRange)
{
    GameRandom random(0x2F6B1C4Du);
    for (const uint32_t n : {1u, 2u, 5u, 35u, 99u, 1000u, 0x7FFFFFFFu, 0x80000000u}) {
        for (int draw = 0; draw < 2000; ++draw)
            ASSERT_LE(random.Next(n), n) << "n " << n;
    }
}

TEST(GameRandomTest, LargestRangeCoversTheWholeWordWithoutDividingByZero)
{
    GameRandom random(77);
    bool sawHighHalf = false;
    bool sawLowHalf = false;
    for (int draw = 0; draw < 200; ++draw) {
        const uint32_t value = random.Next(0xFFFFFFFFu);
        (value >= 0x80000000u ? sawHighHalf : sawLowHalf) = true;
    }
    EXPECT_TRUE(sawHighHalf);
    EXPECT_TRUE(sawLowHalf);
}

TEST(GameRandomTest, EveryValueOfASmallRangeAppears)
{
    GameRandom random(4357);
    for (const uint32_t n : {1u, 5u, 12u}) {
        std::set<uint32_t> seen;
        for (int draw = 0; draw < 100 * static_cast<int>(n + 1); ++draw)
            seen.insert(random.Next(n));
        EXPECT_EQ(seen.size(), n + 1) << "n " << n;
    }
}

// Seeds whose generator would be stuck on one output: 0 stays 0, and the other three reach
// the one word whose draws are all above any small range, so Next would never return.
TEST(GameRandomTest, StuckSeedsStillDrawVariedNumbers)
{
    for (const uint32_t seed : {0u, 0x464FFFFFu, 0x8C9FFFFEu, 0xD2EFFFFDu}) {
        GameRandom random(seed);
        std::set<uint32_t> seen;
        for (int draw = 0; draw < 200; ++draw)
            seen.insert(random.Next(99));
        EXPECT_GT(seen.size(), 50u) << std::hex << "seed 0x" << seed;
    }
}

} // namespace
