#pragma once

#include <string>
#include <vector>

#include "base/gx_types.h"

// Writes interleaved 16-bit stereo frames as a PCM WAVE file.
bool WriteStereoWave(const std::string& path, const std::vector<GxS16>& frames, GxU32 rate);
