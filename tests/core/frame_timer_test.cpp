#include <gtest/gtest.h>

#include "core/gx_frame_timer.h"
#include "platform/gx_clock.h"

namespace {

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override { gx::SetClock(&m_Clock); }
    void TearDown() override { gx::SetClock(nullptr); }
    GxManualClock m_Clock;
    GxFrameTimer m_Timer;
};

TEST_F(FrameTimerTest, FirstFrameDoesNotWaitAndRunsOneStep) {
    GxU64 start = m_Clock.NowMicroseconds();
    EXPECT_EQ(m_Timer.Wait(), 0);
    EXPECT_EQ(m_Clock.NowMicroseconds(), start);
    EXPECT_EQ(m_Timer.GetSteps(), 1);
    EXPECT_EQ(m_Timer.GetLag(), 0);
}

TEST_F(FrameTimerTest, SlowFrameRunsThreeStepsAndCarriesTheRemainderAsDebt) {
    m_Timer.Wait();
    m_Timer.Wait();  // a normal frame: waits exactly one period
    EXPECT_EQ(m_Timer.GetElapsed(), 16666);
    EXPECT_EQ(m_Timer.GetSteps(), 1);
    GxS64 debt = m_Timer.GetStepDebt();

    m_Clock.Advance(50000);  // this frame's work took 50 ms
    EXPECT_EQ(m_Timer.Wait(), 50000);
    EXPECT_EQ(m_Timer.GetSteps(), 3);
    EXPECT_EQ(m_Timer.GetStepDebt(), debt * 90 / 100 + 50000 - 3 * 16666);
    EXPECT_EQ(m_Timer.GetLag(), GxFrameTimer::kLagLimit);  // 33 ms late, clamped

    // The next frame shortens its budget by the lag.
    GxU64 before = m_Clock.NowMicroseconds();
    m_Timer.Wait();
    EXPECT_EQ(m_Clock.NowMicroseconds() - before, 16666u - 4000u);
}

TEST_F(FrameTimerTest, TargetRateTenRunsSixStepsPerFrameAtUpdateRateSixty) {
    m_Timer.SetTargetRate(10);
    m_Timer.Wait();
    for (int frame = 0; frame < 5; ++frame) {
        GxU64 before = m_Clock.NowMicroseconds();
        m_Timer.Wait();
        EXPECT_EQ(m_Clock.NowMicroseconds() - before, 100000u);
        EXPECT_EQ(m_Timer.GetSteps(), 6) << frame;
    }
}

TEST_F(FrameTimerTest, ResetAfterWindowMoveGivesOneStepAndNoLag) {
    m_Timer.Wait();
    m_Clock.Advance(200000);
    m_Timer.Wait();
    ASSERT_EQ(m_Timer.GetSteps(), 12);
    m_Timer.Reset();
    m_Clock.Advance(500000);  // the move stalled the loop
    m_Timer.Wait();
    EXPECT_EQ(m_Timer.GetSteps(), 1);
    EXPECT_EQ(m_Timer.GetLag(), 0);
    EXPECT_EQ(m_Timer.GetStepDebt(), 0);
}

TEST_F(FrameTimerTest, StepsAreBoundedByMaxSteps) {
    m_Timer.Wait();
    m_Clock.Advance(5'000'000);
    m_Timer.Wait();
    EXPECT_EQ(m_Timer.GetSteps(), 15);
    EXPECT_LE(m_Timer.GetStepDebt(), 15 * 16666);
}

TEST_F(FrameTimerTest, ZeroRatesNeitherWaitNorDivide) {
    m_Timer.SetTargetRate(0);
    m_Timer.SetUpdateRate(0);
    GxU64 start = m_Clock.NowMicroseconds();
    for (int i = 0; i < 3; ++i)
        m_Timer.Wait();
    EXPECT_EQ(m_Clock.NowMicroseconds(), start);
    m_Clock.Advance(100000);
    m_Timer.Wait();
    EXPECT_EQ(m_Timer.GetSteps(), 1);
}

TEST_F(FrameTimerTest, FramesAcrossThe32BitMillisecondBoundaryKeepTheirPace) {
    // A 32-bit millisecond counter wraps after 49.7 days; the clock here never does.
    m_Clock.Set((0x1'0000'0000ull - 20) * 1000);
    m_Timer.Wait();
    for (int frame = 0; frame < 5; ++frame) {
        GxU64 before = m_Clock.NowMicroseconds();
        EXPECT_EQ(m_Timer.Wait(), 16666);
        EXPECT_EQ(m_Clock.NowMicroseconds() - before, 16666u);
    }
}

TEST_F(FrameTimerTest, MeasuredRateIsUpdatedEveryTwoSeconds) {
    m_Timer.Wait();
    int updates = 0;
    for (int frame = 0; frame < 240; ++frame) {
        m_Timer.Wait();
        if (m_Timer.IsRateJustMeasured())
            ++updates;
    }
    EXPECT_EQ(updates, 1);
    EXPECT_NEAR(m_Timer.GetMeasuredRate(), 60.0f, 1.0f);  // the window counts its opening frame too
}

}  // namespace
