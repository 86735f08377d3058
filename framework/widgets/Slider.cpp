#include "framework/widgets/Slider.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <memory>

namespace Zest {


Slider::Slider(Image* const trackImage, Image* const thumbImage, const int id, SliderListener* const listener)
    : mSliderListener(listener), mId(id), mTrackImage(trackImage), mThumbImage(thumbImage)
{
}

void Slider::SetValue(const double value)
{
    mValue = std::clamp(value, 0.0, 1.0);
    MarkDirtyFull();
}

int Slider::ThumbLength() const
{
    if (mThumbImage == nullptr)
        return 0;
    return mHorizontal ? mThumbImage->GetWidth() : mThumbImage->GetHeight();
}

int Slider::TravelLength() const { return (mHorizontal ? mWidth : mHeight) - ThumbLength(); }

int Slider::ThumbOffset() const { return static_cast<int>(TravelLength() * mValue); }

bool Slider::IsOverThumb(const int x, const int y) const
{
    const int along = mHorizontal ? x : y;
    const int offset = ThumbOffset();
    return along >= offset && along < offset + ThumbLength();
}

void Slider::DrawTrack(Graphics* const g)
{
    const int trackWidth = mTrackImage->GetWidth();
    const int trackHeight = mTrackImage->GetHeight();
    if (mHorizontal) {
        const int celWidth = trackWidth / 3;
        const int y = (mHeight - trackHeight) / 2;
        g->DrawImagePart(mTrackImage, 0, y, Rect(0, 0, celWidth, trackHeight));
        // A track under three pixels wide has empty cels, and nothing to tile.
        if (celWidth > 0) {
            const std::unique_ptr<Graphics> middle = g->Create();
            middle->ClipRect(celWidth, y, mWidth - 2 * celWidth, trackHeight);
            const int copies = (mWidth - celWidth - 1) / celWidth;
            for (int i = 1; i <= copies; ++i)
                middle->DrawImagePart(mTrackImage, i * celWidth, y, Rect(celWidth, 0, celWidth, trackHeight));
        }
        g->DrawImagePart(mTrackImage, mWidth - celWidth, y, Rect(2 * celWidth, 0, celWidth, trackHeight));
        return;
    }
    const int celHeight = trackHeight / 3;
    g->DrawImagePart(mTrackImage, 0, 0, Rect(0, 0, trackWidth, celHeight));
    if (celHeight > 0) {
        const std::unique_ptr<Graphics> middle = g->Create();
        middle->ClipRect(0, celHeight, trackWidth, mHeight - 2 * celHeight);
        const int copies = (mHeight - celHeight - 1) / celHeight;
        for (int i = 1; i <= copies; ++i)
            middle->DrawImagePart(mTrackImage, 0, i * celHeight, Rect(0, celHeight, trackWidth, celHeight));
    }
    g->DrawImagePart(mTrackImage, 0, mHeight - celHeight, Rect(0, 2 * celHeight, trackWidth, celHeight));
}

void Slider::Draw(Graphics* const g)
{
    if (mTrackImage != nullptr)
        DrawTrack(g);
    if (mThumbImage == nullptr)
        return;
    if (mHorizontal)
        g->DrawImage(mThumbImage, ThumbOffset(), (mHeight - mThumbImage->GetHeight()) / 2);
    else
        g->DrawImage(mThumbImage, (mWidth - mThumbImage->GetWidth()) / 2, ThumbOffset());
}

void Slider::MouseDown(const int x, const int y, const int clickCount)
{
    if (IsOverThumb(x, y)) {
        SetAppCursor(CURSOR_DRAG);
        mDragging = true;
        if (mHorizontal)
            mGrabX = x - ThumbOffset();
        else
            mGrabY = y - ThumbOffset();
        return;
    }
    if (mHorizontal)
        SetValue(static_cast<double>(x) / mWidth);
    else
        SetValue(static_cast<double>(y) / mHeight);
}

void Slider::MouseMove(const int x, const int y)
{
    SetAppCursor(IsOverThumb(x, y) ? CURSOR_DRAG : CURSOR_POINTER);
}

void Slider::MouseDrag(const int x, const int y)
{
    // A thumb as long as the slider has no room to move: no position stands for a value.
    const int travel = TravelLength();
    if (!mDragging || travel <= 0)
        return;
    const double before = mValue;
    const int grabbed = mHorizontal ? x - mGrabX : y - mGrabY;
    mValue = std::clamp(static_cast<double>(grabbed) / travel, 0.0, 1.0);
    if (mValue == before)
        return;
    // Marked before the listener runs: it may take the slider away.
    MarkDirtyFull();
    if (mSliderListener != nullptr)
        mSliderListener->SliderValueChanged(mId, mValue);
}

void Slider::MouseUpAt(const int x, const int y)
{
    mDragging = false;
    SetAppCursor(CURSOR_POINTER);
    if (mSliderListener != nullptr)
        mSliderListener->SliderValueChanged(mId, mValue);
}

void Slider::MouseLeave()
{
    if (!mDragging)
        SetAppCursor(CURSOR_POINTER);
}

} // namespace Zest
