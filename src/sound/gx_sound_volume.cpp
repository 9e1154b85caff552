#include "sound/gx_sound_volume.h"

#include <algorithm>
#include <cmath>

namespace gx {

GxS32 SoundLevelToVolume(GxS32 level) {
    const double l = std::clamp(level, 0, 100) / 100.0;
    return static_cast<GxS32>(std::trunc(100.0 - 100.0 * std::pow(l, 0.25))) * -96;
}

}  // namespace gx
