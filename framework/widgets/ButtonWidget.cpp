#include "framework/widgets/ButtonWidget.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <iterator>

namespace Zest {

namespace {

const int32_t kDefaultColors[][3] = {
    {0, 0, 0},       // label
    {0, 0, 0},       // label while the mouse is over
    {0, 0, 0},       // dark bevel edge
    {255, 255, 255}, // light bevel edge
    {132, 132, 132}, // medium bevel edge
    {212, 212, 212}, // background
};

// Where the label goes on a button of that size: x is its left edge, y its baseline. (0, 0)
// without a font.
Point LabelPosition(Font* font, const std::string& label, const int align, const int width, const int height)
{
    if (font == nullptr)
        return Point();
    const int labelWidth = font->StringWidth(label);
    const int ascent = font->GetAscent();
    Point position;
    if (align == 0)
        position.mX = (width - labelWidth) / 2;
    else if (align == 1)
        position.mX = width - labelWidth;
    position.mY = (height - ascent / 6 - 1 + ascent) / 2;
    return position;
}

// Entering or leaving changes the look only of a pressed button, one with an over look, or
// one whose label changes colour.
void MarkDirtyForHover(ButtonWidget& button)
{
    if (button.mIsDown || button.HaveButtonImage(button.mOverImage, button.mOverRect) ||
        button.GetColor(ButtonWidget::COLOR_LABEL) != button.GetColor(ButtonWidget::COLOR_LABEL_HILITE))
        button.MarkDirty();
}

} // namespace

ButtonWidget::ButtonWidget(const int id, ButtonListener* const listener) : mId(id), mButtonListener(listener)
{
    mHasAlpha = true;
    SetColors(kDefaultColors, static_cast<int>(std::size(kDefaultColors)));
}

ButtonWidget::~ButtonWidget()
{
    delete mFont;
}

void ButtonWidget::MakeDefaultFont()
{
    AppInterface* const app = mWidgetManager != nullptr ? mWidgetManager->mApp : GetAppInterface();
    mFont = new SysFont(app, "Arial Unicode MS", 10, 0);
}

void ButtonWidget::SetFont(Font* const font)
{
    // Duplicated before the old font goes, so that passing mFont itself keeps a valid copy.
    Font* const copy = font != nullptr ? font->Duplicate() : nullptr;
    delete mFont;
    mFont = copy;
}

Color ButtonWidget::OverLookTint() const
{
    // Capped before the conversion: a strength set above 1 must not leave the alpha range.
    return Color(255, 255, 255, static_cast<int>(std::min(mOverAlpha, 1.0) * 255));
}

bool ButtonWidget::IsButtonDown()
{
    return mIsDown && mIsOver && !mDisabled;
}

bool ButtonWidget::HaveButtonImage(const Image* const image, const Rect& source) const
{
    return image != nullptr || source.mWidth != 0;
}

void ButtonWidget::DrawButtonImage(Graphics* const g, Image* const image, const Rect& source, const int x,
                                   const int y)
{
    // A source rectangle cuts the sheet; without a sheet (or without a whole image) there is
    // nothing to draw.
    if (source.mWidth != 0) {
        if (mButtonImage != nullptr)
            g->DrawImagePart(mButtonImage, x, y, source);
    } else if (image != nullptr) {
        g->DrawImage(image, x, y);
    }
}

void ButtonWidget::Draw(Graphics* const g)
{
    if (mNoDraw)
        return;
    if (mFont == nullptr && !mLabel.empty())
        MakeDefaultFont();

    const bool down = (mIsDown && mIsOver && !mDisabled) != mInverted;
    const Point label = LabelPosition(mFont, mLabel, mLabelAlign, mWidth, mHeight);
    g->SetFont(mFont);

    const auto drawLabel = [&](const int colorIndex, const int offset) {
        if (mFont == nullptr)
            return;
        g->SetColor(GetColor(colorIndex));
        g->DrawString(mLabel, label.mX + offset, label.mY + offset);
    };
    const int overLabelColor = mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL;
    const bool haveNormal = HaveButtonImage(mButtonImage, mNormalRect);
    const bool haveOver = HaveButtonImage(mOverImage, mOverRect);

    if (mButtonImage == nullptr && mDownImage == nullptr) {
        const int w = mWidth;
        const int h = mHeight;
        if (!mNoFrame) {
            g->SetColor(GetColor(COLOR_BKG));
            g->FillRect(0, 0, w, h);
            // Pressed: dark top-left, light bottom-right, a medium line inside the dark one.
            // Released: the reverse, with the medium line inside the bottom-right.
            g->SetColor(GetColor(down ? COLOR_DARK_OUTLINE : COLOR_LIGHT_OUTLINE));
            g->FillRect(0, 0, w - 1, 1);
            g->FillRect(0, 0, 1, h - 1);
            g->SetColor(GetColor(down ? COLOR_LIGHT_OUTLINE : COLOR_DARK_OUTLINE));
            g->FillRect(0, h - 1, w, 1);
            g->FillRect(w - 1, 0, 1, h);
            g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
            if (down) {
                g->FillRect(1, 1, w - 3, 1);
                g->FillRect(1, 1, 1, h - 3);
            } else {
                g->FillRect(1, h - 2, w - 2, 1);
                g->FillRect(w - 2, 1, 1, h - 2);
            }
        }
        drawLabel(overLabelColor, down ? 1 : 0);
        return;
    }

    if (down) {
        if (HaveButtonImage(mDownImage, mDownRect))
            DrawButtonImage(g, mDownImage, mDownRect, 0, 0);
        else if (haveOver)
            DrawButtonImage(g, mOverImage, mOverRect, 1, 1);
        else
            DrawButtonImage(g, mButtonImage, mNormalRect, 1, 1);
        drawLabel(COLOR_LABEL_HILITE, 1);
        return;
    }

    if (mDisabled && HaveButtonImage(mDisabledImage, mDisabledRect)) {
        DrawButtonImage(g, mDisabledImage, mDisabledRect, 0, 0);
    } else if (mOverAlpha > 0.0 && haveOver) {
        if (mOverAlpha < 1.0 && haveNormal)
            DrawButtonImage(g, mButtonImage, mNormalRect, 0, 0);
        g->SetColorizeImages(true);
        g->SetColor(OverLookTint());
        DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
        g->SetColorizeImages(false);
    } else if ((mIsOver || mIsDown) && haveOver) {
        DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
    } else if (haveNormal) {
        DrawButtonImage(g, mButtonImage, mNormalRect, 0, 0);
    }
    drawLabel(overLabelColor, 0);
}

void ButtonWidget::Update()
{
    Widget::Update();
    if (mIsDown && mIsOver && mButtonListener != nullptr)
        mButtonListener->ButtonDownTick(mId);

    if (!mIsDown && !mIsOver) {
        if (mOverAlpha > 0.0) {
            mOverAlpha -= mFadeOutSpeed;
            if (mFadeOutSpeed <= 0.0 || mOverAlpha < 0.0)
                mOverAlpha = 0.0;
            MarkDirty();
        }
    } else if (mIsOver) {
        if (mFadeInSpeed > 0.0 && mOverAlpha < 1.0) {
            mOverAlpha = std::min(mOverAlpha + mFadeInSpeed, 1.0);
            MarkDirty();
        }
    }
}

void ButtonWidget::SetDisabled(const bool disabled)
{
    Widget::SetDisabled(disabled);
    if (HaveButtonImage(mDisabledImage, mDisabledRect))
        MarkDirty();
}

void ButtonWidget::MouseEnter()
{
    // Without a fade-in the over look is shown at full strength at once.
    if (mFadeInSpeed == 0.0 && mOverAlpha > 0.0)
        mOverAlpha = 0.0;
    MarkDirtyForHover(*this);
    if (mButtonListener != nullptr)
        mButtonListener->ButtonMouseEnter(mId);
}

void ButtonWidget::MouseLeave()
{
    if (mFadeOutSpeed == 0.0 && mOverAlpha > 0.0)
        mOverAlpha = 0.0;
    // A fade-out starts from the full over look.
    if (mFadeOutSpeed > 0.0 && mOverAlpha == 0.0)
        mOverAlpha = 1.0;
    MarkDirtyForHover(*this);
    if (mButtonListener != nullptr)
        mButtonListener->ButtonMouseLeave(mId);
}

void ButtonWidget::MouseMove(const int x, const int y)
{
    if (mButtonListener != nullptr)
        mButtonListener->ButtonMouseMove(mId, x, y);
}

void ButtonWidget::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    // Marked before the listener runs: it may take the button away.
    MarkDirty();
    if (mButtonListener != nullptr)
        mButtonListener->ButtonPressCount(mId, clickCount);
}

void ButtonWidget::MouseButtonUp(const int x, const int y, const int button, const int clickCount)
{
    // A button is clicked only when released over it while the application is active; an
    // unmanaged button is not on the screen and cannot be clicked.
    const bool appHasFocus = mWidgetManager != nullptr && mWidgetManager->mAppHasFocus;
    MarkDirty();
    if (mIsOver && appHasFocus && mButtonListener != nullptr)
        mButtonListener->ButtonClick(mId);
}

} // namespace Zest
