#pragma once

#include <memory>
#include <string>

#include "base/gx_types.h"
#include "content/gx_content_types.h"
#include "core/gx_core_services.h"
#include "core/gx_frame_timer.h"
#include "platform/gx_single_instance.h"
#include "platform/gx_window_messages.h"

class GxSystemConfig;
class GxTaskManage;
class GxThreadManage;

// The application object: start-up, the window procedure, the main loop and
// shutdown. One exists per process, reachable through gx::GetCore().
class GxCore {
public:
    // `services` stands for the subsystems of other libraries; null uses the do-nothing defaults.
    explicit GxCore(std::unique_ptr<GxCoreServices> services = nullptr);
    virtual ~GxCore();
    GxCore(const GxCore&) = delete;
    GxCore& operator=(const GxCore&) = delete;

    // Start-up in its fixed order; false skips the main loop (already running,
    // install path too long, window or graphics device failure).
    bool Startup();
    // Runs until WM_QUIT.
    void MainLoop();
    // One pass of the main loop: sequence change, messages, sound and movie
    // service, one frame. False once WM_QUIT has been seen (that pass still ran).
    bool RunPass();
    void Shutdown();

    // The window procedure: one message of the main window.
    std::intptr_t WindowProc(const GxMessage& message);
    // One frame: wait for its slot, run the update steps, draw and present.
    void RunFrame();
    // Asks the main loop to end (posts WM_DESTROY to the main window).
    void RequestQuit();
    // Requests the quit once `frames` frames have run (0 or less: never).
    void SetQuitAfterFrames(GxS64 frames) { m_QuitAfterFrames = frames; }

    bool IsWindowCreated() const { return m_WindowCreated; }
    bool IsActive() const { return m_Active; }
    bool IsInitialized() const { return m_Initialized; }
    bool IsQuit() const { return m_Quit; }
    GxFrameTimer& GetFrameTimer() { return m_FrameTimer; }
    GxSystemConfig* GetSystemConfig() const { return m_SystemConfig.get(); }
    GxTaskManage* GetTaskManage() const { return m_TaskManage.get(); }
    GxThreadManage* GetThreadManage() const { return m_ThreadManage.get(); }
    GxCoreServices& GetServices() { return *m_Services; }
    const std::u16string& GetWindowTitle() const { return m_WindowTitle; }
    // Absolute, '/'-separated, with a trailing '/'; empty when it could not be made.
    const std::u16string& GetSaveFolder() const { return m_SaveFolder; }
    GxS64 GetFramesRun() const { return m_FramesRun; }

    // The current cursor position in the virtual screen, truncated to integers.
    void GetCursorVirtualPosition(int& x, int& y) const;

    static constexpr size_t kMaxInstallPathLength = 244;

private:
    bool CreateSaveFolder();
    void SetUpLogs();
    bool CreateMainWindow();
    void GameStart();
    void BuildTaskTree();
    void RunUpdateSteps();
    void DispatchMouse(const GxMessage& message);
    void ToggleScreenMode();
    void OnKeyDownUnhandled(GxU32 virtualKey);
    void UpdateWindowTitle();
    // The mouse position of a message in the virtual screen; false while the client area is empty.
    bool MessagePoint(std::intptr_t lParam, GxVector2& point) const;

    std::unique_ptr<GxCoreServices> m_Services;
    bool m_WindowCreated = false;
    bool m_Active = false;
    bool m_Initialized = false;
    bool m_Quit = false;
    GxFrameTimer m_FrameTimer;
    std::unique_ptr<GxTaskManage> m_TaskManage;
    std::unique_ptr<GxThreadManage> m_ThreadManage;
    std::unique_ptr<GxSystemConfig> m_SystemConfig;
    std::u16string m_WindowTitle;
    std::u16string m_SaveFolder;

    GxSingleInstanceLock m_InstanceLock;
    GxU64 m_PassCount = 0;
    GxS64 m_FramesRun = 0;
    GxS64 m_QuitAfterFrames = 0;
};

namespace gx {

GxCore* GetCore();
void SetCore(GxCore* core);

}  // namespace gx
