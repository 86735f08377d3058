#include "platform/win32/Shell.h"

#include "platform/win32/Kernel.h"
#include "platform/win32/Text.h"

#include <SDL.h>

#include <cstring>

namespace Win32 {
namespace {

HINSTANCE ShellResult(const intptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

// The documented answers: accepted, and "no program is associated".
constexpr intptr_t kAccepted = 33;
constexpr intptr_t kNoAssociation = 31;

} // namespace

HINSTANCE ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                        const char* directory, int showCommand)
{
    if (file == nullptr || *file == '\0' || (operation != nullptr && std::strcmp(operation, "open") != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ShellResult(kNoAssociation);
    }
    return ShellResult(SDL_OpenURL(Latin1ToUtf8(file).c_str()) == 0 ? kAccepted : kNoAssociation);
}

} // namespace Win32
