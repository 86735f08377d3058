#include "platform/win32/MessageBox.h"

#include "platform/win32/Clock.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowSystem.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

namespace Win32 {
namespace {

// A box asked for on another thread waits this long for the video thread to read its
// queue before it is shown on the asking thread instead.
constexpr DWORD kVideoThreadSilenceMilliseconds = 1000;

struct PendingBox {
    MessageBoxRequest request;
    HWND owner;
    bool done = false;
    int answer = 0;
};

std::mutex gLock;
std::condition_variable gAnswered;
std::deque<PendingBox*> gPending;
std::mutex gSinkLock;
MessageBoxSink gSink;
std::atomic<DWORD> gLastPumpTick{0};

struct Button {
    int id;
    const char* label;
};

std::vector<Button> ButtonsFor(const UINT type)
{
    switch (type & 0x0F) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
    }
}

int DefaultButton(const std::vector<Button>& buttons, const UINT type)
{
    const size_t index = (type & MB_DEFBUTTON3) != 0 ? 2 : (type & MB_DEFBUTTON2) != 0 ? 1 : 0;
    return buttons[index < buttons.size() ? index : 0].id;
}

Uint32 SdlIconFlag(const UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONHAND: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

bool Headless()
{
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetCurrentVideoDriver() : std::getenv("SDL_VIDEODRIVER");
    return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// Shows the box on the calling thread.
int Show(const MessageBoxRequest& request, HWND owner)
{
    MessageBoxSink sink;
    {
        const std::lock_guard lock(gSinkLock);
        sink = gSink;
    }
    if (sink)
        return sink(request);
    const std::vector<Button> buttons = ButtonsFor(request.type);
    const int defaultId = DefaultButton(buttons, request.type);
    if (!Headless()) {
        const std::string text = Latin1ToUtf8(request.text);
        const std::string caption = Latin1ToUtf8(request.caption);
        std::vector<SDL_MessageBoxButtonData> sdlButtons;
        for (const Button& button : buttons) {
            Uint32 flags = 0;
            if (button.id == defaultId)
                flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
            if (button.id == IDCANCEL || button.id == IDNO)
                flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
            sdlButtons.push_back({flags, button.id, button.label});
        }
        const Window* window = WindowSystem::IsVideoThread() ? WindowSystem::Find(owner) : nullptr;
        const SDL_MessageBoxData data{SdlIconFlag(request.type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                      window != nullptr ? window->sdlWindow : nullptr,
                                      caption.c_str(),
                                      text.c_str(),
                                      static_cast<int>(sdlButtons.size()),
                                      sdlButtons.data(),
                                      nullptr};
        int chosen = 0;
        if (SDL_ShowMessageBox(&data, &chosen) == 0)
            return chosen >= 0 ? chosen : defaultId;
    }
    std::fprintf(stderr, "%s: %s\n", Latin1ToUtf8(request.caption).c_str(), Latin1ToUtf8(request.text).c_str());
    return defaultId;
}

int ShowFromOtherThread(const MessageBoxRequest& request, HWND owner)
{
    PendingBox box{request, owner};
    std::unique_lock lock(gLock);
    gPending.push_back(&box);
    while (!box.done) {
        gAnswered.wait_for(lock, std::chrono::milliseconds(50));
        if (!box.done && GetTickCount() - gLastPumpTick.load() > kVideoThreadSilenceMilliseconds) {
            std::erase(gPending, &box);
            lock.unlock();
            return Show(request, nullptr);
        }
    }
    return box.answer;
}

std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (const wchar_t* c = text; c != nullptr && *c != 0; ++c)
        narrow.push_back(static_cast<uint32_t>(*c) <= 0xFF ? static_cast<char>(*c) : '?');
    return narrow;
}

} // namespace

namespace WindowSystem {

void ShowPendingMessageBoxes()
{
    gLastPumpTick.store(GetTickCount());
    std::unique_lock lock(gLock);
    while (!gPending.empty()) {
        PendingBox* box = gPending.front();
        gPending.pop_front();
        lock.unlock();
        const int answer = Show(box->request, box->owner);
        lock.lock();
        box->answer = answer;
        box->done = true;
        gAnswered.notify_all();
    }
}

} // namespace WindowSystem

int MessageBoxA(HWND owner, const char* text, const char* caption, const UINT type)
{
    const MessageBoxRequest request{text != nullptr ? text : "", caption != nullptr ? caption : "Error", type};
    const bool elsewhere = SDL_WasInit(SDL_INIT_VIDEO) != 0 && !WindowSystem::IsVideoThread();
    return elsewhere ? ShowFromOtherThread(request, owner) : Show(request, owner);
}

int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, const UINT type)
{
    return MessageBoxA(owner, Narrow(text).c_str(), caption != nullptr ? Narrow(caption).c_str() : nullptr, type);
}

void SetMessageBoxSink(MessageBoxSink sink)
{
    const std::lock_guard lock(gSinkLock);
    gSink = std::move(sink);
}

} // namespace Win32
