#include "sound/gx_wav_data.h"

#include <new>

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "base/gx_string.h"
#include "platform/gx_clock.h"
#include "sound/gx_sound_loader_acm.h"
#include "sound/gx_sound_loader_ogg.h"

void GxWavData::Reset() {
    Destroy();
    m_RefCount = 0;
    m_Keep = false;
}

GxS32 GxWavData::Release() {
    if (m_RefCount > 0)
        --m_RefCount;
    return m_RefCount;
}

void GxWavData::Destroy() {
    m_Data.reset();
    m_Size = 0;
    m_TotalSamples = 0;
    m_Format = {};
    m_Name.clear();
    m_LastUsedTime = 0;
}

bool GxWavData::Create(std::u16string_view name, const GxPcmFormat* format, GxU32 bytes) {
    Destroy();
    if (!format || bytes == 0 || format->blockAlign == 0)
        return false;
    m_Data.reset(new (std::nothrow) GxU8[bytes]());
    if (!m_Data) {
        LogSlightError(u"Error/GxWavData::Create バッファの確保に失敗しました(%s)\n",
                       std::u16string(name));
        return false;
    }
    m_Format = *format;
    m_Size = bytes;
    m_TotalSamples = bytes / format->blockAlign;
    AddRef();
    m_Name = gx::ToLowerAscii(name);
    Touch();
    return true;
}

bool GxWavData::Create(std::string_view name, const GxPcmFormat* format, GxU32 bytes) {
    return Create(gx::Utf8ToUtf16(name), format, bytes);
}

namespace {

bool DecodeWhole(GxWavData& sound, std::u16string_view name, GxSoundLoaderBase& loader) {
    GxPcmFormat format = loader.GetFormat();
    if (!sound.Create(name, &format, loader.GetTotalBytes()))
        return false;
    GxU32 delivered = 0;
    loader.Read(sound.GetData(), sound.GetSize(), &delivered);
    loader.Close();
    return true;
}

}  // namespace

bool GxWavData::CreateFromFile(std::u16string_view name) {
    const std::u16string fileName(name);
    const std::u16string extension = gx::ToLowerAscii(gx::GetExtension(name));
    if (extension == u".wav") {
        GxSoundLoaderAcm loader;
        return loader.Open(name) && DecodeWhole(*this, name, loader);
    }
    if (extension == u".ogg") {
        GxSoundLoaderOgg loader;
        return loader.Open(name) && DecodeWhole(*this, name, loader);
    }
    LogSlightError(u"Error/GxWavData::Create 未対応の形式です(%s)\n", fileName);
    return false;
}

bool GxWavData::CreateFromFile(std::string_view name) {
    return CreateFromFile(gx::Utf8ToUtf16(name));
}

GxU32 GxWavData::GetLengthMs() const {
    if (m_Format.samplesPerSec == 0)
        return 0;
    return static_cast<GxU32>(GxU64{m_TotalSamples} * 1000 / m_Format.samplesPerSec);
}

bool GxWavData::GetSample(GxS16* left, GxS16* right, GxU32 index) const {
    if (!m_Data || m_Format.bitsPerSample != 16 || index >= m_TotalSamples)
        return false;
    const GxU8* p = m_Data.get() + size_t(index) * m_Format.blockAlign;
    GxS16 l = static_cast<GxS16>(gx::ReadLE16(p));
    GxS16 r = m_Format.channels > 1 ? static_cast<GxS16>(gx::ReadLE16(p + 2)) : l;
    if (left)
        *left = l;
    if (right)
        *right = r;
    return true;
}

void GxWavData::Touch() {
    m_LastUsedTime = gx::TimeGetTime();
}
