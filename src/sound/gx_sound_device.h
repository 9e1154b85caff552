#pragma once

#include <memory>

#include "platform/gx_audio_output.h"
#include "sound/gx_mixer.h"
#include "sound/gx_sound_stream_worker.h"

// The process-wide sound device: the mixer, the output it plays through and
// the worker that refills the streaming buffers.
class GxSoundDevice final : public GxAudioRenderer, private GxObjectNotCopyable {
public:
    // Opens `output` and makes the device current; false (and no device) when
    // the output does not open (its reason in `failure` when given).
    static bool Create(std::unique_ptr<GxAudioOutput> output, std::u16string* failure = nullptr);
    static void Destroy();

    GxMixer& GetMixer() { return m_Mixer; }
    GxSoundStreamWorker& GetWorker() { return m_Worker; }
    GxAudioOutput& GetOutput() { return *m_Output; }

    void RenderAudio(GxS16* stereo, GxU32 frames) override { m_Mixer.Render(stereo, frames); }
    void SettleAudio() override { m_Worker.WaitIdle(); }

    ~GxSoundDevice() override;

private:
    GxSoundDevice() = default;
    GxMixer m_Mixer;
    GxSoundStreamWorker m_Worker;
    std::unique_ptr<GxAudioOutput> m_Output;
};

namespace gx {
// The current device, or null when none is open.
GxSoundDevice* GetSoundDevice();
}  // namespace gx
