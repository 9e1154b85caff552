#include "graphics/gx_image_resample.h"

#include <algorithm>
#include <cmath>

namespace gx {

GxImage ResampleNearest(const GxImage& source, int width, int height) {
    GxImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<std::int64_t>(y) * source.height / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<std::int64_t>(x) * source.width / width);
            out.pixels[static_cast<size_t>(y) * width + x] =
                source.pixels[static_cast<size_t>(sy) * source.width + sx];
        }
    }
    return out;
}

GxImage ResampleBilinear(const GxImage& source, int width, int height) {
    GxImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    const float scaleX = static_cast<float>(source.width) / static_cast<float>(width);
    const float scaleY = static_cast<float>(source.height) / static_cast<float>(height);
    const auto at = [&](int x, int y) {
        x = std::clamp(x, 0, source.width - 1);
        y = std::clamp(y, 0, source.height - 1);
        return source.pixels[static_cast<size_t>(y) * source.width + x];
    };
    for (int y = 0; y < height; ++y) {
        const float fy = (static_cast<float>(y) + 0.5f) * scaleY - 0.5f;
        const int y0 = static_cast<int>(std::floor(fy));
        const float ty = fy - static_cast<float>(y0);
        for (int x = 0; x < width; ++x) {
            const float fx = (static_cast<float>(x) + 0.5f) * scaleX - 0.5f;
            const int x0 = static_cast<int>(std::floor(fx));
            const float tx = fx - static_cast<float>(x0);
            const std::uint32_t p00 = at(x0, y0), p10 = at(x0 + 1, y0);
            const std::uint32_t p01 = at(x0, y0 + 1), p11 = at(x0 + 1, y0 + 1);
            std::uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const auto c = [shift](std::uint32_t p) {
                    return static_cast<float>(p >> shift & 0xFF);
                };
                const float top = c(p00) + (c(p10) - c(p00)) * tx;
                const float bottom = c(p01) + (c(p11) - c(p01)) * tx;
                const float value = top + (bottom - top) * ty;
                result |= static_cast<std::uint32_t>(std::clamp(value + 0.5f, 0.0f, 255.0f))
                          << shift;
            }
            out.pixels[static_cast<size_t>(y) * width + x] = result;
        }
    }
    return out;
}

std::uint32_t CompositePixelOver(std::uint32_t canvas, std::uint32_t source) {
    const std::uint32_t s = source >> 24, d = canvas >> 24;
    const std::uint32_t sum = (255 - d) * s + (255 - s) * d + s * d;
    if (sum == 0)
        return 0;
    std::uint32_t result = (sum / 255) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t cs = source >> shift & 0xFF, cd = canvas >> shift & 0xFF;
        const std::uint32_t value = (cs * s * 255 + cd * d * (255 - s)) / sum;
        result |= std::min<std::uint32_t>(value, 255) << shift;
    }
    return result;
}

void CompositeOver(GxImage& canvas, const GxImage& source) {
    const int width = std::min(canvas.width, source.width);
    const int height = std::min(canvas.height, source.height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& target = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
            target = CompositePixelOver(target,
                                        source.pixels[static_cast<size_t>(y) * source.width + x]);
        }
    }
}

}  // namespace gx
