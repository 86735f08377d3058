// Reading content through the archive should cost no more than reading loose files: the
// same 50 MB of files are read through the file calls from a pak archive (_Ours) and with
// stdio from disk (_Peer).

#include "framework/resources/PakFile.h"
#include "framework/resources/PakInterface.h"
#include "tests/support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kFileCount = 500;
constexpr size_t kFileSize = 100 * 1024;

// The files, loose and packed, made once for every benchmark of the run.
class Content {
public:
    static const Content& Get()
    {
        static const Content content;
        return content;
    }

    const std::vector<std::string>& Names() const { return mNames; }
    const fs::path& Folder() const { return mFolder.Path(); }

private:
    Content()
    {
        std::mt19937 random(7);
        std::string bytes(kFileSize, '\0');
        for (int i = 0; i < kFileCount; ++i) {
            const std::string name = "images/picture" + std::to_string(i) + ".png";
            for (char& byte : bytes)
                byte = static_cast<char>(random());
            mFolder.Write("loose/" + name, bytes);
            mNames.push_back(name);
        }
        const fs::path archive = mFolder.File("main.pak");
        const std::string command = std::string(PAK_TOOL) + " pack '" + mFolder.File("loose").string() + "' '" +
                                    archive.string() + "'";
        if (std::system(command.c_str()) != 0 || !Zest::gPakInterface->AddPakFile(archive.string()))
            std::abort();
    }

    const Tests::TemporaryFolder mFolder;
    std::vector<std::string> mNames;
};

void BM_ReadFiles_Ours(benchmark::State& state)
{
    const Content& content = Content::Get();
    std::vector<char> buffer(kFileSize);
    for (auto _ : state) {
        for (const std::string& name : content.Names()) {
            Zest::PakFileHandle* file = Zest::PakFOpen(name.c_str(), "rb");
            benchmark::DoNotOptimize(Zest::PakFRead(buffer.data(), 1, static_cast<int>(buffer.size()), file));
            Zest::PakFClose(file);
        }
    }
    state.SetBytesProcessed(state.iterations() * kFileCount * static_cast<int64_t>(kFileSize));
}
BENCHMARK(BM_ReadFiles_Ours)->Unit(benchmark::kMillisecond);

void BM_ReadFiles_Peer(benchmark::State& state)
{
    const Content& content = Content::Get();
    std::vector<std::string> paths;
    for (const std::string& name : content.Names())
        paths.push_back((content.Folder() / "loose" / name).string());
    std::vector<char> buffer(kFileSize);
    for (auto _ : state) {
        for (const std::string& path : paths) {
            FILE* file = std::fopen(path.c_str(), "rb");
            benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
            std::fclose(file);
        }
    }
    state.SetBytesProcessed(state.iterations() * kFileCount * static_cast<int64_t>(kFileSize));
}
BENCHMARK(BM_ReadFiles_Peer)->Unit(benchmark::kMillisecond);

} // namespace
