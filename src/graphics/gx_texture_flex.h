#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "graphics/gx_texture.h"

// A large picture as a grid of 128 × 128 textures.
class GxTextureFlex : public GxD3DResourceBase {
public:
    static constexpr std::uint32_t kTileSize = 128;

    GxTextureFlex() = default;
    ~GxTextureFlex() override;

    std::uint32_t GetMemorySize() const override;

    bool Create(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                std::uint32_t format = 0);
    bool CreateFromFile(std::u16string_view name, std::uint32_t format = 0,
                        std::uint32_t colorKey = 0);
    bool CreateFromImage(std::u16string_view name, const GxImage& image, std::uint32_t format = 0);

    std::uint32_t GetImageWidth() const { return m_ImageWidth; }
    std::uint32_t GetImageHeight() const { return m_ImageHeight; }
    std::uint32_t GetColumns() const { return m_Columns; }
    std::uint32_t GetRows() const { return m_Rows; }
    std::uint32_t GetTileWidth() const { return kTileSize; }
    std::uint32_t GetTileHeight() const { return kTileSize; }
    GxTexture* GetTile(std::uint32_t column, std::uint32_t row) const;

protected:
    void FreeDeviceObjects() override;

private:
    void ReleaseTiles();

    std::vector<std::unique_ptr<GxTexture>> m_Tiles;
    GxFormat m_Format = D3DFMT_UNKNOWN;
    std::uint32_t m_ImageWidth = 0, m_ImageHeight = 0;
    std::uint32_t m_Rows = 0, m_Columns = 0;
    std::uint32_t m_ColorKey = 0;
};
