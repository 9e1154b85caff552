#include "sound/gx_sound_loader_wav.h"

#include <algorithm>

#include "base/gx_log.h"
#include "sound/gx_wave_file.h"

bool GxSoundLoaderWav::Open(std::u16string_view name) {
    return Open(gx::OpenSoundSource(name), name);
}

bool GxSoundLoaderWav::Open(std::unique_ptr<GxSoundSource> source, std::u16string_view name) {
    Close();
    const std::u16string fileName(name);
    if (!source) {
        LogSlightError(u"Error/GxSoundLoaderWav::Open riffヘッダが見つかりません(%s)\n", fileName);
        return false;
    }
    GxWaveLayout layout;
    switch (gx::ScanWaveFile(*source, layout)) {
        case GxWaveScan::BadHeader:
            LogSlightError(u"Error/GxSoundLoaderWav::Open riffヘッダが見つかりません(%s)\n",
                           fileName);
            return false;
        case GxWaveScan::NoData:
            LogSlightError(
                u"Error/GxSoundLoaderWav::Open "
                u"dataチャンクが見つかりません。ファイルが壊れています(%s)\n",
                fileName);
            return false;
        case GxWaveScan::Ok:
            break;
    }
    GxPcmFormat format = gx::ReadFormatRecord(layout.formatChunk);
    if (!gx::IsPlayablePcm(format) || !source->Seek(static_cast<GxS64>(layout.dataOffset), 0)) {
        LogSlightError(
            u"Error/GxSoundLoaderWav::Open "
            u"PCMWAVEFORMATヘッダが読み込めませんでした。未対応の形式です(%s)\n",
            fileName);
        return false;
    }
    m_File = std::move(source);
    m_Format = format;
    m_DataOffset = layout.dataOffset;
    m_DataSize = layout.dataSize - layout.dataSize % format.blockAlign;
    m_Remaining = m_DataSize;
    return true;
}

void GxSoundLoaderWav::Close() {
    m_File.reset();
    m_DataOffset = 0;
    m_DataSize = 0;
    m_Remaining = 0;
    m_Format = {};
}

bool GxSoundLoaderWav::Read(void* buffer, GxU32 count, GxU32* delivered) {
    if (delivered)
        *delivered = 0;
    if (!IsOpen())
        return false;
    GxU32 wanted = std::min(count, m_Remaining);
    GxU32 got = wanted ? m_File->Read(buffer, wanted) : 0;
    // A file that ends before its data chunk does has no more to give.
    m_Remaining = got < wanted ? 0 : m_Remaining - got;
    if (delivered)
        *delivered = got;
    return true;
}

bool GxSoundLoaderWav::Seek(GxU32 sample) {
    if (!IsOpen())
        return false;
    GxU64 bytes = GxU64{sample} * m_Format.blockAlign;
    if (bytes > m_DataSize)
        return false;
    if (!m_File->Seek(static_cast<GxS64>(m_DataOffset + bytes), 0))
        return false;
    m_Remaining = m_DataSize - static_cast<GxU32>(bytes);
    return true;
}

GxU32 GxSoundLoaderWav::Tell() {
    return m_Format.blockAlign ? (m_DataSize - m_Remaining) / m_Format.blockAlign : 0;
}

GxU32 GxSoundLoaderWav::GetTotalSamples() const {
    return m_Format.blockAlign ? m_DataSize / m_Format.blockAlign : 0;
}
