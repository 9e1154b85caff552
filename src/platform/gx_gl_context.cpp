#include "platform/gx_gl_context.h"

#include <SDL.h>

#include "base/gx_log.h"
#include "base/gx_string.h"

namespace {

void RequestCoreProfile() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

}  // namespace

GxGLContext::~GxGLContext() {
    if (m_Context)
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_Context));
    if (m_OwnsWindow && m_Window)
        SDL_DestroyWindow(static_cast<SDL_Window*>(m_Window));
    if (m_OwnsVideo)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::unique_ptr<GxGLContext> GxGLContext::CreateForWindow(void* window) {
    if (!window)
        return nullptr;
    RequestCoreProfile();
    SDL_GLContext context = SDL_GL_CreateContext(static_cast<SDL_Window*>(window));
    if (!context) {
        LogError(u"Error/GxGLContext SDL_GL_CreateContext Failed(%s)\n",
                 std::string_view(SDL_GetError()));
        return nullptr;
    }
    std::unique_ptr<GxGLContext> made(new GxGLContext);
    made->m_Window = window;
    made->m_Context = context;
    made->MakeCurrent();
    return made;
}

std::unique_ptr<GxGLContext> GxGLContext::CreateHidden(int width, int height) {
    bool startedVideo = false;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            LogError(u"Error/GxGLContext SDL_Init Failed(%s)\n", std::string_view(SDL_GetError()));
            return nullptr;
        }
        startedVideo = true;
    }
    RequestCoreProfile();
    SDL_Window* window = SDL_CreateWindow("gx", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        LogError(u"Error/GxGLContext SDL_CreateWindow Failed(%s)\n",
                 std::string_view(SDL_GetError()));
        if (startedVideo)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    std::unique_ptr<GxGLContext> made = CreateForWindow(window);
    if (!made) {
        SDL_DestroyWindow(window);
        if (startedVideo)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    made->m_OwnsWindow = true;
    made->m_OwnsVideo = startedVideo;
    return made;
}

bool GxGLContext::MakeCurrent() {
    return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(m_Window),
                              static_cast<SDL_GLContext>(m_Context)) == 0;
}

bool GxGLContext::SetSwapInterval(int interval) {
    return SDL_GL_SetSwapInterval(interval) == 0;
}

void GxGLContext::SwapWindow() {
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_Window));
}

void GxGLContext::GetDrawableSize(int& width, int& height) const {
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(m_Window), &width, &height);
}

void GxGLContext::SetWindowStyle(bool fullScreen, int width, int height) {
    SDL_Window* window = static_cast<SDL_Window*>(m_Window);
    if (fullScreen) {
        int w = width, h = height, rate = 0;
        GetDesktopMode(w, h, rate);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
        SDL_SetWindowSize(window, w, h);
        SDL_SetWindowPosition(window, 0, 0);
    } else {
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);
        SDL_SetWindowSize(window, width, height);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    if (!m_OwnsWindow)
        SDL_ShowWindow(window);
}

bool GxGLContext::GetDesktopMode(int& width, int& height, int& refreshRate) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    width = mode.w;
    height = mode.h;
    refreshRate = mode.refresh_rate;
    return true;
}

int GxGLContext::GetDisplayCount() {
    return SDL_GetNumVideoDisplays();
}
