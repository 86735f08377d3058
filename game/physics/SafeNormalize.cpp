#include "game/physics/SafeNormalize.h"

#include <cmath>

XtremaPHX2D::Vec2 SafeNormalize(const XtremaPHX2D::Vec2& v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length == 0.0f)
        return v;
    return {v.x / length, v.y / length};
}
