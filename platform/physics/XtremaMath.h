#pragma once
// The physics library's small vector algebra, in the game's units: pixels with y downwards
// and angles in radians (a positive angle turns clockwise on the screen).

namespace XtremaPHX2D {

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vec2() = default;
    constexpr Vec2(const float x_, const float y_) : x(x_), y(y_) {}

    constexpr Vec2 operator+(const Vec2& other) const { return {x + other.x, y + other.y}; }
    constexpr Vec2 operator-(const Vec2& other) const { return {x - other.x, y - other.y}; }
    constexpr Vec2 operator-() const { return {-x, -y}; }
    constexpr Vec2 operator*(const float scale) const { return {x * scale, y * scale}; }
    constexpr Vec2& operator+=(const Vec2& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }
    constexpr bool operator==(const Vec2&) const = default;
};

// A placement: a point and a turn about it.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;

    constexpr Vec3() = default;
    constexpr Vec3(const float x_, const float y_, const float angle_) : x(x_), y(y_), angle(angle_) {}
    constexpr Vec3(const Vec2& point, const float angle_) : x(point.x), y(point.y), angle(angle_) {}

    constexpr Vec2 point() const { return {x, y}; }
    constexpr Vec3 operator+(const Vec3& other) const { return {x + other.x, y + other.y, angle + other.angle}; }
    constexpr bool operator==(const Vec3&) const = default;
};

// A turn: the columns are where the x and y axes go.
struct Mtx22 {
    Vec2 col1{1.0f, 0.0f};
    Vec2 col2{0.0f, 1.0f};

    constexpr Vec2 operator*(const Vec2& v) const
    {
        return {col1.x * v.x + col2.x * v.y, col1.y * v.x + col2.y * v.y};
    }
};

// A placement as a matrix: turn, then move.
struct Mtx23 {
    Mtx22 turn;
    Vec2 offset;

    constexpr Vec2 operator*(const Vec2& v) const { return turn * v + offset; }
};

// An axis-aligned box, from its smallest to its largest corner.
struct Box2 {
    Vec2 min;
    Vec2 max;
};

float xtrDegToRad(float degrees);
float xtrRadToDeg(float radians);
float xtrLenV2(const Vec2& v);
// The unit vector along v; a zero vector stays zero.
Vec2 xtrNormalizeV2(const Vec2& v);
float xtrClamp(float value, float low, float high);
Mtx22 xtrAngleToMtx22(float angle);
Mtx23 xtrVec3ToMtx23(const Vec3& placement);
// The point of the world `point` in the frame of the placement `frame`.
Vec2 xtrTransReversePosMtx23(const Mtx23& frame, const Vec2& point);

} // namespace XtremaPHX2D
