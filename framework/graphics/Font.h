#pragma once
// The font behind every text that is measured or drawn. Strings are 8-bit (Latin-1); x is
// the left edge and y the baseline of the text.

#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"

#include <string>

namespace Zest {

class Graphics;

class Font {
public:
    Font() = default;
    Font(const Font&) = default;
    Font& operator=(const Font&) = default;
    virtual ~Font() = default;

    virtual int GetAscent() const { return mAscent; }
    virtual int GetAscentPadding() const { return mAscentPadding; }
    virtual int GetDescent() const { return mHeight - mAscent; }
    virtual int GetHeight() const { return mHeight; }
    virtual int GetLineSpacingOffset() const { return mLineSpacingOffset; }
    virtual int GetLineSpacing() const { return mHeight + mLineSpacingOffset; }
    virtual int StringWidth(const std::string& text) { return 0; }
    virtual int CharWidth(char c) { return StringWidth(std::string(1, c)); }
    // Fonts without kerning ignore the previous character.
    virtual int CharWidthKern(char c, char previous) { return CharWidth(c); }
    virtual void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                            const Rect& clip)
    {
    }
    // A copy the caller owns.
    virtual Font* Duplicate() const = 0;

    int mAscent = 0;
    int mAscentPadding = 0;
    int mHeight = 0;
    int mLineSpacingOffset = 0;
};

} // namespace Zest
