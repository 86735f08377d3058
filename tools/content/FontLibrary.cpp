#include "tools/content/FontLibrary.h"

#include <cairo-ft.h>
#include <hb.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>

namespace Content {

namespace {

const char* const kDejaVu = "/usr/share/fonts/truetype/dejavu/";
const char* const kEmoji = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

} // namespace

FontLibrary& FontLibrary::Get()
{
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "cannot start FreeType\n");
        std::exit(1);
    }
    mLibrary = library;
}

std::string FontLibrary::FileOf(const FontStyle style)
{
    switch (style) {
    case FontStyle::SANS:
        return std::string(kDejaVu) + "DejaVuSans.ttf";
    case FontStyle::SANS_BOLD:
        return std::string(kDejaVu) + "DejaVuSans-Bold.ttf";
    case FontStyle::SANS_CONDENSED_BOLD:
        return std::string(kDejaVu) + "DejaVuSansCondensed-Bold.ttf";
    case FontStyle::SERIF_BOLD:
        return std::string(kDejaVu) + "DejaVuSerif-Bold.ttf";
    case FontStyle::SERIF_ITALIC:
        return std::string(kDejaVu) + "DejaVuSerif-Italic.ttf";
    }
    return std::string(kDejaVu) + "DejaVuSans.ttf";
}

cairo_font_face_t* FontLibrary::Face(const FontStyle style) { return Load(FileOf(style), 0); }

cairo_font_face_t* FontLibrary::EmojiFace() { return Load(kEmoji, FT_LOAD_COLOR); }

std::vector<cairo_glyph_t> FontLibrary::ShapeEmoji(const std::string& utf8, const double size)
{
    auto* font = static_cast<hb_font_t*>(mEmojiShaper);
    if (font == nullptr) {
        hb_blob_t* const blob = hb_blob_create_from_file_or_fail(kEmoji);
        if (blob == nullptr) {
            std::fprintf(stderr, "cannot read the font '%s'\n", kEmoji);
            std::exit(1);
        }
        hb_face_t* const face = hb_face_create(blob, 0);
        font = hb_font_create(face);
        hb_face_destroy(face);
        hb_blob_destroy(blob);
        mEmojiShaper = font;
    }
    hb_buffer_t* const buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, utf8.c_str(), -1, 0, -1);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* const infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* const positions = hb_buffer_get_glyph_positions(buffer, &count);
    const double unitsPerEm = hb_face_get_upem(hb_font_get_face(font));
    std::vector<cairo_glyph_t> glyphs;
    double x = 0;
    for (unsigned i = 0; i < count; ++i) {
        glyphs.push_back({infos[i].codepoint, x + positions[i].x_offset * size / unitsPerEm,
                          -positions[i].y_offset * size / unitsPerEm});
        x += positions[i].x_advance * size / unitsPerEm;
    }
    hb_buffer_destroy(buffer);
    return glyphs;
}

cairo_font_face_t* FontLibrary::Load(const std::string& file, const int loadFlags)
{
    const auto found = mFaces.find(file);
    if (found != mFaces.end())
        return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(static_cast<FT_Library>(mLibrary), file.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "cannot read the font '%s'\n", file.c_str());
        std::exit(1);
    }
    // The faces live as long as the program, which makes the pictures and ends.
    cairo_font_face_t* const cairoFace = cairo_ft_font_face_create_for_ft_face(face, loadFlags);
    mFaces.emplace(file, cairoFace);
    return cairoFace;
}

} // namespace Content
