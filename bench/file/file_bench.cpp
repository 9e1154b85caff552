// Reading a 64 MiB scrambled archive entry through GxFileHandle, beside a plain
// read() of the same bytes from the same (page-cached) archive file.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/gx_string.h"
#include "file/gx_file.h"
#include "file/gx_file_handle.h"
#include "file/gx_pack_file.h"
#include "file/gx_pack_writer.h"

namespace {

constexpr GxU32 kEntrySize = 64U << 20;
constexpr GxU32 kChunk = 1U << 20;

// One scrambled archive holding one 64 MiB entry, written once per run.
struct Archive {
    std::filesystem::path folder;
    std::string path;
    GxU64 dataStart = 0;

    Archive() {
        folder = std::filesystem::temp_directory_path() / ("gxbench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "in");
        std::vector<char> bytes(kEntrySize);
        std::mt19937 random(1);
        for (char& c : bytes)
            c = static_cast<char>(random());
        std::ofstream(folder / "in" / "movie.mpg", std::ios::binary)
            .write(bytes.data(), bytes.size());
        path = (folder / "bench.gxp").string();
        std::string error;
        std::vector<GxPackSource> sources{{u"movie.mpg", (folder / "in" / "movie.mpg").string()}};
        GxPackOptions options;
        options.scramble = true;
        if (!gx::WritePackFile(path, sources, options, error))
            std::fprintf(stderr, "%s\n", error.c_str());
        GxPackFileHeaderCache header;
        header.Load(gx::Utf8ToUtf16(path));
        dataStart = header.GetDataOffset() + header.GetEntries().at(0).offset;
        OpenPackFile(gx::Utf8ToUtf16(path));
    }
    ~Archive() {
        CloseAllPackFiles();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Archive& GetArchive() {
    static Archive archive;
    return archive;
}

void BM_ScrambledEntryThroughHandle(benchmark::State& state) {
    GetArchive();
    std::vector<char> buffer(kChunk);
    for (auto _ : state) {
        GxFileHandle handle;
        handle.Open(u"movie.mpg");
        GxU64 total = 0;
        while (GxU32 got = handle.Read(buffer.data(), kChunk))
            total += got;
        benchmark::DoNotOptimize(buffer.data());
        if (total != kEntrySize)
            state.SkipWithError("short read");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kEntrySize);
}

void BM_PlainReadOfTheSameBytes(benchmark::State& state) {
    const Archive& archive = GetArchive();
    std::vector<char> buffer(kChunk);
    for (auto _ : state) {
        const int file = ::open(archive.path.c_str(), O_RDONLY);
        ::lseek(file, static_cast<off_t>(archive.dataStart), SEEK_SET);
        GxU64 total = 0;
        while (total < kEntrySize) {
            const ssize_t got = ::read(file, buffer.data(), kChunk);
            if (got <= 0)
                break;
            total += static_cast<GxU64>(got);
        }
        ::close(file);
        benchmark::DoNotOptimize(buffer.data());
        if (total != kEntrySize)
            state.SkipWithError("short read");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kEntrySize);
}

BENCHMARK(BM_ScrambledEntryThroughHandle)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PlainReadOfTheSameBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
