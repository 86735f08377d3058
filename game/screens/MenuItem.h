#pragma once
// The clickable entry of every menu and of the session's buttons: one picture normally and
// another (possibly an animated strip of rows) while the pointer is over it, a word-wrapped
// label in a colour for each case, a sound when the pointer arrives and one on a click, a
// fade in or out, and an action called on a press of any button. Screens set the fields
// directly after construction, add the item to the widget manager and keep it in their
// BasicMenu::mItems.

#include "framework/graphics/Color.h"
#include "framework/widgets/Widget.h"
#include "game/screens/MenuFade.h"

#include <loki/Functor.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {
class Font;
class Graphics;
class Image;
} // namespace Zest

class MenuItem : public Zest::Widget {
public:
    // Bound to a screen's member function: Loki::Functor<>(screen, &Screen::OnPlay).
    using Action = Loki::Functor<>;

    // Fades and hover thresholds are counted in smooth updates at this rate per fraction.
    static constexpr float kFadeRate = 4.0f;

    MenuItem();
    ~MenuItem() override = default;

    void SetImage(Zest::Image* image);
    void SetOverImage(Zest::Image* image);
    // The label's left edge goes back to 0.
    void SetLabelY(int32_t y);
    void SetLabelColor(const Zest::Color& color);
    void SetLabelOverColor(const Zest::Color& color);

    // Fades, then plays the hover sound and steps the hover cels while the pointer is over
    // the item.
    void UpdateSmooth(float fraction) override;
    // Draws at once, or defers to the overlay pass when mOverlayPriority is set.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Any button; ignored while the item fades, and for the second press of a double click
    // when mActsOncePerDoubleClick is set.
    void MouseDown(int x, int y, int clickCount) override;

    // -1: drawn at once; otherwise in the overlay pass at this priority.
    int32_t mOverlayPriority = -1;
    // Where the over picture lies inside the item.
    int32_t mOverX = 0;
    int32_t mOverY = 0;
    // The label box: its left edge and its vertical centre line.
    int32_t mLabelX = 0;
    int32_t mLabelY = 0;
    // -1 left, 0 centred, 1 right.
    int32_t mLabelJustification = -1;
    // -1: the font's own.
    int32_t mLabelLineSpacing = -1;
    // Already looked up in the string table.
    std::string mLabel;
    // Not owned.
    Zest::Image* mOverImage = nullptr;
    // The row shown of an over picture of several rows.
    int32_t mHoverCel = 0;
    // Smooth updates from the pointer's arrival after which each cel gives way to the next.
    std::vector<int32_t> mHoverDelays;
    int32_t mHoverTick = 0;
    // The cels start again from 0 after the last; otherwise the last one stays.
    bool mHoverLoop = false;
    // Not owned.
    Zest::Image* mImage = nullptr;
    // Not owned; no label is drawn without it.
    Zest::Font* mFont = nullptr;
    Action mAction;
    // Opacity 0..255 of the pictures and the label.
    float mAlpha = 255.0f;
    int32_t mFadeState = FADE_NONE;
    // Sound ids; -1 plays nothing.
    int32_t mClickSound = -1;
    int32_t mHoverSound = -1;
    // Cleared once the hover sound has played, set again when the pointer leaves.
    bool mHoverSoundArmed = true;
    // A double click acts once: for buttons whose action cannot be taken back, or whose
    // press uncovers another button in the same place.
    bool mActsOncePerDoubleClick = false;
    // 0 or less draws both pictures mirrored left to right.
    float mScaleX = 1.0f;
    // Not used in drawing.
    float mScaleY = 1.0f;
    Zest::Color mLabelColor = Zest::Color::White;
    Zest::Color mLabelOverColor = Zest::Color::White;

private:
    // The action of an item that no screen has given one.
    void DoNothing() {}
    void StepFade(float fraction);
    void StepHover();
    void DrawPicture(Zest::Graphics* g, Zest::Image* image, float x, float y) const;
    void DrawLabel(Zest::Graphics* g);
};
