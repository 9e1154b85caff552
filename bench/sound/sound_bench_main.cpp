// Mixing 32 streaming Ogg Vorbis voices for 60 seconds of audio through the
// engine's decoders, streaming buffers, stream worker and mixer (memory output),
// reported as a multiple of real time, beside oggdec decoding the same files.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/gx_string.h"
#include "sound/gx_audio_output_memory.h"
#include "sound/gx_sound_buffer_stream.h"
#include "sound/gx_sound_device.h"
#include "sound/gx_sound_loader_ogg.h"

namespace {

constexpr int kVoices = 32;
constexpr int kDistinctFiles = 8;
constexpr int kSeconds = 60;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool Shell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

}  // namespace

int main() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "gx_sound_bench";
    std::filesystem::create_directories(dir);
    std::vector<std::string> files;
    for (int i = 0; i < kDistinctFiles; ++i) {
        const std::string ogg = (dir / ("voice" + std::to_string(i) + ".ogg")).string();
        if (!std::filesystem::exists(ogg)) {
            const std::string wav = (dir / "source.wav").string();
            const std::string synth =
                "sox -n -r 44100 -c 2 -b 16 " + wav + " synth " + std::to_string(kSeconds) +
                " sine " + std::to_string(200 + 50 * i) + " pinknoise vol 0.3 2>/dev/null";
            if (!Shell(synth) || !Shell("oggenc -Q -q 3 -o " + ogg + " " + wav)) {
                std::fprintf(stderr, "cannot make the test files (sox, oggenc)\n");
                return 1;
            }
        }
        files.push_back(ogg);
    }

    auto output = std::make_unique<GxAudioOutputMemory>();
    GxAudioOutputMemory* memory = output.get();
    if (!GxSoundDevice::Create(std::move(output)))
        return 1;
    std::vector<std::unique_ptr<GxSoundLoaderOgg>> loaders;
    std::vector<std::unique_ptr<GxSoundBufferStream>> buffers;
    for (int v = 0; v < kVoices; ++v) {
        auto loader = std::make_unique<GxSoundLoaderOgg>();
        auto buffer = std::make_unique<GxSoundBufferStream>();
        if (!loader->Open(gx::Utf8ToUtf16(files[v % kDistinctFiles])) ||
            !buffer->Create(loader.get()) ||
            !buffer->PlayEx(-1, 0, 0, 0, -1200, (v % 5 - 2) * 2000)) {
            std::fprintf(stderr, "voice %d does not play\n", v);
            return 1;
        }
        loaders.push_back(std::move(loader));
        buffers.push_back(std::move(buffer));
    }

    const GxU32 totalFrames = kSeconds * GxMixer::kOutputRate;
    const double cpu0 = CpuSeconds();
    const double wall0 = Now();
    for (GxU32 done = 0; done < totalFrames; done += 4096) {
        memory->Render(std::min<GxU32>(4096, totalFrames - done));
        memory->ClearCaptured();
    }
    const double engineWall = Now() - wall0;
    const double engineCpu = CpuSeconds() - cpu0;
    int playing = 0;
    for (auto& buffer : buffers)
        playing += buffer->IsPlaying() ? 1 : 0;
    buffers.clear();
    loaders.clear();
    GxSoundDevice::Destroy();

    // The mixer alone: 32 looping PCM voices, half of them resampled.
    GxMixer mixer;
    std::vector<std::shared_ptr<GxMixVoice>> voices;
    std::vector<GxU8> pcm(44100 * 4);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = GxU8(i * 7);
    for (int v = 0; v < kVoices; ++v) {
        const GxU32 rate = v % 2 ? 22050 : 44100;
        auto voice = mixer.CreateVoice(gx::MakePcmFormat(2, rate, 16), GxU32(pcm.size()));
        voice->Write(0, pcm.data(), GxU32(pcm.size()));
        voice->SetVolume(-600);
        voice->SetPan(v * 100);
        voice->Play(true);
        voices.push_back(voice);
    }
    std::vector<GxS16> scratch(4096 * 2);
    const double mix0 = CpuSeconds();
    for (GxU32 done = 0; done < totalFrames; done += 4096)
        mixer.Render(scratch.data(), 4096);
    const double mixCpu = CpuSeconds() - mix0;

    const double child0 = ChildCpuSeconds();
    const double oggWall0 = Now();
    for (int v = 0; v < kVoices; ++v) {
        if (!Shell("oggdec -Q -o /dev/null " + files[v % kDistinctFiles]))
            return 1;
    }
    const double oggdecWall = Now() - oggWall0;
    const double oggdecCpu = ChildCpuSeconds() - child0;

    std::printf(
        "sound_bench: %d streaming Ogg Vorbis voices (44,100 Hz stereo, q3), %d s of audio\n",
        kVoices, kSeconds);
    std::printf(
        "  engine (decode + stream refill + mix): %.2f s wall, %.2f s CPU -> %.1fx real time "
        "(CPU), "
        "%.1fx (wall); %d voices still playing\n",
        engineWall, engineCpu, kSeconds / engineCpu, kSeconds / engineWall, playing);
    std::printf(
        "  oggdec decoding the same %d files:       %.2f s wall, %.2f s CPU -> %.1fx real time "
        "(CPU)\n",
        kVoices, oggdecWall, oggdecCpu, kSeconds / oggdecCpu);
    std::printf("  mixer alone, 32 PCM voices (half resampled): %.2f s CPU -> %.0fx real time\n",
                mixCpu, kSeconds / mixCpu);
    std::printf("  engine overhead over plain decoding: %.1f%%\n",
                100.0 * (engineCpu - oggdecCpu) / oggdecCpu);
    return 0;
}
