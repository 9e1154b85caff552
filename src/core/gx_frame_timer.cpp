#include "core/gx_frame_timer.h"

#include <algorithm>

#include "platform/gx_clock.h"

namespace {

GxS64 Now() {
    return static_cast<GxS64>(gx::NowMicroseconds());
}

}  // namespace

GxS64 GxFrameTimer::Wait() {
    GxS64 now = Now();
    GxS64 period = m_TargetRate > 0 ? 1'000'000 / m_TargetRate : 0;
    GxS64 budget = period - m_Lag;

    if (m_LastFrameTime == 0)
        m_LastFrameTime = now;
    if (m_RateWindowStart == 0) {
        m_MeasuredRate = 0.0f;
        m_RateWindowStart = now;
        m_RateWindowFrames = 0;
    }

    if (!m_FirstFrame && m_TargetRate > 0) {
        // Sleeping to an absolute deadline starts the frame on its budget
        // without spinning; the loop covers a clock that wakes early.
        GxClock& clock = gx::GetClock();
        while (now - m_LastFrameTime < budget) {
            clock.SleepUntilMicroseconds(static_cast<GxU64>(m_LastFrameTime + budget));
            now = Now();
        }
    }
    m_Elapsed = now - m_LastFrameTime;

    ComputeSteps();
    m_Lag = m_ResetFlag ? 0 : std::clamp<GxS64>(m_Elapsed - budget, -kLagLimit, kLagLimit);

    ++m_FrameCount;
    m_LastFrameTime = now;
    ++m_RateWindowFrames;
    m_FirstFrame = false;
    m_ResetFlag = false;

    if (now - m_RateWindowStart >= kRateWindow) {
        m_MeasuredRate = static_cast<float>(static_cast<double>(m_RateWindowFrames) * 1'000'000.0 /
                                            static_cast<double>(now - m_RateWindowStart));
        m_RateWindowStart = now;
        m_RateWindowFrames = 0;
    }
    return m_Elapsed;
}

void GxFrameTimer::ComputeSteps() {
    if (!m_StepMode || m_ResetFlag || m_UpdateRate <= 0) {
        m_Steps = 1;
        m_StepDebt = 0;
        return;
    }
    GxS64 stepPeriod = std::max<GxS64>(1'000'000 / m_UpdateRate, 1);
    GxS64 steps = std::clamp<GxS64>((m_Elapsed + m_StepDebt) / stepPeriod, 1, m_MaxSteps);
    m_Steps = static_cast<GxS32>(steps);
    m_StepDebt = m_StepDebt * 90 / 100 + m_Elapsed - steps * stepPeriod;
    m_StepDebt = std::min(m_StepDebt, static_cast<GxS64>(m_MaxSteps) * stepPeriod);
}

void GxFrameTimer::Reset() {
    m_Elapsed = 0;
    m_LastFrameTime = 0;
    m_Lag = 0;
    m_StepDebt = 0;
    m_Steps = 1;
    m_ResetFlag = true;
}
