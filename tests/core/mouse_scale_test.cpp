#include <gtest/gtest.h>

#include "core/gx_mouse_scale.h"

namespace {

TEST(MouseScaleTest, ClientPositionsMapToTheVirtualScreen) {
    struct {
        int x, y, width, height;
        float expectedX, expectedY;
    } const cases[] = {
        {400, 300, 800, 600, 512.0f, 384.0f},  // scaled by 1.28
        {100, 50, 800, 600, 128.0f, 64.0f},
        {1024, 768, 1024, 768, 1024.0f, 768.0f},
        {960, 540, 1920, 1080, 512.0f, 384.0f},
        {-10, 0, 800, 600, -12.8f, 0.0f},  // captured drags may leave the client area
    };
    for (const auto& c : cases) {
        GxVector2 point;
        ASSERT_TRUE(gx::ClientToVirtual(c.x, c.y, c.width, c.height, point));
        EXPECT_FLOAT_EQ(point.x, c.expectedX);
        EXPECT_FLOAT_EQ(point.y, c.expectedY);
    }
}

TEST(MouseScaleTest, EmptyClientAreaDropsThePoint) {
    GxVector2 point{7.0f, 7.0f};
    EXPECT_FALSE(gx::ClientToVirtual(10, 10, 0, 600, point));
    EXPECT_FALSE(gx::ClientToVirtual(10, 10, 800, 0, point));
    EXPECT_FLOAT_EQ(point.x, 7.0f);
}

}  // namespace
