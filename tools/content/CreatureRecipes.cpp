// The creature tiles of the board and their name labels. A tile is the creature, drawn
// from the colour emoji font, on a rounded plate in its habitat's colours; the label is a
// transparent picture of the same size with the name on a small banner at the bottom,
// drawn over the tile when the player wants names shown.

#include "tools/content/HudTileArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace Content {

namespace {

// The plate and the marks that the game draws over tiles share this size.
constexpr int kTileSize = HudArt::kTile;

struct Creature {
    const char* mId; // the part of the id after IMAGE_TILE_
    const char* mEmoji;
    HabitatLook mHabitat;
    const char* mNameKey;
    // Animals whose emoji has the wrong coat for the north: theirs is drawn paler.
    bool mWhitened = false;
};

const Creature kCreatures[] = {
    {"ANACONDA", "\U0001F40D", HabitatLook::AMAZON, "NAME_ANACONDA"},
    {"CAPYBARA", "\U0001F9AB", HabitatLook::AMAZON, "NAME_CAPYBARA"},
    {"FRUITS", "\U0001F96D", HabitatLook::AMAZON, "NAME_FRUITS"},
    {"GRASS", "\U0001F33E", HabitatLook::AMAZON, "NAME_GRASS"},
    {"LEAVES", "\U0001F343", HabitatLook::AMAZON, "NAME_LEAVES"},
    {"MACAW", "\U0001F99C", HabitatLook::AMAZON, "NAME_MACAW"},
    {"SPIDERMONKEY", "\U0001F412", HabitatLook::AMAZON, "NAME_SPIDERMONKEY"},
    {"TAPIR", "\U0001F417", HabitatLook::AMAZON, "NAME_TAPIR"},
    {"JAGUAR", "\U0001F406", HabitatLook::AMAZON, "NAME_JAGUAR"},
    {"EAGLE", "\U0001F985", HabitatLook::GRAND_CANYON, "NAME_EAGLE"},
    {"SNAKE", "\U0001F40D", HabitatLook::GRAND_CANYON, "NAME_RATTLESNAKE"},
    {"COUGAR", "\U0001F981", HabitatLook::GRAND_CANYON, "NAME_COUGAR"},
    {"COYOTE", "\U0001F43A", HabitatLook::GRAND_CANYON, "NAME_COYOTE"},
    {"DEER", "\U0001F98C", HabitatLook::GRAND_CANYON, "NAME_ELK"},
    {"RABBIT", "\U0001F407", HabitatLook::GRAND_CANYON, "NAME_RABBIT_GC"},
    {"RACCOON", "\U0001F99D", HabitatLook::GRAND_CANYON, "NAME_RACCOON"},
    {"INSECTS", "\U0001F997", HabitatLook::GRAND_CANYON, "NAME_INSECTS"},
    {"ARCTICHARE", "\U0001F407", HabitatLook::ALASKA, "NAME_ARCTICHARE", true},
    {"BLACKBEAR", "\U0001F43B", HabitatLook::ALASKA, "NAME_BLACKBEAR"},
    {"GROUNDSQUIRREL", "\U0001F43F", HabitatLook::ALASKA, "NAME_GROUNDSQUIRREL"},
    {"MOOSE", "\U0001FACE", HabitatLook::ALASKA, "NAME_MOOSE"},
    {"REDFOX", "\U0001F98A", HabitatLook::ALASKA, "NAME_REDFOX"},
    {"SNOWYOWL", "\U0001F989", HabitatLook::ALASKA, "NAME_SNOWYOWL", true},
    {"HARPSEAL", "\U0001F9AD", HabitatLook::ARCTIC, "NAME_HARPSEAL"},
    {"POLARBEAR", "\U0001F43B\u200D\u2744\uFE0F", HabitatLook::ARCTIC, "NAME_POLARBEAR"},
    {"POLARCOD", "\U0001F41F", HabitatLook::ARCTIC, "NAME_POLARCOD"},
    {"ORCA", "\U0001F42C", HabitatLook::ARCTIC, "NAME_ORCA"},
    {"WHALE", "\U0001F40B", HabitatLook::ARCTIC, "NAME_WHALE"},
    {"LEMMING", "\U0001F439", HabitatLook::ARCTIC, "NAME_LEMMING"},
};

// Pales the colours of what `paint` draws towards a warm white, keeping its shading: the
// polar animals' fur.
void Whitened(Canvas& canvas, const std::function<void(Canvas&)>& paint)
{
    Recoloured(canvas, kTileSize, kTileSize, paint, [](const Rgba& colour) {
        const double luminance = 0.30 * colour.mR + 0.59 * colour.mG + 0.11 * colour.mB;
        // Eyes and noses stay dark.
        if (luminance < 0.18)
            return colour;
        const double shade = 0.62 + 0.38 * std::min(1.0, luminance * 1.6);
        return Rgba{1.0 * shade, 0.98 * shade, 0.93 * shade, colour.mA};
    });
}

void PaintTile(Canvas& canvas, const Creature& creature)
{
    const HabitatPalette& palette = PaletteOf(creature.mHabitat);
    HudArt::Plate(canvas, {palette.mLight, palette.mMain, palette.mDeep.WithAlpha(0.8)});

    const auto animal = [&](Canvas& target) { target.Emoji(creature.mEmoji, kTileSize / 2.0, kTileSize / 2.0 - 2, 64); };
    HudArt::GroundShadow(canvas, kTileSize / 2.0, kTileSize / 2.0 + 27, 26, 5);
    if (creature.mWhitened)
        Whitened(canvas, animal);
    else
        animal(canvas);
}

// The name on a banner at the foot of the tile: one line when it fits at a readable size,
// otherwise two lines split at the space nearest the middle.
void PaintLabel(Canvas& canvas, const HabitatLook habitat, const std::string& name)
{
    const HabitatPalette& palette = PaletteOf(habitat);
    cairo_t* const cr = canvas.Cr();
    TextStyle style;
    style.mFont = FontStyle::SANS_CONDENSED_BOLD;
    style.mSize = 11;
    style.mFill = Ui::kCream;
    constexpr double kWidth = kTileSize - 8;
    constexpr double kLineHeight = 12;
    std::vector<std::string> lines = {name};
    if (canvas.FitTextSize(name, kWidth - 6, style) < 10 && name.find(' ') != std::string::npos) {
        size_t split = name.find(' ');
        for (size_t at = split; at != std::string::npos; at = name.find(' ', at + 1))
            if (std::abs(static_cast<long>(at) - static_cast<long>(name.size() / 2)) <
                std::abs(static_cast<long>(split) - static_cast<long>(name.size() / 2)))
                split = at;
        lines = {name.substr(0, split), name.substr(split + 1)};
    }
    double size = style.mSize;
    for (const std::string& line : lines)
        size = std::min(size, canvas.FitTextSize(line, kWidth - 6, style));
    style.mSize = size;
    const double height = 4 + kLineHeight * static_cast<double>(lines.size());
    const double top = kTileSize - 5 - height;
    canvas.RoundedRect(4, top, kWidth, height, 6);
    canvas.SetColor(palette.mDeep.WithAlpha(0.85));
    cairo_fill(cr);
    for (size_t i = 0; i < lines.size(); ++i)
        canvas.TextInBox(lines[i], 4, top + 2 + kLineHeight * static_cast<double>(i), kWidth, kLineHeight, style);
}

} // namespace

void AddCreatureRecipes(RecipeBook& book)
{
    for (const Creature& creature : kCreatures) {
        const std::string id = std::string("IMAGE_TILE_") + creature.mId;
        book.Add(id, kTileSize, kTileSize, [&creature](Canvas& canvas, const Cell&) { PaintTile(canvas, creature); });
        book.Add(id + "_LABEL", kTileSize, kTileSize,
                 [&creature, name = book.Text(creature.mNameKey)](Canvas& canvas, const Cell&) {
                     PaintLabel(canvas, creature.mHabitat, name);
                 });
    }
}

} // namespace Content
