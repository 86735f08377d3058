#include "game/Awards.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"

namespace {

constexpr const char* HABITAT_DESCRIPTION_KEY = "DESC_AWARD_HABITAT";
constexpr const char* NOT_FOUND_TEXT = "not found";
// Space between the bottom of the full-size picture and the name's baseline, in pixels.
constexpr int32_t NAME_GAP = 15;

bool IsAwardIndex(const int32_t index)
{
    return index >= 0 && index < AWARD_COUNT;
}

} // namespace

const std::array<AwardInfo, AWARD_COUNT> gAwards = {{
    {"LBL_AWARD_AMAZON", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_AMAZON_ID},
    {"LBL_AWARD_GRANDCANYON", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_CANYON_ID},
    {"LBL_AWARD_ALASKA", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_ALASKA_ID},
    {"LBL_AWARD_ARCTIC", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_ARCTIC_ID},
    {"LBL_AWARD_EUROPE", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_EUROPE_ID},
    {"LBL_AWARD_DESERT", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_DESERT_ID},
    {"LBL_AWARD_AFRICA", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_AFRICA_ID},
    {"LBL_AWARD_ASIA", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_ASIA_ID},
    {"LBL_AWARD_AUSTRALIA", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_AUSTRALIA_ID},
    {"LBL_AWARD_PACIFIC", HABITAT_DESCRIPTION_KEY, IMAGE_AWARD_PACIFIC_ID},
    {"LBL_AWARD_COMBOFREAK", "DESC_AWARD_COMBOFREAK", IMAGE_AWARD_COMBO_FREAK_ID},
    {"LBL_AWARD_COMBOKINGPIN", "DESC_AWARD_COMBOKINGPIN", IMAGE_AWARD_COMBO_KINGPIN_ID},
    {"LBL_AWARD_COLLECTOR_ROOKIE", "DESC_AWARD_COLLECTOR_ROOKIE", IMAGE_AWARD_COLL_ROOKIE_ID},
    {"LBL_AWARD_COLLECTOR_PRO", "DESC_AWARD_COLLECTOR_PRO", IMAGE_AWARD_COLL_PRO_ID},
    {"LBL_AWARD_COLLECTOR_EXPERT", "DESC_AWARD_COLLECTOR_EXPERT", IMAGE_AWARD_COLL_EXPERT_ID},
    {"LBL_AWARD_GREATWALL", "DESC_AWARD_GREATWALL", IMAGE_AWARD_GREATWALL_ID},
    {"LBL_AWARD_SKYSCRAPER", "DESC_AWARD_SKYSCRAPER", IMAGE_AWARD_SKYSCRAPER_ID},
    {"LBL_AWARD_BANANASPLITTER", "DESC_AWARD_BANANASPLITTER", IMAGE_AWARD_BANANASPLITTER_ID},
    {"LBL_AWARD_ARACHNOBUSTER", "DESC_AWARD_ARACHNOBUSTER", IMAGE_AWARD_ARACHNOBUSTER_ID},
    {"LBL_AWARD_MINIGAMEMASTER", "DESC_AWARD_MINIGAMEMASTER", IMAGE_AWARD_MINIGAME_ID},
}};

const std::array<FeatGoal, FEAT_COUNT> gFeatTestOrder = {{
    {10, &GameStats::mChainsMade, 500},
    {11, &GameStats::mChainsMade, 2000},
    {12, &GameStats::mCollectorCombos, 5},
    {13, &GameStats::mCollectorCombos, 15},
    {14, &GameStats::mCollectorCombos, 30},
    {16, &GameStats::mFullColumns, 50},
    {15, &GameStats::mFullRows, 50},
    {18, &GameStats::mWebsBurnt, 100},
    {17, &GameStats::mBananasCleared, 100},
    {19, &GameStats::mFaultlessMiniGames, 3},
}};

std::string GetAwardName(const int32_t index, const TextLookup& getString)
{
    return IsAwardIndex(index) ? getString(gAwards[index].mNameKey) : NOT_FOUND_TEXT;
}

std::string GetAwardDescription(const int32_t index, const TextLookup& getString)
{
    return IsAwardIndex(index) ? getString(gAwards[index].mDescriptionKey) : NOT_FOUND_TEXT;
}

int32_t CheckForNewAward(const GameStats& stats, const std::span<const bool, AWARD_COUNT> owned)
{
    for (const FeatGoal& feat : gFeatTestOrder) {
        if (stats.*feat.mCounter >= feat.mGoal && !owned[feat.mAward])
            return feat.mAward;
    }
    return -1;
}

void DrawAward(const int32_t index, Zest::Graphics* const g, const float x, const float y, const bool halfSize,
               const Zest::Color& textColor, const bool withName, const TextLookup& getString)
{
    // Outside the table the number would name another resource, possibly not a picture.
    if (!IsAwardIndex(index))
        return;
    const ResourceId pictureId = gAwards[index].mPicture;
    ZEST_ASSERT(pictureId >= 0 && pictureId < RESOURCE_ID_COUNT);
    ZEST_ASSERT(gResourceTable[pictureId].mKind == ResourceKind::Image);
    Zest::Image* const picture = static_cast<Zest::Image*>(GetResourceById(pictureId));
    if (picture == nullptr)
        return;

    if (halfSize) {
        g->SetLinearBlend(true);
        Zest::Transform half;
        half.Scale(0.5f, 0.5f);
        g->DrawImageTransform(picture, half, x, y);
    } else {
        g->DrawImageAtFloat(picture, x, y);
    }

    if (!withName)
        return;
    g->SetFont(FONT_IN_GAME_LABELS);
    g->SetColor(textColor);
    const std::string name = GetAwardName(index, getString);
    const int32_t nameWidth = FONT_IN_GAME_LABELS != nullptr ? FONT_IN_GAME_LABELS->StringWidth(name) : 0;
    // Placed by the full-size picture even when it is drawn at half size.
    const int32_t nameX = static_cast<int32_t>(picture->mWidth / 2 + x) - nameWidth / 2;
    const int32_t nameY = static_cast<int32_t>(picture->mHeight + y + NAME_GAP);
    g->WriteString(name, nameX, nameY, nameWidth, 0);
}
