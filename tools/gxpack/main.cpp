// gxpack: creates, lists and extracts pack archives.
//   gxpack create OUT.gxp DIR [--scramble] [--utf16]
//   gxpack list ARCHIVE
//   gxpack cat ARCHIVE PATH

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "file/gx_file_handle.h"
#include "file/gx_pack_file.h"
#include "file/gx_pack_writer.h"

namespace {

// Engine messages go to stderr.
class StderrListener : public GxDebugListenerBase {
public:
    void OnDebugOutput(std::u16string_view text, int /*level*/) override {
        std::fputs(gx::Utf16ToUtf8(text).c_str(), stderr);
    }
};

int Usage() {
    std::fputs(
        "usage: gxpack create OUT.gxp DIR [--scramble] [--utf16]\n"
        "       gxpack list ARCHIVE\n"
        "       gxpack cat ARCHIVE PATH\n",
        stderr);
    return 2;
}

int Create(const std::vector<std::string>& args) {
    if (args.size() < 2)
        return Usage();
    GxPackOptions options;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--scramble") {
            options.scramble = true;
        } else if (args[i] == "--utf16") {
            options.utf16Names = true;
        } else {
            return Usage();
        }
    }
    std::vector<GxPackSource> sources;
    std::string error;
    if (!gx::CollectPackSources(args[1], sources, error) ||
        !gx::WritePackFile(args[0], sources, options, error)) {
        std::fprintf(stderr, "gxpack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

bool LoadArchive(GxPackFileHeaderCache& archive, const std::string& path) {
    if (archive.Load(gx::Utf8ToUtf16(path)))
        return true;
    std::fprintf(stderr, "gxpack: cannot read the archive %s\n", path.c_str());
    return false;
}

int List(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return Usage();
    GxPackFileHeaderCache archive;
    if (!LoadArchive(archive, args[0]))
        return 1;
    for (const GxPackEntry& entry : archive.GetEntries()) {
        std::printf("%s\t%u\n", gx::Utf16ToUtf8(entry.path).c_str(), entry.size);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Cat(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return Usage();
    GxPackFileHeaderCache archive;
    if (!LoadArchive(archive, args[0]))
        return 1;
    const GxPackEntry* entry = archive.FindEntry(gx::Utf8ToUtf16(args[1]));
    if (!entry) {
        std::fprintf(stderr, "gxpack: %s is not in %s\n", args[1].c_str(), args[0].c_str());
        return 1;
    }
    GxFileHandle handle;
    if (!handle.OpenEntry(archive, *entry)) {
        std::fprintf(stderr, "gxpack: cannot open %s\n", args[0].c_str());
        return 1;
    }
    std::vector<char> chunk(1 << 20);
    GxU64 written = 0;
    while (GxU32 got = handle.Read(chunk.data(), static_cast<GxU32>(chunk.size()))) {
        if (std::fwrite(chunk.data(), 1, got, stdout) != got)
            return 1;
        written += got;
    }
    if (written != entry->size) {
        std::fprintf(stderr, "gxpack: %s is truncated in %s\n", args[1].c_str(), args[0].c_str());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    StderrListener listener;
    gx::SetDebugListener(&listener);
    if (argc < 2)
        return Usage();
    const std::string_view command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    int result;
    if (command == "create") {
        result = Create(args);
    } else if (command == "list") {
        result = List(args);
    } else if (command == "cat") {
        result = Cat(args);
    } else {
        result = Usage();
    }
    gx::SetDebugListener(nullptr);
    return result;
}
