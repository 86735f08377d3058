#pragma once
// The rules that the game's content must keep so that the code can rely on it: the cells
// and animation of the strips it plays, single-row over pictures, a string table with each
// key once and a text for it, and XML that the program's lenient parser reads as written.
// Each check returns one message per broken rule; no message means the content passes.

#include "game/screens/PlayerNameEntry.h"

#include <set>
#include <string>
#include <vector>

namespace ContentRules {

// What the manifest says about one picture.
struct ImageFacts {
    std::string mId;
    int mRows = 1;
    int mCols = 1;
    int mAnimType = 0; // 0 none, 1 once, 2 ping-pong, 3 loop
    size_t mDelayCount = 0;
};

// A strip that the game plays cell by cell: the fewest cells the code steps through, and
// the play mode it expects (0 when any animated mode will do).
struct StripRule {
    const char* mId;
    int mMinCells;
    int mAnimType;
};

const std::vector<StripRule>& StripRules();

std::vector<std::string> CheckImage(const ImageFacts& image);

// One element of the string table, as the program's parser read it.
struct TextEntry {
    std::string mKey;
    std::string mValue;
    bool mHasValue = true;
};

// Each key once with a non-empty value; texts in Latin-1 with every '^' doubled (a single
// one starts a colour change when drawn); the default player name short and typeable.
std::vector<std::string> CheckTextEntries(const std::vector<TextEntry>& entries);

// Every key that the game looks up, literal or made from a creature's, award's or page's
// name, whether or not its code is written yet.
const std::vector<std::string>& RequiredTextKeys();

// The required keys that the table lacks.
std::vector<std::string> MissingKeys(const std::set<std::string>& defined, const std::vector<std::string>& required);

// Text keys named by string literals in program source: "BTN_OK" counts, a prefix that the
// code completes ("LBL_AWARD_") does not.
std::vector<std::string> KeysInSource(const std::string& source);

// Places where the program's XML parser would read something else than the text says: an
// '=' inside a quoted value, a value ending in '/', a comment without white space after
// "<!--". Messages carry the file name and line.
std::vector<std::string> CheckXmlQuirks(const std::string& text, const std::string& fileName);

// Characters the name entry accepts in a player's name, and how many it keeps.
bool IsNameCharacter(unsigned char character);
constexpr size_t kMaxNameLength = PlayerNameEntry::kMaxNameChars;

} // namespace ContentRules
