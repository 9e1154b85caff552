// Windows BMP pictures: 1, 4, 8, 16, 24 and 32 bits, plain or with bit fields.
#include <bit>
#include <cstring>

#include "base/gx_byte_order.h"
#include "graphics/gx_image.h"

namespace {

struct BmpHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    std::int64_t width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};
};

bool ReadHeader(const std::uint8_t* d, size_t size, BmpHeader& h) {
    if (size < 26 || d[0] != 'B' || d[1] != 'M')
        return false;
    h.dataOffset = gx::ReadLE32(d + 10);
    h.infoSize = gx::ReadLE32(d + 14);
    if (h.infoSize == 12) {
        h.width = gx::ReadLE16(d + 18);
        h.height = static_cast<std::int16_t>(gx::ReadLE16(d + 20));
        h.bits = gx::ReadLE16(d + 24);
        return true;
    }
    if (h.infoSize < 40 || size < 14 + static_cast<size_t>(40))
        return false;
    h.width = static_cast<std::int32_t>(gx::ReadLE32(d + 18));
    h.height = static_cast<std::int32_t>(gx::ReadLE32(d + 22));
    h.bits = gx::ReadLE16(d + 28);
    h.compression = gx::ReadLE32(d + 30);
    h.colorsUsed = gx::ReadLE32(d + 46);
    if (h.compression == 3 || h.compression == 6) {
        // Masks follow a 40-byte header, or sit inside a longer one.
        const size_t at = 54;
        if (size < at + 12)
            return false;
        for (int i = 0; i < 3; ++i)
            h.masks[i] = gx::ReadLE32(d + at + i * 4);
        if ((h.infoSize >= 56 || h.compression == 6) && size >= at + 16) {
            h.masks[3] = gx::ReadLE32(d + at + 12);
        }
    }
    return true;
}

}  // namespace

namespace gx {

bool GetBmpInfo(const std::uint8_t* data, size_t size, int& width, int& height, int& depth) {
    BmpHeader h;
    if (!ReadHeader(data, size, h) || h.width <= 0 || h.height == 0)
        return false;
    width = static_cast<int>(h.width);
    height = static_cast<int>(h.height < 0 ? -h.height : h.height);
    depth = 0;
    return true;
}

bool DecodeBmpImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error) {
    BmpHeader h;
    if (!ReadHeader(data, size, h)) {
        error = "not a BMP picture";
        return false;
    }
    const bool topDown = h.height < 0;
    const std::int64_t height = topDown ? -h.height : h.height;
    const bool bitFields = h.compression == 3 || h.compression == 6;
    if (h.compression != 0 && !bitFields) {
        error = "compressed BMP pictures are not supported";
        return false;
    }
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32) {
        error = "unsupported bit depth";
        return false;
    }
    const std::int64_t stride = ((h.width * h.bits + 31) / 32) * 4;
    if (!IsImageSizeAcceptable(h.width, height, size, 0) || h.dataOffset > size ||
        static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(height) >
            size - h.dataOffset) {
        error = "picture size out of range";
        return false;
    }
    std::vector<std::uint32_t> palette;
    if (h.bits <= 8) {
        const size_t entryBytes = h.infoSize == 12 ? 3 : 4;
        size_t entries = h.colorsUsed ? h.colorsUsed : (1u << h.bits);
        if (entries > 256)
            entries = 256;
        const size_t at = 14 + h.infoSize;
        if (at + entries * entryBytes > size) {
            error = "palette past the end of the file";
            return false;
        }
        for (size_t i = 0; i < entries; ++i) {
            const std::uint8_t* p = data + at + i * entryBytes;
            palette.push_back(0xFF000000u | p[2] << 16 | p[1] << 8 | p[0]);
        }
    }
    std::uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    if (!bitFields && h.bits == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    out.width = static_cast<int>(h.width);
    out.height = static_cast<int>(height);
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const std::uint8_t* row =
            data + h.dataOffset + static_cast<size_t>(topDown ? y : out.height - 1 - y) * stride;
        std::uint32_t* target = out.pixels.data() + static_cast<size_t>(y) * out.width;
        for (int x = 0; x < out.width; ++x) {
            std::uint32_t pixel = 0;
            if (h.bits <= 8) {
                const int perByte = 8 / h.bits;
                const int shift = 8 - h.bits * (x % perByte + 1);
                const size_t index = (row[x / perByte] >> shift) & ((1u << h.bits) - 1);
                pixel = index < palette.size() ? palette[index] : 0xFF000000u;
            } else if (h.bits == 24) {
                const std::uint8_t* p = row + x * 3;
                pixel = 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
            } else if (h.bits == 32 && !bitFields) {
                pixel = ReadLE32(row + x * 4) | 0xFF000000u;
            } else {
                const std::uint32_t v =
                    h.bits == 16 ? ReadLE16(row + x * 2) : ReadLE32(row + x * 4);
                pixel = ExtractMaskedChannel(v, masks[3]) << 24 |
                        ExtractMaskedChannel(v, masks[0]) << 16 |
                        ExtractMaskedChannel(v, masks[1]) << 8 | ExtractMaskedChannel(v, masks[2]);
            }
            target[x] = pixel;
        }
    }
    return true;
}

}  // namespace gx
