#pragma once

#include <string>
#include <string_view>

#include "base/gx_types.h"
#include "platform/gx_window_messages.h"

struct GxWindowDesc {
    std::u16string title;
    int clientWidth = 1024;
    int clientHeight = 768;
    bool fullScreen = false;
};

namespace gx {

// The one main window. Created centred with an OpenGL-capable surface; false
// (with the reason in error.log) when the window system refuses it.
bool CreateMainWindow(const GxWindowDesc& desc);
void DestroyMainWindow();
bool HasMainWindow();
// The SDL_Window* of the main window, for the graphics device; null without one.
void* GetNativeWindow();

void SetMainWindowTitle(std::u16string_view title);
std::u16string GetMainWindowTitle();
bool SetMainWindowFullScreen(bool fullScreen);
// The client size in pixels; 0 × 0 while minimised or without a window.
void GetClientSize(int& width, int& height);
// The cursor position in client pixels.
void GetCursorClientPosition(int& x, int& y);

void SetMouseCapture(bool capture);
bool HasMouseCapture();

// Whether a key, by virtual-key code, is held down now (as GetKeyState's high bit).
bool IsVirtualKeyDown(GxU32 virtualKey);

// Message queue of the main thread: window-system events translated into window
// messages, and messages posted by the engine itself.
void PostMessage(GxU32 message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
void PostQuitMessage(int exitCode);
// True when a message waits (gathers the window-system events first); removes nothing.
bool PeekMessage();
// Takes the next message, waiting for one; false when it is WM_QUIT.
bool GetMessage(GxMessage& message);
// Drops every queued message (for a fresh start in tests and after shutdown).
void ClearMessageQueue();

}  // namespace gx
