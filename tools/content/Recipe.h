#pragma once
// How each picture of the game is drawn: a recipe gives the size of one cell and paints a
// cell. The manifest says how many cells a picture has (its rows and columns); the canvas
// handed to the painter is moved and clipped to the cell.

#include "tools/content/Canvas.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Content {

struct Cell {
    int mIndex = 0;
    int mCount = 1;
    int mWidth = 0;
    int mHeight = 0;

    // 0 for the first cell and 1 for the last: the progress of an animation strip.
    double Progress() const { return mCount > 1 ? static_cast<double>(mIndex) / (mCount - 1) : 0.0; }
};

using Painter = std::function<void(Canvas&, const Cell&)>;

struct Recipe {
    int mWidth = 0;
    int mHeight = 0;
    Painter mPaint;
};

class RecipeBook {
public:
    // Ends the program when an id is given twice: two recipes for one picture is a slip.
    void Add(const std::string& id, int width, int height, Painter paint);
    const Recipe* Find(const std::string& id) const;
    std::vector<std::string> Ids() const;

    // The recipe of a picture that another picture shows. A missing one ends the program: the
    // picture showing it would silently lose a part.
    const Recipe& Get(const std::string& id) const;
    // Paints the first cell of the picture `id` at its own size and lays it on `canvas` at
    // (x, y), scaled: for pictures that show parts of the game screen in small.
    void PaintInto(const std::string& id, Canvas& canvas, double x, double y, double scale = 1) const;

    // The game's texts, for pictures that show one (such as the creatures' names). A key
    // that is missing ends the program: a picture would show the wrong name.
    void SetTexts(std::map<std::string, std::string> texts) { mTexts = std::move(texts); }
    std::string Text(const std::string& key) const;

private:
    std::map<std::string, Recipe> mRecipes;
    std::map<std::string, std::string> mTexts;
};

// Reads the texts of the string table: its elements' names and their value attributes,
// with the entities the game's parser knows decoded. False, with a message, when the file
// cannot be read.
bool ReadTexts(const std::string& file, std::map<std::string, std::string>* texts);

// The recipes of every picture, by family.
void AddCursorRecipes(RecipeBook& book);
void AddCreatureRecipes(RecipeBook& book);
void AddSceneRecipes(RecipeBook& book);
void AddInterfaceRecipes(RecipeBook& book);
void AddHudRecipes(RecipeBook& book);
void AddLetteringRecipes(RecipeBook& book);
void AddAwardRecipes(RecipeBook& book);
void AddMiniGameRecipes(RecipeBook& book);
void AddEffectRecipes(RecipeBook& book);

} // namespace Content
