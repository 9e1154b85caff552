#pragma once

#include "base/gx_types.h"

// Paces the main loop: waits for each frame's time slot and works out how many
// update steps the frame runs so that the game logic keeps its own rate when
// frames come late. All times are microseconds of the process clock.
class GxFrameTimer {
public:
    GxFrameTimer() = default;
    virtual ~GxFrameTimer() = default;

    // Waits for the next frame and returns the time since the last one.
    GxS64 Wait();
    // After a window move or similar stall: the next frame runs one step and carries no lag.
    void Reset();

    GxS64 GetElapsed() const { return m_Elapsed; }
    GxS32 GetSteps() const { return m_Steps; }
    GxS64 GetLag() const { return m_Lag; }
    GxS64 GetStepDebt() const { return m_StepDebt; }
    GxS64 GetFrameCount() const { return m_FrameCount; }
    float GetMeasuredRate() const { return m_MeasuredRate; }
    // True right after the measured rate was updated (its window holds no frames yet).
    bool IsRateJustMeasured() const { return m_RateWindowFrames == 0; }

    GxS32 GetTargetRate() const { return m_TargetRate; }
    // Frames per second to wait for; 0 (or less) disables waiting.
    void SetTargetRate(GxS32 rate) { m_TargetRate = rate > 0 ? rate : 0; }
    GxS32 GetUpdateRate() const { return m_UpdateRate; }
    // Update steps per second the game logic expects; 0 (or less) runs one step per frame.
    void SetUpdateRate(GxS32 rate) { m_UpdateRate = rate > 0 ? rate : 0; }
    GxS32 GetMaxSteps() const { return m_MaxSteps; }
    void SetMaxSteps(GxS32 steps) { m_MaxSteps = steps > 0 ? steps : 1; }
    bool GetStepMode() const { return m_StepMode; }
    void SetStepMode(bool on) { m_StepMode = on; }

    static constexpr GxS64 kLagLimit = 4000;
    static constexpr GxS64 kRateWindow = 2'000'000;

private:
    void ComputeSteps();

    bool m_FirstFrame = true;
    GxS64 m_Elapsed = 0;
    GxS64 m_LastFrameTime = 0;
    GxS32 m_TargetRate = 60;
    GxS64 m_Lag = 0;
    GxS64 m_FrameCount = 0;
    GxS64 m_RateWindowStart = 0;
    GxS64 m_RateWindowFrames = 0;
    float m_MeasuredRate = 0.0f;
    bool m_StepMode = true;
    GxS32 m_Steps = 1;
    GxS32 m_UpdateRate = 60;
    GxS32 m_MaxSteps = 15;
    GxS64 m_StepDebt = 0;
    bool m_ResetFlag = true;
};
