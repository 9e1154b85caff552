#include "sound/gx_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr GxU32 kChunkFrames = 1024;

}  // namespace

namespace gx {

float VolumeToGain(GxS32 volume) {
    if (volume <= GxMixer::kSilence)
        return 0.0f;
    if (volume >= 0)
        return 1.0f;
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

bool IsPlayablePcm(const GxPcmFormat& format) {
    return format.formatTag == kWaveFormatPcm && format.channels > 0 &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.blockAlign == format.channels * format.bitsPerSample / 8 &&
           format.samplesPerSec >= GxMixer::kMinFrequency &&
           format.samplesPerSec <= GxMixer::kMaxFrequency;
}

}  // namespace gx

GxMixVoice::GxMixVoice(GxMixer& mixer, const GxPcmFormat& format, GxU32 bytes)
    : m_Mixer(mixer),
      m_Format(format),
      m_Data(bytes, format.bitsPerSample == 8 ? 128 : 0),
      m_Frames(bytes / format.blockAlign),
      m_Frequency(format.samplesPerSec) {}

bool GxMixVoice::Write(GxU32 offset, const void* data, GxU32 size) {
    std::lock_guard lock(m_Mixer.m_Lock);
    if (offset >= m_Data.size() || size > m_Data.size())
        return false;
    GxU32 first = std::min<GxU32>(size, static_cast<GxU32>(m_Data.size()) - offset);
    std::memcpy(m_Data.data() + offset, data, first);
    std::memcpy(m_Data.data(), static_cast<const GxU8*>(data) + first, size - first);
    return true;
}

void GxMixVoice::SetCurrentPosition(GxU32 offset) {
    std::lock_guard lock(m_Mixer.m_Lock);
    GxU32 frame = offset / m_Format.blockAlign;
    m_Position = frame < m_Frames ? static_cast<GxU64>(frame) << 32 : 0;
}

GxU32 GxMixVoice::GetCurrentPosition() {
    std::lock_guard lock(m_Mixer.m_Lock);
    return static_cast<GxU32>(m_Position >> 32) * m_Format.blockAlign;
}

void GxMixVoice::Play(bool looping) {
    std::lock_guard lock(m_Mixer.m_Lock);
    m_Playing = true;
    m_Looping = looping;
}

void GxMixVoice::Stop() {
    std::lock_guard lock(m_Mixer.m_Lock);
    m_Playing = false;
}

bool GxMixVoice::IsPlaying() {
    std::lock_guard lock(m_Mixer.m_Lock);
    return m_Playing;
}

bool GxMixVoice::IsLooping() {
    std::lock_guard lock(m_Mixer.m_Lock);
    return m_Playing && m_Looping;
}

void GxMixVoice::SetVolume(GxS32 volume) {
    std::lock_guard lock(m_Mixer.m_Lock);
    m_Volume = std::clamp<GxS32>(volume, GxMixer::kSilence, 0);
    UpdateGains();
}

GxS32 GxMixVoice::GetVolume() {
    std::lock_guard lock(m_Mixer.m_Lock);
    return m_Volume;
}

void GxMixVoice::SetPan(GxS32 pan) {
    std::lock_guard lock(m_Mixer.m_Lock);
    m_Pan = std::clamp<GxS32>(pan, -10000, 10000);
    UpdateGains();
}

GxS32 GxMixVoice::GetPan() {
    std::lock_guard lock(m_Mixer.m_Lock);
    return m_Pan;
}

void GxMixVoice::SetFrequency(GxU32 hz) {
    std::lock_guard lock(m_Mixer.m_Lock);
    m_Frequency = std::clamp(hz, GxMixer::kMinFrequency, GxMixer::kMaxFrequency);
}

GxU32 GxMixVoice::GetFrequency() {
    std::lock_guard lock(m_Mixer.m_Lock);
    return m_Frequency;
}

void GxMixVoice::SetNotifications(std::vector<GxU32> positions, NotifyFunction notify) {
    std::lock_guard lock(m_Mixer.m_Lock);
    std::sort(positions.begin(), positions.end());
    m_NotifyPositions = std::move(positions);
    m_Notify = std::move(notify);
}

void GxMixVoice::UpdateGains() {
    float gain = gx::VolumeToGain(m_Volume);
    m_GainLeft = gain * (m_Pan > 0 ? gx::VolumeToGain(-m_Pan) : 1.0f);
    m_GainRight = gain * (m_Pan < 0 ? gx::VolumeToGain(m_Pan) : 1.0f);
}

void GxMixVoice::FetchFrame(GxU32 frame, float& left, float& right) const {
    const GxU8* p = m_Data.data() + static_cast<size_t>(frame) * m_Format.blockAlign;
    if (m_Format.bitsPerSample == 16) {
        left = static_cast<GxS16>(p[0] | (p[1] << 8));
        right = m_Format.channels > 1 ? static_cast<GxS16>(p[2] | (p[3] << 8)) : left;
    } else {
        left = (p[0] - 128) * 256.0f;
        right = m_Format.channels > 1 ? (p[1] - 128) * 256.0f : left;
    }
}

void GxMixVoice::Mix(float* accumulator, GxU32 frames) {
    const GxU64 step = (static_cast<GxU64>(m_Frequency) << 32) / GxMixer::kOutputRate;
    const GxU64 end = static_cast<GxU64>(m_Frames) << 32;
    const GxU64 startByte = (m_Position >> 32) * m_Format.blockAlign;
    GxU64 unwrappedBytes = startByte;
    const float gl = m_GainLeft;
    const float gr = m_GainRight;
    for (GxU32 i = 0; i < frames; ++i) {
        GxU32 frame = static_cast<GxU32>(m_Position >> 32);
        float left, right;
        FetchFrame(frame, left, right);
        GxU32 fraction = static_cast<GxU32>(m_Position);
        if (fraction) {
            GxU32 next = frame + 1;
            if (next >= m_Frames)
                next = m_Looping ? 0 : frame;
            float nextLeft, nextRight;
            FetchFrame(next, nextLeft, nextRight);
            float t = fraction * (1.0f / 4294967296.0f);
            left += (nextLeft - left) * t;
            right += (nextRight - right) * t;
        }
        accumulator[2 * i] += left * gl;
        accumulator[2 * i + 1] += right * gr;
        GxU64 before = m_Position >> 32;
        m_Position += step;
        unwrappedBytes += ((m_Position >> 32) - before) * m_Format.blockAlign;
        if (m_Position >= end) {
            if (!m_Looping) {
                m_Playing = false;
                m_Position = 0;
                break;
            }
            m_Position -= end;
        }
    }
    FireNotifications(startByte, unwrappedBytes);
}

void GxMixVoice::FireNotifications(GxU64 fromByte, GxU64 toByte) {
    if (!m_Notify || toByte == fromByte)
        return;
    const GxU64 size = m_Data.size();
    for (GxU64 lap = 0; lap * size <= toByte; ++lap) {
        for (GxU32 position : m_NotifyPositions) {
            GxU64 p = position + lap * size;
            if (p > fromByte && p <= toByte)
                m_Notify();
        }
    }
}

std::shared_ptr<GxMixVoice> GxMixer::CreateVoice(const GxPcmFormat& format, GxU32 bytes) {
    if (!gx::IsPlayablePcm(format) || bytes == 0 || bytes % format.blockAlign)
        return nullptr;
    auto voice = std::make_shared<GxMixVoice>(*this, format, bytes);
    std::lock_guard lock(m_Lock);
    m_Voices.push_back(voice);
    return voice;
}

void GxMixer::DestroyVoice(const std::shared_ptr<GxMixVoice>& voice) {
    std::lock_guard lock(m_Lock);
    std::erase(m_Voices, voice);
}

GxU32 GxMixer::GetVoiceCount() {
    std::lock_guard lock(m_Lock);
    return static_cast<GxU32>(m_Voices.size());
}

void GxMixer::Render(GxS16* output, GxU32 frames) {
    std::lock_guard lock(m_Lock);
    m_Accumulator.resize(kChunkFrames * 2);
    while (frames > 0) {
        GxU32 chunk = std::min(frames, kChunkFrames);
        std::fill(m_Accumulator.begin(), m_Accumulator.end(), 0.0f);
        for (const auto& voice : m_Voices) {
            if (voice->m_Playing)
                voice->Mix(m_Accumulator.data(), chunk);
        }
        for (GxU32 i = 0; i < chunk * 2; ++i) {
            float value = std::nearbyint(m_Accumulator[i]);
            output[i] = static_cast<GxS16>(std::clamp(value, -32768.0f, 32767.0f));
        }
        output += chunk * 2;
        frames -= chunk;
    }
}
