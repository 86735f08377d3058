// Two overlapping balls in free space meet as the value of their categories' pair says:
// pushed apart or passing through, their owners told or not.

#include "tests/platform/physics/PhysicsFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Tests;

struct CategoryMade {
    std::string name;
    int value;
};

struct PairRegistered {
    std::string first;
    std::string second;
    int value;
};

struct PairCase {
    const char* description;
    std::vector<CategoryMade> categories;
    std::vector<PairRegistered> pairs;
    std::string first;
    std::string second;
    bool pushedApart;
    bool ownersTold;
};

constexpr float kRadius = 10.0f;
// The second ball overlaps the first by 5 pixels, along (0.6, 0.8): a normal with x and y
// swapped or y flipped shows.
constexpr Vec3 kFirstPlace{100.0f, 100.0f, 0.0f};
constexpr Vec3 kSecondPlace{109.0f, 112.0f, 0.0f};
constexpr float kOverlap = 5.0f;
// Box2D leaves shapes it pushes apart overlapping by its slop, a quarter of a pixel.
constexpr float kSlopPixels = 0.5f;
constexpr int kUpdates = 10;

class PairTableTest : public PhysicsTest {
protected:
    // The two balls, each of its own entity.
    void MakeBalls(const std::string& first, const std::string& second)
    {
        mFirst = MakeEntity();
        mSecond = MakeEntity();
        mFirstBody = mFirst->AddBall(kRadius, kFirstPlace, first);
        mSecondBody = mSecond->AddBall(kRadius, kSecondPlace, second);
    }

    float Apart() const { return Distance(mFirstBody->absPlacement().point(), mSecondBody->absPlacement().point()); }

    // The call an owner gets: its own shape first, the normal from its shape to the other.
    static void ExpectCall(const Collision& call, const TestEntity& owner, const TestEntity& other,
                           const Vec2& normal)
    {
        EXPECT_EQ(call.own, owner.Shape(0));
        EXPECT_EQ(call.other, other.Shape(0));
        EXPECT_NEAR(call.normal.x, normal.x, 1e-3f);
        EXPECT_NEAR(call.normal.y, normal.y, 1e-3f);
        EXPECT_NEAR(call.depth, kOverlap, 0.25f);
        EXPECT_LE(Distance(call.point, kFirstPlace.point()), kRadius + 0.5f);
        EXPECT_LE(Distance(call.point, kSecondPlace.point()), kRadius + 0.5f);
    }

    TestEntity* mFirst = nullptr;
    TestEntity* mSecond = nullptr;
    xBody* mFirstBody = nullptr;
    xBody* mSecondBody = nullptr;
};

TEST_F(PairTableTest, BallsMeetAsTheirPairSays)
{
    const PairCase cases[] = {
        {"registered contact", {{"ball", 2}, {"wall", 2}}, {{"ball", "wall", 2}}, "ball", "wall", true, true},
        {"registered callbacks only", {{"ball", 2}, {"wall", 2}}, {{"wall", "ball", 4}}, "ball", "wall", false, true},
        {"registered no contact", {{"ball", 2}, {"wall", 2}}, {{"ball", "wall", 1}}, "ball", "wall", false, false},
        {"registered in the other order", {{"ball", 2}, {"wall", 2}}, {{"ball", "wall", 4}}, "wall", "ball", false,
         true},
        {"a later registration replaces", {{"ball", 2}, {"wall", 2}}, {{"ball", "wall", 1}, {"wall", "ball", 2}},
         "ball", "wall", true, true},
        {"registration overrides a category of 1", {{"ghost", 1}, {"ball", 2}}, {{"ghost", "ball", 2}}, "ghost",
         "ball", true, true},
        {"unregistered, one category of 1", {{"ghost", 1}, {"ball", 2}}, {}, "ball", "ghost", false, false},
        {"unregistered, a category of 1 with itself", {{"ghost", 1}}, {}, "ghost", "ghost", false, false},
        {"unregistered, a category of 1 with default", {{"ghost", 1}}, {}, "ghost", "default", false, false},
        {"unregistered, both of 2", {{"ball", 2}, {"wall", 2}}, {}, "ball", "wall", true, true},
        {"unregistered, both of 4", {{"ball", 4}, {"wall", 4}}, {}, "ball", "wall", true, true},
        {"default with default", {}, {}, "default", "default", true, true},
        {"default with solid_geometry", {}, {}, "default", "solid_geometry", true, true},
        {"a name first used by a shape", {}, {}, "never_created", "solid_geometry", true, true},
    };
    for (const PairCase& test : cases) {
        SCOPED_TRACE(test.description);
        NewWorld();
        for (const CategoryMade& category : test.categories)
            ASSERT_NE(g_ptrSDK->categories().createCategory(category.name, category.value), nullptr);
        for (const PairRegistered& pair : test.pairs)
            ASSERT_TRUE(g_ptrSDK->categories().registerCategoryPair(pair.first, pair.second, pair.value));
        MakeBalls(test.first, test.second);

        for (int update = 1; update <= kUpdates; ++update) {
            const size_t firstCalls = mFirst->mCollisions.size();
            const size_t secondCalls = mSecond->mCollisions.size();
            Step(1);
            // One call per contact and step; while the balls pass through each other they
            // stay in contact at every step.
            const size_t expected = test.ownersTold ? 1 : 0;
            if (test.ownersTold && test.pushedApart && update > 1) {
                EXPECT_LE(mFirst->mCollisions.size() - firstCalls, expected) << "update " << update;
                EXPECT_LE(mSecond->mCollisions.size() - secondCalls, expected) << "update " << update;
            } else {
                EXPECT_EQ(mFirst->mCollisions.size() - firstCalls, expected) << "update " << update;
                EXPECT_EQ(mSecond->mCollisions.size() - secondCalls, expected) << "update " << update;
            }
        }
        if (test.ownersTold && !mFirst->mCollisions.empty() && !mSecond->mCollisions.empty()) {
            const Vec2 normal{0.6f, 0.8f};
            ExpectCall(mFirst->mCollisions.front(), *mFirst, *mSecond, normal);
            ExpectCall(mSecond->mCollisions.front(), *mSecond, *mFirst, -normal);
        }
        if (test.pushedApart)
            EXPECT_GE(Apart(), 2.0f * kRadius - kSlopPixels);
        else
            EXPECT_NEAR(Apart(), 2.0f * kRadius - kOverlap, 1e-3f);
    }
}

// Either owner refusing lets the balls pass for that step; both are still told.
TEST_F(PairTableTest, ARefusalOnEitherSideLetsTheBallsPassForThatStep)
{
    for (const bool firstRefuses : {true, false}) {
        SCOPED_TRACE(firstRefuses ? "the first refuses" : "the second refuses");
        NewWorld();
        MakeBalls("default", "default");
        TestEntity* const refuser = firstRefuses ? mFirst : mSecond;
        refuser->mAccepts = false;

        Step(kUpdates);
        EXPECT_EQ(mFirst->mCollisions.size(), static_cast<size_t>(kUpdates));
        EXPECT_EQ(mSecond->mCollisions.size(), static_cast<size_t>(kUpdates));
        EXPECT_NEAR(Apart(), 2.0f * kRadius - kOverlap, 1e-3f);

        refuser->mAccepts = true;
        Step(kUpdates);
        EXPECT_GE(Apart(), 2.0f * kRadius - kSlopPixels) << "a refusal lasts one step only";
    }
}

} // namespace
