// Reading a 64 MiB mixed binary content stream, beside a plain memcpy of the
// same bytes, so the reader's cost per byte can be compared with the copy.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"

namespace {

constexpr size_t kStreamBytes = 64u << 20;

// One group of the kinds of values a save or an animation project holds.
void WriteGroup(GxContentWriterBase& w, GxS32 i) {
    static const std::string kBlock(200, 'x');
    GxMatrix matrix;
    matrix.m[12] = static_cast<GxF32>(i);
    w.WriteListBegin("m_List", "", 1);
    w.WriteValue("m_Index", i);
    w.WriteValue("m_Time", static_cast<GxU64>(i) * 1000);
    w.WriteValue("m_Alpha", 0.5f);
    w.WriteValue("m_Visible", (i & 1) != 0);
    w.WriteValue("m_Pos", GxVector3{1, 2, 3});
    w.WriteValue("m_Color", GxFColor{});
    w.WriteValue("m_Rect", GxRect{0, 0, 1024, 768});
    w.WriteValue("m_World", matrix);
    w.WriteValue("m_Name", u"キャラクター名 character");
    w.WriteBinary("m_Data", kBlock.data(), static_cast<std::uint32_t>(kBlock.size()));
    w.WriteListEnd();
}

void ReadGroup(GxContentReaderBase& r, GxS64& checksum) {
    GxU32 count = 0;
    r.ReadListBegin("m_List", &count);
    checksum += r.ReadS32("m_Index");
    checksum += static_cast<GxS64>(r.ReadU64("m_Time"));
    checksum += static_cast<GxS64>(r.ReadF32("m_Alpha"));
    checksum += r.ReadBool("m_Visible");
    checksum += static_cast<GxS64>(r.ReadVector3("m_Pos").z);
    checksum += static_cast<GxS64>(r.ReadFColor("m_Color").a);
    checksum += r.ReadRect("m_Rect").right;
    checksum += static_cast<GxS64>(r.ReadMatrix("m_World").m[12]);
    checksum += static_cast<GxS64>(r.ReadWString("m_Name").size());
    GxBinBuffer block;
    r.ReadBinary("m_Data", block);
    checksum += block.GetSize();
    r.ReadListEnd();
}

const std::string& Stream() {
    static const std::string bytes = [] {
        char* data = nullptr;
        size_t size = 0;
        FILE* stream = open_memstream(&data, &size);
        {
            GxContentBinaryWriter writer(stream);
            for (GxS32 i = 0; std::ftell(stream) < static_cast<long>(kStreamBytes); ++i)
                WriteGroup(writer, i);
        }
        std::fclose(stream);
        std::string out(data, size);
        std::free(data);
        return out;
    }();
    return bytes;
}

void BM_ReadBinaryContent(benchmark::State& state) {
    const std::string& bytes = Stream();
    for (auto _ : state) {
        GxContentBinaryReader reader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        GxS64 checksum = 0;
        while (!reader.IsEnd() && reader.GetErrorCount() == 0)
            ReadGroup(reader, checksum);
        if (reader.GetErrorCount() != 0)
            state.SkipWithError("the stream did not read back");
        benchmark::DoNotOptimize(checksum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadBinaryContent)->Unit(benchmark::kMillisecond);

void BM_MemcpySameBytes(benchmark::State& state) {
    const std::string& bytes = Stream();
    std::vector<char> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
