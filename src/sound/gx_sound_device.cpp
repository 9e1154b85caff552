#include "sound/gx_sound_device.h"

#include <atomic>

namespace {
// Read by the stream worker as well as the main thread.
std::atomic<GxSoundDevice*> g_Device{nullptr};
}  // namespace

bool GxSoundDevice::Create(std::unique_ptr<GxAudioOutput> output, std::u16string* failure) {
    Destroy();
    if (!output)
        return false;
    std::unique_ptr<GxSoundDevice> device(new GxSoundDevice());
    device->m_Output = std::move(output);
    if (!device->m_Output->Open(device.get(), GxMixer::kOutputRate)) {
        if (failure)
            *failure = device->m_Output->GetDescription();
        return false;
    }
    g_Device = device.release();
    return true;
}

void GxSoundDevice::Destroy() {
    delete g_Device.exchange(nullptr);
}

GxSoundDevice::~GxSoundDevice() {
    if (m_Output)
        m_Output->Close();
}

namespace gx {
GxSoundDevice* GetSoundDevice() {
    return g_Device.load();
}
}  // namespace gx
