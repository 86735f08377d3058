#include "framework/graphics/TriangleRasterizer.h"

#include "framework/graphics/Blend.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

namespace Zest {

namespace {

// Orders the ends of an edge the same way whichever direction the edge is walked in, so
// that two triangles sharing an edge get bit-identical crossing points on it and their
// clipped polygons still meet without a gap or an overlap.
bool Precedes(const TriVertex& a, const TriVertex& b)
{
    return a.mX < b.mX || (a.mX == b.mX && a.mY < b.mY);
}

uint32_t InterpolateColor(const uint32_t a, const uint32_t b, const double t)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double from = (a >> shift) & 0xFF;
        const double to = (b >> shift) & 0xFF;
        const auto channel = static_cast<uint32_t>(std::clamp(from + (to - from) * t, 0.0, 255.0));
        result |= channel << shift;
    }
    return result;
}

TriVertex InterpolateVertex(const TriVertex& a, const TriVertex& b, const double t)
{
    // Double precision keeps the difference of two extreme floats finite.
    const auto lerp = [t](const float from, const float to) {
        return static_cast<float>(from + (static_cast<double>(to) - from) * t);
    };
    return {lerp(a.mX, b.mX), lerp(a.mY, b.mY), lerp(a.mU, b.mU), lerp(a.mV, b.mV),
            InterpolateColor(a.mColor, b.mColor, t)};
}

// One Sutherland-Hodgman stage: walks the closed polygon edge by edge, keeping the inner
// ends and adding a crossing point wherever an edge crosses the boundary. A result that
// would not fit (only possible for a polygon made non-convex by rounding) drops the polygon.
template <typename IsInside, typename Cross>
int ClipStage(const TriVertex* in, const int count, TriVertex* out, const IsInside& isInside, const Cross& cross)
{
    int outCount = 0;
    for (int i = 0; i < count; ++i) {
        const TriVertex& from = in[i];
        const TriVertex& to = in[(i + 1) % count];
        const bool fromInside = isInside(from);
        const bool toInside = isInside(to);
        const int needed = (fromInside ? 1 : 0) + (fromInside != toInside ? 1 : 0);
        if (outCount + needed > kMaxClipVertices)
            return 0;
        if (fromInside)
            out[outCount++] = from;
        if (fromInside != toInside)
            out[outCount++] = cross(from, to);
    }
    return outCount;
}

bool IsFinite(const TriVertex& vertex)
{
    return std::isfinite(vertex.mX) && std::isfinite(vertex.mY);
}

// Rounds to fixed point with the given number of fraction bits, clamped to +-limit so
// that any input, even a non-finite one, gives a defined value.
int64_t ToFixed(const double value, const int fractionBits, const double limit)
{
    if (!std::isfinite(value))
        return 0;
    return std::llround(std::ldexp(std::clamp(value, -limit, limit), fractionBits));
}

FixedVertex ToFixedVertex(const TriVertex& vertex, const ClipBounds& bounds, const SpanTexture* texture)
{
    // Clipping leaves every vertex inside the bounds up to rounding; clamping makes the
    // 16.16 positions safe whatever the rounding did.
    constexpr double kPositionLimit = 32767.0;
    constexpr double kTexelLimit = 1073741824.0; // 2^30 texels
    FixedVertex fixed;
    fixed.mX = static_cast<int32_t>(
        ToFixed(std::clamp(vertex.mX, bounds.mLeft, bounds.mRight), 16, kPositionLimit));
    fixed.mY = static_cast<int32_t>(
        ToFixed(std::clamp(vertex.mY, bounds.mTop, bounds.mBottom), 16, kPositionLimit));
    if (texture != nullptr) {
        fixed.mU = ToFixed(static_cast<double>(vertex.mU) * texture->mWidth, 16, kTexelLimit);
        fixed.mV = ToFixed(static_cast<double>(vertex.mV) * texture->mHeight, 16, kTexelLimit);
    }
    fixed.mA = static_cast<int32_t>((vertex.mColor >> 24) << 16);
    fixed.mR = static_cast<int32_t>(((vertex.mColor >> 16) & 0xFF) << 16);
    fixed.mG = static_cast<int32_t>(((vertex.mColor >> 8) & 0xFF) << 16);
    fixed.mB = static_cast<int32_t>((vertex.mColor & 0xFF) << 16);
    return fixed;
}

constexpr uint32_t kWhite = 0xFFFFFFFF;

// Floor of numerator / denominator for a positive denominator.
int64_t FloorDiv(const int64_t numerator, const int64_t denominator)
{
    const int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// One edge of a triangle in 24.8 fixed point, oriented so that the inside is where its
// function is positive. A pixel centre exactly on the edge belongs to the triangle when the
// edge is a left or a top edge: of two triangles sharing an edge exactly one draws it.
struct Edge {
    int64_t mX = 0;
    int64_t mY = 0;
    int64_t mDx = 0;
    int64_t mDy = 0;
    bool mInclusive = false;

    Edge() = default;
    Edge(const int64_t x0, const int64_t y0, const int64_t x1, const int64_t y1)
        : mX(x0), mY(y0), mDx(x1 - x0), mDy(y1 - y0), mInclusive(mDy < 0 || (mDy == 0 && mDx > 0))
    {
    }

    // Narrows [first, last] to the columns of row y whose centres lie inside the edge.
    void LimitRow(const int64_t y, int64_t& first, int64_t& last) const
    {
        // Inside at column x: coefficient * x + rest > 0 (>= 0 when inclusive).
        const int64_t coefficient = -mDy * 256;
        const int64_t rest = mDy * mX + mDx * (y * 256 - mY);
        if (coefficient > 0) {
            first = std::max(first, mInclusive ? -FloorDiv(rest, coefficient) : FloorDiv(-rest, coefficient) + 1);
        } else if (coefficient < 0) {
            const int64_t divisor = -coefficient;
            last = std::min(last, mInclusive ? FloorDiv(rest, divisor) : -FloorDiv(-rest, divisor) - 1);
        } else if (rest < 0 || (rest == 0 && !mInclusive)) {
            last = first - 1;
        }
    }
};

// A quantity interpolated linearly across a triangle, stepped along a span in 32.32 fixed
// point. Unsigned arithmetic wraps instead of overflowing on the step past a span's end.
class Interpolator {
public:
    Interpolator() = default;

    Interpolator(const double value0, const double dx, const double dy, const double x0, const double y0)
        : mValue0(value0), mDx(dx), mDy(dy), mX0(x0), mY0(y0)
    {
    }

    void StartSpan(const int64_t x, const int64_t y)
    {
        constexpr double kLimit = 1073741824.0; // 2^30
        const double value = mValue0 + mDx * (static_cast<double>(x) - mX0) + mDy * (static_cast<double>(y) - mY0);
        mFixed = static_cast<uint64_t>(ToFixed(value, 32, kLimit));
        mStep = static_cast<uint64_t>(ToFixed(mDx, 32, kLimit));
    }

    void Step() { mFixed += mStep; }
    int64_t Fixed() const { return static_cast<int64_t>(mFixed); }
    uint32_t Channel() const { return static_cast<uint32_t>(std::clamp<int64_t>(Fixed() >> 32, 0, 255)); }

private:
    double mValue0 = 0.0;
    double mDx = 0.0;
    double mDy = 0.0;
    double mX0 = 0.0;
    double mY0 = 0.0;
    uint64_t mFixed = 0;
    uint64_t mStep = 0;
};

// The geometry of a triangle: its three edges, its rows and the plane equations of its
// vertex quantities.
class TriangleSetup {
public:
    // False for a triangle with no area.
    bool Init(const TriangleRecord& triangle)
    {
        mVertices = triangle.mVertices;
        const auto& v = mVertices;
        const int64_t doubleArea = (Pos(v[1].mX) - Pos(v[0].mX)) * (Pos(v[2].mY) - Pos(v[0].mY)) -
                                   (Pos(v[2].mX) - Pos(v[0].mX)) * (Pos(v[1].mY) - Pos(v[0].mY));
        if (doubleArea == 0)
            return false;
        // Clockwise on the screen (y down), so that every edge function is positive inside.
        if (doubleArea < 0)
            std::swap(mVertices[1], mVertices[2]);
        for (int i = 0; i < 3; ++i) {
            const FixedVertex& from = mVertices[i];
            const FixedVertex& to = mVertices[(i + 1) % 3];
            mEdges[i] = Edge(Pos(from.mX), Pos(from.mY), Pos(to.mX), Pos(to.mY));
        }
        mTop = mBottom = mVertices[0].mY;
        for (const FixedVertex& vertex : mVertices) {
            mTop = std::min(mTop, vertex.mY);
            mBottom = std::max(mBottom, vertex.mY);
        }
        return true;
    }

    // Rows of pixel centres the triangle may cover.
    int64_t FirstRow() const { return FloorDiv(mTop, 65536); }
    int64_t LastRow() const { return FloorDiv(mBottom, 65536) + 1; }

    void LimitRow(const int64_t y, int64_t& first, int64_t& last) const
    {
        for (const Edge& edge : mEdges)
            edge.LimitRow(y, first, last);
    }

    // The plane through the three values of a vertex quantity, in units of value.
    template <typename Field>
    Interpolator Plane(const Field field, const double unit) const
    {
        const auto x = [this](const int i) { return mVertices[i].mX / 65536.0; };
        const auto y = [this](const int i) { return mVertices[i].mY / 65536.0; };
        const auto f = [this, field, unit](const int i) { return static_cast<double>(mVertices[i].*field) / unit; };
        const double area = (x(1) - x(0)) * (y(2) - y(0)) - (x(2) - x(0)) * (y(1) - y(0));
        if (area == 0.0)
            return Interpolator(f(0), 0.0, 0.0, x(0), y(0));
        const double dx = ((f(1) - f(0)) * (y(2) - y(0)) - (f(2) - f(0)) * (y(1) - y(0))) / area;
        const double dy = ((f(2) - f(0)) * (x(1) - x(0)) - (f(1) - f(0)) * (x(2) - x(0))) / area;
        return Interpolator(f(0), dx, dy, x(0), y(0));
    }

private:
    // 16.16 to the 24.8 of the edge functions, whose products then fit 64 bits.
    static int64_t Pos(const int32_t value) { return value >> 8; }

    std::array<FixedVertex, 3> mVertices;
    std::array<Edge, 3> mEdges;
    int32_t mTop = 0;
    int32_t mBottom = 0;
};

uint32_t Texel(const SpanTexture& texture, const int64_t x, const int64_t y)
{
    const Rect& area = texture.mSampleArea;
    const int64_t column = std::clamp<int64_t>(x - area.mX, 0, area.mWidth - 1);
    const int64_t row = std::clamp<int64_t>(y - area.mY, 0, area.mHeight - 1);
    return texture.mBits[row * texture.mPitch + column];
}

// The texel under the sample point (u, v in 32.32 texels).
uint32_t SampleNearest(const SpanTexture& texture, const int64_t u, const int64_t v)
{
    return Texel(texture, u >> 32, v >> 32);
}

// The four texels around the sample point weighted by their overlap with a texel-sized
// square centred on it. With blending the colours are weighted by alpha as well, so that
// transparent texels lend no colour to their neighbours.
template <bool Blended>
uint32_t SampleBilinear(const SpanTexture& texture, const int64_t u, const int64_t v)
{
    // Texel centres sit half a texel in: move them onto whole coordinates.
    const int64_t x = u - (int64_t{1} << 31);
    const int64_t y = v - (int64_t{1} << 31);
    const int64_t column = x >> 32;
    const int64_t row = y >> 32;
    const uint32_t fx = static_cast<uint32_t>(x >> 24) & 0xFF;
    const uint32_t fy = static_cast<uint32_t>(y >> 24) & 0xFF;
    const std::array<uint32_t, 4> texels = {Texel(texture, column, row), Texel(texture, column + 1, row),
                                            Texel(texture, column, row + 1), Texel(texture, column + 1, row + 1)};
    const std::array<uint32_t, 4> weights = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy, fx * fy};
    uint64_t alphaSum = 0;
    std::array<uint64_t, 3> sums = {0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const uint64_t weight = Blended ? uint64_t{weights[i]} * (texels[i] >> 24) : weights[i];
        alphaSum += weight;
        for (int channel = 0; channel < 3; ++channel)
            sums[channel] += weight * ((texels[i] >> (channel * 8)) & 0xFF);
    }
    if (alphaSum == 0)
        return 0;
    uint32_t result = 0;
    for (int channel = 0; channel < 3; ++channel)
        result |= static_cast<uint32_t>((sums[channel] + alphaSum / 2) / alphaSum) << (channel * 8);
    const uint64_t alpha = Blended ? (alphaSum + 0x8000) >> 16 : 255;
    return result | static_cast<uint32_t>(alpha << 24);
}

uint32_t Modulate(const uint32_t a, const uint32_t b)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= ((((a >> shift) & 0xFF) * ((b >> shift) & 0xFF)) / 255) << shift;
    return result;
}

// The pixels are blended with the formulas of the ordinary blits (Blend.h), so that a matrix
// draw mapping texels one to one onto pixels writes what the ordinary blit writes. The tint
// may change from pixel to pixel (an interpolated vertex colour), so the tinted mix is
// computed here rather than through the blits' per-colour operations: the source scaled by
// the tint and laid over the destination with weight w, red and blue together for a grey.
uint32_t MixTinted(const uint32_t dest, const uint32_t src, const uint32_t weight, const uint32_t alpha,
                   const uint32_t tint)
{
    const uint32_t tintRed = (tint >> 16) & 0xFF;
    const uint32_t tintGreen = (tint >> 8) & 0xFF;
    const uint32_t tintBlue = tint & 0xFF;
    if (tintRed == tintGreen && tintRed == tintBlue) {
        const uint32_t srcRedBlue = (((((src & 0x00FF00FF) * tintRed) >> 8) & 0x00FF00FF) * weight) >> 8;
        const uint32_t srcGreen = ((src & 0x0000FF00) * weight * tintRed) >> 16;
        const uint32_t redBlue = (((dest & 0x00FF00FF) * (256 - weight)) >> 8) + srcRedBlue;
        const uint32_t green = (((dest & 0x0000FF00) * (256 - weight)) >> 8) + srcGreen;
        return (redBlue & 0x00FF00FF) | (green & 0x0000FF00) | (alpha << 24);
    }
    const uint32_t red = (((((src & 0x00FF0000) * weight) >> 8) * tintRed) >> 8) & 0x00FF0000;
    const uint32_t green = (((src & 0x0000FF00) * weight * tintGreen) >> 16) & 0x0000FF00;
    const uint32_t blue = (((src & 0x000000FF) * weight * tintBlue) >> 16) & 0x000000FF;
    const uint32_t destRed = (((dest & 0x00FF0000) * (256 - weight)) >> 8) & 0x00FF0000;
    const uint32_t destGreen = (((dest & 0x0000FF00) * (256 - weight)) >> 8) & 0x0000FF00;
    const uint32_t destBlue = (((dest & 0x000000FF) * (256 - weight)) >> 8) & 0x000000FF;
    return (red + destRed) | (green + destGreen) | (blue + destBlue) | (alpha << 24);
}

// Normal mode: the source (alpha sa, already 255 when the texels' alpha is not used) over
// the destination. An opaque destination stays opaque and takes opaque texels unchanged.
// Three destination layouts share the opaque form; inlined, it costs the hot loops no call.
template <bool OpaqueDest>
[[gnu::always_inline]] inline void BlendPixel(uint32_t& dest, const uint32_t src, const uint32_t sourceAlpha,
                                              const uint32_t tint, const bool tinted)
{
    const uint32_t alpha = tinted ? sourceAlpha * (tint >> 24) / 255 : sourceAlpha;
    if (alpha == 0)
        return;
    if (OpaqueDest) {
        if (!tinted && alpha == 255)
            dest = src | 0xFF000000;
        else
            dest = tinted ? MixTinted(dest, src, alpha, 255, tint) : Blend::Mix(dest, src, alpha) | 0xFF000000;
        return;
    }
    static const uint16_t* const overBlend = Blend::OverBlendTable();
    const uint32_t entry = Blend::OverBlendEntry(overBlend, dest, alpha);
    const uint32_t weight = entry & 0xFF;
    const uint32_t outAlpha = entry >> 8;
    dest = tinted ? MixTinted(dest, src, weight, outAlpha, tint) : Blend::Mix(dest, src, weight) | (outAlpha << 24);
}

// Additive mode: each channel of the source, scaled by the tint and (when the texels'
// alpha is used) by its alpha, added with saturation; the destination alpha is kept.
void AddPixel(uint32_t& dest, const uint32_t src, const bool useAlpha, const uint32_t tint, const bool tinted)
{
    const uint32_t sourceAlpha = src >> 24;
    const uint32_t tintAlpha = tint >> 24;
    uint32_t result = dest & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = (src >> shift) & 0xFF;
        uint32_t add = channel;
        if (tinted) {
            const uint32_t scale = ((tint >> shift) & 0xFF) * tintAlpha / 255;
            if (!useAlpha)
                add = (channel * scale) >> 8;
            else if (shift == 0)
                add = (((channel * scale) >> 8) * sourceAlpha) >> 8;
            else
                add = (channel * scale * sourceAlpha) >> 16;
        } else if (useAlpha) {
            add = (channel * sourceAlpha) >> 8;
        }
        result |= std::min<uint32_t>(((dest >> shift) & 0xFF) + add, 255) << shift;
    }
    dest = result;
}

// How a span routine reaches the destination's pixels: Open gives the pixel as a 32-bit
// ARGB value to draw on (keeping it in widened when it has to be converted) and Close
// writes that value back. 32-bit pixels are drawn on in place.
struct Pixels32 {
    using Pixel = uint32_t;

    static uint32_t& Open(uint32_t& pixel, uint32_t&) { return pixel; }
    static void Close(uint32_t&, const uint32_t) {}
};

// A 16-bit layout with 5-bit red and blue fields, blue in the low bits and green (GreenBits
// wide) between them, widened to an opaque 32-bit pixel and narrowed back as the header
// describes.
template <int GreenBits>
struct Pixels16 {
    using Pixel = uint16_t;

    static constexpr int kRedShift = 5 + GreenBits;
    static constexpr uint32_t kGreenMask = (1u << GreenBits) - 1;
    static constexpr uint32_t kColorMask = (1u << (kRedShift + 5)) - 1;

    static uint32_t& Open(const uint16_t pixel, uint32_t& widened)
    {
        const uint32_t red = (pixel >> kRedShift) & 0x1F;
        const uint32_t green = (pixel >> 5) & kGreenMask;
        const uint32_t blue = pixel & 0x1F;
        widened = 0xFF000000 | (red << 19) | (green << (16 - GreenBits)) | (blue << 3);
        return widened;
    }

    static void Close(uint16_t& pixel, const uint32_t color)
    {
        const uint32_t red = (color >> 19) & 0x1F;
        const uint32_t green = (color >> (16 - GreenBits)) & kGreenMask;
        const uint32_t blue = (color >> 3) & 0x1F;
        pixel = static_cast<uint16_t>((red << kRedShift) | (green << 5) | blue | (pixel & ~kColorMask));
    }
};

template <uint32_t Index>
using DestPixels = std::conditional_t<
    (Index & kSpanFormatMask) == kSpanFormat565, Pixels16<6>,
    std::conditional_t<(Index & kSpanFormatMask) == kSpanFormat555, Pixels16<5>, Pixels32>>;

// The span routine of one index: every row of the triangle inside the clip, every pixel of
// the row sampled, coloured and written by the index's rules.
template <uint32_t Index>
void DrawTriangle(const TriangleRecord& triangle, const RasterTarget& target, const SpanTexture* texture,
                  const uint32_t color)
{
    constexpr bool kLinear = (Index & kSpanLinear) != 0;
    constexpr bool kTinted = (Index & kSpanTinted) != 0;
    constexpr bool kVertexColor = (Index & kSpanVertexColor) != 0;
    constexpr bool kBlended = (Index & kSpanBlended) != 0;
    constexpr bool kTextured = (Index & kSpanTextured) != 0;
    // Only 8888 has an alpha channel.
    constexpr bool kOpaqueDest = (Index & kSpanFormatMask) != 0;
    constexpr bool kAdditive = (Index & kSpanAdditive) != 0;
    using Pixels = DestPixels<Index>;

    TriangleSetup setup;
    if (!setup.Init(triangle))
        return;
    const Rect& clip = target.mClip;
    Interpolator u;
    Interpolator v;
    if constexpr (kTextured) {
        u = setup.Plane(&FixedVertex::mU, 65536.0);
        v = setup.Plane(&FixedVertex::mV, 65536.0);
    }
    std::array<Interpolator, 4> channels;
    if constexpr (kVertexColor) {
        channels = {setup.Plane(&FixedVertex::mA, 65536.0), setup.Plane(&FixedVertex::mR, 65536.0),
                    setup.Plane(&FixedVertex::mG, 65536.0), setup.Plane(&FixedVertex::mB, 65536.0)};
    }
    const int64_t firstRow = std::max<int64_t>(setup.FirstRow(), clip.mY);
    const int64_t lastRow = std::min<int64_t>(setup.LastRow(), int64_t{clip.mY} + clip.mHeight - 1);
    for (int64_t y = firstRow; y <= lastRow; ++y) {
        int64_t first = clip.mX;
        int64_t last = int64_t{clip.mX} + clip.mWidth - 1;
        setup.LimitRow(y, first, last);
        if (first > last)
            continue;
        if constexpr (kTextured) {
            u.StartSpan(first, y);
            v.StartSpan(first, y);
        }
        if constexpr (kVertexColor) {
            for (Interpolator& channel : channels)
                channel.StartSpan(first, y);
        }
        auto* const row = reinterpret_cast<typename Pixels::Pixel*>(target.mBits + y * target.mPitch);
        for (int64_t x = first; x <= last; ++x) {
            uint32_t src = kWhite;
            if constexpr (kTextured) {
                src = kLinear ? SampleBilinear<kBlended>(*texture, u.Fixed(), v.Fixed())
                              : SampleNearest(*texture, u.Fixed(), v.Fixed());
                u.Step();
                v.Step();
            }
            uint32_t tint = color;
            bool tinted = kTinted;
            if constexpr (kVertexColor) {
                const uint32_t vertexColor = (channels[0].Channel() << 24) | (channels[1].Channel() << 16) |
                                             (channels[2].Channel() << 8) | channels[3].Channel();
                for (Interpolator& channel : channels)
                    channel.Step();
                tint = kTinted ? Modulate(vertexColor, color) : vertexColor;
                tinted = tint != kWhite;
            }
            uint32_t widened = 0;
            uint32_t& dest = Pixels::Open(row[x], widened);
            if constexpr (kAdditive)
                AddPixel(dest, src, kBlended, tint, tinted);
            else
                BlendPixel<kOpaqueDest>(dest, src, kBlended ? src >> 24 : 255, tint, tinted);
            Pixels::Close(row[x], dest);
        }
    }
}

using SpanRoutine = void (*)(const TriangleRecord&, const RasterTarget&, const SpanTexture*, uint32_t);

template <size_t... Indices>
constexpr std::array<SpanRoutine, kSpanRoutineCount> MakeSpanRoutines(std::index_sequence<Indices...>)
{
    return {&DrawTriangle<static_cast<uint32_t>(Indices)>...};
}

constexpr std::array<SpanRoutine, kSpanRoutineCount> kSpanRoutines =
    MakeSpanRoutines(std::make_index_sequence<kSpanRoutineCount>());

} // namespace

TriVertex InterpolateClipVertexX(const TriVertex& a, const TriVertex& b, const float boundary)
{
    const TriVertex& from = Precedes(b, a) ? b : a;
    const TriVertex& to = Precedes(b, a) ? a : b;
    TriVertex crossing =
        InterpolateVertex(from, to, (boundary - static_cast<double>(from.mX)) / (static_cast<double>(to.mX) - from.mX));
    crossing.mX = boundary;
    return crossing;
}

TriVertex InterpolateClipVertexY(const TriVertex& a, const TriVertex& b, const float boundary)
{
    const TriVertex& from = Precedes(b, a) ? b : a;
    const TriVertex& to = Precedes(b, a) ? a : b;
    TriVertex crossing =
        InterpolateVertex(from, to, (boundary - static_cast<double>(from.mY)) / (static_cast<double>(to.mY) - from.mY));
    crossing.mY = boundary;
    return crossing;
}

int ClipPolygonLeft(const TriVertex* in, const int count, const float boundary, TriVertex* out)
{
    return ClipStage(
        in, count, out, [boundary](const TriVertex& vertex) { return vertex.mX >= boundary; },
        [boundary](const TriVertex& a, const TriVertex& b) { return InterpolateClipVertexX(a, b, boundary); });
}

int ClipPolygonRight(const TriVertex* in, const int count, const float boundary, TriVertex* out)
{
    return ClipStage(
        in, count, out, [boundary](const TriVertex& vertex) { return vertex.mX <= boundary; },
        [boundary](const TriVertex& a, const TriVertex& b) { return InterpolateClipVertexX(a, b, boundary); });
}

int ClipPolygonTop(const TriVertex* in, const int count, const float boundary, TriVertex* out)
{
    return ClipStage(
        in, count, out, [boundary](const TriVertex& vertex) { return vertex.mY >= boundary; },
        [boundary](const TriVertex& a, const TriVertex& b) { return InterpolateClipVertexY(a, b, boundary); });
}

int ClipPolygonBottom(const TriVertex* in, const int count, const float boundary, TriVertex* out)
{
    return ClipStage(
        in, count, out, [boundary](const TriVertex& vertex) { return vertex.mY <= boundary; },
        [boundary](const TriVertex& a, const TriVertex& b) { return InterpolateClipVertexY(a, b, boundary); });
}

int ClipPolygon(const TriVertex (&triangle)[3], const ClipBounds& bounds, ClipVertices& out)
{
    ClipVertices scratch;
    std::copy(std::begin(triangle), std::end(triangle), out.begin());
    int count = ClipPolygonLeft(out.data(), 3, bounds.mLeft, scratch.data());
    if (count >= 3)
        count = ClipPolygonRight(scratch.data(), count, bounds.mRight, out.data());
    if (count >= 3)
        count = ClipPolygonTop(out.data(), count, bounds.mTop, scratch.data());
    if (count >= 3)
        count = ClipPolygonBottom(scratch.data(), count, bounds.mBottom, out.data());
    return count >= 3 ? count : 0;
}

uint32_t SpanRoutineIndex(const RasterStyle& style, const int format)
{
    const bool textured = style.mTexture != nullptr;
    uint32_t index = 0;
    if (style.mLinear)
        index |= kSpanLinear;
    if (style.mColor != kWhite)
        index |= kSpanTinted;
    if (style.mVertexColor)
        index |= kSpanVertexColor;
    if (textured && style.mBlended)
        index |= kSpanBlended;
    if (textured)
        index |= kSpanTextured;
    if (format == kFormat888)
        index |= kSpanFormat888;
    else if (format == kFormat565)
        index |= kSpanFormat565;
    else if (format == kFormat555)
        index |= kSpanFormat555;
    if (style.mAdditive)
        index |= kSpanAdditive;
    return index;
}

void RasterizeTriangleSpans(const uint32_t index, const TriangleRecord& triangle, const RasterTarget& target,
                            const SpanTexture* texture, const uint32_t color)
{
    if (index >= kSpanRoutines.size())
        return;
    kSpanRoutines[index](triangle, target, texture, color);
}

void RasterizeTexturedPolygon(const TriVertex* vertices, const int count, const RasterStyle& style,
                              const RasterTarget& target)
{
    const Rect& clip = target.mClip;
    if (clip.mWidth <= 0 || clip.mHeight <= 0)
        return;
    // The clip boundaries are the outer edges of the clip rectangle's border pixels, so the
    // clipped polygon covers exactly the pixel centres it covered inside the rectangle.
    const ClipBounds bounds{static_cast<float>(clip.mX) - 0.5f, static_cast<float>(clip.mX + clip.mWidth) - 0.5f,
                            static_cast<float>(clip.mY) - 0.5f, static_cast<float>(clip.mY + clip.mHeight) - 0.5f};
    const uint32_t index = SpanRoutineIndex(style, target.mFormat);
    for (int i = 0; i + 2 < count; ++i) {
        const bool odd = (i % 2) != 0;
        const TriVertex triangle[3] = {vertices[i], vertices[odd ? i + 2 : i + 1], vertices[odd ? i + 1 : i + 2]};
        if (!IsFinite(triangle[0]) || !IsFinite(triangle[1]) || !IsFinite(triangle[2]))
            continue;
        ClipVertices clipped;
        const int clippedCount = ClipPolygon(triangle, bounds, clipped);
        std::array<FixedVertex, kMaxClipVertices> fixed;
        for (int k = 0; k < clippedCount; ++k)
            fixed[k] = ToFixedVertex(clipped[k], bounds, style.mTexture);
        for (int k = 1; k + 1 < clippedCount; ++k)
            RasterizeTriangleSpans(index, TriangleRecord{{fixed[0], fixed[k], fixed[k + 1]}}, target, style.mTexture,
                                   style.mColor);
    }
}

} // namespace Zest
