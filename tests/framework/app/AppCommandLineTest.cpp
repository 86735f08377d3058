// The command line: its text split into names and values, the program name skipped, the
// built-in parameters, and an unknown parameter ending the run.

#include "framework/app/common/FileHelpers.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tests::AppTest;
using Tests::TestApp;

using AppCommandLineTest = AppTest;

// Records the parameters instead of acting on them.
class RecordingParamsApp : public TestApp {
public:
    void HandleCommandLineParam(const std::string& name, const std::string& value) override
    {
        mParams.emplace_back(name, value);
    }

    std::vector<std::pair<std::string, std::string>> mParams;
};

using Params = std::vector<std::pair<std::string, std::string>>;

TEST_F(AppCommandLineTest, CommandLineTextSplitsIntoNamesAndValues)
{
    const struct {
        const char* text;
        Params expected;
    } cases[] = {
        {"-a -b=1", {{"-a", ""}, {"-b", "1"}}},
        {"-a", {{"-a", ""}}},
        {"-a    -b=1   -c", {{"-a", ""}, {"-b", "1"}, {"-c", ""}}},
        {"   -a   ", {{"-a", ""}}},
        {"-changedir=\"C:\\my games\\x\"", {{"-changedir", "C:\\my games\\x"}}},
        {"-changedir=\"C:\\my games\\x\" -play", {{"-changedir", "C:\\my games\\x"}, {"-play", ""}}},
        {"\"-demofile=my demo.dmo\" -record", {{"-demofile", "my demo.dmo"}, {"-record", ""}}},
        {"-x=", {{"-x", ""}}},
        {"-x= -y=2", {{"-x", ""}, {"-y", "2"}}},
        {"-name=value -other=12", {{"-name", "value"}, {"-other", "12"}}},
        {"", {}},
        {"     ", {}},
    };
    for (const auto& c : cases) {
        RecordingParamsApp app;
        app.ParseCommandLineText(c.text);
        EXPECT_EQ(app.mParams, c.expected) << "[" << c.text << "]";
    }
}

TEST_F(AppCommandLineTest, CommandLineSkipsTheProgramName)
{
    const struct {
        std::vector<std::string> argv;
        Params expected;
    } cases[] = {
        {{"/opt/game/run"}, {}},
        {{"/opt/my games/run"}, {}},
        {{"/opt/game/run", "-a", "-b=1"}, {{"-a", ""}, {"-b", "1"}}},
        {{"/opt/my games/run", "-a", "-b=1"}, {{"-a", ""}, {"-b", "1"}}},
        {{"/opt/my games/run", "-changedir=/srv/my saves"}, {{"-changedir", "/srv/my saves"}}},
        {{"-looks-like-a-param", "-real"}, {{"-real", ""}}},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv;
        for (const std::string& argument : c.argv)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        Win32::SetCommandLine(static_cast<int>(c.argv.size()), argv.data());
        RecordingParamsApp app;
        app.mCommandLineParsed = false;
        app.ParseCommandLine();
        EXPECT_TRUE(app.mCommandLineParsed);
        EXPECT_EQ(app.mParams, c.expected) << "[" << Win32::GetCommandLineA() << "]";
    }
}

TEST_F(AppCommandLineTest, BuiltInParametersSetTheirFields)
{
    const std::string appData = (mFolder.Path() / "appdata").string() + "/";
    Zest::SetAppDataFolder(appData);
    ASSERT_EQ(Zest::GetAppDataFolder(), appData);

    const std::string noDemoFile = "zestapp.dmo";
    // Without -changedir the start folder stays the one the application starts with.
    const std::string start = TestApp().mStartFolder;
    const struct {
        const char* text;
        bool screenSaver;
        bool recording;
        bool playing;
        std::string startFolder;
        std::string demoFile;
    } cases[] = {
        {"-screensaver", true, false, false, start, noDemoFile},
        {"-changedir=D:\\games", false, false, false, "D:\\games", noDemoFile},
        {"-changedir=\"C:\\my games\\x\"", false, false, false, "C:\\my games\\x", noDemoFile},
        {"-record", false, true, false, start, noDemoFile},
        {"-play", false, false, true, start, noDemoFile},
        {"-play -record", false, true, false, start, noDemoFile},
        {"-record -play", false, true, true, start, noDemoFile},
        {"-record -playnum", false, false, true, start, noDemoFile},
        {"-play -recnum", false, true, false, start, noDemoFile},
        {"-demofile=run.dmo", false, false, false, start, appData + "run.dmo"},
        {"-demofile=demos\\run.dmo", false, false, false, start, appData + "demos\\run.dmo"},
        {"-demofile=C:\\x.dmo", false, false, false, start, "C:\\x.dmo"},
        {"-demofile=\"C:\\my demos\\x.dmo\"", false, false, false, start, "C:\\my demos\\x.dmo"},
        {"-screensaver -changedir=E:\\ -demofile=a.dmo -record", true, true, false, "E:\\", appData + "a.dmo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TestApp app;
        app.ParseCommandLineText(c.text);
        EXPECT_EQ(app.mScreenSaverMode, c.screenSaver);
        EXPECT_EQ(app.mRecordingDemo.load(), c.recording);
        EXPECT_EQ(app.mPlayingDemo.load(), c.playing);
        EXPECT_EQ(app.mStartFolder, c.startFolder);
        EXPECT_EQ(app.mDemoFileName, c.demoFile);
    }
    EXPECT_TRUE(mBoxes.empty());
}

// Runs that end the process.
using AppCommandLineDeathTest = Tests::AppDeathTest<AppTest>;

TEST_F(AppCommandLineDeathTest, UnknownParameterShowsAnErrorAndEndsWithStatusOne)
{
    EXPECT_EXIT(
        {
            PrintBoxes();
            TestApp app;
            app.ParseCommandLineText("-record -bogus -play");
            std::fprintf(stderr, "parsing went on\n");
        },
        testing::ExitedWithCode(1), "box caption=\\[FATAL ERROR\\] text=\\[Invalid command line parameter: -bogus\\]");
}

} // namespace
