#include "game/HighScores.h"

#include "framework/app/common/Buffer.h"
#include "game/SaveFileReader.h"
#include "game/SaveFiles.h"

#include <utility>

namespace {

constexpr int32_t kLengthBytes = 2;
constexpr int32_t kNumberBytes = 4;
// Ten records with the longest names; later bytes are ignored and never read.
constexpr size_t kLongestFile = HighScoreStore::kRowCount *
                                (kLengthBytes + Zest::Buffer::kMaxStringLength + 2 * kNumberBytes);

const char* const kUnreadableMessage = "Could not read contents of scoreslists.dat";
const char* const kFileKept = "The file is left as it is, unless a new high score is entered: it is then "
                              "moved to scoreslists.dat.damaged.";

// The ten records, or false when one of them does not fit in the bytes or is damaged.
bool ReadRows(const std::vector<uint8_t>& bytes, HighScoreList* rows)
{
    Zest::Buffer buffer;
    buffer.SetData(bytes.data(), static_cast<int32_t>(bytes.size()));
    SaveFileReader reader(buffer);
    for (int32_t row = 0; row < HighScoreStore::kRowCount && !reader.IsDamaged(); ++row) {
        std::string name = reader.ReadString();
        const int32_t level = reader.ReadLong();
        const int32_t score = reader.ReadLong();
        rows->emplace_back(std::move(name), level, score);
    }
    return !reader.IsDamaged();
}

HighScoreList DefaultRows()
{
    HighScoreList rows;
    for (int32_t i = 0; i < HighScoreStore::kRowCount; ++i)
        rows.emplace_back("Player 1", 13 - i, 550 - 50 * i);
    return rows;
}

} // namespace

HighScoreEntry::HighScoreEntry(std::string name, const int32_t level, const int32_t score)
    : name(std::move(name)), level(level), score(score)
{
}

HighScoreStore::HighScoreStore() : mScores(DefaultRows()) {}

HighScoreStore::LoadResult HighScoreStore::Load(const std::string& dataFolder, std::string* message)
{
    mEnteredSinceLoad = false;
    mKeepRefusedFile = false;
    // Later bytes are ignored, so only the longest file the records can make is read.
    std::vector<uint8_t> bytes;
    bool complete = false;
    switch (ReadSaveFile(dataFolder + kFileName, kLongestFile, &bytes, &complete)) {
    case SaveFileRead::Missing:
        mScores = DefaultRows();
        return LoadResult::Missing;
    case SaveFileRead::Unreadable:
        mScores.assign(kRowCount, HighScoreEntry("", 0, 0));
        mKeepRefusedFile = true;
        *message = std::string(kUnreadableMessage) + "\n\nThe high-score list starts empty. " + kFileKept;
        return LoadResult::Refused;
    case SaveFileRead::Read:
        break;
    }

    HighScoreList rows;
    if (!ReadRows(bytes, &rows)) {
        mScores = DefaultRows();
        mKeepRefusedFile = true;
        *message = std::string(kUnreadableMessage) + ": the file is damaged.\n\nThe default high scores are used. " +
                   kFileKept;
        return LoadResult::Refused;
    }
    mScores = std::move(rows);
    return LoadResult::Loaded;
}

bool HighScoreStore::Save(const std::string& dataFolder)
{
    const std::string path = dataFolder + kFileName;
    // A refused file is kept unless something new needs writing.
    if (mKeepRefusedFile && !mEnteredSinceLoad)
        return true;
    if (!MoveRefusedFileAside(dataFolder, kFileName, &mKeepRefusedFile))
        return false;

    Zest::Buffer buffer;
    for (const HighScoreEntry& row : mScores) {
        buffer.WriteString(row.name);
        buffer.WriteLong(row.level);
        buffer.WriteLong(row.score);
    }
    return WriteSaveFile(path, buffer);
}

int32_t HighScoreStore::FindRank(const int32_t score) const
{
    for (size_t i = 0; i < mScores.size(); ++i) {
        if (mScores[i].score < score)
            return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t HighScoreStore::Insert(const std::string& name, const int32_t level, const int32_t score)
{
    const int32_t rank = FindRank(score);
    if (rank < 0)
        return -1;
    mScores.insert(mScores.begin() + rank,
                   HighScoreEntry(name.substr(0, Zest::Buffer::kMaxStringLength), level, score));
    mScores.pop_back();
    mEnteredSinceLoad = true;
    return rank;
}
