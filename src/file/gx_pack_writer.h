#pragma once

#include <string>
#include <vector>

#include "base/gx_types.h"

// One file to be packed: its path inside the archive and where its bytes are.
struct GxPackSource {
    std::u16string path;     // "/" between folders
    std::string nativePath;  // on disk
};

struct GxPackOptions {
    bool scramble = false;
    bool utf16Names = false;
};

namespace gx {

// Every regular file under `folder`, named relative to it with "/", sorted by name.
bool CollectPackSources(const std::string& folder, std::vector<GxPackSource>& sources,
                        std::string& error);

// Writes a pack archive of `sources` to `outPath`: into a temporary file first,
// renamed over `outPath` only when everything was written. Time stamps are the
// files' last-write times; bytes the reader ignores are zero.
bool WritePackFile(const std::string& outPath, const std::vector<GxPackSource>& sources,
                   const GxPackOptions& options, std::string& error);

}  // namespace gx
