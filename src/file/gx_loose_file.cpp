#include "file/gx_loose_file.h"

#include <filesystem>
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
    resolved.clear();
    if (nativePath.front() == '/')
        resolved = "/";
    size_t start = 0;
    while (start <= nativePath.size()) {
        size_t end = nativePath.find('/', start);
        if (end == std::string::npos)
            end = nativePath.size();
        const std::string component = nativePath.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        const std::string folder = resolved;
        std::string exact = folder + component;
        if (KindOf(exact) == GxLooseKind::None) {
            std::string found;
            if (!FindIgnoringCase(folder, component, found))
                return GxLooseKind::None;
            exact = folder + found;
        }
        resolved = exact;
        if (end < nativePath.size())
            resolved.push_back('/');
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
