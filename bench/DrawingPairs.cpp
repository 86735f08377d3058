// The drawing cases. Our pictures hold straight alpha; the library's a8r8g8b8 is
// premultiplied. Its side draws a premultiplied copy of each picture, made once, as a
// program built on it would store its pictures; where our blit multiplies by alpha as it
// draws, the library's side does so too where it can, and the case says where it cannot.
// Both sides start from prepared pictures (our alpha analysis, the library's copies), as a
// game prepares a picture once when it loads it.

#include "bench/DrawingPairs.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/MemoryImage.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Bench {
namespace {

using Zest::Color;
using Zest::MemoryImage;
using Zest::Rect;

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;
constexpr int kSprite = 86;
const Rect kFull(0, 0, kWidth, kHeight);

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
    image->GetRLAlphaData();
    return image;
}

// The picture's pixels with each colour channel multiplied by the pixel's alpha, rounded.
std::vector<uint32_t> Premultiplied(MemoryImage& image)
{
    const uint32_t* const bits = image.GetBits();
    std::vector<uint32_t> pixels(static_cast<size_t>(image.mWidth) * image.mHeight);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t a = bits[i] >> 24;
        const auto scaled = [a](const uint32_t channel) { return (channel * a + 127) / 255; };
        pixels[i] = (a << 24) | (scaled((bits[i] >> 16) & 0xFF) << 16) | (scaled((bits[i] >> 8) & 0xFF) << 8) |
                    scaled(bits[i] & 0xFF);
    }
    return pixels;
}

struct Pictures {
    std::unique_ptr<MemoryImage> mScreen = MakeScreen();
    const std::vector<uint32_t> mFirstScreen{mScreen->GetBits(), mScreen->GetBits() + kWidth * kHeight};
    std::unique_ptr<MemoryImage> mSource = MakePicture(kWidth, kHeight, false);
    std::unique_ptr<MemoryImage> mSprite = MakePicture(kSprite, kSprite, true);
    std::vector<uint32_t> mPeerSource = Premultiplied(*mSource);
    std::vector<uint32_t> mPeerSprite = Premultiplied(*mSprite);
};

Pictures& Shared()
{
    static Pictures pictures;
    return pictures;
}

// A width x height window onto the library's view of 32-bit pixels laid out stride pixels
// to a row.
pixman_image_t* Wrap(uint32_t* const pixels, const int width, const int height, const int stride)
{
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, pixels, stride * 4);
}

// A case whose library side holds images, released with the case; the screen is the
// first.
class PeerPair : public DrawingPair {
public:
    ~PeerPair() override
    {
        for (pixman_image_t* const image : mImages)
            pixman_image_unref(image);
    }

protected:
    pixman_image_t* Keep(pixman_image_t* const image)
    {
        mImages.push_back(image);
        return image;
    }

    pixman_image_t* PeerSource() { return Keep(Wrap(Shared().mPeerSource.data(), kWidth, kHeight, kWidth)); }

    // The source over the whole screen (as far as the screen's clip lets it).
    void OverScreen(pixman_image_t* const source)
    {
        pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, mPeerScreen, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    }

    Pictures& mPictures = Shared();
    std::vector<pixman_image_t*> mImages;
    pixman_image_t* const mPeerScreen = Keep(Wrap(mPictures.mScreen->GetBits(), kWidth, kHeight, kWidth));
};

// Every pixel d x (1 - a) + s x a: ours takes s x a as it blends, the library has it stored.
class BlendedBlit : public PeerPair {
public:
    void DrawOurs() override
    {
        mPictures.mScreen->Blt(mPictures.mSource.get(), 0, 0, kFull, Color::White, Zest::DRAWMODE_NORMAL);
    }

    void DrawPeer() override { OverScreen(mSource); }

private:
    pixman_image_t* const mSource = PeerSource();
};

// Every colour channel d + s x a, saturated. Our additive blit multiplies by alpha as it
// draws, so the library does too: its source is the straight picture, masked by its own
// alpha (a mask multiplies every channel of the source by the mask's alpha).
class AdditiveBlit : public PeerPair {
public:
    void DrawOurs() override
    {
        mPictures.mScreen->Blt(mPictures.mSource.get(), 0, 0, kFull, Color::White, Zest::DRAWMODE_ADDITIVE);
    }

    void DrawPeer() override
    {
        pixman_image_composite32(PIXMAN_OP_ADD, mStraight, mStraight, mPeerScreen, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    }

private:
    pixman_image_t* const mStraight = Keep(Wrap(mPictures.mSource->GetBits(), kWidth, kHeight, kWidth));
};

// Tinted by a colour with alpha: every colour channel s x tint x a' + d x (1 - a'), where
// a' = a x the tint's alpha. A mask scales either the channels (component alpha) or the
// alpha, not both at once, so the library takes two steps, band by band so that the tinted
// band stays in cache: the picture through the tint (premultiplied, as a component-alpha
// mask) into the band, then the band over the screen.
class TintedBlit : public PeerPair {
public:
    TintedBlit()
    {
        const auto premultiplied = [](const int channel) {
            return static_cast<uint16_t>(channel * kTint.mAlpha / 255 * 257);
        };
        const pixman_color_t tint{premultiplied(kTint.mRed), premultiplied(kTint.mGreen),
                                  premultiplied(kTint.mBlue), static_cast<uint16_t>(kTint.mAlpha * 257)};
        mTint = Keep(pixman_image_create_solid_fill(&tint));
        pixman_image_set_component_alpha(mTint, 1);
    }

    void DrawOurs() override
    {
        mPictures.mScreen->Blt(mPictures.mSource.get(), 0, 0, kFull, kTint, Zest::DRAWMODE_NORMAL);
    }

    void DrawPeer() override
    {
        for (int top = 0; top < kHeight; top += kBand) {
            const int rows = std::min(kBand, kHeight - top);
            pixman_image_composite32(PIXMAN_OP_SRC, mSource, mTint, mBand, 0, top, 0, 0, 0, 0, kWidth, rows);
            pixman_image_composite32(PIXMAN_OP_OVER, mBand, nullptr, mPeerScreen, 0, 0, 0, 0, 0, top, kWidth, rows);
        }
    }

private:
    static inline const Color kTint{255, 160, 80, 192};
    static constexpr int kBand = 32;

    pixman_image_t* const mSource = PeerSource();
    pixman_image_t* mTint = nullptr;
    std::vector<uint32_t> mBandPixels = std::vector<uint32_t>(static_cast<size_t>(kWidth) * kBand);
    pixman_image_t* const mBand = Keep(Wrap(mBandPixels.data(), kWidth, kBand, kWidth));
};

// The picture's top-left quarter filtered up to the whole screen: each screen pixel mixes
// the 2x2 source pixels around the same sample point (ours spreads the samples from the
// first source pixel to the last, and the library is given that same mapping), then is
// blended over the screen. Ours mixes straight colours and multiplies them by the mixed
// alpha as it blends; the library mixes the premultiplied copy.
class StretchedBlit : public PeerPair {
public:
    StretchedBlit()
    {
        // Screen pixel x samples source position x x (w - 1) / (W - 1); the library samples
        // at its transform of the pixel's centre, less half a pixel.
        const double scaleX = (kWidth / 2 - 1.0) / (kWidth - 1);
        const double scaleY = (kHeight / 2 - 1.0) / (kHeight - 1);
        pixman_transform_t scale;
        pixman_transform_init_scale(&scale, pixman_double_to_fixed(scaleX), pixman_double_to_fixed(scaleY));
        pixman_transform_translate(&scale, nullptr, pixman_double_to_fixed(0.5 * (1 - scaleX)),
                                   pixman_double_to_fixed(0.5 * (1 - scaleY)));
        pixman_image_set_transform(mSource, &scale);
        pixman_image_set_filter(mSource, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    }

    void DrawOurs() override
    {
        const Rect quarter(0, 0, kWidth / 2, kHeight / 2);
        mPictures.mScreen->StretchBlt(mPictures.mSource.get(), kFull, quarter, kFull, Color::White,
                                      Zest::DRAWMODE_NORMAL, false);
    }

    void DrawPeer() override { OverScreen(mSource); }

private:
    pixman_image_t* const mSource = PeerSource();
};

// A 400x300 part of the picture turned by 0.5 radians about its centre, filtered, drawn
// with its centre at the screen's centre. Ours samples by alpha and divides per pixel
// (straight colours); the library's bilinear sample of the premultiplied copy is the same
// picture. Ours draws, in each row of the turned part's bounding box, from the first pixel
// whose sample touches the part to the last; the library is clipped to those same spans.
class RotatedBlit : public PeerPair {
public:
    RotatedBlit()
    {
        // Screen to part: about the screen's centre, then the turn, then to the part's
        // centre.
        pixman_transform_t turn;
        pixman_transform_init_translate(&turn, pixman_double_to_fixed(-kCentreX), pixman_double_to_fixed(-kCentreY));
        pixman_transform_rotate(&turn, nullptr, pixman_double_to_fixed(std::cos(kAngle)),
                                pixman_double_to_fixed(std::sin(kAngle)));
        pixman_transform_translate(&turn, nullptr, pixman_double_to_fixed(kPartWidth / 2.0),
                                   pixman_double_to_fixed(kPartHeight / 2.0));
        pixman_image_set_transform(mPart, &turn);
        pixman_image_set_filter(mPart, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        const std::vector<pixman_box32_t> spans = TurnedSpans();
        pixman_region32_t clip;
        pixman_region32_init_rects(&clip, spans.data(), static_cast<int>(spans.size()));
        pixman_image_set_clip_region32(mPeerScreen, &clip);
        pixman_region32_fini(&clip);
    }

    void DrawOurs() override
    {
        const Rect part(0, 0, kPartWidth, kPartHeight);
        const auto x = static_cast<float>(kCentreX - kPartWidth / 2.0);
        const auto y = static_cast<float>(kCentreY - kPartHeight / 2.0);
        mPictures.mScreen->BltRotated(mPictures.mSource.get(), x, y, part, kFull, Color::White, Zest::DRAWMODE_NORMAL,
                                      kAngle, kPartWidth / 2.0f, kPartHeight / 2.0f);
    }

    void DrawPeer() override { OverScreen(mPart); }

private:
    static constexpr double kAngle = 0.5;
    static constexpr int kPartWidth = 400;
    static constexpr int kPartHeight = 300;
    static constexpr double kCentreX = kWidth / 2.0;
    static constexpr double kCentreY = kHeight / 2.0;

    // The spans of screen pixels whose sample point, taken back into the part, lies within
    // a pixel of it, row by row inside the turned part's bounding box.
    static std::vector<pixman_box32_t> TurnedSpans()
    {
        const double c = std::cos(kAngle);
        const double s = std::sin(kAngle);
        const double halfWidth = (kPartWidth * c + kPartHeight * s) / 2;
        const double halfHeight = (kPartWidth * s + kPartHeight * c) / 2;
        const int left = static_cast<int>(std::floor(kCentreX - halfWidth));
        const int right = static_cast<int>(std::ceil(kCentreX + halfWidth));
        const int top = static_cast<int>(std::floor(kCentreY - halfHeight));
        const int bottom = static_cast<int>(std::ceil(kCentreY + halfHeight));
        std::vector<pixman_box32_t> spans;
        for (int row = top; row < bottom; ++row) {
            int first = -1;
            int last = -1;
            for (int column = left; column < right; ++column) {
                const double ex = column + 0.5 - kCentreX;
                const double ey = row + 0.5 - kCentreY;
                const double u = std::floor(c * ex - s * ey + kPartWidth / 2.0 - 0.5);
                const double v = std::floor(s * ex + c * ey + kPartHeight / 2.0 - 0.5);
                if (u >= -1 && u < kPartWidth && v >= -1 && v < kPartHeight) {
                    first = first < 0 ? column : first;
                    last = column;
                }
            }
            if (first >= 0)
                spans.push_back({first, row, last + 1, row + 1});
        }
        return spans;
    }

    // Only the part is read; around it the library sees transparent black, as ours does.
    pixman_image_t* const mPart = Keep(Wrap(mPictures.mPeerSource.data(), kPartWidth, kPartHeight, kWidth));
};

// A board's worth of tiles: an 86x86 sprite with transparent corners, 36 times.
class Sprites : public PeerPair {
public:
    void DrawOurs() override
    {
        const Rect sprite(0, 0, kSprite, kSprite);
        for (int i = 0; i < kTiles; ++i)
            mPictures.mScreen->Blt(mPictures.mSprite.get(), Column(i), Row(i), sprite, Color::White,
                                   Zest::DRAWMODE_NORMAL);
    }

    void DrawPeer() override
    {
        for (int i = 0; i < kTiles; ++i)
            pixman_image_composite32(PIXMAN_OP_OVER, mSprite, nullptr, mPeerScreen, 0, 0, 0, 0, Column(i), Row(i),
                                     kSprite, kSprite);
    }

private:
    static constexpr int kTiles = 36;
    static int Column(const int tile) { return 100 + (tile % 6) * kSprite; }
    static int Row(const int tile) { return 40 + (tile / 6) * kSprite; }

    pixman_image_t* const mSprite = Keep(Wrap(mPictures.mPeerSprite.data(), kSprite, kSprite, kSprite));
};

template <typename Pair>
std::unique_ptr<DrawingPair> Make()
{
    return std::make_unique<Pair>();
}

} // namespace

const std::vector<DrawingCase>& DrawingCases()
{
    static const std::vector<DrawingCase> cases = {
        {"BlendedBlit", Make<BlendedBlit>},     {"AdditiveBlit", Make<AdditiveBlit>},
        {"TintedBlit", Make<TintedBlit>},       {"StretchedBlit", Make<StretchedBlit>},
        {"RotatedBlit", Make<RotatedBlit>},     {"Sprites", Make<Sprites>},
    };
    return cases;
}

const uint32_t* ScreenPixels()
{
    return Shared().mScreen->GetBits();
}

void ResetScreen()
{
    Pictures& pictures = Shared();
    std::memcpy(pictures.mScreen->GetBits(), pictures.mFirstScreen.data(),
                pictures.mFirstScreen.size() * sizeof(uint32_t));
    pictures.mScreen->BitsChanged();
}

} // namespace Bench
