#include "framework/graphics/SysFont.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

namespace Zest {

struct SysFont::Face {
    // What is needed to open the face again for a copy.
    struct Source {
        std::string mFile;
        int mIndex = 0;
        int mPixelHeight = 0;
        // Bold was asked of a family without a bold face: the outlines are thickened.
        bool mEmbolden = false;
        // Italic was asked of a family without a slanted face: the outlines are sheared.
        bool mOblique = false;
        bool mUnderline = false;
    };

    Face(Source source, const FT_Face handle) : mSource(std::move(source)), mHandle(handle) {}
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    // The caller holds the FreeType mutex.
    ~Face() { FT_Done_Face(mHandle); }

    const Source mSource;
    const FT_Face mHandle;
    // The underline's first row below the baseline and its number of rows.
    int mUnderlineTop = 1;
    int mUnderlineThickness = 1;
};

namespace {

constexpr int kDefaultDpi = 96;
// The faces that stand in for families this system lacks.
constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr const char* kFallbackMonoFamily = "DejaVu Sans Mono";
// The slant of a simulated italic: x grows by 0.2 of y (16.16 fixed point).
constexpr FT_Fixed kObliqueShear = 0x3333;

// The process's one FreeType library. Every FreeType and fontconfig call runs under its
// mutex: fonts are made on the loading thread as well as the main one, and neither library
// may be used by two threads at once.
class FreeTypeLibrary {
public:
    static FreeTypeLibrary& Get()
    {
        static FreeTypeLibrary library;
        return library;
    }

    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

    // Null when FreeType could not start; every font then has no face.
    FT_Library Handle() const { return mLibrary; }
    std::mutex& Mutex() { return mMutex; }

private:
    FreeTypeLibrary()
    {
        if (FT_Init_FreeType(&mLibrary) != 0)
            mLibrary = nullptr;
    }
    // Fontconfig's caches are freed here as well: no font keeps a fontconfig object, and a
    // process that exits with them held would show them as leaks.
    ~FreeTypeLibrary()
    {
        if (mLibrary != nullptr)
            FT_Done_FreeType(mLibrary);
        FcFini();
    }

    FT_Library mLibrary = nullptr;
    std::mutex mMutex;
};

std::unique_lock<std::mutex> LockFreeType()
{
    return std::unique_lock(FreeTypeLibrary::Get().Mutex());
}

// 26.6 fixed point to whole pixels, rounded to the nearest.
int RoundPixels(const FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

using PatternPtr = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

bool HasFamily(const FcPattern* pattern, const std::string& family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
            return true;
    }
    return false;
}

// The installed face of the family closest to the weight and slant, or null when the family
// is not installed (fontconfig would otherwise answer with some other family).
PatternPtr MatchFamily(const std::string& family, const bool bold, const bool italics)
{
    PatternPtr none(nullptr, FcPatternDestroy);
    const PatternPtr pattern(FcPatternCreate(), FcPatternDestroy);
    if (pattern == nullptr)
        return none;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italics ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result), FcPatternDestroy);
    if (match == nullptr || !HasFamily(match.get(), family))
        return none;
    return match;
}

// Fixed-pitch names get the fixed-pitch stand-in.
const char* FallbackFamily(const std::string& family)
{
    std::string lower(family);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](const unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* const word : {"courier", "mono", "consol", "fixed"}) {
        if (lower.find(word) != std::string::npos)
            return kFallbackMonoFamily;
    }
    return kFallbackFamily;
}

// Opens the face at its pixel height with its simulated styles; null on any failure. The
// caller holds the FreeType mutex.
std::unique_ptr<SysFont::Face> OpenFace(const SysFont::Face::Source& source)
{
    const FT_Library library = FreeTypeLibrary::Get().Handle();
    FT_Face handle = nullptr;
    if (library == nullptr || FT_New_Face(library, source.mFile.c_str(), source.mIndex, &handle) != 0)
        return nullptr;
    auto face = std::make_unique<SysFont::Face>(source, handle);
    if (FT_Set_Pixel_Sizes(handle, 0, static_cast<FT_UInt>(source.mPixelHeight)) != 0)
        return nullptr;
    // Latin-1 bytes are Unicode code points; a face without a Unicode map keeps its own.
    FT_Select_Charmap(handle, FT_ENCODING_UNICODE);
    if (source.mOblique) {
        FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
        FT_Set_Transform(handle, &shear, nullptr);
    }
    if (FT_IS_SCALABLE(handle)) {
        const FT_Fixed scale = handle->size->metrics.y_scale;
        face->mUnderlineThickness = std::max(1, RoundPixels(FT_MulFix(handle->underline_thickness, scale)));
        // The position is the middle of the line, negative below the baseline.
        const int middle = -RoundPixels(FT_MulFix(handle->underline_position, scale));
        face->mUnderlineTop = std::max(1, middle - face->mUnderlineThickness / 2);
    }
    return face;
}

// Looks the family up, falling back to a DejaVu face; null when neither is installed. The
// caller holds the FreeType mutex.
std::unique_ptr<SysFont::Face> LoadFace(const std::string& family, const int pixelHeight, const bool bold,
                                        const bool italics, const bool underline)
{
    PatternPtr match = MatchFamily(family, bold, italics);
    if (match == nullptr)
        match = MatchFamily(FallbackFamily(family), bold, italics);
    FcChar8* file = nullptr;
    if (match == nullptr || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return nullptr;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    SysFont::Face::Source source;
    source.mFile = reinterpret_cast<const char*>(file);
    source.mIndex = index;
    source.mPixelHeight = pixelHeight;
    source.mEmbolden = bold && weight < FC_WEIGHT_DEMIBOLD;
    source.mOblique = italics && slant == FC_SLANT_ROMAN;
    source.mUnderline = underline;
    return OpenFace(source);
}

bool IsLineBreak(const char c)
{
    return c == '\n' || c == '\r';
}

// Loads, and when asked renders, the glyph of a Latin-1 byte into the face's slot; false when
// FreeType fails, and the byte then takes no room. The caller holds the FreeType mutex.
bool LoadGlyph(const SysFont::Face& face, const unsigned char byte, const bool render)
{
    const FT_UInt index = FT_Get_Char_Index(face.mHandle, byte);
    if (FT_Load_Glyph(face.mHandle, index, FT_LOAD_DEFAULT) != 0)
        return false;
    // Thickening widens the advance too, so measuring and drawing must both do it.
    if (face.mSource.mEmbolden)
        FT_GlyphSlot_Embolden(face.mHandle->glyph);
    return !render || FT_Render_Glyph(face.mHandle->glyph, FT_RENDER_MODE_NORMAL) == 0;
}

// Antialiased coverage (0 to 255) of a w x h box; reads and writes outside it are ignored.
class Coverage {
public:
    Coverage(const int width, const int height)
        : mWidth(width), mHeight(height), mValues(static_cast<size_t>(width) * height, 0)
    {
    }

    uint8_t At(const int x, const int y) const
    {
        return Inside(x, y) ? mValues[Index(x, y)] : 0;
    }

    // Overlapping glyphs keep the stronger coverage.
    void Cover(const int x, const int y, const uint8_t value)
    {
        if (Inside(x, y))
            mValues[Index(x, y)] = std::max(mValues[Index(x, y)], value);
    }

    // A rendered glyph with its top-left pixel at (left, top).
    void Stamp(const FT_Bitmap& bitmap, const int left, const int top)
    {
        const int rows = static_cast<int>(bitmap.rows);
        const int columns = static_cast<int>(bitmap.width);
        const int pitch = bitmap.pitch;
        for (int row = 0; row < rows; ++row) {
            // A negative pitch stores the rows bottom-up.
            const unsigned char* const source =
                bitmap.buffer + static_cast<ptrdiff_t>(pitch >= 0 ? row : rows - 1 - row) * std::abs(pitch);
            for (int column = 0; column < columns; ++column)
                Cover(left + column, top + row, Sample(bitmap, source, column));
        }
    }

private:
    static uint8_t Sample(const FT_Bitmap& bitmap, const unsigned char* const row, const int column)
    {
        switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_GRAY:
            return bitmap.num_grays == 256 ? row[column]
                                           : static_cast<uint8_t>(row[column] * 255 / std::max(1, bitmap.num_grays - 1));
        case FT_PIXEL_MODE_MONO:
            return ((row[column >> 3] >> (7 - (column & 7))) & 1) != 0 ? 255 : 0;
        default:
            return 0;
        }
    }

    bool Inside(const int x, const int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
    size_t Index(const int x, const int y) const { return static_cast<size_t>(y) * mWidth + x; }

    const int mWidth;
    const int mHeight;
    std::vector<uint8_t> mValues;
};

// The text as one line with its left edge at 0 and its baseline on row `baseline`. The
// caller holds the FreeType mutex.
void RasteriseLine(const SysFont::Face& face, const std::string& text, const int baseline, Coverage& coverage)
{
    FT_Pos pen = 0;
    for (const char c : text) {
        if (IsLineBreak(c) || !LoadGlyph(face, static_cast<unsigned char>(c), true))
            continue;
        const FT_GlyphSlot slot = face.mHandle->glyph;
        coverage.Stamp(slot->bitmap, RoundPixels(pen) + slot->bitmap_left, baseline - slot->bitmap_top);
        pen += slot->advance.x;
    }
    if (!face.mSource.mUnderline)
        return;
    const int end = RoundPixels(pen);
    for (int row = 0; row < face.mUnderlineThickness; ++row) {
        for (int x = 0; x < end; ++x)
            coverage.Cover(x, baseline + face.mUnderlineTop + row, 255);
    }
}

// One layer of the drawing: the text's coverage moved by (dx, dy), drawn a second time one
// pixel further right when bold.
int LayerCoverage(const Coverage& text, const int x, const int y, const int dx, const int dy, const bool bold)
{
    const int once = text.At(x - dx, y - dy);
    return bold ? std::max(once, static_cast<int>(text.At(x - dx - 1, y - dy))) : once;
}

uint32_t ClampChannel(const int value)
{
    return static_cast<uint32_t>(std::clamp(value, 0, 255));
}

} // namespace

SysFont::SysFont(const std::string& faceName, const int pointSize, const bool bold, const bool italics,
                 const bool underline)
{
    Init(GetAppInterface(), faceName, pointSize, kDefaultDpi, bold, italics, underline);
}

SysFont::SysFont(AppInterface* app, const std::string& faceName, const int pointSize, const int charSet)
{
    Init(app, faceName, pointSize, kDefaultDpi, false, false, false);
}

SysFont::SysFont(const SysFont& other) : Font(other), mApp(other.mApp)
{
    if (other.mFace == nullptr)
        return;
    const auto lock = LockFreeType();
    mFace = OpenFace(other.mFace->mSource);
}

SysFont::~SysFont()
{
    const auto lock = LockFreeType();
    mFace.reset();
}

int SysFont::CharacterHeight(const int pointSize, const int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(pointSize) * dpi / 72.0));
}

void SysFont::Init(AppInterface* app, const std::string& faceName, const int pointSize, const int dpi,
                   const bool bold, const bool italics, const bool underline)
{
    mApp = app;
    const int pixelHeight = CharacterHeight(pointSize, dpi);
    // FreeType reads a height of 0 as "as wide as high", which has no meaning here.
    if (pixelHeight <= 0)
        return;
    const auto lock = LockFreeType();
    mFace = LoadFace(faceName, pixelHeight, bold, italics, underline);
    if (mFace == nullptr)
        return;
    const FT_Size_Metrics& metrics = mFace->mHandle->size->metrics;
    mAscent = RoundPixels(metrics.ascender);
    mHeight = RoundPixels(metrics.ascender - metrics.descender);
}

int SysFont::StringWidth(const std::string& text)
{
    if (mFace == nullptr)
        return 0;
    const auto lock = LockFreeType();
    FT_Pos widest = 0;
    FT_Pos line = 0;
    for (const char c : text) {
        if (IsLineBreak(c)) {
            widest = std::max(widest, line);
            line = 0;
        } else if (LoadGlyph(*mFace, static_cast<unsigned char>(c), false)) {
            line += mFace->mHandle->glyph->advance.x;
        }
    }
    return RoundPixels(std::max(widest, line));
}

void SysFont::DrawString(Graphics* g, const int x, const int y, const std::string& text, const Color& color,
                         const Rect& clip)
{
    if (g == nullptr || g->mDestImage == &gDefaultImage || mFace == nullptr)
        return;
    const int width = StringWidth(text);
    const int height = mHeight;
    if (width <= 0 || height <= 0)
        return;

    Coverage coverage(width, height);
    {
        const auto lock = LockFreeType();
        RasteriseLine(*mFace, text, mAscent, coverage);
    }

    // The text over its black shadow, as colour and alpha (not premultiplied); the colour's
    // own alpha plays no part.
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int textAlpha = LayerCoverage(coverage, column, row, 0, 0, mSimulateBold);
            const int shadowAlpha = mDrawShadow ? LayerCoverage(coverage, column, row, 1, 1, mSimulateBold) : 0;
            const int alpha = textAlpha + shadowAlpha * (255 - textAlpha) / 255;
            if (alpha == 0)
                continue;
            pixels[static_cast<size_t>(row) * width + column] =
                (ClampChannel(alpha) << 24) | (ClampChannel(color.mRed * textAlpha / alpha) << 16) |
                (ClampChannel(color.mGreen * textAlpha / alpha) << 8) | ClampChannel(color.mBlue * textAlpha / alpha);
        }
    }

    MemoryImage image(mApp);
    image.SetBits(pixels.data(), width, height, true);
    g->DrawImage(&image, x, y - mAscent);
}

Font* SysFont::Duplicate() const
{
    return new SysFont(*this);
}

} // namespace Zest
