#pragma once
// The font game texts are drawn with. It wraps a shared FontData and adds what belongs to one
// use of it: a point size, a scale factor and a set of tags. From these it derives the active
// layers (the layers that apply now, with glyph images scaled when needed) and the metrics.
// Strings are drawn layer by layer in a global draw order, so that every glyph of a lower
// order, in the whole string, is drawn before any glyph of a higher one.

#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"

#include <array>
#include <list>
#include <string>
#include <vector>

namespace Zest {

class AppInterface;
class FontData;
class Image;
struct FontLayer;

// One layer of the FontData as it is used at the font's current size.
class ActiveFontLayer {
public:
    ActiveFontLayer() = default;
    // An owned scaled image is copied through the application of the layer's FontData.
    ActiveFontLayer(const ActiveFontLayer& other);
    ActiveFontLayer& operator=(const ActiveFontLayer&) = delete;
    virtual ~ActiveFontLayer();

    FontLayer* mBaseFontLayer = nullptr;
    // The layer's own image, or a scaled copy when mOwnsImage is set.
    Image* mScaledImage = nullptr;
    bool mOwnsImage = false;
    // Glyph rectangles inside mScaledImage, by character code.
    std::array<Rect, 256> mScaledCharImageRects{};
};

class ImageFont : public Font {
public:
    // A font read from a description file; one that fails measures 0 and draws nothing.
    ImageFont(AppInterface* app, const std::string& fileName);
    // A one-layer font from an older image (kept by the caller) and its width file.
    ImageFont(Image* image, const std::string& widthFileName);
    // Shares the FontData; the active layers are copied only while they are valid.
    ImageFont(const ImageFont& other);
    ImageFont& operator=(const ImageFont&) = delete;
    ~ImageFont() override;

    int StringWidth(const std::string& text) override;
    int CharWidth(char c) override;
    int CharWidthKern(char c, char previous) override;
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clip) override;
    Font* Duplicate() const override;

    // Rebuilds the active layers and the metrics; the caller marks the list valid.
    virtual void GenerateActiveFontLayers();
    // x is the pen's left edge and y the baseline. The clip is not used: clipping is the
    // Graphics' own. drawnAreas (emptied first) receives the rectangle of every queued glyph
    // and width the distance the pen moved; either may be null.
    virtual void DrawStringEx(Graphics* g, int x, int y, const std::string& text, const Color& color,
                              const Rect& clip, std::vector<Rect>* drawnAreas, int* width);
    virtual void SetPointSize(int pointSize);
    virtual int GetPointSize() const;
    virtual void SetScale(double scale);
    virtual int GetDefaultPointSize() const;
    // Tags are compared upper-cased.
    virtual bool AddTag(const std::string& tag);
    virtual bool RemoveTag(const std::string& tag);
    virtual bool HasTag(const std::string& tag) const;
    // The define of that name as text; empty when there is none.
    virtual std::string GetDefine(const std::string& name) const;
    // Regenerates the active layers when a size, scale or tag change made them stale.
    virtual void Prepare();

    FontData* mFontData;
    int32_t mPointSize = 0;
    std::vector<std::string> mTagVector;
    bool mActiveListValid = false;
    // In the order of the FontData's layer list.
    std::list<ActiveFontLayer> mActiveLayerList;
    double mScale = 1.0;
    // Scaled glyph images get white colour channels (alpha kept).
    bool mForceScaledImagesWhite = false;

private:
    // How much larger than drawn the layer's glyphs appear at the current size and scale.
    double SizeRatio(const FontLayer& layer) const;
    // Builds the scaled glyph strip of an active layer.
    void ScaleLayerImage(ActiveFontLayer& active, const FontLayer& layer, double ratio) const;
};

} // namespace Zest
