// Matrix3 composition and the lazy Transform, against matrices worked out by hand. With y
// pointing down, R(a) = [[cos a, sin a], [-sin a, cos a]], so a quarter turn sends (1, 0) to
// (0, -1): upwards on the screen.

#include "framework/graphics/Matrix3.h"

#include <gtest/gtest.h>

#include <array>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Zest::Matrix3;
using Zest::Transform;

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2.0f;

// The two rows that matter of an affine matrix; the third is always (0, 0, 1).
using Rows = std::array<float, 6>;

void ExpectMatrix(const Matrix3& matrix, const Rows& expected)
{
    const Rows actual = {matrix.m[0][0], matrix.m[0][1], matrix.m[0][2],
                         matrix.m[1][0], matrix.m[1][1], matrix.m[1][2]};
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i / 3 << "," << i % 3;
    EXPECT_EQ(matrix.m[2][0], 0.0f);
    EXPECT_EQ(matrix.m[2][1], 0.0f);
    EXPECT_EQ(matrix.m[2][2], 1.0f);
}

enum class Step { Translate, Rotate, Scale };

struct Operation {
    Step mStep;
    float mA;
    float mB;
};

template <typename Target>
void Apply(Target& target, const std::vector<Operation>& operations)
{
    for (const Operation& operation : operations) {
        switch (operation.mStep) {
        case Step::Translate:
            target.Translate(operation.mA, operation.mB);
            break;
        case Step::Rotate:
            target.RotateRad(operation.mA);
            break;
        case Step::Scale:
            target.Scale(operation.mA, operation.mB);
            break;
        }
    }
}

TEST(Matrix3Test, ConstructionLoadsTheIdentity)
{
    ExpectMatrix(Matrix3(), {1, 0, 0, 0, 1, 0});
    ExpectMatrix(Matrix3(true), {1, 0, 0, 0, 1, 0});
}

TEST(Matrix3Test, EachStepAppliesAfterWhatTheMatrixAlreadyDoes)
{
    struct Case {
        std::string mName;
        std::vector<Operation> mSteps;
        Rows mExpected;
    };
    const std::vector<Case> cases = {
        {"translate then scale scales the translation", {{Step::Translate, 1, 2}, {Step::Scale, 2, 3}},
         {2, 0, 2, 0, 3, 6}},
        {"scale then translate keeps it", {{Step::Scale, 2, 3}, {Step::Translate, 1, 2}}, {2, 0, 1, 0, 3, 2}},
        {"translate then rotate turns the translation",
         {{Step::Translate, 1, 0}, {Step::Rotate, kQuarterTurn, 0}},
         {0, 1, 0, -1, 0, -1}},
        {"rotate then translate keeps it", {{Step::Rotate, kQuarterTurn, 0}, {Step::Translate, 1, 0}},
         {0, 1, 1, -1, 0, 0}},
        {"scale then rotate", {{Step::Scale, 2, 3}, {Step::Rotate, kQuarterTurn, 0}}, {0, 3, 0, -2, 0, 0}},
        {"rotate then scale", {{Step::Rotate, kQuarterTurn, 0}, {Step::Scale, 2, 3}}, {0, 2, 0, -3, 0, 0}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        Matrix3 matrix;
        Apply(matrix, test.mSteps);
        ExpectMatrix(matrix, test.mExpected);
    }
}

TEST(Matrix3Test, ProductIsRowByColumnWithTheRightFactorFirst)
{
    Matrix3 translate;
    translate.m[0][2] = 1.0f;
    translate.m[1][2] = 2.0f;
    Matrix3 scale;
    scale.m[0][0] = 2.0f;
    scale.m[1][1] = 3.0f;
    ExpectMatrix(translate * scale, {2, 0, 1, 0, 3, 2});
    ExpectMatrix(scale * translate, {2, 0, 2, 0, 3, 6});

    Matrix3 composed = scale;
    composed.Translate(1.0f, 2.0f);
    EXPECT_EQ(composed, translate * scale);
}

TEST(Matrix3Test, TransformPointAddsTheTranslationAndTransformVectorWeighsItByW)
{
    Matrix3 matrix;
    matrix.Scale(2.0f, 3.0f);
    matrix.Translate(5.0f, 7.0f);

    const Zest::Vector2 point = matrix.TransformPoint(1.0f, 1.0f);
    EXPECT_FLOAT_EQ(point.mX, 7.0f);
    EXPECT_FLOAT_EQ(point.mY, 10.0f);

    const Zest::Vector3 direction = matrix.TransformVector(1.0f, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(direction.mX, 2.0f);
    EXPECT_FLOAT_EQ(direction.mY, 3.0f);
    EXPECT_FLOAT_EQ(direction.mZ, 0.0f);

    const Zest::Vector3 doubled = matrix.TransformVector(1.0f, 1.0f, 2.0f);
    EXPECT_FLOAT_EQ(doubled.mX, 12.0f);
    EXPECT_FLOAT_EQ(doubled.mY, 17.0f);
    EXPECT_FLOAT_EQ(doubled.mZ, 2.0f);
}

TEST(TransformTest, StepsGiveTheHandComputedMatrixAndStaySimpleWhileTheyCan)
{
    struct Case {
        std::string mName;
        std::vector<Operation> mSteps;
        Rows mExpected;
        bool mComplex;
    };
    const std::vector<Case> cases = {
        {"a new transform is the identity", {}, {1, 0, 0, 0, 1, 0}, false},
        {"translations add up", {{Step::Translate, 1, 2}, {Step::Translate, 3, 4}}, {1, 0, 4, 0, 1, 6}, false},
        {"a rotation turns the earlier translation",
         {{Step::Translate, 5, 0}, {Step::Rotate, kQuarterTurn, 0}},
         {0, 1, 0, -1, 0, -5},
         false},
        {"a translation after a rotation is not turned",
         {{Step::Rotate, kQuarterTurn, 0}, {Step::Translate, 5, 0}},
         {0, 1, 5, -1, 0, 0},
         false},
        {"a second rotation turns the translation between them",
         {{Step::Rotate, kQuarterTurn, 0}, {Step::Translate, 5, 0}, {Step::Rotate, kQuarterTurn, 0}},
         {-1, 0, 0, 0, -1, -5},
         false},
        {"a mirror stays simple", {{Step::Scale, -1, 1}}, {-1, 0, 0, 0, 1, 0}, false},
        {"a mirror with a vertical stretch stays simple", {{Step::Scale, -1, 2}}, {-1, 0, 0, 0, 2, 0}, false},
        {"mirroring twice turns complex", {{Step::Scale, -1, 1}, {Step::Scale, -1, 1}}, {1, 0, 0, 0, 1, 0}, true},
        {"a vertical flip turns complex", {{Step::Scale, 2, -1}}, {2, 0, 0, 0, -1, 0}, true},
        {"a second scale scales the translation between them",
         {{Step::Scale, 2, 3}, {Step::Translate, 1, 1}, {Step::Scale, 2, 2}},
         {4, 0, 2, 0, 6, 2},
         false},
        {"a scale after a translation turns complex",
         {{Step::Translate, 3, 0}, {Step::Scale, 2, 2}},
         {2, 0, 6, 0, 2, 0},
         true},
        {"a rotation after a scale turns complex",
         {{Step::Scale, 2, 3}, {Step::Rotate, kQuarterTurn, 0}},
         {0, 3, 0, -2, 0, 0},
         true},
        {"a scale after a rotation turns complex",
         {{Step::Rotate, kQuarterTurn, 0}, {Step::Scale, 2, 3}},
         {0, 2, 0, -3, 0, 0},
         true},
        {"steps after turning complex go into the matrix",
         {{Step::Scale, 2, -1}, {Step::Translate, 1, 1}, {Step::Rotate, kQuarterTurn, 0}},
         {0, -1, 1, -2, 0, -1},
         true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        Transform transform;
        Apply(transform, test.mSteps);
        ExpectMatrix(transform.GetMatrix(), test.mExpected);
        EXPECT_EQ(transform.mComplex, test.mComplex);

        // The transform and the same steps on a matrix describe one mapping.
        Matrix3 matrix;
        Apply(matrix, test.mSteps);
        const Matrix3& built = transform.GetMatrix();
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column)
                EXPECT_NEAR(built.m[row][column], matrix.m[row][column], 1e-5f);
        }
    }
}

TEST(TransformTest, SimpleFieldsSplitTheTranslationAroundTheRotation)
{
    Transform transform;
    transform.Translate(2.0f, 3.0f);
    transform.RotateRad(0.5f);
    transform.Translate(4.0f, 5.0f);

    EXPECT_FALSE(transform.mComplex);
    EXPECT_TRUE(transform.mHaveRot);
    EXPECT_FALSE(transform.mHaveScale);
    EXPECT_FLOAT_EQ(transform.mRot, 0.5f);
    EXPECT_FLOAT_EQ(transform.mTransX1, 2.0f);
    EXPECT_FLOAT_EQ(transform.mTransY1, 3.0f);
    EXPECT_FLOAT_EQ(transform.mTransX2, 4.0f);
    EXPECT_FLOAT_EQ(transform.mTransY2, 5.0f);
}

TEST(TransformTest, MirrorIsRecordedAsANegativeScale)
{
    Transform transform;
    transform.Scale(-1.0f, 1.0f);
    EXPECT_TRUE(transform.mHaveScale);
    EXPECT_FLOAT_EQ(transform.mScaleX, -1.0f);
    EXPECT_FLOAT_EQ(transform.mScaleY, 1.0f);
}

TEST(TransformTest, RotateDegHalfTurnReversesTheXAxis)
{
    Transform transform;
    transform.RotateDeg(180.0f);
    const Zest::Vector2 point = transform.GetMatrix().TransformPoint(1.0f, 0.0f);
    EXPECT_NEAR(point.mX, -1.0f, 1e-6f);
    EXPECT_NEAR(point.mY, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(transform.mRot, std::numbers::pi_v<float>);
}

TEST(TransformTest, MatrixFollowsStepsTakenAfterItWasRead)
{
    Transform transform;
    transform.Translate(1.0f, 0.0f);
    ExpectMatrix(transform.GetMatrix(), {1, 0, 1, 0, 1, 0});
    transform.RotateRad(kQuarterTurn);
    ExpectMatrix(transform.GetMatrix(), {0, 1, 0, -1, 0, -1});
}

} // namespace
