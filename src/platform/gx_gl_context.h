#pragma once

#include <memory>
#include <string>

// An OpenGL 3.3 core context on an SDL window. The window is passed opaquely so
// that the graphics library never includes SDL itself. Every GL call of the
// process happens on the thread that created the context (the main thread).
class GxGLContext {
public:
    ~GxGLContext();
    GxGLContext(const GxGLContext&) = delete;
    GxGLContext& operator=(const GxGLContext&) = delete;

    // Creates a context on `window` (an SDL_Window*). Returns null after logging.
    static std::unique_ptr<GxGLContext> CreateForWindow(void* window);
    // Creates a hidden window of its own (tests and tools; honours SDL_VIDEODRIVER).
    static std::unique_ptr<GxGLContext> CreateHidden(int width, int height);

    void* GetWindow() const { return m_Window; }
    bool MakeCurrent();
    // Sets the swap interval (0 immediate, 1 vsync ...); false when the driver refuses.
    bool SetSwapInterval(int interval);
    void SwapWindow();
    // The drawable size of the window in pixels.
    void GetDrawableSize(int& width, int& height) const;
    // Restyles the window: a desktop-sized borderless window for full screen,
    // a centred captioned window of the given client size otherwise.
    void SetWindowStyle(bool fullScreen, int width, int height);
    // The desktop's current mode.
    static bool GetDesktopMode(int& width, int& height, int& refreshRate);
    // Monitors of the desktop.
    static int GetDisplayCount();

private:
    GxGLContext() = default;
    void* m_Window = nullptr;
    void* m_Context = nullptr;
    bool m_OwnsWindow = false;
    bool m_OwnsVideo = false;
};
