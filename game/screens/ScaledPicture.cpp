#include "game/screens/ScaledPicture.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Matrix3.h"

void DrawCentredScaled(Zest::Graphics* const g, Zest::Image* const image, const float scale, const float x,
                       const float y)
{
    Zest::Transform transform;
    transform.Scale(scale, scale);
    g->DrawImageTransform(image, transform, x, y);
}
