#include <gtest/gtest.h>

#include "gl_fixture.h"
#include "graphics/gx_draw.h"
#include "graphics/gx_font_data.h"
#include "graphics/gx_font_map.h"
#include "graphics/gx_font_renderer.h"
#include "graphics/gx_image.h"
#include "graphics/gx_texture_text.h"

namespace {

using FontTest = gxtest::GLTest;

TEST(FontRules, WidthClassesSingleByteCodesAndLevels) {
    EXPECT_EQ(gx::GetCharWidthClass(U'A'), 1);
    EXPECT_EQ(gx::GetCharWidthClass(U'ｱ'), 1);
    EXPECT_EQ(gx::GetCharWidthClass(U'あ'), 2);
    EXPECT_EQ(gx::GetTextWidthUnits(u"Aあｱ"), 4);
    EXPECT_EQ(gx::ToSingleByteCode(U'A'), 'A');
    EXPECT_EQ(gx::ToSingleByteCode(0xFF61), 0xA1);
    EXPECT_EQ(gx::ToSingleByteCode(0xFF9F), 0xDF);
    EXPECT_EQ(gx::ToSingleByteCode(0xF8F0), 0xA0);
    EXPECT_EQ(gx::ToSingleByteCode(0xF8F3), 0xFF);
    EXPECT_EQ(gx::ToSingleByteCode(U'あ'), 0x20);
    EXPECT_EQ(gx::LevelToAlpha(26), 127);
    EXPECT_EQ(gx::LevelToAlpha(52), 255);
    EXPECT_EQ(gx::LevelToAlpha(64), 255);
    EXPECT_EQ(gx::LevelToAlpha(1), 4);
}

TEST(FontRules, JapaneseFacesResolveToInstalledIpaFonts) {
    EXPECT_EQ(gx::GetFontFamily(gx::ResolveFontFile(u"ＭＳ ゴシック")), "IPAGothic");
    EXPECT_EQ(gx::GetFontFamily(gx::ResolveFontFile(u"ＭＳ 明朝")), "IPAMincho");
    EXPECT_EQ(gx::GetFontFamily(gx::ResolveFontFile(u"ＭＳ Ｐゴシック")), "IPAPGothic");
}

GxImage GridPicture() {
    GxImage image;
    image.width = 128;
    image.height = 96;
    image.pixels.assign(128 * 96, 0);
    // Cell of "A" (row 2, column 1) fully opaque.
    for (int y = 32; y < 48; ++y) {
        for (int x = 8; x < 16; ++x)
            image.pixels[y * 128 + x] = 0xFFFFFFFFu;
    }
    return image;
}

TEST_F(FontTest, BitmapGridGlyphPositionsAndUVs) {
    GxFontData font;
    ASSERT_TRUE(font.CreateGridFromImage(u"FONT16SYS", GridPicture(), 32, 126, 8, 16, 16));
    float l, t, r, b;
    ASSERT_TRUE(font.GetGlyphUV(U'A', l, t, r, b));
    EXPECT_FLOAT_EQ(l, 8.0f / 128);
    EXPECT_FLOAT_EQ(t, 32.0f / 128);
    EXPECT_FLOAT_EQ(r, 16.0f / 128);
    EXPECT_FLOAT_EQ(b, 48.0f / 128);
    EXPECT_FALSE(font.GetGlyphUV(U'あ', l, t, r, b) && l != 0);
    EXPECT_EQ(font.GetTextWidth(u"AB"), 16);
    DrawBitmapText(u"A", &font, GxSpriteTransform{100, 100}, 0xFFFF0000u, 0, 2);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, 100, 100), 0xFFFF0000u);
    EXPECT_EQ(At(frame, 107, 115), 0xFFFF0000u);
    EXPECT_EQ(At(frame, 108, 100), 0xFF000000u);
}

TEST_F(FontTest, FontMapReadsHeaderAndEntriesAndRejectsShortMaps) {
    std::vector<std::uint8_t> map(96 + 2 * 8, 0);
    const auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            map[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(16, 0x41);
    put32(20, 0x42);
    put32(40, 12);
    put32(44, 20);
    map[96] = 4;        // A: x 4
    map[96 + 4] = 10;   // width 10
    map[104 + 2] = 20;  // B: y 20
    map[104 + 4] = 6;
    GxFontData font;
    ASSERT_TRUE(font.CreateGridFromImage(u"msg", GridPicture(), 32, 32, 8, 8, 1));
    ASSERT_TRUE(font.LoadMap(map.data(), map.size()));
    EXPECT_EQ(font.GetCharWidth(U'A'), 10);
    EXPECT_EQ(font.GetCharWidth(U'B'), 6);
    EXPECT_EQ(font.GetCharWidth(U'C'), 12);  // outside the table: the cell width
    EXPECT_EQ(font.GetCellHeight(), 20);
    map.resize(100);
    EXPECT_FALSE(font.LoadMap(map.data(), map.size()));
}

TEST_F(FontTest, AtlasPlacesGlyphsByWidthClassAndStartsRowsAndPages) {
    GxGDIFontMap atlas;
    atlas.Setup(16, u"ＭＳ ゴシック");
    const GxFontMapGlyph a = atlas.GetGlyph(U'A');
    EXPECT_EQ(a.width, 8);
    const GxFontMapGlyph hira = atlas.GetGlyph(U'あ');
    EXPECT_EQ(hira.width, 16);
    EXPECT_EQ(hira.x, 8);
    EXPECT_EQ(atlas.GetGlyph(U'A').x, 0);  // cached
    EXPECT_EQ(atlas.GetGlyph(0x1F).texture, nullptr);
    EXPECT_EQ(atlas.GetGlyph(0xE000).texture, nullptr);

    atlas.Setup(16, nullptr);
    for (char32_t c = 0x4E00; c < 0x4E00 + 31; ++c)
        EXPECT_EQ(atlas.GetGlyph(c).y, 0);
    const GxFontMapGlyph next = atlas.GetGlyph(0x4E00 + 31);
    EXPECT_EQ(next.x, 0);
    EXPECT_EQ(next.y, 16);
    // 31 rows of 31 glyphs fill a page; the next row would reach 512.
    for (char32_t c = 0x4E00 + 32; atlas.GetPageCount() == 1; ++c)
        atlas.GetGlyph(c);
    EXPECT_EQ(atlas.GetPageCount(), 2u);
}

TEST_F(FontTest, AtlasTextDrawsJapaneseWithFullAndHalfWidthAdvances) {
    GxGDIFontMap atlas;
    atlas.Setup(24, nullptr);
    const float advance = DrawFontMapText(&atlas, u"あA\nい", 100, 100, 1, 1, 0xFFFFFFFFu, 0, 2);
    EXPECT_FLOAT_EQ(advance, 24);
    const auto frame = Frame();
    const auto inked = [&](int left, int top, int width, int height) {
        int count = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x)
                count += (At(frame, x, y) & 0xFF) > 128;
        }
        return count;
    };
    EXPECT_GT(inked(100, 100, 24, 24), 20);  // あ
    EXPECT_GT(inked(124, 100, 12, 24), 10);  // A, one unit after the full-width glyph
    EXPECT_EQ(inked(136, 100, 40, 24), 0);
    EXPECT_GT(inked(100, 124, 24, 24), 10);  // い on the next line
}

TEST_F(FontTest, TextTextureColourEscapesAndWrapping) {
    GxTextureTextEx text;
    ASSERT_TRUE(text.CreateTexture(u"text", 64, 64, D3DFMT_A8R8G8B8, 1));
    GxRect layout{0, 0, 40, 64};
    text.SetLayoutRect(&layout);
    text.UseSystemFont(16);
    text.SetTextColor(0xFFFFFFFFu);
    EXPECT_EQ(text.Print(u"\x01"
                         u"3\x01"
                         u"AB"),
              0);
    EXPECT_EQ(text.GetCurrentColor(), 0xFFFF0000u);
    int x = 0, y = 0;
    text.GetPen(x, y);
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 0);
    text.Print(u"\x01-\x01あい");  // 16 + 16 + 16 > 40: the second wraps
    EXPECT_EQ(text.GetCurrentColor(), 0xFFFFFFFFu);
    text.GetPen(x, y);
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 16);
    bool red = false;
    for (int py = 0; py < 16; ++py) {
        for (int px = 0; px < 16; ++px)
            red = red || text.GetPixel(px, py) == 0xFFFF0000u;
    }
    EXPECT_TRUE(red);
    text.ClearAll();
    EXPECT_EQ(text.GetPixel(3, 8), 0u);
}

}  // namespace
