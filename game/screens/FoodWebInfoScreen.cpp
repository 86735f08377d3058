#include "game/screens/FoodWebInfoScreen.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/GameOptions.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/FoodWebHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/ScaledPicture.h"
#include "game/screens/TextStyleHost.h"

#include <map>
#include <memory>
#include <utility>

namespace {

// The top row's y, and the x that places a row's tiles about the middle of the space right
// of the detail panel.
constexpr int32_t kTopRowY = 75;
constexpr int32_t kRowCentreX = 483;
// A row of an odd count lies this much further right.
constexpr int32_t kOddRowShift = 50;
constexpr int32_t kBackX = 10;
constexpr int32_t kBackY = 540;

// The screen's texts: the hint at the foot, the title, and the help while no tile is under
// the pointer, where a creature's description goes while one is.
const Zest::Rect kLeftTextRect(10, 200, 250, 330);
constexpr int32_t kHintX = 280;
constexpr int32_t kHintBaseline = 555;
constexpr int32_t kHintWidth = 500;
constexpr int32_t kTitleX = 300;
constexpr int32_t kTitleBaseline = 40;
constexpr int32_t kTitleWidth = 450;

// The detail panel, in screen positions: the light behind the enlarged picture, the rule
// under the name, the chains' panel and its rows of tiles and arrows.
constexpr int32_t kLightX = 115;
constexpr int32_t kPictureX = 155;
constexpr int32_t kPictureY = 50;
constexpr float kPictureScale = 1.5f;
const Zest::Color kRuleColor(200, 32, 0);
constexpr int32_t kRuleLeft = 12;
constexpr int32_t kRuleRight = 262;
constexpr int32_t kRuleY = 190;
const Zest::Rect kNameRect(10, 170, 250, 30);
constexpr int32_t kChainsPanelX = 310;
constexpr int32_t kChainsPanelY = 135;
constexpr int32_t kChainsTitleBaseline = 170;
constexpr size_t kChainsShown = 3;
constexpr float kChainScale = 0.75f;
constexpr int32_t kChainTileX = 390;
constexpr int32_t kChainArrowX = 440;
constexpr int32_t kChainPitchX = 100;
constexpr int32_t kChainRowY = 335;
constexpr int32_t kChainPitchY = 60;
const Zest::Rect kExampleRect(350, 195, 325, 110);
// Chains of creatures below this level are stored upwards and drawn reversed.
constexpr int32_t kTopLevel = 3;

} // namespace

FoodWebInfoScreen::FoodWebInfoScreen(Habitat* const habitat, FoodWebHost* const game,
                                     const TextStyleHost* const textStyle)
    : mHabitat(habitat), mGame(game), mTextStyle(textStyle)
{
    ZEST_ASSERT(habitat != nullptr && game != nullptr && textStyle != nullptr);
}

FoodWebInfoScreen::~FoodWebInfoScreen() { ReleaseRegions(); }

std::pair<int32_t, int32_t> FoodWebInfoScreen::GetRegionPosition(const int32_t level, const int32_t maxLevel,
                                                                 const int32_t rowCount, const int32_t indexInRow)
{
    ZEST_ASSERT(rowCount > 0 && indexInRow >= 0 && indexInRow < rowCount && level <= maxLevel);
    int32_t x = kRowCentreX + kTilePitch * indexInRow - kTilePitch * rowCount / 2;
    if (rowCount % 2 != 0)
        x += kOddRowShift;
    return {x, kTopRowY + kRowPitch * (maxLevel - level)};
}

// The items and the hunter get no tile and leave no gap: a row holds the creatures of one level.
void FoodWebInfoScreen::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    std::map<int32_t, int32_t> rowCounts;
    for (const std::unique_ptr<Creature>& creature : mHabitat->mCreatures) {
        if (creature->mLevel >= 0)
            ++rowCounts[creature->mLevel];
    }
    if (!rowCounts.empty()) {
        const int32_t maxLevel = rowCounts.rbegin()->first;
        std::map<int32_t, int32_t> placed;
        for (const std::unique_ptr<Creature>& creature : mHabitat->mCreatures) {
            const int32_t level = creature->mLevel;
            if (level < 0)
                continue;
            auto* const region = new InfoRegion(creature.get(), this, mHabitat);
            region->Resize(0, 0, kTileSize, kTileSize);
            const auto [x, y] = GetRegionPosition(level, maxLevel, rowCounts[level], placed[level]++);
            region->Move(x, y);
            mRegions.push_back(region);
            manager->AddWidget(region);
        }
    }
    AddBackButton(manager);
}

void FoodWebInfoScreen::AddBackButton(Zest::WidgetManager* const manager)
{
    Zest::Image* const image = IMAGE_GAME_BUTTON_LARGE;
    auto* const button = new MenuItem();
    button->Resize(0, 0, image->GetWidth(), image->GetHeight());
    button->Move(kBackX, kBackY);
    button->SetImage(image);
    button->SetOverImage(IMAGE_GAME_BUTTON_LARGE_OVER);
    button->mFont = FONT_IN_GAME_LABELS;
    button->mLabel = GetGameString("BTN_BACK");
    button->mLabelJustification = 0;
    button->SetLabelY(DialogParts::kButtonLabelY);
    button->SetLabelColor(mTextStyle->GetTextColor());
    button->SetLabelOverColor(mTextStyle->GetHighlightTextColor());
    button->mClickSound = SOUND_BUTTON_ACTION;
    button->mHoverSound = SOUND_BUTTON_ROLLOVER;
    button->mAction = MenuItem::Action(this, &FoodWebInfoScreen::OnBack);
    // It takes a click only once it has faded in.
    button->mAlpha = 0.0f;
    button->mFadeState = FADE_IN;
    mBackButton = button;
    mItems.push_back(button);
    manager->AddWidget(button);
}

void FoodWebInfoScreen::RemovedFromManager(Zest::WidgetManager* const manager)
{
    // The Back button is one of the menu's items and goes with them.
    BasicMenu::RemovedFromManager(manager);
    mBackButton = nullptr;
    mManager = manager;
    ReleaseRegions();
}

void FoodWebInfoScreen::ReleaseRegions()
{
    for (InfoRegion*& region : mRegions) {
        if (region != nullptr)
            ReleaseWidget(region);
        region = nullptr;
    }
}

void FoodWebInfoScreen::Draw(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, static_cast<int>(mAlpha)));
    g->DrawImage(IMAGE_GAME_FOODWEB_BACKGROUND, 0, 0);
    g->SetColor(mTextStyle->GetTextColor());
    g->SetFont(FONT_STORY_TEXT);
    g->WriteString(GetGameString("LBL_CLICKFORFOODCHAINS"), kHintX, kHintBaseline, kHintWidth, 0);
    g->SetFont(FONT_IN_GAME_LABELS);
    g->WriteString(GetGameString("BTN_FOODWEB"), kTitleX, kTitleBaseline, kTitleWidth, 0);
    DeferOverlay(kOverlayPriority);
}

void FoodWebInfoScreen::DrawOverlay(Zest::Graphics* const g)
{
    // A tile under the pointer shows its creature's details in the help's place.
    if (!mRegionHovered) {
        g->SetColor(mTextStyle->GetTextColor().WithAlpha(static_cast<int32_t>(mAlpha)));
        g->SetFont(FONT_STORY_TEXT);
        g->WriteWordWrapped(kLeftTextRect, GetGameString("HELP_FOODWEB"));
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void FoodWebInfoScreen::OnBack()
{
    // The pause menu lies over the screen and takes the game's input first.
    if (mGame->IsPauseMenuOpen())
        return;
    mBackButton->mAlpha = 255.0f;
    mBackButton->mFadeState = FADE_OUT;
    // The screen leaves at once and is deleted after this update; nothing of it is touched
    // past here.
    mGame->CloseFoodWebInfo();
}

InfoRegion::InfoRegion(const Creature* const creature, FoodWebInfoScreen* const screen, const Habitat* const habitat)
    : mCreature(creature), mScreen(screen), mHabitat(habitat), mChains(FindFoodChains(*habitat, *creature))
{
    ZEST_ASSERT(screen != nullptr);
}

void InfoRegion::Draw(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, static_cast<int>(mScreen->mAlpha)));
    g->DrawImage(mCreature->mTileImage, 0, 0);
    DeferOverlay(FoodWebInfoScreen::kRegionOverlayPriority);
}

// The panel lies at fixed places on the screen, whichever tile shows it.
void InfoRegion::DrawOverlay(Zest::Graphics* const g)
{
    if (!mIsOver)
        return;
    const auto alpha = static_cast<int32_t>(mScreen->mAlpha);
    g->PushState();
    g->Translate(-mX, -mY);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, alpha));
    g->DrawImage(IMAGE_GAME_MG_LIGHT, kLightX, 0);
    Zest::Image* const tile = mCreature->mTileImage;
    // Square tiles: the width stands for both halves.
    const int32_t half = tile->GetWidth() / 2;
    g->SetLinearBlend(true);
    DrawCentredScaled(g, tile, kPictureScale, static_cast<float>(kPictureX + half),
                      static_cast<float>(kPictureY + half));
    g->SetColor(kRuleColor.WithAlpha(alpha));
    g->DrawLine(kRuleLeft, kRuleY, kRuleRight, kRuleY);
    g->SetFont(FONT_IN_GAME_LABELS);
    g->WriteWordWrapped(kNameRect, mCreature->GetName());
    g->SetColor(mScreen->mTextStyle->GetTextColor());
    g->SetFont(FONT_STORY_TEXT);
    g->WriteWordWrapped(kLeftTextRect, mCreature->mDescription);
    if (mSelected)
        DrawChains(g);
    g->PopState();
}

void InfoRegion::DrawChains(Zest::Graphics* const g) const
{
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_TUTORIAL, kChainsPanelX, kChainsPanelY);
    DialogParts::DrawTitle(g, GetGameString("LABEL_VALIDFOODCHAINS"), kChainsPanelX, kChainsTitleBaseline,
                           IMAGE_GAME_SUBMENU->GetWidth());
    g->SetColor(Zest::Color::White);
    // Every row reads from the highest level on the left to the lowest on the right.
    const bool storedDownwards = mCreature->mLevel >= kTopLevel;
    for (size_t k = 0; k < mChains.size() && k < kChainsShown; ++k) {
        const auto y = static_cast<float>(kChainRowY + kChainPitchY * static_cast<int32_t>(k));
        for (int32_t e = 0; e < 3; ++e) {
            const Creature* const creature = mChains[k][static_cast<size_t>(storedDownwards ? e : 2 - e)];
            DrawCentredScaled(g, creature->mTileImage, kChainScale, static_cast<float>(kChainTileX + kChainPitchX * e),
                              y);
            if (e < 2)
                DrawCentredScaled(g, IMAGE_GAME_WAVEARROW, kChainScale,
                                  static_cast<float>(kChainArrowX + kChainPitchX * e), y);
        }
    }
    g->SetColor(mScreen->mTextStyle->GetTextColor());
    g->SetFont(FONT_STORY_TEXT);
    g->WriteWordWrapped(kExampleRect,
                        GetGameString(mChains.empty() ? "HELP_FOODCHAINSEXAMPLE_NONE" : "HELP_FOODCHAINSEXAMPLE"));
}

void InfoRegion::MouseEnter() { mScreen->mRegionHovered = true; }

void InfoRegion::MouseLeave()
{
    mScreen->mRegionHovered = false;
    mSelected = false;
}

void InfoRegion::MouseButtonDown(int, int, int, int) { mSelected = true; }
