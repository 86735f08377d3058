#include "tools/content/Recipe.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace Content {

void RecipeBook::Add(const std::string& id, const int width, const int height, Painter paint)
{
    if (!mRecipes.emplace(id, Recipe{width, height, std::move(paint)}).second) {
        std::fprintf(stderr, "two recipes for %s\n", id.c_str());
        std::exit(1);
    }
}

const Recipe* RecipeBook::Find(const std::string& id) const
{
    const auto found = mRecipes.find(id);
    return found == mRecipes.end() ? nullptr : &found->second;
}

const Recipe& RecipeBook::Get(const std::string& id) const
{
    const Recipe* const recipe = Find(id);
    if (recipe == nullptr) {
        std::fprintf(stderr, "no recipe for %s, which another picture shows\n", id.c_str());
        std::exit(1);
    }
    return *recipe;
}

void RecipeBook::PaintInto(const std::string& id, Canvas& canvas, const double x, const double y,
                           const double scale) const
{
    const Recipe& recipe = Get(id);
    Canvas picture(recipe.mWidth, recipe.mHeight);
    recipe.mPaint(picture, Cell{0, 1, recipe.mWidth, recipe.mHeight});
    canvas.PaintPicture(picture, x, y, scale);
}

std::vector<std::string> RecipeBook::Ids() const
{
    std::vector<std::string> ids;
    for (const auto& [id, recipe] : mRecipes)
        ids.push_back(id);
    return ids;
}

std::string RecipeBook::Text(const std::string& key) const
{
    const auto found = mTexts.find(key);
    if (found == mTexts.end()) {
        std::fprintf(stderr, "no text for %s\n", key.c_str());
        std::exit(1);
    }
    return found->second;
}

bool ReadTexts(const std::string& file, std::map<std::string, std::string>* texts)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read the texts '%s'\n", file.c_str());
        return false;
    }
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    static const std::regex kElement(R"re(<([A-Z][A-Z0-9_]*)\s+value="([^"]*)")re");
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&cr;", "\n"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kElement); it != std::sregex_iterator(); ++it) {
        std::string value = (*it)[2];
        for (const auto& [entity, character] : kEntities) {
            for (size_t at = value.find(entity); at != std::string::npos; at = value.find(entity, at + 1))
                value.replace(at, std::string(entity).size(), character);
        }
        (*texts)[(*it)[1]] = value;
    }
    return true;
}

} // namespace Content
