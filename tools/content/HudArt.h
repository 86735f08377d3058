#pragma once
// Drawing helpers shared by the board, HUD and story props (the Hud...Recipes files).

#include "tools/content/Canvas.h"

#include <functional>
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

// Draws what `paint` draws on a transparent canvas of width x height (in the cell's
// coordinates), passes every pixel's straight colour through `recolour` and lays the
// result on `canvas`. Alpha is kept. For small pictures only: it visits every pixel.
void Recoloured(Canvas& canvas, int width, int height, const std::function<void(Canvas&)>& paint,
                const std::function<Rgba(const Rgba&)>& recolour);

// A colour of polished gold for a brightness from 0 (deep shadow) to 1 (highlight).
Rgba GoldAt(double brightness);

// The brightness of a colour, 0 to 1.
double Brightness(const Rgba& colour);

// A closed path through the points with every corner rounded by `radius` (less where an
// edge is short).
void RoundedPolygon(cairo_t* cr, const std::vector<std::pair<double, double>>& points, double radius);

// A glossy highlight over the top part of a rounded rectangle, as on the board's tiles.
void TopGloss(Canvas& canvas, double x, double y, double width, double height, double radius, double strength);

} // namespace Content::HudArt
