#include <gtest/gtest.h>

#include "graphics/gx_graphics_types.h"
#include "graphics/gx_pixel_format.h"

namespace {

struct FormatCase {
    std::uint32_t format;
    std::uint32_t color;
    std::uint32_t stored;
    std::uint32_t readBack;
};

// Each format keeps its own channel widths: 5551 and 565 are not cut to four bits.
const FormatCase kCases[] = {
    {D3DFMT_A8R8G8B8, 0x80F0A050u, 0x80F0A050u, 0x80F0A050u},
    {D3DFMT_X8R8G8B8, 0x80F0A050u, 0xFFF0A050u, 0xFFF0A050u},
    {D3DFMT_A4R4G4B4, 0x80F0A050u, 0x8FA5u, 0x88FFAA55u},
    {D3DFMT_X4R4G4B4, 0x80F0A050u, 0xFFA5u, 0xFFFFAA55u},
    {D3DFMT_A1R5G5B5, 0x80F0A050u, 0x8000u | 30u << 10 | 20u << 5 | 10u, 0xFFF7A552u},
    {D3DFMT_A1R5G5B5, 0x7FF0A050u, 30u << 10 | 20u << 5 | 10u, 0x00F7A552u},
    {D3DFMT_R5G6B5, 0x80F0A050u, 30u << 11 | 40u << 5 | 10u, 0xFFF7A252u},
};

TEST(PixelFormat, EncodeAndDecodeEveryFormat) {
    for (const FormatCase& c : kCases) {
        EXPECT_EQ(gx::EncodePixel(c.color, c.format), c.stored) << c.format;
        EXPECT_EQ(gx::DecodePixel(c.stored, c.format), c.readBack) << c.format;
    }
    EXPECT_EQ(gx::ToA4R4G4B4(0x12345678u), 0x1357u);
}

}  // namespace
