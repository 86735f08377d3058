#pragma once
// The game's own option controls: a check box that draws its two pictures at the opacity of
// the menu that owns it, above that menu in the overlay pass, and clicks with a sound; and a
// volume slider drawn the same way, its rail stretched to the slider's width.

#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Slider.h"

#include <cstdint>

namespace Zest {
class CheckboxListener;
class Graphics;
class SliderListener;
} // namespace Zest

class BasicMenu;

class CustomOptionsCheckbox : public Zest::Checkbox {
public:
    static constexpr int32_t kDefaultOverlayPriority = 52;

    // With the check box pictures; the listener (may be null) is not owned.
    CustomOptionsCheckbox(int32_t id, Zest::CheckboxListener* listener);

    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;
    // A press of any button inside the box turns it over and tells the listener.
    void MouseDown(int x, int y, int clickCount) override;

    // -1: kDefaultOverlayPriority.
    int32_t mOverlayPriority = -1;
    // Not owned; its opacity is the box's. Null draws in the current colour.
    BasicMenu* mOwnerMenu = nullptr;
};

class CustomOptionsSlider : public Zest::Slider {
public:
    static constexpr int32_t kOverlayPriority = 52;

    // With the slider's rail and thumb pictures; the listener (may be null) is not owned.
    CustomOptionsSlider(int32_t id, Zest::SliderListener* listener);

    void Draw(Zest::Graphics* g) override;
    // The rail's end pieces at both ends with its middle piece repeated between them, and the
    // thumb at the value.
    void DrawOverlay(Zest::Graphics* g) override;

    // Not owned; its opacity is the slider's. Null draws in the current colour.
    BasicMenu* mOwnerMenu = nullptr;
};
