#include "platform/win32/MessageQueue.h"

#include "platform/win32/Clock.h"
#include "platform/win32/EventTranslation.h"
#include "platform/win32/Input.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Messages.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/Threads.h"
#include "platform/win32/Window.h"
#include "platform/win32/WindowSystem.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

namespace Win32 {
namespace {

constexpr UINT kMinimumTimerPeriod = 10;
// How long GetMessageA sleeps between looks at the queue while nothing arrives.
constexpr Uint32 kIdleWaitMilliseconds = 10;

struct Timer {
    HWND window;
    uintptr_t id;
    UINT period;
    DWORD due;
    TIMERPROC callback;
};

// Guards the posted messages, the timers and the quit request: other threads post.
std::mutex gQueueLock;
std::deque<MSG> gPosted;
std::vector<Timer> gTimers;
uintptr_t gNextTimerId = 1;
bool gQuitPosted = false;
int gQuitCode = 0;

bool InRange(const UINT message, const UINT filterMin, const UINT filterMax)
{
    return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

bool ForWindow(HWND messageWindow, HWND filter) { return filter == nullptr || messageWindow == filter; }

MSG MakeMessage(HWND window, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    return {window, message, wParam, lParam, GetTickCount(), cursor};
}

// Messages that other running copies sent to this one go to all of its windows.
void ReceiveBroadcasts()
{
    for (const BroadcastMessage& broadcast : TakeBroadcastsFromOtherInstances()) {
        for (HWND window : WindowSystem::AllWindows())
            WindowSystem::Post(window, broadcast.message, broadcast.wParam, broadcast.lParam);
    }
}

// The pump hooks: recursive so that a hook may add or remove hooks while they run, and
// held while they run so that a removed hook is never called afterwards. Never destroyed:
// a library's static destructors may remove their hooks after this file's are gone.
struct PumpHooks {
    std::recursive_mutex lock;
    std::vector<std::pair<WindowSystem::PumpHook, void*>> hooks;
};

PumpHooks& Hooks()
{
    static PumpHooks* const hooks = new PumpHooks;
    return *hooks;
}

bool TakePosted(MSG* message, HWND filter, const UINT filterMin, const UINT filterMax, const bool remove)
{
    const std::lock_guard lock(gQueueLock);
    for (auto it = gPosted.begin(); it != gPosted.end(); ++it) {
        if (ForWindow(it->hwnd, filter) && InRange(it->message, filterMin, filterMax)) {
            *message = *it;
            if (remove)
                gPosted.erase(it);
            return true;
        }
    }
    return false;
}

bool TakeQuit(MSG* message, const bool remove)
{
    const std::lock_guard lock(gQueueLock);
    if (!gQuitPosted)
        return false;
    if (remove)
        gQuitPosted = false;
    *message = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(gQuitCode), 0);
    return true;
}

bool TakePaint(MSG* message, HWND filter, const UINT filterMin, const UINT filterMax)
{
    if (!InRange(WM_PAINT, filterMin, filterMax))
        return false;
    for (HWND window : WindowSystem::AllWindows()) {
        const Window* state = WindowSystem::Find(window);
        if (state != nullptr && state->needsPaint && state->visible && ForWindow(window, filter)) {
            *message = MakeMessage(window, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

bool TakeTimer(MSG* message, HWND filter, const UINT filterMin, const UINT filterMax, const bool remove)
{
    if (!InRange(WM_TIMER, filterMin, filterMax))
        return false;
    const DWORD now = GetTickCount();
    const std::lock_guard lock(gQueueLock);
    for (Timer& timer : gTimers) {
        if (!ForWindow(timer.window, filter) || static_cast<int32_t>(now - timer.due) < 0)
            continue;
        *message = MakeMessage(timer.window, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.callback));
        if (remove)
            timer.due = now + timer.period;
        return true;
    }
    return false;
}

} // namespace

namespace WindowSystem {

bool Post(HWND window, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    const std::lock_guard lock(gQueueLock);
    gPosted.push_back(MakeMessage(window, message, wParam, lParam));
    return true;
}

void ForgetWindow(HWND window)
{
    const std::lock_guard lock(gQueueLock);
    std::erase_if(gPosted, [&](const MSG& message) { return message.hwnd == window; });
    std::erase_if(gTimers, [&](const Timer& timer) { return timer.window == window; });
}

void AddPumpHook(const PumpHook hook, void* context)
{
    PumpHooks& hooks = Hooks();
    const std::lock_guard lock(hooks.lock);
    hooks.hooks.emplace_back(hook, context);
}

void RemovePumpHook(const PumpHook hook, void* context)
{
    PumpHooks& hooks = Hooks();
    const std::lock_guard lock(hooks.lock);
    const auto found = std::find(hooks.hooks.begin(), hooks.hooks.end(), std::make_pair(hook, context));
    if (found != hooks.hooks.end())
        hooks.hooks.erase(found);
}

void RunPumpHooks()
{
    PumpHooks& hooks = Hooks();
    const std::lock_guard lock(hooks.lock);
    const std::vector<std::pair<PumpHook, void*>> running = hooks.hooks;
    for (const auto& entry : running) {
        // An earlier hook may have removed this one.
        if (std::find(hooks.hooks.begin(), hooks.hooks.end(), entry) != hooks.hooks.end())
            entry.first(entry.second);
    }
}

} // namespace WindowSystem

BOOL PeekMessageA(MSG* message, HWND window, const UINT filterMin, const UINT filterMax, const UINT removeFlags)
{
    if (message == nullptr)
        return 0;
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    const bool pumpsEvents = WindowSystem::IsVideoThread();
    if (pumpsEvents) {
        WindowSystem::ShowPendingMessageBoxes();
        WindowSystem::RunPumpHooks();
    }
    ReceiveBroadcasts();

    // Messages already posted come first; SDL's events are read one at a time and only
    // when nothing is waiting, so a character that TranslateMessage posts for a key-down
    // comes before the key's release.
    do {
        if (TakePosted(message, window, filterMin, filterMax, remove))
            return 1;
    } while (pumpsEvents && EventTranslation::TranslateNextEvent());

    if (TakeQuit(message, remove) || TakePaint(message, window, filterMin, filterMax) ||
        TakeTimer(message, window, filterMin, filterMax, remove))
        return 1;
    return 0;
}

BOOL GetMessageA(MSG* message, HWND window, const UINT filterMin, const UINT filterMax)
{
    while (PeekMessageA(message, window, filterMin, filterMax, PM_REMOVE) == 0) {
        if (WindowSystem::IsVideoThread())
            SDL_WaitEventTimeout(nullptr, kIdleWaitMilliseconds);
        else
            Sleep(kIdleWaitMilliseconds);
    }
    return message->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG* message)
{
    MSG character{};
    if (message == nullptr || !EventTranslation::CharacterForKey(*message, &character))
        return 0;
    WindowSystem::Post(character.hwnd, character.message, character.wParam, character.lParam);
    return 1;
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (message == nullptr || message->hwnd == nullptr)
        return 0;
    if (message->message == WM_TIMER && message->lParam != 0) {
        const auto callback = reinterpret_cast<TIMERPROC>(message->lParam);
        callback(message->hwnd, WM_TIMER, message->wParam, message->time);
        return 0;
    }
    return WindowSystem::Send(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND window, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    if (window == HWND_BROADCAST) {
        for (HWND each : WindowSystem::AllWindows())
            WindowSystem::Post(each, message, wParam, lParam);
        BroadcastToOtherInstances(message, wParam, lParam);
        return 1;
    }
    if (window != nullptr && WindowSystem::Find(window) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return WindowSystem::Post(window, message, wParam, lParam) ? 1 : 0;
}

LRESULT SendMessageA(HWND window, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    if (window == HWND_BROADCAST) {
        for (HWND each : WindowSystem::AllWindows())
            WindowSystem::Send(each, message, wParam, lParam);
        return 0;
    }
    if (WindowSystem::Find(window) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return WindowSystem::Send(window, message, wParam, lParam);
}

void PostQuitMessage(const int exitCode)
{
    const std::lock_guard lock(gQueueLock);
    gQuitPosted = true;
    gQuitCode = exitCode;
}

LRESULT DefWindowProcA(HWND window, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    // Bit 29 of a key message's lParam: Alt was held.
    constexpr LPARAM kAltHeld = LPARAM{1} << 29;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & kAltHeld) != 0)
            SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessageA(window, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(window, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(window, SW_SHOWMAXIMIZED);
            break;
        case SC_RESTORE:
            ShowWindow(window, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_QUERYOPEN:
    case WM_NCACTIVATE:
        return 1;
    default:
        return 0;
    }
}

UINT RegisterWindowMessageA(const char* name)
{
    if (name == nullptr || *name == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // FNV-1a over the lower-cased name: the same name gives the same id in every process.
    uint32_t hash = 2166136261u;
    for (const char* c = name; *c != '\0'; ++c) {
        hash ^= static_cast<uint32_t>(std::tolower(static_cast<unsigned char>(*c)));
        hash *= 16777619u;
    }
    return 0xC000u + hash % 0x4000u;
}

uintptr_t SetTimer(HWND window, uintptr_t id, const UINT milliseconds, const TIMERPROC callback)
{
    if (window != nullptr && WindowSystem::Find(window) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const UINT period = std::max(milliseconds, kMinimumTimerPeriod);
    const DWORD due = GetTickCount() + period;
    const std::lock_guard lock(gQueueLock);
    if (window == nullptr)
        id = gNextTimerId++;
    for (Timer& timer : gTimers) {
        if (timer.window == window && timer.id == id) {
            timer = {window, id, period, due, callback};
            return id != 0 ? id : 1;
        }
    }
    gTimers.push_back({window, id, period, due, callback});
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND window, const uintptr_t id)
{
    const std::lock_guard lock(gQueueLock);
    const size_t removed =
        std::erase_if(gTimers, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
    return removed > 0 ? 1 : 0;
}

} // namespace Win32
