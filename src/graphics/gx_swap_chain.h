#pragma once

#include "content/gx_content_types.h"
#include "graphics/gx_resource.h"

// A presentation target. The default chain is the device's own off-screen back
// buffer; its rectangle is the viewport that binding it sets.
class GxSwapChain : public GxD3DResourceBase {
public:
    GxSwapChain() { m_ObjectType = OBJTYPE_SWAPCHAIN; }
    void BindDefaultChain(const GxRect& rect) {
        m_Rect = rect;
        m_IsDefault = true;
    }
    bool IsDefault() const { return m_IsDefault; }
    const GxRect& GetRect() const { return m_Rect; }
    void SetRect(const GxRect& rect) { m_Rect = rect; }
    // Makes the chain's back buffer the destination of draws.
    bool BindBackBuffer();

private:
    GxRect m_Rect;
    bool m_IsDefault = false;
};
