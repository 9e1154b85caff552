#pragma once

#include "sound/gx_sound_loader.h"
#include "sound/gx_wav_data.h"

// Plays a sound decoded whole into a GxWavData (not owned, no reference taken).
class GxSoundLoaderMemory final : public GxSoundLoaderBase {
public:
    ~GxSoundLoaderMemory() override { Close(); }

    bool Open(GxWavData* sound);
    void Close() override;
    bool IsOpen() const override { return m_Sound != nullptr; }
    bool Read(void* buffer, GxU32 count, GxU32* delivered) override;
    bool Seek(GxU32 sample) override;
    GxU32 Tell() override;
    bool IsEnd() override { return IsOpen() && m_Remaining == 0; }
    GxPcmFormat GetFormat() const override { return m_Format; }
    GxU32 GetTotalSamples() const override;
    GxU32 GetTotalBytes() const override { return m_Total; }
    int GetKind() const override { return SOUND_LOADER_MEMORY; }

private:
    GxU32 m_Position = 0;
    GxU32 m_Total = 0;
    GxU32 m_Remaining = 0;
    GxWavData* m_Sound = nullptr;
    GxPcmFormat m_Format;
};
