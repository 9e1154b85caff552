#pragma once

#include <string_view>

#include "base/gx_types.h"

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
    virtual ~GxCoreServices() = default;

    // --- graphics device (window-based OpenGL device) ---
    // Back to 1024 × 768 windowed with the arrow cursor.
    virtual void ResetGraphicsSettings() {}
    // Client size of the window to create, from the graphics settings.
    virtual void GetWindowClientSize(int& width, int& height) {
        width = 1024;
        height = 768;
    }
    // Creates the device on the main window (`nativeWindow` is the SDL window). False stops
    // start-up.
    virtual bool CreateGraphicsDevice(void* nativeWindow);
    virtual void ClearBackBuffer(GxU32 /*color*/, float /*depth*/, GxU32 /*stencil*/) {}
    // 0 and 1 are windowed, 2 full screen.
    virtual GxS32 GetScreenMode() { return 0; }
    virtual bool SwitchScreenMode(GxS32 /*mode*/) { return false; }
    virtual void CreateGlobalRenderTextures() {}
    virtual void ReleaseGlobalRenderTextures() {}
    virtual void PresentFrame() {}
    // What the sequences draw and capture with; null: nothing is drawn.
    virtual GxSceneRenderer* GetSceneRenderer() { return nullptr; }
    virtual void ShutdownResourceRegistries() {}
    virtual void ShutdownGraphicsDevice() {}

    // --- fonts ---
    virtual void CreateFonts() {}
    virtual void ReleaseFonts() {}

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
    virtual void CompileScripts() {}

    // --- script engine ---
    virtual void StartScriptEngine() {}
    virtual void ReleaseScriptEngine() {}
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
};
