#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/gx_graphics_types.h"

class GxTexture;
class GxSurfaceBase;
class GxSwapChain;
class GxGLContext;

enum GxScreenMode : int {
    SCRMODE_WINDOW = 0,
    SCRMODE_WINDOWSIZE = 1,
    SCRMODE_FULLSCREEN = 2,
    SCRMODE_FULLSCREENX2 = 3,
};

// Filled by the application before initialisation.
struct GxScreenSettings {
    std::uint32_t windowWidth = 640, windowHeight = 480;
    std::uint32_t backBufferWidth = 640, backBufferHeight = 480;
    int screenMode = SCRMODE_WINDOW;
    int requestedScreenMode = SCRMODE_WINDOW;
    std::uint32_t vsyncInterval = 1;
    std::uint32_t lockableBackBuffer = 1;
    std::uint32_t textureBits = 32;
    std::uint32_t backBufferBits = 32;
    std::uint32_t depthStencilBits = 24;
    std::uint32_t refreshRate = 60;
    std::uint32_t multiSampleMode = 0;
    std::uint32_t swapEffect = 1;
    std::uint8_t textureFlag = 0;
    std::u16string videoCardName, driverName, driverVersion;
};

// Told before and after every device reset (new mode, old mode).
class GxDeviceLostListenerBase {
public:
    virtual ~GxDeviceLostListenerBase() = default;
    virtual void OnBeforeReset(int newMode, int oldMode) = 0;
    virtual void OnAfterReset(int newMode, int oldMode) = 0;
};
using GxResetCallback = void (*)(int newMode, int oldMode);

// What the other graphics parts read about the device.
struct GxCapsSummary {
    double maxVertexW = 1e10;
    std::uint32_t maxTextureWidth = 4096, maxTextureHeight = 4096;
    double guardBandLeft = -1e8, guardBandTop = -1e8, guardBandRight = 1e8, guardBandBottom = 1e8;
    std::uint32_t maxTextureRepeat = 8192, maxTextureAspectRatio = 8192;
    std::uint32_t maxTextureBlendStages = 8;
    double maxPointSize = 8192;
    std::uint32_t maxSimultaneousTextures = 8, maxActiveLights = 8;
    std::uint32_t pow2Only = 1, squareOnly = 0;
    std::uint32_t maxVertexIndex = 16777215, maxStreams = 16, maxStreamStride = 255;
    std::uint32_t maxRenderTargets = 1;
    std::uint32_t vertexShaderMajor = 1, vertexShaderMinor = 0;
    std::uint32_t pixelShaderMajor = 1, pixelShaderMinor = 0;
    std::uint32_t maxVertexShaderConst = 256;
    bool read = false;
};

struct GxRenderTargetEntry {
    GxTexture* target = nullptr;
    GxSurfaceBase* depth = nullptr;
    GxRect rect;  // all zero: the whole target
};

struct GxViewport {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0, maxZ = 1;
};

namespace gx {
// The largest copy of a back buffer that fits a window, centred (bars fill the rest).
GxRect FitLetterbox(int windowWidth, int windowHeight, int backWidth, int backHeight);
}  // namespace gx

// The one graphics device of the process: an OpenGL 3.3 core context whose
// frame is an off-screen back buffer, presented scaled and letterboxed into the
// window. Main thread only.
class GxGraphics {
public:
    static constexpr int kRenderStateCount = 210;
    static constexpr int kStageCount = 8;
    static constexpr int kStageStateCount = 33;
    static constexpr int kSamplerStateCount = 14;

    static GxScreenSettings& GetSettings();

    // `window` is the application's SDL window (opaque). The application passes
    // no listener and the same callback twice.
    static bool Initialize(void* window, GxDeviceLostListenerBase* listener,
                           GxResetCallback beforeReset, GxResetCallback afterReset);
    // Tests and tools: the same device on a hidden window of its own.
    static bool InitializeHidden(GxDeviceLostListenerBase* listener = nullptr,
                                 GxResetCallback beforeReset = nullptr,
                                 GxResetCallback afterReset = nullptr);
    static void Shutdown();
    static bool IsInitialized();

    static bool Reset(bool force, int newMode, int oldMode);
    static bool ChangeScreenMode(int mode);
    // Source and destination rectangles may be null (whole back buffer, letterboxed window).
    static bool Present(const GxRect* source = nullptr, const GxRect* dest = nullptr,
                        void* window = nullptr);
    static bool BeginScene();
    static bool EndScene();
    static int GetSceneCount();
    static bool Clear(std::uint32_t flags, std::uint32_t color, float depth = 1.0f,
                      std::uint32_t stencil = 0, const std::vector<GxRect>* rects = nullptr);

    static bool SetRenderState(std::uint32_t state, std::uint32_t value);
    static bool SetTextureStageState(std::uint32_t stage, std::uint32_t type, std::uint32_t value);
    static bool SetSamplerState(std::uint32_t sampler, std::uint32_t type, std::uint32_t value);
    static std::uint32_t GetRenderState(std::uint32_t state);
    static std::uint32_t GetTextureStageState(std::uint32_t stage, std::uint32_t type);
    static std::uint32_t GetSamplerState(std::uint32_t sampler, std::uint32_t type);
    static void ReapplyStates();

    static bool SetRenderTarget(int slot, const GxRenderTargetEntry* entry);
    static bool SetDepthStencil(const GxRenderTargetEntry* entry);
    static bool PushRenderTarget(int slot, GxTexture* target, GxSurfaceBase* depth,
                                 const GxRect* rect);
    static bool PopRenderTarget(int slot);
    static void RestoreRenderTargets();
    static size_t GetRenderTargetDepth(int slot);
    static bool SetSwapChain(GxSwapChain* swapChain, const GxRect* rect);
    static GxSwapChain* GetSwapChain();

    static void SetViewport(const GxRect* rect);
    static const GxViewport& GetViewport();
    static void UseSoftwareVertexProcessingFor(std::uint32_t major, std::uint32_t minor);
    static bool IsSoftwareVertexProcessing();

    static GxFormat GetTextureFormat();
    static GxFormat GetRenderTargetFormat();
    static GxFormat GetDepthStencilFormat();
    static const char16_t* GetFormatName(std::uint32_t format);
    static const char16_t* GetErrorText(GxResult result);
    static const char16_t* GetScreenModeName(int mode);
    static const GxCapsSummary& GetCaps();

    // The frame as 0xAARRGGBB values, row by row from the top (1024 × 768 for the game).
    static bool ReadBackBuffer(std::vector<std::uint32_t>& pixels);
    static std::uint32_t GetBackBufferWidth();
    static std::uint32_t GetBackBufferHeight();
    // Where the frame lands in the window (letterboxed); for mouse scaling.
    static GxRect GetPresentRect();

    // Called when a present meets a driver error: the application quits in
    // order (with an error) instead of the device ending the process.
    static void SetFatalErrorHandler(std::function<void()> handler);
    static bool HasFatalError();
    // Tests: make the next present behave as a driver-internal error.
    static void SimulateDriverErrorOnNextPresent();
    // Tests: make the next device reset fail.
    static void SimulateResetFailureOnNextReset();
    static GxGLContext* GetGLContext();
};
