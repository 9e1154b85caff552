#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A glyph as grey levels 0 to 64 (65 levels), placed relative to the top-left
// of its character cell.
struct GxGlyphBitmap {
    int width = 0, height = 0;
    int left = 0, top = 0;
    std::vector<std::uint8_t> levels;
};

namespace gx {

// The installed font file for a face name: the Japanese system faces of the
// game data map to IPAGothic and IPAMincho, then fontconfig with lang=ja.
std::string ResolveFontFile(std::u16string_view faceName);
// The family name inside a font file (empty when it cannot be read).
std::string GetFontFamily(const std::string& file);
// Renders one character of `faceName` at `size` pixels; characters the face
// lacks come from another installed font that has them. False: nothing to draw.
bool RenderGlyph(std::u16string_view faceName, int size, char32_t code, GxGlyphBitmap& out);
// Alpha of a grey level: min(255, level × 255 / 52).
std::uint8_t LevelToAlpha(int level);
// Coverage 0..255 to the 65 levels.
inline int CoverageToLevel(int coverage) {
    return (coverage * 64 + 127) / 255;
}

// Width class: 1 for half-width characters (below 128, half-width katakana and
// the other single-byte characters of the game's code page), 2 for all others.
int GetCharWidthClass(char32_t code);
int GetTextWidthUnits(std::u16string_view text);
// The byte a bitmap font indexed by byte uses for a character (space when none).
std::uint8_t ToSingleByteCode(char32_t code);

}  // namespace gx
