#pragma once
// The drawing context every drawing call goes through. It holds the drawing state
// (destination, translation, clip, scale, colour, draw mode and a few switches), turns each
// call into destination pixels by translating, truncating and clipping, and hands it to one
// drawing slot of the destination image. A stack of saved states lets callers change the
// state for a while and put it back.
//
// Integer positions become x + translation, added in single precision and truncated toward
// zero; float positions (the float, rotated, matrix and transform draws) keep the fraction.
// Every request is clipped to the clip rectangle and to the destination's current size, and
// every source rectangle must lie inside its source image, so no slot is asked to read or
// write outside a picture.

#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/Image.h"

#include <memory>
#include <vector>

namespace Zest {

class Font;
class Matrix3;
class Transform;

// The empty image (0 x 0, every slot the base body) that a context made without a
// destination draws into, so that it draws nothing. Text measurement uses such a context, and
// a font can recognise it to skip its drawing work.
extern Image gDefaultImage;

// Whether the image is drawn through the 3D device. Only the display knows its screen
// image: it installs its test with SetCheck3D; until then every image is drawn in 2D.
bool Check3D(const Image* image);
using Check3DFunc = bool (*)(const Image* image);
void SetCheck3D(Check3DFunc check);

struct GraphicsState {
    // Never null.
    Image* mDestImage = &gDefaultImage;
    float mTransX = 0.0f;
    float mTransY = 0.0f;
    // Scale of the integer-position image draws, about (mScaleOrigX, mScaleOrigY) in
    // destination pixels.
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    float mScaleOrigX = 0.0f;
    float mScaleOrigY = 0.0f;
    // In destination pixels.
    Rect mClipRect;
    Color mColor;
    // Not owned; the text operations draw and measure with it.
    Font* mFont = nullptr;
    int32_t mDrawMode = DRAWMODE_NORMAL;
    // Image draws are tinted by mColor (colour and alpha) instead of drawn with White.
    bool mColorizeImages = false;
    // Stretched image draws take the nearest-pixel path.
    bool mFastStretch = false;
    // Whether the text drawing interprets colour codes.
    bool mWriteColoredString = true;
    // Matrix draws filter linearly.
    bool mLinearBlend = false;
    // The destination is drawn through the 3D device (Check3D, taken at construction).
    bool mIs3D = false;
};

class Graphics : public GraphicsState {
public:
    // Draws into destImage, or into gDefaultImage (nothing) when it is null; the clip is the
    // whole destination.
    explicit Graphics(Image* destImage = nullptr);
    // Copies every state field; the copy starts with an empty state stack.
    Graphics(const Graphics& other);
    Graphics& operator=(const Graphics&) = delete;
    virtual ~Graphics() = default;

    // A heap copy (copy constructor).
    std::unique_ptr<Graphics> Create() const;

    // Saves a copy of the current state.
    void PushState();
    // Restores every state field, the destination and font included, from the last saved
    // state; with none saved nothing changes.
    void PopState();

    void SetFont(Font* font) { mFont = font; }
    Font* GetFont() const { return mFont; }
    void SetColor(const Color& color) { mColor = color; }
    const Color& GetColor() const { return mColor; }
    void SetDrawMode(const int drawMode) { mDrawMode = drawMode; }
    int GetDrawMode() const { return mDrawMode; }
    void SetColorizeImages(const bool colorize) { mColorizeImages = colorize; }
    bool GetColorizeImages() const { return mColorizeImages; }
    void SetFastStretch(const bool fastStretch) { mFastStretch = fastStretch; }
    void SetLinearBlend(const bool linearBlend) { mLinearBlend = linearBlend; }

    void Translate(int dx, int dy);
    void TranslateFloat(float dx, float dy);

    // The whole destination.
    void ClearClipRect();
    // The translated rectangle within the destination.
    void SetClipRect(const Rect& rect);
    void SetClipRectCoords(int x, int y, int width, int height);
    // The current clip intersected with the translated rectangle: it can only shrink.
    void ClipRect(int x, int y, int width, int height);

    // Nothing is drawn when the colour's alpha is 0.
    void FillRect(int x, int y, int width, int height);
    // An outline covering width + 1 by height + 1 pixels.
    void DrawRect(int x, int y, int width, int height);
    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawLineAA(int x1, int y1, int x2, int y2);

    // Drawn at the scale (mScaleX, mScaleY) about the scale origin.
    void DrawImage(Image* image, int x, int y);
    void DrawImagePart(Image* image, int x, int y, const Rect& srcRect);
    // Left-right mirrored, never scaled.
    void DrawImageMirror(Image* image, int x, int y);
    void DrawImageMirrorPart(Image* image, int x, int y, const Rect& srcRect);
    void DrawImageStretched(Image* image, const Rect& destRect, const Rect& srcRect);
    void DrawImageStretchedMirror(Image* image, const Rect& destRect, const Rect& srcRect, bool mirror);
    void DrawImageAtFloat(Image* image, float x, float y);
    void DrawImagePartAtFloat(Image* image, float x, float y, const Rect& srcRect);
    // Turned by angle (radians, counter-clockwise on the screen) about the image's centre.
    void DrawImageRotated(Image* image, float x, float y, double angle);
    // The centre is relative to the top-left corner at (x, y); a null srcRect is the whole
    // image.
    void DrawImageRotatedAbout(Image* image, float x, float y, double angle, float centreX, float centreY,
                               const Rect* srcRect = nullptr);
    // The matrix acts about the centre of srcRect, which lands at (x, y).
    void DrawImageMatrix(Image* image, const Matrix3& matrix, const Rect& srcRect, float x, float y);
    void DrawImageTransform(Image* image, const Transform& transform, float x, float y);
    // The transform acts about the centre of srcRect. Simple transforms take the plain,
    // rotated, mirrored or stretched draws; complex ones, and any on a 3D destination, the
    // matrix draw. A negative x scale other than a plain mirror is drawn as a mirrored stretch
    // by its size.
    void DrawImagePartTransform(Image* image, const Transform& transform, const Rect& srcRect, float x, float y);
    // A frame: srcRect is cut into 3 x 3 cels; the corners are drawn once at the corners of
    // destRect, the edges and the centre are tiled between them.
    void DrawImageBox(const Rect& destRect, Image* image);
    void DrawImageBoxPart(const Rect& srcRect, const Rect& destRect, Image* image);
    // Cels run down the first column of the image's cel grid; an index outside the grid
    // draws nothing.
    void DrawImageCel(Image* image, int x, int y, int cel);

    // Text, drawn and measured with mFont; with no font nothing is drawn and every measure is
    // 0. x is the left edge and y the baseline.
    void DrawString(const std::string& text, int x, int y);
    // Draws (or only measures, when draw is false) the characters from offset, length of them
    // or up to the end when length is negative, and returns their width. Justification -1 is
    // left, 0 centred and 1 right within width. While mWriteColoredString is on, ^RRGGBB^
    // switches the colour (the alpha stays), ^oldclr^ switches to oldColor (-1: the colour
    // at the call) and ^^ is one caret; the colour of the last code stays set.
    int WriteString(const std::string& text, int x, int y, int width = -1, int justification = -1,
                    bool draw = true, int offset = 0, int length = -1, int oldColor = -1);
    // Wraps the text at blanks (within a word when it has none) and at newlines to rect's
    // width, from the top of rect, and returns the height used. lineSpacing -1 is the font's.
    // The colour at the call is restored afterwards.
    int WriteWordWrapped(const Rect& rect, const std::string& text, int lineSpacing = -1,
                         int justification = -1);
    // The height WriteWordWrapped would use at that width, without drawing anything.
    int GetWordWrappedHeight(int width, const std::string& text, int lineSpacing = -1);

    std::vector<GraphicsState> mStateStack;

private:
    using LineSlot = void (Image::*)(double, double, double, double, const Color&, int);

    int32_t TranslatedX(int x) const;
    int32_t TranslatedY(int y) const;
    // The clip rectangle within the destination's current size.
    Rect DestClip() const;
    // mColor when images are colorized, else White.
    const Color& ImageColor() const;
    // Cuts the line to the clip; false when nothing of it is left.
    bool ClipLine(double& x1, double& y1, double& x2, double& y2) const;
    // Translates the ends (each end to double after adding the translation), clips them and
    // hands what is left to the line slot.
    void DrawClippedLine(LineSlot slot, int x1, int y1, int x2, int y2);
    // The stretched or mirrored stretched slot, with destRect in destination pixels; an empty
    // destination or a source outside the image draws nothing.
    void StretchTo(Image* image, const Rect& destRect, const Rect& srcRect, bool mirror);
};

} // namespace Zest
