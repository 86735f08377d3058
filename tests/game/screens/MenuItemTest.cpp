#include "game/screens/MenuItem.h"

#include "tests/framework/widgets/WidgetPixels.h"
#include "tests/game/screens/MenuTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;
using Log = std::vector<std::string>;

constexpr int kClickSound = 7;
constexpr int kHoverSound = 9;

// One item of 200 x 50 at (100, 100) in the manager, whose action writes "action" into the
// services' log, so that sounds and actions show in the order they happened.
class MenuItemTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        mItem = Keep(std::make_unique<MenuItem>());
        mItem->Resize(100, 100, 200, 50);
        mItem->mAction = MenuItem::Action(this, &MenuItemTest::OnAction);
        mManager.AddWidget(mItem);
    }

    void OnAction() { mServices.mLog.push_back("action"); }
    void PointAtItem() { mManager.MouseMove(150, 120); }
    void PointAway() { mManager.MouseMove(10, 10); }
    void Press(const int clickCount)
    {
        mManager.MouseDown(150, 120, clickCount);
        mManager.MouseUp(150, 120, clickCount);
    }
    void Updates(const int count)
    {
        for (int i = 0; i < count; ++i)
            mItem->UpdateSmooth(1.0f);
    }

    MenuItem* mItem = nullptr;
};

// ---------------------------------------------------------------------------------------
// Click

TEST_F(MenuItemTest, EveryButtonPressPlaysTheClickSoundThenRunsTheActionOnce)
{
    mItem->mClickSound = kClickSound;
    PointAtItem();
    for (const int clickCount : {1, -1, 3}) {
        mManager.MouseDown(150, 120, clickCount);
        EXPECT_EQ(mServices.TakeLog(), (Log{"sound 7", "action"})) << "press " << clickCount;
        mManager.MouseUp(150, 120, clickCount);
        EXPECT_EQ(mServices.TakeLog(), Log{}) << "release " << clickCount;
    }
}

TEST_F(MenuItemTest, AnItemThatActsOncePerDoubleClickIgnoresOnlyTheDoubleClicksSecondPress)
{
    struct Case {
        bool mOnce;
        int mClickCount;
        bool mActs;
    };
    const Case cases[] = {
        {true, 1, true}, {true, 2, false}, {true, -1, true}, {true, -2, false}, {true, 3, true},
        {false, 2, true}, {false, -2, true},
    };
    PointAtItem();
    for (const Case& c : cases) {
        mItem->mActsOncePerDoubleClick = c.mOnce;
        Press(c.mClickCount);
        EXPECT_EQ(mServices.TakeLog(), c.mActs ? Log{"action"} : Log{})
            << "once " << c.mOnce << ", click count " << c.mClickCount;
    }
}

TEST_F(MenuItemTest, ItemWithoutClickSoundOnlyRunsItsAction)
{
    PointAtItem();
    Press(1);
    EXPECT_EQ(mServices.TakeLog(), Log{"action"});
}

TEST_F(MenuItemTest, ItemWithoutActionTakesClicksQuietly)
{
    MenuItem item;
    item.MouseDown(0, 0, 1);
    EXPECT_EQ(mServices.TakeLog(), Log{});
}

// ---------------------------------------------------------------------------------------
// Fades

TEST_F(MenuItemTest, FadeInTakes64UpdatesAndIgnoresClicksUntilItEnds)
{
    mItem->mClickSound = kClickSound;
    mItem->mAlpha = 0.0f;
    mItem->mFadeState = FADE_IN;
    PointAtItem();

    Updates(63);
    EXPECT_EQ(mItem->mFadeState, FADE_IN);
    EXPECT_FLOAT_EQ(mItem->mAlpha, 252.0f);
    Press(1);
    EXPECT_EQ(mServices.TakeLog(), Log{}) << "neither the sound nor the action while fading";

    Updates(1);
    EXPECT_EQ(mItem->mFadeState, FADE_NONE);
    EXPECT_FLOAT_EQ(mItem->mAlpha, 255.0f);
    Press(1);
    EXPECT_EQ(mServices.TakeLog(), (Log{"sound 7", "action"}));
}

TEST_F(MenuItemTest, FadeOutEndsDisabledAndHiddenBelowZero)
{
    mItem->mAlpha = 10.0f;
    mItem->mFadeState = FADE_OUT;
    PointAtItem();

    Updates(2);
    EXPECT_FLOAT_EQ(mItem->mAlpha, 2.0f);
    Press(1);
    EXPECT_EQ(mServices.TakeLog(), Log{});
    EXPECT_TRUE(mItem->mVisible);

    Updates(1);
    EXPECT_EQ(mItem->mFadeState, FADE_NONE);
    EXPECT_FLOAT_EQ(mItem->mAlpha, 0.0f);
    EXPECT_TRUE(mItem->mDisabled);
    EXPECT_FALSE(mItem->mVisible);
    Press(1);
    EXPECT_EQ(mServices.TakeLog(), Log{}) << "a faded-out item takes no clicks";
}

// ---------------------------------------------------------------------------------------
// Hover

TEST_F(MenuItemTest, HoverSoundPlaysOncePerArrivalOfThePointer)
{
    mItem->mHoverSound = kHoverSound;
    Updates(2);
    EXPECT_EQ(mServices.TakeLog(), Log{}) << "not over the item yet";

    PointAtItem();
    Updates(3);
    EXPECT_EQ(mServices.TakeLog(), Log{"sound 9"});

    PointAway();
    Updates(1);
    PointAtItem();
    Updates(2);
    EXPECT_EQ(mServices.TakeLog(), Log{"sound 9"});
}

struct HoverCase {
    const char* mName;
    std::vector<int32_t> mDelays;
    bool mLoop;
    // The cel after each smooth update while hovered.
    std::vector<int32_t> mCels;
};

const HoverCase kHoverCases[] = {
    // The delays are thresholds from the pointer's arrival: the tick is not reset per cel.
    {"thresholds hold on the last cel", {2, 4}, false, {0, 0, 1, 1, 1, 1, 1}},
    {"looping starts again from the first cel", {2, 4}, true, {0, 0, 1, 1, 0, 0, 0, 1}},
    {"no thresholds keep the first cel", {}, false, {0, 0, 0}},
    {"no thresholds keep the first cel when looping", {}, true, {0, 0, 0}},
};

TEST_F(MenuItemTest, HoverCelsFollowTheirThresholds)
{
    for (const HoverCase& test : kHoverCases) {
        SCOPED_TRACE(test.mName);
        mItem->mHoverDelays = test.mDelays;
        mItem->mHoverLoop = test.mLoop;
        PointAtItem();
        std::vector<int32_t> cels;
        for (size_t i = 0; i < test.mCels.size(); ++i) {
            mItem->UpdateSmooth(1.0f);
            cels.push_back(mItem->mHoverCel);
        }
        EXPECT_EQ(cels, test.mCels);

        PointAway();
        EXPECT_EQ(mItem->mHoverCel, 0);
        EXPECT_EQ(mItem->mHoverTick, 0);
        Updates(3);
        EXPECT_EQ(mItem->mHoverCel, 0) << "cels step only while hovered";
    }
}

// ---------------------------------------------------------------------------------------
// Drawing

class MenuItemDrawTest : public MenuItemTest {
protected:
    void Draw()
    {
        ClearScreen();
        Zest::Graphics g(&mScreen);
        mItem->Draw(&g);
    }
};

TEST_F(MenuItemDrawTest, ShowsTheNormalPictureAwayFromThePointerAndTheOverPictureUnderIt)
{
    const auto normal = SolidImage(&mApp, 20, 10, Color(255, 0, 0));
    const auto over = SolidImage(&mApp, 20, 10, Color(0, 0, 255));
    mItem->SetImage(normal.get());
    mItem->SetOverImage(over.get());
    mItem->mOverX = 30;

    Draw();
    EXPECT_TRUE(ShowsColor(Color(255, 0, 0), Pixel(5, 5)));
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(35, 5)));

    mItem->MouseEnter();
    Draw();
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(5, 5)));
    EXPECT_TRUE(ShowsColor(Color(0, 0, 255), Pixel(35, 5)));
}

TEST_F(MenuItemDrawTest, PicturesTakeTheItemsOpacity)
{
    const auto normal = SolidImage(&mApp, 20, 10, Color(255, 0, 0));
    mItem->SetImage(normal.get());
    mItem->mAlpha = 128.6f;
    Draw();
    EXPECT_NEAR(Red(5, 5), 128, 2);
}

TEST_F(MenuItemDrawTest, NegativeScaleXMirrorsBothPictures)
{
    // Red on the left half, blue on the right.
    const auto picture = SolidImage(&mApp, 20, 10, Color(255, 0, 0));
    Zest::Graphics paint(picture.get());
    paint.SetColor(Color(0, 0, 255));
    paint.FillRect(10, 0, 10, 10);
    mItem->SetImage(picture.get());
    mItem->SetOverImage(picture.get());
    mItem->mScaleX = -1.0f;
    mItem->mScaleY = 3.0f;

    Draw();
    EXPECT_TRUE(ShowsColor(Color(0, 0, 255), Pixel(2, 5)));
    EXPECT_TRUE(ShowsColor(Color(255, 0, 0), Pixel(17, 5)));
    mItem->MouseEnter();
    Draw();
    EXPECT_TRUE(ShowsColor(Color(0, 0, 255), Pixel(2, 5)));
}

TEST_F(MenuItemDrawTest, OverPictureOfSeveralRowsShowsTheHoverCel)
{
    const auto over = StripImage(&mApp, 20, 10, {Color(255, 0, 0), Color(0, 255, 0)});
    mItem->SetOverImage(over.get());
    mItem->mHoverDelays = {0, 0};
    mItem->MouseEnter();

    Draw();
    EXPECT_TRUE(ShowsColor(Color(255, 0, 0), Pixel(5, 5)));
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(5, 15))) << "one cel at a time";
    mItem->UpdateSmooth(1.0f);
    Draw();
    EXPECT_TRUE(ShowsColor(Color(0, 255, 0), Pixel(5, 5)));
}

TEST_F(MenuItemDrawTest, ItemInTheOverlayPassDrawsOnlyThere)
{
    const auto normal = SolidImage(&mApp, 20, 10, Color(255, 0, 0));
    mItem->SetImage(normal.get());
    mItem->mOverlayPriority = 300;
    Draw();
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(5, 5)));

    ClearScreen();
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    EXPECT_TRUE(ShowsColor(Color(255, 0, 0), Pixel(105, 105)));
}

struct LabelBoxCase {
    const char* mName;
    bool mNormal;
    bool mOver;
    // Where the centred four-letter label (40 pixels) lands: its left edge and baseline.
    int mX;
    int mY;
};

// Normal picture 200 x 50, over picture 100 x 20, item 300 x 80; label centre line at 25 and
// the font's ascent 12.
const LabelBoxCase kLabelBoxCases[] = {
    {"the normal picture sizes the box", true, true, 80, 12},
    {"the over picture sizes it without a normal one", false, true, 30, 27},
    {"the item sizes it without pictures", false, false, 130, -3},
};

TEST_F(MenuItemDrawTest, LabelIsCentredInTheBoxOfItsPicture)
{
    const auto normal = SolidImage(&mApp, 200, 50, Color(20, 20, 20));
    const auto over = SolidImage(&mApp, 100, 20, Color(20, 20, 20));
    RunRecordingFont font;
    mItem->Resize(100, 100, 300, 80);
    mItem->mFont = &font;
    mItem->mLabel = "Play";
    mItem->SetLabelY(25);
    mItem->mLabelJustification = 0;
    for (const LabelBoxCase& test : kLabelBoxCases) {
        SCOPED_TRACE(test.mName);
        mItem->SetImage(test.mNormal ? normal.get() : nullptr);
        mItem->SetOverImage(test.mOver ? over.get() : nullptr);
        font.mRuns.clear();
        Draw();
        ASSERT_EQ(font.mRuns.size(), 1u);
        EXPECT_EQ(font.mRuns[0].mText, "Play");
        EXPECT_EQ(font.mRuns[0].mX, test.mX);
        EXPECT_EQ(font.mRuns[0].mY, test.mY);
    }
}

TEST_F(MenuItemDrawTest, LabelTakesTheHoverColourAndTheItemsOpacity)
{
    RunRecordingFont font;
    mItem->mFont = &font;
    mItem->mLabel = "Play";
    mItem->SetLabelColor(Color(66, 36, 0));
    mItem->SetLabelOverColor(Color(116, 0, 0));
    mItem->mAlpha = 200.9f;

    Draw();
    mItem->MouseEnter();
    Draw();
    ASSERT_EQ(font.mRuns.size(), 2u);
    EXPECT_EQ(font.mRuns[0].mColor, Color(66, 36, 0, 200));
    EXPECT_EQ(font.mRuns[1].mColor, Color(116, 0, 0, 200));
}

TEST_F(MenuItemDrawTest, NoLabelWithoutFontOrText)
{
    RunRecordingFont font;
    mItem->mLabel = "Play";
    Draw();
    mItem->mFont = &font;
    mItem->mLabel.clear();
    Draw();
    EXPECT_TRUE(font.mRuns.empty());
}

} // namespace
} // namespace Tests
