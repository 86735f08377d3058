#include "game/physics/entities/EntityEffect.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "game/AnimatedWidget.h"
#include "game/Res.h"

void SetUpEntityEffect(AnimatedWidget& effect)
{
    SetupAnimatedWidget(effect, IMAGE_GAME_EFFECTANIM_001);
}

void RestartEntityEffect(AnimatedWidget& effect, const Zest::Color& tint)
{
    effect.ResetFrame();
    effect.mStatus = ANIM_RUNNING;
    effect.SetColor(tint);
}

void AdvanceEntityEffect(AnimatedWidget& effect)
{
    if (effect.mStatus == ANIM_RUNNING)
        effect.Update();
}

void DrawEntityEffect(Zest::Graphics* const g, AnimatedWidget& effect, const XtremaPHX2D::Vec2& centre)
{
    if (effect.mStatus != ANIM_RUNNING)
        return;
    const float dx = centre.x - static_cast<float>(effect.mWidth) / 2.0f;
    const float dy = centre.y - static_cast<float>(effect.mHeight) / 2.0f;
    g->TranslateFloat(dx, dy);
    effect.Draw(g);
    g->TranslateFloat(-dx, -dy);
}
