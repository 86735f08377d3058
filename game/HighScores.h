#pragma once
// The game's one list of the ten best results (player name, level, score) and its file
// scoreslists.dat in the data folder. The game-over screen offers each finished game's
// score, the high-score table shows the list, and the application saves it at shutdown.
//
// scoreslists.dat is ten records back to back, rank 1 first, little-endian, with no header,
// count or version: the name's length (int16), the name's bytes without a terminator, the
// level (int32) and the score (int32). Bytes after the tenth record are ignored.

#include <loki/Singleton.h>

#include <cstdint>
#include <string>
#include <vector>

struct HighScoreEntry {
    HighScoreEntry() = default;
    HighScoreEntry(std::string name, int32_t level, int32_t score);

    bool operator==(const HighScoreEntry& other) const = default;

    std::string name = "Player 1";
    int32_t level = 10;
    int32_t score = 1000;
};

// The rows, best first: row i has rank i + 1.
using HighScoreList = std::vector<HighScoreEntry>;

class HighScoreStore {
public:
    static constexpr const char* kFileName = "scoreslists.dat";
    // A file that could not be taken is moved to this name (beside it; ".1", ".2" … added
    // when it is taken) before the first save that has something new to keep.
    static constexpr const char* kSetAsideFileName = "scoreslists.dat.damaged";
    static constexpr int32_t kRowCount = 10;

    enum class LoadResult {
        // The ten rows of the file.
        Loaded,
        // There is no file: the default rows of a first start.
        Missing,
        // The file could not be read (ten empty rows) or is damaged (the default rows); the
        // message says so. The file stays as it is unless a score is entered before Save.
        Refused,
    };

    // The default rows of a first start: "Player 1" ten times, levels 13 down to 4, scores
    // 550 down to 100.
    HighScoreStore();

    // Replaces the rows with those of scoreslists.dat in the data folder (a path ending in
    // a separator). Every length and field is checked against the file's size first, so a
    // short or damaged file is refused whole.
    LoadResult Load(const std::string& dataFolder, std::string* message);
    // Writes the rows into the data folder as one step (a temporary file beside it, flushed
    // and renamed over the old one); false when that failed, the old file then left whole.
    // After a refused load the refused file is kept: nothing is written unless a score was
    // entered since, and then the refused file is first moved to kSetAsideFileName (false,
    // with nothing written, when it cannot be moved).
    bool Save(const std::string& dataFolder);

    // The index at which the score would enter the list: the first row whose score is
    // strictly lower, so an equal score ranks below the one listed. -1 when it would not.
    int32_t FindRank(int32_t score) const;
    // Enters a row at FindRank's index, moving the rows below down one place and dropping
    // the last, and returns that index; -1 with the list unchanged when the score does not
    // rank. A name too long for the file is cut to the longest the file can hold.
    int32_t Insert(const std::string& name, int32_t level, int32_t score);

    const HighScoreList& GetScores() const { return mScores; }

private:
    HighScoreList mScores;
    // The last load refused the file on disk, which is kept until a new score needs writing.
    bool mKeepRefusedFile = false;
    bool mEnteredSinceLoad = false;
};

// The one store of the process, made on first use and destroyed at exit. The application
// loads it at start-up and saves it at shutdown.
using HighScoreStoreHolder = Loki::SingletonHolder<HighScoreStore>;
