#include "file/gx_pack_scramble.h"

#include <array>
#include <cstring>

namespace gx {
namespace {

constexpr std::array<GxU8, 23> kKey = {0x5c, 0x0b, 0x9e, 0x17, 0xd2, 0xf4, 0x0a, 0x6c,
                                       0x83, 0xbe, 0x51, 0xd7, 0x09, 0x2f, 0xc4, 0xe8,
                                       0x6a, 0x1d, 0xb3, 0x0f, 0x7e, 0x29, 0x5c};
constexpr size_t kPeriod = 256 * kKey.size();

// One period of the key stream.
struct KeyStream {
    std::array<GxU8, kPeriod> bytes{};
    KeyStream() {
        for (size_t n = 0; n < kPeriod; ++n) {
            bytes[n] = static_cast<GxU8>((n & 0xFF) ^ kKey[n % kKey.size()]);
        }
    }
};

const KeyStream& GetKeyStream() {
    static const KeyStream stream;
    return stream;
}

using Block16 = GxU8 __attribute__((vector_size(16)));
using Block32 = GxU8 __attribute__((vector_size(32)));

template <class Block>
__attribute__((always_inline)) inline void XorBlock(GxU8* bytes, const GxU8* key) {
    Block word, mask;
    std::memcpy(&word, bytes, sizeof(Block));
    std::memcpy(&mask, key, sizeof(Block));
    word ^= mask;
    std::memcpy(bytes, &word, sizeof(Block));
}

// bytes[i] ^= key[i], two vector registers at a time.
template <class Block>
__attribute__((always_inline)) inline void XorWithKey(GxU8* bytes, const GxU8* key, size_t size) {
    size_t i = 0;
    for (; i + 2 * sizeof(Block) <= size; i += 2 * sizeof(Block)) {
        XorBlock<Block>(bytes + i, key + i);
        XorBlock<Block>(bytes + i + sizeof(Block), key + i + sizeof(Block));
    }
    for (; i < size; ++i)
        bytes[i] ^= key[i];
}

using XorFunction = void (*)(GxU8*, const GxU8*, size_t);

void XorSse2(GxU8* bytes, const GxU8* key, size_t size) {
    XorWithKey<Block16>(bytes, key, size);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void XorAvx2(GxU8* bytes, const GxU8* key, size_t size) {
    XorWithKey<Block32>(bytes, key, size);
}
#endif

XorFunction PickXor() {
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx2"))
        return XorAvx2;
#endif
    return XorSse2;
}

}  // namespace

void ScramblePackBytes(void* data, size_t size, GxU64 position) {
    static const XorFunction xorWithKey = PickXor();
    const GxU8* key = GetKeyStream().bytes.data();
    auto* bytes = static_cast<GxU8*>(data);
    size_t phase = static_cast<size_t>(position % kPeriod);
    while (size > 0) {
        const size_t run = size < kPeriod - phase ? size : kPeriod - phase;
        xorWithKey(bytes, key + phase, run);
        bytes += run;
        size -= run;
        phase = 0;
    }
}

}  // namespace gx
