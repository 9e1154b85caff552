#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "gl_fixture.h"
#include "graphics/gx_draw.h"
#include "graphics/gx_image.h"
#include "graphics/gx_image_resample.h"
#include "graphics/gx_pixel_format.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_factory.h"
#include "support/temp_dir.h"

namespace {

using TextureTest = gxtest::GLTest;

TEST_F(TextureTest, SidesArePowersOfTwoAndUVsFollowThem) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"Screen", 640, 480));
    EXPECT_EQ(texture.GetWidth(), 1024u);
    EXPECT_EQ(texture.GetHeight(), 512u);
    EXPECT_EQ(texture.GetImageWidth(), 640u);
    EXPECT_FLOAT_EQ(texture.ToU(640), 0.625f);
    EXPECT_FLOAT_EQ(texture.ToV(256), 0.5f);
    EXPECT_EQ(texture.GetName(), u"screen");
    EXPECT_EQ(texture.GetRefCount(), 1);
    EXPECT_EQ(texture.GetMemorySize(), 1024u * 512u * 4u);

    GxGraphics::GetSettings().textureFlag = 1;
    GxTexture square;
    ASSERT_TRUE(square.CreateTexture(u"square", 640, 480));
    GxGraphics::GetSettings().textureFlag = 0;
    EXPECT_EQ(square.GetWidth(), 1024u);
    EXPECT_EQ(square.GetHeight(), 1024u);
}

const std::uint32_t kAllFormats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A1R5G5B5,
                                     D3DFMT_A4R4G4B4, D3DFMT_X4R4G4B4, D3DFMT_R5G6B5};

TEST_F(TextureTest, EveryFormatStoresDrawsAndReadsItsOwnConversion) {
    const std::uint32_t colors[] = {0x80F0A050u, 0xFFF0A050u};
    for (std::uint32_t color : colors) {
        for (std::uint32_t format : kAllFormats) {
            GxTexture texture;
            ASSERT_TRUE(texture.CreateTexture(u"fill", 4, 4, format));
            texture.Fill(color);
            void* bits = nullptr;
            int pitch = 0;
            ASSERT_TRUE(texture.LockRect(nullptr, &bits, &pitch));
            std::uint32_t stored = 0;
            std::memcpy(&stored, bits,
                        format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8 ? 4 : 2);
            texture.Unlock();
            const std::uint32_t expected = gx::DecodePixel(gx::EncodePixel(color, format), format);
            EXPECT_EQ(stored, gx::EncodePixel(color, format)) << format;
            EXPECT_EQ(texture.GetPixel(2, 2), expected) << format;
            // Drawn opaque, the device shows the same colour as the memory copy.
            GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF000000u);
            DrawSprite(&texture, 0, 0, GxFRect{0, 0, 4, 4}, 0xFFFFFFFFu, 1);
            EXPECT_TRUE(gxtest::ColorNear(At(Frame(), 1, 1), expected)) << format;
        }
    }
}

TEST_F(TextureTest, ScrollRowsMovesThePictureAndFillsTheGap) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"scroll", 4, 4, D3DFMT_A8R8G8B8));
    for (int y = 0; y < 4; ++y)
        texture.FillRect(GxRect{0, y, 4, y + 1}, 0xFF000000u | y);
    texture.ScrollRows(1, 0xFFFFFFFFu);
    EXPECT_EQ(texture.GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(texture.GetPixel(0, 1), 0xFF000000u);
    EXPECT_EQ(texture.GetPixel(0, 3), 0xFF000002u);
    texture.ScrollRows(-2, 0xFF00FF00u);
    EXPECT_EQ(texture.GetPixel(0, 0), 0xFF000001u);
    EXPECT_EQ(texture.GetPixel(0, 2), 0xFF00FF00u);
    texture.ScrollRows(100, 0xFF0000FFu);  // past the height: everything is the colour
    EXPECT_EQ(texture.GetPixel(3, 3), 0xFF0000FFu);
    texture.ScrollRows(0, 0);
    EXPECT_EQ(texture.GetPixel(3, 3), 0xFF0000FFu);
}

TEST_F(TextureTest, SecondLockIsRefusedWithAWarning) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"lock", 4, 4));
    void* bits = nullptr;
    int pitch = 0;
    ASSERT_TRUE(texture.LockRect(nullptr, &bits, &pitch));
    gxtest::LogCapture log;
    EXPECT_FALSE(texture.LockRect(nullptr, &bits, &pitch));
    EXPECT_TRUE(gxtest::LogContains(log, u"Texture Already Locked"));
    EXPECT_TRUE(texture.Unlock());
}

TEST_F(TextureTest, SaveToFileWritesThePictureAndLeavesNoPartialFile) {
    gxtest::TempDir dir;
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"thumb", 3, 2, D3DFMT_A8R8G8B8));
    const std::uint32_t pixels[6] = {0xFF102030u, 0x80FFFFFFu, 0x00000000u,
                                     0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    texture.BlitImage(pixels, 3, 2, 0, 0);
    const std::u16string path = dir.U16() + u"/thumb001.png";
    ASSERT_TRUE(texture.SaveToFile(path));
    std::ifstream file(dir.Path() / "thumb001.png", std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
    GxImage decoded;
    std::string error;
    ASSERT_TRUE(gx::DecodePngImage(bytes.data(), bytes.size(), decoded, error));
    ASSERT_EQ(decoded.width, 3);
    ASSERT_EQ(decoded.height, 2);
    EXPECT_EQ(std::vector<std::uint32_t>(pixels, pixels + 6), decoded.pixels);

    gxtest::LogCapture log;
    EXPECT_FALSE(texture.SaveToFile(dir.U16() + u"/missing/thumb.png"));
    EXPECT_TRUE(gxtest::LogContains(log, u"Error/Texture SaveToFile Failed(Name:\"thumb\""));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_EQ(entry.path().extension(), ".png");
    }
}

TEST_F(TextureTest, FactorySharesByNameKindAndSize) {
    GxTextureFactory& factory = GxTextureFactory::Instance();
    GxTextureBase* first = factory.Get(u"work", TEXKIND_TEXTURE, 64, 64);
    ASSERT_NE(first, nullptr);
    GxTextureBase* again = factory.Get(u"WORK", TEXKIND_TEXTURE, 64, 64);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first->GetRefCount(), 2);
    // Same name, another size or kind: a texture of its own, not the shared one.
    GxTextureBase* larger = factory.Get(u"work", TEXKIND_TEXTURE, 128, 128);
    ASSERT_NE(larger, nullptr);
    EXPECT_NE(larger, first);
    EXPECT_EQ(larger->GetWidth(), 128u);
    GxTextureBase* target = factory.Get(u"work", TEXKIND_RENDERTARGET, 64, 64);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->GetObjectType(), OBJTYPE_RENDERTARGET);
    EXPECT_EQ(factory.Get(u"none", TEXKIND_NONE, 4, 4), nullptr);
    EXPECT_EQ(factory.GetCount(), 3);

    gxtest::LogCapture log;
    GxTexture stranger;
    factory.Release(&stranger);
    EXPECT_TRUE(gxtest::LogContains(
        log, u"Warning/GxTextureFactory You tried to release the texture does not exist(0x"));
    factory.Release(u"nothing");
    EXPECT_TRUE(gxtest::LogContains(log, u"does not exist(nothing)"));
    EXPECT_EQ(factory.GetCount(), 3);

    factory.Release(first);
    EXPECT_EQ(factory.GetCount(), 3);
    factory.Release(again);
    EXPECT_EQ(factory.GetCount(), 2);
    factory.Release(larger);
    factory.Release(target);
    EXPECT_EQ(factory.GetCount(), 0);
}

TEST_F(TextureTest, LeakReportNamesTypeAndLoweredName) {
    GxD3DResourceManage& registry = GxD3DResourceManage::Instance();
    GxTexture leaked;
    ASSERT_TRUE(leaked.CreateTexture(u"Leaked", 4, 4));
    gxtest::LogCapture log;
    gx::SetSkipSlightErrors(false);
    registry.ReportAtExit();
    registry.Reopen();
    EXPECT_TRUE(gxtest::LogContains(log, u"[OBJTYPE_TEXTURE:leaked]"));
    EXPECT_TRUE(gxtest::LogContains(log, u"Warning/未解放のまま終了したリソースがあります 0x"));
}

TEST(Composite, OverOperatorOnStraightAlpha) {
    EXPECT_EQ(gx::CompositePixelOver(0x80123456u, 0xFFABCDEFu), 0xFFABCDEFu);
    EXPECT_EQ(gx::CompositePixelOver(0x80123456u, 0x00ABCDEFu), 0x80123456u);
    EXPECT_EQ(gx::CompositePixelOver(0x00123456u, 0x00ABCDEFu), 0u);
    const std::uint32_t half = gx::CompositePixelOver(0xFF000000u, 0x80FFFFFFu);
    EXPECT_EQ(half >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 128, 1);
}

}  // namespace
