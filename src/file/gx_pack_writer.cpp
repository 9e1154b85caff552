#include "file/gx_pack_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>

#include "base/gx_byte_order.h"
#include "base/gx_string.h"
#include "file/gx_native_file.h"
#include "file/gx_pack_format.h"
#include "file/gx_pack_scramble.h"

using namespace gx::pack;

namespace gx {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct PendingEntry {
    std::vector<GxU8> name;  // encoded, with its terminator
    GxU32 size = 0;
    GxU64 fileTime = 0;
    GxU64 offset = 0;
};

bool EncodeName(const std::u16string& path, bool utf16, std::vector<GxU8>& name,
                std::string& error) {
    name.clear();
    if (utf16) {
        for (char16_t unit : path) {
            name.push_back(static_cast<GxU8>(unit));
            name.push_back(static_cast<GxU8>(unit >> 8));
        }
        name.insert(name.end(), {0, 0});
        return true;
    }
    const std::string ansi = Utf16ToAnsi(path);
    if (AnsiToUtf16(ansi) != path) {
        error = "the name " + Utf16ToUtf8(path) + " cannot be stored in CP932 (use --utf16)";
        return false;
    }
    name.assign(ansi.begin(), ansi.end());
    name.push_back(0);
    return true;
}

bool WriteBytes(std::FILE* out, const void* data, size_t size) {
    return size == 0 || std::fwrite(data, 1, size, out) == size;
}

// Copies one source file into the archive, scrambling it when asked.
bool CopyData(std::FILE* out, const GxNativeFile& file, GxU32 size, bool scramble) {
    std::vector<GxU8> chunk(1 << 20);
    for (GxU64 done = 0; done < size;) {
        const GxU64 want = std::min<GxU64>(chunk.size(), size - done);
        if (file.ReadAt(chunk.data(), want, done) != want)
            return false;
        if (scramble)
            ScramblePackBytes(chunk.data(), want, done);
        if (!WriteBytes(out, chunk.data(), want))
            return false;
        done += want;
    }
    return true;
}

}  // namespace

bool CollectPackSources(const std::string& folder, std::vector<GxPackSource>& sources,
                        std::string& error) {
    std::error_code code;
    fs::recursive_directory_iterator it(folder, code);
    if (code) {
        error = "cannot read the folder " + folder + ": " + code.message();
        return false;
    }
    for (; !code && it != fs::recursive_directory_iterator(); it.increment(code)) {
        if (!it->is_regular_file(code))
            continue;
        const fs::path relative = it->path().lexically_relative(folder);
        sources.push_back({Utf8ToUtf16(relative.generic_string()), it->path().string()});
    }
    if (code) {
        error = "cannot read the folder " + folder + ": " + code.message();
        return false;
    }
    std::sort(sources.begin(), sources.end(),
              [](const GxPackSource& a, const GxPackSource& b) { return a.path < b.path; });
    return true;
}

bool WritePackFile(const std::string& outPath, const std::vector<GxPackSource>& sources,
                   const GxPackOptions& options, std::string& error) {
    if (sources.size() > std::numeric_limits<GxU32>::max()) {
        error = "too many files";
        return false;
    }
    std::vector<PendingEntry> entries(sources.size());
    GxU64 directorySize = 0;
    GxU64 dataSize = 0;
    for (size_t i = 0; i < sources.size(); ++i) {
        GxNativeFile file;
        if (!file.Open(sources[i].nativePath)) {
            error = "cannot open " + sources[i].nativePath;
            return false;
        }
        const GxU64 size = file.GetSize();
        if (size > std::numeric_limits<GxU32>::max()) {
            error = sources[i].nativePath + " is larger than 4 GiB - 1";
            return false;
        }
        PendingEntry& entry = entries[i];
        if (!EncodeName(sources[i].path, options.utf16Names, entry.name, error))
            return false;
        entry.size = static_cast<GxU32>(size);
        entry.fileTime = file.GetWriteTime();
        entry.offset = dataSize;
        dataSize += size;
        directorySize += kEntryName + entry.name.size();
    }
    if (directorySize > std::numeric_limits<GxU32>::max()) {
        error = "the directory is larger than 4 GiB - 1";
        return false;
    }

    GxU8 header[kHeaderSize] = {};
    WriteLE32(header + kHeaderNameEncoding, options.utf16Names ? 1 : 0);
    WriteLE32(header + kHeaderScrambled, options.scramble ? 1 : 0);
    WriteLE32(header + kHeaderEntryCount, static_cast<GxU32>(entries.size()));
    WriteLE32(header + kHeaderDirectorySize, static_cast<GxU32>(directorySize));
    WriteLE64(header + kHeaderDataOffset, kHeaderSize + directorySize);

    const std::string temporary = outPath + ".partial";
    FilePtr out(std::fopen(temporary.c_str(), "wb"));
    if (!out) {
        error = "cannot create " + temporary;
        return false;
    }
    bool ok = WriteBytes(out.get(), header, kHeaderSize);
    std::vector<GxU8> bytes;
    for (const PendingEntry& entry : entries) {
        bytes.assign(kEntryName, 0);
        WriteLE32(bytes.data() + kEntrySize, static_cast<GxU32>(kEntryName + entry.name.size()));
        WriteLE32(bytes.data() + kEntryFileSize, entry.size);
        WriteLE64(bytes.data() + kEntryFileTime, entry.fileTime);
        WriteLE64(bytes.data() + kEntryOffset, entry.offset);
        bytes.insert(bytes.end(), entry.name.begin(), entry.name.end());
        if (options.scramble)
            ScramblePackBytes(bytes.data(), bytes.size(), 0);
        ok = ok && WriteBytes(out.get(), bytes.data(), bytes.size());
    }
    for (size_t i = 0; ok && i < entries.size(); ++i) {
        GxNativeFile file;
        ok = file.Open(sources[i].nativePath) &&
             CopyData(out.get(), file, entries[i].size, options.scramble);
    }
    ok = std::fclose(out.release()) == 0 && ok;
    std::error_code code;
    if (ok)
        fs::rename(temporary, outPath, code);
    if (!ok || code) {
        error = "cannot write " + outPath;
        fs::remove(temporary, code);
        return false;
    }
    return true;
}

}  // namespace gx
