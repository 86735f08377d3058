#include "framework/app/common/CritSection.h"
#include "framework/app/common/Ratio.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstdint>
#include <thread>

namespace {

using namespace Zest;

TEST(Ratio, DefaultsToOneToOne)
{
    const Ratio ratio;
    EXPECT_EQ(ratio.mNumerator, 1);
    EXPECT_EQ(ratio.mDenominator, 1);
}

TEST(Ratio, SetReducesToLowestTerms)
{
    const struct {
        int32_t numerator;
        int32_t denominator;
        int32_t expectedNumerator;
        int32_t expectedDenominator;
    } cases[] = {
        {800, 600, 4, 3},
        {1024, 768, 4, 3},
        {1920, 1080, 16, 9},
        {1280, 1024, 5, 4},
        {7, 7, 1, 1},
        {3, 5, 3, 5},
        {0, 5, 0, 1},
        {-4, 6, -2, 3},
        {-3, 5, -3, 5},
        {-6, 4, -3, 2},
        {4, -6, -2, 3},
        {-4, -6, 2, 3},
        {INT32_MAX, INT32_MAX, 1, 1},
        {INT32_MIN, INT32_MIN, 1, 1},
        {INT32_MIN, 2, INT32_MIN / 2, 1},
        {INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX}, // already in lowest terms
    };
    for (const auto& c : cases) {
        Ratio ratio;
        ratio.Set(c.numerator, c.denominator);
        EXPECT_EQ(ratio.mNumerator, c.expectedNumerator) << c.numerator << '/' << c.denominator;
        EXPECT_EQ(ratio.mDenominator, c.expectedDenominator) << c.numerator << '/' << c.denominator;
    }
}

int64_t Gcd(int64_t a, int64_t b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const int64_t remainder = a % b;
        a = b;
        b = remainder;
    }
    return a;
}

TEST(Ratio, NegativeDenominatorsKeepTheValueInLowestTerms)
{
    const struct {
        int32_t numerator;
        int32_t denominator;
    } cases[] = {
        {0, -5}, {4, -6}, {-4, -6}, {3, -5}, {-3, -5}, {1024, -768}, {INT32_MAX, INT32_MIN}, {INT32_MAX, -1},
        {INT32_MIN, -1}, // 2^31 has no positive 32-bit numerator: the sign stays below
    };
    for (const auto& c : cases) {
        Ratio ratio;
        ratio.Set(c.numerator, c.denominator);
        const int64_t numerator = ratio.mNumerator;
        const int64_t denominator = ratio.mDenominator;
        // Same value: n/d == numerator/denominator.
        EXPECT_EQ(numerator * c.denominator, denominator * c.numerator) << c.numerator << '/' << c.denominator;
        EXPECT_NE(denominator, 0) << c.numerator << '/' << c.denominator;
        EXPECT_EQ(Gcd(numerator, denominator), 1) << c.numerator << '/' << c.denominator;
    }
}

TEST(Ratio, ZeroDenominatorStoresOneToOne)
{
    const int32_t numerators[] = {5, 0, -3, INT32_MIN};
    for (const int32_t numerator : numerators) {
        Ratio ratio;
        ratio.Set(800, 600);
        ratio.Set(numerator, 0);
        EXPECT_EQ(ratio.mNumerator, 1) << numerator << "/0";
        EXPECT_EQ(ratio.mDenominator, 1) << numerator << "/0";
    }
}

TEST(CritSection, SameThreadCanLockRecursively)
{
    CritSection section;
    {
        const CritLock outer(section);
        const CritLock inner(section);
        const CritLock innermost(section);
    }
    // Fully released: another thread can take it now.
    bool taken = false;
    std::thread other([&] {
        taken = section.mMutex.try_lock();
        if (taken)
            section.mMutex.unlock();
    });
    other.join();
    EXPECT_TRUE(taken);
}

TEST(CritSection, LockIsHeldUntilTheScopeEnds)
{
    CritSection section;
    bool takenWhileHeld = true;
    {
        const CritLock lock(section);
        std::thread other([&] {
            takenWhileHeld = section.mMutex.try_lock();
            if (takenWhileHeld)
                section.mMutex.unlock();
        });
        other.join();
    }
    EXPECT_FALSE(takenWhileHeld);
}

TEST(CritSection, ExcludesOtherThreadsFromTheGuardedCounter)
{
    CritSection section;
    int64_t counter = 0; // plain, so only the lock keeps the increments apart
    constexpr int kIncrements = 100000;
    std::atomic<bool> start{false};

    const auto work = [&] {
        while (!start.load())
            std::this_thread::yield();
        for (int i = 0; i < kIncrements; ++i) {
            const CritLock lock(section);
            const CritLock nested(section);
            const int64_t value = counter;
            counter = value + 1;
        }
    };
    std::thread first(work);
    std::thread second(work);
    start = true;
    first.join();
    second.join();
    EXPECT_EQ(counter, 2 * kIncrements);
}

} // namespace
