#pragma once

#include <string>
#include <string_view>

namespace gx {

// "a" + separator + "b", without doubling a separator that "a" already ends with.
std::u16string JoinPath(std::u16string_view a, std::u16string_view b, char16_t separator = u'/');
// Appends the separator unless the path is empty or already ends with '\\' or '/'.
std::u16string EnsureTrailingSeparator(std::u16string_view path, char16_t separator = u'/');
// Every backslash becomes '/'.
std::u16string ToForwardSlashes(std::u16string_view path);
// A path as the operating system takes it (UTF-8 bytes).
std::string ToNativePath(std::u16string_view path);

}  // namespace gx
