#include "game/screens/OptionsMenu.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/OptionsControls.h"
#include "game/screens/OptionsMenuHost.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_OPTIONS";
const char* const kCreditsKey = "BTN_CREDITS";
const char* const kDoneKey = "BTN_DONE";

// The sliders' tops, and their labels' baselines just above them, centred across the panel.
constexpr int32_t kMusicSliderY = 100;
constexpr int32_t kSfxSliderY = 190;
constexpr int32_t kMusicLabelY = 90;
constexpr int32_t kSfxLabelY = 180;

// The check boxes lie in two columns of three rows; each label starts right of its box,
// with its baseline level with the box's lower part.
constexpr int32_t kLeftColumnX = 40;
constexpr int32_t kRightColumnX = 220;
constexpr int32_t kFirstRowY = 260;
constexpr int32_t kRowHeight = 40;
constexpr int32_t kLabelOffsetX = 40;
constexpr int32_t kLabelOffsetY = 20;

// The buttons' tops above the panel's lower edge.
constexpr int32_t kCreditsFromBottom = 120;
constexpr int32_t kDoneFromBottom = 70;

struct BoxLabel {
    const char* mKey;
    int32_t mX;
    int32_t mRow;
};

const BoxLabel kBoxLabels[] = {
    {"LABEL_FULLSCREEN", kLeftColumnX, 0},      {"LABEL_ANIMALNAMES", kRightColumnX, 0},
    {"LABEL_HINTFEATURE", kLeftColumnX, 1},     {"LABEL_SCANLINESFEATURE", kRightColumnX, 1},
    {"LABEL_TUTORIALTIPS", kLeftColumnX, 2},    {"LABEL_MUTEONPAUSE", kRightColumnX, 2},
};

int32_t RowY(const int32_t row) { return kFirstRowY + row * kRowHeight; }

} // namespace

OptionsMenu::OptionsMenu(OptionsMenuHost* const app, const TextStyleHost* const textStyle)
    : mApp(app), mTextStyle(textStyle)
{
}

void OptionsMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    mManager = manager;
    GameOptions& options = GameOptionsHolder::Instance();
    mMusicSlider = AddSlider(MUSIC_SLIDER, kMusicSliderY, options.mMusicVolume);
    mSfxSlider = AddSlider(SFX_SLIDER, kSfxSliderY, options.mSfxVolume);
    // The box follows the window as it is; Done applies a change.
    mFullScreenCheckbox = AddCheckbox(FULL_SCREEN_BOX, kLeftColumnX, RowY(0), !mApp->IsWindowed(), false);
    // Names, hint and scan lines write their own value back as they are made.
    mAnimalNamesCheckbox = AddCheckbox(ANIMAL_NAMES_BOX, kRightColumnX, RowY(0), options.mAnimalNames, true);
    mHintCheckbox = AddCheckbox(HINT_BOX, kLeftColumnX, RowY(1), options.mHintFeature, true);
    mScanLinesCheckbox = AddCheckbox(SCAN_LINES_BOX, kRightColumnX, RowY(1), options.mScanLines, true);
    // Not told: the tips would clear the player's seen tips, mute on pause would mute.
    mTutorialTipsCheckbox = AddCheckbox(TUTORIAL_TIPS_BOX, kLeftColumnX, RowY(2), options.mTutorialTips, false);
    mMuteOnPauseCheckbox = AddCheckbox(MUTE_ON_PAUSE_BOX, kRightColumnX, RowY(2), options.mMuteOnPause, false);
    mCreditsButton = AddButton(kCreditsKey, mHeight - kCreditsFromBottom, &OptionsMenu::OnCredits);
    mDoneButton = AddButton(kDoneKey, mHeight - kDoneFromBottom, &OptionsMenu::OnDone);
}

CustomOptionsSlider* OptionsMenu::AddSlider(const int32_t id, const int32_t y, const double value)
{
    auto* const slider = new CustomOptionsSlider(id, this);
    const int32_t width = IMAGE_GAME_SLIDER_RAIL->GetWidth();
    slider->Resize(mX + (mWidth - width) / 2, mY + y, width, kSliderHeight);
    slider->SetValue(value);
    slider->mOwnerMenu = this;
    mManager->AddWidget(slider);
    return slider;
}

CustomOptionsCheckbox* OptionsMenu::AddCheckbox(const int32_t id, const int32_t x, const int32_t y,
                                                const bool checked, const bool tellListener)
{
    auto* const box = new CustomOptionsCheckbox(id, this);
    box->Resize(mX + x, mY + y, IMAGE_GAME_CHECKBOX_UNCHECKED->GetWidth(),
                IMAGE_GAME_CHECKBOX_UNCHECKED->GetHeight());
    box->SetChecked(checked, tellListener);
    box->mOwnerMenu = this;
    mManager->AddWidget(box);
    return box;
}

MenuItem* OptionsMenu::AddButton(const char* const labelKey, const int32_t y, void (OptionsMenu::*const action)())
{
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    MenuItem* const button =
        DialogParts::AddLargeButton(*this, x, mY + y, GetGameString(labelKey), mTextStyle->GetTextColor(),
                                    mTextStyle->GetHighlightTextColor(), MenuItem::Action(this, action));
    button->mOverlayPriority = kButtonPriority;
    return button;
}

template <typename Control>
void OptionsMenu::ReleaseControl(Control*& control)
{
    if (control == nullptr)
        return;
    ReleaseWidget(control);
    control = nullptr;
}

void OptionsMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    // The buttons are among the menu's items, which go here.
    BasicMenu::RemovedFromManager(manager);
    mDoneButton = nullptr;
    mCreditsButton = nullptr;
    ReleaseControl(mMusicSlider);
    ReleaseControl(mSfxSlider);
    ReleaseControl(mFullScreenCheckbox);
    ReleaseControl(mTutorialTipsCheckbox);
    ReleaseControl(mAnimalNamesCheckbox);
    ReleaseControl(mHintCheckbox);
    ReleaseControl(mScanLinesCheckbox);
    ReleaseControl(mMuteOnPauseCheckbox);
}

void OptionsMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void OptionsMenu::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(IMAGE_GAME_SUBMENU, 0.0f, 0.0f);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, DialogParts::kTitleBaseline, mWidth);
    g->SetColor(mTextStyle->GetTextColor());
    g->WriteString(GetGameString("LABEL_MUSICVOL"), 0, kMusicLabelY, mWidth, 0);
    g->WriteString(GetGameString("LABEL_SOUNDVOL"), 0, kSfxLabelY, mWidth, 0);
    for (const BoxLabel& label : kBoxLabels)
        g->WriteString(GetGameString(label.mKey), label.mX + kLabelOffsetX, RowY(label.mRow) + kLabelOffsetY);
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void OptionsMenu::SliderValueChanged(const int id, const double value)
{
    GameOptions& options = GameOptionsHolder::Instance();
    switch (id) {
    case MUSIC_SLIDER:
        options.mMusicVolume = value;
        mApp->SetMusicVolume(value);
        break;
    case SFX_SLIDER:
        options.mSfxVolume = value;
        mApp->SetSfxVolume(value);
        // A sample of the new level once the thumb is let go or a press on the rail ends,
        // not on every step of a drag.
        ZEST_ASSERT(mSfxSlider != nullptr);
        if (!mSfxSlider->mDragging)
            GetMenuServices().PlaySoundEffect(SOUND_BUTTON_ACTION);
        break;
    default:
        break;
    }
}

void OptionsMenu::CheckboxChecked(const int id, const bool checked)
{
    GameOptions& options = GameOptionsHolder::Instance();
    switch (id) {
    case FULL_SCREEN_BOX:
        // Applied by Done. The box keeps no keyboard focus.
        mManager->SetFocus(this);
        break;
    case TUTORIAL_TIPS_BOX:
        options.mTutorialTips = checked;
        if (checked)
            mApp->ShowAllTipsAgain();
        break;
    case MUTE_ON_PAUSE_BOX:
        options.mMuteOnPause = checked;
        mApp->MuteOnPauseChanged(checked);
        break;
    case ANIMAL_NAMES_BOX:
        options.mAnimalNames = checked;
        break;
    case HINT_BOX:
        options.mHintFeature = checked;
        break;
    case SCAN_LINES_BOX:
        options.mScanLines = checked;
        break;
    default:
        break;
    }
}

void OptionsMenu::OnCredits()
{
    mApp->ShowCredits();
    mManager->RemoveWidget(this);
}

void OptionsMenu::OnCreditsClosed()
{
    ZEST_ASSERT(mManager != nullptr && mParent == nullptr);
    mApp->RemoveCredits();
    mManager->AddWidget(this);
}

void OptionsMenu::OnDone()
{
    if (MainMenu* const mainMenu = mApp->GetMainMenu())
        mainMenu->EnableItems();
    ZEST_ASSERT(mFullScreenCheckbox != nullptr);
    mApp->SetFullScreen(mFullScreenCheckbox->mChecked);
    // The menu is deleted after the current update; nothing of it is touched past here.
    mApp->RemoveOptionsMenu();
}
