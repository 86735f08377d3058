// The head-up display's buttons and hot spots, the holders' help pages and the food web.
// The items are menu items at the top level of the session's widget manager, over pictures
// the session draws itself: the pause and food-web buttons carry their own pictures and
// labels, the hot spots over the item icons and the two holders are invisible (the holders
// show a picture only while the pointer is over them).

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/FoodWebInfoScreen.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/StoryScreens.h"
#include "game/screens/TextStyleHost.h"

#include <string>

namespace {

// An item's top-left corner on the screen, in pixels.
struct ItemPosition {
    int32_t mX;
    int32_t mY;
};

constexpr ItemPosition kPausePosition{10, 540};
constexpr ItemPosition kFoodWebPosition{10, 500};
constexpr ItemPosition kTorchPosition{90, 347};
constexpr ItemPosition kWaterPosition{160, 375};
constexpr ItemPosition kShufflePosition{174, 435};
constexpr ItemPosition kElementsPosition{133, 262};
constexpr ItemPosition kBackpackPosition{0, 340};
// The backpack has no picture of its own size to take the hot spot's from; pixels.
constexpr int32_t kBackpackWidth = 80;
constexpr int32_t kBackpackHeight = 135;
// The labelled buttons' label has its centre line this far below the button's top; pixels.
constexpr int32_t kLabelY = 25;
constexpr int32_t kCentred = 0;

// A new item of that size at the position, clicking with the button sound. Without pictures
// it is an invisible hot spot; the caller adds it to the manager.
MenuItem* NewItem(const ItemPosition position, const int32_t width, const int32_t height,
                  const MenuItem::Action& action)
{
    auto* const item = new MenuItem();
    item->Resize(0, 0, width, height);
    item->Move(position.mX, position.mY);
    item->mClickSound = SOUND_BUTTON_ACTION;
    item->mAction = action;
    return item;
}

// A hot spot the size of the icon under it, silent while the pointer rests on it.
MenuItem* NewIconHotSpot(const ItemPosition position, const Zest::Image& icon, const MenuItem::Action& action)
{
    return NewItem(position, icon.GetWidth(), icon.GetHeight(), action);
}

// A large button with its pictures, the hover sound and the label of the string-table key,
// centred, in the screens' label colours.
MenuItem* NewLabelledButton(const ItemPosition position, const std::string& labelKey, const TextStyleHost& style,
                            const MenuItem::Action& action)
{
    Zest::Image* const image = IMAGE_GAME_BUTTON_LARGE;
    MenuItem* const button = NewItem(position, image->GetWidth(), image->GetHeight(), action);
    button->SetImage(image);
    button->SetOverImage(IMAGE_GAME_BUTTON_LARGE_OVER);
    button->mHoverSound = SOUND_BUTTON_ROLLOVER;
    button->mLabel = GetGameString(labelKey);
    button->mFont = FONT_IN_GAME_LABELS;
    button->SetLabelY(kLabelY);
    button->mLabelJustification = kCentred;
    button->SetLabelColor(style.GetTextColor());
    button->SetLabelOverColor(style.GetHighlightTextColor());
    return button;
}

// A holder's hot spot shows its rollover picture while the pointer is over it.
MenuItem* NewHolderHotSpot(const ItemPosition position, const int32_t width, const int32_t height,
                           Zest::Image* const overImage, const MenuItem::Action& action)
{
    MenuItem* const item = NewItem(position, width, height, action);
    item->SetOverImage(overImage);
    item->mHoverSound = SOUND_BUTTON_ROLLOVER;
    return item;
}

// A holder's help page opens only over a board at rest in play, with neither the pause menu
// nor the survivor tally in the way.
bool CanOpenHolderPage(const GameSession& session)
{
    if (session.mState != STATE_PLAY || session.mSurvivorTally != nullptr || session.mPauseMenu != nullptr)
        return false;
    ZEST_ASSERT(session.mBoard != nullptr);
    return session.mBoard->mPhase == PHASE_IDLE;
}

} // namespace

void GameSession::CreateHudButtons()
{
    ZEST_ASSERT(mManager != nullptr);
    const TextStyleHost& style = mHost.GetTextStyle();
    mPauseButton =
        NewLabelledButton(kPausePosition, "BTN_PAUSE", style, MenuItem::Action(this, &GameSession::ShowPauseMenu));
    mManager->AddWidget(mPauseButton);
    mFoodWebButton = NewLabelledButton(kFoodWebPosition, "BTN_FOODWEB", style,
                                       MenuItem::Action(this, &GameSession::ShowFoodWebInfo));
    mManager->AddWidget(mFoodWebButton);
    mTorchButton = NewIconHotSpot(kTorchPosition, *IMAGE_GAME_TORCH, MenuItem::Action(this, &GameSession::ArmTorch));
    mManager->AddWidget(mTorchButton);
    mWaterButton = NewIconHotSpot(kWaterPosition, *IMAGE_GAME_BUCKET, MenuItem::Action(this, &GameSession::ArmWater));
    mManager->AddWidget(mWaterButton);
    mShuffleButton =
        NewIconHotSpot(kShufflePosition, *IMAGE_GAME_SHUFFLECOIN, MenuItem::Action(this, &GameSession::UseShuffle));
    mManager->AddWidget(mShuffleButton);
}

void GameSession::CreateElementsButton()
{
    if (mElementsButton != nullptr)
        return;
    ZEST_ASSERT(mManager != nullptr);
    Zest::Image* const rollover = IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER;
    mElementsButton = NewHolderHotSpot(kElementsPosition, rollover->GetWidth(), rollover->GetHeight(), rollover,
                                       MenuItem::Action(this, &GameSession::OnElementsClicked));
    mManager->AddWidget(mElementsButton);
}

void GameSession::CreateBackpackButton()
{
    if (mBackpackButton != nullptr)
        return;
    ZEST_ASSERT(mManager != nullptr);
    mBackpackButton = NewHolderHotSpot(kBackpackPosition, kBackpackWidth, kBackpackHeight, IMAGE_GAME_BACKPACK_ROLLOVER,
                                       MenuItem::Action(this, &GameSession::OnBackpackClicked));
    mManager->AddWidget(mBackpackButton);
}

void GameSession::OnElementsClicked()
{
    if (!CanOpenHolderPage(*this))
        return;
    DisarmItem();
    SetElementsBlink(false);
    OpenStoryPage(StoryScreens::KIND_SAMPLING);
}

void GameSession::OnBackpackClicked()
{
    if (!CanOpenHolderPage(*this))
        return;
    DisarmItem();
    SetBackpackBlink(false);
    OpenStoryPage(StoryScreens::KIND_INVENTORY);
}

void GameSession::ShowFoodWebInfo()
{
    // A second food web would leave the first in the widget tree with nothing to close it.
    if (mState != STATE_PLAY || mSurvivorOn || mPauseMenu != nullptr || mGameOver != nullptr ||
        mSurvivorTally != nullptr || mLevelComplete != nullptr || mFoodWebInfo != nullptr)
        return;
    // The press puts an armed item away even while the board still moves.
    DisarmItem();
    ZEST_ASSERT(mBoard != nullptr && mManager != nullptr);
    if (!mBoard->IsSettled())
        return;
    mFoodWebInfo = new FoodWebInfoScreen(mHabitat, this, &mHost.GetTextStyle());
    mFoodWebInfo->Resize(0, 0, kWidth, kHeight);
    // The screen stands at once, without a fade-in.
    mFoodWebInfo->mAlpha = 255.0f;
    mManager->AddWidget(mFoodWebInfo);
    mBoard->SetDisabled(true);
    mBoard->SetVisible(false);
    PauseBoard();
}

void GameSession::CloseFoodWebInfo()
{
    ZEST_ASSERT(mFoodWebInfo != nullptr && mBoard != nullptr);
    // Called from the screen's own Back button: it is deleted after the current update.
    ReleaseWidget(mFoodWebInfo);
    mFoodWebInfo = nullptr;
    ResumeBoard();
    mBoard->SetDisabled(false);
    mBoard->SetVisible(true);
}

