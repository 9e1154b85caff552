#pragma once

#include <cstdint>

// The monotonic clock behind every timer of the engine (frame pacing, fades,
// cache ages, movie clock). Tests install their own clock to drive time by hand.
class GxClock {
public:
    virtual ~GxClock() = default;
    virtual std::uint64_t NowMicroseconds() = 0;
    // Sleeps until the clock reads `deadline` (absolute, microseconds); returns at once when past.
    virtual void SleepUntilMicroseconds(std::uint64_t deadline) = 0;
};

namespace gx {

// The process clock: the system's monotonic clock unless a test installed another.
GxClock& GetClock();
// Installs `clock` (not owned) as the process clock; null restores the system clock.
void SetClock(GxClock* clock);

// Milliseconds since an arbitrary start, 64-bit so it never wraps.
inline std::uint64_t TimeGetTime() {
    return GetClock().NowMicroseconds() / 1000;
}
inline std::uint64_t NowMicroseconds() {
    return GetClock().NowMicroseconds();
}
void SleepMilliseconds(std::uint32_t milliseconds);

}  // namespace gx

// A clock that moves only when told to; sleeping advances it to the deadline.
class GxManualClock : public GxClock {
public:
    std::uint64_t NowMicroseconds() override { return m_Now; }
    void SleepUntilMicroseconds(std::uint64_t deadline) override {
        if (deadline > m_Now)
            m_Now = deadline;
    }
    void Set(std::uint64_t now) { m_Now = now; }
    void Advance(std::uint64_t microseconds) { m_Now += microseconds; }

private:
    std::uint64_t m_Now = 1'000'000;
};
