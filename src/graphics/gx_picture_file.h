#pragma once

#include <string_view>

#include "base/gx_bin_buffer.h"

// How the graphics library reads the files of the game data.
namespace gx {

// Reads a whole file of the game data (through the file cache); quiet: no log line.
bool LoadPictureFile(GxBinBuffer& out, std::u16string_view path, bool quiet);
// Reads up to `count` bytes from the start of a file; the number read, or -1 when it cannot be
// opened.
int ReadPictureFileHead(std::u16string_view path, std::uint8_t* out, int count);

}  // namespace gx
