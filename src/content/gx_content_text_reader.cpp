#include "content/gx_content_text_reader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "content/gx_value_type_names.h"

namespace {

constexpr std::uint32_t kBytesPerDataLine = 32;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The type code of field 0; 0 when it is not a hexadecimal number.
int ParseTypeCode(std::string_view field) {
    if (field.empty() || field.size() > 4)
        return 0;
    int code = 0;
    for (char c : field) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return 0;
        code = code * 16 + digit;
    }
    return code;
}

// Leading and trailing blanks are allowed around a number, and a '+' sign.
std::string_view TrimNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

char16_t Unescaped(char16_t c) {
    switch (c) {
        case u'f':
            return u'\f';
        case u'n':
            return u'\n';
        case u'r':
            return u'\r';
        case u't':
            return u'\t';
        case u'v':
            return u'\v';
        default:
            return c;
    }
}

// The text between a leading double quote and the next unescaped one; line-end
// characters are dropped. `isLead` tells the first byte of a double-byte
// character, whose second byte is taken as it is.
template <class Char, class IsLead>
std::basic_string<Char> Unquote(std::basic_string_view<Char> text, IsLead isLead) {
    std::basic_string<Char> out;
    if (text.empty() || text.front() != Char('"'))
        return out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const Char c = text[i];
        if (isLead(c) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == Char('"')) {
            break;
        } else if (c == Char('\\')) {
            if (i + 1 < text.size())
                out += static_cast<Char>(Unescaped(
                    static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(text[++i]))));
        } else if (c != Char('\n') && c != Char('\r') && c != Char('\f')) {
            out += c;
        }
    }
    return out;
}

std::u16string UnquoteWide(std::u16string_view text) {
    return Unquote(text, [](char16_t) { return false; });
}

std::string UnquoteAnsi(std::string_view text) {
    return Unquote(text, [](char c) { return gx::IsAnsiLeadByte(static_cast<unsigned char>(c)); });
}

}  // namespace

void GxContentTextReader::SetData(const void* data, std::uint32_t size) {
    m_Cursor = static_cast<const std::uint8_t*>(data);
    m_End = m_Cursor ? m_Cursor + size : nullptr;
}

void GxContentTextReader::TakeLine(const std::uint8_t*& cursor, const std::uint8_t* end,
                                   GxU32& lines, std::string& out) {
    // Byte by byte is safe for both UTF-8 and the ANSI code page: neither has a
    // trail byte below 0x40, so LF, CR, FF, TAB and NUL are always themselves.
    out.clear();
    while (cursor < end && *cursor != '\n' && *cursor != 0) {
        const char c = static_cast<char>(*cursor++);
        if (c != '\r' && c != '\f')
            out += c;
    }
    if (cursor < end && *cursor == '\n') {
        ++lines;
        ++cursor;
        while (cursor < end && (*cursor == '\r' || *cursor == '\f'))
            ++cursor;
    }
}

void GxContentTextReader::NextLine() {
    TakeLine(m_Cursor, m_End, m_LineCount, m_Line);
    m_Fields.clear();
    std::string_view rest = m_Line;
    for (;;) {
        const std::size_t tab = rest.find('\t');
        m_Fields.push_back(rest.substr(0, tab));
        if (tab == std::string_view::npos)
            break;
        rest.remove_prefix(tab + 1);
    }
}

void GxContentTextReader::ReportTypeMismatch(int code) {
    ++m_ErrorCount;
    const int line = static_cast<int>(m_LineCount);
    if (code == VALTYPE_GxBit32) {
        LogError(u"GxContentStringReader/ValueType Isn't VALTYPE_GxBit32 Line=%d\n", line);
    } else if (code == VALTYPE_GxStringUTF8) {
        LogError(
            u"GxContentTextReader/ValueType Isn't VALTYPE_GxStringSJIS or "
            u"VALTYPE_GxStringUTF8 Line=%d\n",
            line);
    } else {
        LogError(u"GxContentTextReader/ValueType Isn't VALTYPE_%s Line=%d\n",
                 gx::GetValueTypeName(code), line);
    }
}

void GxContentTextReader::ReportBadNumber() {
    ++m_ErrorCount;
    LogError(u"GxContentTextReader/Bad Number Line=%d\n", static_cast<int>(m_LineCount));
}

bool GxContentTextReader::Need(std::size_t fieldCount) {
    if (m_Fields.size() >= fieldCount)
        return true;
    ++m_ErrorCount;
    LogError(u"GxContentTextReader/Missing Field Line=%d\n", static_cast<int>(m_LineCount));
    return false;
}

bool GxContentTextReader::TakeValueLine(int code, const char* name) {
    NextLine();
    m_LastName.clear();
    const int stored = ParseTypeCode(m_Fields[0]);
    const bool is_string = code == VALTYPE_GxStringUTF8 && stored == VALTYPE_GxStringSJIS;
    if (stored != code && !is_string) {
        ReportTypeMismatch(code);
        return false;
    }
    if (!name)
        return true;
    if (m_Fields.size() >= 2)
        m_LastName = m_Fields[1];
    if (m_CheckName == 1 && (m_Fields.size() < 2 || m_Fields[1] != name)) {
        ++m_ErrorCount;
        LogError(u"GxContentTextReader/ValueName does not match Line=%d\n",
                 static_cast<int>(m_LineCount));
        return false;
    }
    return true;
}

template <class T>
bool GxContentTextReader::ParseInteger(std::size_t field, T& out) {
    if (!Need(field + 1))
        return false;
    const std::string_view text = TrimNumber(m_Fields[field]);
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        ReportBadNumber();
        return false;
    }
    out = value;
    return true;
}

template <class T>
bool GxContentTextReader::ParseFloat(std::size_t field, T& out) {
    if (!Need(field + 1))
        return false;
    const std::string_view text = TrimNumber(m_Fields[field]);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool fits = !std::isfinite(value) || std::fabs(value) <= std::numeric_limits<T>::max();
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !fits) {
        ReportBadNumber();
        return false;
    }
    out = static_cast<T>(value);
    return true;
}

bool GxContentTextReader::ParseInts(GxS32* const* parts, int count) {
    for (int i = 0; i < count; ++i) {
        if (!ParseInteger(2 + static_cast<std::size_t>(i), *parts[i]))
            return false;
    }
    return true;
}

bool GxContentTextReader::ParseFloats(GxF32* const* parts, int count) {
    for (int i = 0; i < count; ++i) {
        if (!ParseFloat(2 + static_cast<std::size_t>(i), *parts[i]))
            return false;
    }
    return true;
}

int GxContentTextReader::PeekValueType() {
    const std::uint8_t* cursor = m_Cursor;
    GxU32 lines = m_LineCount;
    std::string line;
    TakeLine(cursor, m_End, lines, line);
    return ParseTypeCode(std::string_view(line).substr(0, line.find('\t')));
}

bool GxContentTextReader::ReadFileHeader(const char* tag, GxU32* version) {
    NextLine();
    GxU32 stored = 0;
    if (m_Fields.size() < 2 || m_Fields[0] != tag) {
        ++m_ErrorCount;
        LogError(u"GxContentTextReader/FileHeader Isn't %s Line=%d\n", tag,
                 static_cast<int>(m_LineCount));
        return false;
    }
    if (!ParseInteger(1, stored))
        return false;
    if (version)
        *version = stored;
    return true;
}

bool GxContentTextReader::ReadValue(const char* name, GxBit32& out) {
    return TakeValueLine(VALTYPE_GxBit32, name) && ParseInteger(2, out.bits);
}

bool GxContentTextReader::ReadValue(const char* name, GxPoint4& out) {
    GxS32* const parts[] = {&out.x, &out.y, &out.z, &out.w};
    return TakeValueLine(VALTYPE_GxPoint4, name) && ParseInts(parts, 4);
}

bool GxContentTextReader::ReadValue(const char* name, GxPoint3& out) {
    GxS32* const parts[] = {&out.x, &out.y, &out.z};
    return TakeValueLine(VALTYPE_GxPoint3, name) && ParseInts(parts, 3);
}

bool GxContentTextReader::ReadValue(const char* name, GxPoint2& out) {
    GxS32* const parts[] = {&out.x, &out.y};
    return TakeValueLine(VALTYPE_GxPoint2, name) && ParseInts(parts, 2);
}

bool GxContentTextReader::ReadValue(const char* name, GxFRect& out) {
    GxF32* const parts[] = {&out.left, &out.top, &out.right, &out.bottom};
    return TakeValueLine(VALTYPE_GxFRect, name) && ParseFloats(parts, 4);
}

bool GxContentTextReader::ReadValue(const char* name, GxRect& out) {
    GxS32* const parts[] = {&out.left, &out.top, &out.right, &out.bottom};
    return TakeValueLine(VALTYPE_GxRect, name) && ParseInts(parts, 4);
}

bool GxContentTextReader::ReadValue(const char* name, GxMatrix& out) {
    GxF32* parts[16];
    for (int i = 0; i < 16; ++i)
        parts[i] = &out.m[i];
    return TakeValueLine(VALTYPE_GxMatrix, name) && ParseFloats(parts, 16);
}

bool GxContentTextReader::ReadValue(const char* name, GxFColor& out) {
    GxF32* const parts[] = {&out.r, &out.g, &out.b, &out.a};
    return TakeValueLine(VALTYPE_GxFColor, name) && ParseFloats(parts, 4);
}

bool GxContentTextReader::ReadValue(const char* name, GxQuat& out) {
    GxF32* const parts[] = {&out.x, &out.y, &out.z, &out.w};
    return TakeValueLine(VALTYPE_GxQuat, name) && ParseFloats(parts, 4);
}

bool GxContentTextReader::ReadValue(const char* name, GxVector4& out) {
    GxF32* const parts[] = {&out.x, &out.y, &out.z, &out.w};
    return TakeValueLine(VALTYPE_GxVector4, name) && ParseFloats(parts, 4);
}

bool GxContentTextReader::ReadValue(const char* name, GxVector3& out) {
    GxF32* const parts[] = {&out.x, &out.y, &out.z};
    return TakeValueLine(VALTYPE_GxVector3, name) && ParseFloats(parts, 3);
}

bool GxContentTextReader::ReadValue(const char* name, GxVector2& out) {
    GxF32* const parts[] = {&out.x, &out.y};
    return TakeValueLine(VALTYPE_GxVector2, name) && ParseFloats(parts, 2);
}

bool GxContentTextReader::ReadValue(const char* name, bool& out) {
    GxS64 value = 0;
    if (!TakeValueLine(VALTYPE_GxBool, name) || !ParseInteger(2, value))
        return false;
    out = value != 0;
    return true;
}

bool GxContentTextReader::ReadValue(const char* name, GxF64& out) {
    return TakeValueLine(VALTYPE_GxF64, name) && ParseFloat(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxF32& out) {
    return TakeValueLine(VALTYPE_GxF32, name) && ParseFloat(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxU64& out) {
    return TakeValueLine(VALTYPE_GxU64, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxS64& out) {
    return TakeValueLine(VALTYPE_GxS64, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxU32& out) {
    return TakeValueLine(VALTYPE_GxU32, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxS32& out) {
    return TakeValueLine(VALTYPE_GxS32, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxU16& out) {
    return TakeValueLine(VALTYPE_GxU16, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxS16& out) {
    return TakeValueLine(VALTYPE_GxS16, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxU8& out) {
    return TakeValueLine(VALTYPE_GxU8, name) && ParseInteger(2, out);
}

bool GxContentTextReader::ReadValue(const char* name, GxS8& out) {
    return TakeValueLine(VALTYPE_GxS8, name) && ParseInteger(2, out);
}

bool GxContentTextReader::TakeStringField(const char* name, int& code, std::string_view& quoted) {
    if (!TakeValueLine(VALTYPE_GxStringUTF8, name) || !Need(4))
        return false;
    code = ParseTypeCode(m_Fields[0]);
    quoted = m_Fields[3];
    return true;
}

std::string GxContentTextReader::ReadString(const char* name) {
    int code = 0;
    std::string_view quoted;
    if (!TakeStringField(name, code, quoted))
        return {};
    if (code == VALTYPE_GxStringSJIS)
        return UnquoteAnsi(quoted);
    // Unquoting the UTF-16 text gives what walking its ANSI form would give.
    return gx::Utf16ToAnsi(UnquoteWide(gx::Utf8ToUtf16(quoted)));
}

std::u16string GxContentTextReader::ReadWString(const char* name) {
    int code = 0;
    std::string_view quoted;
    if (!TakeStringField(name, code, quoted))
        return {};
    return UnquoteWide(code == VALTYPE_GxStringSJIS ? gx::AnsiToUtf16(quoted)
                                                    : gx::Utf8ToUtf16(quoted));
}

bool GxContentTextReader::TakeHexLine(std::uint8_t* out, std::uint32_t count) {
    NextLine();
    const std::string_view digits = m_Line;
    bool valid = digits.size() == count * 2;
    for (std::uint32_t i = 0; valid && i < count; ++i) {
        const int high = HexDigit(digits[2 * i]);
        const int low = HexDigit(digits[2 * i + 1]);
        valid = high >= 0 && low >= 0;
        if (valid)
            out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    if (valid)
        return true;
    ++m_ErrorCount;
    LogError(u"GxContentTextReader/Bad Binary Data Line=%d\n", static_cast<int>(m_LineCount));
    return false;
}

void GxContentTextReader::TakeEmptyDataLine() {
    // The writer closes an empty block with an empty line; a reader that left it
    // would take it for the next value.
    if (IsEnd() || *m_Cursor != '\n')
        return;
    ++m_LineCount;
    ++m_Cursor;
    while (m_Cursor < m_End && (*m_Cursor == '\r' || *m_Cursor == '\f'))
        ++m_Cursor;
}

bool GxContentTextReader::ReadBinary(const char* name, GxBinBuffer& out) {
    GxU32 size = 0;
    if (!TakeValueLine(VALTYPE_GxBinary, name) || !ParseInteger(2, size))
        return false;
    // Two digits per byte must still be there before anything is allocated.
    if (static_cast<std::uint64_t>(size) * 2 > static_cast<std::uint64_t>(m_End - m_Cursor)) {
        ++m_ErrorCount;
        LogError(u"GxContentTextReader/Binary Size Overrun(%u) Line=%d\n", size,
                 static_cast<int>(m_LineCount));
        return false;
    }
    std::uint8_t* block = out.Alloc(size);
    if (size == 0) {
        TakeEmptyDataLine();
        return true;
    }
    for (std::uint32_t done = 0; done < size; done += kBytesPerDataLine) {
        const std::uint32_t count = std::min(kBytesPerDataLine, size - done);
        if (!TakeHexLine(block + done, count))
            return false;
    }
    return true;
}

bool GxContentTextReader::ReadListBegin(const char* name, GxU32* count) {
    GxU32 stored = 0;
    if (!TakeValueLine(VALTYPE_ListBegin, name) || !ParseInteger(3, stored))
        return false;
    // Every element takes at least one line, so a larger count cannot be genuine.
    if (stored > static_cast<std::uint64_t>(m_End - m_Cursor)) {
        ++m_ErrorCount;
        LogError(u"GxContentTextReader/List Count Overrun(%u) Line=%d\n", stored,
                 static_cast<int>(m_LineCount));
        return false;
    }
    if (count)
        *count = stored;
    return true;
}

bool GxContentTextReader::ReadListEnd() {
    return TakeValueLine(VALTYPE_ListEnd, nullptr);
}

bool GxContentTextReader::ReadTreeBegin(const char* name) {
    return TakeValueLine(VALTYPE_TreeBegin, name);
}

bool GxContentTextReader::ReadTreeEnd() {
    return TakeValueLine(VALTYPE_TreeEnd, nullptr);
}

bool GxContentTextReader::ReadTreeStratumBegin() {
    return TakeValueLine(VALTYPE_TreeStratumBegin, nullptr);
}

bool GxContentTextReader::ReadTreeStratumEnd() {
    return TakeValueLine(VALTYPE_TreeStratumEnd, nullptr);
}

bool GxContentTextReader::SkipValue() {
    NextLine();
    if (ParseTypeCode(m_Fields[0]) != VALTYPE_GxBinary)
        return true;
    GxU32 size = 0;
    if (m_Fields.size() > 2) {
        const std::string_view text = TrimNumber(m_Fields[2]);
        std::from_chars(text.data(), text.data() + text.size(), size, 10);
    }
    if (size == 0) {
        TakeEmptyDataLine();
        return true;
    }
    for (std::uint32_t done = 0; done < size && !IsEnd(); done += kBytesPerDataLine)
        NextLine();
    return true;
}
