// The text drawers: bitmap-font strings and system-font atlas strings.
#include "graphics/gx_draw.h"
#include "graphics/gx_font_data.h"
#include "graphics/gx_font_map.h"
#include "graphics/gx_font_renderer.h"
#include "graphics/gx_texture.h"

void DrawBitmapText(std::u16string_view text, const GxFontData* font,
                    const GxSpriteTransform& transform, std::uint32_t color1, std::uint32_t color2,
                    int blendMode) {
    if (!font || !font->GetTexture())
        return;
    const float w = static_cast<float>(font->GetTextWidth(text));
    const float h = static_cast<float>(font->GetCellHeight());
    const std::uint32_t c1[4] = {color1, color1, color1, color1};
    const std::uint32_t c2[4] = {color2, color2, color2, color2};
    float pen = 0;
    for (char16_t c : text) {
        const float advance = static_cast<float>(font->GetCharWidth(c));
        float u0, v0, u1, v1;
        if (font->GetGlyphUV(c, u0, v0, u1, v1)) {
            const GxVector2 corners[4] = {
                transform.Apply(pen, 0, w, h), transform.Apply(pen, h, w, h),
                transform.Apply(pen + advance, h, w, h), transform.Apply(pen + advance, 0, w, h)};
            DrawQuad(font->GetTexture(), corners, u0, v0, u1, v1, c1, c2, blendMode);
        }
        pen += advance;
    }
}

float DrawFontMapText(GxGDIFontMap* fontMap, std::u16string_view text, float x, float y,
                      float scaleX, float scaleY, std::uint32_t color1, std::uint32_t color2,
                      int blendMode) {
    if (!fontMap)
        return 0;
    const float size = static_cast<float>(fontMap->GetSize());
    float penX = 0, penY = 0, advance = 0;
    for (char16_t c : text) {
        const GxFontMapGlyph& glyph = fontMap->GetGlyph(c);
        if (glyph.texture) {
            const GxFRect source{static_cast<float>(glyph.x), static_cast<float>(glyph.y),
                                 static_cast<float>(glyph.x + glyph.width),
                                 static_cast<float>(glyph.y + glyph.height)};
            DrawSprite(glyph.texture, x + scaleX * penX, y + scaleY * penY, source, scaleX, scaleY,
                       0, 0, 0, 0, 0, 0, 0, color1, color2, blendMode);
        }
        advance = size * static_cast<float>(gx::GetCharWidthClass(c)) / 2;
        if (c == u'\n') {
            penX = 0;
            penY += size;
        } else {
            penX += advance;
        }
    }
    return advance;
}
