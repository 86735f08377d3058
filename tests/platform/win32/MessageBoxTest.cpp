#include "platform/win32/MessageBox.h"

#include "tests/platform/win32/RecordingWindow.h"

#include <atomic>
#include <thread>

namespace {

using namespace Win32;

struct SinkCapture {
    std::vector<MessageBoxRequest> requests;
    std::vector<std::thread::id> threads;
};

TEST(MessageBox, WithoutADisplayAnswersTheDefaultButtonAndWritesToStderr)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        const int answer = MessageBoxA(nullptr, "Caf\xE9 is closed", "FATAL ERROR", c.type);
        const std::string written = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(answer, c.answer) << c.type;
        EXPECT_EQ(written, "FATAL ERROR: Caf\xC3\xA9 is closed\n") << c.type;
    }
}

TEST(MessageBox, SinkSeesLatin1TextsAndAnswers)
{
    std::vector<MessageBoxRequest> seen;
    SetMessageBoxSink([&](const MessageBoxRequest& request) {
        seen.push_back(request);
        return IDNO;
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"Keep 3D \x00E9\x20AC?", L"Question", MB_YESNO), IDNO);
    SetMessageBoxSink(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Keep 3D \xE9??");
    EXPECT_EQ(seen[0].caption, "Question");
    EXPECT_EQ(seen[0].type, MB_YESNO);
}

using MessageBoxAcrossThreads = Tests::RecordingWindow;

TEST_F(MessageBoxAcrossThreads, BoxAskedForOnAnotherThreadIsShownByTheVideoThread)
{
    std::atomic<std::thread::id> shownOn;
    SetMessageBoxSink([&](const MessageBoxRequest& request) {
        shownOn = std::this_thread::get_id();
        return IDRETRY;
    });
    std::atomic<int> answer{0};
    std::thread loader([&] { answer = MessageBoxA(mWindow, "Resource missing", "Error", MB_RETRYCANCEL); });
    while (answer.load() == 0)
        PumpAll();
    loader.join();
    SetMessageBoxSink(nullptr);
    EXPECT_EQ(answer.load(), IDRETRY);
    EXPECT_EQ(shownOn.load(), std::this_thread::get_id());
}

} // namespace
