#include "framework/widgets/ListWidget.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <numeric>

namespace Zest {

namespace {

const int32_t kDefaultColors[][3] = {
    {255, 255, 255}, // background
    {255, 255, 255}, // outline
    {0, 0, 0},       // colour of new lines
    {0, 192, 0},     // text of the hilited line
    {0, 0, 128},     // selection bar
    {255, 255, 255}, // text of the selected line
};

// Lines are drawn this far inside every edge.
constexpr int kInset = 4;
// Lines scrolled by one notch of the mouse wheel.
constexpr int kWheelLines = 5;

// The elements in the new order: element k is the old element order[k].
template <typename T>
void ApplyOrder(std::vector<T>& items, const std::vector<size_t>& order)
{
    std::vector<T> reordered;
    reordered.reserve(order.size());
    for (const size_t from : order)
        reordered.push_back(std::move(items[from]));
    items = std::move(reordered);
}

} // namespace

ListWidget::ListWidget(const int id, Font* const font, ListListener* const listener)
    : mId(id), mFont(font), mListListener(listener), mItemHeight(font != nullptr ? font->GetHeight() : -1)
{
    SetColors(kDefaultColors, static_cast<int>(std::size(kDefaultColors)));
}

std::vector<ListWidget*> ListWidget::Chain()
{
    ListWidget* head = this;
    while (head->mParentList != nullptr)
        head = head->mParentList;
    std::vector<ListWidget*> chain;
    for (ListWidget* list = head; list != nullptr; list = list->mChildList)
        chain.push_back(list);
    return chain;
}

int ListWidget::GetLineHeight() const
{
    if (mItemHeight != -1)
        return mItemHeight;
    return mFont != nullptr ? mFont->GetHeight() : 0;
}

std::string ListWidget::GetSortKey(const int index)
{
    std::string key = GetStringAt(index);
    if (static_cast<int>(key.size()) < mSortPadWidth)
        key.insert(0, static_cast<size_t>(mSortPadWidth) - key.size(), '0');
    if (mChildList == nullptr)
        return key;
    const std::string childKey = mChildList->GetSortKey(index);
    return mChildKeyFirst ? childKey + key : key + childKey;
}

void ListWidget::Sort(const bool ascending)
{
    const size_t count = mLines.size();
    std::vector<std::string> keys;
    keys.reserve(count);
    for (size_t i = 0; i < count; ++i)
        keys.push_back(GetSortKey(static_cast<int>(i)));
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    // Stable: lines with equal keys keep their order either way.
    std::stable_sort(order.begin(), order.end(), [&](const size_t a, const size_t b) {
        return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });

    for (ListWidget* list : Chain()) {
        // A column that does not have a line for every line of this one is left as it is.
        if (list->mLines.size() != count || list->mLineColors.size() != count)
            continue;
        ApplyOrder(list->mLines, order);
        ApplyOrder(list->mLineColors, order);
        list->MarkDirty();
    }
}

std::string ListWidget::GetStringAt(const int index)
{
    if (index < 0 || index >= GetLineCount())
        return std::string();
    return mLines[static_cast<size_t>(index)];
}

int ListWidget::AddLine(const std::string& line, const bool alphabetical)
{
    int index = GetLineCount();
    if (alphabetical) {
        // Compared as C strings, byte by byte.
        const auto greater = std::find_if(mLines.begin(), mLines.end(), [&](const std::string& existing) {
            return std::strcmp(existing.c_str(), line.c_str()) > 0;
        });
        index = static_cast<int>(greater - mLines.begin());
    }
    const Color color = GetColor(COLOR_TEXT);
    for (ListWidget* list : Chain()) {
        const size_t at = std::min(static_cast<size_t>(index), list->mLines.size());
        list->mLines.insert(list->mLines.begin() + static_cast<std::ptrdiff_t>(at), list == this ? line : "-");
        const size_t colorAt = std::min(static_cast<size_t>(index), list->mLineColors.size());
        list->mLineColors.insert(list->mLineColors.begin() + static_cast<std::ptrdiff_t>(colorAt), color);
        list->MarkDirty();
    }
    if (mScrollbar != nullptr)
        mScrollbar->SetMaxValue(GetLineCount());
    return index;
}

void ListWidget::SetLine(const int index, const std::string& line)
{
    if (index < 0 || index >= GetLineCount())
        return;
    mLines[static_cast<size_t>(index)] = line;
    MarkDirty();
}

int ListWidget::GetLineCount() { return static_cast<int>(mLines.size()); }

int ListWidget::GetLineIdx(const std::string& line)
{
    const auto found = std::find(mLines.begin(), mLines.end(), line);
    return found == mLines.end() ? -1 : static_cast<int>(found - mLines.begin());
}

void ListWidget::SetLineColorOf(const std::string& line, const Color& color) { SetLineColor(GetLineIdx(line), color); }

void ListWidget::SetLineColor(const int index, const Color& color)
{
    if (index < 0 || index >= GetLineCount())
        return;
    for (ListWidget* list : Chain()) {
        if (static_cast<size_t>(index) < list->mLineColors.size())
            list->mLineColors[static_cast<size_t>(index)] = color;
        list->MarkDirty();
    }
}

void ListWidget::RemoveLine(const int index)
{
    if (index < 0 || index >= GetLineCount())
        return;
    const size_t at = static_cast<size_t>(index);
    for (ListWidget* list : Chain()) {
        if (at < list->mLines.size())
            list->mLines.erase(list->mLines.begin() + static_cast<std::ptrdiff_t>(at));
        if (at < list->mLineColors.size())
            list->mLineColors.erase(list->mLineColors.begin() + static_cast<std::ptrdiff_t>(at));
        list->DropIndicesPastEnd();
        list->MarkDirty();
    }
    if (mScrollbar != nullptr)
        mScrollbar->SetMaxValue(GetLineCount());
}

void ListWidget::DropIndicesPastEnd()
{
    if (mHiliteIndex >= GetLineCount())
        SetHilite(-1);
    if (mSelectIndex >= GetLineCount())
        mSelectIndex = -1;
}

void ListWidget::RemoveAll()
{
    for (ListWidget* list : Chain()) {
        list->mLines.clear();
        list->mLineColors.clear();
        list->mHiliteIndex = -1;
        list->mSelectIndex = -1;
        list->MarkDirty();
    }
    if (mScrollbar != nullptr)
        mScrollbar->SetMaxValue(0);
}

int ListWidget::GetOptimalWidth()
{
    int widest = 0;
    if (mFont != nullptr) {
        for (const std::string& line : mLines)
            widest = std::max(widest, mFont->StringWidth(line));
    }
    return widest + 16;
}

int ListWidget::GetOptimalHeight() { return GetLineHeight() * GetLineCount() + 2 * kInset; }

void ListWidget::SetSelect(const int index)
{
    for (ListWidget* list : Chain()) {
        list->mSelectIndex = index;
        list->MarkDirty();
    }
}

void ListWidget::SetHilite(const int index)
{
    const int old = mHiliteIndex;
    mHiliteIndex = index;
    if (index != old && mListListener != nullptr)
        mListListener->ListHiliteChanged(mId, old, index);
}

void ListWidget::RemovedFromManager(WidgetManager* const manager)
{
    // A list nested in a removed widget hears this once more from each removed ancestor,
    // after its manager is already gone; it closes only once.
    const bool wasManaged = mWidgetManager != nullptr;
    Widget::RemovedFromManager(manager);
    if (wasManaged && mListListener != nullptr)
        mListListener->ListClosed(mId);
}

void ListWidget::Draw(Graphics* const g)
{
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, mWidth, mHeight);

    const std::unique_ptr<Graphics> text = g->Create();
    text->ClipRect(kInset, kInset, mWidth - 2 * kInset, mHeight - 2 * kInset);
    text->SetFont(mFont);
    const std::unique_ptr<Graphics> bar = g->Create();
    bar->ClipRect(0, kInset, mWidth, mHeight - 2 * kInset);

    const int first = static_cast<int>(mScrollPosition);
    const int last = std::min(first + static_cast<int>(mVisibleLines) + 1, GetLineCount() - 1);
    const int lineHeight = GetLineHeight();
    const int fontHeight = mFont != nullptr ? mFont->GetHeight() : 0;
    const int textOffset = mItemHeight == -1 ? 0 : (mItemHeight - fontHeight) / 2;
    const int ascent = mFont != nullptr ? mFont->GetAscent() : 0;

    for (int i = std::max(first, 0); i <= last; ++i) {
        const int y = static_cast<int>((i - mScrollPosition) * lineHeight) + kInset;
        if (i == mSelectIndex || (i == mHiliteIndex && mSelectBarOnHilite)) {
            bar->SetColor(GetColor(COLOR_SELECT));
            bar->FillRect(0, y, mWidth, lineHeight);
        }
        const std::string& line = mLines[static_cast<size_t>(i)];
        if (i == mHiliteIndex)
            text->SetColor(GetColor(COLOR_HILITE));
        else if (i == mSelectIndex && mColors.size() > COLOR_SELECT_TEXT)
            text->SetColor(GetColor(COLOR_SELECT_TEXT));
        else
            text->SetColor(mLineColors[static_cast<size_t>(i)]);
        const int width = mFont != nullptr ? mFont->StringWidth(line) : 0;
        int x = kInset;
        if (mLineAlign == 1)
            x = (mWidth - width) / 2;
        else if (mLineAlign != 0)
            x = mWidth - width - kInset;
        text->DrawString(line, x, y + ascent + textOffset);
    }

    if (mDrawOutline) {
        g->SetColor(GetColor(COLOR_OUTLINE));
        g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
    }
}

void ListWidget::ZOrderChanged()
{
    // Only top-level neighbours can be reordered beside the list.
    if (mWidgetManager == nullptr || !mWidgetManager->HasWidget(this))
        return;
    if (mChildList != nullptr)
        mWidgetManager->PutInFront(mChildList, this);
    if (mScrollbar != nullptr)
        mWidgetManager->PutInFront(mScrollbar, this);
}

void ListWidget::Resize(const int x, const int y, const int width, const int height)
{
    Widget::Resize(x, y, width, height);
    const int lineHeight = GetLineHeight();
    mVisibleLines = lineHeight > 0 && height > lineHeight + 2 * kInset
        ? static_cast<double>(height - 2 * kInset) / lineHeight
        : 1.0;
    if (mScrollbar != nullptr)
        mScrollbar->SetPageSize(mVisibleLines);
}

void ListWidget::MouseLeave()
{
    for (ListWidget* list : Chain()) {
        list->SetHilite(-1);
        list->MarkDirty();
    }
    ShowHandCursor(false);
}

void ListWidget::MouseMove(const int x, const int y)
{
    const int lineHeight = GetLineHeight();
    int index = -1;
    if (lineHeight > 0) {
        // Truncated toward zero: the inset above the first line still hilites it.
        index = static_cast<int>(static_cast<double>(y - kInset) / lineHeight + mScrollPosition);
        if (index < 0 || index >= GetLineCount())
            index = -1;
    }
    if (index == mHiliteIndex)
        return;
    for (ListWidget* list : Chain()) {
        list->SetHilite(index);
        list->MarkDirty();
    }
    ShowHandCursor(index != -1 && mHandCursorOnHilite);
}

void ListWidget::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    if (mHiliteIndex != -1 && mListListener != nullptr)
        mListListener->ListClicked(mId, mHiliteIndex, clickCount);
}

void ListWidget::MouseWheel(const int delta)
{
    if (mScrollbar == nullptr || delta == 0)
        return;
    mScrollbar->SetValue(delta > 0 ? mScrollbar->mValue - kWheelLines : mScrollbar->mValue + kWheelLines);
}

void ListWidget::ScrollPositionChanged(const int id, const double position)
{
    if (mChildList != nullptr)
        mChildList->ScrollPositionChanged(id, position);
    mScrollPosition = position;
    MarkDirty();
}

} // namespace Zest
