#pragma once

#include <vector>

#include "platform/gx_audio_output.h"

// Renders on request into memory, as fast as asked and the same every run.
class GxAudioOutputMemory : public GxAudioOutput {
public:
    bool Open(GxAudioRenderer* renderer, GxU32 rate) override;
    void Close() override { m_Renderer = nullptr; }
    std::u16string GetDescription() const override { return u"memory"; }

    // Renders `frames` stereo frames and appends them to the captured sound.
    void Render(GxU32 frames);
    const std::vector<GxS16>& GetCaptured() const { return m_Captured; }
    void ClearCaptured() { m_Captured.clear(); }

protected:
    // Renders in chunks short enough that every refill the chunk started is done
    // before the next chunk plays.
    void RenderChunks(GxU32 frames, GxS16* out);
    GxAudioRenderer* m_Renderer = nullptr;
    GxU32 m_Rate = 0;

private:
    std::vector<GxS16> m_Captured;
};

// No device: time passes by the engine clock and the sound is dropped, so
// sounds still end when they would have.
class GxAudioOutputSilent final : public GxAudioOutputMemory {
public:
    bool Open(GxAudioRenderer* renderer, GxU32 rate) override;
    void Pump() override;
    std::u16string GetDescription() const override { return u"silent"; }

private:
    GxU64 m_LastMicroseconds = 0;
    GxU64 m_Remainder = 0;
    std::vector<GxS16> m_Scratch;
};
