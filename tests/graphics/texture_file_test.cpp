#include <gtest/gtest.h>

#include <fstream>

#include "base/gx_byte_order.h"
#include "gl_fixture.h"
#include "graphics/gx_image.h"
#include "graphics/gx_image_file.h"
#include "graphics/gx_shader_effect.h"
#include "graphics/gx_surface.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_factory.h"
#include "support/temp_dir.h"

namespace {

using TextureFileTest = gxtest::GLTest;

std::u16string WritePng(const gxtest::TempDir& dir, const char* name, int width, int height,
                        std::uint32_t color) {
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height, color);
    const std::u16string path = dir.U16() + u"/" + std::u16string(name, name + std::strlen(name));
    EXPECT_TRUE(
        SaveImageAsPng(path, width, height, reinterpret_cast<const std::uint8_t*>(pixels.data())));
    return path;
}

TEST_F(TextureFileTest, PictureSitsTopLeftAtOneToOneWithoutStretch) {
    gxtest::TempDir dir;
    const std::u16string path = WritePng(dir, "bg.png", 640, 480, 0xFF336699u);
    GxTexture texture;
    ASSERT_TRUE(texture.CreateFromFile(path, D3DFMT_A8R8G8B8, 1, 0, false));
    EXPECT_EQ(texture.GetWidth(), 1024u);
    EXPECT_EQ(texture.GetHeight(), 512u);
    EXPECT_EQ(texture.GetImageWidth(), 640u);
    EXPECT_EQ(texture.GetPixel(639, 479), 0xFF336699u);
    EXPECT_EQ(texture.GetPixel(640, 0), 0u);
    EXPECT_EQ(texture.GetPixel(0, 480), 0u);

    GxTexture stretched;
    ASSERT_TRUE(stretched.CreateFromFile(path, D3DFMT_A8R8G8B8, 1, 0, true));
    EXPECT_EQ(stretched.GetPixel(1023, 511), 0xFF336699u);
}

TEST_F(TextureFileTest, UndecodableAndOversizedPicturesFailWithTheirMessages) {
    gxtest::TempDir dir;
    gxtest::LogCapture log;
    GxTexture texture;
    EXPECT_FALSE(texture.CreateFromFile(dir.U16() + u"/missing.png"));
    EXPECT_TRUE(gxtest::LogContains(log, u"Error/GetInfoFromFile Open error(Name:"));

    std::ofstream(dir.Path() / "fake.png") << "GIF89a and more bytes to pass the header length...";
    EXPECT_FALSE(texture.CreateFromFile(dir.U16() + u"/fake.png"));
    EXPECT_TRUE(
        gxtest::LogContains(log, u"Error/GetInfoFromFile This file is not PNG image(Name:"));

    // A valid header that promises a picture far beyond the maximum texture size.
    std::u16string path = WritePng(dir, "huge.png", 4, 4, 0xFFFFFFFFu);
    std::vector<std::uint8_t> bytes;
    {
        std::ifstream in(dir.Path() / "huge.png", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    gx::WriteBE32(bytes.data() + 16, 200000);
    std::ofstream(dir.Path() / "huge.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_FALSE(texture.CreateFromFile(path));
    EXPECT_TRUE(gxtest::LogContains(log, u"Error/GetInfoFromFile Failed(Name:"));

    // A damaged body behind a good header: the create message, an empty texture.
    path = WritePng(dir, "cut.png", 64, 64, 0xFF00FF00u);
    std::filesystem::resize_file(dir.Path() / "cut.png", 60);
    EXPECT_FALSE(texture.CreateFromFile(path));
    EXPECT_TRUE(gxtest::LogContains(log, u"Error/Texture CreateFromFile Failed(Name:"));
    EXPECT_EQ(texture.GetObjectType(), OBJTYPE_NONE);
    EXPECT_EQ(texture.GetD3DTexture(), 0u);
}

TEST_F(TextureFileTest, MultiBlendCompositesLaterPicturesOverTheFirst) {
    gxtest::TempDir dir;
    const std::u16string base = WritePng(dir, "base.png", 8, 8, 0xFF0000FFu);
    const std::u16string over = WritePng(dir, "over.png", 4, 4, 0x80FF0000u);
    GxTexture texture;
    ASSERT_TRUE(texture.CreateFromFileMultiBlend(u"blend", {base, over, dir.U16() + u"/none.png"},
                                                 D3DFMT_A8R8G8B8));
    EXPECT_EQ(texture.GetPixel(6, 6), 0xFF0000FFu);
    EXPECT_TRUE(gxtest::ColorNear(texture.GetPixel(1, 1), 0xFF80007Fu));
}

TEST_F(TextureFileTest, FactoryLoadsFilesCaseInsensitively) {
    gxtest::TempDir dir;
    const std::u16string path = WritePng(dir, "chara.png", 16, 16, 0xFFFFFFFFu);
    GxTextureFactory& factory = GxTextureFactory::Instance();
    GxTextureBase* lower = factory.Get(path, TEXKIND_FILE);
    ASSERT_NE(lower, nullptr);
    std::u16string upper = path;
    upper.replace(upper.size() - 9, 5, u"CHARA");
    EXPECT_EQ(factory.Get(upper, TEXKIND_FILE), lower);
    EXPECT_EQ(lower->GetRefCount(), 2);
    factory.Release(upper);
    factory.Release(path);
    EXPECT_EQ(factory.GetCount(), 0);
}

TEST_F(TextureFileTest, ScratchSurfaceHoldsThePictureAtItsOwnSize) {
    gxtest::TempDir dir;
    const std::u16string path = WritePng(dir, "keyed.png", 300, 200, 0xFF00FF00u);
    std::unique_ptr<GxSurface> surface =
        CreateScratchSurfaceFromFile(path, D3DFMT_A8R8G8B8, 0xFF00FF00u);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetWidth(), 300u);
    EXPECT_EQ(surface->GetHeight(), 200u);
    EXPECT_EQ(surface->GetPixel(299, 199), 0u);  // the colour key became transparent
    EXPECT_EQ(surface->GetObjectType(), OBJTYPE_SURFACE);
    GxSurface depth;
    ASSERT_TRUE(depth.CreateDepthStencil(u"depth", 1024, 768));
    EXPECT_EQ(depth.GetFormat(), GxGraphics::GetDepthStencilFormat());
    EXPECT_EQ(depth.GetMemorySize(), 0u);
    gxtest::LogCapture log;
    GxSurface bad;
    EXPECT_FALSE(bad.CreateScratch(u"bad", 0, 10));
    EXPECT_TRUE(gxtest::LogContains(log, u"Error/Surface CreateScratch Failed(Name:\"bad\""));

    GxTextureFlex flex;
    ASSERT_TRUE(flex.CreateFromFile(path, D3DFMT_A8R8G8B8));
    EXPECT_EQ(flex.GetColumns(), 3u);
    EXPECT_EQ(flex.GetTile(2, 1)->GetPixel(43, 71), 0xFF00FF00u);
    EXPECT_EQ(flex.GetTile(2, 1)->GetPixel(44, 71), 0u);  // the last column holds 44 pixels
}

TEST_F(TextureFileTest, ShaderEffectListsTechniquesAndStandardParameters) {
    GxShaderEffect effect;
    ASSERT_TRUE(effect.CreateFromText(u"Default.fx", R"(
        // the default material
        float4x4 WorldViewProj : WORLDVIEWPROJECTION;
        float4 MaterialDiffuse < string UIName = "diffuse"; > = {1, 1, 1, 1};
        texture TextureDiffuse;
        sampler DiffuseSampler = sampler_state { Texture = <TextureDiffuse>; };
        static float hidden = 2;
        float4 Main(float4 p : POSITION) : COLOR { return p; }
        technique Lit < int UseLight = 1; int TecIndex = 3; > { pass P0 { } pass P1 { } }
        technique Plain { pass P0 { } }
    )"));
    ASSERT_EQ(effect.GetTechniques().size(), 2u);
    EXPECT_EQ(effect.GetTechniques()[0].name, u"Lit");
    EXPECT_EQ(effect.GetTechniques()[0].passes, 2u);
    EXPECT_EQ(effect.GetTechniques()[0].useLight, 1);
    EXPECT_EQ(effect.GetTechniques()[0].tecIndex, 3);
    EXPECT_EQ(effect.GetTechniques()[1].useLight, 0);
    ASSERT_EQ(effect.GetParameters().size(), 4u);
    EXPECT_EQ(effect.GetParameters()[0].semantic, u"WORLDVIEWPROJECTION");
    EXPECT_EQ(effect.GetParameters()[0].rows, 4u);
    EXPECT_EQ(effect.GetStandardParameter(3), 0);   // WorldViewProj
    EXPECT_EQ(effect.GetStandardParameter(14), 1);  // MaterialDiffuse
    EXPECT_EQ(effect.GetStandardParameter(27), 2);  // TextureDiffuse
    EXPECT_EQ(effect.GetStandardParameter(0), -1);  // World
    EXPECT_EQ(effect.GetName(), u"default.fx");
    EXPECT_EQ(effect.GetObjectType(), OBJTYPE_SHADEREFFECT);

    GxShaderEffect empty;
    EXPECT_TRUE(empty.CreateFromText(u"empty.fx", "float x;"));
    EXPECT_TRUE(empty.GetTechniques().empty());
    gxtest::LogCapture log;
    EXPECT_FALSE(empty.CreateFromText(u"broken.fx", "technique T { pass P {"));
    EXPECT_TRUE(
        gxtest::LogContains(log, u"Error/GxShaderEffect CreateFromFile Failed(Name:\"broken.fx\""));
}

}  // namespace
