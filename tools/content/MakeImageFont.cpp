// Renders the Latin-1 characters 32..255 of a TrueType face into a glyph sheet and writes
// the font description file that an image font loads it with.
// Usage: make_image_font FONT.ttf POINT_SIZE OUTPUT_BASE [--shadow] [--outline] [--leading=N]
//
// OUTPUT_BASE.png holds white glyphs whose alpha is the antialiased coverage, one per cell
// of a grid. With --outline a second grid below the first holds each glyph dilated by one
// pixel. OUTPUT_BASE.txt defines the layer Main, and on request the layers Outline (black,
// under Main) and Shadow (black, one pixel right and down, under everything else).
// --leading=N leaves N more pixels of the line above the letters: text laid out from the top
// of a box (the first baseline lies one ascent below it) starts that much lower, while the
// distance between lines stays the font's own.

#include "tools/content/PngFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kDpi = 96;
constexpr int kFirstChar = 32;
constexpr int kLastChar = 255;
constexpr int kCellsPerRow = 16;
// Entries per line of a list in the description file, to keep the lines readable.
constexpr size_t kEntriesPerLine = 16;

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

struct Options {
    std::string mFontFile;
    int mPointSize = 0;
    std::string mOutputBase;
    bool mShadow = false;
    bool mOutline = false;
    int mLeading = 0;
};

// One rendered character: its coverage, where it sits against the pen and the baseline,
// and where it went on the sheet.
struct Glyph {
    unsigned char mCode = 0;
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint8_t> mAlpha;
    int mLeft = 0;
    int mTop = 0;
    int mAdvance = 0;
    int mCellX = 0;
    int mCellY = 0;
};

int Usage()
{
    std::fprintf(stderr, "usage: make_image_font FONT.ttf POINT_SIZE OUTPUT_BASE [--shadow] [--outline] [--leading=N]\n");
    return 2;
}

// A whole decimal number in [low, high].
bool ParseNumber(const std::string& text, const int low, const int high, int* const number)
{
    size_t used = 0;
    try {
        *number = std::stoi(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size() && *number >= low && *number <= high;
}

bool ParseArguments(const int argc, char** const argv, Options* const options)
{
    if (argc < 4 || argc > 7) {
        return false;
    }
    options->mFontFile = argv[1];
    if (!ParseNumber(argv[2], 1, 1000, &options->mPointSize)) {
        return false;
    }
    options->mOutputBase = argv[3];
    if (options->mOutputBase.empty()) {
        return false;
    }
    for (int i = 4; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--shadow" && !options->mShadow) {
            options->mShadow = true;
        } else if (flag == "--outline" && !options->mOutline) {
            options->mOutline = true;
        } else if (flag.starts_with("--leading=") && options->mLeading == 0) {
            if (!ParseNumber(flag.substr(10), 1, 100, &options->mLeading)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

int RoundPixels(const FT_Pos value) { return static_cast<int>(std::lround(value / 64.0)); }

// Coverage of the rendered glyph, one byte per pixel, whatever the bitmap's own format.
std::vector<uint8_t> CoverageOf(const FT_Bitmap& bitmap)
{
    std::vector<uint8_t> alpha(static_cast<size_t>(bitmap.width) * bitmap.rows);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* const row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (unsigned x = 0; x < bitmap.width; ++x) {
            uint8_t value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                value = (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0;
            } else {
                value = row[x];
            }
            alpha[static_cast<size_t>(y) * bitmap.width + x] = value;
        }
    }
    return alpha;
}

// A quoted string that reads back as `text`. The reader drops a closing quote that does not
// follow another quote, so the delimiter is one the text lacks, or else its first character.
std::string Quote(const std::string& text)
{
    char delimiter = '\'';
    if (text.find('\'') != std::string::npos) {
        delimiter = text.find('"') == std::string::npos ? '"' : text.front();
    }
    std::string quoted(1, delimiter);
    for (const char character : text) {
        if (character == '\\' || character == delimiter) {
            quoted += '\\';
        }
        quoted += character;
    }
    return quoted + delimiter;
}

// A parenthesised list, broken over indented lines.
std::string ListOf(const std::vector<std::string>& entries)
{
    std::string list = "(";
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i % kEntriesPerLine == 0) {
            list += "\n    ";
        } else {
            list += ' ';
        }
        list += entries[i];
    }
    return list + ")";
}

void PutAlpha(Content::Pixels& sheet, const int x, const int y, const uint8_t alpha)
{
    sheet.At(x, y) = (uint32_t{alpha} << 24) | 0xFFFFFF;
}

void DrawGlyph(Content::Pixels& sheet, const Glyph& glyph, const int left, const int top)
{
    for (int y = 0; y < glyph.mHeight; ++y) {
        for (int x = 0; x < glyph.mWidth; ++x) {
            PutAlpha(sheet, left + x, top + y, glyph.mAlpha[static_cast<size_t>(y) * glyph.mWidth + x]);
        }
    }
}

// The glyph grown by one pixel on every side: each pixel takes the strongest coverage of
// its 3 x 3 neighbourhood.
void DrawDilatedGlyph(Content::Pixels& sheet, const Glyph& glyph, const int left, const int top)
{
    for (int y = 0; y < glyph.mHeight + 2; ++y) {
        for (int x = 0; x < glyph.mWidth + 2; ++x) {
            uint8_t strongest = 0;
            for (int sy = std::max(y - 2, 0); sy <= std::min(y, glyph.mHeight - 1); ++sy) {
                for (int sx = std::max(x - 2, 0); sx <= std::min(x, glyph.mWidth - 1); ++sx) {
                    strongest = std::max(strongest, glyph.mAlpha[static_cast<size_t>(sy) * glyph.mWidth + sx]);
                }
            }
            PutAlpha(sheet, left + x, top + y, strongest);
        }
    }
}

std::string RectText(const int x, const int y, const int width, const int height)
{
    return "(" + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
           std::to_string(height) + ")";
}

std::string PointText(const int x, const int y) { return "(" + std::to_string(x) + " " + std::to_string(y) + ")"; }

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArguments(argc, argv, &options)) {
        return Usage();
    }
    if (!std::filesystem::is_regular_file(options.mFontFile)) {
        std::fprintf(stderr, "make_image_font: cannot open font '%s'\n", options.mFontFile.c_str());
        return 1;
    }

    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        std::fprintf(stderr, "make_image_font: cannot start FreeType\n");
        return 1;
    }
    const LibraryPtr library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), options.mFontFile.c_str(), 0, &rawFace) != 0) {
        std::fprintf(stderr, "make_image_font: '%s' is not a font FreeType can read\n", options.mFontFile.c_str());
        return 1;
    }
    // Declared after the library so that the face goes first.
    const FacePtr face(rawFace);
    if (FT_Set_Char_Size(face.get(), 0, static_cast<FT_F26Dot6>(options.mPointSize) * 64, kDpi, kDpi) != 0) {
        std::fprintf(stderr, "make_image_font: the font cannot be drawn at %d points\n", options.mPointSize);
        return 1;
    }

    std::vector<Glyph> glyphs;
    std::vector<FT_UInt> glyphIndices;
    int maxWidth = 0;
    int maxHeight = 0;
    for (int code = kFirstChar; code <= kLastChar; ++code) {
        const FT_UInt index = FT_Get_Char_Index(face.get(), static_cast<FT_ULong>(code));
        // Characters the face lacks are left out rather than drawn as its missing-glyph box.
        if (index == 0 && code != ' ') {
            continue;
        }
        if (FT_Load_Glyph(face.get(), index, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        Glyph& glyph = glyphs.emplace_back();
        glyph.mCode = static_cast<unsigned char>(code);
        glyph.mWidth = static_cast<int>(slot->bitmap.width);
        glyph.mHeight = static_cast<int>(slot->bitmap.rows);
        glyph.mAlpha = CoverageOf(slot->bitmap);
        glyph.mLeft = slot->bitmap_left;
        glyph.mTop = slot->bitmap_top;
        glyph.mAdvance = RoundPixels(slot->advance.x);
        glyphIndices.push_back(index);
        maxWidth = std::max(maxWidth, glyph.mWidth);
        maxHeight = std::max(maxHeight, glyph.mHeight);
    }

    // A cell leaves one pixel around the glyph, so that the dilated copy fits the same grid
    // and no filtering ever reaches into a neighbour.
    const int cellWidth = maxWidth + 2;
    const int cellHeight = maxHeight + 2;
    const int rows = static_cast<int>((glyphs.size() + kCellsPerRow - 1) / kCellsPerRow);
    const int gridHeight = rows * cellHeight;
    Content::Pixels sheet(kCellsPerRow * cellWidth, gridHeight * (options.mOutline ? 2 : 1));
    for (size_t i = 0; i < glyphs.size(); ++i) {
        Glyph& glyph = glyphs[i];
        glyph.mCellX = static_cast<int>(i % kCellsPerRow) * cellWidth;
        glyph.mCellY = static_cast<int>(i / kCellsPerRow) * cellHeight;
        DrawGlyph(sheet, glyph, glyph.mCellX + 1, glyph.mCellY + 1);
        if (options.mOutline) {
            DrawDilatedGlyph(sheet, glyph, glyph.mCellX, glyph.mCellY + gridHeight);
        }
    }

    const std::string pngFile = options.mOutputBase + ".png";
    if (!Content::WritePng(pngFile, sheet)) {
        return 1;
    }

    const FT_Size_Metrics& metrics = face->size->metrics;
    const int ascent = RoundPixels(metrics.ascender) + options.mLeading;
    const int height = ascent + RoundPixels(-metrics.descender);
    const int lineSpacingOffset = RoundPixels(metrics.height) - height;

    std::vector<std::string> characters;
    std::vector<std::string> rects;
    std::vector<std::string> offsets;
    std::vector<std::string> widths;
    std::vector<std::string> outlineRects;
    std::vector<std::string> outlineOffsets;
    for (const Glyph& glyph : glyphs) {
        characters.push_back(Quote(std::string(1, static_cast<char>(glyph.mCode))));
        // Offsets are measured from the top of the line, which lies `ascent` above the baseline.
        const int offsetY = ascent - glyph.mTop;
        rects.push_back(RectText(glyph.mCellX + 1, glyph.mCellY + 1, glyph.mWidth, glyph.mHeight));
        offsets.push_back(PointText(glyph.mLeft, offsetY));
        widths.push_back(std::to_string(glyph.mAdvance));
        if (glyph.mWidth > 0 && glyph.mHeight > 0) {
            outlineRects.push_back(RectText(glyph.mCellX, glyph.mCellY + gridHeight, glyph.mWidth + 2,
                                            glyph.mHeight + 2));
        } else {
            outlineRects.push_back(RectText(glyph.mCellX, glyph.mCellY + gridHeight, 0, 0));
        }
        outlineOffsets.push_back(PointText(glyph.mLeft - 1, offsetY - 1));
    }

    std::vector<std::string> kerningPairs;
    std::vector<std::string> kerningValues;
    if (FT_HAS_KERNING(face.get())) {
        for (size_t first = 0; first < glyphs.size(); ++first) {
            for (size_t second = 0; second < glyphs.size(); ++second) {
                FT_Vector kerning{};
                if (FT_Get_Kerning(face.get(), glyphIndices[first], glyphIndices[second], FT_KERNING_DEFAULT,
                                   &kerning) != 0) {
                    continue;
                }
                // The font keeps a kerning step in a signed byte.
                const int pixels = std::clamp(RoundPixels(kerning.x), -128, 127);
                if (pixels == 0) {
                    continue;
                }
                const std::string pair{static_cast<char>(glyphs[first].mCode), static_cast<char>(glyphs[second].mCode)};
                kerningPairs.push_back(Quote(pair));
                kerningValues.push_back(std::to_string(pixels));
            }
        }
    }

    const std::string size = std::to_string(options.mPointSize);
    std::string text = "# Made by make_image_font from " + std::filesystem::path(options.mFontFile).filename().string() +
                       " at " + size + " points.\n";
    text += "SetDefaultPointSize " + size + ";\n";
    text += "Define Chars " + ListOf(characters) + ";\n";
    text += "CreateLayer Main;\n";
    text += "LayerSetImage Main " + Quote(std::filesystem::path(pngFile).filename().string()) + ";\n";
    text += "LayerSetImageMap Main Chars " + ListOf(rects) + ";\n";
    text += "LayerSetCharOffsets Main Chars " + ListOf(offsets) + ";\n";
    text += "LayerSetCharWidths Main Chars " + ListOf(widths) + ";\n";
    text += "LayerSetAscent Main " + std::to_string(ascent) + ";\n";
    text += "LayerSetHeight Main " + std::to_string(height) + ";\n";
    text += "LayerSetLineSpacingOffset Main " + std::to_string(lineSpacingOffset) + ";\n";
    text += "LayerSetPointSize Main " + size + ";\n";
    if (!kerningPairs.empty()) {
        text += "LayerSetKerningPairs Main " + ListOf(kerningPairs) + " " + ListOf(kerningValues) + ";\n";
    }
    // The extra layers copy Main after it is complete, so they share its metrics and kerning.
    if (options.mOutline) {
        text += "CreateLayerFrom Outline Main;\n";
        text += "LayerSetImageMap Outline Chars " + ListOf(outlineRects) + ";\n";
        text += "LayerSetCharOffsets Outline Chars " + ListOf(outlineOffsets) + ";\n";
        text += "LayerSetColorMult Outline 0;\n";
        text += "LayerSetBaseOrder Outline -1;\n";
    }
    if (options.mShadow) {
        text += "CreateLayerFrom Shadow Main;\n";
        text += "LayerSetOffset Shadow (1 1);\n";
        text += "LayerSetColorMult Shadow 0;\n";
        text += "LayerSetBaseOrder Shadow -2;\n";
    }

    const std::string textFile = options.mOutputBase + ".txt";
    std::ofstream out(textFile, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_image_font: cannot write '%s'\n", textFile.c_str());
        return 1;
    }
    return 0;
}
