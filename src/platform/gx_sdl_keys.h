#pragma once

#include <SDL.h>

#include "base/gx_types.h"

namespace gx {

// The virtual-key code of an SDL key; 0 for keys without one.
GxU32 SdlKeyToVirtualKey(SDL_Keycode key);
// The SDL scancode of a virtual-key code; SDL_SCANCODE_UNKNOWN when none.
SDL_Scancode VirtualKeyToSdlScancode(GxU32 virtualKey);

}  // namespace gx
