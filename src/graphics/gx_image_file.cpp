#include "graphics/gx_image_file.h"

#include <cstring>

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "base/gx_string.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_image.h"
#include "graphics/gx_picture_file.h"

bool GetInfoFromFile(std::u16string_view path, int& width, int& height, int& depth) {
    const std::u16string name(path);
    const std::u16string extension = gx::ToLowerAscii(gx::GetExtension(path));
    depth = 0;
    if (extension == u".png" || extension == u".dds") {
        const bool png = extension == u".png";
        std::uint8_t head[128] = {};
        const int wanted = png ? 32 : 128;
        const int got = gx::ReadPictureFileHead(path, head, wanted);
        if (got < 0) {
            LogError(u"Error/GetInfoFromFile Open error(Name:\"%s\")\n", name);
            return false;
        }
        if (got < (png ? 24 : 128)) {
            LogError(u"Error/GetInfoFromFile Read error(Name:\"%s\")\n", name);
            return false;
        }
        if (png) {
            static const std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
            if (std::memcmp(head, kSignature, 8) != 0) {
                LogError(u"Error/GetInfoFromFile This file is not PNG image(Name:\"%s\")\n", name);
                return false;
            }
            width = static_cast<int>(gx::ReadBE32(head + 16));
            height = static_cast<int>(gx::ReadBE32(head + 20));
        } else {
            if (std::memcmp(head, "DDS ", 4) != 0) {
                LogError(u"Error/GetInfoFromFile This file is not DDS image(Name:\"%s\")\n", name);
                return false;
            }
            width = static_cast<int>(gx::ReadLE32(head + 16));
            height = static_cast<int>(gx::ReadLE32(head + 12));
            depth = static_cast<int>(gx::ReadLE32(head + 24));
        }
    } else {
        GxBinBuffer buffer;
        if (!gx::LoadPictureFile(buffer, path, true)) {
            LogError(u"Error/GetInfoFromFile Open error(Name:\"%s\")\n", name);
            return false;
        }
        if (!gx::GetImageInfo(buffer.GetData(), buffer.GetSize(), width, height, depth)) {
            LogError(u"Error/GetInfoFromFile Failed(Name:\"%s\")\n", name);
            return false;
        }
    }
    if (!gx::IsImageSizeAcceptable(width, height, 0, 0)) {
        LogError(u"Error/GetInfoFromFile Failed(Name:\"%s\")\n", name);
        return false;
    }
    return true;
}

bool GetInfoFromMemory(const void* data, size_t size, int& width, int& height, int& depth) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!gx::GetImageInfo(bytes, size, width, height, depth) ||
        !gx::IsImageSizeAcceptable(width, height, 0, 0)) {
        LogError(u"Error/GetInfoFromMemory Failed(Addr:%08x,size:%u,%s)\n",
                 static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data)),
                 static_cast<std::uint32_t>(size), GxGraphics::GetErrorText(D3DXERR_INVALIDDATA));
        return false;
    }
    return true;
}

void ApplyColorKey(GxImage& image, std::uint32_t colorKey) {
    if (colorKey == 0)
        return;
    for (std::uint32_t& pixel : image.pixels) {
        if (pixel == colorKey)
            pixel = 0;
    }
}

bool LoadImageFromFile(std::u16string_view path, std::uint32_t colorKey, GxImage& image) {
    GxBinBuffer buffer;
    std::string reason;
    if (!gx::LoadPictureFile(buffer, path, false) ||
        !gx::DecodeImage(buffer.GetData(), buffer.GetSize(), image, reason)) {
        return false;
    }
    ApplyColorKey(image, colorKey);
    return true;
}
