#pragma once
// Everything that describes an image font: layers of glyph pictures cut out of images, each
// with its own metrics, colours and per-character data, a character substitution table and
// the defines of the description file. It is filled once, from a font description file
// interpreted command by command, or from an older image plus a text file of character
// widths, and then only read by the image fonts that share it through a reference count.

#include "framework/graphics/Color.h"
#include "framework/graphics/DescParser.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/SharedImage.h"

#include <array>
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace Zest {

class AppInterface;
class FontData;
class Image;

// One glyph. Character codes index every table as unsigned bytes.
struct CharData {
    // Where the glyph lies in the layer image.
    Rect mImageRect;
    // From the pen position (x) and from the top of the line, baseline - layer ascent (y).
    Point mOffset;
    // Advance correction indexed by the character that follows.
    std::array<int8_t, 256> mKerningOffsets{};
    int32_t mWidth = 0;
    int32_t mOrder = 0;
};

// One drawing layer. A copy refers to the same image as the original.
struct FontLayer {
    explicit FontLayer(FontData* owner) : mFontData(owner) {}

    FontData* mFontData;
    // Upper-cased tags an image font must carry for the layer to be used.
    std::vector<std::string> mRequiredTags;
    // Upper-cased tags that switch the layer off.
    std::vector<std::string> mExcludedTags;
    std::array<CharData, 256> mCharData{};
    Color mColorMult = Color::White;
    Color mColorAdd = Color(0, 0, 0, 0);
    SharedImageRef mImage;
    // DRAWMODE_NORMAL or DRAWMODE_ADDITIVE; -1 keeps the draw mode of the Graphics.
    int32_t mDrawMode = -1;
    Point mOffset;
    int32_t mSpacing = 0;
    int32_t mMinPointSize = -1;
    // -1: no upper limit.
    int32_t mMaxPointSize = -1;
    // The size the glyphs were drawn at; 0: never scaled by point size.
    int32_t mPointSize = 0;
    int32_t mAscent = 0;
    int32_t mAscentPadding = 0;
    // 0: use mDefaultHeight.
    int32_t mHeight = 0;
    // The lowest glyph bottom, derived when the glyph rectangles are set.
    int32_t mDefaultHeight = 0;
    int32_t mLineSpacingOffset = 0;
    int32_t mBaseOrder = 0;
};

class FontData : public DescParser {
public:
    FontData();
    // Deletes the define values, which the parser base leaves to its derived class.
    ~FontData() override;

    void Ref();
    // The call that brings the count to 0 deletes the object, which must live on the heap.
    void DeRef();

    // Reads a description file once; false only when data was loaded already. A file that
    // fails leaves mInitialized false, so the font draws nothing.
    bool Load(AppInterface* app, const std::string& fileName);
    // One layer holding `image` (the caller keeps it and must keep it alive) and the glyph
    // widths of an older width file, glyphs side by side from the image's left edge. False
    // when data was loaded already, there is no image, or the file is missing or malformed;
    // reports nothing.
    bool LoadLegacy(Image* image, const std::string& fileName);

    bool HandleCommand(const ListDataElement& command) override;
    // Shows the message, with the line and text of the command being handled, through the
    // application's error popup; always false.
    bool Error(const std::string& message) override;

    // The layer a single word names, letter case ignored; a list gives false silently and
    // an unknown name reports "Undefined Layer".
    bool GetLayer(const DataElement& element, FontLayer** layer);
    // A word as 0xAARRGGBB (alpha 0 is opaque) or a list of four fractions r, g, b, a.
    bool DataToColor(const DataElement& element, Color* color);

    bool mInitialized = false;
    int32_t mRefCount = 0;
    AppInterface* mApp = nullptr;
    int32_t mDefaultPointSize = 0;
    // Applied to character codes before any lookup.
    std::array<uint8_t, 256> mCharMap{};
    // A list, so that the layer map's pointers stay valid while layers are added.
    std::list<FontLayer> mFontLayerList;
    // Upper-cased name to its entry in mFontLayerList.
    std::map<std::string, FontLayer*> mFontLayerMap;
    std::string mSourceFile;
    std::string mFontErrorHeader;

private:
    bool DoDefine(const ListDataElement& command);
    bool DoCreateHorzSpanRectList(const ListDataElement& command);
    bool DoSetCharMap(const ListDataElement& command);
    // Appends a layer (a copy of the layer named by parameter 2 when `copy` is set) and
    // names it; a taken name is reported, leaves the layer unnamed and still counts as handled.
    bool DoCreateLayer(const ListDataElement& command, bool copy);
    bool DoLayerTags(const ListDataElement& command, std::vector<std::string> FontLayer::* tags);
    bool DoLayerPointRange(const ListDataElement& command);
    bool DoLayerSetInt(const ListDataElement& command, int32_t FontLayer::* field);
    bool DoLayerSetImage(const ListDataElement& command);
    bool DoLayerSetDrawMode(const ListDataElement& command);
    bool DoLayerSetColor(const ListDataElement& command, Color FontLayer::* field);
    bool DoLayerSetOffset(const ListDataElement& command);
    bool DoLayerSetCharInts(const ListDataElement& command, int32_t CharData::* field);
    bool DoLayerSetImageMap(const ListDataElement& command);
    bool DoLayerSetCharOffsets(const ListDataElement& command);
    bool DoLayerSetKerningPairs(const ListDataElement& command);

    // The layer of parameter 1 and the two equally long lists of parameters 2 and 3 of a
    // per-character command; false after reporting the failure.
    bool GetLayerAndLists(const ListDataElement& command, FontLayer** layer, std::vector<std::string>* keys,
                          ListDataElement* values);
    // The single word of parameter `index` as an integer; define names are not resolved.
    bool GetInt(const ListDataElement& command, size_t index, int32_t* value);
};

} // namespace Zest
