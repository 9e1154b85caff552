#pragma once

#include "base/gx_types.h"

namespace gx {

// A user level 0 to 100 as a volume in hundredths of a decibel:
// trunc(100 - 100 (L / 100)^(1/4)) x -96. 100 → 0, 80 → -480, 50 → -1440,
// 10 → -4128, 0 → -9600. Levels outside 0 to 100 are clamped.
GxS32 SoundLevelToVolume(GxS32 level);

}  // namespace gx
