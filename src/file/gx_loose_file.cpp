#include "file/gx_loose_file.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/gx_path.h"
#include "base/gx_string.h"

namespace gx {
namespace {

namespace fs = std::filesystem;

GxLooseKind KindOf(const std::string& nativePath) {
    std::error_code error;
    const fs::file_status status = fs::status(nativePath, error);
    if (error)
        return GxLooseKind::None;
    if (fs::is_regular_file(status))
        return GxLooseKind::File;
    if (fs::is_directory(status))
        return GxLooseKind::Folder;
    return GxLooseKind::None;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case; the
// smallest such name when several differ only in case, so the answer is stable.
bool FindIgnoringCase(const std::string& folder, const std::string& name, std::string& found) {
    const std::string wanted = ToLowerAscii(name);
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? std::string(".") : folder, error);
    bool any = false;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (candidate.size() != wanted.size() || ToLowerAscii(candidate) != wanted)
            continue;
        if (!any || candidate < found)
            found = std::move(candidate);
        any = true;
    }
    return any;
}

GxLooseKind FindByComponents(const std::string& nativePath, std::string& resolved) {
    // An absolute path keeps its root; a relative one starts in the current directory.
    const bool absolute = nativePath.front() == '/';
    resolved.assign(absolute ? 1 : 0, '/');
    std::string_view rest(nativePath);
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string_view component = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (component.empty() || component == ".")
            continue;
        if (!resolved.empty() && resolved.back() != '/')
            resolved.push_back('/');
        const size_t folderLength = resolved.size();
        resolved.append(component);
        if (KindOf(resolved) != GxLooseKind::None)
            continue;
        std::string found;
        if (!FindIgnoringCase(resolved.substr(0, folderLength), std::string(component), found))
            return GxLooseKind::None;
        resolved.replace(folderLength, std::string::npos, found);
    }
    return KindOf(resolved);
}

}  // namespace

GxLooseKind FindLooseFile(std::u16string_view path, std::string* nativePath) {
    if (path.empty())
        return GxLooseKind::None;
    const std::string native = ToNativePath(path);
    GxLooseKind kind = KindOf(native);
    std::string resolved = native;
    if (kind == GxLooseKind::None)
        kind = FindByComponents(native, resolved);
    if (kind != GxLooseKind::None && nativePath)
        *nativePath = std::move(resolved);
    return kind;
}

}  // namespace gx
