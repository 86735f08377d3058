#pragma once
// A node of the widget tree. Its children (not owned) are kept in drawing order, bottom
// first, grouped into bands by their mZOrder. A container knows its manager and its parent,
// propagates dirty marks up to the top level, and runs the update, draw and hit-search
// traversals under the permission flags. Coordinates are pixels relative to the parent's
// top-left corner.

#include "framework/graphics/Geometry.h"
#include "framework/widgets/WidgetFlags.h"

#include <cstdint>
#include <list>

namespace Zest {

class Graphics;
class Widget;
class WidgetManager;

class WidgetContainer {
public:
    using WidgetList = std::list<Widget*>;

    WidgetContainer() = default;
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;
    // Frees only the list: the children are neither deleted nor told.
    virtual ~WidgetContainer() = default;

    virtual Rect GetRect() const;
    virtual bool Intersects(const WidgetContainer* other) const;

    // On top of the widget's band; a widget already here is left alone.
    virtual void AddWidget(Widget* widget);
    // Takes the widget and its subtree out of the manager; it is not deleted.
    virtual void RemoveWidget(Widget* widget);
    virtual bool HasWidget(const Widget* widget) const;
    virtual void DisableWidget(Widget* widget);
    virtual void RemoveAllWidgets(bool doDelete = false, bool recursive = false);
    virtual void SetFocus(Widget* widget);
    // Whether a comes before b in a depth-first walk of this subtree (a parent comes before
    // its children); false when neither is in it.
    virtual bool IsBelow(const Widget* a, const Widget* b) const;
    virtual void MarkAllDirty();
    virtual void BringToFront(Widget* widget);
    virtual void BringToBack(Widget* widget);
    virtual void PutBehind(Widget* widget, Widget* reference);
    virtual void PutInFront(Widget* widget, Widget* reference);
    // The position in the manager's coordinates.
    virtual Point GetAbsPos() const;

    virtual void MarkChildDirty(WidgetContainer* child);
    virtual void MarkDirty();
    // Also redraws what lies under this container and what overlaps it.
    virtual void MarkChildDirtyFull(WidgetContainer* child);
    virtual void MarkDirtyFull();

    // Overrides run the base too. A widget nested below a removed widget gets
    // RemovedFromManager more than once (once from its own detach and once more from each
    // removed ancestor's), so an override must tolerate repeated calls.
    virtual void AddedToManager(WidgetManager* manager);
    virtual void RemovedFromManager(WidgetManager* manager);

    // One fixed-step tick.
    virtual void Update();
    virtual void UpdateAll(ModalFlags& modalFlags);
    virtual void UpdateSmooth(float fraction);
    virtual void UpdateSmoothAll(ModalFlags& modalFlags, float fraction);
    // Paints the container in its own coordinates.
    virtual void Draw(Graphics* g);
    // g is translated to this container's top-left corner.
    virtual void DrawAll(ModalFlags& modalFlags, Graphics* g);
    virtual void SysColorChangedAll();
    virtual void SysColorChanged();

    WidgetList mWidgets;
    WidgetManager* mWidgetManager = nullptr;
    WidgetContainer* mParent = nullptr;
    // The update traversals stand on mUpdateCursor; a removal or reorder of that child
    // advances it and sets mUpdateCursorMoved, so the walk survives changes to the list.
    bool mUpdateCursorMoved = false;
    WidgetList::iterator mUpdateCursor = mWidgets.end();
    int32_t mLastManagerTick = 0;
    int32_t mUpdateCount = 0;
    bool mDirty = false;
    int32_t mX = 0;
    int32_t mY = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    // Translucent: what lies below shows through.
    bool mHasAlpha = false;
    bool mClip = true;
    FlagsMod mFlagsMod;
    // Deferred overlays of a lower priority are drawn before this container draws.
    int32_t mPriority = 0;
    // The band of the parent's list; set before the widget is added.
    int32_t mZOrder = 0;

protected:
    void InsertWidgetHelper(WidgetList::iterator hint, Widget* widget);
    Widget* GetWidgetAtHelper(int x, int y, int32_t flags, bool* found, int* localX, int* localY);
    bool IsBelowHelper(const Widget* a, const Widget* b, bool* found) const;

private:
    // Advances the update cursor when it stands on the widget about to leave the list.
    void StepUpdateCursorOff(const Widget* widget);
    WidgetList::iterator Find(const Widget* widget);
    // Takes the widget out and inserts it again from the hint that `place` picks once it
    // is out.
    template <typename Place>
    void Reorder(Widget* widget, Place place);
    // Visits every child through mUpdateCursor, which survives removals and reorders, and
    // marks the traversal past the base modal widget when it meets it.
    template <typename Visit>
    void UpdateChildren(ModalFlags& modalFlags, Visit visit);
};

} // namespace Zest
