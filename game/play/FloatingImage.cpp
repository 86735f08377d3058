#include "game/play/FloatingImage.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"

#include <algorithm>

namespace {

// Zooming popups grow to this scale by the end of their life.
constexpr float kZoomEndScale = 2.0f;
constexpr float kHalfSize = 0.5f;

// A slight yellow over every popup.
Zest::Color PopupTint(const int32_t alpha) { return Zest::Color(255, 255, 200, alpha); }

} // namespace

bool FloatingImage::Step()
{
    if (mAlpha > 0 && mLife < kFadeLife)
        mAlpha = std::max(mAlpha - kFadeStep, 0);
    mLife -= 1.0f;
    if (mKind == FLOAT_RISE)
        mY -= 1.0f;
    return mLife < 0.0f;
}

void FloatingImage::Draw(Zest::Graphics* const g, const bool halfSize) const
{
    ZEST_ASSERT(mImage != nullptr);
    g->SetColor(PopupTint(mAlpha));
    if (mKind == FLOAT_RISE && !halfSize) {
        // Centred with the halves of the picture's size rounded down, as the pictures are
        // laid out.
        g->DrawImageAtFloat(mImage, mX - static_cast<float>(mImage->GetWidth() / 2),
                            mY - static_cast<float>(mImage->GetHeight() / 2));
        return;
    }
    // A transformed picture is drawn centred on its point.
    const float scale = mKind == FLOAT_ZOOM ? kZoomEndScale - mLife / kLife : kHalfSize;
    Zest::Transform transform;
    transform.Scale(scale, scale);
    g->SetLinearBlend(true);
    g->DrawImageTransform(mImage, transform, mX, mY);
}

void StepFloatingImages(FloatingImageList& popups)
{
    for (std::unique_ptr<FloatingImage>& popup : popups) {
        if (popup != nullptr && popup->Step())
            popup.reset();
    }
    if (std::all_of(popups.begin(), popups.end(), [](const auto& popup) { return popup == nullptr; }))
        popups.clear();
}

void DrawFloatingImageList(Zest::Graphics* const g, const FloatingImageList& popups, const bool halfSize)
{
    g->SetColorizeImages(true);
    for (const std::unique_ptr<FloatingImage>& popup : popups) {
        if (popup != nullptr)
            popup->Draw(g, halfSize);
    }
}
