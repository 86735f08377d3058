// What the how-to-play pages draw: a veil over the screen, the parchment with the guide's
// portrait, the page's title, texts and pictures with their samples, and the scan lines.
// Everything is in the panel's coordinates; the samples of pages 3 to 5 are placed from
// `bottom`, the panel's height plus its y on the screen, so they move with the panel.

#include "game/screens/HowToPlay.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Awards.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HelpSamples.h"
#include "game/screens/ScaledPicture.h"
#include "game/screens/TextStyleHost.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace {

struct PageText {
    const char* mKey;
    Zest::Rect mRect;
};

struct PageWords {
    const char* mTitleKey;
    std::vector<PageText> mTexts;
};

const Zest::Rect kIntroRect(140, 55, 360, 160);
const Zest::Rect kSamplingRect(140, 35, 360, 160);

const std::array<PageWords, HowToPlay::kPageCount> kPages = {{
    {"HTP_LABEL_0", {{"HTP_PAGE_BASIC", kIntroRect}}},
    {"HTP_LABEL_0_1",
     {{"HTP_PAGE_JANESFILES_0", kIntroRect}, {"HTP_PAGE_JANESFILES_1", Zest::Rect(335, 105, 165, 250)}}},
    {"HTP_LABEL_0_2", {{"HTP_PAGE_GLOBALPROGRESS", kIntroRect}}},
    {"HTP_LABEL_1",
     {{"LBL_HELP_SAMPLING_MATCHSAME", kSamplingRect},
      {"HTP_PAGE_MATCHSAME", Zest::Rect(260, 130, 250, 100)},
      {"HTP_PAGE_MATCHSAME_0", Zest::Rect(135, 240, 360, 100)}}},
    {"HTP_LABEL_2",
     {{"LBL_HELP_SAMPLING_FOODCHAIN", kSamplingRect},
      {"HTP_PAGE_FOODCHAIN", Zest::Rect(260, 130, 250, 100)},
      {"HTP_PAGE_FOODCHAIN_0", Zest::Rect(135, 235, 360, 100)},
      {"HTP_PAGE_FOODCHAIN_1", Zest::Rect(135, 325, 360, 100)}}},
    {"HTP_LABEL_3",
     {{"LBL_HELP_SAMPLING_MATCHPAIRS", kSamplingRect}, {"HTP_PAGE_MATCHPAIRS", Zest::Rect(260, 140, 250, 100)}}},
    {"HTP_LABEL_4",
     {{"LBL_HELP_SAMPLING_FINDINFECTED", kSamplingRect},
      {"HTP_PAGE_FINDINFECTED", Zest::Rect(260, 140, 250, 100)}}},
    {"HTP_LABEL_4_1", {{"HTP_PAGE_INVENTORY", kIntroRect}}},
    {"HTP_LABEL_MONKEY", {{"HTP_PAGE_MONKEY", kIntroRect}}},
    {"HTP_LABEL_SPIDER", {{"HTP_PAGE_SPIDER", kIntroRect}}},
    {"HTP_LABEL_HUNTER", {{"HTP_PAGE_HUNTER", kIntroRect}}},
    {"HTP_LABEL_5",
     {{"LBL_HELP_TORCH", kSamplingRect},
      {"HTP_PAGE_TORCH", Zest::Rect(140, 105, 360, 160)},
      {"HTP_USING_POWER_ITEM", Zest::Rect(140, 155, 360, 160)}}},
    {"HTP_LABEL_6",
     {{"LBL_HELP_WATER", kSamplingRect},
      {"HTP_PAGE_WATER", Zest::Rect(140, 105, 360, 160)},
      {"HTP_USING_POWER_ITEM", Zest::Rect(140, 155, 360, 160)}}},
    {"HTP_LABEL_7",
     {{"LBL_HELP_SHUFFLE", kSamplingRect},
      {"HTP_PAGE_SHUFFLE", Zest::Rect(140, 105, 360, 160)},
      {"HTP_USING_SHUFFLE", Zest::Rect(140, 175, 360, 160)}}},
    {"HTP_LABEL_BONUSMOVES", {{"HTP_PAGE_BONUSMOVES", kIntroRect}}},
    {"HTP_LABEL_8",
     {{"HTP_COPPER_PLATES", Zest::Rect(240, 70, 250, 60)},
      {"HTP_SILVER_PLATES", Zest::Rect(240, 170, 250, 60)},
      {"HTP_GOLDEN_PLATES", Zest::Rect(240, 270, 250, 60)}}},
    {"HTP_LABEL_9", {{"HTP_HABITAT_AWARDS", Zest::Rect(140, 60, 360, 80)}}},
    {"HTP_LABEL_10", {{"HTP_RESTART_LEVEL", Zest::Rect(140, 60, 360, 80)}}},
}};

constexpr int32_t kTitleX = 140;
constexpr int32_t kTitleBaseline = 35;
constexpr int32_t kPortraitX = 16;
constexpr int32_t kPortraitY = 16;
constexpr float kDotSpacing = 8.0f;
constexpr int32_t kHabitatAwardCount = 10;

float F(const int32_t value) { return static_cast<float>(value); }

// A picture and its top-left corner.
struct PlacedPicture {
    Zest::Image* const* mImage;
    int32_t mX;
    int32_t mY;
};

void DrawPictures(Zest::Graphics* const g, std::initializer_list<PlacedPicture> pictures)
{
    for (const PlacedPicture& picture : pictures)
        g->DrawImage(*picture.mImage, picture.mX, picture.mY);
}

} // namespace

void HowToPlay::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_STORY_BACK, 0, 0);
    g->DrawImage(IMAGE_GAME_STORY_JANEPORTRET, kPortraitX, kPortraitY);
    DrawPage(g);
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void HowToPlay::DrawSampleLink(Zest::Graphics* const g, const std::pair<float, float> a,
                               const std::pair<float, float> b) const
{
    const float dx = b.first - a.first;
    const float dy = b.second - a.second;
    const float length = std::hypot(dx, dy);
    // The links join distinct sample points.
    ZEST_ASSERT(length > 0.0f);
    const auto dots = static_cast<int32_t>(std::trunc(length / kDotSpacing)) + 1;
    const double angle = std::atan2(dx, dy) + std::numbers::pi / 2.0;
    Zest::Image* const dot = IMAGE_GAME_LINE_ELEMENT;
    const float halfWidth = F(dot->GetWidth()) / 2.0f;
    const float halfHeight = F(dot->GetHeight()) / 2.0f;
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    for (int32_t i = 0; i < dots; ++i) {
        const float along = kDotSpacing * F(i) / length;
        g->DrawImageRotated(dot, a.first + along * dx - halfWidth, a.second + along * dy - halfHeight, angle);
    }
}

void HowToPlay::DrawPage(Zest::Graphics* const g) const
{
    ZEST_ASSERT(mPage >= 0 && mPage < kPageCount);
    const PageWords& words = kPages[static_cast<size_t>(mPage)];
    const Zest::Color textColor = mTextStyle->GetTextColor();
    g->SetColor(textColor);
    g->SetFont(FONT_IN_GAME_LABELS);
    g->WriteString(GetGameString(words.mTitleKey), kTitleX, kTitleBaseline);
    g->SetFont(FONT_STORY_TEXT);
    for (const PageText& text : words.mTexts)
        g->WriteWordWrapped(text.mRect, GetGameString(text.mKey));

    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->SetLinearBlend(true);
    const int32_t bottom = mHeight + mY;
    const int32_t step = mSampleStep;
    switch (mPage) {
    case 0:
        DrawBasicsSample(g);
        break;
    case 1:
        DrawCentredScaled(g, IMAGE_GAME_HELP_FILES, 0.8f, 235.0f, 233.0f);
        break;
    case 2:
        DrawCentredScaled(g, IMAGE_GAME_PROGRESS_BAR_BASE, 0.6f, 315.0f, 140.0f);
        break;
    case 3:
        DrawPictures(g, {{&IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, 135, 130}, {&IMAGE_GAME_SM_MATCHSAME, 155, 155}});
        for (int32_t i = 0; i < 3; ++i)
            g->DrawImage(IMAGE_TILE_MACAW, 200 + 60 * i, bottom - 270);
        DrawChainDemo(g, {2, 60, 230, bottom - 227, 8, 185, bottom - 270, true, 210, bottom - 220}, step);
        break;
    case 4:
        DrawPictures(g, {{&IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, 135, 130}, {&IMAGE_GAME_SM_FOODCHAIN, 155, 155}});
        DrawFoodChainSample(g, bottom);
        break;
    case 5:
        DrawPictures(g, {{&IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, 135, 140},
                         {&IMAGE_GAME_SM_MATCHPAIRS, 155, 165},
                         {&IMAGE_TILE_BLACKBEAR, 200, bottom - 290},
                         {&IMAGE_TILE_BLACKBEAR, 286, bottom - 290},
                         {&IMAGE_GAME_GENDER_MALE, 270, bottom - 290},
                         {&IMAGE_GAME_GENDER_FEMALE, 356, bottom - 290}});
        DrawChainDemo(g, {1, 86, 230, bottom - 247, 12, 192, bottom - 290, true, 217, bottom - 240}, step);
        break;
    case kPulsePage:
        DrawPictures(g, {{&IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, 135, 140}, {&IMAGE_GAME_SM_MATCHSEARCH, 155, 165}});
        DrawPulsingTile(g, bottom);
        break;
    case 7:
        DrawPictures(g, {{&IMAGE_GAME_BACKPACK_SMALL, 170, 250},
                         {&IMAGE_GAME_ITEMROCKS, 300, 250},
                         {&IMAGE_GAME_ITEMROCKS, 365, 240},
                         {&IMAGE_GAME_ITEMROCKS, 380, 300},
                         {&IMAGE_GAME_TORCH, 300, 187},
                         {&IMAGE_GAME_BUCKET, 365, 215},
                         {&IMAGE_GAME_SHUFFLECOIN, 384, 275}});
        break;
    case 8:
        DrawPictures(g, {{&IMAGE_GAME_GOLDENMONKEY, 185, bottom - 355},
                         {&IMAGE_GAME_BANANAS, 330, bottom - 360},
                         {&IMAGE_GAME_WAVEARROW, 280, bottom - 335}});
        break;
    case 9:
        DrawPictures(g, {{&IMAGE_GAME_GOLDENSPIDER, 215, bottom - 340},
                         {&IMAGE_GAME_SPIDERWEB, 330, bottom - 360},
                         {&IMAGE_GAME_WAVEARROW, 280, bottom - 335}});
        break;
    case 10:
        DrawPictures(g, {{&IMAGE_GAME_HUNTER, 185, bottom - 365},
                         {&IMAGE_GAME_CAGE, 330, bottom - 360},
                         {&IMAGE_GAME_WAVEARROW, 280, bottom - 335}});
        break;
    case 11:
        DrawPictures(g, {{&IMAGE_GAME_TORCH_ITEM, 200, bottom - 255},
                         {&IMAGE_GAME_SPIDERWEB, 330, bottom - 260},
                         {&IMAGE_GAME_WAVEARROW, 280, bottom - 235}});
        break;
    case 12:
        DrawPictures(g, {{&IMAGE_GAME_BUCKET_ITEM, 200, bottom - 255},
                         {&IMAGE_GAME_BANANAS, 330, bottom - 260},
                         {&IMAGE_GAME_WAVEARROW, 280, bottom - 235}});
        break;
    case 13:
        g->DrawImage(IMAGE_GAME_SHUFFLECOIN_ITEM, 265, bottom - 295);
        break;
    case 15:
        // Each plate with the tile on it.
        DrawPictures(g, {{&IMAGE_GAME_PLATE_COPPPER, 140, 60},
                         {&IMAGE_TILE_REDFOX, 140, 60},
                         {&IMAGE_GAME_PLATE_SILVER, 140, 160},
                         {&IMAGE_TILE_REDFOX, 140, 160},
                         {&IMAGE_GAME_PLATE_GOLDEN, 140, 260},
                         {&IMAGE_TILE_REDFOX, 140, 260}});
        break;
    case 16:
        DrawAwardRing(g);
        break;
    case 17:
        g->DrawImage(IMAGE_GAME_JANE_SIGNITURE, 290, 250);
        break;
    default:
        // The bonus moves page has text only.
        break;
    }
}

// Two rows of three tiles that the chain runs through, point by point, and below them a
// row of six with the hint marking the next tile.
void HowToPlay::DrawBasicsSample(Zest::Graphics* const g) const
{
    static constexpr float kScale = 0.6f;
    static constexpr float kRowY = 385.0f;
    const int32_t step = mSampleStep;
    for (int32_t j = 0; j < 2; ++j) {
        for (int32_t i = 0; i < 3; ++i)
            DrawCentredScaled(g, IMAGE_TILE_MACAW, kScale, F(250 + 50 * i), F(215 + 50 * j));
    }
    for (int32_t k = 0; k + 1 < step; ++k)
        DrawSampleLink(g, mSamplePoints[static_cast<size_t>(k)], mSamplePoints[static_cast<size_t>(k + 1)]);
    g->SetColor(Zest::Color::White);
    if (step >= 2 && step <= 5)
        DrawCentredScaled(g, IMAGE_GAME_HINT_GOLD, kScale, F(200 + 50 * step), kRowY);
    for (int32_t i = 0; i < 6; ++i)
        DrawCentredScaled(g, IMAGE_TILE_MACAW, kScale, F(200 + 50 * i), kRowY);
    for (int32_t k = 0; k + 1 < step; ++k)
        DrawSampleLink(g, {F(200 + 50 * k), kRowY}, {F(250 + 50 * k), kRowY});
}

// A chain from the predator down to its prey's prey, at 0.8, then two tiles of a kind in a
// double frame.
void HowToPlay::DrawFoodChainSample(Zest::Graphics* const g, const int32_t bottom) const
{
    static constexpr float kScale = 0.8f;
    const float rowY = F(bottom - 275);
    DrawCentredScaled(g, IMAGE_TILE_ANACONDA, kScale, 185.0f, rowY);
    DrawCentredScaled(g, IMAGE_TILE_JAGUAR, kScale, 271.0f, rowY);
    DrawCentredScaled(g, IMAGE_TILE_CAPYBARA, kScale, 357.0f, rowY);
    const int32_t step = mSampleStep;
    if (step <= 2) {
        for (int32_t r = 0; r < step; ++r) {
            for (int32_t m = 0; m < 12; ++m)
                DrawCentredScaled(g, IMAGE_GAME_LINE_ELEMENT, kScale, F(185 + 86 * r + 8 * m), rowY);
        }
        const int32_t halfPointerWidth = IMAGE_CUSTOM_POINTER->GetWidth() / 2;
        const int32_t halfPointerHeight = IMAGE_CUSTOM_POINTER->GetHeight() / 2;
        DrawCentredScaled(g, IMAGE_CUSTOM_POINTER, kScale, F(159 + 86 * step + halfPointerWidth),
                          F(bottom - 305 + halfPointerHeight));
        DrawCentredScaled(g, IMAGE_GAME_MOUSE_LBTN, kScale, F(174 + 86 * step + halfPointerWidth),
                          F(bottom - 275 + halfPointerHeight));
    }
    const float pairY = F(bottom - 170);
    DrawCentredScaled(g, IMAGE_TILE_JAGUAR, kScale, 300.0f, pairY);
    DrawCentredScaled(g, IMAGE_TILE_JAGUAR, kScale, 362.0f, pairY);
    DrawCentredScaled(g, IMAGE_GAME_FRAMEX2, kScale, 331.0f, pairY);
}

// The infected tile swells and reddens with the pulse, beside the search frame it is found
// with.
void HowToPlay::DrawPulsingTile(Zest::Graphics* const g, const int32_t bottom) const
{
    const float pulse = InfectionPulse(mUpdateCount);
    g->SetColor(InfectionTint(pulse, 255));
    DrawCentredScaled(g, IMAGE_TILE_REDFOX, 1.0f + 0.1f * pulse, 383.0f, F(bottom - 237));
    g->SetColor(Zest::Color::White);
    DrawCentredScaled(g, IMAGE_GAME_FRAMEX1, 1.0f, 220.0f, F(bottom - 245));
    g->DrawImage(IMAGE_GAME_WAVEARROW, 280, bottom - 255);
}

// The habitat awards at half size on a ring that turns a tenth of a degree per update.
void HowToPlay::DrawAwardRing(Zest::Graphics* const g) const
{
    static constexpr float kCentreX = 320.0f;
    static constexpr float kCentreY = 300.0f;
    static constexpr float kRadius = 90.0f;
    for (int32_t award = 0; award < kHabitatAwardCount; ++award) {
        const double degrees = 0.1 * mUpdateCount + 36.0 * award;
        const double u = degrees * std::numbers::pi / 180.0;
        DrawAward(award, g, kCentreX + kRadius * static_cast<float>(std::cos(u)),
                  kCentreY + kRadius * static_cast<float>(std::sin(u)), true, Zest::Color::White, false,
                  GetGameString);
    }
}
