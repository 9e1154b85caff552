#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

// One argument of the printf-style formatter. It remembers its kind and width so
// that the engine's message formats (%s, %d, %x, %I64d, %f, %c ...) can be used
// exactly as written without trusting the format to describe the argument.
class GxFormatArg {
public:
    enum class Kind { Signed, Unsigned, Double, Wide, Narrow, Pointer };

    template <std::integral T>
    GxFormatArg(T value) : m_Bits(sizeof(T) * 8) {
        if constexpr (std::is_same_v<T, bool>) {
            m_Kind = Kind::Unsigned;
            m_Unsigned = value ? 1 : 0;
        } else if constexpr (std::is_signed_v<T>) {
            m_Kind = Kind::Signed;
            m_Signed = value;
        } else {
            m_Kind = Kind::Unsigned;
            m_Unsigned = value;
        }
    }
    template <class E>
        requires std::is_enum_v<E>
    GxFormatArg(E value) : GxFormatArg(static_cast<std::underlying_type_t<E>>(value)) {}
    GxFormatArg(double value) : m_Kind(Kind::Double), m_Double(value) {}
    GxFormatArg(float value) : m_Kind(Kind::Double), m_Double(value) {}
    GxFormatArg(std::u16string_view text) : m_Kind(Kind::Wide), m_Wide(text) {}
    GxFormatArg(const std::u16string& text) : m_Kind(Kind::Wide), m_Wide(text) {}
    GxFormatArg(const char16_t* text)
        : m_Kind(Kind::Wide), m_Wide(text ? std::u16string_view(text) : u"(null)") {}
    GxFormatArg(char16_t* text) : GxFormatArg(static_cast<const char16_t*>(text)) {}
    // Narrow strings are taken as UTF-8.
    GxFormatArg(std::string_view text) : m_Kind(Kind::Narrow), m_Narrow(text) {}
    GxFormatArg(const std::string& text) : m_Kind(Kind::Narrow), m_Narrow(text) {}
    GxFormatArg(const char* text)
        : m_Kind(Kind::Narrow), m_Narrow(text ? std::string_view(text) : "(null)") {}
    GxFormatArg(char* text) : GxFormatArg(static_cast<const char*>(text)) {}
    GxFormatArg(const void* pointer)
        : m_Kind(Kind::Pointer), m_Unsigned(reinterpret_cast<std::uintptr_t>(pointer)) {}

    Kind GetKind() const { return m_Kind; }
    int GetBits() const { return m_Bits; }
    std::int64_t AsSigned() const;
    std::uint64_t AsUnsigned() const;
    double AsDouble() const;
    std::u16string AsText() const;

private:
    Kind m_Kind;
    int m_Bits = 64;
    std::int64_t m_Signed = 0;
    std::uint64_t m_Unsigned = 0;
    double m_Double = 0;
    std::u16string_view m_Wide;
    std::string_view m_Narrow;
};

namespace gx {

std::u16string FormatArgs(std::u16string_view format, const GxFormatArg* args, size_t count);

template <class... Args>
std::u16string Format(std::u16string_view format, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        return FormatArgs(format, nullptr, 0);
    } else {
        const std::array<GxFormatArg, sizeof...(Args)> list{GxFormatArg(args)...};
        return FormatArgs(format, list.data(), list.size());
    }
}

}  // namespace gx
