#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/gx_mutex.h"
#include "platform/gx_audio_output.h"
#include "sound/gx_sound_cache.h"
#include "sound/gx_sound_player.h"

// The process-wide sound service: 32 numbered stream players (0 and 1 the
// cross-faded music pair), 16 static players, up to 16 one-shots for system
// sounds, and the cache of decoded sounds. Every operation takes the manager's
// lock; before Initialize and after Shutdown they fail quietly.
class GxSoundManager : private GxObjectNotCopyable {
public:
    static constexpr GxU32 kStreamCount = 32;
    static constexpr GxU32 kStaticCount = 16;
    static constexpr GxU32 kOneShotLimit = 16;

    static GxSoundManager& Get();

    // Opens the system's audio device; without one the engine runs silent
    // (one line in the device log). `window` is not needed and may be null.
    bool Initialize(void* window);
    // The same over a given output (a memory output renders without a device).
    bool InitializeWithOutput(std::unique_ptr<GxAudioOutput> output);
    // The main loop's periodic service: fades, ended players, one-shots.
    void Service();
    void Shutdown();
    bool IsInitialized() const { return m_Initialized; }

    bool PlayStream(GxU32 channel, std::u16string_view name, GxS32 loop, GxU32 startMs,
                    GxU32 fadeInMs, GxS32 volume, GxS32 pan, GxU32 loopStartMs);
    // Starts the track on the music channel that is not current and fades the
    // current one out over `fadeMs`.
    bool PlayMusic(std::u16string_view name, GxS32 loop, GxU32 startMs, GxU32 fadeMs, GxS32 volume,
                   GxS32 pan, GxU32 loopStartMs);
    void StopStream(GxU32 channel, GxU32 fadeMs);
    void StopMusic(GxU32 fadeMs);
    void SetStreamVolume(GxU32 channel, GxS32 volume);
    bool IsStreamPlaying(GxU32 channel);
    bool StopStreamNow(GxU32 channel);
    // 0 or 1: the music channel that carries the current track.
    GxU32 GetCurrentMusicChannel();
    bool PlayOneShot(GxU32* id, std::u16string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                     GxU32 fadeInMs, GxS32 volume, GxS32 pan);
    void StopAllOneShots();
    GxU32 GetOneShotCount();

    // Direct access for the game's sound functions; null for a bad index or
    // before Initialize. Callers take GetMutex() around their use.
    GxSoundPlayerStream* GetStreamPlayer(GxU32 channel);
    GxSoundPlayerStatic* GetStaticPlayer(GxU32 index);
    GxSoundCache& GetCache() { return m_Cache; }
    GxMutex& GetMutex() { return m_Mutex; }

private:
    GxSoundManager() = default;
    bool Start(std::unique_ptr<GxAudioOutput> output, bool fallBackToSilence);
    void LogCapabilities(const GxAudioOutput& output);
    GxU32 CurrentMusicChannelLocked();

    GxMutex m_Mutex;
    bool m_Initialized = false;
    std::array<std::unique_ptr<GxSoundPlayerStatic>, kStaticCount> m_Statics;
    std::array<std::unique_ptr<GxSoundPlayerStream>, kStreamCount> m_Streams;
    std::vector<std::unique_ptr<GxSoundPlayerStatic>> m_OneShots;
    GxSoundCache m_Cache;
};

// The engine's sound calls, as the rest of the engine names them.
bool InitializeSound(void* window);
void ShutdownSound();
void UpdateSound();
bool PlayStream(GxU32 channel, std::u16string_view name, GxS32 loop, GxU32 startMs, GxU32 fadeInMs,
                GxS32 volume, GxS32 pan, GxU32 loopStartMs);
bool PlayMusic(std::u16string_view name, GxS32 loop, GxU32 startMs, GxU32 fadeMs, GxS32 volume,
               GxS32 pan, GxU32 loopStartMs);
void StopStream(GxU32 channel, GxU32 fadeMs);
void StopMusic(GxU32 fadeMs);
void SetStreamVolume(GxU32 channel, GxS32 volume);
bool IsStreamPlaying(GxU32 channel);
bool StopStreamNow(GxU32 channel);
GxU32 GetCurrentMusicChannel();
bool PlayOneShot(GxU32* id, std::u16string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                 GxU32 fadeInMs, GxS32 volume, GxS32 pan);
void StopAllOneShots();
