#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sound/gx_sound_loader.h"
#include "sound/gx_sound_source.h"

struct AVCodecContext;
struct AVCodecParserContext;
struct AVPacket;
struct AVFrame;

// Any WAVE file the codec library decodes (PCM, MS and IMA ADPCM, GSM 6.10,
// A-law, mu-law, MP3), delivered as 16-bit PCM at the file's rate and channels.
class GxSoundLoaderAcm final : public GxSoundLoaderBase {
public:
    GxSoundLoaderAcm();
    ~GxSoundLoaderAcm() override;

    bool Open(std::u16string_view name);
    bool Open(std::unique_ptr<GxSoundSource> source, std::u16string_view name);

    void Close() override;
    bool IsOpen() const override { return m_File != nullptr; }
    bool Read(void* buffer, GxU32 count, GxU32* delivered) override;
    // Exact: the next sample delivered is `sample` of a decode from the start.
    bool Seek(GxU32 sample) override;
    GxU32 Tell() override;
    bool IsEnd() override { return m_End; }
    GxPcmFormat GetFormat() const override { return m_DestFormat; }
    GxU32 GetTotalSamples() const override { return m_TotalSamples; }
    GxU32 GetTotalBytes() const override { return m_TotalSamples * m_DestFormat.blockAlign; }
    int GetKind() const override { return SOUND_LOADER_ACM; }

private:
    bool OpenStream(const std::vector<GxU8>& formatChunk, GxU64 dataOffset, GxU32 dataSize,
                    const GxU32* factSamples);
    bool OpenCodec();
    void CloseCodec();
    GxU64 CountParsedSamples();
    // Decodes until some output is available or the data is exhausted.
    void DecodeMore();
    bool FeedSource();
    void SendPacket(const GxU8* data, int size);
    void ReceiveFrames();
    void AppendFrame(const AVFrame& frame);

    std::unique_ptr<GxSoundSource> m_File;
    std::vector<GxU8> m_SourceFormatChunk;
    GxPcmFormat m_SourceFormat;
    GxPcmFormat m_DestFormat;
    GxU64 m_DataOffset = 0;
    GxU32 m_DataSize = 0;
    GxU32 m_RemainingSource = 0;
    GxU32 m_TotalSamples = 0;
    GxU64 m_Delivered = 0;  // decoded bytes handed out since the start or the last seek
    bool m_End = false;
    bool m_Flushed = false;

    // Blocks that decode on their own (seek lands on one); 0 when the decoder
    // keeps state from block to block and a seek decodes from the start.
    GxU32 m_SamplesPerBlock = 0;
    GxU32 m_PacketSize = 0;  // 0: frames are found by the parser
    int m_CodecId = 0;
    AVCodecContext* m_Codec = nullptr;
    AVCodecParserContext* m_Parser = nullptr;
    AVPacket* m_Packet = nullptr;
    AVFrame* m_Frame = nullptr;

    std::vector<GxU8> m_SourceBuffer;
    GxU32 m_Fill = 0;
    std::vector<GxU8> m_Output;
    size_t m_OutputPosition = 0;
    GxU64 m_SkipSamples = 0;  // decoded samples still to drop after a seek
};
