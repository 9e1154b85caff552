#include "core/gx_core.h"

#include <cstdlib>
#include <ctime>

#include "base/gx_format.h"
#include "base/gx_log.h"
#include "base/gx_path.h"
#include "core/gx_mouse_scale.h"
#include "core/gx_system_config.h"
#include "core/gx_thread_manage.h"
#include "file/gx_file.h"
#include "platform/gx_clock.h"
#include "platform/gx_folders.h"
#include "platform/gx_message_box.h"
#include "platform/gx_window.h"
#include "task/gx_seq_base.h"
#include "task/gx_task_manage.h"

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

    m_TaskManage = std::make_unique<GxTaskManage>();
    m_TaskManage->SetBackgroundColor(m_SystemConfig->GetBackgroundColor());
    m_TaskManage->SetTransitionTime(m_SystemConfig->GetSequenceTransitionTime());
    m_ThreadManage = std::make_unique<GxThreadManage>();
    m_Services->CreateGameData();

    if (!CreateMainWindow())
        return false;
    if (!m_Services->CreateGraphicsDevice(gx::GetNativeWindow()))
        return false;
    m_TaskManage->SetSceneRenderer(m_Services->GetSceneRenderer());
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

    BuildTaskTree();

    std::srand(RandomSeed());
    m_Services->SeedScriptRandom(RandomSeed());
    SetFileCacheEnabled(true);
}

void GxCore::BuildTaskTree() {
    // The root task is owned by the task manager from here on.
    auto* root = new GxTaskBase(m_TaskManage.get());
    m_TaskManage->SetSystemSequence(m_Services->CreateSequences(root));
    GxTaskBase* boot = m_TaskManage->FindTask(u"SeqBoot");
    if (!boot) {
        LogError(u"遷移先のシーケンスが見つかりません(%s)\n", u"SeqBoot");
        return;
    }
    m_TaskManage->ChangeSequence(boot, 0);
}

void GxCore::MainLoop() {
    while (RunPass()) {
    }
}

bool GxCore::RunPass() {
    if (m_TaskManage)
        m_TaskManage->ApplySequenceChange();
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
    if (m_TaskManage) {
        RunUpdateSteps();
        m_TaskManage->RenderLists(m_TaskManage->GetRenderBank());
    }
    m_Services->PresentFrame();
    ++m_FramesRun;
    if (m_QuitAfterFrames > 0 && m_FramesRun == m_QuitAfterFrames)
        RequestQuit();
}

void GxCore::RunUpdateSteps() {
    GxTaskManage& tasks = *m_TaskManage;
    const int bank = tasks.GetRenderBank();
    for (GxS32 step = 0; step < m_FrameTimer.GetSteps(); ++step) {
        tasks.ClearRenderLists(bank);
        tasks.Sweep(tasks.GetRootTask());
        if (m_ThreadManage)
            m_ThreadManage->Drain();
        // Only the first step of a frame carries the frame's time.
        GxS64 elapsed = step == 0 ? m_FrameTimer.GetElapsed() : 0;
        GxTaskBase* current = tasks.GetCurrentSequence();
        GxTaskBase* system = tasks.GetSystemSequence();
        if (current) {
            if (!tasks.IsMainStarted())
                tasks.PreparePass(current, step, elapsed);
            tasks.UpdatePass(current, step, elapsed);
        }
        if (system)
            tasks.UpdatePass(system, step, elapsed);
        if (current)
            tasks.RenderRequestPass(current, step, elapsed);
        if (system)
            tasks.RenderRequestPass(system, step, elapsed);
        if (tasks.IsChangePending())
            break;
    }
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
    if (m_ThreadManage)
        m_ThreadManage->StopAndDrain();
    if (m_TaskManage)
        m_TaskManage->EndSequence();
    m_Services->SaveUserConfig();
    m_Services->SavePermanentData(m_SaveFolder + u"permanent.dat");
    m_ThreadManage.reset();
    m_Services->ClearBackBuffer(0, 1.0f, 0);
    m_TaskManage.reset();

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
            if (m_TaskManage)
                m_TaskManage->OnScreenModeChanged(0, kScreenModeFull);
        }
    } else if (m_Services->SwitchScreenMode(0)) {
        m_Services->SetUserScreenMode(0);
        if (m_TaskManage)
            m_TaskManage->OnScreenModeChanged(kScreenModeFull, 0);
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
    GxTaskManage* tasks = m_TaskManage.get();
    switch (message.message) {
        case WM_DESTROY:
            gx::PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            m_Services->SetInputActive(message.wParam != 0);
            m_Active = message.wParam != 0;
            if (tasks)
                m_Active ? tasks->OnActivate() : tasks->OnDeactivate();
            break;
        case WM_PAINT:
            return 0;
        case WM_CLOSE:
            if (!tasks || tasks->OnClose() == 0)
                gx::PostMessage(WM_DESTROY);
            return 0;
        case WM_SETCURSOR:
            return 1;
        case WM_WINDOWPOSCHANGED:
            m_FrameTimer.Reset();
            break;
        case WM_KEYDOWN: {
            auto virtualKey = static_cast<GxU32>(message.wParam);
            if (!tasks || tasks->OnKeyDown(virtualKey, static_cast<GxU32>(message.lParam)) == 0) {
                OnKeyDownUnhandled(virtualKey);
            }
            break;
        }
        case WM_KEYUP:
            if (tasks)
                tasks->OnKeyUp(static_cast<GxU32>(message.wParam),
                               static_cast<GxU32>(message.lParam));
            break;
        case WM_SYSCOMMAND: {
            GxU32 command = static_cast<GxU32>(message.wParam) & 0xFFF0u;
            if (command == SC_SCREENSAVE || command == SC_MONITORPOWER)
                return 0;
            break;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
            DispatchMouse(message);
            break;
        default:
            break;
    }
    return 0;
}

void GxCore::DispatchMouse(const GxMessage& message) {
    const GxU32 id = message.message;
    if (id == WM_LBUTTONDOWN || id == WM_RBUTTONDOWN || id == WM_MBUTTONDOWN)
        gx::SetMouseCapture(true);
    const bool isUp = id == WM_LBUTTONUP || id == WM_RBUTTONUP || id == WM_MBUTTONUP;
    // A release counts only while the window holds the capture, and ends it.
    if (isUp && !gx::HasMouseCapture())
        return;
    if (isUp)
        gx::SetMouseCapture(false);

    GxTaskManage* tasks = m_TaskManage.get();
    GxVector2 point;
    if (id == WM_MOUSEWHEEL) {
        int width = 0;
        int height = 0;
        gx::GetClientSize(width, height);
        if (width <= 0 || height <= 0 || !tasks)
            return;
        int x = 0;
        int y = 0;
        GetCursorVirtualPosition(x, y);
        point = GxVector2{static_cast<float>(x), static_cast<float>(y)};
        tasks->OnMouseWheel(point, gx::SignedHighWord(message.wParam), gx::LowWord(message.wParam));
        return;
    }
    // Without a client area (minimised) there is no position to report.
    if (!MessagePoint(message.lParam, point) || !tasks)
        return;
    const auto keys = static_cast<GxU32>(message.wParam);
    switch (id) {
        case WM_MOUSEMOVE:
            tasks->OnMouseMove(point, keys);
            break;
        case WM_LBUTTONDOWN:
            tasks->DeliverLButtonDown(point, keys, false);
            break;
        case WM_LBUTTONDBLCLK:
            tasks->DeliverLButtonDown(point, keys, true);
            break;
        case WM_LBUTTONUP:
            tasks->OnLButtonUp(point, keys);
            break;
        case WM_RBUTTONDOWN:
            tasks->DeliverRButtonDown(point, keys, false);
            break;
        case WM_RBUTTONDBLCLK:
            tasks->DeliverRButtonDown(point, keys, true);
            break;
        case WM_RBUTTONUP:
            tasks->OnRButtonUp(point, keys);
            break;
        case WM_MBUTTONDOWN:
            tasks->DeliverMButtonDown(point, keys, false);
            break;
        case WM_MBUTTONDBLCLK:
            tasks->DeliverMButtonDown(point, keys, true);
            break;
        case WM_MBUTTONUP:
            tasks->OnMButtonUp(point, keys);
            break;
        default:
            break;
    }
}
