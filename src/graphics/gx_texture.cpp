#include "graphics/gx_texture.h"

#include <algorithm>
#include <cstring>

#include "base/gx_log.h"
#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_image.h"
#include "graphics/gx_image_file.h"
#include "graphics/gx_image_resample.h"
#include "graphics/gx_picture_file.h"
#include "graphics/gx_pixel_format.h"

namespace {

std::uint32_t NextPowerOfTwo(std::uint32_t value) {
    std::uint32_t result = 1;
    while (result < value && result < 0x80000000u)
        result <<= 1;
    return result;
}

std::uint32_t ResolveFormat(std::uint32_t format, bool renderTarget) {
    if (format != 0)
        return format;
    return renderTarget ? GxGraphics::GetRenderTargetFormat() : GxGraphics::GetTextureFormat();
}

}  // namespace

GxTextureBase::~GxTextureBase() {
    DestroyDeviceTexture();
}

std::uint32_t GxTextureBase::GetMemorySize() const {
    return m_Width * m_Height * static_cast<std::uint32_t>(GxGetBytesPerPixel(m_Format));
}

void GxTextureBase::DestroyDeviceTexture() {
    if (m_GLTexture && GxGetGLDevice())
        glDeleteTextures(1, &m_GLTexture);
    m_GLTexture = 0;
}

GxTexture::~GxTexture() {
    ReleaseAll();
    ReleaseDeviceObjects();
}

void GxTexture::FreeDeviceObjects() {
    ReleaseDeviceObjects();
}

void GxTexture::GetAllocationSize(std::uint32_t width, std::uint32_t height,
                                  std::uint32_t& outWidth, std::uint32_t& outHeight) {
    outWidth = NextPowerOfTwo(std::max<std::uint32_t>(width, 1));
    outHeight = NextPowerOfTwo(std::max<std::uint32_t>(height, 1));
    if (GxGraphics::GetSettings().textureFlag || GxGraphics::GetCaps().squareOnly) {
        outWidth = outHeight = std::max(outWidth, outHeight);
    }
}

void GxTexture::ReleaseDeviceObjects() {
    if (m_Framebuffer && GxGetGLDevice()) {
        GxGLDevice* device = GxGetGLDevice();
        if (device->GetCurrentFramebuffer() == m_Framebuffer) {
            device->BindTargetFramebuffer(0, device->GetBackWidth(), device->GetBackHeight());
        }
        glDeleteFramebuffers(1, &m_Framebuffer);
    }
    m_Framebuffer = 0;
    DestroyDeviceTexture();
    m_Pixels.clear();
    m_Pixels.shrink_to_fit();
    m_Format = D3DFMT_UNKNOWN;
    m_Pool = D3DPOOL_SCRATCH;
    m_Width = m_Height = m_ImageWidth = m_ImageHeight = 0;
    m_Locked = false;
    m_ObjectType = OBJTYPE_NONE;
}

size_t GxTexture::GetPitch() const {
    return static_cast<size_t>(m_Width) * static_cast<size_t>(GxGetBytesPerPixel(m_Format));
}

bool GxTexture::AllocateDevice(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                               std::uint32_t format, std::uint32_t levels, int objectType,
                               bool renderTarget) {
    GxGLFormat gl;
    GxGLDevice* device = GxGetGLDevice();
    const std::uint32_t maxSide = GxGraphics::GetCaps().maxTextureWidth;
    if (!device || !GxGetGLFormat(format, gl) || width > maxSide || height > maxSide)
        return false;
    m_Format = static_cast<GxFormat>(format);
    m_Width = width;
    m_Height = height;
    m_Levels = levels ? levels : 1;
    m_Pixels.assign(GetPitch() * height, 0);
    glGenTextures(1, &m_GLTexture);
    glBindTexture(GL_TEXTURE_2D, m_GLTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, gl.internalFormat, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, gl.format, gl.type, m_Pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    if (gl.opaque)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    if (renderTarget) {
        glGenFramebuffers(1, &m_Framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, m_Framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_GLTexture, 0);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, device->GetCurrentFramebuffer());
        if (!complete)
            return false;
    }
    if (glGetError() != GL_NO_ERROR)
        return false;
    SetName(name);
    m_ObjectType = objectType;
    m_Pool = renderTarget ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED;
    m_ImageWidth = width;
    m_ImageHeight = height;
    return true;
}

bool GxTexture::CreateEmpty(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                            std::uint32_t format, std::uint32_t levels, int objectType,
                            const char16_t* failure) {
    ReleaseAll();
    ReleaseDeviceObjects();
    const bool renderTarget = objectType == OBJTYPE_RENDERTARGET;
    format = ResolveFormat(format, renderTarget);
    std::uint32_t allocatedWidth, allocatedHeight;
    GetAllocationSize(width, height, allocatedWidth, allocatedHeight);
    if (!AllocateDevice(name, allocatedWidth, allocatedHeight, format, levels, objectType,
                        renderTarget)) {
        LogError(failure, std::u16string(name), allocatedWidth, allocatedHeight,
                 GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        ReleaseDeviceObjects();
        return false;
    }
    m_ImageWidth = width;
    m_ImageHeight = height;
    // Buffered textures stay out of the registry.
    if (objectType != OBJTYPE_BUFFEREDTEXTURE)
        GxD3DResourceManage::Instance().Register(this);
    AddRef();
    return true;
}

bool GxTexture::CreateTexture(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                              std::uint32_t format, std::uint32_t levels) {
    return CreateEmpty(name, width, height, format, levels, OBJTYPE_TEXTURE,
                       u"Error/Texture CreateTexture Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxTexture::CreateRenderTarget(std::u16string_view name, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t format) {
    return CreateEmpty(
        name, width, height, format, 1, OBJTYPE_RENDERTARGET,
        u"Error/Texture CreateRenderTarget Failed(Type:Texture Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxTexture::CreateBufferedTexture(std::u16string_view name, std::uint32_t width,
                                      std::uint32_t height, std::uint32_t format) {
    return CreateEmpty(name, width, height, format, 1, OBJTYPE_BUFFEREDTEXTURE,
                       u"Error/Texture CreateBufferedTexture Failed(Name:\"%s\" Size:%d,%d %s)\n");
}

bool GxTexture::CreateFromBytes(std::u16string_view name, const std::uint8_t* data, size_t size,
                                std::uint32_t format, std::uint32_t levels, std::uint32_t colorKey,
                                bool stretch) {
    format = ResolveFormat(format, false);
    int width = 0, height = 0, depth = 0;
    if (!GetInfoFromMemory(data, size, width, height, depth))
        return false;
    std::uint32_t allocatedWidth, allocatedHeight;
    GetAllocationSize(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                      allocatedWidth, allocatedHeight);
    GxImage image;
    std::string reason;
    if (!gx::DecodeImage(data, size, image, reason) || image.width != width ||
        image.height != height ||
        !AllocateDevice(name, allocatedWidth, allocatedHeight, format, levels, OBJTYPE_TEXTURE,
                        false)) {
        LogError(u"Error/Texture CreateFromFile Failed(Name:\"%s\" Size:%d,%d %s)\n",
                 std::u16string(name), allocatedWidth, allocatedHeight,
                 GxGraphics::GetErrorText(D3DXERR_INVALIDDATA));
        ReleaseDeviceObjects();
        return false;
    }
    ApplyColorKey(image, colorKey);
    if (stretch && (allocatedWidth != static_cast<std::uint32_t>(image.width) ||
                    allocatedHeight != static_cast<std::uint32_t>(image.height))) {
        // The picture is stretched over the whole texture.
        GxImage stretched = gx::ResampleBilinear(image, static_cast<int>(allocatedWidth),
                                                 static_cast<int>(allocatedHeight));
        BlitImage(stretched.pixels.data(), stretched.width, stretched.height, 0, 0);
    } else {
        BlitImage(image.pixels.data(), image.width, image.height, 0, 0);
    }
    m_ImageWidth = static_cast<std::uint32_t>(width);
    m_ImageHeight = static_cast<std::uint32_t>(height);
    m_ColorKey = colorKey;
    m_Stretch = stretch;
    GxD3DResourceManage::Instance().Register(this);
    AddRef();
    return true;
}

bool GxTexture::CreateFromFile(std::u16string_view name, std::uint32_t format, std::uint32_t levels,
                               std::uint32_t colorKey, bool stretch) {
    ReleaseAll();
    ReleaseDeviceObjects();
    int width = 0, height = 0, depth = 0;
    if (!GetInfoFromFile(name, width, height, depth))
        return false;
    GxBinBuffer buffer;
    if (!gx::LoadPictureFile(buffer, name, false)) {
        std::uint32_t allocatedWidth, allocatedHeight;
        GetAllocationSize(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                          allocatedWidth, allocatedHeight);
        LogError(u"Error/Texture CreateFromFile Failed(Name:\"%s\" Size:%d,%d %s)\n",
                 std::u16string(name), allocatedWidth, allocatedHeight,
                 GxGraphics::GetErrorText(D3DERR_NOTFOUND));
        return false;
    }
    m_SourcePath = std::u16string(name);
    m_SourceFormat = format;
    return CreateFromBytes(name, buffer.GetData(), buffer.GetSize(), format, levels, colorKey,
                           stretch);
}

bool GxTexture::ReloadFromFile() {
    if (m_SourcePath.empty())
        return false;
    const std::u16string path = m_SourcePath;
    const std::uint32_t format = m_SourceFormat, levels = m_Levels, colorKey = m_ColorKey;
    const bool stretch = m_Stretch;
    const int references = GetRefCount();
    if (!CreateFromFile(path, format, levels, colorKey, stretch)) {
        LogError(u"Error/Texture ReloadFromFile Failed(Name:\"%s\" Size:%d,%d %s)\n", path, m_Width,
                 m_Height, GxGraphics::GetErrorText(D3DXERR_INVALIDDATA));
        return false;
    }
    while (GetRefCount() < references)
        AddRef();
    return true;
}

bool GxTexture::CreateFromResource(std::u16string_view name, const void* data, size_t size,
                                   std::uint32_t format, std::uint32_t levels,
                                   std::uint32_t colorKey, bool stretch) {
    ReleaseAll();
    ReleaseDeviceObjects();
    if (!data) {
        LogError(u"Error/Texture CreateFromResource Failed(Resource pointer is null)\n");
        return false;
    }
    return CreateFromBytes(name, static_cast<const std::uint8_t*>(data), size, format, levels,
                           colorKey, stretch);
}

bool GxTexture::CreateFromImage(std::u16string_view name, const GxImage& image,
                                std::uint32_t format) {
    if (!CreateTexture(name, static_cast<std::uint32_t>(image.width),
                       static_cast<std::uint32_t>(image.height), format, 1)) {
        return false;
    }
    return BlitImage(image.pixels.data(), image.width, image.height, 0, 0);
}

bool GxTexture::BindAsRenderTarget() {
    GxGLDevice* device = GxGetGLDevice();
    if (!device || !m_Framebuffer)
        return false;
    device->BindTargetFramebuffer(m_Framebuffer, static_cast<int>(m_Width),
                                  static_cast<int>(m_Height));
    return true;
}

bool GxTexture::CaptureBackBuffer() {
    GxGLDevice* device = GxGetGLDevice();
    if (!device || !m_Framebuffer)
        return false;
    const int width = std::min(device->GetBackWidth(), static_cast<int>(m_Width));
    const int height = std::min(device->GetBackHeight(), static_cast<int>(m_Height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, device->GetBackFramebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_Framebuffer);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    device->BindTargetFramebuffer(device->GetCurrentFramebuffer(), device->GetTargetWidth(),
                                  device->GetTargetHeight());
    return glGetError() == GL_NO_ERROR;
}

bool GxTexture::UploadRows(int top, int bottom) {
    GxGLFormat gl;
    if (!m_GLTexture || !GxGetGLDevice() || !GxGetGLFormat(m_Format, gl) || bottom <= top) {
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, m_GLTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, top, static_cast<GLsizei>(m_Width), bottom - top,
                    gl.format, gl.type, m_Pixels.data() + GetPitch() * static_cast<size_t>(top));
    return true;
}

bool GxTexture::UpdateTexture() {
    if (!UploadRows(0, static_cast<int>(m_Height))) {
        LogSlightError(u"Error/Texture UpdateTexture Failed(Name:\"%s\" Size:%d,%d %s)\n", m_Name,
                       m_Width, m_Height, GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return false;
    }
    return true;
}

bool GxTexture::TransferRenderTargetToMemory() {
    GxGLDevice* device = GxGetGLDevice();
    if (!device || !m_Framebuffer) {
        LogSlightError(
            u"Error/Texture TransferRenderTargetToMemory GetSurfaceLevel Failed(Type:m_pTexture "
            u"Name:\"%s\" Size:%d,%d %s)\n",
            m_Name, m_Width, m_Height, GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return false;
    }
    std::vector<std::uint32_t> argb(static_cast<size_t>(m_Width) * m_Height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_Framebuffer);
    device->ReadPixels(0, 0, static_cast<int>(m_Width), static_cast<int>(m_Height), argb.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, device->GetCurrentFramebuffer());
    for (std::uint32_t y = 0; y < m_Height; ++y) {
        gx::EncodeRow(argb.data() + static_cast<size_t>(y) * m_Width, static_cast<int>(m_Width),
                      m_Format, m_Pixels.data() + GetPitch() * y);
    }
    return true;
}

bool GxTexture::LockRect(const GxRect* rect, void** bits, int* pitch, int* width, int* height,
                         GxFormat* format, std::uint32_t flags) {
    (void)flags;
    if (m_Locked) {
        LogSlightError(
            u"Error/Texture LockRect Failed(Name:\"%s\" Size:%d,%d Texture Already Locked)\n",
            m_Name, m_Width, m_Height);
        return false;
    }
    GxRect area{0, 0, static_cast<std::int32_t>(m_Width), static_cast<std::int32_t>(m_Height)};
    if (rect)
        area = *rect;
    if (m_Pixels.empty() || area.left < 0 || area.top < 0 ||
        area.right > static_cast<int>(m_Width) || area.bottom > static_cast<int>(m_Height) ||
        area.left >= area.right || area.top >= area.bottom) {
        LogSlightError(u"Error/Texture LockRect Failed(Name:\"%s\" Size:%d,%d %s)\n", m_Name,
                       m_Width, m_Height, GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return false;
    }
    if (IsRenderTarget() && !TransferRenderTargetToMemory())
        return false;
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(m_Format));
    if (bits)
        *bits = m_Pixels.data() + GetPitch() * area.top + bytes * area.left;
    if (pitch)
        *pitch = static_cast<int>(GetPitch());
    if (width)
        *width = area.right - area.left;
    if (height)
        *height = area.bottom - area.top;
    if (format)
        *format = m_Format;
    m_LockedRect = area;
    m_Locked = true;
    return true;
}

bool GxTexture::Unlock() {
    if (!m_Locked)
        return false;
    m_Locked = false;
    // Render targets are locked to read their pixels; the drawn picture stays.
    if (IsRenderTarget())
        return true;
    return UploadRows(m_LockedRect.top, m_LockedRect.bottom);
}

void GxTexture::FillArea(int left, int top, int right, int bottom, std::uint32_t color) {
    left = std::clamp(left, 0, static_cast<int>(m_Width));
    right = std::clamp(right, 0, static_cast<int>(m_Width));
    top = std::clamp(top, 0, static_cast<int>(m_Height));
    bottom = std::clamp(bottom, 0, static_cast<int>(m_Height));
    if (left >= right || top >= bottom)
        return;
    GxRect area{left, top, right, bottom};
    void* bits = nullptr;
    int pitch = 0;
    if (!LockRect(&area, &bits, &pitch))
        return;
    const int count = right - left;
    std::vector<std::uint32_t> row(static_cast<size_t>(count), color);
    for (int y = top; y < bottom; ++y) {
        gx::EncodeRow(row.data(), count, m_Format,
                      static_cast<std::uint8_t*>(bits) + static_cast<size_t>(pitch) * (y - top));
    }
    Unlock();
    if (IsRenderTarget())
        UpdateTexture();
}

void GxTexture::Fill(std::uint32_t color) {
    FillArea(0, 0, static_cast<int>(m_Width), static_cast<int>(m_Height), color);
}

void GxTexture::FillRect(const GxRect& rect, std::uint32_t color) {
    FillArea(rect.left, rect.top, rect.right, rect.bottom, color);
}

void GxTexture::FillRectUV(const GxFRect& rect, std::uint32_t color) {
    const auto toX = [this](float u) { return static_cast<int>(u * static_cast<float>(m_Width)); };
    const auto toY = [this](float v) { return static_cast<int>(v * static_cast<float>(m_Height)); };
    FillArea(toX(rect.left), toY(rect.top), toX(rect.right), toY(rect.bottom), color);
}

void GxTexture::ScrollRows(int rows, std::uint32_t color) {
    const int height = static_cast<int>(m_Height);
    if (rows == 0 || height == 0)
        return;
    // A scroll by the whole height or more leaves nothing of the old picture.
    if (rows >= height || rows <= -height) {
        Fill(color);
        return;
    }
    void* bits = nullptr;
    int pitch = 0;
    if (!LockRect(nullptr, &bits, &pitch))
        return;
    auto* base = static_cast<std::uint8_t*>(bits);
    const size_t rowBytes = static_cast<size_t>(pitch);
    const int shift = rows > 0 ? rows : -rows;
    if (rows > 0) {
        std::memmove(base + rowBytes * shift, base, rowBytes * (height - shift));
    } else {
        std::memmove(base, base + rowBytes * shift, rowBytes * (height - shift));
    }
    const int firstFilled = rows > 0 ? 0 : height - shift;
    std::vector<std::uint32_t> row(m_Width, color);
    for (int y = firstFilled; y < firstFilled + shift; ++y) {
        gx::EncodeRow(row.data(), static_cast<int>(m_Width), m_Format, base + rowBytes * y);
    }
    Unlock();
    if (IsRenderTarget())
        UpdateTexture();
}

bool GxTexture::BlitImage(const std::uint32_t* pixels, int width, int height, int x, int y) {
    if (m_Pixels.empty() || !pixels)
        return false;
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, static_cast<int>(m_Width));
    const int bottom = std::min(y + height, static_cast<int>(m_Height));
    if (left >= right || top >= bottom)
        return true;
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(m_Format));
    for (int row = top; row < bottom; ++row) {
        gx::EncodeRow(pixels + static_cast<size_t>(row - y) * width + (left - x), right - left,
                      m_Format, m_Pixels.data() + GetPitch() * row + bytes * left);
    }
    return UploadRows(top, bottom);
}

std::uint32_t GxTexture::GetPixel(int x, int y) {
    GxRect area{x, y, x + 1, y + 1};
    void* bits = nullptr;
    int pitch = 0;
    if (x < 0 || y < 0 || !LockRect(&area, &bits, &pitch)) {
        LogSlightError(u"Error/Texture GetPixel Failed(Name:\"%s\" Size:%d,%d %s)\n", m_Name,
                       m_Width, m_Height, GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return 0;
    }
    std::uint32_t color = 0;
    gx::DecodeRow(static_cast<const std::uint8_t*>(bits), 1, m_Format, &color);
    Unlock();
    return color;
}

bool GxTexture::StretchFrom(const GxRect* destRect, GxTexture* source, const GxRect* sourceRect,
                            std::uint32_t filter) {
    if (!source || source->m_Pixels.empty() || m_Pixels.empty())
        return false;
    if (source->IsRenderTarget() && !source->TransferRenderTargetToMemory())
        return false;
    const GxRect from = sourceRect ? *sourceRect
                                   : GxRect{0, 0, static_cast<std::int32_t>(source->m_Width),
                                            static_cast<std::int32_t>(source->m_Height)};
    const GxRect to = destRect ? *destRect
                               : GxRect{0, 0, static_cast<std::int32_t>(m_Width),
                                        static_cast<std::int32_t>(m_Height)};
    GxImage region;
    region.width = from.right - from.left;
    region.height = from.bottom - from.top;
    if (region.width <= 0 || region.height <= 0 || from.left < 0 || from.top < 0 ||
        from.right > static_cast<int>(source->m_Width) ||
        from.bottom > static_cast<int>(source->m_Height)) {
        return false;
    }
    region.pixels.resize(static_cast<size_t>(region.width) * region.height);
    const size_t bytes = static_cast<size_t>(GxGetBytesPerPixel(source->m_Format));
    for (int row = 0; row < region.height; ++row) {
        gx::DecodeRow(
            source->m_Pixels.data() + source->GetPitch() * (from.top + row) + bytes * from.left,
            region.width, source->m_Format,
            region.pixels.data() + static_cast<size_t>(row) * region.width);
    }
    const int width = to.right - to.left, height = to.bottom - to.top;
    if (width <= 0 || height <= 0)
        return false;
    const GxImage scaled = filter == D3DTEXF_LINEAR ? gx::ResampleBilinear(region, width, height)
                                                    : gx::ResampleNearest(region, width, height);
    const bool ok = BlitImage(scaled.pixels.data(), scaled.width, scaled.height, to.left, to.top);
    if (IsRenderTarget())
        UpdateTexture();
    return ok;
}

bool GxTexture::SaveToFile(const std::u16string& path) {
    if (m_Pixels.empty() || (IsRenderTarget() && !TransferRenderTargetToMemory())) {
        LogError(u"Error/Texture SaveToFile Failed(Name:\"%s\" Size:%d,%d %s)\n", m_Name, m_Width,
                 m_Height, GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        return false;
    }
    // The picture part is saved, not the padding of the power-of-two allocation.
    const int width = static_cast<int>(m_ImageWidth), height = static_cast<int>(m_ImageHeight);
    std::vector<std::uint32_t> argb(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        gx::DecodeRow(m_Pixels.data() + GetPitch() * row, width, m_Format,
                      argb.data() + static_cast<size_t>(row) * width);
    }
    if (!SaveImageAsPng(path, width, height, reinterpret_cast<const std::uint8_t*>(argb.data()))) {
        LogError(u"Error/Texture SaveToFile Failed(Name:\"%s\" Size:%d,%d %s)\n", m_Name, m_Width,
                 m_Height, GxGraphics::GetErrorText(E_FAIL));
        return false;
    }
    return true;
}
