#include "tools/content/FontLibrary.h"

#include <cairo-ft.h>
#include <hb.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace Content {

namespace {

const char* const kEmoji = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

const std::pair<FontStyle, const char*> kStyleFiles[] = {
    {FontStyle::SANS, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
    {FontStyle::SANS_BOLD, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
    {FontStyle::SANS_CONDENSED_BOLD, "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"},
    {FontStyle::SERIF_BOLD, "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"},
    {FontStyle::SERIF_ITALIC, "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf"},
};

[[noreturn]] void FailToRead(const char* const file)
{
    std::fprintf(stderr, "cannot read the font '%s'\n", file);
    std::exit(1);
}

// The faces, the library and the shaper live as long as the program, which makes the
// pictures and ends.
cairo_font_face_t* LoadFace(const FT_Library library, const char* const file, const int loadFlags)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, file, 0, &face) != 0)
        FailToRead(file);
    return cairo_ft_font_face_create_for_ft_face(face, loadFlags);
}

hb_font_t* LoadShaper(const char* const file)
{
    hb_blob_t* const blob = hb_blob_create_from_file_or_fail(file);
    if (blob == nullptr)
        FailToRead(file);
    hb_face_t* const face = hb_face_create(blob, 0);
    hb_font_t* const font = hb_font_create(face);
    hb_font_make_immutable(font);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return font;
}

} // namespace

const FontLibrary& FontLibrary::Get()
{
    static const FontLibrary library;
    return library;
}

FontLibrary::FontLibrary()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "cannot start FreeType\n");
        std::exit(1);
    }
    for (const auto& [style, file] : kStyleFiles)
        mFaces.emplace(style, LoadFace(library, file, 0));
    mEmojiFace = LoadFace(library, kEmoji, FT_LOAD_COLOR);
    mEmojiShaper = LoadShaper(kEmoji);
}

cairo_font_face_t* FontLibrary::Face(const FontStyle style) const
{
    const auto found = mFaces.find(style);
    if (found == mFaces.end()) {
        std::fprintf(stderr, "no font file for the font style %d\n", static_cast<int>(style));
        std::exit(1);
    }
    return found->second;
}

std::vector<cairo_glyph_t> FontLibrary::ShapeEmoji(const std::string& utf8, const double size) const
{
    hb_buffer_t* const buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, utf8.c_str(), -1, 0, -1);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(mEmojiShaper, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* const infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* const positions = hb_buffer_get_glyph_positions(buffer, &count);
    const double unitsPerEm = hb_face_get_upem(hb_font_get_face(mEmojiShaper));
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

} // namespace Content
