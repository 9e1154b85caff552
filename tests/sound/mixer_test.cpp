#include "sound/gx_mixer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sound/sound_test_support.h"

namespace {

// One voice over a looping one-second sine, rendered for a second.
struct SineVoice {
    GxMixer mixer;
    std::shared_ptr<GxMixVoice> voice;
    std::vector<GxS16> out;

    SineVoice(GxU32 rate, GxU16 channels, double hz) {
        auto format = gx::MakePcmFormat(channels, rate, 16);
        auto bytes = gxtest::ToBytes(gxtest::Sine(rate, channels, hz, rate));
        voice = mixer.CreateVoice(format, GxU32(bytes.size()));
        voice->Write(0, bytes.data(), GxU32(bytes.size()));
    }
    void Render(GxU32 frames = 44100) {
        out.assign(size_t(frames) * 2, 0);
        mixer.Render(out.data(), frames);
    }
};

double Decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

TEST(Mixer, VolumeIsHundredthsOfADecibel) {
    SineVoice full(44100, 2, 441.0);
    full.voice->Play(true);
    full.Render();
    double reference = gxtest::Rms(full.out, 0, 0, 44100);

    for (GxS32 volume : {-600, -2000, -4000}) {
        SineVoice quiet(44100, 2, 441.0);
        quiet.voice->SetVolume(volume);
        quiet.voice->Play(true);
        quiet.Render();
        EXPECT_NEAR(Decibels(gxtest::Rms(quiet.out, 0, 0, 44100) / reference), volume / 100.0, 0.05)
            << volume;
    }
    SineVoice silent(44100, 2, 441.0);
    silent.voice->SetVolume(-10000);
    silent.voice->Play(true);
    silent.Render();
    EXPECT_EQ(gxtest::Rms(silent.out, 0, 0, 44100), 0.0);
}

TEST(Mixer, PanCutsTheFarChannel) {
    struct Case {
        GxS32 pan;
        double leftDb;  // relative to full level; -inf as NAN means silent
        double rightDb;
    };
    const Case cases[] = {
        {0, 0, 0}, {10000, NAN, 0}, {-10000, 0, NAN}, {600, -6, 0}, {-1200, 0, -12}};
    SineVoice full(44100, 1, 441.0);
    full.voice->Play(true);
    full.Render();
    double reference = gxtest::Rms(full.out, 0, 0, 44100);
    for (const Case& c : cases) {
        SineVoice panned(44100, 1, 441.0);
        panned.voice->SetPan(c.pan);
        panned.voice->Play(true);
        panned.Render();
        double left = gxtest::Rms(panned.out, 0, 0, 44100);
        double right = gxtest::Rms(panned.out, 1, 0, 44100);
        if (std::isnan(c.leftDb)) {
            EXPECT_EQ(left, 0.0) << c.pan;
        } else {
            EXPECT_NEAR(Decibels(left / reference), c.leftDb, 0.05) << c.pan;
        }
        if (std::isnan(c.rightDb)) {
            EXPECT_EQ(right, 0.0) << c.pan;
        } else {
            EXPECT_NEAR(Decibels(right / reference), c.rightDb, 0.05) << c.pan;
        }
    }
}

TEST(Mixer, ResamplingKeepsThePitchAndFrequencyChangesIt) {
    SineVoice voice(22050, 1, 1000.0);
    voice.voice->Play(true);
    voice.Render();
    EXPECT_NEAR(gxtest::RisingCrossings(voice.out, 0, 0, 44100), 1000, 1);

    voice.voice->SetFrequency(44100);
    voice.Render();
    EXPECT_NEAR(gxtest::RisingCrossings(voice.out, 0, 0, 44100), 2000, 1);
}

TEST(Mixer, UnityRatePlaysSamplesExactlyAndAOneShotStopsAtItsEnd) {
    GxMixer mixer;
    auto ramp = gxtest::Ramp(2, 1000);
    auto bytes = gxtest::ToBytes(ramp);
    auto voice = mixer.CreateVoice(gx::MakePcmFormat(2, 44100, 16), GxU32(bytes.size()));
    voice->Write(0, bytes.data(), GxU32(bytes.size()));
    voice->Play(false);
    std::vector<GxS16> out(3000 * 2);
    mixer.Render(out.data(), 3000);
    for (size_t i = 0; i < 1000; ++i)
        ASSERT_EQ(out[2 * i], ramp[2 * i]) << i;
    for (size_t i = 1000; i < 3000; ++i)
        ASSERT_EQ(out[2 * i], 0) << i;
    EXPECT_FALSE(voice->IsPlaying());
}

TEST(Mixer, EightBitSoundIsCentredOn128) {
    GxMixer mixer;
    std::vector<GxU8> bytes(100, 128);
    bytes[10] = 255;
    auto voice = mixer.CreateVoice(gx::MakePcmFormat(1, 44100, 8), 100);
    voice->Write(0, bytes.data(), 100);
    voice->Play(false);
    std::vector<GxS16> out(200);
    mixer.Render(out.data(), 100);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[20], 127 * 256);
    EXPECT_EQ(out[21], 127 * 256);
}

TEST(Mixer, NotificationsFireOncePerPassOfEachPosition) {
    GxMixer mixer;
    auto voice = mixer.CreateVoice(gx::MakePcmFormat(2, 44100, 16), 4000);  // 1000 frames
    int fired = 0;
    voice->SetNotifications({1000, 2000, 3000, 3999}, [&] { ++fired; });
    voice->Play(true);
    std::vector<GxS16> out(2 * 2500);
    mixer.Render(out.data(), 249);  // byte 996: nothing passed yet
    EXPECT_EQ(fired, 0);
    mixer.Render(out.data(), 1);  // byte 1000
    EXPECT_EQ(fired, 1);
    mixer.Render(out.data(), 2500);  // to byte 11000: 3 in lap one, 4 in lap two, 3 in lap three
    EXPECT_EQ(fired, 1 + 3 + 4 + 3);
}

TEST(Mixer, RefusesFormatsItCannotPlay) {
    GxMixer mixer;
    GxPcmFormat noChannels = gx::MakePcmFormat(2, 44100, 16);
    noChannels.channels = 0;
    GxPcmFormat badAlign = gx::MakePcmFormat(2, 44100, 16);
    badAlign.blockAlign = 0;
    EXPECT_FALSE(mixer.CreateVoice(noChannels, 400));
    EXPECT_FALSE(mixer.CreateVoice(badAlign, 400));
    EXPECT_FALSE(mixer.CreateVoice(gx::MakePcmFormat(2, 44100, 24), 600));
    EXPECT_FALSE(mixer.CreateVoice(gx::MakePcmFormat(2, 44100, 16), 3));
    EXPECT_EQ(mixer.GetVoiceCount(), 0u);
}

}  // namespace
