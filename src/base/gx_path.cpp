#include "base/gx_path.h"

#include "base/gx_string.h"

namespace gx {
namespace {
bool EndsWithSeparator(std::u16string_view path) {
    return !path.empty() && (path.back() == u'/' || path.back() == u'\\');
}
}  // namespace

std::u16string JoinPath(std::u16string_view a, std::u16string_view b, char16_t separator) {
    if (a.empty()) return std::u16string(b);
    std::u16string out(a);
    if (!EndsWithSeparator(a)) out.push_back(separator);
    out.append(b);
    return out;
}

std::u16string EnsureTrailingSeparator(std::u16string_view path, char16_t separator) {
    std::u16string out(path);
    if (!path.empty() && !EndsWithSeparator(path)) out.push_back(separator);
    return out;
}

std::u16string ToForwardSlashes(std::u16string_view path) {
    std::u16string out(path);
    for (char16_t& c : out) {
        if (c == u'\\') c = u'/';
    }
    return out;
}

std::string ToNativePath(std::u16string_view path) { return Utf16ToUtf8(ToForwardSlashes(path)); }

}  // namespace gx
