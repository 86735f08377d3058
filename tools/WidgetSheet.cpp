// Draws a small widget tree onto an 800x600 screen after a scripted press and release, and
// writes it as a PNG, so that a person can see the controls and their states at a glance.
// Usage: widget_sheet OUTPUT.png
//
// A backdrop panel holds a nested panel with two buttons and a check box. The first button
// was clicked (its click is written on the panel), the mouse rests over the second (its over
// look), the check box was ticked, and a tooltip is drawn as an overlay on top of everything.

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/WidgetManager.h"
#include "tools/PictureApp.h"

#include <cstdio>
#include <string>

namespace {

using namespace Zest;

// A filled box with a frame and a caption.
class Panel : public Widget {
public:
    Panel(const Rect& bounds, const Color& fill, std::string caption) : mFill(fill), mCaption(std::move(caption))
    {
        Resize(bounds.mX, bounds.mY, bounds.mWidth, bounds.mHeight);
    }

    void Draw(Graphics* g) override
    {
        g->SetColor(mFill);
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetColor(Color(255, 255, 255, 90));
        g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
        g->SetFont(&mFont);
        g->SetColor(Color::White);
        g->DrawString(mCaption, 10, 22);
    }

    Color mFill;
    std::string mCaption;
    SysFont mFont{"DejaVu Sans", 12, true};
};

// A tooltip that its owner draws over every widget, as an overlay.
class TooltipOwner : public Widget {
public:
    void Draw(Graphics*) override { DeferOverlay(10); }

    void DrawOverlay(Graphics* g) override
    {
        g->SetColor(Color(255, 255, 210));
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetColor(Color(60, 60, 60));
        g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
        g->SetFont(&mFont);
        g->DrawString("An overlay, drawn after every widget", 8, 18);
    }

    SysFont mFont{"DejaVu Sans", 11};
};

class Listener : public ButtonListener, public CheckboxListener {
public:
    explicit Listener(Panel* panel) : mPanel(panel) {}

    void ButtonClick(const int id) override
    {
        mPanel->mCaption = "Clicked button " + std::to_string(id);
        mPanel->MarkDirty();
    }
    void CheckboxChecked(const int id, const bool checked) override { mChecked = checked; }

    Panel* mPanel;
    bool mChecked = false;
};

Point Centre(const Widget& widget)
{
    const Point position = widget.GetAbsPos();
    return Point{position.mX + widget.mWidth / 2, position.mY + widget.mHeight / 2};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: widget_sheet OUTPUT.png\n");
        return 2;
    }
    Tools::PictureApp app;
    SetAppInterface(&app);
    MemoryImage screen(&app);
    screen.Create(800, 600);
    WidgetManager manager(&app);
    manager.mScreenImage = &screen;
    manager.SetMouseRects(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600));

    Panel backdrop(Rect(0, 0, 800, 600), Color(30, 70, 60), "Widget tree");
    Panel inner(Rect(150, 120, 500, 300), Color(50, 110, 90), "Nothing clicked yet");
    Listener listener(&inner);
    ButtonWidget ok(1, &listener);
    ok.mLabel = "Clicked";
    ok.Resize(40, 80, 160, 40);
    ButtonWidget hover(2, &listener);
    hover.mLabel = "Mouse over";
    hover.Resize(260, 80, 160, 40);
    hover.SetColor(ButtonWidget::COLOR_LABEL_HILITE, Color(200, 0, 0));
    Checkbox check(nullptr, nullptr, 3, &listener);
    check.Resize(40, 160, 24, 24);
    TooltipOwner tooltip;
    tooltip.Resize(330, 140, 300, 28);

    manager.AddWidget(&backdrop);
    backdrop.AddWidget(&inner);
    inner.AddWidget(&ok);
    inner.AddWidget(&hover);
    inner.AddWidget(&check);
    manager.AddWidget(&tooltip);

    const auto click = [&manager](const Point& at) {
        manager.MouseMove(at.mX, at.mY);
        manager.MouseDown(at.mX, at.mY, 1);
        manager.MouseUp(at.mX, at.mY, 1);
    };
    click(Centre(ok));
    click(Centre(check));
    const Point rest = Centre(hover);
    manager.MouseMove(rest.mX, rest.mY);
    manager.UpdateFrame();
    manager.DrawScreen();

    const bool scripted = listener.mChecked && hover.mIsOver && inner.mCaption == "Clicked button 1";
    manager.RemoveAllWidgets(false, true);
    SetAppInterface(nullptr);
    if (!scripted) {
        std::fprintf(stderr, "widget_sheet: the scripted clicks did not reach the widgets\n");
        return 1;
    }

    if (!Tools::WritePNG(screen, argv[1])) {
        std::fprintf(stderr, "widget_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
