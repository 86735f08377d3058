#pragma once
// Joints between a body and another body or the world. Joint placements are points: a
// placement's angle is kept but does not act.

#include "platform/physics/XtremaMath.h"

class b2Joint;

namespace XtremaPHX2D {

struct World;
class xBody;
class xEntity;

// A joint in the world. Its owner deletes it; deleting or releasing it inside a step
// takes it out of the world after the step.
class xConstraintSet {
public:
    virtual ~xConstraintSet();
    xConstraintSet(const xConstraintSet&) = delete;
    xConstraintSet& operator=(const xConstraintSet&) = delete;

    // The joint's point on the source body, in the body's frame, and on the destination,
    // in its frame (the world's when the destination is the world). Wakes both bodies.
    void setPlacements(const Vec3& inSrc, const Vec3& inDst);
    const Vec3& placementInSrc() const { return mInSrc; }
    const Vec3& placementInDst() const { return mInDst; }

    // Lets go of the bodies; the joint stays released. Wakes both bodies.
    void release();
    bool isReleased() const;

    xEntity* getOwner() const { return mOwner; }

    // A spring's length at rest, in pixels; changing it wakes the bodies at the next step.
    float mRestLength = 0.0f;

private:
    friend class xSpringDesc;
    friend class xBallSocketDesc;
    friend class xBody;
    friend struct World;

    enum class Kind { Spring, BallSocket };

    xConstraintSet(Kind kind, const class xJointDesc& desc);

    // Makes the engine's joint from the placements, replacing an earlier one.
    void rebuildJoint();
    void destroyEngineJoint();
    // Before a step: the rest length the game wrote. After it: the breaking force.
    void syncRestLength();
    void breakIfOverLimit(float updates);
    void forgetBody(const xBody* body);
    void forgetEngine();

    Kind mKind;
    World* mWorld = nullptr;
    xBody* mSrcBody;
    xBody* mDstBody;
    xEntity* mOwner;
    float mLimit;
    float mStiffness = 0.0f;
    float mDamping = 0.0f;
    float mAppliedRestLength = 0.0f;
    Vec3 mInSrc;
    Vec3 mInDst;
    b2Joint* mJoint = nullptr;
    bool mReleased = false;
};

class xJointDesc {
public:
    virtual ~xJointDesc() = default;

    virtual xConstraintSet* createJoint() const = 0;

    xBody* mSrcBody = nullptr;
    // Null: the world.
    xBody* mDstBody = nullptr;
    xEntity* mOwner = nullptr;
    // The joint's point in the world at creation.
    Vec3 mPlacement;
    // The force, in mass times pixels per update squared, that breaks the joint: above it
    // the joint releases itself after the step.
    float mLimit = 1e38f;
};

// A spring: pulls its two points towards mRestLength apart with mStiffness (force per pixel
// of stretch) and slows their drift apart with mDamping (force per pixel per update).
class xSpringDesc : public xJointDesc {
public:
    xConstraintSet* createJoint() const override;

    float mStiffness = 0.0f;
    float mDamping = 0.0f;
    float mRestLength = 0.0f;
};

// A pin: the two points stay together and the bodies turn freely about them.
class xBallSocketDesc : public xJointDesc {
public:
    xConstraintSet* createJoint() const override;
};

} // namespace XtremaPHX2D
