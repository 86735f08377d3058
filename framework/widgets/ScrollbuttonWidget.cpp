#include "framework/widgets/ScrollbuttonWidget.h"

#include "framework/graphics/Graphics.h"

namespace Zest {

namespace {

const Color kFace(212, 212, 212);
const Color kShade(132, 132, 132);
const Color kLight(255, 255, 255);

} // namespace

void DrawRaisedBevel(Graphics* const g, const int x, const int y, const int width, const int height)
{
    g->SetColor(kFace);
    g->FillRect(x, y, width, height);
    g->SetColor(kLight);
    g->FillRect(x + 1, y + 1, width - 2, 1);
    g->FillRect(x + 1, y + 1, 1, height - 2);
    g->SetColor(Color::Black);
    g->FillRect(x, y + height - 1, width, 1);
    g->FillRect(x + width - 1, y, 1, height);
    g->SetColor(kShade);
    g->FillRect(x + 1, y + height - 2, width - 2, 1);
    g->FillRect(x + width - 2, y + 1, 1, height - 2);
}

ScrollbuttonWidget::ScrollbuttonWidget(const int id, ButtonListener* const listener) : ButtonWidget(id, listener) {}

void ScrollbuttonWidget::Draw(Graphics* const g)
{
    const int w = mWidth;
    const int h = mHeight;
    g->SetColor(kFace);
    g->FillRect(0, 0, w, h);

    // Pressed, the box goes flat and the arrow moves one pixel down and right.
    int offset = 0;
    if (IsButtonDown()) {
        g->SetColor(kShade);
        g->DrawRect(0, 0, w - 1, h - 1);
        offset = 1;
    } else {
        DrawRaisedBevel(g, 0, 0, w, h);
    }

    g->SetColor(mDisabled ? kShade : Color::Black);
    // Four rows (or columns) of 1, 3, 5 and 7 pixels, from the tip.
    const bool towardsStart = mId == 0;
    for (int i = 0; i < 4; ++i) {
        const int length = 2 * i + 1;
        if (mHorizontal) {
            const int x = towardsStart ? (w - 4) / 2 + i : (w - 4) / 2 - i + 3;
            g->FillRect(x + offset, h / 2 - i - 1 + offset, 1, length);
        } else {
            const int y = towardsStart ? (h - 4) / 2 + i : (h - 4) / 2 - i + 3;
            g->FillRect(w / 2 - i - 1 + offset, y + offset, length, 1);
        }
    }
}

} // namespace Zest
