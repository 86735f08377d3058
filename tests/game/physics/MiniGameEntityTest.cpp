#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/physics/PhysicsSetup.h"
#include "game/physics/entities/BearEntity.h"
#include "game/physics/entities/CannonEntity.h"
#include "game/physics/entities/EntityKiller.h"
#include "game/physics/entities/MiniGameOwner.h"
#include "game/physics/entities/SpiderEntity.h"
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

constexpr int kSpiderHitSound = 901;
constexpr int kCannonFireSound = 902;
constexpr int kEndSound = 903;
constexpr int kEatenSound = 904;

// Records what the entities ask of their mini-game; the shots it is handed join the
// test's entities, so that the test destroys them.
class RecordingOwner : public MiniGameOwner {
public:
    explicit RecordingOwner(std::vector<xEntity*>& entities) : mEntities(entities) {}

    void OnShotFired(xPhysicsPrimitiveEntity* const shot) override
    {
        mShots.push_back(shot);
        mEntities.push_back(shot);
    }
    void AddHitScore(const Vec2& point) override { mHitScores.push_back(point); }
    void CountFedBear() override { ++mFedBears; }
    void EndGame() override { ++mEndGames; }
    void ClearCompleted() override { ++mClearedCompleted; }
    bool IsPlaying() const override { return true; }
    bool IsCannonActive() const override { return true; }
    void QueueEntityRemoval(xSharkEntity* const entity) override { mRemovals.push_back(entity); }
    void PlaySoundEffect(const int32_t soundId) override { mSounds.push_back(soundId); }

    // Forgets every call so far.
    void Forget()
    {
        mShots.clear();
        mHitScores.clear();
        mFedBears = mEndGames = mClearedCompleted = 0;
        mRemovals.clear();
        mSounds.clear();
    }

    std::vector<xEntity*>& mEntities;
    std::vector<xPhysicsPrimitiveEntity*> mShots;
    std::vector<Vec2> mHitScores;
    int mFedBears = 0;
    int mEndGames = 0;
    int mClearedCompleted = 0;
    std::vector<xSharkEntity*> mRemovals;
    std::vector<int32_t> mSounds;
};

class MiniGameEntityTest : public Tests::PhysicsWorldTest {
protected:
    void SetUp() override
    {
        Tests::PhysicsWorldTest::SetUp();
        SetUpPhysicsWorld();
        // The sounds are not loaded here; distinct ids show which one was asked for.
        SOUND_SPIDER_HIT = kSpiderHitSound;
        SOUND_CANNON_FIRE = kCannonFireSound;
        SOUND_DECOLLECTED_TILE = kEndSound;
        SOUND_FISH_EATEN = kEatenSound;
        mCannonImage.mWidth = 40;
        mCannonImage.mHeight = 40;
    }

    void TearDown() override
    {
        SOUND_SPIDER_HIT = SOUND_CANNON_FIRE = SOUND_DECOLLECTED_TILE = SOUND_FISH_EATEN = 0;
        Tests::PhysicsWorldTest::TearDown();
    }

    template <typename Entity>
    Entity* MakeEntity(xEntityDesc& desc)
    {
        xEntity* const entity = g_ptrSDK->createEntity(desc);
        if (entity != nullptr)
            mEntities.push_back(entity);
        return dynamic_cast<Entity*>(ToGameEntity(entity));
    }

    CannonEntity* MakeCannon(const int32_t mode, const Vec2& position, const float shotSpeed)
    {
        CannonEntityDesc desc;
        desc.mCategoryName = "potato_cannon";
        desc.mPosition = position;
        desc.mCannonImage = &mCannonImage;
        desc.mShotSpeed = shotSpeed;
        desc.mThrust = 5.0f;
        desc.mMode = mode;
        CannonEntity* const cannon = MakeEntity<CannonEntity>(desc);
        cannon->mOwner = &mOwner;
        cannon->mActive = true;
        return cannon;
    }

    // A spider of radius 12 hanging 88 px below its anchor.
    SpiderEntity* MakeSpider(const Vec2& position)
    {
        SpiderEntityDesc desc;
        desc.mPrimitiveType = PRIMITIVE_CIRCLE;
        desc.mSize = Vec2(12.0f, 0.0f);
        desc.mCategoryName = "spider";
        desc.mPlacement = Vec3(position, 0.0f);
        desc.mAttachPoint = Vec2(position.x, position.y - 12.0f);
        desc.mAnchor = Vec2(position.x, position.y - 100.0f);
        desc.mSpringStiffness = 20.0f;
        desc.mSpringDamping = 20.0f;
        desc.mSpringRestLength = 88.0f;
        SpiderEntity* const spider = MakeEntity<SpiderEntity>(desc);
        spider->mOwner = &mOwner;
        return spider;
    }

    BearEntity* MakeBear(const Vec2& position, const float speed)
    {
        BearEntityDesc desc;
        desc.mCategoryName = "bear";
        desc.mPosition = position;
        desc.mSpeed = speed;
        desc.mOverlayPriority = 90;
        BearEntity* const bear = MakeEntity<BearEntity>(desc);
        bear->mOwner = &mOwner;
        return bear;
    }

    xPhysicsPrimitiveEntity* MakeBall(const char* category, const Vec3& placement)
    {
        xPhysicsPrimitiveEntityDesc desc = Tests::PrimitiveDesc(PRIMITIVE_CIRCLE, true, placement);
        desc.mCategoryName = category;
        return MakeEntity<xPhysicsPrimitiveEntity>(desc);
    }

    Zest::Image mCannonImage;
    RecordingOwner mOwner{mEntities};
};

Vec2 Position(const xSharkEntity& entity)
{
    return entity.absPlacement().point();
}

// A fish from the turning cannon flies the parabola of its launch speed under the world's
// gravity alone: the world neither drags it nor lets its spin bend its path.
TEST_F(MiniGameEntityTest, TurningCannonShotFollowsTheParabolaOfItsLaunch)
{
    constexpr float kShotSpeed = 4.7f;
    constexpr float kGravity = 0.05f;
    constexpr float kFlightUpdates = 100.0f;
    struct Case {
        float mAimDegrees;
        float mUpdatesPerFrame;
        float mTolerance;
    };
    const Case cases[] = {
        {0.0f, 1.0f, 3.0f},  {40.0f, 1.0f, 3.0f},   {80.0f, 1.0f, 3.0f},
        {0.0f, 1.667f, 5.0f}, {40.0f, 1.667f, 5.0f}, {80.0f, 1.667f, 5.0f},
    };
    CannonEntity* const cannon = MakeCannon(CANNON_TURNING, Vec2(35.0f, 260.0f), kShotSpeed);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "aim " << c.mAimDegrees << " degrees, " << c.mUpdatesPerFrame
                                        << " updates per frame");
        cannon->setAbsPlacement(Vec3(35.0f, 260.0f, xtrDegToRad(80.0f) - xtrDegToRad(c.mAimDegrees)));
        const size_t shotsBefore = mOwner.mShots.size();
        cannon->Fire();
        ASSERT_EQ(mOwner.mShots.size(), shotsBefore + 1);
        xPhysicsPrimitiveEntity* const shot = mOwner.mShots.back();
        const Vec2 start = Position(*shot);
        const float aim = xtrDegToRad(c.mAimDegrees);
        EXPECT_NEAR(start.x, 35.0f + 30.0f * std::cos(aim), 1e-3f);
        EXPECT_NEAR(start.y, 278.0f - 30.0f * std::sin(aim), 1e-3f);
        const Vec2 velocity(kShotSpeed * std::cos(aim), -kShotSpeed * std::sin(aim));

        float worst = 0.0f;
        for (float t = c.mUpdatesPerFrame; t <= kFlightUpdates + 0.5f * c.mUpdatesPerFrame;
             t += c.mUpdatesPerFrame) {
            g_ptrSDK->updateF(c.mUpdatesPerFrame);
            const Vec2 expected = start + velocity * t + Vec2(0.0f, 0.5f * kGravity * t * t);
            worst = std::max(worst, xtrLenV2(Position(*shot) - expected));
        }
        EXPECT_LE(worst, c.mTolerance);
        g_ptrSDK->destroyEntity(shot);
        mEntities.erase(std::find(mEntities.begin(), mEntities.end(), static_cast<xEntity*>(shot)));
    }
    EXPECT_EQ(std::count(mOwner.mSounds.begin(), mOwner.mSounds.end(), kCannonFireSound), 6);
}

// A fish from the sliding cannon flies up into a hanging spider and cuts its thread; the
// spider then falls and shrinks, and a further hit changes nothing.
TEST_F(MiniGameEntityTest, ShotCutsTheThreadOfAHangingSpiderOnce)
{
    SpiderEntity* const spider = MakeSpider(Vec2(300.0f, 300.0f));
    CannonEntity* const cannon = MakeCannon(CANNON_SLIDING, Vec2(300.0f, 540.0f), 6.0f);
    Step(1.0f, 20);
    ASSERT_NE(spider->mThread, nullptr);
    const float hangingY = Position(*spider).y;

    cannon->Fire();
    ASSERT_EQ(mOwner.mShots.size(), 1u);
    for (int frame = 0; frame < 200 && spider->mThread != nullptr; ++frame)
        g_ptrSDK->updateF(1.0f);
    ASSERT_EQ(spider->mThread, nullptr);
    ASSERT_EQ(mOwner.mHitScores.size(), 1u);
    // The shot touched the spider's underside.
    EXPECT_NEAR(spider->mHitPos.x, 300.0f, 2.0f);
    EXPECT_NEAR(spider->mHitPos.y, hangingY + 12.0f, 3.0f);
    EXPECT_EQ(mOwner.mHitScores[0], Vec2(spider->mHitPos.x, spider->mHitPos.y + 30.0f));
    EXPECT_EQ(std::count(mOwner.mSounds.begin(), mOwner.mSounds.end(), kSpiderHitSound), 1);
    EXPECT_EQ(spider->mEffect.mStatus, ANIM_RUNNING);

    // Another shot on the falling spider.
    EXPECT_TRUE(spider->onCollision(spider->GetShape(), mOwner.mShots[0]->GetShape(), Vec2(1.0f, 2.0f), 1.0f,
                                    Vec2(0.0f, 1.0f)));
    EXPECT_EQ(mOwner.mHitScores.size(), 1u);
    EXPECT_EQ(std::count(mOwner.mSounds.begin(), mOwner.mSounds.end(), kSpiderHitSound), 1);

    const float cutY = Position(*spider).y;
    for (int update = 0; update < 40; ++update) {
        spider->Update();
        g_ptrSDK->updateF(1.0f);
    }
    EXPECT_GT(Position(*spider).y, cutY + 20.0f);
    // It shrinks in 21 steps of 0.025 and its circle with it, down to the last radius above 8.
    EXPECT_NEAR(spider->mScale, 0.475f, 1e-5f);
    const auto* const circle = dynamic_cast<const xPrimitiveCircle*>(spider->GetShape()->primitive());
    ASSERT_NE(circle, nullptr);
    EXPECT_NEAR(circle->radius(), 6.8821f, 1e-3f);
    // Falling past the sliding cannon's line ends nothing.
    EXPECT_EQ(mOwner.mEndGames, 0);
}

// Only a hanging spider harms the sliding cannon; the turning cannon stays out of every
// contact.
TEST_F(MiniGameEntityTest, CannonContactsWithSpidersAndShots)
{
    CannonEntity* const sliding = MakeCannon(CANNON_SLIDING, Vec2(100.0f, 500.0f), 6.0f);
    CannonEntity* const turning = MakeCannon(CANNON_TURNING, Vec2(400.0f, 500.0f), 6.0f);
    SpiderEntity* const hanging = MakeSpider(Vec2(700.0f, 200.0f));
    SpiderEntity* const falling = MakeSpider(Vec2(800.0f, 200.0f));
    delete falling->mThread;
    falling->mThread = nullptr;
    xPhysicsPrimitiveEntity* const shot = MakeBall("ammo", Vec3(900.0f, 200.0f, 0.0f));

    struct Case {
        const char* mName;
        CannonEntity* mCannon;
        xSharkEntity* mOther;
        bool mContact;
        int mEndGames;
    };
    const Case cases[] = {
        {"hanging spider on the sliding cannon", sliding, hanging, true, 1},
        {"falling spider on the sliding cannon", sliding, falling, true, 0},
        {"shot on the sliding cannon", sliding, shot, true, 0},
        {"hanging spider on the turning cannon", turning, hanging, false, 0},
        {"shot on the turning cannon", turning, shot, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        mOwner.Forget();
        EXPECT_EQ(c.mCannon->onCollision(c.mCannon->mOwnShape, c.mOther->GetShape(), Vec2(), 1.0f, Vec2(0.0f, -1.0f)),
                  c.mContact);
        EXPECT_EQ(mOwner.mEndGames, c.mEndGames);
        EXPECT_EQ(mOwner.mClearedCompleted, c.mEndGames);
        EXPECT_EQ(std::count(mOwner.mSounds.begin(), mOwner.mSounds.end(), kEndSound), c.mEndGames);
    }

    // In the world: a hanging spider let down onto the sliding cannon ends the game.
    mOwner.Forget();
    hanging->mThread->mRestLength = 500.0f;
    sliding->setAbsPlacement(Vec3(700.0f, 420.0f, 0.0f));
    for (int frame = 0; frame < 300 && mOwner.mEndGames == 0; ++frame)
        g_ptrSDK->updateF(1.0f);
    EXPECT_GE(mOwner.mEndGames, 1);
    EXPECT_EQ(mOwner.mClearedCompleted, mOwner.mEndGames);
}

// An open mouth eats a fish that touches it; a closed one, or another part of the bear,
// lets it bounce off.
TEST_F(MiniGameEntityTest, BearEatsShotsOnlyWithItsMouthOpen)
{
    BearEntity* const bear = MakeBear(Vec2(500.0f, 500.0f), 1.5f);
    xPhysicsPrimitiveEntity* const shot = MakeBall("ammo", Vec3(100.0f, 100.0f, 0.0f));
    xPhysicsPrimitiveEntity* const stone = MakeBall("default", Vec3(200.0f, 100.0f, 0.0f));
    const Vec2 point(450.0f, 404.0f);

    struct Case {
        const char* mName;
        int32_t mMouthOpen;
        xShape* mOwn;
        xSharkEntity* mOther;
        bool mEaten;
    };
    const Case cases[] = {
        {"open mouth, shot", 1, bear->mMouthShape, shot, true},
        {"closed mouth, shot", 0, bear->mMouthShape, shot, false},
        {"open mouth, torso hit", 1, bear->mTorsoShape, shot, false},
        {"open mouth, not a shot", 1, bear->mMouthShape, stone, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        mOwner.Forget();
        bear->mMouthOpen = c.mMouthOpen;
        EXPECT_EQ(bear->onCollision(c.mOwn, c.mOther->GetShape(), point, 1.0f, Vec2(0.0f, -1.0f)), !c.mEaten);
        EXPECT_EQ(mOwner.mFedBears, c.mEaten ? 1 : 0);
        EXPECT_EQ(mOwner.mRemovals, c.mEaten ? std::vector<xSharkEntity*>{shot} : std::vector<xSharkEntity*>{});
        EXPECT_EQ(mOwner.mHitScores, c.mEaten ? std::vector<Vec2>{point} : std::vector<Vec2>{});
        EXPECT_EQ(std::count(mOwner.mSounds.begin(), mOwner.mSounds.end(), kEatenSound), c.mEaten ? 1 : 0);
    }
}

// The bear walks left to x 320, turns, walks right to x 670 and turns again, carrying its
// mouth and torso; after its walk time it stops with the mouth open, and after its eating
// time walks on with new times.
TEST_F(MiniGameEntityTest, BearWalksBetweenItsTurnsAndOpensItsMouth)
{
    BearEntity* const bear = MakeBear(Vec2(400.0f, 500.0f), 1.5f);
    bear->mWalkTime = 100000;
    struct Turn {
        bool mMovingLeftAfter;
        float mLowest;
        float mHighest;
    };
    const Turn turns[] = {{false, 318.5f, 320.0f}, {true, 670.0f, 671.5f}};
    for (const Turn& turn : turns) {
        int updates = 0;
        while (bear->mMovingLeft != turn.mMovingLeftAfter && updates < 1000) {
            bear->Update();
            ++updates;
        }
        ASSERT_LT(updates, 1000);
        const Vec3 base = bear->mBaseShape->absPlacement();
        EXPECT_GE(base.x, turn.mLowest);
        EXPECT_LE(base.x, turn.mHighest);
        EXPECT_FLOAT_EQ(base.y, 500.0f);
        const Vec3 mouth = bear->mMouthShape->absPlacement();
        EXPECT_NEAR(mouth.x, base.x - 50.0f, 1e-3f);
        EXPECT_NEAR(mouth.y, base.y - 96.0f, 1e-3f);
    }

    bear->mCounter = 0;
    bear->mWalkTime = 5;
    bear->mEatTime = 3;
    for (int update = 0; update < 5; ++update)
        bear->Update();
    EXPECT_EQ(bear->mPhase, BEAR_EATING);
    EXPECT_EQ(bear->mMouthOpen, 1);
    EXPECT_EQ(bear->mMouthShape->getCollisionCategory()->categoryID(), "default");
    for (int update = 0; update < 3; ++update)
        bear->Update();
    EXPECT_EQ(bear->mPhase, BEAR_WALKING);
    EXPECT_EQ(bear->mMouthOpen, 0);
    EXPECT_GE(bear->mWalkTime, 300);
    EXPECT_LE(bear->mWalkTime, 599);
    EXPECT_GE(bear->mEatTime, 800);
    EXPECT_LE(bear->mEatTime, 999);
}

// A kill zone queues what falls into it once its owner is set, and ignores it before.
TEST_F(MiniGameEntityTest, KillZoneQueuesWhatTouchesItOnlyWithAnOwner)
{
    for (const bool withOwner : {true, false}) {
        SCOPED_TRACE(withOwner ? "with an owner" : "without an owner");
        mOwner.Forget();
        EntityKillerDesc desc;
        desc.mPlacement = Vec3(300.0f, 600.0f, 0.0f);
        desc.mSize = Vec2(400.0f, 40.0f);
        EntityKiller* const zone = MakeEntity<EntityKiller>(desc);
        ASSERT_NE(zone, nullptr);
        ASSERT_NE(zone->mOwnShape, nullptr);
        if (withOwner)
            zone->mOwner = &mOwner;
        xPhysicsPrimitiveEntity* const shot = MakeBall("ammo", Vec3(300.0f, 540.0f, 0.0f));
        Step(1.0f, 60);
        if (withOwner) {
            ASSERT_FALSE(mOwner.mRemovals.empty());
            EXPECT_TRUE(std::all_of(mOwner.mRemovals.begin(), mOwner.mRemovals.end(),
                                    [shot](const xSharkEntity* entity) { return entity == shot; }));
        } else {
            EXPECT_TRUE(mOwner.mRemovals.empty());
        }
        for (xEntity* const entity : {static_cast<xEntity*>(zone), static_cast<xEntity*>(shot)}) {
            g_ptrSDK->destroyEntity(entity);
            mEntities.erase(std::find(mEntities.begin(), mEntities.end(), entity));
        }
    }
}

// Destroying the mini-game's entities takes every body, fixture and joint they made out of
// the engine.
TEST_F(MiniGameEntityTest, DestroyedEntitiesLeaveNothingInTheEngine)
{
    const EngineCounts baseline = CountEngineObjects();
    MakeSpider(Vec2(300.0f, 300.0f));
    MakeCannon(CANNON_SLIDING, Vec2(300.0f, 540.0f), 6.0f)->Fire();
    MakeCannon(CANNON_TURNING, Vec2(35.0f, 260.0f), 4.7f)->Fire();
    MakeBear(Vec2(500.0f, 500.0f), 1.5f);
    EntityKillerDesc killer;
    MakeEntity<EntityKiller>(killer);
    // A cannon whose picture did not load gets no shape.
    CannonEntityDesc pictureless;
    EXPECT_EQ(MakeEntity<CannonEntity>(pictureless)->mOwnShape, nullptr);
    Step(1.0f, 10);
    const EngineCounts populated = CountEngineObjects();
    EXPECT_EQ(populated.mJoints, baseline.mJoints + 1);
    // Spider, two shots, two cannons, three bear shapes and the zone.
    EXPECT_EQ(populated.mFixtures, baseline.mFixtures + 9);

    for (xEntity* const entity : mEntities)
        g_ptrSDK->destroyEntity(entity);
    mEntities.clear();
    EXPECT_EQ(CountEngineObjects(), baseline);
}

} // namespace
