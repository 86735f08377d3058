// The main thread's record: every thread counts as the main thread until one is recorded,
// then only that one; a call meant for the main thread alone ends the program when another
// thread makes it.

#include "framework/app/common/MainThread.h"
#include "framework/app/common/URLLauncher.h"
#include "platform/win32/Process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <thread>

namespace {

using namespace Zest;

bool IsMainThreadElsewhere()
{
    bool answer = false;
    std::thread other([&answer] { answer = IsMainThread(); });
    other.join();
    return answer;
}

TEST(MainThreadTest, OnlyTheRecordedThreadCountsOnceOneIsRecorded)
{
    // No thread of the process has this id: thread ids stay below 2^22.
    constexpr uint32_t kNoSuchThread = 0xFFFFFFFF;
    const struct {
        const char* name;
        uint32_t recorded;
        bool here;
        bool elsewhere;
    } cases[] = {
        {"none recorded", 0, true, true},
        {"this thread", Win32::GetCurrentThreadId(), true, false},
        {"a thread that is neither", kNoSuchThread, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetMainThreadId(c.recorded);
        EXPECT_EQ(GetMainThreadId(), c.recorded);
        EXPECT_EQ(IsMainThread(), c.here);
        EXPECT_EQ(IsMainThreadElsewhere(), c.elsewhere);
    }
    SetMainThreadId(0);
}

// Starting a program is for the main thread alone: the list of started programs has no lock.
TEST(MainThreadDeathTest, StartingAProgramFromAnotherThreadAborts)
{
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are compiled out with NDEBUG";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SetMainThreadId(Win32::GetCurrentThreadId());
    EXPECT_EXIT(std::thread([] { StartProgram("true", {}); }).join(), testing::KilledBySignal(SIGABRT),
                "Assertion failed: IsMainThread\\(\\) at [^ ]*URLLauncher\\.cpp:[0-9]+\n");
    SetMainThreadId(0);
#endif
}

} // namespace
