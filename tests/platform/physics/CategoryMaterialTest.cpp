// The registers of collision categories and materials: what the library makes itself, what
// a second registration of a name does, and which values are refused.

#include "tests/platform/physics/PhysicsFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace Tests;

using CategoryTest = PhysicsTest;

TEST_F(CategoryTest, TheLibrarysOwnCategoriesExistWithTheValueTwo)
{
    xCategoryDispatcher& categories = g_ptrSDK->categories();
    EXPECT_EQ(&xCategoryDispatcher::Instance(), &categories);
    ASSERT_NE(categories.defaultCategory(), nullptr);
    EXPECT_EQ(categories.defaultCategory()->categoryID(), "default");
    for (const char* const name : {"default", "solid_geometry"}) {
        SCOPED_TRACE(name);
        // Creating a known name returns the category that is there, value and all.
        xCollisionCategory* const existing = categories.createCategory(name, PAIR_NO_CONTACT);
        ASSERT_NE(existing, nullptr);
        EXPECT_EQ(existing->categoryID(), name);
        EXPECT_EQ(existing->value(), PAIR_CONTACT);
    }
    EXPECT_EQ(categories.createCategory("default", PAIR_CALLBACKS_ONLY), categories.defaultCategory());

    TestEntity* const entity = MakeEntity();
    const xShape* const shape = entity->AddCircle(5.0f, Vec3(), "default");
    EXPECT_EQ(shape->getCollisionCategory(), categories.defaultCategory());
}

TEST_F(CategoryTest, AKnownNameKeepsItsFirstValue)
{
    xCategoryDispatcher& categories = g_ptrSDK->categories();
    xCollisionCategory* const ghost = categories.createCategory("ghost", PAIR_NO_CONTACT);
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->value(), PAIR_NO_CONTACT);
    EXPECT_EQ(categories.createCategory("ghost", PAIR_CONTACT), ghost);
    EXPECT_EQ(categories.obtainCategory("ghost"), ghost);
    EXPECT_EQ(ghost->value(), PAIR_NO_CONTACT);

    xCollisionCategory* const fresh = categories.obtainCategory("fresh");
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->categoryID(), "fresh");
    EXPECT_EQ(fresh->value(), PAIR_CONTACT);
    EXPECT_EQ(categories.obtainCategory("fresh"), fresh);
}

TEST_F(CategoryTest, PairValuesHoldInEitherOrder)
{
    xCategoryDispatcher& categories = g_ptrSDK->categories();
    const xCollisionCategory* const ball = categories.createCategory("ball", PAIR_CONTACT);
    const xCollisionCategory* const ghost = categories.createCategory("ghost", PAIR_NO_CONTACT);
    const xCollisionCategory* const wall = categories.createCategory("wall", PAIR_CONTACT);
    ASSERT_NE(ball, nullptr);
    ASSERT_NE(ghost, nullptr);
    ASSERT_NE(wall, nullptr);
    const xCollisionCategory& solid = *categories.obtainCategory("solid_geometry");

    ASSERT_TRUE(categories.registerCategoryPair("ball", "wall", PAIR_CALLBACKS_ONLY));
    EXPECT_EQ(categories.pairValue(*ball, *wall), PAIR_CALLBACKS_ONLY);
    EXPECT_EQ(categories.pairValue(*wall, *ball), PAIR_CALLBACKS_ONLY);
    ASSERT_TRUE(categories.registerCategoryPair("wall", "ball", PAIR_NO_CONTACT));
    EXPECT_EQ(categories.pairValue(*ball, *wall), PAIR_NO_CONTACT);
    EXPECT_EQ(categories.pairValue(*wall, *ball), PAIR_NO_CONTACT);

    EXPECT_EQ(categories.pairValue(*ghost, solid), PAIR_NO_CONTACT);
    EXPECT_EQ(categories.pairValue(solid, *ghost), PAIR_NO_CONTACT);
    EXPECT_EQ(categories.pairValue(*ball, solid), PAIR_CONTACT);
    EXPECT_EQ(categories.pairValue(solid, *categories.defaultCategory()), PAIR_CONTACT);
}

TEST_F(CategoryTest, ValuesOtherThanOneTwoOrFourAreRefused)
{
    xCategoryDispatcher& categories = g_ptrSDK->categories();
    const xCollisionCategory* const ball = categories.createCategory("ball", PAIR_CONTACT);
    ASSERT_NE(ball, nullptr);
    ASSERT_TRUE(categories.registerCategoryPair("ball", "default", PAIR_CALLBACKS_ONLY));

    for (const int value : {0, 3, 5, 8, -1}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(categories.createCategory("refused", value), nullptr);
        EXPECT_FALSE(categories.registerCategoryPair("refused", "default", PAIR_CONTACT))
            << "a refused category must not be registered";
        EXPECT_FALSE(categories.registerCategoryPair("ball", "default", value));
        EXPECT_EQ(categories.pairValue(*ball, *categories.defaultCategory()), PAIR_CALLBACKS_ONLY);
    }
    EXPECT_FALSE(categories.registerCategoryPair("ball", "unknown", PAIR_CONTACT));
    EXPECT_FALSE(categories.registerCategoryPair("unknown", "ball", PAIR_CONTACT));
}

using MaterialTest = PhysicsTest;

TEST_F(MaterialTest, TheLibrarysOwnMaterialsExistAndUnknownNamesAreNull)
{
    xMaterialDispatcher& materials = g_ptrSDK->materials();
    EXPECT_EQ(&xMaterialDispatcher::Instance(), &materials);
    ASSERT_NE(materials.defaultMaterial(), nullptr);
    EXPECT_EQ(materials.obtainMaterialByName("default"), materials.defaultMaterial());
    EXPECT_EQ(materials.defaultMaterial()->mName, "default");
    const xMaterial* const wood = materials.obtainMaterialByName("wood_hard");
    ASSERT_NE(wood, nullptr);
    EXPECT_EQ(wood->mName, "wood_hard");
    EXPECT_EQ(materials.obtainMaterialByName("rubber"), nullptr);
    EXPECT_EQ(materials.obtainMaterialByName(""), nullptr);

    TestEntity* const entity = MakeEntity();
    EXPECT_EQ(entity->AddCircle(5.0f, Vec3())->material(), materials.defaultMaterial());
}

TEST_F(MaterialTest, AKnownNameKeepsItsFirstValues)
{
    xMaterialDispatcher& materials = g_ptrSDK->materials();
    xMaterial* const rubber = materials.createMaterial("rubber", 0.5f, 0.9f, 0.7f, 0.25f, 0.75f);
    ASSERT_NE(rubber, nullptr);
    EXPECT_EQ(materials.obtainMaterialByName("rubber"), rubber);
    EXPECT_EQ(materials.createMaterial("rubber", 2.0f, 0.1f, 0.2f, 0.5f, 0.5f), rubber);
    EXPECT_EQ(rubber->mName, "rubber");
    EXPECT_EQ(rubber->mDensity, 0.5f);
    EXPECT_EQ(rubber->mRestitution, 0.9f);
    EXPECT_EQ(rubber->mFriction, 0.7f);
    EXPECT_EQ(rubber->mRestitutionWeight, 0.25f);
    EXPECT_EQ(rubber->mFrictionWeight, 0.75f);

    const float woodDensity = materials.obtainMaterialByName("wood_hard")->mDensity;
    EXPECT_EQ(materials.createMaterial("wood_hard", woodDensity + 1.0f, 0.0f, 0.0f, 0.5f, 0.5f),
              materials.obtainMaterialByName("wood_hard"));
    EXPECT_EQ(materials.obtainMaterialByName("wood_hard")->mDensity, woodDensity);
}

} // namespace
