// Each drawing pair must draw the same picture on both sides, or its benchmark times
// different work: from the same screen, our side and the library's side change the same
// pixels, to within a few levels per channel (the two round differently).

#include "bench/DrawingPairs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace Bench {

// A failure names its case.
void PrintTo(const DrawingCase& drawing, std::ostream* const out)
{
    *out << drawing.mName;
}

} // namespace Bench

namespace {

std::vector<uint32_t> Draw(Bench::DrawingPair& pair, const bool ours)
{
    Bench::ResetScreen();
    if (ours)
        pair.DrawOurs();
    else
        pair.DrawPeer();
    const uint32_t* const pixels = Bench::ScreenPixels();
    return {pixels, pixels + Bench::kScreenWidth * Bench::kScreenHeight};
}

int ChannelDifference(const uint32_t a, const uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(difference));
    }
    return largest;
}

class DrawingPairTest : public testing::TestWithParam<Bench::DrawingCase> {};

TEST_P(DrawingPairTest, BothSidesDrawTheSamePicture)
{
    // Rounding, and the library's different filter and tint arithmetic, move a channel by
    // at most a few levels; a pair that draws other pixels or another picture is far off.
    constexpr int kLevels = 4;
    Bench::ResetScreen();
    const std::vector<uint32_t> before(Bench::ScreenPixels(),
                                       Bench::ScreenPixels() + Bench::kScreenWidth * Bench::kScreenHeight);
    const std::unique_ptr<Bench::DrawingPair> pair = GetParam().mMake();
    const std::vector<uint32_t> ours = Draw(*pair, true);
    const std::vector<uint32_t> peer = Draw(*pair, false);
    int64_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        changed += ours[i] != before[i] ? 1 : 0;
        ASSERT_LE(ChannelDifference(ours[i], peer[i]), kLevels)
            << "pixel (" << i % Bench::kScreenWidth << ", " << i / Bench::kScreenWidth << ")";
    }
    EXPECT_GT(changed, int64_t{10000}) << "the case draws almost nothing";
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawingPairTest, testing::ValuesIn(Bench::DrawingCases()),
                         [](const testing::TestParamInfo<Bench::DrawingCase>& info) {
                             return std::string(info.param.mName);
                         });

} // namespace
