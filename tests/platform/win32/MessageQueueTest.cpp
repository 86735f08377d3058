#include "platform/win32/Clock.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Messages.h"
#include "platform/win32/SingleInstance.h"

#include "tests/platform/win32/FakeClock.h"
#include "tests/platform/win32/RecordingWindow.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryFolder.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

extern char** environ;

namespace {

using namespace Win32;
using Tests::ReceivedMessage;

class MessageQueue : public Tests::RecordingWindow {
protected:
    void SetUp() override
    {
        mClock.mNanoseconds = 5000000000ull;
        SetClock(&mClock);
        RecordingWindow::SetUp();
    }

    void TearDown() override
    {
        RecordingWindow::TearDown();
        SetClock(nullptr);
    }

    void AdvanceMilliseconds(const uint64_t milliseconds) { mClock.mNanoseconds += milliseconds * 1000000; }

    int CountTimers()
    {
        mReceived.clear();
        PumpAll();
        int timers = 0;
        for (const ReceivedMessage& received : mReceived)
            timers += received.message == WM_TIMER ? 1 : 0;
        return timers;
    }

    Tests::FakeClock mClock;
};

TEST_F(MessageQueue, TimerFiresAtItsPeriodWithOnePendingAtATime)
{
    ASSERT_EQ(SetTimer(mWindow, 100, 20, nullptr), 100u);
    EXPECT_EQ(CountTimers(), 0);
    AdvanceMilliseconds(19);
    EXPECT_EQ(CountTimers(), 0);
    AdvanceMilliseconds(1);
    EXPECT_EQ(CountTimers(), 1);
    EXPECT_EQ(CountTimers(), 0);
    // A long stall gives one timer message, not a catch-up burst.
    AdvanceMilliseconds(500);
    EXPECT_EQ(CountTimers(), 1);
    AdvanceMilliseconds(20);
    EXPECT_EQ(CountTimers(), 1);
    EXPECT_EQ(mReceived.back(), (ReceivedMessage{WM_TIMER, 100, 0}));

    EXPECT_EQ(KillTimer(mWindow, 100), 1);
    AdvanceMilliseconds(100);
    EXPECT_EQ(CountTimers(), 0);
    EXPECT_EQ(KillTimer(mWindow, 100), 0);
}

TEST_F(MessageQueue, TimersWaitBehindPostedMessagesAndPeekingWithoutRemovalKeepsThem)
{
    SetTimer(mWindow, 7, 10, nullptr);
    AdvanceMilliseconds(10);
    PostMessageA(mWindow, WM_USER, 1, 2);
    MSG message{};
    ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), 1);
    EXPECT_EQ(message.message, WM_USER);
    ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), 1);
    EXPECT_EQ(message.message, WM_USER);
    ASSERT_EQ(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE), 1);
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_EQ(message.wParam, 7u);
    ASSERT_EQ(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE), 1);
    EXPECT_EQ(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE), 0);
}

TEST_F(MessageQueue, FiltersByWindowAndRangeAndKeepsOrder)
{
    PostMessageA(mWindow, WM_USER + 1, 0, 0);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    PostMessageA(mWindow, WM_USER + 3, 0, 0);
    MSG message{};
    ASSERT_EQ(PeekMessageA(&message, nullptr, WM_USER + 2, WM_USER + 3, PM_REMOVE), 1);
    EXPECT_EQ(message.message, WM_USER + 2u);
    EXPECT_EQ(message.hwnd, nullptr);
    ASSERT_EQ(PeekMessageA(&message, mWindow, 0, 0, PM_REMOVE), 1);
    EXPECT_EQ(message.message, WM_USER + 1u);
    ASSERT_EQ(PeekMessageA(&message, mWindow, 0, 0, PM_REMOVE), 1);
    EXPECT_EQ(message.message, WM_USER + 3u);
}

TEST_F(MessageQueue, MessagesPostedFromAnotherThreadArriveInOrder)
{
    std::thread poster([&] {
        for (WPARAM i = 0; i < 1000; ++i)
            PostMessageA(mWindow, WM_USER, i, 0);
    });
    std::vector<WPARAM> seen;
    while (seen.size() < 1000) {
        MSG message{};
        if (PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE) != 0)
            seen.push_back(message.wParam);
    }
    poster.join();
    for (WPARAM i = 0; i < 1000; ++i)
        ASSERT_EQ(seen[i], i);
}

TEST_F(MessageQueue, DestroyingAWindowDropsItsMessagesAndTimersAndRefusesNewOnes)
{
    PostMessageA(mWindow, WM_USER, 0, 0);
    SetTimer(mWindow, 1, 10, nullptr);
    ASSERT_EQ(DestroyWindow(mWindow), 1);
    AdvanceMilliseconds(50);
    MSG message{};
    EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), 0);
    EXPECT_EQ(PostMessageA(mWindow, WM_USER, 0, 0), 0);
    EXPECT_EQ(mReceived.back().message, WM_DESTROY);
}

TEST_F(MessageQueue, AltF4ClosesThroughTheDefaultProcessing)
{
    const LPARAM altHeld = LPARAM{1} << 29;
    DefWindowProcA(mWindow, WM_SYSKEYDOWN, VK_F4, altHeld);
    const std::vector<ReceivedMessage> expected = {{WM_SYSCOMMAND, SC_CLOSE, 0}, {WM_CLOSE, 0, 0}};
    EXPECT_EQ(mReceived, expected);
    mReceived.clear();
    DefWindowProcA(mWindow, WM_SYSKEYDOWN, VK_RETURN, altHeld);
    EXPECT_TRUE(mReceived.empty());
}

TEST_F(MessageQueue, PaintIsRepeatedUntilTheWindowIsValidated)
{
    InvalidateRect(mWindow, nullptr, 0);
    MSG message{};
    ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), 1);
    EXPECT_EQ(message.message, WM_PAINT);
    ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), 1);
    EXPECT_EQ(message.message, WM_PAINT);
    PAINTSTRUCT paint{};
    BeginPaint(mWindow, &paint);
    EndPaint(mWindow, &paint);
    EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), 0);
}

TEST_F(MessageQueue, RegisteredMessagesAreStableAcrossCallsAndLetterCase)
{
    const UINT notify = RegisterWindowMessageA("GreenAtlasNotify");
    EXPECT_GE(notify, 0xC000u);
    EXPECT_LE(notify, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("GREENATLASNOTIFY"), notify);
    EXPECT_NE(RegisterWindowMessageA("OtherNotify"), notify);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST_F(MessageQueue, BroadcastReachesEveryWindowOfTheProcess)
{
    const UINT notify = RegisterWindowMessageA("BroadcastTest");
    PostMessageA(HWND_BROADCAST, notify, 0, 0);
    PumpAll();
    EXPECT_EQ(Input(), (std::vector<ReceivedMessage>{{notify, 0, 0}}));
}

TEST_F(MessageQueue, NotifyFromASecondCopyArrivesAtEveryWindow)
{
    const Tests::TemporaryFolder folder;
    const Tests::ScopedEnvironment runtime("XDG_RUNTIME_DIR", folder.Path().c_str());
    const std::string name = "QueueNotify" + std::to_string(getpid());
    HANDLE mutex = CreateMutexA(nullptr, 1, name.c_str());
    ASSERT_NE(mutex, nullptr);
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

    // The probe finds the name taken, so it notifies the running copy and exits.
    const std::string program = SINGLE_INSTANCE_PROBE;
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>(name.c_str()),
                               const_cast<char*>("run"), const_cast<char*>("5000"), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    PumpAll();
    CloseHandle(mutex);
    const std::vector<ReceivedMessage> expected = {{0xC123, 7, -5}};
    EXPECT_EQ(Input(), expected);
}

TEST_F(MessageQueue, QuitEndsGetMessage)
{
    PostMessageA(mWindow, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG message{};
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(message.message, WM_USER);
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.wParam, 3u);
}

// Counts its calls; the hook that removes itself, and a second one, on its first call.
struct HookRecord {
    int calls = 0;
    HookRecord* removeAlso = nullptr;
};

void CountCall(void* context) { ++static_cast<HookRecord*>(context)->calls; }

void CountAndRemove(void* context)
{
    auto* record = static_cast<HookRecord*>(context);
    ++record->calls;
    WindowSystem::RemovePumpHook(&CountAndRemove, record);
    if (record->removeAlso != nullptr)
        WindowSystem::RemovePumpHook(&CountCall, record->removeAlso);
}

TEST_F(MessageQueue, PumpHooksRunAtEachLookAtTheQueueOnTheVideoThreadOnly)
{
    HookRecord counted;
    WindowSystem::AddPumpHook(&CountCall, &counted);
    MSG message{};
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    PostMessageA(mWindow, WM_USER, 0, 0);
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(counted.calls, 2);
    std::thread([&] { PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); }).join();
    EXPECT_EQ(counted.calls, 2);

    // A hook may remove itself and others while the hooks run; a removed one never runs.
    HookRecord removed;
    HookRecord removing;
    removing.removeAlso = &removed;
    WindowSystem::RemovePumpHook(&CountCall, &counted);
    WindowSystem::AddPumpHook(&CountAndRemove, &removing);
    WindowSystem::AddPumpHook(&CountCall, &removed);
    PumpAll();
    PumpAll();
    EXPECT_EQ(counted.calls, 2);
    EXPECT_EQ(removing.calls, 1);
    EXPECT_EQ(removed.calls, 0);
}

} // namespace
