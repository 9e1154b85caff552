#pragma once

#include <optional>
#include <vector>

#include "sound/gx_pcm_format.h"
#include "sound/gx_sound_source.h"

// Where a WAVE file keeps its format and its samples.
struct GxWaveLayout {
    std::vector<GxU8> formatChunk;  // the whole "fmt " chunk
    GxU64 dataOffset = 0;
    GxU32 dataSize = 0;                // clamped to the bytes the file holds
    std::optional<GxU32> factSamples;  // the "fact" chunk's sample count
};

enum class GxWaveScan { Ok, BadHeader, NoData };

namespace gx {

// Scans the chunks of a RIFF WAVE file (padded to even sizes, 64-bit offsets)
// for "fmt ", "fact" and "data".
GxWaveScan ScanWaveFile(GxSoundSource& source, GxWaveLayout& layout);

// The first 16 bytes of a format chunk; the sub-format's tag for an extensible one.
GxPcmFormat ReadFormatRecord(const std::vector<GxU8>& formatChunk);

}  // namespace gx
