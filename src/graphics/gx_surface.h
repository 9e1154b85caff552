#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "graphics/gx_graphics_types.h"
#include "graphics/gx_texture.h"

// A surface: a picture in memory (plain, scratch and system-memory surfaces),
// or a size and format the device keeps for depth-stencil and render-target use.
// The 2D frame has no depth buffer, so depth-stencil surfaces hold no pixels.
class GxSurface : public GxSurfaceBase {
public:
    GxSurface() = default;
    ~GxSurface() override { ReleaseAll(); }

    bool CreateSurface(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                       std::uint32_t format = 0);
    bool CreateScratch(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                       std::uint32_t format = 0);
    bool CreateSystemMemory(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                            std::uint32_t format = 0);
    bool CreateDepthStencil(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                            std::uint32_t format = 0, std::uint32_t multiSample = 0,
                            std::uint32_t quality = 0);
    bool CreateRenderTarget(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                            std::uint32_t format = 0, std::uint32_t multiSample = 0,
                            std::uint32_t quality = 0);

    GxFormat GetFormat() const { return m_Format; }
    std::uint32_t GetPool() const { return m_Pool; }
    std::uint32_t GetWidth() const { return m_Width; }
    std::uint32_t GetHeight() const { return m_Height; }
    std::uint32_t GetMultiSampleType() const { return m_MultiSample; }
    std::uint32_t GetMultiSampleQuality() const { return m_Quality; }
    std::uint32_t GetMemorySize() const override;
    // Rows of GetWidth() pixels in the surface's format (empty for depth-stencil surfaces).
    std::vector<std::uint8_t>& GetPixels() { return m_Pixels; }
    // Copies 0xAARRGGBB pixels in, clipped and converted to the surface's format.
    bool BlitImage(const std::uint32_t* pixels, int width, int height, int x, int y);
    // The colour at (x, y) as 0xAARRGGBB.
    std::uint32_t GetPixel(int x, int y) const;

protected:
    void FreeDeviceObjects() override;

private:
    bool Create(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                std::uint32_t format, std::uint32_t pool, int objectType, bool pixels,
                const char16_t* failure);
    bool CreateMultisampled(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                            std::uint32_t format, int objectType, std::uint32_t multiSample,
                            std::uint32_t quality, const char16_t* failure);

    std::vector<std::uint8_t> m_Pixels;
    GxFormat m_Format = D3DFMT_UNKNOWN;
    std::uint32_t m_Pool = D3DPOOL_SCRATCH;
    std::uint32_t m_Width = 0, m_Height = 0;
    std::uint32_t m_MultiSample = 0, m_Quality = 0;
};

// A scratch surface of exactly the picture's size holding the picture (colour key: transparent).
std::unique_ptr<GxSurface> CreateScratchSurfaceFromFile(std::u16string_view path,
                                                        std::uint32_t format = 0,
                                                        std::uint32_t colorKey = 0);
