#include "graphics/gx_picture_file.h"

#include "file/gx_file.h"
#include "file/gx_file_handle.h"

namespace gx {

bool LoadPictureFile(GxBinBuffer& out, std::u16string_view path, bool quiet) {
    return LoadFile(out, path, true, quiet);
}

int ReadPictureFileHead(std::u16string_view path, std::uint8_t* out, int count) {
    GxFileHandle file;
    if (!file.Open(path))
        return -1;
    return static_cast<int>(file.Read(out, static_cast<GxU32>(count)));
}

}  // namespace gx
