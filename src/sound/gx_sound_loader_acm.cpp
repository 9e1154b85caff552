#include "sound/gx_sound_loader_acm.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
}

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "sound/gx_wave_file.h"

namespace {

constexpr GxU32 kSourceChunkMinimum = 16384;
constexpr GxU16 kMaxChannels = 16;

struct CodecMapping {
    GxU16 tag;
    AVCodecID id;
    bool independentBlocks;  // a seek may start at any block
};

const CodecMapping kCodecs[] = {
    {0x0001, AV_CODEC_ID_NONE, true},  // PCM: the id depends on the bits
    {0x0002, AV_CODEC_ID_ADPCM_MS, true},  {0x0006, AV_CODEC_ID_PCM_ALAW, true},
    {0x0007, AV_CODEC_ID_PCM_MULAW, true}, {0x0011, AV_CODEC_ID_ADPCM_IMA_WAV, true},
    {0x0031, AV_CODEC_ID_GSM_MS, false},   {0x0055, AV_CODEC_ID_MP3, false},
};

const CodecMapping* FindCodec(GxU16 tag) {
    for (const CodecMapping& mapping : kCodecs) {
        if (mapping.tag == tag)
            return &mapping;
    }
    return nullptr;
}

GxS16 ToS16(float value) {
    return static_cast<GxS16>(std::clamp<long>(std::lrintf(value * 32768.0f), -32768, 32767));
}

GxS16 SampleToS16(const AVFrame& frame, int channel, int index) {
    const bool planar = av_sample_fmt_is_planar(static_cast<AVSampleFormat>(frame.format));
    const int channels = frame.ch_layout.nb_channels;
    const int slot = planar ? index : index * channels + channel;
    const uint8_t* plane = frame.extended_data[planar ? channel : 0];
    switch (av_get_packed_sample_fmt(static_cast<AVSampleFormat>(frame.format))) {
        case AV_SAMPLE_FMT_U8:
            return static_cast<GxS16>((plane[slot] - 128) * 256);
        case AV_SAMPLE_FMT_S16:
            return reinterpret_cast<const GxS16*>(plane)[slot];
        case AV_SAMPLE_FMT_S32:
            return static_cast<GxS16>(reinterpret_cast<const GxS32*>(plane)[slot] >> 16);
        case AV_SAMPLE_FMT_FLT:
            return ToS16(reinterpret_cast<const float*>(plane)[slot]);
        case AV_SAMPLE_FMT_DBL:
            return ToS16(static_cast<float>(reinterpret_cast<const double*>(plane)[slot]));
        default:
            return 0;
    }
}

}  // namespace

GxSoundLoaderAcm::GxSoundLoaderAcm() = default;

GxSoundLoaderAcm::~GxSoundLoaderAcm() {
    Close();
}

bool GxSoundLoaderAcm::Open(std::u16string_view name) {
    return Open(gx::OpenSoundSource(name), name);
}

bool GxSoundLoaderAcm::Open(std::unique_ptr<GxSoundSource> source, std::u16string_view name) {
    Close();
    const std::u16string fileName(name);
    GxWaveLayout layout;
    GxWaveScan scan = source ? gx::ScanWaveFile(*source, layout) : GxWaveScan::BadHeader;
    if (scan == GxWaveScan::BadHeader) {
        LogSlightError(u"Error/GxSoundLoaderAcm::Open riffヘッダが見つかりません(%s)\n", fileName);
        return false;
    }
    if (scan == GxWaveScan::NoData) {
        LogSlightError(
            u"Error/GxSoundLoaderAcm::Open "
            u"dataチャンクが見つかりません。ファイルが壊れているか未対応の形式です(%s)\n",
            fileName);
        return false;
    }
    m_File = std::move(source);
    const GxU32* fact = layout.factSamples ? &*layout.factSamples : nullptr;
    return OpenStream(layout.formatChunk, layout.dataOffset, layout.dataSize, fact);
}

bool GxSoundLoaderAcm::OpenStream(const std::vector<GxU8>& formatChunk, GxU64 dataOffset,
                                  GxU32 dataSize, const GxU32* factSamples) {
    m_SourceFormatChunk = formatChunk;
    m_SourceFormat = gx::ReadFormatRecord(formatChunk);
    const GxPcmFormat& src = m_SourceFormat;
    const CodecMapping* mapping = FindCodec(src.formatTag);
    AVCodecID id = mapping ? mapping->id : AV_CODEC_ID_NONE;
    if (src.formatTag == gx::kWaveFormatPcm) {
        id = src.bitsPerSample == 8    ? AV_CODEC_ID_PCM_U8
             : src.bitsPerSample == 16 ? AV_CODEC_ID_PCM_S16LE
                                       : AV_CODEC_ID_NONE;
    }
    if (id == AV_CODEC_ID_NONE || src.channels == 0 || src.channels > kMaxChannels ||
        src.blockAlign == 0 || src.samplesPerSec < 100 || src.samplesPerSec > 200000) {
        m_File.reset();
        LogSlightError(
            u"Error/GxSoundLoaderAcm::OpenStream "
            u"変換フォーマットが識別できません。未対応の形式です\n");
        return false;
    }
    m_DestFormat = gx::MakePcmFormat(src.channels, src.samplesPerSec, 16);
    m_DataOffset = dataOffset;
    m_DataSize = dataSize;
    m_RemainingSource = dataSize;
    m_CodecId = id;

    const GxU32 blocks = dataSize / src.blockAlign;
    GxU64 total = 0;
    if (id == AV_CODEC_ID_PCM_U8 || id == AV_CODEC_ID_PCM_S16LE || id == AV_CODEC_ID_PCM_ALAW ||
        id == AV_CODEC_ID_PCM_MULAW) {
        m_SamplesPerBlock = 1;
        m_PacketSize = src.blockAlign * 1024;
        total = blocks;
    } else if (id == AV_CODEC_ID_ADPCM_MS || id == AV_CODEC_ID_ADPCM_IMA_WAV) {
        GxU32 perBlock = formatChunk.size() >= 20 ? gx::ReadLE16(formatChunk.data() + 18) : 0;
        if (perBlock == 0) {
            // Derived from the block size as the encoders do.
            GxU32 header = (id == AV_CODEC_ID_ADPCM_MS ? 7 : 4) * src.channels;
            perBlock = src.blockAlign > header ? (src.blockAlign - header) * 2 / src.channels +
                                                     (id == AV_CODEC_ID_ADPCM_MS ? 2 : 1)
                                               : 0;
        }
        m_SamplesPerBlock = perBlock;
        m_PacketSize = src.blockAlign;
        total = GxU64{blocks} * perBlock;
    } else if (id == AV_CODEC_ID_GSM_MS) {
        m_PacketSize = src.blockAlign;
        total = GxU64{blocks} * 320;
    } else {
        m_PacketSize = 0;
        total = src.avgBytesPerSec ? GxU64{src.samplesPerSec} * dataSize / src.avgBytesPerSec : 0;
    }
    if (factSamples && src.formatTag != gx::kWaveFormatPcm)
        total = *factSamples;
    m_TotalSamples =
        static_cast<GxU32>(std::min<GxU64>(total, 0xFFFFFFFFu / m_DestFormat.blockAlign));
    if (mapping && !mapping->independentBlocks)
        m_SamplesPerBlock = 0;

    if (!OpenCodec()) {
        m_File.reset();
        LogSlightError(
            u"Error/GxSoundLoaderAcm::OpenStream "
            u"acmストリームがオープンできません。ファイルが壊れているか未対応の形式です\n");
        return false;
    }
    if (m_Parser && !factSamples) {
        // Without a sample count the frames are counted; the byte rate may be missing or wrong.
        m_TotalSamples = static_cast<GxU32>(
            std::min<GxU64>(CountParsedSamples(), 0xFFFFFFFFu / m_DestFormat.blockAlign));
        OpenCodec();
    }
    GxU32 chunk = src.blockAlign * (kSourceChunkMinimum / src.blockAlign + 1);
    m_SourceBuffer.assign(chunk, 0);
    m_Fill = 0;
    m_Output.clear();
    m_OutputPosition = 0;
    m_Delivered = 0;
    m_SkipSamples = 0;
    m_End = false;
    m_Flushed = false;
    if (!m_File->Seek(static_cast<GxS64>(m_DataOffset), 0)) {
        Close();
        return false;
    }
    return true;
}

GxU64 GxSoundLoaderAcm::CountParsedSamples() {
    GxU64 samples = 0;
    if (!m_File->Seek(static_cast<GxS64>(m_DataOffset), 0))
        return 0;
    std::vector<GxU8> buffer(kSourceChunkMinimum);
    GxU32 left = m_DataSize;
    for (;;) {
        const GxU32 got =
            left ? m_File->Read(buffer.data(), std::min<GxU32>(left, kSourceChunkMinimum)) : 0;
        left = got ? left - got : 0;
        GxU32 used = 0;
        do {
            uint8_t* data = nullptr;
            int size = 0;
            const int eaten = av_parser_parse2(
                m_Parser, m_Codec, &data, &size, got ? buffer.data() + used : nullptr,
                static_cast<int>(got - used), AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
            if (eaten < 0)
                break;
            used += static_cast<GxU32>(eaten);
            if (size && m_Parser->duration > 0)
                samples += static_cast<GxU64>(m_Parser->duration);
        } while (used < got);
        if (got == 0)
            break;
    }
    return samples;
}

bool GxSoundLoaderAcm::OpenCodec() {
    CloseCodec();
    const AVCodec* codec = avcodec_find_decoder(static_cast<AVCodecID>(m_CodecId));
    if (!codec)
        return false;
    m_Codec = avcodec_alloc_context3(codec);
    m_Packet = av_packet_alloc();
    m_Frame = av_frame_alloc();
    if (!m_Codec || !m_Packet || !m_Frame)
        return false;
    m_Codec->sample_rate = static_cast<int>(m_SourceFormat.samplesPerSec);
    av_channel_layout_default(&m_Codec->ch_layout, m_SourceFormat.channels);
    m_Codec->block_align = m_SourceFormat.blockAlign;
    m_Codec->bits_per_coded_sample = m_SourceFormat.bitsPerSample;
    m_Codec->bit_rate = GxS64{m_SourceFormat.avgBytesPerSec} * 8;
    if (m_SourceFormatChunk.size() > 18) {
        size_t extra = std::min<size_t>(gx::ReadLE16(m_SourceFormatChunk.data() + 16),
                                        m_SourceFormatChunk.size() - 18);
        if (extra) {
            m_Codec->extradata =
                static_cast<uint8_t*>(av_mallocz(extra + AV_INPUT_BUFFER_PADDING_SIZE));
            if (!m_Codec->extradata)
                return false;
            std::memcpy(m_Codec->extradata, m_SourceFormatChunk.data() + 18, extra);
            m_Codec->extradata_size = static_cast<int>(extra);
        }
    }
    if (avcodec_open2(m_Codec, codec, nullptr) < 0)
        return false;
    if (m_PacketSize == 0) {
        m_Parser = av_parser_init(m_CodecId);
        if (!m_Parser)
            return false;
    }
    return true;
}

void GxSoundLoaderAcm::CloseCodec() {
    if (m_Parser)
        av_parser_close(m_Parser);
    m_Parser = nullptr;
    avcodec_free_context(&m_Codec);
    av_packet_free(&m_Packet);
    av_frame_free(&m_Frame);
}

void GxSoundLoaderAcm::Close() {
    CloseCodec();
    m_File.reset();
    m_SourceFormatChunk.clear();
    m_SourceFormat = {};
    m_DestFormat = {};
    m_DataOffset = 0;
    m_DataSize = 0;
    m_RemainingSource = 0;
    m_TotalSamples = 0;
    m_Delivered = 0;
    m_End = false;
    m_SourceBuffer.clear();
    m_Fill = 0;
    m_Output.clear();
    m_OutputPosition = 0;
}

bool GxSoundLoaderAcm::FeedSource() {
    GxU32 want =
        std::min<GxU32>(m_RemainingSource, static_cast<GxU32>(m_SourceBuffer.size()) - m_Fill);
    if (want == 0)
        return false;
    GxU32 got = m_File->Read(m_SourceBuffer.data() + m_Fill, want);
    // A file shorter than its data chunk ends the data where the file ends.
    m_RemainingSource = got < want ? 0 : m_RemainingSource - got;
    m_Fill += got;
    return got > 0;
}

void GxSoundLoaderAcm::SendPacket(const GxU8* data, int size) {
    m_Packet->data = const_cast<GxU8*>(data);
    m_Packet->size = size;
    // A damaged packet is skipped; the decoder goes on with the next.
    avcodec_send_packet(m_Codec, size ? m_Packet : nullptr);
    ReceiveFrames();
}

void GxSoundLoaderAcm::ReceiveFrames() {
    while (avcodec_receive_frame(m_Codec, m_Frame) == 0) {
        AppendFrame(*m_Frame);
        av_frame_unref(m_Frame);
    }
}

void GxSoundLoaderAcm::AppendFrame(const AVFrame& frame) {
    GxU32 samples = static_cast<GxU32>(std::max(frame.nb_samples, 0));
    GxU32 first = static_cast<GxU32>(std::min<GxU64>(m_SkipSamples, samples));
    m_SkipSamples -= first;
    const int channels = m_DestFormat.channels;
    const int frameChannels = std::min(frame.ch_layout.nb_channels, channels);
    size_t at = m_Output.size();
    m_Output.resize(at + size_t(samples - first) * m_DestFormat.blockAlign, 0);
    for (GxU32 i = first; i < samples; ++i) {
        for (int c = 0; c < frameChannels; ++c) {
            gx::WriteLE16(m_Output.data() + at + 2 * c,
                          static_cast<GxU16>(SampleToS16(frame, c, static_cast<int>(i))));
        }
        at += m_DestFormat.blockAlign;
    }
}

void GxSoundLoaderAcm::DecodeMore() {
    if (m_OutputPosition == m_Output.size()) {
        m_Output.clear();
        m_OutputPosition = 0;
    }
    while (m_Output.size() == m_OutputPosition) {
        FeedSource();
        if (m_Fill == 0) {
            if (m_Flushed)
                return;
            m_Flushed = true;
            if (m_Parser) {
                uint8_t* data = nullptr;
                int size = 0;
                av_parser_parse2(m_Parser, m_Codec, &data, &size, nullptr, 0, AV_NOPTS_VALUE,
                                 AV_NOPTS_VALUE, 0);
                if (size)
                    SendPacket(data, size);
            }
            SendPacket(nullptr, 0);
            continue;
        }
        GxU32 used = 0;
        const bool lastBytes = m_RemainingSource == 0;
        if (m_Parser) {
            while (used < m_Fill) {
                uint8_t* data = nullptr;
                int size = 0;
                int eaten = av_parser_parse2(
                    m_Parser, m_Codec, &data, &size, m_SourceBuffer.data() + used,
                    static_cast<int>(m_Fill - used), AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
                if (eaten < 0) {
                    used = m_Fill;
                    break;
                }
                used += static_cast<GxU32>(eaten);
                if (size)
                    SendPacket(data, size);
            }
        } else {
            while (m_Fill - used >= m_PacketSize || (lastBytes && used < m_Fill)) {
                GxU32 size = std::min(m_PacketSize, m_Fill - used);
                SendPacket(m_SourceBuffer.data() + used, static_cast<int>(size));
                used += size;
            }
        }
        std::memmove(m_SourceBuffer.data(), m_SourceBuffer.data() + used, m_Fill - used);
        m_Fill -= used;
    }
}

bool GxSoundLoaderAcm::Read(void* buffer, GxU32 count, GxU32* delivered) {
    if (delivered)
        *delivered = 0;
    if (!IsOpen())
        return false;
    const GxU64 totalBytes = GetTotalBytes();
    GxU32 wanted =
        static_cast<GxU32>(std::min<GxU64>(count, totalBytes - std::min(m_Delivered, totalBytes)));
    GxU32 done = 0;
    auto* out = static_cast<GxU8*>(buffer);
    while (done < wanted) {
        if (m_OutputPosition == m_Output.size())
            DecodeMore();
        size_t available = m_Output.size() - m_OutputPosition;
        if (available == 0)
            break;
        GxU32 n = static_cast<GxU32>(std::min<size_t>(available, wanted - done));
        std::memcpy(out + done, m_Output.data() + m_OutputPosition, n);
        m_OutputPosition += n;
        done += n;
    }
    m_Delivered += done;
    if (done < count || m_Delivered >= totalBytes)
        m_End = true;
    if (delivered)
        *delivered = done;
    return true;
}

bool GxSoundLoaderAcm::Seek(GxU32 sample) {
    if (!IsOpen() || sample > m_TotalSamples)
        return false;
    GxU64 sourceOffset = 0;
    GxU64 skip = sample;
    if (m_SamplesPerBlock) {
        GxU64 block = sample / m_SamplesPerBlock;
        sourceOffset = block * m_SourceFormat.blockAlign;
        skip = sample - block * m_SamplesPerBlock;
    }
    if (sourceOffset > m_DataSize ||
        !m_File->Seek(static_cast<GxS64>(m_DataOffset + sourceOffset), 0)) {
        LogSlightError(
            u"Error/GxSoundLoaderAcm::Seek acmストリームのシークに失敗しました Offset=%d\n",
            static_cast<GxS64>(m_DataOffset + sourceOffset));
        return false;
    }
    if (!OpenCodec()) {
        LogSlightError(u"Error/GxSoundLoaderAcm::Seek 新しいacmストリームがオープンできません\n");
        Close();
        return false;
    }
    m_RemainingSource = m_DataSize - static_cast<GxU32>(sourceOffset);
    m_Delivered = GxU64{sample} * m_DestFormat.blockAlign;
    m_SkipSamples = skip;
    m_End = false;
    m_Flushed = false;
    m_Fill = 0;
    m_Output.clear();
    m_OutputPosition = 0;
    return true;
}

GxU32 GxSoundLoaderAcm::Tell() {
    return m_DestFormat.blockAlign ? static_cast<GxU32>(m_Delivered / m_DestFormat.blockAlign) : 0;
}
