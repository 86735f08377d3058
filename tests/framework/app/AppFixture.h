#pragma once
// The application tests' fixture: a fresh folder that holds the working folder and the
// XDG data, settings and runtime folders (so that parallel test processes never share a
// single-instance lock), SDL's dummy drivers, a clock the test drives by hand (sleeping
// only moves it on) and message boxes recorded instead of shown.
//
// TestApp is an application that keeps the working folder, runs without sound, leaves the
// test program's command line alone and counts the hooks the main loop calls.

#include "framework/app/ZestAppBase.h"
#include "platform/ddraw/StandInControls.h"
#include "platform/win32/Library.h"
#include "platform/win32/Clock.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"
#include "tests/framework/resources/PakTestSupport.h"
#include "tests/platform/win32/FakeClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Tests {

class TestApp : public Zest::ZestAppBase {
public:
    TestApp()
    {
        mProductName = "AppTestProduct";
        mWidth = 320;
        mHeight = 240;
        mColorDepth = 32;
        mNoSound = true;
        // The test program's own arguments are not the application's.
        mCommandLineParsed = true;
    }

    bool ChangeDirectoryHook(const std::string&) override { return true; }
    void OnLoadingThreadCompleted() override
    {
        ++mLoadingCompletedCalls;
        mLoadingCompletedThread = Win32::GetCurrentThreadId();
    }
    void OnShutdown() override { ++mShutdownCalls; }
    void RunFixedUpdate() override
    {
        ZestAppBase::RunFixedUpdate();
        ++mUpdatesThisFrame;
    }

    int mLoadingCompletedCalls = 0;
    uint32_t mLoadingCompletedThread = 0;
    int mShutdownCalls = 0;
    // Fixed updates since the test last cleared it.
    int mUpdatesThisFrame = 0;
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOldFolder = std::filesystem::current_path();
        const std::filesystem::path root = mFolder.Path();
        std::filesystem::create_directories(root / "data");
        std::filesystem::create_directories(root / "config");
        std::filesystem::create_directories(root / "runtime");
        chmod((root / "runtime").c_str(), 0700);
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::filesystem::current_path(root);
        // Far from 0, which the frame timing reads as "not started".
        mClock.mNanoseconds = 1000000ull * 1000000ull;
        Win32::SetClock(&mClock);
        Win32::SetMessageBoxSink([this](const Win32::MessageBoxRequest& request) {
            mBoxes.push_back(request);
            mBoxThreads.push_back(Win32::GetCurrentThreadId());
            return mBoxAnswer;
        });
    }

    void TearDown() override
    {
        Win32::SetMessageBoxSink({});
        Win32::SetClock(nullptr);
        std::filesystem::current_path(mOldFolder);
    }

    TemporaryFolder mFolder;
    std::filesystem::path mOldFolder;
    FakeClock mClock;
    std::vector<Win32::MessageBoxRequest> mBoxes;
    std::vector<uint32_t> mBoxThreads;
    int mBoxAnswer = Win32::IDOK;
};

// For tests that run Init: the DirectDraw stand-in's controls, reset before and after, and
// the check that no DirectDraw object outlives the application.
class DisplayAppTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mDDraw = Win32::LoadLibraryA("ddraw.dll");
        ASSERT_NE(mDDraw, nullptr) << "ddraw.so is not built";
        const auto controls =
            reinterpret_cast<DDraw::StandInControlsFunc>(Win32::GetProcAddress(mDDraw, "DDrawStandInControls"));
        ASSERT_NE(controls, nullptr);
        mControls = controls();
        mControls->Reset();
    }

    void TearDown() override
    {
        if (mControls != nullptr) {
            EXPECT_EQ(mControls->liveObjects, 0) << "DirectDraw objects outlived the application";
            mControls->Reset();
        }
        if (mDDraw != nullptr)
            Win32::FreeLibrary(mDDraw);
        AppTest::TearDown();
    }

    Win32::HMODULE mDDraw = nullptr;
    DDraw::StandInControls* mControls = nullptr;
};

// Death tests run in the "threadsafe" style, which runs the test again in a fresh copy of
// the program; that copy's fixture makes its own temporary folder, and while this object
// lives it is made inside `parent`, so that it goes with the parent's even though the
// child ends without tearing down.
class ChildTemporaryFolder {
public:
    explicit ChildTemporaryFolder(const std::filesystem::path& parent)
    {
        testing::FLAGS_gtest_death_test_style = "threadsafe";
        if (const char* const old = std::getenv("TMPDIR"))
            mOldTemp = old;
        const std::filesystem::path children = parent / "children";
        std::filesystem::create_directories(children);
        setenv("TMPDIR", children.c_str(), 1);
    }
    ~ChildTemporaryFolder()
    {
        if (mOldTemp)
            setenv("TMPDIR", mOldTemp->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    ChildTemporaryFolder(const ChildTemporaryFolder&) = delete;
    ChildTemporaryFolder& operator=(const ChildTemporaryFolder&) = delete;

private:
    std::optional<std::string> mOldTemp;
};

} // namespace Tests
