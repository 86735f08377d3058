// The game's effect strips: short animations played cell by cell over the board, the HUD and
// the menus. Each cell is one moment of the effect; the strip's first cell is drawn first.
// Strips that are played once start small or faint and end faded out, since the game shows
// the last cell until the owner stops drawing it. Looping strips wrap without a jump: every
// motion in them turns a whole number of times over the strip. The game tints some strips
// (the virus red, the web's glow yellow, the bursts of the mini-games orange or grey); those
// are drawn white or pale so that the tint shows. Nothing here is drawn additively, so glows
// fade to transparent rather than to black.

#include "tools/content/EffectShapes.h"
#include "tools/content/Recipe.h"

namespace Content {

void AddEffectRecipes(RecipeBook& book)
{
    Effects::AddSurvivorRecipes(book);
    Effects::AddElementRecipes(book);
    Effects::AddBurstRecipes(book);
}

} // namespace Content
