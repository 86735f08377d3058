#pragma once
// The one-shot effect layer that the mini-game's entities play on a hit, a shot or a meal:
// prepared on the shared effect strip, restarted with a tint, advanced only while it runs
// and drawn centred on a point of the field.

#include "platform/physics/XtremaMath.h"

class AnimatedWidget;

namespace Zest {
class Color;
class Graphics;
} // namespace Zest

// Prepares the layer on the effect strip, ready but not running.
void SetUpEntityEffect(AnimatedWidget& effect);
// Plays the strip again from its first cell in the given tint.
void RestartEntityEffect(AnimatedWidget& effect, const Zest::Color& tint);
// One update of the layer, while it runs.
void AdvanceEntityEffect(AnimatedWidget& effect);
// Draws the layer centred on the point, while it runs.
void DrawEntityEffect(Zest::Graphics* g, AnimatedWidget& effect, const XtremaPHX2D::Vec2& centre);
