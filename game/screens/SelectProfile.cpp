#include "game/screens/SelectProfile.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/MenuServices.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MainMenu.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_SELECTPROFILE";
const char* const kDoneKey = "BTN_DONE";
const char* const kDeleteKey = "BTN_DELETE";
const char* const kCreateKey = "BTN_CREATENEWPROFILE";

// The list's colours, in the list's colour order: background, outline, a row's text, the
// text under the pointer, the selected row's bar and its text.
const int32_t kListColors[][3] = {
    {105, 80, 10}, {255, 155, 0}, {0, 0, 0}, {255, 155, 0}, {60, 18, 0}, {255, 155, 0},
};
constexpr int32_t kListCentred = 1;
constexpr int32_t kListWidth = 200;
constexpr int32_t kListHeight = 140;
constexpr int32_t kListTop = 160;
constexpr int32_t kScrollbarWidth = 15;

// The buttons' tops: Create new under the title, Delete and Done up from the panel's bottom.
constexpr int32_t kCreateTop = 95;
constexpr int32_t kDeleteFromBottom = 130;
constexpr int32_t kDoneFromBottom = 80;

} // namespace

SelectProfile::SelectProfile(ProfileHost* const profiles, ScreenNavigationHost* const navigation,
                             const TextStyleHost* const textStyle)
    : mProfiles(profiles), mNavigation(navigation), mTextStyle(textStyle)
{
}

SelectProfile::~SelectProfile() { ReleaseList(); }

void SelectProfile::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    CreateList();
    CreateButtons();
}

void SelectProfile::CreateList()
{
    ReleaseList();
    mProfileList = new Zest::ListWidget(kListId, FONT_IN_GAME_LABELS, this);
    mProfileList->mLineAlign = kListCentred;
    mProfileList->mDrawOutline = true;
    mProfileList->mSelectBarOnHilite = true;
    mProfileList->SetColors(kListColors, static_cast<int>(std::size(kListColors)));
    mProfileScrollbar = new Zest::ScrollbarWidget(0, mProfileList);
    mProfileList->mScrollbar = mProfileScrollbar;

    mProfileList->Resize(mX + (mWidth - kListWidth) / 2, mY + kListTop, kListWidth, kListHeight);
    mProfileScrollbar->ResizeScrollbar(mProfileList->mX + mProfileList->mWidth, mProfileList->mY, kScrollbarWidth,
                                       mProfileList->mHeight);
    mProfileScrollbar->SetInvisIfNoScroll(false);
    mWidgetManager->AddWidget(mProfileList);
    mWidgetManager->AddWidget(mProfileScrollbar);
    RefreshList();
}

void SelectProfile::CreateButtons()
{
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    const Zest::Color text = mTextStyle->GetTextColor();
    const Zest::Color highlight = mTextStyle->GetHighlightTextColor();
    DialogParts::AddLargeButton(*this, x, mY + mHeight - kDoneFromBottom, GetGameString(kDoneKey), text, highlight,
                                MenuItem::Action(this, &SelectProfile::OnDone));
    MenuItem* const remove =
        DialogParts::AddLargeButton(*this, x, mY + mHeight - kDeleteFromBottom, GetGameString(kDeleteKey), text,
                                    highlight, MenuItem::Action(this, &SelectProfile::OnDelete));
    remove->mScaleX = -1.0f;
    DialogParts::AddLargeButton(*this, x, mY + kCreateTop, GetGameString(kCreateKey), text, highlight,
                                MenuItem::Action(this, &SelectProfile::OnCreateNewProfile));
}

void SelectProfile::RemovedFromManager(Zest::WidgetManager* const manager)
{
    BasicMenu::RemovedFromManager(manager);
    ReleaseList();
}

void SelectProfile::ReleaseList()
{
    if (mProfileList != nullptr)
        ReleaseWidget(mProfileList);
    if (mProfileScrollbar != nullptr)
        ReleaseWidget(mProfileScrollbar);
    mProfileList = nullptr;
    mProfileScrollbar = nullptr;
}

void SelectProfile::Draw(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(IMAGE_GAME_SUBMENU, 0.0f, 0.0f);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, DialogParts::kTitleBaseline, mWidth);
}

void SelectProfile::ListClicked(const int listId, const int index, int)
{
    if (listId == kListId && mProfileList != nullptr)
        mProfileList->SetSelect(index);
}

void SelectProfile::RefreshList()
{
    if (mProfileList == nullptr)
        return;
    mProfileList->RemoveAll();
    mProfiles->FillProfileList(mProfileList);
    mProfileList->SetSelect(0);
}

void SelectProfile::OnDone()
{
    ScreenNavigationHost* const navigation = mNavigation;
    if (mProfileList != nullptr)
        mProfiles->SetCurrentProfileIndex(mProfileList->mSelectIndex);
    if (MainMenu* const menu = navigation->GetMainMenu())
        menu->EnableItems();
    // The dialog is deleted after this update, so nothing of it is touched past here.
    navigation->CloseSelectProfile();
}

void SelectProfile::OnDelete()
{
    if (mProfileList == nullptr)
        return;
    mProfiles->DeleteProfile(mProfileList->mSelectIndex);
    RefreshList();
}

void SelectProfile::OnCreateNewProfile() { mNavigation->ShowPlayerNameEntry(); }
