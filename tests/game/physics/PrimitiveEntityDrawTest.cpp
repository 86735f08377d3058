#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "platform/physics/Body.h"
#include "tests/game/physics/PhysicsTestWorld.h"

#include <initializer_list>
#include <memory>
#include <numbers>
#include <ostream>
#include <vector>

namespace {

using namespace XtremaPHX2D;
using Tests::PhysicsWorldTest;
using Tests::PrimitiveDesc;

// A line drawn either way round: the drawing context may swap its ends.
struct Line {
    int mX1, mY1, mX2, mY2;
    bool operator==(const Line& other) const
    {
        return (mX1 == other.mX1 && mY1 == other.mY1 && mX2 == other.mX2 && mY2 == other.mY2) ||
               (mX1 == other.mX2 && mY1 == other.mY2 && mX2 == other.mX1 && mY2 == other.mY1);
    }
};

struct RotatedBlit {
    const Zest::Image* mSource;
    float mX, mY;
    double mAngle;
    Zest::Color mColor;
};

void PrintTo(const Line& line, std::ostream* out)
{
    *out << "(" << line.mX1 << "," << line.mY1 << ")-(" << line.mX2 << "," << line.mY2 << ")";
}

// A destination that records the lines and rotated images drawn on it; anything else drawn
// is counted as a stray.
class RecordingImage : public Zest::Image {
public:
    RecordingImage()
    {
        mWidth = 1000;
        mHeight = 1000;
    }

    void DrawLine(const double x1, const double y1, const double x2, const double y2, const Zest::Color&,
                  int) override
    {
        mLines.push_back({static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2)});
    }
    void BltRotated(Image* src, const float x, const float y, const Zest::Rect&, const Zest::Rect&,
                    const Zest::Color& color, int, const double angle, float, float) override
    {
        mBlits.push_back({src, x, y, angle, color});
    }
    void Blt(Image*, int, int, const Zest::Rect&, const Zest::Color&, int) override { ++mStrays; }
    void BltMatrix(Image*, float, float, const Zest::Matrix3&, const Zest::Rect&, const Zest::Color&, int,
                   const Zest::Rect&, bool) override
    {
        ++mStrays;
    }
    void FillRect(const Zest::Rect&, const Zest::Color&, int) override { ++mStrays; }

    std::vector<Line> mLines;
    std::vector<RotatedBlit> mBlits;
    int mStrays = 0;
};

// The entities draw in world pixels; the context moves the world's origin to (500, 500) so
// that nothing is clipped.
constexpr int kOrigin = 500;

class PrimitiveEntityDrawTest : public PhysicsWorldTest {
protected:
    void SetUp() override
    {
        PhysicsWorldTest::SetUp();
        mPicture.mWidth = 20;
        mPicture.mHeight = 10;
    }

    RecordingImage& Draw(xPhysicsPrimitiveEntity* const entity)
    {
        mScreen = std::make_unique<RecordingImage>();
        Zest::Graphics g(mScreen.get());
        g.Translate(kOrigin, kOrigin);
        entity->DrawOverlay(&g);
        return *mScreen;
    }

    std::unique_ptr<RecordingImage> mScreen;
    Zest::Image mPicture;
};

Line WorldLine(const int x1, const int y1, const int x2, const int y2)
{
    return {x1 + kOrigin, y1 + kOrigin, x2 + kOrigin, y2 + kOrigin};
}

TEST_F(PrimitiveEntityDrawTest, AnEntityWithoutGeometryDrawsNothing)
{
    class OtherDesc : public xEntityDesc {
    public:
        xEntity* newEntity() const override { return new xPhysicsPrimitiveEntity(); }
    } other;
    xPhysicsPrimitiveEntityDesc unknown = PrimitiveDesc(PRIMITIVE_BOX, false, {10.0f, 10.0f, 0.0f});
    unknown.mPrimitiveType = 3;
    xPhysicsPrimitiveEntityDesc unknownWithImage = unknown;
    unknownWithImage.mImage = &mPicture;

    for (xEntityDesc* const desc : std::initializer_list<xEntityDesc*>{&other, &unknown, &unknownWithImage}) {
        xPhysicsPrimitiveEntity* const entity = Make(*desc);
        ASSERT_NE(entity, nullptr);
        const RecordingImage& screen = Draw(entity);
        EXPECT_TRUE(screen.mLines.empty());
        EXPECT_TRUE(screen.mBlits.empty());
        EXPECT_EQ(screen.mStrays, 0);
    }
}

TEST_F(PrimitiveEntityDrawTest, TheOutlineIsClosedAndDrawnWhereTheEntityIs)
{
    xPhysicsPrimitiveEntityDesc box = PrimitiveDesc(PRIMITIVE_BOX, false, {100.0f, 50.0f, 0.0f});
    EXPECT_EQ(Draw(Make(box)).mLines, (std::vector<Line>{WorldLine(80, 40, 120, 40), WorldLine(120, 40, 120, 60),
                                                         WorldLine(120, 60, 80, 60), WorldLine(80, 40, 80, 60)}));

    // A quarter turn clockwise on the screen takes the box's x axis downwards.
    box.mPlacement = {0.0f, 0.0f, std::numbers::pi_v<float> / 2.0f};
    const std::vector<Line> turned = Draw(Make(box)).mLines;
    ASSERT_EQ(turned.size(), 4u);
    EXPECT_NEAR(turned[0].mX1 - kOrigin, 10, 1);
    EXPECT_NEAR(turned[0].mY1 - kOrigin, -20, 1);

    xPhysicsPrimitiveEntityDesc circle = PrimitiveDesc(PRIMITIVE_CIRCLE, true, {0.0f, 0.0f, 0.0f});
    const std::vector<Line> spokes = Draw(Make(circle)).mLines;
    ASSERT_EQ(spokes.size(), 30u);
    EXPECT_EQ(spokes[0], WorldLine(10, 0, 6, 0));
    EXPECT_EQ(spokes[1], WorldLine(6, 0, 10, 0));
    EXPECT_EQ(spokes[29], WorldLine(10, 0, 8, -5)) << "closed from the first point to the last";

    box.mDrawOutline = false;
    EXPECT_TRUE(Draw(Make(box)).mLines.empty());
}

// A line segment is one line whatever else the description asks for, its ends truncated
// towards zero as the drawing context does.
TEST_F(PrimitiveEntityDrawTest, ALineSegmentIsOneLineBetweenItsEnds)
{
    xPhysicsPrimitiveEntityDesc segment = PrimitiveDesc(PRIMITIVE_LINE_SEGMENT, false, {-0.5f, 10.5f, 0.0f});
    segment.mLineStart = {-10.25f, 0.0f};
    segment.mLineEnd = {10.25f, -20.0f};
    segment.mImage = &mPicture;
    const RecordingImage& screen = Draw(Make(segment));
    EXPECT_EQ(screen.mLines, (std::vector<Line>{WorldLine(-10, 10, 9, -9)}));
    EXPECT_TRUE(screen.mBlits.empty());
}

TEST_F(PrimitiveEntityDrawTest, TheImageIsCentredOnTheEntityAndTurnedWithIt)
{
    struct Case {
        ePrimitveObj mType;
        Vec2 mSize;
        Vec2 mTopLeft;
    };
    const Case cases[] = {
        {PRIMITIVE_CIRCLE, {8.0f, 0.0f}, {92.0f, 42.0f}},
        {PRIMITIVE_BOX, {40.0f, 20.0f}, {80.0f, 40.0f}},
    };
    for (const Case& test : cases) {
        xPhysicsPrimitiveEntityDesc desc = PrimitiveDesc(test.mType, false, {100.0f, 50.0f, 0.25f});
        desc.mSize = test.mSize;
        desc.mImage = &mPicture;
        const RecordingImage& screen = Draw(Make(desc));
        EXPECT_TRUE(screen.mLines.empty()) << "the image replaces the outline";
        ASSERT_EQ(screen.mBlits.size(), 1u);
        const RotatedBlit& blit = screen.mBlits[0];
        EXPECT_EQ(blit.mSource, &mPicture);
        EXPECT_FLOAT_EQ(blit.mX, test.mTopLeft.x + kOrigin);
        EXPECT_FLOAT_EQ(blit.mY, test.mTopLeft.y + kOrigin);
        EXPECT_FLOAT_EQ(static_cast<float>(blit.mAngle), -0.25f) << "the drawing context turns the other way";
        EXPECT_EQ(blit.mColor, Zest::Color::White);
    }
}

// With sleeping shown, a sleeping body's image is greyed; an awake one, or any with sleeping
// not shown, keeps its colours.
TEST_F(PrimitiveEntityDrawTest, ASleepingBodysImageIsGreyedWhenSleepingIsShown)
{
    xPhysicsPrimitiveEntityDesc desc = PrimitiveDesc(PRIMITIVE_CIRCLE, true, {});
    desc.mImage = &mPicture;
    xPhysicsPrimitiveEntity* const ball = Make(desc);
    ASSERT_NE(ball, nullptr);
    const Zest::Color grey(120, 120, 120, 255);

    xConfigurator::Instance().mShowSleeping = true;
    ASSERT_TRUE(ball->GetBody()->isActive());
    EXPECT_EQ(Draw(ball).mBlits.at(0).mColor, Zest::Color::White);

    // Without gravity the ball rests where it is, and sleeps after half a second.
    Step(1.0f, 60);
    ASSERT_FALSE(ball->GetBody()->isActive());
    EXPECT_EQ(Draw(ball).mBlits.at(0).mColor, grey);

    xConfigurator::Instance().mShowSleeping = false;
    EXPECT_EQ(Draw(ball).mBlits.at(0).mColor, Zest::Color::White);
}

} // namespace
