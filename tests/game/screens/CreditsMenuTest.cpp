#include "game/screens/CreditsMenu.h"

#include "framework/graphics/Graphics.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/CreditsHost.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

const Color kHeading(100, 20, 20);
const Color kText(239, 234, 135);

// The application around the screen. Back is logged and deletes the screen at once, so
// that a screen touching itself after it asked to go shows under the address sanitizer.
class RecordingCreditsHost : public CreditsHost {
public:
    RecordingCreditsHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    void BackFromCredits() override
    {
        mLog.push_back("back from credits");
        ASSERT_NE(mScreen, nullptr);
        mManager.RemoveWidget(mScreen);
        delete mScreen;
        mScreen = nullptr;
    }
    const TextStyleHost& GetTextStyle() const override { return mTextStyle; }

    FakeTextStyleHost mTextStyle;
    // In the manager until Back.
    CreditsMenu* mScreen = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

class CreditsMenuTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        IMAGE_GAME_BACKGROUND_CREDITS = mBackdrop.get();
        const char* const headings[][2] = {
            {"LABEL_DEVBY", "Made by"},    {"LABEL_EXECPRODUCER", "Producer"}, {"LABEL_ART", "Pictures"},
            {"LABEL_MUSIC", "Songs"},      {"LABEL_PROGRAMMING", "Code"},      {"LABEL_SPECIALTHANKS", "Thanks"},
        };
        for (const auto& text : headings)
            StringTableHolder::Instance().SetString(text[0], text[1]);
    }

    void TearDown() override
    {
        if (mHost.mScreen != nullptr) {
            mManager.RemoveWidget(mHost.mScreen);
            delete mHost.mScreen;
            mHost.mScreen = nullptr;
        }
        IMAGE_GAME_BACKGROUND_CREDITS = nullptr;
        ProfileScreenTest::TearDown();
    }

    // The credits over the whole screen, as the application opens them.
    CreditsMenu& Open()
    {
        auto* const screen = new CreditsMenu(&mHost);
        screen->Resize(0, 0, 800, 600);
        mHost.mScreen = screen;
        mManager.AddWidget(screen);
        mServices.TakeLog();
        return *screen;
    }

    // The label font's runs of one drawing.
    std::vector<RunRecordingFont::Run> DrawLines(CreditsMenu& screen)
    {
        mLabelFont.mRuns.clear();
        RecordingScreen recording(800, 600);
        Zest::Graphics g(&recording);
        screen.DrawOverlay(&g);
        mBackdropDrawn = recording.Find(mBackdrop.get()) != nullptr;
        return mLabelFont.mRuns;
    }

    std::unique_ptr<Zest::MemoryImage> mBackdrop = SolidImage(&mApp, 800, 600, Color(0, 60, 0));
    RecordingCreditsHost mHost{mServices.mLog, mManager};
    bool mBackdropDrawn = false;
};

// The headings come from the string table in the heading colour; the framework's heading
// and the physics heading are the screen's own, the closing notice is kept word for word.
TEST_F(CreditsMenuTest, TheListKeepsItsThirtyNineLinesTheirKindsAndColours)
{
    const CreditsMenu& screen = Open();
    ASSERT_EQ(screen.mLines.size(), 39u);
    struct Expected {
        int mLine;
        std::optional<std::string> mText;
        Color mColor;
    };
    const std::vector<Expected> table = {
        {1, "Made by", kHeading},  {4, "Producer", kHeading}, {7, "Pictures", kHeading},
        {10, "Songs", kHeading},   {13, "Code", kHeading},    {16, "Thanks", kHeading},
        {27, std::nullopt, kHeading},
        {32, "Physics library used", kHeading},
        {33, "Box2D", kText},
        {37, "All characters in this game are result", kText},
        {38, "of pure fiction. Any similarities with", kText},
        {39, "real persons is pure coincidence.", kText},
    };
    for (const Expected& line : table) {
        SCOPED_TRACE("line " + std::to_string(line.mLine));
        const CreditLine& held = screen.mLines[static_cast<size_t>(line.mLine - 1)];
        if (line.mText)
            EXPECT_EQ(held.mText, *line.mText);
        else
            EXPECT_FALSE(held.mText.empty());
        EXPECT_EQ(held.mColor, line.mColor);
    }
    for (const int empty : {3, 6, 9, 12, 15, 17, 25, 26, 30, 31, 34, 36})
        EXPECT_TRUE(screen.mLines[static_cast<size_t>(empty - 1)].mText.empty()) << "line " << empty;
    for (const int entry : {2, 5, 8, 11, 14, 18, 19, 20, 21, 22, 23, 24, 28, 29, 35}) {
        EXPECT_FALSE(screen.mLines[static_cast<size_t>(entry - 1)].mText.empty()) << "line " << entry;
        EXPECT_EQ(screen.mLines[static_cast<size_t>(entry - 1)].mColor, kText) << "line " << entry;
    }
    EXPECT_EQ(screen.mLines[13].mText, screen.mLines[4].mText) << "programming names the producer";
    EXPECT_NE(screen.mLines[34].mText.find("Box2D"), std::string::npos) << "the physics library's authors";
}

// A line at position t is written centred at baseline t + 160 while 26 <= t <= 300; it
// fades in over the band's lowest 64 pixels, out over its highest, and never outshines
// the menu.
TEST_F(CreditsMenuTest, TheFirstLineEntersAtTheBandsLowerEdgeAndFadesAtBothEdges)
{
    CreditsMenu& screen = Open();
    EXPECT_EQ(screen.mScrollY, 300.0f);
    struct Case {
        float mScrollY;
        float mMenuAlpha;
        // -1: not drawn.
        int mAlpha;
    };
    const Case cases[] = {
        {300.0f, 255.0f, 0},   {299.0f, 255.0f, 4},   {237.0f, 255.0f, 252}, {236.0f, 255.0f, 255},
        {150.0f, 255.0f, 255}, {90.0f, 255.0f, 255},  {89.0f, 255.0f, 252},  {27.0f, 255.0f, 4},
        {26.0f, 255.0f, 0},    {25.0f, 255.0f, -1},   {301.0f, 255.0f, -1},  {150.9f, 255.0f, 255},
        {150.0f, 100.6f, 100}, {299.0f, 100.0f, 4},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE("first line at " + std::to_string(test.mScrollY) + ", menu alpha " +
                     std::to_string(test.mMenuAlpha));
        screen.mScrollY = test.mScrollY;
        screen.mAlpha = test.mMenuAlpha;
        const std::vector<RunRecordingFont::Run> runs = DrawLines(screen);
        EXPECT_TRUE(mBackdropDrawn);
        const auto first = std::find_if(runs.begin(), runs.end(),
                                        [](const RunRecordingFont::Run& run) { return run.mText == "Made by"; });
        if (test.mAlpha < 0) {
            EXPECT_EQ(first, runs.end());
            continue;
        }
        ASSERT_NE(first, runs.end());
        const int position = static_cast<int>(test.mScrollY);
        EXPECT_EQ(first->mY, position + 160);
        EXPECT_EQ(first->mX, (800 - 70) / 2);
        EXPECT_EQ(first->mColor, Color(100, 20, 20, test.mAlpha));
    }
}

// Every line in the band is drawn, in its own colour, 20 pixels below the one before.
TEST_F(CreditsMenuTest, TheLinesInTheBandFollowTwentyPixelsApart)
{
    CreditsMenu& screen = Open();
    screen.mScrollY = -480.0f;
    const std::vector<RunRecordingFont::Run> runs = DrawLines(screen);
    // Lines 27 to 39 lie between 40 and 280; the empty ones write nothing.
    std::vector<std::string> written;
    for (const RunRecordingFont::Run& run : runs) {
        written.push_back(run.mText);
        const int line = (run.mY - 160 + 480) / 20;
        ASSERT_GE(line, 26);
        ASSERT_LT(line, 39);
        EXPECT_EQ(run.mText, screen.mLines[static_cast<size_t>(line)].mText);
        EXPECT_EQ((run.mY - 160 + 480) % 20, 0);
        EXPECT_EQ(run.mColor.WithAlpha(255), screen.mLines[static_cast<size_t>(line)].mColor);
    }
    EXPECT_EQ(written.size(), 9u);
    EXPECT_EQ(written.back(), "real persons is pure coincidence.");
}

// A third of a pixel per whole update; the list starts again once the first line has
// fallen below -20 per line, that is -780.
TEST_F(CreditsMenuTest, ScrollsAThirdOfAPixelPerUpdateAndStartsAgainBelowMinus780)
{
    CreditsMenu& screen = Open();
    screen.UpdateSmooth(3.0f);
    EXPECT_FLOAT_EQ(screen.mScrollY, 299.0f);
    screen.UpdateSmooth(1.5f);
    EXPECT_FLOAT_EQ(screen.mScrollY, 298.5f);

    screen.mScrollY = -779.5f;
    screen.UpdateSmooth(1.5f);
    EXPECT_FLOAT_EQ(screen.mScrollY, -780.0f) << "at -780 the list has not started again";
    screen.UpdateSmooth(0.3f);
    EXPECT_EQ(screen.mScrollY, 300.0f);
}

// Back sits in the bottom left corner, drawn mirrored, above the credits, and hands the way
// back to the application once.
TEST_F(CreditsMenuTest, BackSitsBottomLeftAndHandsTheWayBackToTheApplication)
{
    CreditsMenu& screen = Open();
    ASSERT_NE(screen.mBackButton, nullptr);
    ASSERT_EQ(screen.mItems, std::vector<MenuItem*>{screen.mBackButton});
    const MenuItem& back = *screen.mBackButton;
    ExpectDialogButton(back, "Back", Zest::Rect(20, 550, kLargeButtonWidth, kLargeButtonHeight), -1.0f);
    EXPECT_EQ(back.mOverlayPriority, CreditsMenu::kOverlayPriority);

    Click(back);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "back from credits"}));
    EXPECT_EQ(mHost.mScreen, nullptr);
    EXPECT_FALSE(mManager.HasWidget(&back)) << "the button leaves with the screen";
}

// The scan lines lie over the credits while the option is on.
TEST_F(CreditsMenuTest, ScanLinesCoverTheCreditsWhenTheOptionIsOn)
{
    CreditsMenu& screen = Open();
    for (const bool on : {false, true}) {
        GameOptionsHolder::Instance().mScanLines = on;
        RecordingScreen recording(800, 600);
        Zest::Graphics g(&recording);
        screen.DrawOverlay(&g);
        EXPECT_EQ(recording.Find(mScanLines.get()) != nullptr, on);
    }
}

} // namespace
} // namespace Tests
