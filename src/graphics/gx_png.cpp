// PNG decoding and saving through libpng.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/gx_string.h"
#include "graphics/gx_image.h"

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    size_t size;
    size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset)
        png_error(png, "read past the end of the data");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

void SilentWarning(png_structp, png_const_charp) {}

void RaiseError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error)
        *error = message;
    png_longjmp(png, 1);
}

// Decodes into BGRA rows; `error` receives the library's reason on failure.
bool DecodeToBgra(const std::uint8_t* data, size_t size, std::vector<std::uint8_t>& out, int& width,
                  int& height, std::string& error) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        error = "not a PNG picture";
        return false;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, RaiseError, SilentWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        out.clear();
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
    // Compressed data never shrinks below a byte per thousand pixels.
    if (!gx::IsImageSizeAcceptable(w, h, size * 1032, 1.0)) {
        error = "picture size out of range";
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    out.assign(static_cast<size_t>(w) * h * 4, 0);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = out.data() + static_cast<size_t>(y) * w * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::unique_ptr<std::uint8_t[]> DecodePng(const std::uint8_t* data, size_t size, int& width,
                                          int& height) {
    std::vector<std::uint8_t> bgra;
    std::string error;
    if (!DecodeToBgra(data, size, bgra, width, height, error))
        return nullptr;
    auto block = std::make_unique<std::uint8_t[]>(bgra.size());
    std::memcpy(block.get(), bgra.data(), bgra.size());
    return block;
}

namespace gx {

bool DecodePngImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error) {
    std::vector<std::uint8_t> bgra;
    int width = 0, height = 0;
    if (!DecodeToBgra(data, size, bgra, width, height, error))
        return false;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    std::memcpy(out.pixels.data(), bgra.data(), bgra.size());
    return true;
}

}  // namespace gx

namespace {

bool WritePng(std::FILE* file, int width, int height, const std::uint8_t* pixels) {
    std::string error;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, RaiseError, SilentWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_mem_level(png, 9);
    png_color_8 significant{8, 8, 8, 8, 8};
    png_set_sBIT(png, info, &significant);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(pixels + static_cast<size_t>(y) * width * 4));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool SaveImageAsPng(const std::u16string& path, int width, int height, const std::uint8_t* pixels) {
    if (!pixels || width <= 0 || height <= 0 || path.empty())
        return false;
    const std::string target = gx::Utf16ToUtf8(path);
    const std::string temporary = target + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = WritePng(file, width, height, pixels);
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ignored;
    if (!ok) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    std::filesystem::rename(temporary, target, ignored);
    if (ignored) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}
