#include "graphics/gx_draw.h"

#include <cmath>

#include "graphics/gx_draw_state.h"
#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_flex.h"
#include "graphics/gx_vertex.h"

namespace {

// Classic pixel centres sit on integers; texel centres land on them with this shift.
constexpr float kHalfPixel = 0.5f;

GxVertex MakeVertex(const GxVector2& p, std::uint32_t diffuse, std::uint32_t specular, float u,
                    float v) {
    return GxVertex{p.x, p.y, 0.0f, 1.0f, diffuse, specular, u, v};
}

}  // namespace

GxVector2 GxSpriteTransform::Apply(float localX, float localY, float width, float height) const {
    float px = (localX - pivotX * width) * scaleX;
    float py = (localY - pivotY * height) * scaleY;
    float pz = 0.0f;
    if (rotationZ != 0.0f) {
        const float c = std::cos(rotationZ), s = std::sin(rotationZ);
        const float nx = px * c - py * s;
        py = px * s + py * c;
        px = nx;
    }
    if (rotationX != 0.0f) {
        const float c = std::cos(rotationX), s = std::sin(rotationX);
        const float ny = py * c - pz * s;
        pz = py * s + pz * c;
        py = ny;
    }
    if (rotationY != 0.0f) {
        const float c = std::cos(rotationY), s = std::sin(rotationY);
        const float nx = px * c + pz * s;
        pz = -px * s + pz * c;
        px = nx;
    }
    return GxVector2{px + x, py + y};
}

bool GxIsOutsideViewport(const GxVector2* points, int count) {
    const GxRect vp = GetViewportRect();
    bool left = true, right = true, above = true, below = true;
    for (int i = 0; i < count; ++i) {
        left = left && points[i].x < static_cast<float>(vp.left);
        right = right && points[i].x > static_cast<float>(vp.right);
        above = above && points[i].y < static_cast<float>(vp.top);
        below = below && points[i].y > static_cast<float>(vp.bottom);
    }
    return left || right || above || below;
}

void GxDrawTexturedFan(const GxTextureBase* texture, const GxVertex* vertices, int count,
                       int blendMode) {
    GxGLDevice* device = GxGetGLDevice();
    if (!device)
        return;
    SetBlendMode(0, blendMode);
    SetTexture(0, texture);
    device->DrawFan(vertices, count);
}

void DrawQuad(const GxTextureBase* texture, const GxVector2 points[4], float u0, float v0, float u1,
              float v1, const std::uint32_t colors1[4], const std::uint32_t colors2[4],
              int blendMode) {
    GxVector2 p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = GxVector2{points[i].x - kHalfPixel, points[i].y - kHalfPixel};
    if (GxIsOutsideViewport(p, 4))
        return;
    const GxVertex v[4] = {
        MakeVertex(p[0], colors1[0], colors2[0], u0, v0),
        MakeVertex(p[1], colors1[1], colors2[1], u0, v1),
        MakeVertex(p[2], colors1[2], colors2[2], u1, v1),
        MakeVertex(p[3], colors1[3], colors2[3], u1, v0),
    };
    GxDrawTexturedFan(texture, v, 4, blendMode);
}

void DrawSprite(const GxTextureBase* texture, float x, float y, const GxFRect& source, float scaleX,
                float scaleY, float rotationX, float rotationY, float rotationZ, float pivotX,
                float pivotY, float offsetU, float offsetV, std::uint32_t color1,
                std::uint32_t color2, int blendMode) {
    const float w = std::fabs(source.right - source.left);
    const float h = std::fabs(source.bottom - source.top);
    const GxSpriteTransform transform{x,         y,         scaleX, scaleY, rotationX,
                                      rotationY, rotationZ, pivotX, pivotY};
    const GxVector2 corners[4] = {transform.Apply(0, 0, w, h), transform.Apply(0, h, w, h),
                                  transform.Apply(w, h, w, h), transform.Apply(w, 0, w, h)};
    float textureWidth = 1, textureHeight = 1;
    if (texture && texture->GetWidth() && texture->GetHeight()) {
        textureWidth = static_cast<float>(texture->GetWidth());
        textureHeight = static_cast<float>(texture->GetHeight());
    }
    const std::uint32_t c1[4] = {color1, color1, color1, color1};
    const std::uint32_t c2[4] = {color2, color2, color2, color2};
    DrawQuad(texture, corners, source.left / textureWidth + offsetU,
             source.top / textureHeight + offsetV, source.right / textureWidth + offsetU,
             source.bottom / textureHeight + offsetV, c1, c2, blendMode);
}

void DrawSprite(const GxTextureBase* texture, float x, float y, const GxFRect& source,
                std::uint32_t color1, int blendMode) {
    DrawSprite(texture, x, y, source, 1, 1, 0, 0, 0, 0, 0, 0, 0, color1, 0, blendMode);
}

void DrawFlexSprite(const GxTextureFlex* texture, const GxSpriteTransform& transform,
                    std::uint32_t color1, std::uint32_t color2, int blendMode) {
    if (!texture || texture->GetColumns() == 0)
        return;
    const std::uint32_t columns = texture->GetColumns(), rows = texture->GetRows();
    const float w = static_cast<float>(texture->GetImageWidth());
    const float h = static_cast<float>(texture->GetImageHeight());
    const float tile = static_cast<float>(GxTextureFlex::kTileSize);
    // The grid of tile corners is transformed once.
    std::vector<GxVector2> grid(static_cast<size_t>(columns + 1) * (rows + 1));
    for (std::uint32_t r = 0; r <= rows; ++r) {
        for (std::uint32_t c = 0; c <= columns; ++c) {
            grid[static_cast<size_t>(r) * (columns + 1) + c] =
                transform.Apply(static_cast<float>(c) * tile, static_cast<float>(r) * tile, w, h);
        }
    }
    const std::uint32_t c1[4] = {color1, color1, color1, color1};
    const std::uint32_t c2[4] = {color2, color2, color2, color2};
    for (std::uint32_t r = 0; r < rows; ++r) {
        for (std::uint32_t c = 0; c < columns; ++c) {
            const auto at = [&](std::uint32_t cc, std::uint32_t rr) {
                return grid[static_cast<size_t>(rr) * (columns + 1) + cc];
            };
            const GxVector2 corners[4] = {at(c, r), at(c, r + 1), at(c + 1, r + 1), at(c + 1, r)};
            DrawQuad(texture->GetTile(c, r), corners, 0, 0, 1, 1, c1, c2, blendMode);
        }
    }
}

void DrawGradientRect(const GxFRect& rect, const std::uint32_t colors1[5],
                      const std::uint32_t colors2[5], int blendMode) {
    const GxVector2 p[5] = {{rect.left, rect.top},
                            {rect.left, rect.bottom},
                            {rect.right, rect.bottom},
                            {rect.right, rect.top},
                            {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}};
    if (GxIsOutsideViewport(p, 4))
        return;
    const auto vertex = [&](int i) { return MakeVertex(p[i], colors1[i], colors2[i], 0, 0); };
    const GxVertex first[4] = {vertex(0), vertex(1), vertex(4), vertex(3)};
    const GxVertex second[4] = {vertex(4), vertex(1), vertex(2), vertex(3)};
    GxDrawTexturedFan(nullptr, first, 4, blendMode);
    GxDrawTexturedFan(nullptr, second, 4, blendMode);
}

void DrawQuad5(const GxTextureBase* texture, const GxVector2 points[5], const GxVector2* uvs,
               const std::uint32_t* colors1, const std::uint32_t* colors2, float offsetU,
               float offsetV, int blendMode) {
    GxVector2 p[5];
    for (int i = 0; i < 5; ++i)
        p[i] = GxVector2{points[i].x - kHalfPixel, points[i].y - kHalfPixel};
    if (GxIsOutsideViewport(p, 5))
        return;
    const auto vertex = [&](int i) {
        const float u = (uvs ? uvs[i].x : 0.0f) + offsetU;
        const float v = (uvs ? uvs[i].y : 0.0f) + offsetV;
        return MakeVertex(p[i], colors1 ? colors1[i] : 0xFFFFFFFFu, colors2 ? colors2[i] : 0u, u,
                          v);
    };
    const GxVertex first[4] = {vertex(0), vertex(1), vertex(4), vertex(3)};
    const GxVertex second[4] = {vertex(4), vertex(1), vertex(2), vertex(3)};
    GxDrawTexturedFan(texture, first, 4, blendMode);
    GxDrawTexturedFan(texture, second, 4, blendMode);
}
