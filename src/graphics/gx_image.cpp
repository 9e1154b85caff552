#include "graphics/gx_image.h"

#include <bit>
#include <cstring>

#include "base/gx_byte_order.h"
#include "graphics/gx_graphics.h"

namespace gx {

int GetMaxImageSide() {
    const std::uint32_t side = GxGraphics::GetCaps().maxTextureWidth;
    return side > 0 ? static_cast<int>(side) : 4096;
}

bool IsImageSizeAcceptable(std::int64_t width, std::int64_t height, size_t available,
                           double minBytesPerPixel) {
    if (width <= 0 || height <= 0)
        return false;
    if (width > GetMaxImageSide() || height > GetMaxImageSide())
        return false;
    if (minBytesPerPixel > 0 &&
        static_cast<double>(width) * static_cast<double>(height) * minBytesPerPixel >
            static_cast<double>(available)) {
        return false;
    }
    return true;
}

std::uint32_t ExtractMaskedChannel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0)
        return 255;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t channel = (value & mask) >> shift;
    if (bits >= 8)
        return channel >> (bits - 8);
    const std::uint32_t maxValue = (1u << bits) - 1;
    return (channel * 255 + maxValue / 2) / maxValue;
}

namespace {

bool IsPng(const std::uint8_t* data, size_t size) {
    static const std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}
bool IsDds(const std::uint8_t* data, size_t size) {
    return size >= 4 && std::memcmp(data, "DDS ", 4) == 0;
}
bool IsJpeg(const std::uint8_t* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}
bool IsBmp(const std::uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

}  // namespace

bool GetImageInfo(const std::uint8_t* data, size_t size, int& width, int& height, int& depth) {
    depth = 0;
    if (!data)
        return false;
    if (IsPng(data, size)) {
        if (size < 24)
            return false;
        width = static_cast<int>(ReadBE32(data + 16));
        height = static_cast<int>(ReadBE32(data + 20));
        return width > 0 && height > 0;
    }
    if (IsDds(data, size)) {
        if (size < 128)
            return false;
        width = static_cast<int>(ReadLE32(data + 16));
        height = static_cast<int>(ReadLE32(data + 12));
        depth = static_cast<int>(ReadLE32(data + 24));
        return width > 0 && height > 0;
    }
    if (IsJpeg(data, size))
        return GetJpegInfo(data, size, width, height);
    if (IsBmp(data, size))
        return GetBmpInfo(data, size, width, height, depth);
    return GetTgaInfo(data, size, width, height, depth);
}

bool DecodeImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error) {
    if (!data || size == 0) {
        error = "empty data";
        return false;
    }
    if (IsPng(data, size))
        return DecodePngImage(data, size, out, error);
    if (IsDds(data, size))
        return DecodeDdsImage(data, size, out, error);
    if (IsJpeg(data, size))
        return DecodeJpegImage(data, size, out, error);
    if (IsBmp(data, size))
        return DecodeBmpImage(data, size, out, error);
    return DecodeTgaImage(data, size, out, error);
}

}  // namespace gx
