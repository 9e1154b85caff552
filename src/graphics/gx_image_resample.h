#pragma once

#include "graphics/gx_image.h"

namespace gx {

GxImage ResampleNearest(const GxImage& source, int width, int height);
// Bilinear with pixel centres aligned (the triangle filter for stretching pictures).
GxImage ResampleBilinear(const GxImage& source, int width, int height);
// "Over" on straight alpha: `source` composited onto `canvas` where both cover, top-left anchored.
void CompositeOver(GxImage& canvas, const GxImage& source);
std::uint32_t CompositePixelOver(std::uint32_t canvas, std::uint32_t source);

}  // namespace gx
