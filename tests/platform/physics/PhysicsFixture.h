#pragma once
// A physics world for tests: created for every test and destroyed at its end, together with
// the entities the test made. TestEntity is a game object that owns the parts a test gives
// it, records the collisions it is told about and answers them as the test says.

#include "platform/physics/XtremaPhysics.h"

#include "platform/physics/World.h"

#include <box2d/b2_body.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_world.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace Tests {

using namespace XtremaPHX2D;

// One onCollision call as the entity received it.
struct Collision {
    xShape* own;
    xShape* other;
    Vec2 point;
    float depth;
    Vec2 normal;
};

class TestEntity : public xEntity {
public:
    // `alive` holds the entity for as long as it exists, so that a test sees when the world
    // deleted it.
    explicit TestEntity(std::set<TestEntity*>& alive) : mAlive(alive) { mAlive.insert(this); }
    ~TestEntity() override { mAlive.erase(this); }

    bool onCollision(xShape* const own, xShape* const other, const Vec2& point, const float depth,
                     const Vec2& normal) override
    {
        mCollisions.push_back({own, other, point, depth, normal});
        if (mReaction)
            mReaction(*this);
        return mAccepts;
    }

    void buildPhysics(xEntityDesc* const desc) override { mBuiltFrom = desc; }

    xBody* AddBody(const Vec3& placement, const float mass = 1.0f, const bool turns = true)
    {
        std::unique_ptr<xBody> body;
        if (turns) {
            xBody3DOFDesc desc;
            desc.mMass = mass;
            body.reset(desc.createBody());
        } else {
            xBody2DOFDesc desc;
            desc.mMass = mass;
            body.reset(desc.createBody());
        }
        body->setOwner(this);
        body->setAbsPlacement(placement);
        body->activate();
        mBodies.push_back(std::move(body));
        return mBodies.back().get();
    }

    // A circle standing alone at `placement`.
    xShape* AddCircle(const float radius, const Vec3& placement, const std::string& category = "default")
    {
        xShape* const shape = MakeCircle(radius, category);
        shape->setAbsPlacement(placement);
        shape->activate();
        return shape;
    }

    // A circle carried by `body`, at its centre.
    xShape* AddCircleOn(xBody* const body, const float radius, const std::string& category = "default")
    {
        xShape* const shape = MakeCircle(radius, category);
        shape->activate();
        shape->setBody(body);
        shape->attachTo(body);
        return shape;
    }

    // A body at `placement` carrying a circle: the usual moving game object.
    xBody* AddBall(const float radius, const Vec3& placement, const std::string& category = "default",
                   const float mass = 1.0f)
    {
        xBody* const body = AddBody(placement, mass);
        AddCircleOn(body, radius, category);
        return body;
    }

    xConstraintSet* AddJoint(xJointDesc& desc)
    {
        desc.mOwner = this;
        mJoints.emplace_back(desc.createJoint());
        return mJoints.back().get();
    }

    xShape* Shape(const size_t index) const { return mShapes.at(index).get(); }

    void DeleteJoints() { mJoints.clear(); }
    void DeleteShapes() { mShapes.clear(); }
    void DeleteBodies() { mBodies.clear(); }

    std::vector<Collision> mCollisions;
    // What onCollision answers.
    bool mAccepts = true;
    // Runs inside the step after each recorded collision, for tests that act from there.
    std::function<void(TestEntity&)> mReaction;
    xEntityDesc* mBuiltFrom = nullptr;

private:
    xShape* MakeCircle(const float radius, const std::string& category)
    {
        xPrimitiveShapeDesc desc;
        desc.setEnvelope(new xPrimitiveCircle(radius));
        mShapes.emplace_back(desc.createShape());
        xShape* const shape = mShapes.back().get();
        shape->setOwner(this);
        shape->setCollisionCategory(category);
        return shape;
    }

    std::set<TestEntity*>& mAlive;
    // Deleted in the reverse order: joints, then shapes, then bodies.
    std::vector<std::unique_ptr<xBody>> mBodies;
    std::vector<std::unique_ptr<xShape>> mShapes;
    std::vector<std::unique_ptr<xConstraintSet>> mJoints;
};

class TestEntityDesc : public xEntityDesc {
public:
    explicit TestEntityDesc(std::set<TestEntity*>& alive) : mAlive(alive) {}

    xEntity* newEntity() const override { return mMakesEntity ? new TestEntity(mAlive) : nullptr; }

    bool mMakesEntity = true;

private:
    std::set<TestEntity*>& mAlive;
};

// What the engine holds: its bodies (standing shapes have hidden ones), fixtures and joints.
struct EngineCounts {
    int bodies;
    int fixtures;
    int joints;

    bool operator==(const EngineCounts&) const = default;
};

inline void PrintTo(const EngineCounts& counts, std::ostream* const out)
{
    *out << counts.bodies << " bodies, " << counts.fixtures << " fixtures, " << counts.joints << " joints";
}

inline float Distance(const Vec2& a, const Vec2& b)
{
    return xtrLenV2(a - b);
}

class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(xtrCreateXtremaSDK(), nullptr); }

    // The entities still alive go through destroyEntity, which must delete each of them.
    void TearDown() override
    {
        if (g_ptrSDK != nullptr) {
            const std::vector<TestEntity*> left(mAlive.begin(), mAlive.end());
            for (TestEntity* const entity : left)
                g_ptrSDK->destroyEntity(entity);
        }
        EXPECT_TRUE(mAlive.empty()) << mAlive.size() << " entities outlived destroyEntity";
        xtrDestroyXtremaSDK();
    }

    // A fresh world for the next case of a table.
    void NewWorld()
    {
        TearDown();
        SetUp();
    }

    TestEntity* MakeEntity()
    {
        TestEntityDesc desc(mAlive);
        xEntity* const entity = g_ptrSDK->createEntity(desc);
        if (entity == nullptr)
            throw std::runtime_error("createEntity made no entity");
        return static_cast<TestEntity*>(entity);
    }

    bool IsAlive(TestEntity* const entity) const { return mAlive.count(entity) != 0; }

    static void Step(const int updates)
    {
        for (int i = 0; i < updates; ++i)
            g_ptrSDK->updateF(1.0f);
    }

    static xConfigurator& Config() { return g_ptrSDK->configurator(); }
    static b2World& Engine() { return g_ptrSDK->world().mWorld; }

    static EngineCounts Counts()
    {
        EngineCounts counts{Engine().GetBodyCount(), 0, Engine().GetJointCount()};
        for (const b2Body* body = Engine().GetBodyList(); body != nullptr; body = body->GetNext()) {
            for (const b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
                ++counts.fixtures;
        }
        return counts;
    }

    std::set<TestEntity*> mAlive;
};

} // namespace Tests
