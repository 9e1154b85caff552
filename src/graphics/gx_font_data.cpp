#include "graphics/gx_font_data.h"

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "graphics/gx_font_renderer.h"
#include "graphics/gx_picture_file.h"

namespace {

constexpr std::uint32_t kMaxGlyphs = 0x10000;

}  // namespace

void GxFontData::Clear() {
    m_Texture.reset();
    m_Header = GxFontHeader();
    m_Glyphs.clear();
}

void GxFontData::BuildGrid(std::u16string_view name, std::uint32_t firstCode,
                           std::uint32_t lastCode, std::uint32_t cellWidth,
                           std::uint32_t cellHeight, std::uint32_t columns) {
    m_Header.firstCode = firstCode;
    m_Header.lastCode = lastCode;
    m_Header.cellWidth = cellWidth;
    m_Header.cellHeight = cellHeight;
    m_Header.textureWidth = m_Texture->GetWidth();
    m_Header.textureHeight = m_Texture->GetHeight();
    m_Header.name = std::u16string(name.substr(0, 15));
    if (columns == 0)
        columns = 1;
    const std::uint32_t count = lastCode >= firstCode ? lastCode - firstCode + 1 : 0;
    m_Glyphs.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        m_Glyphs[i].x = static_cast<std::uint16_t>(cellWidth * (i % columns));
        m_Glyphs[i].y = static_cast<std::uint16_t>(cellHeight * (i / columns));
        m_Glyphs[i].width = static_cast<std::uint16_t>(cellWidth);
    }
}

bool GxFontData::CreateGridWith(std::u16string_view name, std::uint32_t firstCode,
                                std::uint32_t lastCode, std::uint32_t cellWidth,
                                std::uint32_t cellHeight, std::uint32_t columns,
                                const std::function<bool(GxTexture&)>& load) {
    Clear();
    if (lastCode < firstCode || lastCode - firstCode >= kMaxGlyphs)
        return false;
    m_Texture = std::make_unique<GxTexture>();
    if (!load(*m_Texture)) {
        Clear();
        return false;
    }
    BuildGrid(name, firstCode, lastCode, cellWidth, cellHeight, columns);
    return true;
}

// The glyph grid must stay at 1:1, so pictures are never stretched.
bool GxFontData::CreateGrid(std::u16string_view name, std::u16string_view pictureFile,
                            std::uint32_t firstCode, std::uint32_t lastCode,
                            std::uint32_t cellWidth, std::uint32_t cellHeight,
                            std::uint32_t columns) {
    return CreateGridWith(
        name, firstCode, lastCode, cellWidth, cellHeight, columns,
        [&](GxTexture& texture) { return texture.CreateFromFile(pictureFile, 0, 1, 0, false); });
}

bool GxFontData::CreateGridFromResource(std::u16string_view name, const void* data, size_t size,
                                        std::uint32_t firstCode, std::uint32_t lastCode,
                                        std::uint32_t cellWidth, std::uint32_t cellHeight,
                                        std::uint32_t columns) {
    return CreateGridWith(name, firstCode, lastCode, cellWidth, cellHeight, columns,
                          [&](GxTexture& texture) {
                              return texture.CreateFromResource(name, data, size, 0, 1, 0, false);
                          });
}

bool GxFontData::CreateGridFromImage(std::u16string_view name, const GxImage& image,
                                     std::uint32_t firstCode, std::uint32_t lastCode,
                                     std::uint32_t cellWidth, std::uint32_t cellHeight,
                                     std::uint32_t columns) {
    return CreateGridWith(name, firstCode, lastCode, cellWidth, cellHeight, columns,
                          [&](GxTexture& texture) { return texture.CreateFromImage(name, image); });
}

bool GxFontData::LoadMap(const std::uint8_t* d, size_t size) {
    if (!d || size < kMapHeaderBytes)
        return false;
    GxFontHeader header;
    header.firstCode = gx::ReadLE32(d + 16);
    header.lastCode = gx::ReadLE32(d + 20);
    header.cellWidth = gx::ReadLE32(d + 40);
    header.cellHeight = gx::ReadLE32(d + 44);
    header.textureWidth = gx::ReadLE32(d + 52);
    header.textureHeight = gx::ReadLE32(d + 56);
    for (int i = 0; i < 15; ++i) {
        const char16_t c = gx::ReadLE16(d + 64 + i * 2);
        if (c == 0)
            break;
        header.name.push_back(c);
    }
    if (header.lastCode < header.firstCode || header.lastCode - header.firstCode >= kMaxGlyphs) {
        return false;
    }
    const size_t count = header.lastCode - header.firstCode + 1;
    if (count * 8 > size - kMapHeaderBytes)
        return false;
    m_Glyphs.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = d + kMapHeaderBytes + i * 8;
        m_Glyphs[i] = GxFontGlyphEntry{gx::ReadLE16(entry), gx::ReadLE16(entry + 2),
                                       gx::ReadLE16(entry + 4), 0};
    }
    m_Header = header;
    if (m_Texture) {
        // UVs use the allocated size of the texture actually made.
        m_Header.textureWidth = m_Texture->GetWidth();
        m_Header.textureHeight = m_Texture->GetHeight();
    }
    return true;
}

bool GxFontData::LoadFromFile(std::u16string_view mapFile, std::u16string_view pictureFile) {
    Clear();
    m_Texture = std::make_unique<GxTexture>();
    GxBinBuffer buffer;
    if (!m_Texture->CreateFromFile(pictureFile, 0, 1, 0, false) ||
        !gx::LoadPictureFile(buffer, mapFile, false) ||
        !LoadMap(buffer.GetData(), buffer.GetSize())) {
        LogError(u"Error/GxFontData CreateFromFile Failed(Name:\"%s\")\n", std::u16string(mapFile));
        Clear();
        return false;
    }
    return true;
}

std::uint32_t GxFontData::ToFontCode(char32_t code) const {
    // Fonts whose table ends below 256 are indexed by byte.
    if (m_Header.lastCode < 256)
        return gx::ToSingleByteCode(code);
    return static_cast<std::uint32_t>(code);
}

const GxFontGlyphEntry* GxFontData::GetGlyph(char32_t code) const {
    const std::uint32_t index = ToFontCode(code);
    if (m_Glyphs.empty() || index < m_Header.firstCode || index > m_Header.lastCode)
        return nullptr;
    return &m_Glyphs[index - m_Header.firstCode];
}

bool GxFontData::HasGlyph(char32_t code) const {
    return GetGlyph(code) != nullptr;
}

bool GxFontData::GetGlyphUV(char32_t code, float& left, float& top, float& right,
                            float& bottom) const {
    left = top = right = bottom = 0;
    const GxFontGlyphEntry* glyph = GetGlyph(code);
    if (!glyph || m_Header.textureWidth == 0 || m_Header.textureHeight == 0)
        return false;
    const float width = static_cast<float>(m_Header.textureWidth);
    const float height = static_cast<float>(m_Header.textureHeight);
    left = glyph->x / width;
    top = glyph->y / height;
    right = static_cast<float>(glyph->x + glyph->width) / width;
    bottom = static_cast<float>(glyph->y + m_Header.cellHeight) / height;
    return true;
}

int GxFontData::GetCharWidth(char32_t code) const {
    const GxFontGlyphEntry* glyph = GetGlyph(code);
    return glyph ? glyph->width : static_cast<int>(m_Header.cellWidth);
}

int GxFontData::GetTextWidth(std::u16string_view text) const {
    int width = 0;
    for (char16_t c : text)
        width += GetCharWidth(c);
    return width;
}
