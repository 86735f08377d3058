// The application's settings and services: typed values in the settings store and the
// settings kept there between runs, save files (also read from an archive), the command
// line, cursors and screen modes on a display made by Init (SDL's dummy video driver and
// the DirectDraw stand-in), copying an area of an image, volumes and muting, and the
// clipboard.

#include "framework/app/common/Buffer.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/PakInterface.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/ddraw/StandInControls.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/Library.h"
#include "platform/win32/Registry.h"
#include "platform/win32/Window.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Tests::AppTest;
using Tests::EntriesBelow;
using Tests::TestApp;

const char* const kKeyName = "TestCo\\Game";
const char* const kKeyPath = "SOFTWARE\\TestCo\\Game";

// A value as the settings store holds it, read with the registry calls themselves.
struct StoredValue {
    Win32::DWORD type = 0;
    std::vector<uint8_t> bytes;
};

std::optional<StoredValue> QueryStored(const std::string& keyPath, const std::string& name)
{
    Win32::HKEY key = nullptr;
    if (Win32::RegOpenKeyExA(Win32::HKEY_CURRENT_USER, keyPath.c_str(), 0, Win32::KEY_READ, &key) !=
        Win32::ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    value.bytes.resize(256);
    Win32::DWORD size = static_cast<Win32::DWORD>(value.bytes.size());
    const Win32::LONG result =
        Win32::RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    Win32::RegCloseKey(key);
    if (result != Win32::ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

std::optional<int32_t> QueryStoredInteger(const std::string& keyPath, const std::string& name)
{
    const std::optional<StoredValue> value = QueryStored(keyPath, name);
    if (!value || value->type != Win32::REG_DWORD || value->bytes.size() != sizeof(int32_t))
        return std::nullopt;
    int32_t number = 0;
    std::memcpy(&number, value->bytes.data(), sizeof(number));
    return number;
}

bool KeyExists(const std::string& keyPath)
{
    Win32::HKEY key = nullptr;
    if (Win32::RegOpenKeyExA(Win32::HKEY_CURRENT_USER, keyPath.c_str(), 0, Win32::KEY_READ, &key) !=
        Win32::ERROR_SUCCESS)
        return false;
    Win32::RegCloseKey(key);
    return true;
}

// Stores a value with the registry calls themselves, making the key.
void StoreValue(const std::string& keyPath, const std::string& name, const Win32::DWORD type, const void* data,
                const Win32::DWORD size)
{
    Win32::HKEY key = nullptr;
    ASSERT_EQ(Win32::RegCreateKeyExA(Win32::HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr,
                                     Win32::REG_OPTION_NON_VOLATILE, Win32::KEY_ALL_ACCESS, nullptr, &key, nullptr),
              Win32::ERROR_SUCCESS);
    EXPECT_EQ(Win32::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const Win32::BYTE*>(data), size),
              Win32::ERROR_SUCCESS);
    Win32::RegCloseKey(key);
}

std::string BufferBytes(const Zest::Buffer& buffer)
{
    const uint8_t* data = buffer.GetDataPtr();
    return data == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(data), buffer.GetDataLen());
}

class AppSettingsTest : public AppTest {};

// Settings store values.

TEST_F(AppSettingsTest, WithoutAKeyNameNothingIsReadOrWritten)
{
    // Values right under SOFTWARE, where an empty product key name would lead.
    const int32_t stored = 10;
    StoreValue("SOFTWARE", "MusicVolume", Win32::REG_DWORD, &stored, sizeof(stored));
    StoreValue("SOFTWARE\\P", "Q", Win32::REG_DWORD, &stored, sizeof(stored));

    const std::vector<std::string> before = EntriesBelow(mFolder.Path() / "config");

    TestApp app;
    ASSERT_TRUE(app.mRegistryKeyName.empty());
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_FALSE(app.WriteRegValue("Blob", Win32::REG_BINARY, bytes, sizeof(bytes)));
    EXPECT_FALSE(app.WriteRegString("Name", "text"));
    EXPECT_FALSE(app.WriteRegInteger("Number", 5));
    EXPECT_FALSE(app.WriteRegBoolean("Flag", true));

    int32_t number = -7;
    EXPECT_FALSE(app.ReadRegInteger("MusicVolume", &number));
    EXPECT_FALSE(app.ReadRegInteger("P\\Q", &number));
    EXPECT_EQ(number, -7);
    bool flag = true;
    EXPECT_FALSE(app.ReadRegBoolean("MusicVolume", &flag));
    EXPECT_TRUE(flag);
    uint32_t type = 99;
    uint8_t data[16] = {};
    uint32_t length = sizeof(data);
    EXPECT_FALSE(app.ReadRegValue("MusicVolume", &type, data, &length));
    EXPECT_EQ(type, 99u);
    EXPECT_EQ(length, sizeof(data));
    app.EraseRegValue("MusicVolume");
    EXPECT_EQ(QueryStoredInteger("SOFTWARE", "MusicVolume"), 10);

    app.LoadSettings();
    EXPECT_TRUE(app.mSettingsLoaded);
    EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.85) << "read a value though there is no key name";
    app.mMusicVolume = 0.3;
    app.SaveSettings();
    EXPECT_EQ(QueryStoredInteger("SOFTWARE", "MusicVolume"), 10);
    EXPECT_FALSE(QueryStored("SOFTWARE", "InProgress"));
    EXPECT_FALSE(QueryStored("SOFTWARE", "SfxVolume"));
    // Only the two keys this test made, with their values files.
    EXPECT_EQ(EntriesBelow(mFolder.Path() / "config"), before);
}

TEST_F(AppSettingsTest, BackslashesInAValueNameNameSubkeysOfTheProductKey)
{
    TestApp app;
    app.mRegistryKeyName = kKeyName;
    ASSERT_FALSE(KeyExists(kKeyPath));

    EXPECT_TRUE(app.WriteRegInteger("P\\Q\\R", 42));
    EXPECT_EQ(QueryStoredInteger(std::string(kKeyPath) + "\\P\\Q", "R"), 42);
    EXPECT_FALSE(QueryStored(kKeyPath, "P\\Q\\R"));
    EXPECT_FALSE(QueryStored(std::string(kKeyPath) + "\\P", "Q\\R"));
    EXPECT_FALSE(QueryStored(kKeyPath, "R"));

    // Values stored by others under a subkey read through the same names.
    StoreValue(std::string(kKeyPath) + "\\Slots\\First", "Name", Win32::REG_SZ, "Ann", 4);
    uint32_t type = 0;
    char text[16] = {};
    uint32_t length = sizeof(text);
    ASSERT_TRUE(app.ReadRegValue("Slots\\First\\Name", &type, reinterpret_cast<uint8_t*>(text), &length));
    EXPECT_EQ(type, Win32::REG_SZ);
    EXPECT_EQ(length, 4u);
    EXPECT_STREQ(text, "Ann");

    int32_t number = 0;
    EXPECT_TRUE(app.ReadRegInteger("P\\Q\\R", &number));
    EXPECT_EQ(number, 42);
    // A name without a backslash is a value of the product key itself.
    EXPECT_TRUE(app.WriteRegInteger("Top", 3));
    EXPECT_EQ(QueryStoredInteger(kKeyPath, "Top"), 3);

    app.EraseRegValue("P\\Q\\R");
    EXPECT_FALSE(QueryStored(std::string(kKeyPath) + "\\P\\Q", "R"));
    EXPECT_FALSE(app.ReadRegInteger("P\\Q\\R", &number));
    // Erasing what is not there, in a key that is not there, does no harm.
    app.EraseRegValue("No\\Such\\Value");
    EXPECT_FALSE(KeyExists(std::string(kKeyPath) + "\\No"));
    EXPECT_EQ(QueryStoredInteger(kKeyPath, "Top"), 3);
}

TEST_F(AppSettingsTest, TypedValuesRoundTripAndReadsOfAnotherTypeLeaveTheOutputAlone)
{
    TestApp app;
    app.mRegistryKeyName = kKeyName;

    EXPECT_TRUE(app.WriteRegString("Player", "Zo\xEB Smith"));
    uint32_t type = 0;
    uint8_t data[32];
    std::memset(data, 0xAA, sizeof(data));
    uint32_t length = sizeof(data);
    ASSERT_TRUE(app.ReadRegValue("Player", &type, data, &length));
    EXPECT_EQ(type, Win32::REG_SZ);
    EXPECT_EQ(length, 10u) << "the length counts the terminating zero";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), length), std::string("Zo\xEB Smith\0", 10));

    // A buffer too small for the value is a failed read.
    uint8_t small[4] = {};
    uint32_t smallLength = sizeof(small);
    EXPECT_FALSE(app.ReadRegValue("Player", &type, small, &smallLength));

    const uint8_t blob[] = {0, 1, 0xFF, 0};
    EXPECT_TRUE(app.WriteRegValue("Blob", Win32::REG_BINARY, blob, sizeof(blob)));
    length = sizeof(data);
    ASSERT_TRUE(app.ReadRegValue("Blob", &type, data, &length));
    EXPECT_EQ(type, Win32::REG_BINARY);
    EXPECT_EQ(std::vector<uint8_t>(data, data + length), std::vector<uint8_t>(blob, blob + sizeof(blob)));

    for (const int32_t value : {0, 1, -1, 2147483647, -2147483647 - 1}) {
        EXPECT_TRUE(app.WriteRegInteger("Number", value));
        int32_t read = 12345;
        EXPECT_TRUE(app.ReadRegInteger("Number", &read));
        EXPECT_EQ(read, value);
    }
    for (const bool value : {true, false}) {
        EXPECT_TRUE(app.WriteRegBoolean("Flag", value));
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "Flag"), value ? 1 : 0);
        bool read = !value;
        EXPECT_TRUE(app.ReadRegBoolean("Flag", &read));
        EXPECT_EQ(read, value);
    }
    // Any non-zero number reads as true.
    EXPECT_TRUE(app.WriteRegInteger("Flag", 7));
    bool flag = false;
    EXPECT_TRUE(app.ReadRegBoolean("Flag", &flag));
    EXPECT_TRUE(flag);

    // Values that are not a 4-byte number: the reads fail and leave the output as it was.
    StoreValue(kKeyPath, "ShortText", Win32::REG_SZ, "ab", 3);
    StoreValue(kKeyPath, "FourCharText", Win32::REG_SZ, "abc", 4);
    StoreValue(kKeyPath, "FourBytes", Win32::REG_BINARY, "\x01\x00\x00\x00", 4);
    StoreValue(kKeyPath, "TwoBytes", Win32::REG_BINARY, "\x01\x00", 2);
    for (const char* name : {"Player", "ShortText", "FourCharText", "FourBytes", "TwoBytes", "Missing"}) {
        int32_t number = -55;
        EXPECT_FALSE(app.ReadRegInteger(name, &number)) << name;
        EXPECT_EQ(number, -55) << name;
        bool boolean = true;
        EXPECT_FALSE(app.ReadRegBoolean(name, &boolean)) << name;
        EXPECT_TRUE(boolean) << name;
    }

    app.EraseRegValue("Player");
    EXPECT_FALSE(QueryStored(kKeyPath, "Player"));
    length = sizeof(data);
    EXPECT_FALSE(app.ReadRegValue("Player", &type, data, &length));
    EXPECT_TRUE(QueryStored(kKeyPath, "Blob")) << "erasing one value took others with it";
}

// Settings kept between runs.

TEST_F(AppSettingsTest, SavedSettingsLoadIntoAFreshApplication)
{
    struct Settings {
        double music;
        double sfx;
        bool windowed;
        int32_t x;
        int32_t y;
        bool customCursors;
        bool vsync;
    };
    const struct {
        Settings saved;
        int32_t storedMusic;
        int32_t storedSfx;
        double loadedMusic;
        double loadedSfx;
    } cases[] = {
        {{0.85, 0.5, true, 120, 80, true, true}, 85, 50, 0.85, 0.5},
        // Whole percents, the fraction below one cut off.
        {{0.999, 0.0, false, -1, -1, false, false}, 99, 0, 0.99, 0.0},
        {{1.0, 0.255, true, 0, 5000, true, false}, 100, 25, 1.0, 0.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedMusic);
        {
            TestApp saver;
            saver.mRegistryKeyName = kKeyName;
            saver.mMusicVolume = c.saved.music;
            saver.mSfxVolume = c.saved.sfx;
            saver.mWindowed = c.saved.windowed;
            saver.mPreferredX = c.saved.x;
            saver.mPreferredY = c.saved.y;
            saver.mCustomCursors = c.saved.customCursors;
            saver.mWaitForVSync = c.saved.vsync;
            saver.SaveSettings();
        }
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "MusicVolume"), c.storedMusic);
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "SfxVolume"), c.storedSfx);
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "ScreenMode"), c.saved.windowed ? 0 : 1);

        TestApp loader;
        loader.mRegistryKeyName = kKeyName;
        // The opposite of what was saved, so that a setting left unread shows.
        loader.mMusicVolume = loader.mSfxVolume = 0.123;
        loader.mWindowed = !c.saved.windowed;
        loader.mPreferredX = loader.mPreferredY = 777;
        loader.mCustomCursors = !c.saved.customCursors;
        loader.mWaitForVSync = !c.saved.vsync;
        loader.LoadSettings();
        EXPECT_TRUE(loader.mSettingsLoaded);
        EXPECT_DOUBLE_EQ(loader.mMusicVolume, c.loadedMusic);
        EXPECT_DOUBLE_EQ(loader.mSfxVolume, c.loadedSfx);
        EXPECT_EQ(loader.mWindowed, c.saved.windowed);
        EXPECT_EQ(loader.mPreferredX, c.saved.x);
        EXPECT_EQ(loader.mPreferredY, c.saved.y);
        EXPECT_EQ(loader.mCustomCursors, c.saved.customCursors);
        EXPECT_EQ(loader.mWaitForVSync, c.saved.vsync);
    }

    // Nothing stored: loading keeps the defaults.
    TestApp fresh;
    fresh.mRegistryKeyName = "TestCo\\Untouched";
    fresh.LoadSettings();
    EXPECT_DOUBLE_EQ(fresh.mMusicVolume, 0.85);
    EXPECT_DOUBLE_EQ(fresh.mSfxVolume, 0.85);
    EXPECT_TRUE(fresh.mWindowed);
    EXPECT_EQ(fresh.mPreferredX, -1);
    EXPECT_EQ(fresh.mMuteCount, 0);
    EXPECT_TRUE(fresh.mLastRunEndedCleanly);
}

TEST_F(AppSettingsTest, MutedIsKeptAsTheMuteThePlayerChose)
{
    const struct {
        int32_t muteCount;
        int32_t autoMuteCount;
        int32_t stored;
    } saves[] = {{0, 0, 0}, {1, 0, 1}, {2, 0, 1}, {1, 1, 0}, {2, 1, 1}, {3, 3, 0}};
    for (const auto& s : saves) {
        TestApp app;
        app.mRegistryKeyName = kKeyName;
        app.mMuteCount = s.muteCount;
        app.mAutoMuteCount = s.autoMuteCount;
        app.SaveSettings();
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "Muted"), s.stored)
            << "mutes " << s.muteCount << ", automatic " << s.autoMuteCount;
    }

    // Read back as one mute at most, whatever number was stored.
    const struct {
        int32_t stored;
        int32_t muteCount;
    } loads[] = {{0, 0}, {1, 1}, {7, 1}, {-3, 0}};
    for (const auto& l : loads) {
        TestApp app;
        app.mRegistryKeyName = kKeyName;
        ASSERT_TRUE(app.WriteRegInteger("Muted", l.stored));
        app.mMuteCount = 5;
        app.LoadSettings();
        EXPECT_EQ(app.mMuteCount, l.muteCount) << "stored " << l.stored;
        EXPECT_EQ(app.IsMuted(), l.muteCount == 1) << "stored " << l.stored;
    }
}

TEST_F(AppSettingsTest, InProgressMarksARunThatDidNotEndCleanly)
{
    const struct {
        const char* name;
        std::optional<int32_t> stored;
        bool screenSaver;
        bool endedCleanly;
        // InProgress after LoadSettings.
        std::optional<int32_t> afterLoad;
    } cases[] = {
        {"first run", std::nullopt, false, true, 1},
        {"clean end", 0, false, true, 1},
        {"run still marked", 1, false, false, 1},
        {"screen saver, first run", std::nullopt, true, true, std::nullopt},
        {"screen saver, clean end", 0, true, true, 0},
        {"screen saver, run still marked", 1, true, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp writer;
        writer.mRegistryKeyName = kKeyName;
        writer.EraseRegValue("InProgress");
        if (c.stored) {
            ASSERT_TRUE(writer.WriteRegInteger("InProgress", *c.stored));
        }

        TestApp app;
        app.mRegistryKeyName = kKeyName;
        app.mScreenSaverMode = c.screenSaver;
        app.LoadSettings();
        EXPECT_EQ(app.mLastRunEndedCleanly, c.endedCleanly);
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "InProgress"), c.afterLoad);
        app.SaveSettings();
        EXPECT_EQ(QueryStoredInteger(kKeyPath, "InProgress"), 0);
    }
}

TEST_F(AppSettingsTest, RegistryKeyTextReplacesTheKeyNameWhenSettingsLoad)
{
    for (const std::string initial : {"", kKeyName}) {
        SCOPED_TRACE("key name before loading: \"" + initial + "\"");
        TestApp app;
        app.mRegistryKeyName = initial;
        app.SetString("RegistryKey", L"Other\\Product");
        const int32_t volume = 40;
        StoreValue("SOFTWARE\\Other\\Product", "MusicVolume", Win32::REG_DWORD, &volume, sizeof(volume));
        app.LoadSettings();
        EXPECT_EQ(app.mRegistryKeyName, "Other\\Product");
        EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.4);
        EXPECT_EQ(QueryStoredInteger("SOFTWARE\\Other\\Product", "InProgress"), 1);
        EXPECT_FALSE(QueryStored(kKeyPath, "InProgress"));
    }
}

// Save files.

TEST_F(AppSettingsTest, SaveFilesAreWrittenReadBackAndReplacedWhole)
{
    TestApp app;
    const fs::path root = mFolder.Path();
    const std::string bytes("save\0data\r\n\xFF", 12);

    // Missing folders are made; '\' separates folders as '/' does.
    EXPECT_FALSE(app.CheckFileExists("saves\\slot1\\game.dat"));
    ASSERT_TRUE(app.WriteFileBytes("saves\\slot1\\game.dat", reinterpret_cast<const uint8_t*>(bytes.data()),
                                   static_cast<int32_t>(bytes.size())));
    EXPECT_EQ(Tests::ReadBytes(root / "saves" / "slot1" / "game.dat"), bytes);
    EXPECT_TRUE(app.CheckFileExists("saves\\slot1\\game.dat"));
    EXPECT_TRUE(app.CheckFileExists((root / "saves/slot1/game.dat").string()));

    Zest::Buffer buffer;
    buffer.WriteLong(99);
    ASSERT_TRUE(app.ReadFileToBuffer("saves/slot1/game.dat", &buffer));
    EXPECT_EQ(BufferBytes(buffer), bytes);
    EXPECT_EQ(buffer.ReadByte(), 's') << "the read starts at the beginning of the file's bytes";

    // Replacing: the new bytes, shorter than the old, and nothing left beside the file.
    Zest::Buffer replacement;
    replacement.WriteLong(0x01020304);
    replacement.WriteString("Ann");
    ASSERT_TRUE(app.WriteFileFromBuffer("saves\\slot1\\game.dat", replacement));
    EXPECT_EQ(Tests::ReadBytes(root / "saves" / "slot1" / "game.dat"), BufferBytes(replacement));
    EXPECT_EQ(EntriesBelow(root / "saves"), (std::vector<std::string>{"slot1", "slot1/game.dat"}));
    ASSERT_TRUE(app.ReadFileToBuffer("saves\\slot1\\game.dat", &buffer));
    EXPECT_EQ(buffer.ReadLong(), 0x01020304);
    EXPECT_EQ(buffer.ReadString(), "Ann");

    // An empty file is a file.
    ASSERT_TRUE(app.WriteFileBytes("empty.dat", nullptr, 0));
    EXPECT_TRUE(fs::exists(root / "empty.dat"));
    EXPECT_EQ(fs::file_size(root / "empty.dat"), 0u);
    EXPECT_TRUE(app.CheckFileExists("empty.dat"));
    buffer.WriteLong(5);
    ASSERT_TRUE(app.ReadFileToBuffer("empty.dat", &buffer));
    EXPECT_EQ(buffer.GetDataLen(), 0);

    // A negative length and a missing file fail.
    EXPECT_FALSE(app.WriteFileBytes("negative.dat", reinterpret_cast<const uint8_t*>(bytes.data()), -1));
    EXPECT_FALSE(fs::exists(root / "negative.dat"));
    EXPECT_FALSE(app.ReadFileToBuffer("saves\\slot2\\game.dat", &buffer));
    EXPECT_FALSE(app.CheckFileExists("saves\\slot2\\game.dat"));
}

// Failures that happen even for root: the disk refuses the bytes (the file-size limit) or
// the old "file" is a folder that cannot be replaced.
TEST_F(AppSettingsTest, FailedSaveLeavesTheOldFileWholeAndNoTemporaryFile)
{
    TestApp app;
    const fs::path saves = mFolder.Path() / "saves";
    const std::string old = "the old save";
    Tests::WriteBytes(saves / "game.dat", old);
    Tests::WriteBytes(saves / "slot" / "inside.dat", "kept");
    const std::vector<std::string> before = EntriesBelow(saves);

    {
        SCOPED_TRACE("the disk refuses the bytes");
        // Writing past the limit then fails with an error instead of a signal.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit oldLimit{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        rlimit limit = oldLimit;
        limit.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const std::vector<uint8_t> large(64 * 1024, 'n');
        const bool written = app.WriteFileBytes("saves/game.dat", large.data(), static_cast<int32_t>(large.size()));
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(written);
        EXPECT_EQ(Tests::ReadBytes(saves / "game.dat"), old);
        EXPECT_EQ(EntriesBelow(saves), before);
    }
    {
        SCOPED_TRACE("a folder stands where the file goes");
        const uint8_t bytes[] = {1, 2, 3};
        EXPECT_FALSE(app.WriteFileBytes("saves/slot", bytes, sizeof(bytes)));
        EXPECT_TRUE(fs::is_directory(saves / "slot"));
        EXPECT_EQ(Tests::ReadBytes(saves / "slot" / "inside.dat"), "kept");
        EXPECT_EQ(EntriesBelow(saves), before);
    }
}

TEST_F(AppSettingsTest, SaveIntoAReadOnlyFolderFailsAndLeavesTheOldFileWhole)
{
    TestApp app;
    const fs::path saves = mFolder.Path() / "saves";
    const std::string old("old\0bytes", 9);
    Tests::WriteBytes(saves / "game.dat", old);
    ASSERT_EQ(chmod(saves.c_str(), 0555), 0);
    if (access(saves.c_str(), W_OK) == 0) {
        chmod(saves.c_str(), 0755);
        GTEST_SKIP() << "running as a user whom folder permissions do not stop (root)";
    }
    const uint8_t bytes[] = {'n', 'e', 'w'};
    const bool written = app.WriteFileBytes("saves/game.dat", bytes, sizeof(bytes));
    const std::vector<std::string> entries = EntriesBelow(saves);
    chmod(saves.c_str(), 0755);
    EXPECT_FALSE(written);
    EXPECT_EQ(Tests::ReadBytes(saves / "game.dat"), old);
    EXPECT_EQ(entries, std::vector<std::string>{"game.dat"});
}

// A buffer whose write was cut short would not read back as it was meant to.
TEST_F(AppSettingsTest, SaveOfABufferWhoseWriteWasCutShortIsRefused)
{
    TestApp app;
    const fs::path file = mFolder.Path() / "game.dat";
    Tests::WriteBytes(file, "the old save");
    Zest::Buffer buffer;
    buffer.WriteLong(1);
    EXPECT_FALSE(buffer.WriteString(std::string(Zest::Buffer::kMaxStringLength + 10, 'x')));
    buffer.WriteLong(2);
    ASSERT_TRUE(buffer.HasFailed());
    EXPECT_FALSE(app.WriteFileFromBuffer("game.dat", buffer));
    EXPECT_TRUE(Tests::ReadBytes(file) == "the old save") << "the old save was replaced";
}

TEST_F(AppSettingsTest, FilesInsideAnArchiveReadLikeFilesOnDisk)
{
    const fs::path content = mFolder.Path() / "content";
    const std::string packed("packed\0level\r\n\x80", 15);
    Tests::WriteBytes(content / "levels" / "one.dat", packed);
    const fs::path archive = mFolder.Path() / "archive.pak";
    const std::string command =
        std::string(PAK_TOOL) + " pack '" + content.string() + "' '" + archive.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // Only the archive holds the file now.
    fs::remove_all(content);
    ASSERT_NE(Zest::gPakInterface, nullptr);
    ASSERT_TRUE(Zest::gPakInterface->AddPakFile(archive.string()));

    TestApp app;
    for (const char* name : {"levels\\one.dat", "levels/one.dat", "LEVELS\\ONE.DAT"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(app.CheckFileExists(name));
        Zest::Buffer buffer;
        ASSERT_TRUE(app.ReadFileToBuffer(name, &buffer));
        EXPECT_EQ(BufferBytes(buffer), packed);
    }
    EXPECT_FALSE(app.CheckFileExists("levels\\two.dat"));
}

// Command line.

// Records the parameters instead of acting on them.
class RecordingParamsApp : public TestApp {
public:
    void HandleCommandLineParam(const std::string& name, const std::string& value) override
    {
        mParams.emplace_back(name, value);
    }

    std::vector<std::pair<std::string, std::string>> mParams;
};

using Params = std::vector<std::pair<std::string, std::string>>;

TEST_F(AppSettingsTest, CommandLineTextSplitsIntoNamesAndValues)
{
    const struct {
        const char* text;
        Params expected;
    } cases[] = {
        {"-a -b=1", {{"-a", ""}, {"-b", "1"}}},
        {"-a", {{"-a", ""}}},
        {"-a    -b=1   -c", {{"-a", ""}, {"-b", "1"}, {"-c", ""}}},
        {"   -a   ", {{"-a", ""}}},
        {"-changedir=\"C:\\my games\\x\"", {{"-changedir", "C:\\my games\\x"}}},
        {"-changedir=\"C:\\my games\\x\" -play", {{"-changedir", "C:\\my games\\x"}, {"-play", ""}}},
        {"\"-demofile=my demo.dmo\" -record", {{"-demofile", "my demo.dmo"}, {"-record", ""}}},
        {"-x=", {{"-x", ""}}},
        {"-x= -y=2", {{"-x", ""}, {"-y", "2"}}},
        {"-name=value -other=12", {{"-name", "value"}, {"-other", "12"}}},
        {"", {}},
        {"     ", {}},
    };
    for (const auto& c : cases) {
        RecordingParamsApp app;
        app.ParseCommandLineText(c.text);
        EXPECT_EQ(app.mParams, c.expected) << "[" << c.text << "]";
    }
}

TEST_F(AppSettingsTest, CommandLineSkipsTheProgramName)
{
    const struct {
        std::vector<std::string> argv;
        Params expected;
    } cases[] = {
        {{"/opt/game/run"}, {}},
        {{"/opt/my games/run"}, {}},
        {{"/opt/game/run", "-a", "-b=1"}, {{"-a", ""}, {"-b", "1"}}},
        {{"/opt/my games/run", "-a", "-b=1"}, {{"-a", ""}, {"-b", "1"}}},
        {{"/opt/my games/run", "-changedir=/srv/my saves"}, {{"-changedir", "/srv/my saves"}}},
        {{"-looks-like-a-param", "-real"}, {{"-real", ""}}},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv;
        for (const std::string& argument : c.argv)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        Win32::SetCommandLine(static_cast<int>(c.argv.size()), argv.data());
        RecordingParamsApp app;
        app.mCommandLineParsed = false;
        app.ParseCommandLine();
        EXPECT_TRUE(app.mCommandLineParsed);
        EXPECT_EQ(app.mParams, c.expected) << "[" << Win32::GetCommandLineA() << "]";
    }
}

TEST_F(AppSettingsTest, BuiltInParametersSetTheirFields)
{
    const std::string appData = (mFolder.Path() / "appdata").string() + "/";
    Zest::SetAppDataFolder(appData);
    ASSERT_EQ(Zest::GetAppDataFolder(), appData);

    const std::string noDemoFile = "zestapp.dmo";
    // Without -changedir the start folder stays the one the application starts with.
    const std::string start = TestApp().mStartFolder;
    const struct {
        const char* text;
        bool screenSaver;
        bool recording;
        bool playing;
        std::string startFolder;
        std::string demoFile;
    } cases[] = {
        {"-screensaver", true, false, false, start, noDemoFile},
        {"-changedir=D:\\games", false, false, false, "D:\\games", noDemoFile},
        {"-changedir=\"C:\\my games\\x\"", false, false, false, "C:\\my games\\x", noDemoFile},
        {"-record", false, true, false, start, noDemoFile},
        {"-play", false, false, true, start, noDemoFile},
        {"-play -record", false, true, false, start, noDemoFile},
        {"-record -play", false, true, true, start, noDemoFile},
        {"-record -playnum", false, false, true, start, noDemoFile},
        {"-play -recnum", false, true, false, start, noDemoFile},
        {"-demofile=run.dmo", false, false, false, start, appData + "run.dmo"},
        {"-demofile=demos\\run.dmo", false, false, false, start, appData + "demos\\run.dmo"},
        {"-demofile=C:\\x.dmo", false, false, false, start, "C:\\x.dmo"},
        {"-demofile=\"C:\\my demos\\x.dmo\"", false, false, false, start, "C:\\my demos\\x.dmo"},
        {"-screensaver -changedir=E:\\ -demofile=a.dmo -record", true, true, false, "E:\\", appData + "a.dmo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TestApp app;
        app.ParseCommandLineText(c.text);
        EXPECT_EQ(app.mScreenSaverMode, c.screenSaver);
        EXPECT_EQ(app.mRecordingDemo.load(), c.recording);
        EXPECT_EQ(app.mPlayingDemo.load(), c.playing);
        EXPECT_EQ(app.mStartFolder, c.startFolder);
        EXPECT_EQ(app.mDemoFileName, c.demoFile);
    }
    EXPECT_TRUE(mBoxes.empty());
}

// Runs that end the process.
using AppSettingsDeathTest = Tests::AppDeathTest<AppTest>;

TEST_F(AppSettingsDeathTest, UnknownParameterShowsAnErrorAndEndsWithStatusOne)
{
    EXPECT_EXIT(
        {
            PrintBoxes();
            TestApp app;
            app.ParseCommandLineText("-record -bogus -play");
            std::fprintf(stderr, "parsing went on\n");
        },
        testing::ExitedWithCode(1), "box caption=\\[FATAL ERROR\\] text=\\[Invalid command line parameter: -bogus\\]");
}

// Volumes.

// The music's volume as the application last set it.
class RecordingMusic : public Zest::MusicInterface {
public:
    explicit RecordingMusic(std::vector<double>* volumes) : mVolumes(volumes) {}
    void SetVolume(const double volume) override { mVolumes->push_back(volume); }

private:
    std::vector<double>* mVolumes;
};

TEST_F(AppSettingsTest, MutesNestAndVolumesSetWhileMutedAreKept)
{
    std::vector<double> music;
    TestApp app;
    app.mMusic = new RecordingMusic(&music);

    app.SetMusicVolume(0.6);
    app.SetSfxVolume(0.4);
    EXPECT_EQ(music, std::vector<double>{0.6});
    EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.4);
    EXPECT_FALSE(app.IsMuted());

    app.Mute(true);
    app.Mute(true);
    EXPECT_TRUE(app.IsMuted());
    EXPECT_EQ(app.mMuteCount, 2);
    EXPECT_EQ(app.mAutoMuteCount, 2);
    app.Unmute(true);
    EXPECT_TRUE(app.IsMuted()) << "one of two mutes is still on";
    EXPECT_EQ(app.mMuteCount, 1);
    EXPECT_EQ(app.mAutoMuteCount, 1);
    EXPECT_EQ(music.back(), 0.0);

    app.SetMusicVolume(0.5);
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.5);
    EXPECT_EQ(music.back(), 0.0) << "the music sounded while muted";
    EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.4);

    app.Unmute(true);
    EXPECT_FALSE(app.IsMuted());
    EXPECT_EQ(music.back(), 0.5);

    // At no mutes, unmuting only applies the volumes again: no count goes below zero.
    const size_t calls = music.size();
    app.Unmute(true);
    app.Unmute(false);
    EXPECT_EQ(app.mMuteCount, 0);
    EXPECT_EQ(app.mAutoMuteCount, 0);
    EXPECT_EQ(music.size(), calls + 2);
    EXPECT_EQ(music.back(), 0.5);
    app.Mute(false);
    EXPECT_TRUE(app.IsMuted()) << "a mute after extra unmutes must still mute";

    // The player's mute is not an automatic one.
    app.Mute(true);
    app.Unmute(true);
    EXPECT_EQ(app.mMuteCount, 1);
    EXPECT_EQ(app.mAutoMuteCount, 0);
    EXPECT_TRUE(app.IsMuted());
    app.Unmute(false);
    EXPECT_FALSE(app.IsMuted());
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.5);
    EXPECT_EQ(music.back(), 0.5);
}

// Clipboard. The platform layer keeps the text with SDL's video clipboard, which the dummy
// driver holds in memory.

TEST_F(AppSettingsTest, ClipboardTextRoundTripsExceptDuringDemoPlayback)
{
    TestApp app;
    for (const std::string text : {"plain", "Zo\xEB's caf\xE9", "two\r\nlines"}) {
        app.CopyToClipboard(text);
        EXPECT_EQ(app.GetClipboardText(), text);
    }
    app.CopyToClipboard("kept");
    // Playback repeats a recorded run: it neither reads nor changes the player's clipboard.
    app.mPlayingDemo = true;
    app.CopyToClipboard("from the demo");
    EXPECT_EQ(app.GetClipboardText(), "");
    app.mPlayingDemo = false;
    EXPECT_EQ(app.GetClipboardText(), "kept");
}

// Cursors, screen modes and images on a display made by Init.

class AppScreenTest : public Tests::DisplayAppTest {};

// Counts the main windows made, so that a re-creation shows even when the new window
// happens to get the old one's handle.
class CountingApp : public TestApp {
public:
    void CreateMainWindow() override
    {
        ++mWindowsCreated;
        TestApp::CreateMainWindow();
    }

    int mWindowsCreated = 0;
};

Win32::HCURSOR SystemCursor(const char* id) { return Win32::LoadCursorA(nullptr, id); }

TEST_F(AppScreenTest, EachCursorKindShowsItsSystemCursor)
{
    TestApp app;
    app.Init();
    ASSERT_TRUE(app.mInitialized);
    ASSERT_NE(app.mDisplay, nullptr);
    ASSERT_NE(app.mHandCursor, nullptr);
    ASSERT_NE(app.mDragCursor, nullptr);
    ASSERT_NE(app.mHandCursor, app.mDragCursor);
    app.mMouseInWindow = true;

    const Win32::HCURSOR arrow = SystemCursor(Win32::IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    const struct {
        int kind;
        Win32::HCURSOR expected;
    } cases[] = {
        {1, app.mHandCursor},
        {0, arrow},
        {2, app.mDragCursor},
        {3, SystemCursor(Win32::IDC_IBEAM)},
        {4, SystemCursor(Win32::IDC_NO)},
        {5, SystemCursor(Win32::IDC_SIZEALL)},
        {6, SystemCursor(Win32::IDC_SIZENESW)},
        {7, SystemCursor(Win32::IDC_SIZENS)},
        {8, SystemCursor(Win32::IDC_SIZENWSE)},
        {9, SystemCursor(Win32::IDC_SIZEWE)},
        {10, SystemCursor(Win32::IDC_WAIT)},
        {11, nullptr},
        {1, app.mHandCursor},
        {12, nullptr},
        {13, arrow},
        {2, app.mDragCursor},
        {-1, arrow},
        {11, nullptr},
        {1000, arrow},
    };
    for (const auto& c : cases) {
        app.SetCursor(c.kind);
        EXPECT_EQ(Win32::GetCursor(), c.expected) << "kind " << c.kind;
        EXPECT_EQ(app.mCursorKind, c.kind);
        EXPECT_EQ(app.mDisplay->mCursorImage, nullptr) << "kind " << c.kind;
    }
}

TEST_F(AppScreenTest, CustomCursorPicturesReplaceTheSystemCursorWhenAllowed)
{
    // Not registered with the application, so they may outlive it.
    Zest::MemoryImage hand(nullptr);
    hand.Create(16, 16);
    Zest::MemoryImage busy(nullptr);
    busy.Create(16, 16);

    TestApp app;
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    app.mMouseInWindow = true;
    const Win32::HCURSOR arrow = SystemCursor(Win32::IDC_ARROW);

    // Custom cursors off: the picture for the hand waits.
    ASSERT_FALSE(app.mCustomCursors);
    app.SetCursor(1);
    app.SetCustomCursorImage(1, &hand);
    EXPECT_EQ(Win32::GetCursor(), app.mHandCursor);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);

    app.mForcePresent = false;
    app.SetCustomCursorsEnabled(true);
    EXPECT_EQ(app.mDisplay->mCursorImage, &hand);
    EXPECT_EQ(Win32::GetCursor(), nullptr) << "the system cursor shows over the drawn one";
    EXPECT_TRUE(app.mForcePresent) << "the new cursor picture waits for the next frame";

    // A kind without a picture goes back to its system cursor.
    app.SetCursor(3);
    EXPECT_EQ(Win32::GetCursor(), SystemCursor(Win32::IDC_IBEAM));
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    app.SetCursor(1);
    EXPECT_EQ(app.mDisplay->mCursorImage, &hand);
    app.SetCustomCursorsEnabled(false);
    EXPECT_EQ(Win32::GetCursor(), app.mHandCursor);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);

    // Kind 12's picture is drawn even with custom cursors off.
    app.SetCustomCursorImage(12, &busy);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr) << "a picture for another kind took effect";
    app.SetCursor(12);
    EXPECT_EQ(app.mDisplay->mCursorImage, &busy);
    EXPECT_EQ(Win32::GetCursor(), nullptr);

    // Outside the window the mouse is the system's: the arrow, nothing drawn.
    app.mMouseInWindow = false;
    app.SetCursor(12);
    EXPECT_EQ(Win32::GetCursor(), arrow);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    app.SetCursor(11);
    EXPECT_EQ(Win32::GetCursor(), arrow);
    app.mMouseInWindow = true;
    app.SetCursor(12);
    EXPECT_EQ(app.mDisplay->mCursorImage, &busy);

    // A picture taken away gives the system cursor back.
    app.SetCustomCursorImage(12, nullptr);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    EXPECT_EQ(Win32::GetCursor(), nullptr);
    app.SetCustomCursorImage(12, &busy);

    // For the crash report the arrow shows whatever kind is set, and nothing is drawn.
    app.SetCustomCursorsEnabled(true);
    app.PrepareForCrashReport();
    EXPECT_EQ(Win32::GetCursor(), arrow);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    for (const int kind : {1, 11, 12, 3}) {
        app.SetCursor(kind);
        EXPECT_EQ(Win32::GetCursor(), arrow) << "kind " << kind;
        EXPECT_EQ(app.mDisplay->mCursorImage, nullptr) << "kind " << kind;
    }

    app.SetCustomCursorImage(1, nullptr);
    app.SetCustomCursorImage(12, nullptr);
}

TEST_F(AppScreenTest, ScreenModeChangesMakeTheWindowAgainOnlyWhenTheModeChangesOrIsForced)
{
    CountingApp app;
    app.Init();
    ASSERT_TRUE(app.mInitialized);
    ASSERT_EQ(app.mWindowsCreated, 1);
    ASSERT_TRUE(app.mWindowIsWindowed);

    const auto expectWorkingDisplay = [&app] {
        EXPECT_TRUE(Win32::IsWindow(app.mMainWindow));
        EXPECT_EQ(Win32::GetWindowLongPtrA(app.mMainWindow, Win32::GWLP_USERDATA),
                  reinterpret_cast<Win32::LONG_PTR>(&app));
        ASSERT_NE(app.mWidgetManager->mScreenImage, nullptr);
        EXPECT_EQ(app.mWidgetManager->mScreenImage, static_cast<Zest::Image*>(app.mDisplay->GetScreenImage()));
    };

    // The same mode again: nothing is made again.
    Win32::HWND window = app.mMainWindow;
    app.SetWindowedMode(true);
    EXPECT_EQ(app.mWindowsCreated, 1);
    EXPECT_EQ(app.mMainWindow, window);

    // Forced, the same mode is made again.
    mClock.mNanoseconds += 5000ull * 1000000ull;
    app.ReapplyScreenMode();
    EXPECT_EQ(app.mWindowsCreated, 2);
    EXPECT_TRUE(app.mWindowed);
    EXPECT_TRUE(app.mWindowIsWindowed);
    EXPECT_EQ(app.mDisplayResetTick, Win32::timeGetTime());
    expectWorkingDisplay();

    // Full screen and back.
    app.SetWindowedMode(false);
    EXPECT_EQ(app.mWindowsCreated, 3);
    EXPECT_FALSE(app.mWindowed);
    EXPECT_FALSE(app.mWindowIsWindowed);
    expectWorkingDisplay();

    // While full screen is forced, asking for a window only applies the 3D setting again.
    app.mFullScreenForced = true;
    window = app.mMainWindow;
    app.SetWindowedMode(true);
    EXPECT_EQ(app.mWindowsCreated, 3);
    EXPECT_EQ(app.mMainWindow, window);
    EXPECT_FALSE(app.mWindowed);
    EXPECT_FALSE(app.mWindowIsWindowed);
    expectWorkingDisplay();

    app.mFullScreenForced = false;
    app.SetWindowedMode(true);
    EXPECT_EQ(app.mWindowsCreated, 4);
    EXPECT_TRUE(app.mWindowed);
    EXPECT_TRUE(app.mWindowIsWindowed);
    expectWorkingDisplay();
    EXPECT_TRUE(mBoxes.empty());
}

TEST_F(AppScreenTest, CopyImageRectCopiesThatAreaOfThePicture)
{
    constexpr int kWidth = 6;
    constexpr int kHeight = 5;
    const auto pixel = [](const int x, const int y) { return 0xFF000000u | (x * 40u) << 16 | (y * 50u) << 8 | 0x11u; };
    Zest::MemoryImage source(nullptr);
    source.Create(kWidth, kHeight);
    uint32_t* bits = source.GetBits();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            bits[y * kWidth + x] = pixel(x, y);
    }
    source.BitsChanged();

    TestApp app;
    EXPECT_EQ(app.CopyImageRect(&source, Zest::Rect(0, 0, 2, 2)), nullptr) << "copied without a display";
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    EXPECT_EQ(app.CopyImageRect(nullptr, Zest::Rect(0, 0, 2, 2)), nullptr);

    const Zest::Rect area(2, 1, 3, 4);
    const std::unique_ptr<Zest::DDImage> copy(app.CopyImageRect(&source, area));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->mWidth, area.mWidth);
    ASSERT_EQ(copy->mHeight, area.mHeight);
    const uint32_t* copied = copy->GetBits();
    ASSERT_NE(copied, nullptr);
    // The copy is drawn onto a fresh, transparent picture, and the over-blend weighs even an
    // opaque source 255/256 there: a channel may come out one lower, no more. The source's
    // channels differ by 40 or more from one pixel to the next, so a copy of the wrong area
    // shows.
    const auto sameWithinRounding = [](const uint32_t actual, const uint32_t expected) {
        if (actual >> 24 != expected >> 24)
            return false;
        for (const int shift : {0, 8, 16}) {
            const int a = static_cast<int>(actual >> shift & 0xFF);
            const int e = static_cast<int>(expected >> shift & 0xFF);
            if (a > e || a < e - 1)
                return false;
        }
        return true;
    };
    for (int y = 0; y < area.mHeight; ++y) {
        for (int x = 0; x < area.mWidth; ++x) {
            const uint32_t actual = copied[y * area.mWidth + x];
            const uint32_t expected = pixel(area.mX + x, area.mY + y);
            EXPECT_TRUE(sameWithinRounding(actual, expected))
                << std::hex << "at " << x << "," << y << ": 0x" << actual << ", expected 0x" << expected;
        }
    }
}

} // namespace

namespace {

// Shared pictures are keyed by file and variant, letter case ignored; one whose last
// reference went stays until the sweep after the next fixed update frees it.
TEST_F(AppScreenTest, SharedImagesAreCountedAndFreedAtTheNextSweep)
{
    Tests::TestApp app;
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    {
        bool created = false;
        Zest::SharedImageRef first = app.AcquireSharedImage("!Board", "", &created);
        EXPECT_TRUE(created);
        ASSERT_NE(first.GetDDImage(), nullptr) << "a '!' name is an empty picture to draw on";
        Zest::SharedImageRef again = app.AcquireSharedImage("!BOARD", "", &created);
        EXPECT_FALSE(created);
        EXPECT_EQ(again.GetDDImage(), first.GetDDImage());
        Zest::SharedImageRef variant = app.AcquireSharedImage("!board", "small", &created);
        EXPECT_TRUE(created);
        EXPECT_NE(variant.GetDDImage(), first.GetDDImage());
        EXPECT_EQ(app.mSharedImages.size(), 2u);

        Zest::SharedImageRef missing = app.AcquireSharedImage("no such picture.png", "", &created);
        EXPECT_TRUE(created);
        EXPECT_EQ(missing.GetDDImage(), nullptr);
    }
    // Every reference is gone, but nothing is freed before the sweep.
    EXPECT_EQ(app.mSharedImages.size(), 3u);
    EXPECT_TRUE(app.mSharedImagesUnused);
    app.RunFixedUpdate();
    EXPECT_TRUE(app.mSharedImages.empty());
    EXPECT_FALSE(app.mSharedImagesUnused);
}

} // namespace
