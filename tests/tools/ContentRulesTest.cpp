#include "tools/ContentRules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using ContentRules::ImageFacts;
using ContentRules::TextEntry;

// True when one of the messages contains the fragment.
bool Mentions(const std::vector<std::string>& messages, const std::string& fragment)
{
    for (const std::string& message : messages)
        if (message.find(fragment) != std::string::npos)
            return true;
    return false;
}

struct ImageCase {
    const char* mName;
    ImageFacts mFacts;
    const char* mExpected; // a fragment of the one message expected, or null for none
};

TEST(ContentRulesTest, ImagesKeepTheCellsAndPlayModesTheGameSteps)
{
    const ImageCase cases[] = {
        {"plain picture", {"IMAGE_GAME_FLAG", 1, 1, 0, 0}, nullptr},
        {"a grid that is no strip", {"IMAGE_GAME_FLAG", 2, 3, 0, 0}, nullptr},
        {"appear strip as the tile needs it", {"IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP", 25, 1, 1, 25}, nullptr},
        {"appear strip hiding the tile for ever", {"IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP", 18, 1, 1, 18}, "at least 19"},
        {"fireball that never reaches the burning cell", {"IMAGE_GAME_FIREBALL_EFFECT", 39, 1, 1, 39}, "at least 40"},
        {"fireball in either mode", {"IMAGE_GAME_FIREBALL_EFFECT", 48, 1, 3, 48}, nullptr},
        {"twirl that loops and hangs the stage change", {"IMAGE_GAME_EFFECTANIM_TWIRL", 24, 1, 3, 24}, "expects once"},
        {"virus that stops while the infection lasts", {"IMAGE_GAME_EFFECTANIM_VIRUS", 8, 1, 1, 8}, "expects loop"},
        {"strip without animation", {"IMAGE_GAME_EFFECTSTREAK", 8, 1, 0, 8}, "no animation type"},
        {"strip with a delay list shorter than its rows", {"IMAGE_GAME_WATER_EFFECT", 16, 1, 1, 1}, "1 cell delays for 16"},
        {"strip in two columns", {"IMAGE_GAME_HINT_EFFECT", 8, 2, 1, 8}, "one column"},
        {"single-cell over picture", {"IMAGE_GAME_BUTTON_LARGE_OVER", 1, 1, 0, 0}, nullptr},
        {"over picture with cells draws nothing", {"IMAGE_GAME_BUTTON_LARGE_OVER", 2, 1, 0, 0}, "single cell"},
        {"rollover picture with cells", {"IMAGE_GAME_BACKPACK_ROLLOVER", 1, 2, 0, 0}, "single cell"},
    };
    for (const ImageCase& c : cases) {
        const std::vector<std::string> errors = ContentRules::CheckImage(c.mFacts);
        if (c.mExpected == nullptr) {
            EXPECT_TRUE(errors.empty()) << c.mName << ": " << (errors.empty() ? "" : errors[0]);
        } else {
            EXPECT_EQ(errors.size(), 1u) << c.mName;
            EXPECT_TRUE(Mentions(errors, c.mExpected)) << c.mName << ": " << (errors.empty() ? "" : errors[0]);
        }
    }
}

TEST(ContentRulesTest, EveryStripTheGamePlaysHasARule)
{
    std::vector<std::string> ids;
    for (const ContentRules::StripRule& rule : ContentRules::StripRules())
        ids.push_back(rule.mId);
    for (const char* id : {"IMAGE_GAME_EFFECTANIM_003", "IMAGE_GAME_SPIDER_WEB_FIRE", "IMAGE_GAME_POSION_CLOUD",
                           "IMAGE_GAME_GRASSHOPPER", "IMAGE_GAME_SHUFFLE_EFFECT", "IMAGE_GAME_EFFECTANIM_RAINBOW"})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
}

struct TextCase {
    const char* mName;
    std::vector<TextEntry> mEntries;
    const char* mExpected;
};

TEST(ContentRulesTest, TextsAreDefinedOnceWithPrintableText)
{
    const TextCase cases[] = {
        {"good table", {{"BTN_DONE", "Done"}, {"HTP_PAGE_BASIC", "Line one\nline two ^^ and 100%"}}, nullptr},
        {"key twice", {{"BTN_DONE", "Done"}, {"BTN_DONE", "Finished"}}, "more than once"},
        {"empty text", {{"BTN_DONE", ""}}, "empty text"},
        {"no value attribute", {{"BTN_DONE", "", false}}, "no value attribute"},
        {"single caret starts a colour", {{"LABEL_TIP", "Press ^ here"}}, "single '^'"},
        {"caret at the very end", {{"LABEL_TIP", "up^"}}, "single '^'"},
        {"control character", {{"LABEL_TIP", "tab\there"}}, "not Latin-1"},
        {"C1 byte is no Latin-1 text", {{"LABEL_TIP", "caf\x85"}}, "not Latin-1"},
        {"Latin-1 letters are fine", {{"LABEL_TIP", "caf\xe9 na\xefve"}}, nullptr},
        {"default name at the limit", {{"LABEL_DEFAULTNAME", "Explorer Fifteen"}}, "longer than 15"},
        {"default name with a refused sign", {{"LABEL_DEFAULTNAME", "Ann-Marie"}}, "refuses"},
        {"default name the entry accepts", {{"LABEL_DEFAULTNAME", "Explorer"}}, nullptr},
    };
    for (const TextCase& c : cases) {
        const std::vector<std::string> errors = ContentRules::CheckTextEntries(c.mEntries);
        if (c.mExpected == nullptr) {
            EXPECT_TRUE(errors.empty()) << c.mName << ": " << (errors.empty() ? "" : errors[0]);
        } else {
            EXPECT_EQ(errors.size(), 1u) << c.mName;
            EXPECT_TRUE(Mentions(errors, c.mExpected)) << c.mName << ": " << (errors.empty() ? "" : errors[0]);
        }
    }
}

TEST(ContentRulesTest, NameEntryRefusesExactlyItsThirteenSigns)
{
    int refused = 0;
    for (int character = 32; character < 256; ++character)
        refused += ContentRules::IsNameCharacter(static_cast<unsigned char>(character)) ? 0 : 1;
    EXPECT_EQ(refused, 13);
    EXPECT_TRUE(ContentRules::IsNameCharacter(' '));
    EXPECT_TRUE(ContentRules::IsNameCharacter('\''));
    EXPECT_FALSE(ContentRules::IsNameCharacter('@'));
}

TEST(ContentRulesTest, KeysAreFoundInSourceButNotTheirPrefixes)
{
    const std::string source = R"(
        table.GetString("BTN_DONE");
        table.GetString("LBL_AWARD_" + name);
        table.GetString(std::string("DESC_") + key);
        Play("SOUND_LOGO"); Draw("IMAGE_GAME_FLAG");
        table.GetString("HTP_LABEL_10"); table.GetString("BTN_DONE");
        const char* text = "NAMES_ARE_NOT_KEYS";
    )";
    EXPECT_EQ(ContentRules::KeysInSource(source), (std::vector<std::string>{"BTN_DONE", "HTP_LABEL_10"}));
}

TEST(ContentRulesTest, MissingKeysAreListedInOrder)
{
    EXPECT_EQ(ContentRules::MissingKeys({"A", "C"}, {"A", "B", "C", "D"}), (std::vector<std::string>{"B", "D"}));
    EXPECT_TRUE(ContentRules::MissingKeys({"A"}, {}).empty());
}

TEST(ContentRulesTest, TheRequiredKeysCoverEveryFamilyOnce)
{
    const std::vector<std::string>& keys = ContentRules::RequiredTextKeys();
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
    for (const char* key : {"BTN_DONE", "LABEL_DEFAULTNAME", "NAME_RABBIT_GC", "DESC_BALDEAGLE", "HELP_FOODWEB",
                            "SURVIVOR_SUCCESS", "MINIGAME_SPIDER_INTRO"})
        EXPECT_TRUE(std::binary_search(keys.begin(), keys.end(), key)) << key;
}

struct QuirkCase {
    const char* mName;
    const char* mText;
    const char* mExpected;
};

TEST(ContentRulesTest, XmlThatTheParserWouldMisreadIsReportedWithItsLine)
{
    const QuirkCase cases[] = {
        {"plain elements", "<Strings>\n  <BTN_DONE value=\"Done\"/>\n</Strings>\n", nullptr},
        {"comment with a blank", "<!-- note -->\n<A value=\"x\"/>", nullptr},
        {"equals sign in a value", "<A value=\"x\"/>\n<B value=\"1 + 1 = 2\"/>", "line 2: an '='"},
        {"value ending in a slash", "<A value=\"either/\"/>", "line 1: a value ends in '/'"},
        {"comment glued to its text", "<A value=\"x\"/>\n\n<!--note -->", "line 3: a comment needs white space"},
        {"unclosed comment", "<!-- note", "not closed"},
        {"slash and equals outside quotes", "<Image id=\"A\" path=\"a/b.png\" rows=\"2\"/>", nullptr},
    };
    for (const QuirkCase& c : cases) {
        const std::vector<std::string> errors = ContentRules::CheckXmlQuirks(c.mText, "f.xml");
        if (c.mExpected == nullptr) {
            EXPECT_TRUE(errors.empty()) << c.mName << ": " << (errors.empty() ? "" : errors[0]);
        } else {
            EXPECT_EQ(errors.size(), 1u) << c.mName;
            EXPECT_TRUE(Mentions(errors, c.mExpected)) << c.mName << ": " << (errors.empty() ? "" : errors[0]);
        }
    }
}

} // namespace
