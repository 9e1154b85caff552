#pragma once

#include "base/gx_types.h"

// The PCM wave format record every decoder reports its output in.
struct GxPcmFormat {
    GxU16 formatTag = 0;
    GxU16 channels = 0;
    GxU32 samplesPerSec = 0;
    GxU32 avgBytesPerSec = 0;
    GxU16 blockAlign = 0;
    GxU16 bitsPerSample = 0;

    bool operator==(const GxPcmFormat&) const = default;
};

namespace gx {

inline constexpr GxU16 kWaveFormatPcm = 1;

// A 16-bit or 8-bit PCM format with the derived fields filled in.
inline GxPcmFormat MakePcmFormat(GxU16 channels, GxU32 rate, GxU16 bits) {
    GxPcmFormat format;
    format.formatTag = kWaveFormatPcm;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.bitsPerSample = bits;
    format.blockAlign = static_cast<GxU16>(channels * bits / 8);
    format.avgBytesPerSec = format.blockAlign * rate;
    return format;
}

// Whether the mixer can play `format`: PCM, 8 or 16 bits, at least one channel,
// a block alignment that matches, a rate in the mixer's range.
bool IsPlayablePcm(const GxPcmFormat& format);

}  // namespace gx
