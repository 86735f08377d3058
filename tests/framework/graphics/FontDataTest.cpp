#include "framework/graphics/FontData.h"

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

using Zest::CharData;
using Zest::Color;
using Zest::FontData;
using Zest::FontLayer;
using Zest::Point;
using Zest::Rect;

constexpr char kTypeError[] = "Invalid Paramater Type";
constexpr int32_t kPictureWidth = 20;
constexpr int32_t kPictureHeight = 10;

// Every test gets a folder of its own holding a 20 x 10 picture "glyphs.png".
class FontDataTest : public Tests::DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        const std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(kPictureWidth, kPictureHeight);
        ASSERT_NE(picture, nullptr);
        ASSERT_TRUE(ImageLib::WritePNGImage(mFolder + "/glyphs.png", picture.get()));
        mData = std::make_unique<FontData>();
    }

    void TearDown() override
    {
        mData.reset();
        DrawingTest::TearDown();
    }

    std::string WriteFile(const std::string& name, const std::string& text) const { return mTemporary.Write(name, text); }

    // Handles commands one by one as if read from a file in the test folder.
    bool Run(const std::vector<std::string>& commands)
    {
        mData->mApp = &mApp;
        mData->mSourceFile = mFolder + "/font.txt";
        for (const std::string& command : commands) {
            if (!mData->ParseDescriptorLine(command))
                return false;
        }
        return true;
    }

    FontLayer& Layer(const std::string& name) { return *mData->mFontLayerMap.at(name); }
    CharData& Char(const std::string& layer, const char code)
    {
        return Layer(layer).mCharData[static_cast<uint8_t>(code)];
    }
    std::string DefineText(const std::string& name) const
    {
        const Zest::DataElement* const define = mData->FindDefine(name);
        return define == nullptr ? "<none>" : Zest::DescParser::DataElementToString(*define);
    }

    const Tests::TemporaryFolder mTemporary;
    const std::string mFolder = mTemporary.Path().string();
    std::unique_ptr<FontData> mData;
};

// ---- Commands ----------------------------------------------------------------------------

class FontDataCommandTest;

struct CommandCase {
    const char* mName;
    // Handled in order on a font with the layer MAIN holding glyphs.png; the last one is
    // the command under test.
    std::vector<std::string> mCommands;
    bool mResult;
    std::vector<std::string> mPopups;
    std::function<void(FontDataCommandTest&)> mCheck;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const CommandCase& testCase, std::ostream* out) { *out << testCase.mName; }

class FontDataCommandTest : public FontDataTest, public ::testing::WithParamInterface<CommandCase> {
public:
    FontLayer& Main() { return Layer("MAIN"); }
    using FontDataTest::Char;
    using FontDataTest::DefineText;
    using FontDataTest::Layer;
    using FontDataTest::mData;
};

TEST_P(FontDataCommandTest, HasItsEffectAndReportsItsErrors)
{
    const CommandCase& testCase = GetParam();
    ASSERT_TRUE(Run({"CreateLayer Main", "LayerSetImage Main 'glyphs.png'"}));
    std::vector<std::string> commands = testCase.mCommands;
    const std::string last = commands.back();
    commands.pop_back();
    ASSERT_TRUE(Run(commands)) << (mApp.mPopups.empty() ? "" : mApp.mPopups.back());
    EXPECT_EQ(mData->ParseDescriptorLine(last), testCase.mResult);
    EXPECT_EQ(mApp.mPopups, testCase.mPopups);
    if (testCase.mCheck)
        testCase.mCheck(*this);
}

const CommandCase kCommandCases[] = {
    {"DefineStoresWordAsWritten", {"Define Name 'abc'"}, true, {},
     [](auto& t) { EXPECT_EQ(t.DefineText("NAME"), "'abc'"); }},
    {"DefineOfDefineNameCopiesItsValue", {"Define B (1 2)", "Define A b"}, true, {},
     [](auto& t) { EXPECT_EQ(t.DefineText("A"), "(1, 2)"); }},
    {"DefineExpandsListAtOnce", {"Define B 2", "Define A (1, B)", "Define B 3"}, true, {},
     [](auto& t) { EXPECT_EQ(t.DefineText("A"), "(1, 2)"); }},
    {"DefineRefusesLiteralName", {"Define 12 x"}, false, {kTypeError}, nullptr},
    {"DefineReportsUnknownNameInList", {"Define A (1, Q)"}, false, {"Unable to Dereference \"Q\""},
     [](auto& t) { EXPECT_EQ(t.DefineText("A"), "<none>"); }},
    {"HorzSpanRectListLaysRectanglesSideBySide", {"CreateHorzSpanRectList r (10, 20, 99, 30) (5, 7, 9)"}, true, {},
     [](auto& t) { EXPECT_EQ(t.DefineText("R"), "((10, 20, 5, 30), (15, 20, 7, 30), (22, 20, 9, 30))"); }},
    {"HorzSpanRectListNeedsFourNumbers", {"CreateHorzSpanRectList R (10, 20, 30) (5)"}, false, {kTypeError},
     nullptr},
    {"SetDefaultPointSizeReadsHex", {"SetDefaultPointSize 0x10"}, true, {},
     [](auto& t) { EXPECT_EQ(t.mData->mDefaultPointSize, 16); }},
    {"SetDefaultPointSizeRefusesList", {"SetDefaultPointSize (1)"}, false, {kTypeError}, nullptr},
    {"SetDefaultPointSizeDoesNotResolveDefines", {"Define N 5", "SetDefaultPointSize N"}, false, {kTypeError},
     nullptr},
    {"SetCharMapMapsCodes", {"SetCharMap ('a' 'b') ('x' 'y')"}, true, {},
     [](auto& t) {
         EXPECT_EQ(t.mData->mCharMap['a'], 'x');
         EXPECT_EQ(t.mData->mCharMap['b'], 'y');
         EXPECT_EQ(t.mData->mCharMap['c'], 'c');
     }},
    {"SetCharMapRefusesUnequalLists", {"SetCharMap ('a' 'b') ('x')"}, false, {"List Size Mismatch"},
     [](auto& t) { EXPECT_EQ(t.mData->mCharMap['a'], 'a'); }},
    {"SetCharMapKeepsGoodPairsOfBadList", {"SetCharMap ('ab' 'c') ('x' 'y')"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.mData->mCharMap['c'], 'y'); }},
    {"CreateLayerTwiceKeepsLoading", {"CreateLayer main"}, true, {"Layer Already Exists"},
     [](auto& t) {
         EXPECT_EQ(t.mData->mFontLayerList.size(), 2u);
         EXPECT_EQ(t.mData->mFontLayerMap.size(), 1u);
     }},
    {"CreateLayerFromCopiesEverything",
     {"LayerSetAscent Main 7", "LayerRequireTags Main ('bold')", "LayerSetCharWidths Main ('A') (9)",
      "CreateLayerFrom Copy main"},
     true, {},
     [](auto& t) {
         const FontLayer& copy = t.Layer("COPY");
         EXPECT_EQ(copy.mAscent, 7);
         EXPECT_EQ(copy.mRequiredTags, std::vector<std::string>{"BOLD"});
         EXPECT_EQ(copy.mCharData['A'].mWidth, 9);
         EXPECT_EQ(copy.mImage.GetImage(), t.Main().mImage.GetImage());
         EXPECT_EQ(copy.mFontData, t.mData.get());
     }},
    {"CreateLayerFromUnknownLayerReportsTwice", {"CreateLayerFrom Copy Missing"}, false,
     {"Undefined Layer", kTypeError}, [](auto& t) { EXPECT_EQ(t.mData->mFontLayerList.size(), 1u); }},
    {"RequireAndExcludeTagsAreUpperCased", {"LayerRequireTags Main ('a' 'b')", "LayerExcludeTags Main ('c')"},
     true, {},
     [](auto& t) {
         EXPECT_EQ(t.Main().mRequiredTags, (std::vector<std::string>{"A", "B"}));
         EXPECT_EQ(t.Main().mExcludedTags, std::vector<std::string>{"C"});
     }},
    {"PointRangeSetsBothEnds", {"LayerPointRange Main 8 24"}, true, {},
     [](auto& t) {
         EXPECT_EQ(t.Main().mMinPointSize, 8);
         EXPECT_EQ(t.Main().mMaxPointSize, 24);
     }},
    {"SetPointSize", {"LayerSetPointSize Main 12"}, true, {}, [](auto& t) { EXPECT_EQ(t.Main().mPointSize, 12); }},
    {"SetHeight", {"LayerSetHeight Main 13"}, true, {}, [](auto& t) { EXPECT_EQ(t.Main().mHeight, 13); }},
    {"SetAscent", {"LayerSetAscent Main 14"}, true, {}, [](auto& t) { EXPECT_EQ(t.Main().mAscent, 14); }},
    {"SetAscentPadding", {"LayerSetAscentPadding Main 15"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Main().mAscentPadding, 15); }},
    {"SetLineSpacingOffset", {"LayerSetLineSpacingOffset Main -2"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Main().mLineSpacingOffset, -2); }},
    {"SetSpacingIgnoresCaseOfCommandAndLayer", {"lAYERsETsPACING mAIN 3"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Main().mSpacing, 3); }},
    {"SetBaseOrder", {"LayerSetBaseOrder Main 5"}, true, {}, [](auto& t) { EXPECT_EQ(t.Main().mBaseOrder, 5); }},
    {"IntegerCommandRefusesWord", {"LayerSetHeight Main tall"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.Main().mHeight, 0); }},
    {"LayerAsListIsTypeErrorOnly", {"LayerSetHeight (Main) 3"}, false, {kTypeError}, nullptr},
    {"DrawModeAdditive", {"LayerSetDrawMode Main 1"}, true, {}, [](auto& t) { EXPECT_EQ(t.Main().mDrawMode, 1); }},
    {"DrawModeRefusesTwo", {"LayerSetDrawMode Main 2"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.Main().mDrawMode, -1); }},
    {"DrawModeRefusesNegative", {"LayerSetDrawMode Main -1"}, false, {kTypeError}, nullptr},
    {"ColorWordWithoutAlphaIsOpaque", {"LayerSetColorMult Main 0x00FF8000"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Main().mColorMult, Color(255, 128, 0, 255)); }},
    {"ColorListOfFractionsTruncates", {"LayerSetColorAdd Main (1, 0.5, 0, 1)"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Main().mColorAdd, Color(255, 127, 0, 255)); }},
    {"ColorListOfThreeRefused", {"LayerSetColorAdd Main (1, 0.5, 0)"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.Main().mColorAdd, Color(0, 0, 0, 0)); }},
    {"ColorListWithNonNumberRefused", {"LayerSetColorMult Main (1, 'x', 0, 1)"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.Main().mColorMult, Color::White); }},
    {"OffsetTakesTwoNumbers", {"LayerSetOffset Main (3, -4)"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Main().mOffset, (Point{3, -4})); }},
    {"OffsetRefusesThreeNumbers", {"LayerSetOffset Main (3 4 5)"}, false, {kTypeError}, nullptr},
    {"CharWidthsFromDefines", {"Define Keys ('A' 'B')", "LayerSetCharWidths Main Keys (5 6)"}, true, {},
     [](auto& t) {
         EXPECT_EQ(t.Char("MAIN", 'A').mWidth, 5);
         EXPECT_EQ(t.Char("MAIN", 'B').mWidth, 6);
     }},
    {"CharWidthsSkipLongKeysThenFail", {"LayerSetCharWidths Main ('AB' 'C') (5 6)"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.Char("MAIN", 'C').mWidth, 6); }},
    {"CharWidthsRefuseUnequalLists", {"LayerSetCharWidths Main ('A') (5 6)"}, false, {"List Size Mismatch"},
     nullptr},
    {"CharOffsetsSetPoints", {"LayerSetCharOffsets Main ('A' 'B') ((1 2) (3))"}, false, {kTypeError},
     [](auto& t) {
         EXPECT_EQ(t.Char("MAIN", 'A').mOffset, (Point{1, 2}));
         EXPECT_EQ(t.Char("MAIN", 'B').mOffset, (Point{0, 0}));
     }},
    {"KerningKeepsLowByteSigned", {"LayerSetKerningPairs Main ('AV' 'AW' 'X') (-3 200 1)"}, false, {kTypeError},
     [](auto& t) {
         EXPECT_EQ(t.Char("MAIN", 'A').mKerningOffsets['V'], -3);
         EXPECT_EQ(t.Char("MAIN", 'A').mKerningOffsets['W'], -56);
     }},
    {"CharOrders", {"LayerSetCharOrders Main ('A') (4)"}, true, {},
     [](auto& t) { EXPECT_EQ(t.Char("MAIN", 'A').mOrder, 4); }},
    {"ImageMapAcceptsRectTouchingEdges", {"LayerSetCharOffsets Main ('B') ((0 3))",
                                          "LayerSetImageMap Main ('A' 'B') ((0 0 20 10) (5 2 4 6))"},
     true, {},
     [](auto& t) {
         EXPECT_EQ(t.Char("MAIN", 'A').mImageRect, Rect(0, 0, 20, 10));
         EXPECT_EQ(t.Char("MAIN", 'B').mImageRect, Rect(5, 2, 4, 6));
         EXPECT_EQ(t.Main().mDefaultHeight, 10);
     }},
    {"ImageMapDefaultHeightCountsOffsets", {"LayerSetCharOffsets Main ('B') ((0 7))",
                                            "LayerSetImageMap Main ('B') ((5 2 4 6))"},
     true, {}, [](auto& t) { EXPECT_EQ(t.Main().mDefaultHeight, 13); }},
    {"ImageMapRefusesRectPastRightEdge", {"LayerSetImageMap Main ('A' 'B') ((0 0 2 2) (1 0 20 10))"}, false,
     {"Image rectangle out of bounds"},
     [](auto& t) {
         EXPECT_EQ(t.Char("MAIN", 'A').mImageRect, Rect(0, 0, 2, 2));
         EXPECT_EQ(t.Char("MAIN", 'B').mImageRect, Rect());
     }},
    {"ImageMapRefusesNegativeRect", {"LayerSetImageMap Main ('A') ((4 4 -2 1))"}, false,
     {"Image rectangle out of bounds"}, nullptr},
    {"ImageMapRefusesNegativeOrigin", {"LayerSetImageMap Main ('A') ((0 -1 2 2))"}, false,
     {"Image rectangle out of bounds"}, nullptr},
    {"ImageMapSkipsShortRect", {"LayerSetImageMap Main ('A' 'B') ((0 0 2) (1 1 2 2))"}, false, {kTypeError},
     [](auto& t) { EXPECT_EQ(t.Char("MAIN", 'B').mImageRect, Rect(1, 1, 2, 2)); }},
    {"ImageMapNeedsImage", {"CreateLayer Bare", "LayerSetImageMap Bare ('A') ((0 0 1 1))"}, false,
     {"Layer image not set"}, nullptr},
    {"WrongParameterCount", {"LayerSetSpacing Main"}, false, {"Invalid Number of Parameters"}, nullptr},
    {"UnknownCommand", {"Frobnicate Main"}, false, {"Unknown Command"}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(FontData, FontDataCommandTest, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.mName); });

// ---- Older width files -------------------------------------------------------------------

class FontDataLegacyTest : public FontDataTest {
protected:
    void SetUp() override
    {
        FontDataTest::SetUp();
        mImage = std::make_unique<Zest::MemoryImage>(&mApp);
        mImage->Create(kPictureWidth, kPictureHeight);
    }

    std::unique_ptr<Zest::MemoryImage> mImage;
};

TEST_F(FontDataLegacyTest, LaysGlyphsSideBySideAndMapsMissingCase)
{
    ASSERT_TRUE(mData->LoadLegacy(mImage.get(), WriteFile("widths.txt", "4 10\nA 6\nb 5\n")));
    EXPECT_TRUE(mData->mInitialized);
    const FontLayer& layer = Layer("");
    EXPECT_EQ(layer.mImage.GetImage(), mImage.get());
    EXPECT_EQ(layer.mCharData[' '].mWidth, 4);
    EXPECT_EQ(layer.mCharData[' '].mImageRect, Rect());
    EXPECT_EQ(layer.mAscent, 10);
    EXPECT_EQ(layer.mDefaultHeight, kPictureHeight);
    EXPECT_EQ(layer.mCharData['A'].mImageRect, Rect(0, 0, 6, kPictureHeight));
    EXPECT_EQ(layer.mCharData['A'].mWidth, 6);
    EXPECT_EQ(layer.mCharData['b'].mImageRect, Rect(6, 0, 5, kPictureHeight));
    EXPECT_EQ(mData->mCharMap['a'], 'A');
    EXPECT_EQ(mData->mCharMap['B'], 'b');
    EXPECT_EQ(mData->mCharMap['C'], 'C');
    EXPECT_FALSE(mData->LoadLegacy(mImage.get(), WriteFile("widths.txt", "4 10\n")));
    EXPECT_EQ(mData->mFontLayerList.size(), 1u);
}

TEST_F(FontDataLegacyTest, MissingFileKeepsLayerButStaysUninitialised)
{
    EXPECT_FALSE(mData->LoadLegacy(mImage.get(), mFolder + "/none.txt"));
    EXPECT_FALSE(mData->mInitialized);
    EXPECT_EQ(mData->mFontLayerList.size(), 1u);
}

TEST_F(FontDataLegacyTest, RefusesMalformedFiles)
{
    const char* const files[] = {
        "",                                 // no header
        "4\n",                              // ascent missing
        "4 10\nA -3\n",                     // negative width
        "4 10\nA 15\nB 6\n",                // reaches past the right edge
        "4 10\nA 99999999999999999999999\n", // width beyond 32 bits
    };
    for (const char* const text : files) {
        FontData data;
        EXPECT_FALSE(data.LoadLegacy(mImage.get(), WriteFile("bad.txt", text))) << text;
        EXPECT_FALSE(data.mInitialized) << text;
    }
}

// ---- Description files -------------------------------------------------------------------

TEST_F(FontDataTest, LoadsTwoLayerDescriptionWithPicture)
{
    const std::string path = WriteFile("font.txt", "# Shadowed letters\n"
                                                   "Define Letters ('A' 'B');\n"
                                                   "CreateLayer Main;\n"
                                                   "LayerSetImage Main 'glyphs.png';\n"
                                                   "CreateHorzSpanRectList Rects (0 0 0 10) (6 5);\n"
                                                   "LayerSetImageMap Main Letters Rects;\n"
                                                   "LayerSetCharWidths Main Letters (7 6);\n"
                                                   "LayerSetAscent Main 8;\n"
                                                   "CreateLayerFrom Shadow main;\n"
                                                   "LayerSetOffset Shadow (1 1);\n"
                                                   "LayerSetColorMult Shadow 0x80000000;\n"
                                                   "LayerSetBaseOrder Shadow -1;\n");
    ASSERT_TRUE(mData->Load(&mApp, path));
    EXPECT_TRUE(mData->mInitialized) << (mApp.mPopups.empty() ? "" : mApp.mPopups.front());
    EXPECT_TRUE(mApp.mPopups.empty());
    EXPECT_EQ(mData->mSourceFile, path);
    ASSERT_EQ(mData->mFontLayerList.size(), 2u);
    const FontLayer& main = Layer("MAIN");
    const FontLayer& shadow = Layer("SHADOW");
    ASSERT_NE(main.mImage.GetImage(), nullptr);
    EXPECT_EQ(main.mImage.GetImage()->GetWidth(), kPictureWidth);
    EXPECT_EQ(shadow.mImage.GetImage(), main.mImage.GetImage());
    EXPECT_EQ(main.mCharData['B'].mImageRect, Rect(6, 0, 5, 10));
    EXPECT_EQ(shadow.mCharData['B'].mImageRect, Rect(6, 0, 5, 10));
    EXPECT_EQ(shadow.mCharData['A'].mWidth, 7);
    EXPECT_EQ(shadow.mAscent, 8);
    EXPECT_EQ(main.mOffset, (Point{0, 0}));
    EXPECT_EQ(shadow.mOffset, (Point{1, 1}));
    EXPECT_EQ(shadow.mColorMult, Color(0, 0, 0, 128));
    EXPECT_EQ(shadow.mBaseOrder, -1);
    EXPECT_EQ(main.mDefaultHeight, 10);
    // Loaded once only.
    EXPECT_FALSE(mData->Load(&mApp, path));
}

struct ErrorCase {
    const char* mName;
    // Follows "CreateLayer Main;\n", so it begins on line 2.
    const char* mCommand;
    std::vector<std::string> mMessages;
    bool mInitialized;
};

void PrintTo(const ErrorCase& testCase, std::ostream* out) { *out << testCase.mName; }

class FontDataErrorTest : public FontDataTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(FontDataErrorTest, ShowsHeaderMessageLineAndCommand)
{
    const ErrorCase& testCase = GetParam();
    const std::string path = WriteFile("font.txt", std::string("CreateLayer Main;\n") + testCase.mCommand + ";\n");
    EXPECT_TRUE(mData->Load(&mApp, path));
    EXPECT_EQ(mData->mInitialized, testCase.mInitialized);
    std::vector<std::string> expected;
    for (const std::string& message : testCase.mMessages) {
        expected.push_back("Font Descriptor Error in " + path + "\r\n" + message + " on Line 2:\r\n\r\n" +
                           testCase.mCommand);
    }
    EXPECT_EQ(mApp.mPopups, expected);
}

const ErrorCase kErrorCases[] = {
    {"InvalidNumberOfParameters", "LayerSetAscent Main", {"Invalid Number of Parameters"}, false},
    {"InvalidParameterType", "LayerSetAscent Main x", {kTypeError}, false},
    {"UnknownCommand", "LayerSetNothing Main", {"Unknown Command"}, false},
    {"ListSizeMismatch", "LayerSetCharOrders Main ('A') (1 2)", {"List Size Mismatch"}, false},
    {"LayerAlreadyExists", "CreateLayer MAIN", {"Layer Already Exists"}, true},
    {"UndefinedLayer", "LayerSetAscent Other 3", {"Undefined Layer", kTypeError}, false},
    {"FailedToLoadImage", "LayerSetImage Main 'missing.png'", {"Failed to Load Image"}, false},
    {"LayerImageNotSet", "LayerSetImageMap Main ('A') ((0 0 1 1))", {"Layer image not set"}, false},
};

INSTANTIATE_TEST_SUITE_P(FontData, FontDataErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(FontDataTest, ImageRectangleOutOfBoundsNamesItsLine)
{
    const std::string path = WriteFile("font.txt", "CreateLayer Main;\nLayerSetImage Main 'glyphs.png';\n"
                                                   "LayerSetImageMap Main ('A') ((0 0 1 11));\n");
    EXPECT_TRUE(mData->Load(&mApp, path));
    EXPECT_FALSE(mData->mInitialized);
    EXPECT_EQ(mApp.mPopups, std::vector<std::string>{"Font Descriptor Error in " + path +
                                                     "\r\nImage rectangle out of bounds on Line 3:\r\n\r\n"
                                                     "LayerSetImageMap Main ('A') ((0 0 1 11))"});
}

TEST_F(FontDataTest, RefusesMalformedDescriptionsWithoutCrashing)
{
    WriteFile("garbage.png", "not a picture");
    const std::string files[] = {
        "CreateLayer Main;\nLayerSetImage Main 'garbage.png';",
        "CreateLayer Main;\nLayerSetImage Main 'glyphs.png';\n"
        "LayerSetImageMap Main ('A') ((2147483647 2147483647 1 1));",
        "CreateLayer Main;\nLayerSetImage Main 'glyphs.png';\n"
        "LayerSetImageMap Main ('A') ((-2147483648 0 2147483647 1));",
        "CreateLayer Main;\nLayerSetImage Main 'glyphs.png';\nLayerSetImageMap Main ('A') (5);",
        "CreateLayer Main;\nLayerSetCharOffsets Main ('A' 'B') ((0 2147483647) (0 -2147483648));\n"
        "LayerSetImage Main 'glyphs.png';\nLayerSetImageMap Main ('A') ((0 0 20 10));\nUnknown;",
        "CreateLayer Main;\nLayerSetKerningPairs Main ('' 'A') (1 2);",
        "CreateLayer Main;\nLayerSetCharWidths Main (('A') 'B') (1 2);",
        "CreateLayer Main;\nLayerSetColorMult Main (1e999 0 0 1);",
        "CreateLayer Main;\nLayerSetColorMult Main (99999999999 0 0 1);",
        "CreateHorzSpanRectList R (2147483647 0 0 1) (2147483647 2147483647 5);\nUnknown;",
        "CreateLayer Main;\nLayerSetOffset Main ((1 2) 3);",
        "CreateLayer Main;\nLayerRequireTags Main (((('x'",
        "Define A " + std::string(100, '(') + "1" + std::string(100, ')') + ";",
        "\"unterminated",
    };
    for (const std::string& text : files) {
        FontData data;
        mApp.mPopups.clear();
        EXPECT_TRUE(data.Load(&mApp, WriteFile("bad.txt", text))) << text;
        EXPECT_FALSE(data.mInitialized) << text;
        EXPECT_FALSE(mApp.mPopups.empty()) << text;
    }
}

TEST_F(FontDataTest, MissingDescriptionLeavesFontUninitialised)
{
    EXPECT_TRUE(mData->Load(&mApp, mFolder + "/none.txt"));
    EXPECT_FALSE(mData->mInitialized);
}

TEST(FontDataRefTest, LastDeRefDeletesTheData)
{
    auto* const data = new FontData;
    data->Ref();
    data->Ref();
    data->DeRef();
    EXPECT_EQ(data->mRefCount, 1);
    // ASan reports a leak when this does not delete.
    data->DeRef();
}

} // namespace
