#include "framework/app/common/Debug.h"

#include "framework/app/common/StringHelpers.h"
#include "platform/win32/DebugOutput.h"

#include <cstdarg>

namespace Zest {

void OutputDebug(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatStringV(format, args);
    va_end(args);
    Win32::OutputDebugStringA(text.c_str());
}

} // namespace Zest
