#pragma once
// The software rasteriser behind the matrix blit and the textured triangles. Polygons with
// per-vertex texture coordinates and colours are clipped against the clip rectangle,
// converted to fixed point and drawn triangle by triangle by a span routine picked from a
// table by the drawing flags and the destination format.
//
// Pixel centres lie on whole coordinates, as the 3D device has them: the pixel (x, y)
// covers the square from (x - 0.5, y - 0.5) to (x + 0.5, y + 0.5) and is drawn when its
// centre lies inside a triangle (a centre on an edge belongs to the triangle to the right of
// or below that edge, so triangles sharing an edge never draw a pixel twice). Texture
// coordinates put texel i of a texture n texels wide between i / n and (i + 1) / n, so
// nearest sampling takes the texel under the centre and bilinear sampling at a texel centre
// reproduces the texel.

#include "framework/graphics/Geometry.h"
#include "framework/graphics/TriVertex.h"

#include <array>
#include <cstdint>

namespace Zest {

// Destination formats: 32-bit ARGB, 32-bit RGB (taken as opaque; alpha written 255), and
// the 16-bit RGB layouts 5-6-5 (red 0xF800, green 0x07E0, blue 0x001F) and 5-5-5 (0x7C00,
// 0x03E0, 0x001F). A 16-bit pixel is drawn on as an opaque 32-bit one: each field is
// widened by shifting it to the top of its byte (a 5-bit 31 becomes 248, as the display
// widens its 16-bit surfaces), blended, and narrowed again to the top bits of each channel,
// so that drawing into a 16-bit picture gives exactly what drawing into an opaque 32-bit
// picture and narrowing that gives. The spare top bit of 5-5-5 is kept.
constexpr int kFormat8888 = 0x8888;
constexpr int kFormat888 = 0x888;
constexpr int kFormat565 = 0x565;
constexpr int kFormat555 = 0x555;

// Bits of a span routine's index.
constexpr uint32_t kSpanLinear = 0x01;      // bilinear instead of nearest sampling
constexpr uint32_t kSpanTinted = 0x02;      // the draw colour modulates the source
constexpr uint32_t kSpanVertexColor = 0x04; // the interpolated vertex colour modulates the source
constexpr uint32_t kSpanBlended = 0x08;     // the texels' alpha is used
constexpr uint32_t kSpanTextured = 0x10;    // otherwise the source is opaque white
constexpr uint32_t kSpanFormat888 = 0x20;
constexpr uint32_t kSpanFormat565 = 0x40;
constexpr uint32_t kSpanFormat555 = 0x60;
constexpr uint32_t kSpanFormatMask = 0x60;
constexpr uint32_t kSpanAdditive = 0x80; // added with saturation instead of blended over
constexpr int kSpanRoutineCount = 256;

// A vertex in fixed point: position and texture coordinates (in texels) in 16.16, colour
// channels in bits 16..23. Texture coordinates are 64-bit so that coordinates far outside
// the texture (which sampling clamps) cannot overflow.
struct FixedVertex {
    int32_t mX = 0;
    int32_t mY = 0;
    int64_t mU = 0;
    int64_t mV = 0;
    int32_t mA = 0;
    int32_t mR = 0;
    int32_t mG = 0;
    int32_t mB = 0;
};

struct TriangleRecord {
    std::array<FixedVertex, 3> mVertices;
};

// The texels a textured draw reads. Texture coordinates are scaled by the full size of the
// picture; sampling is clamped to mSampleArea, which lies inside it. mBits points at the
// texel (mSampleArea.mX, mSampleArea.mY), with rows mPitch texels apart.
struct SpanTexture {
    const uint32_t* mBits = nullptr;
    int32_t mPitch = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    Rect mSampleArea;
};

// Where a draw writes: pixels of the format's size (4 or 2 bytes, aligned to it) in rows
// mPitch bytes apart. mClip lies inside the picture; nothing outside it is written.
struct RasterTarget {
    uint8_t* mBits = nullptr;
    int32_t mPitch = 0; // bytes from one row to the next
    int mFormat = kFormat8888;
    Rect mClip;
};

// What a draw does besides its geometry.
struct RasterStyle {
    const SpanTexture* mTexture = nullptr; // null: untextured
    bool mBlended = false;
    uint32_t mColor = 0xFFFFFFFF; // the draw colour, 0xAARRGGBB
    bool mLinear = false;
    bool mVertexColor = false;
    bool mAdditive = false;
};

// Sutherland-Hodgman clipping of a triangle against the four boundaries of an area. A
// triangle gains at most one vertex per boundary.
constexpr int kMaxClipVertices = 8;

struct ClipBounds {
    float mLeft = 0.0f;
    float mRight = 0.0f;
    float mTop = 0.0f;
    float mBottom = 0.0f;
};

using ClipVertices = std::array<TriVertex, kMaxClipVertices>;

// The clipped polygon in out; its vertex count, 0 when fewer than 3 vertices remain.
int ClipPolygon(const TriVertex (&triangle)[3], const ClipBounds& bounds, ClipVertices& out);
// One boundary each: writes to out (room for kMaxClipVertices) the part of the closed
// polygon of count vertices at in that lies on the inner side; returns its vertex count.
int ClipPolygonLeft(const TriVertex* in, int count, float boundary, TriVertex* out);
int ClipPolygonRight(const TriVertex* in, int count, float boundary, TriVertex* out);
int ClipPolygonTop(const TriVertex* in, int count, float boundary, TriVertex* out);
int ClipPolygonBottom(const TriVertex* in, int count, float boundary, TriVertex* out);
// The point where the edge a-b crosses the vertical line x = boundary (or the horizontal
// line y = boundary).
TriVertex InterpolateClipVertexX(const TriVertex& a, const TriVertex& b, float boundary);
TriVertex InterpolateClipVertexY(const TriVertex& a, const TriVertex& b, float boundary);

// The span routine index of a style drawn into a format.
uint32_t SpanRoutineIndex(const RasterStyle& style, int format);

// Draws the vertices as a triangle strip (triangle i is v[i], v[i+1], v[i+2] with the last
// two swapped for odd i, so all keep one winding). Each triangle is clipped to the target's
// clip rectangle and drawn as a fan of the clipped polygon.
void RasterizeTexturedPolygon(const TriVertex* vertices, int count, const RasterStyle& style,
                              const RasterTarget& target);

// Draws one fixed-point triangle with the span routine of the index; an index of
// kSpanRoutineCount or more draws nothing.
void RasterizeTriangleSpans(uint32_t index, const TriangleRecord& triangle, const RasterTarget& target,
                            const SpanTexture* texture, uint32_t color);

} // namespace Zest
