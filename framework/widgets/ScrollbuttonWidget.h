#pragma once
// The arrow button at either end of a scroll bar: a bevelled grey box with a small
// triangle pointing up or left (id 0) or down or right (any other id).

#include "framework/widgets/ButtonWidget.h"

namespace Zest {

class ScrollbuttonWidget : public ButtonWidget {
public:
    ScrollbuttonWidget(int id, ButtonListener* listener);

    void Draw(Graphics* g) override;

    bool mHorizontal = false;
};

// The raised bevel of the scroll bar's thumb and its buttons: light top and left edges, dark
// bottom and right edges over a grey fill.
void DrawRaisedBevel(Graphics* g, int x, int y, int width, int height);

} // namespace Zest
