// The board's and the panel's props: power items and their icons, locks and carriers, marks
// over tiles, plates, frames, the world map's flight, the panel's icons and the story's
// props and people, each part in its own file.

#include "tools/content/HudArt.h"
#include "tools/content/Recipe.h"

namespace Content {

void AddHudRecipes(RecipeBook& book)
{
    HudArt::AddItemRecipes(book);
    HudArt::AddLockRecipes(book);
    HudArt::AddTileMarkRecipes(book);
    HudArt::AddBoardRecipes(book);
    HudArt::AddMapRecipes(book);
    HudArt::AddIconRecipes(book);
    HudArt::AddStoryRecipes(book);
    HudArt::AddFieldKitRecipes(book);
}

} // namespace Content
