#pragma once
// The name entry's text field: an edit field whose text, caret and selection are drawn
// centred in the field rather than from its left edge.

#include "framework/widgets/EditWidget.h"

namespace Zest {
class Font;
class Graphics;
} // namespace Zest

class CustomEditWidget : public Zest::EditWidget {
public:
    using EditWidget::EditWidget;

    void Draw(Zest::Graphics* g) override;

private:
    // The text, then the caret or the selection over it.
    void DrawText(Zest::Graphics* g, Zest::Font& font);
};
