#include "graphics/gx_surface.h"

#include <algorithm>

#include "base/gx_log.h"
#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_image.h"
#include "graphics/gx_image_file.h"
#include "graphics/gx_picture_file.h"
#include "graphics/gx_pixel_format.h"

bool GxSurface::Create(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                       std::uint32_t format, std::uint32_t pool, int objectType, bool pixels,
                       const char16_t* failure) {
    ReleaseAll();
    FreeDeviceObjects();
    const bool depth = objectType == OBJTYPE_DEPTHSTENCIL;
    if (format == 0) {
        format = depth ? GxGraphics::GetDepthStencilFormat()
                       : (objectType == OBJTYPE_RENDERTARGET ? GxGraphics::GetRenderTargetFormat()
                                                             : GxGraphics::GetTextureFormat());
    }
    const std::uint32_t maxSide = GxGraphics::GetCaps().maxTextureWidth;
    if (width == 0 || height == 0 || width > maxSide || height > maxSide ||
        (pixels && GxGetBytesPerPixel(format) == 0)) {
        LogError(failure, std::u16string(name), width, height,
                 GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return false;
    }
    m_Format = static_cast<GxFormat>(format);
    m_Pool = pool;
    m_Width = width;
    m_Height = height;
    if (pixels) {
        m_Pixels.assign(
            static_cast<size_t>(width) * height * static_cast<size_t>(GxGetBytesPerPixel(format)),
            0);
    }
    m_ObjectType = objectType;
    SetName(name);
    GxD3DResourceManage::Instance().Register(this);
    AddRef();
    return true;
}

void GxSurface::FreeDeviceObjects() {
    m_Pixels.clear();
    m_Format = D3DFMT_UNKNOWN;
    m_Pool = D3DPOOL_SCRATCH;
    m_Width = m_Height = m_MultiSample = m_Quality = 0;
    m_ObjectType = OBJTYPE_NONE;
}

bool GxSurface::CreateSurface(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                              std::uint32_t format) {
    return Create(name, width, height, format, D3DPOOL_DEFAULT, OBJTYPE_SURFACE, true,
                  u"Error/Surface CreateSurface Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxSurface::CreateScratch(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                              std::uint32_t format) {
    return Create(name, width, height, format, D3DPOOL_SCRATCH, OBJTYPE_SURFACE, true,
                  u"Error/Surface CreateScratch Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxSurface::CreateSystemMemory(std::u16string_view name, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t format) {
    return Create(name, width, height, format, D3DPOOL_SYSTEMMEM, OBJTYPE_SURFACE, true,
                  u"Error/Surface CreateSystemMemory Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxSurface::CreateDepthStencil(std::u16string_view name, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t format,
                                   std::uint32_t multiSample, std::uint32_t quality) {
    return CreateMultisampled(
        name, width, height, format, OBJTYPE_DEPTHSTENCIL, multiSample, quality,
        u"Error/Surface CreateDepthStencil Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxSurface::CreateRenderTarget(std::u16string_view name, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t format,
                                   std::uint32_t multiSample, std::uint32_t quality) {
    return CreateMultisampled(
        name, width, height, format, OBJTYPE_RENDERTARGET, multiSample, quality,
        u"Error/Surface CreateRenderTarget Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxSurface::CreateMultisampled(std::u16string_view name, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t format, int objectType,
                                   std::uint32_t multiSample, std::uint32_t quality,
                                   const char16_t* failure) {
    if (!Create(name, width, height, format, D3DPOOL_DEFAULT, objectType,
                objectType != OBJTYPE_DEPTHSTENCIL, failure)) {
        return false;
    }
    m_MultiSample = multiSample;
    m_Quality = quality;
    return true;
}

std::uint32_t GxSurface::GetMemorySize() const {
    return static_cast<std::uint32_t>(m_Pixels.size());
}

bool GxSurface::BlitImage(const std::uint32_t* pixels, int width, int height, int x, int y) {
    if (m_Pixels.empty() || !pixels)
        return false;
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, static_cast<int>(m_Width));
    const int bottom = std::min(y + height, static_cast<int>(m_Height));
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(m_Format));
    for (int row = top; row < bottom; ++row) {
        gx::EncodeRow(pixels + static_cast<size_t>(row - y) * width + (left - x), right - left,
                      m_Format,
                      m_Pixels.data() + (static_cast<size_t>(row) * m_Width + left) * bytes);
    }
    return true;
}

std::uint32_t GxSurface::GetPixel(int x, int y) const {
    if (m_Pixels.empty() || x < 0 || y < 0 || x >= static_cast<int>(m_Width) ||
        y >= static_cast<int>(m_Height)) {
        return 0;
    }
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(m_Format));
    std::uint32_t color = 0;
    gx::DecodeRow(m_Pixels.data() + (static_cast<size_t>(y) * m_Width + x) * bytes, 1, m_Format,
                  &color);
    return color;
}

std::unique_ptr<GxSurface> CreateScratchSurfaceFromFile(std::u16string_view path,
                                                        std::uint32_t format,
                                                        std::uint32_t colorKey) {
    int width = 0, height = 0, depth = 0;
    if (!GetInfoFromFile(path, width, height, depth))
        return nullptr;
    auto surface = std::make_unique<GxSurface>();
    if (!surface->CreateScratch(path, static_cast<std::uint32_t>(width),
                                static_cast<std::uint32_t>(height), format)) {
        LogError(u"Error/CreateScratchSurfaceFromFile Failed(Name:\"%s\" %s)\n",
                 std::u16string(path), GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return nullptr;
    }
    GxImage image;
    if (!LoadImageFromFile(path, colorKey, image) || image.width != width ||
        image.height != height) {
        LogError(u"Error/ImageLoadFromFile Failed(Name:\"%s\")\n", std::u16string(path));
        return nullptr;
    }
    surface->BlitImage(image.pixels.data(), image.width, image.height, 0, 0);
    return surface;
}
