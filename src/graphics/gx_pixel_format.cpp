#include "graphics/gx_pixel_format.h"

#include <cstring>

#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics_types.h"

namespace {

std::uint32_t Expand(std::uint32_t value, int bits) {
    switch (bits) {
        case 1:
            return value ? 255 : 0;
        case 4:
            return value * 17;
        case 5:
            return value << 3 | value >> 2;
        case 6:
            return value << 2 | value >> 4;
        default:
            return value;
    }
}

std::uint32_t Pack(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

}  // namespace

namespace gx {

std::uint32_t EncodePixel(std::uint32_t argb, std::uint32_t format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
            return argb;
        case D3DFMT_X8R8G8B8:
            return argb | 0xFF000000u;
        case D3DFMT_A1R5G5B5:
            return ToA1R5G5B5(argb);
        case D3DFMT_X1R5G5B5:
            return ToA1R5G5B5(argb) | 0x8000u;
        case D3DFMT_R5G6B5:
            return ToR5G6B5(argb);
        case D3DFMT_X4R4G4B4:
            return ToA4R4G4B4(argb) | 0xF000u;
        default:
            return ToA4R4G4B4(argb);
    }
}

std::uint32_t DecodePixel(std::uint32_t v, std::uint32_t format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
            return v;
        case D3DFMT_X8R8G8B8:
            return v | 0xFF000000u;
        case D3DFMT_A1R5G5B5:
        case D3DFMT_X1R5G5B5:
            return Pack(format == D3DFMT_X1R5G5B5 ? 255 : Expand(v >> 15 & 1, 1),
                        Expand(v >> 10 & 0x1F, 5), Expand(v >> 5 & 0x1F, 5), Expand(v & 0x1F, 5));
        case D3DFMT_R5G6B5:
            return Pack(255, Expand(v >> 11 & 0x1F, 5), Expand(v >> 5 & 0x3F, 6),
                        Expand(v & 0x1F, 5));
        case D3DFMT_X4R4G4B4:
        case D3DFMT_A4R4G4B4:
            return Pack(format == D3DFMT_X4R4G4B4 ? 255 : Expand(v >> 12 & 0xF, 4),
                        Expand(v >> 8 & 0xF, 4), Expand(v >> 4 & 0xF, 4), Expand(v & 0xF, 4));
        default:
            return 0;
    }
}

void EncodeRow(const std::uint32_t* argb, int count, std::uint32_t format, std::uint8_t* out) {
    if (GxGetBytesPerPixel(format) == 4) {
        for (int i = 0; i < count; ++i) {
            const std::uint32_t v = EncodePixel(argb[i], format);
            std::memcpy(out + i * 4, &v, 4);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint16_t>(EncodePixel(argb[i], format));
        std::memcpy(out + i * 2, &v, 2);
    }
}

void DecodeRow(const std::uint8_t* in, int count, std::uint32_t format, std::uint32_t* argb) {
    if (GxGetBytesPerPixel(format) == 4) {
        for (int i = 0; i < count; ++i) {
            std::uint32_t v;
            std::memcpy(&v, in + i * 4, 4);
            argb[i] = DecodePixel(v, format);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        std::uint16_t v;
        std::memcpy(&v, in + i * 2, 2);
        argb[i] = DecodePixel(v, format);
    }
}

}  // namespace gx
