#pragma once

#include <memory>
#include <string>

#include "sound/gx_sound_buffer_static.h"
#include "sound/gx_sound_buffer_stream.h"
#include "sound/gx_sound_loader.h"

class GxWavData;

enum GxSoundFadeState : GxS32 {
    SOUND_FADE_NONE = 0,
    SOUND_FADE_IN = 1,
    SOUND_FADE_OUT = 2,
};

// What both players share: the fades, the timing and the bookkeeping of a play.
// Volumes are hundredths of a decibel; kFadeSilence is where fades start and end.
class GxSoundPlayerBase : private GxObjectNotCopyable {
public:
    static constexpr GxS32 kFadeSilence = -6400;

    GxSoundPlayerBase();
    virtual ~GxSoundPlayerBase() = default;

    // Unique for every player made in this process.
    virtual GxU32 GetId() const { return m_Id; }
    virtual void Stop();
    // 0 stops at once; otherwise fades from the current volume down to silence.
    virtual void StopWithFade(GxU32 milliseconds);
    // During a fade-in this changes the target, during a fade-out the start.
    virtual void SetVolume(GxS32 volume);
    virtual void SetPan(GxS32 pan);
    virtual GxS32 GetVolume();
    virtual GxS32 GetPan();
    // Milliseconds since the running fade should have ended, else 0.
    virtual GxU32 GetFadeOvertime() const;
    virtual GxS32 GetTargetVolume() const { return m_FadeTarget; }
    virtual GxS32 GetLoopMode() = 0;
    virtual bool IsPlaying() = 0;
    virtual GxS32 GetFadeState() const { return m_FadeStart ? m_FadeState : SOUND_FADE_NONE; }
    virtual GxU64 GetPlayStartTime() const { return m_PlayStartTime; }
    virtual GxU32 GetLength() const { return m_LengthMs; }
    // Applies the fade's target now (a fade-out stops the player).
    virtual void FinishFade();
    // Once per frame: frees a buffer that ended, moves the fade on. Returns
    // whether the player still plays.
    virtual bool Update();
    virtual bool SetFrequency(GxU32 hz) = 0;

protected:
    virtual bool BufferIsPlaying() = 0;
    virtual bool BufferSetVolume(GxS32 volume) = 0;
    virtual bool BufferGetVolume(GxS32* volume) = 0;
    virtual bool BufferSetPan(GxS32 pan) = 0;
    virtual bool BufferGetPan(GxS32* pan) = 0;
    // Stops and frees the buffer and its decoder.
    virtual void ReleaseBuffer() = 0;
    virtual bool HasBuffer() const = 0;

    // Steps 4 and 5 of every play: the start sample and the fade-in. False
    // when the start is not inside the sound.
    bool PrepareStart(const GxSoundLoaderBase& loader, GxU32 startMs, GxU32 fadeInMs, GxS32 volume,
                      GxU32* startSample, GxS32* initialVolume);
    void ClearFade();

    GxU64 m_FadeStart = 0;
    GxS32 m_FadeTarget = kFadeSilence;
    GxS32 m_FadeFrom = kFadeSilence;
    GxU32 m_FadeDuration = 0;
    GxU64 m_PlayStartTime = 0;
    GxU32 m_StartMs = 0;
    GxU32 m_LoopStartMs = 0;
    GxU32 m_LengthMs = 0;
    GxU32 m_TotalSamples = 0;
    GxS32 m_FadeState = SOUND_FADE_NONE;

private:
    GxU32 m_Id = 0;
};

// A player over one kind of buffer: the buffer operations its fades use.
template <class Buffer>
class GxSoundPlayerOver : public GxSoundPlayerBase {
public:
    bool IsPlaying() override { return m_Buffer.IsPlaying(); }
    bool SetFrequency(GxU32 hz) override { return m_Buffer.SetFrequency(hz); }

protected:
    bool BufferIsPlaying() override { return m_Buffer.IsPlaying(); }
    bool BufferSetVolume(GxS32 volume) override { return m_Buffer.SetVolume(volume); }
    bool BufferGetVolume(GxS32* volume) override { return m_Buffer.GetVolume(volume); }
    bool BufferSetPan(GxS32 pan) override { return m_Buffer.SetPan(pan); }
    bool BufferGetPan(GxS32* pan) override { return m_Buffer.GetPan(pan); }

    Buffer m_Buffer;
};

// A whole sound in memory: system sounds, one-shots, short effects.
class GxSoundPlayerStatic final : public GxSoundPlayerOver<GxSoundBufferStatic> {
public:
    ~GxSoundPlayerStatic() override { ReleaseBuffer(); }

    GxS32 GetLoopMode() override { return m_Buffer.GetLoopMode(); }

    // ".wav" (any encoding the WAVE decoder takes) or ".ogg". `loop` -1 loops for ever.
    bool PlayFromFile(std::u16string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                      GxU32 fadeInMs, GxS32 volume, GxS32 pan);
    bool PlayFromFile(std::string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                      GxU32 fadeInMs, GxS32 volume, GxS32 pan);
    bool PlayFromMemory(GxWavData* sound, GxS32 loop, GxU32 priority, GxU32 startMs, GxU32 fadeInMs,
                        GxS32 volume, GxS32 pan);

protected:
    void ReleaseBuffer() override {
        m_Buffer.Release();
        m_HasBuffer = false;
    }
    bool HasBuffer() const override { return m_HasBuffer; }

private:
    bool PlayFromLoader(GxSoundLoaderBase& loader, GxS32 loop, GxU32 priority, GxU32 startMs,
                        GxU32 fadeInMs, GxS32 volume, GxS32 pan, const char16_t* seekMessage,
                        const std::u16string& name);

    bool m_HasBuffer = false;
};

// A sound decoded while it plays: music, ambience, voices, loops.
class GxSoundPlayerStream final : public GxSoundPlayerOver<GxSoundBufferStream> {
public:
    ~GxSoundPlayerStream() override { ReleaseBuffer(); }

    // The repeats left (negative: for ever).
    GxS32 GetLoopMode() override { return m_Buffer.GetLoopCount(); }

    // ".wav" (PCM) or ".ogg". `loop`: 0 once, n more times, negative for ever,
    // each repeat from `loopStartMs`.
    bool PlayFromFile(std::u16string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                      GxU32 fadeInMs, GxS32 volume, GxS32 pan, GxU32 loopStartMs);
    bool PlayFromFile(std::string_view name, GxS32 loop, GxU32 priority, GxU32 startMs,
                      GxU32 fadeInMs, GxS32 volume, GxS32 pan, GxU32 loopStartMs);
    bool PlayFromMemory(GxWavData* sound, GxS32 loop, GxU32 priority, GxU32 startMs, GxU32 fadeInMs,
                        GxS32 volume, GxS32 pan, GxU32 loopStartMs);
    // Plays an open decoder that the player then owns (the authoring tool's way in).
    bool PlayFromLoader(std::unique_ptr<GxSoundLoaderBase> loader, GxS32 loop, GxU32 priority,
                        GxU32 startMs, GxU32 fadeInMs, GxS32 volume, GxS32 pan, GxU32 loopStartMs);

protected:
    void ReleaseBuffer() override;
    bool HasBuffer() const override { return m_Loader != nullptr; }

private:
    bool Start(std::unique_ptr<GxSoundLoaderBase> loader, GxS32 loop, GxU32 startMs, GxU32 fadeInMs,
               GxS32 volume, GxS32 pan, GxU32 loopStartMs, const char16_t* loaderMessage,
               const char16_t* seekMessage, const std::u16string& name);

    std::unique_ptr<GxSoundLoaderBase> m_Loader;
};
