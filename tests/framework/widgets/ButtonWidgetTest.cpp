#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/Listeners.h"
#include "tests/framework/widgets/RecordingWidget.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Tests::RedrawAll;
using Tests::ShowsColor;
using Tests::SolidImage;

using Zest::ButtonWidget;
using Zest::Color;
using Zest::DialogButton;
using Zest::Graphics;
using Zest::MemoryImage;
using Zest::Rect;

struct LabelDraw {
    int mX = 0;
    int mY = 0;
    Color mColor;

    bool operator==(const LabelDraw& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const LabelDraw& draw)
{
    return out << "(" << draw.mX << ", " << draw.mY << ") in " << draw.mColor.mRed << "/" << draw.mColor.mGreen
               << "/" << draw.mColor.mBlue;
}

constexpr int kId = 7;
constexpr int kLeft = 100;
constexpr int kTop = 100;

// Ten pixels a character, ascent 12, ascent padding 2. It records where each label lands on
// the screen relative to (kLeft, kTop), the corner of the buttons below, with the context's
// translation included. Copies share the record, so the duplicate a button keeps still
// reports.
class FakeFont : public Zest::Font {
public:
    explicit FakeFont(std::vector<LabelDraw>* draws) : mDraws(draws)
    {
        mAscent = 12;
        mAscentPadding = 2;
        mHeight = 16;
    }

    int StringWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    void DrawString(Graphics* g, const int x, const int y, const std::string& text, const Color& color,
                    const Rect& clip) override
    {
        mDraws->push_back({x + static_cast<int>(g->mTransX) - kLeft, y + static_cast<int>(g->mTransY) - kTop, color});
    }
    Font* Duplicate() const override { return new FakeFont(*this); }

    std::vector<LabelDraw>* mDraws;
};

class RecordingButtonListener : public Zest::ButtonListener {
public:
    void ButtonPressCount(const int id, const int clickCount) override
    {
        Log("PressCount " + std::to_string(id) + " " + std::to_string(clickCount));
    }
    void ButtonClick(const int id) override { Log("Click " + std::to_string(id)); }
    void ButtonDownTick(const int id) override { Log("DownTick " + std::to_string(id)); }
    void ButtonMouseEnter(const int id) override { Log("Enter " + std::to_string(id)); }
    void ButtonMouseLeave(const int id) override { Log("Leave " + std::to_string(id)); }
    void ButtonMouseMove(const int id, const int x, const int y) override
    {
        Log("Move " + std::to_string(id) + " " + std::to_string(x) + "," + std::to_string(y));
    }

    void Log(const std::string& call) { mCalls.push_back(call); }

    std::vector<std::string> mCalls;
};

// The middle of a 100x30 button at (kLeft, kTop).
constexpr int kInsideX = kLeft + 50;
constexpr int kInsideY = kTop + 15;
constexpr int kAwayX = 500;
constexpr int kAwayY = 500;

const Color kLabel(200, 0, 0);
const Color kHilite(0, 0, 200);
const Color kDark(10, 10, 10);
const Color kLight(250, 250, 250);
const Color kMedium(120, 120, 120);
const Color kBackground(60, 160, 60);

const Color kNormalLook(255, 0, 0);
const Color kOverLook(0, 0, 255);
const Color kDownLook(0, 255, 0);
const Color kDisabledLook(255, 255, 0);

// A managed 100x30 button at (kLeft, kTop) labelled with a 40-pixel-wide text, and the scripted
// mouse that drives it.
class ButtonTest : public Tests::WidgetTest {
protected:
    ButtonTest() : mFont(&mLabels) {}
    ~ButtonTest() override { mManager.RemoveAllWidgets(false, true); }

    template <typename T = ButtonWidget>
    T* AddButton(Zest::ButtonListener* const listener)
    {
        auto owned = std::make_unique<T>(kId, listener);
        T* const button = owned.get();
        mButtons.push_back(std::move(owned));
        button->Resize(kLeft, kTop, 100, 30);
        button->mLabel = "OKAY";
        button->SetFont(&mFont);
        mManager.AddWidget(button);
        return button;
    }
    ButtonWidget* AddButton() { return AddButton(&mListener); }

    // The distinct colours above in every role, so that each pixel tells which role drew it.
    static void Paint(ButtonWidget* const button)
    {
        button->SetColor(ButtonWidget::COLOR_LABEL, kLabel);
        button->SetColor(ButtonWidget::COLOR_LABEL_HILITE, kHilite);
        button->SetColor(ButtonWidget::COLOR_DARK_OUTLINE, kDark);
        button->SetColor(ButtonWidget::COLOR_LIGHT_OUTLINE, kLight);
        button->SetColor(ButtonWidget::COLOR_MEDIUM_OUTLINE, kMedium);
        button->SetColor(ButtonWidget::COLOR_BKG, kBackground);
    }

    void Hover() { mManager.MouseMove(kInsideX, kInsideY); }
    void MoveAway() { mManager.MouseMove(kAwayX, kAwayY); }
    void Press(const int clickCount = 1) { mManager.MouseDown(kInsideX, kInsideY, clickCount); }
    void ReleaseInside(const int clickCount = 1) { mManager.MouseUp(kInsideX, kInsideY, clickCount); }
    void ReleaseAway() { mManager.MouseUp(kAwayX, kAwayY, 1); }

    // Redraws everything on a cleared screen.
    void Redraw() { RedrawAll(mManager, mScreen); }

    // A pixel of the screen, relative to the button's corner.
    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[(kTop + y) * 800 + kLeft + x]; }

    // Four square looks side by side: normal, over, down, disabled.
    std::unique_ptr<MemoryImage> LookSheet(const int size)
    {
        auto sheet = SolidImage(&mApp, 4 * size, size, kNormalLook);
        Graphics g(sheet.get());
        const Color looks[] = {kOverLook, kDownLook, kDisabledLook};
        for (int i = 0; i < 3; ++i) {
            g.SetColor(looks[i]);
            g.FillRect(size * (i + 1), 0, size, size);
        }
        return sheet;
    }

    struct LookStep {
        const char* mName;
        std::function<void()> mAction;
        Color mLook;
    };

    // Runs the steps in order; after each, the points (relative to the button) show its look.
    void ExpectLooks(const std::vector<LookStep>& script, const std::vector<Zest::Point>& points)
    {
        for (const LookStep& step : script) {
            SCOPED_TRACE(step.mName);
            step.mAction();
            Redraw();
            for (const Zest::Point& point : points)
                EXPECT_TRUE(ShowsColor(step.mLook, Pixel(point.mX, point.mY))) << point.mX << "," << point.mY;
        }
    }

    std::vector<LabelDraw> mLabels;
    FakeFont mFont;
    RecordingButtonListener mListener;
    std::vector<std::unique_ptr<ButtonWidget>> mButtons;
};

// The plain look through a scripted press, without and with mInverted: the bevel, the label's
// place and its colour.
TEST_F(ButtonTest, PlainLookFollowsThePressAndTheInversion)
{
    const struct {
        const char* mName;
        std::function<void()> mAction;
        bool mDown;
        bool mHilite;
    } script[] = {
        {"added", [] {}, false, false},
        {"hovered", [&] { Hover(); }, false, true},
        {"pressed", [&] { Press(); }, true, true},
        {"dragged off", [&] { mManager.MouseMove(kAwayX, kAwayY); }, false, false},
        {"dragged back", [&] { mManager.MouseMove(kInsideX, kInsideY); }, true, true},
        {"released", [&] { ReleaseInside(); }, false, true},
    };
    for (const bool inverted : {false, true}) {
        MoveAway();
        mManager.RemoveAllWidgets(false, true);
        ButtonWidget* const button = AddButton();
        Paint(button);
        button->mInverted = inverted;
        for (const auto& step : script) {
            SCOPED_TRACE(std::string(step.mName) + (inverted ? ", inverted" : ""));
            step.mAction();
            mLabels.clear();
            Redraw();
            const bool down = step.mDown != inverted;
            ASSERT_EQ(1u, mLabels.size());
            EXPECT_EQ((LabelDraw{down ? 31 : 30, down ? 20 : 19, step.mHilite ? kHilite : kLabel}), mLabels[0]);
            EXPECT_EQ((down ? kDark : kLight).ToInt(), Pixel(0, 0));
            EXPECT_EQ((down ? kLight : kDark).ToInt(), Pixel(99, 29));
            EXPECT_EQ(kMedium.ToInt(), down ? Pixel(1, 1) : Pixel(98, 28));
            EXPECT_EQ(kBackground.ToInt(), down ? Pixel(98, 28) : Pixel(1, 1));
            EXPECT_EQ(kBackground.ToInt(), Pixel(50, 15));
        }
    }
}

TEST_F(ButtonTest, LabelAlignment)
{
    const struct {
        int mAlign;
        int mX;
    } cases[] = {{0, 30}, {1, 60}, {2, 0}, {-1, 0}};
    ButtonWidget* const button = AddButton();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mAlign);
        button->mLabelAlign = c.mAlign;
        mLabels.clear();
        Redraw();
        ASSERT_EQ(1u, mLabels.size());
        EXPECT_EQ(c.mX, mLabels[0].mX);
    }
}

TEST_F(ButtonTest, NoFrameDrawsOnlyTheLabel)
{
    ButtonWidget* const button = AddButton();
    button->mNoFrame = true;
    Redraw();
    EXPECT_EQ(0u, Pixel(0, 0));
    EXPECT_EQ(0u, Pixel(50, 15));
    EXPECT_EQ(1u, mLabels.size());

    button->mNoDraw = true;
    mLabels.clear();
    Redraw();
    EXPECT_TRUE(mLabels.empty());
}

TEST_F(ButtonTest, MissingFontIsMadeForTheApplicationOnlyWhenALabelIsShown)
{
    ButtonWidget* const button = AddButton();
    DialogButton* const dialogButton = AddButton<DialogButton>(&mListener);
    button->SetFont(nullptr);
    dialogButton->SetFont(nullptr);
    button->mLabel.clear();
    Redraw();
    EXPECT_EQ(nullptr, button->mFont);

    button->mLabel = "OK";
    Redraw();
    const auto* const font = dynamic_cast<Zest::SysFont*>(button->mFont);
    const auto* const dialogFont = dynamic_cast<Zest::SysFont*>(dialogButton->mFont);
    ASSERT_NE(nullptr, font);
    ASSERT_NE(nullptr, dialogFont);
    EXPECT_EQ(&mApp, font->mApp);
    EXPECT_EQ(&mApp, dialogFont->mApp);
    ASSERT_TRUE(font->HasFace());
    // 10 points for a button, 12 for a dialog button.
    EXPECT_LT(font->GetHeight(), dialogFont->GetHeight());
}

TEST_F(ButtonTest, SetFontWithItsOwnFontKeepsAWorkingCopy)
{
    ButtonWidget* const button = AddButton();
    button->SetFont(button->mFont);
    Redraw();
    EXPECT_EQ(1u, mLabels.size());
}

TEST_F(ButtonTest, PressReportsAPositiveClickCountForEveryButton)
{
    const struct {
        int mClickCount;
        const char* mReported;
    } cases[] = {{1, "PressCount 7 1"}, {2, "PressCount 7 2"}, {-1, "PressCount 7 1"}, {-2, "PressCount 7 2"},
                 {3, "PressCount 7 1"}};
    AddButton();
    Hover();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mClickCount);
        mListener.mCalls.clear();
        Press(c.mClickCount);
        EXPECT_EQ(std::vector<std::string>{c.mReported}, mListener.mCalls);
        ReleaseInside(c.mClickCount);
    }
}

TEST_F(ButtonTest, ClickNeedsTheReleaseOverTheButtonWhileTheApplicationIsActive)
{
    AddButton();
    Hover();
    mManager.MouseMove(kInsideX + 10, kInsideY + 5);
    Press();
    ReleaseInside();
    EXPECT_EQ((std::vector<std::string>{"Enter 7", "Move 7 50,15", "Move 7 60,20", "Move 7 50,15", "PressCount 7 1",
                                        "Click 7"}),
              mListener.mCalls);

    mListener.mCalls.clear();
    Press();
    mManager.MouseMove(kAwayX, kAwayY);
    ReleaseAway();
    EXPECT_EQ((std::vector<std::string>{"PressCount 7 1", "Leave 7"}), mListener.mCalls);

    mListener.mCalls.clear();
    Hover();
    mManager.LostFocus();
    Press();
    ReleaseInside();
    EXPECT_EQ((std::vector<std::string>{"Enter 7", "Move 7 50,15", "PressCount 7 1"}), mListener.mCalls);

    mListener.mCalls.clear();
    mManager.GotFocus();
    Press();
    ReleaseInside();
    EXPECT_EQ((std::vector<std::string>{"PressCount 7 1", "Click 7"}), mListener.mCalls);
}

TEST_F(ButtonTest, DownTicksOnlyWhileHeldOverTheButton)
{
    AddButton();
    Hover();
    Press();
    mListener.mCalls.clear();
    mManager.UpdateFrame();
    mManager.UpdateFrame();
    EXPECT_EQ((std::vector<std::string>{"DownTick 7", "DownTick 7"}), mListener.mCalls);

    mManager.MouseMove(kAwayX, kAwayY);
    mListener.mCalls.clear();
    mManager.UpdateFrame();
    EXPECT_TRUE(mListener.mCalls.empty());

    ReleaseAway();
    Hover();
    mListener.mCalls.clear();
    mManager.UpdateFrame();
    EXPECT_TRUE(mListener.mCalls.empty());
}

TEST_F(ButtonTest, ButtonWithoutListenerStillWorks)
{
    ButtonWidget* const button = AddButton(nullptr);
    Hover();
    Press();
    mManager.UpdateFrame();
    ReleaseInside();
    MoveAway();
    Redraw();
    EXPECT_FALSE(button->mIsDown);
    EXPECT_FALSE(button->mIsOver);
}

TEST_F(ButtonTest, HoverRedrawsOnlyWhenTheLookChanges)
{
    const struct {
        const char* mName;
        bool mHiliteDiffers;
        bool mOverLook;
        bool mRedrawn;
    } cases[] = {
        {"same colours, no over look", false, false, false},
        {"hilite colour", true, false, true},
        {"over look", false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mName);
        mManager.RemoveAllWidgets(false, true);
        ButtonWidget* const button = AddButton();
        button->SetColor(ButtonWidget::COLOR_LABEL_HILITE, c.mHiliteDiffers ? kHilite : Color::Black);
        if (c.mOverLook)
            button->mOverRect = Rect(0, 0, 10, 10);
        mManager.DrawScreen();
        Hover();
        EXPECT_EQ(c.mRedrawn, mManager.DrawScreen());
        MoveAway();
        EXPECT_EQ(c.mRedrawn, mManager.DrawScreen());
    }
}

TEST_F(ButtonTest, SheetRectanglesPickTheLook)
{
    const auto sheet = LookSheet(10);
    ButtonWidget* const button = AddButton();
    button->Resize(kLeft, kTop, 10, 10);
    button->mButtonImage = sheet.get();
    button->mNormalRect = Rect(0, 0, 10, 10);
    // No over image: the over rectangle still cuts mButtonImage.
    button->mOverRect = Rect(10, 0, 10, 10);
    button->mDownRect = Rect(20, 0, 10, 10);
    button->mDisabledRect = Rect(30, 0, 10, 10);
    const int insideX = kLeft + 5;
    const int insideY = kTop + 5;
    ExpectLooks(
        {
            {"released", [] {}, kNormalLook},
            {"hovered", [&] { mManager.MouseMove(insideX, insideY); }, kOverLook},
            {"pressed", [&] { mManager.MouseDown(insideX, insideY, 1); }, kDownLook},
            {"dragged off", [&] { mManager.MouseMove(kAwayX, kAwayY); }, kOverLook},
            {"released away", [&] { ReleaseAway(); }, kNormalLook},
            {"disabled", [&] { button->SetDisabled(true); }, kDisabledLook},
        },
        {{0, 0}, {9, 9}});
}

TEST_F(ButtonTest, PressedWithoutADownLookShiftsTheOverOrNormalLook)
{
    const auto sheet = LookSheet(10);
    ButtonWidget* const button = AddButton();
    Paint(button);
    button->mButtonImage = sheet.get();
    button->mNormalRect = Rect(0, 0, 10, 10);
    Hover();
    Press();
    Redraw();
    EXPECT_EQ(0u, Pixel(0, 0));
    EXPECT_TRUE(ShowsColor(kNormalLook, Pixel(1, 1)));
    ASSERT_FALSE(mLabels.empty());
    EXPECT_EQ((LabelDraw{31, 20, kHilite}), mLabels.back());

    button->mOverRect = Rect(10, 0, 10, 10);
    Redraw();
    EXPECT_EQ(0u, Pixel(0, 0));
    EXPECT_TRUE(ShowsColor(kOverLook, Pixel(1, 1)));
}

TEST_F(ButtonTest, RectanglesWithoutASheetDrawNothing)
{
    const auto downImage = SolidImage(&mApp, 10, 10, kDownLook);
    ButtonWidget* const button = AddButton();
    button->mDownImage = downImage.get();
    button->mNormalRect = Rect(0, 0, 10, 10);
    button->mDownRect = Rect(0, 0, 10, 10);
    Redraw();
    EXPECT_EQ(0u, Pixel(0, 0));
    Hover();
    Press();
    Redraw();
    EXPECT_EQ(0u, Pixel(0, 0));
    EXPECT_FALSE(mLabels.empty());

    Graphics g(&mScreen);
    button->DrawButtonImage(&g, nullptr, Rect(), 0, 0);
    EXPECT_EQ(0u, mScreen.GetBits()[0]);
}

// A button with a normal and an over image, for the fading over look.
class ButtonFadeTest : public ButtonTest {
protected:
    ButtonFadeTest()
    {
        mButton->mButtonImage = mNormal.get();
        mButton->mOverImage = mOver.get();
    }

    const std::unique_ptr<MemoryImage> mNormal = SolidImage(&mApp, 100, 30, kNormalLook);
    const std::unique_ptr<MemoryImage> mOver = SolidImage(&mApp, 100, 30, kOverLook);
    ButtonWidget* const mButton = AddButton();
};

TEST_F(ButtonFadeTest, FadeInReachesFullStrengthOnTheFourthTickAndVanishesAtOnceWithoutFadeOut)
{
    mButton->mFadeInSpeed = 0.25;
    Hover();
    EXPECT_EQ(0.0, mButton->mOverAlpha);
    for (const double alpha : {0.25, 0.5, 0.75, 1.0}) {
        mManager.UpdateFrame();
        EXPECT_EQ(alpha, mButton->mOverAlpha);
    }
    mManager.UpdateFrame();
    EXPECT_EQ(1.0, mButton->mOverAlpha);
    Redraw();
    EXPECT_TRUE(ShowsColor(kOverLook, Pixel(5, 5)));

    mButton->mOverAlpha = 0.75;
    Redraw();
    const Color blended(Pixel(5, 5));
    EXPECT_NEAR(64, blended.mRed, 3);
    EXPECT_NEAR(191, blended.mBlue, 3);
    // A strength set past full draws the full over look.
    mButton->mOverAlpha = 1e300;
    Redraw();
    EXPECT_TRUE(ShowsColor(kOverLook, Pixel(5, 5)));
    mButton->mOverAlpha = 1.0;

    MoveAway();
    EXPECT_EQ(0.0, mButton->mOverAlpha);
    Redraw();
    EXPECT_TRUE(ShowsColor(kNormalLook, Pixel(5, 5)));
}

TEST_F(ButtonFadeTest, FadeOutStartsFromFullAndWaitsWhileThePressedButtonIsLeft)
{
    mButton->mFadeOutSpeed = 0.5;
    Hover();
    mManager.UpdateFrame();
    // No fade-in: the over look is shown at once without any over strength.
    EXPECT_EQ(0.0, mButton->mOverAlpha);
    Redraw();
    EXPECT_TRUE(ShowsColor(kOverLook, Pixel(5, 5)));

    Press();
    mManager.MouseMove(kAwayX, kAwayY);
    EXPECT_EQ(1.0, mButton->mOverAlpha);
    mManager.UpdateFrame();
    EXPECT_EQ(1.0, mButton->mOverAlpha);

    ReleaseAway();
    for (const double alpha : {0.5, 0.0, 0.0}) {
        mManager.UpdateFrame();
        EXPECT_EQ(alpha, mButton->mOverAlpha);
    }
    Redraw();
    EXPECT_TRUE(ShowsColor(kNormalLook, Pixel(5, 5)));
}

// A 3x3 component image stretched over a dialog button, or four 3x3 looks cut from a sheet.
class DialogButtonTest : public ButtonTest {
protected:
    DialogButton* AddDialogButton(Zest::Image* const component)
    {
        DialogButton* const button = AddButton<DialogButton>(&mListener);
        button->mComponentImage = component;
        return button;
    }
};

TEST_F(DialogButtonTest, PressedBoxAndLabelMoveByThePressOffset)
{
    const auto component = SolidImage(&mApp, 3, 3, kNormalLook);
    DialogButton* const button = AddDialogButton(component.get());
    button->mLabelOffsetX = 3;
    button->mLabelOffsetY = 4;
    Hover();
    EXPECT_EQ(Zest::CURSOR_HAND, mApp.mCursorKind);
    Redraw();
    EXPECT_TRUE(ShowsColor(kNormalLook, Pixel(0, 0)));
    EXPECT_TRUE(ShowsColor(kNormalLook, Pixel(99, 29)));
    // (30 - 12 / 6 - 2 - 1 + 12) / 2 = 18, in the dialog button's white.
    ASSERT_FALSE(mLabels.empty());
    EXPECT_EQ((LabelDraw{33, 22, Color::White}), mLabels.back());

    button->mPressOffsetX = 2;
    Press();
    Redraw();
    EXPECT_EQ(0u, Pixel(1, 0));
    EXPECT_TRUE(ShowsColor(kNormalLook, Pixel(2, 1)));
    EXPECT_EQ((LabelDraw{35, 23, Color::White}), mLabels.back());
}

TEST_F(DialogButtonTest, SheetRectanglesPickTheLook)
{
    const auto sheet = LookSheet(3);
    DialogButton* const button = AddDialogButton(sheet.get());
    button->mNormalRect = Rect(0, 0, 3, 3);
    button->mOverRect = Rect(3, 0, 3, 3);
    button->mDownRect = Rect(6, 0, 3, 3);
    button->mDisabledRect = Rect(9, 0, 3, 0);
    ExpectLooks(
        {
            {"released", [] {}, kNormalLook},
            {"hovered", [&] { Hover(); }, kOverLook},
            {"pressed", [&] { Press(); }, kDownLook},
            {"left at full over strength",
             [&] {
                 ReleaseInside();
                 MoveAway();
                 button->mOverAlpha = 1.0;
             },
             kOverLook},
            {"disabled, empty disabled look",
             [&] {
                 button->mOverAlpha = 0.0;
                 button->SetDisabled(true);
             },
             kNormalLook},
            {"disabled", [&] { button->mDisabledRect.mHeight = 3; }, kDisabledLook},
        },
        {{50, 15}});
}

} // namespace
