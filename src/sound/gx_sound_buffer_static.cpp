#include "sound/gx_sound_buffer_static.h"

#include <vector>

#include "base/gx_log.h"
#include "sound/gx_sound_device.h"
#include "sound/gx_sound_loader.h"

GxSoundBufferStatic::~GxSoundBufferStatic() {
    Release();
}

void GxSoundBufferStatic::Release() {
    GxMutexScopedLock lock(m_Mutex);
    if (HasVoice()) {
        m_Voice->Stop();
        m_Device->GetMixer().DestroyVoice(m_Voice);
    }
    m_Voice.reset();
    m_Device = nullptr;
    m_Size = 0;
    m_Format = {};
    m_Loop = 0;
}

bool GxSoundBufferStatic::Create(GxSoundLoaderBase* loader) {
    GxSoundDevice* device = gx::GetSoundDevice();
    if (!device || !loader || !loader->IsOpen())
        return false;
    Release();
    GxMutexScopedLock lock(m_Mutex);
    const GxPcmFormat format = loader->GetFormat();
    const GxU64 bytes = GxU64{loader->GetTotalSamples()} * format.blockAlign;
    auto voice = bytes && bytes < 0x80000000u
                     ? device->GetMixer().CreateVoice(format, static_cast<GxU32>(bytes))
                     : nullptr;
    if (!voice) {
        LogSlightError(u"Error/GxSoundBufferStatic::Create セカンダリバッファ作成に失敗しました\n");
        return false;
    }
    m_Device = device;
    m_Voice = voice;
    m_Format = format;
    m_Size = static_cast<GxU32>(bytes);
    std::vector<GxU8> data(m_Size, format.bitsPerSample == 8 ? 128 : 0);
    GxU32 got = 0;
    loader->Seek(0);
    if (!loader->Read(data.data(), m_Size, &got) || got < m_Size) {
        // What could be read stays; the rest is silence.
        voice->Write(0, data.data(), m_Size);
        LogSlightError(u"Error/GxSoundBufferStatic::Create ファイルの読み込みに失敗しました\n");
        return false;
    }
    voice->Write(0, data.data(), m_Size);
    return true;
}

bool GxSoundBufferStatic::Play(GxS32 loop, GxU32, GxU32 startSample) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    m_Voice->Stop();
    m_Loop = loop;
    m_Voice->SetCurrentPosition(static_cast<GxU32>(GxU64{startSample} * m_Format.blockAlign));
    m_Voice->Play(loop == -1);
    return true;
}

bool GxSoundBufferStatic::PlayEx(GxS32 loop, GxU32 priority, GxU32 startSample, GxS32 volume,
                                 GxS32 pan) {
    GxMutexScopedLock lock(m_Mutex);
    SetVolume(volume);
    SetPan(pan);
    return Play(loop, priority, startSample);
}

bool GxSoundBufferStatic::SetVolume(GxS32 volume) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    m_Voice->SetVolume(volume);
    return true;
}

bool GxSoundBufferStatic::SetPan(GxS32 pan) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    m_Voice->SetPan(pan);
    return true;
}

GxU32 GxSoundBufferStatic::GetSize() {
    GxMutexScopedLock lock(m_Mutex);
    return m_Size;
}

GxS32 GxSoundBufferStatic::GetLoopMode() {
    GxMutexScopedLock lock(m_Mutex);
    return m_Loop;
}
