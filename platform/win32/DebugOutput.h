#pragma once
// Diagnostic text for developers. It goes to stderr by default; a sink can take it
// instead, or null silences it.

namespace Win32 {

using DebugOutputSink = void (*)(const char* text);

// The sink that writes to stderr, installed at start.
void WriteDebugOutputToStderr(const char* text);

void SetDebugOutputSink(DebugOutputSink sink);

void OutputDebugStringA(const char* text);

} // namespace Win32
