// Where each drawing call on a display image goes: the 3D screen, the image's surface routines, or the memory image's
// software drawing, and what becomes of the memory copies.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/SysFont.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace DDraw;
using Tests::DesktopFormat;
using Tests::kFormat565;
using Tests::kFormat888;
using Zest::Color;
using Zest::DDImage;
using Zest::DDInterface;
using Zest::Graphics;
using Zest::Image;
using Zest::MemoryImage;
using Zest::Rect;

constexpr int kSize = 16;
constexpr uint32_t kBackground = 0xFF102030;
constexpr uint32_t kGreen = 0xFF00FF00;
const Color kRed(255, 0, 0);
constexpr const char* kSoftware = "software";
constexpr const char* kNothing = "nothing";

// A display image whose surface routines only note that they were called (and draw nothing), so that a drawing call
// shows which way the dispatch sent it.
class RecordingImage : public DDImage {
public:
    using DDImage::DDImage;

    void NormalFillRect(const Rect& rect, const Color&) override { RecordFill("NormalFillRect", rect); }
    void AdditiveFillRect(const Rect& rect, const Color&) override { RecordFill("AdditiveFillRect", rect); }
    void NormalBlt(Image*, int, int, const Rect&, const Color&) override { mCalls.emplace_back("NormalBlt"); }
    void AdditiveBlt(Image*, int, int, const Rect&, const Color&) override { mCalls.emplace_back("AdditiveBlt"); }
    void NormalDrawLine(double, double, double, double, const Color&) override
    {
        mCalls.emplace_back("NormalDrawLine");
    }
    void AdditiveDrawLine(double, double, double, double, const Color&) override
    {
        mCalls.emplace_back("AdditiveDrawLine");
    }
    void NormalDrawLineAA(double, double, double, double, const Color&) override
    {
        mCalls.emplace_back("NormalDrawLineAA");
    }
    void AdditiveDrawLineAA(double, double, double, double, const Color&) override
    {
        mCalls.emplace_back("AdditiveDrawLineAA");
    }
    void NormalMirrorBlt(Image*, int, int, const Rect&, const Color&) override
    {
        mCalls.emplace_back("NormalMirrorBlt");
    }
    void AdditiveMirrorBlt(Image*, int, int, const Rect&, const Color&) override
    {
        mCalls.emplace_back("AdditiveMirrorBlt");
    }
    void BltRotated(Image*, const float x, const float y, const Rect& srcRect, const Rect& clip, const Color& color,
                    const int drawMode, const double angle, const float centreX, const float centreY) override
    {
        mCalls.emplace_back("BltRotated");
        mRotated = RotatedCall{x, y, srcRect, clip, color, drawMode, angle, centreX, centreY};
    }

    struct RotatedCall {
        float mX = -1.0f;
        float mY = -1.0f;
        Rect mSrcRect;
        Rect mClip;
        Color mColor;
        int mDrawMode = -1;
        double mAngle = -1.0;
        float mCentreX = -1.0f;
        float mCentreY = -1.0f;
    };

    std::vector<std::string> mCalls;
    std::vector<Rect> mFills;
    RotatedCall mRotated;

private:
    void RecordFill(const char* name, const Rect& rect)
    {
        mCalls.emplace_back(name);
        mFills.push_back(rect);
    }
};

// The display formats with pure red and pure blue as surface pixels.
struct SurfaceFormat {
    const char* name;
    DesktopFormat format;
    uint32_t red;
    uint32_t blue;
};
const SurfaceFormat kSurfaceFormats[] = {{"32-bit", kFormat888, 0xFF0000, 0x0000FF},
                                         {"5-6-5", kFormat565, 0xF800, 0x001F}};

// The states of the destination that the dispatch tells apart.
enum class Dest {
    Opaque,
    Transparent,   // one pixel has alpha 0
    Alpha,         // one pixel has alpha 128
    ThreeD,        // opaque, 3D on, not the 3D screen
    OldCursorArea, // opaque, 3D on, the display's old cursor-area image
    NewCursorArea, // opaque, 3D on, the display's new cursor-area image
};

enum class Op { FillRect, DrawLine, HorizontalLine, DrawLineAA, Blt, BltMirror, BltAtFloat, ClearRect };

const char* Name(const Op op)
{
    static constexpr const char* kNames[] = {"FillRect", "DrawLine",  "horizontal DrawLine", "DrawLineAA",
                                             "Blt",      "BltMirror", "BltAtFloat",          "ClearRect"};
    return kNames[static_cast<int>(op)];
}

const char* Name(const Dest dest)
{
    static constexpr const char* kNames[] = {"opaque image",
                                             "transparent image",
                                             "image with alpha",
                                             "image while 3D is on",
                                             "old cursor area while 3D is on",
                                             "new cursor area while 3D is on"};
    return kNames[static_cast<int>(dest)];
}

std::string Join(const std::vector<std::string>& calls)
{
    std::string joined;
    for (const std::string& call : calls)
        joined += (joined.empty() ? "" : ", ") + call;
    return joined;
}

// Writes value into every pixel of a 16- or 32-bit surface.
void FillSurface(IDirectDrawSurface* surface, const uint32_t value)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    auto* row = static_cast<uint8_t*>(desc.lpSurface);
    for (DWORD y = 0; y < desc.dwHeight; ++y, row += desc.lPitch) {
        for (DWORD x = 0; x < desc.dwWidth; ++x) {
            if (desc.ddpfPixelFormat.dwRGBBitCount == 16)
                reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(value);
            else
                reinterpret_cast<uint32_t*>(row)[x] = value;
        }
    }
    surface->Unlock(nullptr);
}

// The picture of the given size with `inside` in rect and `outside` elsewhere.
std::vector<uint32_t> PictureWithRect(const int width, const int height, const Rect& rect, const uint32_t inside,
                                      const uint32_t outside)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, outside);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (rect.Contains(x, y))
                pixels[static_cast<size_t>(y) * width + x] = inside;
    return pixels;
}

class DDImageDispatchTest : public Tests::DisplayTest {
protected:
    void TearDown() override
    {
        RestoreDisplay();
        Tests::DisplayTest::TearDown();
    }

    void InitDisplay(const DesktopFormat& format)
    {
        UseDesktopFormat(format);
        ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
        mOldCursorArea = mDisplay->mOldCursorAreaImage;
        mNewCursorArea = mDisplay->mNewCursorAreaImage;
    }

    // 3D off and the display's own cursor-area images back in place.
    void RestoreDisplay()
    {
        if (mDisplay == nullptr)
            return;
        mDisplay->mIs3D = false;
        if (mOldCursorArea != nullptr)
            mDisplay->mOldCursorAreaImage = mOldCursorArea;
        if (mNewCursorArea != nullptr)
            mDisplay->mNewCursorAreaImage = mNewCursorArea;
    }

    template <typename T = RecordingImage>
    std::unique_ptr<T> MakeImage(const std::vector<uint32_t>& pixels, const int width = kSize,
                                 const int height = kSize)
    {
        auto image = std::make_unique<T>(mDisplay.get());
        image->SetBits(pixels.data(), width, height, true);
        return image;
    }

    // A 16 x 16 picture in the given state; the special pixel sits at (15, 15), away from everything the table draws.
    std::unique_ptr<RecordingImage> MakeDest(const Dest dest)
    {
        std::vector<uint32_t> pixels(kSize * kSize, kBackground);
        if (dest == Dest::Transparent)
            pixels.back() = 0x00000000;
        if (dest == Dest::Alpha)
            pixels.back() = 0x80102030;
        auto image = MakeImage(pixels);
        // An image that can have a surface has one, as a display image that was drawn on
        // before: the surface then holds the picture when the memory copies are dropped.
        image->GetSurface();
        mDisplay->mIs3D = dest == Dest::ThreeD || dest == Dest::OldCursorArea || dest == Dest::NewCursorArea;
        if (dest == Dest::OldCursorArea)
            mDisplay->mOldCursorAreaImage = image.get();
        if (dest == Dest::NewCursorArea)
            mDisplay->mNewCursorAreaImage = image.get();
        return image;
    }

    std::unique_ptr<MemoryImage> MakeSource(const uint32_t pixel = kGreen, const int size = 4)
    {
        auto source = std::make_unique<MemoryImage>(&mApp);
        const std::vector<uint32_t> pixels(static_cast<size_t>(size) * size, pixel);
        source->SetBits(pixels.data(), size, size, true);
        return source;
    }

    // One drawing call through a drawing context, as the widgets make them.
    static void Draw(const Op op, DDImage& image, Image& source, const int drawMode)
    {
        Graphics g(&image);
        g.SetColor(kRed);
        g.SetDrawMode(drawMode);
        switch (op) {
        case Op::FillRect:
            g.FillRect(2, 2, 5, 5);
            break;
        case Op::DrawLine:
            g.DrawLine(1, 1, 10, 7);
            break;
        case Op::HorizontalLine:
            g.DrawLine(10, 5, 2, 5);
            break;
        case Op::DrawLineAA:
            g.DrawLineAA(1, 1, 10, 7);
            break;
        case Op::Blt:
            g.DrawImage(&source, 3, 3);
            break;
        case Op::BltMirror:
            g.DrawImageMirror(&source, 3, 3);
            break;
        case Op::BltAtFloat:
            g.DrawImageAtFloat(&source, 3.0f, 3.0f);
            break;
        case Op::ClearRect:
            image.ClearRect(Rect(2, 2, 5, 5));
            break;
        }
    }

    // The image's surface pixels, read through its own lock.
    static std::vector<uint32_t> ImageSurfacePixels(DDImage& image)
    {
        if (!image.LockSurface())
            return {};
        std::vector<uint32_t> pixels = Tests::LockedPixels(image.mLockedDesc);
        image.UnlockSurface();
        return pixels;
    }

    static std::vector<uint32_t> Bits(DDImage& image)
    {
        const uint32_t* const bits = image.GetBits();
        if (bits == nullptr)
            return {};
        return std::vector<uint32_t>(bits, bits + static_cast<size_t>(image.mWidth) * image.mHeight);
    }

    DDImage* mOldCursorArea = nullptr;
    DDImage* mNewCursorArea = nullptr;
};

TEST_F(DDImageDispatchTest, EachCallTakesTheRouteOfItsDestinationAndDrawMode)
{
    // Routes for draw modes 0, 1 and 2: the surface routines called, "software" when the memory copy was drawn on,
    // "nothing" when neither. `dropped`: the memory copies are gone afterwards (in every mode).
    const struct {
        Op op;
        Dest dest;
        const char* routes[3];
        bool dropped;
    } cases[] = {
        {Op::FillRect, Dest::Opaque, {"NormalFillRect", "AdditiveFillRect", kNothing}, true},
        {Op::FillRect, Dest::Transparent, {kSoftware, kSoftware, kSoftware}, false},
        {Op::FillRect, Dest::Alpha, {kSoftware, kSoftware, kSoftware}, false},
        {Op::FillRect, Dest::ThreeD, {kSoftware, kSoftware, kSoftware}, false},
        {Op::FillRect, Dest::OldCursorArea, {kSoftware, kSoftware, kSoftware}, false},

        {Op::DrawLine, Dest::Opaque, {"NormalDrawLine", "AdditiveDrawLine", kNothing}, true},
        {Op::DrawLine, Dest::Transparent, {kSoftware, kSoftware, kNothing}, false},
        {Op::DrawLine, Dest::Alpha, {kSoftware, kSoftware, kNothing}, false},
        {Op::DrawLine, Dest::ThreeD, {kSoftware, kSoftware, kNothing}, false},
        {Op::DrawLine, Dest::OldCursorArea, {kSoftware, kSoftware, kNothing}, false},

        {Op::HorizontalLine, Dest::Opaque, {"NormalFillRect", "AdditiveFillRect", kNothing}, true},

        // The software case is the plain line: an additive antialiased line is drawn too.
        {Op::DrawLineAA, Dest::Opaque, {"NormalDrawLineAA", "AdditiveDrawLineAA", kNothing}, true},
        {Op::DrawLineAA, Dest::Transparent, {kSoftware, kSoftware, kNothing}, false},
        {Op::DrawLineAA, Dest::Alpha, {kSoftware, kSoftware, kNothing}, false},
        {Op::DrawLineAA, Dest::ThreeD, {kSoftware, kSoftware, kNothing}, false},
        {Op::DrawLineAA, Dest::OldCursorArea, {kSoftware, kSoftware, kNothing}, false},

        {Op::Blt, Dest::Opaque, {"NormalBlt", "AdditiveBlt", kNothing}, true},
        {Op::Blt, Dest::Transparent, {kSoftware, kSoftware, kNothing}, false},
        {Op::Blt, Dest::Alpha, {kSoftware, kSoftware, kNothing}, false},
        {Op::Blt, Dest::ThreeD, {kSoftware, kSoftware, kNothing}, false},
        {Op::Blt, Dest::OldCursorArea, {"NormalBlt", "AdditiveBlt", kNothing}, true},
        {Op::Blt, Dest::NewCursorArea, {"NormalBlt", "AdditiveBlt", kNothing}, true},

        // Mirrored blits have no software case. (A destination with partly transparent pixels has no surface at all:
        // see MirroredBlitKeepsAPictureThatCannotHaveASurface.)
        {Op::BltMirror, Dest::Opaque, {"NormalMirrorBlt", "AdditiveMirrorBlt", kNothing}, true},
        {Op::BltMirror, Dest::Transparent, {"NormalMirrorBlt", "AdditiveMirrorBlt", kNothing}, true},
        {Op::BltMirror, Dest::ThreeD, {"NormalMirrorBlt", "AdditiveMirrorBlt", kNothing}, true},
        {Op::BltMirror, Dest::OldCursorArea, {"NormalMirrorBlt", "AdditiveMirrorBlt", kNothing}, true},

        {Op::BltAtFloat, Dest::Opaque, {"BltRotated", "BltRotated", "BltRotated"}, false},
        {Op::BltAtFloat, Dest::Transparent, {"BltRotated", "BltRotated", "BltRotated"}, false},
        {Op::BltAtFloat, Dest::Alpha, {"BltRotated", "BltRotated", "BltRotated"}, false},
        {Op::BltAtFloat, Dest::ThreeD, {"BltRotated", "BltRotated", "BltRotated"}, false},

        // No draw mode: the same call in each column.
        {Op::ClearRect, Dest::Opaque, {kSoftware, kSoftware, kSoftware}, false},
        {Op::ClearRect, Dest::Transparent, {kSoftware, kSoftware, kSoftware}, false},
        {Op::ClearRect, Dest::ThreeD, {kSoftware, kSoftware, kSoftware}, false},
    };
    InitDisplay(kFormat888);
    for (const auto& c : cases) {
        for (int mode = 0; mode < 3; ++mode) {
            SCOPED_TRACE(std::string(Name(c.op)) + " onto " + Name(c.dest) + ", draw mode " + std::to_string(mode));
            const auto source = MakeSource();
            const auto image = MakeDest(c.dest);
            const std::vector<uint32_t> before(image->mBits, image->mBits + kSize * kSize);

            Draw(c.op, *image, *source, mode);

            std::string route = Join(image->mCalls);
            if (route.empty()) {
                const bool drawn = image->mBits != nullptr && !std::equal(before.begin(), before.end(), image->mBits);
                route = drawn ? kSoftware : kNothing;
            }
            EXPECT_EQ(route, c.routes[mode]);
            EXPECT_EQ(image->mBits == nullptr, c.dropped);
            EXPECT_EQ(image->mLockCount, 0);
            RestoreDisplay();
        }
    }
}

TEST_F(DDImageDispatchTest, AxisLinesOnTheSurfaceBecomeFills)
{
    const struct {
        const char* name;
        bool antialiased;
        int drawMode;
        double x1, y1, x2, y2;
        const char* routine;
        Rect fill;
    } cases[] = {
        {"single point", false, 0, 3.0, 4.0, 3.0, 4.0, "NormalFillRect", Rect(3, 4, 1, 1)},
        {"right to left", false, 0, 10.0, 5.0, 2.0, 5.0, "NormalFillRect", Rect(2, 5, 9, 1)},
        {"fractional ends", false, 0, 10.9, 5.5, 2.2, 5.5, "NormalFillRect", Rect(2, 5, 9, 1)},
        {"bottom to top, additive", false, 1, 5.0, 10.0, 5.0, 2.0, "AdditiveFillRect", Rect(5, 2, 1, 9)},
        {"antialiased, right to left", true, 0, 10.0, 5.0, 2.0, 5.0, "NormalFillRect", Rect(2, 5, 9, 1)},
        {"antialiased vertical, additive", true, 1, 7.0, 1.0, 7.0, 3.0, "AdditiveFillRect", Rect(7, 1, 1, 3)},
    };
    InitDisplay(kFormat888);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto image = MakeDest(Dest::Opaque);
        if (c.antialiased)
            image->DrawLineAA(c.x1, c.y1, c.x2, c.y2, kRed, c.drawMode);
        else
            image->DrawLine(c.x1, c.y1, c.x2, c.y2, kRed, c.drawMode);
        EXPECT_EQ(image->mCalls, std::vector<std::string>{c.routine});
        EXPECT_EQ(image->mFills, std::vector<Rect>{c.fill});
        EXPECT_EQ(image->mBits, nullptr);
    }
}

TEST_F(DDImageDispatchTest, FloatBlitIsTheRotatedBlitTurnedByNothing)
{
    InitDisplay(kFormat888);
    const auto source = MakeSource();
    const auto image = MakeDest(Dest::Opaque);
    Graphics g(image.get());
    g.SetDrawMode(Zest::DRAWMODE_ADDITIVE);
    g.Translate(1, 2);
    g.DrawImageAtFloat(source.get(), 2.5f, 3.25f);

    const RecordingImage::RotatedCall& call = image->mRotated;
    EXPECT_EQ(call.mX, 3.5f);
    EXPECT_EQ(call.mY, 5.25f);
    EXPECT_EQ(call.mSrcRect, Rect(0, 0, 4, 4));
    EXPECT_EQ(call.mClip, Rect(0, 0, kSize, kSize));
    EXPECT_EQ(call.mColor, Color::White);
    EXPECT_EQ(call.mDrawMode, Zest::DRAWMODE_ADDITIVE);
    EXPECT_EQ(call.mAngle, 0.0);
    EXPECT_EQ(call.mCentreX, 0.0f);
    EXPECT_EQ(call.mCentreY, 0.0f);
    EXPECT_TRUE(source->mDrawn);
}

TEST_F(DDImageDispatchTest, TheThreeDScreenTakesNothingYet)
{
    InitDisplay(kFormat888);
    auto screen = std::make_unique<RecordingImage>(mDisplay.get());
    screen->SetSurface(mDisplay->mDrawSurface);
    mDisplay->mIs3D = true;
    ASSERT_TRUE(screen->Check3D());
    FillSurface(mDisplay->mDrawSurface, 0x0000FF);
    const std::vector<uint32_t> before = Tests::SurfacePixels(mDisplay->mDrawSurface);

    for (const Op op : {Op::FillRect, Op::DrawLine, Op::HorizontalLine, Op::DrawLineAA, Op::Blt, Op::BltMirror,
                        Op::BltAtFloat, Op::ClearRect}) {
        for (int mode = 0; mode < 3; ++mode) {
            SCOPED_TRACE(std::string(Name(op)) + ", draw mode " + std::to_string(mode));
            const auto source = MakeSource();
            Draw(op, *screen, *source, mode);
            EXPECT_EQ(Join(screen->mCalls), "");
            // Every blit but the mirrored one marks its source as drawn.
            EXPECT_EQ(source->mDrawn, op == Op::Blt || op == Op::BltAtFloat);
        }
    }
    const auto source = MakeSource();
    Graphics g(screen.get());
    Zest::Matrix3 matrix;
    matrix.RotateRad(0.5f);
    g.DrawImageMatrix(source.get(), matrix, Rect(0, 0, 4, 4), 8.0f, 8.0f);
    EXPECT_TRUE(source->mDrawn);
    Zest::Span span{3, 2, 6};
    const std::vector<uint8_t> coverage(kSize * kSize, 255);
    screen->FillScanLinesWithCoverage(&span, 1, kRed, 0, coverage.data(), 0, 0, kSize, kSize);

    EXPECT_EQ(screen->mLockCount, 0);
    EXPECT_TRUE(Tests::SurfacePixels(mDisplay->mDrawSurface) == before) << "the 3D screen was drawn on";
}

TEST_F(DDImageDispatchTest, SkippedFillStillLeavesThePictureToTheSurface)
{
    // Draw mode 2 draws nothing on the surface path, but the memory copies go all the same; the picture must survive
    // that, whether or not the surface had been made yet.
    const std::vector<uint32_t> pixels = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    for (const bool surfaceMade : {true, false}) {
        SCOPED_TRACE(surfaceMade ? "surface made" : "no surface yet");
        InitDisplay(kFormat888);
        const auto image = MakeImage<DDImage>(pixels, 2, 2);
        if (surfaceMade) {
            ASSERT_TRUE(image->GenerateDDSurface());
        }

        image->FillRect(Rect(0, 0, 2, 1), kRed, 2);

        if (surfaceMade) {
            EXPECT_EQ(image->mBits, nullptr);
            EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x112233, 0x445566, 0x778899, 0xAABBCC}));
        }
        EXPECT_EQ(Bits(*image), pixels) << "the picture was lost";
    }
}

TEST_F(DDImageDispatchTest, AdditiveAntialiasedLineDrawsOnlyInSoftware)
{
    InitDisplay(kFormat888);
    std::vector<uint32_t> pixels(kSize * kSize, kBackground);

    // On the surface: nothing, and the memory copies go.
    const auto opaque = MakeImage<DDImage>(pixels);
    ASSERT_TRUE(opaque->GenerateDDSurface());
    const std::vector<uint32_t> surfaceBefore = ImageSurfacePixels(*opaque);
    opaque->DrawLineAA(1.0, 1.0, 10.0, 7.0, kRed, Zest::DRAWMODE_ADDITIVE);
    EXPECT_EQ(opaque->mBits, nullptr);
    EXPECT_EQ(ImageSurfacePixels(*opaque), surfaceBefore);

    // In software: the plain additive line.
    pixels.back() = 0x00000000;
    const auto transparent = MakeImage<DDImage>(pixels);
    transparent->DrawLineAA(1.0, 1.0, 10.0, 7.0, kRed, Zest::DRAWMODE_ADDITIVE);
    MemoryImage reference(&mApp);
    reference.SetBits(pixels.data(), kSize, kSize, true);
    reference.DrawLine(1.0, 1.0, 10.0, 7.0, kRed, Zest::DRAWMODE_ADDITIVE);
    const std::vector<uint32_t> expected(reference.GetBits(), reference.GetBits() + kSize * kSize);
    ASSERT_NE(expected, pixels);
    EXPECT_EQ(Bits(*transparent), expected);
}

TEST_F(DDImageDispatchTest, MirroredBlitKeepsAPictureThatCannotHaveASurface)
{
    // Partly transparent pixels cannot live in a keyed surface, so the mirrored blit cannot draw on one; the picture
    // must not be thrown away for it.
    InitDisplay(kFormat888);
    std::vector<uint32_t> pixels(kSize * kSize, kBackground);
    pixels.back() = 0x80102030;
    const auto image = MakeImage<DDImage>(pixels);
    std::vector<uint32_t> sourcePixels(16, kGreen);
    sourcePixels[0] = 0xFF0000FF; // top-left, so that the mirror shows
    MemoryImage source(&mApp);
    source.SetBits(sourcePixels.data(), 4, 4, true);

    Graphics g(image.get());
    g.DrawImageMirror(&source, 3, 3);

    const std::vector<uint32_t> bits = Bits(*image);
    ASSERT_EQ(bits.size(), pixels.size());
    EXPECT_EQ(bits[0], kBackground);
    EXPECT_EQ(bits.back(), 0x80102030u);
    // Blending onto a picture with alpha may round a channel down by one.
    const auto near = [](const uint32_t a, const uint32_t b) {
        for (const int shift : {24, 16, 8, 0})
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 1)
                return false;
        return true;
    };
    EXPECT_TRUE(near(bits[3 * kSize + 6], 0xFF0000FFu)) << "the mirrored blit left a hole: " << std::hex
                                                      << bits[3 * kSize + 6];
    EXPECT_TRUE(near(bits[3 * kSize + 3], kGreen)) << std::hex << bits[3 * kSize + 3];
}

TEST_F(DDImageDispatchTest, CoverageSpansGoToTheSurfaceWhateverTheFlags)
{
    const Rect span(2, 3, 5, 1);
    const std::vector<uint8_t> coverage(kSize * kSize, 255);
    for (const Dest dest : {Dest::Opaque, Dest::Transparent, Dest::ThreeD}) {
        SCOPED_TRACE(Name(dest));
        InitDisplay(kFormat888);
        std::vector<uint32_t> pixels(kSize * kSize, kBackground);
        if (dest == Dest::Transparent)
            pixels.back() = 0x00000000;
        const auto image = MakeImage<DDImage>(pixels);
        mDisplay->mIs3D = dest == Dest::ThreeD;
        const int changes = image->mBitsChangedCount;

        Zest::Span spans[] = {{span.mY, span.mX, span.mWidth}};
        image->FillScanLinesWithCoverage(spans, 1, kRed, 0, coverage.data(), 0, 0, kSize, kSize);
        EXPECT_EQ(image->mBitsChangedCount, changes) << "drawn in software";
        const std::vector<uint32_t> surface = ImageSurfacePixels(*image);
        ASSERT_EQ(surface.size(), pixels.size());
        EXPECT_GE((surface[3 * kSize + 4] >> 16) & 0xFF, 0xF0u) << "the surface was not drawn on";
        // What the surface took must be what the image's pixels show afterwards: red in the span,
        // everything else as it was.
        std::vector<uint32_t> bits = Bits(*image);
        ASSERT_EQ(bits.size(), pixels.size());
        std::string row;
        for (int x = 0; x < kSize; ++x) {
            uint32_t& pixel = bits[3 * kSize + x];
            row += pixel == kBackground ? '.' : ((pixel >> 16) & 0xFF) >= 0xF0 ? 'R' : '?';
            pixel = pixels[3 * kSize + x];
        }
        EXPECT_EQ(row, "..RRRRR.........") << "the image's pixels do not show what the surface took";
        EXPECT_EQ(bits, pixels) << "drawn outside the span";
        RestoreDisplay();
    }
}

TEST_F(DDImageDispatchTest, MatrixAndTriangleDrawsRasteriseIntoTheLockedSurface)
{
    constexpr int kDestSize = 32;
    const std::vector<uint32_t> black(kDestSize * kDestSize, 0xFF000000);
    const Zest::TriVertex quad[2][3] = {
        {{4.0f, 4.0f, 0.0f, 0.0f}, {12.0f, 4.0f, 1.0f, 0.0f}, {4.0f, 12.0f, 0.0f, 1.0f}},
        {{12.0f, 4.0f, 1.0f, 0.0f}, {12.0f, 12.0f, 1.0f, 1.0f}, {4.0f, 12.0f, 0.0f, 1.0f}},
    };
    for (const SurfaceFormat& f : kSurfaceFormats) {
        for (const bool matrix : {true, false}) {
            SCOPED_TRACE(std::string(f.name) + (matrix ? ", rotated matrix blit" : ", textured triangles"));
            InitDisplay(f.format);
            const auto source = MakeSource(0xFFFF0000, 8);
            const auto image = MakeImage<DDImage>(black, kDestSize, kDestSize);
            if (matrix) {
                Graphics g(image.get());
                Zest::Matrix3 turn;
                turn.RotateRad(0.5f);
                g.DrawImageMatrix(source.get(), turn, Rect(0, 0, 8, 8), 8.0f, 8.0f);
            } else {
                image->BltTrianglesTex(source.get(), quad, 2, Rect(0, 0, kDestSize, kDestSize), Color::White, 0, 0.0f,
                                       0.0f, false);
            }

            EXPECT_TRUE(source->mDrawn);
            EXPECT_EQ(image->mBits, nullptr);
            EXPECT_EQ(image->mLockCount, 0);
            const std::vector<uint32_t> surface = ImageSurfacePixels(*image);
            ASSERT_EQ(surface.size(), black.size());
            const uint32_t colourMask = f.format.red | f.format.green | f.format.blue;
            EXPECT_EQ(surface[8 * kDestSize + 8] & colourMask, f.red) << "the centre was not drawn";
            EXPECT_EQ(surface[0] & colourMask, 0u);
            EXPECT_EQ(surface[kDestSize * kDestSize - 1] & colourMask, 0u);
        }
    }
}

TEST_F(DDImageDispatchTest, SoftwareDrawingGoesIntoAHandedInSurface)
{
    // The screen image and the cursor areas keep the surface they were handed: software drawing on them must end up
    // in that surface, which is what the display shows.
    const Rect rect(2, 3, 4, 5);
    for (const SurfaceFormat& f : kSurfaceFormats) {
        for (const bool cursorArea : {false, true}) {
            for (const bool clear : {false, true}) {
                SCOPED_TRACE(std::string(f.name) + (cursorArea ? ", cursor area with 3D on" : ", screen") +
                             (clear ? ", ClearRect" : ", FillRect"));
                InitDisplay(f.format);
                DDImage* const image = cursorArea ? mDisplay->mOldCursorAreaImage : mDisplay->GetScreenImage();
                IDirectDrawSurface* const surface = image->mSurface;
                ASSERT_NE(surface, nullptr);
                if (cursorArea)
                    mDisplay->mIs3D = true;
                else
                    image->SetImageMode(true, false);
                FillSurface(surface, f.blue);

                if (clear) {
                    image->ClearRect(rect);
                } else {
                    Graphics g(image);
                    g.SetColor(kRed);
                    g.FillRect(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
                }

                EXPECT_EQ(image->mSurface, surface);
                EXPECT_EQ(image->mLockCount, 0);
                EXPECT_TRUE(Tests::SurfacePixels(surface) ==
                            PictureWithRect(image->mWidth, image->mHeight, rect, clear ? 0 : f.red, f.blue))
                    << "the surface does not show the drawing";
                RestoreDisplay();
            }
        }
    }
}

TEST_F(DDImageDispatchTest, LockDisabledScreenIsNotDrawnInSoftware)
{
    InitDisplay(kFormat888);
    DDImage* const screen = mDisplay->GetScreenImage();
    IDirectDrawSurface* const surface = screen->mSurface;
    screen->mLockDisabled = true;
    // Transparency flags send every fill, line and blit to software.
    screen->SetImageMode(true, false);
    FillSurface(surface, 0x0000FF);
    const std::vector<uint32_t> before = Tests::SurfacePixels(surface);

    for (const Op op : {Op::FillRect, Op::DrawLine, Op::HorizontalLine, Op::DrawLineAA, Op::Blt, Op::ClearRect}) {
        SCOPED_TRACE(Name(op));
        const auto source = MakeSource();
        Draw(op, *screen, *source, 0);
        EXPECT_EQ(screen->GetBits(), nullptr);
        EXPECT_EQ(screen->mSurface, surface);
        EXPECT_EQ(screen->mLockCount, 0);
    }
    EXPECT_TRUE(Tests::SurfacePixels(surface) == before) << "a lock-disabled screen was drawn on";
}

TEST_F(DDImageDispatchTest, SystemFontTextLandsOnTheSurfaceInsideItsBox)
{
    InitDisplay(kFormat565);
    constexpr int kWidth = 96;
    constexpr int kHeight = 32;
    const auto image = MakeImage<DDImage>(std::vector<uint32_t>(kWidth * kHeight, 0xFF000000), kWidth, kHeight);
    ASSERT_TRUE(image->GenerateDDSurface());
    const std::vector<uint32_t> before = ImageSurfacePixels(*image);
    Zest::SysFont font(&mApp, "DejaVu Sans", 12);
    ASSERT_TRUE(font.HasFace());
    const std::string text = "Wave";
    const Rect box(6, 22 - font.GetAscent(), font.StringWidth(text), font.GetHeight());

    Graphics g(image.get());
    g.SetFont(&font);
    g.SetColor(Color(255, 255, 255));
    g.DrawString(text, box.mX, 22);

    EXPECT_EQ(image->mBits, nullptr);
    const std::vector<uint32_t> after = ImageSurfacePixels(*image);
    ASSERT_EQ(after.size(), before.size());
    int changedInside = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            if (after[i] == before[i])
                continue;
            if (box.Contains(x, y))
                ++changedInside;
            else
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside the text box changed";
        }
    }
    EXPECT_GT(changedInside, 20) << "the text did not reach the surface";
    EXPECT_EQ(image->mBits, nullptr);
}

} // namespace
