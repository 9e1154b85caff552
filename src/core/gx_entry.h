#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/gx_types.h"
#include "core/gx_core_services.h"

// What the authors' and tests' command line asks for; a shipped game passes none.
struct GxEntryOptions {
    std::u16string gameFolder;  // empty: the current directory is the game folder
    bool headless = false;
    GxS64 frames = 0;  // quit after this many frames; 0 runs until the window closes
    bool help = false;
};

namespace gx {

// Reads the options; false with `error` set for an unknown option or a bad value.
bool ParseEntryOptions(const std::vector<std::string>& arguments, GxEntryOptions& options,
                       std::string& error);
const char* EntryUsage();

// The process entry: file cache set-up, system.gxp, the core's start-up, main
// loop and shutdown, then the file layer's release. 0 after a normal run,
// non-zero when the game folder, the window system or start-up failed.
int RunEntry(const GxEntryOptions& options, std::unique_ptr<GxCoreServices> services = nullptr);

}  // namespace gx
