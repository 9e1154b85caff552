// Any bytes as a binary content stream: every read must stay inside the data.
#include <cstddef>
#include <cstdint>

#include "content/gx_content_binary_reader.h"
#include "content_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gxfuzz::QuietLog quiet;
    GxContentBinaryReader reader(data, static_cast<std::uint32_t>(size));
    GxU32 version = 0;
    reader.ReadFileHeader("BGD", &version);
    gxfuzz::ReadEverything(reader, size);

    // Typed reads of the wrong kind, and the cross reads, on the same bytes.
    GxContentBinaryReader typed(data, static_cast<std::uint32_t>(size));
    while (!typed.IsEnd()) {
        typed.ReadVector3("v");
        typed.ReadQuat("q");
        typed.ReadString("s");
        GxBinBuffer block;
        typed.ReadBinary("b", block);
        GxU32 count = 0;
        typed.ReadListBegin("l", &count);
        typed.ReadBool("f");
    }
    return 0;
}
