#pragma once

#include <cstdint>

// Conversions between packed 0xAARRGGBB colours and the texture formats.
namespace gx {

// The 16-bit value made of the top four bits of alpha, red, green and blue.
inline std::uint16_t ToA4R4G4B4(std::uint32_t c) {
    return static_cast<std::uint16_t>((c >> 16 & 0xF000) | (c >> 12 & 0x0F00) | (c >> 8 & 0x00F0) |
                                      (c >> 4 & 0x000F));
}
inline std::uint16_t ToA1R5G5B5(std::uint32_t c) {
    return static_cast<std::uint16_t>((c >> 31 & 1) << 15 | (c >> 19 & 0x1F) << 10 |
                                      (c >> 11 & 0x1F) << 5 | (c >> 3 & 0x1F));
}
inline std::uint16_t ToR5G6B5(std::uint32_t c) {
    return static_cast<std::uint16_t>((c >> 19 & 0x1F) << 11 | (c >> 10 & 0x3F) << 5 |
                                      (c >> 3 & 0x1F));
}

// The stored value of `argb` in `format` (32-bit formats keep it unchanged).
std::uint32_t EncodePixel(std::uint32_t argb, std::uint32_t format);
// The colour a stored value stands for (bits replicated to 8; no alpha reads as 255).
std::uint32_t DecodePixel(std::uint32_t value, std::uint32_t format);
// Writes `count` colours into `out` in `format` (2 or 4 bytes each).
void EncodeRow(const std::uint32_t* argb, int count, std::uint32_t format, std::uint8_t* out);
void DecodeRow(const std::uint8_t* in, int count, std::uint32_t format, std::uint32_t* argb);

}  // namespace gx
