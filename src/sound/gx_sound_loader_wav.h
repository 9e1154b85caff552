#pragma once

#include <memory>
#include <string>

#include "sound/gx_sound_loader.h"
#include "sound/gx_sound_source.h"

// Uncompressed PCM WAVE files, 8 or 16 bits, any rate and channel count.
class GxSoundLoaderWav final : public GxSoundLoaderBase {
public:
    ~GxSoundLoaderWav() override { Close(); }

    bool Open(std::u16string_view name);
    // Reads from `source`; `name` only names it in messages.
    bool Open(std::unique_ptr<GxSoundSource> source, std::u16string_view name);

    void Close() override;
    bool IsOpen() const override { return m_File != nullptr; }
    bool Read(void* buffer, GxU32 count, GxU32* delivered) override;
    bool Seek(GxU32 sample) override;
    GxU32 Tell() override;
    bool IsEnd() override { return IsOpen() && m_Remaining == 0; }
    GxPcmFormat GetFormat() const override { return m_Format; }
    GxU32 GetTotalSamples() const override;
    GxU32 GetTotalBytes() const override { return m_DataSize; }
    int GetKind() const override { return SOUND_LOADER_WAV; }

private:
    std::unique_ptr<GxSoundSource> m_File;
    GxU64 m_DataOffset = 0;
    GxU32 m_DataSize = 0;
    GxU32 m_Remaining = 0;
    GxPcmFormat m_Format;
};
