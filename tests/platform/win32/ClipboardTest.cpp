#include "platform/win32/Clipboard.h"

#include "tests/platform/win32/RecordingWindow.h"

#include <cstring>
#include <string>

namespace {

using namespace Win32;

class Clipboard : public Tests::RecordingWindow {
protected:
    void Copy(const std::string& latin1)
    {
        ASSERT_EQ(OpenClipboard(mWindow), 1);
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, latin1.size() + 1);
        std::memcpy(GlobalLock(memory), latin1.c_str(), latin1.size() + 1);
        GlobalUnlock(memory);
        EXPECT_EQ(SetClipboardData(CF_TEXT, memory), memory);
        CloseClipboard();
    }

    std::string PasteText()
    {
        EXPECT_EQ(OpenClipboard(mWindow), 1);
        HANDLE memory = GetClipboardData(CF_TEXT);
        const std::string text = memory != nullptr ? static_cast<const char*>(GlobalLock(memory)) : "<none>";
        CloseClipboard();
        return text;
    }

    std::wstring PasteWide()
    {
        EXPECT_EQ(OpenClipboard(mWindow), 1);
        HANDLE memory = GetClipboardData(CF_UNICODETEXT);
        const std::wstring text = memory != nullptr ? static_cast<const wchar_t*>(GlobalLock(memory)) : L"<none>";
        CloseClipboard();
        return text;
    }
};

TEST_F(Clipboard, Latin1TextRoundTripsThroughTheDesktopClipboardAsUtf8)
{
    Copy("Zo\xEB's caf\xE9");
    char* utf8 = SDL_GetClipboardText();
    EXPECT_STREQ(utf8, "Zo\xC3\xAB's caf\xC3\xA9");
    SDL_free(utf8);
    EXPECT_EQ(PasteText(), "Zo\xEB's caf\xE9");
    EXPECT_EQ(PasteWide(), L"Zo\x00EB's caf\x00E9");
}

TEST_F(Clipboard, TextFromOtherProgramsBeyondLatin1ReadsAsQuestionMarks)
{
    SDL_SetClipboardText("5 \xE2\x82\xAC \xC3\xBC");
    EXPECT_EQ(PasteText(), "5 ? \xFC");
    EXPECT_EQ(PasteWide(), L"5 \x20AC \x00FC");
}

TEST_F(Clipboard, EmptyClipboardHasNoTextAndTheClipboardOpensOnceAtATime)
{
    ASSERT_EQ(OpenClipboard(mWindow), 1);
    EXPECT_EQ(OpenClipboard(mWindow), 0);
    EmptyClipboard();
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(IsClipboardFormatAvailable(CF_TEXT), 0);
    CloseClipboard();
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
}

TEST(MultiByteToWideChar, MapsEveryByteOneToOne)
{
    char all[256];
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, all, 256, nullptr, 0), 256);
    wchar_t wide[256];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, all, 256, wide, 256), 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(static_cast<int>(wide[i]), i);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab", -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab", -1, wide, 2), 0);
}

} // namespace
