#pragma once

#include <string>
#include <string_view>

namespace gx {

// True when the path names an existing directory.
bool DirectoryExists(std::u16string_view path);
// Creates one directory level; true on success.
bool MakeDirectory(std::u16string_view path);
// Removes a file; true when it was removed.
bool RemoveFile(std::u16string_view path);
// The process's current directory with '/' appended; empty when it cannot be read.
std::u16string GetInstallFolder();
// Makes `path` the current directory (the game folder); true on success.
bool SetCurrentFolder(std::u16string_view path);
// The user's documents folder without a trailing '/': XDG_DOCUMENTS_DIR of the
// user-dirs file, else ~/Documents when it exists, else the home folder; empty
// without a home folder.
std::u16string GetMyDocumentsFolder();
// The same lookup for a given home and configuration folder (the parts above
// that come from the environment).
std::u16string FindDocumentsFolder(std::string_view home, std::string_view configHome);
// $XDG_RUNTIME_DIR when set, else /tmp; no trailing '/'.
std::string GetRuntimeFolder();
// The folder of the running executable, with a trailing '/'; empty if unknown.
std::string GetExecutableFolder();

}  // namespace gx
