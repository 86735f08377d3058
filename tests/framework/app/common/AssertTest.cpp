// The assertion macro: where it is active, a broken condition ends the program with the
// condition, the file and the line on stderr; with NDEBUG the condition is not evaluated.

#include "framework/app/common/Assert.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

TEST(AssertTest, TheConditionIsEvaluatedOnceWhereActiveAndNeverWithNDEBUG)
{
    int evaluations = 0;
    ZEST_ASSERT(++evaluations == 1);
#ifdef NDEBUG
    EXPECT_EQ(evaluations, 0);
#else
    EXPECT_EQ(evaluations, 1);
#endif
}

TEST(AssertDeathTest, ABrokenConditionAbortsNamingTheConditionFileAndLine)
{
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are compiled out with NDEBUG";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int openDialogs = 2;
    const std::string line = std::to_string(__LINE__ + 1);
    EXPECT_EXIT(ZEST_ASSERT(openDialogs == 3), testing::KilledBySignal(SIGABRT),
                "Assertion failed: openDialogs == 3 at [^ ]*AssertTest\\.cpp:" + line + "\n");
#endif
}

} // namespace
