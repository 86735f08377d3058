#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Listeners.h"
#include "tests/framework/widgets/RecordingWidget.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Tests::RedrawAll;
using Tests::ShowsColor;
using Tests::SolidImage;

using Zest::Checkbox;
using Zest::Color;
using Zest::Graphics;
using Zest::MemoryImage;
using Zest::Rect;

class RecordingCheckboxListener : public Zest::CheckboxListener {
public:
    void CheckboxChecked(const int id, const bool checked) override
    {
        mCalls.push_back(std::to_string(id) + (checked ? " checked" : " unchecked"));
    }

    std::vector<std::string> mCalls;
};

constexpr int kId = 4;
constexpr int kLeft = 50;
constexpr int kTop = 60;
constexpr int kSize = 12;

const Color kUncheckedLook(255, 0, 0);
const Color kCheckedLook(0, 0, 255);
const Color kGrey(80, 80, 80);
const Color kYellow(255, 255, 0);
// The cleared screen.
const Color kNothing(0, 0, 0, 0);

// A managed 12x12 check box at (kLeft, kTop).
class CheckboxTest : public Tests::WidgetTest {
protected:
    ~CheckboxTest() override { mManager.RemoveAllWidgets(false, true); }

    Checkbox* AddCheckbox(Zest::Image* const unchecked, Zest::Image* const checked,
                          Zest::CheckboxListener* const listener)
    {
        mBoxes.push_back(std::make_unique<Checkbox>(unchecked, checked, kId, listener));
        Checkbox* const box = mBoxes.back().get();
        box->Resize(kLeft, kTop, kSize, kSize);
        mManager.AddWidget(box);
        return box;
    }

    void Click(const int clickCount)
    {
        mManager.MouseDown(kLeft + 5, kTop + 5, clickCount);
        mManager.MouseUp(kLeft + 5, kTop + 5, clickCount);
    }

    void Redraw() { RedrawAll(mManager, mScreen); }

    // A pixel of the screen, relative to the box's corner.
    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[(kTop + y) * 800 + kLeft + x]; }


    RecordingCheckboxListener mListener;
    std::vector<std::unique_ptr<Checkbox>> mBoxes;
};

TEST_F(CheckboxTest, EveryPressTogglesAndTellsTheListener)
{
    Checkbox* const box = AddCheckbox(nullptr, nullptr, &mListener);
    mManager.MouseMove(kLeft + 5, kTop + 5);
    EXPECT_EQ(Zest::CURSOR_HAND, mApp.mCursorKind);
    Click(1);
    EXPECT_TRUE(box->IsChecked());
    Click(-1);
    Click(2);
    Click(3);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ((std::vector<std::string>{"4 checked", "4 unchecked", "4 checked", "4 unchecked"}), mListener.mCalls);
}

TEST_F(CheckboxTest, SetCheckedTellsOnRequestEvenWithoutAChange)
{
    Checkbox* const box = AddCheckbox(nullptr, nullptr, &mListener);
    box->SetChecked(true, true);
    box->SetChecked(true, true);
    box->SetChecked(false, false);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ((std::vector<std::string>{"4 checked", "4 checked"}), mListener.mCalls);

    mManager.DrawScreen();
    box->SetChecked(false, false);
    EXPECT_TRUE(mManager.DrawScreen());
}

TEST_F(CheckboxTest, BoxWithoutListenerStillToggles)
{
    Checkbox* const box = AddCheckbox(nullptr, nullptr, nullptr);
    Click(1);
    box->SetChecked(false, true);
    Click(1);
    EXPECT_TRUE(box->IsChecked());
}

TEST_F(CheckboxTest, WithoutImagesDrawsAnOutlinedGreyBoxWithAYellowCrossWhenChecked)
{
    const struct {
        int mX;
        int mY;
        Color mUnchecked;
        Color mChecked;
    } pixels[] = {
        {0, 0, Color::White, Color::White},
        {kSize - 1, kSize - 1, Color::White, Color::White},
        {5, 0, Color::White, Color::White},
        // The first stroke runs from (1, 1) to the opposite corner inside the outline.
        {1, 1, kGrey, kYellow},
        {5, 5, kGrey, kYellow},
        // The second starts on the right outline.
        {kSize - 1, 1, Color::White, kYellow},
        {5, 1, kGrey, kGrey},
    };
    Checkbox* const box = AddCheckbox(nullptr, nullptr, &mListener);
    for (const bool checked : {false, true}) {
        box->SetChecked(checked, false);
        Redraw();
        for (const auto& p : pixels) {
            SCOPED_TRACE(std::to_string(p.mX) + "," + std::to_string(p.mY) + (checked ? " checked" : " unchecked"));
            EXPECT_TRUE(ShowsColor(checked ? p.mChecked : p.mUnchecked, Pixel(p.mX, p.mY)));
        }
    }
}

TEST_F(CheckboxTest, ImagesAndSheetRectanglesPickTheLook)
{
    const auto unchecked = SolidImage(&mApp, kSize, kSize, kUncheckedLook);
    const auto checked = SolidImage(&mApp, kSize, kSize, kCheckedLook);
    auto sheet = SolidImage(&mApp, 2 * kSize, kSize, kUncheckedLook);
    {
        Graphics g(sheet.get());
        g.SetColor(kCheckedLook);
        g.FillRect(kSize, 0, kSize, kSize);
    }
    const Rect uncheckedPart(0, 0, kSize, kSize);
    const Rect checkedPart(kSize, 0, kSize, kSize);
    const struct {
        const char* mName;
        MemoryImage* mUnchecked;
        MemoryImage* mChecked;
        bool mSheetParts;
        Color mUncheckedPixel;
        Color mCheckedPixel;
    } cases[] = {
        {"two images", unchecked.get(), checked.get(), false, kUncheckedLook, kCheckedLook},
        {"sheet", sheet.get(), nullptr, true, kUncheckedLook, kCheckedLook},
        {"sheet and checked image", sheet.get(), checked.get(), true, kUncheckedLook,
         kCheckedLook},
        {"unchecked image only", unchecked.get(), nullptr, false, kNothing, kNothing},
        {"checked image only", nullptr, checked.get(), false, kNothing, kNothing},
        {"rectangles without sheet", nullptr, checked.get(), true, kNothing, kNothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mName);
        mManager.RemoveAllWidgets(false, true);
        Checkbox* const box = AddCheckbox(c.mUnchecked, c.mChecked, &mListener);
        if (c.mSheetParts) {
            box->mUncheckedRect = uncheckedPart;
            box->mCheckedRect = checkedPart;
        }
        Redraw();
        EXPECT_TRUE(ShowsColor(c.mUncheckedPixel, Pixel(5, 5)));
        box->SetChecked(true, false);
        Redraw();
        EXPECT_TRUE(ShowsColor(c.mCheckedPixel, Pixel(5, 5)));
    }
}

} // namespace
