#include "graphics/gx_swap_chain.h"

#include "graphics/gx_gl_device.h"

bool GxSwapChain::BindBackBuffer() {
    GxGLDevice* device = GxGetGLDevice();
    if (!device)
        return false;
    device->BindTargetFramebuffer(device->GetBackFramebuffer(), device->GetBackWidth(),
                                  device->GetBackHeight());
    return true;
}
