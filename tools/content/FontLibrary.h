#pragma once
// The faces that the content is drawn with, loaded once from the Debian font packages.

#include "tools/content/Canvas.h"

#include <cairo.h>

#include <map>
#include <string>
#include <vector>

struct hb_font_t;

namespace Content {

// The size at which the colour emoji font holds its pictures.
constexpr double kEmojiStrike = 109;

// Every face is loaded when the library is first asked for, so that the threads that draw
// pictures at the same time only read it.
class FontLibrary {
public:
    static const FontLibrary& Get();

    cairo_font_face_t* Face(FontStyle style) const;
    cairo_font_face_t* EmojiFace() const { return mEmojiFace; }

    // The glyphs of an emoji sequence at the given size, placed from the origin.
    std::vector<cairo_glyph_t> ShapeEmoji(const std::string& utf8, double size) const;

private:
    // Ends the program with a message when a face's file cannot be read: content drawn
    // with a fallback face would pass unnoticed.
    FontLibrary();

    std::map<FontStyle, cairo_font_face_t*> mFaces;
    cairo_font_face_t* mEmojiFace = nullptr;
    hb_font_t* mEmojiShaper = nullptr;
};

} // namespace Content
