#include "sound/gx_sound_loader_ogg.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>

#include "base/gx_log.h"

namespace {
// Holes in a row after which a stream is taken as broken rather than gapped.
constexpr int kMaxHolesInARow = 64;
}  // namespace

GxSoundLoaderOgg::GxSoundLoaderOgg() : m_Vorbis(std::make_unique<OggVorbis_File>()) {}

GxSoundLoaderOgg::~GxSoundLoaderOgg() {
    Close();
}

size_t GxSoundLoaderOgg::CallbackRead(void* buffer, size_t size, size_t count, void* self) {
    auto* loader = static_cast<GxSoundLoaderOgg*>(self);
    if (!loader->m_File || size == 0)
        return 0;
    size_t bytes = std::min<size_t>(size * count, 0x7FFFFFFF);
    return loader->m_File->Read(buffer, static_cast<GxU32>(bytes)) / size;
}

int GxSoundLoaderOgg::CallbackSeek(void* self, GxS64 offset, int origin) {
    auto* loader = static_cast<GxSoundLoaderOgg*>(self);
    if (origin < 0 || origin > 2 || !loader->m_File)
        return -1;
    if (!loader->m_File->Seek(offset, origin)) {
        LogSlightError(u"Error/GxSoundLoaderOgg::CallbackSeek Failed\n");
        return -1;
    }
    return 0;
}

int GxSoundLoaderOgg::CallbackClose(void* self) {
    auto* loader = static_cast<GxSoundLoaderOgg*>(self);
    if (!loader->m_File)
        return -1;
    loader->m_File.reset();
    return 0;
}

long GxSoundLoaderOgg::CallbackTell(void* self) {
    auto* loader = static_cast<GxSoundLoaderOgg*>(self);
    return loader->m_File ? static_cast<long>(loader->m_File->GetPosition()) : -1;
}

bool GxSoundLoaderOgg::Open(std::u16string_view name) {
    Close();
    auto source = gx::OpenSoundSource(name);
    if (!source) {
        LogSlightError(u"Error/GxSoundLoaderOgg::Open ファイルのオープンに失敗しました(%s)\n",
                       std::u16string(name));
        return false;
    }
    return Open(std::move(source), name);
}

bool GxSoundLoaderOgg::Open(std::unique_ptr<GxSoundSource> source, std::u16string_view) {
    Close();
    if (!source)
        return false;
    m_File = std::move(source);
    return OpenStream();
}

bool GxSoundLoaderOgg::OpenStream() {
    const ov_callbacks callbacks = {&CallbackRead, &CallbackSeek, &CallbackClose, &CallbackTell};
    if (ov_open_callbacks(this, m_Vorbis.get(), nullptr, 0, callbacks) < 0) {
        CallbackClose(this);
        LogSlightError(u"Error/GxSoundLoaderOgg::OpenStream ファイルのオープンに失敗しました\n");
        return false;
    }
    m_Open = true;
    vorbis_info* info = ov_info(m_Vorbis.get(), -1);
    if (!ov_seekable(m_Vorbis.get()) || !info || info->channels <= 0) {
        Close();
        LogSlightError(u"Error/GxSoundLoaderOgg::OpenStream シーク可能なファイルではありません\n");
        return false;
    }
    m_Format =
        gx::MakePcmFormat(static_cast<GxU16>(info->channels), static_cast<GxU32>(info->rate), 16);
    ogg_int64_t total = std::max<ogg_int64_t>(ov_pcm_total(m_Vorbis.get(), -1), 0);
    m_TotalSamples =
        static_cast<GxU32>(std::min<ogg_int64_t>(total, 0xFFFFFFFFu / m_Format.blockAlign));
    m_End = false;
    return true;
}

void GxSoundLoaderOgg::Close() {
    if (m_Open)
        ov_clear(m_Vorbis.get());
    m_Open = false;
    m_File.reset();
    m_Format = {};
    m_TotalSamples = 0;
    m_End = false;
}

bool GxSoundLoaderOgg::Read(void* buffer, GxU32 count, GxU32* delivered) {
    if (delivered)
        *delivered = 0;
    if (!m_Open)
        return false;
    auto* out = static_cast<char*>(buffer);
    GxU32 done = 0;
    int holes = 0;
    while (done < count) {
        int stream = 0;
        long got =
            ov_read(m_Vorbis.get(), out + done,
                    static_cast<int>(std::min<GxU32>(count - done, 1 << 20)), 0, 2, 1, &stream);
        if (got == OV_HOLE && ++holes <= kMaxHolesInARow)
            continue;  // a gap in the data, not its end
        if (got < 1) {
            m_End = true;
            break;
        }
        holes = 0;
        done += static_cast<GxU32>(got);
    }
    if (delivered)
        *delivered = done;
    return true;
}

bool GxSoundLoaderOgg::Seek(GxU32 sample) {
    if (!m_Open || ov_pcm_seek(m_Vorbis.get(), sample) != 0)
        return false;
    m_End = false;
    return true;
}

GxU32 GxSoundLoaderOgg::Tell() {
    return m_Open ? static_cast<GxU32>(std::max<ogg_int64_t>(ov_pcm_tell(m_Vorbis.get()), 0)) : 0;
}
