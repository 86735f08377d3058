#include "platform/win32/EventTranslation.h"

#include "platform/win32/Input.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Text.h"
#include "platform/win32/Window.h"
#include "platform/win32/WindowSystem.h"

namespace Win32::EventTranslation {
namespace {

// Hit-test code of the client area, as WM_SETCURSOR reports it.
constexpr WPARAM HTCLIENT = 1;
// Bits of a key message's lParam.
constexpr LPARAM kAltHeld = LPARAM{1} << 29;
constexpr LPARAM kWasDown = LPARAM{1} << 30;
constexpr LPARAM kReleased = static_cast<LPARAM>(uint32_t{1} << 31);

// Modifier keys as the last key event reported them. Text input carries none of its own.
Uint16 gModifiers = KMOD_NONE;
// Mouse buttons held, as MK_ flags.
WPARAM gButtons = 0;

bool AltHeld() { return (gModifiers & KMOD_ALT) != 0; }
bool CtrlHeld() { return (gModifiers & KMOD_CTRL) != 0; }
bool ShiftHeld() { return (gModifiers & KMOD_SHIFT) != 0; }

int VirtualKeyFromScancode(const SDL_Scancode scancode)
{
    switch (scancode) {
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    default: return 0;
    }
}

// Letters and digits by the character the key types (so the layout decides, as on the
// desktop the program was written for), other keys by their meaning, and keys that type
// letters outside ASCII by their position.
int VirtualKeyFromSdl(const SDL_Keysym& key)
{
    const SDL_Keycode code = key.sym;
    if (code >= SDLK_a && code <= SDLK_z)
        return 'A' + (code - SDLK_a);
    if (code >= SDLK_0 && code <= SDLK_9)
        return '0' + (code - SDLK_0);
    if (code >= SDLK_F1 && code <= SDLK_F12)
        return VK_F1 + (code - SDLK_F1);
    if (code >= SDLK_KP_1 && code <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (code - SDLK_KP_1);
    switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    default: return VirtualKeyFromScancode(key.scancode);
    }
}

WPARAM MouseKeyFlags()
{
    WPARAM flags = gButtons;
    if (ShiftHeld())
        flags |= MK_SHIFT;
    if (CtrlHeld())
        flags |= MK_CONTROL;
    return flags;
}

WPARAM ButtonFlag(const Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return MK_LBUTTON;
    case SDL_BUTTON_RIGHT: return MK_RBUTTON;
    case SDL_BUTTON_MIDDLE: return MK_MBUTTON;
    default: return 0;
    }
}

bool InsideClient(HWND window, const int x, const int y)
{
    RECT client{};
    return GetClientRect(window, &client) != 0 && x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

// Mouse messages go to the window holding the capture, else to the window under the mouse.
HWND MouseTarget(HWND eventWindow)
{
    HWND captured = GetCapture();
    return captured != nullptr ? captured : eventWindow;
}

void TranslateKey(HWND window, const SDL_KeyboardEvent& key)
{
    gModifiers = key.keysym.mod;
    WindowSystem::NoteUserInput();
    const int virtualKey = VirtualKeyFromSdl(key.keysym);
    if (virtualKey == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    // Keys pressed with Alt (and F10, and Alt itself) are system keys, except with Ctrl,
    // which together with Alt types characters on many layouts.
    const bool system = ((AltHeld() || virtualKey == VK_MENU) && !CtrlHeld()) || virtualKey == VK_F10;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(key.keysym.scancode & 0xFF) << 16);
    if (AltHeld())
        lParam |= kAltHeld;
    if (!down)
        lParam |= kWasDown | kReleased;
    else if (key.repeat != 0)
        lParam |= kWasDown;
    WindowSystem::Post(window, message, static_cast<WPARAM>(virtualKey), lParam);
}

void TranslateText(HWND window, const SDL_TextInputEvent& text)
{
    // With Ctrl or Alt held, TranslateMessage makes the character from the key instead.
    if (CtrlHeld() || AltHeld())
        return;
    WindowSystem::NoteUserInput();
    for (const char32_t codePoint : DecodeUtf8(text.text)) {
        if (codePoint >= 32 && codePoint <= 255 && codePoint != 127)
            WindowSystem::Post(window, WM_CHAR, codePoint, 1);
    }
}

void TranslateMotion(HWND window, const SDL_MouseMotionEvent& motion)
{
    WindowSystem::SetCursorPosition(motion.x, motion.y);
    WindowSystem::NoteUserInput();
    const bool inside = InsideClient(window, motion.x, motion.y);
    if (inside)
        WindowSystem::SetMouseWindow(window);
    else if (WindowSystem::MouseWindow() == window)
        WindowSystem::SetMouseWindow(nullptr);
    if (inside && GetCapture() == nullptr)
        WindowSystem::Send(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    WindowSystem::Post(MouseTarget(window), WM_MOUSEMOVE, MouseKeyFlags(), MAKELPARAM(motion.x, motion.y));
}

void TranslateButton(HWND window, const SDL_MouseButtonEvent& button)
{
    const WPARAM flag = ButtonFlag(button.button);
    if (flag == 0)
        return;
    WindowSystem::SetCursorPosition(button.x, button.y);
    WindowSystem::NoteUserInput();
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    gButtons = down ? (gButtons | flag) : (gButtons & ~flag);

    const Window* state = WindowSystem::Find(window);
    // Every second click of a quick series is a double click, for classes that ask.
    const bool doubleClick =
        down && button.clicks >= 2 && button.clicks % 2 == 0 && state != nullptr && (state->classStyle & CS_DBLCLKS) != 0;
    UINT message = 0;
    switch (button.button) {
    case SDL_BUTTON_LEFT: message = !down ? WM_LBUTTONUP : doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN; break;
    case SDL_BUTTON_RIGHT: message = !down ? WM_RBUTTONUP : doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN; break;
    default: message = !down ? WM_MBUTTONUP : doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN; break;
    }
    WindowSystem::Post(MouseTarget(window), message, MouseKeyFlags(), MAKELPARAM(button.x, button.y));
}

void TranslateWheel(HWND window, const SDL_MouseWheelEvent& wheel)
{
    const int notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    if (notches == 0)
        return;
    WindowSystem::NoteUserInput();
    POINT cursor{};
    GetCursorPos(&cursor);
    const WPARAM wParam = MouseKeyFlags() | (static_cast<WPARAM>(static_cast<uint16_t>(notches * WHEEL_DELTA)) << 16);
    WindowSystem::Post(MouseTarget(window), WM_MOUSEWHEEL, wParam, MAKELPARAM(cursor.x, cursor.y));
}

void SendToAllWindows(const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    for (HWND window : WindowSystem::AllWindows())
        WindowSystem::Send(window, message, wParam, lParam);
}

LPARAM ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return MAKELPARAM(client.right, client.bottom);
}

void TranslateWindowEvent(HWND handle, const SDL_WindowEvent& event)
{
    Window* window = WindowSystem::Find(handle);
    if (window == nullptr)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
        window->needsPaint = true;
        break;
    case SDL_WINDOWEVENT_MOVED: {
        const int width = window->rect.right - window->rect.left;
        const int height = window->rect.bottom - window->rect.top;
        window->rect = {event.data1, event.data2, event.data1 + width, event.data2 + height};
        WindowSystem::Send(handle, WM_MOVE, 0, MAKELPARAM(event.data1, event.data2));
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        window->minimized = true;
        WindowSystem::Send(handle, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        window->maximized = true;
        WindowSystem::Send(handle, WM_SIZE, SIZE_MAXIMIZED, ClientSize(handle));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (window->minimized || window->maximized) {
            window->minimized = false;
            window->maximized = false;
            WindowSystem::Send(handle, WM_SIZE, SIZE_RESTORED, ClientSize(handle));
        }
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        WindowSystem::SetActiveWindow(handle);
        SendToAllWindows(WM_ACTIVATEAPP, 1, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (WindowSystem::ActiveWindow() == handle)
            WindowSystem::SetActiveWindow(nullptr);
        SendToAllWindows(WM_ACTIVATEAPP, 0, 0);
        break;
    case SDL_WINDOWEVENT_ENTER:
        WindowSystem::SetMouseWindow(handle);
        break;
    case SDL_WINDOWEVENT_LEAVE:
        if (WindowSystem::MouseWindow() == handle && GetCapture() == nullptr)
            WindowSystem::SetMouseWindow(nullptr);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        WindowSystem::Post(handle, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

Uint32 EventWindowId(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_MOUSEWHEEL: return event.wheel.windowID;
    case SDL_WINDOWEVENT: return event.window.windowID;
    default: return 0;
    }
}

char SystemCharacter(const int virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<char>(ShiftHeld() ? virtualKey : virtualKey - 'A' + 'a');
    if ((virtualKey >= '0' && virtualKey <= '9') || virtualKey == VK_SPACE)
        return static_cast<char>(virtualKey);
    switch (virtualKey) {
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}

char ControlCharacter(const int virtualKey)
{
    if (CtrlHeld() && !AltHeld() && virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<char>(virtualKey - 'A' + 1);
    switch (virtualKey) {
    case VK_RETURN: return CtrlHeld() ? '\n' : '\r';
    case VK_BACK: return CtrlHeld() ? 127 : '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}

} // namespace

bool TranslateNextEvent()
{
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0)
        return false;
    if (event.type == SDL_QUIT) {
        // Only a signal asks SDL to quit (closing a window is WM_CLOSE): the session ends.
        SendToAllWindows(WM_ENDSESSION, 1, 0);
        return true;
    }
    HWND window = WindowSystem::FindBySdlId(EventWindowId(event));
    if (window == nullptr)
        return true;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(window, event.key); break;
    case SDL_TEXTINPUT: TranslateText(window, event.text); break;
    case SDL_MOUSEMOTION: TranslateMotion(window, event.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(window, event.button); break;
    case SDL_MOUSEWHEEL: TranslateWheel(window, event.wheel); break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(window, event.window); break;
    default: break;
    }
    return true;
}

bool CharacterForKey(const MSG& keyDown, MSG* character)
{
    const int virtualKey = static_cast<int>(keyDown.wParam);
    UINT message = 0;
    char value = 0;
    if (keyDown.message == WM_SYSKEYDOWN) {
        message = WM_SYSCHAR;
        value = SystemCharacter(virtualKey);
    } else if (keyDown.message == WM_KEYDOWN) {
        message = WM_CHAR;
        value = ControlCharacter(virtualKey);
    }
    if (value == 0)
        return false;
    *character = keyDown;
    character->message = message;
    character->wParam = static_cast<unsigned char>(value);
    return true;
}

} // namespace Win32::EventTranslation
