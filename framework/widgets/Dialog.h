#pragma once
// The framework's message box: a draggable top-level widget with a header line, word-wrapped
// body text, a footer line and up to two DialogButtons, modal or modeless. Its buttons are
// top-level widgets beside it (added and removed with it, kept just in front of it), so
// their positions are in the manager's coordinates. A click on a button becomes the
// dialog's result and reaches the application's DialogListener.

#include "framework/graphics/Geometry.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/Widget.h"

#include <climits>
#include <cstdint>
#include <string>

namespace Zest {

class Dialog;
class DialogButton;
class Font;
class Image;

// The button labels of the button modes.
extern const std::string DIALOG_YES;
extern const std::string DIALOG_NO;
extern const std::string DIALOG_OK;
extern const std::string DIALOG_CANCEL;

// What a dialog needs of the application that shows it, beyond its DialogListener: one
// step of the main loop to wait in, and closing by id. The application object implements it.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    // One step of the main loop; false once the loop is being left.
    virtual bool UpdateStep(bool* updated) = 0;
    virtual Dialog* GetDialog(int id) = 0;
    virtual void CloseDialog(int id) = 0;
};

class Dialog : public Widget, public ButtonListener {
public:
    // The ids of the first and the second button.
    static constexpr int kYesButtonId = 1000;
    static constexpr int kNoButtonId = 1001;
    // mResult while no button has been clicked.
    static constexpr int kNoResult = INT_MAX;

    // Colour table roles.
    enum {
        COLOR_HEADER = 0,
        COLOR_LINES = 1,
        COLOR_FOOTER = 2,
        COLOR_BUTTON_TEXT = 3,
        COLOR_BUTTON_TEXT_HILITE = 4,
        COLOR_BKG = 5,
        COLOR_OUTLINE = 6,
    };

    // Button modes.
    enum {
        BUTTONS_NONE = 0,
        BUTTONS_YES_NO = 1,
        BUTTONS_OK_CANCEL = 2,
        // One button labelled with the footer, which is then not drawn as a line.
        BUTTONS_FOOTER = 3,
    };

    Dialog(int id, bool isModal, const std::string& header, const std::string& lines, const std::string& footer,
           int buttonMode);
    ~Dialog() override;

    // Each button keeps a duplicate.
    virtual void SetButtonFont(Font* font);
    // The dialog keeps a duplicate.
    virtual void SetHeaderFont(Font* font);
    virtual void SetLinesFont(Font* font);
    // The height the dialog needs at that width.
    virtual int GetPreferredHeight(int width);
    virtual bool IsModal();
    // Runs the application's main loop until a button is clicked, the dialog leaves the
    // manager or the loop is left; with autoKill the application then closes the dialog.
    // Returns the clicked button's id, or kNoResult.
    virtual int WaitForResult(bool autoKill);

    // Adds and removes the buttons beside the dialog.
    void AddedToManager(WidgetManager* manager) override;
    void RemovedFromManager(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    void ZOrderChanged() override;
    // Colours 3 and 4 are also the buttons' label colours (their 0 and 1).
    void SetColor(int index, const Color& color) override;
    // Lays the buttons out along the bottom.
    void Resize(int x, int y, int width, int height) override;
    // A single click starts a drag.
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseButtonUp(int x, int y, int button, int clickCount) override;
    void MouseDrag(int x, int y) override;

    void ButtonPress(int id) override;
    void ButtonClick(int id) override;

    DialogListener* mDialogListener;
    // A 3x3 frame image stretched over the background; null draws the plain frame.
    Image* mComponentImage = nullptr;
    // Owned; null where the button mode has none.
    DialogButton* mYesButton = nullptr;
    DialogButton* mNoButton = nullptr;
    std::string mDialogHeader;
    std::string mDialogFooter;
    std::string mDialogLines;
    int32_t mButtonMode;
    // Owned; made when first needed.
    Font* mHeaderFont = nullptr;
    Font* mLinesFont = nullptr;
    // As for WriteWordWrapped: 0 centred.
    int32_t mTextAlign = 0;
    int32_t mLineSpacingOffset = 0;
    int32_t mButtonHeight = 24;
    // The background rectangle inside the dialog, and the content inside that.
    Insets mBackgroundInsets;
    Insets mContentInsets{24, 24, 24, 24};
    int32_t mSpaceAfterHeader = 10;
    bool mDragging = false;
    // The grab point within the dialog.
    int32_t mDragMouseX = 0;
    int32_t mDragMouseY = 0;
    int32_t mId;
    bool mIsModal;
    int32_t mResult = kNoResult;
    int32_t mButtonGap = 8;
    // Extra margin left and right of a pair of buttons.
    int32_t mButtonSideMargin = 0;

private:
    // What a running WaitForResult learns when the dialog is deleted under it.
    struct Waiter {
        bool mGone = false;
        int mResult = kNoResult;
    };

    void EnsureFonts();
    // The footer is drawn as a line (it is not the single button's label).
    bool HasFooterLine() const;
    int BodyLineSpacing() const;

    Waiter* mWaiter = nullptr;
};

} // namespace Zest
