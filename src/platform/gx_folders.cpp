#include "platform/gx_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "base/gx_path.h"
#include "base/gx_string.h"

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return {};
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs file: "$HOME/..." or an absolute path.
std::string ReadDocumentsEntry(const std::string& file, std::string_view home) {
    std::ifstream in(file);
    std::string line;
    std::string found;
    while (std::getline(in, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        std::string_view rest(line);
        rest.remove_prefix(start);
        constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
        if (rest.substr(0, kKey.size()) != kKey)
            continue;
        rest.remove_prefix(kKey.size());
        if (rest.size() < 2 || rest.front() != '"')
            continue;
        size_t close = rest.find('"', 1);
        if (close == std::string_view::npos)
            continue;
        std::string_view value = rest.substr(1, close - 1);
        std::string expanded;
        if (value.substr(0, 5) == "$HOME") {
            expanded = std::string(home) + std::string(value.substr(5));
        } else if (value.substr(0, 7) == "${HOME}") {
            expanded = std::string(home) + std::string(value.substr(7));
        } else if (!value.empty() && value.front() == '/') {
            expanded = std::string(value);
        } else {
            continue;
        }
        found = expanded;
    }
    while (found.size() > 1 && found.back() == '/')
        found.pop_back();
    return found;
}

}  // namespace

namespace gx {

bool DirectoryExists(std::u16string_view path) {
    return IsDirectory(ToNativePath(path));
}

bool MakeDirectory(std::u16string_view path) {
    std::string native = ToNativePath(path);
    while (native.size() > 1 && native.back() == '/')
        native.pop_back();
    return !native.empty() && mkdir(native.c_str(), 0755) == 0;
}

bool RemoveFile(std::u16string_view path) {
    std::string native = ToNativePath(path);
    return !native.empty() && unlink(native.c_str()) == 0;
}

std::u16string GetInstallFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return {};
        buffer.resize(buffer.size() * 2);
    }
    std::u16string folder = ToForwardSlashes(Utf8ToUtf16(buffer.data()));
    if (folder.empty() || folder.back() != u'/')
        folder.push_back(u'/');
    return folder;
}

bool SetCurrentFolder(std::u16string_view path) {
    std::string native = ToNativePath(path);
    return !native.empty() && chdir(native.c_str()) == 0;
}

std::u16string FindDocumentsFolder(std::string_view home, std::string_view configHome) {
    if (home.empty())
        return {};
    std::string config =
        configHome.empty() ? std::string(home) + "/.config" : std::string(configHome);
    std::string documents = ReadDocumentsEntry(config + "/user-dirs.dirs", home);
    if (documents.empty()) {
        std::string fallback = std::string(home) + "/Documents";
        documents = IsDirectory(fallback) ? fallback : std::string(home);
    }
    return Utf8ToUtf16(documents);
}

std::u16string GetMyDocumentsFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    return FindDocumentsFolder(HomeFolder(), configHome && *configHome == '/' ? configHome : "");
}

std::string GetRuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime && *runtime == '/' ? runtime : "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string GetExecutableFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    std::string folder(path, static_cast<size_t>(length));
    size_t slash = folder.rfind('/');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace gx
