#include "platform/gx_clock.h"

#include <time.h>

#include <atomic>
#include <cerrno>

namespace {

class SystemClock : public GxClock {
public:
    std::uint64_t NowMicroseconds() override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000u +
               static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
    }
    void SleepUntilMicroseconds(std::uint64_t deadline) override {
        timespec until{};
        until.tv_sec = static_cast<time_t>(deadline / 1'000'000u);
        until.tv_nsec = static_cast<long>((deadline % 1'000'000u) * 1000u);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
    }
};

SystemClock g_SystemClock;
std::atomic<GxClock*> g_Clock{nullptr};

}  // namespace

namespace gx {

GxClock& GetClock() {
    GxClock* clock = g_Clock.load(std::memory_order_acquire);
    return clock ? *clock : g_SystemClock;
}

void SetClock(GxClock* clock) {
    g_Clock.store(clock, std::memory_order_release);
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    GxClock& clock = GetClock();
    clock.SleepUntilMicroseconds(clock.NowMicroseconds() + milliseconds * 1000ull);
}

}  // namespace gx
