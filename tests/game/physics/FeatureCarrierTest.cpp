#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"
#include "game/physics/PhysicsSetup.h"
#include "game/physics/entities/FeatureCarrier.h"
#include "game/physics/entities/FeatureCarrierOwner.h"
#include "platform/physics/World.h"
#include "tests/game/physics/EngineCounts.h"
#include "tests/game/physics/PhysicsTestWorld.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace XtremaPHX2D;
using Tests::CountEngineObjects;
using Tests::EngineCounts;

// The board's tiles are the session's; the carrier only hands its tile back to its owner,
// so any address stands for one.
char gTileToken;
BoardTile* const kTile = reinterpret_cast<BoardTile*>(&gTileToken);

// An owner with one tile at a fixed centre, which records what the carrier asks of it.
class RecordingOwner : public FeatureCarrierOwner {
public:
    explicit RecordingOwner(const Vec2& centre) : mCentre(centre) {}

    Vec2 GetTileCenter(const BoardTile* const tile) const override
    {
        EXPECT_EQ(tile, kTile);
        return mCentre;
    }
    bool IsTileLocked(const BoardTile*) const override { return mLocked; }
    void DropLockOn(BoardTile* const tile, Zest::Image* const lockImage) override
    {
        EXPECT_EQ(tile, kTile);
        EXPECT_FALSE(mLocked) << "a locked tile got a second lock";
        mLocked = true;
        mLockImage = lockImage;
        ++mDrops;
    }
    void OnCarrierDone(FeatureCarrier* const carrier) override
    {
        mDoneCarrier = carrier;
        ++mDoneCalls;
    }

    Vec2 mCentre;
    bool mLocked = false;
    Zest::Image* mLockImage = nullptr;
    int mDrops = 0;
    FeatureCarrier* mDoneCarrier = nullptr;
    int mDoneCalls = 0;
};

// Records the transformed pictures drawn on it, with their matrices and colours.
class RecordingImage : public Zest::Image {
public:
    struct Picture {
        const Zest::Image* mSource;
        float mX, mY;
        Zest::Matrix3 mMatrix;
        Zest::Color mColor;
    };

    RecordingImage()
    {
        mWidth = 2000;
        mHeight = 2000;
    }
    void DrawLineAA(double, double, double, double, const Zest::Color&, int) override {}
    void BltMatrix(Image* const src, const float x, const float y, const Zest::Matrix3& matrix, const Zest::Rect&,
                   const Zest::Color& color, int, const Zest::Rect&, bool) override
    {
        mPictures.push_back({src, x, y, matrix, color});
    }

    std::vector<Picture> mPictures;
};

// The drawing context keeps the world's negative coordinates on its destination.
constexpr int kOrigin = 500;

// The event's carrier for a tile centred on `centre`: a hard wooden ball on a 500-pixel
// thread from straight above the tile, starting with the thread horizontal on the side the
// carrier comes from.
FeatureCarrierDesc CarrierFor(const Vec2& centre, const int32_t side)
{
    FeatureCarrierDesc desc;
    desc.mBodyType = BODY_3DOF;
    desc.mPrimitiveType = PRIMITIVE_CIRCLE;
    desc.mSize = Vec2(12.0f, 0.0f);
    desc.mMass = 330.0f;
    desc.mMaterialName = "wood_hard";
    desc.mCategoryName = "feature_carrier";
    desc.mAnchor = Vec2(centre.x, centre.y - 500.0f);
    const bool fromLeft = side == SIDE_LEFT;
    desc.mPlacement = Vec3(centre.x + (fromLeft ? -500.0f : 500.0f), centre.y - 500.0f,
                           xtrDegToRad(fromLeft ? 90.0f : -90.0f));
    desc.mSide = side;
    desc.mTargetTile = kTile;
    desc.mScale = 4.0f;
    return desc;
}

class FeatureCarrierTest : public Tests::PhysicsWorldTest {
protected:
    void SetUp() override
    {
        Tests::PhysicsWorldTest::SetUp();
        SetUpPhysicsWorld();
        mCarrierImage.mWidth = mCarrierImage.mHeight = 20;
        mLockImage.mWidth = mLockImage.mHeight = 20;
    }

    FeatureCarrier* MakeCarrier(FeatureCarrierDesc& desc, RecordingOwner& owner)
    {
        desc.mCarrierImage = &mCarrierImage;
        desc.mShadowImage = &mCarrierImage;
        desc.mLockImage = &mLockImage;
        auto* const carrier = dynamic_cast<FeatureCarrier*>(Make(desc));
        EXPECT_NE(carrier, nullptr);
        if (carrier != nullptr)
            carrier->SetOwner(&owner);
        return carrier;
    }

    static RecordingImage Draw(FeatureCarrier& carrier)
    {
        RecordingImage screen;
        Zest::Graphics g(&screen);
        g.Translate(kOrigin, kOrigin);
        carrier.DrawOverlay(&g);
        return screen;
    }

    Zest::Image mCarrierImage;
    Zest::Image mLockImage;
};

struct SwingCase {
    const char* mName;
    // Updates per drawn frame; the world gets half of it while a carrier delivers.
    float mFraction;
    float mTileX;
    int32_t mSide;
};

TEST_F(FeatureCarrierTest, ACarrierDropsItsLockOnItsTileInTimeAndEndsTwentyOneUpdatesLater)
{
    const SwingCase swings[] = {
        {"from the left, 100 frames a second", 1.0f, 700.0f, SIDE_LEFT},
        {"from the left, 60 frames a second", 1.667f, 700.0f, SIDE_LEFT},
        {"from the right, 100 frames a second", 1.0f, 300.0f, SIDE_RIGHT},
        {"from the right, 60 frames a second", 1.667f, 300.0f, SIDE_RIGHT},
    };
    for (const SwingCase& swing : swings) {
        SCOPED_TRACE(swing.mName);
        const Vec2 centre(swing.mTileX, 400.0f);
        RecordingOwner owner(centre);
        FeatureCarrierDesc desc = CarrierFor(centre, swing.mSide);
        FeatureCarrier* const carrier = MakeCarrier(desc, owner);
        ASSERT_NE(carrier, nullptr);

        // The main loop's frame: the fixed updates it owes, then the world's step, then the
        // drawing.
        int32_t firstNear = -1;
        int32_t doneAt = -1;
        float owed = 0.0f;
        for (int frame = 0; frame < 1000 && doneAt < 0; ++frame) {
            for (owed += swing.mFraction; owed >= 1.0f && doneAt < 0; owed -= 1.0f) {
                carrier->Update();
                const bool near = std::fabs(carrier->absPlacement().x - centre.x) < FeatureCarrier::kDropDistance;
                if (near && firstNear < 0)
                    firstNear = carrier->GetCounter();
                if (carrier->IsDone())
                    doneAt = carrier->GetCounter();
            }
            Step(swing.mFraction / 2.0f, 1);
            const int32_t before = carrier->GetAlpha();
            const float x = carrier->absPlacement().x;
            const bool crossed = swing.mSide == SIDE_LEFT ? x > 515.0f : x < 515.0f;
            Draw(*carrier);
            const int32_t expected = crossed ? std::max(before - 5, 0) : std::min(before + 15, 255);
            ASSERT_EQ(carrier->GetAlpha(), expected) << "frame " << frame << " at x " << x;
        }

        ASSERT_EQ(owner.mDrops, 1);
        EXPECT_EQ(owner.mLockImage, &mLockImage);
        EXPECT_EQ(carrier->GetDropTime(), firstNear) << "the lock drops as soon as the carrier is near";
        EXPECT_LE(carrier->GetDropTime(), FeatureCarrier::kSwingUpdates);
        EXPECT_EQ(doneAt, carrier->GetDropTime() + 21);
        EXPECT_EQ(owner.mDoneCalls, 1);
        EXPECT_EQ(owner.mDoneCarrier, carrier);

        // Done is done: the carrier waits for its owner to take it away.
        for (int update = 0; update < 50; ++update)
            carrier->Update();
        EXPECT_EQ(carrier->GetCounter(), doneAt);
        EXPECT_EQ(owner.mDoneCalls, 1);
    }
}

TEST_F(FeatureCarrierTest, ACarrierWhoseTileIsTakenGivesUpOnUpdate361)
{
    const Vec2 centre(700.0f, 400.0f);
    RecordingOwner owner(centre);
    owner.mLocked = true;
    FeatureCarrierDesc desc = CarrierFor(centre, SIDE_LEFT);
    FeatureCarrier* const carrier = MakeCarrier(desc, owner);
    ASSERT_NE(carrier, nullptr);

    for (int update = 1; update <= 400 && !carrier->IsDone(); ++update) {
        carrier->Update();
        Step(0.5f, 1);
    }
    EXPECT_EQ(owner.mDrops, 0);
    EXPECT_EQ(carrier->GetDropTime(), -1);
    EXPECT_TRUE(carrier->IsDone());
    EXPECT_EQ(carrier->GetCounter(), 361);
    EXPECT_EQ(owner.mDoneCalls, 1);
}

TEST_F(FeatureCarrierTest, PicturesGrowTowardsTheEndsOfTheSwingAndTheShadowLiesOnTheTileRow)
{
    struct Pose {
        const char* mName;
        Vec3 mPlacement;
        int32_t mSide;
        float mDrawScale;
    };
    const Vec2 centre(700.0f, 400.0f);
    const Pose poses[] = {
        {"thread horizontal, left", {200.0f, -100.0f, xtrDegToRad(90.0f)}, SIDE_LEFT, 5.0f},
        {"thread horizontal, right", {1200.0f, -100.0f, xtrDegToRad(-90.0f)}, SIDE_RIGHT, 5.0f},
        {"hanging straight down", {700.0f, 400.0f, 0.0f}, SIDE_RIGHT, 1.0f},
    };
    for (const Pose& pose : poses) {
        SCOPED_TRACE(pose.mName);
        RecordingOwner owner(centre);
        owner.mLocked = true;
        FeatureCarrierDesc desc = CarrierFor(centre, pose.mSide);
        desc.mPlacement = pose.mPlacement;
        FeatureCarrier* const carrier = MakeCarrier(desc, owner);
        ASSERT_NE(carrier, nullptr);
        carrier->Update();
        EXPECT_NEAR(carrier->GetDrawScale(), pose.mDrawScale, 1e-3f);

        const RecordingImage screen = Draw(*carrier);
        ASSERT_EQ(screen.mPictures.size(), 2u);
        const RecordingImage::Picture& shadow = screen.mPictures[0];
        const RecordingImage::Picture& body = screen.mPictures[1];
        for (const RecordingImage::Picture* const picture : {&shadow, &body}) {
            EXPECT_EQ(picture->mSource, &mCarrierImage);
            const float scale = std::hypot(picture->mMatrix.m[0][0], picture->mMatrix.m[1][0]);
            EXPECT_NEAR(scale, pose.mDrawScale, 1e-3f);
        }
        // The first draw fades in by one step: the shadow at half the carrier's opacity.
        EXPECT_EQ(body.mColor, Zest::Color(255, 255, 255, 15));
        EXPECT_EQ(shadow.mColor, Zest::Color(0, 0, 0, 7));
        EXPECT_NEAR(shadow.mX - kOrigin, pose.mPlacement.x, 0.5f);
        EXPECT_NEAR(shadow.mY - kOrigin, centre.y, 0.5f);
        EXPECT_NEAR(body.mX - kOrigin, pose.mPlacement.x, 0.5f);
        EXPECT_NEAR(body.mY - kOrigin, pose.mPlacement.y, 0.5f);
    }
}

TEST_F(FeatureCarrierTest, ADestroyedCarrierLeavesNoEngineObjectsBehind)
{
    // Taken away mid-swing, and after it has finished.
    for (const int updates : {10, 400}) {
        SCOPED_TRACE(updates);
        const EngineCounts baseline = CountEngineObjects();
        const Vec2 centre(300.0f, 400.0f);
        RecordingOwner owner(centre);
        FeatureCarrierDesc desc = CarrierFor(centre, SIDE_RIGHT);
        FeatureCarrier* const carrier = MakeCarrier(desc, owner);
        ASSERT_NE(carrier, nullptr);
        EXPECT_EQ(CountEngineObjects(),
                  (EngineCounts{baseline.mBodies + 1, baseline.mFixtures + 1, baseline.mJoints + 1}));
        for (int update = 0; update < updates; ++update) {
            carrier->Update();
            Step(0.5f, 1);
        }
        g_ptrSDK->destroyEntity(carrier);
        mEntities.erase(std::find(mEntities.begin(), mEntities.end(), static_cast<xEntity*>(carrier)));
        EXPECT_EQ(CountEngineObjects(), baseline);
    }
}

} // namespace
