#include "game/screens/PlayerNameEntry.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/screens/MenuItem.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/CustomEditWidget.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MainMenu.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/screens/SelectProfile.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_ENTERNAME";
const char* const kHintKey = "LABEL_MAX_NAME_CHARACTERS";
const char* const kDefaultNameKey = "LABEL_DEFAULTNAME";
const char* const kDoneKey = "BTN_DONE";

using DialogParts::kScreenHeight;
using DialogParts::kScreenWidth;

// The field, relative to the panel's corner.
constexpr int32_t kFieldX = 60;
constexpr int32_t kFieldY = 130;
constexpr int32_t kFieldWidth = 280;
constexpr int32_t kFieldHeight = 60;
const Zest::Color kFieldBackground(0, 0, 0, 128);
const Zest::Color kFieldOutline(55, 55, 55);
const Zest::Color kFieldSelection(0, 0, 55);

// The Done button's top lies this far above the panel's layout bottom.
constexpr int32_t kDoneFromBottom = 80;

constexpr int32_t kHintBaseline = 210;
const Zest::Color kScanLineColor(200, 200, 200, 64);

} // namespace

PlayerNameEntry::PlayerNameEntry(ProfileHost* const profiles, ScreenNavigationHost* const navigation,
                                 const TextStyleHost* const textStyle)
    : mProfiles(profiles), mNavigation(navigation), mTextStyle(textStyle)
{
    Resize(0, 0, kScreenWidth, kScreenHeight);
    mPanelX = (kScreenWidth - IMAGE_GAME_SUBMENU->GetWidth()) / 2;
    mPanelY = (kScreenHeight - IMAGE_GAME_SUBMENU->GetHeight()) / 2;
}

PlayerNameEntry::~PlayerNameEntry() { ReleaseNameEdit(); }

void PlayerNameEntry::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    CreateNameEdit();
    CreateDoneButton();
}

void PlayerNameEntry::CreateNameEdit()
{
    ReleaseNameEdit();
    mNameEdit = std::make_unique<CustomEditWidget>(kFieldId, this);
    CustomEditWidget& field = *mNameEdit;
    field.SetFont(FONT_IN_GAME_LABELS);
    field.Resize(mPanelX + kFieldX, mPanelY + kFieldY, kFieldWidth, kFieldHeight);
    // The selected text keeps the field's own colour.
    field.SetColor(Zest::EditWidget::COLOR_BKG, kFieldBackground);
    field.SetColor(Zest::EditWidget::COLOR_OUTLINE, kFieldOutline);
    field.SetColor(Zest::EditWidget::COLOR_TEXT, Zest::Color::White);
    field.SetColor(Zest::EditWidget::COLOR_HILITE, kFieldSelection);
    field.mMaxChars = kMaxNameChars;
    field.SetText(GetGameString(kDefaultNameKey), false);
    mWidgetManager->AddWidget(&field);
    mWidgetManager->SetFocus(&field);
}

void PlayerNameEntry::CreateDoneButton()
{
    DialogParts::AddLargeButton(*this, mPanelX + (mPanelWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2,
                                mPanelY + mPanelHeight - kDoneFromBottom, GetGameString(kDoneKey),
                                mTextStyle->GetTextColor(), mTextStyle->GetHighlightTextColor(),
                                MenuItem::Action(this, &PlayerNameEntry::OnDone));
}

void PlayerNameEntry::RemovedFromManager(Zest::WidgetManager* const manager)
{
    BasicMenu::RemovedFromManager(manager);
    DetachNameEdit();
}

void PlayerNameEntry::DetachNameEdit()
{
    if (mNameEdit != nullptr && mNameEdit->mParent != nullptr)
        mNameEdit->mParent->RemoveWidget(mNameEdit.get());
}

void PlayerNameEntry::ReleaseNameEdit()
{
    DetachNameEdit();
    mNameEdit.reset();
}

void PlayerNameEntry::EditTextEntered(int, const std::string& text)
{
    if (!text.empty())
        OnDone();
}

bool PlayerNameEntry::AllowChar(int, const char c) { return kRefusedNameChars.find(c) == std::string_view::npos; }

void PlayerNameEntry::OnDone()
{
    ProfileHost* const profiles = mProfiles;
    ScreenNavigationHost* const navigation = mNavigation;
    profiles->AddProfile(std::make_unique<PlayerProfile>(mNameEdit->mString));
    // Back to the profile selection when it is open (its list shows the new name), else to
    // the main menu.
    if (SelectProfile* const selection = navigation->GetSelectProfile())
        selection->RefreshList();
    else if (MainMenu* const menu = navigation->GetMainMenu())
        menu->EnableItems();
    // The dialog is deleted after this update, so nothing of it is touched past here.
    navigation->RemovePlayerNameEntry();
    profiles->SaveProfiles();
}

void PlayerNameEntry::Draw(Zest::Graphics* const g)
{
    // An open profile selection has darkened the screen already.
    if (mNavigation->GetSelectProfile() == nullptr)
        DialogParts::ShadeScreen(g, *this);
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_SUBMENU, mPanelX, mPanelY);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, mPanelY + DialogParts::kTitleBaseline, kScreenWidth);

    g->SetFont(FONT_STORY_TEXT);
    g->SetColor(mTextStyle->GetTextColor());
    g->WriteString(GetGameString(kHintKey), mPanelX, mPanelY + kHintBaseline, mPanelWidth, 0);

    if (GameOptionsHolder::Instance().mScanLines) {
        g->SetColorizeImages(true);
        g->SetColor(kScanLineColor);
        g->DrawImage(IMAGE_GAME_SCAN_LINES, -mX, -mY);
    }
}
