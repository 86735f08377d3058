#include "platform/physics/Primitives.h"

#include "platform/physics/Shape.h"

namespace XtremaPHX2D {

void xPrimitive::geometryChanged()
{
    if (mShape != nullptr)
        mShape->rebuildFixture();
}

void xPrimitiveCircle::setRadius(const float radius)
{
    mRadius = radius;
    geometryChanged();
}

float xPrimitiveLineSeg::inertia() const
{
    const float length = xtrLenV2(mEnd - mStart);
    return length * length / 12.0f;
}

} // namespace XtremaPHX2D
