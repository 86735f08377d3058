#include "game/screens/GameMap.h"

#include "game/screens/GameMapHost.h"
#include "game/screens/MenuItem.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

// The application's ten map points.
const std::pair<float, float> kPoints[] = {
    {248.0f, 360.0f}, {120.0f, 200.0f}, {32.0f, 125.0f},  {280.0f, 85.0f},  {428.0f, 170.0f},
    {500.0f, 250.0f}, {460.0f, 335.0f}, {645.0f, 250.0f}, {730.0f, 410.0f}, {750.0f, 270.0f},
};
constexpr int kCageSound = 31;
constexpr int kNever = -1;

const Color kMapColor(0, 0, 90);
const Color kFlagColor(200, 0, 0);
const Color kLabelColor(0, 200, 0);
const Color kDashColor(200, 200, 0);
const Color kPlaneColor(200, 0, 200);
const Color kRainbowColor(0, 200, 200);

// Registered habitats have labels; asking for the label of any other index is the fault of
// a map that trusts the profile's next-level number.
class FakeGameMapHost : public GameMapHost {
public:
    FakeGameMapHost(Log& log, Zest::Image* label) : mLog(log), mLabel(label) {}

    std::pair<float, float> GetMapPoint(const int32_t index) const override
    {
        if (index < 0 || index >= static_cast<int32_t>(std::size(kPoints)))
            return {0.0f, 0.0f};
        return kPoints[index];
    }
    int32_t GetHabitatCount() const override { return mHabitatCount; }
    Zest::Image* GetHabitatLabel(const int32_t index) const override
    {
        if (index < 0 || index >= mHabitatCount)
            ADD_FAILURE() << "label of the unregistered habitat " << index;
        return mLabel;
    }
    int32_t GetNextLevel() const override { return mNextLevel; }
    void StopAllMusic() override { mLog.push_back("stop music"); }
    void FadeInSong(const int32_t songId, const std::string& fileName, const bool loop) override
    {
        mLog.push_back("song " + std::to_string(songId) + " " + fileName + (loop ? " looping" : " once"));
    }
    void OnGameMapDone() override { mLog.push_back("map done"); }

    int32_t mHabitatCount = 5;
    int32_t mNextLevel = -1;

private:
    Log& mLog;
    Zest::Image* mLabel;
};

class GameMapTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        IMAGE_GAME_GAMEMAP = mMapImage.get();
        IMAGE_GAME_FLAG = mFlag.get();
        IMAGE_GAME_LINE_DASH = mDash.get();
        IMAGE_GAME_AEROPLANE = mPlane.get();
        IMAGE_GAME_EFFECTANIM_RAINBOW = mRainbow.get();
        SOUND_CAGE_RELEASE = kCageSound;
        StringTableHolder::Instance().SetString("LABEL_GAMEMAP", "World");
    }
    void TearDown() override
    {
        ProfileScreenTest::TearDown();
        IMAGE_GAME_GAMEMAP = IMAGE_GAME_FLAG = IMAGE_GAME_LINE_DASH = nullptr;
        IMAGE_GAME_AEROPLANE = IMAGE_GAME_EFFECTANIM_RAINBOW = nullptr;
        SOUND_CAGE_RELEASE = 0;
    }

    // The map over the whole window, as the session shows it.
    GameMap* OpenMap(const bool continued, const bool fly, const int32_t habitatIndex)
    {
        GameMap* const map = Keep(std::make_unique<GameMap>(mHost, mTextStyle, continued, fly, habitatIndex));
        map->Resize(0, 0, 800, 600);
        mManager.AddWidget(map);
        return map;
    }

    // Smooth updates until the Done button is there: their count, or kNever within the limit.
    int UpdatesUntilDone(const GameMap& map, const int limit = 1000)
    {
        for (int update = 1; update <= limit; ++update) {
            mManager.UpdateFrameSmooth(1.0f);
            if (!map.mItems.empty())
                return update;
        }
        return kNever;
    }

    void Redraw() { RedrawAll(mManager, mScreen); }
    // The middle of the flight's dash `step` to habitat 1, of the 4 x 4 dash picture.
    static float DashX(const int step) { return 248.0f - 6.4f * static_cast<float>(step) + 2.0f; }
    static float DashY(const int step) { return 360.0f - 8.0f * static_cast<float>(step) + 2.0f; }
    bool PixelIs(const float x, const float y, const Color& color)
    {
        return static_cast<bool>(ShowsColor(color, Pixel(static_cast<int>(x), static_cast<int>(y))));
    }

    std::unique_ptr<Zest::MemoryImage> mMapImage = SolidImage(&mApp, 800, 600, kMapColor);
    std::unique_ptr<Zest::MemoryImage> mFlag = SolidImage(&mApp, 10, 10, kFlagColor);
    std::unique_ptr<Zest::MemoryImage> mLabel = SolidImage(&mApp, 20, 8, kLabelColor);
    std::unique_ptr<Zest::MemoryImage> mDash = SolidImage(&mApp, 4, 4, kDashColor);
    std::unique_ptr<Zest::MemoryImage> mPlane = SolidImage(&mApp, 12, 12, kPlaneColor);
    std::unique_ptr<Zest::MemoryImage> mRainbow = StripImage(&mApp, 30, 30, {kRainbowColor, kRainbowColor});
    FakeGameMapHost mHost{mServices.mLog, mLabel.get()};
};

// ---------------------------------------------------------------------------------------
// The way to the Done button

struct DoneCase {
    const char* mName;
    int32_t mHabitatIndex;
    bool mFly;
    int32_t mNextLevel;
    int32_t mHabitatCount;
    int mDoneAfter;
    std::vector<std::string> mMusic;
};

TEST_F(GameMapTest, TheDoneButtonComesWhenTheFlightIsOverOrAtOnceWithoutOne)
{
    const std::vector<std::string> flightMusic = {
        "stop music", "song 11 music/fly_orchestra.ogg looping", "song 12 music/plane_engine.ogg once"};
    const std::vector<std::string> medalMusic = {"stop music", "song 13 music/medal_loop.ogg looping"};
    const DoneCase cases[] = {
        {"a flight to habitat 1: twenty dashes, then Done", 1, true, 1, 5, 630, flightMusic},
        {"habitat 0 has no flight", 0, false, -1, 5, 30, medalMusic},
        {"a damaged next level beyond the registered habitats still offers Done", 0, false, 12, 5, 30, medalMusic},
        {"a next level beyond the ten map points offers no Done", 0, false, 10, 10, kNever, medalMusic},
    };
    for (const DoneCase& c : cases) {
        SCOPED_TRACE(c.mName);
        mHost.mNextLevel = c.mNextLevel;
        mHost.mHabitatCount = c.mHabitatCount;
        mServices.TakeLog();
        GameMap* const map = OpenMap(false, c.mFly, c.mHabitatIndex);
        EXPECT_EQ(mServices.TakeLog(), c.mMusic);
        EXPECT_FALSE(map->mArrived);

        EXPECT_EQ(UpdatesUntilDone(*map), c.mDoneAfter);
        if (c.mDoneAfter != kNever) {
            EXPECT_TRUE(map->mArrived);
            EXPECT_EQ(map->mRainbow.mStatus, ANIM_RUNNING);
            EXPECT_EQ(mServices.TakeLog(), std::vector<std::string>{"sound " + std::to_string(kCageSound)});
        }
        mManager.RemoveWidget(map);
    }
}

TEST_F(GameMapTest, AContinuedGameGetsItsDoneButtonAtOnceAndDoneHandsBackToTheGame)
{
    mHost.mNextLevel = 2;
    GameMap* const map = OpenMap(true, false, 2);
    ASSERT_EQ(map->mItems.size(), 1u);
    const MenuItem& done = *map->mItems[0];
    ExpectDialogButton(done, "Done", Zest::Rect(300, 550, 200, 50), 1.0f);
    EXPECT_EQ(done.mOverlayPriority, GameMap::kOverlayPriority) << "above the map, which is an overlay";
    EXPECT_EQ(mServices.TakeLog(),
              (std::vector<std::string>{"stop music", "song 13 music/medal_loop.ogg looping",
                                        "sound " + std::to_string(kCageSound)}));

    Click(done);
    EXPECT_EQ(mServices.TakeLog(), (std::vector<std::string>{kClickLogged, "map done"}));
}

// ---------------------------------------------------------------------------------------
// The flight

TEST_F(GameMapTest, ThePlaneCoversTheWayInSixHundredUpdatesAndTheTrailFollowsADashBehind)
{
    GameMap* const map = OpenMap(false, true, 1);
    EXPECT_FLOAT_EQ(map->mVelocity.mX, -6.4f);
    EXPECT_FLOAT_EQ(map->mVelocity.mY, -8.0f);
    EXPECT_EQ(map->mFlightSteps, 20);
    EXPECT_NEAR(map->mSpeed, 0.3415f, 0.0001f);
    EXPECT_FLOAT_EQ(map->mFlagPos.mX, 115.0f);
    EXPECT_FLOAT_EQ(map->mFlagPos.mY, 165.0f);

    // Three dashes are counted after 90 updates; two of them are drawn, the first one step
    // from the start, while the plane flies at the third.
    for (int update = 0; update < 90; ++update)
        mManager.UpdateFrameSmooth(1.0f);
    EXPECT_EQ(map->mStepsShown, 3);
    Redraw();
    EXPECT_FALSE(PixelIs(248.0f + 2.0f, 360.0f + 2.0f, kDashColor)) << "no dash at the start";
    EXPECT_TRUE(PixelIs(DashX(1), DashY(1), kDashColor));
    EXPECT_TRUE(PixelIs(DashX(2), DashY(2), kDashColor));
    EXPECT_TRUE(PixelIs(map->mPlanePos.mX, map->mPlanePos.mY, kPlaneColor));
    EXPECT_FALSE(PixelIs(115.0f + 5.0f, 165.0f + 5.0f, kFlagColor)) << "the destination's flag comes on arrival";

    for (int update = 90; update < 600; ++update)
        mManager.UpdateFrameSmooth(1.0f);
    EXPECT_NEAR(map->mPlanePos.mX, 120.0f, 0.05f);
    EXPECT_NEAR(map->mPlanePos.mY, 200.0f, 0.05f);
    EXPECT_EQ(map->mStepsShown, 20);

    ASSERT_EQ(UpdatesUntilDone(*map), 30);
    Redraw();
    EXPECT_FALSE(PixelIs(map->mPlanePos.mX, map->mPlanePos.mY, kPlaneColor)) << "no plane after arrival";
    EXPECT_TRUE(PixelIs(DashX(18), DashY(18), kDashColor));
    EXPECT_FALSE(PixelIs(DashX(20), DashY(20), kDashColor)) << "the trail ends a dash short of the point";
    EXPECT_TRUE(PixelIs(120.0f, 200.0f + 5.0f + 4.0f, kLabelColor)) << "the destination's label";
    EXPECT_TRUE(PixelIs(115.0f, 165.0f, kRainbowColor)) << "the rainbow centred on the flag's corner";
}

// ---------------------------------------------------------------------------------------
// The habitats reached

TEST_F(GameMapTest, FlagsAndLabelsShowOnlyForRegisteredHabitatsWhateverTheNextLevelSays)
{
    mHost.mNextLevel = 12;
    mHost.mHabitatCount = 5;
    // Before the rainbow, which would cover the destination's flag.
    OpenMap(false, false, 4);
    Redraw();
    for (int index = 0; index < 10; ++index) {
        SCOPED_TRACE(index);
        const auto [x, y] = kPoints[index];
        EXPECT_EQ(PixelIs(x, y - 30.0f, kFlagColor), index < 5);
        EXPECT_EQ(PixelIs(x, y + 9.0f, kLabelColor), index < 5);
    }
}

TEST_F(GameMapTest, BeforeTheFirstHabitatIsDoneOnlyTheDestinationIsFlagged)
{
    mHost.mNextLevel = -1;
    OpenMap(false, false, 0);
    Redraw();
    EXPECT_TRUE(PixelIs(248.0f, 330.0f, kFlagColor));
    EXPECT_TRUE(PixelIs(248.0f, 369.0f, kLabelColor));
    EXPECT_FALSE(PixelIs(120.0f, 170.0f, kFlagColor));
    EXPECT_TRUE(PixelIs(600.0f, 100.0f, kMapColor));
}

} // namespace
} // namespace Tests
