#pragma once
// A button drawn as a 3x3 image box stretched over its bounds, as dialogs use it.

#include "framework/widgets/ButtonWidget.h"

namespace Zest {

class DialogButton : public ButtonWidget {
public:
    DialogButton(int id, ButtonListener* listener);

    void Draw(Graphics* g) override;

    Image* mComponentImage = nullptr;
    // How far the pressed look moves.
    int32_t mPressOffsetX = 1;
    int32_t mPressOffsetY = 1;
    // A fixed shift of the label.
    int32_t mLabelOffsetX = 0;
    int32_t mLabelOffsetY = 0;

protected:
    void MakeDefaultFont() override;
};

} // namespace Zest
