// Save files through the application: written as one step, read back, refused when a write
// cannot be whole, and read from inside an archive made with the pak tool.

#include "framework/app/common/Buffer.h"
#include "framework/resources/PakInterface.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Tests::AppTest;
using Tests::EntriesBelow;
using Tests::TestApp;

std::string BufferBytes(const Zest::Buffer& buffer)
{
    const uint8_t* data = buffer.GetDataPtr();
    return data == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(data), buffer.GetDataLen());
}

using AppSaveFilesTest = AppTest;

TEST_F(AppSaveFilesTest, SaveFilesAreWrittenReadBackAndReplacedWhole)
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
TEST_F(AppSaveFilesTest, FailedSaveLeavesTheOldFileWholeAndNoTemporaryFile)
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

TEST_F(AppSaveFilesTest, SaveIntoAReadOnlyFolderFailsAndLeavesTheOldFileWhole)
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
TEST_F(AppSaveFilesTest, SaveOfABufferWhoseWriteWasCutShortIsRefused)
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

TEST_F(AppSaveFilesTest, FilesInsideAnArchiveReadLikeFilesOnDisk)
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

} // namespace
