#include "sound/gx_sound_manager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "base/gx_string.h"
#include "file/gx_file.h"
#include "platform/gx_clock.h"
#include "sound/gx_sound_volume.h"
#include "sound/sound_test_support.h"
#include "support/temp_dir.h"

namespace {

// A manager over a memory output with a hand-driven clock, and a few sounds.
class SoundManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_Dir = new gxtest::TempDir();
        const std::string d = s_Dir->Str() + "/";
        ASSERT_TRUE(
            gxtest::Run("sox -n -r 44100 -c 2 -b 16 " + d + "tone.wav synth 3 sine 441 vol 0.5"));
        ASSERT_TRUE(gxtest::Run("sox -n -r 22050 -c 1 -b 16 " + d +
                                "short.wav synth 0.2 sine 441 vol 0.5"));
        ASSERT_TRUE(gxtest::Run("oggenc -Q -q 2 -o " + d + "tone.ogg " + d + "tone.wav"));
        ASSERT_TRUE(gxtest::Run("ffmpeg -v error -y -i " + d + "short.wav -c:a adpcm_ima_wav " + d +
                                "click.wav"));
    }
    static void TearDownTestSuite() {
        delete s_Dir;
        s_Dir = nullptr;
    }
    void SetUp() override {
        gx::SetClock(&m_Clock);
        auto output = std::make_unique<GxAudioOutputMemory>();
        m_Output = output.get();
        ASSERT_TRUE(Manager().InitializeWithOutput(std::move(output)));
    }
    void TearDown() override {
        Manager().Shutdown();
        gx::SetClock(nullptr);
    }
    static GxSoundManager& Manager() { return GxSoundManager::Get(); }
    static std::u16string Path(const std::string& name) {
        return gxtest::U16(s_Dir->Str() + "/" + name);
    }
    void AdvanceMs(GxU64 ms) {
        m_Clock.Advance(ms * 1000);
        Manager().Service();
    }
    const std::vector<GxS16>& Render(GxU32 frames) {
        m_Output->ClearCaptured();
        m_Output->Render(frames);
        return m_Output->GetCaptured();
    }

    static gxtest::TempDir* s_Dir;
    GxManualClock m_Clock;
    GxAudioOutputMemory* m_Output = nullptr;
};
gxtest::TempDir* SoundManagerTest::s_Dir = nullptr;

TEST(SoundVolume, LevelsFollowTheFourthRootRule) {
    const std::pair<GxS32, GxS32> table[] = {{100, 0},    {80, -480},  {50, -1440}, {29, -2496},
                                             {25, -2784}, {10, -4128}, {1, -6528},  {0, -9600},
                                             {150, 0},    {-5, -9600}};
    for (auto [level, volume] : table)
        EXPECT_EQ(gx::SoundLevelToVolume(level), volume) << level;
}

TEST_F(SoundManagerTest, FadeInFollowsItsLineInTheRenderedSound) {
    ASSERT_TRUE(Manager().PlayStream(4, Path("tone.wav"), -1, 0, 1000, -1000, 0, 0));
    GxSoundPlayerStream* player = Manager().GetStreamPlayer(4);
    const double fullRms = 16384 / std::sqrt(2.0);  // sox "vol 0.5" of full scale
    for (GxU64 at : {0, 250, 500, 750, 1000, 1200}) {
        if (at)
            AdvanceMs(at == 1200 ? 200 : 250);
        const GxS32 expected = at >= 1000 ? -1000 : GxS32(-6400 + 5400 * GxS64(at) / 1000);
        EXPECT_EQ(player->GetVolume(), expected) << at;
        EXPECT_EQ(player->GetFadeState(), at >= 1000 ? SOUND_FADE_NONE : SOUND_FADE_IN) << at;
        const auto& out = Render(4410);
        const double db = 20 * std::log10(gxtest::Rms(out, 0, 0, 4410) / fullRms);
        EXPECT_NEAR(db, expected / 100.0, 0.1) << at;
    }
}

TEST_F(SoundManagerTest, FadeOutStopsAndNeverRisesFromBelowItsSilence) {
    ASSERT_TRUE(Manager().PlayStream(5, Path("tone.wav"), -1, 0, 0, 0, 0, 0));
    Manager().StopStream(5, 1000);
    AdvanceMs(500);
    EXPECT_EQ(Manager().GetStreamPlayer(5)->GetVolume(), -3200);
    AdvanceMs(500);
    EXPECT_FALSE(Manager().IsStreamPlaying(5));

    ASSERT_TRUE(Manager().PlayStream(6, Path("tone.wav"), -1, 0, 0, -9600, 0, 0));
    Manager().StopStream(6, 1000);
    AdvanceMs(500);
    EXPECT_EQ(Manager().GetStreamPlayer(6)->GetVolume(), -9600);
    ASSERT_TRUE(Manager().PlayStream(7, Path("tone.wav"), -1, 0, 1000, -9600, 0, 0));
    AdvanceMs(1);
    EXPECT_EQ(Manager().GetStreamPlayer(7)->GetVolume(), -9600);
}

TEST_F(SoundManagerTest, SetVolumeDuringFadesMovesTheRightEnd) {
    GxSoundPlayerStream* player = Manager().GetStreamPlayer(8);
    ASSERT_TRUE(Manager().PlayStream(8, Path("tone.wav"), -1, 0, 1000, 0, 0, 0));
    Manager().SetStreamVolume(8, -2000);
    EXPECT_EQ(player->GetTargetVolume(), -2000);
    AdvanceMs(500);
    EXPECT_EQ(player->GetVolume(), -4200);
    player->FinishFade();
    EXPECT_EQ(player->GetVolume(), -2000);
    EXPECT_TRUE(player->IsPlaying());
}

TEST_F(SoundManagerTest, MusicTakesTheChannelThatIsNotCurrent) {
    auto playing = [&](GxU32 channel) { return Manager().IsStreamPlaying(channel); };
    auto fade = [&](GxU32 channel) { return Manager().GetStreamPlayer(channel)->GetFadeState(); };
    ASSERT_TRUE(Manager().PlayMusic(Path("tone.ogg"), -1, 0, 1000, 0, 0, 0));
    EXPECT_TRUE(playing(0));
    EXPECT_FALSE(playing(1));
    EXPECT_EQ(Manager().GetCurrentMusicChannel(), 0u);

    AdvanceMs(300);
    ASSERT_TRUE(Manager().PlayMusic(Path("tone.wav"), -1, 0, 1000, 0, 0, 0));
    EXPECT_TRUE(playing(1));
    EXPECT_EQ(fade(0), SOUND_FADE_OUT);
    EXPECT_EQ(Manager().GetCurrentMusicChannel(), 1u);

    AdvanceMs(300);
    ASSERT_TRUE(Manager().PlayMusic(Path("tone.ogg"), -1, 0, 1000, 0, 0, 0));
    EXPECT_EQ(fade(0), SOUND_FADE_IN);
    EXPECT_EQ(fade(1), SOUND_FADE_OUT);
    EXPECT_EQ(Manager().GetCurrentMusicChannel(), 0u);

    // Channel 1 still fades out while 0 is current: the next track goes to 1,
    // and the current track on 0 fades out rather than being cut.
    AdvanceMs(300);
    ASSERT_TRUE(Manager().PlayMusic(Path("tone.wav"), -1, 0, 1000, 0, 0, 0));
    EXPECT_EQ(fade(1), SOUND_FADE_IN);
    EXPECT_EQ(fade(0), SOUND_FADE_OUT);
    EXPECT_TRUE(playing(0));
    EXPECT_EQ(Manager().GetCurrentMusicChannel(), 1u);

    Manager().StopMusic(500);
    AdvanceMs(600);
    EXPECT_FALSE(playing(0));
    EXPECT_FALSE(playing(1));
}

TEST_F(SoundManagerTest, PlayersRefuseWhatTheyCannotPlay) {
    gxtest::LogCapture log;
    EXPECT_FALSE(Manager().PlayStream(3, Path("tone.wav"), 0, 3000, 0, 0, 0, 0));
    EXPECT_TRUE(
        log.Contains(u"GxSoundPlayerStream::PlayFromFile シーク不可能な位置が指定されました("));
    EXPECT_TRUE(Manager().PlayStream(3, Path("tone.wav"), 0, 2999, 0, 0, 0, 0));
    EXPECT_FALSE(
        Manager().PlayStream(3, Path("click.wav"), 0, 0, 0, 0, 0, 0));  // compressed: not streamed
    EXPECT_TRUE(log.Contains(u"GxSoundPlayerStatic::PlayFromFile ローダー作成に失敗("));
    EXPECT_FALSE(Manager().PlayStream(3, Path("tone.mp3"), 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(Manager().PlayStream(32, Path("tone.wav"), 0, 0, 0, 0, 0, 0));

    GxSoundPlayerStatic* player = Manager().GetStaticPlayer(0);
    ASSERT_TRUE(player->PlayFromFile(Path("click.wav"), 0, 0, 0, 0, 0, 0));
    const GxU32 length = player->GetLength();  // whole ADPCM blocks: a little over 200 ms
    EXPECT_GE(length, 200u);
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_FALSE(player->PlayFromFile(Path("click.wav"), 0, 0, length + 1, 0, 0, 0));
    EXPECT_TRUE(
        log.Contains(u"GxSoundPlayerStatic::PlayFromFile シーク不可能な位置が指定されました("));
}

TEST_F(SoundManagerTest, StreamedSoundEndsAndFreesItsPlayer) {
    ASSERT_TRUE(Manager().PlayStream(9, Path("short.wav"), 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(Manager().IsStreamPlaying(9));
    Render(44100);
    Manager().Service();
    EXPECT_FALSE(Manager().IsStreamPlaying(9));
}

TEST_F(SoundManagerTest, OneShotsPlayOnceWithinThreeMillisecondsAndAreCounted) {
    GxU32 first = 0, second = 0;
    ASSERT_TRUE(Manager().PlayOneShot(&first, Path("click.wav"), 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(Manager().PlayOneShot(&second, Path("click.wav"), 0, 0, 0, 0, 0, 0));
    m_Clock.Advance(3000);
    EXPECT_FALSE(Manager().PlayOneShot(&second, Path("click.wav"), 0, 0, 0, 0, 0, 0));
    m_Clock.Advance(1000);
    ASSERT_TRUE(Manager().PlayOneShot(&second, Path("click.wav"), 0, 0, 0, 0, 0, 0));
    EXPECT_NE(first, second);
    EXPECT_EQ(Manager().GetOneShotCount(), 2u);
    EXPECT_EQ(Manager().GetCache().GetCount(), 1u);
    for (int i = 0; i < 20; ++i) {
        m_Clock.Advance(10000);
        Manager().PlayOneShot(nullptr, Path("click.wav"), 0, 0, 0, 0, 0, 0);
    }
    EXPECT_EQ(Manager().GetOneShotCount(), GxSoundManager::kOneShotLimit);
    Render(44100);
    Manager().Service();
    EXPECT_EQ(Manager().GetOneShotCount(), 0u);
    // The players gave their references back, so the sound can be purged.
    Manager().GetCache().Purge();
    EXPECT_EQ(Manager().GetCache().GetCount(), 0u);
}

TEST_F(SoundManagerTest, CachePurgesUnreferencedUnkeptSoundsAtItsLimits) {
    GxSoundCache& cache = Manager().GetCache();
    const GxU32 shortBytes = 4410 * 2;  // 0.2 s mono 22,050 Hz 16-bit
    const GxU32 toneBytes = 3 * 44100 * 4;
    cache.SetLimits(toneBytes + shortBytes, 1024);
    GxWavData* held = cache.Get(Path("short.wav"));
    ASSERT_TRUE(held);
    EXPECT_EQ(held->GetSize(), shortBytes);
    EXPECT_EQ(cache.Get(Path("short.wav")), held);
    EXPECT_EQ(held->GetRefCount(), 2);
    ASSERT_TRUE(cache.Preload(Path("click.wav"), true));
    const GxU32 clickBytes = GxU32(cache.GetTotalSize()) - shortBytes;
    ASSERT_TRUE(cache.Preload(Path("tone.wav"), false));
    EXPECT_EQ(cache.GetCount(), 3u);
    EXPECT_EQ(cache.GetTotalSize(), toneBytes + shortBytes + clickBytes);

    // Over the byte limit: the unreferenced, unkept tone goes.
    ASSERT_TRUE(cache.Preload(Path("tone.ogg"), false));
    EXPECT_FALSE(cache.Contains(Path("tone.wav")));
    EXPECT_TRUE(cache.Contains(Path("short.wav")));
    EXPECT_TRUE(cache.Contains(Path("click.wav")));
    EXPECT_TRUE(cache.Contains(Path("tone.ogg")));

    cache.SetLimits(1ull << 30, 3);
    cache.Release(Path("short.wav"));
    cache.Release(Path("short.wav"));
    cache.SetKeep(Path("click.wav"), false);
    ASSERT_TRUE(cache.Preload(Path("tone.wav"), false));  // the entry limit purges
    EXPECT_EQ(cache.GetCount(), 1u);
    EXPECT_EQ(cache.GetTotalSize(), toneBytes);
    EXPECT_FALSE(cache.Get(Path("missing.ogg")));
}

// A pack archive of the given entries (plain names, no scrambling).
std::string MakeArchive(const std::vector<std::pair<std::string, std::string>>& files) {
    auto le = [](GxU64 v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out.push_back(char(v >> (8 * i)));
        return out;
    };
    std::string directory, data;
    for (const auto& [name, bytes] : files) {
        const GxU32 entrySize = GxU32(32 + name.size() + 1);
        directory += le(entrySize, 4) + le(bytes.size(), 4) + std::string(8, '\0') + le(0, 8) +
                     le(data.size(), 8) + name + '\0';
        data += bytes;
    }
    std::string header(48, '\0');
    header.replace(24, 4, le(files.size(), 4));
    header.replace(28, 4, le(directory.size(), 4));
    header.replace(40, 8, le(48 + directory.size(), 8));
    return header + directory + data;
}

TEST_F(SoundManagerTest, SoundsPlayFromPackArchives) {
    gxtest::TempDir dir;
    dir.Write(
        "sound.gxp",
        MakeArchive({{"packed/tone.ogg", gxtest::ReadFileBytes(s_Dir->Str() + "/tone.ogg")},
                     {"packed/click.wav", gxtest::ReadFileBytes(s_Dir->Str() + "/click.wav")}}));
    ASSERT_TRUE(OpenPackFile(dir.U16() + u"/sound.gxp"));
    EXPECT_TRUE(Manager().PlayStream(10, u"packed/TONE.ogg", 0, 1000, 0, 0, 0, 0));
    EXPECT_GT(gxtest::Rms(Render(4410), 0, 0, 4410), 1000.0);
    GxU32 id = 0;
    EXPECT_TRUE(Manager().PlayOneShot(&id, u"packed/click.wav", 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(Manager().GetStaticPlayer(1)->PlayFromFile(u"packed/click.wav", 0, 0, 0, 0, 0, 0));
    Manager().StopStreamNow(10);
    CloseAllPackFiles();
}

std::u16string ReadUtf16Log(const std::string& path) {
    std::string bytes = gxtest::ReadFileBytes(path);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(char16_t(GxU8(bytes[i]) | (GxU8(bytes[i + 1]) << 8)));
    return text;
}

TEST(SoundDevice, OpensTheSystemDeviceOrRunsSilentWithOneLine) {
    gxtest::TempDir dir;
    gx::SetLogPaths(dir.U16() + u"/error.log", dir.U16() + u"/debug.log",
                    dir.U16() + u"/device.log");
    gxtest::TempDir sounds;
    ASSERT_TRUE(
        gxtest::Run("sox -n -r 44100 -c 2 -b 16 " + sounds.Str() + "/t.wav synth 0.3 sine 441"));
    const std::u16string tone = sounds.U16() + u"/t.wav";

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(InitializeSound(nullptr));
    EXPECT_TRUE(ReadUtf16Log(dir.Str() + "/device.log").find(u"サウンドデバイスの能力情報") !=
                std::u16string::npos);
    ASSERT_TRUE(PlayStream(2, tone, 0, 0, 0, 0, 0, 0));
    UpdateSound();
    ShutdownSound();
    std::filesystem::remove(dir.Path() / "device.log");

    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const int errorsBefore = gx::GetErrorCount();
    ASSERT_TRUE(InitializeSound(nullptr));
    const std::u16string log = ReadUtf16Log(dir.Str() + "/device.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), u'\n'), 1) << gx::Utf16ToUtf8(log);
    // Silent, but time passes: the sound still ends.
    GxManualClock clock;
    gx::SetClock(&clock);
    ASSERT_TRUE(PlayStream(2, tone, 0, 0, 0, 0, 0, 0));
    for (int i = 0; i < 20 && IsStreamPlaying(2); ++i) {
        clock.Advance(100'000);
        UpdateSound();
    }
    EXPECT_FALSE(IsStreamPlaying(2));
    ShutdownSound();
    gx::SetClock(nullptr);
    EXPECT_EQ(gx::GetErrorCount(), errorsBefore);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    gx::SetLogPaths(u"", u"", u"");
}

}  // namespace
