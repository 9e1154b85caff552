// The graphics device as the core sees it: start-up, the frame's clear and
// present, the sequences' capture and fade, and the authors' screenshot.
#include <array>
#include <memory>
#include <vector>

#include "base/gx_log.h"
#include "core/gx_core.h"
#include "core/gx_core_services.h"
#include "core/gx_system_config.h"
#include "graphics/gx_draw.h"
#include "graphics/gx_draw_state.h"
#include "graphics/gx_font_map.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_image.h"
#include "graphics/gx_texture.h"
#include "task/gx_scene_renderer.h"

namespace {

constexpr std::uint32_t kVirtualWidth = 1024;
constexpr std::uint32_t kVirtualHeight = 768;

// Clears, captures and fades through the device for the task framework.
class GxGraphicsSceneRenderer : public GxSceneRenderer {
public:
    void ClearTarget(GxU32 color, GxF32 depth, GxU32 stencil) override {
        GxGraphics::Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, color, depth,
                          stencil);
    }
    void BeginCapture() override {
        if (!EnsureCaptureTexture())
            return;
        m_Capturing = GxGraphics::PushRenderTarget(0, m_Capture.get(), nullptr, nullptr);
    }
    void EndCapture() override {
        if (m_Capturing)
            GxGraphics::PopRenderTarget(0);
        m_Capturing = false;
    }
    void DrawCaptureFade(GxF32 alpha) override {
        if (!m_Capture)
            return;
        GxGraphics::BeginScene();
        ResetDrawStates();
        const GxFRect source{0, 0, static_cast<float>(kVirtualWidth),
                             static_cast<float>(kVirtualHeight)};
        float clamped = alpha < 0 ? 0 : alpha > 1 ? 1 : alpha;
        GxU32 color = (static_cast<GxU32>(clamped * 255.0f + 0.5f) << 24) | 0x00FFFFFFu;
        DrawSprite(m_Capture.get(), 0, 0, source, color, 2);
        GxGraphics::EndScene();
    }
    void Release() { m_Capture.reset(); }

private:
    bool EnsureCaptureTexture() {
        if (m_Capture)
            return true;
        auto texture = std::make_unique<GxTexture>();
        if (!texture->CreateRenderTarget(u"$CAPTURE", kVirtualWidth, kVirtualHeight))
            return false;
        m_Capture = std::move(texture);
        return true;
    }

    std::unique_ptr<GxTexture> m_Capture;
    bool m_Capturing = false;
};

GxGraphicsSceneRenderer& SceneRenderer() {
    static GxGraphicsSceneRenderer renderer;
    return renderer;
}

// The glyph atlases of the six configured font sizes.
std::array<std::unique_ptr<GxGDIFontMap>, 6>& SystemFontMaps() {
    static std::array<std::unique_ptr<GxGDIFontMap>, 6> maps;
    return maps;
}

}  // namespace

GxGDIFontMap* gx::GetSystemFontMap(int index) {
    if (index < 0 || index >= static_cast<int>(SystemFontMaps().size()))
        return nullptr;
    return SystemFontMaps()[static_cast<size_t>(index)].get();
}

void GxCoreServices::CreateFonts() {
    ReleaseFonts();
    GxCore* core = gx::GetCore();
    if (!core || !core->GetSystemConfig() || !GxGraphics::IsInitialized())
        return;
    for (size_t i = 0; i < SystemFontMaps().size(); ++i) {
        auto map = std::make_unique<GxGDIFontMap>();
        map->Setup(core->GetSystemConfig()->GetFontSize(static_cast<int>(i)));
        SystemFontMaps()[i] = std::move(map);
    }
}

void GxCoreServices::ReleaseFonts() {
    for (auto& map : SystemFontMaps())
        map.reset();
}

void GxCoreServices::ResetGraphicsSettings() {
    GxScreenSettings& settings = GxGraphics::GetSettings();
    settings.windowWidth = settings.backBufferWidth = kVirtualWidth;
    settings.windowHeight = settings.backBufferHeight = kVirtualHeight;
    settings.screenMode = settings.requestedScreenMode = SCRMODE_WINDOW;
}

void GxCoreServices::GetWindowClientSize(int& width, int& height) {
    width = static_cast<int>(GxGraphics::GetSettings().windowWidth);
    height = static_cast<int>(GxGraphics::GetSettings().windowHeight);
}

bool GxCoreServices::CreateGraphicsDevice(void* nativeWindow) {
    return GxGraphics::Initialize(nativeWindow, nullptr, nullptr, nullptr);
}

void GxCoreServices::ClearBackBuffer(GxU32 color, float depth, GxU32 stencil) {
    if (GxGraphics::IsInitialized())
        GxGraphics::Clear(D3DCLEAR_TARGET, color, depth, stencil);
}

GxS32 GxCoreServices::GetScreenMode() {
    return GxGraphics::GetSettings().screenMode;
}

bool GxCoreServices::SwitchScreenMode(GxS32 mode) {
    return GxGraphics::IsInitialized() && GxGraphics::ChangeScreenMode(mode);
}

void GxCoreServices::PresentFrame() {
    if (GxGraphics::IsInitialized())
        GxGraphics::Present();
}

GxSceneRenderer* GxCoreServices::GetSceneRenderer() {
    return GxGraphics::IsInitialized() ? &SceneRenderer() : nullptr;
}

void GxCoreServices::FinishFrames() {
    if (m_ScreenshotPath.empty() || !GxGraphics::IsInitialized())
        return;
    std::vector<std::uint32_t> pixels;
    if (!GxGraphics::ReadBackBuffer(pixels) || pixels.size() != kVirtualWidth * kVirtualHeight) {
        LogError(u"Error/GxCoreServices/Screenshot: the frame could not be read (%s)\n",
                 m_ScreenshotPath);
        return;
    }
    // 0xAARRGGBB values are blue, green, red, alpha bytes in memory order.
    std::vector<std::uint8_t> bytes(pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        bytes[4 * i] = static_cast<std::uint8_t>(pixels[i]);
        bytes[4 * i + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
        bytes[4 * i + 2] = static_cast<std::uint8_t>(pixels[i] >> 16);
        bytes[4 * i + 3] = 0xFF;  // the screen is opaque
    }
    SaveImageAsPng(m_ScreenshotPath, kVirtualWidth, kVirtualHeight, bytes.data());
}

void GxCoreServices::ShutdownGraphicsDevice() {
    SceneRenderer().Release();
    GxGraphics::Shutdown();
}
