// What a story or tip page draws: the parchment with the guide's portrait and the page's
// text, the introduction's offered item, the help pages' pictures, a tip's veil, panel and
// demonstration, and over all of them the collection rainbow and the scan lines.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HelpSamples.h"
#include "game/screens/ScaledPicture.h"
#include "game/screens/StoryHost.h"
#include "game/screens/StoryScreens.h"
#include "game/screens/TextStyleHost.h"

#include <array>

namespace {

const Zest::Color kItemTextColor(128, 0, 0, 255);
const char* const kClickItemText = "( click on item to collect it )";
constexpr int32_t kClickItemX = 100;
constexpr int32_t kClickItemBaseline = 230;
// The glow's top-left corner on the page.
constexpr int32_t kGlowX = 270;
constexpr int32_t kGlowY = 120;
// Story texts: the greetings and help texts fill the page, an item's note its top.
const Zest::Rect kStoryTextRect(150, 40, 350, 420);
const Zest::Rect kItemNoteRect(150, 40, 350, 80);

constexpr std::array<const char*, 10> kBeforeMiniGameKeys = {
    "STORY_STRING_AMAZON_BEFORE_MINIGAME",     "STORY_STRING_GRANDCANYON_BEFORE_MINIGAME",
    "STORY_STRING_ALASKA_BEFORE_MINIGAME",     "STORY_STRING_ARCTIC_BEFORE_MINIGAME",
    "STORY_STRING_EUROPE_BEFORE_MINIGAME",     "STORY_STRING_DESERT_BEFORE_MINIGAME",
    "STORY_STRING_AFRICA_BEFORE_MINIGAME",     "STORY_STRING_ASIA_BEFORE_MINIGAME",
    "STORY_STRING_AUSTRALIA_BEFORE_MINIGAME",  "STORY_STRING_PACIFIC_BEFORE_MINIGAME",
};

constexpr std::array<const char*, StoryScreens::KIND_LAST_TIP - StoryScreens::KIND_FIRST_TIP + 1> kTipKeys = {
    "TUTORIAL_BASIC",           "TUTORIAL_FOODCHAIN",    "TUTORIAL_FOODCHAIN_FRAME", "TUTORIAL_HINT",
    "TUTORIAL_STRATEGY",        "TUTORIAL_MATCHINGANIMALS", "TUTORIAL_STAGEPROGRESS", "TUTORIAL_PROGRESS",
    "TUTORIAL_COMBOS",          "TUTORIAL_SEPARATE_FRAMES", "TUTORIAL_MATCHPAIRS",  "TUTORIAL_FINDINFECTED",
    "TUTORIAL_POWERSHUFFLE",    "TUTORIAL_POWERWATER",   "TUTORIAL_POWERTORCH",      "TUTORIAL_HUNTER",
    "TUTORIAL_SURVIVOR",
};

} // namespace

void StoryScreens::DrawOverlay(Zest::Graphics* const g)
{
    g->SetColor(Zest::Color::White);
    g->SetColorizeImages(true);
    if (IsTipKind(mPageKind)) {
        DrawTipPage(g);
    } else {
        g->DrawImage(IMAGE_GAME_STORY_BACK, 0, 0);
        DrawStoryPage(g);
    }
    if (mRainbow.mStatus == ANIM_RUNNING) {
        g->SetColor(Zest::Color::White);
        g->SetColorizeImages(true);
        DrawSprite(g, mRainbow, mRainbowX - static_cast<float>(mX + mRainbow.mWidth / 2),
                   mRainbowY - static_cast<float>(mY + mRainbow.mHeight / 2));
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

// The sprite's own drawing, its top-left corner at (x, y) on the page.
void StoryScreens::DrawSprite(Zest::Graphics* const g, AnimatedWidget& sprite, const float x, const float y)
{
    g->PushState();
    g->TranslateFloat(x, y);
    sprite.DrawOverlay(g);
    g->PopState();
}

void StoryScreens::DrawStoryPage(Zest::Graphics* const g)
{
    const Zest::Color textColor = mTextStyle->GetTextColor();
    switch (mPageKind) {
    case KIND_INTRODUCTION:
        DrawIntroduction(g);
        break;
    case KIND_BEFORE_MINI_GAME: {
        g->DrawImage(IMAGE_GAME_STORY_JANEPORTRET, 16, 16);
        g->SetFont(FONT_STORY_TEXT);
        g->SetColor(textColor);
        const int32_t habitat = mStory->GetSessionHabitatIndex();
        if (habitat >= 0 && habitat < static_cast<int32_t>(kBeforeMiniGameKeys.size()))
            g->WriteWordWrapped(kStoryTextRect, GetGameString(kBeforeMiniGameKeys[static_cast<size_t>(habitat)]));
        break;
    }
    case KIND_INVENTORY:
        g->SetColor(Zest::Color::White);
        g->DrawImage(IMAGE_GAME_TORCH, 50, 70);
        g->DrawImage(IMAGE_GAME_BUCKET, 50, 230);
        g->DrawImage(IMAGE_GAME_SHUFFLECOIN, 50, 350);
        g->SetFont(FONT_IN_GAME_LABELS);
        g->SetColor(textColor);
        g->WriteWordWrapped(Zest::Rect(150, 45, 350, 420), GetGameString("LBL_HELP_INVENTORY_TITLE"));
        g->SetFont(FONT_STORY_TEXT);
        g->WriteWordWrapped(Zest::Rect(150, 90, 350, 140), GetGameString("LBL_HELP_TORCH"));
        g->WriteWordWrapped(Zest::Rect(150, 225, 350, 140), GetGameString("LBL_HELP_WATER"));
        g->WriteWordWrapped(Zest::Rect(150, 350, 350, 140), GetGameString("LBL_HELP_SHUFFLE"));
        break;
    case KIND_SAMPLING: {
        static constexpr struct {
            Zest::Image** mPicture;
            const char* mKey;
        } kRows[] = {
            {&IMAGE_GAME_SM_FOODCHAIN, "LBL_HELP_SAMPLING_FOODCHAIN"},
            {&IMAGE_GAME_SM_MATCHSAME, "LBL_HELP_SAMPLING_MATCHSAME"},
            {&IMAGE_GAME_SM_MATCHPAIRS, "LBL_HELP_SAMPLING_MATCHPAIRS"},
            {&IMAGE_GAME_SM_MATCHSEARCH, "LBL_HELP_SAMPLING_FINDINFECTED"},
        };
        g->SetFont(FONT_STORY_TEXT);
        const int32_t rowHeight = IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER->GetHeight() + 20;
        for (int32_t row = 0; row < 4; ++row) {
            const int32_t y = 30 + row * rowHeight;
            g->SetColor(Zest::Color::White);
            g->DrawImage(IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, 25, y);
            g->DrawImage(*kRows[row].mPicture, 45, y + 25);
            g->SetColor(textColor);
            g->WriteWordWrapped(Zest::Rect(150, y, 350, 140), GetGameString(kRows[row].mKey));
        }
        g->SetFont(FONT_IN_GAME_LABELS);
        g->SetColor(textColor);
        g->WriteWordWrapped(Zest::Rect(150, 20, 350, 420), GetGameString("LBL_HELP_SAMPLING_TITLE"));
        break;
    }
    default:
        break;
    }
}

void StoryScreens::DrawIntroduction(Zest::Graphics* const g)
{
    static constexpr std::array<const char*, 3> kItemKeys = {"STORY_STRING_CONTAINERS", "STORY_STRING_DIARY",
                                                             "STORY_STRING_BACKPACK"};
    g->DrawImage(IMAGE_GAME_STORY_JANEPORTRET, 16, 16);
    g->SetFont(FONT_STORY_TEXT);
    if (mItemStage == STAGE_GREETINGS) {
        g->SetColor(mTextStyle->GetTextColor());
        g->WriteWordWrapped(kStoryTextRect, GetGameString("STORY_STRING_GREETINGS"));
        return;
    }
    g->SetColor(kItemTextColor);
    if (mItemStage == STAGE_FINAL_NOTE) {
        g->WriteWordWrapped(kItemNoteRect, GetGameString("STORY_STRING_FINALNOTE"));
        return;
    }
    g->WriteWordWrapped(kItemNoteRect, GetGameString(kItemKeys[static_cast<size_t>(mItemStage)]));
    g->SetColorizeImages(true);
    DrawSprite(g, mItemGlow, static_cast<float>(kGlowX), static_cast<float>(kGlowY));
    g->SetColor(kItemTextColor);
    g->WriteString(kClickItemText, kClickItemX, kClickItemBaseline, mWidth - kClickItemX, 0);
}

void StoryScreens::DrawTipPage(Zest::Graphics* const g)
{
    const int32_t alpha = mTipAlpha;
    const Zest::Color white(255, 255, 255, alpha);
    const Zest::Color textColor = mTextStyle->GetTextColor().WithAlpha(alpha);
    const int32_t panelHeight = GetTipPanelHeight();
    DialogParts::ShadeScreen(g, *this, alpha / 4);
    g->SetColor(white);
    g->SetColorizeImages(true);
    g->DrawImage(mPageKind == KIND_TIP_FOOD_CHAIN ? IMAGE_GAME_SUBMENU : IMAGE_GAME_TUTORIAL, 0, 0);
    DialogParts::DrawTitle(g, GetGameString("LABEL_TUTORIAL"), 0, DialogParts::kTitleBaseline,
                           IMAGE_GAME_SUBMENU->GetWidth(), alpha);
    g->SetColor(textColor);
    g->WriteWordWrapped(Zest::Rect(70, panelHeight - 50, 210, 30), GetGameString("LABEL_TUTORIALDISABLE"));
    g->SetColor(white);
    g->DrawImage(IMAGE_GAME_STORY_JANEPORTRET, 30, 60);
    g->SetFont(FONT_STORY_TEXT);
    g->SetColor(textColor);
    const bool lowText = mPageKind == KIND_FIRST_TIP || mPageKind == 9 || mPageKind == 10;
    g->WriteWordWrapped(Zest::Rect(150, lowText ? 80 : 60, 210, 300),
                        GetGameString(kTipKeys[static_cast<size_t>(mPageKind - KIND_FIRST_TIP)]));
    g->SetColor(white);
    DrawTipPicture(g);
}

void StoryScreens::DrawTipPicture(Zest::Graphics* const g)
{
    const int32_t h = mHeight;
    const int32_t step = mDemoStep;
    switch (mPageKind) {
    case 5:
        for (int32_t i = 0; i < 3; ++i)
            g->DrawImage(IMAGE_TILE_MACAW, 150 + 60 * i, h - 185);
        DrawChainDemo(g, {2, 60, 180, h - 142, 8, 135, h - 185, true, 160, h - 135}, step);
        break;
    case 6:
        g->DrawImage(IMAGE_TILE_ANACONDA, 65, h - 55);
        g->DrawImage(IMAGE_TILE_MACAW, 151, h - 55);
        g->DrawImage(IMAGE_TILE_FRUITS, 237, h - 55);
        DrawChainDemo(g, {2, 86, 95, h - 12, 12, 57, h - 55, true, 82, h - 5}, step);
        break;
    case 7:
        DrawCentredScaled(g, IMAGE_TILE_MACAW, 0.8f, 230.0f, static_cast<float>(h - 140));
        DrawCentredScaled(g, IMAGE_TILE_MACAW, 0.8f, 292.0f, static_cast<float>(h - 140));
        DrawCentredScaled(g, IMAGE_GAME_FRAMEX2, 0.8f, 261.0f, static_cast<float>(h - 140));
        break;
    case 8:
        if (step == 1 || step == 2)
            g->DrawImage(IMAGE_GAME_HINT_GOLD, 135 + 80 * step, h - 175);
        for (int32_t i = 0; i < 3; ++i)
            g->DrawImage(IMAGE_TILE_TAPIR, 135 + 80 * i, h - 175);
        DrawChainDemo(g, {2, 80, 175, h - 132, 10, 115, h - 175, false, 0, 0}, step);
        break;
    case 11:
        g->DrawImage(IMAGE_GAME_TUBES_TUTORIAL, 45, 265);
        break;
    case KIND_TIP_PROGRESS:
        g->DrawImageMirror(IMAGE_GAME_WAVEARROW, -50, h / 2);
        break;
    case 14:
        for (const float x : {190.0f, 272.0f}) {
            DrawCentredScaled(g, IMAGE_TILE_COYOTE, 0.8f, x, static_cast<float>(h - 140));
            DrawCentredScaled(g, IMAGE_GAME_FRAMEX1, 0.8f, x, static_cast<float>(h - 145));
        }
        break;
    case 15:
        g->DrawImage(IMAGE_TILE_BLACKBEAR, 150, h - 200);
        g->DrawImage(IMAGE_GAME_GENDER_MALE, 220, h - 200);
        g->DrawImage(IMAGE_TILE_BLACKBEAR, 236, h - 200);
        g->DrawImage(IMAGE_GAME_GENDER_FEMALE, 306, h - 200);
        DrawChainDemo(g, {1, 86, 180, h - 157, 12, 142, h - 200, true, 167, h - 150}, step);
        break;
    case KIND_TIP_FIND_INFECTED: {
        const float pulse = InfectionPulse(mUpdateCount);
        g->SetColorizeImages(true);
        g->SetColor(InfectionTint(pulse, mTipAlpha));
        g->SetLinearBlend(true);
        DrawCentredScaled(g, IMAGE_TILE_ORCA, 1.0f + 0.1f * pulse, 323.0f, static_cast<float>(h - 147));
        g->SetColor(Zest::Color(255, 255, 255, mTipAlpha));
        DrawCentredScaled(g, IMAGE_GAME_FRAMEX1, 0.6f, 180.0f, static_cast<float>(h - 165));
        g->DrawImage(IMAGE_GAME_WAVEARROW, 240, h - 175);
        break;
    }
    case 17:
        g->DrawImage(IMAGE_GAME_SHUFFLECOIN_ITEM, 40, h - 160);
        break;
    case 18:
        g->DrawImage(IMAGE_GAME_BUCKET_ITEM, 40, h - 160);
        break;
    case 19:
        g->DrawImage(IMAGE_GAME_TORCH_ITEM, 40, h - 160);
        break;
    case KIND_TIP_HUNTER:
        g->DrawImage(IMAGE_GAME_HUNTER, 150, h - 200);
        g->DrawImage(IMAGE_GAME_CAGE, 280, h - 200);
        g->DrawImage(IMAGE_GAME_WAVEARROW, 230, h - 175);
        break;
    case KIND_TIP_SURVIVOR:
        g->DrawImage(IMAGE_GAME_ANIMAL_RESCUED, 200, h - 160);
        break;
    default:
        // The strategy, matching and combo tips have no picture.
        break;
    }
}
