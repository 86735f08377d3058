#pragma once
// A font of the system's installed faces: looked up by name (faces the system lacks fall
// back to a DejaVu face), rasterised with antialiasing, and drawn onto an image as a
// temporary picture so that the Graphics' translation, clip, colorize flag and draw mode
// apply as for any image. Strings are Latin-1: each byte is the code point of its value.
// Kerning does not exist: a character's width never depends on its neighbours.

#include "framework/graphics/Font.h"

#include <memory>
#include <string>

namespace Zest {

class AppInterface;

class SysFont : public Font {
public:
    // For the process's application (GetAppInterface), at 96 dots per inch.
    SysFont(const std::string& faceName, int pointSize, bool bold = false, bool italics = false,
            bool underline = false);
    // Not bold, not italic, not underlined. There is no screen device to ask for its dots
    // per inch, so this is 96 as well; the character set is kept for callers that pass one
    // and plays no part, since every string is Latin-1.
    SysFont(AppInterface* app, const std::string& faceName, int pointSize, int charSet = 0);
    // Same face and size; the shadow and simulated bold are off in the copy.
    SysFont(const SysFont& other);
    SysFont& operator=(const SysFont&) = delete;
    ~SysFont() override;

    // The advance width of the whole string; a string holding line breaks (CR, LF or CR LF)
    // measures its widest line.
    int StringWidth(const std::string& text) override;
    // x is the left edge, y the baseline; the clip argument is not used, the Graphics' own
    // clip applies. Line breaks draw nothing: the text is drawn as one line.
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clip) override;
    Font* Duplicate() const override;

    // False when no face could be loaded at all; such a font measures 0 and draws nothing.
    bool HasFace() const { return mFace != nullptr; }

    // The character height in pixels asked of the face: point size x dpi / 72, rounded to
    // the nearest pixel.
    static int CharacterHeight(int pointSize, int dpi);

    // Holds the loaded face; defined where the rasteriser is.
    struct Face;

    std::unique_ptr<Face> mFace;
    AppInterface* mApp = nullptr;
    // A black copy of the text one pixel right and one pixel down, drawn before the text.
    bool mDrawShadow = false;
    // Every draw of the text (shadow included) is repeated one pixel further right.
    bool mSimulateBold = false;

private:
    void Init(AppInterface* app, const std::string& faceName, int pointSize, int dpi, bool bold, bool italics,
              bool underline);
};

} // namespace Zest
