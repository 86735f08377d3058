// Draws one sheet with every software drawing operation side by side and writes it as a
// PNG, so that a person can see at a glance that each one looks right.
// Usage: drawing_sheet OUTPUT.png [IMAGE_FONT.txt]
//
// Top row, left to right: plain, half-transparent (alpha tint), additive, tinted, rotated,
// stretched (filtered) and stretched (fast).
// Middle row: mirrored, mirrored stretch, matrix (rotated and scaled, as a sprite is drawn),
// triangles with vertex colours, lines, antialiased lines, fills (normal and additive).
// Bottom panels: text in a system font, then in the given image font (plain and scaled by
// 1.5), each with colour codes and a word-wrapped paragraph.

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "tools/PictureApp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <vector>

namespace {

using namespace Zest;

constexpr int kCell = 110;
constexpr int kSprite = 64;
constexpr int kColumns = 7;
constexpr int kTextPanel = 120;
constexpr int kTextPanels = 2;

// A round sprite with transparent corners, a soft edge and an arrow pointing right, so that
// rotation and mirroring show.
void MakeSprite(MemoryImage& sprite)
{
    std::vector<uint32_t> bits(kSprite * kSprite);
    for (int y = 0; y < kSprite; ++y) {
        for (int x = 0; x < kSprite; ++x) {
            const double dx = x + 0.5 - kSprite / 2.0;
            const double dy = y + 0.5 - kSprite / 2.0;
            const double distance = std::sqrt(dx * dx + dy * dy);
            const double edge = std::clamp(kSprite / 2.0 - distance, 0.0, 1.0);
            const bool arrow = (std::abs(dy) < 5 && dx > -20 && dx < 10) || (dx >= 10 && dx < 22 && std::abs(dy) < 22 - dx);
            const uint32_t alpha = static_cast<uint32_t>(edge * 255);
            const uint32_t red = arrow ? 255 : static_cast<uint32_t>(40 + x * 3);
            const uint32_t green = arrow ? 255 : static_cast<uint32_t>(90 + y * 2);
            const uint32_t blue = arrow ? 255 : 200;
            bits[y * kSprite + x] = (alpha << 24) | (red << 16) | (green << 8) | blue;
        }
    }
    sprite.SetBits(bits.data(), kSprite, kSprite, true);
}

void Checkerboard(MemoryImage& sheet)
{
    uint32_t* bits = sheet.GetBits();
    for (int y = 0; y < sheet.mHeight; ++y)
        for (int x = 0; x < sheet.mWidth; ++x)
            bits[y * sheet.mWidth + x] = ((x / 8 + y / 8) % 2 == 0) ? 0xFF505050 : 0xFF606060;
    sheet.BitsChanged();
}

Rect Cell(const int column, const int row) { return Rect(column * kCell, row * kCell, kCell, kCell); }

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: drawing_sheet OUTPUT.png [IMAGE_FONT.txt]\n");
        return 2;
    }
    MemoryImage sheet(nullptr);
    sheet.Create(kColumns * kCell, 2 * kCell + kTextPanels * kTextPanel);
    Checkerboard(sheet);
    MemoryImage sprite(nullptr);
    MakeSprite(sprite);

    const Rect whole(0, 0, kSprite, kSprite);
    const Rect clip(0, 0, sheet.mWidth, sheet.mHeight);
    const int inset = (kCell - kSprite) / 2;
    auto at = [&](const int column, const int row) { return Point{column * kCell + inset, row * kCell + inset}; };

    Point p = at(0, 0);
    sheet.Blt(&sprite, p.mX, p.mY, whole, Color::White, DRAWMODE_NORMAL);
    p = at(1, 0);
    sheet.Blt(&sprite, p.mX, p.mY, whole, Color(255, 255, 255, 128), DRAWMODE_NORMAL);
    p = at(2, 0);
    sheet.FillRect(Cell(2, 0), Color(0, 0, 60), DRAWMODE_NORMAL);
    sheet.Blt(&sprite, p.mX, p.mY, whole, Color::White, DRAWMODE_ADDITIVE);
    sheet.Blt(&sprite, p.mX + 12, p.mY + 12, whole, Color::White, DRAWMODE_ADDITIVE);
    p = at(3, 0);
    sheet.Blt(&sprite, p.mX, p.mY, whole, Color(255, 140, 0), DRAWMODE_NORMAL);
    p = at(4, 0);
    sheet.BltRotated(&sprite, static_cast<float>(p.mX), static_cast<float>(p.mY), whole, clip, Color::White,
                     DRAWMODE_NORMAL, std::numbers::pi / 6, kSprite / 2.0f, kSprite / 2.0f);
    const Rect bigger(5 * kCell + 7, 7, 96, 96);
    sheet.StretchBlt(&sprite, bigger, whole, clip, Color::White, DRAWMODE_NORMAL, false);
    const Rect biggerFast(6 * kCell + 7, 7, 96, 96);
    sheet.StretchBlt(&sprite, biggerFast, whole, clip, Color::White, DRAWMODE_NORMAL, true);

    p = at(0, 1);
    sheet.BltMirror(&sprite, p.mX, p.mY, whole, Color::White, DRAWMODE_NORMAL);
    const Rect mirrorStretch(kCell + 7, kCell + 23, 96, 64);
    sheet.StretchBltMirror(&sprite, mirrorStretch, whole, clip, Color::White, DRAWMODE_NORMAL, false);

    Matrix3 matrix;
    matrix.Scale(1.3f, 0.8f);
    matrix.RotateRad(static_cast<float>(std::numbers::pi / 5));
    sheet.BltMatrix(&sprite, 2 * kCell + kCell / 2.0f, kCell + kCell / 2.0f, matrix, clip, Color::White,
                    DRAWMODE_NORMAL, whole, true);

    const float left = 3 * kCell + 10.0f;
    const float top = kCell + 10.0f;
    const TriVertex triangles[2][3] = {
        {{left, top, 0, 0, 0xFFFF4040}, {left + 90, top, 1, 0, 0xFF40FF40}, {left, top + 90, 0, 1, 0xFF4040FF}},
        {{left + 90, top, 1, 0, 0xFF40FF40}, {left + 90, top + 90, 1, 1, 0xFFFFFFFF}, {left, top + 90, 0, 1, 0xFF4040FF}},
    };
    sheet.BltTrianglesTex(&sprite, triangles, 2, clip, Color::White, DRAWMODE_NORMAL, 0.0f, 0.0f, true);

    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 8;
        const double cx = 4 * kCell + kCell / 2.0;
        const double cy = kCell + kCell / 2.0;
        sheet.DrawLine(cx, cy, cx + 48 * std::cos(angle), cy + 48 * std::sin(angle), Color(255, 220, 0),
                       DRAWMODE_NORMAL);
        const double ax = 5 * kCell + kCell / 2.0;
        sheet.DrawLineAA(ax, cy, ax + 48 * std::cos(angle), cy + 48 * std::sin(angle), Color(255, 220, 0),
                         DRAWMODE_NORMAL);
    }

    sheet.FillRect(Rect(6 * kCell + 10, kCell + 10, 60, 60), Color(200, 40, 40, 160), DRAWMODE_NORMAL);
    sheet.FillRect(Rect(6 * kCell + 40, kCell + 40, 60, 60), Color(40, 40, 200, 255), DRAWMODE_ADDITIVE);

    Graphics g(&sheet);
    SysFont font(nullptr, "DejaVu Sans", 12);
    g.SetFont(&font);
    g.SetColor(Color(255, 255, 255));
    g.WriteString("System font: plain, ^FF6060^red^oldclr^, ^60FF60^green^oldclr^ and a caret ^^ shown", 10,
                  2 * kCell + 24);
    g.SetColor(Color(255, 230, 150));
    g.WriteWordWrapped(Rect(10, 2 * kCell + 40, 360, 80),
                       "A food chain links the creatures of a habitat: the eagle eats the snake, the snake "
                       "eats the frog, the frog eats the fly. This paragraph wraps at 360 pixels.");
    SysFont bold(nullptr, "DejaVu Sans", 16, true);
    bold.mDrawShadow = true;
    g.SetFont(&bold);
    g.SetColor(Color(120, 200, 255));
    g.WriteString("Bold with a shadow", 420, 2 * kCell + 60);

    if (argc == 3) {
        Tools::PictureApp app;
        ImageFont imageFont(&app, argv[2]);
        if (imageFont.mFontData == nullptr || !imageFont.mFontData->mInitialized) {
            std::fprintf(stderr, "drawing_sheet: cannot load the image font %s\n", argv[2]);
            return 1;
        }
        const int top = 2 * kCell + kTextPanel;
        g.SetFont(&imageFont);
        g.SetColor(Color(255, 255, 255));
        g.WriteString("Image font: plain, ^FF6060^red^oldclr^, ^60FF60^green^oldclr^ and a caret ^^ shown", 10,
                      top + 24);
        g.SetColor(Color(255, 230, 150));
        g.WriteWordWrapped(Rect(10, top + 40, 360, 80),
                           "An image font with a shadow layer: the eagle eats the snake, the snake "
                           "eats the frog.");
        const std::unique_ptr<ImageFont> scaled(static_cast<ImageFont*>(imageFont.Duplicate()));
        scaled->SetScale(1.5);
        g.SetFont(scaled.get());
        g.SetColor(Color(120, 200, 255));
        g.WriteString("Scaled by 1.5", 420, top + 60);
    }

    if (!Tools::WritePNG(sheet, argv[1])) {
        std::fprintf(stderr, "drawing_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
