#include "game/screens/LevelCompleteMenu.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/LevelCompleteHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/TextStyleHost.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

const char* const kTitleKey = "LABEL_SCIREPORT";
const char* const kTotalKey = "LABEL_TOTALBONUS";
const char* const kSignatureKey = "LBL_SIGNATURE";
const char* const kDoneKey = "BTN_DONE";

// One row of the report: the statistics counter it counts, the bonus per unit, and how its
// count runs: this much per update, with the counting sound at every multiple of
// mSoundEvery.
struct ReportRow {
    const char* mLabelKey;
    int32_t GameStats::*mCounter;
    int32_t mFactor;
    int32_t mStep;
    int32_t mSoundEvery;
    int32_t mPhase;
    // The rows' baseline on the card.
    int32_t mY;
};

const ReportRow kRows[] = {
    {"LABEL_SPECIESCOLLECTED", &GameStats::mTilesTaken, 1, 5, 50, LevelCompleteMenu::PHASE_SPECIES, 160},
    {"LABEL_COMBOSCREATES", &GameStats::mChainsMade, 5, 100, 500, LevelCompleteMenu::PHASE_CHAINS, 200},
    {"LABEL_BIGGESTCOMBO", &GameStats::mLongestChain, 50, 5, 50, LevelCompleteMenu::PHASE_LONGEST_CHAIN, 240},
    {"LABEL_MINIGAMESCORE", &GameStats::mMiniGameScore, 2, 100, 500, LevelCompleteMenu::PHASE_MINI_GAME, 280},
};
constexpr int32_t kRowCount = static_cast<int32_t>(std::size(kRows));

constexpr int32_t kOpaque = 255;
constexpr float kStampScale = 0.5f;
// The right-hand parts of the card are placed from this far inside its right edge; the
// values, right-aligned, end kValueInset pixels (and one) left of that line.
constexpr int32_t kRightMargin = 60;
constexpr int32_t kValueInset = 20;
constexpr int32_t kTitleY = 110;
constexpr int32_t kLabelX = 80;
// The "count x factor" texts end this far right of the card's middle.
constexpr int32_t kFactorTextReach = 50;
constexpr int32_t kTotalY = 340;
// The stamp over a just finished row lies this far left of the right-hand column, with its
// top 65 pixels above the row's baseline; the one beside the total lies further left.
constexpr int32_t kRowStampInset = 130;
constexpr int32_t kRowStampRise = 65;
constexpr int32_t kTotalStampInset = 170;
constexpr int32_t kTotalStampY = 365;
// The signature rests this far left of the right-hand column and above the card's bottom;
// its caption sits over it.
constexpr int32_t kSignatureInset = 180;
constexpr int32_t kSignatureRise = 130;
constexpr int32_t kCaptionInset = 150;
constexpr int32_t kCaptionRise = 140;
// The signature comes in along the diagonal over this many updates, slowing down as
// (kSignatureStart - (kSlideRate x updates) squared) falls to 0.
constexpr int32_t kSignatureUpdates = 75;
constexpr float kSignatureStart = 225.0f;
constexpr float kSlideRate = 0.2f;
// The Done button lies left of the card's middle, its top this far above the bottom.
constexpr int32_t kDoneShiftLeft = 120;
constexpr int32_t kDoneRise = 80;

int32_t GetRowBonus(const GameStats& stats, const int32_t row)
{
    return kRows[row].mFactor * stats.*kRows[row].mCounter;
}

// The phase after the row's count: the next row's, or the signature's after the last row.
int32_t GetPhaseAfterRow(const int32_t row)
{
    return row + 1 < kRowCount ? kRows[row + 1].mPhase : LevelCompleteMenu::PHASE_SIGNATURE;
}

} // namespace

LevelCompleteMenu::LevelCompleteMenu(LevelCompleteHost* const game, GameStats* const stats) : mGame(game), mStats(stats)
{
    ZEST_ASSERT(game != nullptr && stats != nullptr);
    mGame->SetupAnimatedWidget(mStampAnim, IMAGE_GAME_EFFECTANIM_001);
    mStampAnim.mScale = kStampScale;
}

void LevelCompleteMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    mManager = manager;
    Widget::AddedToManager(manager);
}

void LevelCompleteMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    // The Done button is one of the items, which leave with the report.
    BasicMenu::RemovedFromManager(manager);
    mDoneButton = nullptr;
}

void LevelCompleteMenu::Update()
{
    // The count waits for the report to be fully shown, to the exact opacity.
    if (mAlpha != static_cast<float>(kOpaque))
        return;
    switch (mPhase) {
    case PHASE_SPECIES:
        CountRow(0);
        break;
    case PHASE_CHAINS:
        CountRow(1);
        break;
    case PHASE_LONGEST_CHAIN:
        CountRow(2);
        break;
    case PHASE_MINI_GAME:
        CountRow(3);
        break;
    case PHASE_SIGNATURE:
        // The count goes on into the next phase, which does not use it.
        ++mCounter;
        if (mCounter > kSignatureUpdates)
            mPhase = PHASE_MAKE_DONE;
        break;
    case PHASE_MAKE_DONE:
        MakeDoneButton();
        GetMenuServices().PlaySoundEffect(SOUND_STAMP_DRY);
        mPhase = PHASE_DONE_SHOWN;
        RestartStamp();
        break;
    default:
        break;
    }
    if (mStampAnim.mStatus == ANIM_RUNNING)
        mStampAnim.Update();
}

void LevelCompleteMenu::CountRow(const int32_t row)
{
    const ReportRow& counted = kRows[row];
    mCounter += counted.mStep;
    if (mCounter % counted.mSoundEvery == 0)
        GetMenuServices().PlaySoundEffect(SOUND_NUMBER_COUNTING);
    if (mCounter < GetRowBonus(*mStats, row))
        return;
    mPhase = GetPhaseAfterRow(row);
    mCounter = 0;
    RestartStamp();
}

void LevelCompleteMenu::RestartStamp()
{
    mStampAnim.ResetFrame();
    mStampAnim.mStatus = ANIM_RUNNING;
}

void LevelCompleteMenu::MakeDoneButton()
{
    ZEST_ASSERT(mManager != nullptr && mDoneButton == nullptr);
    const TextStyleHost& style = mGame->GetTextStyle();
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2 - kDoneShiftLeft;
    mDoneButton = DialogParts::AddLargeButton(*this, x, mY + mHeight - kDoneRise, GetGameString(kDoneKey),
                                              style.GetTextColor(), style.GetHighlightTextColor(),
                                              MenuItem::Action(this, &LevelCompleteMenu::OnDone));
    mDoneButton->mOverlayPriority = kButtonPriority;
}

void LevelCompleteMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void LevelCompleteMenu::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    const int32_t alpha = static_cast<int32_t>(mAlpha);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(kOpaque, kOpaque, kOpaque, alpha));
    g->DrawImage(IMAGE_GAME_SCORE_CARD, 0, 0);
    const int32_t right = IMAGE_GAME_SCORE_CARD->GetWidth() - kRightMargin;

    g->SetFont(FONT_IN_GAME_LABELS);
    const Zest::Color textColor = mGame->GetTextStyle().GetTextColor();
    g->SetColor(textColor);
    g->WriteString(GetGameString(kTitleKey), 0, kTitleY, mWidth, 0);
    if (alpha == kOpaque)
        DrawRows(g, right);

    // The stamp lands on the row that has just been counted.
    for (int32_t row = 0; row + 1 < kRowCount; ++row) {
        if (mPhase == GetPhaseAfterRow(row))
            DrawStamp(g, right - kRowStampInset, kRows[row].mY - kRowStampRise);
    }
    g->SetColor(Zest::Color::White);
    if (mPhase == PHASE_SIGNATURE) {
        const float slid = kSlideRate * static_cast<float>(mCounter);
        const float offset = kSignatureStart - slid * slid;
        g->DrawImageAtFloat(IMAGE_GAME_JANE_SIGNITURE, static_cast<float>(right - kSignatureInset) + offset,
                            static_cast<float>(mHeight - kSignatureRise) + offset);
    }
    if (mPhase == PHASE_DONE_SHOWN) {
        g->SetColor(textColor.WithAlpha(alpha));
        g->WriteString(GetGameString(kTotalKey), kLabelX, kTotalY, mWidth, -1);
        g->WriteString(std::to_string(GetTotalBonus()) + " pts", right - kValueInset, kTotalY, -1, 1);
        g->WriteString(GetGameString(kSignatureKey), right - kCaptionInset, mHeight - kCaptionRise, -1, -1);
        g->SetColor(Zest::Color::White);
        g->DrawImage(IMAGE_GAME_JANE_SIGNITURE, right - kSignatureInset, mHeight - kSignatureRise);
        DrawStamp(g, right - kTotalStampInset, kTotalStampY);
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void LevelCompleteMenu::DrawRows(Zest::Graphics* const g, const int32_t right) const
{
    // Only drawn once the report is fully shown: the menu's alpha is full.
    g->SetColor(mGame->GetTextStyle().GetTextColor().WithAlpha(kOpaque));
    for (int32_t row = 0; row < kRowCount; ++row) {
        const ReportRow& shown = kRows[row];
        if (mPhase < shown.mPhase)
            break;
        const int32_t value = GetShownValue(row);
        if (value <= 0)
            continue;
        g->WriteString(GetGameString(shown.mLabelKey), kLabelX, shown.mY, mWidth, -1);
        const std::string units = std::to_string(mStats->*shown.mCounter) + " x " + std::to_string(shown.mFactor);
        g->WriteString(units, 0, shown.mY, mWidth / 2 + kFactorTextReach, 1);
        g->WriteString(std::to_string(value) + " pts", right - kValueInset, shown.mY, -1, 1);
    }
}

void LevelCompleteMenu::DrawStamp(Zest::Graphics* const g, const int32_t x, const int32_t y)
{
    if (mStampAnim.mStatus == ANIM_FINISHED)
        return;
    g->Translate(x, y);
    mStampAnim.DrawOverlay(g);
    g->Translate(-x, -y);
}

int32_t LevelCompleteMenu::GetShownValue(const int32_t row) const
{
    const int32_t bonus = GetRowBonus(*mStats, row);
    return mPhase == kRows[row].mPhase ? std::min(mCounter, bonus) : bonus;
}

int32_t LevelCompleteMenu::GetTotalBonus() const
{
    int32_t total = 0;
    for (int32_t row = 0; row < kRowCount; ++row)
        total += GetRowBonus(*mStats, row);
    return total;
}

void LevelCompleteMenu::OnDone()
{
    // The report is deleted after this update, the host and the statistics later still.
    LevelCompleteHost* const game = mGame;
    const GameStats& stats = *mStats;
    game->CloseLevelComplete();
    for (int32_t row = 0; row < kRowCount; ++row)
        game->AddScore(GetRowBonus(stats, row));
    PlayerProfile* const profile = game->GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    const int32_t nextLevel = game->GetLevelNumber() + 1;
    profile->StoreStats(stats);
    game->RemoveGameSession();
    profile->mNextLevel = nextLevel;
    // The finished level is written at once, so that a program that ends without its
    // shutdown still starts the player on the next one.
    game->SaveProfiles();
    game->ShowReceivingAwardsScreen(nextLevel);
}
