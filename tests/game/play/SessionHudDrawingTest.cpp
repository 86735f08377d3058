#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Creature.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tests::Blit;
using Tests::RecordingScreen;

// A recording screen that also keeps the clip of each float-position draw.
class ClipRecordingScreen : public RecordingScreen {
public:
    ClipRecordingScreen() : RecordingScreen(800, 600) {}

    void BltAtFloat(Zest::Image* const src, const float x, const float y, const Zest::Rect& srcRect,
                    const Zest::Rect& clip, const Zest::Color& color, const int drawMode) override
    {
        RecordingScreen::BltAtFloat(src, x, y, srcRect, clip, color, drawMode);
        mClips.emplace_back(src, clip);
    }

    // The clip of every float-position draw of the picture, in order.
    std::vector<Zest::Rect> ClipsOf(const Zest::Image* const source) const
    {
        std::vector<Zest::Rect> found;
        for (const auto& [image, clip] : mClips) {
            if (image == source)
                found.push_back(clip);
        }
        return found;
    }

    std::vector<std::pair<const Zest::Image*, Zest::Rect>> mClips;
};

// Records each text drawn with it, at its baseline.
class TextRecordingFont : public Zest::Font {
public:
    struct Run {
        std::string mText;
        int mX;
        int mY;
    };

    void DrawString(Zest::Graphics*, const int x, const int y, const std::string& text, const Zest::Color&,
                    const Zest::Rect&) override
    {
        mRuns.push_back({text, x, y});
    }
    Zest::Font* Duplicate() const override { return new TextRecordingFont(*this); }

    std::vector<Run> mRuns;
};

// Puts the font in a font variable of the resources for the scope.
class FontSwap {
public:
    FontSwap(Zest::Font*& slot, Zest::Font* const font) : mSlot(slot), mKept(slot) { mSlot = font; }
    ~FontSwap() { mSlot = mKept; }
    FontSwap(const FontSwap&) = delete;
    FontSwap& operator=(const FontSwap&) = delete;

private:
    Zest::Font*& mSlot;
    Zest::Font* const mKept;
};

// The Amazon's first stage in play, settled, its head-up display drawn on a recording
// screen as the widget manager draws the session at the screen's origin.
class SessionHudDrawingTest : public Tests::PlayFixture {
protected:
    void StartSettled()
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay());
        ASSERT_GE(RunUntilIdle(), 0);
        ASSERT_TRUE(Session().mHudVisible);
    }

    const ClipRecordingScreen& DrawNormal()
    {
        mScreen = std::make_unique<ClipRecordingScreen>();
        Zest::Graphics g(mScreen.get());
        Session().Draw(&g);
        return *mScreen;
    }

    const ClipRecordingScreen& DrawOverlay()
    {
        mScreen = std::make_unique<ClipRecordingScreen>();
        Zest::Graphics g(mScreen.get());
        Session().DrawOverlay(&g);
        return *mScreen;
    }

    // The habitat's first creature of an animal or a plant, or of an item.
    Creature* FirstCreature(const bool item)
    {
        for (const auto& creature : Session().mHabitat->mCreatures) {
            if (creature->IsItem() == item)
                return creature.get();
        }
        return nullptr;
    }

    std::unique_ptr<ClipRecordingScreen> mScreen;
};

TEST_F(SessionHudDrawingTest, TheScoreShowsItsLastNineDigitsAndNoSign)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    const struct {
        int32_t score;
        const char* digits;
    } cases[] = {
        {0, "000000000"},
        {-5, "000000000"},
        {1'000'000'123, "000000123"},
        {987'654'321, "987654321"},
    };
    for (const auto& [score, digits] : cases) {
        Session().mScore = score;
        const RecordingScreen& screen = DrawOverlay();
        // Digit pictures by their left edge: each slot is one digit's width from the last.
        std::vector<std::pair<float, int>> drawn;
        for (int digit = 0; digit <= 9; ++digit) {
            auto* const picture = static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_NUM_0_ID + digit));
            for (const Blit& blit : screen.Of(picture)) {
                EXPECT_FLOAT_EQ(blit.mY, 63.0f) << score;
                drawn.emplace_back(blit.mX, digit);
            }
        }
        std::sort(drawn.begin(), drawn.end());
        std::vector<std::pair<float, int>> expected;
        for (int slot = 0; slot < 9; ++slot) {
            const int digit = digits[slot] - '0';
            auto* const picture = static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_NUM_0_ID + digit));
            expected.emplace_back(static_cast<float>(120 + slot * picture->GetWidth()), digit);
        }
        EXPECT_EQ(drawn, expected) << score;
    }
}

TEST_F(SessionHudDrawingTest, AnItemShowsItsIconAndUsesOnlyFromThreePieces)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    TextRecordingFont font;
    const FontSwap swap(FONT_IN_GAME_LABELS, &font);
    PlayerProfile& profile = *mApp->GetCurrentProfile();
    profile.mWater = 0;
    profile.mShuffles = 0;
    const int torchWidth = IMAGE_GAME_TORCH->GetWidth();
    const struct {
        int32_t pieces;
        size_t icons;
        std::vector<std::string> texts;
    } cases[] = {
        {2, 0, {}},
        {3, 1, {"1", "1"}},
        {7, 1, {"2", "2"}},
    };
    for (const auto& [pieces, icons, texts] : cases) {
        profile.mTorches = pieces;
        font.mRuns.clear();
        const RecordingScreen& screen = DrawNormal();
        const std::vector<Blit> torch = screen.Of(IMAGE_GAME_TORCH);
        ASSERT_EQ(torch.size(), icons) << pieces;
        std::vector<std::string> drawnTexts;
        for (const TextRecordingFont::Run& run : font.mRuns)
            drawnTexts.push_back(run.mText);
        EXPECT_EQ(drawnTexts, texts) << pieces;
        if (icons == 0)
            continue;
        EXPECT_FLOAT_EQ(torch[0].mX, 90.0f);
        EXPECT_FLOAT_EQ(torch[0].mY, 347.0f);
        // The shadow one pixel right of and below the number.
        EXPECT_EQ(font.mRuns[0].mX, torchWidth + 86);
        EXPECT_EQ(font.mRuns[0].mY, 373);
        EXPECT_EQ(font.mRuns[1].mX, torchWidth + 85);
        EXPECT_EQ(font.mRuns[1].mY, 372);
    }
    EXPECT_TRUE(DrawNormal().Of(IMAGE_GAME_BUCKET).empty());
}

TEST_F(SessionHudDrawingTest, GoalRowsShowTheirShareAndSkipUncountedAndItemGoals)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    Creature* const animal = FirstCreature(false);
    Creature* const item = FirstCreature(true);
    ASSERT_NE(animal, nullptr);
    ASSERT_NE(item, nullptr);
    Stage& stage = Session().mStage;
    // Rows: half done, a target of 0 (full), done (the check mark); the uncounted and the
    // item goals between them take no row.
    stage.mGoals = {{animal, 2}, {animal, StageGoal::NOT_COUNTED}, {item, 1}, {animal, 3}, {animal, 0}};
    stage.mGoalTargets = {4, StageGoal::NOT_COUNTED, 3, 0, 5};

    const ClipRecordingScreen& screen = DrawOverlay();
    Zest::Image* const base = IMAGE_GAME_GOAL_PROGRESS_BAR_BASE;
    const std::vector<Blit> bases = screen.Of(base);
    ASSERT_EQ(bases.size(), 2u);
    EXPECT_FLOAT_EQ(bases[0].mX, 80.0f);
    EXPECT_FLOAT_EQ(bases[0].mY, 105.0f);
    EXPECT_FLOAT_EQ(bases[1].mY, 167.0f);
    const std::vector<Zest::Rect> fills = screen.ClipsOf(IMAGE_GAME_GOAL_PROGRESS_BAR_FULL);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0], Zest::Rect(80, 105, base->GetWidth() / 2, 30));
    EXPECT_EQ(fills[1], Zest::Rect(80, 167, base->GetWidth(), 30));
    const std::vector<Blit> checks = screen.Of(IMAGE_GAME_GOAL_CHECK);
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_FLOAT_EQ(checks[0].mX, 115.0f);
    EXPECT_FLOAT_EQ(checks[0].mY, 220.0f);
    // One shrunken picture per row, centred on its row.
    const std::vector<Blit> icons = screen.Of(animal->mTileImage);
    ASSERT_EQ(icons.size(), 3u);
    const float halfHeight = 0.65f * static_cast<float>(animal->mTileImage->GetHeight()) / 2.0f;
    for (size_t row = 0; row < icons.size(); ++row)
        EXPECT_NEAR(icons[row].mY + halfHeight, 120.0f + 62.0f * static_cast<float>(row), 1.0f) << row;
    EXPECT_TRUE(screen.Of(item->mTileImage).empty());
}

TEST_F(SessionHudDrawingTest, AHiddenDisplayDrawsNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    ASSERT_FALSE(DrawNormal().mBlits.empty());
    ASSERT_FALSE(DrawOverlay().mBlits.empty());
    Session().mHudVisible = false;
    EXPECT_TRUE(DrawNormal().mBlits.empty());
    EXPECT_TRUE(DrawOverlay().mBlits.empty());
}

TEST_F(SessionHudDrawingTest, TheOverlayIsEmptyWhileTheFoodWebIsOpen)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    Session().ShowFoodWebInfo();
    ASSERT_TRUE(Session().IsFoodWebOpen());
    EXPECT_TRUE(DrawOverlay().mBlits.empty());
    // The background still lies under the food web.
    EXPECT_NE(DrawNormal().Find(Session().mHabitat->mBackImage), nullptr);
}

TEST_F(SessionHudDrawingTest, ScanLinesFollowTheOption)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    for (const bool on : {false, true}) {
        GameOptionsHolder::Instance().mScanLines = on;
        const std::vector<Blit> lines = DrawOverlay().Of(IMAGE_GAME_SCAN_LINES);
        ASSERT_EQ(lines.size(), on ? 1u : 0u);
        if (on) {
            EXPECT_FLOAT_EQ(lines[0].mX, 0.0f);
            EXPECT_FLOAT_EQ(lines[0].mY, 0.0f);
            EXPECT_EQ(lines[0].mColor, Zest::Color(200, 200, 200, 64));
        }
    }
}

} // namespace
