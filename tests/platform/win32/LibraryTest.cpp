#include "platform/win32/Library.h"

#include "platform/win32/Input.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Process.h"
#include "platform/win32/SystemLibraries.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Tests::ScopedEnvironment;
using Tests::TemporaryFolder;

using AddFunction = int (*)(int, int);
using NameFunction = const char* (*)();
using CountFunction = int (*)();

template <typename Function>
Function Bind(const Win32::HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(Win32::GetProcAddress(module, name));
}

fs::path ExecutablePath() { return fs::read_symlink("/proc/self/exe"); }

std::vector<char> ExecutableVersionBlock()
{
    const std::string path = ExecutablePath().string();
    const Win32::DWORD size = Win32::GetFileVersionInfoSizeA(path.c_str(), nullptr);
    std::vector<char> block(size);
    if (size == 0 || !Win32::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

constexpr const char* kProductVersionQuery = "\\StringFileInfo\\040904B0\\ProductVersion";

TEST(Library, LoadsAProjectModuleByItsWindowsName)
{
    for (const char* name : {"testlib.dll", "TESTLIB.DLL", ".\\testlib.dll", "testlib", "C:\\Games\\Plugins/TestLib.Dll"}) {
        SCOPED_TRACE(name);
        const Win32::HMODULE module = Win32::LoadLibraryA(name);
        ASSERT_NE(module, nullptr);
        const auto add = Bind<AddFunction>(module, "TestAdd");
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add(2, 3), 5);
        EXPECT_EQ(Bind<AddFunction>(module, "_TestAdd@8"), add);
        const auto testName = Bind<NameFunction>(module, "TestName");
        ASSERT_NE(testName, nullptr);
        EXPECT_STREQ(testName(), "testlib");
        EXPECT_EQ(Win32::FreeLibrary(module), 1);
    }
}

TEST(Library, MissingEntryPointGivesNullAndProcNotFound)
{
    const Win32::HMODULE module = Win32::LoadLibraryA("testlib.dll");
    ASSERT_NE(module, nullptr);
    // "_TestAdd" and "TestAdd@8" are not decorated names, so they are looked up as given.
    for (const char* name : {"NoSuchFunction", "_NoSuchFunction@4", "_TestAdd", "TestAdd@8", "testadd", ""}) {
        SCOPED_TRACE(name);
        Win32::SetLastError(0);
        EXPECT_EQ(Win32::GetProcAddress(module, name), nullptr);
        EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_PROC_NOT_FOUND));
    }
    EXPECT_EQ(Win32::GetProcAddress(module, nullptr), nullptr);
    EXPECT_EQ(Win32::GetProcAddress(module, reinterpret_cast<const char*>(1)), nullptr);
    EXPECT_EQ(Win32::FreeLibrary(module), 1);
}

TEST(Library, MissingLibraryGivesNullAndModNotFound)
{
    for (const char* name : {"nosuchlibrary.dll", "PASSWORD.CPL", "IMAGEHLP.DLL", "d3d8.dll", "advapi32.dll", "", "plugins\\"}) {
        SCOPED_TRACE(name);
        Win32::SetLastError(0);
        EXPECT_EQ(Win32::LoadLibraryA(name), nullptr);
        EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_MOD_NOT_FOUND));
    }
    EXPECT_EQ(Win32::LoadLibraryA(nullptr), nullptr);
}

TEST(Library, EachLoadNeedsItsOwnFreeAndTheLastOneUnloads)
{
    const Win32::HMODULE first = Win32::LoadLibraryA("testlib.dll");
    ASSERT_NE(first, nullptr);
    const auto count = Bind<CountFunction>(first, "TestNextCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 1);
    const Win32::HMODULE second = Win32::LoadLibraryA("TESTLIB.DLL");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Bind<CountFunction>(second, "TestNextCount")(), 2);

    EXPECT_EQ(Win32::FreeLibrary(first), 1);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(Win32::FreeLibrary(second), 1);
    Win32::SetLastError(0);
    EXPECT_EQ(Win32::FreeLibrary(second), 0);
    EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_INVALID_HANDLE));

    const Win32::HMODULE reloaded = Win32::LoadLibraryA("testlib.dll");
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(Bind<CountFunction>(reloaded, "TestNextCount")(), 1);
    EXPECT_EQ(Win32::FreeLibrary(reloaded), 1);
}

TEST(Library, HandlesItDidNotHandOutAreRejected)
{
    int notAModule = 0;
    for (const Win32::HMODULE module : {static_cast<Win32::HMODULE>(nullptr), reinterpret_cast<Win32::HMODULE>(&notAModule)}) {
        Win32::SetLastError(0);
        EXPECT_EQ(Win32::FreeLibrary(module), 0);
        EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_INVALID_HANDLE));
        EXPECT_EQ(Win32::GetProcAddress(module, "TestAdd"), nullptr);
    }
}

TEST(Library, NullModuleNameStandsForTheProgram)
{
    const Win32::HMODULE program = Win32::GetModuleHandleA(nullptr);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(Win32::GetModuleHandleA(nullptr), program);
    EXPECT_EQ(Win32::GetProcAddress(program, "TestAdd"), nullptr);
    EXPECT_EQ(Win32::FreeLibrary(program), 1);
    EXPECT_EQ(Win32::GetModuleHandleA(nullptr), program);
}

TEST(Library, LoadsAndFreesFromManyThreadsKeepTheCountRight)
{
    const Win32::HMODULE held = Win32::LoadLibraryA("testlib.dll");
    ASSERT_NE(held, nullptr);
    const auto count = Bind<CountFunction>(held, "TestNextCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 1);

    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&failures] {
            for (int i = 0; i < 100; ++i) {
                const Win32::HMODULE module = Win32::LoadLibraryA("testlib.dll");
                const auto add = module != nullptr ? Bind<AddFunction>(module, "_TestAdd@8") : nullptr;
                if (add == nullptr || add(i, 1) != i + 1 || Win32::FreeLibrary(module) != 1)
                    ++failures;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);

    // The held load kept the library in memory throughout; freeing it unloads the library.
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(Win32::FreeLibrary(held), 1);
    const Win32::HMODULE reloaded = Win32::LoadLibraryA("testlib.dll");
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(Bind<CountFunction>(reloaded, "TestNextCount")(), 1);
    EXPECT_EQ(Win32::FreeLibrary(reloaded), 1);
}

TEST(LibraryEntryPointName, StripsOnlyTheExactDecoratedForm)
{
    struct Case {
        const char* name;
        const char* plain;
    };
    const Case cases[] = {
        {"_J2K_Decode@20", "J2K_Decode"},
        {"_FSOUND_Init@12", "FSOUND_Init"},
        {"_Close@0", "Close"},
        {"__Hidden@4", "_Hidden"},
        {"_plain", "_plain"},
        {"Plain@4", "Plain@4"},
        {"@Fast@8", "@Fast@8"},
        {"_@4", "_@4"},
        {"_Name@", "_Name@"},
        {"_Name@4x", "_Name@4x"},
        {"_Name@-4", "_Name@-4"},
        {"_Two@4@8", "_Two@4@8"},
        {"_Da-sh@4", "_Da-sh@4"},
        {"_9Lives@4", "_9Lives@4"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Win32::PlainEntryPointName(c.name), c.plain) << c.name;
}

TEST(SystemLibraries, ServedLibrariesAnswerFromTheirTables)
{
    struct Case {
        const char* library;
        const char* entryPoint;
        Win32::FARPROC expected;
    };
    const Case cases[] = {
        {"version.dll", "GetFileVersionInfoSizeA", reinterpret_cast<Win32::FARPROC>(&Win32::GetFileVersionInfoSizeA)},
        {"VERSION.DLL", "GetFileVersionInfoA", reinterpret_cast<Win32::FARPROC>(&Win32::GetFileVersionInfoA)},
        {"version.dll", "VerQueryValueA", reinterpret_cast<Win32::FARPROC>(&Win32::VerQueryValueA)},
        {"user32.dll", "GetLastInputInfo", reinterpret_cast<Win32::FARPROC>(&Win32::GetLastInputInfo)},
        {"C:\\Windows\\System32\\USER32.dll", "_GetLastInputInfo@4", reinterpret_cast<Win32::FARPROC>(&Win32::GetLastInputInfo)},
        {"shell32.dll", "SHGetFolderPathA", reinterpret_cast<Win32::FARPROC>(&Win32::SHGetFolderPathA)},
        {"SHFOLDER.DLL", "SHGetFolderPathA", reinterpret_cast<Win32::FARPROC>(&Win32::SHGetFolderPathA)},
        {"user32.dll", "SHGetFolderPathA", nullptr},
        {"version.dll", "MessageBoxA", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.library) + " " + c.entryPoint);
        const Win32::HMODULE module = Win32::LoadLibraryA(c.library);
        ASSERT_NE(module, nullptr);
        Win32::SetLastError(0);
        EXPECT_EQ(Win32::GetProcAddress(module, c.entryPoint), c.expected);
        if (c.expected == nullptr) {
            EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_PROC_NOT_FOUND));
        }
        EXPECT_EQ(Win32::FreeLibrary(module), 1);
    }
}

TEST(SystemLibraries, ProductVersionOfTheRunningExecutableIsTheSameForBothCodePages)
{
    const std::string path = ExecutablePath().string();
    Win32::DWORD handle = 99;
    const Win32::DWORD size = Win32::GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(handle, 0u);
    std::vector<char> block(size);
    ASSERT_EQ(Win32::GetFileVersionInfoA(path.c_str(), handle, size, block.data()), 1);

    std::optional<std::string> version;
    for (const char* query : {"\\StringFileInfo\\040904B0\\ProductVersion", "\\StringFileInfo\\040904E4\\ProductVersion",
             "\\stringfileinfo\\040904b0\\PRODUCTVERSION"}) {
        SCOPED_TRACE(query);
        void* buffer = nullptr;
        Win32::UINT length = 0;
        ASSERT_EQ(Win32::VerQueryValueA(block.data(), query, &buffer, &length), 1);
        const char* const text = static_cast<const char*>(buffer);
        ASSERT_GE(text, block.data());
        ASSERT_LE(text + length, block.data() + block.size());
        EXPECT_EQ(length, std::strlen(text) + 1);
        EXPECT_GT(std::strlen(text), 0u);
        if (!version)
            version = text;
        EXPECT_EQ(text, *version);
    }
}

TEST(SystemLibraries, ExecutableHasItsVersionUnderAnyPathThatLeadsToIt)
{
    const TemporaryFolder folder;
    const fs::path link = folder.Path() / "game.exe";
    fs::create_symlink(ExecutablePath(), link);
    std::string backslashed = ExecutablePath().string();
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');

    const Win32::DWORD size = Win32::GetFileVersionInfoSizeA(ExecutablePath().c_str(), nullptr);
    ASSERT_GT(size, 0u);
    for (const std::string& path : {link.string(), backslashed}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Win32::GetFileVersionInfoSizeA(path.c_str(), nullptr), size);
    }
}

TEST(SystemLibraries, VersionBlockIsNeverWrittenPastTheGivenSize)
{
    const std::string path = ExecutablePath().string();
    const Win32::DWORD size = Win32::GetFileVersionInfoSizeA(path.c_str(), nullptr);
    ASSERT_GT(size, 1u);
    constexpr unsigned char kCanary = 0xAB;
    std::vector<unsigned char> buffer(size + 16, kCanary);
    for (const Win32::DWORD tooSmall : {Win32::DWORD{0}, Win32::DWORD{1}, size / 2, size - 1}) {
        SCOPED_TRACE(tooSmall);
        Win32::SetLastError(0);
        EXPECT_EQ(Win32::GetFileVersionInfoA(path.c_str(), 0, tooSmall, buffer.data()), 0);
        EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_INSUFFICIENT_BUFFER));
        for (size_t i = tooSmall; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], kCanary) << "byte " << i;
    }
    ASSERT_EQ(Win32::GetFileVersionInfoA(path.c_str(), 0, size, buffer.data()), 1);
    for (size_t i = size; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], kCanary) << "byte " << i;
}

TEST(SystemLibraries, OtherFilesHaveNoVersion)
{
    const TemporaryFolder folder;
    const fs::path other = folder.Path() / "other.exe";
    std::ofstream(other) << "not the program";

    struct Case {
        std::optional<std::string> path;
        Win32::LONG error;
    };
    const Case cases[] = {
        {other.string(), Win32::ERROR_RESOURCE_DATA_NOT_FOUND},
        {folder.Path().string(), Win32::ERROR_RESOURCE_DATA_NOT_FOUND},
        {(folder.Path() / "missing.exe").string(), Win32::ERROR_FILE_NOT_FOUND},
        {std::nullopt, Win32::ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.value_or("(null)"));
        const char* const path = c.path ? c.path->c_str() : nullptr;
        Win32::SetLastError(0);
        EXPECT_EQ(Win32::GetFileVersionInfoSizeA(path, nullptr), 0u);
        EXPECT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(c.error));
        std::vector<char> buffer(4096, 'Z');
        EXPECT_EQ(Win32::GetFileVersionInfoA(path, 0, static_cast<Win32::DWORD>(buffer.size()), buffer.data()), 0);
        EXPECT_EQ(buffer[0], 'Z');
    }
}

TEST(SystemLibraries, VerQueryValueAnswersOnlyTheProductVersion)
{
    const std::vector<char> block = ExecutableVersionBlock();
    ASSERT_FALSE(block.empty());
    for (const char* query : {"\\", "", "\\StringFileInfo\\040904B0\\FileVersion", "\\StringFileInfo\\040704B0\\ProductVersion",
             "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904B0\\ProductVersion\\", "StringFileInfo\\040904B0\\ProductVersion"}) {
        SCOPED_TRACE(query);
        void* buffer = nullptr;
        Win32::UINT length = 0;
        EXPECT_EQ(Win32::VerQueryValueA(block.data(), query, &buffer, &length), 0);
    }
    void* buffer = nullptr;
    Win32::UINT length = 0;
    EXPECT_EQ(Win32::VerQueryValueA(block.data(), nullptr, &buffer, &length), 0);
    EXPECT_EQ(Win32::VerQueryValueA(nullptr, kProductVersionQuery, &buffer, &length), 0);
    EXPECT_EQ(Win32::VerQueryValueA(block.data(), kProductVersionQuery, nullptr, &length), 0);
    EXPECT_EQ(Win32::VerQueryValueA(block.data(), kProductVersionQuery, &buffer, nullptr), 0);
}

TEST(SystemLibraries, VerQueryValueRejectsBlocksItDidNotMake)
{
    const std::vector<char> genuine = ExecutableVersionBlock();
    ASSERT_FALSE(genuine.empty());

    // Each block is exactly as long as the genuine one, so reading past it is caught.
    std::vector<char> zeros(genuine.size(), 0);
    std::vector<char> unterminated = genuine;
    unterminated.back() = 'x';
    std::vector<char> otherMagic = genuine;
    otherMagic[0] ^= 0x55;
    std::vector<char> longerThanItIs = genuine;
    const uint32_t claimedSize = static_cast<uint32_t>(genuine.size()) + 64;
    std::memcpy(longerThanItIs.data() + 4, &claimedSize, sizeof(claimedSize));

    for (const std::vector<char>* block : {&zeros, &unterminated, &otherMagic, &longerThanItIs}) {
        void* buffer = nullptr;
        Win32::UINT length = 0;
        EXPECT_EQ(Win32::VerQueryValueA(block->data(), kProductVersionQuery, &buffer, &length), 0);
        EXPECT_EQ(buffer, nullptr);
    }
}

TEST(SystemLibraries, LastInputInfoNeedsItsOwnSize)
{
    Win32::LASTINPUTINFO info{sizeof(Win32::LASTINPUTINFO), 12345};
    ASSERT_EQ(Win32::GetLastInputInfo(&info), 1);
    EXPECT_EQ(info.dwTime, Win32::LastInputTick());

    for (const Win32::UINT size : {0u, 4u, static_cast<Win32::UINT>(sizeof(Win32::LASTINPUTINFO) + 1), 0xFFFFFFFFu}) {
        SCOPED_TRACE(size);
        info = {size, 777};
        EXPECT_EQ(Win32::GetLastInputInfo(&info), 0);
        EXPECT_EQ(info.dwTime, 777u);
    }
    EXPECT_EQ(Win32::GetLastInputInfo(nullptr), 0);
}

// HOME points into a temporary folder and XDG_DATA_HOME is unset for each test.
class SystemLibrariesFolder : public testing::Test {
protected:
    std::string Home() const { return (mTemporary.Path() / "home").string(); }

    const TemporaryFolder mTemporary;
    ScopedEnvironment mHome{"HOME", Home().c_str()};
    ScopedEnvironment mDataHome{"XDG_DATA_HOME", nullptr};
};

TEST_F(SystemLibrariesFolder, UsesXdgDataHomeOnlyWhenItIsAbsolute)
{
    const std::string data = (mTemporary.Path() / "data").string();
    const std::string fallback = Home() + "/.local/share";
    struct Case {
        std::optional<std::string> dataHome;
        std::string expected;
    };
    const Case cases[] = {
        {data, data},
        {data + "/", data},
        {std::nullopt, fallback},
        {"", fallback},
        {"relative/data", fallback},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataHome.value_or("(unset)"));
        mDataHome.Set(c.dataHome ? c.dataHome->c_str() : nullptr);
        for (const int folder : {Win32::CSIDL_APPDATA, Win32::CSIDL_COMMON_APPDATA}) {
            char path[Win32::MAX_PATH] = {};
            ASSERT_EQ(Win32::SHGetFolderPathA(nullptr, folder, nullptr, 0, path), Win32::S_OK);
            EXPECT_EQ(std::string(path), c.expected);
        }
    }
}

TEST_F(SystemLibrariesFolder, CreatesTheFolderOnlyWhenAsked)
{
    const fs::path data = mTemporary.Path() / "a" / "b" / "data";
    mDataHome.Set(data.c_str());
    char path[Win32::MAX_PATH] = {};

    ASSERT_EQ(Win32::SHGetFolderPathA(nullptr, Win32::CSIDL_APPDATA, nullptr, 0, path), Win32::S_OK);
    EXPECT_FALSE(fs::exists(data));
    ASSERT_EQ(Win32::SHGetFolderPathA(nullptr, Win32::CSIDL_APPDATA | Win32::CSIDL_FLAG_CREATE, nullptr, 0, path), Win32::S_OK);
    EXPECT_TRUE(fs::is_directory(data));
    EXPECT_EQ(std::string(path), data.string());
    // An existing folder is no obstacle.
    EXPECT_EQ(Win32::SHGetFolderPathA(nullptr, Win32::CSIDL_COMMON_APPDATA | Win32::CSIDL_FLAG_CREATE, nullptr, 0, path), Win32::S_OK);
}

TEST_F(SystemLibrariesFolder, FailsAndWritesNothingWhenItCannotAnswer)
{
    const fs::path file = mTemporary.Path() / "file";
    std::ofstream(file) << "in the way";
    const std::string tooLong = "/" + std::string(Win32::MAX_PATH - 1, 'a');

    struct Case {
        const char* what;
        int folder;
        std::optional<std::string> dataHome;
        bool homeSet;
    };
    const Case cases[] = {
        {"personal folder", 0x0005, std::nullopt, true},
        {"desktop", 0x0000, std::nullopt, true},
        {"local application data", 0x001C, std::nullopt, true},
        {"only the create flag", Win32::CSIDL_FLAG_CREATE, std::nullopt, true},
        {"negative", -1, std::nullopt, true},
        {"does not fit", Win32::CSIDL_APPDATA, tooLong, true},
        {"cannot be created", Win32::CSIDL_APPDATA | Win32::CSIDL_FLAG_CREATE, (file / "data").string(), true},
        {"no folder known", Win32::CSIDL_APPDATA, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mDataHome.Set(c.dataHome ? c.dataHome->c_str() : nullptr);
        mHome.Set(c.homeSet ? Home().c_str() : nullptr);
        char path[Win32::MAX_PATH + 8];
        std::memset(path, 'Z', sizeof(path));
        EXPECT_EQ(Win32::SHGetFolderPathA(nullptr, c.folder, nullptr, 0, path), Win32::E_FAIL);
        for (const char byte : path)
            ASSERT_EQ(byte, 'Z');
    }
    mHome.Set(Home().c_str());
    EXPECT_EQ(Win32::SHGetFolderPathA(nullptr, Win32::CSIDL_APPDATA, nullptr, 0, nullptr), Win32::E_FAIL);
}

TEST_F(SystemLibrariesFolder, LongestFolderThatFitsIsWrittenWhole)
{
    const std::string longest = "/" + std::string(Win32::MAX_PATH - 2, 'a');
    mDataHome.Set(longest.c_str());
    char path[Win32::MAX_PATH + 8];
    std::memset(path, 'Z', sizeof(path));
    ASSERT_EQ(Win32::SHGetFolderPathA(nullptr, Win32::CSIDL_APPDATA, nullptr, 0, path), Win32::S_OK);
    EXPECT_EQ(std::string(path), longest);
    for (size_t i = Win32::MAX_PATH; i < sizeof(path); ++i)
        ASSERT_EQ(path[i], 'Z');
}

} // namespace
