#include "sound/gx_sound_loader_memory.h"

#include <algorithm>
#include <cstring>

bool GxSoundLoaderMemory::Open(GxWavData* sound) {
    Close();
    if (!sound || !sound->GetData() || sound->GetFormat().blockAlign == 0)
        return false;
    m_Sound = sound;
    m_Format = sound->GetFormat();
    m_Total = sound->GetSize() - sound->GetSize() % m_Format.blockAlign;
    m_Remaining = m_Total;
    m_Position = 0;
    sound->Touch();
    return true;
}

void GxSoundLoaderMemory::Close() {
    m_Position = 0;
    m_Total = 0;
    m_Remaining = 0;
    m_Sound = nullptr;
    m_Format = {};
}

bool GxSoundLoaderMemory::Read(void* buffer, GxU32 count, GxU32* delivered) {
    if (delivered)
        *delivered = 0;
    if (!IsOpen())
        return false;
    GxU32 n = std::min(count, m_Remaining);
    std::memcpy(buffer, m_Sound->GetData() + m_Position, n);
    m_Position += n;
    m_Remaining -= n;
    m_Sound->Touch();
    if (delivered)
        *delivered = n;
    return true;
}

bool GxSoundLoaderMemory::Seek(GxU32 sample) {
    if (!IsOpen())
        return false;
    GxU64 bytes = GxU64{sample} * m_Format.blockAlign;
    if (bytes > m_Total)
        return false;
    m_Position = static_cast<GxU32>(bytes);
    m_Remaining = m_Total - m_Position;
    m_Sound->Touch();
    return true;
}

GxU32 GxSoundLoaderMemory::Tell() {
    return m_Format.blockAlign ? (m_Total - m_Remaining) / m_Format.blockAlign : 0;
}

GxU32 GxSoundLoaderMemory::GetTotalSamples() const {
    return m_Format.blockAlign ? m_Total / m_Format.blockAlign : 0;
}
