#pragma once
// The faces that the content is drawn with, loaded once from the Debian font packages.

#include "tools/content/Canvas.h"

#include <cairo.h>

#include <map>
#include <string>
#include <vector>

namespace Content {

// The size at which the colour emoji font holds its pictures.
constexpr double kEmojiStrike = 109;

class FontLibrary {
public:
    static FontLibrary& Get();

    // Ends the program with a message when the face's file cannot be read: content drawn
    // with a fallback face would pass unnoticed.
    cairo_font_face_t* Face(FontStyle style);
    cairo_font_face_t* EmojiFace();

    static std::string FileOf(FontStyle style);

    // The glyphs of an emoji sequence at the given size, placed from the origin.
    std::vector<cairo_glyph_t> ShapeEmoji(const std::string& utf8, double size);

private:
    FontLibrary();
    cairo_font_face_t* Load(const std::string& file, int loadFlags);

    void* mLibrary = nullptr;
    void* mEmojiShaper = nullptr;
    std::map<std::string, cairo_font_face_t*> mFaces;
};

} // namespace Content
