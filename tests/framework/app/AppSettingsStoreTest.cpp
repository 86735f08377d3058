// The settings store through the application: typed values under the product's key, and
// the settings kept there between runs.

#include "platform/win32/Registry.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

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

using AppSettingsStoreTest = AppTest;

// Values under the product's key.

TEST_F(AppSettingsStoreTest, WithoutAKeyNameNothingIsReadOrWritten)
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

TEST_F(AppSettingsStoreTest, BackslashesInAValueNameNameSubkeysOfTheProductKey)
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

TEST_F(AppSettingsStoreTest, TypedValuesRoundTripAndReadsOfAnotherTypeLeaveTheOutputAlone)
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

TEST_F(AppSettingsStoreTest, SavedSettingsLoadIntoAFreshApplication)
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

TEST_F(AppSettingsStoreTest, MutedIsKeptAsTheMuteThePlayerChose)
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

TEST_F(AppSettingsStoreTest, InProgressMarksARunThatDidNotEndCleanly)
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

TEST_F(AppSettingsStoreTest, RegistryKeyTextReplacesTheKeyNameWhenSettingsLoad)
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

} // namespace
