#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "base/gx_mutex.h"

enum GxObjectType : int {
    OBJTYPE_NONE = 0,
    OBJTYPE_TEXTURE = 1,
    OBJTYPE_FLEXTEXTURE = 2,
    OBJTYPE_BUFFEREDTEXTURE = 3,
    OBJTYPE_RENDERTARGET = 4,
    OBJTYPE_DEPTHSTENCIL = 5,
    OBJTYPE_SURFACE = 6,
    OBJTYPE_SWAPCHAIN = 7,
    OBJTYPE_MESH = 8,
    OBJTYPE_SHADEREFFECT = 9,
    OBJTYPE_RESERVED_1 = 10,
    OBJTYPE_RESERVED_2 = 11,
    OBJTYPE_RESERVED_3 = 12,
    OBJTYPE_IMAGEDATA = 13,
};

const char16_t* GxGetObjectTypeName(int type);

// A named, reference-counted object that lives on the device.
class GxD3DResourceBase : private GxObjectNotCopyable {
public:
    GxD3DResourceBase() = default;
    // A resource never outlives its place in the registry.
    virtual ~GxD3DResourceBase();

    virtual void ResetRefCount() { m_RefCount = 0; }
    virtual int AddRef() { return ++m_RefCount; }
    virtual int DecRef() {
        if (m_RefCount > 0)
            --m_RefCount;
        return m_RefCount;
    }
    virtual int GetRefCount() const { return m_RefCount; }
    // At 0 the device objects are freed and the resource leaves the registry.
    virtual int Release();
    virtual void ReleaseAll() {
        while (GetRefCount() > 0)
            Release();
    }
    virtual void OnLostDevice() {}
    virtual void OnResetDevice() {}
    virtual std::uint32_t GetMemorySize() const { return 0; }
    virtual const std::u16string& GetName() const { return m_Name; }
    virtual void SetName(std::u16string_view name);

    int GetObjectType() const { return m_ObjectType; }

protected:
    // What a derived class gives up when its last reference goes.
    virtual void FreeDeviceObjects() {}

    int m_ObjectType = OBJTYPE_NONE;
    std::u16string m_Name;
    int m_RefCount = 0;
};

// Every live device resource, for the notifications around a reset and the
// report of what is still alive at exit.
class GxD3DResourceManage {
public:
    static GxD3DResourceManage& Instance();

    void Register(GxD3DResourceBase* resource);
    bool Unregister(GxD3DResourceBase* resource);
    bool IsRegistered(const GxD3DResourceBase* resource);
    void NotifyLostDevice();
    void NotifyResetDevice();
    std::uint64_t GetTotalMemorySize();
    size_t GetCount();
    // Warns once per resource still registered, then refuses further unregistration.
    void ReportAtExit();
    // Tests: accept registrations again after a report.
    void Reopen();

private:
    std::set<GxD3DResourceBase*> m_Resources;
    GxMutex m_Mutex;
    bool m_Closing = false;
};
