#pragma once

#include "base/gx_types.h"

// Layout of a pack archive (all integers little-endian): a 48-byte header, the
// directory of variable-length entries right after it, then the data area.
namespace gx::pack {

constexpr GxU32 kHeaderSize = 48;
constexpr GxU32 kHeaderNameEncoding = 12;  // non-zero: entry names are UTF-16LE
constexpr GxU32 kHeaderScrambled = 20;     // non-zero: directory and data are scrambled
constexpr GxU32 kHeaderEntryCount = 24;
constexpr GxU32 kHeaderDirectorySize = 28;
constexpr GxU32 kHeaderDataOffset = 40;  // 64-bit; entry offsets count from here

constexpr GxU32 kEntrySize = 0;  // this entry's bytes, including the name
constexpr GxU32 kEntryFileSize = 4;
constexpr GxU32 kEntryFileTime = 16;  // 64-bit FILETIME
constexpr GxU32 kEntryOffset = 24;    // 64-bit, from the data area
constexpr GxU32 kEntryName = 32;      // zero-terminated path, "/" between folders

}  // namespace gx::pack
