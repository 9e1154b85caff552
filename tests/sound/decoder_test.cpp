#include <gtest/gtest.h>

#include <memory>

#include "base/gx_string.h"
#include "sound/gx_sound_loader_acm.h"
#include "sound/gx_sound_loader_memory.h"
#include "sound/gx_sound_loader_ogg.h"
#include "sound/gx_sound_loader_wav.h"
#include "sound/gx_wav_data.h"
#include "sound/sound_test_support.h"
#include "support/temp_dir.h"

namespace {

// Fixtures are made by the system's audio tools from one synthesised sound;
// the references are the same tools' own decodes to raw 16-bit PCM.
class DecoderFixtures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_Dir = new gxtest::TempDir();
        const std::string d = s_Dir->Str() + "/";
        auto ff = [&](const std::string& args) {
            ASSERT_TRUE(gxtest::Run("ffmpeg -v error -y " + args));
        };
        ASSERT_TRUE(gxtest::Run("sox -n -r 22050 -c 2 -b 16 " + d +
                                "pcm16.wav synth 1.3 sine 440 sine 660 vol 0.5"));
        ASSERT_TRUE(
            gxtest::Run("sox -n -r 11025 -c 1 -b 8 " + d + "pcm8.wav synth 0.7 sine 300 vol 0.5"));
        ASSERT_TRUE(gxtest::Run("sox -n -r 32000 -c 3 -b 16 " + d +
                                "pcm3ch.wav synth 0.5 sine 500 vol 0.5"));
        const char* codecs[] = {"adpcm_ms", "adpcm_ima_wav", "pcm_alaw", "pcm_mulaw", "libmp3lame"};
        for (const char* codec : codecs) {
            ff("-i " + d + "pcm16.wav -c:a " + codec + " -f wav " + d + codec + ".wav");
        }
        ff("-i " + d + "pcm16.wav -ar 8000 -ac 1 -c:a libgsm_ms -f wav " + d + "gsm.wav");
        for (const char* name : {"adpcm_ms", "adpcm_ima_wav", "pcm_alaw", "pcm_mulaw", "libmp3lame",
                                 "gsm", "pcm8", "pcm16"}) {
            ff(std::string("-i ") + d + name + ".wav -f s16le -c:a pcm_s16le " + d + name + ".s16");
        }
        for (const char* name : {"pcm8", "pcm16", "pcm3ch"}) {
            ASSERT_TRUE(gxtest::Run("sox " + d + name + ".wav -t raw " + d + name + ".raw"));
        }
        ASSERT_TRUE(gxtest::Run("oggenc -Q -q 2 -o " + d + "vorbis.ogg " + d + "pcm16.wav"));
        ASSERT_TRUE(
            gxtest::Run("oggdec -Q -R -b 16 -e 0 -s 1 -o " + d + "vorbis.s16 " + d + "vorbis.ogg"));
    }
    static void TearDownTestSuite() {
        delete s_Dir;
        s_Dir = nullptr;
    }
    static std::u16string Path(const std::string& name) {
        return gxtest::U16(s_Dir->Str() + "/" + name);
    }
    static std::string Bytes(const std::string& name) {
        return gxtest::ReadFileBytes(s_Dir->Str() + "/" + name);
    }

    static std::string ReadAll(GxSoundLoaderBase& loader, GxU32 chunk = 5000) {
        std::string out;
        std::string buffer(chunk, '\0');
        for (int guard = 0; guard < 100000 && !loader.IsEnd(); ++guard) {
            GxU32 got = 0;
            EXPECT_TRUE(loader.Read(buffer.data(), chunk, &got));
            out.append(buffer.data(), got);
            if (got == 0)
                break;
        }
        return out;
    }

    static gxtest::TempDir* s_Dir;
};
gxtest::TempDir* DecoderFixtures::s_Dir = nullptr;

std::unique_ptr<GxSoundLoaderBase> OpenByKind(int kind, const std::u16string& path) {
    if (kind == SOUND_LOADER_WAV) {
        auto loader = std::make_unique<GxSoundLoaderWav>();
        if (loader->Open(path))
            return loader;
    } else if (kind == SOUND_LOADER_ACM) {
        auto loader = std::make_unique<GxSoundLoaderAcm>();
        if (loader->Open(path))
            return loader;
    } else {
        auto loader = std::make_unique<GxSoundLoaderOgg>();
        if (loader->Open(path))
            return loader;
    }
    return nullptr;
}

struct DecodeCase {
    const char* file;
    int kind;
    const char* reference;
    GxU16 channels;
    GxU32 rate;
    GxU16 bits;
};

TEST_F(DecoderFixtures, EveryEncodingMatchesTheReferenceDecodeAndSeeksExactly) {
    const DecodeCase cases[] = {
        {"pcm16.wav", SOUND_LOADER_WAV, "pcm16.raw", 2, 22050, 16},
        {"pcm8.wav", SOUND_LOADER_WAV, "pcm8.raw", 1, 11025, 8},
        {"pcm3ch.wav", SOUND_LOADER_WAV, "pcm3ch.raw", 3, 32000, 16},
        {"pcm16.wav", SOUND_LOADER_ACM, "pcm16.s16", 2, 22050, 16},
        {"pcm8.wav", SOUND_LOADER_ACM, "pcm8.s16", 1, 11025, 16},
        {"adpcm_ms.wav", SOUND_LOADER_ACM, "adpcm_ms.s16", 2, 22050, 16},
        {"adpcm_ima_wav.wav", SOUND_LOADER_ACM, "adpcm_ima_wav.s16", 2, 22050, 16},
        {"pcm_alaw.wav", SOUND_LOADER_ACM, "pcm_alaw.s16", 2, 22050, 16},
        {"pcm_mulaw.wav", SOUND_LOADER_ACM, "pcm_mulaw.s16", 2, 22050, 16},
        {"gsm.wav", SOUND_LOADER_ACM, "gsm.s16", 1, 8000, 16},
        {"libmp3lame.wav", SOUND_LOADER_ACM, "libmp3lame.s16", 2, 22050, 16},
        {"vorbis.ogg", SOUND_LOADER_OGG, "vorbis.s16", 2, 22050, 16},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " kind " + std::to_string(c.kind));
        const std::string reference = Bytes(c.reference);
        ASSERT_FALSE(reference.empty());
        auto loader = OpenByKind(c.kind, Path(c.file));
        ASSERT_TRUE(loader);
        EXPECT_EQ(loader->GetKind(), c.kind);
        const GxPcmFormat format = loader->GetFormat();
        EXPECT_EQ(format, gx::MakePcmFormat(c.channels, c.rate, c.bits));
        const GxU32 total = loader->GetTotalSamples();
        EXPECT_EQ(loader->GetTotalBytes(), total * format.blockAlign);
        // MP3 in WAVE: the decoder pads the last frame; the fact chunk gives the length.
        if (std::string(c.file) != "libmp3lame.wav") {
            EXPECT_EQ(size_t(total) * format.blockAlign, reference.size());
        } else {
            EXPECT_LE(size_t(total) * format.blockAlign, reference.size());
            EXPECT_GE(size_t(total) * format.blockAlign, reference.size() - 1152 * 4);
        }
        const std::string all = ReadAll(*loader);
        EXPECT_TRUE(loader->IsEnd());
        ASSERT_EQ(all.size(), size_t(total) * format.blockAlign);
        EXPECT_TRUE(all == reference.substr(0, all.size()));

        for (GxU32 target : {total / 2 + 7, GxU32(1), total / 3}) {
            ASSERT_TRUE(loader->Seek(target));
            EXPECT_FALSE(loader->IsEnd());
            EXPECT_EQ(loader->Tell(), target);
            std::string part(4000, '\0');
            GxU32 got = 0;
            ASSERT_TRUE(loader->Read(part.data(), 4000, &got));
            part.resize(got);
            EXPECT_EQ(got, std::min<size_t>(4000, all.size() - size_t(target) * format.blockAlign));
            EXPECT_TRUE(part == all.substr(size_t(target) * format.blockAlign, got))
                << "seek to " << target;
        }
        EXPECT_FALSE(loader->Seek(total + 1));
    }
}

TEST_F(DecoderFixtures, Mp3WithoutASampleCountIsCountedByItsFrames) {
    // No "fact" chunk and no byte rate: the length comes from the frames.
    std::string file = Bytes("libmp3lame.wav");
    const size_t fact = file.find("fact");
    ASSERT_NE(fact, std::string::npos);
    file.replace(fact, 4, "junk");
    file.replace(28, 4, std::string(4, '\0'));
    GxSoundLoaderAcm loader;
    ASSERT_TRUE(loader.Open(gx::MakeMemorySoundSource(std::vector<GxU8>(file.begin(), file.end())),
                            u"m.wav"));
    const std::string reference = Bytes("libmp3lame.s16");
    EXPECT_EQ(size_t(loader.GetTotalBytes()), reference.size());
    EXPECT_TRUE(ReadAll(loader) == reference);
}

TEST_F(DecoderFixtures, CompressedWaveDecodesWholeIntoWavData) {
    GxWavData sound;
    ASSERT_TRUE(sound.CreateFromFile(Path("adpcm_ms.wav")));
    const std::string reference = Bytes("adpcm_ms.s16");
    EXPECT_EQ(sound.GetFormat(), gx::MakePcmFormat(2, 22050, 16));
    EXPECT_EQ(sound.GetSize(), reference.size());
    EXPECT_EQ(sound.GetTotalSamples(), reference.size() / 4);
    EXPECT_EQ(sound.GetRefCount(), 1);
    EXPECT_EQ(std::memcmp(sound.GetData(), reference.data(), reference.size()), 0);
    GxS16 left = 0, right = 0;
    ASSERT_TRUE(sound.GetSample(&left, &right, 100));
    EXPECT_EQ(left, GxS16(GxU8(reference[400]) | (GxU8(reference[401]) << 8)));
    EXPECT_FALSE(sound.GetSample(&left, &right, sound.GetTotalSamples()));

    GxSoundLoaderMemory memory;
    ASSERT_TRUE(memory.Open(&sound));
    ASSERT_TRUE(memory.Seek(1000));
    std::string part(400, '\0');
    GxU32 got = 0;
    memory.Read(part.data(), 400, &got);
    EXPECT_TRUE(part == reference.substr(4000, 400));
    EXPECT_FALSE(memory.Seek(sound.GetTotalSamples() + 1));

    GxWavData ogg;
    ASSERT_TRUE(ogg.CreateFromFile(Path("vorbis.ogg")));
    EXPECT_EQ(ogg.GetSize(), Bytes("vorbis.s16").size());
    EXPECT_EQ(ogg.GetName(), gx::ToLowerAscii(Path("vorbis.ogg")));

    gxtest::LogCapture log;
    GxWavData other;
    EXPECT_FALSE(other.CreateFromFile(Path("pcm16.flac")));
    EXPECT_TRUE(log.Contains(u"Error/GxWavData::Create 未対応の形式です("));
}

std::string Le32(GxU32 v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

TEST(WaveChunks, ScanHonoursPaddingAndRefusesBrokenFiles) {
    const GxPcmFormat mono = gx::MakePcmFormat(1, 8000, 16);
    const std::vector<GxU8> samples = {1, 0, 2, 0, 3, 0};
    std::string canonical = gxtest::MakeWave(mono, samples);
    // A list chunk of odd size with its pad byte, and a junk chunk before "fmt ".
    std::string fmt = canonical.substr(12, 24);
    std::string data = canonical.substr(36);
    std::string padded =
        "WAVEJUNK" + Le32(2) + "xy" + fmt + "LIST" + Le32(3) + "abc" + std::string(1, '\0') + data;
    padded = "RIFF" + Le32(GxU32(padded.size())) + padded;

    struct Case {
        const char* what;
        std::string file;
        GxU32 samples;  // 0: refused
        const char16_t* message;
    };
    std::string noData = canonical.substr(0, 36);
    noData.replace(4, 4, Le32(28));
    std::string longData = canonical;
    longData.replace(40, 4, Le32(0x7FFFFFF0));  // claims far more bytes than there are
    std::string zeroAlign = canonical;
    zeroAlign[32] = 0;
    std::string zeroChannels = canonical;
    zeroChannels[22] = 0;
    std::string adpcm = canonical;
    adpcm[20] = 2;
    const Case cases[] = {
        {"canonical", canonical, 3, nullptr},
        {"padded chunks", padded, 3, nullptr},
        {"data claims too much", longData, 3, nullptr},
        {"no data", noData, 0, u"dataチャンクが見つかりません"},
        {"not riff", "RIFX" + canonical.substr(4), 0, u"riffヘッダが見つかりません"},
        {"zero alignment", zeroAlign, 0, u"PCMWAVEFORMATヘッダが読み込めませんでした"},
        {"zero channels", zeroChannels, 0, u"PCMWAVEFORMATヘッダが読み込めませんでした"},
        {"compressed", adpcm, 0, u"PCMWAVEFORMATヘッダが読み込めませんでした"},
        {"truncated", canonical.substr(0, 10), 0, u"riffヘッダが見つかりません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gxtest::LogCapture log;
        GxSoundLoaderWav loader;
        bool opened = loader.Open(
            gx::MakeMemorySoundSource(std::vector<GxU8>(c.file.begin(), c.file.end())), u"t.wav");
        ASSERT_EQ(opened, c.samples != 0);
        if (!opened) {
            EXPECT_TRUE(log.Contains(c.message));
            EXPECT_TRUE(log.Contains(u"(t.wav)"));
            continue;
        }
        EXPECT_EQ(loader.GetTotalSamples(), c.samples);
        std::vector<GxU8> out(64);
        GxU32 got = 0;
        loader.Read(out.data(), 64, &got);
        EXPECT_EQ(got, 6u);
        EXPECT_EQ(out[4], 3);
        EXPECT_TRUE(loader.IsEnd());
    }
}

TEST(WaveChunks, ADataChunkBeyondTheFileEndsWhereTheFileEnds) {
    // The claim is checked against the file, and a short read ends the sound too.
    const GxPcmFormat mono = gx::MakePcmFormat(1, 8000, 16);
    std::string file = gxtest::MakeWave(mono, std::vector<GxU8>(1000, 1));
    file.replace(40, 4, Le32(0xFFFFFFF0));
    GxSoundLoaderAcm loader;
    ASSERT_TRUE(loader.Open(gx::MakeMemorySoundSource(std::vector<GxU8>(file.begin(), file.end())),
                            u"t.wav"));
    EXPECT_EQ(loader.GetTotalSamples(), 500u);
    std::vector<GxU8> out(4000);
    GxU32 got = 0;
    loader.Read(out.data(), 4000, &got);
    EXPECT_EQ(got, 1000u);
    EXPECT_TRUE(loader.IsEnd());
}

TEST(OggLoader, RefusesWhatIsNotVorbis) {
    gxtest::LogCapture log;
    GxSoundLoaderOgg loader;
    std::string junk = "OggS not really";
    EXPECT_FALSE(loader.Open(gx::MakeMemorySoundSource(std::vector<GxU8>(junk.begin(), junk.end())),
                             u"x.ogg"));
    EXPECT_TRUE(
        log.Contains(u"Error/GxSoundLoaderOgg::OpenStream ファイルのオープンに失敗しました\n"));
    EXPECT_FALSE(loader.Open(u"/nonexistent/x.ogg"));
    EXPECT_TRUE(log.Contains(
        u"Error/GxSoundLoaderOgg::Open ファイルのオープンに失敗しました(/nonexistent/x.ogg)\n"));
}

TEST(SoundLoader, LoopStartBeyondTheSoundIsZeroAndLengthIsIn64Bits) {
    GxWavData sound;
    GxPcmFormat format = gx::MakePcmFormat(2, 44100, 16);
    ASSERT_TRUE(sound.Create(std::u16string_view(u"Big.WAV"), &format, 44100 * 4 * 100));
    EXPECT_EQ(sound.GetName(), u"big.wav");
    GxSoundLoaderMemory loader;
    ASSERT_TRUE(loader.Open(&sound));
    EXPECT_EQ(loader.GetLengthMs(), 100000u);
    loader.SetLoopStart(44100 * 100);
    EXPECT_EQ(loader.GetLoopStart(), 44100u * 100);
    loader.SetLoopStart(44100 * 100 + 1);
    EXPECT_EQ(loader.GetLoopStart(), 0u);
    EXPECT_EQ(gx::MillisecondsToSamples(44100, 3'600'000), 158'760'000u);
}

}  // namespace
