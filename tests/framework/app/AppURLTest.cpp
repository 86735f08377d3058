// Web pages and the product version: which addresses may reach the browser, that a
// program gets its argument as one untouched word, the application's pending-page state
// and shutdown after the page is up, and the version of the running executable.

#include "framework/app/common/URLLauncher.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Tests::AppTest;
using Tests::TestApp;

// Replaces the launcher for one test and records what it is handed.
class URLTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Zest::SetURLLauncher([this](const std::string& url) {
            mLaunched.push_back(url);
            return mLaunchAccepted;
        });
    }
    void TearDown() override
    {
        Zest::SetURLLauncher({});
        AppTest::TearDown();
    }

    std::vector<std::string> mLaunched;
    bool mLaunchAccepted = true;
};

TEST(WebURLTest, OnlyHttpAndHttpsAddressesWithAHostAreWebAddresses)
{
    struct Case {
        const char* url;
        bool web;
    };
    const Case cases[] = {
        {"http://example.com", true},
        {"https://example.com/scores?name=a&b=c#top", true},
        {"HTTPS://Example.com", true},
        {"http://a", true},
        {"https://example.com/a;b$c'd", true},
        {"", false},
        {"http://", false},
        {"https:///etc/passwd", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"mailto:someone@example.com", false},
        {"--help", false},
        {"-http://example.com", false},
        {"www.example.com", false},
        {"http:/example.com", false},
        {"http://exa mple.com", false},
        {"http://example.com/\nrm", false},
        {"http://example.com/\t", false},
        {"http://example.com/\x7F", false},
        {"http://caf\xE9.com", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(Zest::IsWebURL(c.url), c.web);
    }
}

TEST_F(URLTest, OnlyWebAddressesReachTheLauncherAndAsTheyAre)
{
    EXPECT_FALSE(Zest::LaunchURL("file:///etc/passwd"));
    EXPECT_FALSE(Zest::LaunchURL("--help"));
    EXPECT_TRUE(mLaunched.empty());
    EXPECT_TRUE(Zest::LaunchURL("HTTPS://example.com/ab"));
    mLaunchAccepted = false;
    EXPECT_FALSE(Zest::LaunchURL("http://example.com"));
    EXPECT_EQ(mLaunched, (std::vector<std::string>{"HTTPS://example.com/ab", "http://example.com"}));
}

TEST_F(URLTest, ProgramGetsItsArgumentAsOneWordThatNoShellRead)
{
    const std::filesystem::path folder = mFolder.Path() / "started";
    std::filesystem::create_directories(folder);
    const std::filesystem::path target = folder / "a;b $(touch injected) 'c' \"d\" `touch e` | f & g";
    ASSERT_TRUE(Zest::StartProgram("touch", {target.string()}));
    // The program runs on its own; wait (in real time) for its file.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(target) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(std::filesystem::exists(target));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{target.filename().string()}));
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "injected"));
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "e"));
}

TEST_F(URLTest, MissingProgramIsNotStarted)
{
    EXPECT_FALSE(Zest::StartProgram("greenatlas-no-such-program", {"http://example.com"}));
}

TEST_F(URLTest, PageBeingOpenedIsHandedOnOnceAndEndsInSuccessOrFailure)
{
    TestApp app;
    EXPECT_TRUE(app.OpenURL("https://example.com/help", false));
    EXPECT_TRUE(app.mOpeningURL);
    EXPECT_EQ(app.mPendingURL, "https://example.com/help");
    EXPECT_TRUE(app.OpenURL("https://example.com/help", false));
    EXPECT_EQ(mLaunched.size(), 1u);
    // Another page is a new request.
    EXPECT_TRUE(app.OpenURL("https://example.com/news", false));
    EXPECT_EQ(mLaunched.size(), 2u);

    app.OnOpenURLSucceeded(app.mPendingURL);
    EXPECT_FALSE(app.mOpeningURL);
    EXPECT_EQ(app.mShutdownCalls, 0);
    // Once it is known to be open, asking again opens it again.
    EXPECT_TRUE(app.OpenURL("https://example.com/news", false));
    EXPECT_EQ(mLaunched.size(), 3u);
    app.OnOpenURLFailed(app.mPendingURL);
    EXPECT_FALSE(app.mOpeningURL);
}

TEST_F(URLTest, RefusedPageFailsAtOnce)
{
    struct Case {
        const char* url;
        bool launcherAccepts;
        size_t launched;
    };
    const Case cases[] = {
        {"file:///etc/passwd", true, 0},
        {"--new-window", true, 0},
        {"http://example.com", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        mLaunched.clear();
        mLaunchAccepted = c.launcherAccepts;
        TestApp app;
        EXPECT_FALSE(app.OpenURL(c.url, true));
        EXPECT_FALSE(app.mOpeningURL);
        EXPECT_EQ(mLaunched.size(), c.launched);
        EXPECT_EQ(app.mShutdownCalls, 0);
    }
}

TEST_F(URLTest, ShutdownFollowsTheOpenedPageWhenAsked)
{
    for (const bool shutdownAfter : {false, true}) {
        SCOPED_TRACE(shutdownAfter);
        TestApp app;
        ASSERT_TRUE(app.OpenURL("http://example.com", shutdownAfter));
        EXPECT_EQ(app.mShutdownCalls, 0);
        app.OnOpenURLSucceeded("http://example.com");
        EXPECT_EQ(app.mShutdownCalls, shutdownAfter ? 1 : 0);
    }
}

TEST_F(URLTest, ProductVersionIsTheRunningExecutablesAndEmptyForOtherFiles)
{
    TestApp app;
    const std::string executable = std::filesystem::canonical("/proc/self/exe").string();
    EXPECT_EQ(app.GetProductVersion(executable), PRODUCT_VERSION);
    EXPECT_EQ(app.mProductVersion, PRODUCT_VERSION);

    const std::filesystem::path plain = mFolder.Path() / "plain.txt";
    std::ofstream(plain) << "no version here";
    EXPECT_EQ(app.GetProductVersion(plain.string()), "");
    EXPECT_EQ(app.GetProductVersion((mFolder.Path() / "missing.exe").string()), "");
}

} // namespace
