#include "game/screens/CustomEditWidget.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A shown caret is a bar this wide; a hidden one has no width.
constexpr int kCaretWidth = 2;
constexpr int kSelectionAlpha = 128;

} // namespace

void CustomEditWidget::Draw(Zest::Graphics* const g)
{
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, mWidth, mHeight);
    // The name entry sets the font before the field is shown; without one there is no text.
    if (mFont != nullptr)
        DrawText(g, *mFont);
    g->SetColor(GetColor(COLOR_OUTLINE));
    g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
}

void CustomEditWidget::DrawText(Zest::Graphics* const g, Zest::Font& font)
{
    const std::string& shown = GetDisplayString();
    const int length = static_cast<int>(shown.size());
    const int textTop = (mHeight - font.GetHeight()) / 2;
    const int baseline = textTop + font.GetAscent();
    const std::string visible = shown.substr(static_cast<size_t>(std::clamp(mLeftPos, 0, length)));

    {
        const std::unique_ptr<Zest::Graphics> pass = g->Create();
        pass->SetFont(&font);
        pass->ClipRect(kTextInset, 0, mWidth - 2 * kTextInset, mHeight);
        pass->SetColor(GetColor(COLOR_TEXT));
        pass->WriteString(visible, kTextInset, baseline, mWidth, 0);
    }
    // The second pass only shows focus: without it, it would draw the same text over itself
    // and thicken its smoothed edges.
    if (!mHasFocus && !mDrawSelectionUnfocused)
        return;

    // Positions inside the inset, measured from the centred text's left end.
    const int centre = mWidth / 2 - font.StringWidth(shown) / 2;
    const int leftWidth = PrefixWidth(mLeftPos);
    int caret = PrefixWidth(mCursorPos) - leftWidth + centre;
    int anchor = HasSelection() ? PrefixWidth(mHilitePos) - leftWidth + centre : caret + kCaretWidth;
    if (!mShowingCursor)
        caret += kCaretWidth;
    const int room = std::max(mWidth - 2 * kTextInset, 0);
    caret = std::clamp(caret, 0, room);
    anchor = std::clamp(anchor, 0, room);

    const std::unique_ptr<Zest::Graphics> pass = g->Create();
    pass->SetFont(&font);
    pass->ClipRect(kTextInset + std::min(caret, anchor), textTop, std::abs(anchor - caret), font.GetHeight());
    Zest::Color fill = GetColor(COLOR_HILITE);
    fill.mAlpha = kSelectionAlpha;
    pass->SetColor(fill);
    pass->FillRect(0, 0, mWidth, mHeight);
    pass->SetColor(GetColor(COLOR_HILITE_TEXT));
    pass->WriteString(visible, kTextInset, baseline, mWidth, 0);
}
