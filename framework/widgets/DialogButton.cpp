#include "framework/widgets/DialogButton.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/WidgetManager.h"

#include <iterator>

namespace Zest {

namespace {

// White labels on a light-bevelled grey box.
const int32_t kDefaultColors[][3] = {
    {255, 255, 255}, {255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {132, 132, 132}, {212, 212, 212},
};

} // namespace

DialogButton::DialogButton(const int id, ButtonListener* const listener) : ButtonWidget(id, listener)
{
    mHandCursor = true;
    SetColors(kDefaultColors, static_cast<int>(std::size(kDefaultColors)));
}

void DialogButton::MakeDefaultFont()
{
    AppInterface* const app = mWidgetManager != nullptr ? mWidgetManager->mApp : GetAppInterface();
    mFont = new SysFont(app, "Arial Unicode MS", 12, 1);
}

void DialogButton::Draw(Graphics* const g)
{
    if (mNoDraw)
        return;
    if (mComponentImage == nullptr) {
        ButtonWidget::Draw(g);
        return;
    }
    if (mFont == nullptr && !mLabel.empty())
        MakeDefaultFont();
    const bool down = IsButtonDown();
    const Rect bounds(0, 0, mWidth, mHeight);

    if (mNormalRect.mWidth == 0) {
        if (down)
            g->Translate(mPressOffsetX, mPressOffsetY);
        g->DrawImageBox(bounds, mComponentImage);
    } else {
        if (mDisabled && mDisabledRect.mWidth > 0 && mDisabledRect.mHeight > 0) {
            g->DrawImageBoxPart(mDisabledRect, bounds, mComponentImage);
        } else if (down) {
            g->DrawImageBoxPart(mDownRect, bounds, mComponentImage);
        } else if (mOverAlpha > 0.0) {
            if (mOverAlpha < 1.0)
                g->DrawImageBoxPart(mNormalRect, bounds, mComponentImage);
            g->SetColorizeImages(true);
            g->SetColor(OverLookTint());
            g->DrawImageBoxPart(mOverRect, bounds, mComponentImage);
            g->SetColorizeImages(false);
        } else {
            g->DrawImageBoxPart(mIsOver ? mOverRect : mNormalRect, bounds, mComponentImage);
        }
        if (down)
            g->Translate(mPressOffsetX, mPressOffsetY);
    }

    if (mFont != nullptr) {
        g->SetFont(mFont);
        g->SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
        const int ascent = mFont->GetAscent();
        const int x = (mWidth - mFont->StringWidth(mLabel)) / 2 + mLabelOffsetX;
        const int y = (mHeight - ascent / 6 - mFont->GetAscentPadding() - 1 + ascent) / 2 + mLabelOffsetY;
        g->DrawString(mLabel, x, y);
    }

    if (down)
        g->Translate(-mPressOffsetX, -mPressOffsetY);
}

} // namespace Zest
