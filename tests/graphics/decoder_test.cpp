#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/gx_byte_order.h"
#include "graphics/gx_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, static_cast<std::uint16_t>(v));
    Put16(b, static_cast<std::uint16_t>(v >> 16));
}

GxImage Decode(const Bytes& bytes) {
    GxImage image;
    std::string error;
    EXPECT_TRUE(gx::DecodeImage(bytes.data(), bytes.size(), image, error)) << error;
    return image;
}

bool Fails(const Bytes& bytes) {
    GxImage image;
    std::string error;
    return !gx::DecodeImage(bytes.data(), bytes.size(), image, error);
}

// ---- DDS ----

Bytes DdsHeader(int width, int height, const char* fourCC) {
    Bytes b = {'D', 'D', 'S', ' '};
    Put32(b, 124);
    Put32(b, 0x1007);
    Put32(b, static_cast<std::uint32_t>(height));
    Put32(b, static_cast<std::uint32_t>(width));
    while (b.size() < 76)
        b.push_back(0);
    Put32(b, 32);
    Put32(b, 0x4);  // four-character code
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(fourCC[i]));
    while (b.size() < 128)
        b.push_back(0);
    return b;
}

// Colour block: c0 pure red (0xF800), c1 pure blue (0x001F); rows use indices 0,1,2,3.
void PutColorBlock(Bytes& b, std::uint16_t c0, std::uint16_t c1) {
    Put16(b, c0);
    Put16(b, c1);
    for (int row = 0; row < 4; ++row)
        b.push_back(0xE4);  // indices 0,1,2,3 across
}

TEST(DdsDecoder, Dxt1OpaqueAndTransparentBlocks) {
    Bytes b = DdsHeader(8, 4, "DXT1");
    PutColorBlock(b, 0xF800, 0x001F);  // c0 > c1: four colours
    PutColorBlock(b, 0x001F, 0xF800);  // c0 <= c1: three colours and transparent
    const GxImage image = Decode(b);
    ASSERT_EQ(image.width, 8);
    EXPECT_EQ(image.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image.pixels[1], 0xFF0000FFu);
    EXPECT_EQ(image.pixels[2], 0xFFAA0055u);  // 2/3 red + 1/3 blue
    EXPECT_EQ(image.pixels[3], 0xFF5500AAu);
    EXPECT_EQ(image.pixels[4], 0xFF0000FFu);
    EXPECT_EQ(image.pixels[6], 0xFF800080u);  // midpoint
    EXPECT_EQ(image.pixels[7], 0x00000000u);  // transparent index
}

TEST(DdsDecoder, Dxt3ExplicitAndDxt5InterpolatedAlpha) {
    Bytes dxt3 = DdsHeader(4, 4, "DXT3");
    for (int i = 0; i < 8; ++i)
        dxt3.push_back(i == 0 ? 0xF0 : 0x8F);  // texel 0: 0, texel 1: F
    PutColorBlock(dxt3, 0xFFFF, 0x0000);
    const GxImage three = Decode(dxt3);
    EXPECT_EQ(three.pixels[0], 0x00FFFFFFu);
    EXPECT_EQ(three.pixels[1], 0xFF000000u);
    EXPECT_EQ(three.pixels[2], 0xFFAAAAAAu);
    EXPECT_EQ(three.pixels[3] >> 24, 0x88u);

    Bytes dxt5 = DdsHeader(4, 4, "DXT5");
    dxt5.push_back(255);  // a0
    dxt5.push_back(0);    // a1 (a0 > a1: eight levels)
    // Texel indices 0,1,2,7 then zeros: 3 bits each, little-endian.
    const std::uint64_t bits = 0ull | 1ull << 3 | 2ull << 6 | 7ull << 9;
    for (int i = 0; i < 6; ++i)
        dxt5.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    PutColorBlock(dxt5, 0x07E0, 0x07E0);
    const GxImage five = Decode(dxt5);
    EXPECT_EQ(five.pixels[0], 0xFF00FF00u);
    EXPECT_EQ(five.pixels[1], 0x0000FF00u);
    EXPECT_EQ(five.pixels[2] >> 24, (6u * 255 + 3) / 7);
    EXPECT_EQ(five.pixels[3] >> 24, (1u * 255 + 3) / 7);
}

TEST(DdsDecoder, UncompressedMasksAndDamagedFiles) {
    Bytes b = DdsHeader(2, 1, "\0\0\0\0");
    b[80] = 0x41;  // RGB with alpha
    b[88] = 32;
    const std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    for (int i = 0; i < 4; ++i)
        gx::WriteLE32(b.data() + 92 + i * 4, masks[i]);
    Put32(b, 0x80112233);
    Put32(b, 0xFFAABBCC);
    const GxImage image = Decode(b);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0x80112233u, 0xFFAABBCCu}));

    Bytes truncated = DdsHeader(64, 64, "DXT5");
    truncated.resize(truncated.size() + 100);
    EXPECT_TRUE(Fails(truncated));
    EXPECT_TRUE(Fails(DdsHeader(100000, 100000, "DXT1")));
    EXPECT_TRUE(Fails(Bytes(b.begin(), b.begin() + 60)));
}

// ---- TGA ----

Bytes TgaHeader(int type, int width, int height, int bits, int descriptor) {
    Bytes b(18, 0);
    b[2] = static_cast<std::uint8_t>(type);
    gx::WriteLE16(b.data() + 12, static_cast<std::uint16_t>(width));
    gx::WriteLE16(b.data() + 14, static_cast<std::uint16_t>(height));
    b[16] = static_cast<std::uint8_t>(bits);
    b[17] = static_cast<std::uint8_t>(descriptor);
    return b;
}

TEST(TgaDecoder, BottomUpTrueColourWithAlpha) {
    Bytes b = TgaHeader(2, 2, 2, 32, 8);
    const std::uint8_t bottomRow[] = {1, 2, 3, 4, 5, 6, 7, 8};  // BGRA
    const std::uint8_t topRow[] = {9, 10, 11, 12, 13, 14, 15, 16};
    b.insert(b.end(), bottomRow, bottomRow + 8);
    b.insert(b.end(), topRow, topRow + 8);
    const GxImage image = Decode(b);
    EXPECT_EQ(image.pixels,
              (std::vector<std::uint32_t>{0x0C0B0A09u, 0x100F0E0Du, 0x04030201u, 0x08070605u}));
}

TEST(TgaDecoder, RunLengthTopDownAndDamage) {
    Bytes b = TgaHeader(10, 3, 1, 24, 0x20);
    b.push_back(0x81);  // run of two
    b.insert(b.end(), {0x30, 0x20, 0x10});
    b.push_back(0x00);  // one raw pixel
    b.insert(b.end(), {0x03, 0x02, 0x01});
    const GxImage image = Decode(b);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFF102030u, 0xFF102030u, 0xFF010203u}));

    Bytes shortRun(b.begin(), b.end() - 2);
    EXPECT_TRUE(Fails(shortRun));
    EXPECT_TRUE(Fails(TgaHeader(2, 60000, 60000, 32, 8)));
    EXPECT_TRUE(Fails(TgaHeader(7, 2, 2, 32, 8)));
}

// ---- BMP ----

Bytes Bmp(int width, int height, int bits, const Bytes& palette, const Bytes& pixels) {
    Bytes b = {'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(54 + palette.size() + pixels.size()));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(54 + palette.size()));
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint16_t>(bits));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(pixels.size()));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(palette.size() / 4));
    Put32(b, 0);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

TEST(BmpDecoder, TwentyFourBitRowsArePaddedAndBottomUp) {
    // 1 × 2: each row 3 bytes plus one byte of padding.
    const Bytes pixels = {0x01, 0x02, 0x03, 0, 0x0A, 0x0B, 0x0C, 0};
    const GxImage image = Decode(Bmp(1, 2, 24, {}, pixels));
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFF0C0B0Au, 0xFF030201u}));
}

TEST(BmpDecoder, PaletteAndDamagedFiles) {
    const Bytes palette = {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0};  // red, blue
    const Bytes pixels = {0b01000000, 0, 0, 0};  // 4-bit: indices 0 then... 1-bit row: 0,1
    const GxImage image = Decode(Bmp(2, 1, 1, palette, pixels));
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF0000FFu}));

    Bytes truncated = Bmp(64, 64, 24, {}, Bytes(100, 0));
    EXPECT_TRUE(Fails(truncated));
    EXPECT_TRUE(Fails(Bmp(70000, 70000, 32, {}, Bytes(16, 0))));
}

// ---- PNG ----

Bytes EncodePng(int width, int height, int colorType, const Bytes& rows) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* target = static_cast<Bytes*>(png_get_io_ptr(p));
            target->insert(target->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = rows.size() / static_cast<size_t>(height);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(rows.data() + stride * y));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST(PngDecoder, WithAndWithoutAlphaAndGrey) {
    const GxImage rgba = Decode(EncodePng(2, 1, PNG_COLOR_TYPE_RGBA, {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(rgba.pixels, (std::vector<std::uint32_t>{0x04010203u, 0x08050607u}));
    const GxImage rgb = Decode(EncodePng(2, 1, PNG_COLOR_TYPE_RGB, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rgb.pixels, (std::vector<std::uint32_t>{0xFF010203u, 0xFF040506u}));
    const GxImage grey = Decode(EncodePng(1, 2, PNG_COLOR_TYPE_GRAY, {0x40, 0xC0}));
    EXPECT_EQ(grey.pixels, (std::vector<std::uint32_t>{0xFF404040u, 0xFFC0C0C0u}));

    int width = 0, height = 0;
    const Bytes png = EncodePng(2, 1, PNG_COLOR_TYPE_RGBA, {1, 2, 3, 4, 5, 6, 7, 8});
    auto block = DecodePng(png.data(), png.size(), width, height);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], 3);  // blue first
    EXPECT_EQ(block[3], 4);
}

TEST(PngDecoder, DamagedAndOversizedFiles) {
    Bytes png = EncodePng(8, 8, PNG_COLOR_TYPE_RGB, Bytes(8 * 8 * 3, 0x55));
    EXPECT_TRUE(Fails(Bytes(png.begin(), png.begin() + png.size() / 2)));
    Bytes huge = png;
    gx::WriteBE32(huge.data() + 16, 1000000);  // width in the header, CRC now wrong too
    EXPECT_TRUE(Fails(huge));
    Bytes corrupt = png;
    corrupt[40] ^= 0xFF;
    EXPECT_TRUE(Fails(corrupt));
    int width = 0, height = 0, depth = 0;
    EXPECT_TRUE(gx::GetImageInfo(png.data(), png.size(), width, height, depth));
    EXPECT_EQ(width, 8);
}

// ---- JPEG ----

Bytes EncodeJpeg(int width, int height, const Bytes& rgb) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + info.next_scanline * width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return out;
}

TEST(JpegDecoder, FlatBlocksDecodeNearTheirColours) {
    Bytes rgb;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (x < 8) {
                rgb.insert(rgb.end(), {200, 40, 40});
            } else {
                rgb.insert(rgb.end(), {40, 80, 220});
            }
        }
    }
    const Bytes jpeg = EncodeJpeg(16, 16, rgb);
    const GxImage image = Decode(jpeg);
    ASSERT_EQ(image.width, 16);
    const auto near = [](std::uint32_t got, std::uint32_t want) {
        for (int shift = 0; shift < 32; shift += 8) {
            if (std::abs(static_cast<int>(got >> shift & 0xFF) -
                         static_cast<int>(want >> shift & 0xFF)) > 3) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(near(image.pixels[0], 0xFFC82828u)) << std::hex << image.pixels[0];
    EXPECT_TRUE(near(image.pixels[15 * 16 + 15], 0xFF2850DCu)) << std::hex << image.pixels[255];
    EXPECT_TRUE(Fails(Bytes(jpeg.begin(), jpeg.begin() + 20)));
}

// Damaged copies of valid pictures of every kind decode or fail, never crash.
TEST(AllDecoders, SurviveRandomDamage) {
    std::vector<Bytes> samples;
    samples.push_back(EncodePng(16, 16, PNG_COLOR_TYPE_RGBA, Bytes(16 * 16 * 4, 0x7F)));
    samples.push_back(EncodeJpeg(16, 16, Bytes(16 * 16 * 3, 0x40)));
    Bytes dds = DdsHeader(8, 8, "DXT5");
    dds.resize(dds.size() + 64, 0x5A);
    samples.push_back(dds);
    Bytes tga = TgaHeader(10, 8, 8, 32, 8);
    for (int i = 0; i < 8; ++i)
        tga.insert(tga.end(), {0x87, 1, 2, 3, 4});
    samples.push_back(tga);
    samples.push_back(Bmp(4, 4, 8, Bytes(16, 0x10), Bytes(16, 1)));
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (const Bytes& sample : samples) {
        for (int round = 0; round < 300; ++round) {
            Bytes damaged = sample;
            const int edits = 1 + static_cast<int>(next() % 8);
            for (int e = 0; e < edits; ++e) {
                damaged[next() % damaged.size()] = static_cast<std::uint8_t>(next());
            }
            if (round % 3 == 0)
                damaged.resize(next() % damaged.size());
            GxImage image;
            std::string error;
            if (gx::DecodeImage(damaged.data(), damaged.size(), image, error)) {
                EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height);
            }
        }
    }
}

}  // namespace
