#include "tests/framework/widgets/RecordingWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::FlagsMod;
using Zest::Rect;
using Zest::WidgetManager;

bool NoKeyHeld(const WidgetManager& manager)
{
    return std::none_of(manager.mKeyDown.begin(), manager.mKeyDown.end(), [](const bool held) { return held; });
}

// ---------------------------------------------------------------------------------------
// Mouse remapping

TEST(WidgetManagerRemapTest, MapsWindowPointsIntoManagerCoordinates)
{
    struct Case {
        Rect source;
        Rect dest;
        int x, y;
        int expectedX, expectedY;
    };
    const Case cases[] = {
        // Product before the division: 3 * 600 / 1200 is 1, not 3 * (600 / 1200) = 0.
        {Rect(0, 0, 1600, 1200), Rect(0, 0, 800, 600), 801, 3, 400, 1},
        // Truncation toward zero on the left of the source.
        {Rect(0, 0, 1600, 1200), Rect(0, 0, 800, 600), -1, -3, 0, -1},
        {Rect(100, 50, 400, 300), Rect(20, 10, 800, 600), 101, 51, 22, 12},
    };
    for (const Case& c : cases) {
        WidgetManager manager(nullptr);
        manager.SetMouseRects(c.dest, c.source);
        int x = c.x;
        int y = c.y;
        manager.RemapMouse(x, y);
        EXPECT_EQ(x, c.expectedX) << c.x << "," << c.y;
        EXPECT_EQ(y, c.expectedY) << c.x << "," << c.y;
    }
}

TEST(WidgetManagerRemapTest, EmptySourceLeavesThePointAlone)
{
    for (const Rect& source : {Rect(0, 0, 0, 0), Rect(0, 0, 0, 600), Rect(0, 0, 800, 0)}) {
        WidgetManager manager(nullptr);
        manager.SetMouseRects(Rect(10, 10, 800, 600), source);
        int x = 123;
        int y = 45;
        manager.RemapMouse(x, y);
        EXPECT_EQ(x, 123);
        EXPECT_EQ(y, 45);
    }
}

TEST(WidgetManagerRemapTest, ManagerSizeIsTheDestinationWithItsOffsetOnBothSides)
{
    WidgetManager manager(nullptr);
    manager.SetMouseRects(Rect(80, 60, 640, 480), Rect(0, 0, 800, 600));
    EXPECT_EQ(manager.mWidth, 800);
    EXPECT_EQ(manager.mHeight, 600);
}

// ---------------------------------------------------------------------------------------
// Mouse: over, pressed and released

// Two top-level widgets side by side, with nothing logged yet.
class TwoWidgetTest : public WidgetTest {
protected:
    TwoWidgetTest(const std::string& leftName, const std::string& rightName)
        : mLeft(AddTop(leftName, 100, 100, 50, 50)), mRight(AddTop(rightName, 300, 100, 50, 50))
    {
        TakeLog();
    }

    RecordingWidget* const mLeft;
    RecordingWidget* const mRight;
};

class WidgetManagerMouseTest : public TwoWidgetTest {
protected:
    WidgetManagerMouseTest() : TwoWidgetTest("A", "B") {}

    RecordingWidget* const mA = mLeft;
    RecordingWidget* const mB = mRight;
};

TEST_F(WidgetManagerMouseTest, DragOffAndBackFollowsOnlyThePressedWidget)
{
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    mManager.MouseMove(200, 110);
    mManager.MouseMove(310, 110);
    mManager.MouseMove(120, 120);
    mManager.MouseMove(310, 110);
    EXPECT_EQ(TakeLog(), (EventLog{"A:MouseEnter", "A:MouseMove 10,10", "A:MouseButtonDown 10,10 0 1",
                                   "A:MouseDrag 100,10", "A:MouseLeave", "A:MouseDrag 210,10", "A:MouseDrag 20,20",
                                   "A:MouseEnter", "A:MouseDrag 210,10", "A:MouseLeave"}));
    EXPECT_TRUE(mA->mIsDown);
    EXPECT_FALSE(mB->mIsOver);

    // Released over B: A gets the release, then B the enter and move.
    mManager.MouseUp(310, 110, 1);
    EXPECT_EQ(TakeLog(),
              (EventLog{"A:MouseUpAt 210,10", "A:MouseButtonUp 210,10 0 1", "B:MouseEnter", "B:MouseMove 10,10"}));
    EXPECT_FALSE(mA->mIsDown);
    EXPECT_FALSE(mA->mIsOver);
    EXPECT_TRUE(mB->mIsOver);
    EXPECT_EQ(mManager.mPressedWidget, nullptr);
    EXPECT_EQ(mManager.mOverWidget, mB);
    EXPECT_EQ(mManager.mDownButtons, 0);
}

TEST_F(WidgetManagerMouseTest, ReleaseInsideThePressedWidgetMovesOverIt)
{
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    mManager.MouseUp(112, 113, 1);
    mManager.MouseMove(112, 113);
    EXPECT_EQ(TakeLog(), (EventLog{"A:MouseEnter", "A:MouseMove 10,10", "A:MouseButtonDown 10,10 0 1",
                                   "A:MouseUpAt 12,13", "A:MouseButtonUp 12,13 0 1", "A:MouseMove 12,13"}));
    EXPECT_TRUE(mA->mIsOver);
    EXPECT_FALSE(mA->mIsDown);
}

TEST_F(WidgetManagerMouseTest, SecondButtonOverAnotherWidgetGoesToThePressedOne)
{
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    mManager.MouseMove(310, 110);
    TakeLog();

    mManager.MouseDown(310, 110, -1);
    const EventLog log = TakeLog();
    ASSERT_EQ(log.size(), 3U);
    EXPECT_EQ(log[0], "B:MouseEnter");
    EXPECT_EQ(log[1], "B:MouseMove 10,10");
    // The position handed along with a press outside the pressed widget is left open.
    EXPECT_EQ(log[2].rfind("A:MouseButtonDown ", 0), 0U) << log[2];
    EXPECT_EQ(log[2].substr(log[2].size() - 4), " 1 1") << log[2];
    EXPECT_EQ(mManager.mPressedWidget, mA);
    EXPECT_EQ(mManager.mDownButtons, WidgetManager::kLeftButton | WidgetManager::kRightButton);

    // A stays pressed until its last button is up.
    mManager.MouseUp(310, 110, -1);
    EXPECT_EQ(mManager.mPressedWidget, mA);
    mManager.MouseUp(310, 110, 1);
    EXPECT_EQ(TakeLog(), (EventLog{"A:MouseUpAt 210,10", "A:MouseButtonUp 210,10 1 1", "A:MouseUpAt 210,10",
                                   "A:MouseButtonUp 210,10 0 1"}));
    EXPECT_EQ(mManager.mPressedWidget, nullptr);
    EXPECT_FALSE(mB->mIsDown);
}

TEST_F(WidgetManagerMouseTest, ClickCountsReachTheWidgetDecoded)
{
    struct Case {
        int clickCount;
        std::string buttonAndCount;
    };
    const Case cases[] = {{1, "0 1"}, {2, "0 2"}, {-1, "1 1"}, {-2, "1 2"}, {3, "2 1"}};
    mManager.MouseMove(110, 110);
    TakeLog();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clickCount);
        mManager.MouseDown(110, 110, c.clickCount);
        mManager.MouseUp(110, 110, c.clickCount);
        EXPECT_EQ(TakeLog(), (EventLog{
                                 "A:MouseButtonDown 10,10 " + c.buttonAndCount,
                                 "A:MouseUpAt 10,10",
                                 "A:MouseButtonUp 10,10 " + c.buttonAndCount,
                             }));
        // The release found the button of its press.
        EXPECT_EQ(mManager.mPressedWidget, nullptr);
        EXPECT_EQ(mManager.mDownButtons, 0);
        EXPECT_EQ(mManager.mHeldButtons, 0);
    }
}

TEST_F(WidgetManagerMouseTest, ReleaseOfAnotherButtonLeavesThePressedWidgetDown)
{
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    TakeLog();
    mManager.MouseUp(110, 110, -1);
    EXPECT_EQ(TakeLog(), EventLog{});
    EXPECT_TRUE(mA->mIsDown);
    EXPECT_EQ(mManager.mPressedWidget, mA);
}

TEST_F(WidgetManagerMouseTest, ReleaseDownWidgetSendsTheUpsOfEveryHeldButton)
{
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    mManager.MouseDown(110, 110, 3);
    mManager.MouseDown(110, 110, -1);
    TakeLog();
    mManager.ReleaseDownWidget();
    mManager.ReleaseDownWidget();
    EXPECT_EQ(TakeLog(), (EventLog{"A:MouseUpAt 10,10", "A:MouseButtonUp 10,10 0 1", "A:MouseUpAt 10,10",
                                   "A:MouseButtonUp 10,10 1 1", "A:MouseUpAt 10,10", "A:MouseButtonUp 10,10 2 1"}));
    EXPECT_EQ(mManager.mPressedWidget, nullptr);
    EXPECT_EQ(mManager.mDownButtons, 0);
    EXPECT_FALSE(mA->mIsDown);
}

TEST_F(WidgetManagerMouseTest, MouseExitLeavesTheWidgetUnderTheMouse)
{
    mManager.MouseMove(110, 110);
    mManager.MouseExit();
    mManager.MouseExit();
    EXPECT_EQ(TakeLog(), (EventLog{"A:MouseEnter", "A:MouseMove 10,10", "A:MouseLeave"}));
    EXPECT_EQ(mManager.mOverWidget, nullptr);
    EXPECT_FALSE(mManager.mMouseIn);
}

TEST_F(WidgetManagerMouseTest, HandCursorFollowsTheMouseOverAHandWidget)
{
    mA->mHandCursor = true;
    std::vector<int> kinds;
    const auto step = [&](const std::function<void()>& input) {
        input();
        kinds.push_back(mApp.mCursorKind);
    };
    step([&] { mManager.MouseMove(110, 110); });
    step([&] { mManager.MouseDown(110, 110, 1); });
    step([&] { mManager.MouseMove(200, 110); });
    step([&] { mManager.MouseMove(120, 110); });
    step([&] { mManager.MouseUp(120, 110, 1); });
    step([&] { mManager.MouseMove(200, 110); });
    EXPECT_EQ(kinds, (std::vector<int>{1, 1, 0, 1, 1, 0}));

    // A widget without the hand cursor does not touch it.
    mApp.mCursorKind = 7;
    mManager.MouseMove(310, 110);
    mManager.MouseMove(200, 110);
    EXPECT_EQ(mApp.mCursorKind, 7);
}

TEST_F(WidgetManagerMouseTest, DisabledWidgetOnTopHidesTheOneBelow)
{
    RecordingWidget* cover = AddTop("Cover", 100, 100, 50, 50);
    cover->SetDisabled(true);
    TakeLog();

    EXPECT_EQ(mManager.GetAnyWidgetAt(110, 110, nullptr, nullptr), cover);
    EXPECT_EQ(mManager.GetWidgetAt(110, 110, nullptr, nullptr), nullptr);
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    EXPECT_EQ(mManager.mPressedWidget, nullptr);
    mManager.MouseUp(110, 110, 1);
    EXPECT_EQ(TakeLog(), EventLog{});
    EXPECT_EQ(mManager.mDownButtons, 0);
}

// A pressed widget nested in another gets its releases in its own coordinates, whichever
// way they are sent.
TEST_F(WidgetManagerMouseTest, NestedPressedWidgetIsReleasedInItsOwnCoordinates)
{
    struct Case {
        std::string name;
        std::function<void(RecordingWidget*)> release;
        EventLog expected;
    };
    const Case cases[] = {
        {"MouseUp",
         [&](RecordingWidget*) { mManager.MouseUp(115, 117, 1); },
         {"C:MouseUpAt 5,7", "C:MouseButtonUp 5,7 0 1"}},
        {"SetDisabled",
         [](RecordingWidget* child) { child->SetDisabled(true); },
         {"C:MouseLeave", "C:MouseUpAt 5,7", "C:MouseButtonUp 5,7 0 1"}},
        {"ReleaseDownWidget",
         [&](RecordingWidget*) { mManager.ReleaseDownWidget(); },
         {"C:MouseUpAt 5,7", "C:MouseButtonUp 5,7 0 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWidget* parent = AddTop("P", 100, 100, 100, 100);
        RecordingWidget* child = Make("C", 10, 10, 20, 20);
        parent->AddWidget(child);
        mManager.MouseMove(115, 117);
        mManager.MouseDown(115, 117, 1);
        mManager.MouseMove(118, 119);
        EXPECT_EQ(TakeLog(), (EventLog{"P:AddedToManager", "C:AddedToManager", "C:MouseEnter", "C:MouseMove 5,7",
                                       "C:MouseButtonDown 5,7 0 1", "C:MouseDrag 8,9"}));
        mManager.MouseMove(115, 117);
        TakeLog();
        c.release(child);
        EXPECT_EQ(TakeLog(), c.expected);
        EXPECT_EQ(mManager.mPressedWidget, nullptr);
        mManager.RemoveWidget(parent);
        mManager.MouseExit();
        TakeLog();
    }
}

// ---------------------------------------------------------------------------------------
// Keyboard and focus

class WidgetManagerFocusTest : public WidgetTest {
protected:
    WidgetManagerFocusTest()
    {
        mF = AddTop("F", 100, 100, 50, 50);
        mF->mWantsFocus = true;
        mManager.SetFocus(mF);
        TakeLog();
    }

    RecordingWidget* mF = nullptr;
};

TEST_F(WidgetManagerFocusTest, PressGivesTheFocusToAWidgetThatWantsIt)
{
    RecordingWidget* plain = AddTop("N", 300, 100, 50, 50);
    RecordingWidget* wanting = AddTop("G", 500, 100, 50, 50);
    wanting->mWantsFocus = true;

    mManager.MouseMove(310, 110);
    TakeLog();
    mManager.MouseDown(310, 110, 1);
    mManager.MouseUp(310, 110, 1);
    EXPECT_EQ(TakeLog(), (EventLog{"N:MouseButtonDown 10,10 0 1", "N:MouseUpAt 10,10", "N:MouseButtonUp 10,10 0 1"}));
    EXPECT_EQ(mManager.mFocusWidget, mF);

    mManager.MouseMove(510, 110);
    TakeLog();
    mManager.MouseDown(510, 110, 1);
    EXPECT_EQ(TakeLog(), (EventLog{"F:LostFocus", "G:GotFocus", "G:MouseButtonDown 10,10 0 1"}));
    EXPECT_EQ(mManager.mFocusWidget, wanting);
    EXPECT_FALSE(mF->mHasFocus);
    EXPECT_TRUE(wanting->mHasFocus);
    EXPECT_FALSE(plain->mHasFocus);
}

TEST_F(WidgetManagerFocusTest, TabCharWithControlGoesToTheDefaultTabWidget)
{
    RecordingWidget* tabTarget = AddTop("T", 300, 100);
    mManager.mDefaultTabWidget = tabTarget;
    TakeLog();

    mManager.KeyDown(WidgetManager::kKeyControl);
    mManager.KeyChar('a');
    mManager.KeyDown(WidgetManager::kKeyTab);
    mManager.KeyChar('\t');
    mManager.KeyUp(WidgetManager::kKeyTab);
    mManager.KeyUp(WidgetManager::kKeyControl);
    mManager.KeyChar('\t');
    EXPECT_EQ(TakeLog(),
              (EventLog{"F:KeyDown 17", "F:KeyChar 97", "F:KeyDown 9", "T:KeyChar 9", "F:KeyUp 17", "F:KeyChar 9"}));

    // Without a default Tab widget the character goes nowhere.
    mManager.mDefaultTabWidget = nullptr;
    mManager.KeyDown(WidgetManager::kKeyControl);
    mManager.KeyChar('\t');
    EXPECT_EQ(TakeLog(), EventLog{"F:KeyDown 17"});
}

TEST_F(WidgetManagerFocusTest, KeysOutsideTheTableReachTheFocusWidgetOnly)
{
    for (const int key : {255, 300, -1}) {
        mManager.KeyDown(key);
        EXPECT_TRUE(NoKeyHeld(mManager)) << key;
        mManager.KeyUp(key);
        EXPECT_EQ(TakeLog(), (EventLog{"F:KeyDown " + std::to_string(key), "F:KeyUp " + std::to_string(key)}));
    }
    mManager.KeyDown(254);
    EXPECT_TRUE(mManager.mKeyDown[254]);
    mManager.KeyUp(254);
    EXPECT_TRUE(NoKeyHeld(mManager));

    // The table is kept without a focus widget as well.
    mManager.SetFocus(nullptr);
    TakeLog();
    mManager.KeyDown(65);
    EXPECT_TRUE(mManager.mKeyDown[65]);
    EXPECT_EQ(TakeLog(), EventLog{});
}

TEST_F(WidgetManagerFocusTest, DeactivationReleasesHeldKeysInRisingOrderThenTakesTheFocus)
{
    mManager.KeyDown(65);
    mManager.KeyDown(WidgetManager::kKeyShift);
    mManager.MouseDown(700, 500, 1);
    TakeLog();

    mManager.LostFocus();
    mManager.LostFocus();
    EXPECT_EQ(TakeLog(), (EventLog{"F:KeyUp 16", "F:KeyUp 65", "F:LostFocus"}));
    EXPECT_TRUE(NoKeyHeld(mManager));
    EXPECT_EQ(mManager.mHeldButtons, 0);
    EXPECT_FALSE(mManager.mAppHasFocus);
    EXPECT_EQ(mManager.mFocusWidget, mF);

    mManager.GotFocus();
    mManager.GotFocus();
    EXPECT_EQ(TakeLog(), EventLog{"F:GotFocus"});
    EXPECT_TRUE(mF->mHasFocus);
}

TEST_F(WidgetManagerFocusTest, DeactivationWithControlHeldKeepsTheTabReleaseBack)
{
    mManager.KeyDown(WidgetManager::kKeyControl);
    mManager.KeyDown(WidgetManager::kKeyTab);
    TakeLog();
    mManager.LostFocus();
    EXPECT_EQ(TakeLog(), (EventLog{"F:KeyUp 17", "F:LostFocus"}));
}

TEST_F(WidgetManagerFocusTest, FocusSetWhileDeactivatedArrivesOnActivation)
{
    RecordingWidget* other = AddTop("G", 300, 100);
    mManager.LostFocus();
    TakeLog();
    mManager.SetFocus(other);
    EXPECT_EQ(TakeLog(), EventLog{"F:LostFocus"});
    EXPECT_EQ(mManager.mFocusWidget, other);
    EXPECT_FALSE(other->mHasFocus);
    mManager.GotFocus();
    EXPECT_EQ(TakeLog(), EventLog{"G:GotFocus"});
}

TEST_F(WidgetManagerFocusTest, SetFocusOutsideTheTreeClearsTheFocus)
{
    mManager.SetFocus(mF);
    EXPECT_EQ(TakeLog(), EventLog{});

    RecordingWidget* outsider = Make("X");
    mManager.SetFocus(outsider);
    EXPECT_EQ(TakeLog(), EventLog{"F:LostFocus"});
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    EXPECT_FALSE(outsider->mHasFocus);

    // A widget that has left the tree is outside it too.
    mManager.RemoveWidget(mF);
    TakeLog();
    mManager.SetFocus(mF);
    EXPECT_EQ(TakeLog(), EventLog{});
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
}

TEST_F(WidgetManagerFocusTest, WheelGoesToTheFocusWidgetNotTheOneUnderTheMouse)
{
    AddTop("A", 300, 100, 50, 50);
    mManager.MouseMove(310, 110);
    TakeLog();
    mManager.MouseWheel(-2);
    EXPECT_EQ(TakeLog(), EventLog{"F:MouseWheel -2"});

    mManager.SetFocus(nullptr);
    TakeLog();
    mManager.MouseWheel(1);
    EXPECT_EQ(TakeLog(), EventLog{});
}

// ---------------------------------------------------------------------------------------
// Modal widgets

class WidgetManagerModalTest : public TwoWidgetTest {
protected:
    WidgetManagerModalTest() : TwoWidgetTest("F", "D") {}

    bool ModifierIs(const FlagsMod& expected) const
    {
        return mManager.mBelowModalFlagsMod.mAddFlags == expected.mAddFlags &&
               mManager.mBelowModalFlagsMod.mRemoveFlags == expected.mRemoveFlags;
    }

    RecordingWidget* const mBelow = mLeft;
    RecordingWidget* const mDialog = mRight;
};

TEST_F(WidgetManagerModalTest, ModalTakesMouseAndFocusFromTheWidgetBelowAndGivesFocusBack)
{
    mBelow->mWantsFocus = true;
    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    TakeLog();

    mManager.AddBaseModal(mDialog);
    EXPECT_EQ(TakeLog(), (EventLog{"F:MouseLeave", "F:MouseUpAt 10,10", "F:MouseButtonUp 10,10 0 1", "F:LostFocus"}));
    EXPECT_EQ(mManager.mBaseModalWidget, mDialog);
    EXPECT_EQ(mManager.mPressedWidget, nullptr);
    EXPECT_EQ(mManager.mOverWidget, nullptr);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    EXPECT_EQ(mManager.mDownButtons, 0);

    // The release of the taken press and further input below the dialog go nowhere.
    mManager.MouseUp(110, 110, 1);
    mManager.MouseMove(112, 112);
    mManager.MouseDown(112, 112, 1);
    mManager.MouseUp(112, 112, 1);
    EXPECT_EQ(TakeLog(), EventLog{});

    mManager.RemoveBaseModal(mDialog);
    EXPECT_EQ(TakeLog(), EventLog{"F:GotFocus"});
    EXPECT_EQ(mManager.mFocusWidget, mBelow);
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    EXPECT_TRUE(mManager.mModalStack.empty());
}

TEST_F(WidgetManagerModalTest, WidgetsAboveAndInsideTheModalKeepTheirInput)
{
    RecordingWidget* inside = Make("E", 5, 5, 20, 20);
    mDialog->AddWidget(inside);
    RecordingWidget* above = AddTop("G", 500, 100, 50, 50);
    mManager.SetFocus(inside);
    mManager.MouseMove(510, 110);
    mManager.MouseDown(510, 110, 1);
    TakeLog();

    mManager.AddBaseModal(mDialog);
    EXPECT_EQ(TakeLog(), EventLog{});
    EXPECT_EQ(mManager.mFocusWidget, inside);
    EXPECT_EQ(mManager.mPressedWidget, above);

    mManager.MouseUp(510, 110, 1);
    mManager.MouseMove(310, 110);
    mManager.MouseDown(310, 110, 1);
    EXPECT_EQ(TakeLog(), (EventLog{"G:MouseUpAt 10,10", "G:MouseButtonUp 10,10 0 1", "G:MouseLeave", "E:MouseEnter",
                                   "E:MouseMove 5,5", "E:MouseButtonDown 5,5 0 1"}));
}

// The below-modal modifier is applied as (flags | add) & ~remove, after the default flags.
TEST_F(WidgetManagerModalTest, BelowModalModifierDecidesWhatReachesTheWidgetsBelow)
{
    const int32_t mouse = Zest::WIDGETFLAGS_ALLOW_MOUSE;
    const int32_t focus = Zest::WIDGETFLAGS_ALLOW_FOCUS;
    struct Case {
        std::string name;
        int32_t defaultFlags;
        FlagsMod modifier;
        bool belowPressed;
        bool dialogPressed;
        bool belowKeepsFocus;
    };
    const int32_t all = mManager.mDefaultFlags;
    const Case cases[] = {
        {"default", all, mManager.mDefaultBelowModalFlagsMod, false, true, false},
        {"remove wins over add", all, FlagsMod{mouse | focus, mouse | focus}, false, true, false},
        {"focus only", all, FlagsMod{0, focus}, true, true, false},
        {"nothing", all, FlagsMod{0, 0}, true, true, true},
        {"adds the mouse below", all & ~mouse, FlagsMod{mouse, 0}, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mManager.mDefaultFlags = c.defaultFlags;
        mManager.SetFocus(mBelow);
        mManager.AddBaseModalWithFlags(mDialog, c.modifier);
        EXPECT_EQ(mManager.mFocusWidget == mBelow, c.belowKeepsFocus);

        mManager.MouseDown(110, 110, 1);
        EXPECT_EQ(mManager.mPressedWidget == mBelow, c.belowPressed);
        mManager.MouseUp(110, 110, 1);
        mManager.MouseDown(310, 110, 1);
        EXPECT_EQ(mManager.mPressedWidget == mDialog, c.dialogPressed);
        mManager.MouseUp(310, 110, 1);

        mManager.RemoveBaseModal(mDialog);
        EXPECT_TRUE(mManager.mModalStack.empty());
    }
}

TEST_F(WidgetManagerModalTest, RemovingAnEntryThatIsNotTheNewestChangesNothing)
{
    RecordingWidget* second = AddTop("D2", 500, 100, 50, 50);
    const FlagsMod secondModifier{0, Zest::WIDGETFLAGS_ALLOW_MOUSE};
    mManager.AddBaseModal(mDialog);
    mManager.AddBaseModalWithFlags(second, secondModifier);

    mManager.RemoveBaseModal(mDialog);
    mManager.RemoveBaseModal(mBelow);
    EXPECT_EQ(mManager.mBaseModalWidget, second);
    EXPECT_TRUE(ModifierIs(secondModifier));
    EXPECT_EQ(mManager.mModalStack.size(), 2U);
}

TEST_F(WidgetManagerModalTest, RemovingTheSecondModalRestoresTheFirstWithItsModifierAndFocus)
{
    RecordingWidget* between = AddTop("E", 500, 100, 50, 50);
    RecordingWidget* second = AddTop("D2", 300, 300, 50, 50);
    const FlagsMod firstModifier{0, Zest::WIDGETFLAGS_ALLOW_MOUSE | Zest::WIDGETFLAGS_ALLOW_FOCUS};
    const FlagsMod secondModifier{Zest::WIDGETFLAGS_MARK_DIRTY, Zest::WIDGETFLAGS_ALLOW_MOUSE |
                                                                    Zest::WIDGETFLAGS_ALLOW_FOCUS |
                                                                    Zest::WIDGETFLAGS_UPDATE};
    TakeLog();
    mManager.SetFocus(mBelow);
    mManager.AddBaseModalWithFlags(mDialog, firstModifier);
    mManager.SetFocus(between);
    mManager.AddBaseModalWithFlags(second, secondModifier);
    EXPECT_EQ(TakeLog(), (EventLog{"F:GotFocus", "F:LostFocus", "E:GotFocus", "E:LostFocus"}));

    mManager.RemoveBaseModal(second);
    EXPECT_EQ(TakeLog(), EventLog{"E:GotFocus"});
    EXPECT_EQ(mManager.mBaseModalWidget, mDialog);
    EXPECT_TRUE(ModifierIs(firstModifier));
    EXPECT_EQ(mManager.mModalStack.size(), 1U);

    // E still has the focus, so F does not get it back.
    mManager.RemoveBaseModal(mDialog);
    EXPECT_EQ(TakeLog(), EventLog{});
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    EXPECT_TRUE(ModifierIs(FlagsMod{}));
    EXPECT_TRUE(mManager.mModalStack.empty());
}

TEST_F(WidgetManagerModalTest, ModalDialogRemovedFromTheTreeStopsBlockingAndStillUnwinds)
{
    mManager.SetFocus(mBelow);
    mManager.AddBaseModal(mDialog);
    mManager.RemoveWidget(mDialog);
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    TakeLog();

    mManager.MouseMove(110, 110);
    mManager.MouseDown(110, 110, 1);
    EXPECT_EQ(TakeLog(), (EventLog{"F:MouseEnter", "F:MouseMove 10,10", "F:MouseButtonDown 10,10 0 1"}));
    mManager.MouseUp(110, 110, 1);
    TakeLog();

    mManager.RemoveBaseModal(mDialog);
    EXPECT_EQ(TakeLog(), EventLog{"F:GotFocus"});
    EXPECT_TRUE(mManager.mModalStack.empty());
}

TEST_F(WidgetManagerModalTest, EntryOverARemovedModalTakesThatModalsEntryWithIt)
{
    RecordingWidget* second = AddTop("D2", 500, 100, 50, 50);
    mManager.SetFocus(mBelow);
    mManager.AddBaseModal(mDialog);
    mManager.AddBaseModal(second);
    mManager.RemoveWidget(mDialog);
    TakeLog();

    mManager.RemoveBaseModal(second);
    EXPECT_EQ(TakeLog(), EventLog{"F:GotFocus"});
    EXPECT_TRUE(mManager.mModalStack.empty());
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    EXPECT_TRUE(ModifierIs(FlagsMod{}));
}

} // namespace
} // namespace Tests
