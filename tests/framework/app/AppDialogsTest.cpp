// The application's dialogs: where a new dialog is placed, one dialog per id, what each
// way of closing leaves behind, modal dialogs as the manager's base modal widget, and the
// dialog buttons reaching the application as its own button ids.

#include "framework/widgets/Dialog.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Tests::AppTest;
using Zest::Dialog;
using Zest::Rect;

// An 800x600 application that records its button events and modal hooks.
class DialogApp : public Tests::TestApp {
public:
    DialogApp()
    {
        mWidth = 800;
        mHeight = 600;
        mWidgetManager->SetMouseRects(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600));
    }

    void ButtonPress(const int id) override { mCalls.push_back("Press " + std::to_string(id)); }
    void ButtonClick(const int id) override { mCalls.push_back("Click " + std::to_string(id)); }
    void OnModalDialogOpened() override { mCalls.push_back("ModalOpened"); }
    void OnModalDialogClosed() override { mCalls.push_back("ModalClosed"); }

    bool IsShown(const Dialog* dialog) const
    {
        return std::find(mWidgetManager->mWidgets.begin(), mWidgetManager->mWidgets.end(), dialog) !=
               mWidgetManager->mWidgets.end();
    }
    bool IsQueuedForDeletion(const Dialog* dialog) const
    {
        return std::any_of(mDeferredDeletes.begin(), mDeferredDeletes.end(),
                           [dialog](const Zest::DeferredDelete& entry) { return entry.mWidget == dialog; });
    }

    std::vector<std::string> mCalls;
};

class AppDialogsTest : public AppTest {};

TEST_F(AppDialogsTest, NewDialogIsHalfAsWideAsTheApplicationCentredAFifthDown)
{
    struct Case {
        int width;
        int height;
        Rect placed;
    };
    const Case cases[] = {
        {800, 600, {200, 120, 400, 0}},
        {320, 240, {80, 48, 160, 0}},
        {801, 601, {200, 120, 400, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        DialogApp app;
        app.mWidth = c.width;
        app.mHeight = c.height;
        Dialog* const dialog = app.OpenDialog(1, false, "Header", "Some lines of text", "", 1);
        ASSERT_NE(dialog, nullptr);
        Rect expected = c.placed;
        expected.mHeight = dialog->GetPreferredHeight(c.placed.mWidth);
        EXPECT_GT(expected.mHeight, 48);
        EXPECT_EQ(dialog->GetRect(), expected);
        EXPECT_TRUE(app.IsShown(dialog));
        app.CloseDialog(1);
        app.DeleteDeferredWidgets();
    }
}

TEST_F(AppDialogsTest, DialogThatHasASizeKeepsIt)
{
    DialogApp app;
    Dialog* const dialog = app.MakeDialog(2, false, "", "", "", 0);
    dialog->Resize(10, 20, 300, 100);
    app.AddDialog(dialog);
    EXPECT_EQ(dialog->GetRect(), Rect(10, 20, 300, 100));
    EXPECT_EQ(app.GetDialog(2), dialog);
    app.CloseDialogObject(dialog);
    EXPECT_EQ(app.GetDialog(2), nullptr);
    app.DeleteDeferredWidgets();
}

TEST_F(AppDialogsTest, SecondDialogUnderAnIdReplacesAndDeletesTheFirst)
{
    DialogApp app;
    Dialog* const first = app.OpenDialog(3, false, "First", "", "", 0);
    Dialog* const other = app.OpenDialog(4, false, "Other", "", "", 0);
    Dialog* const second = app.OpenDialog(3, false, "Second", "", "", 0);
    EXPECT_EQ(app.GetDialogCount(), 2);
    EXPECT_EQ(app.GetDialog(3), second);
    EXPECT_FALSE(app.IsShown(first));
    EXPECT_TRUE(app.IsQueuedForDeletion(first));
    EXPECT_EQ(app.mDialogOrder, (std::list<Dialog*>{other, second}));
    app.DeleteDeferredWidgets();

    app.CloseDialog(3);
    app.CloseDialog(4);
    EXPECT_EQ(app.GetDialogCount(), 0);
    EXPECT_TRUE(app.mDialogOrder.empty());
    app.DeleteDeferredWidgets();
}

TEST_F(AppDialogsTest, CloseFlagsDecideWhetherTheDialogLeavesTheTreeAndIsDeleted)
{
    struct Case {
        bool removeWidget;
        bool deleteWidget;
        bool shown;
        bool deleted;
    };
    const Case cases[] = {
        {false, false, true, false},
        {true, false, false, false},
        {false, true, false, true},
        {true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "remove " << c.removeWidget << ", delete " << c.deleteWidget);
        DialogApp app;
        Dialog* const dialog = app.OpenDialog(5, false, "", "", "", 2);
        EXPECT_TRUE(app.CloseDialogEx(5, c.removeWidget, c.deleteWidget));
        EXPECT_EQ(app.GetDialog(5), nullptr);
        EXPECT_EQ(app.GetDialogCount(), 0);
        EXPECT_TRUE(app.mDialogOrder.empty());
        EXPECT_EQ(app.IsShown(dialog), c.shown);
        // Its buttons go with it.
        EXPECT_EQ(dialog->mYesButton->mWidgetManager != nullptr, c.shown);
        EXPECT_EQ(app.IsQueuedForDeletion(dialog), c.deleted);
        // The result is left as it was: none.
        EXPECT_EQ(dialog->mResult, Dialog::kNoResult);
        EXPECT_FALSE(app.CloseDialogEx(5, true, true));

        // What the application did not take over is the caller's.
        if (c.shown)
            app.mWidgetManager->RemoveWidget(dialog);
        if (c.deleted)
            app.DeleteDeferredWidgets();
        else
            delete dialog;
    }
}

TEST_F(AppDialogsTest, ModalDialogIsTheBaseModalWidgetUntilItIsClosed)
{
    DialogApp app;
    Zest::WidgetManager* const manager = app.mWidgetManager;
    Dialog* const modeless = app.OpenDialog(1, false, "", "", "", 0);
    EXPECT_EQ(manager->mBaseModalWidget, nullptr);
    Dialog* const lower = app.OpenDialog(2, true, "", "", "", 0);
    EXPECT_EQ(manager->mBaseModalWidget, lower);
    Dialog* const upper = app.OpenDialog(3, true, "", "", "", 0);
    EXPECT_EQ(manager->mBaseModalWidget, upper);
    app.CloseDialog(3);
    EXPECT_EQ(manager->mBaseModalWidget, lower);
    app.CloseDialog(2);
    EXPECT_EQ(manager->mBaseModalWidget, nullptr);
    app.CloseDialog(1);
    EXPECT_EQ(app.mCalls, (std::vector<std::string>{"ModalOpened", "ModalOpened", "ModalClosed", "ModalClosed"}));
    EXPECT_TRUE(app.IsQueuedForDeletion(modeless));
    EXPECT_TRUE(app.IsQueuedForDeletion(upper));
    app.DeleteDeferredWidgets();
}

TEST_F(AppDialogsTest, DialogButtonsReachTheApplicationAsTheDialogIdPlus2000Or3000)
{
    struct Case {
        int dialogId;
        int buttonId;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {7, 1000, {"Press 2007", "Click 2007"}},
        {7, 1001, {"Press 3007", "Click 3007"}},
        {0, 1001, {"Press 3000", "Click 3000"}},
        {7, 5, {}},
        {7, 999, {}},
    };
    DialogApp app;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dialogId << ", " << c.buttonId);
        app.mCalls.clear();
        app.DialogButtonPress(c.dialogId, c.buttonId);
        app.DialogButtonClick(c.dialogId, c.buttonId);
        EXPECT_EQ(app.mCalls, c.calls);
    }
}

TEST_F(AppDialogsTest, ClickOnAnOpenDialogsButtonBecomesTheApplicationsButtonClick)
{
    DialogApp app;
    Dialog* const dialog = app.OpenDialog(4, true, "Quit?", "", "", 2);
    app.mCalls.clear();
    const Zest::DialogButton* const cancel = dialog->mNoButton;
    const int x = cancel->mX + cancel->mWidth / 2;
    const int y = cancel->mY + cancel->mHeight / 2;
    app.mWidgetManager->MouseMove(x, y);
    app.mWidgetManager->MouseDown(x, y, 1);
    app.mWidgetManager->MouseUp(x, y, 1);
    EXPECT_EQ(app.mCalls, (std::vector<std::string>{"Press 3004", "Click 3004"}));
    EXPECT_EQ(dialog->mResult, 1001);
    app.CloseDialog(4);
    app.DeleteDeferredWidgets();
}

// A dialog that counts its deletions in a counter outside the application.
class CountedDialog : public Dialog {
public:
    CountedDialog(const int id, const bool isModal, int& deleted) : Dialog(id, isModal, "", "", "", 2), mDeleted(deleted)
    {
    }
    ~CountedDialog() override { ++mDeleted; }

private:
    int& mDeleted;
};

class CountingDialogApp : public DialogApp {
public:
    explicit CountingDialogApp(int& deleted) : mDeleted(deleted) {}
    Dialog* MakeDialog(const int id, const bool isModal, const std::string&, const std::string&, const std::string&,
                       int) override
    {
        return new CountedDialog(id, isModal, mDeleted);
    }

private:
    int& mDeleted;
};

TEST_F(AppDialogsTest, DialogsStillOpenAndQueuedDeletionsGoWithTheApplication)
{
    int deleted = 0;
    {
        CountingDialogApp app(deleted);
        app.OpenDialog(1, true, "", "", "", 2);
        app.OpenDialog(2, false, "", "", "", 2);
        app.OpenDialog(3, false, "", "", "", 2);
        // Closed and queued, but the queue never runs before the application goes.
        app.CloseDialogEx(3, true, true);
        ASSERT_EQ(deleted, 0);
    }
    EXPECT_EQ(deleted, 3);
}

// Closes dialog 1 from its fixed update, as a timeout would.
class DialogCloser : public Zest::Widget {
public:
    explicit DialogCloser(Zest::ZestAppBase& app) : mApp(app) {}
    void Update() override
    {
        Widget::Update();
        mApp.CloseDialog(1);
    }

private:
    Zest::ZestAppBase& mApp;
};

// Runs its frames without drawing, so that waiting steps through updates only.
class UndrawnCountingDialogApp : public CountingDialogApp {
public:
    using CountingDialogApp::CountingDialogApp;
    bool DrawFrame() override
    {
        AccumulatePendingTime();
        mLastDrawSkipped = false;
        mUpdatedSinceDraw = false;
        return true;
    }
};

TEST_F(AppDialogsTest, WaitingEndsWhenAnUpdateClosesAndDeletesTheDialog)
{
    int deleted = 0;
    UndrawnCountingDialogApp app(deleted);
    app.mLoadingCompleted = true;
    Dialog* const dialog = app.OpenDialog(1, true, "", "", "", 2);
    DialogCloser closer(app);
    closer.Resize(0, 0, 1, 1);
    app.mWidgetManager->AddWidget(&closer);
    // The dialog is gone before an answer came; the sanitizer reports any read of it.
    EXPECT_EQ(dialog->WaitForResult(true), Dialog::kNoResult);
    EXPECT_EQ(deleted, 1);
    app.mWidgetManager->RemoveWidget(&closer);
}

TEST_F(AppDialogsTest, UnknownIdIsNotOpen)
{
    DialogApp app;
    EXPECT_EQ(app.GetDialog(9), nullptr);
    EXPECT_FALSE(app.CloseDialogEx(9, true, true));
    app.CloseDialog(9);
    EXPECT_EQ(app.GetDialogCount(), 0);
}

} // namespace
