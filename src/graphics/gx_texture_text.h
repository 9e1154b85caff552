#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/gx_texture.h"

class GxFontData;
class GxGDIFontMap;

enum GxTextDrawType : int {
    TEXTDRAW_PLAIN = 0,
    TEXTDRAW_OUTLINE = 1,
};

// A texture that text is drawn into, with the system font renderer or a bitmap font.
class GxTextureText : public GxTexture {
public:
    static constexpr const char16_t* kDefaultFace = u"ＭＳ ゴシック";

    void SetFontName(std::u16string_view name) { m_FaceName = std::u16string(name); }
    void SetFontName(std::string_view name);
    const std::u16string& GetFontName() const { return m_FaceName; }

    // Draws with the system font renderer at `size` pixels; out: the extent drawn.
    bool DrawText(std::u16string_view text, int x, int y, int size, std::uint32_t color,
                  int* outWidth = nullptr, int* outHeight = nullptr);
    bool DrawText(std::string_view text, int x, int y, int size, std::uint32_t color,
                  int* outWidth = nullptr, int* outHeight = nullptr);
    // Draws with a bitmap font; the outlined type blends from `outlineColor` to `color`.
    bool DrawTextWithFont(std::u16string_view text, const GxFontData* font, int x, int y,
                          std::uint32_t color, std::uint32_t outlineColor = 0xFF000000u,
                          int drawType = TEXTDRAW_PLAIN, int* outWidth = nullptr);
    // Copies an atlas glyph's coverage in `color` at (x, y); with an outline first
    // in `outlineColor` one pixel around it.
    bool DrawFontMapGlyph(GxGDIFontMap* fontMap, char32_t code, int x, int y, std::uint32_t color,
                          bool outline, std::uint32_t outlineColor);
    bool ResizeBuffer(std::uint32_t bytes);

protected:
    // Writes `color` with `alpha` at (x, y) when inside the texture's memory.
    void PutPixel(int x, int y, std::uint32_t color, std::uint32_t alpha);

    std::vector<std::uint8_t> m_WorkBuffer = std::vector<std::uint8_t>(8192);
    std::u16string m_FaceName = kDefaultFace;
};

// A text texture that lays a text out by itself, with colour escapes.
class GxTextureTextEx : public GxTextureText {
public:
    enum GlyphSource { SOURCE_SYSTEM = 1, SOURCE_BITMAP = 2, SOURCE_FONTMAP = 3 };
    // Given the text after the escape character; returns how many characters it consumed.
    using EscapeHandler = std::function<int(GxTextureTextEx&, std::u16string_view)>;

    GxTextureTextEx();

    void SetLayoutRect(const GxRect* rect);
    void SetTextColor(std::uint32_t color) { m_DefaultColor = m_Color = color; }
    void SetCurrentColor(std::uint32_t color) { m_Color = color; }
    std::uint32_t GetCurrentColor() const { return m_Color; }
    std::uint32_t GetDefaultColor() const { return m_DefaultColor; }
    void SetOutlineColor(std::uint32_t color) { m_OutlineColor = color; }
    void UseSystemFont(int size);
    void UseBitmapFont(const GxFontData* font);
    void UseFontMap(GxGDIFontMap* fontMap, bool outline);
    void SetSpecialChars(char16_t lineBreak, char16_t escape, char16_t terminator);
    void SetSpacing(int letter, int line);
    void SetEscapeHandler(EscapeHandler handler) { m_EscapeHandler = std::move(handler); }
    void SetPen(int x, int y);
    void GetPen(int& x, int& y) const;
    void SetPosition(size_t index) { m_Index = index; }
    size_t GetPosition() const { return m_Index; }
    void SetText(std::u16string_view text);
    void AppendText(std::u16string_view text) { m_Text += text; }
    void ClearText();
    const std::u16string& GetText() const { return m_Text; }

    // Draw at most n characters (negative: to the end; 0: none); returns the number left.
    int DrawChars(int count) { return Draw(count, false); }
    int DrawAll();
    int DrawCharsEx(int count) { return Draw(count, true); }
    int DrawAllEx();
    int Print(std::u16string_view text);
    int PrintAt(std::u16string_view text, int x, int y);
    void ClearAll();
    int ClearAndPrint(std::u16string_view text);
    int ClearAndPrintAt(std::u16string_view text, int x, int y);

    char16_t GetEscapeTerminator() const { return m_Terminator; }
    // The default handler: colour codes up to the terminator.
    static int HandleColorEscape(GxTextureTextEx& texture, std::u16string_view text);

private:
    int Draw(int count, bool escapes);
    int Advance(char16_t c) const;
    int LineHeight() const;
    void NewLine();
    void DrawOne(char16_t c);
    GxRect Layout() const;

    std::u16string m_Text;
    size_t m_Index = 0;
    int m_PenX = 0, m_PenY = 0;
    int m_Source = SOURCE_SYSTEM;
    int m_FontSize = 16;
    const GxFontData* m_BitmapFont = nullptr;
    GxGDIFontMap* m_FontMap = nullptr;
    bool m_Outline = false;
    std::uint32_t m_DefaultColor = 0xFFFFFFFFu, m_Color = 0xFFFFFFFFu;
    std::uint32_t m_OutlineColor = 0xFF000000u;
    int m_LetterSpacing = 0, m_LineSpacing = 0;
    bool m_HasLayout = false;
    GxRect m_Layout;
    char16_t m_LineBreak = u'\n', m_Escape = 1, m_Terminator = 1;
    EscapeHandler m_EscapeHandler;
};
