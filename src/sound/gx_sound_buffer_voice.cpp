#include "sound/gx_sound_buffer_voice.h"

#include "sound/gx_sound_device.h"

bool GxSoundBufferVoice::HasVoice() const {
    return m_Voice && m_Device && m_Device == gx::GetSoundDevice();
}

bool GxSoundBufferVoice::Stop() {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    m_Voice->Stop();
    return true;
}

bool GxSoundBufferVoice::IsPlaying() {
    GxMutexScopedLock lock(m_Mutex);
    return HasVoice() && m_Voice->IsPlaying();
}

bool GxSoundBufferVoice::GetVolume(GxS32* volume) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice() || !volume)
        return false;
    *volume = m_Voice->GetVolume();
    return true;
}

bool GxSoundBufferVoice::GetPan(GxS32* pan) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice() || !pan)
        return false;
    *pan = m_Voice->GetPan();
    return true;
}

bool GxSoundBufferVoice::SetFrequency(GxU32 hz) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    m_Voice->SetFrequency(hz);
    return true;
}
