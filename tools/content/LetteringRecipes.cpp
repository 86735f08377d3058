// The game's lettering: the score digits of the panel, the big digits of the number popups,
// the letters of GAME OVER, the cheers and points that pop up over the board, the combo and
// plate bonus banners, the stage titles and the habitat name tags of the panel and the map.
// Every word is drawn the same juicy way; the pictures drawn white keep their own colours.

#include "tools/content/LetteringArt.h"
#include "tools/content/Recipe.h"

namespace Content {

void AddLetteringRecipes(RecipeBook& book)
{
    LetteringArt::AddPopupRecipes(book);
    LetteringArt::AddBannerRecipes(book);
}

} // namespace Content
