#pragma once

#include "content/gx_content_types.h"

namespace gx {

inline constexpr int kVirtualScreenWidth = 1024;
inline constexpr int kVirtualScreenHeight = 768;

// A client position in the 1024 × 768 virtual screen. False (and no point) while
// the client area is empty, as for a minimised window.
bool ClientToVirtual(int x, int y, int clientWidth, int clientHeight, GxVector2& point);

}  // namespace gx
