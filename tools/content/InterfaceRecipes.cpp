// The game's interface pictures in the look of a naturalist's field journal: parchment
// panels in wooden frames, note cards, a clipboard report, leaf-green and gold controls, the
// left-hand game panel with its progress bars and backpack, the title's loading bar and the
// scan-line overlay. Panels are plain inside: every text on them is written by the game.

#include "tools/content/InterfaceArt.h"
#include "tools/content/Recipe.h"

namespace Content {

void AddInterfaceRecipes(RecipeBook& book)
{
    InterfaceArt::AddPanelRecipes(book);
    InterfaceArt::AddControlRecipes(book);
    InterfaceArt::AddGamePanelRecipes(book);
}

} // namespace Content
