#pragma once

#include <memory>

#include "base/gx_mutex.h"
#include "base/gx_types.h"

class GxMixVoice;
class GxSoundDevice;

// What the static and streaming buffers share: one mixer voice of the current
// device, guarded by the buffer's own lock. Every operation fails without a
// device or a voice.
class GxSoundBufferVoice : private GxObjectNotCopyable {
public:
    bool Stop();
    bool IsPlaying();
    bool GetVolume(GxS32* volume);
    bool GetPan(GxS32* pan);
    bool SetFrequency(GxU32 hz);

protected:
    GxSoundBufferVoice() = default;
    ~GxSoundBufferVoice() = default;
    // The voice exists and belongs to the device that is current.
    bool HasVoice() const;

    GxMutex m_Mutex;
    GxSoundDevice* m_Device = nullptr;
    std::shared_ptr<GxMixVoice> m_Voice;
};
