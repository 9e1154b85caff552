#include "script/gx_rill_random.h"

#include <utility>

GxU64 GxRillRandom::Below(GxU64 count) {
    if (count != 0 && count <= (GxU64(1) << 32)) {
        // Rejection on one 32-bit output: the top `limit` values would bias the result.
        const GxU64 span = GxU64(1) << 32;
        const GxU64 limit = span - span % count;
        for (;;) {
            const GxU64 value = m_Generator();
            if (value < limit)
                return value % count;
        }
    }
    for (;;) {
        const GxU64 value = (GxU64(m_Generator()) << 32) | m_Generator();
        if (count == 0)
            return value;  // the whole range: every value is fair
        // 2^64 mod count, computed without overflow.
        const GxU64 rest = (GxU64(0) - count) % count;
        if (value >= rest)
            return value % count;
    }
}

GxS64 GxRillRandom::Draw(GxS64 low, GxS64 high) {
    if (low > high)
        std::swap(low, high);
    const GxU64 count = GxU64(high) - GxU64(low) + 1;  // wraps to 0 for the whole range
    if (count == 1)
        return low;
    return static_cast<GxS64>(GxU64(low) + Below(count));
}

GxRillRandom& GetRillRandom() {
    static GxRillRandom random;
    return random;
}
