// Feeds arbitrary bytes to the pack archive reader as a whole archive file:
// header and directory checks, name decoding, unscrambling and the name map.
// Seeds: fuzzers/corpus/archive/.

#include <cstddef>
#include <cstdint>

#include "base/gx_log.h"
#include "file/gx_pack_file.h"

namespace {
// Damaged archives are reported; the fuzzer does not need to see it.
class SilentListener : public GxDebugListenerBase {
public:
    void OnDebugOutput(std::u16string_view, int) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static SilentListener listener;
    gx::SetDebugListener(&listener);
    GxPackFileHeaderCache archive;
    if (archive.LoadFromMemory(data, size, u"fuzz.gxp")) {
        const GxU64 dataArea = size - archive.GetDataOffset();
        for (const GxPackEntry& entry : archive.GetEntries()) {
            // Every accepted entry lies inside the file and can be found by its name.
            if (entry.offset > dataArea || entry.size > dataArea - entry.offset)
                __builtin_trap();
            if (!archive.FindEntry(entry.path))
                __builtin_trap();
        }
    }
    return 0;
}
