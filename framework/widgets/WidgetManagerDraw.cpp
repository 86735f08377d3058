// The widget manager's fixed update, smooth update and drawing of the screen, with the
// overlays that widgets defer to later in the same frame.

#include "framework/directx/DDImage.h"
#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

namespace Zest {

void WidgetManager::InitModalFlags(ModalFlags& modalFlags) const
{
    modalFlags.mIsOver = mBaseModalWidget == nullptr;
    modalFlags.mOverFlags = GetWidgetFlags();
    modalFlags.mUnderFlags = mBelowModalFlagsMod.Apply(modalFlags.mOverFlags);
}

bool WidgetManager::UpdateFrame()
{
    ModalFlags modalFlags;
    InitModalFlags(modalFlags);
    ++mUpdateCount;
    // The manager's own Update does not run in the traversal.
    mLastManagerTick = mUpdateCount;
    UpdateAll(modalFlags);
    return mDirty;
}

bool WidgetManager::UpdateFrameSmooth(const float fraction)
{
    ModalFlags modalFlags;
    InitModalFlags(modalFlags);
    UpdateSmoothAll(modalFlags, fraction);
    return mDirty;
}

bool WidgetManager::DrawScreen()
{
    ModalFlags modalFlags;
    InitModalFlags(modalFlags);
    int dirtyCount = 0;
    for (const Widget* widget : mWidgets)
        dirtyCount += widget->mDirty ? 1 : 0;

    // Overlays deferred outside a draw are dropped.
    mMinOverlayPriority = INT_MAX;
    mDeferredOverlays.clear();

    Graphics g(mScreenImage);
    mCurrentGraphics = &g;
    // A display image stays locked while the widgets draw, so that their drawing does not
    // lock and unlock its surface call by call.
    auto* const displayImage = dynamic_cast<DDImage*>(mScreenImage);
    const bool locked = displayImage != nullptr && displayImage->LockSurface();
    bool drewWidget = false;
    if (dirtyCount > 0) {
        Graphics screen(g);
        screen.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
        const bool is3D = mApp != nullptr && mApp->Is3DEnabled();
        for (Widget* widget : mWidgets) {
            if (widget == mBaseModalWidget)
                modalFlags.mIsOver = true;
            if (!widget->mDirty || !widget->mVisible)
                continue;
            Graphics widgetGraphics(screen);
            widgetGraphics.SetFastStretch(!is3D);
            widgetGraphics.SetLinearBlend(is3D);
            widgetGraphics.Translate(widget->mX, widget->mY);
            widget->DrawAll(modalFlags, &widgetGraphics);
            drewWidget = true;
            widget->mDirty = false;
        }
    }
    FlushDeferredOverlayWidgets(INT_MAX);
    if (locked)
        displayImage->UnlockSurface();
    mCurrentGraphics = nullptr;
    return drewWidget;
}

void WidgetManager::DeferOverlay(Widget* widget, const int priority)
{
    mDeferredOverlays.emplace_back(widget, priority);
    if (priority < mMinOverlayPriority)
        mMinOverlayPriority = priority;
}

void WidgetManager::FlushDeferredOverlayWidgets(const int maxPriority)
{
    while (true) {
        int32_t next = INT_MAX;
        // By index: an overlay may defer further overlays while it draws, and they join
        // this pass.
        for (size_t i = 0; i < mDeferredOverlays.size(); ++i) {
            Widget* widget = mDeferredOverlays[i].first;
            const int32_t priority = mDeferredOverlays[i].second;
            if (widget == nullptr)
                continue;
            if (priority == mMinOverlayPriority) {
                Graphics g(*mCurrentGraphics);
                g.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
                g.Translate(widget->mX, widget->mY);
                g.SetFastStretch(!g.mIs3D);
                g.SetLinearBlend(g.mIs3D);
                widget->DrawOverlayPriority(&g, priority);
                mDeferredOverlays[i].first = nullptr;
            } else if (priority < next) {
                next = priority;
            }
        }
        mMinOverlayPriority = next;
        if (next == INT_MAX) {
            mDeferredOverlays.clear();
            return;
        }
        if (next >= maxPriority)
            return;
    }
}

} // namespace Zest
