#pragma once
// Drawing helpers shared by the board, HUD and story props (the Hud...Recipes files).

#include "tools/content/Canvas.h"

#include <utility>
#include <vector>

namespace Content {
class RecipeBook;
}

namespace Content::HudArt {

// The parts of the family, each in its own file: the power items with their HUD icons; the
// locks and who sets them; the marks over and under tiles; the board's plates, frames and
// frost; the flight over the world map; the panel's small icons; the story's people; and the
// field kit with the help pages' pictures.
void AddItemRecipes(RecipeBook& book);
void AddLockRecipes(RecipeBook& book);
void AddTileMarkRecipes(RecipeBook& book);
void AddBoardRecipes(RecipeBook& book);
void AddMapRecipes(RecipeBook& book);
void AddIconRecipes(RecipeBook& book);
void AddStoryRecipes(RecipeBook& book);
void AddFieldKitRecipes(RecipeBook& book);

// The colours of a polished metal from deep shadow (0) to highlight (1): stops (brightness,
// colour) in rising order from 0 to 1, blended between.
struct MetalRamp {
    std::vector<std::pair<double, Rgba>> mStops;

    Rgba At(double brightness) const;
};

// A colour of polished gold for a brightness from 0 (deep shadow) to 1 (highlight).
Rgba GoldAt(double brightness);

// A closed path through the points with every corner rounded by `radius` (less where an
// edge is short).
void RoundedPolygon(cairo_t* cr, const std::vector<std::pair<double, double>>& points, double radius);

// A glossy highlight over the top part of a rounded rectangle, as on the board's tiles.
void TopGloss(Canvas& canvas, double x, double y, double width, double height, double radius, double strength);

} // namespace Content::HudArt
