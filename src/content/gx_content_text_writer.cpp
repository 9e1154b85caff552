#include "content/gx_content_text_writer.h"

#include <cinttypes>
#include <cstdarg>
#include <cstring>

#include "base/gx_log.h"
#include "base/gx_string.h"

namespace {

constexpr std::size_t kHeaderTagLimit = 15;
constexpr std::uint32_t kBytesPerDataLine = 32;

// printf into a std::string (the C locale's decimal point, as the reader expects).
[[gnu::format(printf, 2, 3)]] void Append(std::string& out, const char* format, ...) {
    char small[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        va_end(copy);
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        out.append(small, static_cast<std::size_t>(length));
    } else {
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(out.data() + start, static_cast<std::size_t>(length) + 1, format, copy);
        out.resize(start + static_cast<std::size_t>(length));
    }
    va_end(copy);
}

std::string Head(int code, const char* name) {
    std::string line;
    Append(line, "%02x\t%s", code, name ? name : "");
    return line;
}

std::string Floats(int code, const char* name, std::initializer_list<GxF32> values) {
    std::string line = Head(code, name);
    for (GxF32 v : values)
        Append(line, "\t%f", static_cast<double>(v));
    line += '\n';
    return line;
}

std::string Ints(int code, const char* name, std::initializer_list<GxS32> values) {
    std::string line = Head(code, name);
    for (GxS32 v : values)
        Append(line, "\t%d", v);
    line += '\n';
    return line;
}

std::string Unsigned(int code, const char* name, std::uint64_t value) {
    std::string line = Head(code, name);
    Append(line, "\t%" PRIu64 "\n", value);
    return line;
}

std::string Signed(int code, const char* name, std::int64_t value) {
    std::string line = Head(code, name);
    Append(line, "\t%" PRId64 "\n", value);
    return line;
}

std::u16string Escape(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        switch (c) {
            case u'\\':
                out += u"\\\\";
                break;
            case u'\n':
                out += u"\\n";
                break;
            case u'\r':
                out += u"\\r";
                break;
            case u'\f':
                out += u"\\f";
                break;
            case u'\t':
                out += u"\\t";
                break;
            case u'"':
                out += u"\\\"";
                break;
            case u'\'':
                out += u"\\'";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

bool GxContentTextWriter::Put(const std::string& text) {
    if (m_File && std::fwrite(text.data(), 1, text.size(), m_File) == text.size())
        return true;
    ++m_ErrorCount;
    return false;
}

bool GxContentTextWriter::WriteFileHeader(const char* tag, GxU32 version) {
    if (std::strlen(tag) > kHeaderTagLimit) {
        ++m_ErrorCount;
        LogError(u"GxContentTextWriter/Header String Too Long(Limit=%d Chars)\n",
                 static_cast<int>(kHeaderTagLimit));
        return false;
    }
    std::string line;
    Append(line, "%s\t%u\n", tag, version);
    return Put(line);
}

bool GxContentTextWriter::WriteValue(const char* name, const GxBit32& v) {
    return Put(Unsigned(VALTYPE_GxBit32, name, v.bits));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxPoint4& v) {
    return Put(Ints(VALTYPE_GxPoint4, name, {v.x, v.y, v.z, v.w}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxPoint3& v) {
    return Put(Ints(VALTYPE_GxPoint3, name, {v.x, v.y, v.z}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxPoint2& v) {
    return Put(Ints(VALTYPE_GxPoint2, name, {v.x, v.y}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxFRect& v) {
    return Put(Floats(VALTYPE_GxFRect, name, {v.left, v.top, v.right, v.bottom}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxRect& v) {
    return Put(Ints(VALTYPE_GxRect, name, {v.left, v.top, v.right, v.bottom}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxMatrix& v) {
    std::string line = Head(VALTYPE_GxMatrix, name);
    for (GxF32 element : v.m)
        Append(line, "\t%f", static_cast<double>(element));
    line += '\n';
    return Put(line);
}
bool GxContentTextWriter::WriteValue(const char* name, const GxFColor& v) {
    return Put(Floats(VALTYPE_GxFColor, name, {v.r, v.g, v.b, v.a}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxQuat& v) {
    return Put(Floats(VALTYPE_GxQuat, name, {v.x, v.y, v.z, v.w}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxVector4& v) {
    return Put(Floats(VALTYPE_GxVector4, name, {v.x, v.y, v.z, v.w}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxVector3& v) {
    return Put(Floats(VALTYPE_GxVector3, name, {v.x, v.y, v.z}));
}
bool GxContentTextWriter::WriteValue(const char* name, const GxVector2& v) {
    return Put(Floats(VALTYPE_GxVector2, name, {v.x, v.y}));
}
bool GxContentTextWriter::WriteValue(const char* name, bool v) {
    return Put(Unsigned(VALTYPE_GxBool, name, v ? 1 : 0));
}
bool GxContentTextWriter::WriteValue(const char* name, GxF64 v) {
    std::string line = Head(VALTYPE_GxF64, name);
    Append(line, "\t%f\n", v);
    return Put(line);
}
bool GxContentTextWriter::WriteValue(const char* name, GxF32 v) {
    return Put(Floats(VALTYPE_GxF32, name, {v}));
}
bool GxContentTextWriter::WriteValue(const char* name, GxU64 v) {
    return Put(Unsigned(VALTYPE_GxU64, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxS64 v) {
    return Put(Signed(VALTYPE_GxS64, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxU32 v) {
    return Put(Unsigned(VALTYPE_GxU32, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxS32 v) {
    return Put(Signed(VALTYPE_GxS32, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxU16 v) {
    return Put(Unsigned(VALTYPE_GxU16, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxS16 v) {
    return Put(Signed(VALTYPE_GxS16, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxU8 v) {
    return Put(Unsigned(VALTYPE_GxU8, name, v));
}
bool GxContentTextWriter::WriteValue(const char* name, GxS8 v) {
    return Put(Signed(VALTYPE_GxS8, name, v));
}

bool GxContentTextWriter::WriteString(const char* name, std::u16string_view text) {
    const std::string escaped = gx::Utf16ToUtf8(Escape(text));
    std::string line = Head(VALTYPE_GxStringUTF8, name);
    Append(line, "\t%u\t\"", static_cast<unsigned>(escaped.size()));
    line += escaped;
    line += "\"\n";
    return Put(line);
}

bool GxContentTextWriter::WriteValue(const char* name, const char16_t* value) {
    return WriteString(name, value ? value : u"");
}

bool GxContentTextWriter::WriteValue(const char* name, const char* value) {
    return WriteString(name, gx::AnsiToUtf16(value ? value : ""));
}

bool GxContentTextWriter::WriteBinary(const char* name, const void* data, std::uint32_t size) {
    if (!data && size != 0) {
        ++m_ErrorCount;  // no bytes to write: a failed write, and the stream stays whole
        return false;
    }
    static const char kHex[] = "0123456789abcdef";
    std::string text = Unsigned(VALTYPE_GxBinary, name, size);
    text.reserve(text.size() + size * 2 + size / kBytesPerDataLine + 1);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t i = 0; i < size; ++i) {
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 15];
        if ((i + 1) % kBytesPerDataLine == 0 && i + 1 != size)
            text += '\n';
    }
    text += '\n';
    return Put(text);
}

bool GxContentTextWriter::WriteListBegin(const char* name, const char* typeName, GxU32 count) {
    std::string line = Head(VALTYPE_ListBegin, name);
    Append(line, "\t%s\t%u\t{\n", typeName ? typeName : "", count);
    return Put(line);
}

bool GxContentTextWriter::WriteListEnd() {
    return Put("21\t}\n");
}

bool GxContentTextWriter::WriteTreeBegin(const char* name, const char* typeName) {
    std::string line = Head(VALTYPE_TreeBegin, name);
    Append(line, "\t%s\t{\n", typeName ? typeName : "");
    return Put(line);
}

bool GxContentTextWriter::WriteTreeEnd() {
    return Put("23\t}\n");
}

bool GxContentTextWriter::WriteTreeStratumBegin() {
    return Put("24\t{\n");
}

bool GxContentTextWriter::WriteTreeStratumEnd() {
    return Put("25\t}\n");
}
