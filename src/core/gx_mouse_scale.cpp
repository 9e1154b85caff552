#include "core/gx_mouse_scale.h"

namespace gx {

bool ClientToVirtual(int x, int y, int clientWidth, int clientHeight, GxVector2& point) {
    if (clientWidth <= 0 || clientHeight <= 0)
        return false;
    point.x = static_cast<float>(x) *
              (static_cast<float>(kVirtualScreenWidth) / static_cast<float>(clientWidth));
    point.y = static_cast<float>(y) *
              (static_cast<float>(kVirtualScreenHeight) / static_cast<float>(clientHeight));
    return true;
}

}  // namespace gx
