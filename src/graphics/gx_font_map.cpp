#include "graphics/gx_font_map.h"

#include "graphics/gx_font_renderer.h"
#include "graphics/gx_texture_text.h"

GxGDIFontMap::GxGDIFontMap() : m_FaceName(GxTextureText::kDefaultFace) {}
GxGDIFontMap::~GxGDIFontMap() = default;

void GxGDIFontMap::Setup(int size, const char16_t* faceName) {
    Clear();
    m_Size = size > 0 ? size : 16;
    m_FaceName = faceName ? faceName : GxTextureText::kDefaultFace;
}

void GxGDIFontMap::Clear() {
    m_Glyphs.clear();
    m_Pages.clear();
}

void GxGDIFontMap::SetPrivateUsePicture(GxTexture* picture, int columns) {
    m_PrivateUse = picture;
    m_PrivateUseColumns = columns;
}

GxTextureText* GxGDIFontMap::GetPage(size_t index) const {
    return index < m_Pages.size() ? m_Pages[index].texture.get() : nullptr;
}

const GxFontMapGlyph& GxGDIFontMap::GetGlyph(char32_t code) {
    m_Scratch = GxFontMapGlyph();
    if (code <= 31 || (code >= 127 && code <= 159))
        return m_Scratch;
    if (code >= 0xE000 && code <= 0xF8FF) {
        if (!m_PrivateUse || m_PrivateUseColumns <= 0)
            return m_Scratch;
        const int index = static_cast<int>(code - 0xE000);
        GxFontMapGlyph& glyph = m_Scratch;
        glyph.texture = m_PrivateUse;
        glyph.x = (index % m_PrivateUseColumns) * m_Size;
        glyph.y = (index / m_PrivateUseColumns) * m_Size;
        glyph.width = glyph.height = m_Size;
        glyph.widthClass = 2;
        glyph.u0 = m_PrivateUse->ToU(static_cast<float>(glyph.x));
        glyph.v0 = m_PrivateUse->ToV(static_cast<float>(glyph.y));
        glyph.u1 = m_PrivateUse->ToU(static_cast<float>(glyph.x + m_Size));
        glyph.v1 = m_PrivateUse->ToV(static_cast<float>(glyph.y + m_Size));
        return glyph;
    }
    if (auto it = m_Glyphs.find(code); it != m_Glyphs.end())
        return it->second;
    if (m_Pages.empty() || m_Pages.back().penY + m_Size >= kPageSize) {
        GxGDIFontMapTextureParam page;
        page.texture = std::make_unique<GxTextureText>();
        if (!page.texture->CreateTexture(u"GDIFontMap", kPageSize, kPageSize, D3DFMT_A4R4G4B4, 1)) {
            return m_Scratch;
        }
        page.texture->SetFontName(m_FaceName);
        m_Pages.push_back(std::move(page));
    }
    GxGDIFontMapTextureParam& page = m_Pages.back();
    GxFontMapGlyph glyph;
    glyph.texture = page.texture.get();
    glyph.widthClass = gx::GetCharWidthClass(code);
    glyph.x = page.penX;
    glyph.y = page.penY;
    glyph.width = glyph.widthClass * m_Size / 2;
    glyph.height = m_Size;
    glyph.u0 = page.texture->ToU(static_cast<float>(glyph.x));
    glyph.v0 = page.texture->ToV(static_cast<float>(glyph.y));
    glyph.u1 = page.texture->ToU(static_cast<float>(glyph.x + glyph.width));
    glyph.v1 = page.texture->ToV(static_cast<float>(glyph.y + glyph.height));
    const char16_t text[2] = {static_cast<char16_t>(code), 0};
    page.texture->DrawText(std::u16string_view(text, 1), page.penX, page.penY, m_Size, 0xFFFFFFFFu);
    page.penX += glyph.width;
    if (page.penX + m_Size >= kPageSize) {
        page.penX = 0;
        page.penY += m_Size;
    }
    return m_Glyphs[code] = glyph;
}
