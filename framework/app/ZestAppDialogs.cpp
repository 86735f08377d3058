// The application's in-window dialogs: kept by id, added to the widget tree (a modal one
// as the manager's base modal widget), closed and deleted later; their button events
// become the application's own button events.

#include "framework/app/ZestAppBase.h"

#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <new>

namespace Zest {

namespace {

// A dialog's buttons reach the application under these offsets from the dialog's id.
constexpr int kFirstButtonIdBase = 2000;
constexpr int kSecondButtonIdBase = 3000;

} // namespace

Dialog* ZestAppBase::MakeDialog(const int id, const bool isModal, const std::string& header, const std::string& lines,
                                const std::string& footer, const int buttonMode)
{
    return new (std::nothrow) Dialog(id, isModal, header, lines, footer, buttonMode);
}

Dialog* ZestAppBase::OpenDialog(const int id, const bool isModal, const std::string& header, const std::string& lines,
                                const std::string& footer, const int buttonMode)
{
    CloseDialog(id);
    Dialog* const dialog = MakeDialog(id, isModal, header, lines, footer, buttonMode);
    if (dialog != nullptr)
        AddDialogWithId(id, dialog);
    return dialog;
}

Dialog* ZestAppBase::GetDialog(const int id)
{
    const auto found = mDialogs.find(id);
    return found == mDialogs.end() ? nullptr : found->second;
}

void ZestAppBase::AddDialog(Dialog* const dialog) { AddDialogWithId(dialog->mId, dialog); }

void ZestAppBase::AddDialogWithId(const int id, Dialog* const dialog)
{
    CloseDialog(id);
    if (dialog->mWidth == 0) {
        const int width = mWidth / 2;
        dialog->Resize((mWidth - width) / 2, mHeight / 5, width, dialog->GetPreferredHeight(width));
    }
    mDialogs[id] = dialog;
    mDialogOrder.push_back(dialog);
    mWidgetManager->AddWidget(dialog);
    if (dialog->IsModal()) {
        mWidgetManager->AddBaseModal(dialog);
        OnModalDialogOpened();
    }
}

void ZestAppBase::CloseDialogObject(Dialog* const dialog) { CloseDialog(dialog->mId); }

void ZestAppBase::CloseDialog(const int id) { CloseDialogEx(id, true, true); }

bool ZestAppBase::CloseDialogEx(const int id, const bool removeWidget, const bool deleteWidget)
{
    const auto found = mDialogs.find(id);
    if (found == mDialogs.end())
        return false;
    Dialog* const dialog = found->second;
    mDialogOrder.erase(std::find(mDialogOrder.begin(), mDialogOrder.end(), dialog));
    mDialogs.erase(found);
    if (removeWidget || deleteWidget)
        mWidgetManager->RemoveWidget(dialog);
    if (dialog->IsModal()) {
        OnModalDialogClosed();
        mWidgetManager->RemoveBaseModal(dialog);
    }
    if (deleteWidget)
        DeferDeleteWidget(dialog);
    return true;
}

int ZestAppBase::GetDialogCount() { return static_cast<int>(mDialogs.size()); }

void ZestAppBase::DialogButtonPress(const int dialogId, const int buttonId)
{
    if (buttonId == Dialog::kYesButtonId)
        ButtonPress(dialogId + kFirstButtonIdBase);
    else if (buttonId == Dialog::kNoButtonId)
        ButtonPress(dialogId + kSecondButtonIdBase);
}

void ZestAppBase::DialogButtonClick(const int dialogId, const int buttonId)
{
    if (buttonId == Dialog::kYesButtonId)
        ButtonClick(dialogId + kFirstButtonIdBase);
    else if (buttonId == Dialog::kNoButtonId)
        ButtonClick(dialogId + kSecondButtonIdBase);
}

} // namespace Zest
