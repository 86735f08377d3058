#pragma once
// The fades of menus and their items: an opacity from 0 to 255 that moves by a rate per unit
// of smooth-update fraction.

#include <cstdint>

enum FadeState : int32_t {
    FADE_IN = 0,
    FADE_OUT = 1,
    FADE_NONE = 2,
};

// One smooth update of a fade-in: once the opacity passes 255 it is held there and the fade
// is over.
inline void StepFadeIn(float& alpha, int32_t& fadeState, const float rate, const float fraction)
{
    alpha += rate * fraction;
    if (alpha > 255.0f) {
        alpha = 255.0f;
        fadeState = FADE_NONE;
    }
}
