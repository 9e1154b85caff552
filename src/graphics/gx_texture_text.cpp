#include "graphics/gx_texture_text.h"

#include <algorithm>
#include <cstring>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "graphics/gx_font_data.h"
#include "graphics/gx_font_map.h"
#include "graphics/gx_font_renderer.h"
#include "graphics/gx_gl_device.h"
#include "graphics/gx_pixel_format.h"

void GxTextureText::SetFontName(std::string_view name) {
    m_FaceName = gx::AnsiToUtf16(name);
}

bool GxTextureText::ResizeBuffer(std::uint32_t bytes) {
    if (bytes <= m_WorkBuffer.size())
        return true;
    try {
        m_WorkBuffer.resize(bytes);
    } catch (const std::bad_alloc&) {
        LogError(u"Error/GxTextureText::ResizeBuffer(%u)に失敗\n", bytes);
        return false;
    }
    return true;
}

void GxTextureText::PutPixel(int x, int y, std::uint32_t color, std::uint32_t alpha) {
    if (x < 0 || y < 0 || x >= static_cast<int>(m_Width) || y >= static_cast<int>(m_Height))
        return;
    const std::uint32_t value =
        gx::EncodePixel((alpha & 0xFF) << 24 | (color & 0x00FFFFFFu), m_Format);
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(m_Format));
    std::uint8_t* target = m_Pixels.data() + GetPitch() * y + bytes * x;
    std::memcpy(target, &value, bytes);
}

bool GxTextureText::DrawText(std::u16string_view text, int x, int y, int size, std::uint32_t color,
                             int* outWidth, int* outHeight) {
    if (m_Pixels.empty() || size <= 0)
        return false;
    if (!ResizeBuffer(static_cast<std::uint32_t>(size * size * 4)))
        return false;
    int penX = x;
    int top = static_cast<int>(m_Height), bottom = y;
    for (char16_t c : text) {
        const int advance = size * gx::GetCharWidthClass(c) / 2;
        if (c != u'\u3000' && c != 2) {
            GxGlyphBitmap glyph;
            if (gx::RenderGlyph(m_FaceName, size, c, glyph)) {
                for (int gy = 0; gy < glyph.height; ++gy) {
                    for (int gx = 0; gx < glyph.width; ++gx) {
                        const int level = glyph.levels[static_cast<size_t>(gy) * glyph.width + gx];
                        if (level == 0)
                            continue;
                        PutPixel(penX + glyph.left + gx, y + glyph.top + gy, color,
                                 gx::LevelToAlpha(level));
                    }
                }
                top = std::min(top, y + glyph.top);
                bottom = std::max(bottom, y + glyph.top + glyph.height);
            }
        }
        penX += advance;
    }
    UploadRows(std::clamp(std::min(top, y), 0, static_cast<int>(m_Height)),
               std::clamp(std::max(bottom, y + size), 0, static_cast<int>(m_Height)));
    if (outWidth)
        *outWidth = penX - x;
    if (outHeight)
        *outHeight = size;
    return true;
}

bool GxTextureText::DrawText(std::string_view text, int x, int y, int size, std::uint32_t color,
                             int* outWidth, int* outHeight) {
    return DrawText(gx::AnsiToUtf16(text), x, y, size, color, outWidth, outHeight);
}

bool GxTextureText::DrawTextWithFont(std::u16string_view text, const GxFontData* font, int x, int y,
                                     std::uint32_t color, std::uint32_t outlineColor, int drawType,
                                     int* outWidth) {
    if (!font || !font->GetTexture() || m_Pixels.empty())
        return false;
    const GxTexture* picture = font->GetTexture();
    const int cellHeight = font->GetCellHeight();
    const std::vector<std::uint8_t>& source = picture->GetMemoryPixels();
    const size_t sourceBytes = static_cast<size_t>(GxGetBytesPerPixel(picture->GetFormat()));
    const size_t sourcePitch = picture->GetWidth() * sourceBytes;
    constexpr int kBorder = 2;
    int penX = x;
    for (char16_t c : text) {
        const GxFontGlyphEntry* glyph = font->GetGlyph(c);
        if (!glyph)
            continue;
        const int width = glyph->width;
        // The glyph's 16 levels (alpha / 17) in a work bitmap with a border.
        const int workWidth = width + kBorder * 2, workHeight = cellHeight + kBorder * 2;
        std::vector<int> levels(static_cast<size_t>(workWidth) * workHeight, 0);
        for (int gy = 0; gy < cellHeight; ++gy) {
            for (int gx = 0; gx < width; ++gx) {
                const int sx = glyph->x + gx, sy = glyph->y + gy;
                if (sx >= static_cast<int>(picture->GetWidth()) ||
                    sy >= static_cast<int>(picture->GetHeight())) {
                    continue;
                }
                std::uint32_t argb = 0;
                gx::DecodeRow(source.data() + sourcePitch * sy + sourceBytes * sx, 1,
                              picture->GetFormat(), &argb);
                levels[static_cast<size_t>(gy + kBorder) * workWidth + gx + kBorder] =
                    static_cast<int>(argb >> 24) / 17;
            }
        }
        const auto level = [&](int lx, int ly) {
            if (lx < 0 || ly < 0 || lx >= workWidth || ly >= workHeight)
                return 0;
            return levels[static_cast<size_t>(ly) * workWidth + lx];
        };
        for (int wy = 0; wy < workHeight; ++wy) {
            for (int wx = 0; wx < workWidth; ++wx) {
                const int own = level(wx, wy);
                const int tx = penX + wx - kBorder, ty = y + wy - kBorder;
                if (drawType != TEXTDRAW_OUTLINE) {
                    if (own > 0)
                        PutPixel(tx, ty, color, static_cast<std::uint32_t>(own * 17));
                    continue;
                }
                // Outline level: half of centre ×2, the 8 neighbours ×1, the 4 at distance 2 ×½.
                double sum = own * 2.0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (dx != 0 || dy != 0)
                            sum += level(wx + dx, wy + dy);
                    }
                }
                sum += 0.5 * (level(wx - 2, wy) + level(wx + 2, wy) + level(wx, wy - 2) +
                              level(wx, wy + 2));
                const int outline = std::min(15, static_cast<int>(sum / 2));
                if (outline == 0)
                    continue;
                std::uint32_t mixed = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const int from = static_cast<int>(outlineColor >> shift & 0xFF);
                    const int to = static_cast<int>(color >> shift & 0xFF);
                    mixed |= static_cast<std::uint32_t>(from + (to - from) * own / 15) << shift;
                }
                PutPixel(tx, ty, mixed, static_cast<std::uint32_t>(outline * 17));
            }
        }
        penX += width;
    }
    UploadRows(std::clamp(y - kBorder, 0, static_cast<int>(m_Height)),
               std::clamp(y + cellHeight + kBorder, 0, static_cast<int>(m_Height)));
    if (outWidth)
        *outWidth = penX - x;
    return true;
}

bool GxTextureText::DrawFontMapGlyph(GxGDIFontMap* fontMap, char32_t code, int x, int y,
                                     std::uint32_t color, bool outline,
                                     std::uint32_t outlineColor) {
    if (!fontMap || m_Pixels.empty())
        return false;
    const GxFontMapGlyph glyph = fontMap->GetGlyph(code);
    if (!glyph.texture)
        return false;
    const GxTexture* page = glyph.texture;
    const std::vector<std::uint8_t>& source = page->GetMemoryPixels();
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(page->GetFormat()));
    const size_t pitch = page->GetWidth() * bytes;
    const auto alphaAt = [&](int gx, int gy) -> std::uint32_t {
        if (gx < 0 || gy < 0 || gx >= glyph.width || gy >= glyph.height)
            return 0;
        std::uint32_t argb = 0;
        gx::DecodeRow(source.data() + pitch * (glyph.y + gy) + bytes * (glyph.x + gx), 1,
                      page->GetFormat(), &argb);
        return argb >> 24;
    };
    if (outline) {
        for (int gy = -1; gy <= glyph.height; ++gy) {
            for (int gx = -1; gx <= glyph.width; ++gx) {
                std::uint32_t around = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx)
                        around = std::max(around, alphaAt(gx + dx, gy + dy));
                }
                if (around > 0)
                    PutPixel(x + gx, y + gy, outlineColor, around);
            }
        }
    }
    for (int gy = 0; gy < glyph.height; ++gy) {
        for (int gx = 0; gx < glyph.width; ++gx) {
            const std::uint32_t alpha = alphaAt(gx, gy);
            if (alpha > 0)
                PutPixel(x + gx, y + gy, color, alpha);
        }
    }
    UploadRows(std::clamp(y - 1, 0, static_cast<int>(m_Height)),
               std::clamp(y + glyph.height + 1, 0, static_cast<int>(m_Height)));
    return true;
}

// ---- GxTextureTextEx ----

GxTextureTextEx::GxTextureTextEx() : m_EscapeHandler(&GxTextureTextEx::HandleColorEscape) {}

GxRect GxTextureTextEx::Layout() const {
    if (m_HasLayout)
        return m_Layout;
    return GxRect{0, 0, static_cast<std::int32_t>(m_Width), static_cast<std::int32_t>(m_Height)};
}

void GxTextureTextEx::SetLayoutRect(const GxRect* rect) {
    m_HasLayout = rect != nullptr;
    if (rect)
        m_Layout = *rect;
    const GxRect layout = Layout();
    m_PenX = layout.left;
    m_PenY = layout.top;
}

void GxTextureTextEx::UseSystemFont(int size) {
    m_Source = SOURCE_SYSTEM;
    m_FontSize = size;
}
void GxTextureTextEx::UseBitmapFont(const GxFontData* font) {
    m_Source = SOURCE_BITMAP;
    m_BitmapFont = font;
}
void GxTextureTextEx::UseFontMap(GxGDIFontMap* fontMap, bool outline) {
    m_Source = SOURCE_FONTMAP;
    m_FontMap = fontMap;
    m_Outline = outline;
}
void GxTextureTextEx::SetSpecialChars(char16_t lineBreak, char16_t escape, char16_t terminator) {
    m_LineBreak = lineBreak;
    m_Escape = escape;
    m_Terminator = terminator;
}
void GxTextureTextEx::SetSpacing(int letter, int line) {
    m_LetterSpacing = letter;
    m_LineSpacing = line;
}
void GxTextureTextEx::SetPen(int x, int y) {
    m_PenX = x;
    m_PenY = y;
}
void GxTextureTextEx::GetPen(int& x, int& y) const {
    x = m_PenX;
    y = m_PenY;
}
void GxTextureTextEx::SetText(std::u16string_view text) {
    m_Text = std::u16string(text);
    m_Index = 0;
}
void GxTextureTextEx::ClearText() {
    m_Text.clear();
    m_Index = 0;
}

int GxTextureTextEx::Advance(char16_t c) const {
    switch (m_Source) {
        case SOURCE_BITMAP:
            return m_BitmapFont ? m_BitmapFont->GetCharWidth(c) : 0;
        case SOURCE_FONTMAP:
            return m_FontMap ? m_FontMap->GetSize() * gx::GetCharWidthClass(c) / 2 : 0;
        default:
            return m_FontSize * gx::GetCharWidthClass(c) / 2;
    }
}

int GxTextureTextEx::LineHeight() const {
    switch (m_Source) {
        case SOURCE_BITMAP:
            return m_BitmapFont ? m_BitmapFont->GetCellHeight() : 0;
        case SOURCE_FONTMAP:
            return m_FontMap ? m_FontMap->GetSize() : 0;
        default:
            return m_FontSize;
    }
}

void GxTextureTextEx::NewLine() {
    m_PenX = Layout().left;
    m_PenY += LineHeight() + m_LineSpacing;
}

void GxTextureTextEx::DrawOne(char16_t c) {
    const char16_t text[1] = {c};
    switch (m_Source) {
        case SOURCE_BITMAP:
            DrawTextWithFont(std::u16string_view(text, 1), m_BitmapFont, m_PenX, m_PenY, m_Color);
            break;
        case SOURCE_FONTMAP:
            DrawFontMapGlyph(m_FontMap, c, m_PenX, m_PenY, m_Color, m_Outline, m_OutlineColor);
            break;
        default:
            DrawText(std::u16string_view(text, 1), m_PenX, m_PenY, m_FontSize, m_Color);
            break;
    }
}

int GxTextureTextEx::Draw(int count, bool escapes) {
    while (count != 0 && m_Index < m_Text.size()) {
        const char16_t c = m_Text[m_Index];
        if (c == m_LineBreak) {
            NewLine();
            ++m_Index;
            continue;
        }
        if (escapes && c == m_Escape && m_EscapeHandler) {
            const std::u16string_view rest = std::u16string_view(m_Text).substr(m_Index + 1);
            const int consumed = std::max(0, m_EscapeHandler(*this, rest));
            m_Index = std::min(m_Text.size(), m_Index + 1 + static_cast<size_t>(consumed));
            continue;
        }
        const int advance = Advance(c);
        if (Layout().right < m_PenX + m_LetterSpacing + advance)
            NewLine();
        DrawOne(c);
        m_PenX += advance + m_LetterSpacing;
        ++m_Index;
        if (count > 0)
            --count;
    }
    return static_cast<int>(m_Text.size() - m_Index);
}

int GxTextureTextEx::DrawAll() {
    int left = static_cast<int>(m_Text.size() - m_Index);
    while (m_Index < m_Text.size())
        left = DrawChars(1);
    return left;
}

int GxTextureTextEx::DrawAllEx() {
    int left = static_cast<int>(m_Text.size() - m_Index);
    while (m_Index < m_Text.size())
        left = DrawCharsEx(1);
    return left;
}

int GxTextureTextEx::Print(std::u16string_view text) {
    SetText(text);
    return DrawAllEx();
}

int GxTextureTextEx::PrintAt(std::u16string_view text, int x, int y) {
    SetPen(x, y);
    return Print(text);
}

void GxTextureTextEx::ClearAll() {
    ClearText();
    const GxRect layout = Layout();
    m_PenX = layout.left;
    m_PenY = layout.top;
    FillRect(GxRect{layout.left, layout.top, layout.right, static_cast<std::int32_t>(m_Height)}, 0);
}

int GxTextureTextEx::ClearAndPrint(std::u16string_view text) {
    ClearAll();
    return Print(text);
}

int GxTextureTextEx::ClearAndPrintAt(std::u16string_view text, int x, int y) {
    ClearAll();
    return PrintAt(text, x, y);
}

int GxTextureTextEx::HandleColorEscape(GxTextureTextEx& texture, std::u16string_view text) {
    static const std::uint32_t kColors[] = {0xFF000000u, 0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u,
                                            0xFF00FFFFu, 0xFFFF00FFu, 0xFFFFFF00u, 0xFFFFFFFFu};
    size_t i = 0;
    for (; i < text.size() && text[i] != texture.GetEscapeTerminator(); ++i) {
        const char16_t c = text[i];
        if (c == u'-') {
            texture.SetCurrentColor(texture.GetDefaultColor());
        } else if (c >= u'0' && c <= u'7') {
            texture.SetCurrentColor(kColors[c - u'0']);
        }
    }
    // The terminator is consumed with the codes.
    return static_cast<int>(i < text.size() ? i + 1 : i);
}
