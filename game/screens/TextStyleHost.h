#pragma once
// How the screens' texts look wherever they share it (labels of buttons, texts of dialogs),
// and the one text the application gives rather than the string table: the version.

#include "framework/graphics/Color.h"

#include <string>

class TextStyleHost {
public:
    virtual ~TextStyleHost() = default;

    // Labels of buttons and the texts of screens.
    virtual Zest::Color GetTextColor() const = 0;
    // A label under the pointer and highlighted texts.
    virtual Zest::Color GetHighlightTextColor() const = 0;
    // The product's version, as the main menu shows it.
    virtual std::string GetVersionText() const = 0;
};
