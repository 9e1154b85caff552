#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A decoded picture: 0xAARRGGBB pixels, rows from the top.
struct GxImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

namespace gx {

// The largest side a picture may declare (the device's maximum texture size).
int GetMaxImageSide();
// Whether a declared size is acceptable: positive, within the maximum side, and
// (when `minBytesPerPixel` is not 0) backed by enough bytes in the file.
bool IsImageSizeAcceptable(std::int64_t width, std::int64_t height, size_t available,
                           double minBytesPerPixel);

// One channel selected by `mask`, scaled to 8 bits (255 when the mask is empty).
std::uint32_t ExtractMaskedChannel(std::uint32_t value, std::uint32_t mask);

// Size from the header of a PNG, JPEG, DDS, BMP or TGA picture in memory.
bool GetImageInfo(const std::uint8_t* data, size_t size, int& width, int& height, int& depth);
// Decodes any supported picture; `error` tells why not.
bool DecodeImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error);

bool DecodePngImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error);
bool DecodeJpegImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error);
bool DecodeTgaImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error);
bool DecodeBmpImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error);
bool DecodeDdsImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error);
bool GetJpegInfo(const std::uint8_t* data, size_t size, int& width, int& height);
bool GetTgaInfo(const std::uint8_t* data, size_t size, int& width, int& height, int& depth);
bool GetBmpInfo(const std::uint8_t* data, size_t size, int& width, int& height, int& depth);

}  // namespace gx

// PNG to rows of width × 4 bytes in blue, green, red, alpha order (null on failure).
std::unique_ptr<std::uint8_t[]> DecodePng(const std::uint8_t* data, size_t size, int& width,
                                          int& height);
// Writes rows of width × 4 bytes (blue, green, red, alpha) as an 8-bit RGBA PNG.
// The file is written beside the target and renamed over it only when complete.
bool SaveImageAsPng(const std::u16string& path, int width, int height, const std::uint8_t* pixels);
