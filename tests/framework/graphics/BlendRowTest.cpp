// The row routines of the blends, on each instruction-set path the processor runs, against
// the one-pixel operations on the same pictures: random rows (fixed seed) of widths around
// the step sizes, at odd offsets, with runs of transparent and opaque pixels broken by single
// partly transparent ones. And the blits that lean on them: the run-length blit onto an
// opaque destination, and the rotated blit, which must read only its source rectangle
// however it is turned.

#include "framework/graphics/Blend.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"
#include "tests/framework/graphics/RowPathChoice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::DRAWMODE_ADDITIVE;
using Zest::DRAWMODE_NORMAL;
using Zest::MemoryImage;
using Zest::Rect;
using Zest::Blend::RowPath;
using Tests::NameOf;
using Tests::RowPathChoice;
using Tests::RunnableRowPaths;

// How the alphas of a random row are laid out.
enum class AlphaPattern {
    Any,                      // every alpha equally likely
    ClearRunsBrokenByOne,     // transparent runs with a single partly transparent pixel here and there
    OpaqueRunsBrokenByOne,    // the same with opaque runs
    ClearAndOpaqueRuns,       // long runs of both kinds, no partly transparent pixel
    Translucent,              // alphas 1 .. 254 only
    OpaqueAndClearAlternating // every other pixel opaque
};

struct PatternCase {
    const char* mName;
    AlphaPattern mPattern;
};
const PatternCase kPatterns[] = {
    {"any alpha", AlphaPattern::Any},
    {"clear runs broken by one", AlphaPattern::ClearRunsBrokenByOne},
    {"opaque runs broken by one", AlphaPattern::OpaqueRunsBrokenByOne},
    {"clear and opaque runs", AlphaPattern::ClearAndOpaqueRuns},
    {"translucent", AlphaPattern::Translucent},
    {"opaque and clear alternating", AlphaPattern::OpaqueAndClearAlternating},
};

uint32_t AlphaAt(const AlphaPattern pattern, const int index, std::mt19937& random)
{
    const uint32_t roll = random();
    const uint32_t translucent = 1 + roll % 254;
    switch (pattern) {
    case AlphaPattern::Any:
        return roll % 256;
    case AlphaPattern::ClearRunsBrokenByOne:
        return roll % 11 == 0 ? translucent : 0;
    case AlphaPattern::OpaqueRunsBrokenByOne:
        return roll % 11 == 0 ? translucent : 255;
    case AlphaPattern::ClearAndOpaqueRuns:
        return (index / 9) % 2 == 0 ? 0 : 255;
    case AlphaPattern::Translucent:
        return translucent;
    case AlphaPattern::OpaqueAndClearAlternating:
        return index % 2 == 0 ? 255 : 0;
    }
    return 0;
}

std::vector<uint32_t> RandomRow(const int count, const AlphaPattern pattern, std::mt19937& random)
{
    std::vector<uint32_t> row(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        row[static_cast<size_t>(i)] = (AlphaAt(pattern, i, random) << 24) | (random() & 0x00FFFFFF);
    return row;
}

// Widths around the steps of four and eight pixels, and one long row.
const int kWidths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 31, 33, 803};

// Each row routine, as its one-pixel form and its row form.
struct RowOperation {
    const char* mName;
    std::function<void(uint32_t&, uint32_t)> mOnePixel;
    std::function<void(uint32_t*, const uint32_t*, int)> mRow;
};

template <typename Op>
RowOperation OperationOf(const char* name, const Op& op)
{
    return {name, [op](uint32_t& d, const uint32_t s) { op(d, s); },
            [op](uint32_t* const d, const uint32_t* const s, const int count) {
                Zest::Blend::ApplyRow(op, d, s, count);
            }};
}

TEST(BlendRowTest, EveryPathDrawsRowsExactlyAsTheOnePixelOperations)
{
    const RowOperation operations[] = {
        OperationOf("onto opaque", Zest::Blend::OpaqueDestOp{}),
        OperationOf("translucent onto opaque", Zest::Blend::TranslucentOntoOpaqueOp{}),
        OperationOf("over", Zest::Blend::OverOp{}),
    };
    // Opaque destinations take the blends' shortcut; the others the full over-blend.
    const PatternCase destPatterns[] = {{"opaque destination", AlphaPattern::OpaqueRunsBrokenByOne},
                                        {"any destination", AlphaPattern::Any},
                                        {"clear destination", AlphaPattern::ClearAndOpaqueRuns}};
    for (const RowPath path : RunnableRowPaths()) {
        const RowPathChoice choice(path);
        for (const RowOperation& operation : operations) {
            std::mt19937 random(20261211);
            for (const PatternCase& sourceCase : kPatterns) {
                for (const PatternCase& destCase : destPatterns) {
                    for (const int width : kWidths) {
                        // Rows starting one to three pixels into their buffers, so that no
                        // step lands on an aligned address by luck.
                        const int offset = 1 + width % 3;
                        const std::vector<uint32_t> source =
                            RandomRow(width + offset, sourceCase.mPattern, random);
                        const std::vector<uint32_t> dest = RandomRow(width + offset, destCase.mPattern, random);
                        std::vector<uint32_t> expected = dest;
                        for (int i = offset; i < width + offset; ++i)
                            operation.mOnePixel(expected[static_cast<size_t>(i)], source[static_cast<size_t>(i)]);
                        std::vector<uint32_t> actual = dest;
                        operation.mRow(actual.data() + offset, source.data() + offset, width);
                        ASSERT_EQ(actual, expected) << NameOf(path) << ", " << operation.mName << ", "
                                                    << sourceCase.mName << " onto " << destCase.mName
                                                    << ", width " << width;
                    }
                }
            }
        }
    }
}

class BlendedBlitTest : public Tests::DrawingTest {};

std::unique_ptr<MemoryImage> MakeImage(const std::vector<uint32_t>& pixels, const int width, const int height)
{
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(pixels.data(), width, height, true);
    return image;
}

// The blit onto a destination known to be opaque goes by the source's run-length table:
// runs are copied, skipped or blended as a whole, and must still give each pixel exactly
// what the one-pixel operation gives it, wherever a run starts in the clipped rectangle.
TEST_F(BlendedBlitTest, RunLengthBlitOntoOpaqueDestinationMatchesTheOnePixelBlendOnEveryPath)
{
    constexpr int kWidth = 45;
    constexpr int kHeight = kWidth / 3;
    std::mt19937 random(7);
    std::vector<uint32_t> source;
    for (int y = 0; y < kHeight; ++y) {
        const std::vector<uint32_t> row = RandomRow(kWidth, kPatterns[y % std::size(kPatterns)].mPattern, random);
        source.insert(source.end(), row.begin(), row.end());
    }
    const std::vector<uint32_t> background = RandomRow(kWidth * kHeight, AlphaPattern::ClearAndOpaqueRuns, random);
    const auto sourceImage = MakeImage(source, kWidth, kHeight);
    // Source columns 3 .. 40 land on columns 5 .. 42, rows 1 .. 13 on rows 0 .. 12.
    const Rect part(3, 1, 38, kHeight - 2);
    std::vector<uint32_t> expected = background;
    for (int y = 0; y < part.mHeight; ++y) {
        for (int x = 0; x < part.mWidth; ++x) {
            Zest::Blend::OpaqueDestOp{}(expected[static_cast<size_t>(y * kWidth + x + 5)],
                                        source[static_cast<size_t>((y + 1) * kWidth + x + 3)]);
        }
    }
    for (const RowPath path : RunnableRowPaths()) {
        SCOPED_TRACE(NameOf(path));
        const RowPathChoice choice(path);
        const auto dest = MakeImage(background, kWidth, kHeight);
        dest->SetImageMode(false, false);
        dest->Blt(sourceImage.get(), 5, -1, Rect(part.mX, 0, part.mWidth, part.mHeight + 1), Color::White,
                  DRAWMODE_NORMAL);
        const uint32_t* const bits = dest->GetBits();
        EXPECT_EQ(std::vector<uint32_t>(bits, bits + kWidth * kHeight), expected);
    }
}

// A picture in the middle of a larger image whose other pixels are opaque red: however the
// part is turned and placed, no sample may take in the red around it.
TEST_F(BlendedBlitTest, RotatedBlitReadsOnlyItsSourceRectangle)
{
    constexpr int kSize = 24;
    std::vector<uint32_t> pixels(kSize * kSize, 0xFFFF0000);
    const Rect part(6, 5, 11, 9);
    for (int y = part.mY; y < part.mY + part.mHeight; ++y) {
        for (int x = part.mX; x < part.mX + part.mWidth; ++x)
            pixels[static_cast<size_t>(y * kSize + x)] = (x + y) % 3 == 0 ? 0x800040C0 : 0xFF0000FF;
    }
    const auto source = MakeImage(pixels, kSize, kSize);
    struct Case {
        const char* mName;
        double mAngle;
        float mX;
        float mY;
    };
    const Case cases[] = {
        {"unturned at a fraction", 0.0, 3.25f, 4.75f},  {"slightly turned", 0.05, 4.0f, 4.0f},
        {"eighth turn", 0.785398, 5.5f, 3.5f},          {"quarter turn", 1.570796, 6.0f, 5.0f},
        {"half turn", 3.141593, 4.3f, 6.1f},            {"turned back", -0.6, 2.9f, 5.2f},
        {"past the left edge", 2.2, -4.0f, 6.0f},       {"past the bottom edge", -2.7, 8.0f, 20.0f},
    };
    // A half-transparent destination takes the over-blend, an opaque one the blend that
    // keeps it opaque.
    const struct {
        const char* mName;
        int mDrawMode;
        uint32_t mBackground;
    } drawings[] = {{"over", DRAWMODE_NORMAL, 0x80000000},
                    {"onto opaque", DRAWMODE_NORMAL, 0xFF000000},
                    {"additive", DRAWMODE_ADDITIVE, 0xFF000000}};
    for (const RowPath path : RunnableRowPaths()) {
        const RowPathChoice choice(path);
        for (const auto& drawing : drawings) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(NameOf(path)) + ", " + drawing.mName + ", " + c.mName);
                const auto dest = MakeImage(std::vector<uint32_t>(kSize * kSize, drawing.mBackground), kSize, kSize);
                dest->BltRotated(source.get(), c.mX, c.mY, part, Rect(0, 0, kSize, kSize), Color::White,
                                 drawing.mDrawMode, c.mAngle, 5.5f, 4.5f);
                const uint32_t* const bits = dest->GetBits();
                int drawn = 0;
                for (int i = 0; i < kSize * kSize; ++i) {
                    drawn += bits[i] != drawing.mBackground ? 1 : 0;
                    ASSERT_EQ(bits[i] & 0x00FF0000, 0u) << "red at (" << i % kSize << ", " << i / kSize << ")";
                }
                EXPECT_GT(drawn, 20);
            }
        }
    }
}

// The rotated blit samples eight pixels at a time on the AVX2 path and one at a time on the
// SSE2 path; on a random picture with runs of equal and of differing alphas both must draw
// the same pixels, whatever the turn, the placement, the tint and the destination.
TEST_F(BlendedBlitTest, RotatedBlitDrawsTheSamePixelsOnEveryPath)
{
    constexpr int kSourceWidth = 41;
    constexpr int kSourceHeight = 29;
    constexpr int kDestSize = 64;
    std::mt19937 random(99);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < kSourceHeight; ++y) {
        const std::vector<uint32_t> row =
            RandomRow(kSourceWidth, kPatterns[y / 3 % std::size(kPatterns)].mPattern, random);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    const auto source = MakeImage(pixels, kSourceWidth, kSourceHeight);
    const std::vector<uint32_t> background = RandomRow(kDestSize * kDestSize, AlphaPattern::Any, random);
    struct Case {
        const char* mName;
        double mAngle;
        float mX;
        float mY;
        Rect mSrcRect;
    };
    const Case cases[] = {
        {"unturned at a fraction", 0.0, 10.3f, 12.6f, Rect(0, 0, kSourceWidth, kSourceHeight)},
        {"a hair turned", 0.001, 11.0f, 9.0f, Rect(0, 0, kSourceWidth, kSourceHeight)},
        {"turned", 0.4, 12.2f, 14.9f, Rect(0, 0, kSourceWidth, kSourceHeight)},
        {"quarter turn", 1.5707963, 8.0f, 10.0f, Rect(0, 0, kSourceWidth, kSourceHeight)},
        {"turned past a half", 2.5, 15.5f, 13.25f, Rect(3, 2, 30, 20)},
        {"turned back", -1.1, 9.75f, 11.5f, Rect(5, 0, 33, 29)},
        {"past the destination", 0.9, -12.0f, 40.0f, Rect(0, 0, kSourceWidth, kSourceHeight)},
    };
    const struct {
        const char* mName;
        Color mColor;
        int mDrawMode;
        bool mOpaqueDest;
    } drawings[] = {{"over", Color(255, 255, 255, 255), DRAWMODE_NORMAL, false},
                    {"onto opaque", Color(255, 255, 255, 255), DRAWMODE_NORMAL, true},
                    {"colour tint", Color(250, 120, 30, 200), DRAWMODE_NORMAL, false},
                    {"additive", Color(255, 255, 255, 255), DRAWMODE_ADDITIVE, false}};
    for (const auto& drawing : drawings) {
        for (const Case& c : cases) {
            std::vector<std::vector<uint32_t>> drawn;
            for (const RowPath path : RunnableRowPaths()) {
                const RowPathChoice choice(path);
                const auto dest = MakeImage(background, kDestSize, kDestSize);
                if (drawing.mOpaqueDest)
                    dest->SetImageMode(false, false);
                dest->BltRotated(source.get(), c.mX, c.mY, c.mSrcRect, Rect(0, 0, kDestSize, kDestSize),
                                 drawing.mColor, drawing.mDrawMode, c.mAngle, 20.0f, 14.0f);
                const uint32_t* const bits = dest->GetBits();
                drawn.emplace_back(bits, bits + kDestSize * kDestSize);
            }
            EXPECT_NE(drawn.front(), background) << drawing.mName << ", " << c.mName;
            for (size_t k = 1; k < drawn.size(); ++k)
                EXPECT_EQ(drawn[k], drawn.front()) << drawing.mName << ", " << c.mName;
        }
    }
}

} // namespace
