#include "tools/ContentRules.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace ContentRules {

namespace {

constexpr int kAnimOnce = 1;
constexpr int kAnimLoop = 3;

const char* AnimName(const int type)
{
    static const char* const kNames[] = {"none", "once", "pingpong", "loop"};
    return type >= 0 && type < 4 ? kNames[type] : "unknown";
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int LineOf(const std::string& text, const size_t offset)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

} // namespace

const std::vector<StripRule>& StripRules()
{
    static const std::vector<StripRule> kRules = {
        // The tile stays hidden until cell 18 and fades in over the cells after it.
        {"IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP", 19, kAnimOnce},
        {"IMAGE_GAME_EFFECTANIM_003", 4, kAnimOnce},
        {"IMAGE_GAME_SPIDER_WEB_FIRE", 2, kAnimOnce},
        {"IMAGE_GAME_WATER_EFFECT", 2, kAnimOnce},
        {"IMAGE_GAME_EFFECTANIM_TWIRL", 2, kAnimOnce},
        {"IMAGE_GAME_EFFECTANIM_001", 2, kAnimOnce},
        {"IMAGE_GAME_EFFECTANIM_002", 2, kAnimOnce},
        {"IMAGE_GAME_EFFECTANIM_RAINBOW", 2, kAnimOnce},
        // A web burns when the fireball reaches cell 39.
        {"IMAGE_GAME_FIREBALL_EFFECT", 40, 0},
        {"IMAGE_GAME_EFFECTANIM_VIRUS", 2, kAnimLoop},
        {"IMAGE_GAME_EFFECTSTREAK", 2, kAnimLoop},
        {"IMAGE_GAME_HINT_EFFECT", 2, 0},
        {"IMAGE_GAME_SHUFFLE_EFFECT", 2, 0},
        {"IMAGE_GAME_GRASSHOPPER", 2, 0},
        {"IMAGE_GAME_POSION_CLOUD", 2, 0},
    };
    return kRules;
}

std::vector<std::string> CheckImage(const ImageFacts& image)
{
    std::vector<std::string> errors;
    if ((EndsWith(image.mId, "_OVER") || EndsWith(image.mId, "_ROLLOVER")) && image.mRows * image.mCols != 1)
        errors.push_back(image.mId + ": an over picture must be a single cell, not " + std::to_string(image.mRows) +
                         " x " + std::to_string(image.mCols));
    const auto& rules = StripRules();
    const auto rule =
        std::find_if(rules.begin(), rules.end(), [&](const StripRule& r) { return image.mId == r.mId; });
    if (rule == rules.end())
        return errors;
    if (image.mCols != 1)
        errors.push_back(image.mId + ": a strip has one column, not " + std::to_string(image.mCols));
    if (image.mRows < rule->mMinCells)
        errors.push_back(image.mId + ": " + std::to_string(image.mRows) + " rows, the game plays at least " +
                         std::to_string(rule->mMinCells));
    if (image.mAnimType == 0)
        errors.push_back(image.mId + ": no animation type");
    else if (rule->mAnimType != 0 && image.mAnimType != rule->mAnimType)
        errors.push_back(image.mId + ": plays " + AnimName(image.mAnimType) + ", the game expects " +
                         AnimName(rule->mAnimType));
    if (image.mDelayCount != static_cast<size_t>(image.mRows))
        errors.push_back(image.mId + ": " + std::to_string(image.mDelayCount) + " cell delays for " +
                         std::to_string(image.mRows) + " rows");
    return errors;
}

bool IsNameCharacter(const unsigned char character)
{
    return character >= 32 &&
           PlayerNameEntry::kRefusedNameChars.find(static_cast<char>(character)) == std::string_view::npos;
}

std::vector<std::string> CheckTextEntries(const std::vector<TextEntry>& entries)
{
    std::vector<std::string> errors;
    std::map<std::string, int> counts;
    for (const TextEntry& entry : entries) {
        if (++counts[entry.mKey] == 2)
            errors.push_back(entry.mKey + ": defined more than once");
        if (!entry.mHasValue)
            errors.push_back(entry.mKey + ": no value attribute");
        else if (entry.mValue.empty())
            errors.push_back(entry.mKey + ": empty text");
        for (size_t i = 0; i < entry.mValue.size(); ++i) {
            const auto character = static_cast<unsigned char>(entry.mValue[i]);
            if ((character < 32 && character != '\n') || (character >= 127 && character < 160)) {
                errors.push_back(entry.mKey + ": character " + std::to_string(character) + " is not Latin-1 text");
                break;
            }
            if (character == '^') {
                if (i + 1 < entry.mValue.size() && entry.mValue[i + 1] == '^') {
                    ++i;
                } else {
                    errors.push_back(entry.mKey + ": a single '^' (write '^^' for the sign)");
                    break;
                }
            }
        }
        if (entry.mKey == "LABEL_DEFAULTNAME") {
            if (entry.mValue.size() > kMaxNameLength)
                errors.push_back(entry.mKey + ": longer than " + std::to_string(kMaxNameLength) + " characters");
            if (!std::all_of(entry.mValue.begin(), entry.mValue.end(),
                             [](char c) { return IsNameCharacter(static_cast<unsigned char>(c)); }))
                errors.push_back(entry.mKey + ": holds a character the name entry refuses");
        }
    }
    return errors;
}

std::vector<std::string> MissingKeys(const std::set<std::string>& defined, const std::vector<std::string>& required)
{
    std::vector<std::string> missing;
    for (const std::string& key : required)
        if (defined.count(key) == 0)
            missing.push_back(key);
    return missing;
}

std::vector<std::string> KeysInSource(const std::string& source)
{
    static const char* const kPrefixes[] = {"BTN_",  "LABEL_",    "LBL_",  "HTP_",     "HELP_",    "STORY_",
                                            "TUTORIAL_", "NAME_", "DESC_", "MINIGAME_", "SURVIVOR_"};
    const auto isKeyCharacter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; };
    std::set<std::string> keys;
    for (size_t quote = source.find('"'); quote != std::string::npos; quote = source.find('"', quote + 1)) {
        size_t end = quote + 1;
        while (end < source.size() && isKeyCharacter(source[end]))
            ++end;
        if (end >= source.size() || source[end] != '"' || end == quote + 1)
            continue;
        const std::string literal = source.substr(quote + 1, end - quote - 1);
        quote = end;
        // A literal ending in '_' is a prefix that the code completes.
        if (literal.back() == '_')
            continue;
        for (const char* prefix : kPrefixes)
            if (literal.rfind(prefix, 0) == 0 && literal.size() > std::string(prefix).size())
                keys.insert(literal);
    }
    return {keys.begin(), keys.end()};
}

std::vector<std::string> CheckXmlQuirks(const std::string& text, const std::string& fileName)
{
    std::vector<std::string> errors;
    const auto report = [&](size_t offset, const std::string& what) {
        errors.push_back(fileName + " line " + std::to_string(LineOf(text, offset)) + ": " + what);
    };
    size_t position = 0;
    while ((position = text.find('<', position)) != std::string::npos) {
        if (text.compare(position, 4, "<!--") == 0) {
            const size_t after = position + 4;
            if (after >= text.size() || !std::isspace(static_cast<unsigned char>(text[after])))
                report(position, "a comment needs white space after \"<!--\"");
            const size_t end = text.find("-->", after);
            if (end == std::string::npos) {
                report(position, "a comment is not closed");
                break;
            }
            position = end + 3;
            continue;
        }
        // A tag: look at its quoted values.
        bool quoted = false;
        size_t valueStart = 0;
        size_t i = position + 1;
        for (; i < text.size() && (quoted || text[i] != '>'); ++i) {
            if (text[i] == '"') {
                if (!quoted) {
                    valueStart = i + 1;
                } else if (i > valueStart && text[i - 1] == '/') {
                    report(i, "a value ends in '/', which is read as the end of the tag");
                }
                quoted = !quoted;
            } else if (quoted && text[i] == '=') {
                report(i, "an '=' inside a quoted value ends the value early");
            }
        }
        position = i;
    }
    return errors;
}

} // namespace ContentRules
