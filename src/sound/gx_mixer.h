#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "base/gx_mutex.h"
#include "sound/gx_pcm_format.h"

class GxMixer;

// One sound buffer of the mixer: PCM bytes played at a volume, pan and frequency,
// once or looping, with notification positions. Every operation takes the
// mixer's lock, so the audio callback never sees a half-made change.
class GxMixVoice : private GxObjectNotCopyable {
public:
    using NotifyFunction = std::function<void()>;

    GxMixVoice(GxMixer& mixer, const GxPcmFormat& format, GxU32 bytes);

    const GxPcmFormat& GetFormat() const { return m_Format; }
    GxU32 GetSize() const { return static_cast<GxU32>(m_Data.size()); }

    // Copies `size` bytes to `offset`, wrapping at the end of the buffer.
    bool Write(GxU32 offset, const void* data, GxU32 size);
    // Byte offset of the play cursor (a multiple of the block alignment).
    void SetCurrentPosition(GxU32 offset);
    GxU32 GetCurrentPosition();
    void Play(bool looping);
    void Stop();
    bool IsPlaying();
    bool IsLooping();
    // Hundredths of a decibel: 0 full level, -10000 and below silent.
    void SetVolume(GxS32 volume);
    GxS32 GetVolume();
    // -10000 (left only) to 10000 (right only); the far channel is cut by |pan|.
    void SetPan(GxS32 pan);
    GxS32 GetPan();
    void SetFrequency(GxU32 hz);
    GxU32 GetFrequency();
    // `notify` runs on the mixing thread, under the mixer's lock, each time the
    // play cursor reaches one of `positions` (byte offsets). It must not call
    // back into the mixer.
    void SetNotifications(std::vector<GxU32> positions, NotifyFunction notify);

private:
    friend class GxMixer;
    void UpdateGains();
    void Mix(float* accumulator, GxU32 frames);
    void FetchFrame(GxU32 frame, float& left, float& right) const;
    void FireNotifications(GxU64 fromByte, GxU64 toByte);

    GxMixer& m_Mixer;
    GxPcmFormat m_Format;
    std::vector<GxU8> m_Data;
    GxU32 m_Frames = 0;
    GxU64 m_Position = 0;  // frames, 32.32 fixed point
    bool m_Playing = false;
    bool m_Looping = false;
    GxS32 m_Volume = 0;
    GxS32 m_Pan = 0;
    GxU32 m_Frequency = 0;
    float m_GainLeft = 1.0f;
    float m_GainRight = 1.0f;
    std::vector<GxU32> m_NotifyPositions;
    NotifyFunction m_Notify;
};

// Mixes every playing voice into 44,100 Hz 16-bit stereo.
class GxMixer : private GxObjectNotCopyable {
public:
    static constexpr GxU32 kOutputRate = 44100;
    static constexpr GxU32 kMinFrequency = 100;
    static constexpr GxU32 kMaxFrequency = 200000;
    static constexpr GxS32 kSilence = -10000;

    // Null when the format is not playable or the size is 0 or not whole frames.
    std::shared_ptr<GxMixVoice> CreateVoice(const GxPcmFormat& format, GxU32 bytes);
    // After this returns the voice is no longer mixed and its notify never runs again.
    void DestroyVoice(const std::shared_ptr<GxMixVoice>& voice);
    GxU32 GetVoiceCount();

    // Renders `frames` interleaved stereo frames.
    void Render(GxS16* output, GxU32 frames);

private:
    friend class GxMixVoice;
    std::mutex m_Lock;
    std::vector<std::shared_ptr<GxMixVoice>> m_Voices;
    std::vector<float> m_Accumulator;
};

namespace gx {
// 10^(volume / 2000), 0 at -10000 and below.
float VolumeToGain(GxS32 volume);
}  // namespace gx
