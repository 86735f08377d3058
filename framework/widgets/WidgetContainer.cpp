#include "framework/widgets/WidgetContainer.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Zest {

namespace {

// Restores the two flag words of a traversal however it is left; mIsOver stays as the
// traversal left it, since every widget after the base modal widget is over it.
class ModalFlagsRestorer {
public:
    explicit ModalFlagsRestorer(ModalFlags& flags)
        : mFlags(flags), mOverFlags(flags.mOverFlags), mUnderFlags(flags.mUnderFlags)
    {
    }
    ~ModalFlagsRestorer()
    {
        mFlags.mOverFlags = mOverFlags;
        mFlags.mUnderFlags = mUnderFlags;
    }
    ModalFlagsRestorer(const ModalFlagsRestorer&) = delete;
    ModalFlagsRestorer& operator=(const ModalFlagsRestorer&) = delete;

private:
    ModalFlags& mFlags;
    int32_t mOverFlags;
    int32_t mUnderFlags;
};

void ApplyFlagsMod(ModalFlags& flags, const FlagsMod& mod)
{
    flags.mOverFlags = mod.Apply(flags.mOverFlags);
    flags.mUnderFlags = mod.Apply(flags.mUnderFlags);
}

bool IsBaseModal(const WidgetManager* manager, const Widget* widget)
{
    return manager != nullptr && widget == manager->mBaseModalWidget;
}

} // namespace

Rect WidgetContainer::GetRect() const { return Rect(mX, mY, mWidth, mHeight); }

bool WidgetContainer::Intersects(const WidgetContainer* other) const
{
    const Rect a = GetRect();
    const Rect b = other->GetRect();
    return a.mX < b.mX + b.mWidth && a.mY < b.mY + b.mHeight && b.mX < a.mX + a.mWidth && b.mY < a.mY + a.mHeight;
}

WidgetContainer::WidgetList::iterator WidgetContainer::Find(const Widget* widget)
{
    return std::find(mWidgets.begin(), mWidgets.end(), widget);
}

void WidgetContainer::InsertWidgetHelper(WidgetList::iterator hint, Widget* widget)
{
    auto position = hint;
    while (position != mWidgets.end() && (*position)->mZOrder < widget->mZOrder)
        ++position;
    if (position != mWidgets.end() &&
        (position == mWidgets.begin() || (*position)->mZOrder == widget->mZOrder)) {
        mWidgets.insert(position, widget);
        return;
    }
    // At the end, or on a higher band that is not the first: walk back to the top of the
    // widget's band.
    while (true) {
        if (position == mWidgets.begin()) {
            mWidgets.push_front(widget);
            return;
        }
        --position;
        if ((*position)->mZOrder <= widget->mZOrder) {
            mWidgets.insert(std::next(position), widget);
            return;
        }
    }
}

void WidgetContainer::AddWidget(Widget* widget)
{
    if (HasWidget(widget))
        return;
    InsertWidgetHelper(mWidgets.end(), widget);
    widget->mWidgetManager = mWidgetManager;
    widget->mParent = this;
    if (mWidgetManager != nullptr) {
        widget->AddedToManager(mWidgetManager);
        widget->MarkDirtyFull();
        mWidgetManager->RefreshMouseOver();
    }
    MarkDirty();
}

void WidgetContainer::StepUpdateCursorOff(const Widget* widget)
{
    if (mUpdateCursor != mWidgets.end() && *mUpdateCursor == widget) {
        ++mUpdateCursor;
        mUpdateCursorMoved = true;
    }
}

void WidgetContainer::RemoveWidget(Widget* widget)
{
    const auto position = Find(widget);
    if (position == mWidgets.end())
        return;
    if (widget->mWidgetManager != nullptr)
        widget->mWidgetManager->ForgetLinksInto(widget);
    widget->DetachFromManager();
    widget->mParent = nullptr;
    StepUpdateCursorOff(widget);
    mWidgets.erase(position);
}

bool WidgetContainer::HasWidget(const Widget* widget) const
{
    return std::find(mWidgets.begin(), mWidgets.end(), widget) != mWidgets.end();
}

void WidgetContainer::DisableWidget(Widget*) {}

void WidgetContainer::RemoveAllWidgets(const bool doDelete, const bool recursive)
{
    while (!mWidgets.empty()) {
        Widget* child = mWidgets.front();
        RemoveWidget(child);
        if (recursive)
            child->RemoveAllWidgets(doDelete, recursive);
        if (doDelete)
            delete child;
    }
}

void WidgetContainer::SetFocus(Widget*) {}

bool WidgetContainer::IsBelowHelper(const Widget* a, const Widget* b, bool* found) const
{
    for (const Widget* child : mWidgets) {
        if (child == a) {
            *found = true;
            return true;
        }
        if (child == b) {
            *found = true;
            return false;
        }
        const bool result = child->IsBelowHelper(a, b, found);
        if (*found)
            return result;
    }
    return false;
}

bool WidgetContainer::IsBelow(const Widget* a, const Widget* b) const
{
    bool found = false;
    return IsBelowHelper(a, b, &found);
}

void WidgetContainer::MarkAllDirty()
{
    MarkDirty();
    for (Widget* child : mWidgets) {
        child->mDirty = true;
        child->MarkAllDirty();
    }
}

template <typename Place>
void WidgetContainer::Reorder(Widget* widget, Place place)
{
    const auto position = Find(widget);
    if (position == mWidgets.end())
        return;
    StepUpdateCursorOff(widget);
    mWidgets.erase(position);
    InsertWidgetHelper(place(), widget);
    widget->ZOrderChanged();
}

void WidgetContainer::BringToFront(Widget* widget)
{
    Reorder(widget, [this] { return mWidgets.end(); });
}

void WidgetContainer::BringToBack(Widget* widget)
{
    Reorder(widget, [this] { return mWidgets.begin(); });
}

void WidgetContainer::PutBehind(Widget* widget, Widget* reference)
{
    Reorder(widget, [this, reference] { return Find(reference); });
}

void WidgetContainer::PutInFront(Widget* widget, Widget* reference)
{
    Reorder(widget, [this, reference] {
        const auto position = Find(reference);
        return position == mWidgets.end() ? position : std::next(position);
    });
}

Point WidgetContainer::GetAbsPos() const
{
    Point position{mX, mY};
    if (mParent != nullptr) {
        const Point parent = mParent->GetAbsPos();
        position.mX += parent.mX;
        position.mY += parent.mY;
    }
    return position;
}

void WidgetContainer::MarkDirty()
{
    if (mParent != nullptr)
        mParent->MarkChildDirty(this);
    else
        mDirty = true;
}

void WidgetContainer::MarkDirtyFull()
{
    if (mParent != nullptr)
        mParent->MarkChildDirtyFull(this);
    else
        mDirty = true;
}

void WidgetContainer::MarkChildDirty(WidgetContainer* child)
{
    if (child->mDirty)
        return;
    MarkDirty();
    child->mDirty = true;
    if (mParent != nullptr)
        return;
    if (child->mHasAlpha) {
        MarkChildDirtyFull(child);
        return;
    }
    // The siblings drawn over the child are redrawn over it.
    auto position = std::find(mWidgets.begin(), mWidgets.end(), child);
    if (position == mWidgets.end())
        return;
    for (++position; position != mWidgets.end(); ++position) {
        Widget* sibling = *position;
        if (sibling->mVisible && sibling->Intersects(child))
            MarkChildDirty(sibling);
    }
}

void WidgetContainer::MarkChildDirtyFull(WidgetContainer* child)
{
    MarkDirtyFull();
    child->mDirty = true;
    if (mParent != nullptr)
        return;
    const auto position = std::find(mWidgets.begin(), mWidgets.end(), child);
    if (position == mWidgets.end())
        return;

    // Below the child, nearest first, until an opaque sibling covers the whole of it.
    const Rect area = child->GetRect().Intersection(Rect(0, 0, mWidth, mHeight));
    for (auto below = std::make_reverse_iterator(position); below != mWidgets.rend(); ++below) {
        Widget* sibling = *below;
        if (!sibling->mVisible)
            continue;
        if (!sibling->mHasTransparencies && !sibling->mHasAlpha && sibling->Contains(area.mX, area.mY) &&
            sibling->Contains(area.mX + area.mWidth - 1, area.mY + area.mHeight - 1)) {
            sibling->MarkDirty();
            break;
        }
        if (sibling->Intersects(child))
            MarkChildDirty(sibling);
    }
    for (auto above = position; above != mWidgets.end(); ++above) {
        Widget* sibling = *above;
        if (sibling->mVisible && sibling->Intersects(child))
            MarkChildDirty(sibling);
    }
}

void WidgetContainer::AddedToManager(WidgetManager* manager)
{
    for (Widget* child : mWidgets) {
        child->mWidgetManager = manager;
        child->AddedToManager(manager);
        MarkDirty();
    }
}

void WidgetContainer::RemovedFromManager(WidgetManager* manager)
{
    for (Widget* child : mWidgets) {
        manager->DisableWidget(child);
        child->RemovedFromManager(manager);
        child->mWidgetManager = nullptr;
    }
}

template <typename Visit>
void WidgetContainer::UpdateChildren(ModalFlags& modalFlags, Visit visit)
{
    mUpdateCursor = mWidgets.begin();
    while (mUpdateCursor != mWidgets.end()) {
        mUpdateCursorMoved = false;
        Widget* child = *mUpdateCursor;
        if (IsBaseModal(mWidgetManager, child))
            modalFlags.mIsOver = true;
        visit(child);
        if (!mUpdateCursorMoved)
            ++mUpdateCursor;
    }
    mUpdateCursorMoved = true;
}

void WidgetContainer::Update() { ++mUpdateCount; }

void WidgetContainer::UpdateAll(ModalFlags& modalFlags)
{
    const ModalFlagsRestorer restorer(modalFlags);
    ApplyFlagsMod(modalFlags, mFlagsMod);
    if ((modalFlags.GetFlags() & WIDGETFLAGS_MARK_DIRTY) != 0)
        MarkDirty();
    if (mWidgetManager == nullptr)
        return;
    if ((modalFlags.GetFlags() & WIDGETFLAGS_UPDATE) != 0 && mLastManagerTick != mWidgetManager->mUpdateCount) {
        mLastManagerTick = mWidgetManager->mUpdateCount;
        Update();
    }
    UpdateChildren(modalFlags, [&modalFlags](Widget* child) { child->UpdateAll(modalFlags); });
}

void WidgetContainer::UpdateSmooth(float) {}

void WidgetContainer::UpdateSmoothAll(ModalFlags& modalFlags, const float fraction)
{
    const ModalFlagsRestorer restorer(modalFlags);
    ApplyFlagsMod(modalFlags, mFlagsMod);
    if ((modalFlags.GetFlags() & WIDGETFLAGS_UPDATE) != 0)
        UpdateSmooth(fraction);
    UpdateChildren(modalFlags, [&modalFlags, fraction](Widget* child) { child->UpdateSmoothAll(modalFlags, fraction); });
}

void WidgetContainer::Draw(Graphics*) {}

void WidgetContainer::DrawAll(ModalFlags& modalFlags, Graphics* g)
{
    if (mWidgetManager != nullptr && mWidgetManager->mMinOverlayPriority < mPriority)
        mWidgetManager->FlushDeferredOverlayWidgets(mPriority);
    const ModalFlagsRestorer restorer(modalFlags);
    ApplyFlagsMod(modalFlags, mFlagsMod);
    const int32_t flags = modalFlags.GetFlags();
    if (mClip && (flags & WIDGETFLAGS_CLIP) != 0)
        g->ClipRect(0, 0, mWidth, mHeight);
    if (mWidgets.empty()) {
        if ((flags & WIDGETFLAGS_DRAW) != 0)
            Draw(g);
        return;
    }
    if ((flags & WIDGETFLAGS_DRAW) != 0) {
        // The state Draw leaves does not reach the children.
        g->PushState();
        Draw(g);
        g->PopState();
    }
    for (Widget* child : mWidgets) {
        if (!child->mVisible)
            continue;
        if (IsBaseModal(mWidgetManager, child))
            modalFlags.mIsOver = true;
        Graphics childGraphics(*g);
        childGraphics.Translate(child->mX, child->mY);
        child->DrawAll(modalFlags, &childGraphics);
        child->mDirty = false;
    }
}

void WidgetContainer::SysColorChangedAll()
{
    SysColorChanged();
    for (Widget* child : mWidgets)
        child->SysColorChangedAll();
}

void WidgetContainer::SysColorChanged() {}

Widget* WidgetContainer::GetWidgetAtHelper(const int x, const int y, const int32_t flags, bool* found, int* localX,
                                          int* localY)
{
    const int32_t ownFlags = mFlagsMod.Apply(flags);
    bool belowModal = false;
    for (auto position = mWidgets.rbegin(); position != mWidgets.rend(); ++position) {
        Widget* child = *position;
        int32_t childFlags = child->mFlagsMod.Apply(ownFlags);
        if (belowModal)
            childFlags = mWidgetManager->mBelowModalFlagsMod.Apply(childFlags);
        if ((childFlags & WIDGETFLAGS_ALLOW_MOUSE) != 0 && child->mVisible) {
            Widget* inside = child->GetWidgetAtHelper(x - child->mX, y - child->mY, childFlags, found, localX, localY);
            if (inside != nullptr)
                return inside;
            const Rect hitArea = child->GetInsetRect();
            if (child->mMouseVisible && hitArea.Contains(x, y) && child->IsPointVisible(x - child->mX, y - child->mY)) {
                if (localX != nullptr)
                    *localX = x - child->mX;
                if (localY != nullptr)
                    *localY = y - child->mY;
                if (found != nullptr)
                    *found = true;
                return child;
            }
        }
        if (IsBaseModal(mWidgetManager, child))
            belowModal = true;
    }
    if (found != nullptr)
        *found = false;
    return nullptr;
}

} // namespace Zest
