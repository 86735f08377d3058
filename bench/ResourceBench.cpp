// Loading a group of pictures through the resource manager should cost little more than
// decoding them: 300 small PNG pictures are loaded from a pak archive as one manifest group
// and unloaded again, and the same files are decoded with libpng alone from memory.

#include "framework/app/ZestAppBase.h"
#include "framework/resources/ImageLib.h"
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
#include <string>
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

// The pictures on disk, in a pak archive, and as file bytes in memory; the application and
// the manager that loads them. Made once for every benchmark of the run.
class Content {
public:
    static Content& Get()
    {
        static Content content;
        return content;
    }

    Zest::ResourceManager& Manager() { return *mManager; }
    BenchApp& App() { return *mApp; }
    const std::vector<std::string>& Files() const { return mFiles; }

    ~Content()
    {
        mManager.reset();
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
                std::abort();
            mFiles.push_back(Tests::ReadBytes(loose / name));
            manifest += "<Image id=\"PIC" + std::to_string(i) + "\" path=\"" + name + "\" nopal />\n";
        }
        manifest += "</Resources>\n</ResourceManifest>\n";
        Tests::WriteBytes(loose / "properties/bench.xml", manifest);

        // The working folder holds no loose copy, so every picture comes from the archive.
        const fs::path archive = mFolder.File("bench.pak");
        const std::string command =
            std::string(PAK_TOOL) + " pack '" + loose.string() + "' '" + archive.string() + "'";
        if (std::system(command.c_str()) != 0 || !Zest::gPakInterface->AddPakFile(archive.string()))
            std::abort();
        fs::current_path(mFolder.Path());

        mApp = std::make_unique<BenchApp>();
        mApp->Init();
        if (!mApp->mInitialized)
            std::abort();
        mManager = std::make_unique<Zest::ResourceManager>(mApp.get());
        if (!mManager->ParseResourcesFile("properties/bench.xml") ||
            mManager->GetNumImages(kGroup) != kPictureCount)
            std::abort();
    }

    const Tests::TemporaryFolder mFolder;
    const fs::path mOldFolder = fs::current_path();
    std::vector<std::string> mFiles;
    std::unique_ptr<BenchApp> mApp;
    std::unique_ptr<Zest::ResourceManager> mManager;
};

void BM_ResourceGroupLoadFromArchive(benchmark::State& state)
{
    Content& content = Content::Get();
    Zest::ResourceManager& manager = content.Manager();
    for (auto _ : state) {
        if (!manager.LoadResources(kGroup))
            state.SkipWithError(manager.GetErrorText().c_str());
        manager.DeleteResources(kGroup);
        // The shared pictures go as the main loop's sweep frees them, so every pass decodes.
        content.App().ReleaseUnusedSharedImages();
    }
    state.SetItemsProcessed(state.iterations() * kPictureCount);
}
BENCHMARK(BM_ResourceGroupLoadFromArchive)->Unit(benchmark::kMillisecond);

void BM_ResourcePngDecodeWithLibpng(benchmark::State& state)
{
    const Content& content = Content::Get();
    for (auto _ : state) {
        for (const std::string& file : content.Files()) {
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
    state.SetItemsProcessed(state.iterations() * kPictureCount);
}
BENCHMARK(BM_ResourcePngDecodeWithLibpng)->Unit(benchmark::kMillisecond);

} // namespace
