#include "content/gx_text_decode.h"

#include <string_view>

#include "base/gx_byte_order.h"
#include "base/gx_string.h"

namespace gx {

GxTextEncoding DetectTextEncoding(const GxU8* data, size_t size, size_t* markSize) {
    *markSize = 0;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        *markSize = 3;
        return GxTextEncoding::Utf8;
    }
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        *markSize = 2;
        return GxTextEncoding::Utf16LE;
    }
    if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
        *markSize = 2;
        return GxTextEncoding::Utf16BE;
    }
    return GxTextEncoding::Ansi;
}

bool DecodeText(const GxU8* data, size_t size, bool utf8WithoutMark, std::u16string& text) {
    text.clear();
    size_t mark;
    const GxTextEncoding encoding = DetectTextEncoding(data, size, &mark);
    data += mark;
    size -= mark;
    switch (encoding) {
        case GxTextEncoding::Utf16BE:
            return false;
        case GxTextEncoding::Utf16LE:
            text.reserve(size / 2);
            for (size_t i = 0; i + 2 <= size; i += 2) {
                const char16_t unit = ReadLE16(data + i);
                if (unit == 0)
                    break;
                text.push_back(unit);
            }
            return true;
        case GxTextEncoding::Utf8:
        case GxTextEncoding::Ansi: {
            std::string_view bytes(reinterpret_cast<const char*>(data), size);
            bytes = bytes.substr(0, bytes.find('\0'));
            const bool utf8 =
                encoding == GxTextEncoding::Utf8 || (utf8WithoutMark && IsValidUtf8(bytes));
            text = utf8 ? Utf8ToUtf16(bytes) : AnsiToUtf16(bytes);
            return true;
        }
    }
    return false;
}

}  // namespace gx
