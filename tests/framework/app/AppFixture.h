#pragma once
// The application tests' fixture: a fresh folder that holds the working folder and the
// XDG data, settings and runtime folders (so that parallel test processes never share a
// single-instance lock), SDL's dummy drivers, a clock the test drives by hand (sleeping
// only moves it on) and message boxes recorded instead of shown.
//
// TestApp is an application that keeps the working folder, runs without sound, leaves the
// test program's command line alone and counts the hooks the main loop calls.

#include "framework/app/ZestAppBase.h"
#include "platform/win32/Clock.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"
#include "tests/framework/resources/PakTestSupport.h"
#include "tests/platform/win32/FakeClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
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

} // namespace Tests
