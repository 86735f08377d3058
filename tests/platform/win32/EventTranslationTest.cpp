#include "platform/win32/Input.h"
#include "platform/win32/Messages.h"

#include "tests/platform/win32/RecordingWindow.h"

#include <climits>
#include <cstring>
#include <string>

namespace {

using namespace Win32;
using Tests::ReceivedMessage;

// An lParam the comparison does not look at (key messages carry scan codes).
constexpr LPARAM kAnyLParam = INTPTR_MIN;

SDL_Event Key(const bool down, const SDL_Keycode sym, const Uint16 mod, const SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event Text(const char* utf8)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
    return event;
}

SDL_Event Motion(const int x, const int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event Button(const bool down, const Uint8 button, const Uint8 clicks, const int x, const int y)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event Wheel(const int notches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return event;
}

SDL_Event WindowEvent(const Uint8 kind)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    return event;
}

ReceivedMessage Msg(const UINT message, const WPARAM wParam, const LPARAM lParam = kAnyLParam)
{
    return {message, wParam, lParam};
}

LPARAM At(const int x, const int y) { return MAKELPARAM(x, y); }

ReceivedMessage SetCursorFor(HWND window) { return Msg(WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(1, WM_MOUSEMOVE)); }

struct ScriptCase {
    const char* name;
    std::vector<SDL_Event> events;
    // SETCURSOR entries are filled in with the window at run time.
    std::vector<ReceivedMessage> expected;
};

class EventTranslation : public Tests::RecordingWindow {
protected:
    std::vector<ReceivedMessage> Run(std::vector<SDL_Event> events)
    {
        mReceived.clear();
        for (SDL_Event& event : events) {
            // Every event kind used here keeps its window id at the same place.
            event.window.windowID = SdlWindowId();
            EXPECT_EQ(SDL_PushEvent(&event), 1);
        }
        PumpAll();
        return Input();
    }

    void ExpectStream(const ScriptCase& script)
    {
        const std::vector<ReceivedMessage> actual = Run(script.events);
        ASSERT_EQ(actual.size(), script.expected.size()) << script.name << ": " << ::testing::PrintToString(actual);
        for (size_t i = 0; i < actual.size(); ++i) {
            ReceivedMessage expected = script.expected[i];
            if (expected.message == WM_SETCURSOR)
                expected.wParam = reinterpret_cast<WPARAM>(mWindow);
            if (expected.lParam == kAnyLParam)
                expected.lParam = actual[i].lParam;
            EXPECT_EQ(actual[i], expected) << script.name << ", message " << i;
        }
    }
};

TEST_F(EventTranslation, MouseEventsBecomeTheMessageStreamOfADesktopWindow)
{
    const ScriptCase cases[] = {
        {"move",
         {Motion(10, 20)},
         {SetCursorFor(nullptr), Msg(WM_MOUSEMOVE, 0, At(10, 20))}},
        {"left click",
         {Button(true, SDL_BUTTON_LEFT, 1, 10, 20), Button(false, SDL_BUTTON_LEFT, 1, 10, 20)},
         {Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 20)), Msg(WM_LBUTTONUP, 0, At(10, 20))}},
        {"double click",
         {Button(true, SDL_BUTTON_LEFT, 1, 5, 5), Button(false, SDL_BUTTON_LEFT, 1, 5, 5),
          Button(true, SDL_BUTTON_LEFT, 2, 5, 5), Button(false, SDL_BUTTON_LEFT, 2, 5, 5),
          Button(true, SDL_BUTTON_LEFT, 3, 5, 5), Button(false, SDL_BUTTON_LEFT, 3, 5, 5)},
         {Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5)), Msg(WM_LBUTTONUP, 0, At(5, 5)),
          Msg(WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5)), Msg(WM_LBUTTONUP, 0, At(5, 5)),
          Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5)), Msg(WM_LBUTTONUP, 0, At(5, 5))}},
        {"right and middle buttons held together",
         {Button(true, SDL_BUTTON_RIGHT, 1, 1, 2), Button(true, SDL_BUTTON_MIDDLE, 1, 1, 2),
          Button(false, SDL_BUTTON_RIGHT, 1, 1, 2), Button(true, SDL_BUTTON_RIGHT, 2, 1, 2),
          Button(false, SDL_BUTTON_RIGHT, 2, 1, 2), Button(false, SDL_BUTTON_MIDDLE, 1, 1, 2)},
         {Msg(WM_RBUTTONDOWN, MK_RBUTTON, At(1, 2)), Msg(WM_MBUTTONDOWN, MK_RBUTTON | MK_MBUTTON, At(1, 2)),
          Msg(WM_RBUTTONUP, MK_MBUTTON, At(1, 2)), Msg(WM_RBUTTONDBLCLK, MK_RBUTTON | MK_MBUTTON, At(1, 2)),
          Msg(WM_RBUTTONUP, MK_MBUTTON, At(1, 2)), Msg(WM_MBUTTONUP, 0, At(1, 2))}},
        {"wheel in steps of 120",
         {Motion(30, 40), Wheel(1), Wheel(-2)},
         {SetCursorFor(nullptr), Msg(WM_MOUSEMOVE, 0, At(30, 40)), Msg(WM_MOUSEWHEEL, WPARAM{120} << 16, At(30, 40)),
          Msg(WM_MOUSEWHEEL, WPARAM{0xFF10} << 16, At(30, 40))}},
    };
    for (const ScriptCase& script : cases)
        ExpectStream(script);
}

TEST_F(EventTranslation, KeysAndTextBecomeKeyAndCharacterMessagesInOrder)
{
    const ScriptCase cases[] = {
        {"plain letter",
         {Key(true, SDLK_a, KMOD_NONE), Text("a"), Key(false, SDLK_a, KMOD_NONE)},
         {Msg(WM_KEYDOWN, 'A'), Msg(WM_CHAR, 'a', 1), Msg(WM_KEYUP, 'A')}},
        {"accented text as Latin-1, characters above 255 dropped",
         {Text("\xC3\xA9\xE2\x82\xAC\xC3\xBC")},
         {Msg(WM_CHAR, 0xE9, 1), Msg(WM_CHAR, 0xFC, 1)}},
        {"Enter, Backspace, Tab and Escape make their control characters",
         {Key(true, SDLK_RETURN, KMOD_NONE), Key(true, SDLK_BACKSPACE, KMOD_NONE), Key(true, SDLK_TAB, KMOD_NONE),
          Key(true, SDLK_ESCAPE, KMOD_NONE)},
         {Msg(WM_KEYDOWN, VK_RETURN), Msg(WM_CHAR, 13), Msg(WM_KEYDOWN, VK_BACK), Msg(WM_CHAR, 8),
          Msg(WM_KEYDOWN, VK_TAB), Msg(WM_CHAR, 9), Msg(WM_KEYDOWN, VK_ESCAPE), Msg(WM_CHAR, 27)}},
        {"Ctrl+C, V, X and Z as control codes; text typed meanwhile is not doubled",
         {Key(true, SDLK_LCTRL, KMOD_LCTRL), Key(true, SDLK_c, KMOD_LCTRL), Text("c"), Key(true, SDLK_v, KMOD_LCTRL),
          Key(true, SDLK_x, KMOD_LCTRL), Key(true, SDLK_z, KMOD_LCTRL), Key(false, SDLK_LCTRL, KMOD_NONE)},
         {Msg(WM_KEYDOWN, VK_CONTROL), Msg(WM_KEYDOWN, 'C'), Msg(WM_CHAR, 3), Msg(WM_KEYDOWN, 'V'), Msg(WM_CHAR, 22),
          Msg(WM_KEYDOWN, 'X'), Msg(WM_CHAR, 24), Msg(WM_KEYDOWN, 'Z'), Msg(WM_CHAR, 26), Msg(WM_KEYUP, VK_CONTROL)}},
        {"Alt+key as system keys and WM_SYSCHAR, never WM_CHAR",
         {Key(true, SDLK_LALT, KMOD_LALT), Key(true, SDLK_r, KMOD_LALT), Text("r"), Key(false, SDLK_r, KMOD_LALT),
          Key(false, SDLK_LALT, KMOD_NONE)},
         {Msg(WM_SYSKEYDOWN, VK_MENU), Msg(WM_SYSKEYDOWN, 'R'), Msg(WM_SYSCHAR, 'r'), Msg(WM_SYSKEYUP, 'R'),
          Msg(WM_SYSKEYUP, VK_MENU)}},
        {"Alt+Enter",
         {Key(true, SDLK_RETURN, KMOD_RALT), Key(false, SDLK_RETURN, KMOD_RALT)},
         {Msg(WM_SYSKEYDOWN, VK_RETURN), Msg(WM_SYSCHAR, 13), Msg(WM_SYSKEYUP, VK_RETURN)}},
        {"Ctrl+Alt+K stays a plain key",
         {Key(true, SDLK_k, KMOD_LCTRL | KMOD_LALT)},
         {Msg(WM_KEYDOWN, 'K')}},
        {"Shift, Ctrl and Alt are the generic codes",
         {Key(true, SDLK_RSHIFT, KMOD_RSHIFT), Key(true, SDLK_RCTRL, KMOD_RSHIFT | KMOD_RCTRL)},
         {Msg(WM_KEYDOWN, VK_SHIFT), Msg(WM_KEYDOWN, VK_CONTROL)}},
        {"a key of a non-English layout by its position",
         {Key(true, 0xFC, KMOD_NONE, SDL_SCANCODE_LEFTBRACKET)},
         {Msg(WM_KEYDOWN, VK_OEM_4)}},
    };
    for (const ScriptCase& script : cases) {
        ExpectStream(script);
        // Leave no modifier held for the next script.
        Run({Key(false, SDLK_LSHIFT, KMOD_NONE)});
    }
}

TEST_F(EventTranslation, KeyMessagesCarryAltTransitionAndRepeatBits)
{
    constexpr LPARAM kAlt = LPARAM{1} << 29;
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    constexpr LPARAM kReleased = static_cast<LPARAM>(uint32_t{1} << 31);
    SDL_Event repeat = Key(true, SDLK_LEFT, KMOD_NONE);
    repeat.key.repeat = 1;
    const std::vector<ReceivedMessage> received = Run(
        {Key(true, SDLK_LEFT, KMOD_NONE), repeat, Key(false, SDLK_LEFT, KMOD_NONE), Key(true, SDLK_F4, KMOD_LALT)});
    ASSERT_GE(received.size(), 4u);
    EXPECT_EQ(received[0].lParam & (kWasDown | kReleased | kAlt), 0);
    EXPECT_EQ(received[1].lParam & (kWasDown | kReleased), kWasDown);
    EXPECT_EQ(received[2].lParam & (kWasDown | kReleased), kWasDown | kReleased);
    EXPECT_EQ(received[3].message, WM_SYSKEYDOWN);
    EXPECT_EQ(received[3].lParam & kAlt, kAlt);
}

TEST_F(EventTranslation, WindowEventsBecomeActivationSizeAndCloseMessages)
{
    const ScriptCase cases[] = {
        {"focus lost and gained",
         {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)},
         {Msg(WM_ACTIVATEAPP, 0, 0), Msg(WM_ACTIVATEAPP, 1, 0)}},
        {"minimise and restore",
         {WindowEvent(SDL_WINDOWEVENT_MINIMIZED), WindowEvent(SDL_WINDOWEVENT_RESTORED)},
         {Msg(WM_SIZE, SIZE_MINIMIZED, 0), Msg(WM_SIZE, SIZE_RESTORED, At(kWidth, kHeight))}},
        {"close", {WindowEvent(SDL_WINDOWEVENT_CLOSE)}, {Msg(WM_CLOSE, 0, 0)}},
    };
    for (const ScriptCase& script : cases)
        ExpectStream(script);
    EXPECT_EQ(IsIconic(mWindow), 0);
    EXPECT_EQ(GetForegroundWindow(), mWindow);
}

TEST_F(EventTranslation, CapturedMouseKeepsReportingOutsideTheWindowWithoutSetCursor)
{
    EXPECT_EQ(SetCapture(mWindow), nullptr);
    const std::vector<ReceivedMessage> received = Run({Motion(-5, 700), Button(false, SDL_BUTTON_LEFT, 1, -5, 700)});
    ReleaseCapture();
    const std::vector<ReceivedMessage> expected = {Msg(WM_MOUSEMOVE, 0, At(-5, 700)), Msg(WM_LBUTTONUP, 0, At(-5, 700))};
    EXPECT_EQ(received, expected);
    EXPECT_EQ(GET_X_LPARAM(received[0].lParam), -5);

    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, -5);
    EXPECT_EQ(cursor.y, 700);
    EXPECT_EQ(WindowFromPoint(cursor), nullptr);
    Run({Motion(799, 599)});
    GetCursorPos(&cursor);
    EXPECT_EQ(WindowFromPoint(cursor), mWindow);
}

} // namespace
