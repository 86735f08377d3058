#include "tests/framework/widgets/RecordingWidget.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

using Zest::FlagsMod;
using Zest::Graphics;

class WidgetManagerDrawTest : public WidgetTest {
protected:
    // Three top-level widgets, the second of them holding a child.
    void AddThree()
    {
        mFirst = AddTop("W1", 0, 0, 100, 100);
        mDialog = AddTop("D", 200, 0, 100, 100);
        mDialog->AddWidget(Make("C", 10, 10, 20, 20));
        mLast = AddTop("W2", 400, 0, 100, 100);
        TakeLog();
    }

    // The log of one event for each name, in order.
    static EventLog Events(const std::vector<std::string>& names, const std::string& event)
    {
        EventLog log;
        for (const std::string& name : names)
            log.push_back(name + ":" + event);
        return log;
    }

    RecordingWidget* mFirst = nullptr;
    RecordingWidget* mDialog = nullptr;
    RecordingWidget* mLast = nullptr;
};

// ---------------------------------------------------------------------------------------
// Update

TEST_F(WidgetManagerDrawTest, UpdateFrameUpdatesEveryWidgetOncePerTick)
{
    AddThree();
    const int32_t ticks = mManager.mUpdateCount;
    mManager.UpdateFrame();
    mManager.UpdateFrame();
    EXPECT_EQ(TakeLog(), (Events({"W1", "D", "C", "W2", "W1", "D", "C", "W2"}, "Update")));
    // The manager's own Update does not run in the traversal.
    EXPECT_EQ(mManager.mUpdateCount, ticks + 2);
    EXPECT_EQ(mFirst->mUpdateCount, 2);
}

TEST_F(WidgetManagerDrawTest, UpdatesReportWhetherAnythingIsDirty)
{
    EXPECT_FALSE(mManager.UpdateFrame());
    EXPECT_FALSE(mManager.UpdateFrameSmooth(0.5f));
    AddTop("A");
    EXPECT_TRUE(mManager.UpdateFrame());
    EXPECT_TRUE(mManager.UpdateFrameSmooth(0.5f));
}

TEST_F(WidgetManagerDrawTest, UpdateFrameSmoothRunsEveryFrameWithoutTicking)
{
    AddThree();
    const int32_t ticks = mManager.mUpdateCount;
    mManager.UpdateFrameSmooth(0.25f);
    mManager.UpdateFrameSmooth(0.75f);
    EXPECT_EQ(TakeLog(), (Events({"W1", "D", "C", "W2", "W1", "D", "C", "W2"}, "UpdateSmooth")));
    EXPECT_EQ(mManager.mUpdateCount, ticks);
    EXPECT_EQ(mFirst->mUpdateCount, 0);
}

// The widgets before the base modal widget get the below-modal modifier; the modal widget,
// its children and the widgets after it do not.
TEST_F(WidgetManagerDrawTest, BelowModalModifierDecidesWhichWidgetsUpdate)
{
    struct Case {
        std::string name;
        FlagsMod modifier;
        std::vector<std::string> updated;
    };
    const Case cases[] = {
        {"default keeps updates", mManager.mDefaultBelowModalFlagsMod, {"W1", "D", "C", "W2"}},
        {"removes updates", FlagsMod{0, Zest::WIDGETFLAGS_UPDATE}, {"D", "C", "W2"}},
    };
    AddThree();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mManager.AddBaseModalWithFlags(mDialog, c.modifier);
        mManager.UpdateFrame();
        EXPECT_EQ(TakeLog(), Events(c.updated, "Update"));
        mManager.UpdateFrameSmooth(0.5f);
        EXPECT_EQ(TakeLog(), Events(c.updated, "UpdateSmooth"));
        mManager.RemoveBaseModal(mDialog);
    }
}

TEST_F(WidgetManagerDrawTest, LostFocusModifierAppliesWhileTheApplicationIsInactive)
{
    AddTop("A");
    mManager.mLostFocusFlagsMod = FlagsMod{0, Zest::WIDGETFLAGS_UPDATE};
    mManager.LostFocus();
    TakeLog();
    mManager.UpdateFrame();
    EXPECT_EQ(TakeLog(), EventLog{});
    mManager.GotFocus();
    mManager.UpdateFrame();
    EXPECT_EQ(TakeLog(), EventLog{"A:Update"});
}

TEST_F(WidgetManagerDrawTest, MarkDirtyFlagRedrawsEveryWidgetAfterEachUpdate)
{
    AddThree();
    mManager.DrawScreen();
    mManager.UpdateFrame();
    TakeLog();
    EXPECT_FALSE(mManager.DrawScreen());

    mManager.mDefaultFlags |= Zest::WIDGETFLAGS_MARK_DIRTY;
    mManager.UpdateFrame();
    TakeLog();
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), (Events({"W1", "D", "C", "W2"}, "Draw")));
}

// ---------------------------------------------------------------------------------------
// Drawing the screen

TEST_F(WidgetManagerDrawTest, DrawScreenDrawsOnlyDirtyTopLevelWidgets)
{
    AddThree();
    bool graphicsSet = false;
    mFirst->mOnDraw = [&](Graphics*) { graphicsSet = mManager.mCurrentGraphics != nullptr; };
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), (Events({"W1", "D", "C", "W2"}, "Draw")));
    EXPECT_TRUE(graphicsSet);
    EXPECT_EQ(mManager.mCurrentGraphics, nullptr);

    EXPECT_FALSE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), EventLog{});

    // A mark on a nested widget redraws its top-level widget with all its children.
    mDialog->mWidgets.front()->MarkDirty();
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), (Events({"D", "C"}, "Draw")));

    // A dirty hidden widget is counted but not drawn, and stays dirty.
    mLast->SetVisible(false);
    ASSERT_TRUE(mLast->mDirty);
    EXPECT_FALSE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), EventLog{});
    EXPECT_TRUE(mLast->mDirty);
}

// Widgets and their overlays are drawn where the widget lies on the screen, past the offset
// of the mouse destination, with the stretch and blend switches of the application's mode.
TEST_F(WidgetManagerDrawTest, DrawingContextIsPlacedAtTheWidget)
{
    mManager.SetMouseRects(Zest::Rect(10, 20, 780, 560), Zest::Rect(0, 0, 800, 600));
    RecordingWidget* widget = AddTop("A", 30, 50, 40, 40);
    for (const bool is3D : {false, true}) {
        SCOPED_TRACE(is3D);
        mApp.m3DEnabled = is3D;
        std::vector<float> drawn;
        std::vector<float> overlaid;
        bool fastStretch = false;
        bool linearBlend = false;
        widget->mOnDraw = [&](Graphics* g) {
            drawn = {g->mTransX, g->mTransY};
            fastStretch = g->mFastStretch;
            linearBlend = g->mLinearBlend;
            widget->DeferOverlay(0);
        };
        widget->mOnDrawOverlay = [&](Graphics* g) { overlaid = {g->mTransX, g->mTransY}; };
        widget->MarkDirty();
        mManager.DrawScreen();
        EXPECT_EQ(drawn, (std::vector<float>{20.0f, 30.0f}));
        EXPECT_EQ(overlaid, drawn);
        EXPECT_EQ(fastStretch, !is3D);
        EXPECT_EQ(linearBlend, is3D);
    }
}

// ---------------------------------------------------------------------------------------
// Deferred overlays

TEST_F(WidgetManagerDrawTest, OverlayIsDrawnBeforeTheFirstWidgetOfHigherPriority)
{
    struct Case {
        int overlayPriority;
        EventLog expected;
    };
    const Case cases[] = {
        {5, {"P0:Draw", "P0:DrawOverlay", "P10:Draw"}},
        {10, {"P0:Draw", "P10:Draw", "P0:DrawOverlay"}},
        {20, {"P0:Draw", "P10:Draw", "P0:DrawOverlay"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.overlayPriority);
        RecordingWidget* low = AddTop("P0", 0, 0, 50, 50);
        low->mOnDraw = [low, &c](Graphics*) { low->DeferOverlay(c.overlayPriority); };
        RecordingWidget* high = AddTop("P10", 100, 0, 50, 50);
        high->mPriority = 10;
        TakeLog();
        mManager.DrawScreen();
        EXPECT_EQ(TakeLog(), c.expected);
        mManager.RemoveAllWidgets();
        TakeLog();
    }
}

TEST_F(WidgetManagerDrawTest, OverlaysAreDrawnByPriorityThenInTheOrderDeferred)
{
    const std::vector<std::pair<std::string, int>> deferred = {{"O1", 3}, {"O2", 1}, {"O3", 3}, {"O4", 2}};
    for (const auto& [name, priority] : deferred) {
        RecordingWidget* widget = AddTop(name);
        widget->mOnDraw = [widget, priority = priority](Graphics*) { widget->DeferOverlay(priority); };
    }
    TakeLog();
    mManager.DrawScreen();
    EXPECT_EQ(TakeLog(), (EventLog{"O1:Draw", "O2:Draw", "O3:Draw", "O4:Draw", "O2:DrawOverlay", "O4:DrawOverlay",
                                   "O1:DrawOverlay", "O3:DrawOverlay"}));
    EXPECT_TRUE(mManager.mDeferredOverlays.empty());
    EXPECT_EQ(mManager.mMinOverlayPriority, INT_MAX);
}

TEST_F(WidgetManagerDrawTest, OverlayDeferredOutsideADrawIsDropped)
{
    RecordingWidget* widget = AddTop("A");
    widget->mOnUpdate = [widget] { widget->DeferOverlay(0); };
    mManager.UpdateFrame();
    TakeLog();
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), EventLog{"A:Draw"});

    mManager.UpdateFrame();
    TakeLog();
    EXPECT_FALSE(mManager.DrawScreen());
    EXPECT_EQ(TakeLog(), EventLog{});
}

// Overlays deferred by an overlay join the pass that draws it when their priority is low
// enough, and wait for a later flush otherwise.
TEST_F(WidgetManagerDrawTest, OverlayMayDeferFurtherOverlays)
{
    RecordingWidget* low = AddTop("P0", 0, 0, 50, 50);
    RecordingWidget* high = AddTop("P10", 100, 0, 50, 50);
    high->mPriority = 10;
    RecordingWidget* same = Make("Same");
    RecordingWidget* below = Make("Seven");
    RecordingWidget* above = Make("Twenty");
    low->mOnDraw = [low](Graphics*) { low->DeferOverlay(5); };
    low->mOnDrawOverlay = [&](Graphics*) {
        mManager.DeferOverlay(above, 20);
        mManager.DeferOverlay(below, 7);
        mManager.DeferOverlay(same, 5);
    };
    TakeLog();
    mManager.DrawScreen();
    EXPECT_EQ(TakeLog(), (EventLog{"P0:Draw", "P0:DrawOverlay", "Same:DrawOverlay", "Seven:DrawOverlay", "P10:Draw",
                                   "Twenty:DrawOverlay"}));
    EXPECT_TRUE(mManager.mDeferredOverlays.empty());
}

} // namespace
} // namespace Tests
