// The bear game: the fish launcher and its aiming hint, the fish it shoots and the bears that
// eat them.
//
// Each picture is drawn round the body that the game gives it, so that what the player sees
// is what collides:
// - a fish is a circle of radius 8 whose picture is drawn with its top-left corner 8 pixels
//   up and left of the body's centre;
// - the launcher's barrel turns about its point (18, 23), pointing along +x when unturned,
//   and the two wheel pictures are drawn at the barrel's corner, so their hub lies there too;
// - a bear is drawn 106 pixels left and 128 up from the centre of its base box (164 x 42),
//   which puts that box at x 24..188, y 107..149 in the picture, its torso circle (radius 35)
//   at (88, 86) and its mouth circle (radius 25), which eats the fish, at (56, 32).

#include "tools/content/MiniGameArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

namespace Content::MiniGameArt {

namespace {

constexpr double kPi = std::numbers::pi;

// An ellipse turned by `angle`, as a sub-path.
void TurnedEllipse(cairo_t* cr, const double cx, const double cy, const double rx, const double ry, const double angle)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}
// ---------------------------------------------------------------------------------------
// Bear game: the fish launcher

constexpr int kBarrelWidth = 72;
constexpr int kBarrelHeight = 46;
// The point the barrel turns about, and where the wheels' hub lies.
constexpr double kPivotX = 18;
constexpr double kPivotY = 23;

constexpr int kWheelSize = 46;
constexpr double kWheelRadius = 17;

// The launcher's barrel pointing right from its pivot: a knob behind the pivot, a tube
// narrowing towards a flared muzzle at the right end.
void PaintLauncherBarrel(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kY = kPivotY;
    const Shape tube = [](cairo_t* target) {
        cairo_move_to(target, 10, kY - 10);
        cairo_curve_to(target, 13, kY - 12.5, 22, kY - 12.5, 28, kY - 12);
        cairo_line_to(target, 62, kY - 9);
        cairo_line_to(target, 62, kY + 9);
        cairo_line_to(target, 28, kY + 12);
        cairo_curve_to(target, 22, kY + 12.5, 13, kY + 12.5, 10, kY + 10);
        cairo_curve_to(target, 7, kY + 7, 7, kY - 7, 10, kY - 10);
        cairo_close_path(target);
    };
    const Shape knob = [](cairo_t* target) {
        Circle(target, 5, kY, 4);
        cairo_rectangle(target, 5, kY - 2.5, 6, 5);
    };
    const Shape muzzle = Box(60, kY - 12, 11, 24, 3.5);
    canvas.SoftShape(
        [&](cairo_t* target) {
            tube(target);
            muzzle(target);
            knob(target);
        },
        3, 0, 2, Rgba{0, 0, 0, 0.45});
    SetBronzeAcross(canvas, 0, kY - 13, 0, kY + 13);
    FillAndOutline(canvas, knob, kBronzeDark.Lighter(-0.4), 1);
    SetBronzeAcross(canvas, 0, kY - 13, 0, kY + 13);
    FillAndOutline(canvas, tube, kBronzeDark.Lighter(-0.4), 1.2);
    for (const double x : {34.0, 50.0}) {
        const double half = 12 - (x - 28) / 34 * 3 + 1.5;
        const Shape ring = Box(x - 2.5, kY - half, 5, 2 * half, 2);
        SetBronzeAcross(canvas, 0, kY - half, 0, kY + half);
        FillAndOutline(canvas, ring, kBronzeDark.Lighter(-0.4), 0.9);
    }
    SetBronzeAcross(canvas, 0, kY - 12, 0, kY + 12);
    FillAndOutline(canvas, muzzle, kBronzeDark.Lighter(-0.4), 1.1);
    // The bore, seen a little from the front.
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, 68.5, kY, 2.2, 9);
    SetLinear(canvas, 66, 0, 71, 0, {{0, Rgba::Hex(0x4A2A12)}, {1, Rgba::Hex(0x1A0E06)}});
    cairo_fill(cr);
    // The trunnion on which it turns.
    cairo_new_path(cr);
    Circle(cr, kPivotX, kPivotY, 4.5);
    canvas.SetRadialGradient(kPivotX - 1.2, kPivotY - 1.2, 5.5, kBronzeLight, kBronzeDark);
    cairo_fill_preserve(cr);
    StrokeRounded(canvas, kBronzeDark.Lighter(-0.4), 0.9);
}

// The far wheel: behind the barrel, a little up and to the right of the near one, in shade.
void PaintLauncherWheelBack(Canvas& canvas, const Cell&)
{
    Wheel(canvas, kPivotX + 6, kPivotY - 3, kWheelRadius - 1, 0.3);
}

// The near wheel, drawn over the barrel with its hub on the barrel's pivot.
void PaintLauncherWheelFront(Canvas& canvas, const Cell&)
{
    Wheel(canvas, kPivotX, kPivotY, kWheelRadius, 0);
}

constexpr int kArrowWidth = 100;
constexpr int kArrowHeight = 80;

// The start panel's hint that the launcher turns: a curved two-headed arrow swinging round
// the barrel's pivot in front of the muzzle.
void PaintAimArrow(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kRadius = 58;
    constexpr double kFrom = -0.86; // the lower end, below the barrel (angles counter-clockwise)
    constexpr double kTo = 0.2;     // the upper end, above the muzzle
    constexpr double kHalfWidth = 3.6;
    constexpr double kHeadLength = 11;
    constexpr double kHeadHalfWidth = 8;
    const auto point = [&](const double angle, const double radius, double* x, double* y) {
        *x = kPivotX + std::cos(angle) * radius;
        *y = kPivotY - std::sin(angle) * radius;
    };
    // The arrow's outline: the band along the arc and a head at each end.
    const Shape arrow = [&](cairo_t* target) {
        const double headAngle = kHeadLength / kRadius;
        double x, y;
        cairo_new_path(target);
        // Outer edge from the lower end to the upper end (screen angles run the other way).
        cairo_arc_negative(target, kPivotX, kPivotY, kRadius + kHalfWidth, -(kFrom + headAngle * 0.35),
                           -(kTo - headAngle * 0.35));
        point(kTo - headAngle * 0.35, kRadius + kHeadHalfWidth, &x, &y);
        cairo_line_to(target, x, y);
        point(kTo + headAngle, kRadius, &x, &y);
        cairo_line_to(target, x, y);
        point(kTo - headAngle * 0.35, kRadius - kHeadHalfWidth, &x, &y);
        cairo_line_to(target, x, y);
        cairo_arc(target, kPivotX, kPivotY, kRadius - kHalfWidth, -(kTo - headAngle * 0.35),
                  -(kFrom + headAngle * 0.35));
        point(kFrom + headAngle * 0.35, kRadius - kHeadHalfWidth, &x, &y);
        cairo_line_to(target, x, y);
        point(kFrom - headAngle, kRadius, &x, &y);
        cairo_line_to(target, x, y);
        point(kFrom + headAngle * 0.35, kRadius + kHeadHalfWidth, &x, &y);
        cairo_line_to(target, x, y);
        cairo_close_path(target);
    };
    canvas.SoftShape(arrow, 3, 0.5, 1.5, Rgba{0, 0, 0, 0.4});
    SetLinear(canvas, 40, 0, 90, 80, {{0, Rgba::Hex(0xFFE680)}, {0.5, Rgba::Hex(0xF7B632)}, {1, Rgba::Hex(0xE07818)}});
    cairo_new_path(cr);
    arrow(cr);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.6);
    canvas.SetColor(Rgba::Hex(0x6A3A0A));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // A highlight along the outer half of the band.
    cairo_new_path(cr);
    cairo_arc_negative(cr, kPivotX, kPivotY, kRadius + 1.4, -(kFrom + 0.25), -(kTo - 0.25));
    StrokeRounded(canvas, Rgba{1, 1, 0.9, 0.7}, 1.2);
}

// ---------------------------------------------------------------------------------------
// Bear game: the fish

constexpr int kFishWidth = 36;
constexpr int kFishHeight = 18;

struct FishLook {
    Rgba mBack;
    Rgba mSide;
    Rgba mBelly;
    Rgba mFin;
    Rgba mSpots;
};

// A fish swimming to the right: a forked tail on the left, spots on the back.
void PaintFish(Canvas& canvas, const FishLook& look)
{
    cairo_t* const cr = canvas.Cr();
    const Rgba outline = look.mBack.Lighter(-0.55);
    const Shape tail = [](cairo_t* target) {
        cairo_move_to(target, 9, 9);
        cairo_curve_to(target, 6, 6, 3, 3, 0.8, 1.8);
        cairo_curve_to(target, 2.5, 5.5, 2.5, 7, 3.2, 9);
        cairo_curve_to(target, 2.5, 11, 2.5, 12.5, 0.8, 16.2);
        cairo_curve_to(target, 3, 15, 6, 12, 9, 9);
        cairo_close_path(target);
    };
    const Shape dorsal = [](cairo_t* target) {
        cairo_move_to(target, 13, 4.5);
        cairo_curve_to(target, 15, 1.5, 19, 0.8, 23, 1.5);
        cairo_line_to(target, 22, 4.5);
        cairo_close_path(target);
    };
    const Shape body = [](cairo_t* target) {
        cairo_move_to(target, 7, 9);
        cairo_curve_to(target, 11, 3.5, 22, 2.2, 29, 4.2);
        cairo_curve_to(target, 33, 5.3, 35.2, 7.4, 35.2, 9.4);
        cairo_curve_to(target, 35, 11.6, 32, 13.6, 27, 14.3);
        cairo_curve_to(target, 20, 15.3, 11, 14.2, 7, 9);
        cairo_close_path(target);
    };
    canvas.SoftShape(
        [&](cairo_t* target) {
            body(target);
            tail(target);
        },
        2, 0, 1, Rgba{0, 0, 0, 0.35});
    SetLinear(canvas, 0, 1, 0, 17, {{0, look.mFin.Lighter(0.2)}, {1, look.mFin.Lighter(-0.2)}});
    FillAndOutline(canvas, tail, outline, 0.8);
    canvas.SetColor(look.mFin);
    FillAndOutline(canvas, dorsal, outline, 0.8);
    SetLinear(canvas, 0, 2.5, 0, 15,
              {{0, look.mBack}, {0.45, look.mSide}, {0.7, look.mBelly}, {1, look.mBelly.Lighter(-0.1)}});
    FillAndOutline(canvas, body, outline, 0.9);
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    const double spots[][2] = {{13, 6.5}, {16.5, 5.2}, {19.5, 6.6}, {22.5, 4.9}, {25.5, 6.2}, {15, 8.2}, {21, 8.4}};
    for (const auto& [x, y] : spots) {
        cairo_new_path(cr);
        Circle(cr, x, y, 0.75);
        canvas.SetColor(look.mSpots);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 9, 9.3);
    cairo_curve_to(cr, 15, 8.5, 22, 9.2, 28, 9.2);
    StrokeRounded(canvas, look.mBelly.WithAlpha(0.6), 0.7);
    cairo_restore(cr);
    // Gill, pectoral fin, eye and mouth.
    cairo_new_path(cr);
    cairo_move_to(cr, 27.5, 5.2);
    cairo_curve_to(cr, 25.5, 7.5, 25.5, 11, 27.3, 13.4);
    StrokeRounded(canvas, outline.WithAlpha(0.7), 0.8);
    cairo_new_path(cr);
    cairo_move_to(cr, 24.5, 11);
    cairo_curve_to(cr, 22, 12, 20.5, 13.6, 20, 14.8);
    cairo_curve_to(cr, 22.5, 14.6, 24.5, 13.2, 25.3, 11.6);
    cairo_close_path(cr);
    canvas.SetColor(look.mFin);
    cairo_fill_preserve(cr);
    StrokeRounded(canvas, outline.WithAlpha(0.8), 0.6);
    cairo_new_path(cr);
    Circle(cr, 30.5, 7.6, 1.9);
    canvas.SetColor(Rgba::Hex(0xFFFFFF));
    cairo_fill(cr);
    cairo_new_path(cr);
    Circle(cr, 30.9, 7.7, 1.05);
    canvas.SetColor(Rgba::Hex(0x111111));
    cairo_fill(cr);
    cairo_move_to(cr, 35, 10.2);
    cairo_line_to(cr, 33, 10.6);
    StrokeRounded(canvas, outline, 0.7);
}

const FishLook kSalmon{Rgba::Hex(0x3E6478), Rgba::Hex(0xE8705A), Rgba::Hex(0xFBD2C0), Rgba::Hex(0xD0604C),
                       Rgba::Hex(0x1E2E3A, 0.8)};
const FishLook kArcticCod{Rgba::Hex(0x5C6670), Rgba::Hex(0x9AA6B0), Rgba::Hex(0xE6ECF0), Rgba::Hex(0x7E8A96),
                          Rgba::Hex(0x34404A, 0.7)};

// ---------------------------------------------------------------------------------------
// Bear game: the bears

constexpr int kBearWidth = 212;
constexpr int kBearHeight = 150;

struct FurLook {
    Rgba mLight;
    Rgba mMain;
    Rgba mDark;
    Rgba mMuzzle;
    Rgba mOutline;
    Rgba mInnerEar;
};

const FurLook kBrownFur{Rgba::Hex(0xC08550), Rgba::Hex(0x8E5A2C), Rgba::Hex(0x4E2E12),
                        Rgba::Hex(0xD8B48A), Rgba::Hex(0x2E1A08), Rgba::Hex(0xC98F6A)};
const FurLook kPolarFur{Rgba::Hex(0xFFFFFF), Rgba::Hex(0xF1EEE4), Rgba::Hex(0xB8C4D0),
                        Rgba::Hex(0xFFFFFF), Rgba::Hex(0x5E6E80), Rgba::Hex(0xD6C2BC)};

// The head: its centre, and the direction the snout points (up and to the left, the bear
// looking up at the launcher). The snout lies along the head frame's +x; its upper side,
// where the nose and the eye are, along +y.
constexpr double kHeadX = 68;
constexpr double kHeadY = 42;
constexpr double kHeadRadius = 25;
const double kSnoutAngle = std::atan2(-0.69, -0.72);

// Fur lit from the upper left, over the whole bear; `shade` darkens it for the far side.
void SetFur(Canvas& canvas, const FurLook& fur, const double shade)
{
    cairo_pattern_t* const pattern = cairo_pattern_create_radial(70, 40, 0, 70, 40, 190);
    const std::pair<double, Rgba> stops[] = {{0, fur.mLight}, {0.4, fur.mMain}, {1, fur.mDark}};
    for (const auto& [offset, colour] : stops) {
        const Rgba shaded = colour.Lighter(-shade);
        cairo_pattern_add_color_stop_rgb(pattern, offset, shaded.mR, shaded.mG, shaded.mB);
    }
    cairo_set_source(canvas.Cr(), pattern);
    cairo_pattern_destroy(pattern);
}

// Parts of the bear that join into one outline: every part's outline is stroked first and
// the fur of all of them laid over, so that only the group's outer edge shows.
void FurGroup(Canvas& canvas, const FurLook& fur, std::initializer_list<Shape> parts, const double shade)
{
    cairo_t* const cr = canvas.Cr();
    for (const Shape& part : parts) {
        cairo_new_path(cr);
        part(cr);
        StrokeRounded(canvas, fur.mOutline, 3.6);
    }
    for (const Shape& part : parts) {
        cairo_new_path(cr);
        part(cr);
        SetFur(canvas, fur, shade);
        cairo_fill(cr);
    }
}

// A front leg from the shoulder down to a paw on the ground at pawX, pointing left.
Shape FrontLeg(const double pawX)
{
    return [=](cairo_t* target) {
        cairo_move_to(target, pawX + 34, 86);
        cairo_curve_to(target, pawX + 30, 106, pawX + 22, 122, pawX + 20, 136);
        cairo_curve_to(target, pawX + 19, 145, pawX + 14, 149, pawX + 4, 149);
        cairo_line_to(target, pawX - 8, 149);
        cairo_curve_to(target, pawX - 18, 149, pawX - 19, 138, pawX - 9, 135);
        cairo_curve_to(target, pawX - 4, 128, pawX - 2, 108, pawX + 4, 90);
        cairo_close_path(target);
    };
}

// Claws at the tip of a paw on the ground.
void Claws(Canvas& canvas, const FurLook& fur, const double pawX, const double shade)
{
    cairo_t* const cr = canvas.Cr();
    for (int i = 0; i < 3; ++i) {
        const double x = pawX - 15 + i * 4.5;
        cairo_move_to(cr, x + 1.5, 146);
        cairo_line_to(cr, x - 1.2, 148.2);
    }
    StrokeRounded(canvas, Rgba::Hex(0xF4ECDA).Lighter(-shade).Mix(fur.mOutline, 0.15), 1.4);
}

void InnerEar(Canvas& canvas, const FurLook& fur, const double x, const double y, const double radius,
              const double shade)
{
    cairo_new_path(canvas.Cr());
    Circle(canvas.Cr(), x - radius * 0.15, y + radius * 0.1, radius * 0.52);
    canvas.SetColor(fur.mInnerEar.Lighter(-shade));
    cairo_fill(canvas.Cr());
}

// The head with its snout, in the head's frame; open, the jaws part round the mouth.
void Head(Canvas& canvas, const FurLook& fur, const bool open)
{
    cairo_t* const cr = canvas.Cr();
    // The ears, on the back of the head: the far one in shade.
    FurGroup(canvas, fur, {[](cairo_t* target) { Circle(target, 93, 31, 8); }}, 0.25);
    InnerEar(canvas, fur, 93, 31, 8, 0.25);
    FurGroup(canvas, fur,
             {[](cairo_t* target) { Circle(target, 84, 20, 9.5); },
              [](cairo_t* target) { Circle(target, kHeadX, kHeadY, kHeadRadius); }},
             0);
    InnerEar(canvas, fur, 84, 20, 9.5, 0);
    cairo_save(cr);
    cairo_translate(cr, kHeadX, kHeadY);
    cairo_rotate(cr, kSnoutAngle);
    const Rgba muzzleDark = fur.mMuzzle.Mix(fur.mMain, 0.45);
    const auto muzzleFill = [&](const double y0, const double y1) {
        SetLinear(canvas, 0, y1, 0, y0, {{0, fur.mMuzzle}, {1, muzzleDark}});
    };
    double noseX, noseY;
    if (open) {
        // The lower jaw, the mouth between the jaws and the upper jaw above them.
        const Shape lower = [](cairo_t* target) { TurnedEllipse(target, 18, -9, 16, 7, -0.42); };
        muzzleFill(-16, -2);
        FillAndOutline(canvas, lower, fur.mOutline, 1.6);
        const Shape mouth = [](cairo_t* target) {
            cairo_move_to(target, 6, -2);
            cairo_curve_to(target, 16, -14, 30, -16, 34, -12);
            cairo_curve_to(target, 36, -4, 36, 4, 34, 9);
            cairo_curve_to(target, 24, 6, 12, 4, 6, -2);
            cairo_close_path(target);
        };
        canvas.SetColor(Rgba::Hex(0x5A1414));
        FillAndOutline(canvas, mouth, fur.mOutline, 1.4);
        cairo_new_path(cr);
        TurnedEllipse(cr, 22, -8, 10, 4, -0.3);
        canvas.SetColor(Rgba::Hex(0xE27A8A));
        cairo_fill(cr);
        const Shape upper = [](cairo_t* target) { TurnedEllipse(target, 20, 7, 19, 9, 0.3); };
        muzzleFill(0, 16);
        FillAndOutline(canvas, upper, fur.mOutline, 1.6);
        // Two small teeth under the upper jaw's tip.
        for (const double x : {28.0, 33.0}) {
            cairo_new_path(cr);
            cairo_move_to(cr, x - 1.8, 3.2 + (x - 28) * 0.3);
            cairo_line_to(cr, x + 1.8, 4.2 + (x - 28) * 0.3);
            cairo_line_to(cr, x + 0.6, 0.2 + (x - 28) * 0.3);
            cairo_close_path(cr);
            canvas.SetColor(Rgba::Hex(0xFFFFFF));
            cairo_fill(cr);
        }
        noseX = 37;
        noseY = 12.5;
    } else {
        const Shape snout = [](cairo_t* target) { TurnedEllipse(target, 21, 1, 18, 12, 0.05); };
        muzzleFill(-11, 13);
        FillAndOutline(canvas, snout, fur.mOutline, 1.6);
        // A contented closed mouth.
        cairo_new_path(cr);
        cairo_move_to(cr, 36, -2);
        cairo_curve_to(cr, 31, -5, 24, -6, 18, -4.5);
        StrokeRounded(canvas, fur.mOutline, 1.5);
        noseX = 37;
        noseY = 4;
    }
    cairo_new_path(cr);
    TurnedEllipse(cr, noseX, noseY, 4.2, 5.5, 0);
    canvas.SetRadialGradient(noseX - 1, noseY + 2, 6, Rgba::Hex(0x5A4A44), Rgba::Hex(0x151010));
    cairo_fill(cr);
    cairo_new_path(cr);
    Circle(cr, noseX - 0.8, noseY + 2, 1.2);
    canvas.SetColor(Rgba{1, 1, 1, 0.5});
    cairo_fill(cr);
    // The eye, above the snout: open and round, or shut in a happy curve while eating.
    if (open) {
        cairo_new_path(cr);
        cairo_arc(cr, 6, 15, 3.6, kPi * 1.05, kPi * 1.95);
        StrokeRounded(canvas, Rgba::Hex(0x151010), 1.8);
    } else {
        cairo_new_path(cr);
        Circle(cr, 6, 15, 3.4);
        canvas.SetColor(Rgba::Hex(0x151010));
        cairo_fill(cr);
        cairo_new_path(cr);
        Circle(cr, 7, 16.2, 1.1);
        canvas.SetColor(Rgba{1, 1, 1, 0.85});
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A bear crouching on its front legs, facing left, its head tipped back towards the
// launcher. It keeps inside its bodies: the low rump and hind leg fill the right of the base
// box, the front paws its left end, the raised chest the torso circle and the snout the
// mouth circle.
void PaintBear(Canvas& canvas, const FurLook& fur, const bool open)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(108, 148, 92, 5), 6, 0, 0, Rgba{0, 0, 0, 0.45});
    // The far front leg, in shade behind the body.
    constexpr double kFarPaw = 66;
    constexpr double kNearPaw = 42;
    FurGroup(canvas, fur, {FrontLeg(kFarPaw)}, 0.2);
    Claws(canvas, fur, kFarPaw, 0.2);
    // Rump, back, chest, neck, hind foot, tail and the near front leg in one outline.
    const Shape body = [](cairo_t* target) {
        TurnedEllipse(target, 150, 121, 43, 28, 0);
        TurnedEllipse(target, 116, 94, 50, 27, 0.42);
        Circle(target, 88, 84, 36);
        TurnedEllipse(target, 82, 60, 22, 20, 0);
        cairo_new_sub_path(target);
        Canvas::RoundedRectOn(target, 90, 118, 102, 31, 12);
    };
    const Shape foot = [](cairo_t* target) { TurnedEllipse(target, 122, 140.5, 21, 8.5, -0.05); };
    const Shape tail = [](cairo_t* target) { Circle(target, 193, 112, 6); };
    FurGroup(canvas, fur, {tail, body, foot, FrontLeg(kNearPaw)}, 0);
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    // A paler belly and chest, and the line of the thigh round the haunch.
    cairo_new_path(cr);
    TurnedEllipse(cr, 94, 98, 20, 32, 0.35);
    canvas.SetRadialGradient(92, 92, 34, fur.mMuzzle.WithAlpha(0.45), fur.mMuzzle.WithAlpha(0));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 152, 124, 23, kPi * 0.95, kPi * 1.75);
    StrokeRounded(canvas, fur.mOutline.WithAlpha(0.4), 1.5);
    // Tufts of fur along the back.
    for (int i = 0; i < 5; ++i) {
        const double x = 104 + i * 14;
        const double y = 68 + i * 6.5;
        cairo_move_to(cr, x, y + 4);
        cairo_curve_to(cr, x + 2, y + 1, x + 5, y, x + 7, y + 1);
    }
    StrokeRounded(canvas, fur.mDark.WithAlpha(0.45), 1.2);
    cairo_restore(cr);
    // The near leg's front edge where it crosses the chest, its claws, and the hind sole.
    cairo_new_path(cr);
    cairo_move_to(cr, kNearPaw + 2, 108);
    cairo_curve_to(cr, kNearPaw, 118, kNearPaw - 3, 128, kNearPaw - 9, 135);
    StrokeRounded(canvas, fur.mOutline.WithAlpha(0.35), 1.4);
    cairo_new_path(cr);
    cairo_move_to(cr, kNearPaw + 33, 90);
    cairo_curve_to(cr, kNearPaw + 29, 106, kNearPaw + 23, 120, kNearPaw + 20, 134);
    StrokeRounded(canvas, fur.mOutline.WithAlpha(0.35), 1.4);
    Claws(canvas, fur, kNearPaw, 0);
    cairo_new_path(cr);
    TurnedEllipse(cr, 108, 140.5, 6, 5.5, 0);
    canvas.SetColor(fur.mInnerEar.Mix(fur.mDark, 0.3));
    cairo_fill(cr);
    Head(canvas, fur, open);
}

} // namespace

void AddBearGameRecipes(RecipeBook& book)
{
    book.Add("IMAGE_MINI_GAME_CANNON_BARREL", kBarrelWidth, kBarrelHeight, PaintLauncherBarrel);
    book.Add("IMAGE_MINI_GAME_WHEEL_BACK", kWheelSize, kWheelSize, PaintLauncherWheelBack);
    book.Add("IMAGE_MINI_GAME_WHEEL_FRONT", kWheelSize, kWheelSize, PaintLauncherWheelFront);
    book.Add("IMAGE_MINI_GAME_ARROW", kArrowWidth, kArrowHeight, PaintAimArrow);
    book.Add("IMAGE_MINI_GAME_FISH", kFishWidth, kFishHeight,
             [](Canvas& canvas, const Cell&) { PaintFish(canvas, kSalmon); });
    book.Add("IMAGE_MINI_GAME_FISH_GRAY", kFishWidth, kFishHeight,
             [](Canvas& canvas, const Cell&) { PaintFish(canvas, kArcticCod); });
    const struct {
        const char* mId;
        const FurLook* mFur;
        bool mOpen;
    } bears[] = {
        {"IMAGE_MINI_GAME_BEAR_OPEN", &kBrownFur, true},
        {"IMAGE_MINI_GAME_BEAR_CLOSED", &kBrownFur, false},
        {"IMAGE_MINI_GAME_BEAR_WHITE_OPEN", &kPolarFur, true},
        {"IMAGE_MINI_GAME_BEAR_WHITE_CLOSED", &kPolarFur, false},
    };
    for (const auto& bear : bears)
        book.Add(bear.mId, kBearWidth, kBearHeight,
                 [fur = bear.mFur, open = bear.mOpen](Canvas& canvas, const Cell&) { PaintBear(canvas, *fur, open); });
}

} // namespace Content::MiniGameArt
