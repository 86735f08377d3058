#pragma once
// The root of the widget tree and the one place where input enters it. The application
// maps every mouse position into the manager's coordinates (RemapMouse) and calls the entry
// points one message at a time; the manager tracks the widget under the mouse, the pressed
// widget and the focus widget, keeps the held keys and the modal state, and drives the
// fixed update, smooth update and drawing of the tree with its deferred overlays.

#include "framework/graphics/Geometry.h"
#include "framework/widgets/WidgetContainer.h"

#include <array>
#include <climits>
#include <cstdint>
#include <list>
#include <utility>
#include <vector>

namespace Zest {

class AppInterface;
class Graphics;
class Image;
class Widget;

// The modal state that AddBaseModal replaced, restored by RemoveBaseModal.
struct PreModalInfo {
    Widget* mBaseModalWidget = nullptr;
    Widget* mPrevBaseModalWidget = nullptr;
    Widget* mPrevFocusWidget = nullptr;
    FlagsMod mPrevBelowModalFlagsMod;
};

class WidgetManager : public WidgetContainer {
public:
    // Mouse buttons as bits of mDownButtons and mHeldButtons.
    static constexpr int32_t kLeftButton = 1;
    static constexpr int32_t kRightButton = 2;
    static constexpr int32_t kMiddleButton = 4;
    static constexpr int kKeyTab = 9;
    static constexpr int kKeyShift = 16;
    static constexpr int kKeyControl = 17;

    explicit WidgetManager(AppInterface* app);
    ~WidgetManager() override = default;

    void DisableWidget(Widget* widget) override;
    void SetFocus(Widget* widget) override;

    // Input entry points.
    // The manager's size is the destination plus its offset on both sides.
    void SetMouseRects(const Rect& dest, const Rect& source);
    // From window client coordinates into the manager's; left alone while the source
    // rectangle is empty.
    void RemapMouse(int& x, int& y) const;
    bool MouseMove(int x, int y);
    bool MouseDrag(int x, int y);
    bool MouseDown(int x, int y, int clickCount);
    bool MouseUp(int x, int y, int clickCount);
    bool MouseExit();
    void MouseWheel(int delta);
    bool KeyChar(char c);
    bool KeyDown(int keyCode);
    bool KeyUp(int keyCode);
    // The application window gained or lost the input focus.
    void GotFocus();
    void LostFocus();
    // Sends the pressed widget the mouse-ups of the buttons still held and forgets it.
    void ReleaseDownWidget();

    // Modal widgets: the widgets below the base modal widget get mBelowModalFlagsMod.
    void AddBaseModal(Widget* widget);
    void AddBaseModalWithFlags(Widget* widget, const FlagsMod& belowFlagsMod);
    void RemoveBaseModal(Widget* widget);
    void SetBaseModal(Widget* widget, const FlagsMod& belowFlagsMod);

    int32_t GetWidgetFlags() const;
    Widget* GetAnyWidgetAt(int x, int y, int* localX, int* localY);
    // Null also when the widget under the point is disabled.
    Widget* GetWidgetAt(int x, int y, int* localX, int* localY);
    void SetMousePosition(int x, int y);
    // After anything that may change what lies under a still mouse.
    void RefreshMouseOver();
    void MouseEnterWidget(Widget* widget);
    void MouseLeaveWidget(Widget* widget);
    void DoMouseUps(Widget* widget, int32_t buttons);
    // Clears every link (mDefaultTabWidget, Tab order) into the subtree of a widget leaving
    // the tree, so that no later key follows it to a deleted widget.
    void ForgetLinksInto(const Widget* subtree);

    // Update and draw.
    void InitModalFlags(ModalFlags& modalFlags) const;
    // One fixed update tick; returns whether anything is dirty.
    bool UpdateFrame();
    bool UpdateFrameSmooth(float fraction);
    // Draws the dirty top-level widgets and the overlays; true when a widget was drawn.
    bool DrawScreen();
    void DeferOverlay(Widget* widget, int priority);
    // Draws the pending overlays of a priority below maxPriority, lowest first.
    void FlushDeferredOverlayWidgets(int maxPriority);

    // Receives a Tab character typed while Control is held.
    Widget* mDefaultTabWidget = nullptr;
    // The drawing context while DrawScreen runs.
    Graphics* mCurrentGraphics = nullptr;
    AppInterface* mApp;
    Image* mScreenImage = nullptr;
    std::vector<std::pair<Widget*, int32_t>> mDeferredOverlays;
    int32_t mMinOverlayPriority = INT_MAX;
    bool mAppHasFocus = true;
    Widget* mFocusWidget = nullptr;
    Widget* mPressedWidget = nullptr;
    Widget* mOverWidget = nullptr;
    Widget* mBaseModalWidget = nullptr;
    FlagsMod mLostFocusFlagsMod;
    FlagsMod mBelowModalFlagsMod;
    // Takes the mouse and the focus from the widgets below.
    FlagsMod mDefaultBelowModalFlagsMod{0, WIDGETFLAGS_ALLOW_MOUSE | WIDGETFLAGS_ALLOW_FOCUS};
    std::list<PreModalInfo> mModalStack;
    Rect mMouseDestRect;
    Rect mMouseSourceRect;
    bool mMouseIn = false;
    int32_t mLastMouseX = -1;
    int32_t mLastMouseY = -1;
    // Buttons whose press went to mPressedWidget.
    int32_t mDownButtons = 0;
    // Every button reported down.
    int32_t mHeldButtons = 0;
    std::array<bool, 255> mKeyDown{};
    // All but WIDGETFLAGS_MARK_DIRTY.
    int32_t mDefaultFlags = WIDGETFLAGS_UPDATE | WIDGETFLAGS_DRAW | WIDGETFLAGS_CLIP | WIDGETFLAGS_ALLOW_MOUSE |
                            WIDGETFLAGS_ALLOW_FOCUS;

private:
    static int32_t ButtonBit(int clickCount);
    // Forgets the widget under the mouse (there is one) and sends it the leave.
    void LeaveOverWidget();
};

} // namespace Zest
