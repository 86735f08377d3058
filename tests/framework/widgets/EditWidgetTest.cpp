#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/Listeners.h"
#include "tests/framework/graphics/FakeApp.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Tests::ShowsColor;

using Zest::Color;
using Zest::EditWidget;
using Zest::Graphics;
using Zest::Rect;

constexpr int kId = 7;
constexpr int kLeft = 20;
constexpr int kTop = 30;
constexpr int kFieldWidth = 100;
constexpr int kFieldHeight = 20;

// Six pixels a character, '~' none and 'W' 200, so that one 'W' is wider than any field
// here. Height 14, ascent 11. Each character is drawn as a block one pixel narrower than its
// advance, from 3 pixels below the ascent down to the baseline, so that a selection fill shows
// above and between the blocks. Every drawn string is recorded; copies share the record.
class BlockFont : public Zest::Font {
public:
    explicit BlockFont(const int charWidth = 6) : mCharWidth(charWidth)
    {
        mAscent = 11;
        mHeight = 14;
    }

    int StringWidth(const std::string& text) override
    {
        int width = 0;
        for (const char c : text)
            width += CharWidth(c);
        return width;
    }
    int CharWidth(const char c) override
    {
        if (c == '~')
            return 0;
        return c == 'W' ? 200 : mCharWidth;
    }
    void DrawString(Graphics* g, int x, const int y, const std::string& text, const Color& color,
                    const Rect&) override
    {
        mDrawn->push_back(text);
        g->SetColor(color);
        for (const char c : text) {
            g->FillRect(x, y - mAscent + 3, CharWidth(c) - 1, mAscent - 3);
            x += CharWidth(c);
        }
    }
    Font* Duplicate() const override { return new BlockFont(*this); }

    int mCharWidth;
    std::shared_ptr<std::vector<std::string>> mDrawn = std::make_shared<std::vector<std::string>>();
};

// The test application with a clipboard of its own and the typing setting.
class ClipboardApp : public Tests::FakeApp, public Zest::EditFieldServices {
public:
    void CopyToClipboard(const std::string& text) override { mClipboard = text; }
    std::string GetClipboardText() override { return mClipboard; }
    bool AllowsExtendedChars() override { return mExtendedChars; }

    std::string mClipboard;
    bool mExtendedChars = true;
};

// Records every call; refuses digits, one key code and texts above a length when asked to.
class RecordingEditListener : public Zest::EditListener {
public:
    void EditTextEntered(const int id, const std::string& text) override
    {
        mCalls.push_back("Entered " + std::to_string(id) + " " + text);
    }
    bool AllowKey(const int id, const int keyCode) override
    {
        mCalls.push_back("AllowKey " + std::to_string(keyCode));
        return keyCode != mRefusedKey;
    }
    bool AllowChar(const int id, const char c) override { return !(mRefuseDigits && std::isdigit(c)); }
    bool AllowText(const int id, const std::string& text) override
    {
        mCalls.push_back("AllowText " + text);
        return mLongestText < 0 || static_cast<int>(text.size()) <= mLongestText;
    }

    std::vector<std::string> mCalls;
    bool mRefuseDigits = false;
    int mRefusedKey = -1;
    int mLongestText = -1;
};

// A managed, focused field at (kLeft, kTop) on an 800x600 screen, with keys typed through the
// widget manager in the order the window procedure delivers them.
class EditWidgetTest : public ::testing::Test {
protected:
    EditWidgetTest()
    {
        Zest::SetAppInterface(&mApp);
        mScreen.Create(800, 600);
        mManager.mScreenImage = &mScreen;
        mManager.SetMouseRects(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600));
        mField.Resize(kLeft, kTop, kFieldWidth, kFieldHeight);
        mField.SetFont(&mFont);
        mManager.AddWidget(&mField);
        mManager.SetFocus(&mField);
    }
    ~EditWidgetTest() override
    {
        mManager.RemoveAllWidgets(false, true);
        Zest::SetAppInterface(nullptr);
    }

    // Plain characters are typed (letters and digits with their key-down, capitals with
    // Shift held); {Name} presses a key: Left, Right, Home, End, Bksp, Del, Enter, or a
    // lower-case letter for its control character; prefixes S+, C+ and CS+ hold Shift,
    // Control or both.
    void Type(const std::string_view keys)
    {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != '{') {
                TypeCharacter(keys[i]);
                continue;
            }
            const size_t close = keys.find('}', i);
            ASSERT_NE(close, std::string_view::npos) << keys;
            PressChord(keys.substr(i + 1, close - i - 1));
            i = close;
        }
    }

    void TypeCharacter(const char c)
    {
        const bool letter = std::isalpha(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 128;
        const bool capital = letter && std::isupper(static_cast<unsigned char>(c)) != 0;
        const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
        const int keyCode = letter ? std::toupper(static_cast<unsigned char>(c)) : c;
        if (capital)
            mManager.KeyDown(kShift);
        if (letter || digit)
            mManager.KeyDown(keyCode);
        mManager.KeyChar(c);
        if (letter || digit)
            mManager.KeyUp(keyCode);
        if (capital)
            mManager.KeyUp(kShift);
    }

    void PressChord(std::string_view chord)
    {
        bool shift = false;
        bool control = false;
        if (chord.starts_with("CS+")) {
            shift = control = true;
            chord.remove_prefix(3);
        } else if (chord.starts_with("S+")) {
            shift = true;
            chord.remove_prefix(2);
        } else if (chord.starts_with("C+")) {
            control = true;
            chord.remove_prefix(2);
        }
        if (control)
            mManager.KeyDown(kControl);
        if (shift)
            mManager.KeyDown(kShift);
        if (chord.size() == 1) {
            const int keyCode = std::toupper(static_cast<unsigned char>(chord[0]));
            mManager.KeyDown(keyCode);
            mManager.KeyChar(static_cast<char>(keyCode - 'A' + 1));
            mManager.KeyUp(keyCode);
        } else {
            static const std::map<std::string_view, std::pair<int, char>> kKeys = {
                {"Left", {37, 0}}, {"Right", {39, 0}}, {"Home", {36, 0}},   {"End", {35, 0}},
                {"Bksp", {8, 8}},  {"Del", {46, 0}},   {"Enter", {13, 13}},
            };
            const auto key = kKeys.find(chord);
            ASSERT_NE(key, kKeys.end()) << chord;
            mManager.KeyDown(key->second.first);
            if (key->second.second != 0)
                mManager.KeyChar(key->second.second);
            mManager.KeyUp(key->second.first);
        }
        if (shift)
            mManager.KeyUp(kShift);
        if (control)
            mManager.KeyUp(kControl);
    }

    void Redraw() { Tests::RedrawAll(mManager, mScreen); }
    // A pixel of the screen, relative to the field's corner.
    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[(kTop + y) * 800 + kLeft + x]; }

    static constexpr int kShift = 16;
    static constexpr int kControl = 17;

    ClipboardApp mApp;
    Zest::MemoryImage mScreen{&mApp};
    Zest::WidgetManager mManager{&mApp};
    RecordingEditListener mListener;
    BlockFont mFont;
    EditWidget mField{kId, &mListener};
};

// ---------------------------------------------------------------------------------------------
// The keystroke table: a start, keys typed, and the text, cursor, anchor and clipboard after.

struct KeystrokeCase {
    const char* mName;
    // Set with SetText (so it starts selected whole) unless null.
    const char* mStartText = nullptr;
    const char* mKeys = "";
    const char* mClipboard = "";
    std::string mText = "";
    int mCursor = 0;
    int mAnchor = -1;
    // Unchanged when not given.
    std::optional<std::string> mClipboardAfter = std::nullopt;

    int mMaxChars = -1;
    int mMaxPixels = -1;
    // A width-check font of 10 pixels a character.
    bool mWidthCheck = false;
    char mPasswordChar = 0;
    bool mRefuseDigits = false;
    int mRefusedKey = -1;
    int mLongestText = -1;
    bool mExtendedChars = true;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const KeystrokeCase& test, std::ostream* out) { *out << test.mName; }

// Test names are C identifiers: the cases' names are written that way.
std::string CaseName(const ::testing::TestParamInfo<KeystrokeCase>& info) { return info.param.mName; }

const KeystrokeCase kKeystrokeCases[] = {
    // Typing and the undo merge.
    {.mName = "TypingInsertsAtTheCursor", .mKeys = "ab{Home}c", .mText = "cab", .mCursor = 1},
    {.mName = "UndoTakesBackAWholeRunOfTyping", .mKeys = "abc{C+z}", .mText = "", .mCursor = 0},
    {.mName = "SecondUndoBringsTheRunBack", .mKeys = "abc{C+z}{C+z}", .mText = "abc", .mCursor = 3},
    {.mName = "TypingElsewhereStartsANewUndoStep", .mKeys = "ab{Home}cd{C+z}", .mText = "ab", .mCursor = 0},
    {.mName = "BackspacesInARowAreOneUndoStep",
     .mStartText = "hello",
     .mKeys = "{End}{Bksp}{Bksp}{C+z}",
     .mText = "hello",
     .mCursor = 5},
    {.mName = "DeletesAtTheStartOfASetTextAreOneUndoStep",
     .mStartText = "hello",
     .mKeys = "{Home}{Del}{Del}{C+z}",
     .mText = "hello",
     .mCursor = 0},
    {.mName = "TypingAtTheStartAfterAnUndoIsItsOwnStep", .mKeys = "ab{C+z}x{C+z}", .mText = "", .mCursor = 0},
    {.mName = "BackspaceAtTheStartKeepsTheUndoStep", .mKeys = "ab{Home}{Bksp}{C+z}", .mText = "", .mCursor = 0},
    {.mName = "DeleteAtTheEndKeepsTheUndoStep", .mKeys = "ab{Del}{C+z}", .mText = "", .mCursor = 0},
    {.mName = "TypingReplacesASetTextAndUndoesInOneStep",
     .mStartText = "Player",
     .mKeys = "Ann{C+z}",
     .mText = "Player",
     .mCursor = 6,
     .mAnchor = 0},
    {.mName = "ZKeyDownChangesNothing", .mStartText = "ab", .mKeys = "{End}z", .mText = "abz", .mCursor = 3},

    // Selection with Shift.
    {.mName = "ShiftArrowsSelect",
     .mStartText = "hello",
     .mKeys = "{Home}{S+Right}{S+Right}",
     .mText = "hello",
     .mCursor = 2,
     .mAnchor = 0},
    {.mName = "ShiftHomeSelectsToTheStart",
     .mStartText = "hello",
     .mKeys = "{End}{Left}{S+Home}",
     .mText = "hello",
     .mCursor = 0,
     .mAnchor = 4},
    {.mName = "LeftCollapsesASelectionToItsStart", .mStartText = "hello", .mKeys = "{Left}", .mText = "hello"},
    {.mName = "RightCollapsesASelectionToItsEnd",
     .mStartText = "hello",
     .mKeys = "{Home}{S+End}{Right}",
     .mText = "hello",
     .mCursor = 5},
    {.mName = "TypingReplacesAShiftSelection",
     .mStartText = "hello",
     .mKeys = "{Home}{Right}{S+End}X",
     .mText = "hX",
     .mCursor = 2},
    {.mName = "BackspaceRemovesTheSelection",
     .mStartText = "hello",
     .mKeys = "{Home}{S+Right}{S+Right}{Bksp}",
     .mText = "llo"},
    {.mName = "ShiftControlLeftSelectsAWord",
     .mStartText = "abc def",
     .mKeys = "{End}{CS+Left}",
     .mText = "abc def",
     .mCursor = 4,
     .mAnchor = 7},

    // Control with the arrows moves by words.
    {.mName = "ControlRightGoesBeforeTheNextWord",
     .mStartText = "abc def",
     .mKeys = "{Home}{C+Right}",
     .mText = "abc def",
     .mCursor = 4},
    {.mName = "ControlRightFromABlankGoesToTheEnd",
     .mStartText = " abc",
     .mKeys = "{Home}{C+Right}",
     .mText = " abc",
     .mCursor = 4},
    {.mName = "ControlRightTwiceReachesTheEnd",
     .mStartText = "abc def",
     .mKeys = "{Home}{C+Right}{C+Right}",
     .mText = "abc def",
     .mCursor = 7},
    {.mName = "ControlLeftGoesToTheWordsStart",
     .mStartText = "abc  def",
     .mKeys = "{End}{C+Left}",
     .mText = "abc  def",
     .mCursor = 5},
    {.mName = "ControlLeftSkipsBlanksAndPunctuation",
     .mStartText = "ab, cd",
     .mKeys = "{End}{C+Left}{C+Left}",
     .mText = "ab, cd",
     .mCursor = 0},

    // Copy, cut and paste.
    {.mName = "CopyPutsTheSelectionOnTheClipboard",
     .mStartText = "hello world",
     .mKeys = "{Home}{Right}{Right}{S+Right}{S+Right}{S+Right}{C+c}",
     .mText = "hello world",
     .mCursor = 5,
     .mAnchor = 2,
     .mClipboardAfter = "llo"},
    {.mName = "CutAlsoRemovesTheSelection",
     .mStartText = "hello world",
     .mKeys = "{Home}{Right}{Right}{S+Right}{S+Right}{S+Right}{C+x}",
     .mText = "he world",
     .mCursor = 2,
     .mClipboardAfter = "llo"},
    {.mName = "CutIsUndone",
     .mStartText = "hello world",
     .mKeys = "{Home}{Right}{Right}{S+Right}{S+Right}{S+Right}{C+x}{C+z}",
     .mText = "hello world",
     .mCursor = 5,
     .mAnchor = 2,
     .mClipboardAfter = "llo"},
    {.mName = "CopyWithoutASelectionLeavesTheClipboard",
     .mStartText = "hello",
     .mKeys = "{End}{C+c}",
     .mClipboard = "old",
     .mText = "hello",
     .mCursor = 5,
     .mClipboardAfter = "old"},
    {.mName = "PasswordFieldCopiesItsMask",
     .mStartText = "abc",
     .mKeys = "{C+c}",
     .mText = "abc",
     .mCursor = 3,
     .mAnchor = 0,
     .mClipboardAfter = "***",
     .mPasswordChar = '*'},
    {.mName = "PasteStopsAtCrLf", .mKeys = "{C+v}", .mClipboard = "ab\r\ncd", .mText = "ab", .mCursor = 2},
    {.mName = "PasteStopsAtLf", .mKeys = "{C+v}", .mClipboard = "ab\ncd", .mText = "ab", .mCursor = 2},
    {.mName = "PasteStopsAtCr", .mKeys = "{C+v}", .mClipboard = "xy\rz", .mText = "xy", .mCursor = 2},
    {.mName = "PasteInsertsAtTheCursor", .mKeys = "ad{Left}{C+v}", .mClipboard = "bc", .mText = "abcd", .mCursor = 3},
    {.mName = "PasteReplacesTheSelection",
     .mStartText = "hello",
     .mKeys = "{C+v}",
     .mClipboard = "Ann",
     .mText = "Ann",
     .mCursor = 3},
    {.mName = "PasteSkipsControlCharactersThoseWithoutWidthAndRefusedOnes",
     .mKeys = "{C+v}",
     .mClipboard = "a~1\tb2\x7F\x01" "c",
     .mText = "abc",
     .mCursor = 3,
     .mRefuseDigits = true},
    {.mName = "PasteIsItsOwnUndoStep", .mKeys = "x{C+v}{C+z}", .mClipboard = "yz", .mText = "x", .mCursor = 1},
    {.mName = "PasteOfAnEmptyClipboardKeepsTheText",
     .mStartText = "hello",
     .mKeys = "{C+v}{C+z}",
     .mText = "",
     .mCursor = 0},

    // The listener's vetoes.
    {.mName = "RefusedCharactersAreNotTyped", .mKeys = "a1b2", .mText = "ab", .mCursor = 2, .mRefuseDigits = true},
    {.mName = "RefusedKeyDoesNothing", .mKeys = "abc{Bksp}", .mText = "abc", .mCursor = 3, .mRefusedKey = 8},
    {.mName = "RefusedTextBringsBackTheTextBefore", .mKeys = "abc", .mText = "ab", .mCursor = 2, .mLongestText = 2},
    {.mName = "RefusedTextLeavesTheUndoStep", .mKeys = "abc{C+z}", .mText = "", .mCursor = 0, .mLongestText = 2},
    {.mName = "ExtendedCharacterIsTyped", .mKeys = "\xE9", .mText = "\xE9", .mCursor = 1},
    {.mName = "ExtendedCharacterIsRefusedWhenSwitchedOff", .mKeys = "a\xE9", .mText = "a", .mCursor = 1,
     .mExtendedChars = false},
    // 127 is what Control+Backspace types.
    {.mName = "ControlCharacterIsNotTyped", .mKeys = "a\x01\x1B\x7F", .mText = "a", .mCursor = 1},
    {.mName = "CharacterWithoutWidthIsNotTyped", .mKeys = "a~b", .mText = "ab", .mCursor = 2},

    // The limits.
    {.mName = "FourthCharacterIsCutOffAtThree", .mKeys = "abcd", .mText = "abc", .mCursor = 3, .mMaxChars = 3},
    {.mName = "PasteIsCutToTheCharacterLimit",
     .mKeys = "a{C+v}",
     .mClipboard = "12345",
     .mText = "a12",
     .mCursor = 3,
     .mMaxChars = 3},
    {.mName = "PixelLimitCutsTheText", .mKeys = "abcd", .mText = "abc", .mCursor = 3, .mMaxPixels = 20},
    {.mName = "WidthCheckFontDecidesThePixelLimit",
     .mKeys = "abcd",
     .mText = "ab",
     .mCursor = 2,
     .mMaxPixels = 25,
     .mWidthCheck = true},
};

class EditKeystrokeTest : public EditWidgetTest, public ::testing::WithParamInterface<KeystrokeCase> {};

TEST_P(EditKeystrokeTest, LeavesTextCursorAnchorAndClipboard)
{
    const KeystrokeCase& test = GetParam();
    mField.mMaxChars = test.mMaxChars;
    mField.mMaxPixels = test.mMaxPixels;
    mField.mPasswordChar = test.mPasswordChar;
    BlockFont wideFont(10);
    if (test.mWidthCheck)
        mField.AddWidthCheckFont(&wideFont);
    mListener.mRefuseDigits = test.mRefuseDigits;
    mListener.mRefusedKey = test.mRefusedKey;
    mListener.mLongestText = test.mLongestText;
    mApp.mExtendedChars = test.mExtendedChars;
    mApp.mClipboard = test.mClipboard;
    if (test.mStartText != nullptr)
        mField.SetText(test.mStartText);

    Type(test.mKeys);

    EXPECT_EQ(mField.mString, test.mText);
    EXPECT_EQ(mField.mCursorPos, test.mCursor);
    EXPECT_EQ(mField.mHilitePos, test.mAnchor);
    EXPECT_EQ(mApp.mClipboard, test.mClipboardAfter.value_or(test.mClipboard));
}

INSTANTIATE_TEST_SUITE_P(Keys, EditKeystrokeTest, ::testing::ValuesIn(kKeystrokeCases), CaseName);

// ---------------------------------------------------------------------------------------------
// Routing to the listener

TEST_F(EditWidgetTest, LetterKeyDownsUpToYSkipTheListenerAndZDoesNot)
{
    mManager.KeyDown('A');
    mManager.KeyDown('Y');
    mManager.KeyDown('Z');
    mManager.KeyDown(37);

    const std::vector<std::string> expected = {"AllowKey 90", "AllowText ", "AllowKey 37", "AllowText "};
    EXPECT_EQ(mListener.mCalls, expected);
    EXPECT_EQ(mField.mString, "");
}

TEST_F(EditWidgetTest, EnterReportsTheText)
{
    Type("Ann");
    mListener.mCalls.clear();
    Type("{Enter}");

    // The Enter key, then its carriage-return character, which is not typed.
    const std::vector<std::string> expected = {"AllowKey 13", "Entered 7 Ann", "AllowText Ann", "AllowText Ann"};
    EXPECT_EQ(mListener.mCalls, expected);
    EXPECT_EQ(mField.mString, "Ann");
}

TEST_F(EditWidgetTest, TabStillMovesTheFocus)
{
    EditWidget next(8, &mListener);
    next.Resize(kLeft, kTop + 40, kFieldWidth, kFieldHeight);
    mManager.AddWidget(&next);
    mField.mTabNext = &next;

    mManager.KeyDown(9);

    EXPECT_EQ(mManager.mFocusWidget, &next);
    EXPECT_FALSE(mField.mHasFocus);
    mManager.RemoveWidget(&next);
}

// ---------------------------------------------------------------------------------------------
// Faults that once stopped the field

TEST(EditWidgetFontTest, KeysAndClicksBeforeTheFirstDrawUseTheDefaultFont)
{
    ClipboardApp app;
    Zest::SetAppInterface(&app);
    Zest::MemoryImage screen(&app);
    screen.Create(200, 100);
    Zest::WidgetManager manager(&app);
    manager.mScreenImage = &screen;
    manager.SetMouseRects(Rect(0, 0, 200, 100), Rect(0, 0, 200, 100));
    EditWidget field(1, nullptr);
    field.Resize(10, 10, 150, 24);
    manager.AddWidget(&field);
    manager.SetFocus(&field);

    manager.KeyChar('a');
    app.mClipboard = "bc";
    manager.KeyChar(22);
    manager.MouseDown(12, 20, 1);
    manager.MouseUp(12, 20, 1);

    EXPECT_EQ(field.mString, "abc");
    EXPECT_EQ(field.mCursorPos, 0);
    ASSERT_NE(field.mFont, nullptr);
    EXPECT_GT(field.mFont->StringWidth("abc"), 0);
    manager.RemoveAllWidgets(false, true);
    Zest::SetAppInterface(nullptr);
}

TEST(EditWidgetFontTest, TextSetWithoutResettingTheScrollShowsTheCursorBeforeTheFirstDraw)
{
    ClipboardApp app;
    Zest::SetAppInterface(&app);
    EditWidget field(1, nullptr);
    field.Resize(0, 0, 60, 24);
    EXPECT_EQ(field.mFont, nullptr);

    field.SetText(std::string(40, 'x'), false);

    EXPECT_GT(field.mLeftPos, 0);
    Zest::SetAppInterface(nullptr);
}

// A 60-pixel field leaves 52 pixels for text: fewer than one 'W'.
TEST_F(EditWidgetTest, CharacterWiderThanTheFieldStopsTheScrolling)
{
    mField.Resize(kLeft, kTop, 60, kFieldHeight);

    Type("W");
    EXPECT_EQ(mField.mLeftPos, 0);
    Type("aaW");
    EXPECT_EQ(mField.mLeftPos, 3);
    Type("b");
    EXPECT_EQ(mField.mLeftPos, 4);
    mField.SetText("WWW", false);
    EXPECT_EQ(mField.mLeftPos, 2);
    Redraw();
    EXPECT_EQ(mFont.mDrawn->back(), "W");
}

// A 40-pixel field shows 5 characters of 6 pixels whole. Whatever the keys, the cursor
// stays inside the text area: at or after the first visible character and less than the
// area's 32 pixels from it.
TEST_F(EditWidgetTest, ScrollingKeepsTheCursorInsideTheField)
{
    mField.Resize(kLeft, kTop, 40, kFieldHeight);
    struct Step {
        // Set first (scrolled back to the start) unless null.
        const char* mText;
        const char* mKeys;
    };
    const Step steps[] = {
        {nullptr, "abcdefghijklmnopqrst"},
        {nullptr, "{Home}{Right}{Right}{Right}{Right}{Right}{Right}"},
        {"one two three four five six", "{C+Left}{C+Left}"},
        {nullptr, "{End}{Left}{Left}{Left}{Left}{Left}{Left}{Left}{Left}"},
        {nullptr, "{Home}{C+Right}"},
        {nullptr, "{End}"},
        {nullptr, "{Bksp}{Bksp}{Bksp}{Bksp}{Bksp}{Bksp}{Bksp}"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.mKeys);
        if (step.mText != nullptr)
            mField.SetText(step.mText, true);
        Type(step.mKeys);
        EXPECT_LE(mField.mLeftPos, mField.mCursorPos);
        EXPECT_LT(6 * (mField.mCursorPos - mField.mLeftPos), 32);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing: the text starts 4 pixels in; with a field 20 high and the font 14 high the text
// area runs from row 3 to row 16 and the character blocks from row 6 to row 13.

const Color kTextBlue(0, 0, 255);
const Color kHiliteRed(255, 0, 0);
const Color kHiliteTextGreen(0, 255, 0);
const Color kWhite(255, 255, 255);
const Color kBlack(0, 0, 0);

class EditDrawTest : public EditWidgetTest {
protected:
    EditDrawTest()
    {
        mField.SetColor(EditWidget::COLOR_TEXT, kTextBlue);
        mField.SetColor(EditWidget::COLOR_HILITE, kHiliteRed);
        mField.SetColor(EditWidget::COLOR_HILITE_TEXT, kHiliteTextGreen);
    }

    // The left edge of character i's block while nothing is scrolled.
    static int CharX(const int i) { return 4 + 6 * i; }
};

TEST_F(EditDrawTest, SelectionIsFilledAndItsTextDrawnInTheSelectedColour)
{
    mField.SetText("abcdef");
    Type("{Home}{Right}{S+Right}{S+Right}");
    Redraw();

    EXPECT_TRUE(ShowsColor(kBlack, Pixel(0, 0)));
    EXPECT_TRUE(ShowsColor(kBlack, Pixel(kFieldWidth - 1, kFieldHeight - 1)));
    EXPECT_TRUE(ShowsColor(kWhite, Pixel(90, 10)));
    // Character 0, unselected: its block in the text colour, white above it.
    EXPECT_TRUE(ShowsColor(kTextBlue, Pixel(CharX(0) + 1, 9)));
    EXPECT_TRUE(ShowsColor(kWhite, Pixel(CharX(0) + 1, 4)));
    // Characters 1 and 2, selected: the fill above and between the blocks, the blocks green.
    EXPECT_TRUE(ShowsColor(kHiliteRed, Pixel(CharX(1) + 1, 4)));
    EXPECT_TRUE(ShowsColor(kHiliteRed, Pixel(CharX(2) - 1, 9)));
    EXPECT_TRUE(ShowsColor(kHiliteTextGreen, Pixel(CharX(1) + 1, 9)));
    EXPECT_TRUE(ShowsColor(kHiliteTextGreen, Pixel(CharX(2) + 3, 9)));
    // Character 3 is past the selection.
    EXPECT_TRUE(ShowsColor(kTextBlue, Pixel(CharX(3) + 1, 9)));
    EXPECT_TRUE(ShowsColor(kWhite, Pixel(CharX(3) + 1, 4)));
}

TEST_F(EditDrawTest, CursorIsATwoPixelBarThatBlinksEvery41Updates)
{
    Type("ab");
    const int barX = CharX(2);
    const auto barShown = [&] {
        Redraw();
        return ShowsColor(kHiliteRed, Pixel(barX, 4)) && ShowsColor(kHiliteRed, Pixel(barX + 1, 16)) &&
               ShowsColor(kWhite, Pixel(barX + 2, 4)) && ShowsColor(kWhite, Pixel(barX - 1, 4));
    };
    EXPECT_TRUE(barShown());

    for (int i = 0; i < 40; ++i)
        mManager.UpdateFrame();
    EXPECT_TRUE(barShown());
    mManager.UpdateFrame();
    EXPECT_FALSE(barShown());
    EXPECT_TRUE(ShowsColor(kWhite, Pixel(barX, 4)));
    for (int i = 0; i < 41; ++i)
        mManager.UpdateFrame();
    EXPECT_TRUE(barShown());
}

TEST_F(EditDrawTest, WithoutTheFocusTheTextIsDrawnOnceWithNeitherCursorNorSelection)
{
    mField.SetText("abcdef");
    mManager.SetFocus(nullptr);
    mFont.mDrawn->clear();
    Redraw();

    // Drawn once: a second pass in the same colour would thicken smoothed glyphs.
    EXPECT_EQ(*mFont.mDrawn, std::vector<std::string>{"abcdef"});

    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(ShowsColor(kTextBlue, Pixel(CharX(i) + 1, 9))) << i;
        EXPECT_TRUE(ShowsColor(kWhite, Pixel(CharX(i) + 1, 4))) << i;
    }
    EXPECT_TRUE(ShowsColor(kWhite, Pixel(CharX(6), 4)));
}

TEST_F(EditDrawTest, PasswordFieldDrawsItsMask)
{
    mField.mPasswordChar = '*';
    Type("abc");
    mFont.mDrawn->clear();
    Redraw();

    EXPECT_EQ(*mFont.mDrawn, (std::vector<std::string>{"***", "***"}));
}

TEST_F(EditDrawTest, ScrolledTextIsDrawnFromTheFirstVisibleCharacter)
{
    Type("abcdefghijklmnopqrst");
    ASSERT_GT(mField.mLeftPos, 0);
    mFont.mDrawn->clear();
    Redraw();

    EXPECT_EQ(mFont.mDrawn->front(), mField.mString.substr(static_cast<size_t>(mField.mLeftPos)));
    // The last character is visible, with the cursor after it.
    const int lastX = 4 + 6 * (19 - mField.mLeftPos);
    EXPECT_LT(lastX + 6, kFieldWidth - 4);
    EXPECT_TRUE(ShowsColor(kTextBlue, Pixel(lastX + 1, 9)));
    EXPECT_TRUE(ShowsColor(kHiliteRed, Pixel(lastX + 6, 4)));
}

// ---------------------------------------------------------------------------------------------
// The mouse

// A click at x lands after character i once x reaches the middle of that character plus 5:
// 8, 14, 20 ... for characters of 6 pixels.
TEST_F(EditWidgetTest, ClickPutsTheCursorNearestTheMiddleOfACharacter)
{
    mField.SetText("abcdef");
    const std::pair<int, int> clicks[] = {{0, 0}, {7, 0}, {8, 1}, {13, 1}, {14, 2}, {38, 6}, {90, 6}};
    for (const auto& [x, cursor] : clicks) {
        mManager.MouseDown(kLeft + x, kTop + 5, 1);
        mManager.MouseUp(kLeft + x, kTop + 5, 1);
        EXPECT_EQ(mField.mCursorPos, cursor) << "x " << x;
        EXPECT_EQ(mField.mHilitePos, -1) << "x " << x;
    }
}

TEST_F(EditWidgetTest, ClickAtTheLeftEdgeOfAScrolledFieldGoesToTheStart)
{
    Type("abcdefghijklmnopqrst");
    ASSERT_GT(mField.mLeftPos, 0);
    mManager.MouseDown(kLeft + 2, kTop + 5, 1);
    mManager.MouseUp(kLeft + 2, kTop + 5, 1);

    EXPECT_EQ(mField.mCursorPos, 0);
    EXPECT_EQ(mField.mLeftPos, 0);
}

TEST_F(EditWidgetTest, DragSelectsFromThePress)
{
    mField.SetText("abcdef");
    mManager.MouseDown(kLeft + 8, kTop + 5, 1);
    mManager.MouseDrag(kLeft + 26, kTop + 5);
    mManager.MouseUp(kLeft + 26, kTop + 5, 1);

    EXPECT_EQ(mField.mHilitePos, 1);
    EXPECT_EQ(mField.mCursorPos, 4);
}

TEST_F(EditWidgetTest, DoubleClickSelectsTheWord)
{
    mField.SetText("hello world");
    mManager.MouseDown(kLeft + 44, kTop + 5, 1);
    mManager.MouseUp(kLeft + 44, kTop + 5, 1);
    mManager.MouseDown(kLeft + 44, kTop + 5, 2);
    mManager.MouseUp(kLeft + 44, kTop + 5, 2);

    EXPECT_EQ(mField.mHilitePos, 6);
    EXPECT_EQ(mField.mCursorPos, 11);
    Type("{C+c}");
    EXPECT_EQ(mApp.mClipboard, "world");
}

TEST_F(EditWidgetTest, DoubleClickInAPasswordFieldSelectsOneCharacter)
{
    mField.mPasswordChar = '*';
    mField.SetText("hello world");
    mManager.MouseDown(kLeft + 44, kTop + 5, 2);
    mManager.MouseUp(kLeft + 44, kTop + 5, 2);

    EXPECT_EQ(mField.mHilitePos, 7);
    EXPECT_EQ(mField.mCursorPos, 8);
}

TEST_F(EditWidgetTest, MouseOverShowsTheTextCursor)
{
    mManager.MouseMove(kLeft + 5, kTop + 5);
    EXPECT_EQ(mApp.mCursorKind, 3);
    mManager.MouseMove(kLeft + 5, kTop + 50);
    EXPECT_EQ(mApp.mCursorKind, 0);
}

} // namespace
