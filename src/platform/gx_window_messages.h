#pragma once

#include <cstdint>

#include "base/gx_types.h"

// Window messages, virtual-key codes and key-state bits carry their Windows
// numeric values, so the window procedure and the key handling read as a
// switch over the familiar table.

inline constexpr GxU32 WM_NULL = 0x0000;
inline constexpr GxU32 WM_DESTROY = 0x0002;
inline constexpr GxU32 WM_ACTIVATE = 0x0006;
inline constexpr GxU32 WM_PAINT = 0x000F;
inline constexpr GxU32 WM_CLOSE = 0x0010;
inline constexpr GxU32 WM_QUIT = 0x0012;
inline constexpr GxU32 WM_SETCURSOR = 0x0020;
inline constexpr GxU32 WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr GxU32 WM_KEYDOWN = 0x0100;
inline constexpr GxU32 WM_KEYUP = 0x0101;
inline constexpr GxU32 WM_SYSCOMMAND = 0x0112;
inline constexpr GxU32 WM_MOUSEMOVE = 0x0200;
inline constexpr GxU32 WM_LBUTTONDOWN = 0x0201;
inline constexpr GxU32 WM_LBUTTONUP = 0x0202;
inline constexpr GxU32 WM_LBUTTONDBLCLK = 0x0203;
inline constexpr GxU32 WM_RBUTTONDOWN = 0x0204;
inline constexpr GxU32 WM_RBUTTONUP = 0x0205;
inline constexpr GxU32 WM_RBUTTONDBLCLK = 0x0206;
inline constexpr GxU32 WM_MBUTTONDOWN = 0x0207;
inline constexpr GxU32 WM_MBUTTONUP = 0x0208;
inline constexpr GxU32 WM_MBUTTONDBLCLK = 0x0209;
inline constexpr GxU32 WM_MOUSEWHEEL = 0x020A;

// WM_ACTIVATE wParam.
inline constexpr GxU32 WA_INACTIVE = 0;
inline constexpr GxU32 WA_ACTIVE = 1;

// WM_SYSCOMMAND wParam.
inline constexpr GxU32 SC_SCREENSAVE = 0xF140;
inline constexpr GxU32 SC_MONITORPOWER = 0xF170;

// Key-state bits of mouse messages.
inline constexpr GxU32 MK_LBUTTON = 0x0001;
inline constexpr GxU32 MK_RBUTTON = 0x0002;
inline constexpr GxU32 MK_SHIFT = 0x0004;
inline constexpr GxU32 MK_CONTROL = 0x0008;
inline constexpr GxU32 MK_MBUTTON = 0x0010;

inline constexpr int WHEEL_DELTA = 120;

// Virtual-key codes. Letters and digits are their ASCII upper-case codes.
inline constexpr GxU32 VK_LBUTTON = 0x01;
inline constexpr GxU32 VK_RBUTTON = 0x02;
inline constexpr GxU32 VK_MBUTTON = 0x04;
inline constexpr GxU32 VK_BACK = 0x08;
inline constexpr GxU32 VK_TAB = 0x09;
inline constexpr GxU32 VK_RETURN = 0x0D;
inline constexpr GxU32 VK_SHIFT = 0x10;
inline constexpr GxU32 VK_CONTROL = 0x11;
inline constexpr GxU32 VK_MENU = 0x12;
inline constexpr GxU32 VK_PAUSE = 0x13;
inline constexpr GxU32 VK_CAPITAL = 0x14;
inline constexpr GxU32 VK_ESCAPE = 0x1B;
inline constexpr GxU32 VK_SPACE = 0x20;
inline constexpr GxU32 VK_PRIOR = 0x21;
inline constexpr GxU32 VK_NEXT = 0x22;
inline constexpr GxU32 VK_END = 0x23;
inline constexpr GxU32 VK_HOME = 0x24;
inline constexpr GxU32 VK_LEFT = 0x25;
inline constexpr GxU32 VK_UP = 0x26;
inline constexpr GxU32 VK_RIGHT = 0x27;
inline constexpr GxU32 VK_DOWN = 0x28;
inline constexpr GxU32 VK_SNAPSHOT = 0x2C;
inline constexpr GxU32 VK_INSERT = 0x2D;
inline constexpr GxU32 VK_DELETE = 0x2E;
inline constexpr GxU32 VK_NUMPAD0 = 0x60;
inline constexpr GxU32 VK_MULTIPLY = 0x6A;
inline constexpr GxU32 VK_ADD = 0x6B;
inline constexpr GxU32 VK_SUBTRACT = 0x6D;
inline constexpr GxU32 VK_DECIMAL = 0x6E;
inline constexpr GxU32 VK_DIVIDE = 0x6F;
inline constexpr GxU32 VK_F1 = 0x70;
inline constexpr GxU32 VK_F2 = 0x71;
inline constexpr GxU32 VK_F3 = 0x72;
inline constexpr GxU32 VK_F4 = 0x73;
inline constexpr GxU32 VK_F5 = 0x74;
inline constexpr GxU32 VK_F6 = 0x75;
inline constexpr GxU32 VK_F7 = 0x76;
inline constexpr GxU32 VK_F8 = 0x77;
inline constexpr GxU32 VK_F9 = 0x78;
inline constexpr GxU32 VK_F10 = 0x79;
inline constexpr GxU32 VK_F11 = 0x7A;
inline constexpr GxU32 VK_F12 = 0x7B;
inline constexpr GxU32 VK_NUMLOCK = 0x90;
inline constexpr GxU32 VK_SCROLL = 0x91;
inline constexpr GxU32 VK_LSHIFT = 0xA0;
inline constexpr GxU32 VK_RSHIFT = 0xA1;
inline constexpr GxU32 VK_LCONTROL = 0xA2;
inline constexpr GxU32 VK_RCONTROL = 0xA3;
inline constexpr GxU32 VK_LMENU = 0xA4;
inline constexpr GxU32 VK_RMENU = 0xA5;
inline constexpr GxU32 VK_OEM_1 = 0xBA;
inline constexpr GxU32 VK_OEM_PLUS = 0xBB;
inline constexpr GxU32 VK_OEM_COMMA = 0xBC;
inline constexpr GxU32 VK_OEM_MINUS = 0xBD;
inline constexpr GxU32 VK_OEM_PERIOD = 0xBE;
inline constexpr GxU32 VK_OEM_2 = 0xBF;
inline constexpr GxU32 VK_OEM_3 = 0xC0;
inline constexpr GxU32 VK_OEM_4 = 0xDB;
inline constexpr GxU32 VK_OEM_5 = 0xDC;
inline constexpr GxU32 VK_OEM_6 = 0xDD;
inline constexpr GxU32 VK_OEM_7 = 0xDE;

// One window message: the message id and its two parameters as the window
// procedure receives them.
struct GxMessage {
    GxU32 message = WM_NULL;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

namespace gx {

constexpr std::intptr_t MakeLParam(int low, int high) {
    return static_cast<std::intptr_t>(
        static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFFu) |
                                  ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16)));
}
constexpr std::uintptr_t MakeWParam(int low, int high) {
    return (static_cast<std::uint32_t>(low) & 0xFFFFu) |
           ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16);
}
// The signed low and high words, as GET_X_LPARAM / GET_Y_LPARAM / GET_WHEEL_DELTA_WPARAM.
constexpr int SignedLowWord(std::uintptr_t value) {
    return static_cast<std::int16_t>(value & 0xFFFFu);
}
constexpr int SignedHighWord(std::uintptr_t value) {
    return static_cast<std::int16_t>((value >> 16) & 0xFFFFu);
}
constexpr unsigned LowWord(std::uintptr_t value) {
    return static_cast<unsigned>(value & 0xFFFFu);
}

}  // namespace gx
