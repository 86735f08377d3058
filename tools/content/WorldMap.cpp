#include "tools/content/WorldMap.h"

#include "tools/content/Palette.h"
#include "tools/content/Shapes.h"

#include <cmath>
#include <utility>
#include <vector>

namespace Content {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Longitude and latitude in degrees to map pixels: the projection that puts the game's map
// points (for example Alaska at 32, 125 and Europe at 428, 170) on their places.
std::pair<double, double> Project(const double longitude, const double latitude)
{
    return {403 + 2.475 * longitude, 350 - 3.51 * latitude};
}

using Outline = std::vector<std::pair<double, double>>;

// Coarse coastlines, longitude then latitude, going round each land mass.
const Outline kNorthAmerica = {
    {-168, 66}, {-160, 71}, {-140, 70}, {-120, 72}, {-95, 73}, {-80, 72}, {-65, 62}, {-60, 50}, {-70, 43},
    {-76, 35}, {-80, 31}, {-81, 25}, {-84, 30}, {-90, 29}, {-97, 26}, {-97, 20}, {-90, 21}, {-87, 15},
    {-83, 9},  {-78, 8},  {-80, 7},  {-92, 14}, {-105, 20}, {-110, 24}, {-117, 33}, {-124, 40}, {-124, 48},
    {-132, 55}, {-140, 60}, {-152, 58}, {-163, 55}, {-158, 60}};
const Outline kGreenland = {{-52, 62}, {-43, 60}, {-32, 66}, {-20, 71}, {-18, 79}, {-35, 83}, {-58, 82},
                            {-70, 77}, {-58, 72}};
const Outline kSouthAmerica = {{-78, 8},   {-62, 11},  {-50, 2},   {-35, -6},  {-39, -20}, {-48, -27},
                               {-57, -36}, {-64, -42}, {-67, -54}, {-74, -50}, {-72, -32}, {-70, -18},
                               {-81, -5},  {-79, 2}};
const Outline kEurasia = {
    {-10, 36}, {-9, 43},  {-1, 46},  {-4, 48},  {2, 51},   {8, 54},   {5, 60},   {15, 69},  {28, 71},
    {45, 68},  {60, 70},  {75, 73},  {100, 77}, {120, 73}, {140, 72}, {163, 69}, {163, 61}, {156, 51},
    {141, 53}, {135, 43}, {129, 35}, {122, 30}, {120, 23}, {110, 20}, {108, 12}, {105, 9},  {100, 13},
    {99, 7},   {103, 1},  {97, 17},  {92, 22},  {80, 15},  {77, 8},   {72, 20},  {67, 25},  {57, 25},
    {56, 18},  {43, 13},  {35, 28},  {32, 31},  {36, 36},  {27, 37},  {26, 40},  {22, 37},  {20, 40},
    {16, 38},  {13, 44},  {8, 44},   {3, 42},   {-5, 36}};
const Outline kAfrica = {{-17, 21}, {-10, 30}, {-5, 35}, {10, 37},  {20, 32},  {32, 31},  {43, 12}, {51, 12},
                         {40, -2},  {40, -15}, {35, -25}, {27, -34}, {18, -34}, {12, -17}, {9, -1},  {9, 4},
                         {-5, 5},   {-13, 8},  {-17, 14}};
const Outline kAustralia = {{114, -22}, {122, -18}, {130, -12}, {137, -12}, {142, -11}, {146, -19},
                            {153, -27}, {150, -37}, {140, -38}, {131, -31}, {118, -35}, {115, -33}};
const Outline kBritain = {{-5, 50}, {1, 51}, {0, 54}, {-2, 58}, {-6, 57}, {-4, 54}};
const Outline kJapan = {{130, 31}, {136, 34}, {141, 36}, {142, 44}, {139, 40}, {133, 35}};
const Outline kMadagascar = {{44, -25}, {50, -16}, {49, -12}, {43, -18}};
const Outline kNewZealand = {{172, -34}, {178, -38}, {174, -42}, {167, -46}, {171, -41}};
const Outline kBorneo = {{109, 1}, {116, 7}, {119, 1}, {116, -4}, {110, -3}};
const Outline kSumatra = {{95, 5}, {106, -6}, {104, -5}, {98, 1}};
const Outline kNewGuinea = {{131, -1}, {141, -3}, {150, -10}, {141, -9}, {135, -4}};

// The land's coast: a closed smooth path through the outline's points, on the map.
void SmoothPath(cairo_t* cr, const Outline& outline)
{
    std::vector<std::pair<double, double>> points;
    for (const auto& [longitude, latitude] : outline)
        points.push_back(Project(longitude, latitude));
    SmoothCurve(cr, points, true);
}

const Outline* const kLands[] = {&kNorthAmerica, &kGreenland, &kSouthAmerica, &kEurasia,  &kAfrica,
                                 &kAustralia,    &kBritain,   &kJapan,        &kMadagascar, &kNewZealand,
                                 &kBorneo,       &kSumatra,   &kNewGuinea};

void AllLands(cairo_t* cr)
{
    for (const Outline* land : kLands)
        SmoothPath(cr, *land);
}

void CompassRose(Canvas& canvas, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    canvas.Ellipse(cx, cy, radius * 0.75, radius * 0.75);
    canvas.SetColor(Ui::kPaper.WithAlpha(0.7));
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kWood);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int point = 0; point < 8; ++point) {
        const double angle = point * M_PI / 4 - M_PI / 2;
        const double length = point % 2 == 0 ? radius : radius * 0.55;
        const double side = angle + M_PI / 2;
        cairo_move_to(cr, cx + length * std::cos(angle), cy + length * std::sin(angle));
        cairo_line_to(cr, cx + radius * 0.14 * std::cos(side), cy + radius * 0.14 * std::sin(side));
        cairo_line_to(cr, cx - radius * 0.14 * std::cos(side), cy - radius * 0.14 * std::sin(side));
        cairo_close_path(cr);
        canvas.SetColor(point == 0 ? Rgba::Hex(0xB03A2E) : point % 2 == 0 ? Ui::kWoodDark : Ui::kWood);
        cairo_fill(cr);
    }
    TextStyle style;
    style.mFont = FontStyle::SERIF_BOLD;
    style.mSize = 14;
    style.mFill = Ui::kWoodDark;
    canvas.Text("N", cx, cy - radius - 4, Align::CENTRE, style);
}

} // namespace

void PaintWorldMap(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    // The sea, deeper towards the bottom.
    canvas.SetVerticalGradient(0, kHeight, Rgba::Hex(0xA9DCEB), Rgba::Hex(0x5FA8C8));
    cairo_paint(cr);
    // Lines of latitude and longitude.
    for (int longitude = -180; longitude <= 180; longitude += 30) {
        const double x = Project(longitude, 0).first;
        cairo_rectangle(cr, x, 0, 1, kHeight);
    }
    for (int latitude = -60; latitude <= 90; latitude += 30) {
        const double y = Project(0, latitude).second;
        cairo_rectangle(cr, 0, y, kWidth, 1);
    }
    canvas.SetColor(Rgba{1, 1, 1, 0.25});
    cairo_fill(cr);
    // Shallow water around the coasts, then the land with its shading and a coastline.
    canvas.SoftShape(AllLands, 14, 0, 0, Rgba::Hex(0xD8F3F0, 0.8));
    canvas.SoftShape(AllLands, 6, 2, 4, Rgba{0, 0.1, 0.2, 0.35});
    AllLands(cr);
    canvas.SetVerticalGradient(40, 560, Rgba::Hex(0xE8E2B0), Rgba::Hex(0x9FCB7A));
    cairo_fill(cr);
    // Forest greens in the tropics and the north, sand in the deserts, ice in the far north.
    cairo_save(cr);
    AllLands(cr);
    cairo_clip(cr);
    const struct {
        double mLongitude, mLatitude, mRadius;
        unsigned mColour;
    } kZones[] = {{-60, -5, 70, 0x4FA05A},  {20, 0, 55, 0x5FAF5A},   {105, 5, 45, 0x4FA05A},
                  {10, 24, 60, 0xF0D58A},   {45, 25, 40, 0xF0D58A},  {130, -25, 45, 0xE8B878},
                  {-110, 35, 30, 0xE0A070}, {-40, 75, 70, 0xF4FAFF}, {90, 70, 120, 0xDDEFD8},
                  {-120, 60, 60, 0x6FAF7A}, {60, 55, 80, 0x8FC07A}};
    for (const auto& zone : kZones) {
        const auto [x, y] = Project(zone.mLongitude, zone.mLatitude);
        canvas.SetRadialGradient(x, y, zone.mRadius * 2.475, Rgba::Hex(zone.mColour, 0.85),
                                 Rgba::Hex(zone.mColour, 0));
        cairo_paint(cr);
    }
    cairo_restore(cr);
    AllLands(cr);
    canvas.SetColor(Rgba::Hex(0x4A6A3A, 0.9));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Waves on the open sea.
    const double waves[][2] = {{150, 300}, {340, 240}, {330, 470}, {600, 470}, {560, 420}, {700, 330},
                               {90, 420},  {200, 520}, {470, 520}, {780, 520}};
    for (const auto& wave : waves) {
        for (int k = 0; k < 3; ++k) {
            cairo_move_to(cr, wave[0] + k * 9 - 12, wave[1] + 2);
            cairo_curve_to(cr, wave[0] + k * 9 - 9, wave[1] - 3, wave[0] + k * 9 - 6, wave[1] - 3, wave[0] + k * 9 - 3,
                           wave[1] + 2);
        }
        canvas.SetColor(Rgba{1, 1, 1, 0.6});
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    CompassRose(canvas, 90, 500, 42);
    // A paper banner at the top for the map's title.
    canvas.SoftShape(Box(250, 6, 300, 36, 10), 8, 0, 3, Rgba{0, 0, 0, 0.4});
    canvas.RoundedRect(250, 6, 300, 36, 10);
    canvas.SetVerticalGradient(6, 42, Ui::kPaper.Lighter(0.3), Ui::kPaper);
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kWood);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // An old paper's edge.
    cairo_pattern_t* const edge =
        cairo_pattern_create_radial(kWidth / 2.0, kHeight / 2.0, kHeight * 0.45, kWidth / 2.0, kHeight / 2.0, kWidth * 0.72);
    cairo_pattern_add_color_stop_rgba(edge, 0, 0.45, 0.32, 0.15, 0);
    cairo_pattern_add_color_stop_rgba(edge, 1, 0.45, 0.32, 0.15, 0.45);
    cairo_set_source(cr, edge);
    cairo_paint(cr);
    cairo_pattern_destroy(edge);
}

} // namespace Content
