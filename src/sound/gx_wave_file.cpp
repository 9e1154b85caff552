#include "sound/gx_wave_file.h"

#include <algorithm>
#include <cstring>

#include "base/gx_byte_order.h"

namespace {

constexpr GxU16 kWaveFormatExtensible = 0xFFFE;
constexpr GxU32 kMaxFormatChunk = 1024;

}  // namespace

namespace gx {

GxWaveScan ScanWaveFile(GxSoundSource& source, GxWaveLayout& layout) {
    layout = {};
    GxU8 header[12];
    if (!source.Seek(0, 0) || source.Read(header, 12) != 12 ||
        std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
        return GxWaveScan::BadHeader;
    }
    const GxS64 fileSize = source.GetSize();
    const GxS64 end = std::min<GxS64>(GxS64{gx::ReadLE32(header + 4)} + 8, fileSize);
    bool haveData = false;
    for (GxS64 offset = 12; offset + 8 <= end;) {
        GxU8 chunk[8];
        if (!source.Seek(offset, 0) || source.Read(chunk, 8) != 8)
            break;
        const GxU32 size = gx::ReadLE32(chunk + 4);
        const GxS64 body = offset + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && layout.formatChunk.empty()) {
            if (size < 16 || size > kMaxFormatChunk || body + size > fileSize) {
                return GxWaveScan::BadHeader;
            }
            layout.formatChunk.resize(size);
            if (source.Read(layout.formatChunk.data(), size) != size)
                return GxWaveScan::BadHeader;
        } else if (std::memcmp(chunk, "fact", 4) == 0 && size >= 4) {
            GxU8 count[4];
            if (source.Read(count, 4) == 4)
                layout.factSamples = gx::ReadLE32(count);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            layout.dataOffset = static_cast<GxU64>(body);
            layout.dataSize = static_cast<GxU32>(std::min<GxS64>(size, fileSize - body));
            haveData = true;
            if (!layout.formatChunk.empty())
                break;
        }
        offset = body + GxS64{size} + (size & 1);
    }
    if (layout.formatChunk.empty())
        return GxWaveScan::BadHeader;
    if (!haveData)
        return GxWaveScan::NoData;
    return GxWaveScan::Ok;
}

GxPcmFormat ReadFormatRecord(const std::vector<GxU8>& chunk) {
    GxPcmFormat format;
    if (chunk.size() < 16)
        return format;
    const GxU8* p = chunk.data();
    format.formatTag = gx::ReadLE16(p);
    format.channels = gx::ReadLE16(p + 2);
    format.samplesPerSec = gx::ReadLE32(p + 4);
    format.avgBytesPerSec = gx::ReadLE32(p + 8);
    format.blockAlign = gx::ReadLE16(p + 12);
    format.bitsPerSample = gx::ReadLE16(p + 14);
    // Extensible: cbSize 22, valid bits, channel mask, then the sub-format GUID
    // whose first two bytes are the ordinary format tag.
    if (format.formatTag == kWaveFormatExtensible && chunk.size() >= 40) {
        format.formatTag = gx::ReadLE16(p + 24);
    }
    return format;
}

}  // namespace gx
