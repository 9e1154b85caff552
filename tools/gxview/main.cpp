// gxview: draws pictures and text through the engine's device and writes the frame as PNG.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "graphics/gx_draw.h"
#include "graphics/gx_draw_state.h"
#include "graphics/gx_font_map.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_image.h"
#include "graphics/gx_texture.h"
#include "gxview_options.h"

namespace {

// Engine messages go to stderr.
class StderrListener : public GxDebugListenerBase {
public:
    void OnDebugOutput(std::u16string_view text, int) override {
        std::fputs(gx::Utf16ToUtf8(text).c_str(), stderr);
    }
};

const char* const kUsage =
    "usage: gxview [--bg 0xAARRGGBB] [--blend N] [--alpha A] [--at X,Y] [--format NAME] "
    "PICTURE ... [--text STRING --size N [--color 0xAARRGGBB]] --out FILE.png\n";

void DrawItem(const GxViewItem& item, std::vector<std::unique_ptr<GxGDIFontMap>>& atlases,
              std::vector<std::unique_ptr<GxTexture>>& textures, bool& failed) {
    if (item.isText) {
        auto atlas = std::make_unique<GxGDIFontMap>();
        atlas->Setup(item.size, nullptr);
        DrawFontMapText(atlas.get(), item.text, static_cast<float>(item.x),
                        static_cast<float>(item.y), 1, 1, item.color, 0, item.blend);
        atlases.push_back(std::move(atlas));
        return;
    }
    auto texture = std::make_unique<GxTexture>();
    if (!texture->CreateFromFile(gx::Utf8ToUtf16(item.path), item.format, 1, 0, false)) {
        std::fprintf(stderr, "gxview: cannot draw %s\n", item.path.c_str());
        failed = true;
        return;
    }
    const GxFRect source{0, 0, static_cast<float>(texture->GetImageWidth()),
                         static_cast<float>(texture->GetImageHeight())};
    const std::uint32_t color = static_cast<std::uint32_t>(item.alpha) << 24 | 0x00FFFFFFu;
    DrawSprite(texture.get(), static_cast<float>(item.x), static_cast<float>(item.y), source, color,
               item.blend);
    textures.push_back(std::move(texture));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    GxViewOptions options;
    std::string error;
    if (!ParseGxViewOptions(args, options, error)) {
        std::fprintf(stderr, "gxview: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    StderrListener listener;
    gx::SetDebugListener(&listener);
    GxScreenSettings& settings = GxGraphics::GetSettings();
    settings.windowWidth = settings.backBufferWidth = 1024;
    settings.windowHeight = settings.backBufferHeight = 768;
    settings.vsyncInterval = 0;
    if (!GxGraphics::InitializeHidden()) {
        std::fprintf(stderr, "gxview: no graphics device\n");
        return 1;
    }
    bool failed = false;
    {
        std::vector<std::unique_ptr<GxGDIFontMap>> atlases;
        std::vector<std::unique_ptr<GxTexture>> textures;
        GxGraphics::BeginScene();
        GxGraphics::Clear(D3DCLEAR_TARGET, options.background);
        ResetDrawStates();
        for (const GxViewItem& item : options.items)
            DrawItem(item, atlases, textures, failed);
        GxGraphics::EndScene();
        std::vector<std::uint32_t> frame;
        const int width = static_cast<int>(GxGraphics::GetBackBufferWidth());
        const int height = static_cast<int>(GxGraphics::GetBackBufferHeight());
        if (!GxGraphics::ReadBackBuffer(frame) ||
            !SaveImageAsPng(gx::Utf8ToUtf16(options.out), width, height,
                            reinterpret_cast<const std::uint8_t*>(frame.data()))) {
            std::fprintf(stderr, "gxview: cannot write %s\n", options.out.c_str());
            failed = true;
        }
    }
    GxGraphics::Shutdown();
    gx::SetDebugListener(nullptr);
    return failed ? 1 : 0;
}
