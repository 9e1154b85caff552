#pragma once

#include "base/gx_types.h"

// What the task framework needs from the graphics device. The default does
// nothing, so the framework runs without a device (and in tests).
class GxSceneRenderer {
public:
    virtual ~GxSceneRenderer() = default;
    // Clears the render target, depth and stencil buffers; color is 0xAARRGGBB.
    virtual void ClearTarget(GxU32 /*color*/, GxF32 /*depth*/, GxU32 /*stencil*/) {}
    // Enters capture mode with the capture texture as the render target.
    virtual void BeginCapture() {}
    // Restores the previous render target and leaves capture mode.
    virtual void EndCapture() {}
    // Draws the captured frame over the whole virtual screen with this alpha
    // (a scene of its own, drawn at once).
    virtual void DrawCaptureFade(GxF32 /*alpha*/) {}
};

// The renderer in use when none was set.
GxSceneRenderer& GxNullSceneRenderer();
