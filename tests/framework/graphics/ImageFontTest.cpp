#include "framework/graphics/ImageFont.h"

#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "tests/framework/graphics/FakeApp.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::Graphics;
using Zest::ImageFont;
using Zest::MemoryImage;
using Zest::Rect;

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlack = 0xFF000000;

// Glyph sheet: 'A' is a 4 x 4 red square at (0, 0), 'B' a 2 x 4 green bar at (4, 0).
// Layer Main: widths A 5, B 3, kerning A-B -1, ascent 4, padding 1, line spacing offset 2,
// drawn at point size 10. Layer Shadow copies it, drawn black one pixel down and right
// beneath Main, with spacing 2, padding 2, line spacing offset 3, height 5; it is left out
// by the tag FLAT and above point size 12.
const char kDescription[] = "SetDefaultPointSize 10;\n"
                            "Define Letters ('A' 'B');\n"
                            "CreateLayer Main;\n"
                            "LayerSetImage Main 'glyphs.png';\n"
                            "LayerSetImageMap Main Letters ((0 0 4 4) (4 0 2 4));\n"
                            "LayerSetCharWidths Main ('A' 'B' 'C') (5 3 -3);\n"
                            "LayerSetKerningPairs Main ('AB') (-1);\n"
                            "LayerSetAscent Main 4;\n"
                            "LayerSetAscentPadding Main 1;\n"
                            "LayerSetLineSpacingOffset Main 2;\n"
                            "LayerSetPointSize Main 10;\n"
                            "CreateLayerFrom Shadow Main;\n"
                            "LayerSetOffset Shadow (1 1);\n"
                            "LayerSetColorMult Shadow 0;\n"
                            "LayerSetBaseOrder Shadow -1;\n"
                            "LayerSetSpacing Shadow 2;\n"
                            "LayerSetAscentPadding Shadow 2;\n"
                            "LayerSetLineSpacingOffset Shadow 3;\n"
                            "LayerSetHeight Shadow 5;\n"
                            "LayerExcludeTags Shadow ('flat');\n"
                            "LayerPointRange Shadow 0 12;\n";

class ImageFontTest : public Tests::DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        const std::unique_ptr<ImageLib::Image> sheet = ImageLib::CreateImage(6, 4);
        ASSERT_NE(sheet, nullptr);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x)
                sheet->mBits[y * 6 + x] = x < 4 ? kRed : kGreen;
        }
        ASSERT_TRUE(ImageLib::WritePNGImage(mFolder + "/glyphs.png", sheet.get()));
    }

    std::unique_ptr<ImageFont> Load(const std::string& extraCommands = "")
    {
        const std::string path = mTemporary.Write("font.txt", kDescription + extraCommands);
        auto font = std::make_unique<ImageFont>(&mApp, path);
        EXPECT_TRUE(font->mFontData->mInitialized) << (mApp.mPopups.empty() ? "" : mApp.mPopups.front());
        return font;
    }

    // A 20 x 12 transparent canvas, drawn on with opaque white.
    struct Canvas {
        // The Graphics takes its clip from the image, so the image is sized first.
        explicit Canvas(Tests::FakeApp* app) : mImage(Sized(app)), mGraphics(&mImage) {}
        static MemoryImage Sized(Tests::FakeApp* app)
        {
            MemoryImage image(app);
            image.Create(20, 12);
            return image;
        }
        // Colouring rounds by a step or two, so each channel is read as off or on.
        uint32_t Pixel(const int x, const int y)
        {
            const uint32_t pixel = mImage.GetBits()[y * 20 + x];
            uint32_t rounded = 0;
            for (int shift = 0; shift < 32; shift += 8)
                rounded |= ((pixel >> shift) & 0xFF) >= 128 ? 0xFFu << shift : 0;
            return rounded;
        }

        MemoryImage mImage;
        Graphics mGraphics;
    };

    const Tests::TemporaryFolder mTemporary;
    const std::string mFolder = mTemporary.Path().string();
};

// ---- Measuring ---------------------------------------------------------------------------

struct WidthCase {
    const char* mName;
    std::function<void(ImageFont&)> mSetup;
    const char* mText;
    int mWidth;
};

void PrintTo(const WidthCase& testCase, std::ostream* out) { *out << testCase.mName; }

class ImageFontWidthTest : public ImageFontTest, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(ImageFontWidthTest, MeasuresWithWidestLayerPerStep)
{
    const WidthCase& testCase = GetParam();
    const std::unique_ptr<ImageFont> font = Load();
    if (testCase.mSetup)
        testCase.mSetup(*font);
    EXPECT_EQ(font->StringWidth(testCase.mText), testCase.mWidth);
}

const WidthCase kWidthCases[] = {
    {"EmptyStringIsZero", nullptr, "", 0},
    {"OneCharacterIsItsAdvance", nullptr, "A", 5},
    // Main: 5 + 3 - 1 = 7; Shadow: 5 + 3 + (-1 + 2) = 9 decides the step to B: 5 + 4.
    {"KerningAndSpacingBetweenCharacters", nullptr, "AB", 9},
    {"ExcludedTagDropsLayer", [](ImageFont& f) { f.AddTag("Flat"); }, "AB", 7},
    // 1.5 times: A 7, B 4, Main's kerning trunc(-1.5) = -1; Shadow is out of its range.
    {"PointSizeScalesAndSelectsLayers", [](ImageFont& f) { f.SetPointSize(15); }, "AB", 10},
    // Shadow: 7 + 4 + trunc((-1 + 2) * 1.5) = 12.
    {"ScaleKeepsLayersOfThePointSize", [](ImageFont& f) { f.SetScale(1.5); }, "AB", 12},
    {"NegativeAdvanceDoesNotMoveBack", nullptr, "C", 0},
    {"UnknownCharacterIsZero", nullptr, "\xE9", 0},
};

INSTANTIATE_TEST_SUITE_P(ImageFont, ImageFontWidthTest, ::testing::ValuesIn(kWidthCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(ImageFontTest, CharWidthKernUsesKerningOfPreviousCharacter)
{
    const std::unique_ptr<ImageFont> font = Load("SetCharMap ('b') ('B');\n");
    EXPECT_EQ(font->CharWidth('B'), 3);
    EXPECT_EQ(font->CharWidthKern('B', 'A'), 4);
    // The character map applies to both characters.
    EXPECT_EQ(font->CharWidthKern('b', 'A'), 4);
    EXPECT_EQ(font->StringWidth("Ab"), font->StringWidth("AB"));
}

TEST_F(ImageFontTest, MetricsComeFromActiveLayers)
{
    const std::unique_ptr<ImageFont> font = Load();
    EXPECT_EQ(font->GetPointSize(), 10);
    EXPECT_EQ(font->GetDefaultPointSize(), 10);
    EXPECT_EQ(font->GetAscent(), 4);
    EXPECT_EQ(font->GetHeight(), 5);
    EXPECT_EQ(font->GetAscentPadding(), 1);
    EXPECT_EQ(font->GetLineSpacingOffset(), 3);
    EXPECT_EQ(font->GetLineSpacing(), 8);

    font->SetScale(1.5);
    // Stale until the font measures or draws.
    EXPECT_EQ(font->GetHeight(), 5);
    font->StringWidth("A");
    EXPECT_EQ(font->GetAscent(), 6);
    EXPECT_EQ(font->GetHeight(), 7);
    EXPECT_EQ(font->GetAscentPadding(), 1);
    EXPECT_EQ(font->GetLineSpacingOffset(), 4);
}

TEST_F(ImageFontTest, TagsIgnoreCaseAndRegenerateLayers)
{
    const std::unique_ptr<ImageFont> font = Load();
    EXPECT_TRUE(font->AddTag("FLAT"));
    EXPECT_FALSE(font->AddTag("flat"));
    EXPECT_TRUE(font->HasTag("fLaT"));
    EXPECT_EQ(font->mTagVector, std::vector<std::string>{"FLAT"});
    EXPECT_EQ(font->StringWidth("AB"), 7);
    EXPECT_TRUE(font->RemoveTag("Flat"));
    EXPECT_FALSE(font->RemoveTag("Flat"));
    EXPECT_FALSE(font->HasTag("flat"));
    EXPECT_EQ(font->StringWidth("AB"), 9);
}

TEST_F(ImageFontTest, GetDefinePrintsDefineOrNothing)
{
    const std::unique_ptr<ImageFont> font = Load();
    EXPECT_EQ(font->GetDefine("letters"), "(A, B)");
    EXPECT_EQ(font->GetDefine("Missing"), "");
}

TEST_F(ImageFontTest, FailedFileMeasuresAndDrawsNothing)
{
    ImageFont font(&mApp, mFolder + "/none.txt");
    EXPECT_EQ(font.StringWidth("AB"), 0);
    EXPECT_EQ(font.GetHeight(), 0);
    Canvas canvas(&mApp);
    std::vector<Rect> areas{Rect(1, 1, 1, 1)};
    int width = -1;
    font.DrawStringEx(&canvas.mGraphics, 2, 6, "AB", Color::White, Rect(), &areas, &width);
    EXPECT_EQ(width, 0);
    EXPECT_TRUE(areas.empty());
    EXPECT_EQ(canvas.Pixel(3, 3), 0u);
}

TEST_F(ImageFontTest, DuplicateOwnsItsScaledImages)
{
    std::unique_ptr<ImageFont> font = Load();
    font->SetScale(1.5);
    font->Prepare();
    ASSERT_TRUE(font->mActiveLayerList.front().mOwnsImage);
    const std::unique_ptr<Zest::Font> copy(font->Duplicate());
    const Zest::Image* const original = font->mActiveLayerList.front().mScaledImage;
    font.reset();
    auto& duplicate = static_cast<ImageFont&>(*copy);
    ASSERT_EQ(duplicate.mActiveLayerList.size(), 2u);
    EXPECT_NE(duplicate.mActiveLayerList.front().mScaledImage, original);
    EXPECT_EQ(duplicate.StringWidth("AB"), 12);
    Canvas canvas(&mApp);
    duplicate.DrawString(&canvas.mGraphics, 2, 8, "A", Color::White, Rect());
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
}

TEST_F(ImageFontTest, WidthFileFontScalesThroughProcessApplication)
{
    MemoryImage sheet(&mApp);
    const std::unique_ptr<ImageLib::Image> picture(ImageLib::GetImage(mFolder + "/glyphs.png", true));
    ASSERT_NE(picture, nullptr);
    sheet.SetBits(picture->mBits, picture->mWidth, picture->mHeight, true);
    const std::string widths = mTemporary.Write("widths.txt", "3 4\nA 4\nB 2\n");
    ImageFont font(&sheet, widths);
    EXPECT_EQ(font.StringWidth("aB "), 9);
    EXPECT_EQ(font.GetAscent(), 4);

    font.SetScale(2.0);
    Canvas canvas(&mApp);
    int width = 0;
    font.DrawStringEx(&canvas.mGraphics, 0, 8, "B", Color::White, Rect(), nullptr, &width);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(canvas.Pixel(0, 0), kGreen);
    EXPECT_EQ(canvas.Pixel(3, 7), kGreen);
    EXPECT_EQ(canvas.Pixel(4, 7), 0u);
}

// ---- Drawing -----------------------------------------------------------------------------

TEST_F(ImageFontTest, DrawReportsGlyphAreasAndWidth)
{
    const std::unique_ptr<ImageFont> font = Load();
    Canvas canvas(&mApp);
    std::vector<Rect> areas;
    int width = 0;
    font->DrawStringEx(&canvas.mGraphics, 2, 6, "AB", Color::White, Rect(), &areas, &width);
    EXPECT_EQ(width, 9);
    const std::vector<Rect> expected{Rect(2, 2, 4, 4), Rect(3, 3, 4, 4), Rect(8, 2, 2, 4), Rect(9, 3, 2, 4)};
    EXPECT_EQ(areas, expected);
    EXPECT_EQ(canvas.Pixel(8, 2), kGreen);
    EXPECT_EQ(canvas.Pixel(10, 6), kBlack);
    EXPECT_EQ(canvas.Pixel(7, 2), 0u);
    // The Graphics' state is left as it was.
    EXPECT_FALSE(canvas.mGraphics.GetColorizeImages());
}

TEST_F(ImageFontTest, EmptyStringDrawsNothing)
{
    const std::unique_ptr<ImageFont> font = Load();
    Canvas canvas(&mApp);
    std::vector<Rect> areas;
    int width = -1;
    font->DrawStringEx(&canvas.mGraphics, 2, 6, "", Color::White, Rect(), &areas, &width);
    EXPECT_EQ(width, 0);
    EXPECT_TRUE(areas.empty());
    EXPECT_EQ(canvas.Pixel(3, 3), 0u);
}

TEST_F(ImageFontTest, ScaledGlyphsAreDrawnOneAndAHalfTimesLarger)
{
    const std::unique_ptr<ImageFont> font = Load("LayerExcludeTags Main ('flat');\n");
    font->AddTag("flat");
    font->SetPointSize(15);
    Canvas canvas(&mApp);
    std::vector<Rect> areas;
    font->DrawStringEx(&canvas.mGraphics, 2, 8, "A", Color::White, Rect(), &areas, nullptr);
    EXPECT_TRUE(areas.empty());

    font->RemoveTag("flat");
    font->DrawStringEx(&canvas.mGraphics, 2, 8, "A", Color::White, Rect(), &areas, nullptr);
    // Baseline 8 less the scaled ascent 6; the 4 x 4 glyph grows to 6 x 6.
    EXPECT_EQ(areas, std::vector<Rect>{Rect(2, 2, 6, 6)});
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(7, 7), kRed);
    EXPECT_EQ(canvas.Pixel(8, 7), 0u);
    EXPECT_EQ(canvas.Pixel(7, 8), 0u);
}

struct OrderCase {
    const char* mName;
    const char* mCommands;
    // The corner where Main's red glyph and the black shadow overlap.
    uint32_t mOverlap;
};

void PrintTo(const OrderCase& testCase, std::ostream* out) { *out << testCase.mName; }

class ImageFontOrderTest : public ImageFontTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(ImageFontOrderTest, DrawsLowerOrdersFirst)
{
    const OrderCase& testCase = GetParam();
    const std::unique_ptr<ImageFont> font = Load(testCase.mCommands);
    Canvas canvas(&mApp);
    font->DrawString(&canvas.mGraphics, 2, 6, "A", Color::White, Rect());
    EXPECT_EQ(canvas.Pixel(5, 5), testCase.mOverlap);
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(6, 6), kBlack);
}

const OrderCase kOrderCases[] = {
    {"ShadowBelowMain", "", kRed},
    {"GlyphOrderBelowShadow", "LayerSetCharOrders Main ('A') (-2);\n", kBlack},
    // Equal orders keep the queue order: Main, then Shadow.
    {"EqualOrdersKeepLayerOrder", "LayerSetBaseOrder Shadow 0;\n", kBlack},
    {"HighOrdersShareLastBucket", "LayerSetCharOrders Main ('A') (200);\nLayerSetBaseOrder Shadow 500;\n", kBlack},
    {"LowOrdersShareFirstBucket", "LayerSetCharOrders Main ('A') (-200);\nLayerSetBaseOrder Shadow -500;\n",
     kBlack},
    {"LastBucketAboveTheOneBefore", "LayerSetBaseOrder Main 127;\nLayerSetBaseOrder Shadow 126;\n", kRed},
};

INSTANTIATE_TEST_SUITE_P(ImageFont, ImageFontOrderTest, ::testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(ImageFontTest, FullPoolDropsLaterCharacters)
{
    const std::unique_ptr<ImageFont> font = Load();
    Canvas canvas(&mApp);
    std::vector<Rect> areas;
    int width = 0;
    font->DrawStringEx(&canvas.mGraphics, 0, 6, std::string(3000, 'A'), Color::White, Rect(), &areas, &width);
    // 2048 characters on two layers fill the pool; each advances 5 + Shadow's spacing 2.
    EXPECT_EQ(areas.size(), 4096u);
    EXPECT_EQ(width, 2048 * 7);
}

} // namespace
