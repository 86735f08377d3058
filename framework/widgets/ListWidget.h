#pragma once
// A vertical list of text lines in one font, each line in its own colour, with a hilite
// that follows the mouse, a selection bar chosen by the owner, a linked scroll bar and
// sorting. Lists can be chained side by side (mParentList, mChildList) as the columns of
// one table: adding, removing, colouring, hiliting, selecting, sorting and scrolling in any
// of them is mirrored in every list of the chain. Lines are drawn from 4 pixels inside the
// edges.

#include "framework/graphics/Color.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/Widget.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {

class Font;
class ScrollbarWidget;

class ListWidget : public Widget, public ScrollListener {
public:
    // Colour table roles.
    enum {
        COLOR_BKG = 0,
        COLOR_OUTLINE = 1,
        COLOR_TEXT = 2,
        COLOR_HILITE = 3,
        COLOR_SELECT = 4,
        COLOR_SELECT_TEXT = 5,
    };

    // The font is not owned.
    ListWidget(int id, Font* font, ListListener* listener);

    // The line left-padded with "0" to mSortPadWidth, joined with the child list's key.
    virtual std::string GetSortKey(int index);
    // A stable sort of every list of the chain by the sort keys.
    virtual void Sort(bool ascending);
    // Empty for an index that is not a line.
    virtual std::string GetStringAt(int index);
    // Alphabetical: before the first greater line, else at the end. The other lists of the
    // chain get "-" at the same index. Returns the new line's index.
    virtual int AddLine(const std::string& line, bool alphabetical);
    // In this list only.
    virtual void SetLine(int index, const std::string& line);
    virtual int GetLineCount();
    // The first line equal to the text, or -1.
    virtual int GetLineIdx(const std::string& line);
    virtual void SetLineColorOf(const std::string& line, const Color& color);
    virtual void SetLineColor(int index, const Color& color);
    // From every list of the chain; a hilite or selection that no longer names a line
    // becomes -1.
    virtual void RemoveLine(int index);
    virtual void RemoveAll();
    virtual int GetOptimalWidth();
    virtual int GetOptimalHeight();
    virtual void SetSelect(int index);

    // Tells the listener when it changes.
    void SetHilite(int index);
    // The height of one line: mItemHeight, or the font's height when that is -1.
    int GetLineHeight() const;

    void RemovedFromManager(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    // Keeps the child list and the scroll bar just in front of this list.
    void ZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void MouseLeave() override;
    void MouseMove(int x, int y) override;
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseWheel(int delta) override;
    void ScrollPositionChanged(int id, double position) override;

    int32_t mId;
    Font* mFont;
    // Not owned: the owner makes it and links it.
    ScrollbarWidget* mScrollbar = nullptr;
    // 0 left, 1 centred, anything else right-aligned.
    int32_t mLineAlign = 0;
    std::vector<std::string> mLines;
    std::vector<Color> mLineColors;
    // The first visible line, possibly fractional.
    double mScrollPosition = 0.0;
    double mVisibleLines = 0.0;
    int32_t mHiliteIndex = -1;
    int32_t mSelectIndex = -1;
    ListListener* mListListener;
    ListWidget* mParentList = nullptr;
    ListWidget* mChildList = nullptr;
    bool mChildKeyFirst = false;
    bool mDrawOutline = true;
    int32_t mSortPadWidth = 0;
    // -1: the font's height.
    int32_t mItemHeight;
    bool mSelectBarOnHilite = false;
    bool mHandCursorOnHilite = true;

private:
    // The head of the chain, then each child in turn.
    std::vector<ListWidget*> Chain();
    // Forgets a hilite or selection that names no line any more.
    void DropIndicesPastEnd();
};

} // namespace Zest
