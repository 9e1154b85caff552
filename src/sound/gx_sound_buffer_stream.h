#pragma once

#include <memory>
#include <vector>

#include "sound/gx_pcm_format.h"
#include "sound/gx_sound_buffer_voice.h"
#include "sound/gx_sound_stream_worker.h"

class GxSoundLoaderBase;

// Plays a decoder through a ring of eight quarter-second blocks that the
// stream worker refills as playback passes each block. Supports a loop start,
// a repeat count and starting in the middle of a sound.
class GxSoundBufferStream : public GxSoundStreamClient, public GxSoundBufferVoice {
public:
    static constexpr GxU32 kBlockCount = 8;

    GxSoundBufferStream() = default;
    ~GxSoundBufferStream() override;

    // `loopCount`: 0 plays once, n > 0 repeats n more times from the loop start,
    // negative repeats for ever. `priority` is accepted and not used.
    virtual bool PlayEx(GxS32 loopCount, GxU32 priority, GxU32 startSample, GxU32 loopStartSample,
                        GxS32 volume, GxS32 pan);
    virtual bool Play(GxS32 loopCount, GxU32 priority, GxU32 startSample, GxU32 loopStartSample);
    virtual bool SetVolume(GxS32 volume);
    virtual bool SetPan(GxS32 pan);
    virtual GxU32 GetBufferSize();
    virtual GxU32 GetTotalBytes();
    virtual GxS32 GetLoopCount();

    // The decoder is not owned; it must stay open until Release.
    bool Create(GxSoundLoaderBase* loader);
    void Release();
    bool FillBlock();
    GxU32 GetBlockSize();

    // One notification from the ring: playback passed a block.
    void OnBlockNotify() override;

private:
    void ClearFields();

    GxPcmFormat m_Format;
    GxSoundLoaderBase* m_Loader = nullptr;
    GxU32 m_BufferSize = 0;
    GxU32 m_BlockSize = 0;
    GxU32 m_WriteCursor = 0;
    GxU64 m_ReadPosition = 0;
    GxU64 m_LoopStart = 0;
    GxU64 m_LoopEnd = 0;
    GxU64 m_TotalBytes = 0;
    GxS32 m_LoopCount = 0;
    GxU32 m_FilledBlocks = 0;
    // The decoder has given all it will give; once the filled blocks are
    // passed, playback stops.
    bool m_SourceDone = false;
    GxS32 m_LastVolume = 1;
    GxS32 m_LastPan = 100000;
    std::vector<GxU8> m_Block;
};
