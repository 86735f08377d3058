#include "game/physics/PhysicsPrimitiveEntity.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "game/physics/EntityShape.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "platform/physics/Body.h"
#include "platform/physics/Configurator.h"
#include "platform/physics/Primitives.h"
#include "platform/physics/Shape.h"

#include <cmath>
#include <memory>

using namespace XtremaPHX2D;

namespace {

// The circle's outline: a decagon with a short spoke inwards from each corner, so that its
// turning shows.
constexpr int kCircleCorners = 10;
constexpr float kSpokeInnerRadius = 0.6f;
// The push, in mass times pixels per update, that goes with a bounce.
constexpr float kBounceImpulse = 10.0f;
// The tint of a sleeping body's image while the configuration asks to show them.
const Zest::Color kSleepingTint(120, 120, 120, 255);

// The geometry of the description, with the outline that draws it; null and no outline for
// an unknown primitive type.
std::unique_ptr<xPrimitive> MakePrimitive(const xPhysicsPrimitiveEntityDesc& desc, std::vector<Vec2>& outline)
{
    switch (desc.mPrimitiveType) {
    case PRIMITIVE_CIRCLE: {
        const float radius = desc.mSize.x;
        for (int corner = 0; corner < kCircleCorners; ++corner) {
            const float angle = xtrDegToRad(360.0f / kCircleCorners * corner);
            const Vec2 direction(std::cos(angle), std::sin(angle));
            const Vec2 outer = direction * radius;
            outline.push_back(outer);
            outline.push_back(direction * (kSpokeInnerRadius * radius));
            outline.push_back(outer);
        }
        return std::make_unique<xPrimitiveCircle>(radius);
    }
    case PRIMITIVE_BOX: {
        const Vec2 half = desc.mSize * 0.5f;
        outline.insert(outline.end(), {{-half.x, -half.y}, {half.x, -half.y}, {half.x, half.y}, {-half.x, half.y}});
        return std::make_unique<xPrimitiveBox>(desc.mSize);
    }
    case PRIMITIVE_LINE_SEGMENT:
        outline.insert(outline.end(), {desc.mLineStart, desc.mLineEnd});
        return std::make_unique<xPrimitiveLineSeg>(desc.mLineStart, desc.mLineEnd);
    default:
        return nullptr;
    }
}

// Half the width and height an image of the primitive covers.
Vec2 HalfSize(const xPrimitive& primitive)
{
    switch (primitive.getType()) {
    case PRIMITIVE_CIRCLE: {
        const float radius = static_cast<const xPrimitiveCircle&>(primitive).radius();
        return {radius, radius};
    }
    case PRIMITIVE_BOX:
        return static_cast<const xPrimitiveBox&>(primitive).size() * 0.5f;
    default:
        return {};
    }
}

// A point of the world as the drawing context takes it: truncated towards zero.
void DrawWorldLine(Zest::Graphics* const g, const Vec2& from, const Vec2& to)
{
    g->DrawLine(static_cast<int>(from.x), static_cast<int>(from.y), static_cast<int>(to.x), static_cast<int>(to.y));
}

} // namespace

xPhysicsPrimitiveEntity::~xPhysicsPrimitiveEntity()
{
    // The body first: the shape is attached to it.
    delete mBody;
    mBody = nullptr;
    delete mShape;
    mShape = nullptr;
}

void xPhysicsPrimitiveEntity::buildPhysics(xEntityDesc* const desc)
{
    // The library builds each entity once, from the description that made it.
    ZEST_ASSERT(mShape == nullptr && mBody == nullptr);
    const auto* const primitiveDesc = dynamic_cast<const xPhysicsPrimitiveEntityDesc*>(desc);
    // Another class's description says nothing this entity can build from: it stays an
    // entity without physics, which draws nothing.
    if (primitiveDesc == nullptr)
        return;
    const xPhysicsPrimitiveEntityDesc& d = *primitiveDesc;

    mShape = MakeEntityShape(MakePrimitive(d, mOutline).release(), d.mMaterialName, this);

    const bool hasBody = d.mDynamic && (d.mBodyType == BODY_3DOF || d.mBodyType == BODY_2DOF);
    if (hasBody) {
        xBody3DOFDesc turning;
        xBody2DOFDesc sliding;
        xBodyDesc& bodyDesc = d.mBodyType == BODY_3DOF ? static_cast<xBodyDesc&>(turning) : sliding;
        const xPrimitive* const primitive = mShape->primitive();
        bodyDesc.mMass = d.mMass;
        bodyDesc.mInertia = d.mMass * (primitive != nullptr ? primitive->inertia() : 0.0f);
        xBody* const body = bodyDesc.createBody();
        ZEST_ASSERT(body != nullptr);
        body->setOwner(this);
        body->activate();
        mShape->setBody(body);
        mShape->attachTo(body);
        SetBody(body);
        body->setAbsPlacement(d.mPlacement);
        body->mCoefficient = d.mBodyCoefficient;
        // A body's shape stays in "default" unless the description names a category.
        if (!d.mCategoryName.empty())
            mShape->setCollisionCategory(d.mCategoryName);
    } else {
        mShape->setAbsPlacement(d.mPlacement);
        mShape->setCollisionCategory(d.mCategoryName);
    }

    mPlacement = d.mPlacement;
    mImage = d.mImage;
    mBounceSpeed = d.mBounceSpeed;
    mDrawOutline = d.mDrawOutline;
    mOverlayPriority = d.mOverlayPriority;
}

bool xPhysicsPrimitiveEntity::onCollision(xShape*, xShape* const other, const Vec2&, float, const Vec2& normal)
{
    xBody* const body = mBounceSpeed > 0.0f && other != nullptr ? other->getMainBody() : nullptr;
    if (body != nullptr) {
        body->applyImpulse(normal * kBounceImpulse);
        // Whatever speed the body came with, it leaves at the bounce speed.
        body->setLinearVelocity(normal * mBounceSpeed);
    }
    return true;
}

void xPhysicsPrimitiveEntity::Update() {}

void xPhysicsPrimitiveEntity::Draw(Zest::Graphics*)
{
    DeferOverlay(mOverlayPriority);
}

void xPhysicsPrimitiveEntity::DrawOverlay(Zest::Graphics* const g)
{
    // Without geometry there is neither an outline nor a size to draw an image at.
    if (mShape == nullptr || mShape->primitive() == nullptr)
        return;
    const xPrimitive& primitive = *mShape->primitive();
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    const Vec3 placement = absPlacement();
    const Mtx23 frame = xtrVec3ToMtx23(placement);

    if (primitive.getType() == PRIMITIVE_LINE_SEGMENT) {
        const auto& segment = static_cast<const xPrimitiveLineSeg&>(primitive);
        DrawWorldLine(g, frame * segment.start(), frame * segment.end());
    } else if (mImage != nullptr) {
        DrawImage(g, placement, HalfSize(primitive));
    } else if (mDrawOutline && !mOutline.empty()) {
        DrawOutline(g, frame);
    }
}

void xPhysicsPrimitiveEntity::DrawImage(Zest::Graphics* const g, const Vec3& placement, const Vec2& halfSize) const
{
    g->SetLinearBlend(true);
    if (xConfigurator::Instance().mShowSleeping && mBody != nullptr && !mBody->isActive())
        g->SetColor(kSleepingTint);
    // The library turns clockwise on the screen, the drawing context counter-clockwise.
    g->DrawImageRotated(mImage, placement.x - halfSize.x, placement.y - halfSize.y, -placement.angle);
}

void xPhysicsPrimitiveEntity::DrawOutline(Zest::Graphics* const g, const Mtx23& frame) const
{
    g->SetColor(Zest::Color::White);
    std::vector<Vec2> points;
    points.reserve(mOutline.size());
    for (const Vec2& point : mOutline)
        points.push_back(frame * point);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        DrawWorldLine(g, points[i], points[i + 1]);
    DrawWorldLine(g, points.front(), points.back());
}
