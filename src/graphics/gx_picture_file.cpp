#include "graphics/gx_picture_file.h"

#include <fstream>

#include "base/gx_string.h"

namespace gx {

bool LoadPictureFile(GxBinBuffer& out, std::u16string_view path, bool quiet) {
    (void)quiet;
    std::ifstream file(Utf16ToUtf8(path), std::ios::binary | std::ios::ate);
    if (!file) return false;
    const std::streamoff size = file.tellg();
    if (size < 0 || size > 0x7FFFFFFF) return false;
    file.seekg(0);
    if (!out.Alloc(static_cast<std::uint32_t>(size)) && size > 0) return false;
    file.read(reinterpret_cast<char*>(out.GetData()), size);
    return static_cast<bool>(file) || size == 0;
}

int ReadPictureFileHead(std::u16string_view path, std::uint8_t* out, int count) {
    std::ifstream file(Utf16ToUtf8(path), std::ios::binary);
    if (!file) return -1;
    file.read(reinterpret_cast<char*>(out), count);
    return static_cast<int>(file.gcount());
}

}  // namespace gx
