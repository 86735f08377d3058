#pragma once
// What the game's dialogs over the main menu share: the darkened screen behind them, their
// title with a white shadow, and their large buttons.

#include "framework/graphics/Color.h"
#include "game/screens/MenuItem.h"

#include <cstdint>
#include <string>

namespace Zest {
class Graphics;
class Widget;
} // namespace Zest

class BasicMenu;

namespace DialogParts {

// The dialogs are laid out on the 800 x 600 screen.
inline constexpr int32_t kScreenWidth = 800;
inline constexpr int32_t kScreenHeight = 600;
// A large button's label has its centre line this far below the button's top.
inline constexpr int32_t kButtonLabelY = 25;
// The title's baseline below the panel's top.
inline constexpr int32_t kTitleBaseline = 35;

// How dark the screen behind a dialog gets: most dialogs, and a question over another one.
inline constexpr int32_t kShadeAlpha = 75;
inline constexpr int32_t kQuestionShadeAlpha = 128;

// Darkens the whole screen behind the dialog, drawing in its coordinates.
void ShadeScreen(Zest::Graphics* g, const Zest::Widget& dialog, int32_t alpha = kShadeAlpha);
// The options' scan lines over the whole screen, drawing in the widget's coordinates.
void DrawScanLines(Zest::Graphics* g, const Zest::Widget& widget);
// The title in the title font, centred in the width: a white copy one pixel right of and
// below the green one, both at the given opacity.
void DrawTitle(Zest::Graphics* g, const std::string& title, int32_t x, int32_t baseline, int32_t width,
               int32_t alpha = 255);

// A large button at (x, y) on the screen with the large pictures, the label centred, the
// given colours, steady at full opacity and with the button sounds; a double click acts
// once. It joins the menu's items and the menu's widget manager, which must be known.
MenuItem* AddLargeButton(BasicMenu& menu, int32_t x, int32_t y, const std::string& label, const Zest::Color& textColor,
                         const Zest::Color& highlightColor, const MenuItem::Action& action);

} // namespace DialogParts
