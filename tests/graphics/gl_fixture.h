#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/gx_log.h"
#include "graphics/gx_draw_state.h"
#include "graphics/gx_graphics.h"
#include "support/log_capture.h"

namespace gxtest {

inline bool LogContains(const LogCapture& log, std::u16string_view part) {
    for (const auto& line : log.lines) {
        if (line.find(part) != std::u16string::npos)
            return true;
    }
    return false;
}

// One device for the whole test program, 1024 × 768 off-screen, as the game sets it up.
class GLEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        GxScreenSettings& settings = GxGraphics::GetSettings();
        settings.windowWidth = settings.backBufferWidth = 1024;
        settings.windowHeight = settings.backBufferHeight = 768;
        settings.lockableBackBuffer = 0;
        settings.swapEffect = 2;
        settings.vsyncInterval = 0;
        ASSERT_TRUE(GxGraphics::InitializeHidden());
    }
    void TearDown() override { GxGraphics::Shutdown(); }
};

// Starts each test from the default 2D state on a cleared frame.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(GxGraphics::IsInitialized());
        GxGraphics::SetSwapChain(nullptr, nullptr);
        InitializeDrawStates();
        GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF000000u);
    }
    std::vector<std::uint32_t> Frame() {
        std::vector<std::uint32_t> pixels;
        EXPECT_TRUE(GxGraphics::ReadBackBuffer(pixels));
        return pixels;
    }
    static std::uint32_t At(const std::vector<std::uint32_t>& frame, int x, int y) {
        return frame[static_cast<size_t>(y) * 1024 + x];
    }
};

inline int Channel(std::uint32_t c, int shift) {
    return static_cast<int>(c >> shift & 0xFF);
}

// Compares two colours channel by channel within `tolerance`.
inline ::testing::AssertionResult ColorNear(std::uint32_t actual, std::uint32_t expected,
                                            int tolerance = 1) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
            char text[64];
            std::snprintf(text, sizeof(text), "got %08X, expected %08X", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace gxtest
