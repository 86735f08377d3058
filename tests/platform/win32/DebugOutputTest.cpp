#include "platform/win32/DebugOutput.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string gCaptured;

void Capture(const char* text) { gCaptured += text; }

TEST(DebugOutput, GoesToTheInstalledSinkAndNowhereWhenSilenced)
{
    gCaptured.clear();
    Win32::SetDebugOutputSink(&Capture);
    Win32::OutputDebugStringA("first\n");
    Win32::OutputDebugStringA(nullptr);
    Win32::SetDebugOutputSink(nullptr);
    Win32::OutputDebugStringA("silenced\n");
    Win32::SetDebugOutputSink(&Win32::WriteDebugOutputToStderr);
    EXPECT_EQ(gCaptured, "first\n");
}

} // namespace
