// A second process for the single-instance tests.
//
//   single_instance_probe <mutex name> <mode> <timeout ms>
//
// Creates the named mutex and prints "first" or "exists" on its own line. A copy that
// finds the mutex existing broadcasts message 0xC123 (wParam 7, lParam -5) in mode "run"
// and exits 0. A first copy then, by mode:
//   run    waits for messages from other copies, prints "received <message> <wParam>
//          <lParam>" for each and exits 0, or prints "timeout" and exits 3;
//   hold   keeps the mutex until killed or the timeout passes, then exits 0;
//   check  closes the mutex and exits 0.
// Exits 4 when the mutex cannot be created and 2 on bad arguments.

#include "platform/win32/Kernel.h"
#include "platform/win32/SingleInstance.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr Win32::UINT kNotifyMessage = 0xC123;
constexpr Win32::WPARAM kNotifyWParam = 7;
constexpr Win32::LPARAM kNotifyLParam = -5;
constexpr auto kPollInterval = std::chrono::milliseconds(10);

void PrintLine(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int WaitForMessages(const std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const std::vector<Win32::BroadcastMessage> messages = Win32::TakeBroadcastsFromOtherInstances();
        for (const Win32::BroadcastMessage& message : messages) {
            PrintLine("received " + std::to_string(message.message) + " " + std::to_string(message.wParam) + " "
                      + std::to_string(message.lParam));
        }
        if (!messages.empty())
            return 0;
        std::this_thread::sleep_for(kPollInterval);
    }
    PrintLine("timeout");
    return 3;
}

void Hold(const std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPollInterval);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string mode = argv[2];
    if (mode != "run" && mode != "hold" && mode != "check")
        return 2;
    const std::chrono::milliseconds timeout(std::strtol(argv[3], nullptr, 10));

    const Win32::HANDLE mutex = Win32::CreateMutexA(nullptr, 1, argv[1]);
    const Win32::DWORD error = Win32::GetLastError();
    if (mutex == nullptr) {
        PrintLine("failed " + std::to_string(error));
        return 4;
    }
    int result = 0;
    if (error == Win32::ERROR_ALREADY_EXISTS) {
        PrintLine("exists");
        if (mode == "run")
            Win32::BroadcastToOtherInstances(kNotifyMessage, kNotifyWParam, kNotifyLParam);
    } else {
        PrintLine("first");
        if (mode == "run")
            result = WaitForMessages(timeout);
        else if (mode == "hold")
            Hold(timeout);
    }
    Win32::CloseHandle(mutex);
    return result;
}
