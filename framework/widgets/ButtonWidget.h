#pragma once
// A push button: a plain bevelled box, or images with normal, over, pressed and disabled
// looks (optionally cut from one sheet, with a fading over look). It reports presses,
// clicks, held ticks and the mouse to its ButtonListener.

#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "framework/widgets/Widget.h"

#include <string>

namespace Zest {

class ButtonListener;
class Font;
class Image;

class ButtonWidget : public Widget {
public:
    // Colour table roles.
    enum {
        COLOR_LABEL = 0,
        COLOR_LABEL_HILITE = 1,
        COLOR_DARK_OUTLINE = 2,
        COLOR_LIGHT_OUTLINE = 3,
        COLOR_MEDIUM_OUTLINE = 4,
        COLOR_BKG = 5,
    };

    ButtonWidget(int id, ButtonListener* listener);
    ~ButtonWidget() override;

    // Draws the part `source` of mButtonImage when it has a width, else the whole image.
    virtual void DrawButtonImage(Graphics* g, Image* image, const Rect& source, int x, int y);
    // Keeps a duplicate of the font.
    virtual void SetFont(Font* font);
    virtual bool IsButtonDown();

    void Update() override;
    void Draw(Graphics* g) override;
    void SetDisabled(bool disabled) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int x, int y) override;
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseButtonUp(int x, int y, int button, int clickCount) override;

    // An image is given, or the source rectangle has a width.
    bool HaveButtonImage(const Image* image, const Rect& source) const;

    int32_t mId;
    std::string mLabel;
    // 0 centred, 1 right-aligned, anything else left-aligned.
    int32_t mLabelAlign = 0;
    // Owned.
    Font* mFont = nullptr;
    // The normal look, and the sheet that the four source rectangles cut.
    Image* mButtonImage = nullptr;
    Image* mOverImage = nullptr;
    Image* mDownImage = nullptr;
    Image* mDisabledImage = nullptr;
    // A rectangle of width 0 stands for none.
    Rect mNormalRect;
    Rect mOverRect;
    Rect mDownRect;
    Rect mDisabledRect;
    // Swaps the pressed and the released look.
    bool mInverted = false;
    bool mNoDraw = false;
    // Without images: no background and no bevel.
    bool mNoFrame = false;
    ButtonListener* mButtonListener;
    // 0..1: strength of the fading over look.
    double mOverAlpha = 0.0;
    // Taken off mOverAlpha per tick after the mouse left; 0 = no fade-out.
    double mFadeOutSpeed = 0.0;
    // Added per tick while the mouse is over; 0 = no fade-in.
    double mFadeInSpeed = 0.0;

protected:
    // Makes the font for a label when none was set.
    virtual void MakeDefaultFont();
    // The tint of the fading over look: white at the strength of mOverAlpha, at most opaque.
    Color OverLookTint() const;
};

} // namespace Zest
