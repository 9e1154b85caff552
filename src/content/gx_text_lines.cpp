#include "content/gx_text_lines.h"

#include "base/gx_bin_buffer.h"
#include "base/gx_log.h"
#include "content/gx_text_decode.h"
#include "file/gx_file.h"

namespace {

constexpr char16_t kFullWidthPlus = 0xFF0B;
constexpr char16_t kFullWidthMinus = 0xFF0D;

struct DigitLimits {
    int decimal, hexadecimal, binary, octal, other;
};
constexpr DigitLimits k32BitDigits{10, 8, 32, 11, 32};
constexpr DigitLimits k64BitDigits{19, 16, 64, 21, 64};

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return 99;
}

bool HasPrefix(const char16_t* p, char16_t lower) {
    return p[0] == u'0' && (p[1] == lower || p[1] == lower - 32);
}

// The magnitude modulo 2^64 and the sign; the caller keeps the bits it needs.
GxU64 ParseMagnitude(const char16_t* text, const char16_t** end, int base, bool noOctal,
                     const DigitLimits& limits, bool& negative) {
    const char16_t* p = text;
    while (*p == u' ' || *p == u'\t')
        ++p;
    negative = false;
    if (*p == u'+' || *p == kFullWidthPlus) {
        ++p;
    } else if (*p == u'-' || *p == kFullWidthMinus) {
        negative = true;
        ++p;
    }
    if (base == 0) {
        if (HasPrefix(p, u'x')) {
            base = 16, p += 2;
        } else if (HasPrefix(p, u'b')) {
            base = 2, p += 2;
        } else if (*p == u'0' && !noOctal) {
            base = 8, p += 1;
        } else {
            base = 10;
        }
    } else if (base == 8) {
        if (*p == u'0')
            ++p;
    } else if (base == 16) {
        if (HasPrefix(p, u'x'))
            p += 2;
    } else if (base == 2) {
        if (HasPrefix(p, u'b'))
            p += 2;
    } else if (base < 3 || base > 35) {
        if (end)
            *end = p;
        return 0;
    }
    const int maxDigits = base == 10   ? limits.decimal
                          : base == 16 ? limits.hexadecimal
                          : base == 2  ? limits.binary
                          : base == 8  ? limits.octal
                                       : limits.other;
    GxU64 value = 0;
    for (int digits = 0; digits < maxDigits; ++digits, ++p) {
        const int digit = DigitValue(*p);
        if (digit >= base)
            break;
        value = value * static_cast<GxU64>(base) + static_cast<GxU64>(digit);
    }
    if (end)
        *end = p;
    return value;
}

}  // namespace

GxS32 ParseInt(const char16_t* text, const char16_t** end, int base, bool noOctal) {
    bool negative;
    const auto low =
        static_cast<GxU32>(ParseMagnitude(text, end, base, noOctal, k32BitDigits, negative));
    return static_cast<GxS32>(negative ? 0U - low : low);
}

GxS64 ParseInt64(const char16_t* text, const char16_t** end, int base, bool noOctal) {
    bool negative;
    const GxU64 value = ParseMagnitude(text, end, base, noOctal, k64BitDigits, negative);
    return static_cast<GxS64>(negative ? 0ULL - value : value);
}

int ClassifyNumber(const char16_t* text, int* length, const char16_t* end) {
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    const auto isHexDigit = [&](char16_t c) {
        return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    const char16_t* p = text;
    bool sign = false;
    if (p < end && (*p == u'+' || *p == u'-')) {
        sign = true;
        ++p;
    }
    int result = 0;
    int taken = 0;
    if (!sign && end - p >= 2 && p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) {
        const char16_t* digits = p + 2;
        while (digits < end && isHexDigit(*digits))
            ++digits;
        if (digits > p + 2)
            result = 2, taken = static_cast<int>(digits - text);
    } else {
        const char16_t* digits = p;
        while (digits < end && isDigit(*digits))
            ++digits;
        if (digits > p)
            result = 1, taken = static_cast<int>(digits - text);
    }
    if (length)
        *length = taken;
    return result;
}

void SplitTextLines(std::u16string_view text, std::vector<std::u16string>& lines, bool skipEmpty) {
    std::u16string line;
    const auto emit = [&] {
        if (!line.empty() || !skipEmpty)
            lines.push_back(line);
        line.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n') {
            while (i + 1 < text.size() && (text[i + 1] == u'\r' || text[i + 1] == u'\f'))
                ++i;
            emit();
        } else if (c != u'\r' && c != u'\f') {
            line.push_back(c);
        }
    }
    if (!line.empty())
        emit();
}

bool LoadTextLines(std::vector<std::u16string>& lines, std::u16string_view path, bool skipEmpty) {
    GxBinBuffer buffer;
    if (!LoadFile(buffer, path, false, false))
        return false;
    if (buffer.GetSize() == 0) {
        LogError(u"Error/LoadTextLines: the file is empty:%s\n", path);
        return false;
    }
    std::u16string text;
    if (!gx::DecodeText(buffer.GetData(), buffer.GetSize(), false, text)) {
        LogError(u"Error/LoadTextLines: UTF-16 big-endian text is not supported:%s\n", path);
        return false;
    }
    SplitTextLines(text, lines, skipEmpty);
    return true;
}
