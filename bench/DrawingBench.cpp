// The software blits against a well-tuned compositing library doing the same work on the
// same buffers: each case is measured once with our drawing and once with pixman, so the
// ratio of the two shows where our inner loops stand.

#include "framework/graphics/Color.h"
#include "framework/graphics/MemoryImage.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

using Zest::Color;
using Zest::MemoryImage;
using Zest::Rect;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSprite = 86;

// The screen the game draws on: opaque, and known to be (its flags are set, not analysed).
std::unique_ptr<MemoryImage> MakeScreen()
{
    auto screen = std::make_unique<MemoryImage>(nullptr);
    std::vector<uint32_t> bits(static_cast<size_t>(kWidth) * kHeight);
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
    screen->SetBits(bits.data(), kWidth, kHeight, false);
    screen->SetImageMode(false, false);
    return screen;
}

// A picture with every alpha from transparent to opaque and varied colours.
std::unique_ptr<MemoryImage> MakePicture(const int width, const int height, const bool roundSprite)
{
    auto image = std::make_unique<MemoryImage>(nullptr);
    std::vector<uint32_t> bits(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t alpha = static_cast<uint32_t>((x * 255) / std::max(width - 1, 1));
            if (roundSprite) {
                const double dx = x - width / 2.0;
                const double dy = y - height / 2.0;
                alpha = std::hypot(dx, dy) < width / 2.0 ? 255 : 0;
            }
            bits[static_cast<size_t>(y) * width + x] =
                (alpha << 24) | ((x * 3 & 0xFF) << 16) | ((y * 5 & 0xFF) << 8) | ((x + y) & 0xFF);
        }
    }
    image->SetBits(bits.data(), width, height, true);
    return image;
}

pixman_image_t* Wrap(MemoryImage& image)
{
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, image.mWidth, image.mHeight, image.GetBits(),
                                    image.mWidth * 4);
}

struct Buffers {
    std::unique_ptr<MemoryImage> mDest = MakeScreen();
    std::unique_ptr<MemoryImage> mSource = MakePicture(kWidth, kHeight, false);
    std::unique_ptr<MemoryImage> mSprite = MakePicture(kSprite, kSprite, true);
};

Buffers& Shared()
{
    static Buffers buffers;
    return buffers;
}

const Rect kFull(0, 0, kWidth, kHeight);

void BM_BlendedBlit_Ours(benchmark::State& state)
{
    Buffers& b = Shared();
    for (auto _ : state)
        b.mDest->Blt(b.mSource.get(), 0, 0, kFull, Color::White, Zest::DRAWMODE_NORMAL);
}
BENCHMARK(BM_BlendedBlit_Ours)->Unit(benchmark::kMicrosecond);

void BM_BlendedBlit_Pixman(benchmark::State& state)
{
    Buffers& b = Shared();
    pixman_image_t* dest = Wrap(*b.mDest);
    pixman_image_t* source = Wrap(*b.mSource);
    for (auto _ : state)
        pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    pixman_image_unref(source);
    pixman_image_unref(dest);
}
BENCHMARK(BM_BlendedBlit_Pixman)->Unit(benchmark::kMicrosecond);

void BM_AdditiveBlit_Ours(benchmark::State& state)
{
    Buffers& b = Shared();
    for (auto _ : state)
        b.mDest->Blt(b.mSource.get(), 0, 0, kFull, Color::White, Zest::DRAWMODE_ADDITIVE);
}
BENCHMARK(BM_AdditiveBlit_Ours)->Unit(benchmark::kMicrosecond);

void BM_AdditiveBlit_Pixman(benchmark::State& state)
{
    Buffers& b = Shared();
    pixman_image_t* dest = Wrap(*b.mDest);
    pixman_image_t* source = Wrap(*b.mSource);
    for (auto _ : state)
        pixman_image_composite32(PIXMAN_OP_ADD, source, nullptr, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    pixman_image_unref(source);
    pixman_image_unref(dest);
}
BENCHMARK(BM_AdditiveBlit_Pixman)->Unit(benchmark::kMicrosecond);

void BM_TintedBlit_Ours(benchmark::State& state)
{
    Buffers& b = Shared();
    const Color tint(255, 160, 80, 192);
    for (auto _ : state)
        b.mDest->Blt(b.mSource.get(), 0, 0, kFull, tint, Zest::DRAWMODE_NORMAL);
}
BENCHMARK(BM_TintedBlit_Ours)->Unit(benchmark::kMicrosecond);

void BM_TintedBlit_Pixman(benchmark::State& state)
{
    Buffers& b = Shared();
    pixman_image_t* dest = Wrap(*b.mDest);
    pixman_image_t* source = Wrap(*b.mSource);
    // The tint as a solid mask, so that each source pixel is multiplied by it.
    const pixman_color_t tint{0xFFFF, 0xA0A0, 0x5050, 0xC0C0};
    pixman_image_t* mask = pixman_image_create_solid_fill(&tint);
    for (auto _ : state)
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    pixman_image_unref(mask);
    pixman_image_unref(source);
    pixman_image_unref(dest);
}
BENCHMARK(BM_TintedBlit_Pixman)->Unit(benchmark::kMicrosecond);

void BM_StretchedBlit_Ours(benchmark::State& state)
{
    Buffers& b = Shared();
    const Rect source(0, 0, kWidth / 2, kHeight / 2);
    for (auto _ : state)
        b.mDest->StretchBlt(b.mSource.get(), kFull, source, kFull, Color::White, Zest::DRAWMODE_NORMAL, false);
}
BENCHMARK(BM_StretchedBlit_Ours)->Unit(benchmark::kMicrosecond);

void BM_StretchedBlit_Pixman(benchmark::State& state)
{
    Buffers& b = Shared();
    pixman_image_t* dest = Wrap(*b.mDest);
    pixman_image_t* source = Wrap(*b.mSource);
    pixman_transform_t scale;
    pixman_transform_init_scale(&scale, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
    pixman_image_set_transform(source, &scale);
    pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    for (auto _ : state)
        pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    pixman_image_unref(source);
    pixman_image_unref(dest);
}
BENCHMARK(BM_StretchedBlit_Pixman)->Unit(benchmark::kMicrosecond);

constexpr double kAngle = 0.5;

void BM_RotatedBlit_Ours(benchmark::State& state)
{
    Buffers& b = Shared();
    const Rect source(0, 0, 400, 300);
    for (auto _ : state)
        b.mDest->BltRotated(b.mSource.get(), 200.0f, 150.0f, source, kFull, Color::White, Zest::DRAWMODE_NORMAL,
                            kAngle, 200.0f, 150.0f);
}
BENCHMARK(BM_RotatedBlit_Ours)->Unit(benchmark::kMicrosecond);

void BM_RotatedBlit_Pixman(benchmark::State& state)
{
    Buffers& b = Shared();
    pixman_image_t* dest = Wrap(*b.mDest);
    pixman_image_t* source = Wrap(*b.mSource);
    // Destination to source: about the picture's centre, by the opposite angle.
    pixman_transform_t rotate;
    pixman_transform_init_identity(&rotate);
    pixman_transform_translate(&rotate, nullptr, pixman_double_to_fixed(-400), pixman_double_to_fixed(-300));
    pixman_transform_rotate(&rotate, nullptr, pixman_double_to_fixed(std::cos(kAngle)),
                            pixman_double_to_fixed(-std::sin(kAngle)));
    pixman_transform_translate(&rotate, nullptr, pixman_double_to_fixed(200), pixman_double_to_fixed(150));
    pixman_image_set_transform(source, &rotate);
    pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    // Only the rotated picture's bounding box, as our blit covers.
    const int left = 152;
    const int top = 72;
    for (auto _ : state)
        pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, dest, left, top, 0, 0, left, top, 496, 456);
    pixman_image_unref(source);
    pixman_image_unref(dest);
}
BENCHMARK(BM_RotatedBlit_Pixman)->Unit(benchmark::kMicrosecond);

// A board's worth of tiles: an 86x86 sprite with transparent corners, 36 times.
void BM_Sprites_Ours(benchmark::State& state)
{
    Buffers& b = Shared();
    const Rect sprite(0, 0, kSprite, kSprite);
    for (auto _ : state) {
        for (int i = 0; i < 36; ++i)
            b.mDest->Blt(b.mSprite.get(), 100 + (i % 6) * kSprite, 40 + (i / 6) * kSprite, sprite, Color::White,
                         Zest::DRAWMODE_NORMAL);
    }
}
BENCHMARK(BM_Sprites_Ours)->Unit(benchmark::kMicrosecond);

void BM_Sprites_Pixman(benchmark::State& state)
{
    Buffers& b = Shared();
    pixman_image_t* dest = Wrap(*b.mDest);
    pixman_image_t* sprite = Wrap(*b.mSprite);
    for (auto _ : state) {
        for (int i = 0; i < 36; ++i)
            pixman_image_composite32(PIXMAN_OP_OVER, sprite, nullptr, dest, 0, 0, 0, 0, 100 + (i % 6) * kSprite,
                                     40 + (i / 6) * kSprite, kSprite, kSprite);
    }
    pixman_image_unref(sprite);
    pixman_image_unref(dest);
}
BENCHMARK(BM_Sprites_Pixman)->Unit(benchmark::kMicrosecond);

} // namespace
