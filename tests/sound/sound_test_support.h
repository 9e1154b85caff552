#pragma once

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "base/gx_types.h"
#include "sound/gx_pcm_format.h"

namespace gxtest {

// Interleaved 16-bit frames of a sine of `hz` on every channel.
inline std::vector<GxS16> Sine(GxU32 rate, GxU16 channels, double hz, GxU32 frames,
                               double amplitude = 16000.0) {
    std::vector<GxS16> out(static_cast<size_t>(frames) * channels);
    for (GxU32 i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2.0 * std::numbers::pi * hz * i / rate);
        for (GxU16 c = 0; c < channels; ++c)
            out[i * channels + c] = static_cast<GxS16>(std::lround(v));
    }
    return out;
}

// A ramp that identifies every frame: frame i holds (i % 30000) - 15000 on every channel.
inline std::vector<GxS16> Ramp(GxU16 channels, GxU32 frames) {
    std::vector<GxS16> out(static_cast<size_t>(frames) * channels);
    for (GxU32 i = 0; i < frames; ++i) {
        for (GxU16 c = 0; c < channels; ++c) {
            out[i * channels + c] = static_cast<GxS16>(static_cast<int>(i % 30000) - 15000);
        }
    }
    return out;
}

inline std::vector<GxU8> ToBytes(const std::vector<GxS16>& samples) {
    std::vector<GxU8> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

// RMS of one channel of interleaved stereo frames [from, to).
inline double Rms(const std::vector<GxS16>& stereo, int channel, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(stereo[2 * i + channel]) * stereo[2 * i + channel];
    return std::sqrt(sum / double(to - from));
}

// Rising zero crossings of one channel in [from, to).
inline int RisingCrossings(const std::vector<GxS16>& stereo, int channel, size_t from, size_t to) {
    int count = 0;
    for (size_t i = from + 1; i < to; ++i) {
        if (stereo[2 * (i - 1) + channel] < 0 && stereo[2 * i + channel] >= 0)
            ++count;
    }
    return count;
}

// A canonical 44-byte-header PCM WAVE file.
inline std::string MakeWave(const GxPcmFormat& f, const std::vector<GxU8>& data) {
    auto u32 = [](GxU32 v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto u16 = [](GxU16 v) { return std::string{char(v), char(v >> 8)}; };
    std::string fmt = u16(f.formatTag) + u16(f.channels) + u32(f.samplesPerSec) +
                      u32(f.avgBytesPerSec) + u16(f.blockAlign) + u16(f.bitsPerSample);
    std::string body = "WAVEfmt " + u32(16) + fmt + "data" + u32(GxU32(data.size())) +
                       std::string(data.begin(), data.end());
    return "RIFF" + u32(GxU32(body.size())) + body;
}

}  // namespace gxtest

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

#include "base/gx_log.h"

namespace gxtest {

// Collects every logged message while installed.
class LogCapture : public GxDebugListenerBase {
public:
    LogCapture() { gx::SetDebugListener(this); }
    ~LogCapture() override { gx::SetDebugListener(nullptr); }
    void OnDebugOutput(std::u16string_view text, int) override {
        std::lock_guard lock(m_Lock);
        m_Text += text;
    }
    bool Contains(std::u16string_view part) {
        std::lock_guard lock(m_Lock);
        return m_Text.find(part) != std::u16string::npos;
    }

private:
    std::mutex m_Lock;
    std::u16string m_Text;
};

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs a shell command quietly; true when it succeeded.
inline bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace gxtest

#include <memory>

#include "sound/gx_audio_output_memory.h"
#include "sound/gx_sound_device.h"
#include "sound/gx_wav_data.h"

namespace gxtest {

// Makes a memory-output device current for the test's lifetime.
class MemoryDevice {
public:
    MemoryDevice() {
        auto output = std::make_unique<GxAudioOutputMemory>();
        m_Output = output.get();
        GxSoundDevice::Create(std::move(output));
    }
    ~MemoryDevice() { GxSoundDevice::Destroy(); }
    GxAudioOutputMemory& Output() { return *m_Output; }
    const std::vector<GxS16>& Render(GxU32 frames) {
        m_Output->ClearCaptured();
        m_Output->Render(frames);
        return m_Output->GetCaptured();
    }

private:
    GxAudioOutputMemory* m_Output = nullptr;
};

// 44,100 Hz stereo frames that name themselves: left = i & 0x7FFF, right = i >> 15 (+1, so
// that no frame is silent).
inline GxS16 FrameLeft(GxU32 i) {
    return static_cast<GxS16>(i & 0x7FFF);
}
inline GxS16 FrameRight(GxU32 i) {
    return static_cast<GxS16>((i >> 15) + 1);
}

inline void FillCountingFrames(GxWavData& sound, GxU32 frames) {
    GxPcmFormat format = gx::MakePcmFormat(2, 44100, 16);
    sound.Create(std::u16string_view(u"counting.wav"), &format, frames * 4);
    GxU8* p = sound.GetData();
    for (GxU32 i = 0; i < frames; ++i) {
        GxU16 l = static_cast<GxU16>(FrameLeft(i)), r = static_cast<GxU16>(FrameRight(i));
        p[4 * i] = GxU8(l);
        p[4 * i + 1] = GxU8(l >> 8);
        p[4 * i + 2] = GxU8(r);
        p[4 * i + 3] = GxU8(r >> 8);
    }
}

}  // namespace gxtest
