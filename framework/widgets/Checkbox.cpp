#include "framework/widgets/Checkbox.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Listeners.h"

namespace Zest {

Checkbox::Checkbox(Image* const uncheckedImage, Image* const checkedImage, const int id,
                   CheckboxListener* const listener)
    : mCheckboxListener(listener), mId(id), mUncheckedImage(uncheckedImage), mCheckedImage(checkedImage)
{
    mHandCursor = true;
}

void Checkbox::SetChecked(const bool checked, const bool tellListener)
{
    mChecked = checked;
    // Marked before the listener runs: it may take the box away.
    MarkDirty();
    if (tellListener && mCheckboxListener != nullptr)
        mCheckboxListener->CheckboxChecked(mId, checked);
}

bool Checkbox::IsChecked()
{
    return mChecked;
}

void Checkbox::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    Checkbox::SetChecked(!mChecked, true);
}

void Checkbox::Draw(Graphics* const g)
{
    const bool haveSheetParts = mCheckedRect.mWidth != 0;
    if (!haveSheetParts && mUncheckedImage != nullptr && mCheckedImage != nullptr) {
        g->DrawImage(mChecked ? mCheckedImage : mUncheckedImage, 0, 0);
        return;
    }
    if (haveSheetParts && mUncheckedImage != nullptr) {
        g->DrawImagePart(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
        return;
    }
    // A box needs no image at all; with only one of the two there is nothing sound to draw.
    if (mUncheckedImage != nullptr || mCheckedImage != nullptr)
        return;

    const int w = mWidth;
    const int h = mHeight;
    g->SetColor(mOutlineColor);
    g->FillRect(0, 0, w, h);
    g->SetColor(mFillColor);
    g->FillRect(1, 1, w - 2, h - 2);
    if (mChecked) {
        g->SetColor(mCheckColor);
        g->DrawLine(1, 1, w - 2, h - 2);
        g->DrawLine(w - 1, 1, 1, h - 2);
    }
}

} // namespace Zest
