#include "platform/win32/Process.h"

#include "platform/win32/Kernel.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace Win32;
namespace fs = std::filesystem;

// The exit status of a child process that runs body and then ends itself.
template <typename Body>
int RunInChild(const Body& body)
{
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(100);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(ProcessModuleFileName, NamesThisProgramInNativeForm)
{
    char buffer[4096];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(buffer), length);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    const fs::path path(buffer);
    EXPECT_TRUE(path.is_absolute()) << buffer;
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe")) << buffer;
}

TEST(ProcessModuleFileName, ShortBuffersGetATruncatedPathAndAnError)
{
    char full[4096];
    const DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
    ASSERT_GT(length, 1u);
    const std::string path(full, length);

    constexpr char kCanary = '#';
    constexpr size_t kGuard = 8;
    struct Case {
        DWORD size;
        DWORD result;
        // Characters copied before the NUL; -1 when nothing may be written.
        int copied;
        LONG error;
    };
    const int whole = static_cast<int>(length);
    const Case cases[] = {
        {length + 1, length, whole, ERROR_SUCCESS},
        {length, length, whole - 1, ERROR_INSUFFICIENT_BUFFER},
        {1, 1, 0, ERROR_INSUFFICIENT_BUFFER},
        {0, 0, -1, ERROR_INSUFFICIENT_BUFFER},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(c.size + kGuard, kCanary);
        SetLastError(12345);
        EXPECT_EQ(GetModuleFileNameA(nullptr, buffer.data(), c.size), c.result) << c.size;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.size;
        if (c.copied >= 0)
            EXPECT_EQ(std::string(buffer.data()), path.substr(0, static_cast<size_t>(c.copied))) << c.size;
        else
            EXPECT_EQ(buffer[0], kCanary) << c.size;
        EXPECT_TRUE(std::all_of(buffer.end() - kGuard, buffer.end(), [](const char b) { return b == kCanary; }))
            << c.size;
    }
}

TEST(ProcessModuleFileName, RefusesOtherModulesAndAMissingBuffer)
{
    char buffer[16];
    int notAModule = 0;
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(&notAModule), buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleFileNameA(nullptr, nullptr, 16), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

void SetArguments(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    SetCommandLine(static_cast<int>(arguments.size()), argv.data());
}

TEST(ProcessCommandLine, QuotesTheProgramAndArgumentsThatNeedIt)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* line;
    };
    const Case cases[] = {
        {{"game"}, "game"},
        {{"/opt/my game/game", "-demo", "a b"}, "\"/opt/my game/game\" -demo \"a b\""},
        {{"./game", "", "x"}, "./game \"\" x"},
        {{"game", "tab\there", "-w"}, "game \"tab\there\" -w"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        SetArguments(c.arguments);
        EXPECT_STREQ(GetCommandLineA(), c.line);
    }
}

TEST(ProcessCommandLine, EarlierLinesStayReadableAfterANewOneIsSet)
{
    SetArguments({"first", "run"});
    const char* const first = GetCommandLineA();
    SetArguments({"second"});
    EXPECT_STREQ(GetCommandLineA(), "second");
    EXPECT_STREQ(first, "first run");
}

TEST(ProcessCommandLine, BadArgumentListsGiveAShortLine)
{
    SetCommandLine(3, nullptr);
    EXPECT_STREQ(GetCommandLineA(), "");
    char program[] = "game";
    char* argv[] = {program, nullptr};
    SetCommandLine(5, argv);
    EXPECT_STREQ(GetCommandLineA(), "game");
    SetCommandLine(-1, argv);
    EXPECT_STREQ(GetCommandLineA(), "");
}

TEST(ProcessCommandLineDeathTest, IsReadFromTheSystemUntilMainSetsIt)
{
    // This style runs the statement in a newly started copy of this program, whose
    // arguments name this test and where nothing has set the line.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::string line = GetCommandLineA();
            std::fputs(line.c_str(), stderr);
            const bool found =
                line.find(" --gtest_filter=ProcessCommandLineDeathTest.IsReadFromTheSystemUntilMainSetsIt") !=
                std::string::npos;
            std::fflush(stderr);
            _exit(found ? 0 : 1);
        },
        testing::ExitedWithCode(0), "platform_win32_tests");
}

TEST(ProcessIds, EachThreadHasItsOwnStableId)
{
    const DWORD mainThread = GetCurrentThreadId();
    EXPECT_EQ(GetCurrentThreadId(), mainThread);
    DWORD other = 0;
    DWORD otherAgain = 0;
    std::thread([&] {
        other = GetCurrentThreadId();
        otherAgain = GetCurrentThreadId();
    }).join();
    EXPECT_NE(other, 0u);
    EXPECT_NE(other, mainThread);
    EXPECT_EQ(other, otherAgain);
}

TEST(ProcessIds, AForkedChildHasIdsOfItsOwn)
{
    const DWORD parentProcess = GetCurrentProcessId();
    const DWORD parentThread = GetCurrentThreadId();
    EXPECT_EQ(RunInChild([&] {
                  const bool own = GetCurrentProcessId() != parentProcess && GetCurrentThreadId() != parentThread;
                  _exit(own ? 0 : 1);
              }),
              0);
}

FILE* gExitOutput = nullptr;

TEST(ProcessExit, EndsAtOnceWithTheCodeAfterFlushingTheStreams)
{
    const Tests::TemporaryFolder folder;
    const std::string path = folder.File("out.txt").string();
    const int status = RunInChild([&] {
        gExitOutput = std::fopen(path.c_str(), "w");
        if (gExitOutput == nullptr)
            _exit(101);
        std::atexit([] { std::fputs(" and exit handlers ran", gExitOutput); });
        std::fputs("buffered text", gExitOutput);
        ExitProcess(7);
    });
    EXPECT_EQ(status, 7);
    EXPECT_EQ(Tests::ReadBytes(path), "buffered text");
}

} // namespace
