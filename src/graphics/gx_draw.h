#pragma once

#include <cstdint>
#include <string_view>

#include "content/gx_content_types.h"

class GxTextureBase;
class GxTextureFlex;
class GxFontData;
class GxGDIFontMap;

// The pivot-scale-rotate-move transform shared by the sprite drawers.
struct GxSpriteTransform {
    float x = 0, y = 0;
    float scaleX = 1, scaleY = 1;
    float rotationX = 0, rotationY = 0, rotationZ = 0;
    float pivotX = 0, pivotY = 0;  // fractions of the quad's size
    // A local point of a w × h quad to screen coordinates.
    GxVector2 Apply(float localX, float localY, float width, float height) const;
};

// Immediate-mode drawers: one textured quad (or fan pair) per call, culled
// against the viewport first. Colour 1 is the diffuse colour and colour 2 the
// specular colour added to red, green and blue; every drawer ends with the
// blend mode (0: the mode stored for stage 0).
void DrawQuad(const GxTextureBase* texture, const GxVector2 points[4], float u0, float v0, float u1,
              float v1, const std::uint32_t colors1[4], const std::uint32_t colors2[4],
              int blendMode);
void DrawSprite(const GxTextureBase* texture, float x, float y, const GxFRect& source, float scaleX,
                float scaleY, float rotationX, float rotationY, float rotationZ, float pivotX,
                float pivotY, float offsetU, float offsetV, std::uint32_t color1,
                std::uint32_t color2, int blendMode);
// The common case: the whole source rectangle at (x, y), unscaled, pivot top-left.
void DrawSprite(const GxTextureBase* texture, float x, float y, const GxFRect& source,
                std::uint32_t color1 = 0xFFFFFFFFu, int blendMode = 2);
void DrawFlexSprite(const GxTextureFlex* texture, const GxSpriteTransform& transform,
                    std::uint32_t color1, std::uint32_t color2, int blendMode);
void DrawBitmapText(std::u16string_view text, const GxFontData* font,
                    const GxSpriteTransform& transform, std::uint32_t color1, std::uint32_t color2,
                    int blendMode);
// Returns the advance of the last character (unscaled).
float DrawFontMapText(GxGDIFontMap* fontMap, std::u16string_view text, float x, float y,
                      float scaleX, float scaleY, std::uint32_t color1, std::uint32_t color2,
                      int blendMode);
void DrawGradientRect(const GxFRect& rect, const std::uint32_t colors1[5],
                      const std::uint32_t colors2[5], int blendMode);
void DrawQuad5(const GxTextureBase* texture, const GxVector2 points[5], const GxVector2* uvs,
               const std::uint32_t* colors1, const std::uint32_t* colors2, float offsetU,
               float offsetV, int blendMode);

// Internal to the drawers: culls against the viewport and draws one fan.
bool GxIsOutsideViewport(const GxVector2* points, int count);
void GxDrawTexturedFan(const GxTextureBase* texture, const struct GxVertex* vertices, int count,
                       int blendMode);
