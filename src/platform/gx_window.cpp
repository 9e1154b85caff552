#include "platform/gx_window.h"

#include <SDL.h>

#include <deque>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "platform/gx_sdl_keys.h"

namespace {

SDL_Window* g_Window = nullptr;
bool g_Capture = false;
std::deque<GxMessage> g_Queue;

GxU32 CurrentKeyState() {
    GxU32 keys = 0;
    Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    if (buttons & SDL_BUTTON_LMASK)
        keys |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK)
        keys |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK)
        keys |= MK_MBUTTON;
    SDL_Keymod mods = SDL_GetModState();
    if (mods & KMOD_SHIFT)
        keys |= MK_SHIFT;
    if (mods & KMOD_CTRL)
        keys |= MK_CONTROL;
    return keys;
}

struct ButtonMessages {
    GxU32 down;  // up is down + 1, double click down + 2
    GxU32 keyBit;
};

// WM_NULL for buttons the window procedure does not know.
ButtonMessages MessagesOfButton(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return {WM_LBUTTONDOWN, MK_LBUTTON};
        case SDL_BUTTON_RIGHT:
            return {WM_RBUTTONDOWN, MK_RBUTTON};
        case SDL_BUTTON_MIDDLE:
            return {WM_MBUTTONDOWN, MK_MBUTTON};
        default:
            return {WM_NULL, 0};
    }
}

bool IsMainWindowEvent(Uint32 windowId) {
    return g_Window && windowId == SDL_GetWindowID(g_Window);
}

void Push(GxU32 message, std::uintptr_t wParam, std::intptr_t lParam) {
    g_Queue.push_back(GxMessage{message, wParam, lParam});
}

std::intptr_t KeyData(const SDL_KeyboardEvent& key, bool up) {
    std::uint32_t data = 1u | ((static_cast<std::uint32_t>(key.keysym.scancode) & 0xFFu) << 16);
    if (key.repeat || up)
        data |= 1u << 30;
    if (up)
        data |= 1u << 31;
    return static_cast<std::intptr_t>(static_cast<std::int32_t>(data));
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            Push(WM_ACTIVATE, WA_ACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            Push(WM_ACTIVATE, WA_INACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            Push(WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            Push(WM_PAINT, 0, 0);
            break;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            Push(WM_WINDOWPOSCHANGED, 0, 0);
            break;
        default:
            break;
    }
}

void TranslateEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            if (IsMainWindowEvent(event.window.windowID))
                TranslateWindowEvent(event.window);
            break;
        case SDL_MOUSEMOTION:
            if (!IsMainWindowEvent(event.motion.windowID))
                break;
            Push(WM_MOUSEMOVE, CurrentKeyState(), gx::MakeLParam(event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const SDL_MouseButtonEvent& button = event.button;
            const ButtonMessages messages = MessagesOfButton(button.button);
            const GxU32 down = messages.down;
            if (down == WM_NULL || !IsMainWindowEvent(button.windowID))
                break;
            bool pressed = event.type == SDL_MOUSEBUTTONDOWN;
            GxU32 keys = CurrentKeyState();
            keys = pressed ? (keys | messages.keyBit) : (keys & ~messages.keyBit);
            // The second press of a pair arrives as a double click, as with a double-click window
            // class.
            GxU32 message = !pressed                                         ? down + 1
                            : (button.clicks >= 2 && button.clicks % 2 == 0) ? down + 2
                                                                             : down;
            Push(message, keys, gx::MakeLParam(button.x, button.y));
            break;
        }
        case SDL_MOUSEWHEEL: {
            if (!IsMainWindowEvent(event.wheel.windowID))
                break;
            int steps = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
                steps = -steps;
            if (steps == 0)
                break;
            int x = 0;
            int y = 0;
            SDL_GetMouseState(&x, &y);
            Push(WM_MOUSEWHEEL,
                 gx::MakeWParam(static_cast<int>(CurrentKeyState()), steps * WHEEL_DELTA),
                 gx::MakeLParam(x, y));
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (!IsMainWindowEvent(event.key.windowID))
                break;
            GxU32 virtualKey = gx::SdlKeyToVirtualKey(event.key.keysym.sym);
            if (virtualKey == 0)
                break;
            bool up = event.type == SDL_KEYUP;
            Push(up ? WM_KEYUP : WM_KEYDOWN, virtualKey, KeyData(event.key, up));
            break;
        }
        default:
            break;
    }
}

void GatherEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        TranslateEvent(event);
}

}  // namespace

namespace gx {

bool CreateMainWindow(const GxWindowDesc& desc) {
    if (g_Window)
        return true;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (desc.fullScreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    std::string title = Utf16ToUtf8(desc.title);
    g_Window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                desc.clientWidth, desc.clientHeight, flags);
    if (!g_Window) {
        LogErrorNarrow("Error/CreateMainWindow/ウィンドウを作成できません: %s\n",
                       std::string_view(SDL_GetError()));
        return false;
    }
    SDL_SetCursor(SDL_GetDefaultCursor());
    return true;
}

void DestroyMainWindow() {
    if (!g_Window)
        return;
    SetMouseCapture(false);
    SDL_DestroyWindow(g_Window);
    g_Window = nullptr;
}

bool HasMainWindow() {
    return g_Window != nullptr;
}

void* GetNativeWindow() {
    return g_Window;
}

void SetMainWindowTitle(std::u16string_view title) {
    if (!g_Window)
        return;
    SDL_SetWindowTitle(g_Window, Utf16ToUtf8(title).c_str());
}

std::u16string GetMainWindowTitle() {
    return g_Window ? Utf8ToUtf16(SDL_GetWindowTitle(g_Window)) : std::u16string();
}

bool SetMainWindowFullScreen(bool fullScreen) {
    if (!g_Window)
        return false;
    return SDL_SetWindowFullscreen(g_Window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void GetClientSize(int& width, int& height) {
    width = 0;
    height = 0;
    if (!g_Window || (SDL_GetWindowFlags(g_Window) & SDL_WINDOW_MINIMIZED))
        return;
    SDL_GetWindowSize(g_Window, &width, &height);
}

void GetCursorClientPosition(int& x, int& y) {
    x = 0;
    y = 0;
    SDL_GetMouseState(&x, &y);
}

void SetMouseCapture(bool capture) {
    if (capture == g_Capture)
        return;
    g_Capture = capture;
    // Capture needs input focus; without it the flag still pairs button down and up.
    SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

bool HasMouseCapture() {
    return g_Capture;
}

bool IsVirtualKeyDown(GxU32 virtualKey) {
    SDL_Keymod mods = SDL_GetModState();
    switch (virtualKey) {
        case VK_CONTROL:
            return (mods & KMOD_CTRL) != 0;
        case VK_SHIFT:
            return (mods & KMOD_SHIFT) != 0;
        case VK_MENU:
            return (mods & KMOD_ALT) != 0;
        case VK_LBUTTON:
            return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
        case VK_RBUTTON:
            return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_RMASK) != 0;
        case VK_MBUTTON:
            return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_MMASK) != 0;
        default:
            break;
    }
    SDL_Scancode scancode = VirtualKeyToSdlScancode(virtualKey);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return false;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return scancode < count && state[scancode] != 0;
}

void PostMessage(GxU32 message, std::uintptr_t wParam, std::intptr_t lParam) {
    Push(message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    Push(WM_QUIT, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(exitCode)), 0);
}

bool PeekMessage() {
    if (SDL_WasInit(SDL_INIT_EVENTS))
        GatherEvents();
    return !g_Queue.empty();
}

bool GetMessage(GxMessage& message) {
    while (g_Queue.empty()) {
        if (!SDL_WasInit(SDL_INIT_EVENTS)) {
            message = GxMessage{WM_QUIT, 0, 0};
            return false;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 100)) {
            TranslateEvent(event);
            GatherEvents();
        }
    }
    message = g_Queue.front();
    g_Queue.pop_front();
    return message.message != WM_QUIT;
}

void ClearMessageQueue() {
    g_Queue.clear();
}

}  // namespace gx
