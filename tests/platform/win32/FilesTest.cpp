#include "platform/win32/FileMapping.h"
#include "platform/win32/Files.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace Win32;
namespace fs = std::filesystem;

// A fresh temporary folder that is the working folder while the test runs.
class TempFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        mSavedFolder = fs::current_path();
        fs::current_path(mRoot);
    }

    void TearDown() override { fs::current_path(mSavedFolder); }

    const Tests::TemporaryFolder mFolder;
    const fs::path mRoot = mFolder.Path();

private:
    fs::path mSavedFolder;
};

void MakeFile(const std::string& path, const std::string& content = "")
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

uint64_t ToUnits(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct FindResult {
    std::vector<std::string> names;
    DWORD error;
};

// Every name a search returns, sorted, and the last error it ended with.
FindResult FindAll(const std::string& pattern)
{
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return {{}, GetLastError()};
    std::vector<std::string> names;
    do
        names.emplace_back(data.cFileName);
    while (FindNextFileA(search, &data));
    const DWORD error = GetLastError();
    EXPECT_EQ(FindClose(search), 1);
    std::sort(names.begin(), names.end());
    return {names, error};
}

// Mixed-case names, names without a dot, a name with a bracket, a subfolder, and links to
// a file, a folder and nothing.
class FilesFind : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        MakeFile("Title.PNG", "title");
        MakeFile("shot1.png", "0123456789");
        MakeFile("shot[1].png");
        MakeFile("README", "read me");
        MakeFile("x.dmo");
        fs::create_directory("Data");
        MakeFile("Data/Inner.txt", "inner");
        fs::create_symlink("shot1.png", "link.png");
        fs::create_symlink("missing.bin", "broken.png");
        fs::create_directory_symlink("Data", "dirlink");
    }
};

TEST_F(FilesFind, PatternsFindExactlyTheMatchingNames)
{
    using Names = std::vector<std::string>;
    const Names everything = {".",        "..",        "Data",      "README",      "Title.PNG", "broken.png",
                              "dirlink", "link.png", "shot1.png", "shot[1].png", "x.dmo"};
    const Names pngs = {"Title.PNG", "broken.png", "link.png", "shot1.png", "shot[1].png"};
    struct Case {
        const char* pattern;
        Names names;
    };
    const Case cases[] = {
        {"*", everything},
        {"*.*", everything},
        {"*.png", pngs},
        {"*.PNG", pngs},
        {"shot?.png", {"shot1.png"}},
        {"shot[1].*", {"shot[1].png"}},
        {"readme.*", {"README"}},
        {"*.dmo", {"x.dmo"}},
        {"data\\*.TXT", {"Inner.txt"}},
        {"DATA/inner.*", {"Inner.txt"}},
        {"dirlink\\*.txt", {"Inner.txt"}},
        {".\\Data\\*", {".", "..", "Inner.txt"}},
        {"readme", {"README"}},
        {"data", {"Data"}},
        {"Data\\Inner.txt", {"Inner.txt"}},
        {"dirlink", {"dirlink"}},
        {"broken.png", {"broken.png"}},
    };
    for (const Case& c : cases) {
        const FindResult result = FindAll(c.pattern);
        EXPECT_EQ(result.names, c.names) << c.pattern;
        EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_NO_MORE_FILES)) << c.pattern;
    }
    EXPECT_EQ(FindAll((mRoot / "data" / "*.txt").string()).names, Names{"Inner.txt"});
}

TEST_F(FilesFind, SearchesThatFindNothingTellAMissingFileFromAMissingFolder)
{
    struct Case {
        const char* pattern;
        LONG error;
    };
    const Case cases[] = {
        {"*.xyz", ERROR_FILE_NOT_FOUND},
        {"missing.txt", ERROR_FILE_NOT_FOUND},
        {"Data\\", ERROR_FILE_NOT_FOUND},
        {"", ERROR_FILE_NOT_FOUND},
        {"nowhere\\*.png", ERROR_PATH_NOT_FOUND},
        {"nowhere\\a.txt", ERROR_PATH_NOT_FOUND},
        {"README\\*", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        const FindResult result = FindAll(c.pattern);
        EXPECT_TRUE(result.names.empty()) << c.pattern;
        EXPECT_EQ(result.error, static_cast<DWORD>(c.error)) << c.pattern;
    }
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(FindFirstFileA("*", nullptr), INVALID_HANDLE_VALUE);
}

TEST_F(FilesFind, EntriesCarryTheAttributesAndSizeOfWhatTheyName)
{
    MakeFile("locked.txt", "abc");
    ASSERT_EQ(chmod("locked.txt", 0444), 0);
    struct Case {
        const char* name;
        DWORD attributes;
        DWORD size;
    };
    const Case cases[] = {
        {"README", FILE_ATTRIBUTE_NORMAL, 7},
        {"Data", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"link.png", FILE_ATTRIBUTE_NORMAL, 10},
        {"broken.png", FILE_ATTRIBUTE_NORMAL, 0},
        {"dirlink", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"locked.txt", FILE_ATTRIBUTE_READONLY, 3},
    };
    for (const Case& c : cases) {
        WIN32_FIND_DATAA data;
        const HANDLE search = FindFirstFileA(c.name, &data);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << c.name;
        EXPECT_STREQ(data.cFileName, c.name);
        EXPECT_EQ(data.dwFileAttributes, c.attributes) << c.name;
        EXPECT_EQ(data.nFileSizeLow, c.size) << c.name;
        EXPECT_EQ(data.nFileSizeHigh, 0u) << c.name;
        EXPECT_EQ(GetFileAttributesA(c.name), c.attributes) << c.name;
        EXPECT_EQ(FindClose(search), 1);
    }
    // The links are reported, not followed away: the file they point to is untouched.
    EXPECT_TRUE(fs::is_symlink("link.png"));
}

TEST_F(FilesFind, HandlesEndCleanlyAndRefuseHandlesOfOtherKinds)
{
    WIN32_FIND_DATAA data;
    const HANDLE single = FindFirstFileA("README", &data);
    ASSERT_NE(single, INVALID_HANDLE_VALUE);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(FindNextFileA(single, &data), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    }
    EXPECT_EQ(FindClose(single), 1);

    const HANDLE file = CreateFileA("README", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    for (const HANDLE wrong : {HANDLE{nullptr}, INVALID_HANDLE_VALUE, file}) {
        EXPECT_EQ(FindNextFileA(wrong, &data), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(FindClose(wrong), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
    char byte = 0;
    DWORD read = 0;
    EXPECT_EQ(ReadFile(file, &byte, 1, &read, nullptr), 1) << "FindClose must not have closed the file";
    EXPECT_EQ(CloseHandle(file), 1);
}

TEST(FilesTime, FileTimeCountsHundredNanosecondsSince1601)
{
    struct Case {
        int64_t seconds;
        int64_t nanoseconds;
        uint64_t units;
    };
    const Case cases[] = {
        {0, 0, 116444736000000000},
        {1000000000, 0, 126444736000000000},
        {1000000000, 123456789, 126444736001234567},
        {1000000000, 99, 126444736000000000},
        {-11644473600, 0, 0},
        {-11644473601, 0, 0},
        {INT64_MIN, 0, 0},
        {INT64_MAX, 999999999, UINT64_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToUnits(FileTimeFromUnix(c.seconds, c.nanoseconds)), c.units) << c.seconds << " s " << c.nanoseconds;
}

using FilesTimes = TempFolderTest;

TEST_F(FilesTimes, FindAndFileHandlesReportTheFileTimes)
{
    MakeFile("dated.txt", "x");
    // 2001-09-09 01:46:40.123456789 UTC written, one second later read.
    const timespec times[2] = {{1000000001, 0}, {1000000000, 123456789}};
    ASSERT_EQ(utimensat(AT_FDCWD, "dated.txt", times, 0), 0);

    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA("*.txt", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ToUnits(data.ftLastWriteTime), 126444736001234567u);
    EXPECT_EQ(ToUnits(data.ftLastAccessTime), 126444736010000000u);
    FindClose(search);

    const HANDLE file = CreateFileA("DATED.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME written{};
    FILETIME created{};
    ASSERT_EQ(GetFileTime(file, &created, nullptr, &written), 1);
    EXPECT_EQ(ToUnits(written), 126444736001234567u);
    EXPECT_GT(ToUnits(created), ToUnits(written)) << "the change time is when utimensat ran";
    EXPECT_EQ(CloseHandle(file), 1);
    EXPECT_EQ(GetFileTime(nullptr, nullptr, nullptr, &written), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

using FilesFolders = TempFolderTest;

TEST_F(FilesFolders, CreateDirectoryReportsAnExistingFolderInAnyCase)
{
    EXPECT_EQ(CreateDirectoryA("Saves", nullptr), 1);
    EXPECT_TRUE(fs::is_directory("Saves"));
    for (const char* again : {"Saves", "SAVES", "saves\\"}) {
        EXPECT_EQ(CreateDirectoryA(again, nullptr), 0) << again;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << again;
    }
    EXPECT_EQ(CreateDirectoryA("saves\\Slot1", nullptr), 1);
    EXPECT_TRUE(fs::is_directory("Saves/Slot1"));
    EXPECT_EQ(CreateDirectoryA("nowhere\\Slot1", nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(CreateDirectoryA(nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FilesFolders, RemoveDirectoryRemovesOnlyEmptyFolders)
{
    fs::create_directories("Full/Inner");
    MakeFile("file.txt");
    struct Case {
        const char* path;
        LONG error;
    };
    const Case refusals[] = {
        {"Full", ERROR_DIR_NOT_EMPTY},
        {"file.txt", ERROR_DIRECTORY},
        {"missing", ERROR_FILE_NOT_FOUND},
        {"nowhere\\missing", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : refusals) {
        EXPECT_EQ(RemoveDirectoryA(c.path), 0) << c.path;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.path;
    }
    EXPECT_EQ(RemoveDirectoryA("full\\inner"), 1);
    EXPECT_FALSE(fs::exists("Full/Inner"));
    EXPECT_TRUE(fs::exists("file.txt"));
}

TEST_F(FilesFolders, DeleteFileDeletesFilesAndLinksButNeverFolders)
{
    fs::create_directory("Folder");
    MakeFile("Folder/kept.txt");
    MakeFile("Doomed.TXT");
    fs::create_directory_symlink("Folder", "folderlink");

    EXPECT_EQ(DeleteFileA("Folder"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::exists("Folder/kept.txt"));

    EXPECT_EQ(DeleteFileA("doomed.txt"), 1);
    EXPECT_FALSE(fs::exists("Doomed.TXT"));
    EXPECT_EQ(DeleteFileA("doomed.txt"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(DeleteFileA("nowhere\\doomed.txt"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    EXPECT_EQ(DeleteFileA("folderlink"), 1);
    EXPECT_FALSE(fs::is_symlink("folderlink"));
    EXPECT_TRUE(fs::exists("Folder/kept.txt"));
}

TEST_F(FilesFolders, MoveFileNeverReplacesWhatIsAtTheNewPath)
{
    fs::create_directory("Saves");
    MakeFile("Saves/Profiles.dat", "new");
    MakeFile("Saves/profiles.dat.damaged", "older");

    // Taken, also when spelled in another case: both files stay as they were.
    EXPECT_EQ(MoveFileA("saves\\profiles.dat", "saves\\PROFILES.DAT.DAMAGED"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadText("Saves/Profiles.dat"), "new");
    EXPECT_EQ(ReadText("Saves/profiles.dat.damaged"), "older");

    EXPECT_EQ(MoveFileA("saves\\profiles.dat", "saves\\profiles.dat.damaged.1"), 1);
    EXPECT_FALSE(fs::exists("Saves/Profiles.dat"));
    EXPECT_EQ(ReadText("Saves/profiles.dat.damaged.1"), "new");

    EXPECT_EQ(MoveFileA("saves\\profiles.dat", "saves\\profiles.dat.damaged.2"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(MoveFileA("nowhere\\profiles.dat", "nowhere\\profiles.dat.damaged"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(MoveFileA(nullptr, "x"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FilesFolders, GetFileAttributesReportsMissingEntries)
{
    EXPECT_EQ(GetFileAttributesA("missing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("nowhere\\missing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesFolders, CurrentDirectoryFollowsSetAndHonoursTheBufferSize)
{
    fs::create_directory("Work");
    MakeFile("file.txt");
    ASSERT_EQ(SetCurrentDirectoryA("work"), 1);
    const std::string expected = (mRoot / "Work").string();
    EXPECT_EQ(fs::current_path(), mRoot / "Work");
    const auto length = static_cast<DWORD>(expected.size());

    constexpr char kCanary = '#';
    constexpr size_t kGuard = 8;
    struct Case {
        DWORD size;
        DWORD result;
        bool written;
    };
    const Case cases[] = {
        {length + 1, length, true},
        {length + 40, length, true},
        {length, length + 1, false},
        {1, length + 1, false},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(c.size + kGuard, kCanary);
        EXPECT_EQ(GetCurrentDirectoryA(c.size, buffer.data()), c.result) << c.size;
        if (c.written)
            EXPECT_STREQ(buffer.data(), expected.c_str());
        else
            EXPECT_EQ(buffer[0], kCanary) << "nothing is written to a short buffer";
        EXPECT_TRUE(std::all_of(buffer.end() - kGuard, buffer.end(), [](const char b) { return b == kCanary; }))
            << c.size;
    }
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);

    EXPECT_EQ(SetCurrentDirectoryA("..\\file.txt"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(SetCurrentDirectoryA("missing"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(fs::current_path(), mRoot / "Work");
}

using FilesHandles = TempFolderTest;

TEST_F(FilesHandles, ReadFileReadsTheBytesUpToTheEnd)
{
    MakeFile("Level.dat", "0123456789");
    // Exclusive opens succeed side by side: sharing is not enforced.
    const HANDLE first = CreateFileA("level.DAT", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE second = CreateFileA("Level.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CloseHandle(second), 1);

    DWORD high = 99;
    EXPECT_EQ(GetFileSize(first, &high), 10u);
    EXPECT_EQ(high, 0u);

    char buffer[8] = {};
    DWORD read = 99;
    EXPECT_EQ(ReadFile(first, buffer, 6, &read, nullptr), 1);
    EXPECT_EQ(read, 6u);
    EXPECT_EQ(std::string(buffer, read), "012345");
    EXPECT_EQ(ReadFile(first, buffer, sizeof buffer, &read, nullptr), 1);
    EXPECT_EQ(std::string(buffer, read), "6789");
    EXPECT_EQ(ReadFile(first, buffer, sizeof buffer, &read, nullptr), 1) << "the end of a file is not an error";
    EXPECT_EQ(read, 0u);

    int overlapped = 0;
    EXPECT_EQ(ReadFile(first, buffer, 1, &read, &overlapped), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ReadFile(first, nullptr, 1, &read, nullptr), 0);
    EXPECT_EQ(CloseHandle(first), 1);
}

TEST_F(FilesHandles, OpeningFailsForMissingFilesAndFolders)
{
    fs::create_directory("Folder");
    struct Case {
        const char* path;
        LONG error;
    };
    const Case cases[] = {
        {"missing.dat", ERROR_FILE_NOT_FOUND},
        {"nowhere\\missing.dat", ERROR_PATH_NOT_FOUND},
        {"Folder", ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CreateFileA(c.path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
                  INVALID_HANDLE_VALUE)
            << c.path;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.path;
    }
    EXPECT_EQ(CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA("Folder", GENERIC_READ, 0, nullptr, 99, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    DWORD read = 0;
    char byte = 0;
    EXPECT_EQ(ReadFile(INVALID_HANDLE_VALUE, &byte, 1, &read, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GetFileSize(nullptr, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FilesHandles, CreateAlwaysReplacesAFileOfTheSameNameInAnyCase)
{
    const HANDLE created =
        CreateFileA("Save.dat", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    DWORD written = 0;
    EXPECT_EQ(WriteFile(created, "first version", 13, &written, nullptr), 1);
    EXPECT_EQ(written, 13u);
    char byte = 0;
    DWORD read = 0;
    EXPECT_EQ(ReadFile(created, &byte, 1, &read, nullptr), 0) << "the handle was opened for writing only";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CloseHandle(created), 1);

    const HANDLE replaced = CreateFileA("SAVE.DAT", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(replaced, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(WriteFile(replaced, "v2", 2, &written, nullptr), 1);
    EXPECT_EQ(CloseHandle(replaced), 1);

    EXPECT_EQ(std::distance(fs::directory_iterator(mRoot), fs::directory_iterator()), 1) << "no second file";
    std::ifstream stream("Save.dat", std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    EXPECT_EQ(content, "v2");
}

TEST_F(FilesHandles, GetFileSizeReportsTheHighHalfOfLargeFiles)
{
    const int fd = open("big.bin", O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    // Sparse: 5 GiB + 3 bytes takes no space.
    const bool grown = ftruncate(fd, (int64_t{5} << 30) + 3) == 0;
    close(fd);
    ASSERT_TRUE(grown);

    const HANDLE file = CreateFileA("big.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 0;
    EXPECT_EQ(GetFileSize(file, &high), (1u << 30) + 3);
    EXPECT_EQ(high, 1u);
    EXPECT_EQ(CloseHandle(file), 1);
}

// Every test leaves reading from disk in place.
class FilesContentFile : public TempFolderTest {
protected:
    void TearDown() override
    {
        SetContentFileReader(nullptr);
        TempFolderTest::TearDown();
    }

    static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

    // Stands for the program's archive reader: it holds every name under "pak\", whose
    // bytes are the name itself, and nothing else.
    static bool ReadFromArchive(const char* fileName, std::vector<uint8_t>* bytes)
    {
        const std::string name = fileName;
        if (!name.starts_with("pak\\"))
            return false;
        *bytes = Bytes(name);
        return true;
    }
};

TEST_F(FilesContentFile, WithoutAReaderFilesAreReadFromDiskInAnySpelling)
{
    fs::create_directories("Music");
    MakeFile("Music/Song.ogg", std::string("song\0bytes", 10));
    MakeFile("Music/Empty.ogg");
    struct Case {
        const char* name;
        bool read;
        std::string bytes;
    };
    const Case cases[] = {
        {"Music/Song.ogg", true, std::string("song\0bytes", 10)},
        {"music\\SONG.OGG", true, std::string("song\0bytes", 10)},
        {"Music\\Empty.ogg", true, ""},
        {"Music\\missing.ogg", false, "untouched"},
        {"nowhere\\Song.ogg", false, "untouched"},
        {"Music", false, "untouched"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = Bytes("untouched");
        EXPECT_EQ(ReadContentFile(c.name, &bytes), c.read) << c.name;
        EXPECT_EQ(bytes, Bytes(c.bytes)) << c.name;
    }
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(ReadContentFile(nullptr, &bytes));
}

TEST_F(FilesContentFile, AnInstalledReaderReadsEveryFileUntilItIsRemoved)
{
    MakeFile("loose.dat", "on disk");
    SetContentFileReader(ReadFromArchive);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadContentFile("pak\\music\\song.ogg", &bytes));
    EXPECT_EQ(bytes, Bytes("pak\\music\\song.ogg"));
    EXPECT_FALSE(ReadContentFile("loose.dat", &bytes)) << "the reader, not the disk, answers";
    EXPECT_FALSE(ReadContentFile(nullptr, &bytes)) << "a null name never reaches the reader";

    SetContentFileReader(nullptr);
    EXPECT_FALSE(ReadContentFile("pak\\music\\song.ogg", &bytes));
    ASSERT_TRUE(ReadContentFile("loose.dat", &bytes));
    EXPECT_EQ(bytes, Bytes("on disk"));
}

using FilesResolvePathNoCase = TempFolderTest;

TEST_F(FilesResolvePathNoCase, FindsTheExistingSpellingOfEachComponent)
{
    fs::create_directories("DATA/Sub");
    MakeFile("DATA/Sub/FILE.txt");
    // Two folders whose names differ only in case: the one spelled as asked wins.
    fs::create_directories("Twin");
    fs::create_directories("twin");
    MakeFile("Twin/File.txt");
    MakeFile("twin/File.txt");
    struct Case {
        std::string path;
        std::string resolved;
    };
    const Case cases[] = {
        {"data/sub/file.TXT", "DATA/Sub/FILE.txt"},
        {"DATA/Sub/FILE.txt", "DATA/Sub/FILE.txt"},
        {"data/sub/", "DATA/Sub/"},
        {"./data//sub/file.txt", "./DATA/Sub/FILE.txt"},
        {(mRoot / "data/SUB/file.txt").string(), (mRoot / "DATA/Sub/FILE.txt").string()},
        {"Twin/file.txt", "Twin/File.txt"},
        {"twin/FILE.TXT", "twin/File.txt"},
        {"data/nothing/file.txt", "data/nothing/file.txt"},
        {"data/sub/file.txt/more", "data/sub/file.txt/more"},
        {"nothing", "nothing"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePathNoCase(c.path), c.resolved) << c.path;
}

// The lookup that file opening uses: whether an entry exists in some spelling, its path,
// and, on a miss, errno as an open of the path as spelled would leave it.
TEST_F(FilesResolvePathNoCase, FindPathTellsWhetherAnEntryExists)
{
    fs::create_directories("DATA/Sub");
    MakeFile("DATA/Sub/FILE.txt");
    struct Case {
        std::string path;
        bool exists;
        std::string found;
        int error;
    };
    const Case cases[] = {
        {"data/sub/file.TXT", true, "DATA/Sub/FILE.txt", 0},
        {"DATA/Sub/FILE.txt", true, "DATA/Sub/FILE.txt", 0},
        {"DATA/Sub/absent.txt", false, "DATA/Sub/absent.txt", ENOENT},
        {"data/sub/absent.txt", false, "data/sub/absent.txt", ENOENT},
        {"data/nothing/file.txt", false, "data/nothing/file.txt", ENOENT},
        {"DATA/Sub/FILE.txt/more", false, "DATA/Sub/FILE.txt/more", ENOTDIR},
        {"", false, "", ENOENT},
    };
    for (const Case& c : cases) {
        std::string found = "stale";
        errno = 0;
        EXPECT_EQ(FindPathNoCase(c.path, &found), c.exists) << c.path;
        EXPECT_EQ(found, c.found) << c.path;
        if (!c.exists) {
            EXPECT_EQ(errno, c.error) << c.path;
        }
    }
}

// A folder whose listing takes several reads: the entry listed last is found too.
TEST_F(FilesResolvePathNoCase, FindsTheLastEntryOfALargeFolder)
{
    fs::create_directories("many");
    for (int i = 0; i < 300; ++i)
        MakeFile("many/Picture_With_A_Rather_Long_Name_" + std::to_string(i) + ".png");
    std::string last;
    for (const fs::directory_entry& entry : fs::directory_iterator("many"))
        last = entry.path().filename().string();
    std::string upper = last;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    EXPECT_EQ(ResolvePathNoCase("many/" + upper), "many/" + last);
    EXPECT_EQ(ResolvePathNoCase("many/absent.png"), "many/absent.png");
}

// A file of three allocation units and a bit, each byte telling its offset apart.
class FileMappingTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        mBytes.resize(3 * kAllocationGranularity + 100);
        for (size_t i = 0; i < mBytes.size(); ++i)
            mBytes[i] = static_cast<char>(i * 7 + i / 251);
        MakeFile("pack.bin", mBytes);
        mFile = CreateFileA("pack.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(mFile, INVALID_HANDLE_VALUE);
    }

    void TearDown() override
    {
        if (mFile != INVALID_HANDLE_VALUE)
            CloseHandle(mFile);
        TempFolderTest::TearDown();
    }

    std::string mBytes;
    HANDLE mFile = INVALID_HANDLE_VALUE;
};

using FileMapping = FileMappingTest;

TEST_F(FileMapping, ViewsReadTheFileAndOutliveTheirHandles)
{
    const HANDLE mapping = CreateFileMappingA(mFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    const auto view = [&](const DWORD offset, const size_t bytes) {
        return static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, offset, bytes));
    };
    const char* const whole = view(0, 0);
    const char* const part = view(kAllocationGranularity, 100);
    const char* const tail = view(3 * kAllocationGranularity, 0);
    ASSERT_NE(whole, nullptr);
    ASSERT_NE(part, nullptr);
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(CloseHandle(mapping), 1);
    EXPECT_EQ(CloseHandle(mFile), 1);
    mFile = INVALID_HANDLE_VALUE;

    EXPECT_EQ(std::memcmp(whole, mBytes.data(), mBytes.size()), 0);
    EXPECT_EQ(std::memcmp(part, mBytes.data() + kAllocationGranularity, 100), 0);
    EXPECT_EQ(std::memcmp(tail, mBytes.data() + 3 * kAllocationGranularity, 100), 0);
    for (const char* const mapped : {whole, part, tail})
        EXPECT_EQ(UnmapViewOfFile(mapped), 1);
    EXPECT_EQ(UnmapViewOfFile(whole), 0) << "a view is unmapped once";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
    EXPECT_EQ(UnmapViewOfFile(nullptr), 0);
}

TEST_F(FileMapping, AMaximumSizeLimitsTheViews)
{
    const HANDLE mapping = CreateFileMappingA(mFile, nullptr, PAGE_READONLY, 0, 10, nullptr);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 11), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    const void* const view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 10);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::memcmp(view, mBytes.data(), 10), 0);
    EXPECT_EQ(UnmapViewOfFile(view), 1);
    EXPECT_EQ(CloseHandle(mapping), 1);

    EXPECT_EQ(CreateFileMappingA(mFile, nullptr, PAGE_READONLY, 1, 0, nullptr), nullptr) << "larger than the file";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FileMapping, ViewsOutsideTheRulesAreRefused)
{
    const HANDLE mapping = CreateFileMappingA(mFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    struct Case {
        const char* what;
        DWORD access;
        DWORD offset;
        size_t bytes;
        LONG error;
    };
    const Case cases[] = {
        {"unaligned offset", FILE_MAP_READ, 4096, 0, ERROR_MAPPED_ALIGNMENT},
        {"offset at the end", FILE_MAP_READ, 4 * kAllocationGranularity, 0, ERROR_ACCESS_DENIED},
        {"bytes past the end", FILE_MAP_READ, 3 * kAllocationGranularity, 101, ERROR_ACCESS_DENIED},
        {"write access", FILE_MAP_WRITE, 0, 0, ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapViewOfFile(mapping, c.access, 0, c.offset, c.bytes), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.what;
    }
    for (const HANDLE wrong : {HANDLE{nullptr}, INVALID_HANDLE_VALUE, mFile}) {
        EXPECT_EQ(MapViewOfFile(wrong, FILE_MAP_READ, 0, 0, 0), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
    EXPECT_EQ(CloseHandle(mapping), 1);
}

TEST_F(FileMapping, MappingsOfEmptyUnreadableOrNoFilesFail)
{
    MakeFile("empty.bin");
    const HANDLE empty = CreateFileA("empty.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(empty, INVALID_HANDLE_VALUE);
    const HANDLE writeOnly = CreateFileA("out.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(writeOnly, INVALID_HANDLE_VALUE);
    WriteFile(writeOnly, "abc", 3, nullptr, nullptr);
    const HANDLE missing = CreateFileA("missing.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(missing, INVALID_HANDLE_VALUE);

    struct Case {
        const char* what;
        HANDLE file;
        DWORD protect;
        LONG error;
    };
    const Case cases[] = {
        {"empty file", empty, PAGE_READONLY, ERROR_FILE_INVALID},
        {"write-only file", writeOnly, PAGE_READONLY, ERROR_ACCESS_DENIED},
        {"page file", INVALID_HANDLE_VALUE, PAGE_READONLY, ERROR_INVALID_PARAMETER},
        {"null file", nullptr, PAGE_READONLY, ERROR_INVALID_HANDLE},
        {"read-write", mFile, PAGE_READWRITE, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CreateFileMappingA(c.file, nullptr, c.protect, 0, 0, "Local\\name"), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.what;
    }
    EXPECT_EQ(CloseHandle(empty), 1);
    EXPECT_EQ(CloseHandle(writeOnly), 1);
}

} // namespace
