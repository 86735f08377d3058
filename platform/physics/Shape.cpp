#include "platform/physics/Shape.h"

#include "platform/physics/Assert.h"
#include "platform/physics/World.h"

#include <box2d/b2_body.h>
#include <box2d/b2_circle_shape.h>
#include <box2d/b2_edge_shape.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace XtremaPHX2D {
namespace {

Vec3 EnginePlacement(const b2Body* const body)
{
    return {ToPixels(body->GetPosition()), body->GetAngle()};
}

// The placement `frame` must have for `relative` on it to land at `target`.
Vec3 FrameFor(const Vec3& target, const Vec3& relative)
{
    const float angle = target.angle - relative.angle;
    return {target.point() - xtrAngleToMtx22(angle) * relative.point(), angle};
}

} // namespace

xShape::xShape(std::unique_ptr<xPrimitive> primitive, xMaterial* const material)
    : mPrimitive(std::move(primitive)), mMaterial(material),
      mCategory(xCategoryDispatcher::Instance().defaultCategory())
{
    XTR_ASSERT(mMaterial != nullptr);
    if (mPrimitive != nullptr)
        mPrimitive->mShape = this;
}

xShape::~xShape()
{
    if (mWorld == nullptr)
        return;
    mWorld->mShapes.erase(this);
    // Shapes that follow this one stand on its host body, which goes with it.
    for (xShape* const shape : mWorld->mShapes) {
        if (shape->mParentShape == this)
            shape->forgetFixture();
    }
    if (mFixture != nullptr)
        mWorld->DestroyFixture(mFixture);
    if (mOwnHost != nullptr)
        mWorld->DestroyBody(mOwnHost);
}

void xShape::activate()
{
    XTR_ASSERT(!mActivated);
    World& world = CurrentWorld();
    mOwnHost = world.CreateStaticBody(mPlacement);
    mWorld = &world;
    world.mShapes.insert(this);
    mActivated = true;
    moveToHost(mOwnHost, {});
}

Vec3 xShape::absPlacement() const
{
    if (mHost == nullptr)
        return mPlacement;
    return ComposePlacement(EnginePlacement(mHost), mHostPlacement);
}

void xShape::setAbsPlacement(const Vec3& placement)
{
    mPlacement = placement;
    if (mHost == nullptr)
        return;
    const Vec3 frame = FrameFor(placement, mHostPlacement);
    if (mParentBody != nullptr) {
        mParentBody->setAbsPlacement(frame);
    } else if (mParentShape != nullptr) {
        mParentShape->setAbsPlacement(frame);
    } else {
        mWorld->AssertOutsideStep();
        mHost->SetTransform(ToMetres(frame.point()), frame.angle);
        mWorld->WakeOverlapping(mHost);
    }
}

xBody* xShape::getMainBody() const
{
    if (mMainBody != nullptr)
        return mMainBody;
    if (mParentBody != nullptr)
        return mParentBody;
    return mParentShape != nullptr ? mParentShape->getMainBody() : nullptr;
}

void xShape::attachTo(xBody* const body)
{
    XTR_ASSERT(mActivated && body != nullptr && body->mEngineBody != nullptr);
    mParentShape = nullptr;
    mParentBody = body;
    moveToHost(body->mEngineBody, {});
}

void xShape::attachTo(xShape* const root)
{
    // Only a shape that stands alone carries others.
    XTR_ASSERT(mActivated && root != nullptr && root != this && root->mOwnHost != nullptr);
    mParentBody = nullptr;
    mParentShape = root;
    moveToHost(root->mOwnHost, {});
}

void xShape::setRelPlacement(const Vec3& placement)
{
    XTR_ASSERT(mParentBody != nullptr || mParentShape != nullptr);
    mHostPlacement = placement;
    rebuildFixture();
}

void xShape::setCollisionCategory(const std::string& name)
{
    mCategory = xCategoryDispatcher::Instance().obtainCategory(name);
    if (mFixture != nullptr)
        mFixture->Refilter();
}

Box2 xShape::bounds() const
{
    if (mFixture == nullptr) {
        const Vec2 point = absPlacement().point();
        return {point, point};
    }
    b2AABB box = mFixture->GetAABB(0);
    for (int child = 1; child < mFixture->GetShape()->GetChildCount(); ++child)
        box.Combine(mFixture->GetAABB(child));
    return {ToPixels(box.lowerBound), ToPixels(box.upperBound)};
}

void xShape::moveToHost(b2Body* const host, const Vec3& hostPlacement)
{
    mWorld->AssertOutsideStep();
    b2Body* const ownHost = mOwnHost;
    mHost = host;
    mHostPlacement = hostPlacement;
    rebuildFixture();
    if (ownHost != nullptr && ownHost != host) {
        mOwnHost = nullptr;
        mWorld->DestroyBody(ownHost);
    }
}

void xShape::rebuildFixture()
{
    if (mHost == nullptr)
        return;
    mWorld->AssertOutsideStep();
    if (mFixture != nullptr) {
        mWorld->DestroyFixture(mFixture);
        mFixture = nullptr;
    }
    if (mPrimitive == nullptr)
        return;

    const Mtx23 onHost = xtrVec3ToMtx23(mHostPlacement);
    b2CircleShape circle;
    b2PolygonShape box;
    b2EdgeShape line;
    b2Shape* geometry = nullptr;
    switch (mPrimitive->getType()) {
    case PRIMITIVE_CIRCLE: {
        const float radius = static_cast<const xPrimitiveCircle&>(*mPrimitive).radius();
        if (!(radius >= 0.0f))
            break;
        circle.m_radius = radius / kPixelsPerMetre;
        circle.m_p = ToMetres(mHostPlacement.point());
        geometry = &circle;
        break;
    }
    case PRIMITIVE_BOX: {
        const Vec2 size = static_cast<const xPrimitiveBox&>(*mPrimitive).size();
        if (!(size.x > 0.0f && size.y > 0.0f))
            break;
        box.SetAsBox(size.x * 0.5f / kPixelsPerMetre, size.y * 0.5f / kPixelsPerMetre,
                     ToMetres(mHostPlacement.point()), mHostPlacement.angle);
        geometry = &box;
        break;
    }
    case PRIMITIVE_LINE_SEGMENT: {
        const auto& segment = static_cast<const xPrimitiveLineSeg&>(*mPrimitive);
        if (!(xtrLenV2(segment.end() - segment.start()) > 0.0f))
            break;
        line.SetTwoSided(ToMetres(onHost * segment.start()), ToMetres(onHost * segment.end()));
        geometry = &line;
        break;
    }
    }
    if (geometry == nullptr) {
        std::fprintf(stderr, "Physics: a shape of no size does not collide\n");
        return;
    }
    b2FixtureDef definition;
    definition.shape = geometry;
    definition.density = mMaterial->mDensity * kPixelsPerMetre * kPixelsPerMetre;
    definition.friction = mMaterial->mFriction;
    definition.restitution = mMaterial->mRestitution;
    definition.userData.pointer = reinterpret_cast<uintptr_t>(this);
    mFixture = mHost->CreateFixture(&definition);
    if (mParentBody != nullptr)
        mParentBody->applyMass();
    mWorld->WakeOverlapping(mHost);
}

void xShape::forgetBody(const xBody* const body)
{
    if (mMainBody == body)
        mMainBody = nullptr;
    if (mParentBody == body)
        forgetFixture();
}

void xShape::forgetFixture()
{
    mPlacement = absPlacement();
    if (mFixture != nullptr)
        mFixture->GetUserData().pointer = 0;
    if (mHost == mOwnHost)
        mOwnHost = nullptr;
    mFixture = nullptr;
    mHost = nullptr;
    mParentBody = nullptr;
    mParentShape = nullptr;
}

void xShape::forgetEngine()
{
    forgetFixture();
    mOwnHost = nullptr;
    mWorld = nullptr;
    // Categories and materials go with the world.
    mCategory = nullptr;
    mMaterial = nullptr;
}

xPrimitiveShapeDesc::~xPrimitiveShapeDesc() = default;

void xPrimitiveShapeDesc::setEnvelope(xPrimitive* const primitive)
{
    mEnvelope.reset(primitive);
}

xShape* xPrimitiveShapeDesc::createShape()
{
    xMaterial* const material = mMaterial != nullptr ? mMaterial : xMaterialDispatcher::Instance().defaultMaterial();
    return new xShape(std::move(mEnvelope), material);
}

} // namespace XtremaPHX2D
