#include "core/gx_entry.h"

#include <charconv>
#include <cstdio>

#include "base/gx_string.h"
#include "core/gx_core.h"
#include "file/gx_file.h"
#include "platform/gx_folders.h"
#include "platform/gx_platform.h"

namespace {

constexpr GxU32 kFileCacheCapacity = 0xB400000;
constexpr GxU32 kFileCacheFileLimit = 0x100000;

}  // namespace

namespace gx {

const char* EntryUsage() {
    return "usage: gxadv [--game DIR] [--headless] [--frames N] [--help]\n"
           "  --game DIR   play the game in DIR (default: the current directory)\n"
           "  --headless   off-screen video, dummy audio, message boxes on stderr\n"
           "  --frames N   quit normally after N frames\n"
           "  --help       show this text\n";
}

bool ParseEntryOptions(const std::vector<std::string>& arguments, GxEntryOptions& options,
                       std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--headless") {
            options.headless = true;
        } else if (argument == "--game") {
            if (!hasValue || arguments[i + 1].empty()) {
                error = "--game needs a folder";
                return false;
            }
            options.gameFolder = Utf8ToUtf16(arguments[++i]);
        } else if (argument == "--frames") {
            const std::string* value = hasValue ? &arguments[++i] : nullptr;
            GxS64 frames = 0;
            auto result =
                value ? std::from_chars(value->data(), value->data() + value->size(), frames)
                      : std::from_chars_result{nullptr, std::errc::invalid_argument};
            if (!value || result.ec != std::errc() || result.ptr != value->data() + value->size() ||
                frames <= 0) {
                error = "--frames needs a positive number";
                return false;
            }
            options.frames = frames;
        } else {
            error = "unknown option: " + argument;
            return false;
        }
    }
    return true;
}

int RunEntry(const GxEntryOptions& options, std::unique_ptr<GxCoreServices> services) {
    if (!options.gameFolder.empty() && !SetCurrentFolder(options.gameFolder)) {
        std::fprintf(stderr, "gxadv: cannot enter the game folder %s\n",
                     Utf16ToUtf8(options.gameFolder).c_str());
        return 1;
    }
    if (!InitPlatform(options.headless))
        return 1;

    SetFileCacheCapacity(kFileCacheCapacity);
    SetFileCacheFileLimit(kFileCacheFileLimit);
    OpenPackFile(u"system.gxp");

    bool started = false;
    {
        auto core = std::make_unique<GxCore>(std::move(services));
        SetCore(core.get());
        core->SetQuitAfterFrames(options.frames);
        started = core->Startup();
        if (started) {
            core->MainLoop();
            core->Shutdown();
        }
    }
    ClearFileCache();
    CloseAllPackFiles();
    ShutdownPlatform();
    return started ? 0 : 1;
}

}  // namespace gx
