#pragma once
// Widgets and a manager for scripted-input tests: every event a widget receives is written
// to one shared log as "name:Event args", so a test can compare the whole sequence.

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {

using EventLog = std::vector<std::string>;

class RecordingWidget : public Zest::Widget {
public:
    RecordingWidget(std::string name, EventLog* log, const int x = 0, const int y = 0, const int width = 10,
                    const int height = 10)
        : mName(std::move(name)), mLog(log)
    {
        mX = x;
        mY = y;
        mWidth = width;
        mHeight = height;
    }

    void Update() override
    {
        Widget::Update();
        Log("Update");
        if (mOnUpdate)
            mOnUpdate();
    }
    void UpdateSmooth(const float fraction) override { Log("UpdateSmooth"); }
    void Draw(Zest::Graphics* g) override
    {
        Log("Draw");
        if (mOnDraw)
            mOnDraw(g);
    }
    void DrawOverlay(Zest::Graphics* g) override
    {
        Log("DrawOverlay");
        if (mOnDrawOverlay)
            mOnDrawOverlay(g);
    }
    void GotFocus() override
    {
        Widget::GotFocus();
        Log("GotFocus");
    }
    void LostFocus() override
    {
        Widget::LostFocus();
        Log("LostFocus");
    }
    void KeyChar(const char c) override { Log("KeyChar " + std::to_string(static_cast<int>(c))); }
    void KeyDown(const int keyCode) override
    {
        Log("KeyDown " + std::to_string(keyCode));
        Widget::KeyDown(keyCode);
    }
    void KeyUp(const int keyCode) override { Log("KeyUp " + std::to_string(keyCode)); }
    void MouseEnter() override { Log("MouseEnter"); }
    void MouseLeave() override { Log("MouseLeave"); }
    void MouseMove(const int x, const int y) override { Log("MouseMove " + Pair(x, y)); }
    void MouseButtonDown(const int x, const int y, const int button, const int clickCount) override
    {
        Log("MouseButtonDown " + Pair(x, y) + " " + std::to_string(button) + " " + std::to_string(clickCount));
    }
    void MouseButtonUp(const int x, const int y, const int button, const int clickCount) override
    {
        Log("MouseButtonUp " + Pair(x, y) + " " + std::to_string(button) + " " + std::to_string(clickCount));
    }
    void MouseUpAt(const int x, const int y) override { Log("MouseUpAt " + Pair(x, y)); }
    void MouseDrag(const int x, const int y) override { Log("MouseDrag " + Pair(x, y)); }
    void MouseWheel(const int delta) override { Log("MouseWheel " + std::to_string(delta)); }
    bool IsPointVisible(const int x, const int y) override { return mPointVisible; }
    void AddedToManager(Zest::WidgetManager* manager) override
    {
        Log("AddedToManager");
        Widget::AddedToManager(manager);
    }
    void RemovedFromManager(Zest::WidgetManager* manager) override
    {
        Log("RemovedFromManager");
        Widget::RemovedFromManager(manager);
    }
    void ZOrderChanged() override { Log("ZOrderChanged"); }

    void Log(const std::string& event) { mLog->push_back(mName + ":" + event); }

    std::string mName;
    EventLog* mLog;
    bool mPointVisible = true;
    std::function<void()> mOnUpdate;
    std::function<void(Zest::Graphics*)> mOnDraw;
    std::function<void(Zest::Graphics*)> mOnDrawOverlay;

private:
    static std::string Pair(const int x, const int y) { return std::to_string(x) + "," + std::to_string(y); }
};

// A manager over an 800x600 screen image with the mouse mapped one to one.
class WidgetTest : public ::testing::Test {
protected:
    WidgetTest() : mManager(&mApp)
    {
        Zest::SetAppInterface(&mApp);
        mScreen.Create(800, 600);
        mManager.mScreenImage = &mScreen;
        mManager.SetMouseRects(Zest::Rect(0, 0, 800, 600), Zest::Rect(0, 0, 800, 600));
    }
    ~WidgetTest() override
    {
        mManager.RemoveAllWidgets(false, true);
        Zest::SetAppInterface(nullptr);
    }

    // A widget owned by the test, not yet added anywhere.
    RecordingWidget* Make(const std::string& name, const int x = 0, const int y = 0, const int width = 10,
                          const int height = 10)
    {
        mOwned.push_back(std::make_unique<RecordingWidget>(name, &mLog, x, y, width, height));
        return mOwned.back().get();
    }
    // A widget made and added on top of the manager's list.
    RecordingWidget* AddTop(const std::string& name, const int x = 0, const int y = 0, const int width = 10,
                            const int height = 10)
    {
        RecordingWidget* widget = Make(name, x, y, width, height);
        mManager.AddWidget(widget);
        return widget;
    }
    // The events logged since the last call.
    EventLog TakeLog() { return std::exchange(mLog, EventLog()); }

    FakeApp mApp;
    Zest::MemoryImage mScreen{&mApp};
    Zest::WidgetManager mManager;
    EventLog mLog;
    std::vector<std::unique_ptr<RecordingWidget>> mOwned;
};

} // namespace Tests
