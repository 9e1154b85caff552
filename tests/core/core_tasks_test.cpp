#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "base/gx_log.h"
#include "core/gx_core.h"
#include "core/gx_thread_manage.h"
#include "game_folder.h"
#include "platform/gx_clock.h"
#include "platform/gx_platform.h"
#include "platform/gx_window.h"
#include "recording_services.h"
#include "support/log_capture.h"
#include "task/gx_seq_base.h"
#include "task/gx_task_manage.h"

namespace {

// A task under the current sequence that reports what reaches it.
class ProbeTask : public GxTaskBase {
public:
    explicit ProbeTask(GxTaskBase* parent) : GxTaskBase(parent) {}

    GxS32 OnLButtonDown(const GxVector2& point, GxU32, bool isDouble) override {
        lastPoint = point;
        ++(isDouble ? doubleClicks : clicks);
        return 1;
    }
    GxS32 OnLButtonUp(const GxVector2&, GxU32) override { return ++releases; }
    GxS32 OnMouseMove(const GxVector2& point, GxU32) override {
        lastPoint = point;
        return ++moves;
    }
    GxS32 OnMouseWheel(const GxVector2&, GxS32 delta, GxU32) override {
        wheel += delta;
        return 1;
    }
    GxS32 OnClose() override { return refuseClose ? 1 : 0; }
    GxS32 OnKeyDown(GxU32 virtualKey, GxU32) override { return virtualKey == takenKey ? 1 : 0; }
    GxS32 OnScreenModeChanged(GxS32 oldMode, GxS32 newMode) override {
        modeChanges.emplace_back(oldMode, newMode);
        return 0;
    }
    GxS32 Update(GxS32, GxS64) override { return ++updates; }
    GxS32 OnThreadEvent1(void*, GxS32 a, GxS32, GxS32) override { return threadValue = a; }

    GxVector2 lastPoint;
    int clicks = 0, doubleClicks = 0, releases = 0, moves = 0, wheel = 0, updates = 0;
    GxS32 threadValue = 0;
    bool refuseClose = false;
    GxU32 takenKey = 0;
    std::vector<std::pair<GxS32, GxS32>> modeChanges;
};

class CoreTasksTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_RUNTIME_DIR", m_Runtime.Str().c_str(), 1);
        ASSERT_TRUE(gx::InitPlatform(true));
        gx::SetClock(&m_Clock);
        m_Game.Write("system/sysconf.ini",
                     "APP_TITLE=Tasks\nAPP_SAVEDIR=SAVE\nSAVE_TO_MYDOCUMENTS=0\n");
    }
    void TearDown() override {
        if (m_Core && m_Core->IsInitialized())
            m_Core->Shutdown();
        m_Core.reset();
        gx::ClearMessageQueue();
        gx::SetClock(nullptr);
        gx::SetLogPaths(u"", u"", u"");
        gx::ShutdownPlatform();
    }
    // Starts the core and runs the first pass, which makes SeqBoot current.
    void Start(int clientWidth = 1024, int clientHeight = 768, bool withoutBoot = false) {
        auto services = std::make_unique<gxtest::RecordingServices>(nullptr);
        services->clientWidth = clientWidth;
        services->clientHeight = clientHeight;
        services->withoutBoot = withoutBoot;
        m_Services = services.get();
        m_Core = std::make_unique<GxCore>(std::move(services));
        ASSERT_TRUE(m_Core->Startup());
        gx::ClearMessageQueue();
        m_Core->RunPass();
    }
    GxTaskManage& Tasks() { return *m_Core->GetTaskManage(); }
    ProbeTask* AddProbe() { return new ProbeTask(Tasks().FindTask(u"SeqBoot")); }

    gxtest::TempDir m_Runtime;
    gxtest::GameFolder m_Game;
    GxManualClock m_Clock;
    gxtest::RecordingServices* m_Services = nullptr;
    std::unique_ptr<GxCore> m_Core;
};

TEST_F(CoreTasksTest, GameStartBuildsEverySequenceAndBootBecomesCurrent) {
    Start();
    const char16_t* const names[] = {u"SeqSystem",  u"SeqBoot",      u"SeqTitle",  u"SeqOpening",
                                     u"SeqAvgMain", u"SeqAvgLog",    u"SeqConfig", u"SeqSave",
                                     u"SeqLoad",    u"SeqQuickLoad", u"SeqCGMode", u"SeqCGModeView",
                                     u"SeqRPMode",  u"SeqBGMMode",   u"SeqTest"};
    for (const char16_t* name : names)
        EXPECT_NE(Tasks().FindTask(name), nullptr) << gx::Utf16ToUtf8(name);
    EXPECT_EQ(Tasks().GetSystemSequence(), Tasks().FindTask(u"SeqSystem"));
    EXPECT_EQ(Tasks().GetCurrentSequenceName(), u"SeqBoot");
    EXPECT_TRUE(Tasks().IsMainStarted());  // a placeholder has nothing to prepare
    EXPECT_EQ(Tasks().GetTransitionTime(), 400);
}

TEST_F(CoreTasksTest, FramesUpdateTheCurrentSequenceOncePerStep) {
    Start();
    ProbeTask* probe = AddProbe();
    m_Core->RunFrame();
    EXPECT_EQ(probe->updates, 1);
    m_Clock.Advance(50000);  // a slow frame: three steps
    m_Core->RunFrame();
    EXPECT_EQ(probe->updates, 4);
}

TEST_F(CoreTasksTest, MouseReachesTasksInVirtualScreenCoordinates) {
    Start(800, 600);
    ProbeTask* probe = AddProbe();
    m_Core->WindowProc(GxMessage{WM_LBUTTONDOWN, MK_LBUTTON, gx::MakeLParam(400, 300)});
    EXPECT_EQ(probe->clicks, 1);
    EXPECT_FLOAT_EQ(probe->lastPoint.x, 512.0f);
    EXPECT_FLOAT_EQ(probe->lastPoint.y, 384.0f);
    EXPECT_TRUE(gx::HasMouseCapture());
    m_Core->WindowProc(GxMessage{WM_LBUTTONUP, 0, gx::MakeLParam(400, 300)});
    EXPECT_EQ(probe->releases, 1);
    EXPECT_FALSE(gx::HasMouseCapture());
    m_Core->WindowProc(
        GxMessage{WM_LBUTTONUP, 0, gx::MakeLParam(400, 300)});  // no capture: dropped
    EXPECT_EQ(probe->releases, 1);
    m_Core->WindowProc(GxMessage{WM_LBUTTONDBLCLK, MK_LBUTTON, gx::MakeLParam(100, 50)});
    EXPECT_EQ(probe->doubleClicks, 1);
    EXPECT_FLOAT_EQ(probe->lastPoint.x, 128.0f);
    m_Core->WindowProc(GxMessage{WM_MOUSEMOVE, 0, gx::MakeLParam(8, 6)});
    EXPECT_FLOAT_EQ(probe->lastPoint.y, 7.68f);
    m_Core->WindowProc(GxMessage{WM_MOUSEWHEEL, gx::MakeWParam(0, -120), 0});
    EXPECT_EQ(probe->wheel, -120);
}

TEST_F(CoreTasksTest, CloseIsRefusedWhileATaskSaysSo) {
    Start();
    ProbeTask* probe = AddProbe();
    probe->refuseClose = true;
    gx::PostMessage(WM_CLOSE);
    m_Core->RunPass();
    EXPECT_FALSE(m_Core->IsQuit());
    probe->refuseClose = false;
    gx::PostMessage(WM_CLOSE);
    m_Core->RunPass();
    EXPECT_TRUE(m_Core->IsQuit());
}

TEST_F(CoreTasksTest, KeysTakenByTasksSkipTheEngineKeysAndF4IsAnnounced) {
    m_Game.Write("setting.ini", "DebugModeFlag=1\n");
    Start();
    ProbeTask* probe = AddProbe();
    probe->takenKey = VK_F7;
    m_Core->WindowProc(GxMessage{WM_KEYDOWN, VK_F7, 0});
    EXPECT_EQ(m_Core->GetFrameTimer().GetTargetRate(), 60);
    m_Core->WindowProc(GxMessage{WM_KEYDOWN, VK_F6, 0});
    EXPECT_EQ(m_Core->GetFrameTimer().GetTargetRate(), 30);
    m_Core->WindowProc(GxMessage{WM_KEYDOWN, VK_F4, 0});
    m_Core->WindowProc(GxMessage{WM_KEYDOWN, VK_F4, 0});
    EXPECT_EQ(probe->modeChanges, (std::vector<std::pair<GxS32, GxS32>>{{0, 2}, {2, 0}}));
}

TEST_F(CoreTasksTest, DebugModeShowsTheMeasuredRateInTheTitleEveryTwoSeconds) {
    for (bool debug : {false, true}) {
        m_Game.Write("setting.ini", debug ? "DebugModeFlag=1\n" : "DebugModeFlag=0\n");
        Start();
        for (int frame = 0; frame < 125; ++frame)
            m_Core->RunFrame();
        std::u16string title = gx::GetMainWindowTitle();
        EXPECT_EQ(title, debug ? u"Tasks FPS 60.50/60" : u"Tasks") << gx::Utf16ToUtf8(title);
        m_Core->Shutdown();
        m_Core.reset();
    }
}

TEST_F(CoreTasksTest, ThreadRecordsAreDeliveredInTheNextUpdateStep) {
    Start();
    ProbeTask* probe = AddProbe();
    m_Core->GetThreadManage()->Post(GxThreadRecord{1, probe, nullptr, 42, 0, 0, {}});
    m_Core->RunFrame();
    EXPECT_EQ(probe->threadValue, 42);
}

TEST_F(CoreTasksTest, MissingBootSequenceIsReportedAndNothingBreaks) {
    gxtest::LogCapture log;
    Start(1024, 768, true);
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.front(), u"遷移先のシーケンスが見つかりません(SeqBoot)\n");
    EXPECT_EQ(Tasks().GetCurrentSequence(), nullptr);
    m_Core->WindowProc(GxMessage{WM_LBUTTONDOWN, MK_LBUTTON, gx::MakeLParam(1, 1)});
    m_Core->RunFrame();
    m_Core->Shutdown();
    EXPECT_EQ(m_Core->GetTaskManage(), nullptr);
}

}  // namespace
