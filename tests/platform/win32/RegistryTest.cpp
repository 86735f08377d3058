#include "platform/win32/Registry.h"

#include "platform/win32/DebugOutput.h"
#include "platform/win32/SettingsStore.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Win32::BYTE;
using Win32::DWORD;
using Win32::HKEY;
using Win32::LONG;
using Tests::ScopedEnvironment;

constexpr const char* kGameKey = "SOFTWARE\\Brightfold\\Pastimes\\GreenAtlas\\GreenAtlas\\Test3D";

struct StoredValue {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<BYTE> Bytes(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

// One value of every kind the framework stores, with the bytes that break careless code.
std::vector<StoredValue> EveryKindOfValue()
{
    std::vector<BYTE> highString;
    for (int c = 128; c <= 255; ++c)
        highString.push_back(static_cast<BYTE>(c));
    highString.push_back(0);
    return {
        {"ScreenWidth", Win32::REG_DWORD, {0xEF, 0xCD, 0xAB, 0x89}},
        {"Player", Win32::REG_SZ, highString},
        {"Layout", Win32::REG_BINARY, {0, 1, 0, 0, 255, 0}},
        {"Nothing", Win32::REG_BINARY, {}},
        {"", Win32::REG_SZ, Bytes(std::string("Pastimes\0", 9))},
        {"Gr\xF6\xDF", Win32::REG_NONE, {7}},
        {"Unusual", 0x12345678, {1, 2, 3}},
    };
}

template <typename ByteString>
std::string ToHex(const ByteString& bytes)
{
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const auto c : bytes) {
        hex += kDigits[static_cast<BYTE>(c) >> 4];
        hex += kDigits[static_cast<BYTE>(c) & 0xF];
    }
    return hex;
}

struct ProbeRun {
    int exitCode = -1;
    std::string output;
};

ProbeRun RunProbe(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv = {const_cast<char*>(REGISTRY_PROBE)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    ProbeRun run;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, REGISTRY_PROBE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned == 0) {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
            run.output.append(buffer, static_cast<size_t>(got));
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            run.exitCode = WEXITSTATUS(status);
    }
    close(pipeEnds[0]);
    return run;
}

std::string gDebugOutput;

void CaptureDebugOutput(const char* text) { gDebugOutput += text; }

// Closes the handle when the test ends.
struct Key {
    HKEY handle = nullptr;
    ~Key()
    {
        if (handle != nullptr)
            Win32::RegCloseKey(handle);
    }
};

// Every test gets a fresh store in its own temporary folder: $TEMP/config is
// XDG_CONFIG_HOME, and nothing may ever appear in $TEMP beside it.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gDebugOutput.clear();
        Win32::SetDebugOutputSink(&CaptureDebugOutput);
    }

    void TearDown() override { Win32::SetDebugOutputSink(&Win32::WriteDebugOutputToStderr); }

    LONG Create(const char* path, Key* key, DWORD* disposition = nullptr, const DWORD access = Win32::KEY_ALL_ACCESS,
                const HKEY root = Win32::HKEY_CURRENT_USER)
    {
        return Win32::RegCreateKeyExA(root, path, 0, nullptr, Win32::REG_OPTION_NON_VOLATILE, access, nullptr,
                                      &key->handle, disposition);
    }

    static LONG Open(const char* path, Key* key, const DWORD access = Win32::KEY_READ,
                     const HKEY root = Win32::HKEY_CURRENT_USER)
    {
        return Win32::RegOpenKeyExA(root, path, 0, access, &key->handle);
    }

    static LONG Set(const HKEY key, const StoredValue& value)
    {
        return Win32::RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(),
                                     static_cast<DWORD>(value.data.size()));
    }

    static LONG SetDword(const HKEY key, const char* name, const DWORD value)
    {
        return Win32::RegSetValueExA(key, name, 0, Win32::REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof value);
    }

    // The value as stored, or nullopt with the error in *error.
    static std::optional<StoredValue> Query(const HKEY key, const std::string& name, LONG* error = nullptr)
    {
        DWORD size = 0;
        LONG result = Win32::RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
        StoredValue value{name, 0, std::vector<BYTE>(size)};
        if (result == Win32::ERROR_SUCCESS)
            result = Win32::RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (error != nullptr)
            *error = result;
        if (result != Win32::ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        return value;
    }

    static std::optional<DWORD> QueryDword(const HKEY key, const char* name)
    {
        const std::optional<StoredValue> value = Query(key, name);
        if (!value || value->type != Win32::REG_DWORD || value->data.size() != sizeof(DWORD))
            return std::nullopt;
        DWORD result = 0;
        std::copy(value->data.begin(), value->data.end(), reinterpret_cast<BYTE*>(&result));
        return result;
    }

    std::string KeyFolder(const std::string& relative) const
    {
        return mConfigHome + "/win32-registry/HKEY_CURRENT_USER/" + relative;
    }

    std::string GameFolder() const { return KeyFolder("software/brightfold/pastimes/greenatlas/greenatlas/test3d"); }

    const Tests::TemporaryFolder mFolder;
    const std::string mTemp = mFolder.Path().string();
    const std::string mConfigHome = mTemp + "/config";
    const ScopedEnvironment mConfig{"XDG_CONFIG_HOME", mConfigHome.c_str()};
};

void ExpectSameValue(const std::optional<StoredValue>& actual, const StoredValue& expected)
{
    ASSERT_TRUE(actual.has_value()) << "value \"" << expected.name << "\" is missing";
    EXPECT_EQ(actual->type, expected.type) << expected.name;
    EXPECT_EQ(actual->data, expected.data) << expected.name;
}

using RegistryAcrossProcesses = RegistryTest;

TEST_F(RegistryAcrossProcesses, ProbeReadsEveryKindOfValueTheTestWrote)
{
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    std::vector<std::string> arguments = {"get", kGameKey};
    std::string expected;
    for (const StoredValue& value : EveryKindOfValue()) {
        ASSERT_EQ(Set(key.handle, value), Win32::ERROR_SUCCESS) << value.name;
        arguments.push_back(ToHex(value.name));
        expected += std::to_string(value.type) + " " + ToHex(value.data) + "\n";
    }

    const ProbeRun run = RunProbe(arguments);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, expected);
}

TEST_F(RegistryAcrossProcesses, TestReadsEveryKindOfValueTheProbeWrote)
{
    std::vector<std::string> arguments = {"set", kGameKey};
    for (const StoredValue& value : EveryKindOfValue()) {
        arguments.push_back(ToHex(value.name));
        arguments.push_back(std::to_string(value.type));
        arguments.push_back(ToHex(value.data));
    }
    ASSERT_EQ(RunProbe(arguments).exitCode, 0);

    Key key;
    ASSERT_EQ(Open(kGameKey, &key), Win32::ERROR_SUCCESS);
    for (const StoredValue& value : EveryKindOfValue())
        ExpectSameValue(Query(key.handle, value.name), value);
}

using RegistryKeys = RegistryTest;

TEST_F(RegistryKeys, CreateMakesEveryMissingKeyOnThePath)
{
    {
        Key key;
        DWORD disposition = 0;
        ASSERT_EQ(Create(kGameKey, &key, &disposition), Win32::ERROR_SUCCESS);
        EXPECT_EQ(disposition, Win32::REG_CREATED_NEW_KEY);
    }
    // Where a person looks for it; a key without values exists all the same.
    EXPECT_TRUE(fs::is_directory(GameFolder()));
    for (const char* path : {"SOFTWARE", "SOFTWARE\\Brightfold\\Pastimes", kGameKey}) {
        Key key;
        EXPECT_EQ(Open(path, &key), Win32::ERROR_SUCCESS) << path;
    }
    Key again;
    DWORD disposition = 0;
    ASSERT_EQ(Create(kGameKey, &again, &disposition), Win32::ERROR_SUCCESS);
    EXPECT_EQ(disposition, Win32::REG_OPENED_EXISTING_KEY);

    // A key below an open handle is the same key as its full path from the root.
    Key child;
    ASSERT_EQ(Create("Options\\Sound", &child, &disposition, Win32::KEY_ALL_ACCESS, again.handle),
              Win32::ERROR_SUCCESS);
    EXPECT_EQ(disposition, Win32::REG_CREATED_NEW_KEY);
    ASSERT_EQ(SetDword(child.handle, "Volume", 80), Win32::ERROR_SUCCESS);
    EXPECT_TRUE(fs::is_regular_file(GameFolder() + "/options/sound/Values"));
    Key byFullPath;
    ASSERT_EQ(Open((std::string(kGameKey) + "\\Options\\Sound").c_str(), &byFullPath), Win32::ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(byFullPath.handle, "Volume"), 80u);
}

TEST_F(RegistryKeys, MissingOrMalformedKeysAreRefusedAndNothingIsCreated)
{
    struct Case {
        std::string path;
        bool create;
        LONG error;
    };
    const Case cases[] = {
        {"SOFTWARE", false, Win32::ERROR_FILE_NOT_FOUND},
        {"SOFTWARE\\Brightfold\\Pastimes", false, Win32::ERROR_FILE_NOT_FOUND},
        {"\\Leading", true, Win32::ERROR_INVALID_PARAMETER},
        {"Double\\\\Backslash", true, Win32::ERROR_INVALID_PARAMETER},
        {"Trailing\\", true, Win32::ERROR_INVALID_PARAMETER},
        {"SOFTWARE\\" + std::string(300, 'k'), true, Win32::ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        Key key;
        key.handle = reinterpret_cast<HKEY>(&key);
        EXPECT_EQ(c.create ? Create(c.path.c_str(), &key) : Open(c.path.c_str(), &key), c.error) << c.path;
        EXPECT_EQ(key.handle, nullptr) << c.path;
    }
    EXPECT_FALSE(fs::exists(KeyFolder("software")));

    Key parent;
    ASSERT_EQ(Create("SOFTWARE\\Brightfold", &parent), Win32::ERROR_SUCCESS);
    Key missing;
    EXPECT_EQ(Open("Pastimes", &missing, Win32::KEY_READ, parent.handle), Win32::ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fs::exists(KeyFolder("software/brightfold/pastimes")));
}

TEST_F(RegistryKeys, KeyAndValueNamesIgnoreCase)
{
    Key created;
    ASSERT_EQ(Create("Software\\Brightfold\\\xC4pfel", &created), Win32::ERROR_SUCCESS);
    Key opened;
    DWORD disposition = 0;
    ASSERT_EQ(Create("SOFTWARE\\BRIGHTFOLD\\\xE4PFEL", &opened, &disposition), Win32::ERROR_SUCCESS);
    EXPECT_EQ(disposition, Win32::REG_OPENED_EXISTING_KEY);

    ASSERT_EQ(SetDword(created.handle, "Volume", 1), Win32::ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(opened.handle, "VOLUME"), 1u);
    ASSERT_EQ(SetDword(opened.handle, "vOlUmE", 2), Win32::ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(created.handle, "volume"), 2u);

    // Both writes went to one value: after one delete there is none left.
    ASSERT_EQ(Win32::RegDeleteValueA(created.handle, "VOLUME"), Win32::ERROR_SUCCESS);
    EXPECT_EQ(Win32::RegDeleteValueA(created.handle, "Volume"), Win32::ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeys, DeleteKeyRemovesAKeyWithoutSubkeys)
{
    Key parent;
    ASSERT_EQ(Create("SOFTWARE\\Brightfold", &parent), Win32::ERROR_SUCCESS);
    Key key;
    ASSERT_EQ(Create("SOFTWARE\\Brightfold\\Pastimes", &key), Win32::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key.handle, "Volume", 5), Win32::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(parent.handle, "Kept", 6), Win32::ERROR_SUCCESS);

    EXPECT_EQ(Win32::RegDeleteKeyA(Win32::HKEY_CURRENT_USER, "SOFTWARE\\Brightfold"), Win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(QueryDword(parent.handle, "Kept"), 6u);

    ASSERT_EQ(Win32::RegDeleteKeyA(parent.handle, "PASTIMES"), Win32::ERROR_SUCCESS);
    Key reopened;
    EXPECT_EQ(Open("Pastimes", &reopened, Win32::KEY_READ, parent.handle), Win32::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Win32::RegDeleteKeyA(parent.handle, "Pastimes"), Win32::ERROR_FILE_NOT_FOUND);

    // A handle still open on the deleted key neither reads old values nor brings the key back.
    LONG error = Win32::ERROR_SUCCESS;
    EXPECT_FALSE(Query(key.handle, "Volume", &error).has_value());
    EXPECT_EQ(error, Win32::ERROR_FILE_NOT_FOUND);
    EXPECT_NE(SetDword(key.handle, "Volume", 7), Win32::ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(KeyFolder("software/brightfold/pastimes")));

    // Made again, the key starts empty.
    Key fresh;
    ASSERT_EQ(Create("SOFTWARE\\Brightfold\\Pastimes", &fresh), Win32::ERROR_SUCCESS);
    EXPECT_FALSE(QueryDword(fresh.handle, "Volume").has_value());
}

// Every thread opens the key for itself: handles on one key are all usable, and changes made
// through any of them at the same time all arrive.
TEST_F(RegistryKeys, ChangesFromManyHandlesAndThreadsAreNeverLost)
{
    constexpr int kThreads = 4;
    constexpr int kValuesEach = 20;
    Key created;
    ASSERT_EQ(Create(kGameKey, &created), Win32::ERROR_SUCCESS);
    std::vector<std::thread> threads;
    std::vector<LONG> failures(kThreads, Win32::ERROR_SUCCESS);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            Key key;
            failures[t] = Open(kGameKey, &key, Win32::KEY_ALL_ACCESS);
            for (int i = 0; i < kValuesEach && failures[t] == Win32::ERROR_SUCCESS; ++i)
                failures[t] = SetDword(key.handle, ("Value" + std::to_string(t * kValuesEach + i)).c_str(), i);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[t], Win32::ERROR_SUCCESS);
        for (int i = 0; i < kValuesEach; ++i)
            EXPECT_EQ(QueryDword(created.handle, ("Value" + std::to_string(t * kValuesEach + i)).c_str()),
                      static_cast<DWORD>(i));
    }
    ASSERT_EQ(Win32::RegDeleteValueA(created.handle, "Value0"), Win32::ERROR_SUCCESS);
    Key other;
    ASSERT_EQ(Open(kGameKey, &other), Win32::ERROR_SUCCESS);
    EXPECT_FALSE(QueryDword(other.handle, "Value0").has_value());
    EXPECT_EQ(Win32::RegCloseKey(Win32::HKEY_CURRENT_USER), Win32::ERROR_SUCCESS);
}

using RegistryValues = RegistryTest;

TEST_F(RegistryValues, QueryOfAMissingValueFailsAndLeavesOutputsUntouched)
{
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    for (const char* name : {"Missing", "", "Other"}) {
        DWORD type = 0xAAAA;
        DWORD size = 4;
        BYTE data[4] = {9, 9, 9, 9};
        EXPECT_EQ(Win32::RegQueryValueExA(key.handle, name, nullptr, &type, data, &size), Win32::ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(type, 0xAAAAu);
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(std::vector<BYTE>(data, data + 4), std::vector<BYTE>(4, 9));
        // The next names are looked for in a key that holds values.
        ASSERT_EQ(SetDword(key.handle, "Present", 1), Win32::ERROR_SUCCESS);
    }
}

TEST_F(RegistryValues, QueryReportsTheSizeAndNeverWritesIntoATooSmallBuffer)
{
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    const std::string player("Ada\xE9\0", 5);
    ASSERT_EQ(Win32::RegSetValueExA(key.handle, "Player", 0, Win32::REG_SZ, Bytes(player).data(), 5),
              Win32::ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(Win32::RegQueryValueExA(key.handle, "Player", nullptr, &type, nullptr, &size), Win32::ERROR_SUCCESS);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(type, Win32::REG_SZ);
    EXPECT_EQ(Win32::RegQueryValueExA(key.handle, "Player", nullptr, nullptr, nullptr, nullptr), Win32::ERROR_SUCCESS);

    for (const DWORD small : {0u, 1u, 4u}) {
        BYTE buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), 0xCC);
        size = small;
        EXPECT_EQ(Win32::RegQueryValueExA(key.handle, "Player", nullptr, nullptr, buffer, &size),
                  Win32::ERROR_MORE_DATA);
        EXPECT_EQ(size, 5u);
        EXPECT_EQ(std::vector<BYTE>(std::begin(buffer), std::end(buffer)), std::vector<BYTE>(8, 0xCC)) << small;
    }

    BYTE buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), 0xCC);
    size = sizeof buffer;
    ASSERT_EQ(Win32::RegQueryValueExA(key.handle, "player", nullptr, &type, buffer, &size), Win32::ERROR_SUCCESS);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), 5), player);
    EXPECT_EQ(buffer[5], 0xCC);
}

TEST_F(RegistryValues, SetRefusesBadArgumentsAndKeepsTheOldValue)
{
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key.handle, "Volume", 42), Win32::ERROR_SUCCESS);
    struct Case {
        const char* what;
        DWORD reserved;
        DWORD type;
        bool nullData;
        DWORD size;
    };
    const Case cases[] = {
        {"empty DWORD", 0, Win32::REG_DWORD, false, 0}, {"short DWORD", 0, Win32::REG_DWORD, false, 3},
        {"long DWORD", 0, Win32::REG_DWORD, false, 5},  {"no data", 0, Win32::REG_BINARY, true, 4},
        {"reserved", 1, Win32::REG_DWORD, false, 4},
    };
    const BYTE data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (const Case& c : cases) {
        EXPECT_EQ(Win32::RegSetValueExA(key.handle, "Volume", c.reserved, c.type, c.nullData ? nullptr : data, c.size),
                  Win32::ERROR_INVALID_PARAMETER)
            << c.what;
        EXPECT_EQ(QueryDword(key.handle, "Volume"), 42u) << c.what;
    }

    // More than the store's file may hold.
    const std::vector<BYTE> huge((size_t{64} << 20) + 1);
    EXPECT_EQ(
        Win32::RegSetValueExA(key.handle, "Volume", 0, Win32::REG_BINARY, huge.data(), static_cast<DWORD>(huge.size())),
        Win32::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(QueryDword(key.handle, "Volume"), 42u);
}

TEST_F(RegistryValues, DeleteValueRemovesOnlyThatValue)
{
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key.handle, "Volume", 1), Win32::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key.handle, "", 2), Win32::ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key.handle, "Music", 3), Win32::ERROR_SUCCESS);

    ASSERT_EQ(Win32::RegDeleteValueA(key.handle, ""), Win32::ERROR_SUCCESS);
    EXPECT_FALSE(QueryDword(key.handle, "").has_value());
    ASSERT_EQ(Win32::RegDeleteValueA(key.handle, "Volume"), Win32::ERROR_SUCCESS);
    EXPECT_EQ(Win32::RegDeleteValueA(key.handle, "Volume"), Win32::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(QueryDword(key.handle, "Music"), 3u);
}

TEST_F(RegistryValues, ReadOnlyAndWriteOnlyHandlesRefuseWhatTheyMayNotDo)
{
    {
        Key writer;
        ASSERT_EQ(Create(kGameKey, &writer), Win32::ERROR_SUCCESS);
        ASSERT_EQ(SetDword(writer.handle, "Volume", 42), Win32::ERROR_SUCCESS);
        Key child;
        ASSERT_EQ(Create("Existing", &child, nullptr, Win32::KEY_ALL_ACCESS, writer.handle), Win32::ERROR_SUCCESS);
    }
    Key reader;
    ASSERT_EQ(Open(kGameKey, &reader), Win32::ERROR_SUCCESS);
    EXPECT_EQ(SetDword(reader.handle, "Volume", 1), Win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetDword(reader.handle, "New", 1), Win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(Win32::RegDeleteValueA(reader.handle, "Volume"), Win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(Win32::RegDeleteKeyA(reader.handle, "Existing"), Win32::ERROR_ACCESS_DENIED);
    Key child;
    EXPECT_EQ(Create("Missing", &child, nullptr, Win32::KEY_ALL_ACCESS, reader.handle), Win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(Create("Existing", &child, nullptr, Win32::KEY_READ, reader.handle), Win32::ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(reader.handle, "Volume"), 42u);
    EXPECT_FALSE(QueryDword(reader.handle, "New").has_value());

    Key writeOnly;
    ASSERT_EQ(Open(kGameKey, &writeOnly, Win32::KEY_WRITE), Win32::ERROR_SUCCESS);
    LONG error = Win32::ERROR_SUCCESS;
    EXPECT_FALSE(Query(writeOnly.handle, "Volume", &error).has_value());
    EXPECT_EQ(error, Win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetDword(writeOnly.handle, "Volume", 43), Win32::ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(reader.handle, "Volume"), 43u);
}

using RegistryFailedWrite = RegistryTest;

TEST_F(RegistryFailedWrite, FailedWritesKeepThePreviousValues)
{
    const std::vector<StoredValue> values = EveryKindOfValue();
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    for (const StoredValue& value : values)
        ASSERT_EQ(Set(key.handle, value), Win32::ERROR_SUCCESS);
    const auto expectPreviousValues = [&] {
        for (const StoredValue& value : values)
            ExpectSameValue(Query(key.handle, value.name), value);
        EXPECT_FALSE(Query(key.handle, "Big").has_value());
        EXPECT_FALSE(fs::exists(GameFolder() + "/Values.tmp"));
    };

    // A file size limit fails the write the way a full disk does, even for root.
    const ProbeRun run = RunProbe({"--file-size-limit", "1024", "set", kGameKey, ToHex(std::string("Big")), "3",
                                   ToHex(std::vector<BYTE>(8192, 0x5A))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "set " + std::to_string(Win32::ERROR_WRITE_FAULT) + "\n");
    expectPreviousValues();

    // A read-only folder stops everyone but root.
    ASSERT_EQ(chmod(GameFolder().c_str(), 0555), 0);
    if (access(GameFolder().c_str(), W_OK) != 0) {
        EXPECT_EQ(SetDword(key.handle, "Big", 43), Win32::ERROR_ACCESS_DENIED);
        EXPECT_EQ(Win32::RegDeleteValueA(key.handle, "ScreenWidth"), Win32::ERROR_ACCESS_DENIED);
        expectPreviousValues();
    }
}

std::vector<BYTE> ValidFile()
{
    return Win32::SettingsStore::EncodeValues(
        {{"Volume", Win32::REG_DWORD, {1, 0, 0, 0}}, {"Player", Win32::REG_SZ, {'A', 'd', 'a', 0}}});
}

uint32_t Crc32(const std::vector<BYTE>& bytes, const size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

void Put32(std::vector<BYTE>& bytes, const size_t at, const uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// The file with its checksum made right again, so that the reader's other checks are reached.
std::vector<BYTE> Resealed(std::vector<BYTE> bytes)
{
    Put32(bytes, bytes.size() - 4, Crc32(bytes, bytes.size() - 4));
    return bytes;
}

struct DamagedFile {
    std::string what;
    std::vector<BYTE> bytes;
};

std::vector<DamagedFile> DamagedFiles()
{
    // Offsets: magic 0..7, version 8, count 12, first record at 16 (name length, type,
    // data length, then "Volume" and 4 data bytes), second record at 38 with its name at 50.
    const auto edited = [](const size_t at, const uint32_t value) {
        std::vector<BYTE> bytes = ValidFile();
        Put32(bytes, at, value);
        return Resealed(bytes);
    };
    std::vector<BYTE> flipped = ValidFile();
    flipped[30] ^= 0x20;
    std::vector<BYTE> sameName = ValidFile();
    std::copy_n("vOLUME", 6, sameName.begin() + 50);
    std::vector<DamagedFile> files = {
        {"empty", {}},
        {"garbage", Bytes("Volume=1\nPlayer=Ada\n")},
        {"wrong magic", edited(0, 0x4B4B4B4B)},
        {"newer version", edited(8, 2)},
        {"flipped bit", flipped},
        {"huge count", edited(12, 0xFFFFFFFF)},
        {"count too high", edited(12, 3)},
        {"trailing bytes", edited(12, 1)},
        {"huge name length", edited(16, 0xFFFFFFF0)},
        {"huge data length", edited(24, 0xFFFFFFFC)},
        {"same name twice", Resealed(sameName)},
    };
    const std::vector<BYTE> valid = ValidFile();
    for (size_t size = 1; size < valid.size(); ++size)
        files.push_back(
            {"cut to " + std::to_string(size) + " bytes", std::vector<BYTE>(valid.begin(), valid.begin() + size)});
    return files;
}

using RegistryDamagedFile = RegistryTest;

TEST_F(RegistryDamagedFile, ReadsAsNoValuesAndIsKeptWhenTheKeyIsWritten)
{
    const std::string folder = GameFolder();
    for (const DamagedFile& file : DamagedFiles()) {
        SCOPED_TRACE(file.what);
        Key key;
        ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
        std::ofstream(folder + "/Values", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
        gDebugOutput.clear();

        LONG error = Win32::ERROR_SUCCESS;
        EXPECT_FALSE(Query(key.handle, "Volume", &error).has_value());
        EXPECT_EQ(error, Win32::ERROR_FILE_NOT_FOUND);
        EXPECT_NE(gDebugOutput.find("damaged"), std::string::npos);
        EXPECT_EQ(Win32::RegDeleteValueA(key.handle, "Volume"), Win32::ERROR_FILE_NOT_FOUND);

        ASSERT_EQ(SetDword(key.handle, "Music", 7), Win32::ERROR_SUCCESS);
        EXPECT_EQ(QueryDword(key.handle, "Music"), 7u);
        EXPECT_FALSE(QueryDword(key.handle, "Volume").has_value());
        std::ifstream kept(folder + "/Values.damaged", std::ios::binary);
        EXPECT_EQ(std::vector<BYTE>(std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>()),
                  file.bytes);

        ASSERT_EQ(Win32::RegDeleteKeyA(Win32::HKEY_CURRENT_USER, kGameKey), Win32::ERROR_SUCCESS);
    }
}

TEST_F(RegistryDamagedFile, FolderInPlaceOfTheFileIsMovedAsideOnWrite)
{
    Key key;
    ASSERT_EQ(Create(kGameKey, &key), Win32::ERROR_SUCCESS);
    ASSERT_TRUE(fs::create_directory(GameFolder() + "/Values"));
    EXPECT_FALSE(QueryDword(key.handle, "Volume").has_value());
    ASSERT_EQ(SetDword(key.handle, "Volume", 9), Win32::ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(key.handle, "Volume"), 9u);
    EXPECT_TRUE(fs::is_directory(GameFolder() + "/Values.damaged"));
}

using RegistryHostileNames = RegistryTest;

TEST_F(RegistryHostileNames, NamesNeverReachOutsideTheStore)
{
    const std::vector<std::string> names = {"..\\..\\..\\escaped",
                                            "..",
                                            ".",
                                            "a/../../../../escaped",
                                            "/tmp/escaped",
                                            "x/y",
                                            "x%2fy",
                                            ".hidden",
                                            std::string("\xFF\x01\x7F name", 8)};
    for (size_t i = 0; i < names.size(); ++i) {
        Key key;
        ASSERT_EQ(Create(("SOFTWARE\\" + names[i]).c_str(), &key), Win32::ERROR_SUCCESS) << names[i];
        ASSERT_EQ(SetDword(key.handle, "Index", static_cast<DWORD>(i)), Win32::ERROR_SUCCESS) << names[i];
    }
    // Each name is its own key, found again by the same name.
    for (size_t i = 0; i < names.size(); ++i) {
        Key key;
        ASSERT_EQ(Open(("SOFTWARE\\" + names[i]).c_str(), &key), Win32::ERROR_SUCCESS) << names[i];
        EXPECT_EQ(QueryDword(key.handle, "Index"), static_cast<DWORD>(i)) << names[i];
    }

    EXPECT_EQ(std::distance(fs::directory_iterator(mTemp), fs::directory_iterator()), 1);
    const fs::path store = fs::path(mConfigHome) / "win32-registry";
    for (const auto& entry : fs::recursive_directory_iterator(mConfigHome)) {
        const fs::path relative = entry.path().lexically_relative(store);
        EXPECT_TRUE(!relative.empty() && *relative.begin() != "..") << entry.path();
        EXPECT_FALSE(entry.is_symlink()) << entry.path();
    }
    EXPECT_FALSE(fs::exists("/tmp/escaped"));
}

using RegistryStoreLocation = RegistryTest;

TEST_F(RegistryStoreLocation, FallsBackToTheHomeConfigFolder)
{
    const std::string home = mTemp + "/home";
    const ScopedEnvironment homeVariable("HOME", home.c_str());
    for (const char* configHome : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        const ScopedEnvironment configVariable("XDG_CONFIG_HOME", configHome);
        Key key;
        ASSERT_EQ(Create("SOFTWARE\\Brightfold", &key), Win32::ERROR_SUCCESS);
        ASSERT_EQ(SetDword(key.handle, "Volume", 1), Win32::ERROR_SUCCESS);
        EXPECT_TRUE(fs::is_regular_file(home + "/.config/win32-registry/HKEY_CURRENT_USER/software/brightfold/Values"));
        ASSERT_EQ(Win32::RegDeleteKeyA(Win32::HKEY_CURRENT_USER, "SOFTWARE\\Brightfold"), Win32::ERROR_SUCCESS);
    }
    EXPECT_FALSE(fs::exists("relative"));
    EXPECT_FALSE(fs::exists(mConfigHome));
}

} // namespace
