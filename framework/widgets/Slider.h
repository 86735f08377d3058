#pragma once
// An image slider: a track cut into three equal cels (start cap, middle, end cap) and a
// thumb that shows a value from 0 (left or top) to 1. The thumb is dragged, or a press
// beside it makes the value jump there; changes reach the SliderListener.

#include "framework/widgets/Widget.h"

#include <cstdint>

namespace Zest {

class Image;
class SliderListener;

class Slider : public Widget {
public:
    Slider(Image* trackImage, Image* thumbImage, int id, SliderListener* listener);

    // Clamped to 0..1; the listener is not told.
    virtual void SetValue(double value);

    void Draw(Graphics* g) override;
    // Any button: grabs the thumb, or moves the value to the pressed point (reported on
    // release).
    void MouseDown(int x, int y, int clickCount) override;
    void MouseMove(int x, int y) override;
    void MouseDrag(int x, int y) override;
    // Reports the value on every release, changed or not.
    void MouseUpAt(int x, int y) override;
    void MouseLeave() override;

    SliderListener* mSliderListener;
    double mValue = 0.0;
    int32_t mId;
    Image* mTrackImage;
    Image* mThumbImage;
    bool mDragging = false;
    // Where the thumb was grabbed, relative to its corner.
    int32_t mGrabX = 0;
    int32_t mGrabY = 0;
    bool mHorizontal = true;

private:
    // The thumb's size along the slider (0 without a thumb image), and the room it moves in.
    int ThumbLength() const;
    int TravelLength() const;
    // The thumb's offset along the slider at the current value.
    int ThumbOffset() const;
    bool IsOverThumb(int x, int y) const;
    void DrawTrack(Graphics* g);
};

} // namespace Zest
