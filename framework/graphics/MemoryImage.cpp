#include "framework/graphics/MemoryImage.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/PictureArrays.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace Zest {
namespace {

constexpr size_t kPaletteSize = 256;
constexpr uint32_t kColorBits = 0x00FFFFFF;

bool IsPalettised(const MemoryImage& image) { return image.mColorTable != nullptr && image.mColorIndices != nullptr; }

template <typename T>
T* CopyArray(const T* source, const size_t count)
{
    if (source == nullptr)
        return nullptr;
    T* const copy = new T[count];
    std::copy_n(source, count, copy);
    return copy;
}

// Pixels followed by the guard word, so that an overrun shows as a changed guard. They are
// zeroed unless the caller fills them at once.
uint32_t* NewPicture(const size_t pixelCount, const bool zeroed = true)
{
    uint32_t* const bits = zeroed ? new uint32_t[pixelCount + 1]() : new uint32_t[pixelCount + 1];
    bits[pixelCount] = kImageGuardWord;
    return bits;
}

uint32_t* CopyPicture(const uint32_t* source, const size_t pixelCount)
{
    uint32_t* const bits = NewPicture(pixelCount, false);
    std::copy_n(source, pixelCount, bits);
    return bits;
}

void FreePalettisedForm(MemoryImage& image)
{
    FreeArray(image.mColorIndices);
    FreeArray(image.mColorTable);
}

// A negative size in either direction gives an empty picture.
void ClampSize(int& width, int& height)
{
    if (width < 0 || height < 0) {
        width = 0;
        height = 0;
    }
}

// ARGB to the display's layout, each colour channel multiplied by (alpha + 1) / 256; the
// alpha byte stays in bits 24..31.
uint32_t ToNative(const uint32_t argb, const NativeDisplay& display)
{
    const uint32_t alpha = argb >> 24;
    const uint32_t red = ((((argb & 0x00FF0000) * (alpha + 1)) >> 8) >> (24 - display.mRedBits)) << display.mRedShift;
    const uint32_t green = ((((argb & 0x0000FF00) * (alpha + 1)) >> 8) >> (16 - display.mGreenBits))
                           << display.mGreenShift;
    const uint32_t blue = ((((argb & 0x000000FF) * (alpha + 1)) >> 8) >> (8 - display.mBlueBits))
                          << display.mBlueShift;
    return (red & display.mRedMask) | (green & display.mGreenMask) | (blue & display.mBlueMask) | (alpha << 24);
}

// One channel of a native word divided by (alpha + 1) / 256 and widened to 8 bits.
uint32_t UnpremultipliedChannel(const uint32_t native, const uint32_t alpha, const uint32_t mask, const int32_t shift,
                                const int32_t bits)
{
    const uint32_t divided = (((native & mask) << 8) / (alpha + 1)) & mask;
    return (divided << 8) >> (shift + bits);
}

uint32_t FromNative(const uint32_t native, const NativeDisplay& display)
{
    const uint32_t alpha = native >> 24;
    const uint32_t red = UnpremultipliedChannel(native, alpha, display.mRedMask, display.mRedShift, display.mRedBits);
    const uint32_t green =
        UnpremultipliedChannel(native, alpha, display.mGreenMask, display.mGreenShift, display.mGreenBits);
    const uint32_t blue =
        UnpremultipliedChannel(native, alpha, display.mBlueMask, display.mBlueShift, display.mBlueBits);
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// Transparent, opaque and partly transparent pixels form separate runs.
int AlphaClass(const uint32_t word)
{
    const uint32_t alpha = word >> 24;
    if (alpha == 0)
        return 0;
    return alpha == 255 ? 1 : 2;
}

// Black native words add nothing in additive drawing, so they form runs of their own.
int AdditiveClass(const uint32_t native) { return (native & kColorBits) != 0 ? 1 : 0; }

// Each byte gets the number of pixels from itself to the end of its run along the row,
// capped at 255 so that it fits; a run stops at the end of its row.
template <typename ClassOf>
void BuildRuns(uint8_t* runs, const int width, const int height, const ClassOf& classOf)
{
    for (int y = 0; y < height; ++y) {
        const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(width);
        int runLength = 0;
        int nextClass = -1;
        for (int x = width - 1; x >= 0; --x) {
            const size_t index = rowStart + static_cast<size_t>(x);
            const int pixelClass = classOf(index);
            runLength = pixelClass == nextClass ? runLength + 1 : 1;
            nextClass = pixelClass;
            runs[index] = static_cast<uint8_t>(std::min(runLength, 255));
        }
    }
}

// A run table over one word per pixel, or over the index image when the words are a
// 256-entry table of a palettised image.
template <typename ClassOf>
uint8_t* NewRunTable(const MemoryImage& image, const uint32_t* words, const ClassOf& classOf)
{
    uint8_t* const runs = new uint8_t[PixelCount(image)];
    if (IsPalettised(image)) {
        const uint8_t* const indices = image.mColorIndices;
        BuildRuns(runs, image.mWidth, image.mHeight, [&](const size_t i) { return classOf(words[indices[i]]); });
    } else {
        BuildRuns(runs, image.mWidth, image.mHeight, [&](const size_t i) { return classOf(words[i]); });
    }
    return runs;
}

// Open addressing over twice as many slots as the palette has entries, so that a probe
// meets a free slot soon.
constexpr size_t kColorSlotCount = 2 * kPaletteSize;
constexpr int kColorSlotShift = 23;
static_assert(size_t{1} << (32 - kColorSlotShift) == kColorSlotCount);
constexpr int16_t kFreeSlot = -1;

// The top bits of a full avalanche mix: ramps of grey, of one channel or of alpha spread
// as evenly over the slots as random colours do.
size_t ColorSlot(uint32_t color)
{
    color ^= color >> 16;
    color *= 0x85EBCA6Bu;
    color ^= color >> 13;
    color *= 0xC2B2AE35u;
    return color >> kColorSlotShift;
}

// Enters colours into the table in order of first appearance and gives each pixel its
// index; fails at the 257th distinct colour. Entries past the last colour repeat entry 0,
// so that an analysis of the whole table sees only colours of the picture.
bool BuildPalette(const uint32_t* bits, const size_t pixelCount, uint32_t* table, uint8_t* indices)
{
    std::array<uint32_t, kColorSlotCount> slotColors{};
    std::array<int16_t, kColorSlotCount> slotIndices;
    slotIndices.fill(kFreeSlot);
    size_t colorCount = 0;
    for (size_t i = 0; i < pixelCount; ++i) {
        const uint32_t color = bits[i];
        // Pictures are mostly runs of one colour (clear margins, flat areas): a pixel like
        // the one before it takes the same index without a search.
        if (i > 0 && color == bits[i - 1]) {
            indices[i] = indices[i - 1];
            continue;
        }
        size_t slot = ColorSlot(color);
        while (slotIndices[slot] != kFreeSlot && slotColors[slot] != color)
            slot = (slot + 1) % kColorSlotCount;
        if (slotIndices[slot] != kFreeSlot) {
            indices[i] = static_cast<uint8_t>(slotIndices[slot]);
            continue;
        }
        if (colorCount == kPaletteSize)
            return false;
        slotColors[slot] = color;
        slotIndices[slot] = static_cast<int16_t>(colorCount);
        table[colorCount] = color;
        indices[i] = static_cast<uint8_t>(colorCount);
        ++colorCount;
    }
    const uint32_t filler = colorCount > 0 ? table[0] : 0;
    std::fill(table + colorCount, table + kPaletteSize, filler);
    return true;
}

} // namespace

MemoryImage::MemoryImage() : MemoryImage(GetAppInterface()) {}

MemoryImage::MemoryImage(AppInterface* app) : mApp(app)
{
    if (mApp != nullptr)
        mApp->RegisterImage(this);
}

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other), mBitsChangedCount(other.mBitsChangedCount), mTextureFlags(other.mTextureFlags),
      mForcedMode(other.mForcedMode), mHasTrans(other.mHasTrans), mHasAlpha(other.mHasAlpha),
      mIsVolatile(other.mIsVolatile), mPurgeBits(other.mPurgeBits), mWantPalletize(other.mWantPalletize),
      mBitsChanged(other.mBitsChanged), mApp(other.mApp)
{
    const size_t pixelCount = PixelCount(*this);
    const bool palettised = IsPalettised(other);
    if (other.mBits != nullptr) {
        mBits = CopyPicture(other.mBits, pixelCount);
    } else if (!palettised) {
        // The picture lives only in derived forms: make the pixels for the copy and drop
        // them again, so that the source keeps the forms it had.
        MemoryImage& source = const_cast<MemoryImage&>(other);
        const uint32_t* const bits = source.GetBits();
        if (bits != nullptr)
            mBits = CopyPicture(bits, pixelCount);
        FreeArray(source.mBits);
    }
    mColorTable = CopyArray(other.mColorTable, kPaletteSize);
    mColorIndices = CopyArray(other.mColorIndices, pixelCount);
    mNativeAlphaData = CopyArray(other.mNativeAlphaData, palettised ? kPaletteSize : pixelCount);
    mRLAlphaData = CopyArray(other.mRLAlphaData, pixelCount);
    mRLAdditiveData = CopyArray(other.mRLAdditiveData, pixelCount);
    if (mApp != nullptr)
        mApp->RegisterImage(this);
}

MemoryImage::~MemoryImage()
{
    if (mApp != nullptr)
        mApp->UnregisterImage(this);
    delete[] mBits;
    delete[] mNativeAlphaData;
    delete[] mRLAlphaData;
    delete[] mRLAdditiveData;
    delete[] mColorIndices;
    delete[] mColorTable;
}

uint32_t* MemoryImage::GetNativeAlphaData(const NativeDisplay* display)
{
    if (display == nullptr)
        return nullptr;
    if (mNativeAlphaData != nullptr)
        return mNativeAlphaData;
    CommitBits();
    if (IsPalettised(*this)) {
        mNativeAlphaData = new uint32_t[kPaletteSize];
        std::transform(mColorTable, mColorTable + kPaletteSize, mNativeAlphaData,
                       [display](const uint32_t argb) { return ToNative(argb, *display); });
        return mNativeAlphaData;
    }
    const uint32_t* const bits = GetBits();
    if (bits == nullptr)
        return nullptr;
    const size_t pixelCount = PixelCount(*this);
    mNativeAlphaData = new uint32_t[pixelCount];
    std::transform(bits, bits + pixelCount, mNativeAlphaData,
                   [display](const uint32_t argb) { return ToNative(argb, *display); });
    return mNativeAlphaData;
}

uint8_t* MemoryImage::GetRLAlphaData()
{
    CommitBits();
    if (mRLAlphaData != nullptr)
        return mRLAlphaData;
    // Native words keep the alpha byte, so they serve as well as the pixels.
    const uint32_t* words = mColorTable;
    if (!IsPalettised(*this)) {
        words = mNativeAlphaData != nullptr ? mNativeAlphaData : GetBits();
        if (words == nullptr)
            return nullptr;
    }
    mRLAlphaData = NewRunTable(*this, words, AlphaClass);
    return mRLAlphaData;
}

uint8_t* MemoryImage::GetRLAdditiveData(const NativeDisplay* display)
{
    if (mRLAdditiveData != nullptr)
        return mRLAdditiveData;
    const uint32_t* const native = GetNativeAlphaData(display);
    if (native == nullptr)
        return nullptr;
    mRLAdditiveData = NewRunTable(*this, native, AdditiveClass);
    return mRLAdditiveData;
}

void MemoryImage::PurgeBits()
{
    mPurgeBits = true;
    // Without an application there is no display whose data could hold the picture.
    if (mApp == nullptr)
        return;
    if (!mApp->Is3DEnabled()) {
        if (mBits == nullptr && mColorIndices == nullptr)
            return;
        // The native data has to hold the picture before the pixels go.
        if (GetNativeAlphaData(mApp->GetNativeDisplay()) == nullptr)
            return;
    } else if (mTextureData == nullptr) {
        return;
    }
    FreeArray(mBits);
    if (mTextureData != nullptr)
        FreePalettisedForm(*this);
}

void MemoryImage::DeleteSoftwareBuffers()
{
    GetBits();
    FreeArray(mNativeAlphaData);
    FreeArray(mRLAlphaData);
    FreeArray(mRLAdditiveData);
}

void MemoryImage::Delete3DBuffers()
{
    if (mApp != nullptr)
        mApp->Remove3DData(this);
}

void MemoryImage::DeleteCachedBuffers()
{
    DeleteSoftwareBuffers();
    Delete3DBuffers();
}

void MemoryImage::ReInit()
{
    if (mWantPalletize)
        Palletize();
    if (mPurgeBits)
        PurgeBits();
}

void MemoryImage::BitsChanged()
{
    ++mBitsChangedCount;
    mBitsChanged = true;
    FreeArray(mNativeAlphaData);
    FreeArray(mRLAlphaData);
    FreeArray(mRLAdditiveData);
}

void MemoryImage::CommitBits()
{
    if (!mBitsChanged || mForcedMode)
        return;
    mHasAlpha = false;
    const uint32_t* words = nullptr;
    size_t count = 0;
    if (mBits != nullptr) {
        words = mBits;
        count = PixelCount(*this);
    } else if (IsPalettised(*this)) {
        words = mColorTable;
        count = kPaletteSize;
    }
    // With no form of the picture at hand, transparency has to be assumed.
    mHasTrans = words == nullptr;
    // Block by block without branches inside a block, so that the scan vectorises; it ends
    // after the block in which both kinds of pixel have been seen.
    constexpr size_t kScanBlock = 256;
    for (size_t first = 0; first < count && !(mHasTrans && mHasAlpha); first += kScanBlock) {
        const size_t end = std::min(count, first + kScanBlock);
        uint32_t clear = 0;
        uint32_t partial = 0;
        for (size_t i = first; i < end; ++i) {
            const uint32_t alpha = words[i] >> 24;
            clear |= static_cast<uint32_t>(alpha == 0);
            partial |= static_cast<uint32_t>(alpha != 0) & static_cast<uint32_t>(alpha != 255);
        }
        mHasTrans = mHasTrans || clear != 0;
        mHasAlpha = mHasAlpha || partial != 0;
    }
    mBitsChanged = false;
}

void MemoryImage::DeleteNativeData()
{
    GetBits();
    FreeArray(mNativeAlphaData);
    FreeArray(mRLAdditiveData);
}

void MemoryImage::Clear()
{
    uint32_t* const bits = GetBits();
    if (bits == nullptr)
        return;
    std::fill_n(bits, PixelCount(*this), 0u);
    BitsChanged();
}

void MemoryImage::SetBits(const uint32_t* bits, int width, int height, const bool commit)
{
    if (bits == mBits)
        return;
    FreePalettisedForm(*this);
    ClampSize(width, height);
    if (width != mWidth || height != mHeight || mBits == nullptr) {
        FreeArray(mBits);
        mWidth = width;
        mHeight = height;
        mBits = NewPicture(PixelCount(*this), bits == nullptr);
    }
    if (bits != nullptr)
        std::copy_n(bits, PixelCount(*this), mBits);
    BitsChanged();
    if (commit)
        CommitBits();
}

void MemoryImage::AdoptBits(uint32_t* const bits, const int width, const int height, const bool commit)
{
    ZEST_ASSERT(bits != nullptr && bits != mBits && width > 0 && height > 0);
    FreePalettisedForm(*this);
    FreeArray(mBits);
    mWidth = width;
    mHeight = height;
    mBits = bits;
    mBits[PixelCount(*this)] = kImageGuardWord;
    BitsChanged();
    if (commit)
        CommitBits();
}

void MemoryImage::Create(int width, int height)
{
    FreeArray(mBits);
    ClampSize(width, height);
    mWidth = width;
    mHeight = height;
    mHasTrans = true;
    mHasAlpha = true;
    BitsChanged();
}

uint32_t* MemoryImage::GetBits()
{
    if (mBits != nullptr)
        return mBits;
    const size_t pixelCount = PixelCount(*this);
    mBits = NewPicture(pixelCount);
    const NativeDisplay* const display = mApp != nullptr ? mApp->GetNativeDisplay() : nullptr;
    if (IsPalettised(*this)) {
        for (size_t i = 0; i < pixelCount; ++i)
            mBits[i] = mColorTable[mColorIndices[i]];
        FreePalettisedForm(*this);
        // A palettised image's native data is a table indexed through the palette.
        FreeArray(mNativeAlphaData);
    } else if (mNativeAlphaData != nullptr && display != nullptr) {
        std::transform(mNativeAlphaData, mNativeAlphaData + pixelCount, mBits,
                       [display](const uint32_t native) { return FromNative(native, *display); });
    } else if (mTextureData != nullptr && mApp != nullptr && !mApp->RecoverBits(this)) {
        // A failed read-back may have filled part of the picture.
        std::fill_n(mBits, pixelCount, 0u);
    }
    return mBits;
}

void MemoryImage::SetImageMode(const bool hasTrans, const bool hasAlpha)
{
    mForcedMode = true;
    mHasTrans = hasTrans;
    mHasAlpha = hasAlpha;
}

void MemoryImage::SetVolatile(const bool isVolatile) { mIsVolatile = isVolatile; }

bool MemoryImage::Palletize()
{
    CommitBits();
    if (IsPalettised(*this))
        return true;
    const uint32_t* const bits = GetBits();
    if (bits == nullptr)
        return false;
    const size_t pixelCount = PixelCount(*this);
    mColorIndices = new uint8_t[pixelCount];
    mColorTable = new uint32_t[kPaletteSize];
    if (!BuildPalette(bits, pixelCount, mColorTable, mColorIndices)) {
        FreePalettisedForm(*this);
        mWantPalletize = false;
        return false;
    }
    FreeArray(mBits);
    FreeArray(mNativeAlphaData);
    mWantPalletize = true;
    return true;
}

} // namespace Zest
