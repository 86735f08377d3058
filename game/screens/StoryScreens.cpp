// The page's life: showing, the state machine, its controls and their actions, and the
// closing step that hands the game back to the session. Drawing is in StoryDrawing.cpp.

#include "game/screens/StoryScreens.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/OptionsControls.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/StoryHost.h"
#include "game/screens/TextStyleHost.h"

#include <array>
#include <cmath>

namespace {

const char* const kContinueKey = "BTN_CONTINUE";

// The profile's seen flag of each tip kind, from KIND_FIRST_TIP on.
constexpr std::array<int32_t, StoryScreens::KIND_LAST_TIP - StoryScreens::KIND_FIRST_TIP + 1> kTipIndexes = {
    0, 1, 2, 3, 4, 5, 7, 6, 8, 9, 14, 15, 10, 11, 12, 13, 16};

// Story Continue lies this far right of the page's centre and up from its bottom; the
// items this far right of the centre and down from the top.
constexpr int32_t kContinueOffsetX = 80;
constexpr int32_t kContinueFromBottom = 70;
constexpr int32_t kItemOffsetX = 60;
constexpr int32_t kItemTop = 130;
// A tip's Continue and check box, from the panel's left and up from its bottom.
constexpr int32_t kTipContinueX = 200;
constexpr int32_t kTipCheckboxX = 30;
constexpr int32_t kTipControlsFromBottom = 60;

// The glow at the offered item, and where each collected item's rainbow plays on the screen.
constexpr float kGlowScale = 1.25f;
const Zest::Color kGlowTint(255, 155, 0, 128);
constexpr float kTubesRainbowX = 256.0f;
constexpr float kTubesRainbowY = 580.0f;
constexpr float kDiaryRainbowX = 120.0f;
constexpr float kDiaryRainbowY = 150.0f;
constexpr float kBackpackRainbowX = 30.0f;
constexpr float kBackpackRainbowY = 400.0f;
// The test tubes' rainbow drifts right, pixels per update, while the diary is offered.
constexpr float kRainbowDrift = 7.5f;

bool IsStoryKind(const int32_t kind) { return kind < StoryScreens::KIND_FIRST_TIP; }

} // namespace

StoryScreens::StoryScreens(StoryHost* const story, ProfileHost* const profiles, const TextStyleHost* const textStyle)
    : mStory(story), mProfiles(profiles), mTextStyle(textStyle)
{
    ZEST_ASSERT(story != nullptr && profiles != nullptr && textStyle != nullptr);
    SetupAnimatedWidget(mItemGlow, IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP);
    mItemGlow.mPlayMode = PLAY_LOOP;
    mItemGlow.mScale = kGlowScale;
    mItemGlow.mColor = kGlowTint;
    SetupAnimatedWidget(mRainbow, IMAGE_GAME_EFFECTANIM_RAINBOW);
}

int32_t StoryScreens::GetTipIndex(const int32_t kind)
{
    ZEST_ASSERT(IsTipKind(kind));
    return kTipIndexes[static_cast<size_t>(kind - KIND_FIRST_TIP)];
}

void StoryScreens::ShowPage(const int32_t kind)
{
    // A page shows one kind, once; kind 1 has no page.
    ZEST_ASSERT(mPageKind == KIND_NONE && kind >= KIND_INTRODUCTION && kind <= KIND_LAST_TIP && kind != 1);
    if (IsStoryKind(kind)) {
        Move(kStoryX, kStoryHiddenY);
        mSlideY = kStoryHiddenY;
        GetMenuServices().PlaySoundEffect(SOUND_STORY_APPEAR);
    } else {
        Resize(0, 0, IMAGE_GAME_TUTORIAL->GetWidth(), IMAGE_GAME_TUTORIAL->GetHeight());
        mSlideY = 0;
        if (kind == KIND_TIP_PROGRESS)
            Move(kProgressTipX, 0);
        GetMenuServices().PlaySoundEffect(SOUND_TUTORIAL_APPEAR);
    }
    mPageKind = kind;
    mState = PAGE_ENTERING;
}

void StoryScreens::RemovedFromManager(Zest::WidgetManager* const manager)
{
    // The Continue buttons and the items are menu items, and go with them.
    BasicMenu::RemovedFromManager(manager);
    mContinueButton = nullptr;
    mTubesButton = nullptr;
    mDiaryButton = nullptr;
    mBackpackButton = nullptr;
    mIntroContinueButton = nullptr;
    if (mTipCheckbox != nullptr) {
        ReleaseWidget(mTipCheckbox);
        mTipCheckbox = nullptr;
    }
}

void StoryScreens::UpdateSmooth(const float fraction)
{
    ++mUpdateCount;
    if (mRainbow.mStatus == ANIM_RUNNING)
        mRainbow.Update();
    if (mItemStage == StoryHost::ITEM_DIARY)
        mRainbowX += kRainbowDrift * fraction;

    switch (mState) {
    case PAGE_IDLE:
        if (mPageKind == KIND_INTRODUCTION)
            mItemGlow.Update();
        if (mUpdateCount % kDemoFrames == 0 && mUpdateCount > kDemoFrames)
            mDemoStep = (mDemoStep + 1) % kDemoSteps;
        break;
    case PAGE_ENTERING:
        Enter(fraction);
        break;
    case PAGE_ENTERED:
        CreateControls();
        mState = PAGE_IDLE;
        break;
    case PAGE_LEAVING:
        Leave(fraction);
        break;
    case PAGE_LEFT:
        Close();
        break;
    default:
        ZEST_ASSERT(false);
    }
}

// A story page slides by whole pixels per frame and comes to rest exactly at its place; a tip
// fades by a fixed amount per frame, whatever the frame's length.
void StoryScreens::Enter(const float fraction)
{
    if (IsTipKind(mPageKind)) {
        mTipAlpha += kFadeStep;
        if (mTipAlpha > 255) {
            mTipAlpha = 255;
            mState = PAGE_ENTERED;
        }
        return;
    }
    if (mSlideY < kStoryRestY) {
        mSlideY += static_cast<int32_t>(std::trunc(kSlideStep * fraction));
        Move(kStoryX, mSlideY);
    }
    if (mSlideY >= kStoryRestY) {
        mSlideY = kStoryRestY;
        Move(kStoryX, mSlideY);
        mState = PAGE_ENTERED;
    }
}

void StoryScreens::Leave(const float fraction)
{
    if (IsTipKind(mPageKind)) {
        mTipAlpha -= kFadeStep;
        if (mTipAlpha <= 0) {
            mTipAlpha = 0;
            mState = PAGE_LEFT;
        }
        return;
    }
    if (mSlideY > kStoryHiddenY) {
        mSlideY -= static_cast<int32_t>(std::trunc(kSlideStep * fraction));
        Move(kStoryX, mSlideY);
    }
    if (mSlideY <= kStoryHiddenY)
        mState = PAGE_LEFT;
}

void StoryScreens::CreateControls()
{
    if (mPageKind == KIND_INTRODUCTION)
        mIntroContinueButton = AddStoryContinue(&StoryScreens::OnIntroContinue);
    else if (IsStoryKind(mPageKind))
        mContinueButton = AddStoryContinue(&StoryScreens::OnContinue);
    else
        CreateTipControls();
}

MenuItem* StoryScreens::AddStoryContinue(void (StoryScreens::*const action)())
{
    return AddContinue(mX + kContinueOffsetX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2,
                       mY + mHeight - kContinueFromBottom, action);
}

MenuItem* StoryScreens::AddContinue(const int32_t x, const int32_t y, void (StoryScreens::*const action)())
{
    MenuItem* const button =
        DialogParts::AddLargeButton(*this, x, y, GetGameString(kContinueKey), mTextStyle->GetTextColor(),
                                    mTextStyle->GetHighlightTextColor(), MenuItem::Action(this, action));
    button->mOverlayPriority = kOverlayPriority;
    return button;
}

void StoryScreens::OfferItem(const int32_t stage)
{
    static constexpr struct {
        Zest::Image** mImage;
        MenuItem* StoryScreens::*mButton;
        void (StoryScreens::*mAction)();
    } kItems[] = {
        {&IMAGE_GAME_TESTTUBES, &StoryScreens::mTubesButton, &StoryScreens::OnFirstItemClicked},
        {&IMAGE_GAME_DIARY, &StoryScreens::mDiaryButton, &StoryScreens::OnSecondItemClicked},
        {&IMAGE_GAME_BACKPACK_SMALL, &StoryScreens::mBackpackButton, &StoryScreens::OnThirdItemClicked},
    };
    ZEST_ASSERT(stage >= StoryHost::ITEM_TEST_TUBES && stage <= StoryHost::ITEM_BACKPACK);
    const auto& item = kItems[stage];
    Zest::Image* const image = *item.mImage;
    auto* const button = new MenuItem();
    button->Resize(mX + kItemOffsetX + (mWidth - image->GetWidth()) / 2, mY + kItemTop, image->GetWidth(),
                   image->GetHeight());
    button->SetImage(image);
    button->SetOverImage(image);
    button->mClickSound = SOUND_COLLECTED_TILE;
    button->mHoverSound = SOUND_BUTTON_ROLLOVER;
    button->mOverlayPriority = kOverlayPriority;
    button->mAction = MenuItem::Action(this, item.mAction);
    // The next item appears where this one was: a double click must not take it as well.
    button->mActsOncePerDoubleClick = true;
    mItems.push_back(button);
    mWidgetManager->AddWidget(button);
    this->*item.mButton = button;
    mItemStage = stage;
}

void StoryScreens::CollectItem(MenuItem*& button, const float rainbowX, const float rainbowY)
{
    mItemStage = STAGE_GREETINGS;
    mRainbowX = rainbowX;
    mRainbowY = rainbowY;
    mRainbow.ResetFrame();
    mRainbow.mStatus = ANIM_RUNNING;
    ReleaseItem(button);
}

void StoryScreens::OnIntroContinue()
{
    ReleaseItem(mIntroContinueButton);
    OfferItem(StoryHost::ITEM_TEST_TUBES);
}

void StoryScreens::OnFirstItemClicked()
{
    CollectItem(mTubesButton, kTubesRainbowX, kTubesRainbowY);
    OfferItem(StoryHost::ITEM_DIARY);
    mStory->CollectIntroItem(StoryHost::ITEM_TEST_TUBES);
}

void StoryScreens::OnSecondItemClicked()
{
    CollectItem(mDiaryButton, kDiaryRainbowX, kDiaryRainbowY);
    OfferItem(StoryHost::ITEM_BACKPACK);
    mStory->CollectIntroItem(StoryHost::ITEM_DIARY);
}

void StoryScreens::OnThirdItemClicked()
{
    CollectItem(mBackpackButton, kBackpackRainbowX, kBackpackRainbowY);
    mContinueButton = AddStoryContinue(&StoryScreens::OnContinue);
    mItemStage = STAGE_FINAL_NOTE;
    mStory->CollectIntroItem(StoryHost::ITEM_BACKPACK);
}

void StoryScreens::OnContinue()
{
    if (IsTipKind(mPageKind)) {
        RemoveTipControls();
        PlayerProfile* const profile = mProfiles->GetCurrentProfile();
        // Tips open only during a game, which has its player.
        ZEST_ASSERT(profile != nullptr);
        profile->SetTutorialSeen(GetTipIndex(mPageKind));
    } else {
        ReleaseItem(mContinueButton);
    }
    mState = PAGE_LEAVING;
}

int32_t StoryScreens::GetTipPanelHeight() const
{
    return mPageKind == KIND_TIP_FOOD_CHAIN ? IMAGE_GAME_SUBMENU->GetHeight() : mHeight;
}

void StoryScreens::CreateTipControls()
{
    const int32_t top = mY + GetTipPanelHeight() - kTipControlsFromBottom;
    mIntroContinueButton = AddContinue(mX + kTipContinueX, top, &StoryScreens::OnContinue);
    mTipCheckbox = new CustomOptionsCheckbox(kTipsCheckboxId, this);
    mTipCheckbox->Resize(mX + kTipCheckboxX, top, IMAGE_GAME_CHECKBOX_UNCHECKED->GetWidth(),
                         IMAGE_GAME_CHECKBOX_UNCHECKED->GetHeight());
    mTipCheckbox->SetChecked(!GameOptionsHolder::Instance().mTutorialTips, false);
    mTipCheckbox->mOverlayPriority = kOverlayPriority;
    mTipCheckbox->mOwnerMenu = this;
    mWidgetManager->AddWidget(mTipCheckbox);
    mItemStage = STAGE_GREETINGS;
}

void StoryScreens::RemoveTipControls()
{
    ReleaseItem(mIntroContinueButton);
    ReleaseWidget(mTipCheckbox);
    mTipCheckbox = nullptr;
}

void StoryScreens::CheckboxChecked(const int id, const bool checked)
{
    // Stored with the other options when the game ends.
    if (id == kTipsCheckboxId)
        GameOptionsHolder::Instance().mTutorialTips = !checked;
}

void StoryScreens::Close()
{
    StoryHost* const story = mStory;
    if (mPageKind == KIND_INTRODUCTION) {
        story->CreateHudButtons();
        story->SetSessionState(StoryHost::SESSION_STAGE_START);
        story->SetBoardPhase(StoryHost::BOARD_DEAL_IN);
    } else if (mPageKind == KIND_BEFORE_MINI_GAME) {
        story->SetSessionState(StoryHost::SESSION_MINI_GAME_START);
    } else if (IsStoryKind(mPageKind)) {
        story->SetSessionState(StoryHost::SESSION_PLAY);
        story->SetBoardPhase(StoryHost::BOARD_IDLE);
    } else {
        CloseTip();
    }
    // The page is deleted after this update; nothing of it is touched past here.
    story->RemoveStoryScreens();
    story->ResumeBoard();
}

// Play goes on with a blink at the head-up display's part that the tip spoke of: the elements
// holder for the rules of play, the backpack for the power items; the hunter's tip has none.
void StoryScreens::CloseTip()
{
    static constexpr int32_t kLastRuleTip = KIND_TIP_FIND_INFECTED;
    static constexpr int32_t kLastItemTip = 19;
    mStory->SetSessionState(StoryHost::SESSION_PLAY);
    mStory->SetBoardPhase(StoryHost::BOARD_SETTLE);
    mStory->CheckFrame();
    if (mPageKind <= kLastRuleTip)
        mStory->SetElementsBlink(true);
    else if (mPageKind <= kLastItemTip)
        mStory->SetBackpackBlink(true);
    if (mPageKind == KIND_TIP_SURVIVOR)
        mStory->InfectRandomTile();
}

void StoryScreens::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }
