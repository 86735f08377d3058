#pragma once
// The base of everything on the screen: a container with visible, mouse and focus state, a
// colour table, the default handlers of every mouse and key event, and text and number
// drawing conveniences. A widget is removed from its parent (RemoveWidget) before it is
// deleted; its destructor does not do it.

#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "framework/widgets/WidgetContainer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {

class AppInterface;
class Image;

class Widget : public WidgetContainer {
public:
    Widget() = default;
    ~Widget() override = default;

    void Update() override;

    // Called after a reorder moved the widget.
    virtual void ZOrderChanged();
    virtual void SetVisible(bool visible);
    // Rows of red, green, blue and alpha.
    virtual void SetColorsRGBA(const int32_t colors[][4], int count);
    // Rows of red, green and blue, alpha 255.
    virtual void SetColors(const int32_t colors[][3], int count);
    // Grows the table with opaque black up to the index.
    virtual void SetColor(int index, const Color& color);
    virtual Color GetColorOr(int index, const Color& fallback) const;
    // Opaque black past the end of the table.
    virtual const Color& GetColor(int index) const;
    virtual void SetDisabled(bool disabled);
    virtual void ShowHandCursor(bool show);
    virtual void ResizeToRect(const Rect& rect);
    virtual void Resize(int x, int y, int width, int height);
    virtual void Move(int x, int y);
    // The manager gives the focus to a pressed widget that wants it.
    virtual bool WantsFocus();
    virtual void DrawOverlayPriority(Graphics* g, int priority);
    virtual void DrawOverlay(Graphics* g);
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void KeyChar(char c);
    // Tab moves the focus along mTabNext, or mTabPrev while Shift is held.
    virtual void KeyDown(int keyCode);
    virtual void KeyUp(int keyCode);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseMove(int x, int y);
    // button: 0 left, 1 right, 2 middle; clickCount 1 single, 2 double.
    virtual void MouseButtonDown(int x, int y, int button, int clickCount);
    // clickCount: positive left, negative right, 3 middle.
    virtual void MouseDown(int x, int y, int clickCount);
    virtual void MouseButtonUp(int x, int y, int button, int clickCount);
    virtual void MouseUp(int x, int y, int clickCount);
    virtual void MouseUpAt(int x, int y);
    virtual void MouseDrag(int x, int y);
    virtual void MouseWheel(int delta);
    // False where the mouse passes through to the widgets below.
    virtual bool IsPointVisible(int x, int y);
    // y is the baseline; returns the rectangle that covers the text and its shadow.
    virtual Rect WriteCenteredLineWithShadow(Graphics* g, int y, const std::string& text, const Color& color,
                                             const Color& shadowColor, const Point& offset);
    virtual Rect WriteCenteredLine(Graphics* g, int y, const std::string& text);
    // The context's text operations with colour codes on for the call.
    virtual int WriteString(Graphics* g, const std::string& text, int x, int y, int width, int justification,
                            bool draw, int offset, int length);
    virtual int WriteWordWrapped(Graphics* g, const Rect& rect, const std::string& text, int lineSpacing,
                                 int justification);
    virtual int GetWordWrappedHeight(Graphics* g, int width, const std::string& text, int lineSpacing);
    // 1 for every number below 10, negative ones included.
    virtual int GetNumDigits(int number);
    // Draws a non-negative number from a strip of the ten digits side by side.
    virtual void WriteNumberFromStrip(Graphics* g, int number, int x, int y, Image* strip, int spacing);
    // In the parent's coordinates, right and bottom edges excluded.
    virtual bool Contains(int x, int y) const;
    // The hit area: the bounds shrunk by mMouseInsets.
    virtual Rect GetInsetRect() const;

    // Takes this widget and its subtree out of the manager, children first.
    void DetachFromManager();
    // Asks the manager to draw this widget's overlay later in the current frame.
    void DeferOverlay(int priority = 0);

    bool mVisible = true;
    // The widget itself can be hit; its children are searched either way.
    bool mMouseVisible = true;
    bool mDisabled = false;
    bool mHasFocus = false;
    bool mIsDown = false;
    bool mIsOver = false;
    bool mHasTransparencies = false;
    std::vector<Color> mColors;
    Insets mMouseInsets;
    bool mHandCursor = false;
    bool mWantsFocus = false;
    // Where Shift+Tab and Tab send the focus. Removing a widget clears every link to it.
    Widget* mTabPrev = nullptr;
    Widget* mTabNext = nullptr;

protected:
    // The application of the widget's manager, or the process's while it has no manager.
    AppInterface* GetApp() const;
    // Asks the application for that cursor kind; nothing without a manager.
    void SetAppCursor(int kind);
};

} // namespace Zest
