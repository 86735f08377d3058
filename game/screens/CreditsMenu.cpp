#include "game/screens/CreditsMenu.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/CreditsHost.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/TextStyleHost.h"

#include <algorithm>
#include <array>

namespace {

const char* const kBackKey = "BTN_BACK";
// The Back button sits at this x, its top this far above the screen's bottom edge.
constexpr int32_t kBackX = 20;
constexpr int32_t kBackBottomGap = 50;
constexpr int32_t kOpaque = 255;
// How fast a line fades at the band's edges, in alpha per pixel.
constexpr int32_t kFadeRate = 4;

const Zest::Color kHeadingColor(100, 20, 20);
const Zest::Color kTextColor(239, 234, 135);

enum class LineKind {
    // The text is a string-table key, written in the heading colour.
    TABLE_HEADING,
    HEADING,
    TEXT,
};

struct LineSource {
    LineKind mKind;
    const char* mText;
};

// Empty lines space the groups apart.
constexpr std::array<LineSource, CreditsMenu::kLineCount> kLineSources = {{
    {LineKind::TABLE_HEADING, "LABEL_DEVBY"},
    {LineKind::TEXT, "The GreenAtlas team"},
    {LineKind::TEXT, ""},
    {LineKind::TABLE_HEADING, "LABEL_EXECPRODUCER"},
    {LineKind::TEXT, "The GreenAtlas project"},
    {LineKind::TEXT, ""},
    {LineKind::TABLE_HEADING, "LABEL_ART"},
    {LineKind::TEXT, "The GreenAtlas picture recipes"},
    {LineKind::TEXT, ""},
    {LineKind::TABLE_HEADING, "LABEL_MUSIC"},
    {LineKind::TEXT, "The GreenAtlas song recipes"},
    {LineKind::TEXT, ""},
    {LineKind::TABLE_HEADING, "LABEL_PROGRAMMING"},
    {LineKind::TEXT, "The GreenAtlas project"},
    {LineKind::TEXT, ""},
    {LineKind::TABLE_HEADING, "LABEL_SPECIALTHANKS"},
    {LineKind::TEXT, ""},
    {LineKind::TEXT, "SDL2"},
    {LineKind::TEXT, "FreeType and Fontconfig"},
    {LineKind::TEXT, "libpng, zlib, libjpeg and OpenJPEG"},
    {LineKind::TEXT, "Tremor, libogg and libvorbis"},
    {LineKind::TEXT, "libxmp and mpg123"},
    {LineKind::TEXT, "The DejaVu fonts"},
    {LineKind::TEXT, "The Noto Color Emoji font"},
    {LineKind::TEXT, ""},
    {LineKind::TEXT, ""},
    {LineKind::HEADING, "Zest application framework"},
    {LineKind::TEXT, "This game contains parts of the"},
    {LineKind::TEXT, "Zest framework by the GreenAtlas team"},
    {LineKind::TEXT, ""},
    {LineKind::TEXT, ""},
    {LineKind::HEADING, "Physics library used"},
    {LineKind::TEXT, "Box2D"},
    {LineKind::TEXT, ""},
    {LineKind::TEXT, "Box2D by Erin Catto"},
    {LineKind::TEXT, ""},
    {LineKind::TEXT, "All characters in this game are result"},
    {LineKind::TEXT, "of pure fiction. Any similarities with"},
    {LineKind::TEXT, "real persons is pure coincidence."},
}};

} // namespace

CreditsMenu::CreditsMenu(CreditsHost* const app) : mApp(app)
{
    ZEST_ASSERT(mApp != nullptr);
    mLines.reserve(kLineSources.size());
    for (const LineSource& source : kLineSources) {
        switch (source.mKind) {
        case LineKind::TABLE_HEADING:
            mLines.push_back({GetGameString(source.mText), kHeadingColor});
            break;
        case LineKind::HEADING:
            mLines.push_back({source.mText, kHeadingColor});
            break;
        case LineKind::TEXT:
            mLines.push_back({source.mText, kTextColor});
            break;
        }
    }
}

void CreditsMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    const TextStyleHost& style = mApp->GetTextStyle();
    mBackButton = DialogParts::AddLargeButton(*this, kBackX, mY + mHeight - kBackBottomGap,
                                              GetGameString(kBackKey), style.GetTextColor(),
                                              style.GetHighlightTextColor(), MenuItem::Action(this, &CreditsMenu::OnBack));
    mBackButton->mScaleX = -1.0f;
    mBackButton->mOverlayPriority = kOverlayPriority;
    BasicMenu::AddedToManager(manager);
}

void CreditsMenu::UpdateSmooth(const float fraction)
{
    BasicMenu::UpdateSmooth(fraction);
    mScrollY -= fraction / 3.0f;
    if (mScrollY < static_cast<float>(-kLineSpacing * static_cast<int32_t>(mLines.size())))
        mScrollY = kStartY;
}

void CreditsMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

bool CreditsMenu::IsInBand(const int32_t position) { return position >= kBandTop && position <= kBandBottom; }

int32_t CreditsMenu::LineAlpha(const int32_t position) const
{
    if (!IsInBand(position))
        return 0;
    int32_t alpha = kOpaque;
    if (position < kFadeOutAbove)
        alpha = std::min((position - kBandTop) * kFadeRate, kOpaque);
    else if (position >= kFadeInBelow)
        alpha = std::min((kBandBottom - position) * kFadeRate, kOpaque);
    return std::min(alpha, static_cast<int32_t>(mAlpha));
}

void CreditsMenu::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_BACKGROUND_CREDITS, 0, 0);

    g->SetFont(FONT_IN_GAME_LABELS);
    const int32_t first = static_cast<int32_t>(mScrollY);
    for (size_t i = 0; i < mLines.size(); ++i) {
        const int32_t position = first + kLineSpacing * static_cast<int32_t>(i);
        if (!IsInBand(position))
            continue;
        g->SetColor(mLines[i].mColor.WithAlpha(LineAlpha(position)));
        g->WriteString(mLines[i].mText, 0, position + kBaselineOffset, DialogParts::kScreenWidth, 0);
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

// The screen is deleted after this update; the host outlives the call.
void CreditsMenu::OnBack() { mApp->BackFromCredits(); }
