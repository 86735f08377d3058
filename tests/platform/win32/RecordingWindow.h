#pragma once
// A desktop window for tests, on SDL's dummy video driver, whose procedure records every
// message it receives, sent or dispatched.

#include "platform/win32/MessageQueue.h"
#include "platform/win32/Window.h"
#include "platform/win32/WindowSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace Tests {

struct ReceivedMessage {
    Win32::UINT message;
    Win32::WPARAM wParam;
    Win32::LPARAM lParam;

    bool operator==(const ReceivedMessage&) const = default;
};

class RecordingWindow : public ::testing::Test {
protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        sRecorded = &mReceived;
        static const bool registered = [] {
            Win32::WNDCLASSA windowClass{};
            windowClass.style = Win32::CS_DBLCLKS;
            windowClass.lpfnWndProc = &Record;
            windowClass.lpszClassName = "RecordingWindow";
            return Win32::RegisterClassA(&windowClass) != 0;
        }();
        ASSERT_TRUE(registered);
        mWindow = Win32::CreateWindowExA(0, "RecordingWindow", "Test", Win32::WS_POPUP | Win32::WS_CAPTION, 0, 0,
                                         kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(mWindow, nullptr);
        Win32::ShowWindow(mWindow, Win32::SW_SHOWNORMAL);
        PumpAll();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        mReceived.clear();
    }

    void TearDown() override
    {
        if (Win32::IsWindow(mWindow) != 0)
            Win32::DestroyWindow(mWindow);
        sRecorded = nullptr;
    }

    // Reads, translates and dispatches every message waiting, as a main loop does.
    void PumpAll()
    {
        Win32::MSG message{};
        while (Win32::PeekMessageA(&message, nullptr, 0, 0, Win32::PM_REMOVE) != 0) {
            Win32::TranslateMessage(&message);
            Win32::DispatchMessageA(&message);
        }
    }

    Uint32 SdlWindowId() const { return SDL_GetWindowID(Win32::WindowSystem::Find(mWindow)->sdlWindow); }

    // Messages the window received, without the paints and timers a pump may add.
    std::vector<ReceivedMessage> Input() const
    {
        std::vector<ReceivedMessage> input;
        for (const ReceivedMessage& received : mReceived) {
            if (received.message != 0x000F && received.message != 0x0113)
                input.push_back(received);
        }
        return input;
    }

    static Win32::LRESULT Record(Win32::HWND window, Win32::UINT message, Win32::WPARAM wParam, Win32::LPARAM lParam)
    {
        if (sRecorded != nullptr)
            sRecorded->push_back({message, wParam, lParam});
        // Closing is the test's business, not the default's (which would destroy the window).
        if (message == 0x0010)
            return 0;
        return Win32::DefWindowProcA(window, message, wParam, lParam);
    }

    static inline std::vector<ReceivedMessage>* sRecorded = nullptr;
    std::vector<ReceivedMessage> mReceived;
    Win32::HWND mWindow = nullptr;
};

inline void PrintTo(const ReceivedMessage& message, std::ostream* out)
{
    *out << std::hex << "{0x" << message.message << ", 0x" << message.wParam << ", 0x" << message.lParam << "}";
}

} // namespace Tests
