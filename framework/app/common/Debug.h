#pragma once
// Formatted diagnostic text for developers (Win32::SetDebugOutputSink chooses where it goes).

namespace Zest {

void OutputDebug(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace Zest
