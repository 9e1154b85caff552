#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/gx_types.h"

class GxGDIFontMap;
class GxRillEx;
class GxSceneRenderer;
class GxSeqBase;
class GxTaskBase;

// The subsystems that start-up, the frame and shutdown call into but that live
// in other libraries (graphics, input, sound, movie, scripts, tables, image
// sets, effects, saves, front end, developer tools). Every operation has a
// do-nothing default that stands for its subsystem until that subsystem is
// plugged in by overriding it; the core calls each one at its place in the
// order of start-up, frame and shutdown.
class GxCoreServices {
public:
    GxCoreServices();
    virtual ~GxCoreServices();

    // --- graphics device (window-based OpenGL device) ---
    // Back to 1024 × 768 windowed.
    virtual void ResetGraphicsSettings();
    // Client size of the window to create, from the graphics settings.
    virtual void GetWindowClientSize(int& width, int& height);
    // Creates the device on the main window (`nativeWindow` is the SDL window). False stops
    // start-up.
    virtual bool CreateGraphicsDevice(void* nativeWindow);
    virtual void ClearBackBuffer(GxU32 color, float depth, GxU32 stencil);
    // 0 and 1 are windowed, 2 full screen.
    virtual GxS32 GetScreenMode();
    virtual bool SwitchScreenMode(GxS32 mode);
    virtual void CreateGlobalRenderTextures() {}
    virtual void ReleaseGlobalRenderTextures() {}
    virtual void PresentFrame();
    // What the sequences draw and capture with; null: nothing is drawn.
    virtual GxSceneRenderer* GetSceneRenderer();
    // After the last frame, before shutdown: writes the screenshot when one was asked for.
    virtual void FinishFrames();
    virtual void ShutdownResourceRegistries() {}
    virtual void ShutdownGraphicsDevice();
    // Authors and tests: where FinishFrames writes the last presented frame as PNG.
    void SetScreenshotPath(const std::u16string& path) { m_ScreenshotPath = path; }

    // --- fonts ---
    // The glyph atlases of the six configured sizes (the bitmap fonts come with the screens
    // that draw with them).
    virtual void CreateFonts();
    virtual void ReleaseFonts();

    // --- keyboard and controllers ---
    virtual void StartInputDevices() {}
    virtual void SetInputActive(bool /*active*/) {}
    virtual void ShutdownInputDevices() {}

    // --- sound device ---
    virtual void StartSound();
    virtual void ServiceSound();
    virtual void ShutdownSound();

    // --- movie player ---
    virtual void StartMovie() {}
    virtual void ServiceMovies() {}
    virtual void ShutdownMovie() {}

    // --- developer tools: debug console and script compiler ---
    // Installs the debug console as the log listener.
    virtual void StartDebugConsole() {}
    // Runs the external script compiler (only when AutoCompile is set).
    virtual void CompileScripts();

    // --- script engine ---
    // Creates the script engine and loads bincode/rillcode.rwb.
    virtual void StartScriptEngine();
    virtual void ReleaseScriptEngine();
    GxRillEx* GetScriptEngine() { return m_ScriptEngine.get(); }
    // Seeds the engine's MT19937 generator used by the scripts.
    virtual void SeedScriptRandom(GxU32 /*seed*/) {}

    // --- database tables ---
    // The seven tables under data/, in start-up order.
    virtual void LoadTables();

    // --- extras: CG gallery index ---
    virtual void BuildCgIndex() {}

    // --- image sets and effects ---
    virtual void ClearImageSetPool() {}
    virtual void LoadUiImageSets() {}
    virtual void ReleaseImageSetPool() {}
    virtual void LoadEffects() {}
    virtual void ReleaseEffects() {}

    // --- front-end screens ---
    // Creates every sequence under `root` and returns SeqSystem, the system
    // sequence; by default plain placeholder sequences with the screens' names.
    virtual GxSeqBase* CreateSequences(GxTaskBase* root);

    // --- saves: user configuration, game state, permanent data ---
    virtual void CreateUserConfig() {}
    virtual void CreateGameData() {}
    virtual void LoadPermanentData(std::u16string_view /*path*/) {}
    virtual void LoadUserConfig() {}
    virtual GxS32 GetUserScreenMode() { return 0; }
    virtual void SetUserScreenMode(GxS32 /*mode*/) {}
    virtual void SaveUserConfig() {}
    virtual void SavePermanentData(std::u16string_view /*path*/) {}
    virtual void DestroySaveData() {}

private:
    std::u16string m_ScreenshotPath;
    std::unique_ptr<GxRillEx> m_ScriptEngine;
};

namespace gx {
// The glyph atlas of configured font size `index` (0 to 5); null before start-up made it.
GxGDIFontMap* GetSystemFontMap(int index);
}  // namespace gx
