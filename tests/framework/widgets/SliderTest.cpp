// The image slider: where the track's cels and the thumb are drawn, grabbing and dragging
// the thumb with the value clamped and each change reported once, a press beside the thumb,
// and a thumb that fills the whole slider.

#include "framework/graphics/Color.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/Slider.h"
#include "tests/framework/widgets/RecordingWidget.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using Tests::RedrawAll;
using Tests::ShowsColor;
using Tests::SolidImage;
using Zest::Color;
using Zest::Graphics;
using Zest::MemoryImage;
using Zest::Slider;

constexpr int kId = 9;
constexpr int kLeft = 100;
constexpr int kTop = 100;
// The slider is kLength along and kThickness across.
constexpr int kLength = 100;
constexpr int kThickness = 20;

const Color kStartCap(255, 0, 0);
const Color kMiddle(0, 255, 0);
const Color kEndCap(0, 0, 255);
const Color kThumb(255, 255, 0);

class RecordingSliderListener : public Zest::SliderListener {
public:
    void SliderValueChanged(const int id, const double value) override
    {
        EXPECT_EQ(id, kId);
        mValues.push_back(value);
    }

    std::vector<double> mValues;
};

// A managed slider at (kLeft, kTop), horizontal or vertical.
class SliderTest : public Tests::WidgetTest {
protected:
    ~SliderTest() override { mManager.RemoveAllWidgets(false, true); }

    // A track of three 10-pixel cels in three colours, 6 pixels across.
    std::unique_ptr<MemoryImage> MakeTrack(const bool horizontal)
    {
        auto track = std::make_unique<MemoryImage>(&mApp);
        track->Create(horizontal ? 30 : 6, horizontal ? 6 : 30);
        Graphics g(track.get());
        const Color cels[] = {kStartCap, kMiddle, kEndCap};
        for (int i = 0; i < 3; ++i) {
            g.SetColor(cels[i]);
            if (horizontal)
                g.FillRect(10 * i, 0, 10, 6);
            else
                g.FillRect(0, 10 * i, 6, 10);
        }
        return track;
    }

    Slider* AddSlider(const bool horizontal, Zest::Image* const track, Zest::Image* const thumb)
    {
        mSlider = std::make_unique<Slider>(track, thumb, kId, &mListener);
        mSlider->mHorizontal = horizontal;
        if (horizontal)
            mSlider->Resize(kLeft, kTop, kLength, kThickness);
        else
            mSlider->Resize(kLeft, kTop, kThickness, kLength);
        mManager.AddWidget(mSlider.get());
        return mSlider.get();
    }

    // A pixel of the screen, relative to the slider's corner.
    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[(kTop + y) * 800 + kLeft + x]; }

    // Mouse input at a point along a horizontal slider, halfway across.
    void Press(const int along) { mManager.MouseDown(kLeft + along, kTop + kThickness / 2, 1); }
    void Drag(const int along) { mManager.MouseMove(kLeft + along, kTop + kThickness / 2); }
    void Release(const int along) { mManager.MouseUp(kLeft + along, kTop + kThickness / 2, 1); }

    RecordingSliderListener mListener;
    std::unique_ptr<Slider> mSlider;
};

TEST_F(SliderTest, TrackIsDrawnAsStartCapTiledMiddleAndEndCap)
{
    for (const bool horizontal : {true, false}) {
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        const std::unique_ptr<MemoryImage> track = MakeTrack(horizontal);
        AddSlider(horizontal, track.get(), nullptr);
        RedrawAll(mManager, mScreen);
        // A horizontal track is centred across the slider (rows 7..12); a vertical one lies
        // along its left edge.
        const auto at = [&](const int along) { return horizontal ? Pixel(along, 10) : Pixel(3, along); };
        EXPECT_TRUE(ShowsColor(kStartCap, at(0)));
        EXPECT_TRUE(ShowsColor(kStartCap, at(9)));
        EXPECT_TRUE(ShowsColor(kMiddle, at(10)));
        EXPECT_TRUE(ShowsColor(kMiddle, at(50)));
        EXPECT_TRUE(ShowsColor(kMiddle, at(89)));
        EXPECT_TRUE(ShowsColor(kEndCap, at(90)));
        EXPECT_TRUE(ShowsColor(kEndCap, at(99)));
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(SliderTest, ThumbSitsAtTheValueAlongTheRoomLeftBesideIt)
{
    struct Case {
        bool horizontal;
        double value;
        int along;
    };
    // The thumb is 20 long on a 100-long slider: it moves over 80 pixels.
    const Case cases[] = {
        {true, 0.0, 0}, {true, 0.5, 40}, {true, 0.3, 24}, {true, 1.0, 80}, {false, 0.5, 40}, {false, 1.0, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.horizontal ? "horizontal " : "vertical ") << c.value);
        const auto thumb = SolidImage(&mApp, c.horizontal ? 20 : 10, c.horizontal ? 10 : 20, kThumb);
        AddSlider(c.horizontal, nullptr, thumb.get())->SetValue(c.value);
        RedrawAll(mManager, mScreen);
        // Centred across: 5 pixels in from the edge.
        const auto at = [&](const int along) { return c.horizontal ? Pixel(along, 5) : Pixel(5, along); };
        EXPECT_TRUE(ShowsColor(kThumb, at(c.along)));
        EXPECT_TRUE(ShowsColor(kThumb, at(c.along + 19)));
        if (c.along > 0) {
            EXPECT_FALSE(ShowsColor(kThumb, at(c.along - 1)));
        }
        if (c.along + 20 < kLength) {
            EXPECT_FALSE(ShowsColor(kThumb, at(c.along + 20)));
        }
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(SliderTest, DraggingTheThumbClampsAndReportsEachChangeOnceAndTheReleaseAlways)
{
    const auto thumb = SolidImage(&mApp, 20, 10, kThumb);
    Slider* const slider = AddSlider(true, nullptr, thumb.get());
    slider->SetValue(0.5);

    Press(45);
    EXPECT_TRUE(slider->mDragging);
    EXPECT_EQ(slider->mGrabX, 5);
    EXPECT_EQ(mApp.mCursorKind, 2);
    EXPECT_TRUE(mListener.mValues.empty());

    Drag(65); // (65 - 5) / 80
    Drag(65);
    Drag(200);
    Drag(300);
    Drag(-50);
    Drag(-60);
    EXPECT_EQ(mListener.mValues, (std::vector<double>{0.75, 1.0, 0.0}));

    Release(-60);
    EXPECT_FALSE(slider->mDragging);
    EXPECT_EQ(mApp.mCursorKind, 0);
    EXPECT_EQ(mListener.mValues, (std::vector<double>{0.75, 1.0, 0.0, 0.0}));
}

TEST_F(SliderTest, VerticalThumbIsGrabbedAndDraggedAlongY)
{
    const auto thumb = SolidImage(&mApp, 10, 20, kThumb);
    Slider* const slider = AddSlider(false, nullptr, thumb.get());
    slider->SetValue(0.5);
    mManager.MouseDown(kLeft + 10, kTop + 47, 1);
    EXPECT_EQ(slider->mGrabY, 7);
    mManager.MouseMove(kLeft + 10, kTop + 27);
    EXPECT_EQ(mListener.mValues, (std::vector<double>{0.25}));
}

TEST_F(SliderTest, PressBesideTheThumbJumpsThereAndReportsOnlyOnRelease)
{
    const auto thumb = SolidImage(&mApp, 20, 10, kThumb);
    Slider* const slider = AddSlider(true, nullptr, thumb.get());
    slider->SetValue(0.5);

    Press(80);
    EXPECT_FALSE(slider->mDragging);
    EXPECT_DOUBLE_EQ(slider->mValue, 0.8);
    EXPECT_TRUE(mListener.mValues.empty());
    // Not grabbed: moving with the button held changes nothing.
    Drag(10);
    EXPECT_DOUBLE_EQ(slider->mValue, 0.8);

    Release(10);
    EXPECT_EQ(mListener.mValues, (std::vector<double>{0.8}));
}

TEST_F(SliderTest, ThumbAsLongAsTheSliderKeepsItsValueWhenDragged)
{
    const auto thumb = SolidImage(&mApp, kLength, 10, kThumb);
    Slider* const slider = AddSlider(true, nullptr, thumb.get());
    slider->SetValue(0.5);

    Press(50);
    Drag(70);
    Drag(0);
    Release(0);
    EXPECT_TRUE(std::isfinite(slider->mValue));
    EXPECT_DOUBLE_EQ(slider->mValue, 0.5);
    EXPECT_EQ(mListener.mValues, (std::vector<double>{0.5}));
}

} // namespace
