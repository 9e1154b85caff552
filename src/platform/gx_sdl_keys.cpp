#include "platform/gx_sdl_keys.h"

#include "platform/gx_window_messages.h"

namespace {

struct KeyPair {
    SDL_Keycode key;
    GxU32 virtualKey;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

}  // namespace

namespace gx {

GxU32 SdlKeyToVirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<GxU32>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<GxU32>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + static_cast<GxU32>(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + static_cast<GxU32>(key - SDLK_KP_1);
    if (key == SDLK_KP_0)
        return VK_NUMPAD0;
    for (const KeyPair& pair : kKeys) {
        if (pair.key == key)
            return pair.virtualKey;
    }
    return 0;
}

SDL_Scancode VirtualKeyToSdlScancode(GxU32 virtualKey) {
    SDL_Keycode key = SDLK_UNKNOWN;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        key = SDLK_a + static_cast<SDL_Keycode>(virtualKey - 'A');
    } else if (virtualKey >= '0' && virtualKey <= '9') {
        key = SDLK_0 + static_cast<SDL_Keycode>(virtualKey - '0');
    } else if (virtualKey >= VK_F1 && virtualKey <= VK_F12) {
        key = SDLK_F1 + static_cast<SDL_Keycode>(virtualKey - VK_F1);
    } else {
        for (const KeyPair& pair : kKeys) {
            if (pair.virtualKey == virtualKey) {
                key = pair.key;
                break;
            }
        }
    }
    return key == SDLK_UNKNOWN ? SDL_SCANCODE_UNKNOWN : SDL_GetScancodeFromKey(key);
}

}  // namespace gx
