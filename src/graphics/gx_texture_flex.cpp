#include "graphics/gx_texture_flex.h"

#include <algorithm>

#include "base/gx_log.h"
#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_image.h"
#include "graphics/gx_image_file.h"
#include "graphics/gx_picture_file.h"

GxTextureFlex::~GxTextureFlex() {
    ReleaseAll();
    ReleaseTiles();
}

void GxTextureFlex::FreeDeviceObjects() {
    ReleaseTiles();
}

void GxTextureFlex::ReleaseTiles() {
    m_Tiles.clear();
    m_Rows = m_Columns = m_ImageWidth = m_ImageHeight = 0;
    m_ObjectType = OBJTYPE_NONE;
}

std::uint32_t GxTextureFlex::GetMemorySize() const {
    return kTileSize * kTileSize * m_Rows * m_Columns *
           static_cast<std::uint32_t>(GxGetBytesPerPixel(m_Format));
}

GxTexture* GxTextureFlex::GetTile(std::uint32_t column, std::uint32_t row) const {
    if (column >= m_Columns || row >= m_Rows)
        return nullptr;
    return m_Tiles[static_cast<size_t>(row) * m_Columns + column].get();
}

bool GxTextureFlex::Create(std::u16string_view name, std::uint32_t width, std::uint32_t height,
                           std::uint32_t format) {
    ReleaseAll();
    ReleaseTiles();
    if (format == 0)
        format = GxGraphics::GetTextureFormat();
    const std::uint32_t columns = (width + kTileSize - 1) / kTileSize;
    const std::uint32_t rows = (height + kTileSize - 1) / kTileSize;
    bool ok = width > 0 && height > 0;
    for (std::uint32_t i = 0; ok && i < rows * columns; ++i) {
        auto tile = std::make_unique<GxTexture>();
        ok = tile->CreateBufferedTexture(name, kTileSize, kTileSize, format);
        m_Tiles.push_back(std::move(tile));
    }
    if (!ok) {
        LogError(u"Error/FlexTexture CreateTexture Failed(Name:\"%s\" Size:%d,%d %s)\n",
                 std::u16string(name), width, height, GxGraphics::GetErrorText(D3DERR_INVALIDCALL));
        ReleaseTiles();
        return false;
    }
    m_Format = static_cast<GxFormat>(format);
    m_Columns = columns;
    m_Rows = rows;
    m_ImageWidth = width;
    m_ImageHeight = height;
    m_ObjectType = OBJTYPE_FLEXTEXTURE;
    SetName(name);
    GxD3DResourceManage::Instance().Register(this);
    AddRef();
    return true;
}

bool GxTextureFlex::CreateFromImage(std::u16string_view name, const GxImage& image,
                                    std::uint32_t format) {
    if (!Create(name, static_cast<std::uint32_t>(image.width),
                static_cast<std::uint32_t>(image.height), format)) {
        return false;
    }
    // Each tile takes its part of the picture; edge tiles only what exists.
    std::vector<std::uint32_t> part(kTileSize * kTileSize);
    for (std::uint32_t row = 0; row < m_Rows; ++row) {
        for (std::uint32_t column = 0; column < m_Columns; ++column) {
            const int left = static_cast<int>(column * kTileSize);
            const int top = static_cast<int>(row * kTileSize);
            const int width = std::min<int>(kTileSize, image.width - left);
            const int height = std::min<int>(kTileSize, image.height - top);
            for (int y = 0; y < height; ++y) {
                std::copy_n(image.pixels.data() + static_cast<size_t>(top + y) * image.width + left,
                            width, part.data() + static_cast<size_t>(y) * width);
            }
            GetTile(column, row)->BlitImage(part.data(), width, height, 0, 0);
        }
    }
    return true;
}

bool GxTextureFlex::CreateFromFile(std::u16string_view name, std::uint32_t format,
                                   std::uint32_t colorKey) {
    ReleaseAll();
    ReleaseTiles();
    int width = 0, height = 0, depth = 0;
    if (!GetInfoFromFile(name, width, height, depth))
        return false;
    GxImage image;
    if (!LoadImageFromFile(name, colorKey, image)) {
        LogError(u"Error/ImageLoadFromFile Failed(Name:\"%s\")\n", std::u16string(name));
        return false;
    }
    m_ColorKey = colorKey;
    return CreateFromImage(name, image, format);
}
