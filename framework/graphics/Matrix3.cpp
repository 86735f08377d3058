#include "framework/graphics/Matrix3.h"

#include <cmath>

namespace Zest {

Matrix3::Matrix3()
{
    LoadIdentity();
}

Matrix3::Matrix3(const bool loadIdentity)
{
    if (loadIdentity)
        LoadIdentity();
}

void Matrix3::LoadIdentity()
{
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            m[row][column] = row == column ? 1.0f : 0.0f;
    }
}

Matrix3 Matrix3::operator*(const Matrix3& other) const
{
    Matrix3 product(false);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            product.m[row][column] = m[row][0] * other.m[0][column] + m[row][1] * other.m[1][column] +
                                     m[row][2] * other.m[2][column];
        }
    }
    return product;
}

void Matrix3::Translate(const float tx, const float ty)
{
    // T x this only touches the first two rows: each gains its translation times row 2.
    for (int column = 0; column < 3; ++column) {
        m[0][column] += tx * m[2][column];
        m[1][column] += ty * m[2][column];
    }
}

void Matrix3::RotateRad(const float angle)
{
    const float cosA = std::cos(angle);
    const float sinA = std::sin(angle);
    Matrix3 rotation;
    rotation.m[0][0] = cosA;
    rotation.m[0][1] = sinA;
    rotation.m[1][0] = -sinA;
    rotation.m[1][1] = cosA;
    *this = rotation * *this;
}

void Matrix3::Scale(const float sx, const float sy)
{
    for (int column = 0; column < 3; ++column) {
        m[0][column] *= sx;
        m[1][column] *= sy;
    }
}

Vector2 Matrix3::TransformPoint(const float x, const float y) const
{
    return {m[0][0] * x + m[0][1] * y + m[0][2], m[1][0] * x + m[1][1] * y + m[1][2]};
}

Vector3 Matrix3::TransformVector(const float x, const float y, const float w) const
{
    return {m[0][0] * x + m[0][1] * y + m[0][2] * w, m[1][0] * x + m[1][1] * y + m[1][2] * w,
            m[2][0] * x + m[2][1] * y + m[2][2] * w};
}

void Transform::Translate(const float tx, const float ty)
{
    if (mComplex) {
        mMatrix.Translate(tx, ty);
        return;
    }
    mNeedCalc = true;
    if (!mHaveRot && !mHaveScale) {
        mTransX1 += tx;
        mTransY1 += ty;
    } else {
        mTransX2 += tx;
        mTransY2 += ty;
    }
}

void Transform::RotateRad(const float angle)
{
    if (!mComplex && mHaveScale)
        MakeComplex();
    if (mComplex) {
        mMatrix.RotateRad(angle);
        return;
    }
    mNeedCalc = true;
    mHaveRot = true;
    mRot += angle;
    // R(a) x T2 = T(R(a) x t2) x R(a): turning the second translation with the new
    // rotation keeps the simple form equal to the steps taken.
    const float cosA = std::cos(angle);
    const float sinA = std::sin(angle);
    const float x2 = mTransX2;
    const float y2 = mTransY2;
    mTransX2 = cosA * x2 + sinA * y2;
    mTransY2 = -sinA * x2 + cosA * y2;
}

void Transform::RotateDeg(const float degrees)
{
    // Pi rounded to single precision, so that whole degrees give the angles the rest of
    // the program computes in float.
    constexpr double kFloatPi = 3.1415927410125732;
    RotateRad(static_cast<float>(degrees * kFloatPi / 180.0));
}

void Transform::Scale(const float sx, const float sy)
{
    const bool staysSimple = !mComplex && !mHaveRot && mTransX1 == 0.0f && mTransY1 == 0.0f && sy >= 0.0f &&
                             (sx >= 0.0f || mScaleX * sx == -1.0f);
    if (!staysSimple) {
        MakeComplex();
        mMatrix.Scale(sx, sy);
        return;
    }
    mNeedCalc = true;
    mHaveScale = true;
    mScaleX *= sx;
    mScaleY *= sy;
    // S x T2 = T(S x t2) x S, as for a rotation.
    mTransX2 *= sx;
    mTransY2 *= sy;
}

void Transform::MakeComplex()
{
    if (mComplex)
        return;
    CalcMatrix();
    mComplex = true;
}

void Transform::CalcMatrix() const
{
    if (!mNeedCalc || mComplex)
        return;
    mNeedCalc = false;
    mMatrix.LoadIdentity();
    mMatrix.m[0][2] = mTransX1;
    mMatrix.m[1][2] = mTransY1;
    if (mHaveScale) {
        // The first translation is 0 whenever a scale is recorded.
        mMatrix.m[0][0] = mScaleX;
        mMatrix.m[1][1] = mScaleY;
    } else if (mHaveRot) {
        mMatrix.RotateRad(mRot);
    }
    if (mTransX2 != 0.0f || mTransY2 != 0.0f)
        mMatrix.Translate(mTransX2, mTransY2);
}

const Matrix3& Transform::GetMatrix() const
{
    CalcMatrix();
    return mMatrix;
}

} // namespace Zest
