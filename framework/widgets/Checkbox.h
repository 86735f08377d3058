#pragma once
// A two-state box that toggles on a press and reports to its CheckboxListener. It draws
// two images, two parts of one sheet, or an outlined box with a cross.

#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "framework/widgets/Widget.h"

namespace Zest {

class CheckboxListener;
class Image;

class Checkbox : public Widget {
public:
    Checkbox(Image* uncheckedImage, Image* checkedImage, int id, CheckboxListener* listener);

    // Tells the listener even when the state does not change.
    virtual void SetChecked(bool checked, bool tellListener = true);
    virtual bool IsChecked();

    void Draw(Graphics* g) override;
    void MouseButtonDown(int x, int y, int button, int clickCount) override;

    CheckboxListener* mCheckboxListener;
    int32_t mId;
    bool mChecked = false;
    // The unchecked look, and the sheet that the two source rectangles cut.
    Image* mUncheckedImage;
    Image* mCheckedImage;
    // Width 0 = none.
    Rect mCheckedRect;
    Rect mUncheckedRect;
    Color mOutlineColor = Color::White;
    Color mFillColor = Color(80, 80, 80);
    Color mCheckColor = Color(255, 255, 0);
};

} // namespace Zest
