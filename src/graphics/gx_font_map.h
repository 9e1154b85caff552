#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class GxTexture;
class GxTextureText;

struct GxFontMapGlyph {
    GxTexture* texture = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    int widthClass = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
};

struct GxGDIFontMapTextureParam {
    std::unique_ptr<GxTextureText> texture;
    int penX = 0, penY = 0;
};

// A growing atlas of system-font glyphs at one size: 512 × 512 pages, filled
// row by row as characters are first asked for.
class GxGDIFontMap {
public:
    static constexpr int kPageSize = 512;

    GxGDIFontMap();
    ~GxGDIFontMap();
    GxGDIFontMap(const GxGDIFontMap&) = delete;
    GxGDIFontMap& operator=(const GxGDIFontMap&) = delete;

    // Clears all pages and records; null face: the default face.
    void Setup(int size, const char16_t* faceName = nullptr);
    const GxFontMapGlyph& GetGlyph(char32_t code);
    void Clear();
    // A picture of square cells (the font size) for the private-use characters.
    void SetPrivateUsePicture(GxTexture* picture, int columns);

    int GetSize() const { return m_Size; }
    const std::u16string& GetFaceName() const { return m_FaceName; }
    size_t GetPageCount() const { return m_Pages.size(); }
    GxTextureText* GetPage(size_t index) const;

private:
    int m_Size = 16;
    std::u16string m_FaceName;
    std::map<char32_t, GxFontMapGlyph> m_Glyphs;
    std::vector<GxGDIFontMapTextureParam> m_Pages;
    GxTexture* m_PrivateUse = nullptr;
    int m_PrivateUseColumns = 0;
    GxFontMapGlyph m_Scratch;
};
