#pragma once
// The geometry of a shape: a circle, a box or a line segment, centred on the shape's
// placement, in pixels.

#include "platform/physics/XtremaMath.h"

namespace XtremaPHX2D {

class xShape;

enum ePrimitveObj : int {
    PRIMITIVE_CIRCLE = 0,
    PRIMITIVE_BOX = 1,
    PRIMITIVE_LINE_SEGMENT = 2,
};

class xPrimitive {
public:
    virtual ~xPrimitive() = default;
    xPrimitive(const xPrimitive&) = delete;
    xPrimitive& operator=(const xPrimitive&) = delete;

    virtual ePrimitveObj getType() const = 0;
    // Moment of inertia about the centre per unit of mass, in square pixels.
    virtual float inertia() const = 0;

protected:
    xPrimitive() = default;

private:
    friend class xShape;
    // The shape this primitive is the envelope of, told when the geometry changes.
    xShape* mShape = nullptr;

protected:
    void geometryChanged();
};

class xPrimitiveCircle : public xPrimitive {
public:
    explicit xPrimitiveCircle(const float radius) : mRadius(radius) {}

    ePrimitveObj getType() const override { return PRIMITIVE_CIRCLE; }
    float inertia() const override { return mRadius * mRadius * 0.5f; }
    float radius() const { return mRadius; }
    // Resizes the circle in place, also while its shape is in the world.
    void setRadius(float radius);

private:
    float mRadius;
};

class xPrimitiveBox : public xPrimitive {
public:
    xPrimitiveBox(const float width, const float height) : mSize(width, height) {}
    explicit xPrimitiveBox(const Vec2& size) : mSize(size) {}

    ePrimitveObj getType() const override { return PRIMITIVE_BOX; }
    float inertia() const override { return (mSize.x * mSize.x + mSize.y * mSize.y) / 12.0f; }
    // Width and height.
    const Vec2& size() const { return mSize; }

private:
    Vec2 mSize;
};

class xPrimitiveLineSeg : public xPrimitive {
public:
    xPrimitiveLineSeg(const Vec2& start, const Vec2& end) : mStart(start), mEnd(end) {}

    ePrimitveObj getType() const override { return PRIMITIVE_LINE_SEGMENT; }
    float inertia() const override;
    const Vec2& start() const { return mStart; }
    const Vec2& end() const { return mEnd; }

private:
    Vec2 mStart;
    Vec2 mEnd;
};

} // namespace XtremaPHX2D
