#include "sound/gx_sound_manager.h"

#include "base/gx_log.h"
#include "platform/gx_clock.h"
#include "sound/gx_audio_output_memory.h"
#include "sound/gx_sound_device.h"

namespace {
// A one-shot of the same name is refused unless more than this has passed.
constexpr GxU64 kOneShotRepeatMs = 3;
}  // namespace

GxSoundManager& GxSoundManager::Get() {
    static GxSoundManager manager;
    return manager;
}

bool GxSoundManager::Initialize(void*) {
    return Start(gx::CreateSdlAudioOutput(), true);
}

bool GxSoundManager::InitializeWithOutput(std::unique_ptr<GxAudioOutput> output) {
    return Start(std::move(output), false);
}

bool GxSoundManager::Start(std::unique_ptr<GxAudioOutput> output, bool fallBackToSilence) {
    Shutdown();
    GxMutexScopedLock lock(m_Mutex);
    std::u16string failure;
    if (!GxSoundDevice::Create(std::move(output), &failure)) {
        if (!fallBackToSilence)
            return false;
        LogDevice(u"Warning/GxSound オーディオデバイスが開けません。音を出さずに続けます(%s)\n",
                  failure);
        if (!GxSoundDevice::Create(std::make_unique<GxAudioOutputSilent>()))
            return false;
    } else {
        LogCapabilities(gx::GetSoundDevice()->GetOutput());
    }
    for (auto& player : m_Statics)
        player = std::make_unique<GxSoundPlayerStatic>();
    for (auto& player : m_Streams)
        player = std::make_unique<GxSoundPlayerStream>();
    m_OneShots.clear();
    m_Initialized = true;
    return true;
}

void GxSoundManager::LogCapabilities(const GxAudioOutput& output) {
    LogDevice(u"サウンドデバイスの能力情報\n");
    LogDevice(u"\t・出力先:%s\n", output.GetDescription());
    LogDevice(u"\t・出力フォーマット:%dHz %dbit %dch\n", GxMixer::kOutputRate, 16, 2);
    LogDevice(u"\t・セカンダリバッファ最小サンプリングレート:%d\n", GxMixer::kMinFrequency);
    LogDevice(u"\t・セカンダリバッファ最大サンプリングレート:%d\n", GxMixer::kMaxFrequency);
    LogDevice(u"\t・ストリーミングバッファ最大数:%d\n", kStreamCount);
    LogDevice(u"\t・スタティックバッファ最大数:%d\n", kStaticCount + kOneShotLimit);
}

void GxSoundManager::Shutdown() {
    GxMutexScopedLock lock(m_Mutex);
    if (!m_Initialized)
        return;
    // Players free their buffers while the device still exists.
    for (auto& player : m_Statics)
        player.reset();
    for (auto& player : m_Streams)
        player.reset();
    m_OneShots.clear();
    GxSoundDevice::Destroy();
    m_Cache.Clear();
    m_Initialized = false;
}

void GxSoundManager::Service() {
    GxMutexScopedLock lock(m_Mutex);
    if (!m_Initialized)
        return;
    gx::GetSoundDevice()->GetOutput().Pump();
    for (auto& player : m_Statics)
        player->Update();
    for (auto& player : m_Streams)
        player->Update();
    std::erase_if(m_OneShots, [](const std::unique_ptr<GxSoundPlayerStatic>& player) {
        return !player->Update();
    });
}

GxSoundPlayerStream* GxSoundManager::GetStreamPlayer(GxU32 channel) {
    GxMutexScopedLock lock(m_Mutex);
    return m_Initialized && channel < kStreamCount ? m_Streams[channel].get() : nullptr;
}

GxSoundPlayerStatic* GxSoundManager::GetStaticPlayer(GxU32 index) {
    GxMutexScopedLock lock(m_Mutex);
    return m_Initialized && index < kStaticCount ? m_Statics[index].get() : nullptr;
}

bool GxSoundManager::PlayStream(GxU32 channel, std::u16string_view name, GxS32 loop, GxU32 startMs,
                                GxU32 fadeInMs, GxS32 volume, GxS32 pan, GxU32 loopStartMs) {
    GxMutexScopedLock lock(m_Mutex);
    GxSoundPlayerStream* player = GetStreamPlayer(channel);
    return player &&
           player->PlayFromFile(name, loop, 0, startMs, fadeInMs, volume, pan, loopStartMs);
}

GxU32 GxSoundManager::CurrentMusicChannelLocked() {
    const bool first = m_Streams[0]->IsPlaying();
    const bool second = m_Streams[1]->IsPlaying();
    if (second && !first)
        return 1;
    if (first && second && m_Streams[0]->GetFadeState() == SOUND_FADE_OUT &&
        m_Streams[1]->GetFadeState() != SOUND_FADE_OUT) {
        return 1;
    }
    return 0;
}

GxU32 GxSoundManager::GetCurrentMusicChannel() {
    GxMutexScopedLock lock(m_Mutex);
    return m_Initialized ? CurrentMusicChannelLocked() : 0;
}

bool GxSoundManager::PlayMusic(std::u16string_view name, GxS32 loop, GxU32 startMs, GxU32 fadeMs,
                               GxS32 volume, GxS32 pan, GxU32 loopStartMs) {
    GxMutexScopedLock lock(m_Mutex);
    if (!m_Initialized)
        return false;
    GxU32 channel = 0;
    if (m_Streams[0]->IsPlaying() || m_Streams[1]->IsPlaying()) {
        const GxU32 current = CurrentMusicChannelLocked();
        m_Streams[current]->StopWithFade(fadeMs);
        channel = 1 - current;
    }
    return m_Streams[channel]->PlayFromFile(name, loop, 0, startMs, fadeMs, volume, pan,
                                            loopStartMs);
}

void GxSoundManager::StopStream(GxU32 channel, GxU32 fadeMs) {
    GxMutexScopedLock lock(m_Mutex);
    if (GxSoundPlayerStream* player = GetStreamPlayer(channel))
        player->StopWithFade(fadeMs);
}

void GxSoundManager::StopMusic(GxU32 fadeMs) {
    GxMutexScopedLock lock(m_Mutex);
    if (!m_Initialized)
        return;
    for (GxU32 channel : {0u, 1u}) {
        if (m_Streams[channel]->IsPlaying())
            m_Streams[channel]->StopWithFade(fadeMs);
    }
}

void GxSoundManager::SetStreamVolume(GxU32 channel, GxS32 volume) {
    GxMutexScopedLock lock(m_Mutex);
    if (GxSoundPlayerStream* player = GetStreamPlayer(channel))
        player->SetVolume(volume);
}

bool GxSoundManager::IsStreamPlaying(GxU32 channel) {
    GxMutexScopedLock lock(m_Mutex);
    GxSoundPlayerStream* player = GetStreamPlayer(channel);
    return player && player->IsPlaying();
}

bool GxSoundManager::StopStreamNow(GxU32 channel) {
    GxMutexScopedLock lock(m_Mutex);
    GxSoundPlayerStream* player = GetStreamPlayer(channel);
    if (!player)
        return false;
    player->Stop();
    return true;
}

bool GxSoundManager::PlayOneShot(GxU32* id, std::u16string_view name, GxS32 loop, GxU32 priority,
                                 GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan) {
    GxMutexScopedLock lock(m_Mutex);
    if (!m_Initialized || m_OneShots.size() >= kOneShotLimit)
        return false;
    const GxU64 now = gx::TimeGetTime();
    if (m_Cache.Contains(name) &&
        now - std::min(now, m_Cache.GetLastPlayTime(name)) <= kOneShotRepeatMs) {
        return false;
    }
    GxWavData* sound = m_Cache.Get(name);
    if (!sound)
        return false;
    auto player = std::make_unique<GxSoundPlayerStatic>();
    if (id)
        *id = player->GetId();
    // The static buffer holds its own copy, so the cache's reference ends here.
    const bool playing =
        player->PlayFromMemory(sound, loop, priority, startMs, fadeInMs, volume, pan);
    sound->Touch();
    sound->Release();
    if (!playing)
        return false;
    m_OneShots.push_back(std::move(player));
    return true;
}

void GxSoundManager::StopAllOneShots() {
    GxMutexScopedLock lock(m_Mutex);
    m_OneShots.clear();
}

GxU32 GxSoundManager::GetOneShotCount() {
    GxMutexScopedLock lock(m_Mutex);
    return static_cast<GxU32>(m_OneShots.size());
}

bool InitializeSound(void* window) {
    return GxSoundManager::Get().Initialize(window);
}
void ShutdownSound() {
    GxSoundManager::Get().Shutdown();
}
void UpdateSound() {
    GxSoundManager::Get().Service();
}
bool PlayStream(GxU32 channel, std::u16string_view name, GxS32 loop, GxU32 startMs, GxU32 fadeInMs,
                GxS32 volume, GxS32 pan, GxU32 loopStartMs) {
    return GxSoundManager::Get().PlayStream(channel, name, loop, startMs, fadeInMs, volume, pan,
                                            loopStartMs);
}
bool PlayMusic(std::u16string_view name, GxS32 loop, GxU32 startMs, GxU32 fadeMs, GxS32 volume,
               GxS32 pan, GxU32 loopStartMs) {
    return GxSoundManager::Get().PlayMusic(name, loop, startMs, fadeMs, volume, pan, loopStartMs);
}
void StopStream(GxU32 channel, GxU32 fadeMs) {
    GxSoundManager::Get().StopStream(channel, fadeMs);
}
void StopMusic(GxU32 fadeMs) {
    GxSoundManager::Get().StopMusic(fadeMs);
}
void SetStreamVolume(GxU32 channel, GxS32 volume) {
    GxSoundManager::Get().SetStreamVolume(channel, volume);
}
bool IsStreamPlaying(GxU32 channel) {
    return GxSoundManager::Get().IsStreamPlaying(channel);
}
bool StopStreamNow(GxU32 channel) {
    return GxSoundManager::Get().StopStreamNow(channel);
}
GxU32 GetCurrentMusicChannel() {
    return GxSoundManager::Get().GetCurrentMusicChannel();
}
bool PlayOneShot(GxU32* id, std::u16string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                 GxU32 fadeInMs, GxS32 volume, GxS32 pan) {
    return GxSoundManager::Get().PlayOneShot(id, name, loop, priority, startMs, fadeInMs, volume,
                                             pan);
}
void StopAllOneShots() {
    GxSoundManager::Get().StopAllOneShots();
}
