#include "game/screens/MenuItem.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/screens/MenuServices.h"

MenuItem::MenuItem() : mAction(this, &MenuItem::DoNothing) {}

void MenuItem::SetImage(Zest::Image* const image) { mImage = image; }

void MenuItem::SetOverImage(Zest::Image* const image) { mOverImage = image; }

void MenuItem::SetLabelY(const int32_t y)
{
    mLabelX = 0;
    mLabelY = y;
}

void MenuItem::SetLabelColor(const Zest::Color& color) { mLabelColor = color; }

void MenuItem::SetLabelOverColor(const Zest::Color& color) { mLabelOverColor = color; }

void MenuItem::UpdateSmooth(const float fraction)
{
    StepFade(fraction);
    if (mIsOver)
        StepHover();
}

void MenuItem::StepFade(const float fraction)
{
    if (mFadeState == FADE_IN) {
        StepFadeIn(mAlpha, mFadeState, kFadeRate, fraction);
    } else if (mFadeState == FADE_OUT) {
        mAlpha -= kFadeRate * fraction;
        if (mAlpha < 0.0f) {
            mAlpha = 0.0f;
            mFadeState = FADE_NONE;
            SetDisabled(true);
            SetVisible(false);
        }
    }
}

void MenuItem::StepHover()
{
    if (mHoverSound != -1 && mHoverSoundArmed) {
        GetMenuServices().PlaySoundEffect(mHoverSound);
        mHoverSoundArmed = false;
    }
    // Without thresholds there is nothing to step: the first cel stays.
    if (mHoverDelays.empty())
        return;
    const uint32_t count = static_cast<uint32_t>(mHoverDelays.size());
    // Compared unsigned, so that a cel a screen set negative reads no threshold.
    if (static_cast<uint32_t>(mHoverCel) < count) {
        ++mHoverTick;
        if (mHoverTick > mHoverDelays[static_cast<size_t>(mHoverCel)])
            ++mHoverCel;
    }
    if (static_cast<uint32_t>(mHoverCel) == count) {
        if (mHoverLoop) {
            mHoverCel = 0;
            mHoverTick = 0;
        } else {
            mHoverCel = static_cast<int32_t>(count) - 1;
        }
    }
}

void MenuItem::Draw(Zest::Graphics* const g)
{
    if (mOverlayPriority == -1)
        DrawOverlay(g);
    else
        DeferOverlay(mOverlayPriority);
}

void MenuItem::DrawOverlay(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, static_cast<int>(mAlpha)));
    if (mImage != nullptr && !mIsOver) {
        DrawPicture(g, mImage, 0.0f, 0.0f);
    } else if (mOverImage != nullptr && mIsOver) {
        if (mOverImage->mNumRows > 1)
            g->DrawImageCel(mOverImage, mOverX, mOverY, mHoverCel);
        else
            DrawPicture(g, mOverImage, static_cast<float>(mOverX), static_cast<float>(mOverY));
    }
    DrawLabel(g);
}

void MenuItem::DrawPicture(Zest::Graphics* const g, Zest::Image* const image, const float x, const float y) const
{
    // A back arrow is a forward one drawn mirrored.
    if (mScaleX > 0.0f)
        g->DrawImageAtFloat(image, x, y);
    else
        g->DrawImageMirror(image, static_cast<int>(x), static_cast<int>(y));
}

void MenuItem::DrawLabel(Zest::Graphics* const g)
{
    if (mFont == nullptr || mLabel.empty())
        return;
    g->SetFont(mFont);
    // The box is the size of the normal picture, else the over picture, else the item.
    const Zest::Image* const sizer = mImage != nullptr ? mImage : mOverImage;
    const int32_t width = sizer != nullptr ? sizer->GetWidth() : mWidth;
    const int32_t height = sizer != nullptr ? sizer->GetHeight() : mHeight;
    Zest::Color color = mIsOver ? mLabelOverColor : mLabelColor;
    color.mAlpha = static_cast<int>(mAlpha);
    g->SetColor(color);
    WriteWordWrapped(g, Zest::Rect(mLabelX, mLabelY - height / 2, width, height), mLabel, mLabelLineSpacing,
                     mLabelJustification);
}

void MenuItem::MouseEnter() { mIsOver = true; }

void MenuItem::MouseLeave()
{
    mIsOver = false;
    mHoverSoundArmed = true;
    mHoverCel = 0;
    mHoverTick = 0;
}

void MenuItem::MouseDown(int, int, const int clickCount)
{
    if (mFadeState != FADE_NONE)
        return;
    // The second press of a left or right double click comes as 2 or -2.
    if (mActsOncePerDoubleClick && (clickCount == 2 || clickCount == -2))
        return;
    if (mClickSound != -1)
        GetMenuServices().PlaySoundEffect(mClickSound);
    mAction();
}
