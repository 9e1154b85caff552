#include "sound/gx_sound_loader.h"

bool GxSoundLoaderBase::Read(void*, GxU32, GxU32* delivered) {
    if (delivered)
        *delivered = 0;
    return false;
}

bool GxSoundLoaderBase::Seek(GxU32) {
    return false;
}

GxU32 GxSoundLoaderBase::GetLoopStart() const {
    return m_LoopStart <= GetTotalSamples() ? m_LoopStart : 0;
}

GxU32 GxSoundLoaderBase::GetLengthMs() const {
    GxPcmFormat format = GetFormat();
    if (format.samplesPerSec == 0 || format.blockAlign == 0)
        return 0;
    return static_cast<GxU32>(GxU64{GetTotalSamples()} * 1000 / format.samplesPerSec);
}

namespace gx {
GxU64 MillisecondsToSamples(GxU32 rate, GxU64 milliseconds) {
    return GxU64{rate} * milliseconds / 1000;
}
}  // namespace gx
