#pragma once

#include <string_view>

#include "base/gx_bin_buffer.h"
#include "base/gx_types.h"

// Name-level access to the game data. A path is relative to the game folder (the
// current directory) with "/" or "\\" between folders. A loose file always wins
// over a pack archive entry; archives answer in the order they were opened.

// 1 when a loose file or folder exists, else 2 when an open archive holds the
// path, else 0.
int FileExists(std::u16string_view path);
// Size of the loose file, else of the archive entry, else 0.
GxU32 GetFileSizeByName(std::u16string_view path);
// Reads the whole file; the buffer's size equals the file's. With `useCache` the
// file cache answers when it holds a copy with the file's time stamp, and keeps
// a copy of what was read. Errors are logged unless `quiet`.
bool LoadFile(GxBinBuffer& buffer, std::u16string_view path, bool useCache, bool quiet);
// As LoadFile without the cache, with two zero bytes after the content so it can
// be used as zero-terminated narrow or UTF-16 text. `reserved` is not used.
bool LoadTextFile(GxBinBuffer& buffer, std::u16string_view path, bool reserved, bool quiet);

// Opens a pack archive and appends it to the archive list; false when it is
// missing (quietly) or damaged (reported).
bool OpenPackFile(std::u16string_view path);
void CloseAllPackFiles();

// The whole-file cache starts disabled with capacity and per-file limit 0; the
// engine sets these before loading the game.
constexpr GxU32 kDefaultFileCacheCapacity = 180U * 1024 * 1024;
constexpr GxU32 kDefaultFileCacheFileLimit = 1024U * 1024;
void SetFileCacheCapacity(GxU32 bytes);
void SetFileCacheFileLimit(GxU32 bytes);
void SetFileCacheEnabled(bool enabled);
void ClearFileCache();
