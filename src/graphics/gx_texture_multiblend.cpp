// Textures composited from several PNG pictures.
#include "base/gx_log.h"
#include "graphics/gx_image.h"
#include "graphics/gx_image_resample.h"
#include "graphics/gx_picture_file.h"
#include "graphics/gx_texture.h"

namespace {

bool LoadPng(const std::u16string& path, GxImage& image) {
    GxBinBuffer buffer;
    std::string reason;
    return gx::LoadPictureFile(buffer, path, false) &&
           gx::DecodePngImage(buffer.GetData(), buffer.GetSize(), image, reason);
}

}  // namespace

bool GxTexture::CreateFromFileMultiBlend(std::u16string_view name,
                                         const std::vector<std::u16string>& files,
                                         std::uint32_t format, std::uint32_t levels) {
    ReleaseAll();
    ReleaseDeviceObjects();
    GxImage canvas;
    if (files.empty() || !LoadPng(files[0], canvas)) {
        LogError(u"Error/Texture CreateFromFileMultiBlend Failed(Name:\"%s\")\n",
                 std::u16string(name));
        return false;
    }
    for (size_t i = 1; i < files.size(); ++i) {
        GxImage layer;
        if (!LoadPng(files[i], layer)) {
            LogError(u"Error/Texture CreateFromFileMultiBlend Failed(Name:\"%s\")\n", files[i]);
            continue;
        }
        gx::CompositeOver(canvas, layer);
    }
    if (!CreateTexture(name, static_cast<std::uint32_t>(canvas.width),
                       static_cast<std::uint32_t>(canvas.height), format, levels)) {
        return false;
    }
    return BlitImage(canvas.pixels.data(), canvas.width, canvas.height, 0, 0);
}
