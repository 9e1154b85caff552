#pragma once

#include <memory>
#include <string>

#include "base/gx_types.h"

// Fills interleaved 16-bit stereo frames at the output rate; called on the
// output's own thread.
class GxAudioRenderer {
public:
    virtual ~GxAudioRenderer() = default;
    virtual void RenderAudio(GxS16* stereo, GxU32 frames) = 0;
    // Called between the chunks of an output that renders faster than real time,
    // so that work the rendering started (refills) is done before time moves on.
    virtual void SettleAudio() {}
};

// Where the mixed sound goes: a device, memory or nowhere.
class GxAudioOutput {
public:
    virtual ~GxAudioOutput() = default;
    // Starts pulling from `renderer` (not owned) at `rate` Hz, 16-bit stereo.
    virtual bool Open(GxAudioRenderer* renderer, GxU32 rate) = 0;
    virtual void Close() = 0;
    // Renders time that passed without a device pulling (memory and silent outputs).
    virtual void Pump() {}
    // A short description for the device log; the reason after a failed Open.
    virtual std::u16string GetDescription() const = 0;
    virtual bool IsDevice() const { return false; }
};

namespace gx {
// The system's default audio device through SDL.
std::unique_ptr<GxAudioOutput> CreateSdlAudioOutput();
}  // namespace gx
