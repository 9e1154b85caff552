#pragma once

#include <cstdint>
#include <cstring>

// Byte-by-byte number access: files are never read or written by copying structs.
namespace gx {

inline std::uint16_t ReadLE16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadLE32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint64_t ReadLE64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(ReadLE32(p)) |
           (static_cast<std::uint64_t>(ReadLE32(p + 4)) << 32);
}
inline std::uint16_t ReadBE16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t ReadBE32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}
inline std::uint64_t ReadBE64(const std::uint8_t* p) {
    return (static_cast<std::uint64_t>(ReadBE32(p)) << 32) | ReadBE32(p + 4);
}

inline void WriteLE16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteLE32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void WriteLE64(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void WriteBE16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}
inline void WriteBE32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}
inline void WriteBE64(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (56 - 8 * i));
}

inline std::uint32_t FloatBits(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}
inline float BitsToFloat(std::uint32_t u) {
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}
inline std::uint64_t DoubleBits(double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    return u;
}
inline double BitsToDouble(std::uint64_t u) {
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

}  // namespace gx
