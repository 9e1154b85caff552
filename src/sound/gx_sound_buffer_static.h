#pragma once

#include "sound/gx_pcm_format.h"
#include "sound/gx_sound_buffer_voice.h"

class GxSoundLoaderBase;

// A whole sound decoded into one mixer buffer.
class GxSoundBufferStatic : public GxSoundBufferVoice {
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
    bool SetVolume(GxS32 volume);
    bool SetPan(GxS32 pan);
    GxU32 GetSize();
    GxS32 GetLoopMode();

private:
    GxU32 m_Size = 0;
    GxPcmFormat m_Format;
    GxS32 m_Loop = 0;
};
