#include "platform/ddraw/Presenter.h"

#include "platform/ddraw/Blit.h"

#include "platform/win32/WindowSystem.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

namespace DDraw {
namespace {

class NullPresenter final : public Presenter {
public:
    explicit NullPresenter(HWND window)
        : mWindow(window)
    {
    }

    bool Serves(HWND window) const override { return window == mWindow; }
    void Show(const Frame& frame, const RECT& changed, bool fullScreen) override {}

private:
    HWND mWindow;
};

class SdlPresenter final : public Presenter {
public:
    SdlPresenter(HWND window, SDL_Window* sdlWindow, const bool onWindowSurface)
        : mWindow(window)
        , mSdlWindow(sdlWindow)
        , mSdlWindowId(SDL_GetWindowID(sdlWindow))
        , mOnWindowSurface(onWindowSurface)
    {
        if (mOnWindowSurface)
            SDL_AddEventWatch(&SdlPresenter::WatchEvent, this);
    }

    ~SdlPresenter() override
    {
        if (mOnWindowSurface)
            SDL_DelEventWatch(&SdlPresenter::WatchEvent, this);
        if (!StillAttached())
            return;
        if (mMadeFullScreen)
            SDL_SetWindowFullscreen(mSdlWindow, 0);
        if (mRenderer != nullptr)
            SDL_DestroyRenderer(mRenderer);
    }

    bool Serves(HWND window) const override { return window == mWindow && StillAttached(); }

    void Show(const Frame& frame, const RECT& changed, const bool fullScreen) override
    {
        if (!StillAttached())
            return;
        SetFullScreen(fullScreen);
        if (mOnWindowSurface) {
            ShowOnWindowSurface(frame, changed, fullScreen);
            return;
        }
        RECT upload = changed;
        if (!Prepare(frame, &upload))
            return;
        const SDL_Rect area{upload.left, upload.top, upload.right - upload.left, upload.bottom - upload.top};
        if (area.w > 0 && area.h > 0) {
            const uint32_t* first = frame.pixels + static_cast<ptrdiff_t>(upload.top) * frame.width + upload.left;
            SDL_UpdateTexture(mTexture, &area, first, frame.width * 4);
        }
        SDL_RenderSetLogicalSize(mRenderer, fullScreen ? frame.width : 0, fullScreen ? frame.height : 0);
        SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
        SDL_RenderClear(mRenderer);
        const SDL_Rect whole{0, 0, frame.width, frame.height};
        SDL_RenderCopy(mRenderer, mTexture, nullptr, &whole);
        SDL_RenderPresent(mRenderer);
    }

private:
    // Copies the changed part of the frame into the window's own surface, in the surface's
    // format, and shows only that part; in a window of another size the frame sits at the
    // top left on black, as with a renderer. In full screen the whole frame is scaled into
    // the surface between black bars; mouse positions are then mapped back (WatchEvent).
    void ShowOnWindowSurface(const Frame& frame, const RECT& changed, const bool fullScreen)
    {
        SDL_Surface* surface = SDL_GetWindowSurface(mSdlWindow);
        if (surface == nullptr) {
            if (!mFailed)
                std::fprintf(stderr, "Cannot draw into the window: %s\n", SDL_GetError());
            mFailed = true;
            return;
        }
        // A new surface (the first, or one made again for a new window size) holds nothing
        // yet; an exposed window lost what it showed.
        const bool whole = surface != mSurface || surface->w != mSurfaceWidth || surface->h != mSurfaceHeight ||
                           mExposed;
        mSurface = surface;
        mSurfaceWidth = surface->w;
        mSurfaceHeight = surface->h;
        mExposed = false;
        const bool sameSize = surface->w == frame.width && surface->h == frame.height;
        mScaled = fullScreen && !sameSize;
        if (mScaled) {
            if (whole || !IsEmpty(changed))
                ShowScaled(frame, surface);
            return;
        }
        if (whole && !sameSize)
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        const RECT area = Intersection(whole ? RECT{0, 0, frame.width, frame.height} : changed,
                                       {0, 0, surface->w, surface->h});
        if (IsEmpty(area))
            return;
        const SDL_Rect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
        const uint32_t* first = frame.pixels + static_cast<ptrdiff_t>(area.top) * frame.width + area.left;
        uint8_t* target = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(area.top) * surface->pitch +
                          area.left * surface->format->BytesPerPixel;
        SDL_ConvertPixels(rect.w, rect.h, SDL_PIXELFORMAT_RGB888, first, frame.width * 4, surface->format->format,
                          target, surface->pitch);
        if (whole)
            SDL_UpdateWindowSurface(mSdlWindow);
        else
            SDL_UpdateWindowSurfaceRects(mSdlWindow, &rect, 1);
    }

    void ShowScaled(const Frame& frame, SDL_Surface* surface)
    {
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(frame.pixels), frame.width,
                                                                 frame.height, 32, frame.width * 4,
                                                                 SDL_PIXELFORMAT_RGB888);
        if (source == nullptr)
            return;
        const RECT fit = FitRect(frame.width, frame.height, surface->w, surface->h);
        mFit = {fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top};
        mFrameWidth = frame.width;
        mFrameHeight = frame.height;
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        SDL_BlitScaled(source, nullptr, surface, &mFit);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurface(mSdlWindow);
    }

    // Runs as SDL queues each event (those of the window come from the video thread): notes
    // that the window was exposed, and while the frame is scaled, maps mouse positions from
    // the window into the frame, as a renderer with a logical size does. A position on a
    // black bar lands outside the frame, where no widget is.
    static int WatchEvent(void* context, SDL_Event* event)
    {
        SdlPresenter* presenter = static_cast<SdlPresenter*>(context);
        if (WindowIdOf(*event) != presenter->mSdlWindowId)
            return 0;
        if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_EXPOSED)
            presenter->mExposed = true;
        if (!presenter->mScaled || presenter->mFit.w <= 0 || presenter->mFit.h <= 0)
            return 0;
        if (event->type == SDL_MOUSEMOTION)
            presenter->MapToFrame(&event->motion.x, &event->motion.y);
        else if (event->type == SDL_MOUSEBUTTONDOWN || event->type == SDL_MOUSEBUTTONUP)
            presenter->MapToFrame(&event->button.x, &event->button.y);
        return 0;
    }

    static Uint32 WindowIdOf(const SDL_Event& event)
    {
        switch (event.type) {
        case SDL_WINDOWEVENT: return event.window.windowID;
        case SDL_MOUSEMOTION: return event.motion.windowID;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: return event.button.windowID;
        default: return 0;
        }
    }

    void MapToFrame(Sint32* x, Sint32* y) const
    {
        *x = static_cast<Sint32>(int64_t{*x - mFit.x} * mFrameWidth / mFit.w);
        *y = static_cast<Sint32>(int64_t{*y - mFit.y} * mFrameHeight / mFit.h);
    }

    // The window is alive and still has the renderer this presenter made (if any). A
    // destroyed window takes its renderer and textures with it; a new window may then come
    // at the same address, but without this renderer.
    bool StillAttached() const
    {
        const Win32::Window* window = Win32::WindowSystem::Find(mWindow);
        if (window == nullptr || window->sdlWindow != mSdlWindow)
            return false;
        return mRenderer == nullptr || SDL_GetRenderer(mSdlWindow) == mRenderer;
    }

    void SetFullScreen(const bool fullScreen)
    {
        const bool isFullScreen = (SDL_GetWindowFlags(mSdlWindow) & SDL_WINDOW_FULLSCREEN) != 0;
        if (fullScreen && !isFullScreen) {
            mMadeFullScreen = Win32::WindowSystem::CoverScreen(mSdlWindow);
        } else if (!fullScreen && mMadeFullScreen) {
            SDL_SetWindowFullscreen(mSdlWindow, 0);
            mMadeFullScreen = false;
        }
    }

    // Makes the renderer and a texture of the frame's size; a new texture takes the whole
    // frame. False when SDL cannot render into the window.
    bool Prepare(const Frame& frame, RECT* upload)
    {
        if (mRenderer == nullptr && !mFailed) {
            mRenderer = SDL_CreateRenderer(mSdlWindow, -1, 0);
            if (mRenderer == nullptr) {
                std::fprintf(stderr, "Cannot draw into the window: %s\n", SDL_GetError());
                mFailed = true;
            }
        }
        if (mRenderer == nullptr)
            return false;
        if (mTexture != nullptr && (mTextureWidth != frame.width || mTextureHeight != frame.height)) {
            SDL_DestroyTexture(mTexture);
            mTexture = nullptr;
        }
        if (mTexture == nullptr) {
            mTexture = SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, frame.width,
                                         frame.height);
            if (mTexture == nullptr)
                return false;
            mTextureWidth = frame.width;
            mTextureHeight = frame.height;
            *upload = {0, 0, frame.width, frame.height};
        }
        return true;
    }

    HWND mWindow;
    SDL_Window* mSdlWindow;
    const Uint32 mSdlWindowId;
    SDL_Renderer* mRenderer = nullptr;
    SDL_Texture* mTexture = nullptr;
    int mTextureWidth = 0;
    int mTextureHeight = 0;
    // The presenter put the window in full screen, so it takes it out again.
    bool mMadeFullScreen = false;
    // SDL refused a renderer or a surface; not asked again for this window.
    bool mFailed = false;
    // Shows through the window's surface rather than a renderer.
    bool mOnWindowSurface;
    // The window surface last drawn into, and its size.
    SDL_Surface* mSurface = nullptr;
    int mSurfaceWidth = 0;
    int mSurfaceHeight = 0;
    // The window was exposed since the last Show.
    bool mExposed = false;
    // The frame is scaled into mFit of the surface, which has the frame's size otherwise.
    bool mScaled = false;
    SDL_Rect mFit{};
    int mFrameWidth = 0;
    int mFrameHeight = 0;
};

// Whether the X server behind the window renders GL in hardware: only a server with direct
// rendering (DRI2 or DRI3) lets a client's GL reach a graphics card; without it, as on a
// virtual frame buffer, GL is a software rasteriser that costs more than the window surface.
bool XServerHasDirectRendering(SDL_Window* sdlWindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    int opcode = 0;
    int event = 0;
    int error = 0;
    ::Display* display = info.info.x11.display;
    return XQueryExtension(display, "DRI3", &opcode, &event, &error) ||
           XQueryExtension(display, "DRI2", &opcode, &event, &error);
}

// Whether presenting goes through a renderer rather than the window's surface, decided
// without creating a renderer, since creating one loads GL to probe it. A render driver the
// user names is obeyed; otherwise only a display with hardware rendering gets a renderer.
bool PresentsThroughRenderer(SDL_Window* sdlWindow)
{
    const char* const asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (asked != nullptr && *asked != '\0')
        return SDL_strcasecmp(asked, "software") != 0;
    const char* const driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)
        return false;
    if (std::strcmp(driver, "x11") == 0)
        return XServerHasDirectRendering(sdlWindow);
    return true;
}

} // namespace

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

std::unique_ptr<Presenter> MakePresenter(HWND window)
{
    const Win32::Window* state = Win32::WindowSystem::Find(window);
    if (state == nullptr || state->sdlWindow == nullptr || !Win32::WindowSystem::IsVideoThread())
        return std::make_unique<NullPresenter>(window);
    const bool onWindowSurface = !PresentsThroughRenderer(state->sdlWindow);
    // The window surface must be plain memory: a surface that SDL backs with a renderer
    // would load GL after all.
    if (onWindowSurface)
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
    return std::make_unique<SdlPresenter>(window, state->sdlWindow, onWindowSurface);
}

} // namespace DDraw
