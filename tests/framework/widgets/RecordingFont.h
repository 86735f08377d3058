#pragma once
// A font for widget tests: ten pixels a character, ascent 12 (2 of it padding), height 16.
// It records every string drawn with where it landed on the destination (the context's
// translation included) and in which colour. Copies share the record, so the duplicate a
// widget keeps still reports.

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

#include <string>
#include <vector>

namespace Tests {

struct DrawnText {
    std::string mText;
    int mX = 0;
    int mY = 0;
    Zest::Color mColor;
};

class RecordingFont : public Zest::Font {
public:
    explicit RecordingFont(std::vector<DrawnText>* drawn) : mDrawn(drawn)
    {
        mAscent = 12;
        mAscentPadding = 2;
        mHeight = 16;
    }

    int StringWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    void DrawString(Zest::Graphics* g, const int x, const int y, const std::string& text, const Zest::Color& color,
                    const Zest::Rect& clip) override
    {
        mDrawn->push_back({text, x + static_cast<int>(g->mTransX), y + static_cast<int>(g->mTransY), color});
    }
    Zest::Font* Duplicate() const override { return new RecordingFont(*this); }

    std::vector<DrawnText>* mDrawn;
};

// The recorded drawing of a text, or null when it was not drawn.
inline const DrawnText* FindDrawn(const std::vector<DrawnText>& drawn, const std::string& text)
{
    for (const DrawnText& entry : drawn) {
        if (entry.mText == text)
            return &entry;
    }
    return nullptr;
}

} // namespace Tests
