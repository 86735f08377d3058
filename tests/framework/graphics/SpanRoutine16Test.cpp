// Matrix blits and textured triangles drawn into 16-bit pictures. A 16-bit pixel is drawn
// on as an opaque 32-bit one whose channels are its fields shifted to the top of their
// bytes, and is then narrowed to the top bits of each channel; so every draw is checked
// against the same draw into an opaque 32-bit picture of the widened pixels, narrowed
// afterwards. The 16-bit pictures sit in a frame of guard pixels, with rows an odd number
// of pixels apart, so that a write outside the picture or a pitch taken in the wrong unit
// shows.

#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TriangleRasterizer.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::Matrix3;
using Zest::MemoryImage;
using Zest::Rect;
using Zest::TriVertex;

using PixelAt = std::function<uint32_t(int x, int y)>;

// A 16-bit layout: 5-bit red and blue, blue in the low bits, green between them; 5-5-5
// has a spare top bit, which drawing keeps.
struct Layout {
    const char* mName;
    int mFormat;
    int mGreenBits;
    uint16_t mSpareBits;
};

constexpr Layout kLayouts[] = {{"5-6-5", Zest::kFormat565, 6, 0x0000}, {"5-5-5", Zest::kFormat555, 5, 0x8000}};

uint32_t Widen(const uint16_t pixel, const Layout& layout)
{
    const int greenBits = layout.mGreenBits;
    const uint32_t red = (pixel >> (5 + greenBits)) & 0x1F;
    const uint32_t green = (pixel >> 5) & ((1u << greenBits) - 1);
    const uint32_t blue = pixel & 0x1F;
    return 0xFF000000u | (red << 19) | (green << (16 - greenBits)) | (blue << 3);
}

uint16_t Narrow(const uint32_t color, const Layout& layout)
{
    const int greenBits = layout.mGreenBits;
    const uint32_t red = (color >> 19) & 0x1F;
    const uint32_t green = (color >> (16 - greenBits)) & ((1u << greenBits) - 1);
    const uint32_t blue = (color >> 3) & 0x1F;
    return static_cast<uint16_t>((red << (5 + greenBits)) | (green << 5) | blue | layout.mSpareBits);
}

constexpr int kWidth = 23;
constexpr int kHeight = 17;

// A 16-bit picture of kWidth x kHeight inside a frame of guard pixels, holding a pattern of
// every field value with the layout's spare bits set.
class Surface16 {
public:
    explicit Surface16(const Layout& layout) : mLayout(layout), mPixels(kStride * (kHeight + 2 * kBorder), kGuard)
    {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                At(x, y) = static_cast<uint16_t>((x * 2731 + y * 1433 + x * y * 97) | layout.mSpareBits);
        }
    }

    void* Bits() { return &At(0, 0); }
    static int Pitch() { return kStride * 2; }
    uint16_t& At(const int x, const int y) { return mPixels[(y + kBorder) * kStride + x + kBorder]; }

    // The pixels as an opaque 32-bit picture.
    std::vector<uint32_t> Widened()
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                pixels.push_back(Widen(At(x, y), mLayout));
        }
        return pixels;
    }

    void ExpectGuardsIntact()
    {
        for (int row = 0; row < kHeight + 2 * kBorder; ++row) {
            for (int column = 0; column < kStride; ++column) {
                const bool inside = row >= kBorder && row < kBorder + kHeight && column >= kBorder &&
                                    column < kBorder + kWidth;
                if (!inside && mPixels[row * kStride + column] != kGuard) {
                    ADD_FAILURE() << "guard pixel (" << column - kBorder << ", " << row - kBorder << ") written";
                    return;
                }
            }
        }
    }

private:
    static constexpr int kBorder = 2;
    static constexpr int kStride = kWidth + 2 * kBorder; // odd: rows are not 32-bit aligned
    static constexpr uint16_t kGuard = 0x5A5A;

    const Layout& mLayout;
    std::vector<uint16_t> mPixels;
};

// Compares the 16-bit picture with the expected one, naming the first few pixels that differ.
void ExpectPixels(Surface16& surface, const std::function<uint16_t(int x, int y)>& expectedAt)
{
    int reported = 0;
    for (int y = 0; y < kHeight && reported < 8; ++y) {
        for (int x = 0; x < kWidth && reported < 8; ++x) {
            const uint16_t expected = expectedAt(x, y);
            if (surface.At(x, y) != expected) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << surface.At(x, y)
                              << " instead of " << expected;
                ++reported;
            }
        }
    }
}

uint32_t OpaqueTexel(const int x, const int y)
{
    return 0xFF000000u | (static_cast<uint32_t>((x * 37 + 11) & 0xFF) << 16) |
           (static_cast<uint32_t>((y * 53 + 5) & 0xFF) << 8) | static_cast<uint32_t>((x * y * 29) & 0xFF);
}

// Every class of alpha, transparent to opaque, across the picture.
uint32_t TranslucentTexel(const int x, const int y)
{
    const uint32_t alphas[] = {255, 0, 128, 200, 31, 255, 64};
    return (OpaqueTexel(x, y) & 0x00FFFFFFu) | (alphas[(x + 3 * y) % 7] << 24);
}

constexpr int kTextureWidth = 11;
constexpr int kTextureHeight = 7;

// A picture of the texels, flagged as having alpha when it is translucent.
std::unique_ptr<MemoryImage> MakeTexture(const PixelAt& texelAt, const bool translucent)
{
    auto texture = std::make_unique<MemoryImage>();
    texture->Create(kTextureWidth, kTextureHeight);
    uint32_t* const texels = texture->GetBits();
    for (int y = 0; y < kTextureHeight; ++y) {
        for (int x = 0; x < kTextureWidth; ++x)
            texels[y * kTextureWidth + x] = texelAt(x, y);
    }
    texture->BitsChanged();
    texture->SetImageMode(translucent, translucent);
    return texture;
}

class SpanRoutine16Test : public Tests::DrawingTest {
protected:
    // The picture drawn on: only its size matters, the pixels are the buffers passed.
    MemoryImage mDest;

    void SetUp() override
    {
        DrawingTest::SetUp();
        mDest.Create(kWidth, kHeight);
    }
};

TEST_F(SpanRoutine16Test, IdentityMatrixBlitCopiesEachTexelNarrowed)
{
    // The rectangle hangs over the left edge of the picture, so clipping and the guards are
    // tried as well.
    auto source = MakeTexture(OpaqueTexel, false);
    const Rect srcRect(1, 1, 7, 4);
    const int left = -2;
    const int top = 5;
    for (const Layout& layout : kLayouts) {
        for (const bool linear : {false, true}) {
            SCOPED_TRACE(std::string(layout.mName) + (linear ? ", bilinear" : ", nearest"));
            Surface16 surface(layout);
            Surface16 untouched(layout);
            mDest.BltMatrixHelper(source.get(), srcRect, left + srcRect.mWidth / 2.0f, top + srcRect.mHeight / 2.0f,
                                  Matrix3(), Rect(-10, -10, 100, 100), Color::White, surface.Bits(),
                                  Surface16::Pitch(), layout.mFormat, linear);
            ExpectPixels(surface, [&](const int x, const int y) {
                const int i = x - left;
                const int j = y - top;
                if (i < 0 || i >= srcRect.mWidth || j < 0 || j >= srcRect.mHeight)
                    return untouched.At(x, y);
                return Narrow(OpaqueTexel(srcRect.mX + i, srcRect.mY + j), layout);
            });
            surface.ExpectGuardsIntact();
        }
    }
}

// One draw into the picture at bits (rows pitch bytes apart) in a rasteriser format.
using Draw = std::function<void(MemoryImage& dest, void* bits, int pitch, int format, bool linear)>;

Draw MatrixBlit(MemoryImage& source, const float angle, const float scaleX, const float scaleY, const Color& color,
                const bool additive)
{
    return [&source, angle, scaleX, scaleY, color, additive](MemoryImage& dest, void* bits, const int pitch,
                                                             const int format, const bool linear) {
        Matrix3 matrix;
        matrix.Scale(scaleX, scaleY);
        matrix.RotateRad(angle);
        // Centred near the right edge: part of the sprite lies outside the picture.
        dest.BltMatrixHelper(&source, Rect(0, 0, source.mWidth, source.mHeight), 16.3f, 8.6f, matrix,
                             Rect(0, 0, kWidth, kHeight), color, bits, pitch, format, linear, additive);
    };
}

// A fan of triangles with a different colour at every vertex, reaching past the bottom
// edge of the picture.
Draw Triangles(MemoryImage* texture, const Color& color, const bool additive)
{
    return [texture, color, additive](MemoryImage& dest, void* bits, const int pitch, const int format,
                                      const bool linear) {
        const TriVertex topLeft{1.2f, 0.7f, 0.0f, 0.0f, 0xFFFF2010u};
        const TriVertex topRight{20.5f, 2.1f, 1.0f, 0.1f, 0x8020FF40u};
        const TriVertex bottomLeft{3.3f, 15.8f, 0.1f, 1.0f, 0xC04080FFu};
        const TriVertex bottomRight{22.0f, 19.5f, 0.9f, 1.2f, 0x40FFFFFFu};
        const TriVertex triangles[2][3] = {{topLeft, topRight, bottomLeft}, {topRight, bottomRight, bottomLeft}};
        dest.BltTrianglesTexHelper(texture, triangles, 2, Rect(0, 0, kWidth, kHeight), color, bits, pitch, format,
                                   0.25f, 0.0f, linear, additive);
    };
}

TEST_F(SpanRoutine16Test, DrawsWhatTheOpaque32BitDrawGivesNarrowed)
{
    auto translucent = MakeTexture(TranslucentTexel, true);
    auto opaque = MakeTexture(OpaqueTexel, false);
    const Color tint(255, 128, 64, 160);
    const Color grey(128, 128, 128, 200);
    struct Case {
        const char* mName;
        Draw mDraw;
    };
    const Case cases[] = {
        {"opaque sprite turned and stretched", MatrixBlit(*opaque, 0.6f, 1.7f, 0.8f, Color::White, false)},
        {"translucent sprite turned and stretched", MatrixBlit(*translucent, -0.9f, 1.3f, 1.6f, Color::White, false)},
        {"opaque sprite tinted", MatrixBlit(*opaque, 0.3f, 1.0f, 1.0f, tint, false)},
        {"translucent sprite tinted", MatrixBlit(*translucent, 0.3f, 1.0f, 1.0f, tint, false)},
        {"translucent sprite tinted grey", MatrixBlit(*translucent, 2.0f, 1.2f, 1.2f, grey, false)},
        {"opaque sprite added", MatrixBlit(*opaque, 0.5f, 1.0f, 1.4f, Color::White, true)},
        {"translucent sprite added", MatrixBlit(*translucent, 0.5f, 1.0f, 1.4f, Color::White, true)},
        {"translucent sprite tinted and added", MatrixBlit(*translucent, -0.4f, 1.5f, 1.0f, tint, true)},
        {"vertex-coloured textured triangles", Triangles(translucent.get(), Color::White, false)},
        {"vertex-coloured textured triangles tinted", Triangles(translucent.get(), tint, false)},
        {"vertex-coloured textured triangles added", Triangles(opaque.get(), Color::White, true)},
        {"vertex-coloured untextured triangles", Triangles(nullptr, Color::White, false)},
        {"vertex-coloured untextured triangles tinted and added", Triangles(nullptr, grey, true)},
    };
    for (const Layout& layout : kLayouts) {
        for (const Case& test : cases) {
            for (const bool linear : {false, true}) {
                SCOPED_TRACE(std::string(layout.mName) + ", " + test.mName + (linear ? ", bilinear" : ", nearest"));
                Surface16 surface(layout);
                Surface16 untouched(layout);
                std::vector<uint32_t> reference = surface.Widened();
                test.mDraw(mDest, reference.data(), kWidth * 4, Zest::kFormat888, linear);
                test.mDraw(mDest, surface.Bits(), Surface16::Pitch(), layout.mFormat, linear);

                ExpectPixels(surface,
                             [&](const int x, const int y) { return Narrow(reference[y * kWidth + x], layout); });
                surface.ExpectGuardsIntact();
                // A draw that did nothing in either picture would pass the comparison.
                int changed = 0;
                for (int y = 0; y < kHeight; ++y) {
                    for (int x = 0; x < kWidth; ++x)
                        changed += surface.At(x, y) != untouched.At(x, y) ? 1 : 0;
                }
                EXPECT_GT(changed, kWidth * kHeight / 8);
            }
        }
    }
}

} // namespace
