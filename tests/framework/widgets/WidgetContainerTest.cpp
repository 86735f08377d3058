// The widget tree: z-ordered insertion and reordering, the hit search, the update traversal
// while widgets leave or move, the modal flags, dirty marking and the clipped redraw, and what
// a removal takes out of the manager.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WidgetContainer.h"
#include "tests/framework/widgets/RecordingWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tests::EventLog;
using Tests::RecordingWidget;
using Zest::FlagsMod;
using Zest::Widget;
using Zest::WIDGETFLAGS_ALLOW_MOUSE;
using Zest::WIDGETFLAGS_MARK_DIRTY;
using Zest::WIDGETFLAGS_UPDATE;

std::string NameOf(const Widget* widget)
{
    return widget == nullptr ? "none" : static_cast<const RecordingWidget*>(widget)->mName;
}

// The names of the children, bottom first.
std::string Order(const Zest::WidgetContainer& container)
{
    std::string names;
    for (const Widget* widget : container.mWidgets)
        names += (names.empty() ? "" : " ") + NameOf(widget);
    return names;
}

// The names of the widgets that logged the event, in log order.
std::string WhoGot(const EventLog& log, const std::string& event)
{
    std::string names;
    for (const std::string& entry : log) {
        const size_t colon = entry.find(':');
        if (entry.substr(colon + 1) == event)
            names += (names.empty() ? "" : " ") + entry.substr(0, colon);
    }
    return names;
}

class WidgetContainerTest : public Tests::WidgetTest {
protected:
    RecordingWidget* AddTo(Zest::WidgetContainer* parent, const std::string& name, const int x, const int y,
                           const int width, const int height)
    {
        RecordingWidget* widget = Make(name, x, y, width, height);
        parent->AddWidget(widget);
        return widget;
    }

    // Draws once so that every dirty flag is clear, then forgets what that logged.
    void DrawAndClear()
    {
        mManager.DrawScreen();
        mManager.mDirty = false;
        mLog.clear();
    }

    // Deletes a widget the test owns, so that any later use of it is caught.
    void Destroy(const RecordingWidget* widget)
    {
        std::erase_if(mOwned, [widget](const auto& owned) { return owned.get() == widget; });
    }

    std::string HitAt(const int x, const int y)
    {
        int localX = -1;
        int localY = -1;
        const Widget* widget = mManager.GetWidgetAt(x, y, &localX, &localY);
        if (widget == nullptr)
            return "none";
        return NameOf(widget) + " " + std::to_string(localX) + "," + std::to_string(localY);
    }

    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[y * mScreen.GetWidth() + x]; }
};

// ---------------------------------------------------------------------------------------------
// Z-order

TEST_F(WidgetContainerTest, AddPutsEachWidgetOnTopOfItsBand)
{
    const std::pair<const char*, int> widgets[] = {{"first", 0}, {"second", 5}, {"third", 0}, {"fourth", 5},
                                                   {"fifth", 1}};
    for (const auto& [name, zOrder] : widgets) {
        RecordingWidget* widget = Make(name);
        widget->mZOrder = zOrder;
        mManager.AddWidget(widget);
    }
    EXPECT_EQ(Order(mManager), "first third fifth second fourth");
}

TEST_F(WidgetContainerTest, AddingTwiceChangesNothing)
{
    RecordingWidget* a = AddTo(&mManager, "a", 0, 0, 10, 10);
    AddTo(&mManager, "b", 0, 0, 10, 10);
    mLog.clear();

    mManager.AddWidget(a);
    EXPECT_EQ(Order(mManager), "a b");
    EXPECT_EQ(mLog, EventLog{});
}

TEST_F(WidgetContainerTest, ChildrenAddedBeforeTheParentIsManagedGetTheManagerWithIt)
{
    RecordingWidget* parent = Make("parent");
    RecordingWidget* child = Make("child");
    parent->AddWidget(child);
    EXPECT_EQ(child->mWidgetManager, nullptr);
    EXPECT_EQ(child->mParent, parent);
    EXPECT_EQ(mLog, EventLog{});

    mManager.AddWidget(parent);
    EXPECT_EQ(child->mWidgetManager, &mManager);
    EXPECT_EQ(WhoGot(mLog, "AddedToManager"), "parent child");
}

enum class Move { kToFront, kToBack, kBehind, kInFront };

struct ReorderCase {
    const char* mName;
    Move mMove;
    char mWidget;
    // 'x' is a widget that is not a child.
    char mReference;
    const char* mOrder;
};

// Every case starts from a(0) b(0) c(0) d(5) e(5) f(9).
const ReorderCase kReorderCases[] = {
    {"BringToBackOfBottomBand", Move::kToBack, 'c', 0, "c a b d e f"},
    {"BringToBackStaysAboveLowerBands", Move::kToBack, 'e', 0, "a b c e d f"},
    {"BringToFrontStaysBelowHigherBands", Move::kToFront, 'a', 0, "b c a d e f"},
    {"PutBehindSameBand", Move::kBehind, 'c', 'b', "a c b d e f"},
    {"PutBehindHigherBandGoesOnTopOfOwnBand", Move::kBehind, 'a', 'f', "b c a d e f"},
    {"PutBehindLowerBandGoesToBottomOfOwnBand", Move::kBehind, 'e', 'a', "a b c e d f"},
    {"PutBehindStrangerGoesOnTopOfOwnBand", Move::kBehind, 'a', 'x', "b c a d e f"},
    {"PutInFrontSameBand", Move::kInFront, 'a', 'b', "b a c d e f"},
    {"PutInFrontHigherBandGoesOnTopOfOwnBand", Move::kInFront, 'd', 'f', "a b c e d f"},
    {"PutInFrontLowerBandGoesToBottomOfOwnBand", Move::kInFront, 'e', 'a', "a b c e d f"},
    {"MovingAStrangerDoesNothing", Move::kToFront, 'x', 0, "a b c d e f"},
};

class WidgetContainerReorderTest : public WidgetContainerTest, public ::testing::WithParamInterface<ReorderCase> {};

TEST_P(WidgetContainerReorderTest, MovesWithinItsBandWithoutMarking)
{
    const ReorderCase& test = GetParam();
    std::map<char, RecordingWidget*> widgets;
    const std::pair<char, int> bands[] = {{'a', 0}, {'b', 0}, {'c', 0}, {'d', 5}, {'e', 5}, {'f', 9}};
    for (const auto& [name, zOrder] : bands) {
        RecordingWidget* widget = Make(std::string(1, name));
        widget->mZOrder = zOrder;
        mManager.AddWidget(widget);
        widgets[name] = widget;
    }
    widgets['x'] = Make("x");
    widgets[0] = nullptr;
    DrawAndClear();

    RecordingWidget* widget = widgets[test.mWidget];
    RecordingWidget* reference = widgets[test.mReference];
    switch (test.mMove) {
    case Move::kToFront:
        mManager.BringToFront(widget);
        break;
    case Move::kToBack:
        mManager.BringToBack(widget);
        break;
    case Move::kBehind:
        mManager.PutBehind(widget, reference);
        break;
    case Move::kInFront:
        mManager.PutInFront(widget, reference);
        break;
    }

    EXPECT_EQ(Order(mManager), test.mOrder);
    const EventLog moved = test.mWidget == 'x' ? EventLog{} : EventLog{widget->mName + ":ZOrderChanged"};
    EXPECT_EQ(mLog, moved);
    EXPECT_FALSE(mManager.mDirty);
    for (const Widget* child : mManager.mWidgets)
        EXPECT_FALSE(child->mDirty) << NameOf(child);
}

INSTANTIATE_TEST_SUITE_P(WidgetContainer, WidgetContainerReorderTest, ::testing::ValuesIn(kReorderCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(WidgetContainerTest, IsBelowFollowsTheDepthFirstOrder)
{
    // p[p1, p2[q]], s
    RecordingWidget* p = AddTo(&mManager, "p", 0, 0, 10, 10);
    RecordingWidget* p1 = AddTo(p, "p1", 0, 0, 10, 10);
    RecordingWidget* p2 = AddTo(p, "p2", 0, 0, 10, 10);
    RecordingWidget* q = AddTo(p2, "q", 0, 0, 10, 10);
    RecordingWidget* s = AddTo(&mManager, "s", 0, 0, 10, 10);
    RecordingWidget* stranger = Make("stranger");
    RecordingWidget* other = Make("other");

    const struct {
        const Widget* mA;
        const Widget* mB;
        bool mBelow;
    } cases[] = {
        {p, p1, true},  {p1, p, false},  {p1, p2, true}, {p2, p1, false},         {p1, q, true},
        {q, s, true},   {s, q, false},   {p, s, true},   {stranger, other, false}, {stranger, s, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(NameOf(test.mA) + " below " + NameOf(test.mB));
        EXPECT_EQ(mManager.IsBelow(test.mA, test.mB), test.mBelow);
    }
    // Within a subtree only that subtree counts.
    EXPECT_TRUE(p2->IsBelow(q, s));
    EXPECT_FALSE(p2->IsBelow(p, p1));
}

// ---------------------------------------------------------------------------------------------
// Hit search

TEST_F(WidgetContainerTest, HitSearchFindsChildBeforeParentAndTopmostFirst)
{
    AddTo(&mManager, "bottom", 0, 0, 100, 100);
    RecordingWidget* top = AddTo(&mManager, "top", 50, 50, 100, 100);
    AddTo(top, "inner", 10, 10, 20, 20);

    const struct {
        int mX;
        int mY;
        const char* mHit;
    } cases[] = {
        {65, 65, "inner 5,5"},  {60, 60, "inner 0,0"},  {80, 80, "top 30,30"}, {55, 55, "top 5,5"},
        {99, 99, "top 49,49"},  {20, 20, "bottom 20,20"}, {49, 99, "bottom 49,99"}, {100, 20, "none"},
        {149, 149, "top 99,99"}, {150, 149, "none"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::to_string(test.mX) + "," + std::to_string(test.mY));
        EXPECT_EQ(HitAt(test.mX, test.mY), test.mHit);
    }
}

TEST_F(WidgetContainerTest, HitSearchFallsThroughWherePointIsNotVisible)
{
    AddTo(&mManager, "bottom", 0, 0, 100, 100);
    RecordingWidget* top = AddTo(&mManager, "top", 50, 50, 100, 100);
    AddTo(top, "inner", 10, 10, 20, 20);
    top->mPointVisible = false;

    EXPECT_EQ(HitAt(55, 55), "bottom 55,55");
    EXPECT_EQ(HitAt(120, 120), "none");
    // Its children are searched all the same.
    EXPECT_EQ(HitAt(65, 65), "inner 5,5");
}

TEST_F(WidgetContainerTest, HitAreaIsTheInsetRectWithoutRightAndBottomEdges)
{
    RecordingWidget* widget = AddTo(&mManager, "w", 10, 20, 30, 40);
    const struct {
        Zest::Insets mInsets;
        int mX;
        int mY;
        const char* mHit;
    } cases[] = {
        {{0, 0, 0, 0}, 10, 20, "w 0,0"},  {{0, 0, 0, 0}, 39, 59, "w 29,39"}, {{0, 0, 0, 0}, 40, 59, "none"},
        {{0, 0, 0, 0}, 39, 60, "none"},   {{2, 3, 4, 5}, 12, 23, "w 2,3"},   {{2, 3, 4, 5}, 11, 23, "none"},
        {{2, 3, 4, 5}, 12, 22, "none"},   {{2, 3, 4, 5}, 35, 54, "w 25,34"}, {{2, 3, 4, 5}, 36, 54, "none"},
        {{2, 3, 4, 5}, 35, 55, "none"},
    };
    for (const auto& test : cases) {
        const Zest::Insets& insets = test.mInsets;
        SCOPED_TRACE("insets " + std::to_string(insets.mLeft) + " at " + std::to_string(test.mX) + "," +
                     std::to_string(test.mY));
        widget->mMouseInsets = insets;
        EXPECT_EQ(HitAt(test.mX, test.mY), test.mHit);
    }
}

struct SkipCase {
    const char* mName;
    void (*mSetUp)(RecordingWidget* parent, RecordingWidget* kid);
    const char* mAtKid;
    const char* mAtParent;
};

const SkipCase kSkipCases[] = {
    {"AllHittable", [](RecordingWidget*, RecordingWidget*) {}, "kid 5,5", "parent 40,40"},
    {"HiddenParentHidesSubtree", [](RecordingWidget* parent, RecordingWidget*) { parent->mVisible = false; },
     "under 15,15", "under 40,40"},
    {"HiddenKidOnly", [](RecordingWidget*, RecordingWidget* kid) { kid->mVisible = false; }, "parent 15,15",
     "parent 40,40"},
    {"ParentWithoutAllowMouseClosesSubtree",
     [](RecordingWidget* parent, RecordingWidget*) { parent->mFlagsMod.mRemoveFlags = WIDGETFLAGS_ALLOW_MOUSE; },
     "under 15,15", "under 40,40"},
    {"KidCannotReopenAClosedSubtree",
     [](RecordingWidget* parent, RecordingWidget* kid) {
         parent->mFlagsMod.mRemoveFlags = WIDGETFLAGS_ALLOW_MOUSE;
         kid->mFlagsMod.mAddFlags = WIDGETFLAGS_ALLOW_MOUSE;
     },
     "under 15,15", "under 40,40"},
    {"MouseInvisibleParentKeepsKidHittable",
     [](RecordingWidget* parent, RecordingWidget*) { parent->mMouseVisible = false; }, "kid 5,5", "under 40,40"},
};

class WidgetContainerSkipTest : public WidgetContainerTest, public ::testing::WithParamInterface<SkipCase> {};

TEST_P(WidgetContainerSkipTest, SkippedWidgetsLetThePointThrough)
{
    AddTo(&mManager, "under", 0, 0, 100, 100);
    RecordingWidget* parent = AddTo(&mManager, "parent", 0, 0, 50, 50);
    RecordingWidget* kid = AddTo(parent, "kid", 10, 10, 10, 10);
    GetParam().mSetUp(parent, kid);

    EXPECT_EQ(HitAt(15, 15), GetParam().mAtKid);
    EXPECT_EQ(HitAt(40, 40), GetParam().mAtParent);
}

INSTANTIATE_TEST_SUITE_P(WidgetContainer, WidgetContainerSkipTest, ::testing::ValuesIn(kSkipCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(WidgetContainerTest, BelowModalModifierClosesSiblingsBelowAndTheirSubtrees)
{
    RecordingWidget* under = AddTo(&mManager, "under", 0, 0, 100, 100);
    AddTo(under, "nested", 0, 0, 10, 10);
    RecordingWidget* modal = AddTo(&mManager, "modal", 200, 0, 50, 50);
    AddTo(&mManager, "over", 0, 50, 20, 20);

    mManager.AddBaseModal(modal);
    EXPECT_EQ(HitAt(50, 20), "none");
    EXPECT_EQ(HitAt(5, 5), "none");
    EXPECT_EQ(HitAt(5, 55), "over 5,5");
    EXPECT_EQ(HitAt(210, 10), "modal 10,10");

    mManager.RemoveBaseModal(modal);
    mManager.AddBaseModalWithFlags(modal, FlagsMod{});
    EXPECT_EQ(HitAt(50, 20), "under 50,20");
    EXPECT_EQ(HitAt(5, 5), "nested 5,5");
}

TEST_F(WidgetContainerTest, BelowModalModifierReachesOnlyTheModalWidgetsOwnList)
{
    AddTo(&mManager, "low", 0, 300, 50, 50);
    RecordingWidget* holder = AddTo(&mManager, "holder", 100, 300, 200, 200);
    AddTo(holder, "sibling", 0, 0, 50, 50);
    RecordingWidget* modal = AddTo(holder, "modal", 100, 0, 50, 50);

    mManager.AddBaseModal(modal);
    EXPECT_EQ(HitAt(110, 310), "holder 10,10");
    EXPECT_EQ(HitAt(10, 310), "low 10,10");
    EXPECT_EQ(HitAt(210, 310), "modal 10,10");
    EXPECT_EQ(HitAt(110, 400), "holder 10,100");
}

// ---------------------------------------------------------------------------------------------
// Update traversal

struct RemovalCase {
    const char* mName;
    char mRemover;
    char mRemoved;
    const char* mFirstTick;
};

const RemovalCase kRemovalCases[] = {
    {"ItselfInTheMiddle", 'b', 'b', "a b c"},   {"ItselfFirst", 'a', 'a', "a b c"},
    {"ItselfLast", 'c', 'c', "a b c"},          {"LaterSibling", 'a', 'b', "a c"},
    {"LastSiblingFromTheMiddle", 'b', 'c', "a b"}, {"EarlierSibling", 'b', 'a', "a b c"},
};

class WidgetContainerRemovalTest : public WidgetContainerTest, public ::testing::WithParamInterface<RemovalCase> {};

TEST_P(WidgetContainerRemovalTest, RemovalInsideUpdateKeepsTheWalkGoing)
{
    const RemovalCase& test = GetParam();
    std::map<char, RecordingWidget*> widgets;
    for (const char name : {'a', 'b', 'c'})
        widgets[name] = AddTo(&mManager, std::string(1, name), 0, 0, 10, 10);
    RecordingWidget* removed = widgets[test.mRemoved];
    widgets[test.mRemover]->mOnUpdate = [this, removed] { mManager.RemoveWidget(removed); };
    mLog.clear();

    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), test.mFirstTick);
    EXPECT_EQ(WhoGot(mLog, "RemovedFromManager"), removed->mName);
    EXPECT_EQ(removed->mParent, nullptr);

    mLog.clear();
    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), Order(mManager));
}

INSTANTIATE_TEST_SUITE_P(WidgetContainer, WidgetContainerRemovalTest, ::testing::ValuesIn(kRemovalCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(WidgetContainerTest, NestedWidgetRemovingItselfLeavesItsSiblingsUpdated)
{
    RecordingWidget* parent = AddTo(&mManager, "parent", 0, 0, 50, 50);
    RecordingWidget* first = AddTo(parent, "first", 0, 0, 10, 10);
    AddTo(parent, "second", 0, 0, 10, 10);
    AddTo(&mManager, "after", 0, 0, 10, 10);
    first->mOnUpdate = [parent, first] { parent->RemoveWidget(first); };
    mLog.clear();

    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), "parent first second after");
}

TEST_F(WidgetContainerTest, BringToFrontDuringUpdateRunsUpdateOnce)
{
    RecordingWidget* a = AddTo(&mManager, "a", 0, 0, 10, 10);
    AddTo(&mManager, "b", 0, 0, 10, 10);
    AddTo(&mManager, "c", 0, 0, 10, 10);
    a->mOnUpdate = [this, a] { mManager.BringToFront(a); };
    mLog.clear();

    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), "a b c");
    EXPECT_EQ(Order(mManager), "b c a");
    EXPECT_EQ(a->mUpdateCount, 1);

    mLog.clear();
    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), "b c a");
}

// Four top-level widgets apart from each other, the first and third with a child.
class WidgetContainerModalTest : public WidgetContainerTest {
protected:
    WidgetContainerModalTest()
    {
        mFirst = AddTo(&mManager, "w1", 0, 0, 50, 50);
        AddTo(mFirst, "c1", 0, 0, 10, 10);
        mSecond = AddTo(&mManager, "w2", 100, 0, 50, 50);
        RecordingWidget* third = AddTo(&mManager, "w3", 200, 0, 50, 50);
        AddTo(third, "c3", 0, 0, 10, 10);
        AddTo(&mManager, "w4", 300, 0, 50, 50);
    }

    std::string DirtyWidgets() const
    {
        std::string names;
        for (const Widget* widget : mManager.mWidgets) {
            if (widget->mDirty)
                names += NameOf(widget) + " ";
            for (const Widget* child : widget->mWidgets) {
                if (child->mDirty)
                    names += NameOf(child) + " ";
            }
        }
        return names;
    }

    RecordingWidget* mFirst = nullptr;
    RecordingWidget* mSecond = nullptr;
};

TEST_F(WidgetContainerModalTest, WidgetsBeforeTheBaseModalWidgetUpdateUnderItsFlags)
{
    mManager.AddBaseModalWithFlags(mSecond, FlagsMod{0, WIDGETFLAGS_UPDATE});
    mLog.clear();

    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), "w2 w3 c3 w4");

    mLog.clear();
    mManager.UpdateFrameSmooth(0.5f);
    EXPECT_EQ(WhoGot(mLog, "UpdateSmooth"), "w2 w3 c3 w4");
}

TEST_F(WidgetContainerModalTest, OnlyWidgetsBeforeTheBaseModalWidgetGetTheUnderFlags)
{
    mManager.AddBaseModalWithFlags(mSecond, FlagsMod{WIDGETFLAGS_MARK_DIRTY, 0});
    DrawAndClear();

    mManager.UpdateFrame();
    EXPECT_EQ(DirtyWidgets(), "w1 c1 ");
    EXPECT_EQ(WhoGot(mLog, "Update"), "w1 c1 w2 w3 c3 w4");
}

TEST_F(WidgetContainerModalTest, EverythingAfterANestedBaseModalWidgetIsOverIt)
{
    RecordingWidget* modal = AddTo(mSecond, "m", 0, 0, 10, 10);
    mManager.AddBaseModalWithFlags(modal, FlagsMod{0, WIDGETFLAGS_UPDATE});
    mLog.clear();

    mManager.UpdateFrame();
    EXPECT_EQ(WhoGot(mLog, "Update"), "m w3 c3 w4");
}

// ---------------------------------------------------------------------------------------------
// Dirty marking and drawing

TEST_F(WidgetContainerTest, NestedMarkClimbsToTheTopLevelOnceUntilDrawn)
{
    RecordingWidget* top = AddTo(&mManager, "top", 0, 0, 100, 100);
    RecordingWidget* middle = AddTo(top, "middle", 0, 0, 50, 50);
    RecordingWidget* leaf = AddTo(middle, "leaf", 0, 0, 10, 10);
    DrawAndClear();
    ASSERT_FALSE(top->mDirty || middle->mDirty || leaf->mDirty);

    leaf->MarkDirty();
    EXPECT_TRUE(leaf->mDirty);
    EXPECT_TRUE(middle->mDirty);
    EXPECT_TRUE(top->mDirty);
    EXPECT_TRUE(mManager.mDirty);

    mManager.mDirty = false;
    leaf->MarkDirty();
    EXPECT_FALSE(mManager.mDirty);

    DrawAndClear();
    EXPECT_FALSE(top->mDirty || middle->mDirty || leaf->mDirty);
    leaf->MarkDirty();
    EXPECT_TRUE(top->mDirty);
    EXPECT_TRUE(mManager.mDirty);
}

TEST_F(WidgetContainerTest, MarkOfAnOpaqueWidgetRedrawsOnlyWhatOverlapsItFromAbove)
{
    RecordingWidget* below = AddTo(&mManager, "below", 0, 0, 100, 100);
    RecordingWidget* target = AddTo(&mManager, "target", 10, 10, 20, 20);
    RecordingWidget* over = AddTo(&mManager, "over", 25, 25, 20, 20);
    RecordingWidget* hidden = AddTo(&mManager, "hidden", 25, 25, 20, 20);
    RecordingWidget* apart = AddTo(&mManager, "apart", 60, 60, 20, 20);
    hidden->mVisible = false;
    DrawAndClear();
    // Drawing leaves the flag of a hidden top-level widget alone.
    hidden->mDirty = false;

    target->MarkDirty();
    EXPECT_TRUE(target->mDirty);
    EXPECT_TRUE(over->mDirty);
    EXPECT_FALSE(below->mDirty);
    EXPECT_FALSE(hidden->mDirty);
    EXPECT_FALSE(apart->mDirty);

    // Translucent, it shows what lies below.
    DrawAndClear();
    target->mHasAlpha = true;
    target->MarkDirty();
    EXPECT_TRUE(below->mDirty);
    EXPECT_TRUE(over->mDirty);
}

struct FullMarkCase {
    const char* mName;
    Zest::Rect mTarget;
    Zest::Rect mCover;
    void (*mSetUp)(RecordingWidget* cover);
    bool mCoverDirty;
    bool mDeepestDirty;
};

const FullMarkCase kFullMarkCases[] = {
    {"OpaqueCoverStopsTheWalk", {20, 20, 50, 50}, {10, 10, 200, 200}, [](RecordingWidget*) {}, true, false},
    {"CoverWithTransparencies", {20, 20, 50, 50}, {10, 10, 200, 200},
     [](RecordingWidget* cover) { cover->mHasTransparencies = true; }, true, true},
    {"TranslucentCover", {20, 20, 50, 50}, {10, 10, 200, 200},
     [](RecordingWidget* cover) { cover->mHasAlpha = true; }, true, true},
    {"HiddenCover", {20, 20, 50, 50}, {10, 10, 200, 200},
     [](RecordingWidget* cover) {
         cover->mVisible = false;
         cover->mDirty = false;
     },
     false, true},
    {"PartialCover", {20, 20, 50, 50}, {30, 30, 200, 200}, [](RecordingWidget*) {}, true, true},
    {"CoverOfTheOnScreenPart", {-20, -20, 50, 50}, {0, 0, 30, 30}, [](RecordingWidget*) {}, true, false},
};

class WidgetContainerFullMarkTest : public WidgetContainerTest,
                                    public ::testing::WithParamInterface<FullMarkCase> {};

TEST_P(WidgetContainerFullMarkTest, FullMarkRedrawsBelowDownToAnOpaqueCover)
{
    const FullMarkCase& test = GetParam();
    RecordingWidget* deepest = AddTo(&mManager, "deepest", -50, -50, 400, 400);
    const Zest::Rect& c = test.mCover;
    RecordingWidget* cover = AddTo(&mManager, "cover", c.mX, c.mY, c.mWidth, c.mHeight);
    const Zest::Rect& t = test.mTarget;
    RecordingWidget* target = AddTo(&mManager, "target", t.mX, t.mY, t.mWidth, t.mHeight);
    RecordingWidget* above = AddTo(&mManager, "above", t.mX + 5, t.mY + 5, 10, 10);
    RecordingWidget* apart = AddTo(&mManager, "apart", 500, 500, 10, 10);
    test.mSetUp(cover);
    DrawAndClear();

    target->MarkDirtyFull();
    EXPECT_TRUE(target->mDirty);
    EXPECT_TRUE(above->mDirty);
    EXPECT_FALSE(apart->mDirty);
    EXPECT_EQ(cover->mDirty, test.mCoverDirty);
    EXPECT_EQ(deepest->mDirty, test.mDeepestDirty);
}

INSTANTIATE_TEST_SUITE_P(WidgetContainer, WidgetContainerFullMarkTest, ::testing::ValuesIn(kFullMarkCases),
                         [](const auto& info) { return std::string(info.param.mName); });

TEST_F(WidgetContainerTest, DrawScreenRedrawsDirtyTopLevelSubtreesClippedToTheirBounds)
{
    const auto fillAround = [](const uint32_t color) {
        return [color](Zest::Graphics* g) {
            g->SetColor(Zest::Color(color));
            g->FillRect(-50, -50, 200, 200);
        };
    };
    constexpr uint32_t kRed = 0xFFFF0000;
    constexpr uint32_t kGreen = 0xFF00FF00;
    constexpr uint32_t kBlue = 0xFF0000FF;
    constexpr uint32_t kGrey = 0xFF808080;
    RecordingWidget* a = AddTo(&mManager, "a", 10, 10, 20, 20);
    RecordingWidget* inner = AddTo(a, "inner", 5, 5, 5, 5);
    RecordingWidget* b = AddTo(&mManager, "b", 100, 100, 20, 20);
    RecordingWidget* unclipped = AddTo(&mManager, "unclipped", 200, 200, 10, 10);
    a->mOnDraw = fillAround(kRed);
    inner->mOnDraw = fillAround(kGreen);
    b->mOnDraw = fillAround(kBlue);
    unclipped->mOnDraw = fillAround(kGrey);
    unclipped->mClip = false;
    const auto clearScreen = [this] {
        std::fill_n(mScreen.GetBits(), mScreen.GetWidth() * mScreen.GetHeight(), 0u);
        mScreen.BitsChanged();
    };
    clearScreen();
    mLog.clear();

    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(WhoGot(mLog, "Draw"), "a inner b unclipped");
    EXPECT_EQ(Pixel(9, 9), 0u);
    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(29, 29), kRed);
    EXPECT_EQ(Pixel(30, 29), 0u);
    EXPECT_EQ(Pixel(29, 30), 0u);
    EXPECT_EQ(Pixel(14, 14), kRed);
    EXPECT_EQ(Pixel(15, 15), kGreen);
    EXPECT_EQ(Pixel(19, 19), kGreen);
    EXPECT_EQ(Pixel(20, 20), kRed);
    EXPECT_EQ(Pixel(100, 100), kBlue);
    EXPECT_EQ(Pixel(120, 120), 0u);
    EXPECT_EQ(Pixel(160, 160), kGrey);

    // Only the dirty top-level widget is drawn again, with all of its subtree.
    clearScreen();
    mLog.clear();
    inner->MarkDirty();
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(WhoGot(mLog, "Draw"), "a inner");
    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(15, 15), kGreen);
    EXPECT_EQ(Pixel(100, 100), 0u);

    mLog.clear();
    EXPECT_FALSE(mManager.DrawScreen());
    EXPECT_EQ(WhoGot(mLog, "Draw"), "");
}

// ---------------------------------------------------------------------------------------------
// Removal

TEST_F(WidgetContainerTest, RemovingAParentTellsItsChildTwice)
{
    RecordingWidget* parent = AddTo(&mManager, "parent", 0, 0, 50, 50);
    RecordingWidget* child = AddTo(parent, "child", 0, 0, 10, 10);
    mLog.clear();

    mManager.RemoveWidget(parent);
    EXPECT_EQ(WhoGot(mLog, "RemovedFromManager"), "child parent child");
    EXPECT_EQ(parent->mWidgetManager, nullptr);
    EXPECT_EQ(child->mWidgetManager, nullptr);
    EXPECT_EQ(parent->mParent, nullptr);
    EXPECT_EQ(Order(*parent), "child");
    EXPECT_EQ(Order(mManager), "");

    // Removing a widget that is not a child changes nothing.
    mLog.clear();
    mManager.RemoveWidget(parent);
    EXPECT_EQ(mLog, EventLog{});

    mManager.AddWidget(parent);
    EXPECT_EQ(WhoGot(mLog, "AddedToManager"), "parent child");
    EXPECT_EQ(child->mWidgetManager, &mManager);
}

TEST_F(WidgetContainerTest, RemovalRedrawsWhatLayUnderTheWidget)
{
    RecordingWidget* below = AddTo(&mManager, "below", 0, 0, 100, 100);
    RecordingWidget* beside = AddTo(&mManager, "beside", 300, 300, 10, 10);
    RecordingWidget* widget = AddTo(&mManager, "w", 10, 10, 20, 20);
    DrawAndClear();

    mManager.RemoveWidget(widget);
    EXPECT_TRUE(below->mDirty);
    EXPECT_FALSE(beside->mDirty);
}

TEST_F(WidgetContainerTest, RemoveAllWidgetsEmptiesNestedListsOnlyWhenRecursive)
{
    RecordingWidget* parent = AddTo(&mManager, "parent", 0, 0, 50, 50);
    RecordingWidget* child = AddTo(parent, "child", 0, 0, 10, 10);
    AddTo(&mManager, "other", 0, 0, 10, 10);

    mManager.RemoveAllWidgets(false, false);
    EXPECT_EQ(Order(mManager), "");
    EXPECT_EQ(Order(*parent), "child");

    mManager.AddWidget(parent);
    mManager.RemoveAllWidgets(false, true);
    EXPECT_EQ(Order(*parent), "");
    EXPECT_EQ(child->mParent, nullptr);
}

TEST_F(WidgetContainerTest, RemovalTakesTheFocusFromANestedWidget)
{
    RecordingWidget* parent = AddTo(&mManager, "parent", 0, 0, 50, 50);
    RecordingWidget* child = AddTo(parent, "child", 0, 0, 10, 10);
    mManager.SetFocus(child);
    mLog.clear();

    mManager.RemoveWidget(parent);
    EXPECT_EQ(WhoGot(mLog, "LostFocus"), "child");
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
}

TEST_F(WidgetContainerTest, KeysDoNotFollowLinksIntoARemovedAndDeletedSubtree)
{
    RecordingWidget* a = AddTo(&mManager, "a", 0, 0, 10, 10);
    RecordingWidget* parent = AddTo(&mManager, "parent", 100, 0, 50, 50);
    RecordingWidget* child = AddTo(parent, "child", 0, 0, 10, 10);
    RecordingWidget* b = AddTo(&mManager, "b", 200, 0, 10, 10);
    a->mTabNext = child;
    a->mTabPrev = b;
    b->mTabPrev = parent;
    child->mTabNext = a;
    mManager.mDefaultTabWidget = child;

    mManager.RemoveWidget(parent);
    EXPECT_EQ(a->mTabNext, nullptr);
    EXPECT_EQ(a->mTabPrev, b);
    EXPECT_EQ(b->mTabPrev, nullptr);
    EXPECT_EQ(mManager.mDefaultTabWidget, nullptr);
    Destroy(child);
    Destroy(parent);
    mLog.clear();

    mManager.SetFocus(a);
    mManager.KeyDown(Zest::WidgetManager::kKeyTab);
    EXPECT_EQ(mManager.mFocusWidget, a);
    mManager.SetFocus(b);
    mManager.KeyDown(Zest::WidgetManager::kKeyShift);
    mManager.KeyDown(Zest::WidgetManager::kKeyTab);
    EXPECT_EQ(mManager.mFocusWidget, b);
    mManager.KeyUp(Zest::WidgetManager::kKeyShift);
    mManager.KeyDown(Zest::WidgetManager::kKeyControl);
    mManager.KeyChar('\t');
    EXPECT_EQ(mLog, (EventLog{"a:GotFocus", "a:KeyDown 9", "a:LostFocus", "b:GotFocus", "b:KeyDown 16",
                              "b:KeyDown 9", "b:KeyUp 16", "b:KeyDown 17"}));
}

TEST_F(WidgetContainerTest, RemovingANestedWidgetClearsOnlyLinksIntoIt)
{
    RecordingWidget* a = AddTo(&mManager, "a", 0, 0, 10, 10);
    RecordingWidget* parent = AddTo(&mManager, "parent", 100, 0, 50, 50);
    RecordingWidget* child = AddTo(parent, "child", 0, 0, 10, 10);
    a->mTabNext = child;
    a->mTabPrev = parent;
    mManager.mDefaultTabWidget = child;

    parent->RemoveWidget(child);
    Destroy(child);
    EXPECT_EQ(a->mTabNext, nullptr);
    EXPECT_EQ(a->mTabPrev, parent);
    EXPECT_EQ(mManager.mDefaultTabWidget, nullptr);

    mManager.SetFocus(a);
    mManager.KeyDown(Zest::WidgetManager::kKeyTab);
    EXPECT_EQ(mManager.mFocusWidget, a);
}

TEST_F(WidgetContainerTest, RemovingTheFocusSavedByAModalWidgetKeepsItFromComingBack)
{
    RecordingWidget* focus = AddTo(&mManager, "focus", 0, 0, 10, 10);
    RecordingWidget* modal = AddTo(&mManager, "modal", 100, 0, 10, 10);
    mManager.SetFocus(focus);
    mManager.AddBaseModal(modal);

    mManager.RemoveWidget(focus);
    Destroy(focus);
    mLog.clear();
    mManager.RemoveBaseModal(modal);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    EXPECT_EQ(mLog, EventLog{});
}

} // namespace
