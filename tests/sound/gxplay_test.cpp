#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cmath>
#include <cstdlib>

#include "sound/gx_sound_loader_wav.h"
#include "sound/sound_test_support.h"
#include "support/temp_dir.h"

namespace {

int RunGxplay(const std::string& arguments) {
    const char* bin = std::getenv("GX_BIN_DIR");
    const std::string command =
        std::string(bin ? bin : ".") + "/gxplay " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The rendered file's frames, read back through the engine's own WAVE decoder.
std::vector<GxS16> ReadRendered(const std::string& path) {
    GxSoundLoaderWav loader;
    EXPECT_TRUE(loader.Open(gxtest::U16(path)));
    EXPECT_EQ(loader.GetFormat(), gx::MakePcmFormat(2, 44100, 16));
    std::vector<GxS16> frames(loader.GetTotalBytes() / 2);
    GxU32 got = 0;
    loader.Read(frames.data(), loader.GetTotalBytes(), &got);
    return frames;
}

TEST(Gxplay, RendersStreamsAndOneShotsToWave) {
    gxtest::TempDir dir;
    const std::string d = dir.Str() + "/";
    ASSERT_TRUE(
        gxtest::Run("sox -n -r 22050 -c 2 -b 16 " + d + "tone.wav synth 1 sine 500 vol 0.5"));
    ASSERT_TRUE(
        gxtest::Run("ffmpeg -v error -y -i " + d + "tone.wav -c:a adpcm_ms " + d + "ms.wav"));

    ASSERT_EQ(RunGxplay(d + "tone.wav --out " + d + "full.wav"), 0);
    ASSERT_EQ(RunGxplay(d + "tone.wav --volume -600 --pan 10000 --out " + d + "quiet.wav"), 0);
    const auto full = ReadRendered(d + "full.wav");
    const auto quiet = ReadRendered(d + "quiet.wav");
    ASSERT_GE(full.size() / 2, 44100u);
    ASSERT_EQ(quiet.size(), full.size());
    EXPECT_NEAR(20 * std::log10(gxtest::Rms(quiet, 1, 0, 44100) / gxtest::Rms(full, 1, 0, 44100)),
                -6.0, 0.05);
    EXPECT_EQ(gxtest::Rms(quiet, 0, 0, 44100), 0.0);
    // A 22,050 Hz source keeps its pitch.
    EXPECT_NEAR(gxtest::RisingCrossings(full, 0, 0, 44100), 500, 1);

    ASSERT_EQ(
        RunGxplay(d + "tone.wav --frequency 44100 --loops 2 --loop-start 500 --seconds 3 --out " +
                  d + "loops.wav"),
        0);
    const auto loops = ReadRendered(d + "loops.wav");
    EXPECT_EQ(loops.size() / 2, 3u * 44100);
    EXPECT_GT(gxtest::Rms(loops, 0, 0, 44100), 1000.0);  // 0.5 s + 2 x 0.25 s at double speed
    EXPECT_EQ(gxtest::Rms(loops, 0, 44100 + 2205, 3 * 44100), 0.0);

    ASSERT_EQ(RunGxplay(d + "ms.wav --oneshot --out " + d + "oneshot.wav"), 0);
    const auto oneShot = ReadRendered(d + "oneshot.wav");
    EXPECT_GE(oneShot.size() / 2, 2u * 22050);  // 1 s at 22,050 Hz mixed at 44,100 Hz
    EXPECT_GT(gxtest::Rms(oneShot, 0, 0, 44100), 1000.0);

    EXPECT_EQ(RunGxplay(d + "missing.ogg --out " + d + "x.wav"), 1);
    EXPECT_EQ(RunGxplay(d + "tone.wav"), 2);
}

}  // namespace
