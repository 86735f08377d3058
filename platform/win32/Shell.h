#pragma once
// Opening a web page or a file with the desktop's own program.

#include "platform/win32/Types.h"

namespace Win32 {

// Only the "open" operation (or none) is known. The result, read as an integer, is above
// 32 when the desktop took the request.
HINSTANCE ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                        const char* directory, int showCommand);

} // namespace Win32
