#pragma once

#include <string>

#include "base/gx_types.h"
#include "content/gx_content_types.h"

class GxTaskBase;

// Every listener operation returns non-zero when it handled the event, which
// stops the delivery. Points are in the 1024 x 768 virtual screen.

class GxTaskListenerBase {
public:
    virtual ~GxTaskListenerBase() = default;
};

class GxThreadListenerBase {
public:
    virtual ~GxThreadListenerBase() = default;
    virtual GxS32 OnThreadEvent1(void* /*data*/, GxS32 /*a*/, GxS32 /*b*/, GxS32 /*c*/) {
        return 0;
    }
    virtual GxS32 OnThreadEvent2(void* /*data*/, GxS32 /*a*/, GxS32 /*b*/, GxS32 /*c*/) {
        return 0;
    }
};

class GxTaskWindowListenerBase {
public:
    virtual ~GxTaskWindowListenerBase() = default;
    virtual GxS32 OnActivate() { return 0; }
    virtual GxS32 OnDeactivate() { return 0; }
    // Non-zero refuses closing the window.
    virtual GxS32 OnClose() { return 0; }
    virtual GxS32 OnScreenModeChanged(GxS32 /*oldMode*/, GxS32 /*newMode*/) { return 0; }
};

class GxTaskMouseListenerBase {
public:
    virtual ~GxTaskMouseListenerBase() = default;
    virtual GxS32 OnMouseMove(const GxVector2& /*point*/, GxU32 /*keys*/) { return 0; }
    virtual GxS32 OnMouseWheel(const GxVector2& /*point*/, GxS32 /*delta*/, GxU32 /*keys*/) {
        return 0;
    }
    virtual GxS32 OnLButtonDown(const GxVector2& /*point*/, GxU32 /*keys*/, bool /*isDouble*/) {
        return 0;
    }
    virtual GxS32 OnLButtonUp(const GxVector2& /*point*/, GxU32 /*keys*/) { return 0; }
    virtual GxS32 OnRButtonDown(const GxVector2& /*point*/, GxU32 /*keys*/, bool /*isDouble*/) {
        return 0;
    }
    virtual GxS32 OnRButtonUp(const GxVector2& /*point*/, GxU32 /*keys*/) { return 0; }
    virtual GxS32 OnMButtonDown(const GxVector2& /*point*/, GxU32 /*keys*/, bool /*isDouble*/) {
        return 0;
    }
    virtual GxS32 OnMButtonUp(const GxVector2& /*point*/, GxU32 /*keys*/) { return 0; }
};

class GxTaskKeyInputListenerBase {
public:
    virtual ~GxTaskKeyInputListenerBase() = default;
    virtual GxS32 OnKeyDown(GxU32 /*virtualKey*/, GxU32 /*keyData*/) { return 0; }
    virtual GxS32 OnKeyUp(GxU32 /*virtualKey*/, GxU32 /*keyData*/) { return 0; }
    // Deliverable but raised by nothing in the engine yet.
    virtual GxS32 OnKeyChar(GxU32 /*code*/, GxU32 /*keyData*/) { return 0; }
    virtual GxS32 OnKeyComposition(GxU32 /*a*/, GxU32 /*b*/, GxU32 /*c*/) { return 0; }
};

// Network notifications: deliverable, but the engine raises none.
class GxTaskNetListenerBase {
public:
    virtual ~GxTaskNetListenerBase() = default;
    virtual GxS32 OnNetEvent0(GxS32 /*a*/) { return 0; }
    virtual GxS32 OnNetEvent1(GxS32 /*a*/) { return 0; }
    virtual GxS32 OnNetEvent2(GxS32 /*a*/, GxS32 /*b*/) { return 0; }
    virtual GxS32 OnNetEvent3(GxS32 /*a*/, GxS32 /*b*/) { return 0; }
    virtual GxS32 OnNetEvent4(GxS32 /*a*/, GxS32 /*b*/) { return 0; }
};

// A UI event that a widget posts to its folder. The first field is handed to the
// notification as its first argument; the rest is for the widgets.
struct GxUIEvent {
    GxS32 m_Id = 0;
    GxS32 m_Kind = 0;
    GxTaskBase* m_Widget = nullptr;
    GxS32 m_Param = 0;
    GxS32 m_Param2 = 0;
    GxF32 m_Value = 0;
    std::u16string m_Text;
};

// The twenty UI notifications; DispatchUIEvents maps event kinds onto them.
class GxUIListenerBase {
public:
    virtual ~GxUIListenerBase() = default;
#define GX_UI_NOTIFICATION(n)                                              \
    virtual GxS32 OnUIEvent##n(GxS32 /*id*/, const GxUIEvent& /*event*/) { \
        return 0;                                                          \
    }
    GX_UI_NOTIFICATION(0)
    GX_UI_NOTIFICATION(1)
    GX_UI_NOTIFICATION(2)
    GX_UI_NOTIFICATION(3)
    GX_UI_NOTIFICATION(4)
    GX_UI_NOTIFICATION(5)
    GX_UI_NOTIFICATION(6)
    GX_UI_NOTIFICATION(7)
    GX_UI_NOTIFICATION(8)
    GX_UI_NOTIFICATION(9)
    GX_UI_NOTIFICATION(10)
    GX_UI_NOTIFICATION(11)
    GX_UI_NOTIFICATION(12)
    GX_UI_NOTIFICATION(13)
    GX_UI_NOTIFICATION(14)
    GX_UI_NOTIFICATION(15)
    GX_UI_NOTIFICATION(16)
    GX_UI_NOTIFICATION(17)
    GX_UI_NOTIFICATION(18)
    GX_UI_NOTIFICATION(19)
#undef GX_UI_NOTIFICATION

    // Calls notification `index` (0..19); any other index returns 0.
    GxS32 CallUINotification(int index, GxS32 id, const GxUIEvent& event);
};
