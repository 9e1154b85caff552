// Truevision TGA pictures: colour-mapped, true-colour and grey, plain or run-length coded.
#include <cstring>

#include "base/gx_byte_order.h"
#include "graphics/gx_image.h"

namespace {

struct TgaHeader {
    int idLength, mapType, imageType;
    int mapFirst, mapLength, mapBits;
    int width, height, bits, descriptor;
};

bool ReadHeader(const std::uint8_t* d, size_t size, TgaHeader& h) {
    if (size < 18)
        return false;
    h.idLength = d[0];
    h.mapType = d[1];
    h.imageType = d[2];
    h.mapFirst = gx::ReadLE16(d + 3);
    h.mapLength = gx::ReadLE16(d + 5);
    h.mapBits = d[7];
    h.width = gx::ReadLE16(d + 12);
    h.height = gx::ReadLE16(d + 14);
    h.bits = d[16];
    h.descriptor = d[17];
    const int base = h.imageType & ~8;
    if (h.mapType > 1 || (base != 1 && base != 2 && base != 3))
        return false;
    if (base == 1 && (h.mapType != 1 || (h.bits != 8 && h.bits != 16)))
        return false;
    if (base == 2 && h.bits != 15 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return false;
    if (base == 3 && h.bits != 8)
        return false;
    if (h.mapType == 1 && h.mapBits != 15 && h.mapBits != 16 && h.mapBits != 24 && h.mapBits != 32)
        return false;
    return h.width > 0 && h.height > 0;
}

std::uint32_t ReadColor(const std::uint8_t* p, int bits, bool useAlpha) {
    switch (bits) {
        case 8:
            return 0xFF000000u | p[0] * 0x010101u;
        case 15:
        case 16: {
            const std::uint32_t v = gx::ReadLE16(p);
            const auto expand = [](std::uint32_t c) { return c << 3 | c >> 2; };
            const std::uint32_t a = (bits == 16 && useAlpha) ? ((v & 0x8000) ? 255 : 0) : 255;
            return a << 24 | expand(v >> 10 & 31) << 16 | expand(v >> 5 & 31) << 8 | expand(v & 31);
        }
        case 24:
            return 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
        default: {
            const std::uint32_t a = useAlpha ? p[3] : 255u;
            return a << 24 | p[2] << 16 | p[1] << 8 | p[0];
        }
    }
}

}  // namespace

namespace gx {

bool GetTgaInfo(const std::uint8_t* data, size_t size, int& width, int& height, int& depth) {
    TgaHeader h;
    if (!ReadHeader(data, size, h))
        return false;
    width = h.width;
    height = h.height;
    depth = 0;
    return true;
}

bool DecodeTgaImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error) {
    TgaHeader h;
    if (!ReadHeader(data, size, h)) {
        error = "not a TGA picture";
        return false;
    }
    const bool rle = (h.imageType & 8) != 0;
    const int pixelBytes = (h.bits + 7) / 8;
    // Run-length data needs at least one byte per 128 pixels.
    if (!IsImageSizeAcceptable(h.width, h.height, size, rle ? 1.0 / 128 : pixelBytes)) {
        error = "picture size out of range";
        return false;
    }
    size_t offset = 18 + static_cast<size_t>(h.idLength);
    std::vector<std::uint32_t> palette;
    const int attributeBits = h.descriptor & 0x0F;
    if (h.mapType == 1) {
        const int entryBytes = (h.mapBits + 7) / 8;
        const size_t mapBytes = static_cast<size_t>(h.mapLength) * entryBytes;
        if (offset + mapBytes > size) {
            error = "colour map past the end of the file";
            return false;
        }
        for (int i = 0; i < h.mapLength; ++i) {
            palette.push_back(ReadColor(data + offset + static_cast<size_t>(i) * entryBytes,
                                        h.mapBits, attributeBits > 0 || h.mapBits == 32));
        }
        offset += mapBytes;
    }
    const bool useAlpha = attributeBits > 0;
    const size_t count = static_cast<size_t>(h.width) * h.height;
    std::vector<std::uint32_t> linear(count);
    const auto readPixel = [&](const std::uint8_t* p, std::uint32_t& pixel) {
        if ((h.imageType & ~8) == 1) {
            const int index = (h.bits == 8 ? p[0] : ReadLE16(p)) - h.mapFirst;
            if (index < 0 || index >= static_cast<int>(palette.size()))
                return false;
            pixel = palette[index];
            return true;
        }
        pixel = ReadColor(p, h.bits, useAlpha);
        return true;
    };
    size_t done = 0;
    while (done < count) {
        int run = 1;
        bool repeat = false;
        if (rle) {
            if (offset >= size)
                break;
            const std::uint8_t packet = data[offset++];
            run = (packet & 0x7F) + 1;
            repeat = (packet & 0x80) != 0;
        }
        if (repeat) {
            std::uint32_t pixel = 0;
            if (offset + pixelBytes > size || !readPixel(data + offset, pixel))
                break;
            offset += pixelBytes;
            for (int i = 0; i < run && done < count; ++i)
                linear[done++] = pixel;
        } else {
            for (int i = 0; i < run && done < count; ++i) {
                if (offset + pixelBytes > size || !readPixel(data + offset, linear[done])) {
                    error = "pixel data damaged or past the end of the file";
                    return false;
                }
                offset += pixelBytes;
                ++done;
            }
        }
    }
    if (done < count) {
        error = "pixel data damaged or past the end of the file";
        return false;
    }
    const bool topDown = (h.descriptor & 0x20) != 0;
    const bool rightToLeft = (h.descriptor & 0x10) != 0;
    out.width = h.width;
    out.height = h.height;
    out.pixels.resize(count);
    for (int y = 0; y < h.height; ++y) {
        const int sourceRow = topDown ? y : h.height - 1 - y;
        for (int x = 0; x < h.width; ++x) {
            const int sourceColumn = rightToLeft ? h.width - 1 - x : x;
            out.pixels[static_cast<size_t>(y) * h.width + x] =
                linear[static_cast<size_t>(sourceRow) * h.width + sourceColumn];
        }
    }
    return true;
}

}  // namespace gx
