#include "base/gx_string.h"

#include <iconv.h>

#include <cerrno>

namespace gx {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when malformed.
size_t DecodeUtf8(std::string_view text, size_t i, char32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b0 = byte(i);
    size_t length;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

// One converter per thread and direction: iconv descriptors are not thread-safe.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : m_Handle(iconv_open(to, from)) {}
    ~IconvConverter() {
        if (m_Handle != reinterpret_cast<iconv_t>(-1)) iconv_close(m_Handle);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool IsOpen() const { return m_Handle != reinterpret_cast<iconv_t>(-1); }

    // Converts the input; on an invalid sequence calls onInvalid and skips `skip` bytes.
    template <class OnInvalid>
    std::string Convert(const char* input, size_t size, size_t skip, OnInvalid onInvalid) {
        std::string out;
        if (!IsOpen()) return out;
        iconv(m_Handle, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input);
        size_t inLeft = size;
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof(buffer);
            size_t result = iconv(m_Handle, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                onInvalid(out);
                size_t step = inLeft < skip ? inLeft : skip;
                in += step;
                inLeft -= step;
                iconv(m_Handle, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t m_Handle;
};

std::u16string FromUtf16LeBytes(const std::string& bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) {
            out.push_back(kReplacement);
            ++i;
        } else {
            AppendCodePoint(out, cp);
            i += length;
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool IsAnsiLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::u16string AnsiToUtf16(std::string_view text) {
    bool ascii = true;
    for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::u16string(text.begin(), text.end());
    thread_local IconvConverter converter("UTF-16LE", "CP932");
    std::string bytes = converter.Convert(text.data(), text.size(), 1, [](std::string& out) {
        out.push_back(static_cast<char>(0xFD));
        out.push_back(static_cast<char>(0xFF));
    });
    return FromUtf16LeBytes(bytes);
}

std::string Utf16ToAnsi(std::u16string_view text) {
    bool ascii = true;
    for (char16_t c : text) ascii = ascii && c < 0x80;
    if (ascii) return std::string(text.begin(), text.end());
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    thread_local IconvConverter converter("CP932", "UTF-16LE");
    return converter.Convert(bytes.data(), bytes.size(), 2,
                             [](std::string& out) { out.push_back('?'); });
}

std::u16string ToLowerAscii(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    return out;
}

std::u16string ToUpperAscii(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    }
    return out;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
        if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
        if (x != y) return false;
    }
    return true;
}

std::u16string GetExtension(std::u16string_view name) {
    size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) return {};
    size_t separator = name.find_last_of(u"\\/:");
    if (separator != std::u16string_view::npos && separator > dot) return {};
    return std::u16string(name.substr(dot));
}

bool HasExtension(std::u16string_view name, std::u16string_view extension) {
    return EqualsIgnoreAsciiCase(GetExtension(name), extension);
}

std::vector<std::u16string> SplitExactly(std::u16string_view text, char16_t delimiter,
                                         size_t count) {
    std::vector<std::u16string> pieces(count);
    size_t start = 0;
    for (size_t i = 0; i < count && start <= text.size(); ++i) {
        size_t end = text.find(delimiter, start);
        if (end == std::u16string_view::npos) {
            pieces[i] = std::u16string(text.substr(start));
            break;
        }
        pieces[i] = std::u16string(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::u16string ToU16(long long value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace gx
