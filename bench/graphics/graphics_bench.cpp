// A frame of 20 full-screen blended sprites and 200 glyph quads through the
// engine's drawers, beside the same quads drawn by a minimal raw-GL loop.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "graphics/gx_draw.h"
#include "graphics/gx_draw_state.h"
#include "graphics/gx_font_map.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_text.h"

namespace {

constexpr int kSprites = 20;
constexpr int kLines = 10;
const char16_t kLine[] = u"吾輩は猫である。名前はまだ無い。どこで生れたか";  // 20 glyphs

struct Scene {
    GxTexture background;
    GxGDIFontMap atlas;
    bool ready = false;
};

Scene& GetScene() {
    static Scene scene;
    if (!scene.ready) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        GxScreenSettings& settings = GxGraphics::GetSettings();
        settings.windowWidth = settings.backBufferWidth = 1024;
        settings.windowHeight = settings.backBufferHeight = 768;
        settings.vsyncInterval = 0;
        if (!GxGraphics::InitializeHidden())
            std::abort();
        scene.background.CreateTexture(u"bench", 1024, 768, D3DFMT_A8R8G8B8);
        scene.background.Fill(0x80407090u);
        scene.atlas.Setup(24, nullptr);
        for (char16_t c : std::u16string_view(kLine, 20))
            scene.atlas.GetGlyph(c);
        scene.ready = true;
    }
    return scene;
}

void Finish() {
    std::uint32_t pixel = 0;
    glReadPixels(0, 0, 1, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &pixel);
    benchmark::DoNotOptimize(pixel);
}

void BM_EngineFrame(benchmark::State& state) {
    Scene& scene = GetScene();
    for (auto _ : state) {
        GxGraphics::BeginScene();
        GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF000000u);
        ResetDrawStates();
        for (int i = 0; i < kSprites; ++i) {
            DrawSprite(&scene.background, 0, 0, GxFRect{0, 0, 1024, 768}, 0xFFFFFFFFu, 2);
        }
        for (int line = 0; line < kLines; ++line) {
            DrawFontMapText(&scene.atlas, std::u16string_view(kLine, 20), 20,
                            static_cast<float>(40 + line * 30), 1, 1, 0xFFFFFFFFu, 0, 2);
        }
        GxGraphics::EndScene();
        Finish();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The same quads with the least GL a program can issue: one program, one buffer,
// one draw per quad, blending set once.
struct RawPipeline {
    GLuint program = 0, vao = 0, vbo = 0;
    GLint viewport = -1;
};

RawPipeline& Raw() {
    static RawPipeline raw;
    if (raw.program)
        return raw;
    const char* vs = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
uniform vec2 uSize;
out vec2 vTexCoord;
void main() { gl_Position = vec4(aPosition / uSize * 2.0 - 1.0, 0.0, 1.0); vTexCoord = aTexCoord; })";
    const char* fs = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColor;
void main() { fragColor = texture(uTexture, vTexCoord); })";
    const auto compile = [](GLenum kind, const char* source) {
        GLuint shader = glCreateShader(kind);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        return shader;
    };
    raw.program = glCreateProgram();
    glAttachShader(raw.program, compile(GL_VERTEX_SHADER, vs));
    glAttachShader(raw.program, compile(GL_FRAGMENT_SHADER, fs));
    glLinkProgram(raw.program);
    raw.viewport = glGetUniformLocation(raw.program, "uSize");
    glGenVertexArrays(1, &raw.vao);
    glGenBuffers(1, &raw.vbo);
    glBindVertexArray(raw.vao);
    glBindBuffer(GL_ARRAY_BUFFER, raw.vbo);
    glBufferData(GL_ARRAY_BUFFER, 16 * sizeof(float), nullptr, GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<void*>(2 * sizeof(float)));
    return raw;
}

void RawQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1) {
    const float v[16] = {x0, y0, u0, v0, x0, y1, u0, v1, x1, y1, u1, v1, x1, y0, u1, v0};
    glBufferData(GL_ARRAY_BUFFER, sizeof(v), v, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

void BM_RawGLFrame(benchmark::State& state) {
    Scene& scene = GetScene();
    RawPipeline& raw = Raw();
    std::vector<GxFontMapGlyph> glyphs;
    for (char16_t c : std::u16string_view(kLine, 20))
        glyphs.push_back(scene.atlas.GetGlyph(c));
    GxGraphics::SetSwapChain(nullptr, nullptr);  // draws land in the engine's back buffer
    for (auto _ : state) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glUseProgram(raw.program);
        glUniform2f(raw.viewport, 1024, 768);
        glBindVertexArray(raw.vao);
        glBindBuffer(GL_ARRAY_BUFFER, raw.vbo);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, scene.background.GetD3DTexture());
        for (int i = 0; i < kSprites; ++i)
            RawQuad(0, 0, 1024, 768, 0, 0, 1, 0.75f);
        for (int line = 0; line < kLines; ++line) {
            float x = 20;
            const float y = static_cast<float>(40 + line * 30);
            for (const GxFontMapGlyph& g : glyphs) {
                glBindTexture(GL_TEXTURE_2D, g.texture->GetD3DTexture());
                RawQuad(x, y, x + static_cast<float>(g.width), y + static_cast<float>(g.height),
                        g.u0, g.v0, g.u1, g.v1);
                x += static_cast<float>(g.width);
            }
        }
        Finish();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    GxGraphics::ReapplyStates();
}
BENCHMARK(BM_RawGLFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
