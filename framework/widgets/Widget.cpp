#include "framework/widgets/Widget.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Zest {

namespace {

const Color kDefaultColor(0, 0, 0, 255);

// Switches a context's colour codes on for one call and back afterwards.
class ColoredStringScope {
public:
    explicit ColoredStringScope(Graphics* g) : mGraphics(g), mWasOn(g->mWriteColoredString)
    {
        g->mWriteColoredString = true;
    }
    ~ColoredStringScope() { mGraphics->mWriteColoredString = mWasOn; }
    ColoredStringScope(const ColoredStringScope&) = delete;
    ColoredStringScope& operator=(const ColoredStringScope&) = delete;

private:
    Graphics* mGraphics;
    bool mWasOn;
};

// The button and positive count of a signed click count: positive left, negative right,
// 3 middle.
void DecodeClick(const int clickCount, int* button, int* count)
{
    if (clickCount == 3) {
        *button = 2;
        *count = 1;
    } else if (clickCount >= 0) {
        *button = 0;
        *count = clickCount;
    } else {
        *button = 1;
        *count = -clickCount;
    }
}

} // namespace

void Widget::Update() { WidgetContainer::Update(); }

void Widget::ZOrderChanged() {}

void Widget::SetVisible(const bool visible)
{
    if (visible == mVisible)
        return;
    mVisible = visible;
    if (visible)
        MarkDirty();
    else
        MarkDirtyFull();
    if (mWidgetManager != nullptr)
        mWidgetManager->RefreshMouseOver();
}

void Widget::SetColorsRGBA(const int32_t colors[][4], const int count)
{
    mColors.clear();
    for (int i = 0; i < count; ++i)
        SetColor(i, Color(colors[i][0], colors[i][1], colors[i][2], colors[i][3]));
    MarkDirty();
}

void Widget::SetColors(const int32_t colors[][3], const int count)
{
    mColors.clear();
    for (int i = 0; i < count; ++i)
        SetColor(i, Color(colors[i][0], colors[i][1], colors[i][2], 255));
    MarkDirty();
}

void Widget::SetColor(const int index, const Color& color)
{
    if (index < 0)
        return;
    if (static_cast<size_t>(index) >= mColors.size())
        mColors.resize(static_cast<size_t>(index) + 1, kDefaultColor);
    mColors[static_cast<size_t>(index)] = color;
    MarkDirty();
}

Color Widget::GetColorOr(const int index, const Color& fallback) const
{
    if (index < 0 || static_cast<size_t>(index) >= mColors.size())
        return fallback;
    return mColors[static_cast<size_t>(index)];
}

const Color& Widget::GetColor(const int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= mColors.size())
        return kDefaultColor;
    return mColors[static_cast<size_t>(index)];
}

void Widget::SetDisabled(const bool disabled)
{
    if (disabled == mDisabled)
        return;
    mDisabled = disabled;
    if (disabled && mWidgetManager != nullptr)
        mWidgetManager->DisableWidget(this);
    MarkDirty();
    // A still mouse over the enabled widget gets its enter and move at once. The mouse is
    // in the manager's coordinates, so this matches exactly only for top-level widgets.
    if (!disabled && mWidgetManager != nullptr &&
        Contains(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY))
        mWidgetManager->SetMousePosition(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
}

void Widget::ShowHandCursor(const bool show) { SetAppCursor(show ? CURSOR_HAND : CURSOR_POINTER); }

AppInterface* Widget::GetApp() const { return mWidgetManager != nullptr ? mWidgetManager->mApp : GetAppInterface(); }

void Widget::SetAppCursor(const int kind)
{
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
        mWidgetManager->mApp->SetCursor(kind);
}

void Widget::ResizeToRect(const Rect& rect) { Resize(rect.mX, rect.mY, rect.mWidth, rect.mHeight); }

void Widget::Resize(const int x, const int y, const int width, const int height)
{
    if (x == mX && y == mY && width == mWidth && height == mHeight)
        return;
    MarkDirtyFull();
    mX = x;
    mY = y;
    mWidth = width;
    mHeight = height;
    MarkDirty();
    if (mWidgetManager != nullptr)
        mWidgetManager->RefreshMouseOver();
}

void Widget::Move(const int x, const int y) { Resize(x, y, mWidth, mHeight); }

bool Widget::WantsFocus() { return mWantsFocus; }

void Widget::DrawOverlayPriority(Graphics* g, int) { DrawOverlay(g); }

void Widget::DrawOverlay(Graphics*) {}

void Widget::GotFocus() { mHasFocus = true; }

void Widget::LostFocus() { mHasFocus = false; }

void Widget::KeyChar(char) {}

void Widget::KeyDown(const int keyCode)
{
    if (keyCode != WidgetManager::kKeyTab || mWidgetManager == nullptr)
        return;
    Widget* next = mWidgetManager->mKeyDown[WidgetManager::kKeyShift] ? mTabPrev : mTabNext;
    if (next != nullptr)
        mWidgetManager->SetFocus(next);
}

void Widget::KeyUp(int) {}

void Widget::MouseEnter() {}

void Widget::MouseLeave() {}

void Widget::MouseMove(int, int) {}

void Widget::MouseButtonDown(int, int, int, int) {}

void Widget::MouseDown(const int x, const int y, const int clickCount)
{
    int button = 0;
    int count = 0;
    DecodeClick(clickCount, &button, &count);
    MouseButtonDown(x, y, button, count);
}

void Widget::MouseButtonUp(int, int, int, int) {}

void Widget::MouseUp(const int x, const int y, const int clickCount)
{
    MouseUpAt(x, y);
    int button = 0;
    int count = 0;
    DecodeClick(clickCount, &button, &count);
    MouseButtonUp(x, y, button, count);
}

void Widget::MouseUpAt(int, int) {}

void Widget::MouseDrag(int, int) {}

void Widget::MouseWheel(int) {}

bool Widget::IsPointVisible(int, int) { return true; }

Rect Widget::WriteCenteredLineWithShadow(Graphics* g, const int y, const std::string& text, const Color& color,
                                         const Color& shadowColor, const Point& offset)
{
    Font* font = g->GetFont();
    if (font == nullptr)
        return Rect();
    const int width = font->StringWidth(text);
    const int x = (mWidth - width) / 2;
    g->SetColor(shadowColor);
    g->DrawString(text, x + offset.mX, y + offset.mY);
    g->SetColor(color);
    g->DrawString(text, x, y);
    return Rect(x + std::min(offset.mX, 0), y + std::min(offset.mY, 0) - font->GetAscent(),
                width + std::abs(offset.mX), font->GetHeight() + std::abs(offset.mY));
}

Rect Widget::WriteCenteredLine(Graphics* g, const int y, const std::string& text)
{
    Font* font = g->GetFont();
    if (font == nullptr)
        return Rect();
    const int width = font->StringWidth(text);
    const int x = (mWidth - width) / 2;
    g->DrawString(text, x, y);
    return Rect(x, y - font->GetAscent(), width, font->GetHeight());
}

int Widget::WriteString(Graphics* g, const std::string& text, const int x, const int y, const int width,
                        const int justification, const bool draw, const int offset, const int length)
{
    const ColoredStringScope colored(g);
    return g->WriteString(text, x, y, width, justification, draw, offset, length, -1);
}

int Widget::WriteWordWrapped(Graphics* g, const Rect& rect, const std::string& text, const int lineSpacing,
                             const int justification)
{
    const ColoredStringScope colored(g);
    return g->WriteWordWrapped(rect, text, lineSpacing, justification);
}

int Widget::GetWordWrappedHeight(Graphics* g, const int width, const std::string& text, const int lineSpacing)
{
    return g->GetWordWrappedHeight(width, text, lineSpacing);
}

int Widget::GetNumDigits(const int number)
{
    // Powers of ten in 64 bits, so that numbers of a billion and more count all their digits.
    int digits = 1;
    for (int64_t power = 10; power <= number; power *= 10)
        ++digits;
    return digits;
}

void Widget::WriteNumberFromStrip(Graphics* g, const int number, const int x, const int y, Image* strip,
                                  const int spacing)
{
    if (strip == nullptr)
        return;
    const int digits = GetNumDigits(number);
    int64_t divisor = 1;
    for (int i = 0; i < digits; ++i)
        divisor *= 10;
    const int celWidth = strip->GetWidth() / 10;
    int offset = 0;
    for (int i = 0; i < digits; ++i) {
        divisor /= 10;
        const int digit = static_cast<int>((number / divisor) % 10);
        const std::unique_ptr<Graphics> cel = g->Create();
        cel->ClipRect(x + offset, y, celWidth, strip->GetHeight());
        cel->DrawImage(strip, x + offset - digit * celWidth, y);
        offset += celWidth + spacing;
    }
}

bool Widget::Contains(const int x, const int y) const
{
    return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight;
}

Rect Widget::GetInsetRect() const
{
    return Rect(mX + mMouseInsets.mLeft, mY + mMouseInsets.mTop, mWidth - mMouseInsets.mLeft - mMouseInsets.mRight,
                mHeight - mMouseInsets.mTop - mMouseInsets.mBottom);
}

void Widget::DetachFromManager()
{
    WidgetManager* manager = mWidgetManager;
    if (manager == nullptr)
        return;
    for (Widget* child : mWidgets)
        child->DetachFromManager();
    manager->DisableWidget(this);
    for (PreModalInfo& entry : manager->mModalStack) {
        if (entry.mPrevBaseModalWidget == this)
            entry.mPrevBaseModalWidget = nullptr;
        if (entry.mPrevFocusWidget == this)
            entry.mPrevFocusWidget = nullptr;
    }
    RemovedFromManager(manager);
    // Redraws what lay under the widget.
    MarkChildDirtyFull(this);
    mWidgetManager = nullptr;
}

void Widget::DeferOverlay(const int priority)
{
    if (mWidgetManager != nullptr)
        mWidgetManager->DeferOverlay(this, priority);
}

} // namespace Zest
