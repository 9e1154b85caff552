#include "content/gx_ini_file.h"

#include <limits>

#include "base/gx_bin_buffer.h"
#include "base/gx_log.h"
#include "content/gx_text_decode.h"
#include "content/gx_text_lines.h"
#include "file/gx_file.h"

namespace {

std::u16string_view Trim(std::u16string_view text, std::u16string_view characters) {
    const size_t first = text.find_first_not_of(characters);
    if (first == std::u16string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(characters);
    return text.substr(first, last - first + 1);
}

bool IsBlankOrControl(char16_t c) {
    return c <= 0x20;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

enum class DecimalCheck { NotDecimal, Fits, OutOfRange };

// A decimal value read in full (every digit, not just as many as the parser
// takes) and checked against [min, max], so that it never silently wraps.
DecimalCheck ReadDecimal(std::u16string_view text, GxS64 min, GxS64 max, GxS64& value) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == 0xFF0B)) {
        ++i;
    } else if (i < text.size() && (text[i] == u'-' || text[i] == 0xFF0D)) {
        negative = true;
        ++i;
    }
    const auto isDigit = [&](size_t at) {
        return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
    };
    if (!isDigit(i))
        return DecimalCheck::NotDecimal;
    if (text[i] == u'0' && i + 1 < text.size()) {
        const char16_t next = text[i + 1];
        if (next == u'x' || next == u'X' || next == u'b' || next == u'B') {
            return DecimalCheck::NotDecimal;
        }
    }
    const GxU64 limit = negative ? 0ULL - static_cast<GxU64>(min) : static_cast<GxU64>(max);
    GxU64 magnitude = 0;
    for (; isDigit(i); ++i) {
        const GxU64 digit = text[i] - u'0';
        if (magnitude > (limit - digit) / 10)
            return DecimalCheck::OutOfRange;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? static_cast<GxS64>(0ULL - magnitude) : static_cast<GxS64>(magnitude);
    return DecimalCheck::Fits;
}

}  // namespace

bool GxINIFile::Load(std::u16string_view path, bool quiet) {
    Clear();
    GxBinBuffer buffer;
    if (!LoadTextFile(buffer, path, false, quiet))
        return false;
    std::u16string text;
    if (!gx::DecodeText(buffer.GetData(), buffer.GetSize() - 2, true, text)) {
        if (!quiet)
            LogError(u"Error/GxINIFile: UTF-16 big-endian text is not supported:%s\n", path);
        return false;
    }
    Parse(text);
    return true;
}

void GxINIFile::Parse(std::u16string_view text) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos)
            end = text.size();
        const std::u16string_view line = Trim(text.substr(start, end - start), u"\r\n");
        start = end + 1;
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos)
            continue;
        m_Values.emplace(std::u16string(TrimBlanks(line.substr(0, equals))),
                         std::u16string(TrimBlanks(line.substr(equals + 1))));
    }
}

const std::u16string* GxINIFile::Find(std::u16string_view key) const {
    auto it = m_Values.find(key);
    return it == m_Values.end() ? nullptr : &it->second;
}

std::u16string GxINIFile::GetString(std::u16string_view key,
                                    std::u16string_view defaultValue) const {
    const std::u16string* value = Find(key);
    return value ? *value : std::u16string(defaultValue);
}

GxS32 GxINIFile::GetInt(std::u16string_view key, GxS32 defaultValue) const {
    const std::u16string* value = Find(key);
    if (!value)
        return defaultValue;
    GxS64 decimal = 0;
    switch (ReadDecimal(*value, std::numeric_limits<GxS32>::min(),
                        std::numeric_limits<GxS32>::max(), decimal)) {
        case DecimalCheck::Fits:
            return static_cast<GxS32>(decimal);
        case DecimalCheck::OutOfRange:
            LogSlightError(u"Warning/GxINIFile: %s=%s is out of range; %d is used\n", key, *value,
                           defaultValue);
            return defaultValue;
        case DecimalCheck::NotDecimal:
            break;
    }
    return ParseInt(value->c_str(), nullptr, 0, true);
}

GxS64 GxINIFile::GetInt64(std::u16string_view key, GxS64 defaultValue) const {
    const std::u16string* value = Find(key);
    if (!value)
        return defaultValue;
    GxS64 decimal = 0;
    switch (ReadDecimal(*value, std::numeric_limits<GxS64>::min(),
                        std::numeric_limits<GxS64>::max(), decimal)) {
        case DecimalCheck::Fits:
            return decimal;
        case DecimalCheck::OutOfRange:
            LogSlightError(u"Warning/GxINIFile: %s=%s is out of range; %I64d is used\n", key,
                           *value, defaultValue);
            return defaultValue;
        case DecimalCheck::NotDecimal:
            break;
    }
    return ParseInt64(value->c_str(), nullptr, 0, true);
}

bool GxINIFile::GetBool(std::u16string_view key, bool defaultValue) const {
    const std::u16string* value = Find(key);
    if (!value)
        return defaultValue;
    size_t i = 0;
    while (i < value->size() &&
           ((*value)[i] == u' ' || ((*value)[i] >= u'\t' && (*value)[i] <= u'\r'))) {
        ++i;
    }
    if (i < value->size() && ((*value)[i] == u'+' || (*value)[i] == u'-'))
        ++i;
    for (; i < value->size() && (*value)[i] >= u'0' && (*value)[i] <= u'9'; ++i) {
        if ((*value)[i] != u'0')
            return true;
    }
    return false;
}
