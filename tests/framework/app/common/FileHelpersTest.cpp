#include "framework/app/common/FileHelpers.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace Zest;

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void WriteFile(const std::string& path, const std::string& content = "data")
{
    std::ofstream file(path, std::ios::binary);
    file << content;
    ASSERT_TRUE(file.good()) << path;
}

std::string WorkingFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof(buffer)) != nullptr ? std::string(buffer) : std::string();
}

// A fresh folder per test, removed afterwards; the working folder is restored too.
class FileHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOriginalDir = WorkingFolder();
        ASSERT_FALSE(mOriginalDir.empty());
    }

    void TearDown() override
    {
        if (chdir(mOriginalDir.c_str()) != 0)
            ADD_FAILURE() << "could not return to " << mOriginalDir;
    }

    void EnterRoot() { ASSERT_EQ(chdir(mRoot.c_str()), 0); }

    std::string Path(const std::string& relative) const { return mRoot + "/" + relative; }

    std::string mOriginalDir;
    const Tests::TemporaryFolder mFolder;
    const std::string mRoot = mFolder.Path().string();
};

TEST_F(FileHelpersTest, CreateDirectoriesMakesNestedFoldersFromBackslashPath)
{
    EnterRoot();
    CreateDirectories("tmp\\a\\b\\c");
    EXPECT_TRUE(IsFolder(Path("tmp/a/b/c")));
    EXPECT_FALSE(Exists(Path("tmp\\a\\b\\c")));

    WriteFile(Path("tmp/a/b/c/keep.txt"));
    CreateDirectories("tmp\\a\\b\\c"); // existing folders are fine and keep their files
    EXPECT_TRUE(Exists(Path("tmp/a/b/c/keep.txt")));

    CreateDirectories(mRoot + "\\x\\y/z");
    EXPECT_TRUE(IsFolder(Path("x/y/z")));
}

TEST_F(FileHelpersTest, GetFileDateGivesModificationTimeOrZeroWhenMissing)
{
    const std::string file = Path("dated.txt");
    WriteFile(file);
    const timeval times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimes(file.c_str(), times), 0);

    EXPECT_EQ(GetFileDate(file), 1000000000);
    EXPECT_EQ(GetFileDate(mRoot + "\\dated.txt"), 1000000000);
    EXPECT_EQ(GetFileDate(Path("missing.txt")), 0);

    const timeval later[2] = {{2000000000, 0}, {2000000000, 0}};
    ASSERT_EQ(utimes(file.c_str(), later), 0);
    EXPECT_EQ(GetFileDate(file), 2000000000);
}

TEST_F(FileHelpersTest, DeleteFilesRecursiveRemovesWholeTree)
{
    const std::string tree = Path("tree");
    ASSERT_EQ(std::filesystem::create_directories(tree + "/sub/deeper"), true);
    ASSERT_TRUE(std::filesystem::create_directory(tree + "/empty"));
    WriteFile(tree + "/top.txt");
    WriteFile(tree + "/.hidden");
    WriteFile(tree + "/sub/mid.txt");
    WriteFile(tree + "/sub/deeper/low.txt");
    ASSERT_EQ(symlink("nowhere", (tree + "/dangling").c_str()), 0);

    EXPECT_TRUE(DeleteFilesRecursive(tree));
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(IsFolder(mRoot));
}

TEST_F(FileHelpersTest, DeleteFilesRecursiveAcceptsTrailingSeparatorsAndBackslashes)
{
    const char* const suffixes[] = {"/", "\\", "//"};
    for (const char* suffix : suffixes) {
        const std::string tree = Path("tree");
        ASSERT_TRUE(std::filesystem::create_directories(tree + "/sub"));
        WriteFile(tree + "/sub/f.txt");

        EXPECT_TRUE(DeleteFilesRecursive(mRoot + "\\tree" + suffix)) << "suffix: " << suffix;
        EXPECT_FALSE(Exists(tree)) << "suffix: " << suffix;
    }
}

TEST_F(FileHelpersTest, DeleteFilesRecursiveRefusesOneCharacterPaths)
{
    EnterRoot();
    ASSERT_TRUE(std::filesystem::create_directory("a"));
    WriteFile("a/inside.txt");
    WriteFile("top.txt");

    EXPECT_FALSE(DeleteFilesRecursive("a"));
    EXPECT_FALSE(DeleteFilesRecursive("."));
    EXPECT_TRUE(Exists("a/inside.txt"));
    EXPECT_TRUE(Exists("top.txt"));
}

TEST_F(FileHelpersTest, DeleteFilesRecursiveFailsForMissingFolderAndPlainFile)
{
    EXPECT_FALSE(DeleteFilesRecursive(Path("missing")));

    const std::string file = Path("plain.txt");
    WriteFile(file);
    EXPECT_FALSE(DeleteFilesRecursive(file));
    EXPECT_TRUE(Exists(file));
}

TEST_F(FileHelpersTest, DeleteFilesRecursiveDoesNotFollowLinksInsideTheTree)
{
    const std::string outside = Path("outside");
    ASSERT_TRUE(std::filesystem::create_directories(outside + "/nested"));
    WriteFile(outside + "/precious.txt");
    WriteFile(outside + "/nested/deep.txt");
    WriteFile(Path("lonely.txt"));

    const std::string tree = Path("tree");
    ASSERT_TRUE(std::filesystem::create_directories(tree + "/sub"));
    ASSERT_EQ(symlink(outside.c_str(), (tree + "/folder_link").c_str()), 0);
    ASSERT_EQ(symlink(outside.c_str(), (tree + "/sub/folder_link").c_str()), 0);
    ASSERT_EQ(symlink(Path("lonely.txt").c_str(), (tree + "/file_link").c_str()), 0);

    EXPECT_TRUE(DeleteFilesRecursive(tree));
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(Exists(outside + "/precious.txt"));
    EXPECT_TRUE(Exists(outside + "/nested/deep.txt"));
    EXPECT_TRUE(Exists(Path("lonely.txt")));
}

TEST_F(FileHelpersTest, DeleteFilesRecursiveRemovesALinkArgumentButNotItsTarget)
{
    const std::string target = Path("target");
    ASSERT_TRUE(std::filesystem::create_directory(target));
    WriteFile(target + "/precious.txt");

    const char* const spellings[] = {"", "/"};
    for (const char* suffix : spellings) {
        const std::string link = Path("link");
        ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);

        EXPECT_TRUE(DeleteFilesRecursive(link + suffix)) << "suffix: " << suffix;
        EXPECT_FALSE(Exists(link)) << "suffix: " << suffix;
        EXPECT_TRUE(IsFolder(target)) << "suffix: " << suffix;
        EXPECT_TRUE(Exists(target + "/precious.txt")) << "suffix: " << suffix;
    }
}

TEST_F(FileHelpersTest, GetCurrentDirMatchesWorkingFolder)
{
    EXPECT_EQ(GetCurrentDir(), WorkingFolder());
    EnterRoot();
    EXPECT_EQ(GetCurrentDir(), WorkingFolder());
    EXPECT_EQ(std::filesystem::path(GetCurrentDir()), std::filesystem::canonical(mRoot));
}

TEST(FileHelpers, AllowAllAccessSucceeds)
{
    EXPECT_TRUE(AllowAllAccess("/tmp"));
    EXPECT_TRUE(AllowAllAccess("no\\such\\file"));
}

TEST(FileHelpers, ReportsModernWindowsVersion)
{
    EXPECT_TRUE(IsVistaOrLater());
    EXPECT_FALSE(IsWin9x());
}

// The folder is empty in a fresh process, and again whenever the test below has finished,
// so the case passes wherever it runs in its process.
TEST(AppDataFolder, IsEmptyUntilSet)
{
    EXPECT_EQ(GetAppDataFolder(), "");
}

TEST(AppDataFolder, StoresPathWithTrailingSeparator)
{
    const struct {
        const char* path;
        const char* stored;
    } cases[] = {
        {"/home/x/AppData", "/home/x/AppData\\"},
        {"/home/x/AppData/", "/home/x/AppData/"},
        {"C:\\Users\\x\\AppData\\", "C:\\Users\\x\\AppData\\"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SetAppDataFolder(c.path);
        EXPECT_EQ(GetAppDataFolder(), c.stored) << "path: \"" << c.path << '"';
    }
    SetAppDataFolder("");
}

} // namespace
