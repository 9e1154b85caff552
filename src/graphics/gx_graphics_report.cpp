#include "graphics/gx_graphics_report.h"

#include <epoxy/gl.h>

#include <string>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "platform/gx_gl_context.h"

namespace {

std::u16string GLString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? gx::Utf8ToUtf16(reinterpret_cast<const char*>(text)) : std::u16string();
}

struct DesktopMode {
    int width = 0, height = 0, refreshRate = 0;
};

DesktopMode& Desktop() {
    static DesktopMode mode;
    return mode;
}

// Full screen is a desktop-sized window with the frame scaled into it, so the
// one mode offered is the desktop's own.
void ReportFullScreenModes(const char16_t* heading, const char16_t* found,
                           const char16_t* notFound) {
    const DesktopMode& desktop = Desktop();
    LogDevice(heading);
    if (desktop.width <= 0 || desktop.height <= 0) {
        LogDevice(notFound);
        return;
    }
    LogDevice(u"\t・%u x %u %uHz (%s)\n", desktop.width, desktop.height, desktop.refreshRate,
              GxGraphics::GetFormatName(D3DFMT_X8R8G8B8));
    LogDevice(found);
    LogDevice(u"\t・%u x %u %uHz (%s)\n", desktop.width, desktop.height, desktop.refreshRate,
              GxGraphics::GetFormatName(D3DFMT_X8R8G8B8));
}

// The lines that the requested mode and the start mode share.
void ReportModeHead(const GxScreenSettings& s, int mode) {
    LogDevice(u"\t・画面モード:%s\n", GxGraphics::GetScreenModeName(mode));
    LogDevice(u"\t・VSYNCインターバル回数:%u\n", s.vsyncInterval);
    LogDevice(u"\t・ロック可能なバックバッファ:%u\n", s.lockableBackBuffer);
    LogDevice(u"\t・BackBufferWidth:%u\n", s.backBufferWidth);
    LogDevice(u"\t・BackBufferHeight:%u\n", s.backBufferHeight);
}

}  // namespace

bool GxReportAdapter(GxScreenSettings& settings, GxCapsSummary& caps) {
    (void)caps;
    LogDevice(u"\t・ビデオカード数:%u\n",
              GxGLContext::GetDisplayCount() > 0 ? GxGLContext::GetDisplayCount() : 1);
    settings.videoCardName = GLString(GL_RENDERER);
    settings.driverName = GLString(GL_VENDOR);
    settings.driverVersion = GLString(GL_VERSION);
    if (settings.videoCardName.empty()) {
        LogError(u"GetAdapterIdentifierに失敗。ビデオカード情報が取得できません\n");
        return false;
    }
    LogDevice(u"\t・ビデオカード名:%s\n", settings.videoCardName);
    LogDevice(u"\t・ドライバ名:%s (%s)\n", settings.driverName, settings.driverVersion);
    DesktopMode& desktop = Desktop();
    if (!GxGLContext::GetDesktopMode(desktop.width, desktop.height, desktop.refreshRate)) {
        desktop = DesktopMode{static_cast<int>(settings.backBufferWidth),
                              static_cast<int>(settings.backBufferHeight), 60};
    }
    ReportFullScreenModes(u"フルスクリーンモードで利用可能な画面モード一覧\n",
                          u"\tフルスクリーンモードで利用する画面モードが見つかりました\n",
                          u"\tフルスクリーンモードで利用する画面モードが見つかりませんでした\n");
    ReportFullScreenModes(u"フルスクリーンX2モードで利用可能な画面モード一覧\n",
                          u"\tフルスクリーンX2モードで利用する画面モードが見つかりました\n",
                          u"\tフルスクリーンX2モードで利用する画面モードが見つかりませんでした\n");
    return true;
}

void GxReportCapabilities(GxCapsSummary& caps) {
    GLint maxTexture = 0, maxDraw = 1;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    glGetIntegerv(GL_MAX_DRAW_BUFFERS, &maxDraw);
    if (maxTexture <= 0) {
        LogDevice(u"ビデオデバイス情報が取得できませんでした\n");
        return;
    }
    caps.read = true;
    caps.maxTextureWidth = caps.maxTextureHeight = static_cast<std::uint32_t>(maxTexture);
    caps.maxTextureAspectRatio = caps.maxTextureRepeat = static_cast<std::uint32_t>(maxTexture);
    caps.maxRenderTargets = 1;  // the engine draws into one colour target
    caps.vertexShaderMajor = caps.pixelShaderMajor = 3;
    caps.vertexShaderMinor = caps.pixelShaderMinor = 0;
    caps.pow2Only = 0;
    LogDevice(u"ビデオデバイスの能力情報(概要)\n");
    const struct {
        const char16_t* name;
        int value;
    } flags[] = {
        {u"D3DDEVCAPS_PUREDEVICE", 1},
        {u"D3DDEVCAPS_HWTRANSFORMANDLIGHT", 1},
        {u"D3DDEVCAPS_HWRASTERIZATION", 1},
        {u"D3DPRASTERCAPS_DITHER", 0},
        {u"D3DPRASTERCAPS_DEPTHBIAS", 1},
        {u"D3DPRASTERCAPS_WBUFFER", 0},
        {u"D3DCAPS2_CANAUTOGENMIPMAP", 1},
        {u"D3DPTEXTURECAPS_CUBEMAP", 1},
        {u"D3DPTEXTURECAPS_MIPMAP", 1},
        {u"D3DPTEXTURECAPS_PERSPECTIVE", 1},
        {u"D3DPTEXTURECAPS_POW2", 0},
        {u"D3DPTEXTURECAPS_SQUAREONLY", 0},
        {u"D3DPTEXTURECAPS_NONPOW2CONDITIONAL", 0},
        {u"D3DCAPS2_DYNAMICTEXTURES", 1},
    };
    for (const auto& flag : flags)
        LogDevice(u"\t・%s:%d\n", flag.name, flag.value);
    LogDevice(u"\t・MaxTextureWidth:%u\n", caps.maxTextureWidth);
    LogDevice(u"\t・MaxTextureHeight:%u\n", caps.maxTextureHeight);
    LogDevice(u"\t・MaxTextureRepeat:%u\n", caps.maxTextureRepeat);
    LogDevice(u"\t・MaxTextureAspectRatio:%u\n", caps.maxTextureAspectRatio);
    LogDevice(u"\t・MaxRenderTarget:%u\n", caps.maxRenderTargets);
    LogDevice(u"\t・MaxTextureBlendStages:%u\n", caps.maxTextureBlendStages);
    LogDevice(u"\t・MaxSimultaneousTextures:%u\n", caps.maxSimultaneousTextures);
    LogDevice(u"\t・VertexShaderVersion:%u.%u\n", caps.vertexShaderMajor, caps.vertexShaderMinor);
    LogDevice(u"\t・PixelShaderVersion:%u.%u\n", caps.pixelShaderMajor, caps.pixelShaderMinor);
    LogDevice(u"\t・MaxVertexShaderConst:%u\n", caps.maxVertexShaderConst);
    LogDevice(u"有効なテクスチャオペレーション\n");
    const char16_t* const operations[] = {
        u"TEXOP_ADD",        u"TEXOP_DISABLE",    u"TEXOP_MODULATE",   u"TEXOP_MODULATE2X",
        u"TEXOP_MODULATE4X", u"TEXOP_SELECTARG1", u"TEXOP_SELECTARG2",
    };
    for (const char16_t* name : operations)
        LogDevice(u"\t・%s:%u\n", name, 1u);
}

void GxReportFormats(GxFormat texture, GxFormat renderTarget, GxFormat depthStencil) {
    LogDevice(u"使用するリソースのフォーマットを検索します\n");
    LogDevice(u"\t・TextureFormat:%s\n", GxGraphics::GetFormatName(texture));
    LogDevice(u"\t・RenderTargetFormat:%s\n", GxGraphics::GetFormatName(renderTarget));
    LogDevice(u"\t・DepthStencilFormat:%s\n", GxGraphics::GetFormatName(depthStencil));
}

void GxReportMultisample() {
    LogDevice(u"有効なアンチエイリアス処理(深度バッファあり)\n");
    LogDevice(u"\t・SAMPLES\tFUL\tWIN\n");
    LogDevice(u"\t・NONE   \t%u\t%u\n", 1u, 1u);
    LogDevice(u"\t・NONMASK\t%u\t%u\n", 0u, 0u);
    for (unsigned type = 2; type <= 16; ++type) {
        LogDevice(u"\t・%02u x %02u\t%u\t%u\n", type, type, 0u, 0u);
    }
}

void GxReportRequestedMode(const GxScreenSettings& s) {
    LogDevice(u"要求された画面モード\n");
    ReportModeHead(s, s.requestedScreenMode);
    LogDevice(u"\t・RefreshRate:%u\n", s.refreshRate);
    LogDevice(u"\t・TextureBits:%u\n", s.textureBits);
    LogDevice(u"\t・BackBufferBits:%u\n", s.backBufferBits);
    LogDevice(u"\t・DepthStencilBits:%u\n", s.depthStencilBits);
    LogDevice(u"\t・MultiSampleMode:%u\n", s.multiSampleMode);
}

void GxReportStartMode(const GxScreenSettings& s, GxFormat texture, GxFormat renderTarget,
                       GxFormat depthStencil) {
    const DesktopMode& desktop = Desktop();
    LogDevice(u"起動前画面モード\n");
    LogDevice(u"\t・BackBufferWidth:%u\n", desktop.width);
    LogDevice(u"\t・BackBufferHeight:%u\n", desktop.height);
    LogDevice(u"\t・RefreshRate:%u\n", desktop.refreshRate);
    LogDevice(u"\t・BackBufferFormat:%s\n", GxGraphics::GetFormatName(D3DFMT_X8R8G8B8));
    LogDevice(u"起動画面モード\n");
    ReportModeHead(s, s.screenMode);
    const bool fullScreen =
        s.screenMode == SCRMODE_FULLSCREEN || s.screenMode == SCRMODE_FULLSCREENX2;
    LogDevice(u"\t・RefreshRate:%u\n", fullScreen ? desktop.refreshRate : 0);
    LogDevice(u"\t・TextureFormat:%s\n", GxGraphics::GetFormatName(texture));
    LogDevice(u"\t・BackBufferFormat:%s\n", GxGraphics::GetFormatName(D3DFMT_X8R8G8B8));
    LogDevice(u"\t・RenderTargetFormat:%s\n", GxGraphics::GetFormatName(renderTarget));
    LogDevice(u"\t・DepthStencilFormat:%s\n", GxGraphics::GetFormatName(depthStencil));
    LogDevice(u"\t・MultiSampleMode:%u\n", s.multiSampleMode);
    LogDevice(u"\t・ウインドウモードで起動が可能です\n");
}

std::uint32_t GxQueryVideoMemoryMiB() {
    // GL reports free memory only through vendor extensions.
    if (epoxy_has_gl_extension("GL_NVX_gpu_memory_info")) {
        GLint kib = 0;
        glGetIntegerv(0x9049, &kib);  // GPU_MEMORY_INFO_CURRENT_AVAILABLE_VIDMEM_NVX
        return static_cast<std::uint32_t>(kib) >> 10;
    }
    if (epoxy_has_gl_extension("GL_ATI_meminfo")) {
        GLint info[4] = {};
        glGetIntegerv(0x87FC, info);  // TEXTURE_FREE_MEMORY_ATI
        return static_cast<std::uint32_t>(info[0]) >> 10;
    }
    return 0;
}
