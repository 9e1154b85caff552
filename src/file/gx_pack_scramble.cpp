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

}  // namespace

void ScramblePackBytes(void* data, size_t size, GxU64 position) {
    const GxU8* key = GetKeyStream().bytes.data();
    auto* bytes = static_cast<GxU8*>(data);
    size_t phase = static_cast<size_t>(position % kPeriod);
    while (size > 0) {
        const size_t run = size < kPeriod - phase ? size : kPeriod - phase;
        size_t i = 0;
        for (; i + 8 <= run; i += 8) {
            GxU64 word, mask;
            std::memcpy(&word, bytes + i, 8);
            std::memcpy(&mask, key + phase + i, 8);
            word ^= mask;
            std::memcpy(bytes + i, &word, 8);
        }
        for (; i < run; ++i)
            bytes[i] ^= key[phase + i];
        bytes += run;
        size -= run;
        phase = 0;
    }
}

}  // namespace gx
