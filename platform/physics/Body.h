#pragma once
// Rigid bodies. A body has mass and moves; the shapes attached to it give it its outline.
// Velocities are in pixels (or radians) per update, forces in mass times pixels per update
// squared, impulses in mass times pixels per update.

#include "platform/physics/Paragon.h"

class b2Body;

namespace XtremaPHX2D {

struct World;

class xBody : public xParagon {
public:
    ~xBody() override;

    void activate() override;
    Vec3 absPlacement() const override;
    void setAbsPlacement(const Vec3& placement) override;

    Vec2 linearVelocity() const;
    float angularVelocity() const;
    // Each of these wakes the body.
    void setLinearVelocity(const Vec2& velocity);
    void setAngularVelocity(float velocity);
    // A force acts during the next step only, unless xConfigurator::mFlagB keeps it on.
    void applyForce(const Vec2& force);
    void applyImpulse(const Vec2& impulse);

    // Awake: moving, or not yet at rest for long enough to sleep.
    bool isActive() const;

    // How fast the body's spin dies away: each update the spin is divided by
    // 1 + mCoefficient. Its flight is not slowed. Read on every step.
    float mCoefficient = 0.0f;

private:
    friend class xBodyDesc;
    friend class xShape;
    friend class xConstraintSet;
    friend struct World;

    xBody(float mass, float inertia, bool turns);

    // Gives the engine's body the mass and inertia of the description, or the mass of its
    // shapes' materials when the description gave none.
    void applyMass();
    // After a step: sleeps once the body has rested for long enough.
    void advanceRestTime(float updates, bool mayRest);
    void forgetEngine();

    World* mWorld = nullptr;
    b2Body* mEngineBody = nullptr;
    Vec3 mPlacement;
    float mMass;
    float mInertia;
    bool mTurns;
    // Updates the body has spent below the rest speeds.
    float mRestTime = 0.0f;
};

class xBodyDesc {
public:
    virtual ~xBodyDesc() = default;

    virtual xBody* createBody() const = 0;

    // The mass; 0 or less takes the mass from the shapes' materials.
    float mMass = 1.0f;
    // Moment of inertia in mass times square pixels.
    float mInertia = 1.0f;

protected:
    xBody* makeBody(bool turns) const;
};

// A body that moves and turns.
class xBody3DOFDesc : public xBodyDesc {
public:
    xBody* createBody() const override { return makeBody(true); }
};

// A body that moves without turning.
class xBody2DOFDesc : public xBodyDesc {
public:
    xBody* createBody() const override { return makeBody(false); }
};

} // namespace XtremaPHX2D
