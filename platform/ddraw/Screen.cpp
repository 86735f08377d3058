#include "platform/ddraw/Screen.h"

#include "platform/ddraw/Controls.h"
#include "platform/ddraw/Presenter.h"
#include "platform/win32/WindowSystem.h"

#include <memory>
#include <mutex>
#include <vector>

namespace DDraw::Screen {
namespace {

// The span of a scaled row or column (scaledLength pixels showing `length` source
// pixels) that may show source pixels `at` to `end` - 1, one pixel wider on each side,
// since nearest-pixel sampling rounds.
int ScaledStart(const int at, const int length, const int scaledLength)
{
    return std::max(0, static_cast<int>(int64_t{at} * scaledLength / length) - 1);
}

int ScaledEnd(const int end, const int length, const int scaledLength)
{
    return std::min(scaledLength, static_cast<int>((int64_t{end} * scaledLength + length - 1) / length) + 1);
}

// Where a picture of width x height lands on a screen when scaled to fit it, keeping its
// aspect (rounded down) and centred, as SDL places a renderer's logical size.
RECT FitRect(const int width, const int height, const int screenWidth, const int screenHeight)
{
    if (int64_t{screenWidth} * height > int64_t{screenHeight} * width) {
        const int fitWidth = static_cast<int>(int64_t{width} * screenHeight / height);
        const int left = (screenWidth - fitWidth) / 2;
        return {left, 0, left + fitWidth, screenHeight};
    }
    const int fitHeight = static_cast<int>(int64_t{height} * screenWidth / width);
    const int top = (screenHeight - fitHeight) / 2;
    return {0, top, screenWidth, top + fitHeight};
}

class Composer {
public:
    Composer() { Win32::WindowSystem::AddPumpHook(&Composer::Pump, this); }

    ~Composer()
    {
        Win32::WindowSystem::RemovePumpHook(&Composer::Pump, this);
        // SDL objects may only be touched on the video thread; from elsewhere they are left
        // to the process.
        if (!Win32::WindowSystem::IsVideoThread())
            static_cast<void>(mPresenter.release());
    }

    void Change(const PresentTarget& target, const PixelView& primary, const RECT& changed)
    {
        const std::lock_guard lock(mLock);
        const bool sameLayout = mTarget.fullScreen == target.fullScreen && mFrameWidth == primary.width &&
                                mFrameHeight == primary.height && mTarget.screenWidth == target.screenWidth &&
                                mTarget.screenHeight == target.screenHeight;
        RECT area = Intersection(changed, {0, 0, primary.width, primary.height});
        if (!sameLayout) {
            mTarget = target;
            mFrameWidth = primary.width;
            mFrameHeight = primary.height;
            mFrame.assign(static_cast<size_t>(primary.width) * static_cast<size_t>(primary.height), 0);
            area = {0, 0, primary.width, primary.height};
        }
        mTarget.window = target.window;
        if (!IsEmpty(area)) {
            ConvertFrame(primary, area);
            StorePicture(area, !sameLayout);
        }
        mPending = Union(mPending, area);
        if (Win32::WindowSystem::IsVideoThread())
            ShowPending();
    }

private:
    static void Pump(void* context)
    {
        Composer* composer = static_cast<Composer*>(context);
        const std::lock_guard lock(composer->mLock);
        if (!IsEmpty(composer->mPending))
            composer->ShowPending();
    }

    bool Scaled() const
    {
        return mTarget.fullScreen && mTarget.screenWidth > 0 && mTarget.screenHeight > 0 &&
               (mTarget.screenWidth != mFrameWidth || mTarget.screenHeight != mFrameHeight);
    }

    void ConvertFrame(const PixelView& primary, const RECT& area)
    {
        const int bytes = primary.format->BytesPerPixel();
        // The usual 32-bit display needs no conversion, only its unused top byte cleared.
        const bool direct = primary.format->IsXrgb8888();
        for (int y = area.top; y < area.bottom; ++y) {
            const uint8_t* at = primary.bits + static_cast<ptrdiff_t>(y) * primary.pitch + area.left * bytes;
            uint32_t* out = &mFrame[static_cast<size_t>(y) * mFrameWidth + area.left];
            for (int x = area.left; x < area.right; ++x, at += bytes) {
                const uint32_t pixel = ReadPixel(at, bytes);
                *out++ = (direct ? pixel : primary.format->ToArgb(pixel, primary.palette)) & 0x00FFFFFF;
            }
        }
    }

    // Puts the changed area of the frame into the picture and the picture into the controls.
    void StorePicture(const RECT& area, const bool whole)
    {
        if (!Scaled()) {
            StorePresented(mFrame.data(), mFrameWidth, mFrameHeight, area.top, area.bottom);
            return;
        }
        const int screenWidth = mTarget.screenWidth;
        const int screenHeight = mTarget.screenHeight;
        const RECT fit = FitRect(mFrameWidth, mFrameHeight, screenWidth, screenHeight);
        const int fitWidth = fit.right - fit.left;
        const int fitHeight = fit.bottom - fit.top;
        if (whole)
            mPicture.assign(static_cast<size_t>(screenWidth) * static_cast<size_t>(screenHeight), 0);
        const int left = whole ? 0 : ScaledStart(area.left, mFrameWidth, fitWidth);
        const int right = whole ? fitWidth : ScaledEnd(area.right, mFrameWidth, fitWidth);
        const int top = whole ? 0 : ScaledStart(area.top, mFrameHeight, fitHeight);
        const int bottom = whole ? fitHeight : ScaledEnd(area.bottom, mFrameHeight, fitHeight);
        for (int y = top; y < bottom; ++y) {
            const int frameY = static_cast<int>((2 * int64_t{y} + 1) * mFrameHeight / (2 * int64_t{fitHeight}));
            const uint32_t* frameRow = &mFrame[static_cast<size_t>(frameY) * mFrameWidth];
            uint32_t* out = &mPicture[static_cast<size_t>(fit.top + y) * screenWidth + fit.left];
            for (int x = left; x < right; ++x)
                out[x] = frameRow[(2 * int64_t{x} + 1) * mFrameWidth / (2 * int64_t{fitWidth})];
        }
        StorePresented(mPicture.data(), screenWidth, screenHeight, fit.top + top, fit.top + bottom);
    }

    // On the video thread: the changes so far go to the window.
    void ShowPending()
    {
        if (mPresenter == nullptr || !mPresenter->Serves(mTarget.window))
            mPresenter = MakePresenter(mTarget.window);
        mPresenter->Show({mFrame.data(), mFrameWidth, mFrameHeight}, mPending, mTarget.fullScreen);
        mPending = {};
    }

    std::mutex mLock;
    PresentTarget mTarget;
    // The primary as 0x00RRGGBB words.
    std::vector<uint32_t> mFrame;
    int mFrameWidth = 0;
    int mFrameHeight = 0;
    // The scaled full-screen picture; unused in a window, where it is the frame.
    std::vector<uint32_t> mPicture;
    // What changed in the frame since the presenter last showed it.
    RECT mPending{};
    std::unique_ptr<Presenter> mPresenter;
};

} // namespace

void PrimaryChanged(const PresentTarget& target, const PixelView& primary, const RECT& changed)
{
    static Composer composer;
    composer.Change(target, primary, changed);
}

} // namespace DDraw::Screen
