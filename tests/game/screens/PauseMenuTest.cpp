#include "game/screens/PauseMenu.h"

#include "framework/graphics/Graphics.h"
#include "game/GameOptions.h"
#include "game/StringTable.h"
#include "game/screens/MenuItem.h"
#include "game/screens/PauseMenuHost.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

// The game under the menu: every call is logged. Closing deletes the menu at once, so that a
// menu touching itself after it asked to be closed shows under the address sanitizer.
class RecordingPauseHost : public PauseMenuHost {
public:
    RecordingPauseHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    void ClosePauseMenu(const bool leave) override
    {
        mLog.push_back(leave ? "close and leave" : "close");
        ASSERT_NE(mMenu, nullptr);
        mManager.RemoveWidget(mMenu);
        delete mMenu;
        mMenu = nullptr;
    }
    bool IsFoodWebOpen() const override { return mFoodWebOpen; }
    void CloseFoodWebInfo() override { mLog.push_back("close food web"); }
    void RestartStage() override { mLog.push_back("restart"); }
    void StoreGameForLater() override { mLog.push_back("store game"); }
    void ShowOptionsMenu() override { mLog.push_back("show options"); }

    bool mFoodWebOpen = false;
    // In the manager until closed.
    PauseMenu* mMenu = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

// The menu on the dialogs' stand-ins, opened as the game opens it: the panel's size,
// centred on the screen.
class PauseMenuTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        const char* const texts[][2] = {
            {"BTN_RESUMEGAME", "Resume"},   {"BTN_RESTARTLEVEL", "Restart"},
            {"BTN_SAVEEXIT", "Save, exit"}, {"LABEL_PAUSEMENU", "Paused"},
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
    }

    void TearDown() override
    {
        Dismiss();
        ProfileScreenTest::TearDown();
    }

    // A menu the game did not close is still the test's.
    void Dismiss()
    {
        if (mGame.mMenu == nullptr)
            return;
        mManager.RemoveWidget(mGame.mMenu);
        delete mGame.mMenu;
        mGame.mMenu = nullptr;
    }

    PauseMenu& Open()
    {
        auto* const menu = new PauseMenu(&mGame, &mTextStyle);
        menu->Resize(0, 0, kSubmenuWidth, kSubmenuHeight);
        menu->Move(kPanelX, kPanelY);
        mManager.AddWidget(menu);
        mGame.mMenu = menu;
        return *menu;
    }

    RecordingPauseHost mGame{mServices.mLog, mManager};
};

// In the order the menu makes them.
enum Button { RESUME, OPTIONS, RESTART, SAVE_EXIT };

TEST_F(PauseMenuTest, TheFourButtonsAreMadeInTheirOrderCentredInWindowCoordinatesAboveTheMenu)
{
    const PauseMenu& menu = Open();
    ASSERT_EQ(menu.mItems.size(), 4u);
    const struct {
        const char* mLabel;
        int mTop;
    } buttons[] = {{"Resume", 95}, {"Options", 205}, {"Restart", 150}, {"Save, exit", 260}};
    for (size_t i = 0; i < menu.mItems.size(); ++i) {
        const MenuItem& button = *menu.mItems[i];
        ExpectDialogButton(button, buttons[i].mLabel, Zest::Rect(kDialogButtonX, kPanelY + buttons[i].mTop, 200, 50),
                           1.0f);
        EXPECT_EQ(button.mOverlayPriority, PauseMenu::kButtonPriority);
    }
}

struct ButtonCase {
    const char* mName;
    Button mButton;
    bool mFoodWebOpen;
    Log mCalls;
};

TEST_F(PauseMenuTest, EachButtonAsksTheGameInItsOrder)
{
    const ButtonCase cases[] = {
        {"resume", RESUME, false, {"close"}},
        {"options", OPTIONS, false, {"show options"}},
        {"restart", RESTART, false, {"close", "restart"}},
        {"restart over the food web", RESTART, true, {"close food web", "close", "restart"}},
        {"save and exit", SAVE_EXIT, false, {"store game", "close and leave"}},
    };
    for (const ButtonCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mGame.mFoodWebOpen = test.mFoodWebOpen;
        const MenuItem& button = *Open().mItems[test.mButton];
        mServices.TakeLog();
        Click(button);
        Log expected{kClickLogged};
        expected.insert(expected.end(), test.mCalls.begin(), test.mCalls.end());
        EXPECT_EQ(mServices.TakeLog(), expected);
        // The options only step the menu aside, which the application does.
        EXPECT_EQ(mGame.mMenu == nullptr, test.mButton != OPTIONS) << "closed by the game";
        Dismiss();
    }
}

TEST_F(PauseMenuTest, TheMenuDarkensTheWholeScreenUnderItsPanelAndTitleAndTheScanLines)
{
    PauseMenu& menu = Open();
    // Grey 71 under white scan lines at alpha 64: 71 + (200 - 71) x 64 / 255.
    const struct {
        bool mScanLines;
        Color mOutside;
        Color mPanel;
    } cases[] = {
        {false, kShadedGrey, Color(220, 200, 160)},
        {true, Color(103, 103, 103), Color(215, 200, 170)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.mScanLines ? "scan lines on" : "scan lines off");
        GameOptionsHolder::Instance().mScanLines = test.mScanLines;
        FillScreen(kBehindGrey);
        mLabelFont.mRuns.clear();
        Zest::Graphics g(&mScreen);
        g.Translate(menu.mX, menu.mY);
        menu.DrawOverlay(&g);

        for (const auto& [x, y] : {std::pair{5, 5}, std::pair{795, 595}})
            EXPECT_TRUE(ShowsColor(test.mOutside, Pixel(x, y))) << x << ", " << y;
        EXPECT_TRUE(ShowsColor(test.mPanel, Pixel(kPanelX + 200, kPanelY + 300))) << "the panel picture";
        ExpectPanelTitle(mLabelFont, "Paused", kSubmenuWidth);
    }
}

} // namespace
} // namespace Tests
