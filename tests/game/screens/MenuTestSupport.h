#pragma once
// Stand-ins for the menu tests: application services that record what menus ask of them, a
// font that records where text lands, pictures to draw, and a screen with a widget manager.

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/MenuServices.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {

// Logs every sound as "sound <id>" (tests add their own entries to the same log) and keeps
// the widgets handed over for deletion, deleting them when it goes.
class RecordingMenuServices : public MenuServices {
public:
    ~RecordingMenuServices() override
    {
        for (Zest::Widget* const widget : mDeferred)
            delete widget;
    }

    void PlaySoundEffect(const int soundId) override { mLog.push_back("sound " + std::to_string(soundId)); }
    void DeferDeleteWidget(Zest::Widget* const widget) override { mDeferred.push_back(widget); }

    std::vector<std::string> TakeLog() { return std::exchange(mLog, {}); }

    std::vector<std::string> mLog;
    std::vector<Zest::Widget*> mDeferred;
};

// Every character is 10 pixels wide; each drawn run is recorded at its baseline (without the
// context's translation), in its colour.
class RunRecordingFont : public Zest::Font {
public:
    struct Run {
        std::string mText;
        int mX;
        int mY;
        Zest::Color mColor;
    };

    RunRecordingFont()
    {
        mAscent = 12;
        mHeight = 16;
    }

    int StringWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    void DrawString(Zest::Graphics*, const int x, const int y, const std::string& text, const Zest::Color& color,
                    const Zest::Rect&) override
    {
        mRuns.push_back({text, x, y, color});
    }
    Zest::Font* Duplicate() const override { return new RunRecordingFont(*this); }

    std::vector<Run> mRuns;
};

// A panel's title as the dialogs write it, and nothing else in that font: centred in the
// panel's width at the baseline 35, a white copy one pixel right of and below the green one.
inline void ExpectPanelTitle(const RunRecordingFont& font, const std::string& title, const int panelWidth)
{
    const int titleX = (panelWidth - 10 * static_cast<int>(title.size())) / 2;
    ASSERT_EQ(font.mRuns.size(), 2u);
    EXPECT_EQ(font.mRuns[0].mText, title);
    EXPECT_EQ(font.mRuns[0].mX, titleX + 1);
    EXPECT_EQ(font.mRuns[0].mY, 36);
    EXPECT_EQ(font.mRuns[0].mColor, Zest::Color::White);
    EXPECT_EQ(font.mRuns[1].mText, title);
    EXPECT_EQ(font.mRuns[1].mX, titleX);
    EXPECT_EQ(font.mRuns[1].mY, 35);
    EXPECT_EQ(font.mRuns[1].mColor, Zest::Color(0, 130, 49));
}

// A picture of rows of one colour each, every row cellHeight pixels high.
inline std::unique_ptr<Zest::MemoryImage> StripImage(Zest::AppInterface* const app, const int width,
                                                     const int cellHeight, const std::vector<Zest::Color>& rows)
{
    auto image = std::make_unique<Zest::MemoryImage>(app);
    image->Create(width, cellHeight * static_cast<int>(rows.size()));
    image->mNumRows = static_cast<int>(rows.size());
    Zest::Graphics g(image.get());
    for (size_t row = 0; row < rows.size(); ++row) {
        g.SetColor(rows[row]);
        g.FillRect(0, static_cast<int>(row) * cellHeight, width, cellHeight);
    }
    return image;
}

// An opaque black 800 x 600 screen under a widget manager that maps the mouse one to one,
// with the recording services installed for the menus. Widgets the test keeps leave the
// manager before they are deleted.
class MenuScreenTest : public ::testing::Test {
protected:
    MenuScreenTest() : mManager(&mApp)
    {
        Zest::SetAppInterface(&mApp);
        mScreen.Create(800, 600);
        ClearScreen();
        mManager.mScreenImage = &mScreen;
        mManager.SetMouseRects(Zest::Rect(0, 0, 800, 600), Zest::Rect(0, 0, 800, 600));
        SetMenuServices(&mServices);
    }
    ~MenuScreenTest() override
    {
        mManager.RemoveAllWidgets(false, true);
        SetMenuServices(nullptr);
        Zest::SetAppInterface(nullptr);
    }

    void ClearScreen() { FillScreen(Zest::Color::Black); }
    void FillScreen(const Zest::Color& color)
    {
        Zest::Graphics g(&mScreen);
        g.SetColor(color);
        g.FillRect(0, 0, mScreen.mWidth, mScreen.mHeight);
    }
    template <typename T>
    T* Keep(std::unique_ptr<T> widget)
    {
        T* const kept = widget.get();
        mKept.push_back(std::move(widget));
        return kept;
    }
    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[y * mScreen.mWidth + x]; }
    int Red(const int x, const int y) { return static_cast<int>((Pixel(x, y) >> 16) & 0xFF); }

    FakeApp mApp;
    Zest::MemoryImage mScreen{&mApp};
    Zest::WidgetManager mManager;
    RecordingMenuServices mServices;
    std::vector<std::unique_ptr<Zest::Widget>> mKept;
};

} // namespace Tests
