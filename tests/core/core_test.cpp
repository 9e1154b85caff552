#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/gx_log.h"
#include "core/gx_core.h"
#include "core/gx_system_config.h"
#include "game_folder.h"
#include "platform/gx_clock.h"
#include "platform/gx_platform.h"
#include "platform/gx_window.h"
#include "recording_services.h"

namespace {

using Calls = std::vector<std::string>;

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_RUNTIME_DIR", m_Runtime.Str().c_str(), 1);
        setenv("HOME", m_Home.Str().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(gx::InitPlatform(true));
        gx::SetClock(&m_Clock);
        gx::ResetErrorCount();
    }
    void TearDown() override {
        m_Core.reset();
        gx::ClearMessageQueue();
        gx::SetClock(nullptr);
        gx::SetLogPaths(u"", u"", u"");
        gx::SetSkipSlightErrors(false);
        gx::ShutdownPlatform();
    }
    void WriteConfig(const std::string& sysconf) { m_Game.Write("system/sysconf.ini", sysconf); }
    GxCore& MakeCore() {
        auto services = std::make_unique<gxtest::RecordingServices>(&m_Calls);
        m_Services = services.get();
        m_Core = std::make_unique<GxCore>(std::move(services));
        return *m_Core;
    }
    // Runs `passes` main-loop passes or until the quit; the number run.
    int Run(int passes) {
        int run = 0;
        while (run < passes) {
            ++run;
            if (!m_Core->RunPass())
                break;
        }
        return run;
    }
    static size_t IndexOf(const Calls& calls, const std::string& name) {
        for (size_t i = 0; i < calls.size(); ++i) {
            if (calls[i] == name)
                return i;
        }
        return calls.size();
    }

    gxtest::TempDir m_Runtime;
    gxtest::TempDir m_Home;
    gxtest::GameFolder m_Game;
    GxManualClock m_Clock;
    Calls m_Calls;
    gxtest::RecordingServices* m_Services = nullptr;
    std::unique_ptr<GxCore> m_Core;
};

TEST_F(CoreTest, StartupRunsEverySubsystemStepInOrderAndShutdownReversesIt) {
    WriteConfig("APP_TITLE=Order\nAPP_SAVEDIR=SAVE\nSAVE_TO_MYDOCUMENTS=0\n");
    GxCore& core = MakeCore();
    ASSERT_TRUE(core.Startup());
    EXPECT_TRUE(core.IsInitialized());
    EXPECT_TRUE(gx::HasMainWindow());
    const Calls startup = {"CreateUserConfig",
                           "ResetGraphicsSettings",
                           "CreateGameData",
                           "CreateGraphicsDevice",
                           "ClearBackBuffer(red)",
                           "StartInputDevices",
                           "StartSound",
                           "StartMovie",
                           "StartDebugConsole",
                           "ClearImageSetPool",
                           "CreateGlobalRenderTextures",
                           "LoadTables",
                           "BuildCgIndex",
                           "CreateFonts",
                           "StartScriptEngine",
                           "LoadUiImageSets",
                           "LoadEffects",
                           "LoadPermanentData",
                           "LoadUserConfig",
                           "CreateSequences",
                           "SeedScriptRandom"};
    EXPECT_EQ(m_Calls, startup);

    m_Calls.clear();
    core.Shutdown();
    const Calls shutdown = {"SaveUserConfig",
                            "SavePermanentData",
                            "ClearBackBuffer(black)",
                            "ReleaseFonts",
                            "ReleaseScriptEngine",
                            "ReleaseImageSetPool",
                            "ReleaseGlobalRenderTextures",
                            "ReleaseEffects",
                            "DestroySaveData",
                            "ShutdownResourceRegistries",
                            "ShutdownSound",
                            "ShutdownMovie",
                            "ShutdownInputDevices",
                            "ShutdownGraphicsDevice"};
    EXPECT_EQ(m_Calls, shutdown);
    EXPECT_FALSE(gx::HasMainWindow());
    EXPECT_FALSE(core.IsInitialized());
}

TEST_F(CoreTest, SaveFolderUnderTheGameFolderCarriesTheLogs) {
    WriteConfig("APP_TITLE=Logs\nAPP_SAVEDIR=MY_SAVE\nSAVE_TO_MYDOCUMENTS=0\n");
    m_Game.Write("setting.ini", "CleanErrorLog=1\n");
    m_Game.Write("MY_SAVE/error.log", "old");
    m_Game.Write("MY_SAVE/device.log", "old");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(MakeCore().Startup());
    std::string err = testing::internal::GetCapturedStderr();
    std::u16string folder = m_Game.U16() + u"/MY_SAVE/";
    EXPECT_EQ(m_Core->GetSaveFolder(), folder);
    EXPECT_EQ(err.find("MY_SAVE"), std::string::npos);  // the folder existed: no creation message
    EXPECT_EQ(gx::GetErrorLogPath(), folder + u"error.log");
    EXPECT_EQ(gx::GetDebugLogPath(), folder + u"debug.log");
    EXPECT_EQ(gx::GetDeviceLogPath(), folder + u"device.log");
    EXPECT_EQ(m_Game.Read("MY_SAVE/error.log"), "");  // cleaned at start-up
    EXPECT_EQ(m_Game.Read("MY_SAVE/device.log"), "");
    EXPECT_TRUE(gx::GetSkipSlightErrors());
}

TEST_F(CoreTest, MissingSaveFolderIsCreatedOnceAndNamedByItsSetting) {
    struct {
        const char* sysconf;
        const char* home;  // where the folder is expected, relative to HOME; null: the game folder
        const char* message;
    } const cases[] = {
        {"APP_SAVEDIR=GAME_SAVE\nSAVE_TO_MYDOCUMENTS=0\n", nullptr,
         "インストールフォルダにセーブフォルダ[GAME_SAVE]を作成しました。"},
        {"APP_SAVEDIR=DOC_SAVE\n", "/Documents/DOC_SAVE/",
         "マイドキュメントにセーブフォルダ[DOC_SAVE]を作成しました。"},
    };
    m_Home.Write("Documents/keep", "");
    for (const auto& c : cases) {
        WriteConfig(c.sysconf);
        testing::internal::CaptureStderr();
        ASSERT_TRUE(MakeCore().Startup());
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        std::u16string expected =
            c.home ? m_Home.U16() + std::u16string(c.home, c.home + std::strlen(c.home))
                   : m_Game.U16() + u"/GAME_SAVE/";
        EXPECT_EQ(m_Core->GetSaveFolder(), expected);
        m_Core->Shutdown();
        m_Core.reset();

        testing::internal::CaptureStderr();
        ASSERT_TRUE(MakeCore().Startup());
        EXPECT_EQ(testing::internal::GetCapturedStderr().find(c.message), std::string::npos);
        m_Core->Shutdown();
        m_Core.reset();
    }
}

TEST_F(CoreTest, SaveFolderThatCannotBeMadeLeavesAnEmptyFolder) {
    WriteConfig("APP_SAVEDIR=missing/parent/SAVE\nSAVE_TO_MYDOCUMENTS=0\n");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(MakeCore().Startup());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("セーブフォルダの作成に失敗しました。"),
              std::string::npos);
    EXPECT_EQ(m_Core->GetSaveFolder(), u"");
    EXPECT_EQ(gx::GetErrorLogPath(), u"error.log");
}

TEST_F(CoreTest, SecondInstanceIsRefusedBeforeAnythingIsMade) {
    WriteConfig("APP_TITLE=Only Once\nAPP_SAVEDIR=SAVE\nSAVE_TO_MYDOCUMENTS=0\n");
    GxSingleInstanceLock first;
    ASSERT_TRUE(first.Acquire(u"Only Once"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(MakeCore().Startup());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("既に起動中です"), std::string::npos);
    EXPECT_FALSE(gx::HasMainWindow());
    EXPECT_TRUE(m_Calls.empty());
    EXPECT_EQ(gx::GetErrorCount(), 0);  // shown, never logged
    EXPECT_FALSE(std::filesystem::exists(m_Game.Path() / "SAVE"));
}

TEST_F(CoreTest, InstallPathOf244CharactersIsAcceptedAnd245Refused) {
    WriteConfig("APP_TITLE=Deep\nSAVE_TO_MYDOCUMENTS=0\n");
    for (size_t length : {GxCore::kMaxInstallPathLength, GxCore::kMaxInstallPathLength + 1}) {
        // A folder whose path with the trailing '/' has exactly `length` characters.
        std::filesystem::path deep = m_Game.Path();
        size_t current = deep.string().size() + 1;
        while (current < length) {
            size_t part = std::min<size_t>(length - current - 1, 60);
            if (part == 0)
                part = 1;
            deep /= std::string(part, 'd');
            current = deep.string().size() + 1;
        }
        ASSERT_EQ(current, length);
        std::filesystem::create_directories(deep / "system");
        std::filesystem::copy_file(m_Game.Path() / "system/sysconf.ini",
                                   deep / "system/sysconf.ini");
        ASSERT_EQ(chdir(deep.c_str()), 0);
        testing::internal::CaptureStderr();
        bool started = MakeCore().Startup();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(started, length == GxCore::kMaxInstallPathLength) << length;
        EXPECT_EQ(err.find("(インストール可能なパス最大長は245文字です)") != std::string::npos,
                  !started);
        m_Core.reset();
        ASSERT_EQ(chdir(m_Game.Str().c_str()), 0);
    }
}

TEST_F(CoreTest, GraphicsDeviceFailureFailsStartup) {
    WriteConfig("SAVE_TO_MYDOCUMENTS=0\n");
    GxCore& core = MakeCore();
    m_Services->deviceCreates = false;
    EXPECT_FALSE(core.Startup());
    EXPECT_EQ(IndexOf(m_Calls, "StartSound"), m_Calls.size());  // nothing after the device
    m_Core.reset();
    EXPECT_FALSE(gx::HasMainWindow());
}

TEST_F(CoreTest, CloseRequestEndsTheLoopInTheSamePass) {
    WriteConfig("SAVE_TO_MYDOCUMENTS=0\n");
    ASSERT_TRUE(MakeCore().Startup());
    gx::ClearMessageQueue();
    gx::PostMessage(WM_CLOSE);
    EXPECT_EQ(Run(10),
              1);  // WM_CLOSE posts WM_DESTROY, which posts WM_QUIT; one pump takes all three
    EXPECT_TRUE(m_Core->IsQuit());
    m_Core->Shutdown();
}

TEST_F(CoreTest, QuitAfterFramesRunsExactlyThatManyFrames) {
    WriteConfig("SAVE_TO_MYDOCUMENTS=0\n");
    ASSERT_TRUE(MakeCore().Startup());
    gx::ClearMessageQueue();
    m_Core->SetQuitAfterFrames(5);
    GxU64 start = m_Clock.NowMicroseconds();
    m_Calls.clear();
    m_Core->MainLoop();
    EXPECT_EQ(m_Core->GetFramesRun(), 6);  // the pass that sees WM_QUIT still runs its frame
    EXPECT_EQ(std::count(m_Calls.begin(), m_Calls.end(), "PresentFrame"), 6);
    EXPECT_EQ(std::count(m_Calls.begin(), m_Calls.end(), "ServiceSound"), 2);  // passes 0 and 4
    EXPECT_EQ(m_Clock.NowMicroseconds() - start, 5u * 16666u);                 // paced at 60
    m_Core->Shutdown();
}

TEST_F(CoreTest, RateKeysNeedDebugModeAndF4TogglesTheScreenMode) {
    WriteConfig("SAVE_TO_MYDOCUMENTS=0\n");
    ASSERT_TRUE(MakeCore().Startup());
    GxCore& core = *m_Core;
    core.WindowProc(GxMessage{WM_KEYDOWN, VK_F7, 0});
    EXPECT_EQ(core.GetFrameTimer().GetTargetRate(), 60);
    core.WindowProc(GxMessage{WM_KEYDOWN, VK_F4, 0});
    EXPECT_EQ(m_Services->screenMode, 2);
    EXPECT_EQ(m_Services->userScreenMode, 1);
    core.WindowProc(GxMessage{WM_KEYDOWN, VK_F4, 0});
    EXPECT_EQ(m_Services->screenMode, 0);
    EXPECT_EQ(m_Services->userScreenMode, 0);
    m_Services->switchSucceeds = false;
    m_Calls.clear();
    core.WindowProc(GxMessage{WM_KEYDOWN, VK_F4, 0});
    EXPECT_EQ(m_Calls, Calls{"SwitchScreenMode(2)"});  // a failed switch changes no setting
    core.Shutdown();
    m_Core.reset();

    m_Game.Write("setting.ini", "DebugModeFlag=1\n");
    ASSERT_TRUE(MakeCore().Startup());
    const std::pair<GxU32, GxS32> keys[] = {{VK_F7, 10}, {VK_F6, 30}, {VK_F5, 60}};
    for (auto [key, rate] : keys) {
        m_Core->WindowProc(GxMessage{WM_KEYDOWN, key, 0});
        EXPECT_EQ(m_Core->GetFrameTimer().GetTargetRate(), rate);
    }
    m_Core->Shutdown();
}

TEST_F(CoreTest, WindowMoveResetsTheFrameTimerAndActivationReachesInput) {
    WriteConfig("SAVE_TO_MYDOCUMENTS=0\n");
    ASSERT_TRUE(MakeCore().Startup());
    gx::ClearMessageQueue();
    m_Core->RunFrame();
    m_Clock.Advance(100000);
    m_Core->RunFrame();
    ASSERT_GT(m_Core->GetFrameTimer().GetSteps(), 1);
    m_Core->WindowProc(GxMessage{WM_WINDOWPOSCHANGED, 0, 0});
    m_Clock.Advance(300000);
    m_Core->RunFrame();
    EXPECT_EQ(m_Core->GetFrameTimer().GetSteps(), 1);
    EXPECT_EQ(m_Core->GetFrameTimer().GetLag(), 0);

    m_Calls.clear();
    m_Core->WindowProc(GxMessage{WM_ACTIVATE, WA_ACTIVE, 0});
    EXPECT_TRUE(m_Core->IsActive());
    m_Core->WindowProc(GxMessage{WM_ACTIVATE, WA_INACTIVE, 0});
    EXPECT_FALSE(m_Core->IsActive());
    EXPECT_EQ(m_Calls, (Calls{"SetInputActive(1)", "SetInputActive(0)"}));
    m_Core->Shutdown();
}

TEST_F(CoreTest, UserFullScreenSettingSwitchesAtGameStartOrFallsBack) {
    WriteConfig("SAVE_TO_MYDOCUMENTS=0\n");
    GxCore& core = MakeCore();
    m_Services->userScreenMode = 1;
    m_Services->switchSucceeds = false;
    ASSERT_TRUE(core.Startup());
    EXPECT_NE(IndexOf(m_Calls, "SwitchScreenMode(2)"), m_Calls.size());
    EXPECT_EQ(m_Services->userScreenMode, 0);
    core.Shutdown();
}

}  // namespace

TEST(CoreWindowFailureTest, WindowThatCannotBeCreatedFailsStartup) {
    gxtest::TempDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Str().c_str(), 1);
    gxtest::GameFolder game;
    game.Write("system/sysconf.ini", "SAVE_TO_MYDOCUMENTS=0\n");
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-video-driver", 1);
    Calls calls;
    {
        GxCore core(std::make_unique<gxtest::RecordingServices>(&calls));
        EXPECT_FALSE(core.Startup());
        EXPECT_FALSE(core.IsWindowCreated());
    }
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "CreateGraphicsDevice"), calls.end());
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    gx::SetLogPaths(u"", u"", u"");
}
