#pragma once
// A picture being drawn by the content generator: a premultiplied ARGB surface of the
// drawing library with the shapes, gradients, texts, emoji and soft shadows that the
// recipes share. Recipes may also draw on `Cr()` directly.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace Content {

// A colour with channels from 0 to 1.
struct Rgba {
    double mR = 0;
    double mG = 0;
    double mB = 0;
    double mA = 1;

    // 0xRRGGBB, fully opaque unless an alpha is given.
    static Rgba Hex(unsigned rgb, double alpha = 1.0);
    Rgba WithAlpha(double alpha) const { return {mR, mG, mB, alpha}; }
    // Towards white (amount > 0) or black (amount < 0), by the fraction of the way.
    Rgba Lighter(double amount) const;
    Rgba Mix(const Rgba& other, double t) const;
};

enum class FontStyle { SANS, SANS_BOLD, SANS_CONDENSED_BOLD, SERIF_BOLD, SERIF_ITALIC };

enum class Align { LEFT, CENTRE, RIGHT };

struct TextStyle {
    FontStyle mFont = FontStyle::SANS_BOLD;
    double mSize = 16;
    Rgba mFill = Rgba::Hex(0xFFFFFF);
    // A stroke around the letters, drawn under the fill; none when the width is 0.
    double mOutlineWidth = 0;
    Rgba mOutline = Rgba::Hex(0x000000);
    // A soft dark shadow under the text; none when the blur is 0.
    double mShadowBlur = 0;
    double mShadowOffset = 2;
    double mShadowAlpha = 0.5;
    // A vertical gradient from mFill at the top to this colour at the bottom, when set.
    bool mGradient = false;
    Rgba mFillBottom;
};

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return mCr; }
    cairo_surface_t* Surface() const { return mSurface; }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    bool Save(const std::string& path);

    // Paths; the caller fills or strokes them. The static forms draw on any context, such
    // as the one a soft shape is drawn on.
    void RoundedRect(double x, double y, double width, double height, double radius)
    {
        RoundedRectOn(mCr, x, y, width, height, radius);
    }
    void Ellipse(double cx, double cy, double rx, double ry) { EllipseOn(mCr, cx, cy, rx, ry); }
    static void RoundedRectOn(cairo_t* cr, double x, double y, double width, double height, double radius);
    static void EllipseOn(cairo_t* cr, double cx, double cy, double rx, double ry);
    // A star with `points` tips between two radii, the first tip straight up.
    void Star(double cx, double cy, int points, double outer, double inner);

    void SetColor(const Rgba& colour);
    void SetVerticalGradient(double top, double bottom, const Rgba& from, const Rgba& to);
    void SetRadialGradient(double cx, double cy, double radius, const Rgba& inner, const Rgba& outer);

    // Fills the path that `shape` makes, blurred by `blur` pixels and offset, in a colour:
    // the soft shadow or glow of a shape. The current path is left alone.
    void SoftShape(const std::function<void(cairo_t*)>& shape, double blur, double dx, double dy,
                   const Rgba& colour);
    // The same for the shape thickened by a stroke `thickness` wide with round joins: the
    // shadow or glow of a shape with its outline.
    void SoftThickenedShape(const std::function<void(cairo_t*)>& shape, double thickness, double blur, double dx,
                            double dy, const Rgba& colour);

    // One line of text whose baseline starts at (x, y) for LEFT, centred on x for CENTRE,
    // ending at x for RIGHT.
    void Text(const std::string& text, double x, double y, Align align, const TextStyle& style);
    // One line centred in the box horizontally and vertically (on its capital height).
    void TextInBox(const std::string& text, double x, double y, double width, double height,
                   const TextStyle& style);
    // The width that `text` takes in the style's font.
    double TextWidth(const std::string& text, const TextStyle& style);
    // The largest size, at most style.mSize, at which `text` is no wider than `width`.
    double FitTextSize(const std::string& text, double width, TextStyle style);

    // An emoji (UTF-8) drawn from the colour emoji font, scaled so that its box is `size`
    // pixels high and centred on (cx, cy).
    void Emoji(const std::string& utf8, double cx, double cy, double size);

    // Lays the picture of another canvas on this one, its top-left corner at (x, y), scaled
    // with smooth filtering.
    void PaintPicture(const Canvas& picture, double x, double y, double scale = 1);

    // Passes every pixel that is not fully transparent, as premultiplied ARGB, through `map`:
    // for recolouring what has been drawn. For small pictures only: it visits every pixel.
    void MapPixels(const std::function<uint32_t(uint32_t)>& map);

private:
    void SetFont(const TextStyle& style);
    void TextPath(const std::string& text, double x, double y);

    int mWidth;
    int mHeight;
    cairo_surface_t* mSurface;
    cairo_t* mCr;
};

} // namespace Content
