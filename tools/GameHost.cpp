// The game with a prepared player, for the scenarios under a virtual display that need a
// saved game the main menu would take long to reach: the end of a habitat, the last habitat,
// a saved board without a move, a stage one chain away from its end.
// Usage: game_host write --habitat NAME --stage INDEX --next-level N --score N
//                        [--no-moves | --one-goal-left]
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
// modes). With --one-goal-left, for a match-same or match-pairs stage, every counted goal of
// the stage is met but the last one, and the saved board holds a chain that completes that
// goal for certain: in match pairs the pair counts at once; in match same the chain
// lets the goal's creature fall into the target frame's second cell, below the first, and
// the filled frame counts. The cells of that chain are printed on a line
// "chain: COLUMN ROW COLUMN ROW ..." (cells from 0, rows from the top). Whatever a stage
// event or a refill does after the chain comes too late: the frame is tested in the very
// update in which the board comes to rest, before a carrier can be sent in, and refills
// land only in the top cells of the chain's columns. Without either option no cell is saved
// and a continued game deals a fresh board. Bad arguments, a habitat or stage the game does
// not have, and a folder that cannot be written print why and end with status 2.
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

#include <algorithm>
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
    "Usage: game_host write --habitat NAME --stage INDEX --next-level N --score N\n"
    "                       [--no-moves | --one-goal-left]\n"
    "       game_host run [--finish-level]\n";
// What the written player has played so far: tiles taken in chains, chains, the longest.
constexpr int32_t kPlayedTiles = 37;
constexpr int32_t kPlayedChains = 12;
constexpr int32_t kPlayedLongestChain = 5;
constexpr const char* kPlayerName = "Host";
constexpr int32_t kColumns = GameBoard::kColumns;
constexpr int32_t kRows = GameBoard::kRows;
static_assert(kColumns * kRows == PlayerProfile::kBoardCells);
// The board's frame shape of two cells, one above the other, placed by the upper one.
constexpr int32_t kVerticalPairFrame = 1;

using BoardCells = std::array<const Creature*, PlayerProfile::kBoardCells>;

// A cell by its column and row.
struct Cell {
    int32_t column;
    int32_t row;
};

constexpr int32_t CellIndex(const Cell cell) { return cell.row * kColumns + cell.column; }

// The saved game the command line asks for; the habitat and the stage are checked against
// the habitats once they are built.
struct ProfileRequest {
    std::string habitat;
    int32_t stage = -1;
    int32_t nextLevel = -1;
    int32_t score = 0;
    bool noMoves = false;
    bool oneGoalLeft = false;
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
        if (option == "--no-moves" || option == "--one-goal-left") {
            (option == "--no-moves" ? request.noMoves : request.oneGoalLeft) = true;
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
    if (request.noMoves && request.oneGoalLeft)
        return Usage("--no-moves and --one-goal-left exclude each other");
    return request;
}

// The creature of every cell, the variant of each (0 unless set) and the target frame, if
// any.
struct BoardLayout {
    BoardCells cells{};
    std::array<int32_t, PlayerProfile::kBoardCells> variants{};
    int32_t frameShape = GameBoard::kNoFrame;
    int32_t frameAnchor = GameBoard::kNoFrame;
};

// A board to store in the profile: the layout's cells and frame, and the stage's plates as
// a fresh board lays them.
class PreparedBoard : public StorableBoard {
public:
    PreparedBoard(const BoardLayout& layout, const int32_t plateKind) : mLayout(layout), mPlateKind(plateKind) {}

    bool GetSavedTile(const int32_t column, const int32_t row, SavedTile& tile) const override
    {
        const auto index = static_cast<size_t>(CellIndex({column, row}));
        const Creature* const creature = mLayout.cells[index];
        ZEST_ASSERT(creature != nullptr);
        tile.mCreatureName = creature->GetName();
        tile.mLevel = creature->mLevel;
        tile.mOverlay = 0;
        tile.mVariant = mLayout.variants[index];
        tile.mLock = LOCK_NONE;
        tile.mInfected = false;
        tile.mSearchMark = false;
        return true;
    }
    bool IsCellMarked(int32_t /*index*/) const override { return false; }
    int32_t GetFrameShape() const override { return mLayout.frameShape; }
    int32_t GetFrameAnchor() const override { return mLayout.frameAnchor; }
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
    const BoardLayout mLayout;
    const int32_t mPlateKind;
};

// Four creatures of the habitat, none of those left out, laid in 2 x 2 blocks of different
// ones: no creature neighbours its own kind, corners included. False when the habitat has
// too few.
bool FillWithoutMatches(const Habitat& habitat, const std::vector<const Creature*>& leftOut, BoardCells& cells)
{
    constexpr size_t kPatternCreatures = 4;
    std::vector<const Creature*> creatures;
    for (const std::unique_ptr<Creature>& creature : habitat.mCreatures) {
        const bool left = std::find(leftOut.begin(), leftOut.end(), creature.get()) != leftOut.end();
        if (!creature->IsItem() && !left && creatures.size() < kPatternCreatures)
            creatures.push_back(creature.get());
    }
    if (creatures.size() < kPatternCreatures)
        return false;
    for (int32_t row = 0; row < kRows; ++row) {
        for (int32_t column = 0; column < kColumns; ++column)
            cells[static_cast<size_t>(CellIndex({column, row}))] = creatures[column % 2 + 2 * (row % 2)];
    }
    return true;
}

// A board on which the stage's mode finds no move, or nothing (with the reason) for a mode
// that always has one. The food chain needs a higher and a lower neighbour, which one
// creature everywhere never gives; matches need a neighbour of the same creature.
std::optional<BoardLayout> LayoutWithoutMoves(const Habitat& habitat, const Stage& stage, std::string* problem)
{
    BoardLayout layout;
    switch (stage.mMode) {
    case MODE_FOOD_CHAIN: {
        const auto creature = std::find_if(habitat.mCreatures.begin(), habitat.mCreatures.end(),
                                           [](const std::unique_ptr<Creature>& each) { return !each->IsItem(); });
        ZEST_ASSERT(creature != habitat.mCreatures.end());
        layout.cells.fill(creature->get());
        return layout;
    }
    case MODE_MATCH_SAME:
    case MODE_MATCH_PAIRS:
        if (!FillWithoutMatches(habitat, {}, layout.cells)) {
            *problem = habitat.mName + " has too few creatures for a board without a match";
            return std::nullopt;
        }
        return layout;
    default:
        *problem = "a match-search stage always has a move";
        return std::nullopt;
    }
}

// A board with one move and the cells of that move, in the order a drag takes them.
struct OneMoveBoard {
    BoardLayout layout;
    std::vector<Cell> chain;
};

// The board of --one-goal-left around the stage's last counted goal. Match pairs: two tiles
// of the goal's creature of different variants, side by side, whose pair ends the stage at
// once. Match same: a vertical-pair
// frame on (0, 3) and (0, 4) with the goal's creature in (0, 4) and in (0, 2), above the
// frame; another creature in (0, 3), (1, 3) and (1, 4) makes the move, after which (0, 2)
// falls into (0, 3) and fills the frame once the board rests. In the far corner the goal's
// creature stands in (4, 5) and the other one in (4, 4), (5, 4) and (5, 5): neither the
// move nor the frame takes the last tiles of a kind, which would earn the collector's bonus
// and after the move clear the board for a fresh one, and a second move stays while the
// tiles fall, so that the game is not over before the frame is tested. The rest of the
// board has no match. The goal's count becomes what the move
// collects: a pair counts once, a frame each of its tiles.
std::optional<OneMoveBoard> LayoutWithOneGoalLeft(const Habitat& habitat, Stage& stage, std::string* problem)
{
    if (stage.mMode != MODE_MATCH_SAME && stage.mMode != MODE_MATCH_PAIRS) {
        *problem = "--one-goal-left needs a match-same or match-pairs stage";
        return std::nullopt;
    }
    StageGoal* left = nullptr;
    for (StageGoal& goal : stage.mGoals) {
        if (goal.mCount == StageGoal::NOT_COUNTED || goal.mCreature == nullptr)
            continue;
        goal.mCount = 0;
        left = &goal;
    }
    if (left == nullptr) {
        *problem = "the stage has no counted goal";
        return std::nullopt;
    }
    // Counted goals are creatures; only a creature's tiles are matched.
    ZEST_ASSERT(!left->mCreature->IsItem());
    const Creature* const goal = left->mCreature;

    OneMoveBoard board;
    BoardLayout& layout = board.layout;
    const auto set = [&layout](const Cell cell, const Creature* const creature, const int32_t variant) {
        layout.cells[static_cast<size_t>(CellIndex(cell))] = creature;
        layout.variants[static_cast<size_t>(CellIndex(cell))] = variant;
    };
    if (stage.mMode == MODE_MATCH_PAIRS) {
        if (!FillWithoutMatches(habitat, {goal}, layout.cells)) {
            *problem = habitat.mName + " has too few creatures for a board with one pair";
            return std::nullopt;
        }
        board.chain = {{0, 3}, {1, 3}};
        set(board.chain[0], goal, 0);
        set(board.chain[1], goal, 1);
        left->mCount = 1;
        return board;
    }

    const auto mover = std::find_if(habitat.mCreatures.begin(), habitat.mCreatures.end(),
                                    [goal](const std::unique_ptr<Creature>& each) {
                                        return !each->IsItem() && each.get() != goal;
                                    });
    if (mover == habitat.mCreatures.end() || !FillWithoutMatches(habitat, {goal, mover->get()}, layout.cells)) {
        *problem = habitat.mName + " has too few creatures for a board with one match";
        return std::nullopt;
    }
    constexpr Cell kFrameTop{0, 3};
    constexpr Cell kFrameBottom{0, 4};
    constexpr Cell kAboveFrame{0, 2};
    constexpr Cell kSpareOfGoal{kColumns - 2, kRows - 1};
    constexpr std::array<Cell, 3> kSpareMove = {
        {{kColumns - 2, kRows - 2}, {kColumns - 1, kRows - 2}, {kColumns - 1, kRows - 1}}};
    layout.frameShape = kVerticalPairFrame;
    layout.frameAnchor = CellIndex(kFrameTop);
    set(kFrameBottom, goal, 0);
    set(kAboveFrame, goal, 0);
    board.chain = {kFrameTop, {1, 3}, {1, 4}};
    for (const Cell cell : board.chain)
        set(cell, mover->get(), 0);
    set(kSpareOfGoal, goal, 0);
    for (const Cell cell : kSpareMove)
        set(cell, mover->get(), 0);
    left->mCount = 2;
    return board;
}

// Goal creatures collected in the habitat when the stage has the counts given and the
// stages before it are done.
int32_t CollectedBefore(const Habitat& habitat, const Stage& stage)
{
    int32_t collected = 0;
    for (const Stage& each : habitat.mStages) {
        if (each.mIndex > stage.mIndex)
            continue;
        for (int32_t goal = 0; goal < each.GetGoalCount(); ++goal) {
            const int32_t target = each.GetGoalTarget(goal);
            if (target == StageGoal::NOT_COUNTED)
                continue;
            collected += each.mIndex < stage.mIndex ? target : target - stage.GetGoal(goal).mCount;
        }
    }
    return collected;
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
    std::vector<Cell> chain;
    if (request.noMoves) {
        const std::optional<BoardLayout> layout = LayoutWithoutMoves(*habitat, profile->mStage, &reason);
        if (!layout)
            return Fail(reason);
        profile->StoreBoard(PreparedBoard(*layout, profile->mStage.mPlateKind));
    } else if (request.oneGoalLeft) {
        const std::optional<OneMoveBoard> board = LayoutWithOneGoalLeft(*habitat, profile->mStage, &reason);
        if (!board)
            return Fail(reason);
        profile->StoreBoard(PreparedBoard(board->layout, profile->mStage.mPlateKind));
        profile->mHabitatProgress = CollectedBefore(*habitat, profile->mStage);
        chain = board->chain;
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
    if (!chain.empty()) {
        std::printf("chain:");
        for (const Cell cell : chain)
            std::printf(" %d %d", cell.column, cell.row);
        std::printf("\n");
    }
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
