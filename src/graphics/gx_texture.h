#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/gx_graphics_types.h"
#include "graphics/gx_resource.h"

struct GxImage;

class GxSurfaceBase : public GxD3DResourceBase {};

// What every texture kind shares: the device texture and its sizes.
class GxTextureBase : public GxSurfaceBase {
public:
    ~GxTextureBase() override;

    virtual GxFormat GetFormat() const { return m_Format; }
    virtual std::uint32_t GetPool() const { return m_Pool; }
    // Allocated (power-of-two) size.
    virtual std::uint32_t GetWidth() const { return m_Width; }
    virtual std::uint32_t GetHeight() const { return m_Height; }
    // The size asked for or read from the picture.
    virtual std::uint32_t GetImageWidth() const { return m_ImageWidth; }
    virtual std::uint32_t GetImageHeight() const { return m_ImageHeight; }
    virtual bool IsLocked() const { return m_Locked; }
    // The GL texture name (0 while empty).
    virtual std::uint32_t GetD3DTexture() const { return m_GLTexture; }
    virtual float ToU(float x) const { return m_Width ? x / static_cast<float>(m_Width) : 0.0f; }
    virtual float ToV(float y) const { return m_Height ? y / static_cast<float>(m_Height) : 0.0f; }
    std::uint32_t GetMemorySize() const override;

protected:
    void DestroyDeviceTexture();

    std::uint32_t m_GLTexture = 0;
    GxFormat m_Format = D3DFMT_UNKNOWN;
    std::uint32_t m_Pool = D3DPOOL_SCRATCH;
    std::uint32_t m_Width = 0, m_Height = 0;
    std::uint32_t m_ImageWidth = 0, m_ImageHeight = 0;
    std::uint32_t m_Levels = 1;
    bool m_Locked = false;
};

// A texture with a copy of its pixels in memory (in its own format), which
// locks, fills and reads work on; the device texture is updated on unlock.
class GxTexture : public GxTextureBase {
public:
    GxTexture() = default;
    ~GxTexture() override;

    // Allocation: the smallest powers of two holding the image size (squared
    // when the texture flag of the screen settings asks for square textures).
    static void GetAllocationSize(std::uint32_t width, std::uint32_t height,
                                  std::uint32_t& outWidth, std::uint32_t& outHeight);

    bool CreateTexture(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                       std::uint32_t format = 0, std::uint32_t levels = 1);
    bool CreateRenderTarget(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                            std::uint32_t format = 0);
    bool CreateBufferedTexture(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                               std::uint32_t format = 0);
    bool CreateFromFile(std::u16string_view name, std::uint32_t format = 0,
                        std::uint32_t levels = 1, std::uint32_t colorKey = 0, bool stretch = true);
    bool ReloadFromFile();
    // A picture held in the program (the resource's bytes).
    bool CreateFromResource(std::u16string_view name, const void* data, size_t size,
                            std::uint32_t format = 0, std::uint32_t levels = 1,
                            std::uint32_t colorKey = 0, bool stretch = true);
    bool CreateFromFileMultiBlend(std::u16string_view name,
                                  const std::vector<std::u16string>& files,
                                  std::uint32_t format = 0, std::uint32_t levels = 1);
    // A texture from a decoded picture (the picture at 1:1, top-left).
    bool CreateFromImage(std::u16string_view name, const GxImage& image, std::uint32_t format = 0);

    void Fill(std::uint32_t color);
    void FillRect(const GxRect& rect, std::uint32_t color);
    void FillRectUV(const GxFRect& rect, std::uint32_t color);
    void ScrollRows(int rows, std::uint32_t color);
    bool StretchFrom(const GxRect* destRect, GxTexture* source, const GxRect* sourceRect,
                     std::uint32_t filter);

    bool LockRect(const GxRect* rect, void** bits, int* pitch, int* width = nullptr,
                  int* height = nullptr, GxFormat* format = nullptr, std::uint32_t flags = 0);
    bool Unlock();
    bool TransferRenderTargetToMemory();
    bool UpdateTexture();
    bool SaveToFile(const std::u16string& path);
    // The colour at (x, y) as 0xAARRGGBB (16-bit formats expanded).
    std::uint32_t GetPixel(int x, int y);
    // Copies 0xAARRGGBB pixels into the texture at (x, y), clipped, converted to its format.
    bool BlitImage(const std::uint32_t* pixels, int width, int height, int x, int y);

    bool IsRenderTarget() const { return m_ObjectType == OBJTYPE_RENDERTARGET; }
    // Makes this render target the destination of draws.
    bool BindAsRenderTarget();
    // Copies the frame drawn so far (the back buffer) into this render target at
    // 1:1, top-left: the capture of the last frame that transitions and thumbnails use.
    bool CaptureBackBuffer();
    std::uint32_t GetColorKey() const { return m_ColorKey; }
    bool GetStretch() const { return m_Stretch; }
    // The memory copy (rows of GetWidth() pixels in the texture's format).
    const std::vector<std::uint8_t>& GetMemoryPixels() const { return m_Pixels; }

protected:
    void FreeDeviceObjects() override;
    void ReleaseDeviceObjects();
    bool AllocateDevice(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                        std::uint32_t format, std::uint32_t levels, int objectType,
                        bool renderTarget);
    bool CreateEmpty(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                     std::uint32_t format, std::uint32_t levels, int objectType,
                     const char16_t* failure);
    bool CreateFromBytes(std::u16string_view name, const std::uint8_t* data, size_t size,
                         std::uint32_t format, std::uint32_t levels, std::uint32_t colorKey,
                         bool stretch);
    bool UploadRows(int top, int bottom);
    void FillArea(int left, int top, int right, int bottom, std::uint32_t color);
    size_t GetPitch() const;

    std::vector<std::uint8_t> m_Pixels;
    std::uint32_t m_Framebuffer = 0;
    std::uint32_t m_ColorKey = 0;
    bool m_Stretch = true;
    GxRect m_LockedRect;
    std::u16string m_SourcePath;
    std::uint32_t m_SourceFormat = 0;
};
