// The pieces of the two physics bonus games: the spiders on their threads and the potato
// cannon that shoots them down, and the bears with the fish launcher that feeds them.

#include "tools/content/MiniGameArt.h"
#include "tools/content/Recipe.h"

namespace Content {

void AddMiniGameRecipes(RecipeBook& book)
{
    MiniGameArt::AddSpiderGameRecipes(book);
    MiniGameArt::AddBearGameRecipes(book);
}

} // namespace Content
