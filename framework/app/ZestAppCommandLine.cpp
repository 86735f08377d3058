// The command line: demo recording and playback, the demo file, screen-saver mode, the
// working folder and a crash test. Parameters are "-name" or "-name=value"; a value in
// double quotes keeps its blanks. A derived class adds options by overriding
// HandleCommandLineParam and passing the others on.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/FileHelpers.h"
#include "platform/win32/Process.h"

#include <csignal>
#include <cstring>

namespace Zest {
namespace {

// A drive path ("C:...") or one below a top folder ("..\...") stays as it is; any other
// name lives in the application-data folder.
std::string MakeAbsolute(const std::string& fileName)
{
    if (fileName.size() >= 2 && (fileName[1] == ':' || (fileName.size() >= 3 && fileName[2] == '\\')))
        return fileName;
    return GetAppDataFolder() + fileName;
}

} // namespace

void ZestAppBase::ParseCommandLine()
{
    mCommandLineParsed = true;
    const char* line = Win32::GetCommandLineA();
    // Skips the program name, quoted when it holds blanks.
    if (*line == '"') {
        line = std::strchr(line + 1, '"');
        if (line == nullptr)
            return;
        ++line;
    }
    const char* blank = std::strchr(line, ' ');
    if (blank == nullptr)
        return;
    ParseCommandLineText(blank + 1);
}

void ZestAppBase::ParseCommandLineText(const std::string& text)
{
    std::string name;
    std::string value;
    bool inQuotes = false;
    bool inValue = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool ended = false;
        if (c == '"') {
            inQuotes = !inQuotes;
            ended = !inQuotes;
        } else if (c == ' ' && !inQuotes) {
            ended = true;
        } else if (c == '=') {
            inValue = true;
        } else if (inValue) {
            value += c;
        } else {
            name += c;
        }
        if ((ended || i + 1 == text.size()) && !name.empty()) {
            HandleCommandLineParam(name, value);
            name.clear();
            value.clear();
            inValue = false;
        }
    }
}

void ZestAppBase::HandleCommandLineParam(const std::string& name, const std::string& value)
{
    if (name == "-play") {
        mPlayingDemo = true;
    } else if (name == "-recnum") {
        mRecordingDemo = true;
        mPlayingDemo = false;
    } else if (name == "-playnum") {
        mRecordingDemo = false;
        mPlayingDemo = true;
    } else if (name == "-record") {
        mRecordingDemo = true;
        mPlayingDemo = false;
    } else if (name == "-demofile") {
        mDemoFileName = MakeAbsolute(value);
    } else if (name == "-crash") {
        // A crash on purpose, to see the crash report.
        std::raise(SIGSEGV);
    } else if (name == "-screensaver") {
        mScreenSaverMode = true;
    } else if (name == "-changedir") {
        mStartFolder = value;
    } else {
        ShowErrorPopup(GetString("INVALID_COMMANDLINE_PARAM", "Invalid command line parameter: ") + name);
        // A command line the program cannot follow is a failed start.
        TerminateApp(1);
    }
}

} // namespace Zest
