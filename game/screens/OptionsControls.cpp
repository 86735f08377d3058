#include "game/screens/OptionsControls.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/Listeners.h"
#include "game/Res.h"
#include "game/screens/BasicMenu.h"
#include "game/screens/MenuServices.h"

CustomOptionsCheckbox::CustomOptionsCheckbox(const int32_t id, Zest::CheckboxListener* const listener)
    : Checkbox(IMAGE_GAME_CHECKBOX_UNCHECKED, IMAGE_GAME_CHECKBOX_CHECKED, id, listener)
{
}

void CustomOptionsCheckbox::Draw(Zest::Graphics*)
{
    DeferOverlay(mOverlayPriority == -1 ? kDefaultOverlayPriority : mOverlayPriority);
}

void CustomOptionsCheckbox::DrawOverlay(Zest::Graphics* const g)
{
    if (mOwnerMenu != nullptr) {
        g->SetColorizeImages(true);
        g->SetColor(Zest::Color(255, 255, 255, static_cast<int>(mOwnerMenu->mAlpha)));
    }
    Zest::Image* const image = mChecked ? mCheckedImage : mUncheckedImage;
    const int32_t x = 1 + (mWidth - image->GetWidth()) / 2;
    const int32_t y = 1 + (mHeight - image->GetHeight()) / 2;
    g->DrawImageAtFloat(image, static_cast<float>(x), static_cast<float>(y));
}

void CustomOptionsCheckbox::MouseDown(const int x, const int y, int)
{
    if (x < 0 || x > mWidth || y < 0 || y > mHeight)
        return;
    GetMenuServices().PlaySoundEffect(SOUND_CHECKBOX_CHECK);
    // SetChecked tells the listener, which may take the box away: nothing of it is used after.
    SetChecked(!mChecked, true);
}

CustomOptionsSlider::CustomOptionsSlider(const int32_t id, Zest::SliderListener* const listener)
    : Slider(IMAGE_GAME_SLIDER_RAIL, IMAGE_GAME_SLIDER_THUMB, id, listener)
{
}

void CustomOptionsSlider::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void CustomOptionsSlider::DrawOverlay(Zest::Graphics* const g)
{
    if (mOwnerMenu != nullptr) {
        g->SetColorizeImages(true);
        g->SetColor(Zest::Color(255, 255, 255, static_cast<int>(mOwnerMenu->mAlpha)));
    }
    // The framework's slider draws the rail in three pieces and the thumb as this one wants.
    Slider::Draw(g);
}
