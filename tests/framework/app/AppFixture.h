#pragma once
// The application tests' fixture: a fresh folder that holds the working folder and the
// XDG data, settings and runtime folders (so that parallel test processes never share a
// single-instance lock), SDL's dummy drivers, a clock the test drives by hand (sleeping
// only moves it on) and message boxes recorded instead of shown.
//
// TestApp is an application that keeps the working folder, runs without sound, leaves the
// test program's command line alone and counts the hooks the main loop calls.

#include "framework/app/ZestAppBase.h"
#include "framework/resources/PakInterface.h"
#include "platform/ddraw/StandInControls.h"
#include "platform/win32/Library.h"
#include "platform/win32/Clock.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"
#include "tests/platform/win32/FakeClock.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
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
        UseUserFoldersIn(mFolder.Path());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::filesystem::current_path(mFolder.Path());
        // Far from 0, which the frame timing reads as "not started".
        mClock.mNanoseconds = 1000000ull * 1000000ull;
        Win32::SetClock(&mClock);
        Win32::SetMessageBoxSink([this](const Win32::MessageBoxRequest& request) {
            mBoxes.push_back(request);
            mBoxThreads.push_back(Win32::GetCurrentThreadId());
            return mBoxAnswer;
        });
    }

    // Init maps main.pak, and a test may map archives of its own, into the process's archive
    // file system, which keeps them for the life of the process; the next test starts without.
    void TearDown() override
    {
        Zest::gPakInterface->RemovePakFiles();
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
    explicit ChildTemporaryFolder(const std::filesystem::path& parent) : mChildren(MakeChildren(parent)) {}

private:
    static std::filesystem::path MakeChildren(const std::filesystem::path& parent)
    {
        testing::FLAGS_gtest_death_test_style = "threadsafe";
        const std::filesystem::path children = parent / "children";
        std::filesystem::create_directories(children);
        return children;
    }

    const std::filesystem::path mChildren;
    const ScopedEnvironment mTemporaryRoot{"TMPDIR", mChildren.c_str()};
};

// A fixture for runs that end the process, on top of one of the fixtures above: the
// children's temporary folders go inside the test's, and a child writes its message boxes
// to its error output, where the parent matches them.
template <typename Base>
class AppDeathTest : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        mChildren.emplace(this->mFolder.Path());
    }

    void TearDown() override
    {
        mChildren.reset();
        Base::TearDown();
    }

    static void PrintBoxes()
    {
        Win32::SetMessageBoxSink([](const Win32::MessageBoxRequest& request) {
            std::fprintf(stderr, "box caption=[%s] text=[%s]\n", request.caption.c_str(), request.text.c_str());
            return Win32::IDOK;
        });
    }

    std::optional<ChildTemporaryFolder> mChildren;
};

} // namespace Tests
