// CPU the main loop uses while the game idles at 60 frames per second: the
// frame wait must sleep, not spin. Reported as CPU seconds per wall second.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/gx_core.h"
#include "platform/gx_platform.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_IdleMainLoopAt60(benchmark::State& state) {
    namespace fs = std::filesystem;
    fs::path game = fs::temp_directory_path() / ("gxbench-" + std::to_string(getpid()));
    fs::create_directories(game / "system");
    std::ofstream(game / "system/sysconf.ini")
        << "APP_TITLE=Bench\nAPP_SAVEDIR=SAVE\nSAVE_TO_MYDOCUMENTS=0\n";
    setenv("XDG_RUNTIME_DIR", game.c_str(), 1);
    fs::path original = fs::current_path();
    fs::current_path(game);
    if (!gx::InitPlatform(true)) {
        state.SkipWithError("no video system");
        return;
    }
    auto core = std::make_unique<GxCore>();
    if (!core->Startup()) {
        state.SkipWithError("start-up failed");
        return;
    }
    const int frames = static_cast<int>(state.range(0));
    double cpuTotal = 0;
    double wallTotal = 0;
    for (auto _ : state) {
        double cpuStart = CpuSeconds();
        auto wallStart = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i)
            core->RunPass();
        double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        double cpu = CpuSeconds() - cpuStart;
        state.SetIterationTime(wall);
        cpuTotal += cpu;
        wallTotal += wall;
    }
    state.counters["cpu_per_wall_s"] = cpuTotal / wallTotal;
    state.counters["fps"] =
        static_cast<double>(frames) * static_cast<double>(state.iterations()) / wallTotal;
    core->Shutdown();
    core.reset();
    gx::ShutdownPlatform();
    fs::current_path(original);
    fs::remove_all(game);
}
BENCHMARK(BM_IdleMainLoopAt60)
    ->Arg(120)
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
