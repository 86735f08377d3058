#include "framework/widgets/EditWidget.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace Zest {

namespace {

const int32_t kDefaultColors[][3] = {
    {255, 255, 255}, // background
    {0, 0, 0},       // border
    {0, 0, 0},       // text
    {0, 0, 0},       // selection and cursor fill
    {255, 255, 255}, // selected text
};

// Key codes and control characters the field acts on.
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr int kKeyDelete = 46;
constexpr char kCharCopy = 3;
constexpr char kCharPaste = 22;
constexpr char kCharCut = 24;
constexpr char kCharUndo = 26;
constexpr unsigned char kCharDelete = 127;

// The letter keys 'A' to 'Y' arrive as characters too, so their key-downs are left alone.
// 'Z' is not among them: its key-down reaches the listener and changes nothing.
constexpr int kFirstLetterKey = 65;
constexpr int kLastSkippedLetterKey = 89;

// Matches no position, so the next edit starts its own undo step. (-1 would still join a
// character typed at index 0 to the run.)
constexpr int32_t kNoEditRun = -2;

} // namespace

EditWidget::EditWidget(const int id, EditListener* const listener) : mId(id), mEditListener(listener)
{
    SetColors(kDefaultColors, static_cast<int>(std::size(kDefaultColors)));
}

EditWidget::~EditWidget() = default;

Font& EditWidget::EnsureFont()
{
    // Keys and clicks can come before the first draw, and they measure the text.
    if (mFont == nullptr) {
        mFont = std::make_unique<SysFont>(GetApp(), "Arial Unicode MS", 10, 0);
    }
    return *mFont;
}

EditFieldServices* EditWidget::Services() const
{
    if (mWidgetManager == nullptr)
        return nullptr;
    return dynamic_cast<EditFieldServices*>(mWidgetManager->mApp);
}

void EditWidget::SetFont(Font* const font, Font* const widthCheckFont)
{
    // Duplicated before the old font goes, so that passing mFont itself keeps a valid copy.
    mFont.reset(font != nullptr ? font->Duplicate() : nullptr);
    ClearWidthCheckFonts();
    if (widthCheckFont != nullptr)
        AddWidthCheckFont(widthCheckFont);
}

void EditWidget::AddWidthCheckFont(Font* const font)
{
    WidthCheck check;
    check.mFont.reset(font->Duplicate());
    mWidthCheckList.push_back(std::move(check));
}

void EditWidget::ClearWidthCheckFonts() { mWidthCheckList.clear(); }

void EditWidget::SetText(const std::string& text, const bool resetScroll)
{
    mString = text;
    mCursorPos = static_cast<int32_t>(mString.size());
    mHilitePos = 0;
    // A new text is no continuation of what was typed before it.
    mLastModifyIdx = kNoEditRun;
    if (resetScroll)
        mLeftPos = 0;
    else
        FocusCursor(true);
    WidgetContainer::MarkDirty();
}

const std::string& EditWidget::GetDisplayString()
{
    if (mPasswordChar == 0)
        return mString;
    if (mPasswordDisplayString.size() != mString.size() ||
        (!mPasswordDisplayString.empty() && mPasswordDisplayString[0] != mPasswordChar))
        mPasswordDisplayString.assign(mString.size(), mPasswordChar);
    return mPasswordDisplayString;
}

bool EditWidget::IsPartOfWord(const char c)
{
    const auto code = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || code >= 192;
}

int EditWidget::PrefixWidth(const int count)
{
    const std::string& shown = GetDisplayString();
    const int length = std::clamp(count, 0, static_cast<int>(shown.size()));
    return EnsureFont().StringWidth(shown.substr(0, static_cast<size_t>(length)));
}

bool EditWidget::HasSelection() const { return mHilitePos != -1 && mHilitePos != mCursorPos; }

bool EditWidget::AllowsChar(const char c) { return mEditListener == nullptr || mEditListener->AllowChar(mId, c); }

bool EditWidget::IsControlChar(const char c)
{
    // 127 (typed by Control+Backspace) is one too, though fonts give it a width.
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code == kCharDelete;
}

int EditWidget::GetCharAt(const int x, int)
{
    const std::string& shown = GetDisplayString();
    Font& font = EnsureFont();
    const int length = static_cast<int>(shown.size());
    const auto from = static_cast<size_t>(std::clamp(mLeftPos, 0, length));
    int index = 0;
    int before = 0;
    // Prefix widths only grow, so the first character whose middle lies right of x ends
    // the search; a long text is not measured to its end on every move of the mouse.
    for (int i = static_cast<int>(from); i < length; ++i) {
        const int through = font.StringWidth(shown.substr(from, static_cast<size_t>(i) - from + 1));
        if (x < (before + through) / 2 + 5)
            break;
        index = i + 1;
        before = through;
    }
    return index;
}

void EditWidget::FocusCursor(const bool bigJump)
{
    const int step = bigJump ? 10 : 1;
    while (mCursorPos < mLeftPos) {
        mLeftPos = std::max(0, mLeftPos - step);
        MarkDirty();
    }
    // An empty text needs no scrolling, and measuring it would make a font before one is set.
    if (GetDisplayString().empty())
        return;

    const int room = mWidth - 2 * kTextInset;
    const int length = static_cast<int>(GetDisplayString().size());
    // Never past the cursor, and never past the last character: when that alone is wider
    // than the field there is no position that shows it whole.
    const int lastLeft = std::min(length - 1, mCursorPos);
    while (room > 0 && PrefixWidth(mCursorPos) - PrefixWidth(mLeftPos) >= room) {
        const int next = std::min(mLeftPos + step, lastLeft);
        if (next <= mLeftPos)
            break;
        mLeftPos = next;
        MarkDirty();
    }
}

void EditWidget::HiliteWord()
{
    const std::string& shown = GetDisplayString();
    const int length = static_cast<int>(shown.size());
    if (mCursorPos >= length)
        return;
    mHilitePos = mCursorPos;
    while (mHilitePos > 0 && IsPartOfWord(shown[static_cast<size_t>(mHilitePos - 1)]))
        --mHilitePos;
    while (mCursorPos < length - 1 && IsPartOfWord(shown[static_cast<size_t>(mCursorPos + 1)]))
        ++mCursorPos;
    if (mCursorPos < length)
        ++mCursorPos;
}

void EditWidget::EnforceMaxPixels()
{
    const auto cutToFit = [this](Font& font, const int limit) {
        while (!mString.empty() && font.StringWidth(mString) > limit)
            mString.pop_back();
    };
    if (mWidthCheckList.empty()) {
        if (mMaxPixels > 0)
            cutToFit(EnsureFont(), mMaxPixels);
        return;
    }
    for (WidthCheck& check : mWidthCheckList) {
        const int limit = check.mMaxPixels > 0 ? check.mMaxPixels : mMaxPixels;
        if (limit > 0)
            cutToFit(*check.mFont, limit);
    }
}

void EditWidget::ReplaceSelection(const std::string& text)
{
    if (HasSelection()) {
        const int start = std::min(mCursorPos, mHilitePos);
        const int end = std::max(mCursorPos, mHilitePos);
        mString.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
        mCursorPos = start;
    } else {
        mString.insert(static_cast<size_t>(mCursorPos), text);
    }
    mCursorPos += static_cast<int32_t>(text.size());
    mHilitePos = -1;
}

void EditWidget::CopySelection()
{
    const int start = std::min(mCursorPos, mHilitePos);
    const int end = std::max(mCursorPos, mHilitePos);
    // The display string: a password field copies its mask characters, never the text.
    const std::string& shown = GetDisplayString();
    if (EditFieldServices* const services = Services())
        services->CopyToClipboard(shown.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

bool EditWidget::PasteClipboard()
{
    EditFieldServices* const services = Services();
    const std::string clipboard = services != nullptr ? services->GetClipboardText() : std::string();
    if (clipboard.empty())
        return false;
    Font& font = EnsureFont();
    std::string kept;
    for (const char c : clipboard) {
        // Only the first line of the clipboard goes into a single-line field; a text longer
        // than the field holds is cut after the edit anyway.
        if (c == '\r' || c == '\n' || (mMaxChars >= 0 && kept.size() >= static_cast<size_t>(mMaxChars)))
            break;
        // Control characters (a tab, say) have no place in the text, as when typed.
        if (!IsControlChar(c) && font.CharWidth(c) != 0 && AllowsChar(c))
            kept += c;
    }
    // A paste counts as an edit even when no character was kept.
    ReplaceSelection(kept);
    return true;
}

void EditWidget::Undo()
{
    mLastModifyIdx = kNoEditRun;
    std::swap(mString, mUndoString);
    std::swap(mCursorPos, mUndoCursor);
    std::swap(mHilitePos, mUndoHilitePos);
}

void EditWidget::MoveLeft(const bool control, const bool shift)
{
    if (control) {
        const std::string& shown = GetDisplayString();
        while (mCursorPos > 0 && !IsPartOfWord(shown[static_cast<size_t>(mCursorPos - 1)]))
            --mCursorPos;
        while (mCursorPos > 0 && IsPartOfWord(shown[static_cast<size_t>(mCursorPos - 1)]))
            --mCursorPos;
        return;
    }
    if (!shift && mHilitePos != -1)
        mCursorPos = std::min(mCursorPos, mHilitePos);
    else
        --mCursorPos;
}

void EditWidget::MoveRight(const bool control, const bool shift)
{
    if (control) {
        const std::string& shown = GetDisplayString();
        const int last = static_cast<int>(shown.size()) - 1;
        while (mCursorPos < last && IsPartOfWord(shown[static_cast<size_t>(mCursorPos + 1)]))
            ++mCursorPos;
        while (mCursorPos < last && !IsPartOfWord(shown[static_cast<size_t>(mCursorPos + 1)]))
            ++mCursorPos;
    }
    if (!shift && mHilitePos != -1)
        mCursorPos = std::max(mCursorPos, mHilitePos);
    else
        ++mCursorPos;
}

bool EditWidget::Backspace()
{
    if (HasSelection()) {
        ReplaceSelection(std::string());
        return true;
    }
    // At the start there is nothing to remove, and the undo step stays as it was.
    if (mCursorPos == 0)
        return false;
    mString.erase(static_cast<size_t>(mCursorPos - 1), 1);
    --mCursorPos;
    mHilitePos = -1;
    const bool changed = mCursorPos != mLastModifyIdx;
    mLastModifyIdx = mCursorPos - 1;
    return changed;
}

bool EditWidget::DeleteForward()
{
    if (HasSelection()) {
        ReplaceSelection(std::string());
        return true;
    }
    if (mCursorPos >= static_cast<int>(mString.size()))
        return false;
    mString.erase(static_cast<size_t>(mCursorPos), 1);
    const bool changed = mCursorPos != mLastModifyIdx;
    mLastModifyIdx = mCursorPos;
    return changed;
}

bool EditWidget::TypeChar(const char c, bool* const changed)
{
    const auto code = static_cast<unsigned char>(c);
    EditFieldServices* const services = Services();
    const unsigned highest = services == nullptr || services->AllowsExtendedChars() ? 255 : 127;
    if (IsControlChar(c) || code > highest || EnsureFont().StringWidth(std::string(1, c)) <= 0 || !AllowsChar(c))
        return false;
    // A character typed right after the previous one continues its undo step; one that
    // replaces a selection starts a new step, which the characters after it continue.
    *changed = HasSelection() || mCursorPos != mLastModifyIdx + 1;
    ReplaceSelection(std::string(1, c));
    mLastModifyIdx = mCursorPos - 1;
    FocusCursor(false);
    return true;
}

bool EditWidget::KeyHeld(const int keyCode) const
{
    return mWidgetManager != nullptr && mWidgetManager->mKeyDown[static_cast<size_t>(keyCode)];
}

void EditWidget::ClampPositions()
{
    const int length = static_cast<int>(mString.size());
    mCursorPos = std::clamp(mCursorPos, 0, length);
    if (mHilitePos > length)
        mHilitePos = length;
}

void EditWidget::ProcessKey(const int keyCode, const char c)
{
    if (keyCode == WidgetManager::kKeyShift || keyCode == WidgetManager::kKeyControl)
        return;
    EnsureFont();
    ClampPositions();

    const bool shift = KeyHeld(WidgetManager::kKeyShift);
    const bool control = KeyHeld(WidgetManager::kKeyControl);
    bool clearSelection = !shift;
    bool changed = false;
    if (shift && mHilitePos == -1)
        mHilitePos = mCursorPos;
    const std::string oldString = mString;
    const int32_t oldCursor = mCursorPos;
    const int32_t oldHilitePos = mHilitePos;

    if (c == kCharCopy || c == kCharCut) {
        if (HasSelection()) {
            CopySelection();
            if (c == kCharCopy) {
                clearSelection = false;
            } else {
                ReplaceSelection(std::string());
                changed = true;
            }
        }
    } else if (c == kCharPaste) {
        changed = PasteClipboard();
    } else if (c == kCharUndo) {
        Undo();
        clearSelection = false;
    } else if (keyCode == kKeyLeft) {
        MoveLeft(control, shift);
    } else if (keyCode == kKeyRight) {
        MoveRight(control, shift);
    } else if (keyCode == kKeyBackspace) {
        if (!mString.empty())
            changed = Backspace();
    } else if (keyCode == kKeyDelete) {
        if (!mString.empty())
            changed = DeleteForward();
    } else if (keyCode == kKeyHome) {
        mCursorPos = 0;
    } else if (keyCode == kKeyEnd) {
        mCursorPos = static_cast<int32_t>(mString.size());
    } else if (keyCode == kKeyEnter) {
        if (mEditListener != nullptr)
            mEditListener->EditTextEntered(mId, mString);
    } else if (!TypeChar(c, &changed)) {
        clearSelection = false;
    }

    if (mMaxChars >= 0 && mString.size() > static_cast<size_t>(mMaxChars))
        mString.resize(static_cast<size_t>(mMaxChars));
    EnforceMaxPixels();
    ClampPositions();
    if (mCursorPos != oldCursor) {
        mBlinkAcc = 0;
        mShowingCursor = true;
    }
    FocusCursor(true);
    if (clearSelection || mHilitePos == mCursorPos)
        mHilitePos = -1;

    if (mEditListener != nullptr && !mEditListener->AllowText(mId, mString)) {
        mString = oldString;
        mCursorPos = oldCursor;
        mHilitePos = oldHilitePos;
        // The refused edit may have scrolled past the text that comes back.
        FocusCursor(true);
    } else if (changed) {
        mUndoString = oldString;
        mUndoCursor = oldCursor;
        mUndoHilitePos = oldHilitePos;
    }
    MarkDirty();
}

void EditWidget::Draw(Graphics* const g)
{
    Font& font = EnsureFont();
    const std::string& shown = GetDisplayString();
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, mWidth, mHeight);

    const int room = mWidth - 2 * kTextInset;
    const int textTop = (mHeight - font.GetHeight()) / 2;
    const int baseline = textTop + font.GetAscent();
    const std::string visible = shown.substr(std::min(static_cast<size_t>(std::max(mLeftPos, 0)), shown.size()));

    // The whole text in the text colour.
    {
        const std::unique_ptr<Graphics> pass = g->Create();
        pass->SetFont(&font);
        pass->ClipRect(kTextInset, 0, room, mHeight);
        pass->SetColor(GetColor(COLOR_TEXT));
        pass->DrawString(visible, kTextInset, baseline);
    }

    // Over it, clipped to the selection (or to a 2-pixel bar at a shown cursor): the fill and
    // the text again in the selected colour. Without the focus the selection looks like the
    // rest of the text, which is drawn already: drawing it twice would thicken smoothed glyphs.
    if (mHasFocus || mDrawSelectionUnfocused) {
        const int leftWidth = PrefixWidth(mLeftPos);
        int cursorX = PrefixWidth(mCursorPos) - leftWidth;
        int anchorX = HasSelection() ? PrefixWidth(mHilitePos) - leftWidth : cursorX + 2;
        if (!mShowingCursor)
            cursorX += 2;
        cursorX = std::max(0, std::min(cursorX, room));
        anchorX = std::max(0, std::min(anchorX, room));
        const int areaX = std::min(cursorX, anchorX) + kTextInset;
        const int areaWidth = std::abs(cursorX - anchorX);

        const std::unique_ptr<Graphics> pass = g->Create();
        pass->SetFont(&font);
        pass->ClipRect(areaX, textTop, areaWidth, font.GetHeight());
        pass->SetColor(GetColor(COLOR_HILITE));
        pass->FillRect(areaX, textTop, areaWidth, font.GetHeight());
        pass->SetColor(GetColor(COLOR_HILITE_TEXT));
        pass->DrawString(visible, kTextInset, baseline);
    }

    g->SetColor(GetColor(COLOR_OUTLINE));
    g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
}

void EditWidget::KeyDown(const int keyCode)
{
    const bool letterKey = keyCode >= kFirstLetterKey && keyCode <= kLastSkippedLetterKey;
    if (!letterKey && (mEditListener == nullptr || mEditListener->AllowKey(mId, keyCode)))
        ProcessKey(keyCode, 0);
    Widget::KeyDown(keyCode);
}

void EditWidget::KeyChar(const char c) { ProcessKey(0, c); }

void EditWidget::MarkDirty()
{
    // A see-through background shows what lies below, which must be redrawn with it.
    if (GetColor(COLOR_BKG).mAlpha != 255)
        WidgetContainer::MarkDirtyFull();
    else
        WidgetContainer::MarkDirty();
}

void EditWidget::Update()
{
    Widget::Update();
    if (!mHasFocus)
        return;
    if (++mBlinkAcc > mBlinkDelay) {
        MarkDirty();
        mBlinkAcc = 0;
        mShowingCursor = !mShowingCursor;
    }
}

void EditWidget::Resize(const int x, const int y, const int width, const int height)
{
    Widget::Resize(x, y, width, height);
    FocusCursor(false);
}

bool EditWidget::WantsFocus() { return true; }

void EditWidget::GotFocus()
{
    Widget::GotFocus();
    mShowingCursor = true;
    mBlinkAcc = 0;
    MarkDirty();
}

void EditWidget::LostFocus()
{
    Widget::LostFocus();
    mShowingCursor = false;
    MarkDirty();
}

void EditWidget::MouseEnter() { SetAppCursor(CURSOR_TEXT); }

void EditWidget::MouseLeave() { SetAppCursor(CURSOR_POINTER); }

void EditWidget::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    mHilitePos = -1;
    mCursorPos = GetCharAt(x, y);
    if (clickCount > 1) {
        mHadDoubleClick = true;
        HiliteWord();
    }
    MarkDirty();
    FocusCursor(false);
}

void EditWidget::MouseDrag(const int x, const int y)
{
    if (mHilitePos == -1)
        mHilitePos = mCursorPos;
    mCursorPos = GetCharAt(x, y);
    MarkDirty();
    FocusCursor(false);
}

void EditWidget::MouseButtonUp(const int x, const int y, const int button, const int clickCount)
{
    if (mHilitePos == mCursorPos)
        mHilitePos = -1;
    // The release of a double click selects the word where it lands.
    if (mHadDoubleClick) {
        mHilitePos = -1;
        mCursorPos = GetCharAt(x, y);
        mHadDoubleClick = false;
        HiliteWord();
    }
    MarkDirty();
}

} // namespace Zest
