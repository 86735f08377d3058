#include "framework/app/common/URLLauncher.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/MainThread.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

extern char** environ;

namespace Zest {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](const char a, const char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// Programs started and not yet known to have ended.
std::vector<pid_t>& StartedPrograms()
{
    static std::vector<pid_t> started;
    return started;
}

void ReapEndedPrograms()
{
    std::vector<pid_t>& started = StartedPrograms();
    std::erase_if(started, [](const pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

// Owns the spawn attributes and file actions for one call.
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawnattr_init(&mAttributes);
        posix_spawn_file_actions_init(&mActions);
        // Signals this program handles or ignores go back to their defaults, none blocked.
        sigset_t all;
        sigfillset(&all);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&mAttributes, &all);
        posix_spawnattr_setsigmask(&mAttributes, &none);
        posix_spawnattr_setflags(&mAttributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        // A browser that outlives the game must not hold its lock file or sockets.
        posix_spawn_file_actions_addclosefrom_np(&mActions, STDERR_FILENO + 1);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&mActions);
        posix_spawnattr_destroy(&mAttributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawnattr_t mAttributes;
    posix_spawn_file_actions_t mActions;
};

bool OpenWithDesktop(const std::string& url) { return StartProgram("xdg-open", {url}); }

URLLauncher& Launcher()
{
    static URLLauncher launcher = OpenWithDesktop;
    return launcher;
}

} // namespace

bool IsWebURL(const std::string& url)
{
    size_t hostStart = 0;
    if (StartsWithNoCase(url, "http://"))
        hostStart = 7;
    else if (StartsWithNoCase(url, "https://"))
        hostStart = 8;
    else
        return false;
    if (url.size() == hostStart || url[hostStart] == '/')
        return false;
    return std::all_of(url.begin(), url.end(), [](const char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte > ' ' && byte < 0x7F;
    });
}

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    // The list of started programs has no lock.
    ZEST_ASSERT(IsMainThread());
    ReapEndedPrograms();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const SpawnSetup setup;
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), &setup.mActions, &setup.mAttributes, argv.data(), environ) != 0)
        return false;
    StartedPrograms().push_back(pid);
    return true;
}

void SetURLLauncher(URLLauncher launcher) { Launcher() = launcher ? std::move(launcher) : OpenWithDesktop; }

bool LaunchURL(const std::string& url) { return IsWebURL(url) && Launcher()(url); }

} // namespace Zest
