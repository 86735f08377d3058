#include "tools/ReferenceScene.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Matrix3.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Tools {

using namespace Zest;

namespace {

constexpr int kSprite = 64;

// Opaque: a colour gradient with a bright bar, so that rotation and mirroring show.
uint32_t OpaquePixel(const int x, const int y)
{
    if (y >= 28 && y < 36 && x >= 8)
        return 0xFFFFFFF0;
    return 0xFF000000 | static_cast<uint32_t>((x * 4) << 16) | static_cast<uint32_t>((y * 4) << 8) | 0x60;
}

// Partly transparent: a disc with a soft edge.
uint32_t AlphaPixel(const int x, const int y)
{
    const double dx = x + 0.5 - kSprite / 2.0;
    const double dy = y + 0.5 - kSprite / 2.0;
    const double edge = std::clamp((kSprite / 2.0 - std::sqrt(dx * dx + dy * dy)) / 6.0, 0.0, 1.0);
    const auto alpha = static_cast<uint32_t>(edge * 255.0);
    return (alpha << 24) | 0x00FF8040 | static_cast<uint32_t>(x * 2);
}

// Keyed: opaque squares and fully transparent holes.
uint32_t KeyedPixel(const int x, const int y)
{
    if (((x / 8) + (y / 8)) % 2 == 0)
        return 0x00000000;
    return 0xFF20C040 | static_cast<uint32_t>(y * 3);
}

template <typename PixelFunction>
void MakeSprite(MemoryImage& image, PixelFunction pixel)
{
    std::vector<uint32_t> bits(kSprite * kSprite);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x)
            bits[static_cast<size_t>(y) * kSprite + x] = pixel(x, y);
    image.SetBits(bits.data(), kSprite, kSprite, true);
}

} // namespace

ReferenceScene::ReferenceScene(AppInterface* app) : mOpaque(app), mAlpha(app), mKeyed(app)
{
    MakeSprite(mOpaque, OpaquePixel);
    MakeSprite(mAlpha, AlphaPixel);
    MakeSprite(mKeyed, KeyedPixel);
}

void ReferenceScene::Draw(Graphics& g)
{
    mRims.clear();
    g.SetColor(Color(30, 50, 70));
    g.FillRect(0, 0, kWidth, kHeight);

    // Blits, plain and tinted.
    g.DrawImage(&mOpaque, 20, 20);
    g.DrawImage(&mAlpha, 100, 20);
    g.DrawImage(&mKeyed, 180, 20);
    g.SetColorizeImages(true);
    g.SetColor(Color(128, 128, 128));
    g.DrawImage(&mOpaque, 260, 20);
    g.SetColor(Color(255, 128, 0));
    g.DrawImage(&mKeyed, 340, 20);
    g.SetColor(Color(255, 255, 255, 128));
    g.DrawImage(&mOpaque, 420, 20);
    g.SetColorizeImages(false);
    g.SetDrawMode(DRAWMODE_ADDITIVE);
    g.DrawImage(&mAlpha, 500, 20);
    g.DrawImage(&mAlpha, 520, 40);
    g.SetDrawMode(DRAWMODE_NORMAL);
    g.DrawImageMirror(&mOpaque, 600, 20);
    g.DrawImageMirror(&mKeyed, 680, 20);

    // Blended fills.
    g.SetColor(Color(255, 0, 0, 128));
    g.FillRect(20, 120, 120, 80);
    g.SetColor(Color(0, 0, 255, 100));
    g.FillRect(80, 150, 120, 80);
    g.SetColor(Color(255, 255, 255, 40));
    g.FillRect(220, 120, 100, 80);

    // Stretches, filtered and fast.
    const Rect whole(0, 0, kSprite, kSprite);
    g.SetFastStretch(false);
    g.DrawImageStretched(&mOpaque, Rect(360, 120, 128, 96), whole);
    g.SetFastStretch(true);
    g.DrawImageStretched(&mKeyed, Rect(520, 110, 96, 128), whole);
    g.SetFastStretch(false);

    // Quarter turns about the sprite's centre.
    const double turns[] = {std::numbers::pi / 2, std::numbers::pi, 3 * std::numbers::pi / 2};
    for (int i = 0; i < 3; ++i) {
        const int x = 20 + i * 90;
        g.DrawImageRotated(&mOpaque, static_cast<float>(x), 280.0f, turns[i]);
        mRims.emplace_back(x, 280, kSprite, kSprite);
    }

    // A sprite turned by 30 degrees and scaled by 1.5, as the game draws its creatures.
    Matrix3 matrix;
    matrix.Scale(1.5f, 1.5f);
    matrix.RotateRad(static_cast<float>(std::numbers::pi / 6));
    g.DrawImageMatrix(&mAlpha, matrix, whole, 480.0f, 320.0f);

    // Coverage spans: a triangle whose coverage fades from left to right.
    constexpr int kSpanRows = 60;
    std::vector<Span> spans;
    std::vector<uint8_t> coverage(static_cast<size_t>(120) * kSpanRows);
    for (int row = 0; row < kSpanRows; ++row) {
        spans.push_back(Span{400 + row, 600, 2 * row + 1});
        for (int column = 0; column < 120; ++column)
            coverage[static_cast<size_t>(row) * 120 + column] = static_cast<uint8_t>(255 - column * 2);
    }
    g.mDestImage->FillScanLinesWithCoverage(spans.data(), static_cast<int>(spans.size()), Color(255, 255, 0, 200),
                                            DRAWMODE_NORMAL, coverage.data(), 600, 400, 120, kSpanRows);
}

} // namespace Tools
