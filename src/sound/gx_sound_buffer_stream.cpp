#include "sound/gx_sound_buffer_stream.h"

#include <algorithm>
#include <cstring>

#include "base/gx_log.h"
#include "sound/gx_sound_device.h"
#include "sound/gx_sound_loader.h"

GxSoundBufferStream::~GxSoundBufferStream() {
    Release();
}

bool GxSoundBufferStream::Create(GxSoundLoaderBase* loader) {
    GxSoundDevice* device = gx::GetSoundDevice();
    if (!loader || !loader->IsOpen() || !device)
        return false;
    Release();
    GxMutexScopedLock lock(m_Mutex);
    const GxPcmFormat format = loader->GetFormat();
    if (format.blockAlign == 0)
        return false;
    GxU32 block = static_cast<GxU32>(GxU64{format.blockAlign} * format.samplesPerSec * 2 / 8);
    block = (block + format.blockAlign - 1) / format.blockAlign * format.blockAlign;
    auto voice = device->GetMixer().CreateVoice(format, block * kBlockCount);
    if (!voice) {
        LogSlightError(
            u"Error/GxSoundBufferStream::Create セカンダリバッファ作成に失敗しました %x\n",
            0x80070057u);
        return false;
    }
    m_Device = device;
    m_Voice = voice;
    m_Format = format;
    m_Loader = loader;
    m_BlockSize = block;
    m_BufferSize = block * kBlockCount;
    m_TotalBytes = GxU64{loader->GetTotalSamples()} * format.blockAlign;
    m_Block.assign(block, 0);
    std::vector<GxU32> positions;
    for (GxU32 i = 1; i < kBlockCount; ++i)
        positions.push_back(i * block);
    positions.push_back(m_BufferSize - 1);
    device->GetWorker().Register(this);
    GxSoundStreamWorker* worker = &device->GetWorker();
    voice->SetNotifications(std::move(positions), [worker, this] { worker->Post(this); });
    return true;
}

void GxSoundBufferStream::Release() {
    // Mixing and refilling stop before anything is freed: after DestroyVoice no
    // notification is posted, after Unregister no refill runs.
    std::shared_ptr<GxMixVoice> voice;
    GxSoundDevice* device = nullptr;
    {
        GxMutexScopedLock lock(m_Mutex);
        voice = m_Voice;
        device = m_Device == gx::GetSoundDevice() ? m_Device : nullptr;
        m_BufferSize = 0;
    }
    if (device && voice) {
        voice->Stop();
        device->GetMixer().DestroyVoice(voice);
        device->GetWorker().Unregister(this);
    }
    GxMutexScopedLock lock(m_Mutex);
    m_Voice.reset();
    ClearFields();
}

void GxSoundBufferStream::ClearFields() {
    m_Device = nullptr;
    m_Format = {};
    m_Loader = nullptr;
    m_BufferSize = 0;
    m_BlockSize = 0;
    m_WriteCursor = 0;
    m_ReadPosition = 0;
    m_LoopStart = 0;
    m_LoopEnd = 0;
    m_TotalBytes = 0;
    m_LoopCount = 0;
    m_FilledBlocks = 0;
    m_SourceDone = false;
    m_LastVolume = 1;
    m_LastPan = 100000;
    m_Block.clear();
}

bool GxSoundBufferStream::Play(GxS32 loopCount, GxU32, GxU32 startSample, GxU32 loopStartSample) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice() || !m_Loader || !m_Loader->IsOpen())
        return false;
    m_Voice->Stop();
    m_Voice->SetCurrentPosition(0);
    m_Device->GetWorker().Discard(this);
    if (!m_Loader->Seek(startSample)) {
        LogSlightError(u"Error/GxSoundBufferStream::Play ストリーミング再生シーク失敗\n");
    }
    m_Loader->SetLoopStart(loopStartSample);
    const GxU32 align = m_Format.blockAlign;
    m_WriteCursor = 0;
    m_ReadPosition = GxU64{m_Loader->Tell()} * align;
    m_LoopStart = GxU64{m_Loader->GetLoopStart()} * align;
    m_LoopEnd = GxU64{m_Loader->GetLoopEnd()} * align;
    m_TotalBytes = GxU64{m_Loader->GetTotalSamples()} * align;
    m_LoopCount = loopCount;
    m_FilledBlocks = 0;
    m_SourceDone = false;
    for (GxU32 i = 0; i < kBlockCount - 1; ++i)
        FillBlock();
    m_Voice->Play(true);
    return true;
}

bool GxSoundBufferStream::PlayEx(GxS32 loopCount, GxU32 priority, GxU32 startSample,
                                 GxU32 loopStartSample, GxS32 volume, GxS32 pan) {
    GxMutexScopedLock lock(m_Mutex);
    m_LastVolume = 1;
    m_LastPan = 100000;
    SetVolume(volume);
    SetPan(pan);
    return Play(loopCount, priority, startSample, loopStartSample);
}

bool GxSoundBufferStream::FillBlock() {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice() || !m_Loader)
        return false;
    GxU8* block = m_Block.data();
    GxU32 written = 0;
    bool loopedWithoutSound = false;
    while (written < m_BlockSize) {
        if (m_LoopCount != 0 && (m_ReadPosition >= m_LoopEnd || m_Loader->IsEnd())) {
            // An empty loop, or one that gave nothing since the last turn, would
            // play silence for ever: the sound ends instead.
            if (m_LoopStart >= m_LoopEnd || loopedWithoutSound) {
                m_LoopCount = 0;
            } else {
                if (!m_Loader->Seek(static_cast<GxU32>(m_LoopStart / m_Format.blockAlign))) {
                    LogSlightError(
                        u"Error/GxSoundBufferStream::FillBlock ストリーミング再生シーク失敗\n");
                    m_LoopCount = 0;
                    m_SourceDone = true;
                    break;
                }
                m_ReadPosition = m_LoopStart;
                if (m_LoopCount > 0)
                    --m_LoopCount;
                loopedWithoutSound = true;
            }
        }
        const GxU64 limit = m_LoopCount != 0 ? m_LoopEnd : m_TotalBytes;
        const GxU32 wanted = static_cast<GxU32>(
            std::min<GxU64>(limit - std::min(limit, m_ReadPosition), m_BlockSize - written));
        if (m_LoopCount == 0 && (wanted == 0 || m_Loader->IsEnd())) {
            m_SourceDone = true;
            break;
        }
        if (wanted == 0)
            continue;
        GxU32 got = 0;
        if (!m_Loader->Read(block + written, wanted, &got)) {
            m_SourceDone = true;
            break;
        }
        m_ReadPosition += got;
        written += got;
        if (got > 0)
            loopedWithoutSound = false;
        if (got == 0 && !m_Loader->IsEnd()) {
            // A decoder that neither delivers nor ends cannot go on.
            m_LoopCount = 0;
            m_SourceDone = true;
            break;
        }
    }
    if (written > 0)
        ++m_FilledBlocks;
    std::memset(block + written, m_Format.bitsPerSample == 8 ? 128 : 0, m_BlockSize - written);
    m_Voice->Write(m_WriteCursor, block, m_BlockSize);
    m_WriteCursor += m_BlockSize;
    if (m_WriteCursor >= m_BufferSize)
        m_WriteCursor -= m_BufferSize;
    return true;
}

void GxSoundBufferStream::OnBlockNotify() {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice() || m_BufferSize == 0)
        return;
    if (m_FilledBlocks > 0)
        --m_FilledBlocks;
    if (m_FilledBlocks == 0 && m_LoopCount == 0 && m_SourceDone) {
        m_Voice->Stop();  // playback has passed the last block that held sound
        return;
    }
    if (m_FilledBlocks < kBlockCount - 1 && m_Voice->IsPlaying())
        FillBlock();
}

bool GxSoundBufferStream::SetVolume(GxS32 volume) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    if (volume != m_LastVolume)
        m_Voice->SetVolume(volume);
    m_LastVolume = volume;
    return true;
}

bool GxSoundBufferStream::SetPan(GxS32 pan) {
    GxMutexScopedLock lock(m_Mutex);
    if (!HasVoice())
        return false;
    if (pan != m_LastPan)
        m_Voice->SetPan(pan);
    m_LastPan = pan;
    return true;
}

GxU32 GxSoundBufferStream::GetBufferSize() {
    GxMutexScopedLock lock(m_Mutex);
    return m_BufferSize;
}

GxU32 GxSoundBufferStream::GetBlockSize() {
    GxMutexScopedLock lock(m_Mutex);
    return m_BlockSize;
}

GxU32 GxSoundBufferStream::GetTotalBytes() {
    GxMutexScopedLock lock(m_Mutex);
    return static_cast<GxU32>(std::min<GxU64>(m_TotalBytes, 0xFFFFFFFFu));
}

GxS32 GxSoundBufferStream::GetLoopCount() {
    GxMutexScopedLock lock(m_Mutex);
    return HasVoice() ? m_LoopCount : 0;
}
