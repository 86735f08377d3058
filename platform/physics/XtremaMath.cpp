#include "platform/physics/XtremaMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace XtremaPHX2D {

float xtrDegToRad(const float degrees)
{
    return degrees * (std::numbers::pi_v<float> / 180.0f);
}

float xtrRadToDeg(const float radians)
{
    return radians * (180.0f / std::numbers::pi_v<float>);
}

float xtrLenV2(const Vec2& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

Vec2 xtrNormalizeV2(const Vec2& v)
{
    const float length = xtrLenV2(v);
    return length > 0.0f ? v * (1.0f / length) : v;
}

float xtrClamp(const float value, const float low, const float high)
{
    return std::min(std::max(value, low), high);
}

Mtx22 xtrAngleToMtx22(const float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {{c, s}, {-s, c}};
}

Mtx23 xtrVec3ToMtx23(const Vec3& placement)
{
    return {xtrAngleToMtx22(placement.angle), placement.point()};
}

Vec2 xtrTransReversePosMtx23(const Mtx23& frame, const Vec2& point)
{
    // The inverse of a turn is its transpose.
    const Vec2 d = point - frame.offset;
    return {frame.turn.col1.x * d.x + frame.turn.col1.y * d.y, frame.turn.col2.x * d.x + frame.turn.col2.y * d.y};
}

} // namespace XtremaPHX2D
