#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gl_fixture.h"
#include "graphics/gx_draw.h"
#include "graphics/gx_image.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_flex.h"

namespace {

using DrawTest = gxtest::GLTest;

std::uint32_t TexelAt(int x, int y) {
    return 0xFF000000u | static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y) << 8 |
           static_cast<std::uint32_t>((x * 7 + y * 13) & 0xFF);
}

// A texture whose every texel is distinct, so a wrong sample shows.
void MakePatternTexture(GxTexture& texture, int width, int height) {
    ASSERT_TRUE(texture.CreateTexture(u"pattern", width, height, D3DFMT_A8R8G8B8));
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(TexelAt(x, y));
    }
    ASSERT_TRUE(texture.BlitImage(pixels.data(), width, height, 0, 0));
}

void ExpectSpriteAt(const std::vector<std::uint32_t>& frame, int left, int top) {
    int wrong = 0;
    for (int y = top - 2; y < top + 52; ++y) {
        for (int x = left - 2; x < left + 102; ++x) {
            const bool inside = x >= left && x < left + 100 && y >= top && y < top + 50;
            const std::uint32_t expected = inside ? TexelAt(x - left, y - top) : 0xFF000000u;
            if (frame[static_cast<size_t>(y) * 1024 + x] != expected && ++wrong < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                              << frame[static_cast<size_t>(y) * 1024 + x] << " not " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(DrawTest, SpriteCoversExactPixelsWithExactTexels) {
    GxTexture texture;
    MakePatternTexture(texture, 100, 50);
    DrawSprite(&texture, 350, 275, GxFRect{0, 0, 100, 50}, 0xFFFFFFFFu, 1);
    ExpectSpriteAt(Frame(), 350, 275);
}

TEST_F(DrawTest, CentredPivotLandsOnTheSamePixels) {
    GxTexture texture;
    MakePatternTexture(texture, 100, 50);
    DrawSprite(&texture, 400, 300, GxFRect{0, 0, 100, 50}, 1, 1, 0, 0, 0, 0.5f, 0.5f, 0, 0,
               0xFFFFFFFFu, 0, 1);
    ExpectSpriteAt(Frame(), 350, 275);
}

TEST_F(DrawTest, SpriteTransformPivotAndRotation) {
    const GxSpriteTransform centred{400, 300, 1, 1, 0, 0, 0, 0.5f, 0.5f};
    const GxVector2 topLeft = centred.Apply(0, 0, 100, 50);
    EXPECT_FLOAT_EQ(topLeft.x, 350);
    EXPECT_FLOAT_EQ(topLeft.y, 275);
    const GxSpriteTransform turned{10, 20, 1, 1, 0, 0, static_cast<float>(M_PI / 2), 0, 0};
    const GxVector2 topRight = turned.Apply(100, 0, 100, 50);
    EXPECT_NEAR(topRight.x, 10, 1e-4);
    EXPECT_NEAR(topRight.y, 120, 1e-4);
}

TEST_F(DrawTest, QuadsOutsideTheViewportAreCulledAndTouchingOnesDrawn) {
    const GxVector2 above[4] = {{10, -20}, {10, -1}, {30, -1}, {30, -20}};
    EXPECT_TRUE(GxIsOutsideViewport(above, 4));
    const GxVector2 touching[4] = {{10, -20}, {10, 0.5f}, {30, 0.5f}, {30, -20}};
    EXPECT_FALSE(GxIsOutsideViewport(touching, 4));
    DrawSprite(nullptr, 10, -19, GxFRect{0, 0, 20, 20}, 0xFFFF0000u, 1);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, 15, 0), 0xFFFF0000u);
    EXPECT_EQ(At(frame, 15, 1), 0xFF000000u);
}

struct BlendCase {
    int mode;
    std::uint32_t (*expected)(std::uint32_t source, std::uint32_t destination);
};

int C(std::uint32_t color, int shift) {
    return static_cast<int>(color >> shift & 0xFF);
}

// Applies `f` to each colour channel and keeps the larger alpha.
template <class F>
std::uint32_t PerChannel(std::uint32_t s, std::uint32_t d, F f) {
    std::uint32_t out = static_cast<std::uint32_t>(std::max(C(s, 24), C(d, 24))) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const double value = f(C(s, shift), C(d, shift), C(s, 24) / 255.0);
        out |= static_cast<std::uint32_t>(std::clamp(std::lround(value), 0L, 255L)) << shift;
    }
    return out;
}

const BlendCase kBlendCases[] = {
    {1, [](std::uint32_t s, std::uint32_t) { return s; }},
    {2,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double a) { return cs * a + cd * (1 - a); });
     }},
    {3,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double a) { return cs * a + cd; });
     }},
    {4,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d,
                           [](int cs, int cd, double a) { return std::min(cs * 2, 255) * a + cd; });
     }},
    {5,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double a) { return cd - cs * a; });
     }},
    {6,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double) { return cd * cs / 255.0; });
     }},
    {7,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double) {
             return cs * (255 - cd) / 255.0 + cd * (255 - cs) / 255.0;
         });
     }},
    {8,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d,
                           [](int cs, int cd, double) { return cs * (255 - cd) / 255.0 + cd; });
     }},
    {9,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double) { return cs - cd; });
     }},
    {42,
     [](std::uint32_t s, std::uint32_t d) {
         return PerChannel(s, d, [](int cs, int cd, double a) { return cs * a + cd * (1 - a); });
     }},
};

TEST_F(DrawTest, EveryBlendModeMatchesComputedValues) {
    const std::uint32_t sources[] = {0x80C06020u, 0xFF3090F0u, 0x40FFFFFFu};
    const std::uint32_t destinations[] = {0x40206080u, 0xC0F0A010u};
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"blend", 4, 4, D3DFMT_A8R8G8B8));
    for (const BlendCase& blend : kBlendCases) {
        for (std::uint32_t source : sources) {
            for (std::uint32_t destination : destinations) {
                texture.Fill(source);
                GxGraphics::Clear(D3DCLEAR_TARGET, destination);
                DrawSprite(&texture, 8, 8, GxFRect{0, 0, 4, 4}, 0xFFFFFFFFu, blend.mode);
                const std::uint32_t got = At(Frame(), 9, 9);
                EXPECT_TRUE(gxtest::ColorNear(got, blend.expected(source, destination)))
                    << "mode " << blend.mode << " source " << std::hex << source << " destination "
                    << destination;
            }
        }
    }
}

TEST_F(DrawTest, ModeZeroUsesTheStoredModeOfTheStage) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"white", 4, 4, D3DFMT_A8R8G8B8));
    texture.Fill(0xFF404040u);
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF101010u);
    SetBlendMode(0, 3);
    DrawSprite(&texture, 0, 0, GxFRect{0, 0, 4, 4}, 0xFFFFFFFFu, 0);
    EXPECT_TRUE(gxtest::ColorNear(At(Frame(), 1, 1), 0xFF505050u));
}

TEST_F(DrawTest, DiffuseModulatesAndSpecularAdds) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"grey", 4, 4, D3DFMT_A8R8G8B8));
    texture.Fill(0xFF808080u);
    DrawSprite(&texture, 0, 0, GxFRect{0, 0, 4, 4}, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0xFFFF8000u,
               0x00000040u, 1);
    EXPECT_TRUE(gxtest::ColorNear(At(Frame(), 1, 1), 0xFF804040u));
}

TEST_F(DrawTest, AlphaTestDiscardsTexelsBelowTheReference) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"alpha", 4, 4, D3DFMT_A8R8G8B8));
    texture.FillRect(GxRect{0, 0, 2, 4}, 0x40FFFFFFu);
    texture.FillRect(GxRect{2, 0, 4, 4}, 0xC0FFFFFFu);
    SetAlphaTest(true, 0x80);
    DrawSprite(&texture, 0, 0, GxFRect{0, 0, 4, 4}, 0xFFFFFFFFu, 1);
    SetAlphaTest(false, 0);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, 1, 1), 0xFF000000u);
    EXPECT_EQ(At(frame, 3, 1), 0xC0FFFFFFu);
    // Alpha test off again: the same quad draws everywhere.
    DrawSprite(&texture, 0, 0, GxFRect{0, 0, 4, 4}, 0xFFFFFFFFu, 1);
    EXPECT_EQ(At(Frame(), 1, 1), 0x40FFFFFFu);
}

TEST_F(DrawTest, GradientRectInterpolatesTheCornerColours) {
    const std::uint32_t colors[5] = {0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu, 0xFF0000FFu,
                                     0xFF800080u};
    const std::uint32_t none[5] = {0, 0, 0, 0, 0};
    DrawGradientRect(GxFRect{0, 0, 100, 100}, colors, none, 1);
    const auto frame = Frame();
    EXPECT_GT(gxtest::Channel(At(frame, 1, 50), 16), 200);
    EXPECT_GT(gxtest::Channel(At(frame, 98, 50), 0), 200);
    EXPECT_EQ(At(frame, 100, 50), 0xFF000000u);
}

TEST_F(DrawTest, CaptureIntoARenderTargetAndDrawItBack) {
    GxTexture capture;
    ASSERT_TRUE(capture.CreateRenderTarget(u"capture", 1024, 768));
    GxTexture texture;
    MakePatternTexture(texture, 100, 50);
    ASSERT_TRUE(GxGraphics::PushRenderTarget(0, &capture, nullptr, nullptr));
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF000000u);
    DrawSprite(&texture, 10, 20, GxFRect{0, 0, 100, 50}, 0xFFFFFFFFu, 1);
    ASSERT_TRUE(GxGraphics::PopRenderTarget(0));
    EXPECT_EQ(capture.GetPixel(10, 20), TexelAt(0, 0));
    DrawSprite(&capture, 340, 255, GxFRect{0, 0, 1024, 768}, 0xFFFFFFFFu, 1);
    ExpectSpriteAt(Frame(), 350, 275);
}

TEST_F(DrawTest, FivePointQuadDefaultsToWhiteAndNoTexture) {
    const GxVector2 points[5] = {{10, 10}, {10, 30}, {30, 30}, {30, 10}, {20, 20}};
    DrawQuad5(nullptr, points, nullptr, nullptr, nullptr, 0, 0, 1);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, 10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(At(frame, 29, 29), 0xFFFFFFFFu);
    EXPECT_EQ(At(frame, 30, 29), 0xFF000000u);
}

TEST_F(DrawTest, LinearFilterBlendsNeighbouringTexels) {
    GxTexture texture;
    ASSERT_TRUE(texture.CreateTexture(u"two", 2, 1, D3DFMT_A8R8G8B8));
    const std::uint32_t texels[2] = {0xFF000000u, 0xFFFFFFFFu};
    texture.BlitImage(texels, 2, 1, 0, 0);
    SetTextureFilter(D3DTEXF_LINEAR);
    // Stretched to 4 pixels: the middle pixels fall between the texel centres.
    DrawSprite(&texture, 0, 0, GxFRect{0, 0, 2, 1}, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFFu, 0, 1);
    SetTextureFilter(D3DTEXF_POINT);
    const auto frame = Frame();
    EXPECT_LT(gxtest::Channel(At(frame, 1, 0), 0), 128);
    EXPECT_GT(gxtest::Channel(At(frame, 1, 0), 0), 16);
    EXPECT_GT(gxtest::Channel(At(frame, 2, 0), 0), 128);
}

TEST_F(DrawTest, CapturedBackBufferDrawsBackUnchanged) {
    GxTexture texture;
    MakePatternTexture(texture, 100, 50);
    DrawSprite(&texture, 350, 275, GxFRect{0, 0, 100, 50}, 0xFFFFFFFFu, 1);
    GxTexture capture;
    ASSERT_TRUE(capture.CreateRenderTarget(u"capture", 1024, 768));
    ASSERT_TRUE(capture.CaptureBackBuffer());
    EXPECT_EQ(capture.GetPixel(350, 275), TexelAt(0, 0));
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF000000u);
    DrawSprite(&capture, 0, 0, GxFRect{0, 0, 1024, 768}, 0xFFFFFFFFu, 1);
    ExpectSpriteAt(Frame(), 350, 275);
}

TEST_F(DrawTest, ResetRebindsTheTopRenderTargetAndKeepsStates) {
    GxTexture target;
    ASSERT_TRUE(target.CreateRenderTarget(u"target", 64, 64));
    ASSERT_TRUE(GxGraphics::PushRenderTarget(0, &target, nullptr, nullptr));
    SetBlendMode(0, 3);
    ASSERT_TRUE(GxGraphics::Reset(true, SCRMODE_WINDOW, SCRMODE_WINDOW));
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF202020u);
    DrawSprite(nullptr, 0, 0, GxFRect{0, 0, 8, 8}, 0xFF404040u, 0);  // additive, stored mode
    ASSERT_TRUE(GxGraphics::PopRenderTarget(0));
    EXPECT_TRUE(gxtest::ColorNear(target.GetPixel(2, 2), 0xFF606060u));
    EXPECT_EQ(At(Frame(), 2, 2), 0xFF000000u);
}

TEST_F(DrawTest, FlexSpriteDrawsEveryTile) {
    GxImage image;
    image.width = 300;
    image.height = 200;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x)
            image.pixels.push_back(TexelAt(x % 256, y));
    }
    GxTextureFlex flex;
    ASSERT_TRUE(flex.CreateFromImage(u"flex", image, D3DFMT_A8R8G8B8));
    EXPECT_EQ(flex.GetColumns(), 3u);
    EXPECT_EQ(flex.GetRows(), 2u);
    DrawFlexSprite(&flex, GxSpriteTransform{100, 100}, 0xFFFFFFFFu, 0, 2);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, 100, 100), TexelAt(0, 0));
    EXPECT_EQ(At(frame, 100 + 299, 100 + 199), TexelAt(299 % 256, 199));
    EXPECT_EQ(At(frame, 100 + 130, 100 + 130), TexelAt(130, 130));
    EXPECT_EQ(At(frame, 100 + 300, 100 + 100), 0xFF000000u);
}

}  // namespace
