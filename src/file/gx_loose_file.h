#pragma once

#include <string>
#include <string_view>

// What a path names on disk.
enum class GxLooseKind { None, File, Folder };

namespace gx {

// Finds a loose file or folder. The path is relative to the current directory
// (the game folder) unless absolute; backslashes count as "/". The game data was
// authored for a case-insensitive file system, so when the exact name is missing
// each component is matched against its folder without regard to ASCII case.
// On success `nativePath` (when given) receives the path as it exists on disk.
GxLooseKind FindLooseFile(std::u16string_view path, std::string* nativePath = nullptr);

}  // namespace gx
