#pragma once
// A single-line text field: a text with a cursor, an optional selection, horizontal
// scrolling, limits in characters and in pixels, an optional password character, one level
// of undo that merges runs of typing, copy, cut and paste through the application's
// clipboard, and a blinking cursor. It reports to an EditListener, which may refuse keys,
// characters and whole edits and is told when Enter is pressed.

#include "framework/widgets/Widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Zest {

class EditListener;
class Font;

// What an edit field needs of the application beyond AppInterface. The application object
// implements it beside AppInterface, and a field finds it on its widget manager's
// application; without it a field copies nowhere, pastes nothing and accepts characters
// 128 to 255.
class EditFieldServices {
public:
    virtual ~EditFieldServices() = default;
    virtual void CopyToClipboard(const std::string& text) = 0;
    virtual std::string GetClipboardText() = 0;
    // Characters 128 to 255 may be typed too.
    virtual bool AllowsExtendedChars() = 0;
};

class EditWidget : public Widget {
public:
    // The text starts this far in from each side.
    static constexpr int kTextInset = 4;
    // Colour table roles.
    enum {
        COLOR_BKG = 0,
        COLOR_OUTLINE = 1,
        COLOR_TEXT = 2,
        COLOR_HILITE = 3,
        COLOR_HILITE_TEXT = 4,
    };

    // Another font the text must fit in, with its own limit (-1: the field's mMaxPixels).
    struct WidthCheck {
        std::unique_ptr<Font> mFont;
        int32_t mMaxPixels = -1;
    };

    EditWidget(int id, EditListener* listener);
    ~EditWidget() override;

    // One editing step: a key code from KeyDown (c = 0) or a character from KeyChar
    // (keyCode = 0). Control characters 3, 24, 22 and 26 copy, cut, paste and undo.
    virtual void ProcessKey(int keyCode, char c);
    // Selects the word around the cursor.
    virtual void HiliteWord();
    // Keeps a duplicate of the font and empties the width-check list; a second font becomes
    // its one entry.
    virtual void SetFont(Font* font, Font* widthCheckFont = nullptr);
    // A non-empty text is selected whole, so that typing replaces it.
    virtual void SetText(const std::string& text, bool resetScroll = true);
    virtual bool IsPartOfWord(char c);
    // The cursor index for a click at x (widget coordinates); y plays no part.
    virtual int GetCharAt(int x, int y);
    // Scrolls so that the cursor is visible, 10 characters at a time for a big jump.
    virtual void FocusCursor(bool bigJump);

    void AddWidthCheckFont(Font* font);
    void ClearWidthCheckFonts();
    // The text as shown: mString, or the password character once per character.
    const std::string& GetDisplayString();
    // Cuts characters off the end until the text fits the pixel limits.
    void EnforceMaxPixels();

    void MarkDirty() override;
    void Update() override;
    void Draw(Graphics* g) override;
    void Resize(int x, int y, int width, int height) override;
    bool WantsFocus() override;
    void GotFocus() override;
    void LostFocus() override;
    void KeyChar(char c) override;
    void KeyDown(int keyCode) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseButtonUp(int x, int y, int button, int clickCount) override;
    void MouseDrag(int x, int y) override;

    int32_t mId;
    std::string mString;
    std::string mPasswordDisplayString;
    // Made on first use when none was set.
    std::unique_ptr<Font> mFont;
    std::vector<WidthCheck> mWidthCheckList;
    EditListener* mEditListener;
    // The cursor is in its visible blink phase.
    bool mShowingCursor = false;
    bool mDrawSelectionUnfocused = false;
    // A double click waits for its release.
    bool mHadDoubleClick = false;
    // 0 to the text's length.
    int32_t mCursorPos = 0;
    // The selection runs between this anchor and the cursor; -1 means none.
    int32_t mHilitePos = -1;
    // Updates since the last blink, and the blink period in updates.
    int32_t mBlinkAcc = 0;
    int32_t mBlinkDelay = 40;
    // The first visible character.
    int32_t mLeftPos = 0;
    // Longest text in characters; negative means no limit.
    int32_t mMaxChars = -1;
    // Widest text in pixels; 0 or less means no limit.
    int32_t mMaxPixels = -1;
    // When not 0, shown and copied instead of every character.
    char mPasswordChar = 0;
    // The state before the last undoable edit.
    std::string mUndoString;
    int32_t mUndoCursor = 0;
    int32_t mUndoHilitePos = 0;
    // Where the previous typed or deleted character was: an edit that continues there joins
    // the same undo step.
    int32_t mLastModifyIdx = 0;

protected:
    bool HasSelection() const;
    // The width of the display string's first count characters.
    int PrefixWidth(int count);

private:
    bool KeyHeld(int keyCode) const;
    // Keeps the cursor and the anchor within the text.
    void ClampPositions();
    // The font measures and draws with, made first when there is none.
    Font& EnsureFont();
    EditFieldServices* Services() const;
    bool AllowsChar(char c);
    static bool IsControlChar(char c);
    // Replaces the selection, or inserts at the cursor, and leaves the cursor after the text.
    void ReplaceSelection(const std::string& text);
    void CopySelection();
    // False when the clipboard holds no text.
    bool PasteClipboard();
    void Undo();
    void MoveLeft(bool control, bool shift);
    void MoveRight(bool control, bool shift);
    // These return whether the edit starts a new undo step.
    bool Backspace();
    bool DeleteForward();
    // False when the character is refused; *changed tells whether it starts a new undo step.
    bool TypeChar(char c, bool* changed);
};

} // namespace Zest
