// The game with one chosen stage in play at once: it passes the title (skipping the logo)
// and the main menu by itself, plays as a player of its own (no name entry), starts the
// habitat's session, puts the chosen stage, with an optional plate kind, in place of the
// habitat's first and starts the level without the world map, so that the stage deals its
// board at once. From then on the board is played in the window as in the game. It reaches
// the boards the main menu cannot reach quickly, for looking at them and for the scenarios
// under a virtual display.
// Usage: board_host --habitat NAME|INDEX --stage INDEX [--plates 0|1|2]
//
// The habitat is named as the game names it ("Arctic") or given by its index (0 is the
// first habitat built); the stage is its index in the habitat's list, from 0; the plate kind
// is 0 copper, 1 silver, 2 golden (without it the stage keeps its own). Once the board is
// dealt it prints one line "dealt: ..." with the mode, the plate kind and the target frame,
// so that a script knows where to look. Bad arguments print the usage and end with status 2.
// Like the game it reads its content from the folder it lies in. The player's files are
// read but never written: the host's player is not saved.

#include "framework/app/common/Assert.h"
#include "game/GameApp.h"
#include "game/GameOptions.h"
#include "game/Habitat.h"
#include "game/HabitatRegistry.h"
#include "game/PlayerProfile.h"
#include "game/play/GameBoard.h"
#include "game/play/GameSession.h"
#include "game/screens/StoryScreens.h"
#include "game/screens/TitleScreen.h"
#include "platform/win32/Process.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace {

constexpr int kBadArguments = 2;
constexpr const char* kUsage = "Usage: board_host --habitat NAME|INDEX --stage INDEX [--plates 0|1|2]\n"
                               "  NAME as the game names the habitat, INDEX from 0; plates 0 copper, 1 silver,\n"
                               "  2 golden (the stage's own without --plates).\n";
constexpr const char* kPlayerName = "Host";
constexpr int32_t kHighestPlateKind = 2;

// What the command line asks for; the habitat and the stage are checked against the
// habitats once they are built.
struct HostRequest {
    // A name, or an index when it is a number.
    std::string habitat;
    int32_t stage = -1;
    // -1 keeps the stage's own.
    int32_t plateKind = -1;
};

// The whole text as a number that is not negative; nothing otherwise.
std::optional<int32_t> ParseIndex(const std::string_view text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

int Usage(const std::string& problem)
{
    std::fprintf(stderr, "board_host: %s\n%s", problem.c_str(), kUsage);
    return kBadArguments;
}

// The request, or the exit status of a usage message.
std::variant<HostRequest, int> ParseArguments(const int argc, char** const argv)
{
    HostRequest request;
    bool stageGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option != "--habitat" && option != "--stage" && option != "--plates")
            return Usage("unknown argument \"" + std::string(option) + "\"");
        if (i + 1 == argc)
            return Usage(std::string(option) + " needs a value");
        const std::string_view value = argv[++i];
        if (option == "--habitat") {
            request.habitat = value;
            continue;
        }
        const std::optional<int32_t> number = ParseIndex(value);
        if (option == "--stage") {
            if (!number)
                return Usage("the stage is an index from 0, not \"" + std::string(value) + "\"");
            request.stage = *number;
            stageGiven = true;
        } else {
            if (!number || *number > kHighestPlateKind)
                return Usage("the plate kind is 0, 1 or 2, not \"" + std::string(value) + "\"");
            request.plateKind = *number;
        }
    }
    if (request.habitat.empty())
        return Usage("--habitat is missing");
    if (!stageGiven)
        return Usage("--stage is missing");
    return request;
}

class BoardHostApp : public GameApp {
public:
    explicit BoardHostApp(HostRequest request) : mRequest(std::move(request)) {}

    // Before the main menu shows, so that it finds a current player and asks for no name.
    void TitleScreenIsFinished() override
    {
        AddProfile(std::make_unique<PlayerProfile>(kPlayerName));
        GameApp::TitleScreenIsFinished();
        mBoardDue = true;
    }

    // The title's button is pressed as soon as loading is done and the logo is left out;
    // the board starts after the update in which the title handed over, outside the widget
    // tree's update, since it takes the main menu out of the tree.
    void RunSmoothUpdate(const float fraction) override
    {
        GameApp::RunSmoothUpdate(fraction);
        if (mTitleScreen != nullptr && mTitleScreen->mClickHereButton != nullptr) {
            mTitleScreen->OnClickHere();
            mTitleScreen->mState = TitleScreen::FINISHED;
        }
        if (mBoardDue) {
            mBoardDue = false;
            StartBoard();
        }
        if (!mDealtReported && mGameSession != nullptr && mGameSession->mBoard != nullptr &&
            mGameSession->mBoard->mDealt) {
            mDealtReported = true;
            ReportDealtBoard(*mGameSession);
        }
    }

    // The host's player is thrown away with the process.
    void OnShutdown() override {}

private:
    void StartBoard()
    {
        const int32_t habitatIndex = FindHabitatIndex();
        if (habitatIndex == HabitatRegistry::NO_HABITAT) {
            StopForArguments("no habitat \"" + mRequest.habitat + "\"; the habitats are " + HabitatList());
            return;
        }
        const Habitat* const habitat = GetHabitat(GetHabitatNameByIndex(habitatIndex));
        ZEST_ASSERT(habitat != nullptr);
        const int32_t stageCount = static_cast<int32_t>(habitat->mStages.size());
        if (mRequest.stage >= stageCount) {
            StopForArguments(habitat->mName + " has the stages 0 to " + std::to_string(stageCount - 1));
            return;
        }

        StartGameSession(0, habitatIndex);
        GameSession& session = *mGameSession;
        // The session started the habitat's first stage; the chosen one replaces it, with
        // only its own creatures dealt.
        session.mStage = habitat->mStages[static_cast<size_t>(mRequest.stage)];
        session.mHabitat->ClearActiveCreatures();
        session.mStage.ActivateCreatures();
        if (mRequest.plateKind >= 0)
            session.mStage.mPlateKind = mRequest.plateKind;
        session.mMode = session.mStage.mMode;
        GetCurrentProfile()->mStageIndex = session.mStage.mIndex;
        // The level starts as the world map's Done would start it, before the map opens. The
        // host's player sees no tips, and the first habitat's introduction closes on its
        // first update, dealing the stage in.
        GameOptionsHolder::Instance().mTutorialTips = false;
        session.StartLevel();
        if (mStoryScreens != nullptr)
            mStoryScreens->mState = StoryScreens::PAGE_LEFT;
        std::printf("playing %s, stage %d\n", habitat->mName.c_str(), mRequest.stage);
        std::fflush(stdout);
    }

    int32_t FindHabitatIndex() const
    {
        if (const std::optional<int32_t> index = ParseIndex(mRequest.habitat))
            return mHabitats.mHabitatNames.count(*index) != 0 ? *index : HabitatRegistry::NO_HABITAT;
        return mHabitats.GetHabitatIndexByName(mRequest.habitat);
    }

    std::string HabitatList() const
    {
        std::string list;
        for (const auto& [index, name] : mHabitats.mHabitatNames)
            list += (list.empty() ? "" : ", ") + std::to_string(index) + " " + name;
        return list;
    }

    void StopForArguments(const std::string& problem)
    {
        mExitStatus = Usage(problem);
        Shutdown();
    }

    static void ReportDealtBoard(const GameSession& session)
    {
        const GameBoard& board = *session.mBoard;
        std::string cells;
        for (const int32_t cell : board.mFrameCells)
            cells += " " + std::to_string(cell);
        std::printf("dealt: mode %d, plate kind %d, frame shape %d, frame anchor %d, frame cells%s\n", session.mMode,
                    session.mStage.mPlateKind, board.mFrameShape, board.mFrameAnchor, cells.c_str());
        std::fflush(stdout);
    }

    const HostRequest mRequest;
    // The title has handed over; the board starts after this update.
    bool mBoardDue = false;
    bool mDealtReported = false;
};

} // namespace

int main(int argc, char** argv)
{
    const std::variant<HostRequest, int> parsed = ParseArguments(argc, argv);
    if (const int* const status = std::get_if<int>(&parsed))
        return *status;
    // The framework reads no parameter of the host's.
    Win32::SetCommandLine(1, argv);
    auto app = std::make_unique<BoardHostApp>(std::get<HostRequest>(parsed));
    app->Init();
    app->Start();
    const int status = app->mExitStatus;
    // Before the objects the framework makes on first use go at exit (see GameAppHolder).
    app.reset();
    return status;
}
