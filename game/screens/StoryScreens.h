#pragma once
// One page of story or help over a running game, after which the game goes on. Kinds 0 to 4
// are story pages: a parchment that slides down from above the screen with the guide's
// portrait and a text; the introduction (kind 0) offers three items to collect one by one.
// Kinds 5 to 21 are tutorial tips that fade in over the board, each with Continue and a
// check box that turns all further tips off; Continue records the tip as seen.
//
// The session opens a page through the application, which makes a fresh one each time;
// once its leaving animation is over the page tells the session how to go on and asks the
// application to remove it:
//
//   1 entering (slide or fade in) -> 2 entered (controls made) -> 0 idle with the controls
//   -> Continue -> 3 leaving (slide or fade out) -> 4 left (the closing step, run once)

#include "framework/widgets/Listeners.h"
#include "game/AnimatedWidget.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class CustomOptionsCheckbox;
class MenuItem;
class ProfileHost;
class StoryHost;
class TextStyleHost;

class StoryScreens : public BasicMenu, public Zest::CheckboxListener {
public:
    enum PageState : int32_t {
        PAGE_IDLE = 0,
        PAGE_ENTERING = 1,
        PAGE_ENTERED = 2,
        PAGE_LEAVING = 3,
        PAGE_LEFT = 4,
    };
    // Kinds of page; the kinds from KIND_FIRST_TIP to KIND_LAST_TIP are tips.
    enum PageKind : int32_t {
        KIND_NONE = -1,
        KIND_INTRODUCTION = 0,
        KIND_BEFORE_MINI_GAME = 2,
        KIND_INVENTORY = 3,
        KIND_SAMPLING = 4,
        KIND_FIRST_TIP = 5,
        KIND_TIP_FOOD_CHAIN = 6,
        KIND_TIP_PROGRESS = 12,
        KIND_TIP_FIND_INFECTED = 16,
        KIND_TIP_HUNTER = 20,
        KIND_TIP_SURVIVOR = 21,
        KIND_LAST_TIP = 21,
    };
    // mItemStage of the introduction: the greetings, an item offered (its IntroItem), the
    // final note.
    enum ItemStage : int32_t {
        STAGE_GREETINGS = -1,
        STAGE_FINAL_NOTE = -2,
    };

    static constexpr int32_t kOverlayPriority = 55;
    // A story page's place: it rests at (kStoryX, kStoryRestY) and enters from kStoryHiddenY.
    static constexpr int32_t kStoryX = 248;
    static constexpr int32_t kStoryRestY = 12;
    static constexpr int32_t kStoryHiddenY = -600;
    // The progress tip lies this far right, clear of the progress bar it points at.
    static constexpr int32_t kProgressTipX = 236;
    // Pixels per update a story page slides; opacity per frame a tip fades.
    static constexpr int32_t kSlideStep = 8;
    static constexpr int32_t kFadeStep = 8;
    // The tip pages' demonstrations step every this many frames.
    static constexpr int32_t kDemoFrames = 40;
    static constexpr int32_t kDemoSteps = 4;
    // The tip check box's id.
    static constexpr int32_t kTipsCheckboxId = 0;

    // The hosts must outlive the page. The application sizes and places it.
    StoryScreens(StoryHost* story, ProfileHost* profiles, const TextStyleHost* textStyle);
    ~StoryScreens() override = default;

    // Tips take the tip panel's size; either kind starts entering with its sound.
    void ShowPage(int32_t kind);

    // The controls still shown leave with the page and are deleted after the current update.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // The state machine, once per frame; fraction is the frame's step in updates.
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The tip's check box: checked turns the tips off.
    void CheckboxChecked(int id, bool checked) override;

    // The controls' actions.
    void OnIntroContinue();
    void OnFirstItemClicked();
    void OnSecondItemClicked();
    void OnThirdItemClicked();
    void OnContinue();

    static bool IsTipKind(int32_t kind) { return kind >= KIND_FIRST_TIP && kind <= KIND_LAST_TIP; }
    // The profile's seen flag that a tip kind records.
    static int32_t GetTipIndex(int32_t kind);

    // Not owned.
    StoryHost* mStory;
    ProfileHost* mProfiles;
    const TextStyleHost* mTextStyle;
    int32_t mState = PAGE_IDLE;
    // The page's y while a story page slides, on the screen.
    int32_t mSlideY = 0;
    int32_t mPageKind = KIND_NONE;
    int32_t mItemStage = STAGE_GREETINGS;
    // A tip's fade 0..255; the menu's own mAlpha stays opaque.
    int32_t mTipAlpha = 0;
    // Plays at the offered item; the rainbow plays where an item was collected, on the
    // screen. Both are the page's own, never in the widget tree.
    AnimatedWidget mItemGlow;
    float mRainbowX = 0.0f;
    float mRainbowY = 0.0f;
    AnimatedWidget mRainbow;
    // In the widget manager while shown, else null. Story pages' Continue; the items; the
    // greetings' Continue, which a tip uses for its own; the tip's check box.
    MenuItem* mContinueButton = nullptr;
    MenuItem* mTubesButton = nullptr;
    MenuItem* mDiaryButton = nullptr;
    MenuItem* mBackpackButton = nullptr;
    MenuItem* mIntroContinueButton = nullptr;
    CustomOptionsCheckbox* mTipCheckbox = nullptr;
    // Smooth updates since the page was made.
    int32_t mUpdateCount = 0;
    // The tips' demonstration step 0..3.
    int32_t mDemoStep = 3;

private:
    void Enter(float fraction);
    void Leave(float fraction);
    void CreateControls();
    void Close();
    void CloseTip();
    MenuItem* AddContinue(int32_t x, int32_t y, void (StoryScreens::*action)());
    // Continue at its place on the parchment.
    MenuItem* AddStoryContinue(void (StoryScreens::*action)());
    void OfferItem(int32_t stage);
    void CollectItem(MenuItem*& button, float rainbowX, float rainbowY);
    void CreateTipControls();
    void RemoveTipControls();
    // The tip panel's height: kind 6 lies on the smaller dialog panel.
    int32_t GetTipPanelHeight() const;
    void DrawIntroduction(Zest::Graphics* g);
    void DrawStoryPage(Zest::Graphics* g);
    void DrawTipPage(Zest::Graphics* g);
    void DrawTipPicture(Zest::Graphics* g);
    void DrawSprite(Zest::Graphics* g, AnimatedWidget& sprite, float x, float y);
};
