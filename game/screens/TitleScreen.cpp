#include "game/screens/TitleScreen.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/LoadingProgressHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/RightsNotice.h"

namespace {

const char* const kClickHereKey = "BTN_CLICK_HERE";

// The notice and the button's label share the title picture's pale yellow.
const Zest::Color kTitleTextColor(239, 234, 135);
const Zest::Color kClickHereOverColor(240, 240, 100);

constexpr int32_t kNoticeBaseline = 590;
constexpr int32_t kLoadingLabelY = 520;
constexpr int32_t kLoadingBarY = 450;
constexpr int32_t kButtonX = 320;
constexpr int32_t kButtonY = 520;
constexpr int32_t kButtonWidth = 160;
constexpr int32_t kButtonHeight = 30;
constexpr int32_t kButtonLabelY = 23;

// Whole percent, truncated: 100 only once loading is complete.
int32_t PercentOf(const double progress) { return static_cast<int32_t>(progress * 100.0); }

} // namespace

TitleScreen::TitleScreen(LoadingProgressHost* const loading, ScreenNavigationHost* const navigation)
    : mLoading(loading), mNavigation(navigation), mImage(IMAGE_TITLE_BACKGROUND)
{
}

TitleScreen::~TitleScreen() { ReleaseClickHereButton(); }

void TitleScreen::RemovedFromManager(Zest::WidgetManager* const manager)
{
    ReleaseClickHereButton();
    Widget::RemovedFromManager(manager);
}

void TitleScreen::ReleaseClickHereButton()
{
    MenuItem* const button = mClickHereButton;
    if (button == nullptr)
        return;
    mClickHereButton = nullptr;
    ReleaseWidget(button);
}

void TitleScreen::UpdateSmooth(float)
{
    ++mUpdateCount;
    const int32_t percent = PercentOf(mLoading->GetLoadingProgress());
    switch (mState) {
    case TITLE_WAIT:
        if (mClickHereButton == nullptr && percent >= 100 && !mLoading->HasLoadingFailed())
            CreateClickHereButton();
        break;
    case FADE_OUT:
        StepFadeOut();
        break;
    case LOGO_START:
        mState = LOGO_SHOW;
        mUpdateCount = 0;
        mAlpha = 0;
        break;
    case LOGO_SHOW:
        if (mAlpha < 255)
            ++mAlpha;
        if (mUpdateCount > kLogoShowUpdates && mAlpha == 255)
            mState = FADE_OUT;
        break;
    default:
        break;
    }

    if (mState == FINISHED && percent == 100) {
        ScreenNavigationHost* const navigation = mNavigation;
        ReleaseWidget(this);
        navigation->TitleScreenIsFinished();
    }
}

void TitleScreen::StepFadeOut()
{
    mAlpha -= kFadeOutStep;
    if (mAlpha < kLogoSoundAlpha && mImage == IMAGE_TITLE_BACKGROUND && !mLogoSoundPlayed) {
        mLogoSoundPlayed = true;
        GetMenuServices().PlaySoundEffect(SOUND_LOGO);
    }
    if (mAlpha >= 0)
        return;
    mAlpha = 0;
    if (mImage == IMAGE_TITLE_BACKGROUND) {
        mImage = IMAGE_TITLE_COMPANY_LOGO;
        mState = LOGO_START;
    } else {
        mImage = nullptr;
        mState = FINISHED;
    }
}

void TitleScreen::Draw(Zest::Graphics* const g)
{
    g->SetColor(Zest::Color::Black);
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, mAlpha));

    if (mState == LOGO_START || mState == LOGO_SHOW) {
        g->DrawImageAtFloat(IMAGE_TITLE_COMPANY_LOGO, 0.0f, 0.0f);
    } else if (mImage != nullptr) {
        g->DrawImage(mImage, (mWidth - mImage->GetWidth()) / 2, (mHeight - mImage->GetHeight()) / 2);
    }
    if (mImage == IMAGE_TITLE_BACKGROUND)
        DrawTitleExtras(g, mLoading->GetLoadingProgress());
}

void TitleScreen::DrawTitleExtras(Zest::Graphics* const g, const double progress) const
{
    g->SetFont(FONT_LEGALS);
    g->SetColor(Zest::Color(kTitleTextColor.mRed, kTitleTextColor.mGreen, kTitleTextColor.mBlue, mAlpha));
    g->WriteString(kRightsNotice, 0, kNoticeBaseline, mWidth, 0);

    g->SetColor(Zest::Color(255, 255, 255, mAlpha));
    if (PercentOf(progress) < 100) {
        g->DrawImageAtFloat(IMAGE_LOADING_LABEL, (mWidth - IMAGE_LOADING_LABEL->GetWidth()) * 0.5f,
                            static_cast<float>(kLoadingLabelY));
    }

    // The bar grows from its left end with the raw fraction: a clip over the whole picture.
    Zest::Image* const bar = IMAGE_LOADING_PROGRESS_BAR;
    Zest::Graphics barGraphics(*g);
    barGraphics.ClipRect((mWidth - bar->GetWidth()) / 2, kLoadingBarY,
                         static_cast<int32_t>(progress * bar->GetWidth()), bar->GetHeight());
    barGraphics.DrawImageAtFloat(bar, (mWidth - bar->GetWidth()) * 0.5f, static_cast<float>(kLoadingBarY));
}

void TitleScreen::CreateClickHereButton()
{
    auto* const button = new MenuItem();
    mClickHereButton = button;
    button->Resize(0, 0, kButtonWidth, kButtonHeight);
    button->Move(kButtonX, kButtonY);
    button->mFont = FONT_IN_GAME_LABELS;
    button->mLabel = GetGameString(kClickHereKey);
    button->mLabelJustification = 0;
    button->SetLabelY(kButtonLabelY);
    button->SetLabelColor(kTitleTextColor);
    button->SetLabelOverColor(kClickHereOverColor);
    // It fades in, and takes a click only once it is fully shown.
    button->mAlpha = 0.0f;
    button->mFadeState = FADE_IN;
    button->mAction = MenuItem::Action(this, &TitleScreen::OnClickHere);
    mWidgetManager->AddWidget(button);
}

void TitleScreen::OnClickHere()
{
    mState = FADE_OUT;
    ReleaseClickHereButton();
}
