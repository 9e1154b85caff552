#pragma once

#include <string>

#include "sound/gx_pcm_format.h"

enum GxSoundLoaderKind : int {
    SOUND_LOADER_BASE = 0,
    SOUND_LOADER_MEMORY = 1,
    SOUND_LOADER_WAV = 2,
    SOUND_LOADER_ACM = 3,
    SOUND_LOADER_OGG = 4,
};

// A decoder: delivers a sound as PCM, whatever its source format. Positions and
// lengths in samples count frames (one value per channel).
class GxSoundLoaderBase {
public:
    virtual ~GxSoundLoaderBase() = default;
    virtual void Close() {}
    virtual bool IsOpen() const { return false; }
    // False only when the decoder is not open; fewer bytes than asked at the end.
    virtual bool Read(void* buffer, GxU32 count, GxU32* delivered);
    virtual bool Seek(GxU32 sample);
    virtual GxU32 Tell() { return 0; }
    virtual bool IsEnd() { return false; }
    virtual GxPcmFormat GetFormat() const { return {}; }
    virtual GxU32 GetTotalSamples() const { return 0; }
    virtual GxU32 GetTotalBytes() const { return 0; }
    virtual void SetLoopStart(GxU32 sample) { m_LoopStart = sample; }
    // The stored loop start, or 0 when it lies beyond the sound.
    virtual GxU32 GetLoopStart() const;
    virtual GxU32 GetLoopEnd() const { return GetTotalSamples(); }
    virtual GxU32 GetLengthMs() const;
    virtual int GetKind() const { return SOUND_LOADER_BASE; }

protected:
    GxU32 m_LoopStart = 0;
};

namespace gx {
// Samples at `rate` in `milliseconds`, exact in 64 bits.
GxU64 MillisecondsToSamples(GxU32 rate, GxU64 milliseconds);
}  // namespace gx
