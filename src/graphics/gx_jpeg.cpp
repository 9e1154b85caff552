// JPEG decoding through libjpeg-turbo.
#include <csetjmp>
#include <cstdio>
#include <cstring>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "graphics/gx_image.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

bool Decode(const std::uint8_t* data, size_t size, GxImage* out, int& width, int& height,
            std::string& error) {
    jpeg_decompress_struct info;
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = OnError;
    manager.base.emit_message = OnMessage;
    manager.message[0] = 0;
    if (setjmp(manager.jump)) {
        error = manager.message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    if (!gx::IsImageSizeAcceptable(width, height, size * 2000, 1.0)) {
        error = "picture size out of range";
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (!out) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    out->width = width;
    out->height = height;
    out->pixels.assign(static_cast<size_t>(width) * height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW target = reinterpret_cast<JSAMPROW>(
            out->pixels.data() + static_cast<size_t>(info.output_scanline) * width);
        jpeg_read_scanlines(&info, &target, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    for (std::uint32_t& pixel : out->pixels)
        pixel |= 0xFF000000u;
    return true;
}

}  // namespace

namespace gx {

bool DecodeJpegImage(const std::uint8_t* data, size_t size, GxImage& out, std::string& error) {
    int width = 0, height = 0;
    return Decode(data, size, &out, width, height, error);
}

bool GetJpegInfo(const std::uint8_t* data, size_t size, int& width, int& height) {
    std::string error;
    return Decode(data, size, nullptr, width, height, error);
}

}  // namespace gx
