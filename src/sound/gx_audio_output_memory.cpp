#include "sound/gx_audio_output_memory.h"

#include <algorithm>

#include "platform/gx_clock.h"

namespace {
constexpr GxU32 kChunkFrames = 1024;
constexpr GxU64 kMaxPumpMicroseconds = 500'000;
}  // namespace

bool GxAudioOutputMemory::Open(GxAudioRenderer* renderer, GxU32 rate) {
    m_Renderer = renderer;
    m_Rate = rate;
    return renderer != nullptr;
}

void GxAudioOutputMemory::RenderChunks(GxU32 frames, GxS16* out) {
    while (frames > 0 && m_Renderer) {
        GxU32 chunk = std::min(frames, kChunkFrames);
        m_Renderer->RenderAudio(out, chunk);
        m_Renderer->SettleAudio();
        out += chunk * 2;
        frames -= chunk;
    }
}

void GxAudioOutputMemory::Render(GxU32 frames) {
    size_t old = m_Captured.size();
    m_Captured.resize(old + static_cast<size_t>(frames) * 2);
    RenderChunks(frames, m_Captured.data() + old);
}

bool GxAudioOutputSilent::Open(GxAudioRenderer* renderer, GxU32 rate) {
    m_LastMicroseconds = gx::NowMicroseconds();
    m_Remainder = 0;
    return GxAudioOutputMemory::Open(renderer, rate);
}

void GxAudioOutputSilent::Pump() {
    GxU64 now = gx::NowMicroseconds();
    GxU64 elapsed = std::min(now - m_LastMicroseconds, kMaxPumpMicroseconds);
    m_LastMicroseconds = now;
    GxU64 scaled = elapsed * m_Rate + m_Remainder;
    GxU32 frames = static_cast<GxU32>(scaled / 1'000'000);
    m_Remainder = scaled % 1'000'000;
    m_Scratch.resize(static_cast<size_t>(frames) * 2);
    RenderChunks(frames, m_Scratch.data());
}
