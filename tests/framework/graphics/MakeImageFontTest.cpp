#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Runs the tool in a folder of the test's own.
class MakeImageFontTest : public Tests::DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        std::string pattern = (std::filesystem::temp_directory_path() / "makeimagefont_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        mFolder = pattern;
    }

    void TearDown() override
    {
        std::filesystem::remove_all(mFolder);
        DrawingTest::TearDown();
    }

    // The tool's exit status.
    int RunTool(const std::string& arguments) const
    {
        const std::string command = std::string("'") + MAKE_IMAGE_FONT + "' " + arguments + " 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string mFolder;
};

TEST_F(MakeImageFontTest, MakesAShadowedFontThatLoadsAndDraws)
{
    if (!std::filesystem::exists(kDejaVuSans)) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
    }
    const std::string base = mFolder + "/sans14";
    ASSERT_EQ(RunTool(std::string(kDejaVuSans) + " 14 '" + base + "' --shadow"), 0);
    ASSERT_TRUE(std::filesystem::exists(base + ".png"));

    Zest::ImageFont font(&mApp, base + ".txt");
    EXPECT_TRUE(mApp.mPopups.empty()) << mApp.mPopups.front();
    font.Prepare();
    EXPECT_EQ(font.mActiveLayerList.size(), 2u);
    EXPECT_GT(font.StringWidth("Hello"), font.StringWidth("Hi"));
    EXPECT_GT(font.GetAscent(), 0);
    EXPECT_GT(font.GetHeight(), 0);
    // The face kerns this pair, and the characters that need escaping in the description
    // file come through.
    EXPECT_LT(font.StringWidth("AV"), font.CharWidth('A') + font.CharWidth('V'));
    for (const char quoted : {'\'', '"', '\\'}) {
        EXPECT_GT(font.CharWidth(quoted), 0) << quoted;
    }

    Zest::MemoryImage canvas(&mApp);
    canvas.Create(100, 40);
    Zest::Graphics graphics(&canvas);
    graphics.SetFont(&font);
    graphics.SetColor(Zest::Color::White);
    graphics.DrawString("Hello", 5, 5 + font.GetAscent());
    const uint32_t* const bits = canvas.GetBits();
    int painted = 0;
    for (int i = 0; i < canvas.mWidth * canvas.mHeight; ++i) {
        painted += bits[i] != 0 ? 1 : 0;
    }
    EXPECT_GT(painted, 0);
}

TEST_F(MakeImageFontTest, MakesAnOutlinedFontThatLoads)
{
    if (!std::filesystem::exists(kDejaVuSans)) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
    }
    const std::string base = mFolder + "/outlined";
    ASSERT_EQ(RunTool(std::string(kDejaVuSans) + " 12 '" + base + "' --outline --shadow"), 0);

    Zest::ImageFont font(&mApp, base + ".txt");
    EXPECT_TRUE(mApp.mPopups.empty()) << mApp.mPopups.front();
    font.Prepare();
    EXPECT_EQ(font.mActiveLayerList.size(), 3u);
    EXPECT_GT(font.StringWidth("Hello"), 0);
}

TEST_F(MakeImageFontTest, RefusesBadArgumentsAndMissingFonts)
{
    EXPECT_EQ(RunTool(""), 2);
    EXPECT_EQ(RunTool("font.ttf 14"), 2);
    EXPECT_EQ(RunTool("font.ttf big '" + mFolder + "/out'"), 2);
    EXPECT_EQ(RunTool("font.ttf 14 '" + mFolder + "/out' --bold"), 2);
    EXPECT_EQ(RunTool("'" + mFolder + "/missing.ttf' 14 '" + mFolder + "/out'"), 1);
    EXPECT_FALSE(std::filesystem::exists(mFolder + "/out.txt"));
}

} // namespace
