#include "base/gx_format.h"

#include <cmath>
#include <cstdio>

#include "base/gx_string.h"

std::int64_t GxFormatArg::AsSigned() const {
    switch (m_Kind) {
        case Kind::Signed: return m_Signed;
        case Kind::Unsigned:
        case Kind::Pointer: return static_cast<std::int64_t>(m_Unsigned);
        case Kind::Double:
            if (std::isnan(m_Double)) return 0;
            if (m_Double >= 9.2233720368547758e18) return INT64_MAX;
            if (m_Double <= -9.2233720368547758e18) return INT64_MIN;
            return static_cast<std::int64_t>(m_Double);
        default: return 0;
    }
}

std::uint64_t GxFormatArg::AsUnsigned() const {
    if (m_Kind == Kind::Signed) {
        // A negative value shown unsigned keeps the width of its own type (-1 as int is ffffffff).
        std::uint64_t bits = static_cast<std::uint64_t>(m_Signed);
        return m_Bits >= 64 ? bits : bits & ((std::uint64_t{1} << m_Bits) - 1);
    }
    if (m_Kind == Kind::Unsigned || m_Kind == Kind::Pointer) return m_Unsigned;
    return static_cast<std::uint64_t>(AsSigned());
}

double GxFormatArg::AsDouble() const {
    switch (m_Kind) {
        case Kind::Double: return m_Double;
        case Kind::Signed: return static_cast<double>(m_Signed);
        case Kind::Unsigned:
        case Kind::Pointer: return static_cast<double>(m_Unsigned);
        default: return 0;
    }
}

std::u16string GxFormatArg::AsText() const {
    switch (m_Kind) {
        case Kind::Wide: return std::u16string(m_Wide);
        case Kind::Narrow: return gx::Utf8ToUtf16(m_Narrow);
        case Kind::Signed: return gx::ToU16(m_Signed);
        case Kind::Unsigned: return gx::ToU16(static_cast<long long>(m_Unsigned));
        default: {
            char buffer[64];
            std::snprintf(buffer, sizeof(buffer), "%g", AsDouble());
            return gx::Utf8ToUtf16(buffer);
        }
    }
}

namespace gx {
namespace {

struct Spec {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
    int lengthBits = 0;  // 0: as the argument; 8/16/32/64 when the format names a size
};

void Pad(std::u16string& out, const std::u16string& body, const Spec& spec, bool zeroAllowed,
         size_t signLength) {
    size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    if (body.size() >= width) {
        out += body;
    } else if (spec.left) {
        out += body;
        out.append(width - body.size(), u' ');
    } else if (spec.zero && zeroAllowed) {
        out += body.substr(0, signLength);
        out.append(width - body.size(), u'0');
        out += body.substr(signLength);
    } else {
        out.append(width - body.size(), u' ');
        out += body;
    }
}

std::u16string Digits(std::uint64_t value, int base, bool upper) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(set[value % base]));
        value /= base;
    } while (value != 0);
    return digits;
}

void FormatInteger(std::u16string& out, const GxFormatArg& arg, const Spec& spec, char16_t conv) {
    bool isSigned = conv == u'd' || conv == u'i';
    int bits = spec.lengthBits ? spec.lengthBits : arg.GetBits();
    std::u16string sign, prefix, digits;
    if (isSigned) {
        std::int64_t v = arg.AsSigned();
        if (bits == 8) v = static_cast<std::int8_t>(v);
        if (bits == 16) v = static_cast<std::int16_t>(v);
        if (bits == 32) v = static_cast<std::int32_t>(v);
        std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : v;
        if (v < 0) sign = u"-";
        else if (spec.plus) sign = u"+";
        else if (spec.space) sign = u" ";
        digits = Digits(magnitude, 10, false);
    } else {
        std::uint64_t v = arg.AsUnsigned();
        if (bits < 64) v &= (std::uint64_t{1} << bits) - 1;
        int base = (conv == u'x' || conv == u'X') ? 16 : conv == u'o' ? 8 : 10;
        digits = Digits(v, base, conv == u'X');
        if (spec.alt && v != 0 && base == 16) prefix = conv == u'X' ? u"0X" : u"0x";
        if (spec.alt && base == 8 && digits[0] != u'0') prefix = u"0";
    }
    if (spec.precision >= 0) {
        if (spec.precision == 0 && digits == u"0") digits.clear();
        if (digits.size() < static_cast<size_t>(spec.precision)) {
            digits.insert(0, static_cast<size_t>(spec.precision) - digits.size(), u'0');
        }
    }
    Pad(out, sign + prefix + digits, spec, spec.precision < 0, sign.size() + prefix.size());
}

void FormatFloat(std::u16string& out, const GxFormatArg& arg, const Spec& spec, char16_t conv) {
    std::string f = "%";
    if (spec.left) f += '-';
    if (spec.plus) f += '+';
    if (spec.space) f += ' ';
    if (spec.alt) f += '#';
    if (spec.zero) f += '0';
    if (spec.width > 0) f += std::to_string(spec.width);
    if (spec.precision >= 0) f += "." + std::to_string(spec.precision);
    f += static_cast<char>(conv);
    char buffer[512];
    std::snprintf(buffer, sizeof(buffer), f.c_str(), arg.AsDouble());
    out += Utf8ToUtf16(buffer);
}

}  // namespace

std::u16string FormatArgs(std::u16string_view format, const GxFormatArg* args, size_t count) {
    std::u16string out;
    out.reserve(format.size() + 16);
    size_t next = 0;
    const auto take = [&]() -> const GxFormatArg* { return next < count ? &args[next++] : nullptr; };
    for (size_t i = 0; i < format.size(); ++i) {
        char16_t c = format[i];
        if (c != u'%') {
            out.push_back(c);
            continue;
        }
        size_t start = i++;
        if (i >= format.size()) {
            out.push_back(u'%');
            break;
        }
        if (format[i] == u'%') {
            out.push_back(u'%');
            continue;
        }
        Spec spec;
        for (; i < format.size(); ++i) {
            char16_t f = format[i];
            if (f == u'-') spec.left = true;
            else if (f == u'+') spec.plus = true;
            else if (f == u' ') spec.space = true;
            else if (f == u'#') spec.alt = true;
            else if (f == u'0') spec.zero = true;
            else break;
        }
        if (i < format.size() && format[i] == u'*') {
            const GxFormatArg* a = take();
            long long w = a ? a->AsSigned() : 0;
            if (w < 0) spec.left = true, w = -w;
            spec.width = static_cast<int>(w > 4096 ? 4096 : w);
            ++i;
        } else {
            while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
                spec.width = spec.width * 10 + (format[i++] - u'0');
                if (spec.width > 4096) spec.width = 4096;
            }
        }
        if (i < format.size() && format[i] == u'.') {
            ++i;
            spec.precision = 0;
            if (i < format.size() && format[i] == u'*') {
                const GxFormatArg* a = take();
                long long p = a ? a->AsSigned() : 0;
                spec.precision = p < 0 ? -1 : static_cast<int>(p > 4096 ? 4096 : p);
                ++i;
            } else {
                while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
                    spec.precision = spec.precision * 10 + (format[i++] - u'0');
                    if (spec.precision > 4096) spec.precision = 4096;
                }
            }
        }
        // Length modifiers: h, hh, l, ll, L, I, I32, I64, z, j, t, q, w.
        while (i < format.size()) {
            std::u16string_view rest = format.substr(i);
            if (rest.starts_with(u"I64")) spec.lengthBits = 64, i += 3;
            else if (rest.starts_with(u"I32")) spec.lengthBits = 32, i += 3;
            else if (rest.starts_with(u"hh")) spec.lengthBits = 8, i += 2;
            else if (rest.starts_with(u"ll")) spec.lengthBits = 64, i += 2;
            else if (rest[0] == u'h') spec.lengthBits = 16, ++i;
            else if (rest[0] == u'l' || rest[0] == u'w') spec.lengthBits = 32, ++i;
            else if (rest[0] == u'q' || rest[0] == u'j') spec.lengthBits = 64, ++i;
            else if (rest[0] == u'I' || rest[0] == u'z' || rest[0] == u't' || rest[0] == u'L') ++i;
            else break;
        }
        if (i >= format.size()) {
            out.append(format.substr(start));
            break;
        }
        char16_t conv = format[i];
        const GxFormatArg* arg = nullptr;
        switch (conv) {
            case u'd':
            case u'i':
            case u'u':
            case u'x':
            case u'X':
            case u'o':
                if ((arg = take())) FormatInteger(out, *arg, spec, conv);
                break;
            case u'f':
            case u'F':
            case u'e':
            case u'E':
            case u'g':
            case u'G':
            case u'a':
            case u'A':
                if ((arg = take())) FormatFloat(out, *arg, spec, conv);
                break;
            case u'c':
            case u'C':
                if ((arg = take())) {
                    std::u16string body(1, static_cast<char16_t>(arg->AsUnsigned()));
                    Pad(out, body, spec, false, 0);
                }
                break;
            case u's':
            case u'S':
                if ((arg = take())) {
                    std::u16string body = arg->AsText();
                    if (spec.precision >= 0 && body.size() > static_cast<size_t>(spec.precision)) {
                        body.resize(static_cast<size_t>(spec.precision));
                    }
                    Pad(out, body, spec, false, 0);
                }
                break;
            case u'p':
                if ((arg = take())) {
                    std::u16string body = Digits(arg->AsUnsigned(), 16, true);
                    if (body.size() < 16) body.insert(0, 16 - body.size(), u'0');
                    Pad(out, body, spec, false, 0);
                }
                break;
            case u'n': break;
            default: out.append(format.substr(start, i - start + 1)); break;
        }
    }
    return out;
}

}  // namespace gx
