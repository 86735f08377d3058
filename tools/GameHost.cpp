// The game with a prepared player, for the scenarios under a virtual display that need a
// saved game the main menu would take long to reach: the end of a habitat, the last habitat,
// a saved board without a move.
// Usage: game_host write --habitat NAME --stage INDEX --next-level N --score N [--no-moves]
//        game_host run [--finish-level]
//
// write puts one player, "Host", into profiles.dat in the game's data folder (the one the
// game finds through XDG_DATA_HOME), replacing the file: an adventure started once, saved in
// the habitat (named as the game names it, "Grand Canyon") on its stage INDEX (from 0) as
// the game saves a stage, with the habitats completed (N, -1 before the first) and the score.
// The player has seen every tip, so that none comes between a scenario's steps, and has
// played a level's worth of chains, which the level report counts. With
// --no-moves the saved board leaves no move in the stage's mode (one creature on every cell
// in the food-chain mode, four creatures that never neighbour their own kind in the matching
// modes); without it no cell is saved and a continued game deals a fresh board. Bad
// arguments, a habitat or stage the game does not have, and a folder that cannot be written
// print why and end with status 2.
//
// run is the game itself, title, main menu and all, read from the folder the host lies in.
// With --finish-level one watcher widget more is in the widget manager: the first time a
// game session is in play with its board idle it ends the level as the mini-game's Done
// does (GameSession::OnLevelFinished), once, and prints "level finished: HABITAT".

#include "framework/app/common/Assert.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/PathHelpers.h"
#include "framework/resources/PakInterface.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/GameApp.h"
#include "game/Habitat.h"
#include "game/HabitatBuilder.h"
#include "game/HabitatRegistry.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/StorableBoard.h"
#include "game/StringTable.h"
#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/play/GameSession.h"
#include "platform/win32/Files.h"
#include "platform/win32/Path.h"
#include "platform/win32/Process.h"
#include "platform/win32/SystemLibraries.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

constexpr int kFailed = 2;
constexpr const char* kUsage =
    "Usage: game_host write --habitat NAME --stage INDEX --next-level N --score N [--no-moves]\n"
    "       game_host run [--finish-level]\n";
// What the written player has played so far: tiles taken in chains, chains, the longest.
constexpr int32_t kPlayedTiles = 37;
constexpr int32_t kPlayedChains = 12;
constexpr int32_t kPlayedLongestChain = 5;
constexpr const char* kPlayerName = "Host";
constexpr int32_t kColumns = GameBoard::kColumns;
constexpr int32_t kRows = GameBoard::kRows;
static_assert(kColumns * kRows == PlayerProfile::kBoardCells);

// The saved game the command line asks for; the habitat and the stage are checked against
// the habitats once they are built.
struct ProfileRequest {
    std::string habitat;
    int32_t stage = -1;
    int32_t nextLevel = -1;
    int32_t score = 0;
    bool noMoves = false;
};

int Fail(const std::string& problem)
{
    std::fprintf(stderr, "game_host: %s\n", problem.c_str());
    return kFailed;
}

int Usage(const std::string& problem) { return Fail(problem + "\n" + kUsage); }

// The whole text as a number; nothing otherwise.
std::optional<int32_t> ParseNumber(const std::string_view text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The request of "write", whose options follow from argv[2]; or the exit status of a usage
// message.
std::variant<ProfileRequest, int> ParseWriteArguments(const int argc, char** const argv)
{
    ProfileRequest request;
    bool stageGiven = false;
    bool nextLevelGiven = false;
    bool scoreGiven = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--no-moves") {
            request.noMoves = true;
            continue;
        }
        if (option != "--habitat" && option != "--stage" && option != "--next-level" && option != "--score")
            return Usage("unknown argument \"" + std::string(option) + "\"");
        if (i + 1 == argc)
            return Usage(std::string(option) + " needs a value");
        const std::string_view value = argv[++i];
        if (option == "--habitat") {
            request.habitat = value;
            continue;
        }
        const std::optional<int32_t> number = ParseNumber(value);
        if (!number)
            return Usage(std::string(option) + " takes a number, not \"" + std::string(value) + "\"");
        if (option == "--stage") {
            request.stage = *number;
            stageGiven = true;
        } else if (option == "--next-level") {
            request.nextLevel = *number;
            nextLevelGiven = true;
        } else {
            request.score = *number;
            scoreGiven = true;
        }
    }
    if (request.habitat.empty() || !stageGiven || !nextLevelGiven || !scoreGiven)
        return Usage("write needs --habitat, --stage, --next-level and --score");
    return request;
}

// A board to store in the profile: the creature of every cell, no frame, and the stage's
// plates as a fresh board lays them.
class PreparedBoard : public StorableBoard {
public:
    PreparedBoard(const std::array<const Creature*, PlayerProfile::kBoardCells>& cells, const int32_t plateKind)
        : mCells(cells), mPlateKind(plateKind)
    {
    }

    bool GetSavedTile(const int32_t column, const int32_t row, SavedTile& tile) const override
    {
        const Creature* const creature = mCells[static_cast<size_t>(row * kColumns + column)];
        ZEST_ASSERT(creature != nullptr);
        tile.mCreatureName = creature->GetName();
        tile.mLevel = creature->mLevel;
        tile.mOverlay = 0;
        tile.mVariant = 0;
        tile.mLock = LOCK_NONE;
        tile.mInfected = false;
        tile.mSearchMark = false;
        return true;
    }
    bool IsCellMarked(int32_t /*index*/) const override { return false; }
    int32_t GetFrameShape() const override { return GameBoard::kNoFrame; }
    int32_t GetFrameAnchor() const override { return GameBoard::kNoFrame; }
    std::vector<int32_t> GetFrameCells() const override { return {}; }
    std::vector<int32_t> GetPlates() const override
    {
        return std::vector<int32_t>(PlayerProfile::kBoardCells, mPlateKind);
    }
    std::vector<bool> GetPlateBonusFlags() const override
    {
        return std::vector<bool>(PlayerProfile::kPlateBonusFlagCount, false);
    }

private:
    const std::array<const Creature*, PlayerProfile::kBoardCells> mCells;
    const int32_t mPlateKind;
};

// The cells of a board on which the stage's mode finds no move, or nothing (with the reason)
// for a mode that always has one. The food chain needs a higher and a lower neighbour, which
// one creature everywhere never gives; matches need a neighbour of the same creature, which
// four creatures laid in 2 x 2 blocks of different ones never give, corners included.
std::optional<std::array<const Creature*, PlayerProfile::kBoardCells>>
CellsWithoutMoves(const Habitat& habitat, const Stage& stage, std::string* problem)
{
    constexpr size_t kPatternCreatures = 4;
    std::vector<const Creature*> creatures;
    for (const std::unique_ptr<Creature>& creature : habitat.mCreatures) {
        if (!creature->IsItem() && creatures.size() < kPatternCreatures)
            creatures.push_back(creature.get());
    }
    std::array<const Creature*, PlayerProfile::kBoardCells> cells{};
    switch (stage.mMode) {
    case MODE_FOOD_CHAIN:
        ZEST_ASSERT(!creatures.empty());
        cells.fill(creatures.front());
        return cells;
    case MODE_MATCH_SAME:
    case MODE_MATCH_PAIRS:
        if (creatures.size() < kPatternCreatures) {
            *problem = habitat.mName + " has too few creatures for a board without a match";
            return std::nullopt;
        }
        for (int32_t row = 0; row < kRows; ++row) {
            for (int32_t column = 0; column < kColumns; ++column)
                cells[static_cast<size_t>(row * kColumns + column)] = creatures[column % 2 + 2 * (row % 2)];
        }
        return cells;
    default:
        *problem = "a match-search stage always has a move";
        return std::nullopt;
    }
}

// The folder GameApp::CreateDataFolder uses: the application's folder in the
// application-data folder, and its GAData; empty when there is no application-data folder.
std::string FindDataFolder(const GameApp& app)
{
    char base[Win32::MAX_PATH] = {};
    if (Win32::SHGetFolderPathA(nullptr, Win32::CSIDL_COMMON_APPDATA, nullptr, 0, base) != Win32::S_OK)
        return {};
    return Zest::RemoveTrailingSlash(base) + "\\" + app.mDataFolderCompany + "\\" + app.mProductName + "\\" +
           GameApp::kDataFolderName + "\\";
}

std::string HabitatList(const HabitatRegistry& habitats)
{
    std::string list;
    for (const auto& [index, name] : habitats.mHabitatNames)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

// The application lends its names, its start folder and its habitat registry; it opens no
// window. The habitats need the game's texts (creatures are saved by their display names)
// but no pictures.
int WriteProfile(const ProfileRequest& request, GameApp& app)
{
    if (!Win32::SetCurrentDirectoryA(app.mStartFolder.c_str()))
        return Fail("cannot read the game's content in \"" + app.mStartFolder + "\"");
    Zest::gPakInterface->AddPakFile("main.pak");
    std::string reason;
    if (!StringTableHolder::Instance().Load(StringTable::kFileName, &reason))
        return Fail("the game's texts could not be read: " + reason);
    BuildAllHabitats(app.mHabitats, GetGameString, app.mResourceSource);

    const Habitat* const habitat = app.mHabitats.GetHabitat(request.habitat);
    if (habitat == nullptr)
        return Fail("no habitat \"" + request.habitat + "\"; the habitats are " + HabitatList(app.mHabitats));
    const int32_t stageCount = static_cast<int32_t>(habitat->mStages.size());
    if (request.stage < 0 || request.stage >= stageCount)
        return Fail(habitat->mName + " has the stages 0 to " + std::to_string(stageCount - 1));

    auto profile = std::make_unique<PlayerProfile>(kPlayerName);
    profile->mHabitatsStarted = 1;
    profile->mHabitatName = habitat->mName;
    // A stage is saved as the copy a session plays, taken from the habitat's list.
    profile->mStage = habitat->mStages[static_cast<size_t>(request.stage)];
    profile->mStageIndex = profile->mStage.mIndex;
    profile->mNextLevel = request.nextLevel;
    profile->mScore = request.score;
    for (int32_t tip = 0; tip < PlayerProfile::kTutorialTipCount; ++tip)
        profile->SetTutorialSeen(tip);
    // A level's worth of play, so that the level report has rows to count.
    profile->mStats.mTilesTaken = kPlayedTiles;
    profile->mStats.mChainsMade = kPlayedChains;
    profile->mStats.mLongestChain = kPlayedLongestChain;
    if (request.noMoves) {
        const auto cells = CellsWithoutMoves(*habitat, profile->mStage, &reason);
        if (!cells)
            return Fail(reason);
        profile->StoreBoard(PreparedBoard(*cells, profile->mStage.mPlateKind));
    } else {
        profile->mPlates.fill(profile->mStage.mPlateKind);
    }

    const std::string dataFolder = FindDataFolder(app);
    if (dataFolder.empty())
        return Fail("there is no application-data folder: XDG_DATA_HOME and HOME are not set");
    Zest::CreateDirectories(dataFolder);
    ProfileStore store;
    store.AddProfile(std::move(profile));
    const std::string file = Win32::ToNativePath(dataFolder + ProfileStore::kFileName);
    if (!store.Save(dataFolder))
        return Fail("could not write " + file);
    std::printf("wrote %s\n", file.c_str());
    return 0;
}

// Ends the first level that is in play with its board idle, once, from the widget tree's
// update as the mini-game's Done would.
class LevelFinisher : public Zest::Widget {
public:
    explicit LevelFinisher(const GameApp& app) : mApp(app) {}

    void UpdateSmooth(const float fraction) override
    {
        Widget::UpdateSmooth(fraction);
        GameSession* const session = mApp.mGameSession;
        if (mFinished || session == nullptr || session->mState != STATE_PLAY)
            return;
        // Play starts once the level's board is there.
        ZEST_ASSERT(session->mBoard != nullptr);
        if (session->mBoard->mPhase != PHASE_IDLE)
            return;
        mFinished = true;
        std::printf("level finished: %s\n", session->mHabitat->mName.c_str());
        std::fflush(stdout);
        session->OnLevelFinished();
    }

private:
    const GameApp& mApp;
    bool mFinished = false;
};

int RunGame(GameApp& app, const bool finishLevel)
{
    app.Init();
    // Never drawn and never under the pointer: it has no size.
    LevelFinisher finisher(app);
    if (finishLevel)
        app.mWidgetManager->AddWidget(&finisher);
    app.Start();
    if (finishLevel)
        app.mWidgetManager->RemoveWidget(&finisher);
    return app.mExitStatus;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view command = argc > 1 ? argv[1] : "";
    const bool finishLevel = argc == 3 && std::string_view(argv[2]) == "--finish-level";
    std::optional<ProfileRequest> request;
    if (command == "write") {
        std::variant<ProfileRequest, int> parsed = ParseWriteArguments(argc, argv);
        if (const int* const status = std::get_if<int>(&parsed))
            return *status;
        request = std::get<ProfileRequest>(parsed);
    } else if (command != "run" || (argc > 2 && !finishLevel)) {
        return Usage(command.empty() ? "write or run?" : "unknown arguments after \"" + std::string(command) + "\"");
    }
    // The framework reads no parameter of the host's.
    Win32::SetCommandLine(1, argv);
    auto app = std::make_unique<GameApp>();
    const int status = request ? WriteProfile(*request, *app) : RunGame(*app, finishLevel);
    // Before the objects the framework makes on first use go at exit (see GameAppHolder).
    app.reset();
    return status;
}
