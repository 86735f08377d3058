#include "framework/graphics/ImageFont.h"

#include "framework/app/common/CritSection.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/graphics/AppInterface.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace Zest {
namespace {

// One queued glyph of one layer.
struct FontRenderCommand {
    Image* mImage = nullptr;
    int32_t mDest[2] = {0, 0};
    Rect mSrc;
    // -1: the Graphics' draw mode is kept.
    int32_t mMode = -1;
    Color mColor;
    // The next record of the same order bucket.
    FontRenderCommand* mNext = nullptr;
};

constexpr size_t kPoolSize = 4096;
constexpr int kBucketCount = 256;
// Orders are shifted by this so that order 0 lands in the middle bucket.
constexpr int kOrderBias = 128;

// Shared by every image font and every thread that draws text; gFontLock guards them.
FontRenderCommand gFontRenderCommandPool[kPoolSize];
FontRenderCommand* gFontRenderHeads[kBucketCount];
FontRenderCommand* gFontRenderTails[kBucketCount];
CritSection gFontLock;

// Toward zero; values from a font file that an int cannot hold are clamped instead of
// converting out of range.
int32_t Trunc(const double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(value), double{std::numeric_limits<int32_t>::min()},
                                           double{std::numeric_limits<int32_t>::max()}));
}

// Legacy fonts have no application of their own; the process's one stands in.
AppInterface* AppOf(const FontData* const data)
{
    return data != nullptr && data->mApp != nullptr ? data->mApp : GetAppInterface();
}

uint8_t Code(const char c) { return static_cast<uint8_t>(c); }

int Channel(const int mult, const int color, const int add) { return std::min(255, mult * color / 255 + add); }

} // namespace

ActiveFontLayer::ActiveFontLayer(const ActiveFontLayer& other)
    : mBaseFontLayer(other.mBaseFontLayer), mScaledImage(other.mScaledImage), mOwnsImage(other.mOwnsImage),
      mScaledCharImageRects(other.mScaledCharImageRects)
{
    if (mOwnsImage && mScaledImage != nullptr) {
        const FontData* const data = mBaseFontLayer != nullptr ? mBaseFontLayer->mFontData : nullptr;
        AppInterface* const app = AppOf(data);
        mScaledImage = app != nullptr ? app->CopyImage(mScaledImage) : nullptr;
    }
}

ActiveFontLayer::~ActiveFontLayer()
{
    if (mOwnsImage)
        delete mScaledImage;
}

ImageFont::ImageFont(AppInterface* const app, const std::string& fileName) : mFontData(new FontData())
{
    mFontData->Ref();
    mFontData->Load(app, fileName);
    mPointSize = mFontData->mDefaultPointSize;
    GenerateActiveFontLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(Image* const image, const std::string& widthFileName) : mFontData(new FontData())
{
    mFontData->Ref();
    mFontData->LoadLegacy(image, widthFileName);
    mPointSize = mFontData->mDefaultPointSize;
    GenerateActiveFontLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(other), mFontData(other.mFontData), mPointSize(other.mPointSize), mTagVector(other.mTagVector),
      mActiveListValid(other.mActiveListValid), mScale(other.mScale),
      mForceScaledImagesWhite(other.mForceScaledImagesWhite)
{
    mFontData->Ref();
    if (mActiveListValid) {
        for (const ActiveFontLayer& active : other.mActiveLayerList)
            mActiveLayerList.emplace_back(active);
    }
}

ImageFont::~ImageFont()
{
    // The active layers point into the FontData, so they go while it is surely alive.
    mActiveLayerList.clear();
    mFontData->DeRef();
}

Font* ImageFont::Duplicate() const { return new ImageFont(*this); }

double ImageFont::SizeRatio(const FontLayer& layer) const
{
    if (layer.mPointSize == 0)
        return mScale;
    return mPointSize * mScale / layer.mPointSize;
}

void ImageFont::ScaleLayerImage(ActiveFontLayer& active, const FontLayer& layer, const double ratio) const
{
    int32_t x = 0;
    int32_t height = 0;
    for (size_t c = 0; c < active.mScaledCharImageRects.size(); ++c) {
        const Rect& source = layer.mCharData[c].mImageRect;
        const int32_t scaledWidth = Trunc(source.mWidth * ratio);
        const int32_t scaledHeight = Trunc(source.mHeight * ratio);
        active.mScaledCharImageRects[c] = Rect(x, 0, scaledWidth, scaledHeight);
        x = Trunc(static_cast<double>(x) + scaledWidth);
        height = std::max(height, scaledHeight);
    }

    auto* const image = new MemoryImage(AppOf(mFontData));
    active.mScaledImage = image;
    active.mOwnsImage = true;
    image->Create(x, height);

    Image* const layerImage = layer.mImage.GetImage();
    if (layerImage != nullptr) {
        Graphics g(image);
        for (size_t c = 0; c < active.mScaledCharImageRects.size(); ++c) {
            const Rect& dest = active.mScaledCharImageRects[c];
            // Glyphs that vanish at this size have nothing to draw.
            if (dest.mWidth > 0 && dest.mHeight > 0)
                g.DrawImageStretched(layerImage, dest, layer.mCharData[c].mImageRect);
        }
    }
    if (mForceScaledImagesWhite) {
        uint32_t* const bits = image->GetBits();
        if (bits != nullptr) {
            const size_t count = static_cast<size_t>(image->GetWidth()) * static_cast<size_t>(image->GetHeight());
            for (size_t i = 0; i < count; ++i)
                bits[i] |= 0xFFFFFF;
            image->BitsChanged();
        }
    }
    image->Palletize();
}

void ImageFont::GenerateActiveFontLayers()
{
    if (!mFontData->mInitialized)
        return;

    mActiveLayerList.clear();
    mAscent = 0;
    mAscentPadding = 0;
    mHeight = 0;
    mLineSpacingOffset = 0;

    bool first = true;
    for (FontLayer& layer : mFontData->mFontLayerList) {
        if (mPointSize < layer.mMinPointSize || (layer.mMaxPointSize != -1 && mPointSize > layer.mMaxPointSize))
            continue;
        const bool missingTag = std::any_of(layer.mRequiredTags.begin(), layer.mRequiredTags.end(),
                                            [this](const std::string& tag) {
                                                return std::find(mTagVector.begin(), mTagVector.end(), tag) ==
                                                       mTagVector.end();
                                            });
        const bool excludedTag = std::any_of(mTagVector.begin(), mTagVector.end(), [&layer](const std::string& tag) {
            return std::find(layer.mExcludedTags.begin(), layer.mExcludedTags.end(), tag) !=
                   layer.mExcludedTags.end();
        });
        if (missingTag || excludedTag)
            continue;

        ActiveFontLayer& active = mActiveLayerList.emplace_back();
        active.mBaseFontLayer = &layer;
        double ratio = 1.0;
        if (mScale == 1.0 && (layer.mPointSize == 0 || layer.mPointSize == mPointSize)) {
            active.mScaledImage = layer.mImage.GetImage();
            for (size_t c = 0; c < active.mScaledCharImageRects.size(); ++c)
                active.mScaledCharImageRects[c] = layer.mCharData[c].mImageRect;
        } else {
            ratio = SizeRatio(layer);
            ScaleLayerImage(active, layer, ratio);
        }

        const int32_t layerHeight = layer.mHeight != 0 ? layer.mHeight : layer.mDefaultHeight;
        mAscent = std::max(mAscent, Trunc(layer.mAscent * ratio));
        mHeight = std::max(mHeight, Trunc(layerHeight * ratio));
        const int32_t ascentPadding = Trunc(layer.mAscentPadding * ratio);
        const int32_t lineSpacingOffset = Trunc(layer.mLineSpacingOffset * ratio);
        mAscentPadding = first ? ascentPadding : std::min(mAscentPadding, ascentPadding);
        mLineSpacingOffset = first ? lineSpacingOffset : std::max(mLineSpacingOffset, lineSpacingOffset);
        first = false;
    }
}

void ImageFont::Prepare()
{
    if (!mActiveListValid) {
        GenerateActiveFontLayers();
        mActiveListValid = true;
    }
}

void ImageFont::SetPointSize(const int pointSize)
{
    mPointSize = pointSize;
    mActiveListValid = false;
}

int ImageFont::GetPointSize() const { return mPointSize; }

void ImageFont::SetScale(const double scale)
{
    mScale = scale;
    mActiveListValid = false;
}

int ImageFont::GetDefaultPointSize() const { return mFontData->mDefaultPointSize; }

bool ImageFont::AddTag(const std::string& tag)
{
    if (HasTag(tag))
        return false;
    mTagVector.push_back(StringToUpper(tag));
    mActiveListValid = false;
    return true;
}

bool ImageFont::RemoveTag(const std::string& tag)
{
    const auto found = std::find(mTagVector.begin(), mTagVector.end(), StringToUpper(tag));
    if (found == mTagVector.end())
        return false;
    mTagVector.erase(found);
    mActiveListValid = false;
    return true;
}

bool ImageFont::HasTag(const std::string& tag) const
{
    return std::find(mTagVector.begin(), mTagVector.end(), StringToUpper(tag)) != mTagVector.end();
}

std::string ImageFont::GetDefine(const std::string& name) const
{
    const DataElement* const define = mFontData->FindDefine(name);
    return define == nullptr ? std::string() : DescParser::DataElementToString(*define);
}

int ImageFont::StringWidth(const std::string& text)
{
    int width = 0;
    char previous = 0;
    for (const char c : text) {
        width += CharWidthKern(c, previous);
        previous = c;
    }
    return width;
}

int ImageFont::CharWidth(const char c) { return CharWidthKern(c, 0); }

int ImageFont::CharWidthKern(const char c, const char previous)
{
    Prepare();
    const uint8_t code = mFontData->mCharMap[Code(c)];
    const uint8_t previousCode = previous == 0 ? 0 : mFontData->mCharMap[Code(previous)];
    int width = 0;
    for (const ActiveFontLayer& active : mActiveLayerList) {
        const FontLayer& layer = *active.mBaseFontLayer;
        const double ratio = SizeRatio(layer);
        const int32_t advance = Trunc(layer.mCharData[code].mWidth * ratio);
        const int32_t kern =
            previousCode == 0
                ? 0
                : Trunc((layer.mCharData[previousCode].mKerningOffsets[code] + layer.mSpacing) * ratio);
        width = std::max(width, advance + kern);
    }
    return width;
}

void ImageFont::DrawString(Graphics* const g, const int x, const int y, const std::string& text, const Color& color,
                           const Rect& clip)
{
    DrawStringEx(g, x, y, text, color, clip, nullptr, nullptr);
}

void ImageFont::DrawStringEx(Graphics* const g, const int x, const int y, const std::string& text,
                             const Color& color, const Rect& clip, std::vector<Rect>* const drawnAreas,
                             int* const width)
{
    const CritLock lock(gFontLock);
    std::fill(std::begin(gFontRenderHeads), std::end(gFontRenderHeads), nullptr);
    std::fill(std::begin(gFontRenderTails), std::end(gFontRenderTails), nullptr);
    if (drawnAreas != nullptr)
        drawnAreas->clear();

    if (!mFontData->mInitialized) {
        if (width != nullptr)
            *width = 0;
        return;
    }

    Prepare();
    const bool wasColorizing = g->GetColorizeImages();
    g->SetColorizeImages(true);

    int pen = x;
    size_t used = 0;
    bool poolFull = false;
    for (size_t i = 0; i < text.size() && !poolFull; ++i) {
        const uint8_t code = mFontData->mCharMap[Code(text[i])];
        const uint8_t next = i + 1 < text.size() ? mFontData->mCharMap[Code(text[i + 1])] : 0;
        int right = pen;
        for (const ActiveFontLayer& active : mActiveLayerList) {
            const FontLayer& layer = *active.mBaseFontLayer;
            const CharData& glyph = layer.mCharData[code];
            const double ratio = SizeRatio(layer);
            const int kerning = next == 0 ? 0 : glyph.mKerningOffsets[next] + layer.mSpacing;
            int dx = 0;
            int dy = 0;
            int advance = 0;
            int kern = 0;
            if (ratio == 1.0) {
                dx = pen + glyph.mOffset.mX + layer.mOffset.mX;
                dy = y + glyph.mOffset.mY - layer.mAscent + layer.mOffset.mY;
                advance = glyph.mWidth;
                kern = kerning;
            } else {
                dx = pen + Trunc((glyph.mOffset.mX + layer.mOffset.mX) * ratio);
                dy = y - Trunc((layer.mAscent - glyph.mOffset.mY - layer.mOffset.mY) * ratio);
                advance = Trunc(glyph.mWidth * ratio);
                kern = Trunc(kerning * ratio);
            }
            const Color layerColor(Channel(layer.mColorMult.mRed, color.mRed, layer.mColorAdd.mRed),
                                   Channel(layer.mColorMult.mGreen, color.mGreen, layer.mColorAdd.mGreen),
                                   Channel(layer.mColorMult.mBlue, color.mBlue, layer.mColorAdd.mBlue),
                                   Channel(layer.mColorMult.mAlpha, color.mAlpha, layer.mColorAdd.mAlpha));

            if (used == kPoolSize) {
                poolFull = true;
                break;
            }
            FontRenderCommand& command = gFontRenderCommandPool[used++];
            command.mImage = active.mScaledImage;
            command.mDest[0] = dx;
            command.mDest[1] = dy;
            command.mSrc = active.mScaledCharImageRects[code];
            command.mMode = layer.mDrawMode;
            command.mColor = layerColor;
            command.mNext = nullptr;
            const int bucket = std::clamp(glyph.mOrder + layer.mBaseOrder + kOrderBias, 0, kBucketCount - 1);
            if (gFontRenderTails[bucket] == nullptr)
                gFontRenderHeads[bucket] = &command;
            else
                gFontRenderTails[bucket]->mNext = &command;
            gFontRenderTails[bucket] = &command;

            if (drawnAreas != nullptr)
                drawnAreas->emplace_back(dx, dy, command.mSrc.mWidth, command.mSrc.mHeight);
            right = std::max(right, Trunc(static_cast<double>(pen) + advance + kern));
        }
        // A character cut short by the full pool is not counted.
        if (!poolFull)
            pen = right;
    }
    if (width != nullptr)
        *width = pen - x;

    const Color oldColor = g->GetColor();
    for (const FontRenderCommand* head : gFontRenderHeads) {
        for (const FontRenderCommand* command = head; command != nullptr; command = command->mNext) {
            const int oldMode = g->GetDrawMode();
            if (command->mMode != -1)
                g->SetDrawMode(command->mMode);
            g->SetColor(command->mColor);
            if (command->mImage != nullptr)
                g->DrawImagePart(command->mImage, command->mDest[0], command->mDest[1], command->mSrc);
            g->SetDrawMode(oldMode);
        }
    }
    g->SetColor(oldColor);
    g->SetColorizeImages(wasColorizing);
}

} // namespace Zest
