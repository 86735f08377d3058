// A small application on the framework: an 800x600 window with a board, a loading bar
// filled while the loading thread loads the probe's resource group (pictures and fonts,
// which the board then draws), and a button that counts its clicks. It shows that
// start-up, the main loop, the window procedure, the loading handover and shutdown work
// together, headless or in a real window.
// Usage: app_probe [-seconds=N] [-musicvolume=V] [-fullscreen] [-moveto=X,Y] [-report]
//
// With -seconds it shuts itself down after that long; without, it runs until its window is
// closed. It prints "loaded" when loading has been handed over, "clicked N" for every
// click on the button and "shut down" at the end; the run statistics go to the debug
// output (stderr). A second copy started beside a running one wakes that one and exits.
// Its settings persist between runs: -musicvolume and -fullscreen change them, -moveto
// moves the window once it is open, and -report prints the settings read at start-up.

#include "framework/app/ZestAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Process.h"
#include "platform/win32/Threads.h"
#include "platform/win32/Window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace Zest;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kButtonId = 1;

// The background: a title, the loading bar and what the application has seen so far.
class ProbeBoard : public Widget {
public:
    explicit ProbeBoard(ZestAppBase* app) : mApp(app) {}

    void Update() override { MarkDirty(); }

    void Draw(Graphics* g) override
    {
        g->SetColor(Color(28, 64, 48));
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetFont(&mTitleFont);
        g->SetColor(Color(236, 244, 220));
        g->DrawString("GreenAtlas framework probe", 40, 70);

        const int barWidth = mWidth - 80;
        g->SetColor(Color(14, 32, 24));
        g->FillRect(40, 110, barWidth, 24);
        g->SetColor(Color(120, 200, 90));
        g->FillRect(40, 110, static_cast<int>(barWidth * mApp->GetLoadingProgress()), 24);

        g->SetFont(&mTextFont);
        g->SetColor(Color(236, 244, 220));
        g->DrawString("Updates: " + std::to_string(mApp->mFixedUpdateCount), 40, 170);
        g->DrawString("Frames: " + std::to_string(mApp->mPresentCount.load()), 40, 196);
        g->DrawString(mStatus, 40, 222);
        if (mLoaded)
            DrawResources(g);
    }

    // The loaded group: the pictures along the bottom, a caption in each of its fonts.
    void DrawResources(Graphics* g)
    {
        ResourceManager& resources = *mApp->mResourceManager;
        Image* tiles = resources.GetImageOrThrow("IMAGE_TILES");
        const int tileWidth = tiles->GetWidth() / tiles->mNumCols;
        const int tileHeight = tiles->GetHeight() / tiles->mNumRows;
        for (int cel = 0; cel < tiles->mNumRows * tiles->mNumCols; ++cel) {
            const Rect tile((cel % tiles->mNumCols) * tileWidth, (cel / tiles->mNumCols) * tileHeight, tileWidth,
                            tileHeight);
            g->DrawImagePart(tiles, 40 + cel * 72, 420, tile);
        }
        g->DrawImage(resources.GetImageOrThrow("IMAGE_LEAF"), 340, 400);
        g->DrawImage(resources.GetImageOrThrow("IMAGE_BADGE"), 460, 400);
        g->SetColor(Color(255, 236, 160));
        g->SetFont(resources.GetFontOrThrow("FONT_TITLE"));
        g->DrawString("Loaded from the manifest", 40, 540);
        g->SetColor(Color(236, 244, 220));
        g->SetFont(resources.GetFontOrThrow("FONT_LABEL"));
        g->DrawString("Tiles, a leaf and a badge", 40, 570);
    }

    bool mLoaded = false;

    std::string mStatus = "Loading...";

private:
    ZestAppBase* mApp;
    SysFont mTitleFont{"DejaVu Sans", 26, true};
    SysFont mTextFont{"DejaVu Sans", 16, false};
};

class AppProbe : public ZestAppBase {
public:
    AppProbe()
    {
        mCompanyName = "GreenAtlas";
        mDataFolderCompany = "GreenAtlas";
        mProductName = "GreenAtlasAppProbe";
        mRegistryKeyName = "GreenAtlas\\AppProbe";
        mWindowTitle = "GreenAtlas framework probe";
        mWidth = kWidth;
        mHeight = kHeight;
        mColorDepth = 32;
    }

    ~AppProbe() override
    {
        if (mBoard != nullptr)
            mWidgetManager->RemoveWidget(mBoard);
        if (mButton != nullptr)
            mWidgetManager->RemoveWidget(mButton);
        delete mButton;
        delete mBoard;
    }

    void Init() override
    {
        ZestAppBase::Init();
        if (mShutDown)
            return;
        mBoard = new ProbeBoard(this);
        mBoard->Resize(0, 0, kWidth, kHeight);
        mWidgetManager->AddWidget(mBoard);
        mButton = new ButtonWidget(kButtonId, this);
        mButton->mLabel = "Click me";
        SysFont font("DejaVu Sans", 18, true);
        mButton->SetFont(&font);
        mButton->Resize((kWidth - 200) / 2, (kHeight - 60) / 2, 200, 60);
        mWidgetManager->AddWidget(mButton);
        mStartTime = Win32::timeGetTime();
        if (mMoveTo)
            Win32::MoveWindow(mMainWindow, mMoveX, mMoveY, kWidth, kHeight, 1);
    }

    void HandleCommandLineParam(const std::string& name, const std::string& value) override
    {
        if (name == "-seconds") {
            mSeconds = std::atoi(value.c_str());
        } else if (name == "-musicvolume") {
            mMusicVolume = std::atof(value.c_str());
        } else if (name == "-fullscreen") {
            mWindowed = false;
        } else if (name == "-moveto") {
            mMoveTo = std::sscanf(value.c_str(), "%d,%d", &mMoveX, &mMoveY) == 2;
        } else if (name == "-report") {
            std::printf("music volume %.2f\nwindowed %s\nwindow at %d,%d\nlast run ended cleanly %s\n", mMusicVolume,
                        mWindowed ? "yes" : "no", mPreferredX, mPreferredY, mLastRunEndedCleanly ? "yes" : "no");
            std::fflush(stdout);
        } else {
            ZestAppBase::HandleCommandLineParam(name, value);
        }
    }

    // Loads the group step by step, slowly enough that the bar is seen to fill.
    void LoadingThreadProc() override
    {
        if (!mResourceManager->ParseResourcesFile("probe_files\\probe.xml")) {
            mLoadingFailed = true;
            return;
        }
        mResourceManager->StartLoadResources("Probe");
        mLoadingTotal = mResourceManager->GetNumResources("Probe");
        while (mResourceManager->LoadNextResource()) {
            ++mLoadingDone;
            Win32::Sleep(40);
        }
        mLoadingFailed = mResourceManager->HadError();
    }

    void OnLoadingThreadCompleted() override
    {
        if (mLoadingFailed)
            ReportResourceError(true);
        mBoard->mLoaded = true;
        mBoard->mStatus = "Loaded. Click the button.";
        std::printf("loaded\n");
        std::fflush(stdout);
    }

    void ButtonClick(const int id) override
    {
        if (id != kButtonId)
            return;
        ++mClicks;
        mButton->mLabel = "Clicked " + std::to_string(mClicks);
        mButton->MarkDirty();
        std::printf("clicked %d\n", mClicks);
        std::fflush(stdout);
    }

    void OnNotifyMessage(const uint32_t wParam, const uint32_t lParam) override
    {
        ZestAppBase::OnNotifyMessage(wParam, lParam);
        std::printf("woken by another copy\n");
        std::fflush(stdout);
    }

    void RunFixedUpdate() override
    {
        ZestAppBase::RunFixedUpdate();
        if (mSeconds > 0 && Win32::timeGetTime() - mStartTime >= static_cast<uint32_t>(mSeconds) * 1000)
            Shutdown();
    }

private:
    int mSeconds = 0;
    bool mMoveTo = false;
    int mMoveX = 0;
    int mMoveY = 0;
    uint32_t mStartTime = 0;
    int mClicks = 0;
    ProbeBoard* mBoard = nullptr;
    ButtonWidget* mButton = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    Win32::SetCommandLine(argc, argv);
    {
        AppProbe app;
        app.Init();
        app.Start();
    }
    std::printf("shut down\n");
    return 0;
}
