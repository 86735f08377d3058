#include "platform/win32/Desktop.h"
#include "platform/win32/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace Win32;

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ResetDesktopSize();
    }
    void TearDown() override { ResetDesktopSize(); }
};

TEST_F(Desktop, SetSizeIsWhatTheSystemMetricsReportUntilReset)
{
    int sdlWidth = 0;
    int sdlHeight = 0;
    ASSERT_TRUE(GetDesktopSize(&sdlWidth, &sdlHeight));
    EXPECT_FALSE(GetSetDesktopSize(nullptr, nullptr));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), sdlWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), sdlHeight);

    ASSERT_TRUE(SetDesktopSize(1280, 800));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(GetSetDesktopSize(&width, &height));
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 800);

    EXPECT_FALSE(SetDesktopSize(0, 800));
    EXPECT_FALSE(SetDesktopSize(1280, -1));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);

    ResetDesktopSize();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), sdlWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), sdlHeight);
}

} // namespace
