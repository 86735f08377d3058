#include "game/screens/AwardsScreen.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Awards.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/AwardsScreenHost.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/ReceivingAwardsScreen.h"
#include "game/screens/TextStyleHost.h"

#include <array>

namespace {

const char* const kTitleKey = "LABEL_AWARDS";
const char* const kBackKey = "BTN_BACK";
const char* const kStatusKey = "LBL_AWARDS_STATUS";
const char* const kNotEarnedKey = "LBL_AWARDS_STATUS_NOT_EARNED";

// The top row's picture corners; each of them heads a column of three more below it.
constexpr std::array<std::pair<float, float>, 5> kTopRow = {{
    {85.0f, 30.0f}, {220.0f, 54.0f}, {360.0f, 60.0f}, {500.0f, 54.0f}, {618.0f, 30.0f},
}};
constexpr int32_t kRowsBelow = 3;
constexpr float kRowSpacing = 120.0f;
// A tile's hover area starts this far right of its picture.
constexpr int32_t kTileInset = 3;

// The popup opens towards the middle of the screen: right of or left of a picture left or
// right of this line, below or above one above or below the other; on a line it stays put.
constexpr float kPopupMiddleX = 450.0f;
constexpr float kPopupMiddleY = 256.0f;
constexpr float kPopupRightShift = 100.0f;
constexpr float kPopupLeftShift = -150.0f;
constexpr float kPopupDownShift = 50.0f;
constexpr float kPopupUpShift = -75.0f;

constexpr int32_t kBackX = 60;
constexpr int32_t kBackY = 540;
constexpr int32_t kTitleBaseline = 40;
// The last habitat's award; after it the adventure has no habitat left.
constexpr int32_t kLastHabitatAward = FIRST_FEAT_AWARD - 1;

constexpr int32_t kOpaque = 255;
const Zest::Color kAwardNameColor(240, 200, 0);
const Zest::Color kNotOwnedColor(64, 64, 64);

// The popup: the paper enlarged, its texts inset from its left edge.
constexpr float kPaperScale = 1.2f;
constexpr int32_t kTextInset = 15;
constexpr int32_t kNameBaseline = 30;
constexpr int32_t kDescriptionTop = 45;
// The description's box is this much shorter than the paper.
constexpr int32_t kDescriptionShortening = 40;
// The status line's baseline and the tick's centre above the enlarged paper's bottom.
constexpr int32_t kStatusRise = 10;
constexpr float kTickRise = 20.0f;
constexpr float kTickX = 75.0f;
constexpr float kTickScale = 0.5f;
const Zest::Color kPopupNameColor(0, 0, 200);
const Zest::Color kStatusColor(0, 150, 0);

float PopupShift(const float position, const float middle, const float towardsHigher, const float towardsLower)
{
    if (position < middle)
        return towardsHigher;
    if (position > middle)
        return towardsLower;
    return 0.0f;
}

} // namespace

AwardTile::AwardTile(const AwardsScreenHost* const app) : mApp(app) {}

void AwardTile::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void AwardTile::DrawOverlay(Zest::Graphics* const g)
{
    if (!mIsOver)
        return;
    Zest::Image* const paper = IMAGE_AWARD_PAPER;
    ZEST_ASSERT(paper != nullptr);
    const int32_t paperWidth = paper->GetWidth();
    const int32_t paperHeight = paper->GetHeight();
    const float enlargedHeight = kPaperScale * static_cast<float>(paperHeight);
    // The popup is laid out on the screen; the tile draws from its own corner.
    const float popupX = mPopupX - static_cast<float>(mX);
    const float popupY = mPopupY - static_cast<float>(mY);

    g->SetColor(Zest::Color::White);
    Zest::Transform enlarge;
    enlarge.Scale(kPaperScale, kPaperScale);
    g->SetLinearBlend(true);
    // Drawn about its centre, so that the enlarged paper's corner is the popup's.
    const float halfScale = kPaperScale / 2.0f;
    g->DrawImageTransform(paper, enlarge, popupX + halfScale * static_cast<float>(paperWidth),
                          popupY + halfScale * static_cast<float>(paperHeight));

    const int32_t left = static_cast<int32_t>(mPopupX) + kTextInset - mX;
    const int32_t top = static_cast<int32_t>(mPopupY) - mY;
    g->SetFont(FONT_STORY_TEXT);
    g->SetColor(kPopupNameColor);
    g->WriteString(mName, left, top + kNameBaseline, paperWidth, -1);
    g->SetColor(mApp->GetTextStyle().GetTextColor());
    g->WriteWordWrapped(Zest::Rect(left, top + kDescriptionTop, paperWidth, paperHeight - kDescriptionShortening),
                        mDescription, -1, -1);

    // A feat's status follows its counter, even before the award is granted; a habitat's
    // follows the player's flag.
    const std::string earnedStatus = GetGameString(kStatusKey);
    bool earned = false;
    std::string status;
    if (mGoal != -1) {
        earned = mCounter >= mGoal;
        status = earned ? earnedStatus
                        : earnedStatus + " : " + std::to_string(mCounter) + " / " + std::to_string(mGoal) + " ";
    } else {
        const PlayerProfile* const profile = mApp->GetCurrentProfile();
        ZEST_ASSERT(profile != nullptr);
        earned = profile->mAwards[mAwardIndex];
        status = earned ? earnedStatus : GetGameString(kNotEarnedKey);
    }
    g->SetColor(kStatusColor);
    g->WriteString(status, left, top + static_cast<int32_t>(enlargedHeight) - kStatusRise, paperWidth, -1);
    if (!earned)
        return;
    g->SetColor(Zest::Color::White);
    Zest::Transform shrink;
    shrink.Scale(kTickScale, kTickScale);
    g->SetLinearBlend(true);
    g->DrawImageTransform(IMAGE_GAME_GOAL_CHECK, shrink, popupX + kTickX, popupY + enlargedHeight - kTickRise);
}

AwardsScreen::AwardsScreen(AwardsScreenHost* const app, const int32_t newAward) : mNewAward(newAward), mApp(app)
{
    ZEST_ASSERT(newAward >= -1 && newAward < AWARD_COUNT);
    mTilePositions.assign(kTopRow.begin(), kTopRow.end());
    for (const auto& [x, y] : kTopRow) {
        for (int32_t row = 1; row <= kRowsBelow; ++row)
            mTilePositions.emplace_back(x, y + kRowSpacing * static_cast<float>(row));
    }
    ZEST_ASSERT(mTilePositions.size() == AWARD_COUNT);

    PlayerProfile* const profile = mApp->GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    if (newAward != -1) {
        profile->mAwards[newAward] = true;
        // Written at once, so that a program that ends before the next save keeps the award.
        mApp->SaveProfiles();
    }

    for (int32_t award = 0; award < AWARD_COUNT; ++award) {
        auto* const tile = new AwardTile(mApp);
        tile->mAwardIndex = award;
        tile->mName = mApp->GetAwardName(award);
        tile->mDescription = mApp->GetAwardDescription(award);
        const auto [x, y] = mTilePositions[award];
        tile->mPopupX = x + PopupShift(x, kPopupMiddleX, kPopupRightShift, kPopupLeftShift);
        tile->mPopupY = y + PopupShift(y, kPopupMiddleY, kPopupDownShift, kPopupUpShift);
        mTiles.push_back(tile);
    }

    // A feat just earned in a game shows the game's counters, which the profile gets only
    // when the game is stored.
    const GameStats* const sessionStats = newAward != -1 ? mApp->GetSessionStats() : nullptr;
    const GameStats& stats = sessionStats != nullptr ? *sessionStats : profile->mStats;
    for (const FeatGoal& feat : gFeatTestOrder) {
        AwardTile* const tile = mTiles[feat.mAward];
        tile->mCounter = stats.*feat.mCounter;
        tile->mGoal = feat.mGoal;
    }
}

AwardsScreen::~AwardsScreen()
{
    for (AwardTile* const tile : mTiles) {
        ZEST_ASSERT(tile->mParent == nullptr);
        delete tile;
    }
}

void AwardsScreen::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    const TextStyleHost& style = mApp->GetTextStyle();
    MenuItem* const back =
        DialogParts::AddLargeButton(*this, kBackX, kBackY, GetGameString(kBackKey), style.GetTextColor(),
                                    style.GetHighlightTextColor(), MenuItem::Action(this, &AwardsScreen::OnBack));
    back->mOverlayPriority = kOverlayPriority;
    // Above the screen, so that they and not the screen are under the pointer.
    for (int32_t award = 0; award < AWARD_COUNT; ++award) {
        AwardTile* const tile = mTiles[award];
        const auto [x, y] = mTilePositions[award];
        tile->Resize(0, 0, AwardTile::kWidth, AwardTile::kHeight);
        tile->Move(static_cast<int32_t>(x) + kTileInset, static_cast<int32_t>(y));
        manager->AddWidget(tile);
    }
}

void AwardsScreen::RemovedFromManager(Zest::WidgetManager* const manager)
{
    BasicMenu::RemovedFromManager(manager);
    for (AwardTile* const tile : mTiles)
        ReleaseWidget(tile);
    mTiles.clear();
}

void AwardsScreen::UpdateSmooth(float)
{
    if (!mBlinkRising) {
        mBlinkAlpha -= kBlinkStep;
        if (mBlinkAlpha <= 0) {
            ++mBlinkCount;
            mBlinkAlpha = 0;
            mBlinkRising = true;
        }
    } else {
        mBlinkAlpha += kBlinkStep;
        if (mBlinkAlpha >= kOpaque) {
            mBlinkAlpha = kOpaque;
            mBlinkRising = false;
        }
    }
}

void AwardsScreen::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void AwardsScreen::DrawOverlay(Zest::Graphics* const g)
{
    Zest::Image* const background = IMAGE_AWARD_BACKGROUND;
    ZEST_ASSERT(background != nullptr);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(background, static_cast<float>(DialogParts::kScreenWidth - background->GetWidth()) * 0.5f,
                        static_cast<float>(DialogParts::kScreenHeight - background->GetHeight()) * 0.5f);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, kTitleBaseline, DialogParts::kScreenWidth);

    const PlayerProfile* const profile = mApp->GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    g->SetColorizeImages(true);
    for (int32_t award = 0; award < AWARD_COUNT; ++award) {
        Zest::Color color = Zest::Color::White;
        if (!profile->mAwards[award])
            color = kNotOwnedColor;
        if (award == mNewAward && mBlinkCount < kBlinkFadeOuts)
            color = Zest::Color(kOpaque, kOpaque, kOpaque, mBlinkAlpha);
        g->SetColor(color);
        const auto [x, y] = mTilePositions[award];
        mApp->DrawAward(award, g, x, y, false, kAwardNameColor, true);
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void AwardsScreen::OnBack()
{
    // The screen is deleted after this update; the host outlives the calls.
    AwardsScreenHost* const app = mApp;
    const int32_t newAward = mNewAward;
    app->RemoveAwardsScreen();
    if (ReceivingAwardsScreen* const receiving = app->GetReceivingAwardsScreen()) {
        // The last habitat's award ends the adventure: the story skips to its close.
        if (newAward == kLastHabitatAward)
            receiving->JumpToLastStep();
        else
            receiving->AdvanceStory();
    } else if (app->IsGameRunning()) {
        app->CloseNewAward();
    }
}
