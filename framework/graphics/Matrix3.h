#pragma once
// The 2-D affine transforms of the drawing system. Matrix3 is a plain 3 x 3 float matrix
// acting on column vectors (x, y, 1); Transform describes a transform lazily, staying simple
// (a translation, one rotation or one scale, then a second translation) while the steps
// allow, so that drawing can use the cheap rotated, mirrored, stretched or plain blits, and
// turning into a full matrix otherwise. Angles are radians; a positive angle turns a picture
// counter-clockwise on the screen, whose y axis points down.

namespace Zest {

struct Vector2 {
    float mX = 0.0f;
    float mY = 0.0f;
};

struct Vector3 {
    float mX = 0.0f;
    float mY = 0.0f;
    float mZ = 0.0f;
};

class Matrix3 {
public:
    // The identity.
    Matrix3();
    // The identity when loadIdentity is true; otherwise the nine values stay uninitialised,
    // for a matrix about to be written whole.
    explicit Matrix3(bool loadIdentity);

    void LoadIdentity();

    // The row-by-column product this x other: other applies first, then this.
    Matrix3 operator*(const Matrix3& other) const;

    // Every composition multiplies the new step on the left, so it applies after what the
    // matrix already does.
    void Translate(float tx, float ty);
    // Left-multiplies [[cos a, sin a, 0], [-sin a, cos a, 0], [0, 0, 1]]: (1, 0) goes to
    // (cos a, -sin a), upwards on the screen for a positive angle.
    void RotateRad(float angle);
    void Scale(float sx, float sy);

    // The matrix applied to the point (x, y, 1), without the third component.
    Vector2 TransformPoint(float x, float y) const;
    // The matrix applied to the column (x, y, w).
    Vector3 TransformVector(float x, float y, float w) const;

    bool operator==(const Matrix3& other) const = default;

    // Row-major: m[row][column]; m[0][2] and m[1][2] hold the translation.
    float m[3][3];
};

class Transform {
public:
    Transform() = default;

    // Simple: added to the first translation while no rotation or scale is recorded, else
    // to the second.
    void Translate(float tx, float ty);
    // Simple without a scale: accumulates into mRot. A rotation after a scale turns the
    // transform complex.
    void RotateRad(float angle);
    // Degrees through pi rounded to single precision.
    void RotateDeg(float degrees);
    // Stays simple only for a non-negative scale, or a left-right mirror, applied with no
    // rotation and no first translation recorded.
    void Scale(float sx, float sy);
    // From now on every step goes straight into mMatrix, which starts as the simple
    // transform built so far.
    void MakeComplex();
    // Rebuilds mMatrix from the simple fields when they changed.
    void CalcMatrix() const;
    // The whole transform as a matrix.
    const Matrix3& GetMatrix() const;

    // A cache of the simple fields; valid after CalcMatrix, and always in complex mode.
    mutable Matrix3 mMatrix{false};
    mutable bool mNeedCalc = true;
    bool mComplex = false;
    bool mHaveRot = false;
    bool mHaveScale = false;
    // Simple mode is T(mTransX2, mTransY2) x (S(mScaleX, mScaleY) or R(mRot) or nothing)
    // x T(mTransX1, mTransY1); never both a rotation and a scale, and with a scale the
    // first translation is 0.
    float mTransX1 = 0.0f;
    float mTransY1 = 0.0f;
    float mTransX2 = 0.0f;
    float mTransY2 = 0.0f;
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    float mRot = 0.0f;
};

} // namespace Zest
