#include "sound/gx_sound_player.h"

#include <algorithm>
#include <atomic>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "platform/gx_clock.h"
#include "sound/gx_sound_loader_acm.h"
#include "sound/gx_sound_loader_memory.h"
#include "sound/gx_sound_loader_ogg.h"
#include "sound/gx_sound_loader_wav.h"
#include "sound/gx_wav_data.h"

namespace {

std::atomic<GxU32> g_PlayerCounter{0};

enum class FileDecoder { Pcm, AnyWave };

// The decoder for `name` by its extension, opened; null when there is none or it fails.
std::unique_ptr<GxSoundLoaderBase> OpenFileLoader(std::u16string_view name, FileDecoder wave) {
    const std::u16string extension = gx::ToLowerAscii(gx::GetExtension(name));
    if (extension == u".wav") {
        if (wave == FileDecoder::Pcm) {
            auto loader = std::make_unique<GxSoundLoaderWav>();
            if (loader->Open(name))
                return loader;
        } else {
            auto loader = std::make_unique<GxSoundLoaderAcm>();
            if (loader->Open(name))
                return loader;
        }
    } else if (extension == u".ogg") {
        auto loader = std::make_unique<GxSoundLoaderOgg>();
        if (loader->Open(name))
            return loader;
    }
    return nullptr;
}

}  // namespace

GxSoundPlayerBase::GxSoundPlayerBase() : m_Id(++g_PlayerCounter) {}

void GxSoundPlayerBase::ClearFade() {
    m_FadeStart = 0;
    m_FadeState = SOUND_FADE_NONE;
    m_FadeTarget = kFadeSilence;
    m_FadeFrom = kFadeSilence;
    m_FadeDuration = 0;
}

void GxSoundPlayerBase::Stop() {
    ReleaseBuffer();
    ClearFade();
}

void GxSoundPlayerBase::StopWithFade(GxU32 milliseconds) {
    if (milliseconds == 0 || !IsPlaying()) {
        Stop();
        return;
    }
    GxS32 current = kFadeSilence;
    BufferGetVolume(&current);
    m_FadeState = SOUND_FADE_OUT;
    m_FadeStart = gx::TimeGetTime();
    m_FadeFrom = current;
    // A sound already below the fade's silence fades no higher than it is.
    m_FadeTarget = std::min(current, kFadeSilence);
    m_FadeDuration = milliseconds;
}

void GxSoundPlayerBase::SetVolume(GxS32 volume) {
    if (m_FadeStart && m_FadeState == SOUND_FADE_IN) {
        m_FadeTarget = volume;
    } else if (m_FadeStart && m_FadeState == SOUND_FADE_OUT) {
        m_FadeFrom = volume;
    } else {
        BufferSetVolume(volume);
    }
}

void GxSoundPlayerBase::SetPan(GxS32 pan) {
    BufferSetPan(pan);
}

GxS32 GxSoundPlayerBase::GetVolume() {
    GxS32 volume = 0;
    return BufferGetVolume(&volume) ? volume : 0;
}

GxS32 GxSoundPlayerBase::GetPan() {
    GxS32 pan = 0;
    return BufferGetPan(&pan) ? pan : 0;
}

GxU32 GxSoundPlayerBase::GetFadeOvertime() const {
    if (!m_FadeStart)
        return 0;
    GxU64 end = m_FadeStart + m_FadeDuration;
    GxU64 now = gx::TimeGetTime();
    return now > end ? static_cast<GxU32>(std::min<GxU64>(now - end, 0xFFFFFFFFu)) : 0;
}

void GxSoundPlayerBase::FinishFade() {
    if (!m_FadeStart)
        return;
    const bool fadingOut = m_FadeState == SOUND_FADE_OUT;
    BufferSetVolume(m_FadeTarget);
    ClearFade();
    if (fadingOut)
        Stop();
}

bool GxSoundPlayerBase::Update() {
    if (!BufferIsPlaying()) {
        if (HasBuffer())
            Stop();
        return false;
    }
    if (!m_FadeStart)
        return true;
    const GxU64 elapsed = gx::TimeGetTime() - std::min(m_FadeStart, gx::TimeGetTime());
    if (elapsed < m_FadeDuration) {
        GxS64 volume = m_FadeFrom + (GxS64{m_FadeTarget} - m_FadeFrom) *
                                        static_cast<GxS64>(elapsed) /
                                        static_cast<GxS64>(m_FadeDuration);
        BufferSetVolume(static_cast<GxS32>(volume));
        return true;
    }
    FinishFade();
    return IsPlaying();
}

bool GxSoundPlayerBase::PrepareStart(const GxSoundLoaderBase& loader, GxU32 startMs, GxU32 fadeInMs,
                                     GxS32 volume, GxU32* startSample, GxS32* initialVolume) {
    const GxU64 sample = gx::MillisecondsToSamples(loader.GetFormat().samplesPerSec, startMs);
    if (sample >= loader.GetTotalSamples())
        return false;
    *startSample = static_cast<GxU32>(sample);
    m_StartMs = startMs;
    m_LengthMs = loader.GetLengthMs();
    m_TotalSamples = loader.GetTotalSamples();
    m_PlayStartTime = gx::TimeGetTime();
    ClearFade();
    if (fadeInMs) {
        m_FadeState = SOUND_FADE_IN;
        m_FadeStart = gx::TimeGetTime();
        // Never a fade-in that falls: a target below the fade's silence starts there.
        m_FadeFrom = std::min(kFadeSilence, volume);
        m_FadeTarget = volume;
        m_FadeDuration = fadeInMs;
        *initialVolume = m_FadeFrom;
    } else {
        *initialVolume = volume;
    }
    return true;
}

bool GxSoundPlayerStatic::PlayFromLoader(GxSoundLoaderBase& loader, GxS32 loop, GxU32 priority,
                                         GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan,
                                         const char16_t* seekMessage, const std::u16string& name) {
    if (!m_Buffer.Create(&loader))
        return false;
    m_HasBuffer = true;
    GxU32 startSample = 0;
    GxS32 initialVolume = volume;
    if (!PrepareStart(loader, startMs, fadeInMs, volume, &startSample, &initialVolume)) {
        LogSlightError(seekMessage, name);
        Stop();
        return false;
    }
    return m_Buffer.PlayEx(loop, priority, startSample, initialVolume, pan);
}

bool GxSoundPlayerStatic::PlayFromFile(std::u16string_view name, GxS32 loop, GxU32 priority,
                                       GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan) {
    Stop();
    const std::u16string fileName(name);
    auto loader = OpenFileLoader(name, FileDecoder::AnyWave);
    if (!loader) {
        LogSlightError(u"GxSoundPlayerStatic::PlayFromFile ローダー作成に失敗(%s)\n", fileName);
        return false;
    }
    return PlayFromLoader(
        *loader, loop, priority, startMs, fadeInMs, volume, pan,
        u"GxSoundPlayerStatic::PlayFromFile シーク不可能な位置が指定されました(%s)\n", fileName);
}

bool GxSoundPlayerStatic::PlayFromFile(std::string_view name, GxS32 loop, GxU32 priority,
                                       GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan) {
    return PlayFromFile(gx::Utf8ToUtf16(name), loop, priority, startMs, fadeInMs, volume, pan);
}

bool GxSoundPlayerStatic::PlayFromMemory(GxWavData* sound, GxS32 loop, GxU32 priority,
                                         GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan) {
    Stop();
    GxSoundLoaderMemory loader;
    if (!loader.Open(sound)) {
        LogSlightError(u"GxSoundPlayerStatic::PlayFromMemory ローダー作成に失敗\n");
        return false;
    }
    return PlayFromLoader(
        loader, loop, priority, startMs, fadeInMs, volume, pan,
        u"GxSoundPlayerStatic::PlayFromMemory シーク不可能な位置が指定されました\n", u"");
}

void GxSoundPlayerStream::ReleaseBuffer() {
    m_Buffer.Release();  // no refill uses the decoder after this
    m_Loader.reset();
}

bool GxSoundPlayerStream::Start(std::unique_ptr<GxSoundLoaderBase> loader, GxS32 loop,
                                GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan,
                                GxU32 loopStartMs, const char16_t* loaderMessage,
                                const char16_t* seekMessage, const std::u16string& name) {
    if (!loader || !m_Buffer.Create(loader.get())) {
        LogSlightError(loaderMessage, name);
        return false;
    }
    m_Loader = std::move(loader);
    GxU32 startSample = 0;
    GxS32 initialVolume = volume;
    if (!PrepareStart(*m_Loader, startMs, fadeInMs, volume, &startSample, &initialVolume)) {
        LogSlightError(seekMessage, name);
        Stop();
        return false;
    }
    m_LoopStartMs = loopStartMs;
    const GxU64 loopStart =
        gx::MillisecondsToSamples(m_Loader->GetFormat().samplesPerSec, loopStartMs);
    return m_Buffer.PlayEx(loop, 0, startSample,
                           static_cast<GxU32>(std::min<GxU64>(loopStart, 0xFFFFFFFFu)),
                           initialVolume, pan);
}

bool GxSoundPlayerStream::PlayFromFile(std::u16string_view name, GxS32 loop, GxU32, GxU32 startMs,
                                       GxU32 fadeInMs, GxS32 volume, GxS32 pan, GxU32 loopStartMs) {
    Stop();
    return Start(OpenFileLoader(name, FileDecoder::Pcm), loop, startMs, fadeInMs, volume, pan,
                 loopStartMs, u"GxSoundPlayerStatic::PlayFromFile ローダー作成に失敗(%s)\n",
                 u"GxSoundPlayerStream::PlayFromFile シーク不可能な位置が指定されました(%s)\n",
                 std::u16string(name));
}

bool GxSoundPlayerStream::PlayFromFile(std::string_view name, GxS32 loop, GxU32 priority,
                                       GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan,
                                       GxU32 loopStartMs) {
    return PlayFromFile(gx::Utf8ToUtf16(name), loop, priority, startMs, fadeInMs, volume, pan,
                        loopStartMs);
}

bool GxSoundPlayerStream::PlayFromMemory(GxWavData* sound, GxS32 loop, GxU32, GxU32 startMs,
                                         GxU32 fadeInMs, GxS32 volume, GxS32 pan,
                                         GxU32 loopStartMs) {
    Stop();
    auto loader = std::make_unique<GxSoundLoaderMemory>();
    if (!loader->Open(sound))
        loader.reset();
    return Start(std::move(loader), loop, startMs, fadeInMs, volume, pan, loopStartMs,
                 u"GxSoundPlayerStream::PlayFromMemory ローダー作成に失敗\n",
                 u"GxSoundPlayerStream::PlayFromMemory シーク不可能な位置が指定されました\n", u"");
}

bool GxSoundPlayerStream::PlayFromLoader(std::unique_ptr<GxSoundLoaderBase> loader, GxS32 loop,
                                         GxU32, GxU32 startMs, GxU32 fadeInMs, GxS32 volume,
                                         GxS32 pan, GxU32 loopStartMs) {
    Stop();
    if (loader && !loader->IsOpen())
        loader.reset();
    return Start(std::move(loader), loop, startMs, fadeInMs, volume, pan, loopStartMs,
                 u"GxSoundPlayerStream::PlayFromMemory ローダー作成に失敗\n",
                 u"GxSoundPlayerStream::PlayFromFile シーク不可能な位置が指定されました(%s)\n",
                 u"");
}
