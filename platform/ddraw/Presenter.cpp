#include "platform/ddraw/Presenter.h"

#include "platform/win32/WindowSystem.h"

#include <SDL.h>

#include <cstdio>

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
    SdlPresenter(HWND window, SDL_Window* sdlWindow)
        : mWindow(window)
        , mSdlWindow(sdlWindow)
    {
    }

    ~SdlPresenter() override
    {
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
            // Without a window manager (a bare X server) only the window's own geometry
            // makes it cover the screen.
            SDL_Rect bounds{};
            if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(mSdlWindow), &bounds) == 0) {
                SDL_SetWindowPosition(mSdlWindow, bounds.x, bounds.y);
                SDL_SetWindowSize(mSdlWindow, bounds.w, bounds.h);
            }
            mMadeFullScreen = SDL_SetWindowFullscreen(mSdlWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
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
    SDL_Renderer* mRenderer = nullptr;
    SDL_Texture* mTexture = nullptr;
    int mTextureWidth = 0;
    int mTextureHeight = 0;
    // The presenter put the window in full screen, so it takes it out again.
    bool mMadeFullScreen = false;
    // SDL refused a renderer; not asked again for this window.
    bool mFailed = false;
};

} // namespace

std::unique_ptr<Presenter> MakePresenter(HWND window)
{
    const Win32::Window* state = Win32::WindowSystem::Find(window);
    if (state == nullptr || state->sdlWindow == nullptr || !Win32::WindowSystem::IsVideoThread())
        return std::make_unique<NullPresenter>(window);
    return std::make_unique<SdlPresenter>(window, state->sdlWindow);
}

} // namespace DDraw
