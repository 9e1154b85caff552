// DirectDraw Surface pictures: DXT1 to DXT5 blocks decoded on the processor, and
// uncompressed pixels described by channel masks. Only the top mip level is read.
#include <bit>
#include <cstring>

#include "base/gx_byte_order.h"
#include "graphics/gx_graphics_types.h"
#include "graphics/gx_image.h"

namespace {

constexpr size_t kHeaderBytes = 128;
constexpr std::uint32_t kFourCCFlag = 0x4;

std::uint32_t Color565(std::uint16_t v) {
    const std::uint32_t r = v >> 11 & 31, g = v >> 5 & 63, b = v & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int wa, int wb, int total) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t ca = a >> shift & 0xFF, cb = b >> shift & 0xFF;
        out |= ((ca * wa + cb * wb + total / 2) / total) << shift;
    }
    return out;
}

// The colour half of a block: 16 RGB values (alpha 255, or 0 for the DXT1 transparent index).
void DecodeColorBlock(const std::uint8_t* block, bool allowTransparent, std::uint32_t* out) {
    const std::uint16_t c0 = gx::ReadLE16(block), c1 = gx::ReadLE16(block + 2);
    std::uint32_t palette[4];
    palette[0] = 0xFF000000u | Color565(c0);
    palette[1] = 0xFF000000u | Color565(c1);
    if (c0 > c1 || !allowTransparent) {
        palette[2] = 0xFF000000u | Mix(palette[0], palette[1], 2, 1, 3);
        palette[3] = 0xFF000000u | Mix(palette[0], palette[1], 1, 2, 3);
    } else {
        palette[2] = 0xFF000000u | Mix(palette[0], palette[1], 1, 1, 2);
        palette[3] = 0;
    }
    const std::uint32_t indices = gx::ReadLE32(block + 4);
    for (int i = 0; i < 16; ++i)
        out[i] = palette[indices >> (2 * i) & 3];
}

void ApplyExplicitAlpha(const std::uint8_t* block, std::uint32_t* out) {
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t a = block[i / 2] >> ((i & 1) * 4) & 0xF;
        out[i] = (out[i] & 0x00FFFFFFu) | (a * 17) << 24;
    }
}

void ApplyInterpolatedAlpha(const std::uint8_t* block, std::uint32_t* out) {
    const std::uint32_t a0 = block[0], a1 = block[1];
    std::uint32_t alpha[8] = {a0, a1};
    if (a0 > a1) {
        for (int i = 1; i < 7; ++i)
            alpha[i + 1] = ((7 - i) * a0 + i * a1 + 3) / 7;
    } else {
        for (int i = 1; i < 5; ++i)
            alpha[i + 1] = ((5 - i) * a0 + i * a1 + 2) / 5;
        alpha[6] = 0;
        alpha[7] = 255;
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i) {
        out[i] = (out[i] & 0x00FFFFFFu) | alpha[bits >> (3 * i) & 7] << 24;
    }
}

}  // namespace

namespace gx {

bool DecodeDdsImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error) {
    if (size < kHeaderBytes || std::memcmp(data, "DDS ", 4) != 0 || ReadLE32(data + 4) != 124) {
        error = "not a DDS picture";
        return false;
    }
    const int height = static_cast<int>(ReadLE32(data + 12));
    const int width = static_cast<int>(ReadLE32(data + 16));
    const std::uint32_t formatFlags = ReadLE32(data + 80);
    const std::uint32_t fourCC = ReadLE32(data + 84);
    const std::uint8_t* pixels = data + kHeaderBytes;
    const size_t available = size - kHeaderBytes;
    if (formatFlags & kFourCCFlag) {
        const bool dxt1 = fourCC == D3DFMT_DXT1;
        const bool dxt3 = fourCC == D3DFMT_DXT2 || fourCC == D3DFMT_DXT3;
        const bool dxt5 = fourCC == D3DFMT_DXT4 || fourCC == D3DFMT_DXT5;
        if (!dxt1 && !dxt3 && !dxt5) {
            error = "unsupported DDS format";
            return false;
        }
        const size_t blockBytes = dxt1 ? 8 : 16;
        if (!IsImageSizeAcceptable(width, height, size, 0)) {
            error = "picture size out of range";
            return false;
        }
        const size_t blocksWide = (static_cast<size_t>(width) + 3) / 4;
        const size_t blocksHigh = (static_cast<size_t>(height) + 3) / 4;
        if (blocksWide * blocksHigh * blockBytes > available) {
            error = "block data past the end of the file";
            return false;
        }
        out.width = width;
        out.height = height;
        out.pixels.assign(static_cast<size_t>(width) * height, 0);
        for (size_t by = 0; by < blocksHigh; ++by) {
            for (size_t bx = 0; bx < blocksWide; ++bx) {
                const std::uint8_t* block = pixels + (by * blocksWide + bx) * blockBytes;
                std::uint32_t texels[16];
                DecodeColorBlock(dxt1 ? block : block + 8, dxt1, texels);
                if (dxt3)
                    ApplyExplicitAlpha(block, texels);
                if (dxt5)
                    ApplyInterpolatedAlpha(block, texels);
                for (int i = 0; i < 16; ++i) {
                    const size_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                    if (x < static_cast<size_t>(width) && y < static_cast<size_t>(height)) {
                        out.pixels[y * width + x] = texels[i];
                    }
                }
            }
        }
        return true;
    }
    const int bits = static_cast<int>(ReadLE32(data + 88));
    if (bits != 16 && bits != 24 && bits != 32) {
        error = "unsupported DDS format";
        return false;
    }
    const int bytes = bits / 8;
    if (!IsImageSizeAcceptable(width, height, available, bytes)) {
        error = "picture size out of range";
        return false;
    }
    const std::uint32_t masks[4] = {ReadLE32(data + 92), ReadLE32(data + 96), ReadLE32(data + 100),
                                    (formatFlags & 0x1) ? ReadLE32(data + 104) : 0u};
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const std::uint8_t* p = pixels + i * bytes;
        std::uint32_t v = p[0];
        if (bytes > 1)
            v |= static_cast<std::uint32_t>(p[1]) << 8;
        if (bytes > 2)
            v |= static_cast<std::uint32_t>(p[2]) << 16;
        if (bytes > 3)
            v |= static_cast<std::uint32_t>(p[3]) << 24;
        out.pixels[i] = ExtractMaskedChannel(v, masks[3]) << 24 |
                        ExtractMaskedChannel(v, masks[0]) << 16 |
                        ExtractMaskedChannel(v, masks[1]) << 8 | ExtractMaskedChannel(v, masks[2]);
    }
    return true;
}

}  // namespace gx
