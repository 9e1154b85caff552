#include "sound/gx_sound_device.h"

namespace {
std::unique_ptr<GxSoundDevice> g_Device;
}

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
    g_Device = std::move(device);
    return true;
}

void GxSoundDevice::Destroy() {
    g_Device.reset();
}

GxSoundDevice::~GxSoundDevice() {
    if (m_Output)
        m_Output->Close();
}

namespace gx {
GxSoundDevice* GetSoundDevice() {
    return g_Device.get();
}
}  // namespace gx
