#pragma once

#include <string>
#include <vector>

#include "core/gx_core_services.h"
#include "task/gx_seq_base.h"

namespace gxtest {

// Records every subsystem call by name; a few answers can be set.
class RecordingServices : public GxCoreServices {
public:
    std::vector<std::string>* calls;
    bool deviceCreates = true;
    GxS32 screenMode = 0;
    GxS32 userScreenMode = 0;
    bool switchSucceeds = true;
    int clientWidth = 1024;
    int clientHeight = 768;
    bool withoutBoot = false;

    explicit RecordingServices(std::vector<std::string>* log) : calls(log) {}

    void ResetGraphicsSettings() override { Note("ResetGraphicsSettings"); }
    void GetWindowClientSize(int& width, int& height) override {
        width = clientWidth;
        height = clientHeight;
    }
    GxSeqBase* CreateSequences(GxTaskBase* root) override {
        Note("CreateSequences");
        return withoutBoot ? new GxSeqBase(root, u"SeqSystem")
                           : GxCoreServices::CreateSequences(root);
    }
    bool CreateGraphicsDevice(void* window) override {
        Note(window ? "CreateGraphicsDevice" : "CreateGraphicsDevice(no window)");
        return deviceCreates;
    }
    void ClearBackBuffer(GxU32 color, float, GxU32) override {
        Note(color ? "ClearBackBuffer(red)" : "ClearBackBuffer(black)");
    }
    GxS32 GetScreenMode() override { return screenMode; }
    bool SwitchScreenMode(GxS32 mode) override {
        Note("SwitchScreenMode(" + std::to_string(mode) + ")");
        if (switchSucceeds)
            screenMode = mode;
        return switchSucceeds;
    }
    void CreateGlobalRenderTextures() override { Note("CreateGlobalRenderTextures"); }
    void ReleaseGlobalRenderTextures() override { Note("ReleaseGlobalRenderTextures"); }
    void PresentFrame() override { Note("PresentFrame"); }
    void ShutdownResourceRegistries() override { Note("ShutdownResourceRegistries"); }
    void ShutdownGraphicsDevice() override { Note("ShutdownGraphicsDevice"); }
    void CreateFonts() override { Note("CreateFonts"); }
    void ReleaseFonts() override { Note("ReleaseFonts"); }
    void StartInputDevices() override { Note("StartInputDevices"); }
    void SetInputActive(bool active) override {
        Note(active ? "SetInputActive(1)" : "SetInputActive(0)");
    }
    void ShutdownInputDevices() override { Note("ShutdownInputDevices"); }
    void StartSound() override { Note("StartSound"); }
    void ServiceSound() override { Note("ServiceSound"); }
    void ShutdownSound() override { Note("ShutdownSound"); }
    void StartMovie() override { Note("StartMovie"); }
    void ServiceMovies() override { Note("ServiceMovies"); }
    void ShutdownMovie() override { Note("ShutdownMovie"); }
    void StartDebugConsole() override { Note("StartDebugConsole"); }
    void CompileScripts() override { Note("CompileScripts"); }
    void StartScriptEngine() override { Note("StartScriptEngine"); }
    void ReleaseScriptEngine() override { Note("ReleaseScriptEngine"); }
    void SeedScriptRandom(GxU32) override { Note("SeedScriptRandom"); }
    void LoadTables() override { Note("LoadTables"); }
    void BuildCgIndex() override { Note("BuildCgIndex"); }
    void ClearImageSetPool() override { Note("ClearImageSetPool"); }
    void LoadUiImageSets() override { Note("LoadUiImageSets"); }
    void ReleaseImageSetPool() override { Note("ReleaseImageSetPool"); }
    void LoadEffects() override { Note("LoadEffects"); }
    void ReleaseEffects() override { Note("ReleaseEffects"); }
    void CreateUserConfig() override { Note("CreateUserConfig"); }
    void CreateGameData() override { Note("CreateGameData"); }
    void LoadPermanentData(std::u16string_view) override { Note("LoadPermanentData"); }
    void LoadUserConfig() override { Note("LoadUserConfig"); }
    GxS32 GetUserScreenMode() override { return userScreenMode; }
    void SetUserScreenMode(GxS32 mode) override {
        Note("SetUserScreenMode(" + std::to_string(mode) + ")");
        userScreenMode = mode;
    }
    void SaveUserConfig() override { Note("SaveUserConfig"); }
    void SavePermanentData(std::u16string_view) override { Note("SavePermanentData"); }
    void DestroySaveData() override { Note("DestroySaveData"); }

private:
    void Note(const std::string& name) {
        if (calls)
            calls->push_back(name);
    }
};

}  // namespace gxtest
