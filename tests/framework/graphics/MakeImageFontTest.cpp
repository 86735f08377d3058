#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <filesystem>
#include <string>

namespace {

constexpr char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Runs the tool in a folder of the test's own.
class MakeImageFontTest : public Tests::DrawingTest {
protected:
    // The tool's exit status.
    int RunTool(const std::string& arguments) const
    {
        const std::string command = std::string("'") + MAKE_IMAGE_FONT + "' " + arguments + " 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const Tests::TemporaryFolder mTemporary;
    const std::string mFolder = mTemporary.Path().string();
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

// The number a "LayerSetXxx Main N;" line of the description gives.
int MainLayerValue(const std::string& description, const std::string& command)
{
    std::ifstream file(description);
    const std::string prefix = command + " Main ";
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(prefix, 0) == 0)
            return std::stoi(line.substr(prefix.size()));
    }
    ADD_FAILURE() << command << " is not in " << description;
    return 0;
}

// The bounding box of the pixels in `area` for which `wanted` holds.
Zest::Rect PaintedBox(Zest::MemoryImage& canvas, const Zest::Rect& area,
                      const std::function<bool(uint32_t)>& wanted)
{
    int left = area.mX + area.mWidth, top = area.mY + area.mHeight, right = area.mX - 1, bottom = area.mY - 1;
    for (int y = area.mY; y < area.mY + area.mHeight; ++y) {
        for (int x = area.mX; x < area.mX + area.mWidth; ++x) {
            if (wanted(canvas.GetBits()[y * canvas.mWidth + x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < left ? Zest::Rect() : Zest::Rect(left, top, right - left + 1, bottom - top + 1);
}

bool Reddish(const uint32_t pixel) { return ((pixel >> 16) & 0xFF) > 200 && (pixel & 0xFF) < 60; }
bool Bluish(const uint32_t pixel) { return (pixel & 0xFF) > 200 && ((pixel >> 16) & 0xFF) < 60; }
bool Lit(const uint32_t pixel) { return (pixel & 0xFFFFFF) != 0; }

// A two-layer font made by the tool, through the drawing context: the metrics of its
// description, colour codes per run with a black shadow, wrapping at a width, and the same
// font scaled by 1.5.
TEST_F(MakeImageFontTest, MadeTwoLayerFontMeasuresAndDrawsThroughGraphics)
{
    if (!std::filesystem::exists(kDejaVuSans)) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
    }
    const std::string base = mFolder + "/sans14";
    ASSERT_EQ(RunTool(std::string(kDejaVuSans) + " 14 '" + base + "' --shadow"), 0);
    Zest::ImageFont font(&mApp, base + ".txt");
    ASSERT_TRUE(mApp.mPopups.empty()) << mApp.mPopups.front();

    const int ascent = MainLayerValue(base + ".txt", "LayerSetAscent");
    const int height = MainLayerValue(base + ".txt", "LayerSetHeight");
    const int spacingOffset = MainLayerValue(base + ".txt", "LayerSetLineSpacingOffset");
    EXPECT_EQ(font.GetAscent(), ascent);
    EXPECT_EQ(font.GetHeight(), height);
    EXPECT_EQ(font.GetLineSpacing(), height + spacingOffset);

    Zest::MemoryImage canvas(&mApp);
    canvas.Create(200, 120);
    Zest::Graphics graphics(&canvas);
    graphics.SetFont(&font);

    // Colour codes: each run in its colour, the shadow black, the codes themselves unseen.
    graphics.SetColor(Zest::Color::White);
    const int width = graphics.WriteString("^FF0000^HH^0000FF^HH", 4, 4 + ascent);
    EXPECT_EQ(width, font.StringWidth("HHHH"));
    const int split = 4 + font.StringWidth("HH");
    const Zest::Rect line(0, 0, canvas.mWidth, 4 + height + 2);
    const Zest::Rect red = PaintedBox(canvas, line, Reddish);
    const Zest::Rect blue = PaintedBox(canvas, line, Bluish);
    ASSERT_GT(red.mWidth, 0);
    ASSERT_GT(blue.mWidth, 0);
    EXPECT_LT(red.mX + red.mWidth, split + 1);
    EXPECT_GE(blue.mX, split);
    EXPECT_LE(blue.mX + blue.mWidth, 4 + width + 1);
    // The shadow layer sits one pixel right and below the glyphs, in black over the
    // cleared canvas, so the topmost lit row belongs to the coloured glyphs.
    EXPECT_EQ(PaintedBox(canvas, line, Lit).mY, red.mY);

    // Wrapping: a width that fits two words breaks three words into two lines, the second
    // one line spacing lower; the height runs to the last line's descent.
    canvas.Clear();
    const std::string text = "frog eats fly";
    const int wrapWidth = font.StringWidth("frog eats") + 2;
    EXPECT_EQ(graphics.GetWordWrappedHeight(wrapWidth, text), font.GetLineSpacing() + height);
    graphics.SetColor(Zest::Color(255, 0, 0));
    graphics.WriteWordWrapped(Zest::Rect(4, 4, wrapWidth, 100), text);
    const Zest::Rect firstLine = PaintedBox(canvas, Zest::Rect(0, 0, 200, 4 + font.GetLineSpacing()), Reddish);
    const Zest::Rect secondLine =
        PaintedBox(canvas, Zest::Rect(0, 4 + font.GetLineSpacing(), 200, 120 - 4 - font.GetLineSpacing()), Reddish);
    ASSERT_GT(firstLine.mWidth, 0);
    ASSERT_GT(secondLine.mWidth, 0);
    EXPECT_LE(firstLine.mX + firstLine.mWidth, 4 + wrapWidth);
    EXPECT_LT(secondLine.mWidth, firstLine.mWidth);
    // "fly" has a descender, so compare the tops of "f" and "fr".
    EXPECT_EQ(secondLine.mY - firstLine.mY, font.GetLineSpacing());

    // Scaling by 1.5 scales the metrics and the drawn glyphs. The metrics follow once the
    // layers are regenerated, which measuring or drawing does.
    const std::unique_ptr<Zest::ImageFont> scaled(static_cast<Zest::ImageFont*>(font.Duplicate()));
    scaled->SetScale(1.5);
    scaled->Prepare();
    EXPECT_NEAR(scaled->GetAscent(), ascent * 1.5, 1.0);
    EXPECT_NEAR(scaled->GetHeight(), height * 1.5, 1.0);
    EXPECT_NEAR(scaled->StringWidth("HHHH"), font.StringWidth("HHHH") * 1.5, 4.0);
    canvas.Clear();
    graphics.SetFont(scaled.get());
    graphics.SetColor(Zest::Color(255, 0, 0));
    graphics.DrawString("H", 4, 4 + scaled->GetAscent());
    const Zest::Rect bigH = PaintedBox(canvas, Zest::Rect(0, 0, 200, 120), Reddish);
    EXPECT_NEAR(bigH.mHeight, red.mHeight * 1.5, 2.0);
}

// Leading lowers text laid out from the top of a box by that many pixels; text drawn at a
// baseline, and the distance between lines, stay as they were.
TEST_F(MakeImageFontTest, LeadingLowersWrappedTextOnly)
{
    if (!std::filesystem::exists(kDejaVuSans)) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
    }
    ASSERT_EQ(RunTool(std::string(kDejaVuSans) + " 12 '" + mFolder + "/plain'"), 0);
    ASSERT_EQ(RunTool(std::string(kDejaVuSans) + " 12 '" + mFolder + "/led' --leading=4"), 0);
    Zest::ImageFont plain(&mApp, mFolder + "/plain.txt");
    Zest::ImageFont led(&mApp, mFolder + "/led.txt");
    ASSERT_TRUE(mApp.mPopups.empty()) << mApp.mPopups.front();
    EXPECT_EQ(led.GetAscent(), plain.GetAscent() + 4);
    EXPECT_EQ(led.GetLineSpacing(), plain.GetLineSpacing());

    Zest::MemoryImage canvas(&mApp);
    canvas.Create(120, 60);
    Zest::Graphics graphics(&canvas);
    graphics.SetColor(Zest::Color(255, 0, 0));
    const Zest::Rect all(0, 0, 120, 60);
    const auto drawn = [&](Zest::ImageFont& font, const bool wrapped) {
        canvas.Clear();
        graphics.SetFont(&font);
        if (wrapped)
            graphics.WriteWordWrapped(Zest::Rect(2, 2, 116, 50), "Hop");
        else
            graphics.DrawString("Hop", 2, 30);
        return PaintedBox(canvas, all, Reddish);
    };
    const Zest::Rect plainAtBaseline = drawn(plain, false);
    const Zest::Rect ledAtBaseline = drawn(led, false);
    EXPECT_EQ(ledAtBaseline.mY, plainAtBaseline.mY);
    EXPECT_EQ(ledAtBaseline.mHeight, plainAtBaseline.mHeight);
    const Zest::Rect plainWrapped = drawn(plain, true);
    EXPECT_EQ(drawn(led, true).mY, plainWrapped.mY + 4);
}

TEST_F(MakeImageFontTest, RefusesBadArgumentsAndMissingFonts)
{
    EXPECT_EQ(RunTool(""), 2);
    EXPECT_EQ(RunTool("font.ttf 14"), 2);
    EXPECT_EQ(RunTool("font.ttf big '" + mFolder + "/out'"), 2);
    EXPECT_EQ(RunTool("font.ttf 14 '" + mFolder + "/out' --bold"), 2);
    for (const char* const leading : {"--leading=", "--leading=x", "--leading=0", "--leading=-3", "--leading=4 --leading=5"})
        EXPECT_EQ(RunTool("font.ttf 14 '" + mFolder + "/out' " + leading), 2) << leading;
    EXPECT_EQ(RunTool("'" + mFolder + "/missing.ttf' 14 '" + mFolder + "/out'"), 1);
    EXPECT_FALSE(std::filesystem::exists(mFolder + "/out.txt"));
}

} // namespace
