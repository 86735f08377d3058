#include "framework/widgets/Dialog.h"

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <iterator>

namespace Zest {

const std::string DIALOG_YES = "YES";
const std::string DIALOG_NO = "NO";
const std::string DIALOG_OK = "OK";
const std::string DIALOG_CANCEL = "CANCEL";

namespace {

const int32_t kDefaultColors[][3] = {
    {255, 255, 255}, // header
    {255, 255, 0},   // body lines
    {255, 255, 255}, // footer
    {0, 0, 0},       // button label
    {0, 0, 0},       // button label under the mouse
    {80, 80, 80},    // fill of the drawn frame
    {255, 255, 255}, // outline of the drawn frame
};

const Color kShadow(0, 0, 0, 128);
// A dragged dialog may go this far past each edge of the screen, and is held at least this
// far inside its own edges.
constexpr int kDragMargin = 8;
// Between the body, the footer and the buttons.
constexpr int kSectionGap = 8;

} // namespace

Dialog::Dialog(const int id, const bool isModal, const std::string& header, const std::string& lines,
               const std::string& footer, const int buttonMode)
    // Dialogs report to the application, when the process has one.
    : mDialogListener(dynamic_cast<DialogListener*>(GetAppInterface())), mDialogHeader(header),
      mDialogFooter(footer), mDialogLines(lines), mButtonMode(buttonMode), mId(id), mIsModal(isModal)
{
    mHasTransparencies = true;
    mHasAlpha = true;
    // Overlays deferred with priority 0 are drawn under every dialog.
    mPriority = 1;

    const auto makeButton = [this](const int buttonId, const std::string& label) {
        DialogButton* const button = new DialogButton(buttonId, this);
        button->mLabel = label;
        return button;
    };
    switch (buttonMode) {
    case BUTTONS_YES_NO:
        mYesButton = makeButton(kYesButtonId, DIALOG_YES);
        mNoButton = makeButton(kNoButtonId, DIALOG_NO);
        break;
    case BUTTONS_OK_CANCEL:
        mYesButton = makeButton(kYesButtonId, DIALOG_OK);
        mNoButton = makeButton(kNoButtonId, DIALOG_CANCEL);
        break;
    case BUTTONS_FOOTER:
        mYesButton = makeButton(kYesButtonId, footer);
        break;
    default:
        break;
    }
    // After the buttons: the label colours are handed on to them.
    SetColors(kDefaultColors, static_cast<int>(std::size(kDefaultColors)));
}

Dialog::~Dialog()
{
    // A WaitForResult still running learns that the dialog went, and with which result.
    if (mWaiter != nullptr) {
        mWaiter->mGone = true;
        mWaiter->mResult = mResult;
    }
    delete mYesButton;
    delete mNoButton;
    delete mHeaderFont;
    delete mLinesFont;
}

void Dialog::SetButtonFont(Font* const font)
{
    if (mYesButton != nullptr)
        mYesButton->SetFont(font);
    if (mNoButton != nullptr)
        mNoButton->SetFont(font);
}

void Dialog::SetHeaderFont(Font* const font)
{
    // Duplicated before the old font goes, so that passing the held font itself is safe.
    Font* const copy = font != nullptr ? font->Duplicate() : nullptr;
    delete mHeaderFont;
    mHeaderFont = copy;
}

void Dialog::SetLinesFont(Font* const font)
{
    Font* const copy = font != nullptr ? font->Duplicate() : nullptr;
    delete mLinesFont;
    mLinesFont = copy;
}

void Dialog::EnsureFonts()
{
    if (mHeaderFont == nullptr)
        mHeaderFont = new SysFont(GetApp(), "Arial Unicode MS", 14, 0);
    if (mLinesFont == nullptr)
        mLinesFont = new SysFont(GetApp(), "Arial Unicode MS", 12, 0);
}

bool Dialog::HasFooterLine() const { return !mDialogFooter.empty() && mButtonMode != BUTTONS_FOOTER; }

int Dialog::BodyLineSpacing() const { return mLinesFont->GetLineSpacing() + mLineSpacingOffset; }

int Dialog::GetPreferredHeight(const int width)
{
    EnsureFonts();
    const Insets& bi = mBackgroundInsets;
    const Insets& ci = mContentInsets;
    int height = bi.mTop + bi.mBottom + ci.mTop + ci.mBottom;
    bool any = false;
    if (!mDialogHeader.empty()) {
        height += mHeaderFont->GetHeight() - mHeaderFont->GetAscentPadding();
        any = true;
    }
    if (!mDialogLines.empty()) {
        if (any)
            height += mSpaceAfterHeader;
        Graphics scratch;
        scratch.SetFont(mLinesFont);
        const int textWidth = width - ci.mRight - ci.mLeft - bi.mRight - bi.mLeft - 4;
        height += GetWordWrappedHeight(&scratch, textWidth, mDialogLines, BodyLineSpacing());
        any = true;
    }
    if (HasFooterLine()) {
        if (any)
            height += kSectionGap;
        height += mHeaderFont->GetLineSpacing();
        any = true;
    }
    if (mYesButton != nullptr) {
        if (any)
            height += kSectionGap;
        height += kSectionGap + mButtonHeight;
    }
    return height;
}

bool Dialog::IsModal() { return mIsModal; }

int Dialog::WaitForResult(const bool autoKill)
{
    DialogHost* const host = dynamic_cast<DialogHost*>(GetApp());
    if (host == nullptr)
        return mResult;
    // The updates run below may close and delete this dialog (a replacement under its id,
    // an update that closes it); then nothing of it may be touched again.
    Waiter waiter;
    mWaiter = &waiter;
    while (!waiter.mGone && mWidgetManager != nullptr && mResult == kNoResult && host->UpdateStep(nullptr)) {
    }
    if (waiter.mGone)
        return waiter.mResult;
    mWaiter = nullptr;
    const int result = mResult;
    // Only this dialog: another may have been opened under the same id meanwhile.
    if (autoKill && host->GetDialog(mId) == this)
        host->CloseDialog(mId);
    return result;
}

void Dialog::AddedToManager(WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    for (DialogButton* const button : {mYesButton, mNoButton}) {
        if (button == nullptr)
            continue;
        // In the dialog's band, so that they stay above it.
        button->mZOrder = mZOrder;
        manager->AddWidget(button);
    }
}

void Dialog::RemovedFromManager(WidgetManager* const manager)
{
    Widget::RemovedFromManager(manager);
    for (DialogButton* const button : {mYesButton, mNoButton}) {
        if (button != nullptr)
            manager->RemoveWidget(button);
    }
}

void Dialog::Draw(Graphics* const g)
{
    EnsureFonts();
    const Insets& bi = mBackgroundInsets;
    const Insets& ci = mContentInsets;
    const Rect background(bi.mLeft, bi.mTop, mWidth - bi.mRight - bi.mLeft, mHeight - bi.mBottom - bi.mTop);

    if (mComponentImage != nullptr) {
        g->DrawImageBox(background, mComponentImage);
    } else {
        g->SetColor(GetColorOr(COLOR_OUTLINE, Color(255, 255, 255)));
        g->DrawRect(12, 12, mWidth - 25, mHeight - 25);
        g->SetColor(GetColorOr(COLOR_BKG, Color(80, 80, 80)));
        g->FillRect(13, 13, mWidth - 26, mHeight - 26);
        g->SetColor(kShadow);
        g->FillRect(mWidth - 12, 24, 12, mHeight - 36);
        g->FillRect(24, mHeight - 12, mWidth - 24, 12);
    }

    int y = ci.mTop + bi.mTop;
    if (!mDialogHeader.empty()) {
        y += mHeaderFont->GetAscent() - mHeaderFont->GetAscentPadding();
        g->SetFont(mHeaderFont);
        g->SetColor(GetColor(COLOR_HEADER));
        WriteCenteredLine(g, y, mDialogHeader);
        y += mHeaderFont->GetHeight() - mHeaderFont->GetAscent() + mSpaceAfterHeader;
    }

    g->SetFont(mLinesFont);
    g->SetColor(GetColor(COLOR_LINES));
    const Rect body(bi.mLeft + ci.mLeft + 2, y, mWidth - ci.mRight - bi.mLeft - ci.mLeft - bi.mRight - 4, 0);
    y += WriteWordWrapped(g, body, mDialogLines, BodyLineSpacing(), mTextAlign);

    if (HasFooterLine()) {
        y += kSectionGap + mHeaderFont->GetLineSpacing();
        g->SetFont(mHeaderFont);
        g->SetColor(GetColor(COLOR_FOOTER));
        WriteCenteredLine(g, y, mDialogFooter);
    }
}

void Dialog::ZOrderChanged()
{
    if (mWidgetManager == nullptr)
        return;
    for (DialogButton* const button : {mYesButton, mNoButton}) {
        if (button != nullptr)
            mWidgetManager->PutInFront(button, this);
    }
}

void Dialog::SetColor(const int index, const Color& color)
{
    Widget::SetColor(index, color);
    const int buttonIndex = index == COLOR_BUTTON_TEXT        ? DialogButton::COLOR_LABEL
                            : index == COLOR_BUTTON_TEXT_HILITE ? DialogButton::COLOR_LABEL_HILITE
                                                                : -1;
    if (buttonIndex == -1)
        return;
    for (DialogButton* const button : {mYesButton, mNoButton}) {
        if (button != nullptr)
            button->SetColor(buttonIndex, color);
    }
}

void Dialog::Resize(const int x, const int y, const int width, const int height)
{
    Widget::Resize(x, y, width, height);
    if (mYesButton == nullptr)
        return;
    const Insets& bi = mBackgroundInsets;
    const Insets& ci = mContentInsets;
    const int buttonX = mX + bi.mLeft + ci.mLeft;
    const int buttonY = mY + mHeight - ci.mBottom - bi.mBottom - mButtonHeight;
    const int contentWidth = mWidth - ci.mRight - bi.mRight - bi.mLeft - ci.mLeft;
    if (mNoButton == nullptr) {
        mYesButton->Resize(buttonX, buttonY, contentWidth, mButtonHeight);
        return;
    }
    const int buttonWidth = (contentWidth - 2 * mButtonSideMargin - mButtonGap) / 2;
    mYesButton->Resize(buttonX + mButtonSideMargin, buttonY, buttonWidth, mButtonHeight);
    mNoButton->Resize(mYesButton->mX + buttonWidth + mButtonGap, buttonY, buttonWidth, mButtonHeight);
}

void Dialog::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    if (clickCount != 1)
        return;
    SetAppCursor(CURSOR_DRAG);
    mDragging = true;
    mDragMouseX = x;
    mDragMouseY = y;
}

void Dialog::MouseButtonUp(const int x, const int y, const int button, const int clickCount)
{
    if (!mDragging)
        return;
    SetAppCursor(CURSOR_POINTER);
    mDragging = false;
}

void Dialog::MouseDrag(const int x, const int y)
{
    if (!mDragging || mWidgetManager == nullptr)
        return;
    // Held within kDragMargin beyond each edge of the screen; a dialog larger than the
    // screen keeps its far edge there.
    const auto keepOnScreen = [](int position, const int size, const int screenSize) {
        position = std::max(position, -kDragMargin);
        if (position + size > screenSize + kDragMargin)
            position = screenSize - size + kDragMargin;
        return position;
    };
    // The grab point stays inside the dialog, away from its edges.
    const auto keepInside = [](const int grab, const int size) {
        return std::max(std::min(grab, size - kDragMargin - 1), kDragMargin);
    };
    const int newX = keepOnScreen(mX + x - mDragMouseX, mWidth, mWidgetManager->mWidth);
    const int newY = keepOnScreen(mY + y - mDragMouseY, mHeight, mWidgetManager->mHeight);
    mDragMouseX = keepInside(mX - newX + x, mWidth);
    mDragMouseY = keepInside(mY - newY + y, mHeight);
    Move(newX, newY);
}

void Dialog::ButtonPress(const int id)
{
    if ((id == kYesButtonId || id == kNoButtonId) && mDialogListener != nullptr)
        mDialogListener->DialogButtonPress(mId, id);
}

void Dialog::ButtonClick(const int id)
{
    if (id != kYesButtonId && id != kNoButtonId)
        return;
    mResult = id;
    if (mDialogListener != nullptr)
        mDialogListener->DialogButtonClick(mId, id);
}

} // namespace Zest
