#pragma once

#include <cstddef>
#include <string>

#include "base/gx_types.h"

// How a text file's bytes are encoded, told by its byte-order mark.
enum class GxTextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

namespace gx {

// The encoding from the first bytes; `markSize` receives the length of the mark.
GxTextEncoding DetectTextEncoding(const GxU8* data, size_t size, size_t* markSize);

// Decodes a whole text file to UTF-16, up to its first zero character. Without a
// mark the bytes are CP932, or UTF-8 when `utf8WithoutMark` is set and they are
// valid UTF-8. UTF-16 big-endian is not supported: false.
bool DecodeText(const GxU8* data, size_t size, bool utf8WithoutMark, std::u16string& text);

}  // namespace gx
