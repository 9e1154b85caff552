#include "content_dump.h"

#include <cinttypes>
#include <cstring>

#include "base/gx_string.h"
#include "content/gx_content_binary_reader.h"
#include "content/gx_content_file.h"
#include "content/gx_content_text_reader.h"
#include "content/gx_value_type_names.h"

namespace {

std::string Printf(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Floats(std::initializer_list<GxF32> values) {
    std::string out;
    for (GxF32 v : values)
        out += (out.empty() ? "" : " ") + Printf("%.9g", v);
    return out;
}

std::string Ints(std::initializer_list<GxS32> values) {
    std::string out;
    for (GxS32 v : values)
        out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

std::string Quoted(const std::u16string& text) {
    std::string out = "\"";
    for (char c : gx::Utf16ToUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string FormatPayload(const GxAnyValuePayload& payload) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) {
                return v ? "1" : "0";
            } else if constexpr (std::is_same_v<T, GxF32>) {
                return Printf("%.9g", v);
            } else if constexpr (std::is_same_v<T, GxF64>) {
                return Printf("%.17g", v);
            } else if constexpr (std::is_integral_v<T>) {
                return std::to_string(v);
            } else if constexpr (std::is_same_v<T, GxVector2>) {
                return Floats({v.x, v.y});
            } else if constexpr (std::is_same_v<T, GxVector3>) {
                return Floats({v.x, v.y, v.z});
            } else if constexpr (std::is_same_v<T, GxVector4> || std::is_same_v<T, GxQuat>) {
                return Floats({v.x, v.y, v.z, v.w});
            } else if constexpr (std::is_same_v<T, GxFColor>) {
                return Floats({v.r, v.g, v.b, v.a});
            } else if constexpr (std::is_same_v<T, GxFRect>) {
                return Floats({v.left, v.top, v.right, v.bottom});
            } else if constexpr (std::is_same_v<T, GxRect>) {
                return Ints({v.left, v.top, v.right, v.bottom});
            } else if constexpr (std::is_same_v<T, GxMatrix>) {
                std::string out;
                for (GxF32 e : v.m)
                    out += (out.empty() ? "" : " ") + Printf("%.9g", e);
                return out;
            } else if constexpr (std::is_same_v<T, GxPoint2>) {
                return Ints({v.x, v.y});
            } else if constexpr (std::is_same_v<T, GxPoint3>) {
                return Ints({v.x, v.y, v.z});
            } else if constexpr (std::is_same_v<T, GxPoint4>) {
                return Ints({v.x, v.y, v.z, v.w});
            } else if constexpr (std::is_same_v<T, GxBit32>) {
                return std::to_string(v.bits);
            } else if constexpr (std::is_same_v<T, GxStringValue>) {
                return Quoted(v.text);
            } else if constexpr (std::is_same_v<T, GxBlockValue>) {
                std::string out = "size=" + std::to_string(v.bytes.size());
                if (!v.bytes.empty())
                    out += ' ';
                static const char kHex[] = "0123456789abcdef";
                for (std::uint8_t b : v.bytes) {
                    out += kHex[b >> 4];
                    out += kHex[b & 15];
                }
                return out;
            } else if constexpr (std::is_same_v<T, GxListStartValue>) {
                return std::to_string(v.count);
            } else {
                return {};
            }
        },
        payload);
}

bool LooksLikeTextLine(const GxBinBuffer& buffer) {
    const std::uint8_t* d = buffer.GetData();
    auto hex = [](std::uint8_t c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    return buffer.GetSize() >= 3 && hex(d[0]) && hex(d[1]) && d[2] == '\t';
}

}  // namespace

namespace gx {

std::string FormatAnyValue(const GxAnyValue& value) {
    const char* type_name = GetValueTypeName(value.type);
    std::string line = type_name ? type_name : "?";
    if (!value.name.empty())
        line += " name=" + value.name;
    const std::string payload = FormatPayload(value.payload);
    if (!payload.empty())
        line += " " + payload;
    return line;
}

std::unique_ptr<GxContentReaderBase> CreateHeaderlessReader(const GxBinBuffer& buffer) {
    if (LooksLikeTextLine(buffer))
        return std::make_unique<GxContentTextReader>(buffer);
    return std::make_unique<GxContentBinaryReader>(buffer);
}

bool ReadAnyHeader(GxContentReaderBase& reader, const GxBinBuffer& buffer, std::string& tag,
                   GxU32& version) {
    tag = PeekContentHeaderTag(buffer);
    return reader.ReadFileHeader(tag.c_str(), &version);
}

bool DumpContent(const GxBinBuffer& buffer, bool withHeader, FILE* out, std::string& error) {
    std::unique_ptr<GxContentReaderBase> reader =
        withHeader ? CreateContentReader(buffer) : CreateHeaderlessReader(buffer);
    if (withHeader) {
        std::string tag;
        GxU32 version = 0;
        if (!ReadAnyHeader(*reader, buffer, tag, version))
            return false;
        std::fprintf(out, "header %s %u\n", tag.c_str(), version);
    }
    while (!reader->IsEnd()) {
        const int type = reader->PeekValueType();
        std::optional<GxAnyValue> value = ReadAnyValue(*reader);
        if (!value) {
            if (reader->GetErrorCount() == 0)
                error = "unknown value type " + std::to_string(type);
            return false;
        }
        std::fprintf(out, "%s\n", FormatAnyValue(*value).c_str());
    }
    return true;
}

}  // namespace gx
