// gxplay: plays one sound through the engine's decoders, buffers, players and
// mixer into memory and writes what the mixer produced as a WAVE file.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/gx_string.h"
#include "gx_wave_writer.h"
#include "platform/gx_clock.h"
#include "sound/gx_audio_output_memory.h"
#include "sound/gx_mixer.h"
#include "sound/gx_sound_manager.h"

namespace {

constexpr GxU32 kStepMs = 10;
constexpr GxU32 kStepFrames = GxMixer::kOutputRate / 1000 * kStepMs;
constexpr double kLongestRun = 3600.0;

struct Options {
    std::string file;
    std::string out;
    GxS32 volume = 0;
    GxS32 pan = 0;
    GxU32 frequency = 0;
    GxU32 loopStartMs = 0;
    GxS32 loops = 0;
    GxU32 fadeInMs = 0;
    double seconds = -1;
    bool oneShot = false;
};

int Usage() {
    std::fputs(
        "usage: gxplay FILE [--volume V] [--pan P] [--frequency HZ] [--loop-start MS] [--loops N]\n"
        "              [--fade-in MS] [--seconds S] [--oneshot] --out OUT.wav\n"
        "  Plays FILE (.wav or .ogg) through a stream player, or with --oneshot through the\n"
        "  sound cache and a one-shot player, and writes the mix as 44,100 Hz 16-bit stereo.\n"
        "  Volume in hundredths of a decibel (0 full, -10000 silent), pan -10000 to 10000,\n"
        "  --loops -1 repeats for ever (give --seconds). Without --seconds the run ends when\n"
        "  the sound does.\n",
        stderr);
    return 2;
}

bool ParseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--oneshot") {
            options.oneShot = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!options.file.empty())
                return false;
            options.file = arg;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (arg == "--out") {
            options.out = value;
            continue;
        }
        double number = 0;
        if (!ParseNumber(value, number))
            return false;
        if (arg == "--volume") {
            options.volume = static_cast<GxS32>(number);
        } else if (arg == "--pan") {
            options.pan = static_cast<GxS32>(number);
        } else if (arg == "--frequency" && number > 0) {
            options.frequency = static_cast<GxU32>(number);
        } else if (arg == "--loop-start" && number >= 0) {
            options.loopStartMs = static_cast<GxU32>(number);
        } else if (arg == "--loops") {
            options.loops = static_cast<GxS32>(number);
        } else if (arg == "--fade-in" && number >= 0) {
            options.fadeInMs = static_cast<GxU32>(number);
        } else if (arg == "--seconds" && number >= 0) {
            options.seconds = number;
        } else {
            return false;
        }
    }
    return !options.file.empty() && !options.out.empty();
}

bool StillPlaying(GxSoundManager& manager, bool oneShot) {
    return oneShot ? manager.GetOneShotCount() > 0 : manager.IsStreamPlaying(0);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options))
        return Usage();

    GxManualClock clock;
    gx::SetClock(&clock);
    auto output = std::make_unique<GxAudioOutputMemory>();
    GxAudioOutputMemory* memory = output.get();
    GxSoundManager& manager = GxSoundManager::Get();
    if (!manager.InitializeWithOutput(std::move(output))) {
        std::fputs("gxplay: the mixer could not start\n", stderr);
        return 1;
    }
    const std::u16string name = gx::Utf8ToUtf16(options.file);
    bool started = false;
    if (options.oneShot) {
        GxU32 id = 0;
        started = manager.PlayOneShot(&id, name, options.loops < 0 ? -1 : 0, 0, 0, options.fadeInMs,
                                      options.volume, options.pan);
    } else {
        started = manager.PlayStream(0, name, options.loops, 0, options.fadeInMs, options.volume,
                                     options.pan, options.loopStartMs);
        if (started && options.frequency)
            manager.GetStreamPlayer(0)->SetFrequency(options.frequency);
    }
    if (!started) {
        std::fprintf(stderr, "gxplay: cannot play %s\n", options.file.c_str());
        manager.Shutdown();
        return 1;
    }
    const double seconds = options.seconds >= 0 ? options.seconds : kLongestRun;
    const GxU64 totalFrames = static_cast<GxU64>(seconds * GxMixer::kOutputRate);
    GxU64 rendered = 0;
    while (rendered < totalFrames) {
        if (options.seconds < 0 && !StillPlaying(manager, options.oneShot))
            break;
        const GxU32 frames =
            static_cast<GxU32>(std::min<GxU64>(kStepFrames, totalFrames - rendered));
        memory->Render(frames);
        rendered += frames;
        clock.Advance(GxU64{frames} * 1'000'000 / GxMixer::kOutputRate);
        manager.Service();
    }
    const bool written = WriteStereoWave(options.out, memory->GetCaptured(), GxMixer::kOutputRate);
    manager.Shutdown();
    gx::SetClock(nullptr);
    if (!written) {
        std::fprintf(stderr, "gxplay: cannot write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
