#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"
#include "framework/resources/PakInterface.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

namespace {

using namespace Zest;
using Tests::TemporaryFolder;
namespace fs = std::filesystem;

// Packs `folder` into `archive` with the pak tool; true when it succeeded.
bool Pack(const std::filesystem::path& folder, const std::filesystem::path& archive)
{
    const std::string command =
        std::string(PAK_TOOL) + " pack '" + folder.string() + "' '" + archive.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}


TEST(NormalizePakPath, FoldsSeparatorsParentsAndCase)
{
    struct Case {
        const char* name;
        const char* key;
    };
    const Case cases[] = {
        {"images/Foo.PNG", "IMAGES\\FOO.PNG"},
        {"IMAGES\\foo.png", "IMAGES\\FOO.PNG"},
        {"images//foo.png", "IMAGES\\FOO.PNG"},
        {"images\\/\\foo.png", "IMAGES\\FOO.PNG"},
        {"images\\..\\images\\foo.png", "IMAGES\\FOO.PNG"},
        {"a\\..\\images\\foo.png", "IMAGES\\FOO.PNG"},
        {"A\\B\\..\\D", "A\\D"},
        {"A/B/../../C", "C"},
        {"..\\x", "..\\X"},
        {"\\..\\x", "\\X"},
        {".\\a", ".\\A"},
        {"a\\..b", "A\\..B"},
        {"caf\xE9.png", "CAF\xE9.PNG"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizePakPath(c.name), c.key) << c.name;
}

TEST(NormalizePakPath, APathUnderTheWorkingFolderLosesIt)
{
    char folder[4096];
    ASSERT_NE(getcwd(folder, sizeof(folder)), nullptr);
    const std::string working = folder;
    EXPECT_EQ(NormalizePakPath(working + "/images/foo.png"), "IMAGES\\FOO.PNG");
    std::string shouted = working;
    for (char& c : shouted)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(NormalizePakPath(shouted + "\\images\\foo.png"), "IMAGES\\FOO.PNG");
    EXPECT_EQ(NormalizePakPath("/elsewhere/foo.png"), "\\ELSEWHERE\\FOO.PNG");
}

// An archive of a few files packed with the pak tool and added to the process's archive
// file system; the loose copies stay on disk for comparison.
class PackedArchive : public ::testing::Test {
protected:
    void SetUp() override
    {
        mFiles = {
            {"properties/resources.xml", "<ResourceManifest>\r\n</ResourceManifest>\n"},
            {"images/Tree.png", std::string("\x89PNG\r\n\x1a\n\0\0binary\xff\x6b", 18)},
            {"images/sub/leaf.gif", "GIF89a..."},
            {"text/lines.txt", "a\r\nb\nlast"},
            {"empty.bin", ""},
        };
        for (const auto& [name, bytes] : mFiles)
            Tests::WriteBytes(mFolder.Path() / "content" / name, bytes);
        // A unique name per test keeps tests of one process apart in the shared directory.
        mArchive = mFolder.Path() / (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".pak");
        ASSERT_TRUE(Pack(mFolder.Path() / "content", mArchive));
        ASSERT_TRUE(gPakInterface->AddPakFile(mArchive.string()));
    }

    // The next test of the process starts without this archive.
    void TearDown() override { gPakInterface->RemovePakFiles(); }

    std::string ReadThroughCalls(const std::string& name, const char* mode = "rb")
    {
        PakFileHandle* file = PakFOpen(name.c_str(), mode);
        if (file == nullptr)
            return "<missing>";
        std::string bytes;
        char buffer[7];
        size_t count = 0;
        while ((count = PakFRead(buffer, 1, sizeof(buffer), file)) > 0)
            bytes.append(buffer, count);
        EXPECT_NE(PakFEof(file), 0);
        PakFClose(file);
        return bytes;
    }

    TemporaryFolder mFolder;
    std::map<std::string, std::string> mFiles;
    fs::path mArchive;
};

TEST_F(PackedArchive, EveryFileReadsBackByteIdenticalFromTheArchive)
{
    // Removing the loose copies proves the bytes come from the archive.
    fs::remove_all(mFolder.Path() / "content");
    for (const auto& [name, bytes] : mFiles)
        EXPECT_EQ(ReadThroughCalls(name), bytes) << name;
    EXPECT_EQ(ReadThroughCalls("IMAGES\\SUB/Leaf.GIF", "RB"), mFiles["images/sub/leaf.gif"]);
    EXPECT_EQ(ReadThroughCalls("images/../text/lines.txt", "r"), mFiles["text/lines.txt"]);
    EXPECT_EQ(PakFOpen("images/absent.png", "rb"), nullptr);
}

TEST_F(PackedArchive, SeekTellUnGetAndEofStayInsideTheRecord)
{
    PakFileHandle* file = PakFOpen("images/tree.png", "rb");
    ASSERT_NE(file, nullptr);
    const int32_t size = static_cast<int32_t>(mFiles["images/Tree.png"].size());
    struct Case {
        int32_t offset;
        int origin;
        int32_t position;
    };
    const Case seeks[] = {
        {0, SEEK_END, size}, {-4, SEEK_END, size - 4}, {-10, SEEK_SET, 0},
        {1000000, SEEK_CUR, size}, {3, SEEK_SET, 3}, {-1, SEEK_CUR, 2}, {5, 7, 2},
    };
    for (const Case& c : seeks) {
        EXPECT_EQ(PakFSeek(file, c.offset, c.origin), 0);
        EXPECT_EQ(PakFTell(file), c.position) << c.offset << " from " << c.origin;
    }
    PakFSeek(file, 0, SEEK_SET);
    EXPECT_EQ(PakUnGetC('x', file), 'x');
    EXPECT_EQ(PakFTell(file), 0);
    EXPECT_EQ(PakFGetC(file), 0x89);
    EXPECT_EQ(PakUnGetC('x', file), 'x');
    // The character is not kept: the archive's byte comes back.
    EXPECT_EQ(PakFGetC(file), 0x89);
    PakFSeek(file, -1, SEEK_END);
    EXPECT_EQ(PakFEof(file), 0);
    EXPECT_EQ(PakFGetC(file), 0x6B);
    EXPECT_NE(PakFEof(file), 0);
    EXPECT_EQ(PakFGetC(file), EOF);

    PakFSeek(file, 0, SEEK_SET);
    char buffer[32];
    EXPECT_EQ(PakFRead(buffer, 4, 3, file), 3u);
    PakFSeek(file, -10, SEEK_END);
    EXPECT_EQ(PakFRead(buffer, 4, 3, file), 2u);
    EXPECT_EQ(PakFTell(file), size);
    EXPECT_EQ(PakFRead(buffer, 0, 3, file), 0u);
    PakFClose(file);
}

TEST_F(PackedArchive, CharacterAndLineReadsLeaveOutCarriageReturns)
{
    PakFileHandle* file = PakFOpen("text/lines.txt", "r");
    ASSERT_NE(file, nullptr);
    std::string characters;
    for (int c = PakFGetC(file); c != EOF; c = PakFGetC(file))
        characters.push_back(static_cast<char>(c));
    EXPECT_EQ(characters, "a\nb\nlast");

    PakFSeek(file, 0, SEEK_SET);
    char line[4];
    ASSERT_NE(GetPakInterface()->FGetS(line, 4, file), nullptr);
    EXPECT_STREQ(line, "a\n");
    ASSERT_NE(GetPakInterface()->FGetS(line, 4, file), nullptr);
    EXPECT_STREQ(line, "b\n");
    ASSERT_NE(GetPakInterface()->FGetS(line, 4, file), nullptr);
    EXPECT_STREQ(line, "las");
    ASSERT_NE(GetPakInterface()->FGetS(line, 4, file), nullptr);
    EXPECT_STREQ(line, "t");
    EXPECT_EQ(GetPakInterface()->FGetS(line, 4, file), nullptr);
    PakFClose(file);
}

TEST_F(PackedArchive, WritingModesAndUnknownNamesGoToTheOperatingSystem)
{
    const fs::path loose = mFolder.Path() / "loose.txt";
    Tests::WriteBytes(loose, "on disk");
    EXPECT_EQ(ReadThroughCalls(loose.string()), "on disk");

    // "w" on an archived name makes an operating-system file of that name.
    const fs::path previous = fs::current_path();
    fs::current_path(mFolder.Path());
    PakFileHandle* file = PakFOpen("empty.bin", "w");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->mRecord, nullptr);
    std::fputs("written", file->mFP);
    PakFClose(file);
    EXPECT_EQ(Tests::ReadBytes(mFolder.Path() / "empty.bin"), "written");
    fs::current_path(previous);
}

TEST_F(PackedArchive, SearchListsArchivedFilesInKeyOrderThenTheOperatingSystems)
{
    Win32::WIN32_FIND_DATAA data{};
    Win32::HANDLE search = GetPakInterface()->FindFirstFile("images\\*.png", &data);
    ASSERT_NE(search, Win32::INVALID_HANDLE_VALUE);
    std::vector<std::string> names = {data.cFileName};
    while (GetPakInterface()->FindNextFile(search, &data) != 0)
        names.push_back(data.cFileName);
    GetPakInterface()->FindClose(search);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "Tree.png");
    EXPECT_EQ(std::count(names.begin(), names.end(), "leaf.gif"), 0);

    EXPECT_EQ(GetPakInterface()->FindFirstFile("images\\tree.png", &data), Win32::INVALID_HANDLE_VALUE);
}

// Archives built by hand, to say exactly what the directory holds.
std::string PlainArchive(const std::vector<std::pair<std::string, std::string>>& files, const int32_t sizeDelta = 0)
{
    std::string plain;
    auto put = [&](const uint64_t value, const int bytes) {
        for (int i = 0; i < bytes; ++i)
            plain.push_back(static_cast<char>(value >> (8 * i)));
    };
    put(kPakMagic, 4);
    put(kPakVersion, 4);
    for (const auto& [name, bytes] : files) {
        plain.push_back(0);
        plain.push_back(static_cast<char>(name.size()));
        plain += name;
        put(static_cast<uint32_t>(static_cast<int32_t>(bytes.size()) + sizeDelta), 4);
        put(0x01D0000000000000ull, 8);
    }
    plain.push_back(static_cast<char>(kPakEndOfDirectory));
    for (const auto& file : files)
        plain += file.second;
    return plain;
}

std::string Scramble(std::string plain)
{
    for (char& c : plain)
        c = static_cast<char>(c ^ kPakXorKey);
    return plain;
}

std::string ReadRecord(PakInterface& pak, const std::string& name)
{
    PakFileHandle* file = pak.FOpen(name.c_str(), "rb");
    if (file == nullptr)
        return "<missing>";
    std::string bytes(1024, '\0');
    bytes.resize(pak.FRead(bytes.data(), 1, static_cast<int>(bytes.size()), file));
    pak.FClose(file);
    return bytes;
}

TEST(PakArchive, EveryTruncationLoadsWithoutACrashAndKeepsWholeRecords)
{
    TemporaryFolder folder;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"A.TXT", "alpha"}, {"DIR\\B.BIN", std::string("\0\x6b\xff", 3)}, {"C", "charlie!"}};
    const std::string archive = Scramble(PlainArchive(files));
    for (size_t length = 0; length <= archive.size(); ++length) {
        const fs::path path = folder.Path() / ("cut" + std::to_string(length) + ".pak");
        Tests::WriteBytes(path, archive.substr(0, length));
        PakInterface pak;
        pak.AddPakFile(path.string());
        for (const auto& [name, bytes] : files) {
            const std::string read = ReadRecord(pak, name);
            EXPECT_TRUE(read == bytes || read == "<missing>") << name << " at length " << length;
        }
        if (length == archive.size()) {
            for (const auto& [name, bytes] : files)
                EXPECT_EQ(ReadRecord(pak, name), bytes) << name;
        }
    }
}

TEST(PakArchive, RemovedArchivesLeaveNoRecordAndCanBeAddedAgain)
{
    TemporaryFolder folder;
    const fs::path first = folder.Path() / "first.pak";
    const fs::path second = folder.Path() / "second.pak";
    Tests::WriteBytes(first, Scramble(PlainArchive({{"A.TXT", "alpha"}})));
    Tests::WriteBytes(second, Scramble(PlainArchive({{"B.TXT", "bravo"}})));
    PakInterface pak;
    ASSERT_TRUE(pak.AddPakFile(first.string()));
    ASSERT_TRUE(pak.AddPakFile(second.string()));
    ASSERT_EQ(ReadRecord(pak, "A.TXT"), "alpha");

    pak.RemovePakFiles();
    EXPECT_TRUE(pak.Records().empty());
    EXPECT_EQ(ReadRecord(pak, "A.TXT"), "<missing>");
    EXPECT_EQ(ReadRecord(pak, "B.TXT"), "<missing>");

    ASSERT_TRUE(pak.AddPakFile(second.string()));
    EXPECT_EQ(ReadRecord(pak, "B.TXT"), "bravo");
    EXPECT_EQ(ReadRecord(pak, "A.TXT"), "<missing>");
}

TEST(PakArchive, RecordsThatDoNotFitTheArchiveAreDropped)
{
    TemporaryFolder folder;
    struct Case {
        const char* name;
        int32_t sizeDelta;
    };
    // Claiming more bytes than the file holds, and a negative size.
    const Case cases[] = {{"too-long", 100}, {"negative", -1000}};
    for (const Case& c : cases) {
        const fs::path path = folder.Path() / (std::string(c.name) + ".pak");
        Tests::WriteBytes(path, Scramble(PlainArchive({{"ONLY.TXT", "abc"}}, c.sizeDelta)));
        PakInterface pak;
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(pak.AddPakFile(path.string())) << c.name;
        const std::string message = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(pak.Records().count("ONLY.TXT"), 0u) << c.name;
        EXPECT_NE(message.find("ONLY.TXT"), std::string::npos) << c.name;
    }
}

TEST(PakArchive, WrongMagicOrVersionAddsNoRecords)
{
    TemporaryFolder folder;
    std::string wrongMagic = PlainArchive({{"X.TXT", "x"}});
    wrongMagic[0] = 0;
    std::string wrongVersion = PlainArchive({{"X.TXT", "x"}});
    wrongVersion[4] = 1;
    for (const std::string& plain : {wrongMagic, wrongVersion}) {
        const fs::path path = folder.Path() / "bad.pak";
        Tests::WriteBytes(path, Scramble(plain));
        PakInterface pak;
        EXPECT_FALSE(pak.AddPakFile(path.string()));
        EXPECT_EQ(pak.Records().count("X.TXT"), 0u);
    }
    PakInterface pak;
    EXPECT_FALSE(pak.AddPakFile((folder.Path() / "missing.pak").string()));
    Tests::WriteBytes(folder.Path() / "empty.pak", "");
    EXPECT_FALSE(pak.AddPakFile((folder.Path() / "empty.pak").string()));
}

TEST(PakArchive, ALaterArchiveReplacesRecordsOfTheSameName)
{
    TemporaryFolder folder;
    Tests::WriteBytes(folder.Path() / "first.pak", Scramble(PlainArchive({{"SAME.TXT", "first"}})));
    Tests::WriteBytes(folder.Path() / "second.pak", Scramble(PlainArchive({{"same.txt", "second"}})));
    PakInterface pak;
    ASSERT_TRUE(pak.AddPakFile((folder.Path() / "first.pak").string()));
    ASSERT_TRUE(pak.AddPakFile((folder.Path() / "second.pak").string()));
    EXPECT_EQ(ReadRecord(pak, "Same.Txt"), "second");
}

TEST(PakArchive, ThreeHundredPackedPicturesLoadFromTheArchive)
{
    TemporaryFolder folder;
    constexpr int kPictures = 300;
    constexpr int kSide = 8;
    auto pixel = [](const int picture, const int index) {
        return 0xFF000000u | static_cast<uint32_t>(picture * 7919 + index * 104729) % 0x1000000u;
    };
    for (int picture = 0; picture < kPictures; ++picture) {
        ImageLib::Image image;
        std::vector<uint32_t> bits(kSide * kSide);
        for (int i = 0; i < kSide * kSide; ++i)
            bits[i] = pixel(picture, i);
        image.mWidth = kSide;
        image.mHeight = kSide;
        image.mBits = bits.data();
        const fs::path path = folder.Path() / "content" / "images" / ("Picture" + std::to_string(picture) + ".png");
        fs::create_directories(path.parent_path());
        const bool written = ImageLib::WritePNGImage(path.string(), &image);
        image.mBits = nullptr;
        ASSERT_TRUE(written) << path;
    }
    const fs::path archive = folder.Path() / "pictures.pak";
    ASSERT_TRUE(Pack(folder.Path() / "content", archive));
    fs::remove_all(folder.Path() / "content");
    ASSERT_TRUE(gPakInterface->AddPakFile(archive.string()));
    // The next test of the process starts without this archive, also after a failed check.
    const std::unique_ptr<PakInterface, void (*)(PakInterface*)> unmap(gPakInterface,
                                                                      [](PakInterface* pak) { pak->RemovePakFiles(); });

    for (int picture = 0; picture < kPictures; ++picture) {
        const std::string name = "images\\picture" + std::to_string(picture);
        const std::unique_ptr<ImageLib::Image> image(ImageLib::GetImage(name, false));
        ASSERT_NE(image, nullptr) << name;
        ASSERT_EQ(image->mWidth, kSide);
        for (int i = 0; i < kSide * kSide; ++i)
            ASSERT_EQ(image->mBits[i], pixel(picture, i)) << name << " pixel " << i;
    }
}

TEST(PakArchive, PackToolRefusesNamesLongerThan255Bytes)
{
    TemporaryFolder folder;
    Tests::WriteBytes(folder.Path() / "content" / std::string(200, 'a') / std::string(60, 'b'), "x");
    EXPECT_FALSE(Pack(folder.Path() / "content", folder.Path() / "long.pak"));
    EXPECT_FALSE(fs::exists(folder.Path() / "long.pak"));
}

} // namespace
