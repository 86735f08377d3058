// The floors of the tree and the includes allowed between them.
//
// Lowest first: the platform stand-ins (platform/: win32 and the audio device at the
// bottom, the display, sound, music, image-codec and physics stand-ins on them); the
// framework's common helpers (framework/app/common); the file readers (framework/resources:
// the archive, XML and image files); drawing (framework/graphics); the display back end
// (framework/directx); the widgets (framework/widgets); sound and music (framework/sound);
// the resource manager (framework/resources/manager); the application object
// (framework/app); the game's physical objects (game/physics); the game model (game/); the
// physical objects that need the model (game/physics/entities: the mini-games' creatures and
// cannons, the stage events' carrier); the menus and screens (game/screens); the board, the
// game session and the mini-game screen (game/play, game/MiniGameWidget); the game's
// application object and entry point (game/GameApp*, game/main.cpp); and on top the tools,
// the benchmarks and the tests, which may include anything. A file belongs to the floor of
// the longest prefix that names it; every include of the tree is written as a path from the
// top of the tree, so it names its floor the same way. A file may include its own floor and
// the floors its row lists, nothing else.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Floor {
    const char* name;
    // Paths from the top of the tree that belong to the floor.
    std::vector<std::string> prefixes;
    // The floors its files may include besides their own; "*" for any.
    std::vector<std::string> mayInclude;
};

const std::vector<Floor>& Floors()
{
    static const std::vector<Floor> floors = {
        {"win32", {"platform/win32/"}, {}},
        {"audio", {"platform/audio/"}, {}},
        {"ddraw", {"platform/ddraw/"}, {"win32"}},
        {"dsound", {"platform/dsound/"}, {"win32", "audio"}},
        {"music", {"platform/music/"}, {"win32", "audio"}},
        {"j2k", {"platform/j2k/"}, {}},
        {"physics", {"platform/physics/"}, {}},
        {"helpers", {"framework/app/common/"}, {"win32"}},
        {"readers", {"framework/resources/"}, {"helpers", "win32", "j2k"}},
        {"graphics", {"framework/graphics/"}, {"helpers", "readers"}},
        {"directx", {"framework/directx/"}, {"graphics", "helpers", "win32", "ddraw", "dsound"}},
        {"widgets", {"framework/widgets/"}, {"directx", "graphics"}},
        {"sound", {"framework/sound/"}, {"helpers", "readers", "win32", "audio", "dsound", "music"}},
        {"manager", {"framework/resources/manager/"}, {"sound", "directx", "graphics", "readers", "helpers"}},
        {"application",
         {"framework/app/"},
         {"manager", "sound", "widgets", "directx", "graphics", "readers", "helpers", "win32"}},
        {"gamephysics", {"game/physics/"}, {"physics", "widgets", "graphics", "helpers"}},
        {"model",
         {"game/"},
         {"gamephysics", "physics", "application", "manager", "widgets", "graphics", "readers", "helpers",
          "win32"}},
        {"entities", {"game/physics/entities/"}, {"model", "gamephysics", "physics", "widgets", "graphics", "helpers"}},
        {"screens",
         {"game/screens/"},
         {"model", "gamephysics", "physics", "application", "widgets", "graphics", "helpers"}},
        {"play",
         {"game/play/", "game/MiniGameWidget"},
         {"screens", "entities", "model", "gamephysics", "physics", "application", "widgets", "graphics", "helpers"}},
        {"game",
         {"game/GameApp", "game/main.cpp"},
         {"play", "screens", "entities", "model", "gamephysics", "application", "manager", "sound", "widgets", "graphics", "helpers",
          "win32", "physics"}},
        {"tools", {"tools/", "bench/", "tests/"}, {"*"}},
    };
    return floors;
}

// The index in Floors() of the floor a path from the top of the tree belongs to; -1 for none.
int FloorOf(const std::string& path)
{
    int found = -1;
    size_t foundLength = 0;
    const std::vector<Floor>& floors = Floors();
    for (size_t i = 0; i < floors.size(); ++i) {
        for (const std::string& prefix : floors[i].prefixes) {
            if (path.compare(0, prefix.size(), prefix) == 0 && prefix.size() > foundLength) {
                found = static_cast<int>(i);
                foundLength = prefix.size();
            }
        }
    }
    return found;
}

int FloorNamed(const std::string& name)
{
    const std::vector<Floor>& floors = Floors();
    for (size_t i = 0; i < floors.size(); ++i) {
        if (name == floors[i].name)
            return static_cast<int>(i);
    }
    return -1;
}

bool MayInclude(const int from, const int to)
{
    if (from == to)
        return true;
    const std::vector<std::string>& allowed = Floors()[from].mayInclude;
    return std::find(allowed.begin(), allowed.end(), "*") != allowed.end() ||
           std::find(allowed.begin(), allowed.end(), Floors()[to].name) != allowed.end();
}

// Every "file:line: ..." fault of one source file's quoted includes.
std::vector<std::string> CheckIncludes(const std::string& file, std::istream& text)
{
    std::vector<std::string> faults;
    const int from = FloorOf(file);
    if (from < 0)
        return faults;
    static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, kInclude))
            continue;
        const std::string target = match[1];
        const std::string where = file + ":" + std::to_string(number) + ": ";
        const int to = FloorOf(target);
        if (to < 0) {
            faults.push_back(where + "\"" + target + "\" is not a path from the top of the tree");
        } else if (!MayInclude(from, to)) {
            const std::string edge = std::string(Floors()[from].name) + " -> " + Floors()[to].name;
            faults.push_back(where + (to > from ? "upward include " : "include not in the table ") + edge +
                             " (\"" + target + "\")");
        }
    }
    return faults;
}

std::vector<std::string> CheckText(const std::string& file, const std::string& text)
{
    std::istringstream stream(text);
    return CheckIncludes(file, stream);
}

TEST(IncludeLayers, TheTableOnlyGoesDownAndNamesKnownFloors)
{
    const std::vector<Floor>& floors = Floors();
    for (size_t from = 0; from < floors.size(); ++from) {
        for (const std::string& name : floors[from].mayInclude) {
            if (name == "*")
                continue;
            const int to = FloorNamed(name);
            EXPECT_GE(to, 0) << floors[from].name << " lists an unknown floor " << name;
            EXPECT_LT(to, static_cast<int>(from)) << floors[from].name << " -> " << name << " goes up";
        }
    }
}

TEST(IncludeLayers, FaultsNameTheFileTheLineAndTheEdge)
{
    struct Case {
        const char* file;
        const char* text;
        std::vector<std::string> faults;
    };
    const Case cases[] = {
        {"framework/graphics/Image.cpp",
         "#include \"framework/graphics/Image.h\"\n#include \"framework/app/common/Buffer.h\"\n", {}},
        {"framework/graphics/Image.cpp",
         "// a comment\n#include \"framework/app/ZestAppBase.h\"\n",
         {"framework/graphics/Image.cpp:2: upward include graphics -> application "
          "(\"framework/app/ZestAppBase.h\")"}},
        {"framework/widgets/Widget.h",
         "  #  include \"platform/win32/Window.h\"\n",
         {"framework/widgets/Widget.h:1: include not in the table widgets -> win32 (\"platform/win32/Window.h\")"}},
        {"platform/music/Song.cpp",
         "#include \"framework/resources/PakFile.h\"\n",
         {"platform/music/Song.cpp:1: upward include music -> readers (\"framework/resources/PakFile.h\")"}},
        {"game/screens/MainMenu.cpp",
         "#include \"game/GameApp.h\"\n",
         {"game/screens/MainMenu.cpp:1: upward include screens -> game (\"game/GameApp.h\")"}},
        {"game/GameApp.cpp", "#include \"game/screens/MainMenu.h\"\n#include \"game/Res.h\"\n", {}},
        {"game/Res.cpp", "#include \"Res.h\"\n", {"game/Res.cpp:1: \"Res.h\" is not a path from the top of the tree"}},
        {"tests/game/ResTest.cpp", "#include \"game/GameApp.h\"\n#include \"platform/win32/Files.h\"\n", {}},
        {"content/notes.h", "#include \"game/GameApp.h\"\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckText(c.file, c.text), c.faults) << c.file << ":\n" << c.text;
}

TEST(IncludeLayers, EveryIncludeOfTheTreeGoesDownTheTable)
{
    const fs::path root = GREENATLAS_SOURCE_DIR;
    std::vector<std::string> faults;
    size_t checked = 0;
    for (const char* top : {"platform", "framework", "game", "tools", "bench", "tests"}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / top)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            std::ifstream text(entry.path());
            ASSERT_TRUE(text) << entry.path();
            const std::vector<std::string> found =
                CheckIncludes(entry.path().lexically_relative(root).generic_string(), text);
            faults.insert(faults.end(), found.begin(), found.end());
            ++checked;
        }
    }
    EXPECT_GT(checked, 500u);
    std::string report;
    for (const std::string& fault : faults)
        report += fault + "\n";
    EXPECT_TRUE(faults.empty()) << report;
}

} // namespace
