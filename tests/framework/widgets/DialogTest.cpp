// The dialog: its buttons for each mode and their layout, the height it asks for, the
// drawn frame, dragging within the screen, buttons kept beside it in the tree, clicks
// that become its result and reach the application, and waiting for a result.

#include "framework/graphics/Color.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"
#include "tests/framework/graphics/FakeApp.h"
#include "tests/framework/widgets/RecordingFont.h"
#include "tests/framework/widgets/RecordingWidget.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Tests::DrawnText;
using Tests::RecordingFont;
using Tests::RedrawAll;
using Tests::ShowsColor;
using Zest::Color;
using Zest::Dialog;
using Zest::DialogButton;
using Zest::Rect;
using Zest::Widget;

constexpr int kId = 5;

const Color kRed(255, 0, 0);
const Color kGreen(0, 255, 0);

// An application that hears the dialogs' buttons and lets a dialog wait: each main-loop
// step runs mOnStep.
class DialogApp : public Tests::FakeApp, public Zest::DialogListener, public Zest::DialogHost {
public:
    void DialogButtonPress(const int dialogId, const int buttonId) override
    {
        mCalls.push_back("Press " + std::to_string(dialogId) + " " + std::to_string(buttonId));
    }
    void DialogButtonClick(const int dialogId, const int buttonId) override
    {
        const int result = mOpenDialog != nullptr ? mOpenDialog->mResult : 0;
        mCalls.push_back("Click " + std::to_string(dialogId) + " " + std::to_string(buttonId) + " with result " +
                         std::to_string(result));
    }
    bool UpdateStep(bool* updated) override
    {
        ++mSteps;
        return mOnStep ? mOnStep(mSteps) : true;
    }
    Dialog* GetDialog(const int id) override { return mOpenDialog; }
    void CloseDialog(const int id) override { mCalls.push_back("Close " + std::to_string(id)); }

    std::vector<std::string> mCalls;
    // The dialog the application has open under every id.
    Dialog* mOpenDialog = nullptr;
    int mSteps = 0;
    // Returns what UpdateStep returns.
    std::function<bool(int step)> mOnStep;
};

// An 800x600 manager on a DialogApp, and dialogs drawn in the recording font.
class DialogTest : public ::testing::Test {
protected:
    DialogTest() : mManager(&mApp), mFont(&mDrawn)
    {
        Zest::SetAppInterface(&mApp);
        mScreen.Create(800, 600);
        mManager.mScreenImage = &mScreen;
        mManager.SetMouseRects(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600));
    }
    ~DialogTest() override
    {
        mManager.RemoveAllWidgets(false, true);
        Zest::SetAppInterface(nullptr);
    }

    Dialog* Make(const int buttonMode, const std::string& header = "", const std::string& lines = "",
                 const std::string& footer = "")
    {
        mDialogs.push_back(std::make_unique<Dialog>(kId, true, header, lines, footer, buttonMode));
        Dialog* const dialog = mDialogs.back().get();
        dialog->SetHeaderFont(&mFont);
        dialog->SetLinesFont(&mFont);
        dialog->SetButtonFont(&mFont);
        mApp.mOpenDialog = dialog;
        return dialog;
    }
    Dialog* AddShown(const int buttonMode, const Rect& rect)
    {
        Dialog* const dialog = Make(buttonMode, "Head", "Body", "Foot");
        dialog->ResizeToRect(rect);
        mManager.AddWidget(dialog);
        return dialog;
    }
    void Click(const Widget* const widget, const int clickCount = 1)
    {
        const int x = widget->mX + widget->mWidth / 2;
        const int y = widget->mY + widget->mHeight / 2;
        mManager.MouseMove(x, y);
        mManager.MouseDown(x, y, clickCount);
        mManager.MouseUp(x, y, clickCount);
    }
    std::vector<const Widget*> ManagerOrder() const
    {
        return std::vector<const Widget*>(mManager.mWidgets.begin(), mManager.mWidgets.end());
    }

    DialogApp mApp;
    Zest::MemoryImage mScreen{&mApp};
    Zest::WidgetManager mManager;
    std::vector<DrawnText> mDrawn;
    RecordingFont mFont;
    std::vector<std::unique_ptr<Dialog>> mDialogs;
};

TEST_F(DialogTest, ButtonModeDecidesTheButtonsAndWhetherTheFooterIsALine)
{
    struct Case {
        int mode;
        const char* yesLabel;
        const char* noLabel;
        bool footerLine;
    };
    const Case cases[] = {
        {1, "YES", "NO", true},
        {2, "OK", "CANCEL", true},
        {3, "Foot", nullptr, false},
        {0, nullptr, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Dialog* const dialog = AddShown(c.mode, Rect(100, 100, 400, 200));
        dialog->SetColor(Dialog::COLOR_FOOTER, kRed);
        for (const auto& [button, label, id] : {std::tuple{dialog->mYesButton, c.yesLabel, 1000},
                                                std::tuple{dialog->mNoButton, c.noLabel, 1001}}) {
            ASSERT_EQ(button != nullptr, label != nullptr);
            if (button == nullptr)
                continue;
            EXPECT_EQ(button->mLabel, label);
            EXPECT_EQ(button->mId, id);
        }
        mDrawn.clear();
        RedrawAll(mManager, mScreen);
        bool footerLine = false;
        for (const DrawnText& text : mDrawn)
            footerLine = footerLine || (text.mText == "Foot" && text.mColor == kRed);
        EXPECT_EQ(footerLine, c.footerLine);
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(DialogTest, ButtonsAreLaidOutAlongTheBottomInsideTheInsets)
{
    struct Case {
        int mode;
        Zest::Insets background;
        int sideMargin;
        int gap;
        // Relative to the dialog's corner; width -1 for no second button.
        Rect yes;
        Rect no;
    };
    const Case cases[] = {
        {1, {}, 0, 8, {24, 152, 172, 24}, {204, 152, 172, 24}},
        {1, {}, 10, 20, {34, 152, 156, 24}, {210, 152, 156, 24}},
        {2, {5, 6, 7, 8}, 0, 8, {29, 144, 166, 24}, {203, 144, 166, 24}},
        {3, {}, 0, 8, {24, 152, 352, 24}, {0, 0, -1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " margin " << c.sideMargin);
        Dialog* const dialog = Make(c.mode);
        dialog->mBackgroundInsets = c.background;
        dialog->mButtonSideMargin = c.sideMargin;
        dialog->mButtonGap = c.gap;
        // Buttons follow every move.
        for (const Zest::Point corner : {Zest::Point(100, 50), Zest::Point(30, 70)}) {
            dialog->Resize(corner.mX, corner.mY, 400, 200);
            const Rect yes = dialog->mYesButton->GetRect();
            EXPECT_EQ(yes, Rect(corner.mX + c.yes.mX, corner.mY + c.yes.mY, c.yes.mWidth, c.yes.mHeight));
            if (c.no.mWidth == -1)
                continue;
            const Rect no = dialog->mNoButton->GetRect();
            EXPECT_EQ(no, Rect(corner.mX + c.no.mX, corner.mY + c.no.mY, c.no.mWidth, c.no.mHeight));
        }
    }
}

TEST_F(DialogTest, PreferredHeightAddsTheSectionsThatArePresent)
{
    struct Case {
        const char* name;
        int mode;
        std::string header;
        std::string lines;
        std::string footer;
        int width;
        int lineSpacingOffset;
        int height;
    };
    // One line of the recording font is 14 high (16 less the padding); lines are 16 apart.
    const Case cases[] = {
        {"empty", 0, "", "", "", 400, 0, 48},
        {"header", 0, "H", "", "", 400, 0, 62},
        {"one line", 0, "", "x", "", 400, 0, 62},
        {"two lines", 0, "", "a\nb", "", 400, 0, 78},
        {"spaced lines", 0, "", "a\nb", "", 400, 4, 82},
        {"wrapped", 0, "", "aaaa bbbb", "", 130, 0, 78},
        {"footer", 0, "", "", "F", 400, 0, 64},
        {"footer button", 3, "", "", "F", 400, 0, 80},
        {"everything", 1, "H", "x", "F", 400, 0, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dialog* const dialog = Make(c.mode, c.header, c.lines, c.footer);
        dialog->mLineSpacingOffset = c.lineSpacingOffset;
        EXPECT_EQ(dialog->GetPreferredHeight(c.width), c.height);
    }
}

TEST_F(DialogTest, DrawsTheFrameOrTheComponentImage)
{
    Dialog* const dialog = AddShown(0, Rect(100, 100, 200, 100));
    dialog->SetColor(Dialog::COLOR_OUTLINE, kRed);
    dialog->SetColor(Dialog::COLOR_BKG, kGreen);
    RedrawAll(mManager, mScreen);
    const auto pixel = [&](const int x, const int y) { return mScreen.GetBits()[(100 + y) * 800 + 100 + x]; };
    EXPECT_TRUE(ShowsColor(kRed, pixel(12, 12)));
    EXPECT_TRUE(ShowsColor(kRed, pixel(187, 87)));
    EXPECT_TRUE(ShowsColor(kGreen, pixel(13, 13)));
    EXPECT_TRUE(ShowsColor(kGreen, pixel(186, 86)));
    EXPECT_FALSE(ShowsColor(kGreen, pixel(5, 5)));

    const auto frame = Tests::SolidImage(&mApp, 9, 9, Color(0, 0, 255));
    dialog->mComponentImage = frame.get();
    RedrawAll(mManager, mScreen);
    EXPECT_TRUE(ShowsColor(Color(0, 0, 255), pixel(1, 1)));
    EXPECT_TRUE(ShowsColor(Color(0, 0, 255), pixel(198, 98)));
}

TEST_F(DialogTest, DraggedDialogStaysWithinEightPixelsOfTheScreen)
{
    struct Case {
        int dx;
        int dy;
        Zest::Point corner;
    };
    // A 200x100 dialog at (100, 100) grabbed at (10, 10).
    const Case cases[] = {
        {50, 30, {150, 130}},
        {1000, 0, {608, 100}},
        {-1000, -1000, {-8, -8}},
        {0, 1000, {100, 508}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        Dialog* const dialog = AddShown(1, Rect(100, 100, 200, 100));
        mManager.MouseDown(110, 110, 1);
        EXPECT_EQ(mApp.mCursorKind, 2);
        mManager.MouseMove(110 + c.dx, 110 + c.dy);
        EXPECT_EQ(Zest::Point(dialog->mX, dialog->mY), c.corner);
        EXPECT_EQ(dialog->mYesButton->mX, c.corner.mX + 24);
        mManager.MouseUp(110 + c.dx, 110 + c.dy, 1);
        EXPECT_EQ(mApp.mCursorKind, 0);
        EXPECT_FALSE(dialog->mDragging);
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(DialogTest, DialogHeldAtTheEdgeFollowsAsSoonAsTheMouseComesBack)
{
    Dialog* const dialog = AddShown(1, Rect(100, 100, 200, 100));
    mManager.MouseDown(110, 110, 1);
    mManager.MouseMove(1110, 110);
    EXPECT_EQ(dialog->mX, 608);
    // The grab point moved to 9 pixels inside the right edge.
    EXPECT_EQ(dialog->mDragMouseX, 191);
    mManager.MouseMove(700, 110);
    EXPECT_EQ(dialog->mX, 509);
}

TEST_F(DialogTest, DoubleClickDoesNotStartADrag)
{
    Dialog* const dialog = AddShown(1, Rect(100, 100, 200, 100));
    mManager.MouseDown(110, 110, 2);
    mManager.MouseMove(160, 160);
    EXPECT_FALSE(dialog->mDragging);
    EXPECT_EQ(dialog->mX, 100);
}

TEST_F(DialogTest, ButtonsLiveBesideTheDialogJustInFrontOfIt)
{
    Tests::EventLog log;
    Tests::RecordingWidget other("other", &log, 0, 0, 10, 10);
    Dialog* const dialog = AddShown(1, Rect(100, 100, 400, 200));
    mManager.AddWidget(&other);
    EXPECT_EQ(ManagerOrder(), (std::vector<const Widget*>{dialog, dialog->mYesButton, dialog->mNoButton, &other}));
    mManager.BringToFront(dialog);
    EXPECT_EQ(ManagerOrder(), (std::vector<const Widget*>{&other, dialog, dialog->mNoButton, dialog->mYesButton}));
    mManager.RemoveWidget(dialog);
    EXPECT_EQ(ManagerOrder(), (std::vector<const Widget*>{&other}));
    EXPECT_EQ(dialog->mYesButton->mWidgetManager, nullptr);

    // A dialog in a higher band keeps its buttons in that band, above it.
    dialog->mZOrder = 5;
    mManager.AddWidget(dialog);
    mManager.RemoveWidget(&other);
    mManager.AddWidget(&other);
    EXPECT_EQ(ManagerOrder(), (std::vector<const Widget*>{&other, dialog, dialog->mYesButton, dialog->mNoButton}));
    mManager.RemoveWidget(&other);
}

TEST_F(DialogTest, ClickedButtonBecomesTheResultBeforeTheApplicationHearsIt)
{
    Dialog* const dialog = AddShown(1, Rect(100, 100, 400, 200));
    Click(dialog->mNoButton);
    EXPECT_EQ(dialog->mResult, 1001);
    EXPECT_EQ(mApp.mCalls, (std::vector<std::string>{"Press 5 1001", "Click 5 1001 with result 1001"}));

    mApp.mCalls.clear();
    dialog->mResult = Dialog::kNoResult;
    dialog->ButtonPress(7);
    dialog->ButtonClick(7);
    EXPECT_EQ(dialog->mResult, Dialog::kNoResult);
    EXPECT_TRUE(mApp.mCalls.empty());
}

TEST_F(DialogTest, ButtonLabelColoursComeFromTheDialog)
{
    Dialog* const dialog = Make(1);
    for (const DialogButton* button : {dialog->mYesButton, dialog->mNoButton}) {
        EXPECT_EQ(button->GetColor(DialogButton::COLOR_LABEL), Color(0, 0, 0));
        EXPECT_EQ(button->GetColor(DialogButton::COLOR_LABEL_HILITE), Color(0, 0, 0));
    }
    dialog->SetColor(Dialog::COLOR_BUTTON_TEXT, kRed);
    dialog->SetColor(Dialog::COLOR_BUTTON_TEXT_HILITE, kGreen);
    for (const DialogButton* button : {dialog->mYesButton, dialog->mNoButton}) {
        EXPECT_EQ(button->GetColor(DialogButton::COLOR_LABEL), kRed);
        EXPECT_EQ(button->GetColor(DialogButton::COLOR_LABEL_HILITE), kGreen);
    }
}

TEST_F(DialogTest, WaitForResultStepsTheMainLoopUntilThereIsAnAnswer)
{
    struct Case {
        const char* name;
        bool autoKill;
        // What happens at the third step.
        enum { CLICK_YES, LOOP_LEFT, DIALOG_REMOVED, REPLACED } event;
        int result;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"yes clicked", true, Case::CLICK_YES, 1000, {"Press 5 1000", "Click 5 1000 with result 1000", "Close 5"}},
        {"yes clicked, kept", false, Case::CLICK_YES, 1000, {"Press 5 1000", "Click 5 1000 with result 1000"}},
        {"loop left", true, Case::LOOP_LEFT, INT_MAX, {"Close 5"}},
        {"removed", false, Case::DIALOG_REMOVED, INT_MAX, {}},
        {"another dialog under the id", true, Case::REPLACED, INT_MAX, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dialog* const dialog = AddShown(1, Rect(100, 100, 400, 200));
        Dialog other(kId, false, "", "", "", 0);
        mApp.mCalls.clear();
        mApp.mSteps = 0;
        mApp.mOnStep = [&](const int step) {
            if (step < 3)
                return true;
            switch (c.event) {
            case Case::CLICK_YES: Click(dialog->mYesButton); return true;
            case Case::LOOP_LEFT: return false;
            case Case::DIALOG_REMOVED: mManager.RemoveWidget(dialog); return true;
            case Case::REPLACED:
                mManager.RemoveWidget(dialog);
                mApp.mOpenDialog = &other;
                return true;
            }
            return true;
        };
        EXPECT_EQ(dialog->WaitForResult(c.autoKill), c.result);
        EXPECT_EQ(mApp.mSteps, 3);
        EXPECT_EQ(mApp.mCalls, c.calls);
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(DialogTest, DialogWithoutAnApplicationReportsToNobody)
{
    Zest::SetAppInterface(nullptr);
    Dialog dialog(kId, false, "", "", "", 1);
    Zest::SetAppInterface(&mApp);
    EXPECT_EQ(dialog.mDialogListener, nullptr);
    dialog.ButtonClick(1000);
    EXPECT_EQ(dialog.mResult, 1000);
    EXPECT_TRUE(mApp.mCalls.empty());
    // Not shown: nothing to wait for.
    EXPECT_EQ(dialog.WaitForResult(false), 1000);
    EXPECT_EQ(mApp.mSteps, 0);
}

} // namespace
