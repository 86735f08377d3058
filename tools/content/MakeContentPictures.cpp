// Draws every picture that the game's resource manifest names, into the build tree.
// Usage: make_content_pictures MANIFEST STRINGS OUTPUT_FOLDER [ID...]
//
// Each picture has a recipe (its cell size and how to paint a cell); the manifest gives its
// path and how many rows and columns of cells it has. A picture without a recipe, or a
// recipe without a picture, ends the program with an error, so the two cannot drift apart.
// With ids, only those pictures are drawn and nothing else is checked (for working on a
// recipe).

#include "tools/content/FontLibrary.h"
#include "tools/content/MakeFolder.h"
#include "tools/content/ManifestFile.h"
#include "tools/content/ParallelFor.h"
#include "tools/content/Recipe.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

namespace {

using Content::Canvas;
using Content::Cell;
using Content::ManifestEntry;
using Content::Recipe;

bool DrawPicture(const ManifestEntry& entry, const Recipe& recipe, const std::filesystem::path& output)
{
    Canvas canvas(recipe.mWidth * entry.mCols, recipe.mHeight * entry.mRows);
    const int count = entry.mRows * entry.mCols;
    for (int index = 0; index < count; ++index) {
        cairo_t* const cr = canvas.Cr();
        cairo_save(cr);
        cairo_translate(cr, (index % entry.mCols) * recipe.mWidth, (index / entry.mCols) * recipe.mHeight);
        cairo_rectangle(cr, 0, 0, recipe.mWidth, recipe.mHeight);
        cairo_clip(cr);
        cairo_new_path(cr);
        recipe.mPaint(canvas, Cell{index, count, recipe.mWidth, recipe.mHeight});
        cairo_restore(cr);
    }
    const std::filesystem::path file = output / entry.mPath;
    return Content::MakeFolder(file.parent_path(), "make_content_pictures") && canvas.Save(file.string());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_content_pictures MANIFEST STRINGS OUTPUT_FOLDER [ID...]\n");
        return 2;
    }
    std::vector<ManifestEntry> entries;
    std::map<std::string, std::string> texts;
    if (!Content::ReadManifest(argv[1], &entries) || !Content::ReadTexts(argv[2], &texts))
        return 1;
    const std::set<std::string> only(argv + 4, argv + argc);

    Content::RecipeBook book;
    book.SetTexts(std::move(texts));
    Content::AddCursorRecipes(book);
    Content::AddCreatureRecipes(book);
    Content::AddSceneRecipes(book);
    Content::AddInterfaceRecipes(book);
    Content::AddHudRecipes(book);
    Content::AddLetteringRecipes(book);
    Content::AddAwardRecipes(book);
    Content::AddMiniGameRecipes(book);
    Content::AddEffectRecipes(book);

    std::vector<std::pair<const ManifestEntry*, const Recipe*>> work;
    std::set<std::string> named;
    bool complete = true;
    for (const ManifestEntry& entry : entries) {
        if (entry.mKind != "Image")
            continue;
        named.insert(entry.mId);
        const Recipe* const recipe = book.Find(entry.mId);
        if (recipe == nullptr && only.empty()) {
            std::fprintf(stderr, "make_content_pictures: no recipe for %s\n", entry.mId.c_str());
            complete = false;
        } else if (recipe != nullptr && (only.empty() || only.count(entry.mId) != 0)) {
            work.emplace_back(&entry, recipe);
        }
    }
    for (const std::string& id : book.Ids()) {
        if (named.count(id) == 0 && only.empty()) {
            std::fprintf(stderr, "make_content_pictures: the manifest does not name %s\n", id.c_str());
            complete = false;
        }
    }
    if (!complete && only.empty())
        return 1;

    // Loads every face now, so that a missing font file is reported before the workers start.
    Content::FontLibrary::Get();

    const std::filesystem::path output = argv[3];
    const bool drawn = Content::RunInParallel(
        work.size(), [&](const size_t i) { return DrawPicture(*work[i].first, *work[i].second, output); });
    return drawn ? 0 : 1;
}
