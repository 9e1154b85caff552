#pragma once

#include <memory>
#include <string>

#include "sound/gx_sound_loader.h"
#include "sound/gx_sound_source.h"

struct OggVorbis_File;

// Ogg Vorbis through vorbisfile, reading through the engine's file layer.
class GxSoundLoaderOgg final : public GxSoundLoaderBase {
public:
    GxSoundLoaderOgg();
    ~GxSoundLoaderOgg() override;

    bool Open(std::u16string_view name);
    bool Open(std::unique_ptr<GxSoundSource> source, std::u16string_view name);
    // Starts decoding the open file.
    bool OpenStream();

    void Close() override;
    bool IsOpen() const override { return m_Open; }
    bool Read(void* buffer, GxU32 count, GxU32* delivered) override;
    bool Seek(GxU32 sample) override;
    GxU32 Tell() override;
    bool IsEnd() override { return m_End; }
    GxPcmFormat GetFormat() const override { return m_Format; }
    GxU32 GetTotalSamples() const override { return m_TotalSamples; }
    GxU32 GetTotalBytes() const override { return m_TotalSamples * m_Format.blockAlign; }
    int GetKind() const override { return SOUND_LOADER_OGG; }

private:
    static size_t CallbackRead(void* buffer, size_t size, size_t count, void* self);
    static int CallbackSeek(void* self, GxS64 offset, int origin);
    static int CallbackClose(void* self);
    static long CallbackTell(void* self);

    std::unique_ptr<GxSoundSource> m_File;
    std::unique_ptr<OggVorbis_File> m_Vorbis;
    bool m_Open = false;
    GxPcmFormat m_Format;
    GxU32 m_TotalSamples = 0;
    bool m_End = false;
};
