#include "core/gx_core.h"

#include <cstdlib>
#include <ctime>

#include "base/gx_format.h"
#include "base/gx_log.h"
#include "base/gx_path.h"
#include "core/gx_mouse_scale.h"
#include "core/gx_system_config.h"
#include "file/gx_file.h"
#include "platform/gx_clock.h"
#include "platform/gx_folders.h"
#include "platform/gx_message_box.h"
#include "platform/gx_window.h"

namespace {

GxCore* g_Core = nullptr;

constexpr GxS32 kDefaultFrameRate = 60;
constexpr GxS32 kScreenModeFull = 2;

GxU32 RandomSeed() {
    return static_cast<GxU32>(static_cast<GxU64>(std::time(nullptr)) + gx::TimeGetTime());
}

}  // namespace

namespace gx {

GxCore* GetCore() {
    return g_Core;
}
void SetCore(GxCore* core) {
    g_Core = core;
}

}  // namespace gx

GxCore::GxCore(std::unique_ptr<GxCoreServices> services)
    : m_Services(services ? std::move(services) : std::make_unique<GxCoreServices>()) {}

GxCore::~GxCore() {
    if (m_WindowCreated)
        gx::DestroyMainWindow();
    if (gx::GetCore() == this)
        gx::SetCore(nullptr);
}

bool GxCore::Startup() {
    m_SystemConfig = std::make_unique<GxSystemConfig>();
    m_SystemConfig->LoadSystemConfig();
    m_SystemConfig->LoadDeveloperSettings();
    const std::u16string& title = m_SystemConfig->GetAppTitle();

    if (!m_InstanceLock.Acquire(title)) {
        ShowMessage(title, u"既に起動中です");
        return false;
    }
    if (gx::GetInstallFolder().size() > kMaxInstallPathLength) {
        ShowMessage(title,
                    u"インストール先のパスが長すぎます。\nお手数ですがもっと階層の浅いフォルダにイ"
                    u"ンストールしてみてください。\n("
                    u"インストール可能なパス最大長は%d文字です)",
                    static_cast<int>(kMaxInstallPathLength + 1));
        return false;
    }

    m_Services->CreateUserConfig();
    m_WindowCreated = false;
    m_Active = false;
    m_Initialized = false;
    m_Quit = false;
    m_WindowTitle = title;

    CreateSaveFolder();
    SetUpLogs();
    m_Services->ResetGraphicsSettings();
    m_FrameTimer.SetTargetRate(kDefaultFrameRate);
    m_FrameTimer.SetUpdateRate(kDefaultFrameRate);

    m_Services->CreateGameData();
    m_RenderBank = 0;

    if (!CreateMainWindow())
        return false;
    if (!m_Services->CreateGraphicsDevice(gx::GetNativeWindow()))
        return false;
    m_Services->ClearBackBuffer(0xFFFF0000, 1.0f, 0);

    m_Services->StartInputDevices();
    m_Services->StartSound();
    m_Services->StartMovie();

    GameStart();
    m_Initialized = true;
    return true;
}

bool GxCore::CreateSaveFolder() {
    const GxSystemConfig& config = *m_SystemConfig;
    bool toDocuments = config.IsSaveToMyDocuments();
    std::u16string base = toDocuments ? gx::GetMyDocumentsFolder() : gx::GetInstallFolder();
    std::u16string folder = gx::JoinPath(base, config.GetAppSaveDir(), u'/');
    bool created = true;
    if (!gx::DirectoryExists(folder)) {
        if (gx::MakeDirectory(folder)) {
            ShowMessage(config.GetAppTitle(),
                        toDocuments ? u"マイドキュメントにセーブフォルダ[%s]を作成しました。"
                                    : u"インストールフォルダにセーブフォルダ[%s]を作成しました。",
                        config.GetAppSaveDir());
        } else {
            ShowMessage(config.GetAppTitle(), u"セーブフォルダの作成に失敗しました。");
            folder.clear();
            created = false;
        }
    }
    m_SaveFolder = gx::EnsureTrailingSeparator(folder, u'/');
    return created;
}

void GxCore::SetUpLogs() {
    gx::ResetErrorCount();
    std::u16string debugLog = m_SaveFolder + u"debug.log";
    std::u16string errorLog = m_SaveFolder + u"error.log";
    std::u16string deviceLog = m_SaveFolder + u"device.log";
    gx::SetLogPaths(errorLog, debugLog, deviceLog);
    gx::RemoveFile(deviceLog);
    if (m_SystemConfig->IsCleanErrorLog()) {
        gx::RemoveFile(debugLog);
        gx::RemoveFile(errorLog);
    }
}

bool GxCore::CreateMainWindow() {
    GxWindowDesc desc;
    desc.title = m_WindowTitle;
    m_Services->GetWindowClientSize(desc.clientWidth, desc.clientHeight);
    desc.fullScreen = m_Services->GetScreenMode() == kScreenModeFull;
    if (!gx::CreateMainWindow(desc))
        return false;
    m_WindowCreated = true;
    return true;
}

void GxCore::GameStart() {
    if (m_SystemConfig->IsSkipSlightError())
        gx::SetSkipSlightErrors(true);
    m_Services->StartDebugConsole();
    if (m_SystemConfig->IsAutoCompile())
        m_Services->CompileScripts();

    m_Services->ClearImageSetPool();
    m_Services->CreateGlobalRenderTextures();
    m_Services->LoadTables();
    m_Services->BuildCgIndex();
    m_Services->CreateFonts();
    m_Services->StartScriptEngine();
    m_Services->LoadUiImageSets();
    m_Services->LoadEffects();
    m_Services->LoadPermanentData(m_SaveFolder + u"permanent.dat");
    m_Services->LoadUserConfig();
    if (m_Services->GetUserScreenMode() == 1 && !m_Services->SwitchScreenMode(kScreenModeFull)) {
        m_Services->SetUserScreenMode(0);
    }

    std::srand(RandomSeed());
    m_Services->SeedScriptRandom(RandomSeed());
    SetFileCacheEnabled(true);
}

void GxCore::MainLoop() {
    while (RunPass()) {
    }
}

bool GxCore::RunPass() {
    GxMessage message;
    while (!m_Quit && gx::PeekMessage()) {
        if (!gx::GetMessage(message)) {
            m_Quit = true;
            break;
        }
        WindowProc(message);
    }
    if (m_PassCount % 4 == 0)
        m_Services->ServiceSound();
    ++m_PassCount;
    m_Services->ServiceMovies();
    RunFrame();
    return !m_Quit;
}

void GxCore::RunFrame() {
    m_FrameTimer.Wait();
    UpdateWindowTitle();

    m_Services->PresentFrame();
    ++m_FramesRun;
    if (m_QuitAfterFrames > 0 && m_FramesRun == m_QuitAfterFrames)
        RequestQuit();
}

void GxCore::UpdateWindowTitle() {
    if (!m_SystemConfig || !m_SystemConfig->IsDebugMode())
        return;
    if (m_Services->GetScreenMode() == kScreenModeFull || !m_FrameTimer.IsRateJustMeasured())
        return;
    gx::SetMainWindowTitle(gx::Format(u"%s FPS %2.2f/%d", m_WindowTitle,
                                      m_FrameTimer.GetMeasuredRate(),
                                      m_FrameTimer.GetTargetRate()));
}

void GxCore::RequestQuit() {
    gx::PostMessage(WM_DESTROY);
}

void GxCore::Shutdown() {
    m_Initialized = false;
    m_Services->SaveUserConfig();
    m_Services->SavePermanentData(m_SaveFolder + u"permanent.dat");
    m_Services->ClearBackBuffer(0, 1.0f, 0);

    m_Services->ReleaseFonts();
    m_Services->ReleaseScriptEngine();
    m_Services->ReleaseImageSetPool();
    m_Services->ReleaseGlobalRenderTextures();
    m_Services->ReleaseEffects();

    m_Services->DestroySaveData();
    m_Services->ShutdownResourceRegistries();

    m_Services->ShutdownSound();
    m_Services->ShutdownMovie();
    m_Services->ShutdownInputDevices();
    m_Services->ShutdownGraphicsDevice();
    m_SystemConfig.reset();
    if (m_WindowCreated) {
        gx::DestroyMainWindow();
        m_WindowCreated = false;
    }
    m_InstanceLock.Release();
}

bool GxCore::MessagePoint(std::intptr_t lParam, GxVector2& point) const {
    int width = 0;
    int height = 0;
    gx::GetClientSize(width, height);
    auto bits = static_cast<std::uintptr_t>(lParam);
    return gx::ClientToVirtual(gx::SignedLowWord(bits), gx::SignedHighWord(bits), width, height,
                               point);
}

void GxCore::GetCursorVirtualPosition(int& x, int& y) const {
    int clientX = 0;
    int clientY = 0;
    int width = 0;
    int height = 0;
    gx::GetCursorClientPosition(clientX, clientY);
    gx::GetClientSize(width, height);
    GxVector2 point;
    gx::ClientToVirtual(clientX, clientY, width, height, point);
    x = static_cast<int>(point.x);
    y = static_cast<int>(point.y);
}

void GxCore::ToggleScreenMode() {
    GxS32 mode = m_Services->GetScreenMode();
    if (mode != kScreenModeFull) {
        if (m_Services->SwitchScreenMode(kScreenModeFull)) {
            m_Services->SetUserScreenMode(1);
        }
    } else if (m_Services->SwitchScreenMode(0)) {
        m_Services->SetUserScreenMode(0);
    }
}

void GxCore::OnKeyDownUnhandled(GxU32 virtualKey) {
    switch (virtualKey) {
        case VK_F4:
            ToggleScreenMode();
            break;
        case VK_F5:
        case VK_F6:
        case VK_F7:
            if (m_SystemConfig && m_SystemConfig->IsDebugMode()) {
                m_FrameTimer.SetTargetRate(virtualKey == VK_F5   ? 60
                                           : virtualKey == VK_F6 ? 30
                                                                 : 10);
            }
            break;
        default:
            break;
    }
}

std::intptr_t GxCore::WindowProc(const GxMessage& message) {
    GxVector2 point;
    auto keys = static_cast<GxU32>(message.wParam);
    switch (message.message) {
        case WM_DESTROY:
            gx::PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            m_Services->SetInputActive(message.wParam != 0);
            m_Active = message.wParam != 0;
            break;
        case WM_PAINT:
            return 0;
        case WM_CLOSE:
            gx::PostMessage(WM_DESTROY);
            return 0;
        case WM_SETCURSOR:
            return 1;
        case WM_WINDOWPOSCHANGED:
            m_FrameTimer.Reset();
            break;
        case WM_KEYDOWN:
            OnKeyDownUnhandled(static_cast<GxU32>(message.wParam));
            break;
        case WM_KEYUP:
            break;
        case WM_SYSCOMMAND: {
            GxU32 command = static_cast<GxU32>(message.wParam) & 0xFFF0u;
            if (command == SC_SCREENSAVE || command == SC_MONITORPOWER)
                return 0;
            break;
        }
        case WM_MOUSEMOVE:
            MessagePoint(message.lParam, point);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            gx::SetMouseCapture(true);
            MessagePoint(message.lParam, point);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (gx::HasMouseCapture())
                gx::SetMouseCapture(false);
            break;
        case WM_MOUSEWHEEL:
            (void)keys;
            break;
        default:
            break;
    }
    return 0;
}
