#include "graphics/gx_graphics.h"

#include <algorithm>
#include <array>

#include "base/gx_log.h"
#include "graphics/gx_draw_state.h"
#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics_report.h"
#include "graphics/gx_resource.h"
#include "graphics/gx_swap_chain.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_factory.h"
#include "platform/gx_gl_context.h"

namespace {

template <size_t N>
struct StateCache {
    std::array<std::uint32_t, N> values{};
    std::array<bool, N> set{};
};

struct DeviceState {
    GxScreenSettings settings;
    std::unique_ptr<GxGLContext> context;
    GxGLDevice device;
    bool initialized = false;
    GxDeviceLostListenerBase* listener = nullptr;
    GxResetCallback beforeReset = nullptr;
    GxResetCallback afterReset = nullptr;
    GxCapsSummary caps;
    GxFormat textureFormat = D3DFMT_A8R8G8B8;
    GxFormat renderTargetFormat = D3DFMT_A8R8G8B8;
    GxFormat depthStencilFormat = D3DFMT_D24S8;
    int sceneCount = 0;
    StateCache<GxGraphics::kRenderStateCount> renderStates;
    std::array<StateCache<GxGraphics::kStageStateCount>, GxGraphics::kStageCount> stageStates;
    std::array<StateCache<GxGraphics::kSamplerStateCount>, GxGraphics::kStageCount> samplerStates;
    std::vector<std::vector<GxRenderTargetEntry>> targetStacks;
    std::unique_ptr<GxSwapChain> defaultSwapChain;
    GxSwapChain* swapChain = nullptr;
    GxViewport viewport;
    bool softwareVertexProcessing = false;
    std::function<void()> fatalErrorHandler;
    bool fatalError = false;
    bool simulateDriverError = false;
    bool simulateResetFailure = false;
};

DeviceState& State() {
    static DeviceState state;
    return state;
}

bool HasDevice() {
    return State().initialized;
}

// Sets every cached value to the classic device defaults without touching GL
// (the draw-state initialisation then writes through the caches).
void ClearCaches() {
    DeviceState& s = State();
    s.renderStates = {};
    for (auto& stage : s.stageStates)
        stage = {};
    for (auto& sampler : s.samplerStates)
        sampler = {};
    auto& rs = s.renderStates.values;
    rs[D3DRS_ZENABLE] = 1;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_ZWRITEENABLE] = 1;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_LIGHTING] = 1;
    rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ZERO;
    rs[D3DRS_BLENDOPALPHA] = D3DBLENDOP_ADD;
    for (int stage = 0; stage < GxGraphics::kStageCount; ++stage) {
        auto& ts = s.stageStates[stage].values;
        ts[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ts[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        ts[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ts[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        auto& ss = s.samplerStates[stage].values;
        ss[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        ss[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
    }
}

GxRect WholeBackBuffer() {
    const DeviceState& s = State();
    return GxRect{0, 0, static_cast<std::int32_t>(s.device.GetBackWidth()),
                  static_cast<std::int32_t>(s.device.GetBackHeight())};
}

bool BindDefaultBackBuffer() {
    DeviceState& s = State();
    if (!s.swapChain || !s.swapChain->BindBackBuffer())
        return false;
    GxRect rect = s.swapChain->GetRect();
    GxGraphics::SetViewport(&rect);
    return true;
}

void ApplyWindowStyle(int mode) {
    DeviceState& s = State();
    if (!s.context)
        return;
    const bool fullScreen = mode == SCRMODE_FULLSCREEN || mode == SCRMODE_FULLSCREENX2;
    int width = static_cast<int>(s.settings.windowWidth);
    int height = static_cast<int>(s.settings.windowHeight);
    if (mode == SCRMODE_WINDOWSIZE) {
        int rate = 0;
        GxGLContext::GetDesktopMode(width, height, rate);
    }
    s.context->SetWindowStyle(fullScreen, width, height);
}

bool InitializeOnContext(std::unique_ptr<GxGLContext> context) {
    DeviceState& s = State();
    s.context = std::move(context);
    s.context->MakeCurrent();
    if (!GxReportAdapter(s.settings, s.caps)) {
        LogError(u"D3D9 GetAdapterInfo Failed\n");
        s.context.reset();
        return false;
    }
    GxReportCapabilities(s.caps);
    s.textureFormat = s.settings.textureBits == 16 ? D3DFMT_A4R4G4B4 : D3DFMT_A8R8G8B8;
    s.renderTargetFormat = D3DFMT_A8R8G8B8;
    s.depthStencilFormat = s.settings.depthStencilBits == 16 ? D3DFMT_D15S1 : D3DFMT_D24S8;
    GxReportFormats(s.textureFormat, s.renderTargetFormat, s.depthStencilFormat);
    GxReportMultisample();
    if (s.settings.multiSampleMode != 0)
        s.settings.multiSampleMode = 0;  // off-screen frame
    GxReportRequestedMode(s.settings);
    s.settings.screenMode = s.settings.requestedScreenMode;
    GxReportStartMode(s.settings, s.textureFormat, s.renderTargetFormat, s.depthStencilFormat);

    if (!s.device.Create(static_cast<int>(s.settings.backBufferWidth),
                         static_cast<int>(s.settings.backBufferHeight))) {
        LogError(u"D3D9 CreateDevice Failed(Code:0x%x %s)\n", static_cast<std::uint32_t>(E_FAIL),
                 GxGraphics::GetErrorText(E_FAIL));
        s.device.Destroy();
        s.context.reset();
        return false;
    }
    LogDevice(
        u"\t・Direct3Dを D3DDEVTYPE_HAL - D3DCREATE_MIXED_VERTEXPROCESSING で初期化しました\n");
    LogDevice(u"\t・VRAM残量:%uMByte\n", GxQueryVideoMemoryMiB());
    s.initialized = true;
    s.context->SetSwapInterval(static_cast<int>(s.settings.vsyncInterval));
    s.targetStacks.assign(s.caps.maxRenderTargets, {});
    s.defaultSwapChain = std::make_unique<GxSwapChain>();
    s.defaultSwapChain->BindDefaultChain(WholeBackBuffer());
    GxGraphics::SetSwapChain(nullptr, nullptr);
    InitializeDrawStates();
    return true;
}

void ResetState(void* windowForLog) {
    DeviceState& s = State();
    s.initialized = false;
    s.caps = GxCapsSummary();
    ClearCaches();
    s.sceneCount = 0;
    s.fatalError = false;
    s.targetStacks.clear();
    (void)windowForLog;
    LogDevice(u"Direct3D9の初期化を開始します\n");
}

}  // namespace

GxScreenSettings& GxGraphics::GetSettings() {
    return State().settings;
}

bool GxGraphics::Initialize(void* window, GxDeviceLostListenerBase* listener,
                            GxResetCallback beforeReset, GxResetCallback afterReset) {
    DeviceState& s = State();
    s.listener = listener;
    s.beforeReset = beforeReset;
    s.afterReset = afterReset;
    ResetState(window);
    if (!window) {
        LogError(u"Direct3DCreate9 Failed m_hWnd is NULL\n");
        return false;
    }
    std::unique_ptr<GxGLContext> context = GxGLContext::CreateForWindow(window);
    if (!context) {
        LogError(u"Direct3DCreate9 Failed\n");
        return false;
    }
    return InitializeOnContext(std::move(context));
}

bool GxGraphics::InitializeHidden(GxDeviceLostListenerBase* listener, GxResetCallback beforeReset,
                                  GxResetCallback afterReset) {
    DeviceState& s = State();
    s.listener = listener;
    s.beforeReset = beforeReset;
    s.afterReset = afterReset;
    ResetState(nullptr);
    std::unique_ptr<GxGLContext> context = GxGLContext::CreateHidden(
        static_cast<int>(s.settings.windowWidth), static_cast<int>(s.settings.windowHeight));
    if (!context) {
        LogError(u"Direct3DCreate9 Failed\n");
        return false;
    }
    return InitializeOnContext(std::move(context));
}

void GxGraphics::Shutdown() {
    DeviceState& s = State();
    if (!s.initialized)
        return;
    s.defaultSwapChain.reset();
    s.swapChain = nullptr;
    if (int count = GxTextureFactory::Instance().GetCount(); count > 0) {
        LogSlightError(u"Warning/GxTextureFactory is not Released(count=%d)\n", count);
    }
    if (int count = GxTextureFlexFactory::Instance().GetCount(); count > 0) {
        LogSlightError(u"Warning/GxTextureFlexFactory is not Released(count=%d)\n", count);
    }
    if (int count = GxShaderFactory::Instance().GetCount(); count > 0) {
        LogSlightError(u"Warning/GxShaderFactory is not Released(count=%d)\n", count);
    }
    GxTextureFactory::Instance().Clear();
    GxTextureFlexFactory::Instance().Clear();
    GxShaderFactory::Instance().Clear();
    GxD3DResourceManage::Instance().NotifyLostDevice();
    s.device.Destroy();
    s.targetStacks.clear();
    s.initialized = false;
    s.context.reset();
}

bool GxGraphics::IsInitialized() {
    return HasDevice();
}

bool GxGraphics::Reset(bool force, int newMode, int oldMode) {
    DeviceState& s = State();
    if (!HasDevice())
        return false;
    if (!force)
        return true;  // a GL context is never lost
    GxD3DResourceManage::Instance().NotifyLostDevice();
    if (s.listener)
        s.listener->OnBeforeReset(newMode, oldMode);
    if (s.beforeReset)
        s.beforeReset(newMode, oldMode);
    bool ok = true;
    if (s.simulateResetFailure) {
        s.simulateResetFailure = false;
        LogError(u"Resetでデバイスの復帰に失敗しました\n");
        ok = false;
    }
    if (ok)
        s.context->SetSwapInterval(static_cast<int>(s.settings.vsyncInterval));
    GxD3DResourceManage::Instance().NotifyResetDevice();
    RestoreRenderTargets();
    s.device.MarkStatesDirty();
    ReapplyStates();
    if (s.listener)
        s.listener->OnAfterReset(newMode, oldMode);
    if (s.afterReset)
        s.afterReset(newMode, oldMode);
    return ok;
}

bool GxGraphics::ChangeScreenMode(int mode) {
    DeviceState& s = State();
    if (!HasDevice() || mode < SCRMODE_WINDOW || mode > SCRMODE_FULLSCREENX2)
        return false;
    const int oldMode = s.settings.screenMode;
    s.settings.screenMode = mode;
    if (!Reset(true, mode, oldMode)) {
        // The old mode stays in use when the new one could not be set up.
        s.settings.screenMode = oldMode;
        return false;
    }
    ApplyWindowStyle(mode);
    return true;
}

GxRect gx::FitLetterbox(int width, int height, int backWidth, int backHeight) {
    if (width <= 0 || height <= 0 || backWidth <= 0 || backHeight <= 0)
        return {};
    int fitWidth = width,
        fitHeight = static_cast<int>(static_cast<long long>(width) * backHeight / backWidth);
    if (fitHeight > height) {
        fitHeight = height;
        fitWidth = static_cast<int>(static_cast<long long>(height) * backWidth / backHeight);
    }
    const int left = (width - fitWidth) / 2, top = (height - fitHeight) / 2;
    return GxRect{left, top, left + fitWidth, top + fitHeight};
}

GxRect GxGraphics::GetPresentRect() {
    DeviceState& s = State();
    int width = 0, height = 0;
    if (s.context)
        s.context->GetDrawableSize(width, height);
    return gx::FitLetterbox(width, height, s.device.GetBackWidth(), s.device.GetBackHeight());
}

bool GxGraphics::Present(const GxRect* source, const GxRect* dest, void* window) {
    DeviceState& s = State();
    (void)window;
    if (!HasDevice())
        return false;
    if (s.sceneCount != 0) {
        LogError(u"BeginScene～EndSceneが完了していないのにPresentが呼ばれました\n");
        return false;
    }
    if (!s.targetStacks.empty() && !s.targetStacks[0].empty()) {
        LogError(u"RenderTarget Stack is't empty\n");
    }
    int width = 0, height = 0;
    s.context->GetDrawableSize(width, height);
    const GxRect from = source ? *source : WholeBackBuffer();
    const GxRect to = dest ? *dest : GetPresentRect();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.device.GetBackFramebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // The frame is stored top row first; the window's origin is bottom-left.
    glBlitFramebuffer(from.left, from.top, from.right, from.bottom, to.left, height - to.top,
                      to.right, height - to.bottom, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    s.context->SwapWindow();
    s.device.BindTargetFramebuffer(s.device.GetCurrentFramebuffer(), s.device.GetTargetWidth(),
                                   s.device.GetTargetHeight());
    GLenum error = glGetError();
    if (s.simulateDriverError) {
        s.simulateDriverError = false;
        error = GL_OUT_OF_MEMORY;
    }
    if (error == GL_OUT_OF_MEMORY || error == GL_CONTEXT_LOST) {
        LogError(u"PresentでD3DERR_DRIVERINTERNALERRORが発生しました\n");
        // The application quits in order instead of the device ending the process.
        s.fatalError = true;
        if (s.fatalErrorHandler)
            s.fatalErrorHandler();
        return false;
    }
    return true;
}

bool GxGraphics::BeginScene() {
    if (!HasDevice())
        return false;
    ++State().sceneCount;
    return true;
}

bool GxGraphics::EndScene() {
    DeviceState& s = State();
    if (!HasDevice())
        return false;
    if (s.sceneCount > 0)
        --s.sceneCount;
    if (s.sceneCount == 0)
        glFlush();
    return true;
}

int GxGraphics::GetSceneCount() {
    return State().sceneCount;
}

bool GxGraphics::Clear(std::uint32_t flags, std::uint32_t color, float depth, std::uint32_t stencil,
                       const std::vector<GxRect>* rects) {
    DeviceState& s = State();
    (void)depth;
    (void)stencil;
    if (!HasDevice())
        return false;
    if (!(flags & D3DCLEAR_TARGET))
        return true;
    const GxViewport& vp = s.viewport;
    if (!rects || rects->empty()) {
        s.device.ClearColor(color, vp.x, vp.y, vp.width, vp.height);
        return true;
    }
    for (const GxRect& r : *rects) {
        // Rectangles are clipped to the viewport, as the classic clear does.
        const int left = std::max(r.left, vp.x), top = std::max(r.top, vp.y);
        const int right = std::min(r.right, vp.x + vp.width);
        const int bottom = std::min(r.bottom, vp.y + vp.height);
        if (right > left && bottom > top) {
            s.device.ClearColor(color, left, top, right - left, bottom - top);
        }
    }
    return true;
}

bool GxGraphics::SetRenderState(std::uint32_t state, std::uint32_t value) {
    DeviceState& s = State();
    if (state >= kRenderStateCount)
        return false;
    auto& cache = s.renderStates;
    if (cache.set[state] && cache.values[state] == value)
        return true;
    cache.values[state] = value;
    cache.set[state] = true;
    s.device.MarkStatesDirty();
    return HasDevice();
}

bool GxGraphics::SetTextureStageState(std::uint32_t stage, std::uint32_t type,
                                      std::uint32_t value) {
    DeviceState& s = State();
    if (stage >= kStageCount || type >= kStageStateCount)
        return false;
    auto& cache = s.stageStates[stage];
    if (cache.set[type] && cache.values[type] == value)
        return true;
    cache.values[type] = value;
    cache.set[type] = true;
    if (stage == 0)
        s.device.MarkStatesDirty();
    return HasDevice();
}

bool GxGraphics::SetSamplerState(std::uint32_t sampler, std::uint32_t type, std::uint32_t value) {
    DeviceState& s = State();
    if (sampler >= kStageCount || type >= kSamplerStateCount)
        return false;
    auto& cache = s.samplerStates[sampler];
    if (cache.set[type] && cache.values[type] == value)
        return true;
    cache.values[type] = value;
    cache.set[type] = true;
    if (sampler == 0)
        s.device.MarkStatesDirty();
    return HasDevice();
}

std::uint32_t GxGraphics::GetRenderState(std::uint32_t state) {
    return state < kRenderStateCount ? State().renderStates.values[state] : 0;
}

std::uint32_t GxGraphics::GetTextureStageState(std::uint32_t stage, std::uint32_t type) {
    if (stage >= kStageCount || type >= kStageStateCount)
        return 0;
    return State().stageStates[stage].values[type];
}

std::uint32_t GxGraphics::GetSamplerState(std::uint32_t sampler, std::uint32_t type) {
    if (sampler >= kStageCount || type >= kSamplerStateCount)
        return 0;
    return State().samplerStates[sampler].values[type];
}

void GxGraphics::ReapplyStates() {
    // The GL state is derived from the caches before each draw; bindings are
    // renewed too in case other GL code ran in between.
    State().device.MarkBindingsDirty();
}

bool GxGraphics::SetRenderTarget(int slot, const GxRenderTargetEntry* entry) {
    DeviceState& s = State();
    if (!HasDevice())
        return false;
    if (entry && entry->target) {
        if (slot != 0 || !entry->target->BindAsRenderTarget()) {
            LogError(u"SetRenderTarget/Can't set RenderTarget %d\n", slot);
            return false;
        }
        GxRect rect = entry->rect;
        if (rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0) {
            rect = GxRect{0, 0, static_cast<std::int32_t>(entry->target->GetWidth()),
                          static_cast<std::int32_t>(entry->target->GetHeight())};
        }
        SetViewport(&rect);
        return true;
    }
    if (slot != 0)
        return true;  // only one colour slot exists
    if (!BindDefaultBackBuffer()) {
        LogError(u"GxGraphics::SetRenderTarget/Can't set Default BackBuffer\n");
        return false;
    }
    (void)s;
    return true;
}

bool GxGraphics::SetDepthStencil(const GxRenderTargetEntry* entry) {
    // The 2D frame has no depth buffer; depth-stencil objects are accepted as given.
    (void)entry;
    return HasDevice();
}

bool GxGraphics::PushRenderTarget(int slot, GxTexture* target, GxSurfaceBase* depth,
                                  const GxRect* rect) {
    DeviceState& s = State();
    if (!HasDevice() || slot < 0 || slot >= static_cast<int>(s.targetStacks.size()))
        return false;
    GxRenderTargetEntry entry;
    entry.target = target;
    entry.depth = depth;
    if (rect)
        entry.rect = *rect;
    s.targetStacks[slot].push_back(entry);
    const bool bound = SetRenderTarget(slot, &s.targetStacks[slot].back());
    const bool depthBound = SetDepthStencil(&s.targetStacks[slot].back());
    return bound && depthBound;
}

bool GxGraphics::PopRenderTarget(int slot) {
    DeviceState& s = State();
    if (!HasDevice() || slot < 0 || slot >= static_cast<int>(s.targetStacks.size()))
        return false;
    auto& stack = s.targetStacks[slot];
    if (!stack.empty())
        stack.pop_back();
    const GxRenderTargetEntry* top = stack.empty() ? nullptr : &stack.back();
    const bool bound = SetRenderTarget(slot, top);
    return SetDepthStencil(top) && bound;
}

void GxGraphics::RestoreRenderTargets() {
    DeviceState& s = State();
    for (size_t slot = 0; slot < s.targetStacks.size(); ++slot) {
        const auto& stack = s.targetStacks[slot];
        const GxRenderTargetEntry* top = stack.empty() ? nullptr : &stack.back();
        SetRenderTarget(static_cast<int>(slot), top);
        if (slot == 0)
            SetDepthStencil(top);
    }
}

size_t GxGraphics::GetRenderTargetDepth(int slot) {
    DeviceState& s = State();
    if (slot < 0 || slot >= static_cast<int>(s.targetStacks.size()))
        return 0;
    return s.targetStacks[slot].size();
}

bool GxGraphics::SetSwapChain(GxSwapChain* swapChain, const GxRect* rect) {
    DeviceState& s = State();
    if (!HasDevice())
        return false;
    s.swapChain = swapChain ? swapChain : s.defaultSwapChain.get();
    for (auto& stack : s.targetStacks)
        stack.clear();
    if (!s.swapChain->BindBackBuffer()) {
        LogError(u"SetSwapChain/Can't set BackBuffer\n");
        return false;
    }
    GxRect viewport = rect ? *rect : s.swapChain->GetRect();
    SetViewport(&viewport);
    return true;
}

GxSwapChain* GxGraphics::GetSwapChain() {
    return State().swapChain;
}

void GxGraphics::SetViewport(const GxRect* rect) {
    DeviceState& s = State();
    GxViewport vp;
    if (rect) {
        vp.x = rect->left;
        vp.y = rect->top;
        vp.width = rect->right - rect->left;
        vp.height = rect->bottom - rect->top;
    } else {
        vp.width = static_cast<std::int32_t>(s.device.GetBackWidth());
        vp.height = static_cast<std::int32_t>(s.device.GetBackHeight());
    }
    s.viewport = vp;
    if (HasDevice())
        s.device.SetViewport(vp.x, vp.y, vp.width, vp.height);
}

const GxViewport& GxGraphics::GetViewport() {
    return State().viewport;
}

void GxGraphics::UseSoftwareVertexProcessingFor(std::uint32_t major, std::uint32_t minor) {
    DeviceState& s = State();
    const GxCapsSummary& caps = s.caps;
    s.softwareVertexProcessing =
        caps.read && (caps.vertexShaderMajor < major ||
                      (caps.vertexShaderMajor == major && caps.vertexShaderMinor < minor));
}

bool GxGraphics::IsSoftwareVertexProcessing() {
    return State().softwareVertexProcessing;
}

GxFormat GxGraphics::GetTextureFormat() {
    return State().textureFormat;
}
GxFormat GxGraphics::GetRenderTargetFormat() {
    return State().renderTargetFormat;
}
GxFormat GxGraphics::GetDepthStencilFormat() {
    return State().depthStencilFormat;
}
const GxCapsSummary& GxGraphics::GetCaps() {
    return State().caps;
}

bool GxGraphics::ReadBackBuffer(std::vector<std::uint32_t>& pixels) {
    DeviceState& s = State();
    if (!HasDevice())
        return false;
    const int width = s.device.GetBackWidth(), height = s.device.GetBackHeight();
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.device.GetBackFramebuffer());
    s.device.ReadPixels(0, 0, width, height, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.device.GetCurrentFramebuffer());
    return glGetError() == GL_NO_ERROR;
}

std::uint32_t GxGraphics::GetBackBufferWidth() {
    return static_cast<std::uint32_t>(State().device.GetBackWidth());
}
std::uint32_t GxGraphics::GetBackBufferHeight() {
    return static_cast<std::uint32_t>(State().device.GetBackHeight());
}

void GxGraphics::SetFatalErrorHandler(std::function<void()> handler) {
    State().fatalErrorHandler = std::move(handler);
}
bool GxGraphics::HasFatalError() {
    return State().fatalError;
}
void GxGraphics::SimulateDriverErrorOnNextPresent() {
    State().simulateDriverError = true;
}
void GxGraphics::SimulateResetFailureOnNextReset() {
    State().simulateResetFailure = true;
}
GxGLContext* GxGraphics::GetGLContext() {
    return State().context.get();
}

GxGLDevice* GxGetGLDevice() {
    return HasDevice() ? &State().device : nullptr;
}
