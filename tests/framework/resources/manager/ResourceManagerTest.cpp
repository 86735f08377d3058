#include "framework/resources/manager/ResourceManager.h"

#include "framework/directx/DDImage.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "framework/sound/SoundManager.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Zest::ResourceManager;
using Zest::ResourceManagerException;

// An opaque picture whose colours differ with the seed and the position.
std::vector<uint32_t> Pattern(const int seed, const int width, const int height)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto colour = static_cast<uint32_t>(seed * 0x3F1D07 + x * 0x2B0311 + y * 0x071F29) % 0x1000000u;
            pixels.push_back(0xFF000000u | colour);
        }
    }
    return pixels;
}

void WritePicture(const fs::path& path, const int width, const int height, const std::vector<uint32_t>& pixels)
{
    fs::create_directories(fs::absolute(path).parent_path());
    const std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(width, height);
    ASSERT_NE(picture, nullptr);
    std::copy(pixels.begin(), pixels.end(), picture->mBits);
    ASSERT_TRUE(ImageLib::WritePNGImage(path.string(), picture.get())) << path;
}

// A picture whose blue channel carries the given values and whose other channels are noise.
std::vector<uint32_t> BlueChannel(const std::vector<uint8_t>& blue)
{
    std::vector<uint32_t> pixels;
    for (const uint8_t value : blue)
        pixels.push_back(0xFF5A3C00u | value);
    return pixels;
}

std::vector<uint32_t> PixelsOf(Zest::Image* image)
{
    auto* const memoryImage = dynamic_cast<Zest::MemoryImage*>(image);
    if (memoryImage == nullptr || memoryImage->GetBits() == nullptr)
        return {};
    const uint32_t* const bits = memoryImage->GetBits();
    return std::vector<uint32_t>(bits, bits + static_cast<size_t>(image->mWidth) * image->mHeight);
}

// Packs `folder` into `archive` with the pak tool; true when it succeeded.
bool Pack(const fs::path& folder, const fs::path& archive)
{
    const std::string command =
        std::string(PAK_TOOL) + " pack '" + folder.string() + "' '" + archive.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

// The glyph sheet of a small image font: 'A' a 4 x 4 red square, 'B' a 2 x 4 green bar.
std::vector<uint32_t> GlyphSheet()
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x)
            pixels.push_back(x < 4 ? 0xFFFF0000u : 0xFF00FF00u);
    }
    return pixels;
}

constexpr char kFontDescription[] = "SetDefaultPointSize 10;\n"
                                    "CreateLayer Main;\n"
                                    "LayerSetImage Main 'glyphs.png';\n"
                                    "LayerSetImageMap Main ('A' 'B') ((0 0 4 4) (4 0 2 4));\n"
                                    "LayerSetCharWidths Main ('A' 'B') (5 3);\n"
                                    "LayerSetAscent Main 4;\n";

// Application tests' folders and clock, an application that leaves the command line alone,
// and a manager that goes before the application does.
class ResourceTest : public Tests::AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mApp = std::make_unique<Tests::TestApp>();
        mApp->mCommandLineParsed = true;
    }

    void TearDown() override
    {
        mManager.reset();
        mApp.reset();
        AppTest::TearDown();
    }

    // Images are made by the display, so loading needs an application that ran Init.
    void StartDisplay()
    {
        mApp->Init();
        ASSERT_TRUE(mApp->mInitialized);
        ASSERT_NE(mApp->mDisplay, nullptr);
    }

    ResourceManager& NewManager()
    {
        mManager.reset();
        mManager = std::make_unique<ResourceManager>(mApp.get());
        return *mManager;
    }

    // Files are written below the working folder, which is the fixture's folder.
    static void WriteText(const fs::path& path, const std::string& text)
    {
        Tests::WriteBytes(fs::absolute(path), text);
    }

    // Frees the shared images that lost their last reference, as the main loop does.
    void SweepSharedImages() { mApp->ReleaseUnusedSharedImages(); }

    // A manifest of one group per entry, written as "resources.xml" and parsed.
    ResourceManager& ParseGroups(const std::map<std::string, std::string>& groups)
    {
        std::string text = "<ResourceManifest>\n";
        for (const auto& [id, body] : groups)
            text += "<Resources id=\"" + id + "\">\n" + body + "</Resources>\n";
        text += "</ResourceManifest>\n";
        WriteText("resources.xml", text);
        ResourceManager& manager = NewManager();
        EXPECT_TRUE(manager.ParseResourcesFile("resources.xml")) << manager.GetErrorText();
        return manager;
    }

    // The image record of that id; fails the test when there is none.
    ResourceManager::ImageRes* ImageRecord(const std::string& id)
    {
        const auto found = mManager->mImages.find(id);
        EXPECT_NE(found, mManager->mImages.end()) << id;
        if (found == mManager->mImages.end())
            return nullptr;
        return static_cast<ResourceManager::ImageRes*>(found->second.get());
    }

    bool IsImageLoaded(const std::string& id)
    {
        const ResourceManager::ImageRes* const record = ImageRecord(id);
        return record != nullptr && record->mImage.GetImage() != nullptr;
    }

    // The text the accessor threw with, or "<no throw>".
    template <typename Access>
    static std::string ThrownText(Access access)
    {
        try {
            access();
        } catch (const ResourceManagerException& exception) {
            return exception.mWhat;
        }
        return "<no throw>";
    }

    std::unique_ptr<Tests::TestApp> mApp;
    std::unique_ptr<ResourceManager> mManager;
};

// ---- The manifest ------------------------------------------------------------------------

using ResourceManifestTest = ResourceTest;

TEST_F(ResourceManifestTest, RecordsTakeDefaultsPrefixesAndAttributesInFileOrder)
{
    WriteText("resources.xml",
              "<?xml version=\"1.0\"?>\n"
              "<!-- every kind of record -->\n"
              "<ResourceManifest>\n"
              "  <Resources id=\"Init\">\n"
              "    <Image path=\"plain.png\" />\n"
              "    <SetDefaults path=\"images/\" idprefix=\"IMAGE_\" />\n"
              "    <Image path=\"sub\\Title.png\"></Image>\n"
              "    <Image id=\"LOGO\" path=\"logo.jpg\" nopal a4r4g4b4 minsubdivide ddsurface nobits2d"
              " alphaimage=\"logo_a.png\" alphacolor=\"FF8000\" variant=\"Big\" alphagrid=\"cel.png\" rows=\"2\""
              " cols=\"0\" />\n"
              "    <Image id=\"RUNNER\" path=\"runner.png\" rows=\"1\" cols=\"8\" anim=\"Loop\" framedelay=\"3\""
              " begindelay=\"10\" enddelay=\"20\" />\n"
              "    <Image id=\"FLIP\" path=\"flip.png\" cols=\"4\" rows=\"-3\" anim=\"PINGPONG\" />\n"
              "    <Image id=\"MAPPED\" path=\"m.png\" anim=\"once\" perframedelay=\"5,,7\" framemap=\"3,1,\" />\n"
              "    <Image id=\"STILL\" path=\"s.png\" anim=\"None\" framedelay=\"9\" nobits3d />\n"
              "    <Image id=\"CANVAS\" path=\"!program\" />\n"
              "    <Sound id=\"CLICK\" path=\"click.ogg\" volume=\"0\" pan=\"-200\" />\n"
              "    <Sound path=\"boom.wav\" />\n"
              "    <Font id=\"Title\" path=\"fonts/title.txt\" tags=\"Big, Outline\" />\n"
              "    <Font id=\"LEGACY\" path=\"fonts/legacy.txt\" image=\"fonts/legacy.png\" />\n"
              "    <Font id=\"SYS\" path=\"!sys:DejaVu Sans\" size=\"14\" bold shadow />\n"
              "    <Font id=\"COPY\" path=\"!ref:IMAGE_Title\" />\n"
              "  </Resources>\n"
              "  <Resources id=\"Level\">\n"
              "    <SetDefaults path=\"levels\\\" idprefix=\"LEVEL_/\" />\n"
              "    <Image path=\"map.png\" />\n"
              "  </Resources>\n"
              "  <Resources id=\"Init\">\n"
              "    <Image id=\"LATE\" path=\"late.png\" />\n"
              "  </Resources>\n"
              "</ResourceManifest>\n");
    // The defaults carry over into the next manifest of the same manager.
    WriteText("more.xml", "<ResourceManifest><Resources id=\"Extra\">\n"
                          "<Image path=\"extra.png\"/>\n"
                          "<SetDefaults path=\"\" idprefix=\"\"/>\n"
                          "<Image path=\"root.png\"/>\n"
                          "</Resources></ResourceManifest>\n");
    ResourceManager& manager = NewManager();
    ASSERT_TRUE(manager.ParseResourcesFile("resources.xml")) << manager.GetErrorText();
    ASSERT_TRUE(manager.ParseResourcesFile("more.xml")) << manager.GetErrorText();
    EXPECT_EQ(manager.mParser, nullptr);

    // Every record by kind and id, with its group and completed path, in group order.
    struct Expected {
        ResourceManager::ResMap* map;
        const char* id;
        const char* path;
    };
    const std::map<std::string, std::vector<Expected>> groups = {
        {"Init",
         {{&manager.mImages, "plain", "plain.png"},
          {&manager.mImages, "IMAGE_Title", "images/sub\\Title.png"},
          {&manager.mImages, "IMAGE_LOGO", "images/logo.jpg"},
          {&manager.mImages, "IMAGE_RUNNER", "images/runner.png"},
          {&manager.mImages, "IMAGE_FLIP", "images/flip.png"},
          {&manager.mImages, "IMAGE_MAPPED", "images/m.png"},
          {&manager.mImages, "IMAGE_STILL", "images/s.png"},
          {&manager.mImages, "IMAGE_CANVAS", "!program"},
          {&manager.mSounds, "IMAGE_CLICK", "images/click.ogg"},
          {&manager.mSounds, "IMAGE_boom", "images/boom.wav"},
          // An image and a font may share an id.
          {&manager.mFonts, "IMAGE_Title", "images/fonts/title.txt"},
          {&manager.mFonts, "IMAGE_LEGACY", "images/fonts/legacy.txt"},
          {&manager.mFonts, "IMAGE_SYS", "DejaVu Sans"},
          {&manager.mFonts, "IMAGE_COPY", "!ref:IMAGE_Title"},
          {&manager.mImages, "LEVEL_LATE", "levels/late.png"}}},
        {"Level", {{&manager.mImages, "LEVEL_map", "levels/map.png"}}},
        {"Extra", {{&manager.mImages, "LEVEL_extra", "levels/extra.png"}, {&manager.mImages, "root", "root.png"}}},
    };
    ASSERT_EQ(manager.mGroups.size(), groups.size());
    for (const auto& [group, records] : groups) {
        const ResourceManager::ResList& list = manager.mGroups[group];
        ASSERT_EQ(list.size(), records.size()) << group;
        auto listed = list.begin();
        for (const Expected& expected : records) {
            SCOPED_TRACE(expected.id);
            const auto found = expected.map->find(expected.id);
            ASSERT_NE(found, expected.map->end());
            EXPECT_EQ(found->second.get(), *listed++);
            EXPECT_EQ(found->second->mId, expected.id);
            EXPECT_EQ(found->second->mPath, expected.path);
            EXPECT_EQ(found->second->mResGroup, group);
        }
    }
    EXPECT_EQ(manager.mImages.size(), 12u);
    EXPECT_EQ(manager.mSounds.size(), 2u);
    EXPECT_EQ(manager.mFonts.size(), 4u);

    // Images: defaults, then every attribute.
    const ResourceManager::ImageRes* plain = ImageRecord("plain");
    EXPECT_TRUE(plain->mPalettize);
    EXPECT_FALSE(plain->mUse4444 || plain->mUse8888 || plain->mWantSurface || plain->mDropBits || plain->mFewPieces);
    EXPECT_EQ(plain->mRows, 1);
    EXPECT_EQ(plain->mCols, 1);
    EXPECT_EQ(plain->mAlphaColor, 0xFFFFFFu);
    EXPECT_TRUE(plain->mAlphaImage.empty() && plain->mAlphaGridImage.empty() && plain->mVariant.empty());
    EXPECT_EQ(plain->mAnimInfo.mAnimType, Zest::AnimInfo::ANIM_NONE);
    EXPECT_FALSE(plain->mFromProgram);

    const ResourceManager::ImageRes* logo = ImageRecord("IMAGE_LOGO");
    EXPECT_FALSE(logo->mPalettize);
    EXPECT_TRUE(logo->mUse4444);
    EXPECT_FALSE(logo->mUse8888);
    EXPECT_TRUE(logo->mFewPieces);
    EXPECT_TRUE(logo->mWantSurface);
    // Without a display 3D drawing is off, so "nobits2d" counts and "nobits3d" does not.
    EXPECT_TRUE(logo->mDropBits);
    EXPECT_FALSE(ImageRecord("IMAGE_STILL")->mDropBits);
    EXPECT_EQ(logo->mAlphaImage, "images/logo_a.png");
    EXPECT_EQ(logo->mAlphaGridImage, "images/cel.png");
    EXPECT_EQ(logo->mAlphaColor, 0xFF8000u);
    EXPECT_EQ(logo->mVariant, "Big");
    // A count of 0 or less stands for the single default cel.
    EXPECT_EQ(logo->mRows, 2);
    EXPECT_EQ(logo->mCols, 1);
    EXPECT_EQ(ImageRecord("IMAGE_FLIP")->mRows, 1);
    const std::map<std::string, std::string> logoAttributes = {
        {"id", "LOGO"},     {"path", "logo.jpg"},     {"nopal", ""},          {"a4r4g4b4", ""},
        {"minsubdivide", ""}, {"ddsurface", ""},      {"nobits2d", ""},       {"alphaimage", "logo_a.png"},
        {"alphacolor", "FF8000"}, {"variant", "Big"}, {"alphagrid", "cel.png"}, {"rows", "2"},
        {"cols", "0"}};
    EXPECT_EQ(logo->mXMLAttributes, logoAttributes);
    EXPECT_TRUE(ImageRecord("IMAGE_CANVAS")->mFromProgram);

    // Animations: the cel count is the larger of rows and columns.
    struct AnimCase {
        const char* id;
        int32_t type;
        int32_t frameDelay;
        int32_t numCels;
        std::vector<int32_t> perFrameDelay;
        std::vector<int32_t> frameMap;
        int32_t totalTime;
    };
    const AnimCase anims[] = {
        {"IMAGE_RUNNER", Zest::AnimInfo::ANIM_LOOP, 3, 8, {10, 3, 3, 3, 3, 3, 3, 20}, {}, 48},
        {"IMAGE_FLIP", Zest::AnimInfo::ANIM_PING_PONG, 1, 6, {}, {0, 1, 2, 3, 2, 1}, 6},
        {"IMAGE_MAPPED", Zest::AnimInfo::ANIM_ONCE, 1, 3, {5, 1, 7}, {3, 1, 0}, 13},
        // "none" reads no timing at all.
        {"IMAGE_STILL", Zest::AnimInfo::ANIM_NONE, 1, 1, {}, {}, 0},
    };
    for (const AnimCase& c : anims) {
        SCOPED_TRACE(c.id);
        const Zest::AnimInfo& info = ImageRecord(c.id)->mAnimInfo;
        EXPECT_EQ(info.mAnimType, c.type);
        EXPECT_EQ(info.mFrameDelay, c.frameDelay);
        EXPECT_EQ(info.mNumCels, c.numCels);
        EXPECT_EQ(info.mPerFrameDelay, c.perFrameDelay);
        EXPECT_EQ(info.mFrameMap, c.frameMap);
        EXPECT_EQ(info.mTotalAnimTime, c.totalTime);
    }

    // Sounds: a volume of 0 is a volume; none given is below 0.
    const auto* click = static_cast<const ResourceManager::SoundRes*>(manager.mSounds["IMAGE_CLICK"].get());
    EXPECT_EQ(click->mVolume, 0.0);
    EXPECT_EQ(click->mPanning, -200);
    EXPECT_EQ(click->mSoundId, -1);
    const auto* boom = static_cast<const ResourceManager::SoundRes*>(manager.mSounds["IMAGE_boom"].get());
    EXPECT_EQ(boom->mVolume, -1.0);
    EXPECT_EQ(boom->mPanning, 0);

    // Fonts: the image path is used as written; a system font keeps its face name.
    const auto* title = static_cast<const ResourceManager::FontRes*>(manager.mFonts["IMAGE_Title"].get());
    EXPECT_EQ(title->mTags, "Big, Outline");
    EXPECT_FALSE(title->mIsSysFont);
    const auto* legacy = static_cast<const ResourceManager::FontRes*>(manager.mFonts["IMAGE_LEGACY"].get());
    EXPECT_EQ(legacy->mImagePath, "fonts/legacy.png");
    const auto* sys = static_cast<const ResourceManager::FontRes*>(manager.mFonts["IMAGE_SYS"].get());
    EXPECT_TRUE(sys->mIsSysFont);
    EXPECT_EQ(sys->mPointSize, 14);
    EXPECT_TRUE(sys->mBold && sys->mShadow);
    EXPECT_FALSE(sys->mItalic || sys->mUnderline);
    EXPECT_EQ(sys->mFont, nullptr);

    // Group sizes leave program-made pictures out; the whole map counts them.
    EXPECT_EQ(manager.GetNumImages("Init"), 8);
    EXPECT_EQ(manager.GetNumSounds("Init"), 2);
    EXPECT_EQ(manager.GetNumFonts("Init"), 4);
    EXPECT_EQ(manager.GetNumResources("Init"), 14);
    EXPECT_EQ(manager.GetNumResources("Level"), 1);
    EXPECT_EQ(manager.GetNumResources("Nope"), 0);
    EXPECT_EQ(manager.GetNumImages(""), 12);
    EXPECT_EQ(manager.GetNumResources(""), 18);
}

TEST_F(ResourceManifestTest, AnErrorStopsTheParseWithItsTextLineAndFile)
{
    struct Case {
        // Null: the manifest does not exist.
        const char* manifest;
        const char* text;
        // The line of the suffix, 0 for none.
        int line;
        // Records registered before or by the failing element.
        size_t records;
    };
    const Case cases[] = {
        {nullptr, "Resource file not found: bad.xml", 0, 0},
        {"", "Expecting ResourceManifest tag", 1, 0},
        {"<?xml version=\"1.0\"?>\n<Manifest>\n</Manifest>\n", "Expecting ResourceManifest tag", 2, 0},
        {"\x01<ResourceManifest/>", "Illegal Character", 1, 0},
        {"<ResourceManifest>\n<Group id=\"a\">\n", "Invalid Section 'Group'", 2, 0},
        {"<ResourceManifest>\nstray  words\n<Resources id=\"a\"/>\n", "Element Not Expected 'stray words'", 3, 0},
        {"<ResourceManifest>\n<Resources>\n", "No id specified.", 2, 0},
        {"<ResourceManifest>\n<Resources id=\"\">\n", "No id specified.", 2, 0},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\"/>\n<Picture path=\"x.png\"/>\n",
         "Invalid Section 'Picture'", 4, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\"/>\nloose text\n</Resources>\n",
         "Element Not Expected 'loose text'", 5, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\">inside</Image>\n",
         "Unexpected element found.", 3, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\">\n<Image path=\"b.png\"/>\n</Image>\n",
         "Unexpected element found.", 4, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\">\n<?pi x?>\n</Image>\n",
         "Unexpected element found.", 4, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image id=\"x\"/>\n", "No path specified.", 3, 0},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Sound path=\"\"/>\n", "No path specified.", 3, 0},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\"/>\n<Sound path=\"a.ogg\"/>\n"
         "<Image id=\"a\" path=\"b.png\"/>\n",
         "Resource already defined.", 5, 2},
        // The record whose later attribute fails stays registered.
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\" anim=\"bounce\"/>\n",
         "Invalid animation type.", 3, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\" anim=\"\"/>\n", "Invalid animation type.", 3,
         1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Font path=\"!sys:DejaVu Sans\"/>\n", "SysFont needs point size", 3,
         1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Font path=\"!sys:DejaVu Sans\" size=\"0\"/>\n",
         "SysFont needs point size", 3, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\"/>\n</Sounds>\n",
         "End 'Sounds' Doesn't Match Start 'Resources'", 4, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\"/>\n</Resources>\n</ResourceManifest>\n"
         "</ResourceManifest>\n",
         "Unexpected End", 6, 1},
        {"<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png", "Unexpected End of File", 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.manifest == nullptr ? "<missing>" : c.manifest);
        std::error_code error;
        fs::remove("bad.xml", error);
        if (c.manifest != nullptr)
            WriteText("bad.xml", c.manifest);
        ResourceManager& manager = NewManager();
        EXPECT_FALSE(manager.ParseResourcesFile("bad.xml"));
        EXPECT_TRUE(manager.HadError());
        const std::string suffix = c.line > 0 ? " on Line " + std::to_string(c.line) + " in File 'bad.xml'" : "";
        EXPECT_EQ(manager.GetErrorText(), c.text + suffix);
        EXPECT_EQ(manager.mParser, nullptr);
        EXPECT_EQ(manager.mImages.size() + manager.mSounds.size() + manager.mFonts.size(), c.records);
        // Every listed record is one the maps hold (the manager frees each exactly once).
        for (const auto& [group, list] : manager.mGroups) {
            for (const ResourceManager::BaseRes* record : list) {
                const ResourceManager::ResMap& map = record->mType == ResourceManager::RES_IMAGE   ? manager.mImages
                                                     : record->mType == ResourceManager::RES_SOUND ? manager.mSounds
                                                                                                   : manager.mFonts;
                const auto found = map.find(record->mId);
                ASSERT_NE(found, map.end());
                EXPECT_EQ(found->second.get(), record);
            }
        }
    }
}

TEST_F(ResourceManifestTest, TheFirstErrorStaysAndATruncatedManifestKeepsWhatItRead)
{
    // The XML parser does not report tags left open at the end of the input.
    WriteText("truncated.xml",
              "<ResourceManifest>\n<Resources id=\"a\">\n<Image path=\"a.png\"/>\n<Image path=\"b.png\">");
    WriteText("bad.xml",
              "<ResourceManifest>\n<Resources id=\"b\">\n<Image path=\"c.png\"/>\n<Image path=\"c.png\"/>\n");
    WriteText("good.xml",
              "<ResourceManifest><Resources id=\"c\"><Image path=\"d.png\"/></Resources></ResourceManifest>");
    ResourceManager& manager = NewManager();
    EXPECT_TRUE(manager.ParseResourcesFile("truncated.xml"));
    EXPECT_EQ(manager.mGroups["a"].size(), 2u);

    const std::string firstError = "Resource already defined. on Line 4 in File 'bad.xml'";
    EXPECT_FALSE(manager.ParseResourcesFile("bad.xml"));
    EXPECT_EQ(manager.GetErrorText(), firstError);
    // Parsing never clears the error: a good manifest still adds its records but reports it.
    EXPECT_FALSE(manager.ParseResourcesFile("good.xml"));
    EXPECT_EQ(manager.GetErrorText(), firstError);
    EXPECT_EQ(manager.mImages.count("d"), 1u);
    EXPECT_EQ(ThrownText([&] { manager.GetImageOrThrow("d"); }), firstError);
    // Starting a load clears it.
    manager.StartLoadResources("c");
    EXPECT_FALSE(manager.HadError());
    EXPECT_EQ(manager.GetErrorText(), "");
}

// ---- Loading ------------------------------------------------------------------------------

using ResourceLoadingTest = ResourceTest;

TEST_F(ResourceLoadingTest, AGroupLoadsTheSameWholeOrStepByStepFromLooseFilesAndFromAnArchive)
{
    StartDisplay();
    const fs::path content = mFolder.Path() / "content";
    ASSERT_NO_FATAL_FAILURE(WritePicture(content / "images/a.png", 8, 6, Pattern(1, 8, 6)));
    ASSERT_NO_FATAL_FAILURE(WritePicture(content / "images/b.png", 5, 5, Pattern(2, 5, 5)));
    std::vector<uint32_t> translucent = Pattern(3, 4, 3);
    for (size_t i = 0; i < translucent.size(); ++i)
        translucent[i] = (translucent[i] & 0xFFFFFF) | static_cast<uint32_t>(i * 20) << 24;
    ASSERT_NO_FATAL_FAILURE(WritePicture(content / "images/sub/c.png", 4, 3, translucent));
    WriteText(content / "properties/resources.xml",
              "<ResourceManifest>\n<Resources id=\"Game\">\n"
              "<SetDefaults path=\"images\" idprefix=\"IMAGE_\"/>\n"
              "<Image id=\"A\" path=\"a.png\"/>\n"
              "<Image id=\"CANVAS\" path=\"!program\"/>\n"
              "<Image id=\"B\" path=\"b.png\" nopal />\n"
              "<Sound id=\"CLICK\" path=\"click.ogg\"/>\n"
              "<Image id=\"C\" path=\"sub/c.png\"/>\n"
              "</Resources>\n</ResourceManifest>\n");
    const std::map<std::string, std::vector<uint32_t>> expected = {
        {"IMAGE_A", Pattern(1, 8, 6)}, {"IMAGE_B", Pattern(2, 5, 5)}, {"IMAGE_C", translucent}};

    // The content lies below "content", read as the working folder; the archive holds the
    // same tree.
    fs::current_path(content);
    const fs::path archive = mFolder.Path() / "content.pak";
    ASSERT_TRUE(Pack(content, archive));

    for (const bool fromArchive : {false, true}) {
        if (fromArchive) {
            // Without the loose files only the archive can supply them.
            fs::remove_all(content / "images");
            fs::remove_all(content / "properties");
            ASSERT_TRUE(Zest::gPakInterface->AddPakFile(archive.string()));
        }
        for (const bool stepByStep : {false, true}) {
            SCOPED_TRACE(std::string(fromArchive ? "archive" : "loose files") +
                         (stepByStep ? ", step by step" : ", whole"));
            ResourceManager& manager = NewManager();
            EXPECT_FALSE(manager.LoadNextResource());
            ASSERT_TRUE(manager.ParseResourcesFile("properties/resources.xml")) << manager.GetErrorText();
            EXPECT_EQ(manager.GetNumResources("Game"), 4);
            if (stepByStep) {
                manager.StartLoadResources("Game");
                int steps = 0;
                while (manager.LoadNextResource())
                    ++steps;
                EXPECT_EQ(steps, 4);
                EXPECT_FALSE(manager.HadError()) << manager.GetErrorText();
                EXPECT_EQ(manager.mLoadedGroupSet.count("Game"), 0u);
            } else {
                EXPECT_TRUE(manager.LoadResources("Game")) << manager.GetErrorText();
                EXPECT_EQ(manager.mLoadedGroupSet.count("Game"), 1u);
            }
            // Palettised unless "nopal" (reading the pixels back undoes it).
            EXPECT_NE(ImageRecord("IMAGE_A")->mImage.GetDDImage()->mColorIndices, nullptr);
            EXPECT_EQ(ImageRecord("IMAGE_B")->mImage.GetDDImage()->mColorIndices, nullptr);
            for (const auto& [id, pixels] : expected) {
                Zest::Image* const image = manager.GetImageOrThrow(id);
                ASSERT_NE(image, nullptr) << id;
                EXPECT_EQ(PixelsOf(image), pixels) << id;
            }
            EXPECT_EQ(manager.GetImageOrThrow("IMAGE_C").GetImage()->mWidth, 4);
            EXPECT_FALSE(IsImageLoaded("IMAGE_CANVAS"));
            // The sound manager of a silent run takes the sound without playing it.
            EXPECT_GE(manager.GetSoundIdOrThrow("IMAGE_CLICK"), 0);

            mManager.reset();
            SweepSharedImages();
            EXPECT_TRUE(mApp->mSharedImages.empty());
        }
    }
    fs::current_path(mFolder.Path());
}

TEST_F(ResourceLoadingTest, AGroupWhoseThirdResourceFailsKeepsTheFirstTwoAndNamesTheThird)
{
    StartDisplay();
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/a.png", 3, 2, Pattern(1, 3, 2)));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/b.png", 3, 2, Pattern(2, 3, 2)));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/c.png", 4, 4, Pattern(3, 4, 4)));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/d.png", 3, 2, Pattern(4, 3, 2)));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/small.png", 3, 3, Pattern(5, 3, 3)));
    WriteText("images/garbage.png", "\x89PNG\r\n\x1a\nnot a picture at all");
    WriteText("fonts/bad.txt", "CreateLayer Main;\nNoSuchCommand 1;\n");

    struct Case {
        const char* element;
        const char* text;
    };
    const Case cases[] = {
        {"<Image id=\"THIRD\" path=\"images/missing.png\"/>", "Failed to load image: images/missing.png"},
        {"<Image id=\"THIRD\" path=\"images/garbage.png\"/>", "Failed to load image: images/garbage.png"},
        {"<Image id=\"THIRD\" path=\"images/c.png\" alphaimage=\"images/none.png\"/>",
         "Failed to load image: images/none.png"},
        {"<Image id=\"THIRD\" path=\"images/c.png\" alphaimage=\"images/small.png\"/>",
         "AlphaImage size mismatch between images/c.png and images/small.png"},
        {"<Image id=\"THIRD\" path=\"images/c.png\" alphagrid=\"images/none.png\"/>",
         "Failed to load image: images/none.png"},
        {"<Image id=\"THIRD\" path=\"images/c.png\" rows=\"2\" cols=\"2\" alphagrid=\"images/small.png\"/>",
         "GridAlphaImage size mismatch between images/c.png and images/small.png"},
        {"<Font id=\"THIRD\" path=\"fonts/missing.txt\"/>", "Failed to load font: fonts/missing.txt"},
        {"<Font id=\"THIRD\" path=\"fonts/bad.txt\"/>", "Failed to load font: fonts/bad.txt"},
        {"<Font id=\"THIRD\" path=\"fonts/widths.txt\" image=\"fonts/missing.png\"/>",
         "Failed to load image: fonts/missing.png"},
        // The picture was loaded and goes again with the font that failed.
        {"<Font id=\"THIRD\" path=\"fonts/missing.txt\" image=\"images/c.png\"/>",
         "Failed to load font: fonts/missing.txt"},
        {"<Font id=\"THIRD\" path=\"!ref:NOPE\"/>", "Ref font not found: NOPE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        // A picture made by a failed load must not serve the next case.
        mManager.reset();
        SweepSharedImages();
        ResourceManager& manager = ParseGroups({{"G", std::string("<Image id=\"A\" path=\"images/a.png\"/>\n"
                                                                  "<Image id=\"B\" path=\"images/b.png\"/>\n") +
                                                          c.element + "\n<Image id=\"D\" path=\"images/d.png\"/>\n"}});
        EXPECT_FALSE(manager.LoadResources("G"));
        EXPECT_EQ(manager.GetErrorText(), c.text);
        EXPECT_TRUE(IsImageLoaded("A"));
        EXPECT_TRUE(IsImageLoaded("B"));
        EXPECT_FALSE(IsImageLoaded("D"));
        EXPECT_EQ(manager.FindLoadedFont("THIRD"), nullptr);
        EXPECT_EQ(manager.mLoadedGroupSet.count("G"), 0u);
        // The first error stays: an accessor that fails afterwards throws with it.
        EXPECT_EQ(ThrownText([&] { manager.GetImageOrThrow("D"); }), c.text);

        // Step by step, the loaded records are passed over and the third fails at once.
        manager.StartLoadResources("G");
        EXPECT_FALSE(manager.LoadNextResource());
        EXPECT_TRUE(manager.HadError());
        EXPECT_EQ(manager.GetErrorText(), c.text);
        EXPECT_FALSE(manager.LoadNextResource());
    }
    mManager.reset();
    SweepSharedImages();
}

TEST_F(ResourceLoadingTest, LoadingAgainLoadsNothingAndUnloadedGroupsLoadAnew)
{
    StartDisplay();
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/a.png", 3, 2, Pattern(1, 3, 2)));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/b.png", 2, 2, Pattern(2, 2, 2)));
    ResourceManager& manager = ParseGroups({{"G", "<Image id=\"A\" path=\"images/a.png\"/>\n"
                                                  "<Image id=\"CANVAS\" path=\"!program\"/>\n"},
                                            {"H", "<Image id=\"B\" path=\"images/b.png\"/>\n"}});
    ASSERT_TRUE(manager.LoadResources("G"));
    Zest::Image* const first = manager.GetImageOrThrow("A");

    // A second load finds nothing to do.
    EXPECT_TRUE(manager.LoadResources("G"));
    EXPECT_EQ(static_cast<Zest::Image*>(manager.GetImageOrThrow("A")), first);
    manager.StartLoadResources("G");
    EXPECT_FALSE(manager.LoadNextResource());
    EXPECT_FALSE(manager.HadError());

    // A program-made picture and another group's picture are not loaded.
    EXPECT_EQ(ThrownText([&] { manager.GetImageOrThrow("CANVAS"); }), "Image resource not found: CANVAS");
    EXPECT_EQ(ThrownText([&] { manager.GetImageOrThrow("B"); }), "Image resource not found: CANVAS");
    const struct {
        std::function<void()> access;
        const char* text;
    } accessors[] = {
        {[&] { manager.GetImageOrThrow("NOPE"); }, "Image resource not found: NOPE"},
        {[&] { manager.GetSoundIdOrThrow("A"); }, "Sound resource not found: A"},
        {[&] { manager.GetFontOrThrow("A"); }, "Font resource not found: A"},
    };
    for (const auto& accessor : accessors) {
        manager.StartLoadResources("G");
        EXPECT_EQ(ThrownText(accessor.access), accessor.text);
    }

    // Unloading takes the group out; its records stay and load again.
    manager.DeleteResources("G");
    EXPECT_EQ(manager.mLoadedGroupSet.count("G"), 0u);
    EXPECT_FALSE(IsImageLoaded("A"));
    EXPECT_EQ(manager.mImages.size(), 3u);
    SweepSharedImages();
    EXPECT_TRUE(mApp->mSharedImages.empty());
    ASSERT_TRUE(manager.LoadResources("G"));
    EXPECT_EQ(PixelsOf(manager.GetImageOrThrow("A")), Pattern(1, 3, 2));
    EXPECT_FALSE(IsImageLoaded("B"));

    // A group the manifest does not name loads nothing, successfully.
    EXPECT_TRUE(manager.LoadResources("Nope"));
    EXPECT_EQ(manager.mLoadedGroupSet.count("Nope"), 1u);

    // An empty group id unloads every record of a kind.
    ASSERT_TRUE(manager.LoadResources("H"));
    manager.DeleteMap(manager.mImages, "");
    EXPECT_FALSE(IsImageLoaded("A"));
    EXPECT_FALSE(IsImageLoaded("B"));
}

TEST_F(ResourceLoadingTest, AnImageSharedByTwoGroupsSurvivesUnloadingOne)
{
    StartDisplay();
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/shared.png", 3, 3, Pattern(7, 3, 3)));
    ResourceManager& manager = ParseGroups({{"Menu", "<Image id=\"MENU_BACK\" path=\"images/shared.png\"/>\n"},
                                            {"Game", "<Image id=\"GAME_BACK\" path=\"images/Shared.PNG\"/>\n"}});
    ASSERT_TRUE(manager.LoadResources("Menu"));
    ASSERT_TRUE(manager.LoadResources("Game"));
    Zest::Image* const image = manager.GetImageOrThrow("GAME_BACK");
    EXPECT_EQ(static_cast<Zest::Image*>(manager.GetImageOrThrow("MENU_BACK")), image);

    manager.DeleteResources("Menu");
    SweepSharedImages();
    EXPECT_EQ(mApp->mSharedImages.size(), 1u);
    EXPECT_EQ(static_cast<Zest::Image*>(manager.GetImageOrThrow("GAME_BACK")), image);
    EXPECT_EQ(PixelsOf(image), Pattern(7, 3, 3));

    manager.DeleteResources("Game");
    SweepSharedImages();
    EXPECT_TRUE(mApp->mSharedImages.empty());
}

// The application takes a shared picture back at once, but only from its last holder; a
// holder that took it meanwhile keeps it as it is.
TEST_F(ResourceLoadingTest, TheApplicationTakesBackASharedPictureOnlyFromItsLastHolder)
{
    StartDisplay();
    bool created = false;
    Zest::SharedImageRef made = mApp->AcquireSharedImage("!Canvas", "", &created);
    ASSERT_TRUE(created);
    Zest::SharedImageRef taken = mApp->AcquireSharedImage("!CANVAS", "", &created);
    Zest::MemoryImage* const picture = taken.GetDDImage();
    ASSERT_NE(picture, nullptr);
    picture->Create(3, 2);

    mApp->DiscardSharedImage(made);
    EXPECT_EQ(made.GetImage(), nullptr);
    EXPECT_EQ(mApp->mSharedImages.size(), 1u);
    EXPECT_EQ(taken.GetDDImage(), picture);
    EXPECT_EQ(picture->mWidth, 3);

    mApp->DiscardSharedImage(taken);
    EXPECT_TRUE(mApp->mSharedImages.empty());
}

TEST_F(ResourceLoadingTest, ImageSettingsAndAlphaPicturesReachTheLoadedImage)
{
    StartDisplay();
    // A 4 x 2 picture of two 2 x 2 cels, the alpha picture of the whole, and one cel's.
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/strip.png", 4, 2, Pattern(1, 4, 2)));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/strip_alpha.png", 4, 2, BlueChannel({0, 10, 20, 30, 40, 50, 60, 70})));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/cel_alpha.png", 2, 2, BlueChannel({1, 2, 3, 4})));
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/whole_alpha.png", 4, 2, BlueChannel({9, 8, 7, 6, 5, 4, 3, 2})));
    // A file of an alpha picture alone ("_name") becomes a picture in the alpha colour.
    ASSERT_NO_FATAL_FAILURE(WritePicture("images/_mask.png", 2, 1, BlueChannel({0x80, 0xFF})));
    ResourceManager& manager = ParseGroups(
        {{"G", "<Image id=\"MERGED\" path=\"images/strip.png\" alphaimage=\"images/strip_alpha.png\" nopal"
               " a4r4g4b4 a8r8g8b8 minsubdivide />\n"
               "<Image id=\"GRID\" path=\"images/strip.png\" variant=\"grid\" cols=\"2\""
               " alphagrid=\"images/cel_alpha.png\""
               " anim=\"loop\" framedelay=\"4\" nopal />\n"
               // No rows and no columns: one cel, the size of the whole picture.
               "<Image id=\"FLAT\" path=\"images/strip.png\" variant=\"flat\" rows=\"0\" cols=\"-1\""
               " alphagrid=\"images/whole_alpha.png\" nobits nopal />\n"
               "<Image id=\"MASK\" path=\"images/mask.png\" alphacolor=\"123456\" />\n"
               // Only an opaque picture may live in a display surface.
               "<Image id=\"SURFACE\" path=\"images/strip.png\" variant=\"surface\" ddsurface nopal />\n"
               "<Image id=\"TRANSLUCENT\" path=\"images/strip.png\" variant=\"translucent\""
               " alphaimage=\"images/strip_alpha.png\" ddsurface nopal />\n"}});
    ASSERT_TRUE(manager.LoadResources("G")) << manager.GetErrorText();
    EXPECT_EQ(ImageLib::gAlphaComposeColor, 0xFFFFFFu);

    const auto alphas = [&](const char* id) {
        std::vector<uint32_t> result;
        for (const uint32_t pixel : PixelsOf(manager.GetImageOrThrow(id)))
            result.push_back(pixel >> 24);
        return result;
    };
    const auto colours = [&](const char* id) {
        std::vector<uint32_t> result;
        for (const uint32_t pixel : PixelsOf(manager.GetImageOrThrow(id)))
            result.push_back(pixel & 0xFFFFFF);
        return result;
    };
    std::vector<uint32_t> stripColours;
    for (const uint32_t pixel : Pattern(1, 4, 2))
        stripColours.push_back(pixel & 0xFFFFFF);
    EXPECT_EQ(alphas("MERGED"), (std::vector<uint32_t>{0, 10, 20, 30, 40, 50, 60, 70}));
    EXPECT_EQ(colours("MERGED"), stripColours);
    EXPECT_EQ(alphas("GRID"), (std::vector<uint32_t>{1, 2, 1, 2, 3, 4, 3, 4}));
    EXPECT_EQ(colours("GRID"), stripColours);
    EXPECT_EQ(alphas("FLAT"), (std::vector<uint32_t>{9, 8, 7, 6, 5, 4, 3, 2}));
    EXPECT_EQ(PixelsOf(manager.GetImageOrThrow("MASK")), (std::vector<uint32_t>{0x80123456u, 0xFF123456u}));

    Zest::MemoryImage* const merged = ImageRecord("MERGED")->mImage.GetDDImage();
    EXPECT_EQ(merged->mTextureFlags, 4 | 8 | 1);
    EXPECT_TRUE(merged->mHasAlpha);
    EXPECT_EQ(merged->mAnimInfo, nullptr);
    EXPECT_FALSE(merged->mPurgeBits);
    Zest::MemoryImage* const grid = ImageRecord("GRID")->mImage.GetDDImage();
    EXPECT_EQ(grid->mNumRows, 1);
    EXPECT_EQ(grid->mNumCols, 2);
    EXPECT_EQ(grid->mTextureFlags, 0);
    ASSERT_NE(grid->mAnimInfo, nullptr);
    EXPECT_EQ(grid->mAnimInfo->mAnimType, Zest::AnimInfo::ANIM_LOOP);
    EXPECT_EQ(grid->mAnimInfo->mNumCels, 2);
    EXPECT_EQ(grid->mAnimInfo->mTotalAnimTime, 8);
    Zest::MemoryImage* const flat = ImageRecord("FLAT")->mImage.GetDDImage();
    EXPECT_EQ(flat->mNumRows, 1);
    EXPECT_EQ(flat->mNumCols, 1);
    EXPECT_TRUE(flat->mPurgeBits);
    for (const auto& [id, wantsSurface] : {std::pair{"SURFACE", true}, std::pair{"TRANSLUCENT", false}}) {
        auto* const image = dynamic_cast<Zest::DDImage*>(ImageRecord(id)->mImage.GetDDImage());
        ASSERT_NE(image, nullptr) << id;
        EXPECT_EQ(image->mWantDDSurface, wantsSurface) << id;
        EXPECT_EQ(image->mPurgeBits, wantsSurface) << id;
    }
    EXPECT_EQ(PixelsOf(manager.GetImageOrThrow("SURFACE")), Pattern(1, 4, 2));
}

TEST_F(ResourceLoadingTest, FontsLoadByIdFromDescriptionsPicturesSystemFacesAndReferences)
{
    StartDisplay();
    ASSERT_NO_FATAL_FAILURE(WritePicture("fonts/glyphs.png", 6, 4, GlyphSheet()));
    WriteText("fonts/title.txt", kFontDescription);
    ASSERT_NO_FATAL_FAILURE(WritePicture("fonts/legacy.png", 6, 4, GlyphSheet()));
    // Space width and ascent, then each character and its width, glyphs side by side.
    WriteText("fonts/legacy.txt", "3 4\nA 4\nB 2\n");
    ResourceManager& manager = ParseGroups(
        {{"Fonts", "<Font id=\"TITLE\" path=\"fonts/title.txt\"/>\n"
                   "<Font id=\"LEGACY\" path=\"fonts/legacy.txt\" image=\"fonts/legacy.png\"/>\n"
                   "<Font id=\"SANS\" path=\"!sys:DejaVu Sans\" size=\"12\" bold shadow />\n"
                   "<Font id=\"TAGGED\" path=\"!ref:TITLE\" tags=\" Big,\r\n\tOutline  Big \"/>\n"}});
    ASSERT_TRUE(manager.LoadResources("Fonts")) << manager.GetErrorText();

    auto* const title = dynamic_cast<Zest::ImageFont*>(manager.GetFontOrThrow("TITLE"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->StringWidth("AB"), 8);
    EXPECT_EQ(manager.FindLoadedFont("TITLE"), title);

    auto* const legacy = dynamic_cast<Zest::ImageFont*>(manager.GetFontOrThrow("LEGACY"));
    ASSERT_NE(legacy, nullptr);
    EXPECT_EQ(legacy->StringWidth("AB "), 9);
    const auto* legacyRecord = static_cast<const ResourceManager::FontRes*>(manager.mFonts["LEGACY"].get());
    ASSERT_NE(legacyRecord->mImage, nullptr);
    EXPECT_EQ(legacyRecord->mImage->mWidth, 6);

    auto* const sans = dynamic_cast<Zest::SysFont*>(manager.GetFontOrThrow("SANS"));
    ASSERT_NE(sans, nullptr);
    EXPECT_TRUE(sans->mDrawShadow);
    EXPECT_FALSE(sans->mSimulateBold);
    EXPECT_GT(sans->StringWidth("Sans"), 0);

    // A reference is a copy of the loaded font sharing its data; the tags go to the copy only,
    // each word once, and the copy is prepared.
    auto* const tagged = dynamic_cast<Zest::ImageFont*>(manager.GetFontOrThrow("TAGGED"));
    ASSERT_NE(tagged, nullptr);
    EXPECT_NE(tagged, title);
    EXPECT_EQ(tagged->mFontData, title->mFontData);
    EXPECT_EQ(tagged->mTagVector, (std::vector<std::string>{"BIG", "OUTLINE"}));
    EXPECT_TRUE(tagged->mActiveListValid);
    EXPECT_TRUE(title->mTagVector.empty());

    manager.DeleteResources("Fonts");
    EXPECT_EQ(manager.FindLoadedFont("TITLE"), nullptr);
    EXPECT_EQ(legacyRecord->mImage, nullptr);
    EXPECT_EQ(ThrownText([&] { manager.GetFontOrThrow("TAGGED"); }), "Font resource not found: TAGGED");
    ASSERT_TRUE(manager.LoadResources("Fonts")) << manager.GetErrorText();
    EXPECT_NE(manager.FindLoadedFont("TAGGED"), nullptr);
    EXPECT_TRUE(mBoxes.empty());
}

} // namespace

namespace {

// A 16-bit mono WAV file of `frames` samples at 22050 Hz.
std::string SmallWav(const int frames)
{
    std::string bytes;
    const auto put32 = [&bytes](const uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto put16 = [&bytes](const uint16_t value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>(value >> 8);
    };
    bytes += "RIFF";
    put32(36 + frames * 2);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(22050);
    put32(22050 * 2);
    put16(2);
    put16(16);
    bytes += "data";
    put32(frames * 2);
    for (int i = 0; i < frames; ++i)
        put16(static_cast<uint16_t>(i * 300));
    return bytes;
}

// With sound on, a group's sounds get ids from the sound manager, and a sound that cannot be
// read fails its group with its own message.
TEST_F(ResourceLoadingTest, SoundsLoadIntoTheSoundManagerAndAMissingOneFailsItsGroup)
{
    mApp->mNoSound = false;
    StartDisplay();
    ASSERT_NE(mApp->mSoundManager, nullptr);
    Tests::WriteBytes(fs::absolute("sounds/chime.wav"), SmallWav(2205));
    ResourceManager& manager = ParseGroups({{"Good", "<SetDefaults path=\"sounds\" idprefix=\"SOUND_\"/>\n"
                                                     "<Sound id=\"CHIME\" path=\"chime\" volume=\"0.5\"/>\n"},
                                            {"Bad", "<Sound id=\"GONE\" path=\"sounds/gone\"/>\n"}});
    ASSERT_TRUE(manager.LoadResources("Good")) << manager.GetErrorText();
    const int chime = manager.GetSoundIdOrThrow("SOUND_CHIME");
    EXPECT_GE(chime, 0);
    EXPECT_NE(mApp->mSoundManager->GetSoundInstance(chime), nullptr);

    EXPECT_FALSE(manager.LoadResources("Bad"));
    EXPECT_EQ(manager.GetErrorText(), "Failed to load sound: sounds/gone");

    // Unloading gives the id back to the sound manager.
    manager.DeleteResources("Good");
    EXPECT_EQ(mApp->mSoundManager->GetSoundInstance(chime), nullptr);
}

} // namespace
