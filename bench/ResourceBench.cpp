// Loading a group of pictures through the resource manager should cost little more than
// decoding them. Two pairs: 300 small synthetic PNG pictures loaded from a pak archive as one
// manifest group, and the pictures of the game's own "Game" group loaded from main.pak as
// its manifest declares them. Ours is all the game's load does for a picture: reading it
// from the archive, decoding it, merging its alpha pictures and making the palettised form
// the manifest asks for. The peer decodes the same file bytes from memory with libpng
// alone.

#include "framework/app/ZestAppBase.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/manager/ResourceManager.h"
#include "tests/support/TemporaryFolder.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kPictureCount = 300;
constexpr int kPictureSide = 64;
constexpr char kGroup[] = "Bench";

// An application with a display on the dummy video driver, which keeps the working folder.
class BenchApp : public Zest::ZestAppBase {
public:
    BenchApp()
    {
        mProductName = "ResourceBench";
        mWidth = 320;
        mHeight = 240;
        mColorDepth = 32;
        mNoSound = true;
        mCommandLineParsed = true;
        mStartLoadingThread = false;
    }
    bool ChangeDirectoryHook(const std::string&) override { return true; }
};

// A picture of soft gradients, a few shapes and some noise, so that the files differ in
// content and size the way small game pictures do.
std::unique_ptr<ImageLib::Image> MakePicture(const int index, std::mt19937& random)
{
    std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(kPictureSide, kPictureSide);
    const int centreX = static_cast<int>(random() % kPictureSide);
    const int centreY = static_cast<int>(random() % kPictureSide);
    const int radius = 8 + static_cast<int>(random() % 24);
    for (int y = 0; y < kPictureSide; ++y) {
        for (int x = 0; x < kPictureSide; ++x) {
            const int dx = x - centreX;
            const int dy = y - centreY;
            const bool inside = dx * dx + dy * dy < radius * radius;
            const uint32_t noise = random() % 16;
            const uint32_t red = (x * 4 + index) & 0xFF;
            const uint32_t green = (y * 4 + index * 3) & 0xFF;
            const uint32_t blue = inside ? 0xC0 + noise : (x + y + noise) & 0xFF;
            const uint32_t alpha = inside ? 0xFF : (index % 3 == 0 ? 0x80 + (x & 0x7F) : 0xFF);
            picture->mBits[y * kPictureSide + x] = alpha << 24 | red << 16 | green << 8 | blue;
        }
    }
    return picture;
}

// The manager as the game has it, loading only the pictures of a group: the group's sounds
// are passed over, so that a group of pictures and sounds measures its pictures alone.
class PictureLoader : public Zest::ResourceManager {
public:
    using ResourceManager::ResourceManager;

    // The files the group's pictures are made from, each once as the shared-picture table
    // loads it (by file and variant): the picture and its alpha pictures.
    std::vector<std::string> PictureFiles(const std::string& group)
    {
        std::vector<std::string> files;
        std::set<std::pair<std::string, std::string>> loaded;
        for (const BaseRes* const record : mGroups[group]) {
            if (record->mType != RES_IMAGE)
                continue;
            const auto* const image = static_cast<const ImageRes*>(record);
            if (!loaded.insert({image->mPath, image->mVariant}).second)
                continue;
            for (const std::string* const file : {&image->mPath, &image->mAlphaImage, &image->mAlphaGridImage}) {
                if (!file->empty())
                    files.push_back(*file);
            }
        }
        return files;
    }

protected:
    bool DoLoadSound(SoundRes*) override { return true; }
};

// The two sets of pictures: the synthetic ones and the game's "Game" group.
enum class PictureSet { Synthetic, Game };

// A group of pictures: the manager that loads it, and its files' bytes in memory.
struct PictureGroup {
    std::string mName;
    std::unique_ptr<PictureLoader> mLoader;
    std::vector<std::vector<uint8_t>> mFiles;
};

// The synthetic pictures on disk and in a pak archive, main.pak, the application, and each
// set's group. Made once for every benchmark of the run.
class Content {
public:
    static Content& Get()
    {
        static Content content;
        return content;
    }

    PictureGroup& Group(const PictureSet set) { return set == PictureSet::Synthetic ? mSynthetic : mGame; }
    BenchApp& App() { return *mApp; }

    ~Content()
    {
        mSynthetic.mLoader.reset();
        mGame.mLoader.reset();
        mApp.reset();
        fs::current_path(mOldFolder);
    }

private:
    Content()
    {
        Tests::UseUserFoldersIn(mFolder.Path());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);

        const fs::path loose = mFolder.File("loose");
        fs::create_directories(loose / "images");
        fs::create_directories(loose / "properties");
        std::mt19937 random(11);
        std::string manifest = "<ResourceManifest>\n<Resources id=\"" + std::string(kGroup) + "\">\n";
        for (int i = 0; i < kPictureCount; ++i) {
            char name[32];
            std::snprintf(name, sizeof(name), "images/pic%03d.png", i);
            const std::unique_ptr<ImageLib::Image> picture = MakePicture(i, random);
            if (!ImageLib::WritePNGImage((loose / name).string(), picture.get()))
                Stop("a synthetic picture could not be written");
            manifest += "<Image id=\"PIC" + std::to_string(i) + "\" path=\"" + name + "\" nopal />\n";
        }
        manifest += "</Resources>\n</ResourceManifest>\n";
        Tests::WriteBytes(loose / "properties/bench.xml", manifest);

        // The working folder holds no loose copy, so every picture comes from an archive.
        const fs::path archive = mFolder.File("bench.pak");
        const std::string command =
            std::string(PAK_TOOL) + " pack '" + loose.string() + "' '" + archive.string() + "'";
        if (std::system(command.c_str()) != 0 || !Zest::gPakInterface->AddPakFile(archive.string()))
            Stop("the synthetic pictures could not be packed");
        if (!Zest::gPakInterface->AddPakFile(GREENATLAS_BUILD_DIR "/main.pak"))
            Stop("main.pak is missing from the build folder (build game_content)");
        fs::current_path(mFolder.Path());

        mApp = std::make_unique<BenchApp>();
        mApp->Init();
        if (!mApp->mInitialized)
            Stop("the application did not start");
        mSynthetic = MakeGroup(kGroup, "properties/bench.xml");
        mGame = MakeGroup("Game", "properties/resources_demo.xml");
        if (mSynthetic.mFiles.size() != static_cast<size_t>(kPictureCount))
            Stop("the synthetic group does not hold every picture");
    }

    [[noreturn]] static void Stop(const char* const why)
    {
        std::fprintf(stderr, "ResourceBench: %s\n", why);
        std::abort();
    }

    PictureGroup MakeGroup(const std::string& name, const std::string& manifest)
    {
        PictureGroup group{name, std::make_unique<PictureLoader>(mApp.get()), {}};
        if (!group.mLoader->ParseResourcesFile(manifest) || group.mLoader->GetNumImages(name) == 0)
            Stop(("the manifest " + manifest + " has no pictures in " + name).c_str());
        for (const std::string& file : group.mLoader->PictureFiles(name)) {
            if (!Zest::ReadWholeFile(file.c_str(), &group.mFiles.emplace_back()))
                Stop(("the picture " + file + " cannot be read").c_str());
        }
        return group;
    }

    const Tests::TemporaryFolder mFolder;
    const fs::path mOldFolder = fs::current_path();
    std::unique_ptr<BenchApp> mApp;
    PictureGroup mSynthetic;
    PictureGroup mGame;
};

// The group loaded through the manager and unloaded again.
void BM_PictureGroupLoad_Ours(benchmark::State& state, const PictureSet set)
{
    Content& content = Content::Get();
    PictureGroup& group = content.Group(set);
    for (auto _ : state) {
        if (!group.mLoader->LoadResources(group.mName))
            state.SkipWithError(group.mLoader->GetErrorText().c_str());
        group.mLoader->DeleteResources(group.mName);
        // The shared pictures go as the main loop's sweep frees them, so every pass decodes.
        content.App().ReleaseUnusedSharedImages();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(group.mFiles.size()));
}

// The same files decoded from memory into 32-bit pixels with libpng's simplified reader.
void BM_PictureGroupLoad_Peer(benchmark::State& state, const PictureSet set)
{
    const PictureGroup& group = Content::Get().Group(set);
    for (auto _ : state) {
        for (const std::vector<uint8_t>& file : group.mFiles) {
            png_image image{};
            image.version = PNG_IMAGE_VERSION;
            if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
                state.SkipWithError("not a PNG");
            image.format = PNG_FORMAT_BGRA;
            std::vector<uint32_t> pixels(PNG_IMAGE_SIZE(image) / sizeof(uint32_t));
            if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
                state.SkipWithError(image.message);
            benchmark::DoNotOptimize(pixels.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(group.mFiles.size()));
}

BENCHMARK_CAPTURE(BM_PictureGroupLoad_Ours, synthetic, PictureSet::Synthetic)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureGroupLoad_Peer, synthetic, PictureSet::Synthetic)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureGroupLoad_Ours, game, PictureSet::Game)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureGroupLoad_Peer, game, PictureSet::Game)->Unit(benchmark::kMillisecond);

} // namespace
