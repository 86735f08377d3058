#include "framework/resources/PakFile.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

using namespace Zest;

TEST(LooseFiles, WithoutAnArchiveFileSystemTheCallsReadFromDisk)
{
    ASSERT_EQ(GetPakInterface(), nullptr);
    Tests::TemporaryFolder folder;
    Tests::WriteBytes(folder.Path() / "Data" / "Notes.TXT", "loose\r\nbytes");

    // Backslashes and another letter case still find the file.
    const std::string name = folder.Path().string() + "\\data\\notes.txt";
    PakFileHandle* file = PakFOpen(name.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->mRecord, nullptr);
    char buffer[32] = {};
    EXPECT_EQ(PakFRead(buffer, 1, sizeof(buffer), file), 12u);
    EXPECT_STREQ(buffer, "loose\r\nbytes");
    EXPECT_NE(PakFEof(file), 0);
    EXPECT_EQ(PakFSeek(file, 2, SEEK_SET), 0);
    EXPECT_EQ(PakFTell(file), 2);
    EXPECT_EQ(PakFGetC(file), 'o');
    EXPECT_EQ(PakUnGetC('Q', file), 'Q');
    EXPECT_EQ(PakFGetC(file), 'Q');
    EXPECT_EQ(PakFClose(file), 0);

    EXPECT_EQ(PakFOpen((folder.Path() / "absent").c_str(), "rb"), nullptr);
}

} // namespace
