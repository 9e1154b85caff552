// Any bytes as a text content stream.
#include <cstddef>
#include <cstdint>

#include "content/gx_content_text_reader.h"
#include "content_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gxfuzz::QuietLog quiet;
    GxContentTextReader reader(data, static_cast<std::uint32_t>(size));
    GxU32 version = 0;
    reader.ReadFileHeader("TGD", &version);
    gxfuzz::ReadEverything(reader, size);

    GxContentTextReader named(data, static_cast<std::uint32_t>(size));
    while (!named.IsEnd()) {
        named.ReadWString("m_S");
        named.ReadString("m_S");
        named.ReadMatrix("m_M");
        GxBinBuffer block;
        named.ReadBinary("m_B", block);
    }
    return 0;
}
