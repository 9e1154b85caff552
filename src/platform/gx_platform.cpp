#include "platform/gx_platform.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool g_Headless = false;
bool g_Started = false;

bool IsOffscreenDriverName(const char* name) {
    return name && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

}  // namespace

namespace gx {

bool InitPlatform(bool headless) {
    if (headless) {
        g_Headless = true;
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // Ctrl+C ends the process as usual instead of becoming a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Error/InitPlatform: video start failed: %s\n", SDL_GetError());
        return false;
    }
    g_Started = true;
    return true;
}

void ShutdownPlatform() {
    if (!g_Started)
        return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    g_Started = false;
}

bool IsHeadless() {
    return g_Headless;
}

bool HasDisplay() {
    if (g_Headless)
        return false;
    if (IsOffscreenDriverName(std::getenv("SDL_VIDEODRIVER")))
        return false;
    if (g_Started && IsOffscreenDriverName(SDL_GetCurrentVideoDriver()))
        return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace gx
