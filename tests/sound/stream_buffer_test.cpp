#include "sound/gx_sound_buffer_stream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "sound/gx_sound_buffer_static.h"
#include "sound/gx_sound_loader_memory.h"
#include "sound/gx_sound_loader_wav.h"
#include "sound/sound_test_support.h"

namespace {

using gxtest::FrameLeft;
using gxtest::FrameRight;

// Compares rendered frames with the frames of the source they should be,
// stopping at the first difference.
::testing::AssertionResult FramesAre(const std::vector<GxS16>& out, size_t from, size_t count,
                                     const std::function<GxU32(size_t)>& sourceFrame) {
    for (size_t i = from; i < from + count; ++i) {
        GxU32 s = sourceFrame(i);
        if (out[2 * i] != FrameLeft(s) || out[2 * i + 1] != FrameRight(s)) {
            return ::testing::AssertionFailure()
                   << "output frame " << i << " is not source frame " << s;
        }
    }
    return ::testing::AssertionSuccess();
}

size_t SoundingFrames(const std::vector<GxS16>& out) {
    size_t last = 0;
    for (size_t i = 0; i < out.size() / 2; ++i) {
        if (out[2 * i] || out[2 * i + 1])
            last = i + 1;
    }
    return last;
}

TEST(StreamBuffer, BlocksAreAQuarterSecondInARingOfEight) {
    gxtest::MemoryDevice device;
    struct Case {
        GxU16 channels;
        GxU32 rate;
        GxU16 bits;
        GxU32 block;
    };
    for (const Case& c : {Case{2, 44100, 16, 44100}, Case{1, 22050, 8, 5512},
                          Case{1, 11025, 16, 5512}, Case{2, 11025, 16, 11028}}) {
        GxWavData sound;
        GxPcmFormat format = gx::MakePcmFormat(c.channels, c.rate, c.bits);
        ASSERT_TRUE(sound.Create(std::u16string_view(u"s"), &format, format.avgBytesPerSec));
        GxSoundLoaderMemory loader;
        ASSERT_TRUE(loader.Open(&sound));
        GxSoundBufferStream buffer;
        ASSERT_TRUE(buffer.Create(&loader));
        EXPECT_EQ(buffer.GetBlockSize(), c.block);
        EXPECT_EQ(buffer.GetBufferSize(), c.block * 8);
        EXPECT_EQ(buffer.GetTotalBytes(), format.avgBytesPerSec);
    }
}

struct LoopCase {
    const char* what;
    GxU32 frames;
    GxS32 loopCount;
    GxU32 loopStart;
    GxU32 start;
};

TEST(StreamBuffer, PlaysLoopsAndStopsSampleExactly) {
    const LoopCase cases[] = {
        {"once", 30000, 0, 0, 0},
        {"from the middle", 100000, 0, 0, 61111},
        {"repeat twice from a loop start", 100000, 2, 37000, 0},
        {"repeat whole sound once", 20000, 1, 0, 0},
        {"loop start past the end is the start", 30000, 1, 40000, 0},
    };
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.what);
        gxtest::MemoryDevice device;
        GxWavData sound;
        gxtest::FillCountingFrames(sound, c.frames);
        GxSoundLoaderMemory loader;
        ASSERT_TRUE(loader.Open(&sound));
        GxSoundBufferStream buffer;
        ASSERT_TRUE(buffer.Create(&loader));
        ASSERT_TRUE(buffer.Play(c.loopCount, 0, c.start, c.loopStart));
        const GxU32 loopStart = c.loopStart <= c.frames ? c.loopStart : 0;
        const size_t expected = (c.frames - c.start) + size_t(c.loopCount) * (c.frames - loopStart);
        const auto& out = device.Render(GxU32(expected + 3 * 44100));
        EXPECT_EQ(SoundingFrames(out), expected);
        EXPECT_TRUE(FramesAre(out, 0, expected, [&](size_t i) -> GxU32 {
            size_t first = c.frames - c.start;
            if (i < first)
                return GxU32(c.start + i);
            return GxU32(loopStart + (i - first) % (c.frames - loopStart));
        }));
        EXPECT_FALSE(buffer.IsPlaying());
        EXPECT_EQ(buffer.GetLoopCount(), 0);
    }
}

TEST(StreamBuffer, EndlessLoopFromTenSecondsContinuesAtTheLoopPoint) {
    gxtest::MemoryDevice device;
    const GxU32 frames = 12 * 44100;
    const GxU32 loopStart = 10 * 44100;
    GxWavData sound;
    gxtest::FillCountingFrames(sound, frames);
    GxSoundLoaderMemory loader;
    ASSERT_TRUE(loader.Open(&sound));
    GxSoundBufferStream buffer;
    ASSERT_TRUE(buffer.Create(&loader));
    ASSERT_TRUE(buffer.PlayEx(-1, 0, 0, loopStart, 0, 0));
    const auto& out = device.Render(20 * 44100);
    EXPECT_TRUE(FramesAre(out, 0, 20 * 44100, [&](size_t i) -> GxU32 {
        return i < frames ? GxU32(i) : GxU32(loopStart + (i - frames) % (frames - loopStart));
    }));
    EXPECT_TRUE(buffer.IsPlaying());
    EXPECT_LT(buffer.GetLoopCount(), 0);
}

TEST(StreamBuffer, LoopsThatCannotSoundEndInsteadOfPlayingSilence) {
    gxtest::MemoryDevice device;
    // Loop start exactly at the end: nothing to repeat.
    GxWavData sound;
    gxtest::FillCountingFrames(sound, 20000);
    GxSoundLoaderMemory loader;
    ASSERT_TRUE(loader.Open(&sound));
    GxSoundBufferStream buffer;
    ASSERT_TRUE(buffer.Create(&loader));
    ASSERT_TRUE(buffer.Play(-1, 0, 0, 20000));
    const auto& out = device.Render(4 * 44100);
    EXPECT_EQ(SoundingFrames(out), 20000u);
    EXPECT_FALSE(buffer.IsPlaying());

    // A WAVE file whose data chunk claims far more than the file holds.
    std::vector<GxU8> data(4 * 1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = GxU8(i % 200 + 1);
    std::string file = gxtest::MakeWave(gx::MakePcmFormat(2, 44100, 16), data);
    file[40] = char(0xF0), file[41] = char(0xFF), file[42] = char(0xFF), file[43] = char(0x7F);
    file.resize(file.size() - 2);  // and the file ends inside a frame
    GxSoundLoaderWav wav;
    ASSERT_TRUE(
        wav.Open(gx::MakeMemorySoundSource(std::vector<GxU8>(file.begin(), file.end())), u"w.wav"));
    GxSoundBufferStream stream;
    ASSERT_TRUE(stream.Create(&wav));
    ASSERT_TRUE(stream.Play(0, 0, 0, 0));
    EXPECT_EQ(SoundingFrames(device.Render(4 * 44100)), 999u);
    EXPECT_FALSE(stream.IsPlaying());
}

TEST(StreamBuffer, EightBitSoundPadsWithItsOwnSilence) {
    gxtest::MemoryDevice device;
    GxWavData sound;
    GxPcmFormat format = gx::MakePcmFormat(1, 22050, 8);
    ASSERT_TRUE(sound.Create(std::u16string_view(u"s"), &format, 1000));
    std::fill(sound.GetData(), sound.GetData() + 1000, GxU8(200));
    GxSoundLoaderMemory loader;
    ASSERT_TRUE(loader.Open(&sound));
    GxSoundBufferStream buffer;
    ASSERT_TRUE(buffer.Create(&loader));
    ASSERT_TRUE(buffer.Play(0, 0, 0, 0));
    const auto& out = device.Render(44100);
    EXPECT_EQ(out[2 * 100], 72 * 256);
    EXPECT_EQ(out[2 * 3000], 0);  // padding of byte 128 is silent
    EXPECT_EQ(SoundingFrames(out), 2000u);
}

TEST(StreamBuffer, ReleaseWhileTheDeviceMixesOnItsOwnThread) {
    gxtest::MemoryDevice device;
    GxWavData sound;
    gxtest::FillCountingFrames(sound, 44100 * 3);
    std::atomic<bool> stop{false};
    std::thread mixing([&] {
        while (!stop)
            device.Output().Render(512);
    });
    for (int round = 0; round < 40; ++round) {
        GxSoundLoaderMemory loader;
        ASSERT_TRUE(loader.Open(&sound));
        GxSoundBufferStream buffer;
        ASSERT_TRUE(buffer.Create(&loader));
        ASSERT_TRUE(buffer.Play(-1, 0, GxU32(round * 1000), 0));
        std::this_thread::sleep_for(std::chrono::milliseconds(round % 4));
        buffer.Release();
        // the decoder goes away right after the release
    }
    stop = true;
    mixing.join();
}

TEST(StaticBuffer, PlaysOnceOrLoopsFromAStartSample) {
    gxtest::MemoryDevice device;
    GxWavData sound;
    gxtest::FillCountingFrames(sound, 3000);
    GxSoundLoaderMemory loader;
    ASSERT_TRUE(loader.Open(&sound));
    GxSoundBufferStatic buffer;
    ASSERT_TRUE(buffer.Create(&loader));
    EXPECT_EQ(buffer.GetSize(), 12000u);
    ASSERT_TRUE(buffer.PlayEx(0, 0, 1000, 0, 0));
    auto out = device.Render(5000);
    EXPECT_EQ(SoundingFrames(out), 2000u);
    EXPECT_TRUE(FramesAre(out, 0, 2000, [](size_t i) { return GxU32(1000 + i); }));
    EXPECT_FALSE(buffer.IsPlaying());

    ASSERT_TRUE(buffer.Play(-1, 0, 0));
    out = device.Render(7000);
    EXPECT_TRUE(FramesAre(out, 0, 7000, [](size_t i) { return GxU32(i % 3000); }));
    EXPECT_TRUE(buffer.IsPlaying());
    EXPECT_EQ(buffer.GetLoopMode(), -1);
}

TEST(StaticBuffer, NothingWorksWithoutADevice) {
    GxWavData sound;
    gxtest::FillCountingFrames(sound, 100);
    GxSoundLoaderMemory loader;
    ASSERT_TRUE(loader.Open(&sound));
    GxSoundBufferStatic buffer;
    EXPECT_FALSE(buffer.Create(&loader));
    EXPECT_FALSE(buffer.Play(0, 0, 0));
    GxSoundBufferStream stream;
    EXPECT_FALSE(stream.Create(&loader));
    EXPECT_FALSE(stream.Play(0, 0, 0, 0));
}

}  // namespace
