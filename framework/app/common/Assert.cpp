#include "framework/app/common/Assert.h"

#include "framework/app/common/StringHelpers.h"
#include "platform/win32/DebugOutput.h"

#include <cstdlib>

namespace Zest {

// Straight to stderr rather than through the installed sink: a sink may be silent or
// capture the text for later, and the process ends here.
void FailAssertion(const char* const condition, const char* const file, const int line)
{
    const std::string text = FormatString("Assertion failed: %s at %s:%d\n", condition, file, line);
    Win32::WriteDebugOutputToStderr(text.c_str());
    std::abort();
}

} // namespace Zest
