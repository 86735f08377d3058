#include "game/AnimatedWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"

#include <algorithm>
#include <cmath>

namespace {

// Strips made without animation data show each cell for this many updates (plus one).
constexpr int32_t kDefaultCellDelay = 6;
// Scales this close to 1 are drawn unscaled.
constexpr float kScaleTolerance = 0.001f;
constexpr float kDegreesToRadians = 0.017452888f;

int32_t CellHeight(const Zest::Image& image)
{
    return image.mNumRows > 0 ? image.GetHeight() / image.mNumRows : 0;
}

} // namespace

AnimatedWidget::AnimatedWidget(const AnimatedWidget& other) : Widget(), AnimatedWidgetState(other)
{
    CopyWidgetFields(other);
}

AnimatedWidget& AnimatedWidget::operator=(const AnimatedWidget& other)
{
    if (this == &other)
        return *this;
    AnimatedWidgetState::operator=(other);
    CopyWidgetFields(other);
    return *this;
}

void AnimatedWidget::CopyWidgetFields(const AnimatedWidget& other)
{
    Resize(other.mX, other.mY, other.mWidth, other.mHeight);
    SetVisible(other.mVisible);
    SetDisabled(other.mDisabled);
}

void AnimatedWidget::SetImage(Zest::Image* const image)
{
    if (image != nullptr)
        mImage = image;
}

void AnimatedWidget::AddFrameDelay(const int32_t delay) { mFrameDelays.push_back(delay); }

void AnimatedWidget::AddFrameDelayList(const std::initializer_list<int32_t> delays)
{
    mFrameDelays.insert(mFrameDelays.end(), delays);
}

void AnimatedWidget::AddFrameDelays(const std::vector<int32_t>& delays)
{
    mFrameDelays.insert(mFrameDelays.end(), delays.begin(), delays.end());
}

int32_t AnimatedWidget::GetFrameCount() const
{
    if (mImage == nullptr)
        return 0;
    return std::min(mImage->mNumRows, static_cast<int32_t>(mFrameDelays.size()));
}

void AnimatedWidget::ResetFrame() { mFrame = GetFrameCount() == 0 ? -1 : 0; }

void AnimatedWidget::SetSpinSpeed(const float value)
{
    mSpinning = true;
    mSpinPaused = false;
    mSpinSpeed = value / 360.0f;
}

void AnimatedWidget::SetColor(const Zest::Color& color) { mColor = color; }

void AnimatedWidget::Update()
{
    if (mPlaying)
        ++mTick;
    if (mSpinning && !mSpinPaused)
        mAngle += mSpinSpeed;
    // A cell without a delay (an empty list, or -1 from ResetFrame) is never stepped.
    if (mFrame < 0 || mFrame >= static_cast<int32_t>(mFrameDelays.size()))
        return;
    if (mTick <= mFrameDelays[static_cast<size_t>(mFrame)])
        return;
    mTick = 0;
    StepFrame();
}

int32_t AnimatedWidget::GetLoopLimit() const
{
    // A limit beyond the playable cells would step into rows the strip does not have.
    const int32_t count = GetFrameCount();
    return mFrameLimit == -1 ? count : std::min(mFrameLimit, count);
}

void AnimatedWidget::StepFrame()
{
    const int32_t last = GetFrameCount() - 1;
    switch (mPlayMode) {
    case PLAY_LOOP:
        ++mFrame;
        if (mFrame >= GetLoopLimit())
            mFrame = 0;
        mStatus = ANIM_RUNNING;
        break;
    case PLAY_ONCE:
        if (mFrame < last) {
            ++mFrame;
        } else {
            // An owner may have put the cell past the end; it comes back to the end cell.
            if (last >= 0)
                mFrame = last;
            mStatus = ANIM_FINISHED;
        }
        break;
    case PLAY_LOOP_BACKWARD:
        --mFrame;
        if (mFrame < 0)
            mFrame = last;
        mStatus = ANIM_RUNNING;
        break;
    case PLAY_ONCE_BACKWARD:
        --mFrame;
        if (mFrame < 0) {
            mFrame = 0;
            mStatus = ANIM_FINISHED;
        }
        break;
    default:
        break;
    }
}

void AnimatedWidget::Draw(Zest::Graphics* const g)
{
    if (mOverlayPriority == -1)
        DrawOverlay(g);
    else
        DeferOverlay(mOverlayPriority);
}

void AnimatedWidget::DrawOverlay(Zest::Graphics* const g)
{
    if (mImage == nullptr || mImage->mNumCols <= 0 || mImage->mNumRows <= 0)
        return;
    // Owners set mFrame freely; a cell outside the strip is not drawn.
    if (mFrame < 0 || mFrame >= mImage->mNumRows)
        return;

    g->SetLinearBlend(true);
    const int32_t cellWidth = mImage->GetWidth() / mImage->mNumCols;
    const int32_t cellHeight = CellHeight(*mImage);
    const Zest::Rect cell(0, mFrame * cellHeight, cellWidth, cellHeight);

    Zest::Matrix3 matrix(true);
    if (mSpinning)
        matrix.RotateRad(static_cast<float>(mAngle));
    if (std::fabs(mScale - 1.0f) > kScaleTolerance)
        matrix.Scale(mScale, mScale);

    const float centreX = static_cast<float>(mWidth / 2);
    const float centreY = static_cast<float>(mHeight / 2);
    if (mShadow) {
        // Colourising stays on after the shadow, so the main pass is tinted too.
        g->SetColorizeImages(true);
        g->SetColor(mShadowColor);
        g->DrawImageMatrix(mImage, matrix, cell, std::trunc(mShadowOffsetX) + centreX,
                           std::trunc(mShadowOffsetY) + centreY);
    }
    g->SetColor(mColor);
    g->DrawImageMatrix(mImage, matrix, cell, centreX, centreY);
    if (mAdditive) {
        g->SetDrawMode(Zest::DRAWMODE_ADDITIVE);
        g->DrawImageMatrix(mImage, matrix, cell, centreX, centreY);
        g->SetDrawMode(Zest::DRAWMODE_NORMAL);
    }
    g->SetLinearBlend(false);
}

float DegToRad(const float degrees) { return degrees * kDegreesToRadians; }

void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* const image)
{
    widget.mPlayMode = PLAY_ONCE;
    widget.mStatus = ANIM_READY;
    if (image == nullptr) {
        widget.ResetFrame();
        return;
    }
    const Zest::AnimInfo* const info = image->mAnimInfo.get();
    if (info != nullptr && !info->mPerFrameDelay.empty()) {
        widget.AddFrameDelays(info->mPerFrameDelay);
    } else {
        // Without delays of its own a strip gets one per row, so that every cell plays: the
        // image's common delay when it has animation data, else the default.
        const int32_t delay = info != nullptr ? info->mFrameDelay : kDefaultCellDelay;
        widget.AddFrameDelays(std::vector<int32_t>(static_cast<size_t>(std::max(image->mNumRows, 0)), delay));
    }
    if (info != nullptr && info->mAnimType == Zest::AnimInfo::ANIM_LOOP)
        widget.mPlayMode = PLAY_LOOP;
    widget.SetImage(image);
    widget.ResetFrame();
    widget.Resize(0, 0, image->GetWidth(), CellHeight(*image));
}
