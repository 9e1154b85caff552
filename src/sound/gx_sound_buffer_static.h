#pragma once

#include <memory>

#include "base/gx_mutex.h"
#include "sound/gx_pcm_format.h"

class GxMixVoice;
class GxSoundDevice;
class GxSoundLoaderBase;

// A whole sound decoded into one mixer buffer.
class GxSoundBufferStatic : private GxObjectNotCopyable {
public:
    GxSoundBufferStatic() = default;
    ~GxSoundBufferStatic();

    void Release();
    // Decodes all of `loader` into a new buffer.
    bool Create(GxSoundLoaderBase* loader);
    // Sets volume and pan, then plays.
    bool PlayEx(GxS32 loop, GxU32 priority, GxU32 startSample, GxS32 volume, GxS32 pan);
    // `loop` -1 loops for ever, any other value plays once.
    bool Play(GxS32 loop, GxU32 priority, GxU32 startSample);
    bool Stop();
    bool IsPlaying();
    bool SetVolume(GxS32 volume);
    bool GetVolume(GxS32* volume);
    bool SetPan(GxS32 pan);
    bool GetPan(GxS32* pan);
    bool SetFrequency(GxU32 hz);
    GxU32 GetSize();
    GxS32 GetLoopMode();

private:
    bool HasVoice() const;

    GxMutex m_Mutex;
    GxSoundDevice* m_Device = nullptr;
    std::shared_ptr<GxMixVoice> m_Voice;
    GxU32 m_Size = 0;
    GxPcmFormat m_Format;
    GxS32 m_Loop = 0;
};
