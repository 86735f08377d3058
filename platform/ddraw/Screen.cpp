#include "platform/ddraw/Screen.h"

#include "platform/ddraw/Controls.h"
#include "platform/ddraw/Presenter.h"
#include "platform/win32/WindowSystem.h"

#include <algorithm>
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
            // A frame drawn again the same way changes nothing: only rows that differ go on.
            const RECT converted = ConvertFrame(primary, area);
            area = sameLayout ? converted : RECT{0, 0, primary.width, primary.height};
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

    // Converts the area of the primary into the frame, row by row, and returns the part of
    // the area between its first and last row that differ from what the frame held (empty
    // when none does).
    RECT ConvertFrame(const PixelView& primary, const RECT& area)
    {
        int top = area.bottom;
        int bottom = area.top;
        for (int y = area.top; y < area.bottom; ++y) {
            const uint8_t* row = primary.bits + static_cast<ptrdiff_t>(y) * primary.pitch;
            uint32_t* out = &mFrame[static_cast<size_t>(y) * mFrameWidth];
            if (ConvertRow(primary, row, area.left, area.right, out)) {
                top = std::min(top, y);
                bottom = y + 1;
            }
        }
        return top < bottom ? RECT{area.left, top, area.right, bottom} : RECT{};
    }

    // Converts pixels left to right - 1 of a row into the frame's row; true when any differed.
    static bool ConvertRow(const PixelView& primary, const uint8_t* row, const int left, const int right,
                           uint32_t* out)
    {
        // The usual 32-bit display needs no conversion, only its unused top byte cleared.
        if (primary.format->IsXrgb8888())
            return StoreRow(row, 4, left, right, out, [](const uint32_t pixel) { return pixel & 0x00FFFFFF; });
        return StoreRow(row, primary.format->BytesPerPixel(), left, right, out, [&primary](const uint32_t pixel) {
            return primary.format->ToArgb(pixel, primary.palette) & 0x00FFFFFF;
        });
    }

    template <typename Convert>
    static bool StoreRow(const uint8_t* row, const int bytes, const int left, const int right, uint32_t* out,
                         const Convert convert)
    {
        uint32_t differ = 0;
        for (int x = left; x < right; ++x) {
            const uint32_t colour = convert(ReadPixel(row + static_cast<ptrdiff_t>(x) * bytes, bytes));
            differ |= out[x] ^ colour;
            out[x] = colour;
        }
        return differ != 0;
    }

    // Puts the changed area of the frame into the picture and the picture into the controls.
    void StorePicture(const RECT& area, const bool whole)
    {
        if (!Scaled()) {
            StorePresented(mFrame.data(), mFrameWidth, mFrameHeight, area.top, area.bottom);
            return;
        }
        // Nothing differs: a presentation all the same, which changes no row.
        if (IsEmpty(area)) {
            StorePresented(mPicture.data(), mTarget.screenWidth, mTarget.screenHeight, 0, 0);
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
