#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/gx_texture.h"

struct GxFontGlyphEntry {
    std::uint16_t x = 0, y = 0, width = 0, zero = 0;
};

// The 96-byte header of a bitmap font, which is also the head of its ".fmp" map.
struct GxFontHeader {
    std::uint32_t firstCode = 0, lastCode = 0;
    std::uint32_t cellWidth = 0, cellHeight = 0;
    std::uint32_t textureWidth = 0, textureHeight = 0;
    std::u16string name;  // at most 15 characters
};

// A bitmap font: a picture with a grid of glyphs and a table of glyph positions.
class GxFontData {
public:
    static constexpr size_t kMapHeaderBytes = 96;

    GxFontData() = default;
    virtual ~GxFontData() = default;
    GxFontData(const GxFontData&) = delete;
    GxFontData& operator=(const GxFontData&) = delete;

    virtual bool CreateGrid(std::u16string_view name, std::u16string_view pictureFile,
                            std::uint32_t firstCode, std::uint32_t lastCode,
                            std::uint32_t cellWidth, std::uint32_t cellHeight,
                            std::uint32_t columns);
    // The same from a picture held in the program.
    virtual bool CreateGridFromResource(std::u16string_view name, const void* data, size_t size,
                                        std::uint32_t firstCode, std::uint32_t lastCode,
                                        std::uint32_t cellWidth, std::uint32_t cellHeight,
                                        std::uint32_t columns);
    virtual bool LoadFromFile(std::u16string_view mapFile, std::u16string_view pictureFile);
    // Reads a font map from memory over a picture already loaded (tests, packed data).
    bool LoadMap(const std::uint8_t* data, size_t size);
    bool CreateGridFromImage(std::u16string_view name, const GxImage& image,
                             std::uint32_t firstCode, std::uint32_t lastCode,
                             std::uint32_t cellWidth, std::uint32_t cellHeight,
                             std::uint32_t columns);

    virtual GxTexture* GetTexture() { return m_Texture.get(); }
    const GxTexture* GetTexture() const { return m_Texture.get(); }
    virtual bool HasGlyph(char32_t code) const;
    virtual bool GetGlyphUV(char32_t code, float& left, float& top, float& right,
                            float& bottom) const;
    virtual int GetCharWidth(char32_t code) const;
    virtual int GetTextWidth(std::u16string_view text) const;
    virtual int GetCellWidth() const { return static_cast<int>(m_Header.cellWidth); }
    virtual int GetCellHeight() const { return static_cast<int>(m_Header.cellHeight); }
    virtual void Clear();

    // The font's index of a character (fonts indexed by byte use the single-byte code).
    std::uint32_t ToFontCode(char32_t code) const;
    const GxFontGlyphEntry* GetGlyph(char32_t code) const;
    const GxFontHeader& GetHeader() const { return m_Header; }

private:
    bool CreateGridWith(std::u16string_view name, std::uint32_t firstCode, std::uint32_t lastCode,
                        std::uint32_t cellWidth, std::uint32_t cellHeight, std::uint32_t columns,
                        const std::function<bool(GxTexture&)>& load);
    void BuildGrid(std::u16string_view name, std::uint32_t firstCode, std::uint32_t lastCode,
                   std::uint32_t cellWidth, std::uint32_t cellHeight, std::uint32_t columns);

    std::unique_ptr<GxTexture> m_Texture;
    GxFontHeader m_Header;
    std::vector<GxFontGlyphEntry> m_Glyphs;
};
