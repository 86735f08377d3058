#include "platform/win32/Process.h"

#include "platform/win32/Kernel.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

namespace Win32 {
namespace {

DWORD Fail(const DWORD error)
{
    SetLastError(error);
    return 0;
}

std::string ReadExecutablePath()
{
    std::string path(256, '\0');
    while (true) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            return {};
        // readlink cuts a long target silently; a full buffer may mean there was more.
        if (static_cast<size_t>(length) < path.size()) {
            path.resize(static_cast<size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The executable does not move while the process runs.
const std::string& ExecutablePath()
{
    static const std::string path = ReadExecutablePath();
    return path;
}

bool HasBlank(const std::string& text) { return text.find_first_of(" \t") != std::string::npos; }

std::string BuildCommandLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (i > 0)
            line += ' ';
        const bool quoted = HasBlank(argument) || (i > 0 && argument.empty());
        if (quoted)
            line += '"' + argument + '"';
        else
            line += argument;
    }
    return line;
}

std::vector<std::string> ReadSystemArguments()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> arguments;
    size_t start = 0;
    while (start < content.size()) {
        const size_t nul = content.find('\0', start);
        const size_t end = nul == std::string::npos ? content.size() : nul;
        arguments.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

struct CommandLines {
    std::mutex mutex;
    // Every line ever set, so that a pointer handed out stays valid when a new line is set.
    std::deque<std::string> lines;
};

CommandLines& TheCommandLines()
{
    static CommandLines commandLines;
    return commandLines;
}

// Read without the lock once set.
std::atomic<const char*> gCommandLine{nullptr};

const char* PublishLocked(CommandLines& commandLines, std::string line)
{
    commandLines.lines.push_back(std::move(line));
    const char* const text = commandLines.lines.back().c_str();
    gCommandLine.store(text, std::memory_order_release);
    return text;
}

} // namespace

DWORD GetModuleFileNameA(HMODULE module, char* buffer, const DWORD size)
{
    // Loaded libraries keep their paths with the library loader; here only the executable
    // itself is known.
    if (module != nullptr)
        return Fail(ERROR_MOD_NOT_FOUND);
    if (buffer == nullptr && size != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string& path = ExecutablePath();
    if (path.empty())
        return Fail(ERROR_FILE_NOT_FOUND);
    if (size == 0)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (path.size() < size) {
        std::memcpy(buffer, path.c_str(), path.size() + 1);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

void SetCommandLine(const int argc, char** argv)
{
    std::vector<std::string> arguments;
    for (int i = 0; argv != nullptr && i < argc && argv[i] != nullptr; ++i)
        arguments.emplace_back(argv[i]);
    CommandLines& commandLines = TheCommandLines();
    const std::lock_guard lock(commandLines.mutex);
    PublishLocked(commandLines, BuildCommandLine(arguments));
}

const char* GetCommandLineA()
{
    if (const char* const line = gCommandLine.load(std::memory_order_acquire))
        return line;
    CommandLines& commandLines = TheCommandLines();
    const std::lock_guard lock(commandLines.mutex);
    if (const char* const line = gCommandLine.load(std::memory_order_acquire))
        return line;
    return PublishLocked(commandLines, BuildCommandLine(ReadSystemArguments()));
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

// Not cached: a forked child's thread must get its own id.
DWORD GetCurrentThreadId() { return static_cast<DWORD>(gettid()); }

void ExitProcess(const UINT exitCode)
{
    std::cout.flush();
    std::clog.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(static_cast<int>(exitCode));
}

} // namespace Win32
