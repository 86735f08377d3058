// The reference scene drawn on display surfaces of 32 and 16 bits and in software onto an
// opaque picture must look the same: the surface routines and the software drawing are two
// paths to one picture.

#include "framework/directx/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "tests/framework/directx/DisplayFixture.h"
#include "tools/ReferenceScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using Tests::DesktopFormat;
using Tools::ReferenceScene;

struct ChannelLimits {
    // Largest difference allowed per channel, in 8-bit units, and the largest mean.
    int red;
    int green;
    int blue;
    double mean;
};

class CrossPathTest : public Tests::DisplayTest {
protected:
    // The scene in software, onto a picture that starts opaque black.
    std::vector<uint32_t> DrawInSoftware(ReferenceScene& scene)
    {
        Zest::MemoryImage picture(&mApp);
        const std::vector<uint32_t> black(ReferenceScene::kWidth * ReferenceScene::kHeight, 0xFF000000);
        picture.SetBits(black.data(), ReferenceScene::kWidth, ReferenceScene::kHeight, true);
        Zest::Graphics g(&picture);
        scene.Draw(g);
        const uint32_t* bits = picture.GetBits();
        return std::vector<uint32_t>(bits, bits + black.size());
    }

    // The scene on the display's screen image, read back from its surface.
    std::vector<uint32_t> DrawOnDisplay(ReferenceScene& scene, const DesktopFormat& format)
    {
        UseDesktopFormat(format);
        EXPECT_EQ(InitWindowed(), Zest::DDInterface::RESULT_OK) << mDisplay->mErrorString;
        Zest::DDImage* screen = mDisplay->GetScreenImage();
        Zest::Graphics g(screen);
        scene.Draw(g);
        const uint32_t* bits = screen->GetBits();
        if (bits == nullptr)
            return {};
        return std::vector<uint32_t>(bits, bits + ReferenceScene::kWidth * ReferenceScene::kHeight);
    }

    // Compares the two pictures channel by channel outside the rims, each channel of the
    // software picture reduced to the surface's bits first.
    void ExpectAlike(const std::vector<uint32_t>& surface, const std::vector<uint32_t>& software,
                     const ReferenceScene& scene, const int redBits, const int greenBits, const int blueBits,
                     const ChannelLimits& limits)
    {
        ASSERT_EQ(surface.size(), software.size());
        std::vector<bool> rim(software.size(), false);
        for (const Zest::Rect& rect : scene.Rims()) {
            for (int y = rect.mY - 1; y <= rect.mY + rect.mHeight; ++y) {
                for (int x = rect.mX - 1; x <= rect.mX + rect.mWidth; ++x) {
                    const bool border = y <= rect.mY || y >= rect.mY + rect.mHeight - 1 || x <= rect.mX ||
                                        x >= rect.mX + rect.mWidth - 1;
                    if (border && x >= 0 && y >= 0 && x < ReferenceScene::kWidth && y < ReferenceScene::kHeight)
                        rim[static_cast<size_t>(y) * ReferenceScene::kWidth + x] = true;
                }
            }
        }
        const auto reduce = [](const uint32_t channel, const int bits) { return channel & (0xFFu << (8 - bits)) & 0xFF; };
        const int shifts[3] = {16, 8, 0};
        const int bits[3] = {redBits, greenBits, blueBits};
        const int maxima[3] = {limits.red, limits.green, limits.blue};
        int worst[3] = {0, 0, 0};
        size_t worstAt[3] = {0, 0, 0};
        double total = 0;
        size_t compared = 0;
        for (size_t i = 0; i < software.size(); ++i) {
            if (rim[i])
                continue;
            for (int c = 0; c < 3; ++c) {
                const int a = static_cast<int>(reduce((surface[i] >> shifts[c]) & 0xFF, bits[c]));
                const int b = static_cast<int>(reduce((software[i] >> shifts[c]) & 0xFF, bits[c]));
                const int difference = std::abs(a - b);
                total += difference;
                if (difference > worst[c]) {
                    worst[c] = difference;
                    worstAt[c] = i;
                }
            }
            ++compared;
        }
        const char* names[3] = {"red", "green", "blue"};
        for (int c = 0; c < 3; ++c) {
            EXPECT_LE(worst[c], maxima[c]) << names[c] << " differs most at (" << worstAt[c] % ReferenceScene::kWidth
                                           << ", " << worstAt[c] / ReferenceScene::kWidth << "): surface 0x"
                                           << std::hex << surface[worstAt[c]] << ", software 0x"
                                           << software[worstAt[c]];
        }
        EXPECT_LE(total / (3.0 * static_cast<double>(compared)), limits.mean);
    }
};

TEST_F(CrossPathTest, ThirtyTwoBitSurfaceMatchesSoftware)
{
    ReferenceScene scene(&mApp);
    const std::vector<uint32_t> software = DrawInSoftware(scene);
    const std::vector<uint32_t> surface = DrawOnDisplay(scene, Tests::kFormat888);
    ExpectAlike(surface, software, scene, 8, 8, 8, ChannelLimits{3, 3, 3, 1.0});
}

TEST_F(CrossPathTest, FiveSixFiveSurfaceMatchesSoftware)
{
    ReferenceScene scene(&mApp);
    const std::vector<uint32_t> software = DrawInSoftware(scene);
    const std::vector<uint32_t> surface = DrawOnDisplay(scene, Tests::kFormat565);
    ExpectAlike(surface, software, scene, 5, 6, 5, ChannelLimits{16, 8, 16, 4.0});
}

} // namespace
