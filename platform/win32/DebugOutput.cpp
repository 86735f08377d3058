#include "platform/win32/DebugOutput.h"

#include <atomic>
#include <cstdio>

namespace Win32 {
namespace {

std::atomic<DebugOutputSink> gSink{&WriteDebugOutputToStderr};

} // namespace

void WriteDebugOutputToStderr(const char* text) { std::fputs(text, stderr); }

void SetDebugOutputSink(DebugOutputSink sink) { gSink.store(sink); }

void OutputDebugStringA(const char* text)
{
    const DebugOutputSink sink = gSink.load();
    if (sink != nullptr && text != nullptr)
        sink(text);
}

} // namespace Win32
