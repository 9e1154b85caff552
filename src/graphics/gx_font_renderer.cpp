#include "graphics/gx_font_renderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <memory>
#include <mutex>

#include "base/gx_log.h"
#include "base/gx_string.h"

namespace {

struct FaceAlias {
    const char16_t* windowsName;
    const char* family;
};

// The Japanese system faces that game data names, and the installed faces that stand in.
const FaceAlias kAliases[] = {
    {u"ＭＳ ゴシック", "IPAGothic"},    {u"MS Gothic", "IPAGothic"},
    {u"ＭＳ Ｐゴシック", "IPAPGothic"}, {u"MS PGothic", "IPAPGothic"},
    {u"MS UI Gothic", "IPAPGothic"},    {u"メイリオ", "IPAPGothic"},
    {u"Meiryo", "IPAPGothic"},          {u"ＭＳ 明朝", "IPAMincho"},
    {u"MS Mincho", "IPAMincho"},        {u"ＭＳ Ｐ明朝", "IPAPMincho"},
    {u"MS PMincho", "IPAPMincho"},
};

class FontLibrary {
public:
    static FontLibrary& Instance() {
        static FontLibrary library;
        return library;
    }

    std::string Resolve(std::u16string_view faceName) {
        std::lock_guard<std::mutex> lock(m_Mutex);
        const std::u16string key(faceName);
        if (auto it = m_Files.find(key); it != m_Files.end())
            return it->second;
        std::string family = gx::Utf16ToUtf8(faceName);
        for (const FaceAlias& alias : kAliases) {
            if (faceName == alias.windowsName)
                family = alias.family;
        }
        std::string file = Match(family.c_str(), 0);
        m_Files[key] = file;
        return file;
    }

    // A face object for a file and pixel size (cached for the process).
    FT_Face Face(const std::string& file, int size) {
        if (!m_Library || file.empty())
            return nullptr;
        auto& face = m_Faces[file];
        if (!face) {
            FT_Face made = nullptr;
            if (FT_New_Face(m_Library, file.c_str(), 0, &made) != 0)
                return nullptr;
            face.reset(made);
        }
        if (FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(size)) != 0)
            return nullptr;
        return face.get();
    }

    // A font that has `code`, preferring Japanese ones.
    std::string Fallback(char32_t code) {
        if (auto it = m_Fallbacks.find(code); it != m_Fallbacks.end())
            return it->second;
        std::string file = Match("IPAGothic", code);
        m_Fallbacks[code] = file;
        return file;
    }

    std::mutex& Mutex() { return m_Mutex; }

private:
    struct FaceDeleter {
        void operator()(FT_Face face) const { FT_Done_Face(face); }
    };

    FontLibrary() {
        if (FT_Init_FreeType(&m_Library) != 0)
            m_Library = nullptr;
        FcInit();
    }

    static std::string Match(const char* family, char32_t code) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcLangSet* languages = FcLangSetCreate();
        FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>("ja"));
        FcPatternAddLangSet(pattern, FC_LANG, languages);
        FcLangSetDestroy(languages);
        if (code != 0) {
            FcCharSet* chars = FcCharSetCreate();
            FcCharSetAddChar(chars, code);
            FcPatternAddCharSet(pattern, FC_CHARSET, chars);
            FcCharSetDestroy(chars);
        }
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        std::string file;
        FcChar8* path = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
            file = reinterpret_cast<const char*>(path);
        }
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
        return file;
    }

    FT_Library m_Library = nullptr;
    std::mutex m_Mutex;
    std::map<std::u16string, std::string> m_Files;
    std::map<std::string, std::unique_ptr<FT_FaceRec_, FaceDeleter>> m_Faces;
    std::map<char32_t, std::string> m_Fallbacks;
};

}  // namespace

namespace gx {

std::string ResolveFontFile(std::u16string_view faceName) {
    return FontLibrary::Instance().Resolve(faceName);
}

std::string GetFontFamily(const std::string& file) {
    FontLibrary& library = FontLibrary::Instance();
    std::lock_guard<std::mutex> lock(library.Mutex());
    FT_Face face = library.Face(file, 16);
    return face && face->family_name ? std::string(face->family_name) : std::string();
}

bool RenderGlyph(std::u16string_view faceName, int size, char32_t code, GxGlyphBitmap& out) {
    out = GxGlyphBitmap();
    if (size <= 0)
        return false;
    FontLibrary& library = FontLibrary::Instance();
    const std::string file = library.Resolve(faceName);
    std::lock_guard<std::mutex> lock(library.Mutex());
    FT_Face face = library.Face(file, size);
    if (!face)
        return false;
    if (FT_Get_Char_Index(face, code) == 0) {
        FT_Face fallback = library.Face(library.Fallback(code), size);
        if (fallback && FT_Get_Char_Index(fallback, code) != 0)
            face = fallback;
    }
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    // The cell's baseline sits at the ascent, scaled so that ascent + descent fill the size.
    const double ascender = static_cast<double>(face->size->metrics.ascender) / 64.0;
    const double descender = static_cast<double>(-face->size->metrics.descender) / 64.0;
    const double total = ascender + descender;
    const int baseline = total > 0 ? static_cast<int>(ascender * size / total + 0.5) : size * 7 / 8;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = baseline - slot->bitmap_top;
    out.levels.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x) {
            int coverage = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                coverage = (row[x / 8] >> (7 - x % 8) & 1) ? 255 : 0;
            } else {
                coverage = row[x];
            }
            out.levels[static_cast<size_t>(y) * out.width + x] =
                static_cast<std::uint8_t>(CoverageToLevel(coverage));
        }
    }
    return true;
}

std::uint8_t LevelToAlpha(int level) {
    const int alpha = level * 255 / 52;
    return static_cast<std::uint8_t>(alpha > 255 ? 255 : alpha < 0 ? 0 : alpha);
}

int GetCharWidthClass(char32_t code) {
    if (code < 128)
        return 1;
    if (code >= 0xFF61 && code <= 0xFF9F)
        return 1;  // half-width katakana
    if (code >= 0xF8F0 && code <= 0xF8F3)
        return 1;  // single-byte extensions of the code page
    return 2;
}

int GetTextWidthUnits(std::u16string_view text) {
    int units = 0;
    for (char16_t c : text)
        units += GetCharWidthClass(c);
    return units;
}

std::uint8_t ToSingleByteCode(char32_t code) {
    if (code <= 128)
        return static_cast<std::uint8_t>(code);
    if (code >= 0xFF61 && code <= 0xFF9F)
        return static_cast<std::uint8_t>(code - 0xFF61 + 0xA1);
    if (code == 0xF8F0)
        return 0xA0;
    if (code >= 0xF8F1 && code <= 0xF8F3)
        return static_cast<std::uint8_t>(code - 0xF8F1 + 0xFD);
    return 0x20;
}

}  // namespace gx
