// The game's start should feel immediate: from the application's construction to the end of
// loading the resource group "Game" from main.pak (the framework's start-up, the groups
// "Init" and "TitleScreen", the string table, the title screen, then every resource of
// "Game" on the loading thread), headless. The goal is under one second.
//
// A first start also decodes every compressed sound into the sound cache of the
// application-data folder; later starts read the cache. Each is measured from a data folder
// in that state. Its own program, since a process holds one application at a time.

#include "game/GameApp.h"
#include "tests/support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// The game as the player starts it, except that it reads its content from the working
// folder (the build tree's top, where main.pak lies) and leaves the benchmark's own command
// line alone.
class BenchGameApp : public GameApp {
public:
    BenchGameApp() { mCommandLineParsed = true; }
    bool ChangeDirectoryHook(const std::string&) override { return true; }
};

// Temporary XDG folders for the benchmark's whole run, and the build tree as the working
// folder.
class Folders {
public:
    static Folders& Get()
    {
        static Folders folders;
        return folders;
    }

    // The data folder as a player's first start finds it: no sound cache.
    void ForgetData()
    {
        const fs::path data = mRoot.File("data");
        fs::remove_all(data);
        fs::create_directories(data);
    }

    ~Folders() { fs::current_path(mOldFolder); }

private:
    Folders()
    {
        Tests::UseUserFoldersIn(mRoot.Path());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        fs::current_path(GREENATLAS_BUILD_DIR);
    }

    const Tests::TemporaryFolder mRoot;
    const fs::path mOldFolder = fs::current_path();
};

// Starts the game and waits for the loading thread; the application is handed back so that
// its destruction is not measured.
std::unique_ptr<BenchGameApp> StartAndLoad(benchmark::State& state)
{
    auto app = std::make_unique<BenchGameApp>();
    app->Init();
    if (app->mShutDown) {
        state.SkipWithError("the game did not start");
        return app;
    }
    app->StartLoadingThread();
    app->WaitForLoadingThread();
    if (app->mLoadingFailed || app->mLoadingDone != app->mLoadingTotal)
        state.SkipWithError("loading \"Game\" failed");
    return app;
}

void BM_StartToGameLoaded(benchmark::State& state)
{
    const bool firstStart = state.range(0) == 1;
    Folders& folders = Folders::Get();
    // One start before the measured ones fills the cache that later starts read.
    if (!firstStart)
        StartAndLoad(state);
    for (auto _ : state) {
        if (firstStart) {
            state.PauseTiming();
            folders.ForgetData();
            state.ResumeTiming();
        }
        std::unique_ptr<BenchGameApp> app = StartAndLoad(state);
        state.PauseTiming();
        app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToGameLoaded)
    ->ArgName("first_start")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
