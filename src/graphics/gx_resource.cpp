#include "graphics/gx_resource.h"

#include "base/gx_log.h"
#include "base/gx_string.h"

namespace {

const char16_t* const kObjectTypeNames[] = {
    u"OBJTYPE_NONE",         u"OBJTYPE_TEXTURE",
    u"OBJTYPE_FLEXTEXTURE",  u"OBJTYPE_BUFFEREDTEXTURE",
    u"OBJTYPE_RENDERTARGET", u"OBJTYPE_DEPTHSTENCIL",
    u"OBJTYPE_SURFACE",      u"OBJTYPE_SWAPCHAIN",
    u"OBJTYPE_MESH",         u"OBJTYPE_SHADEREFFECT",
    u"OBJTYPE_RESERVED_1",   u"OBJTYPE_RESERVED_2",
    u"OBJTYPE_RESERVED_3",   u"OBJTYPE_IMAGEDATA",
};

}  // namespace

const char16_t* GxGetObjectTypeName(int type) {
    if (type < 0 || type > OBJTYPE_IMAGEDATA)
        return u"";
    return kObjectTypeNames[type];
}

void GxD3DResourceBase::SetName(std::u16string_view name) {
    m_Name = gx::ToLowerAscii(name);
}

GxD3DResourceBase::~GxD3DResourceBase() {
    GxD3DResourceManage::Instance().Unregister(this);
}

int GxD3DResourceBase::Release() {
    const int count = DecRef();
    if (count == 0) {
        FreeDeviceObjects();
        GxD3DResourceManage::Instance().Unregister(this);
    }
    return count;
}

GxD3DResourceManage& GxD3DResourceManage::Instance() {
    // Never destroyed: resources in other static objects unregister during exit.
    static GxD3DResourceManage* instance = new GxD3DResourceManage;
    return *instance;
}

void GxD3DResourceManage::Register(GxD3DResourceBase* resource) {
    GxMutexScopedLock lock(m_Mutex);
    if (resource)
        m_Resources.insert(resource);
}

bool GxD3DResourceManage::Unregister(GxD3DResourceBase* resource) {
    GxMutexScopedLock lock(m_Mutex);
    if (m_Closing)
        return false;
    return m_Resources.erase(resource) > 0;
}

bool GxD3DResourceManage::IsRegistered(const GxD3DResourceBase* resource) {
    GxMutexScopedLock lock(m_Mutex);
    return m_Resources.count(const_cast<GxD3DResourceBase*>(resource)) > 0;
}

void GxD3DResourceManage::NotifyLostDevice() {
    GxMutexScopedLock lock(m_Mutex);
    for (GxD3DResourceBase* resource : m_Resources)
        resource->OnLostDevice();
}

void GxD3DResourceManage::NotifyResetDevice() {
    GxMutexScopedLock lock(m_Mutex);
    for (GxD3DResourceBase* resource : m_Resources)
        resource->OnResetDevice();
}

std::uint64_t GxD3DResourceManage::GetTotalMemorySize() {
    GxMutexScopedLock lock(m_Mutex);
    std::uint64_t total = 0;
    for (GxD3DResourceBase* resource : m_Resources)
        total += resource->GetMemorySize();
    return total;
}

size_t GxD3DResourceManage::GetCount() {
    GxMutexScopedLock lock(m_Mutex);
    return m_Resources.size();
}

void GxD3DResourceManage::ReportAtExit() {
    GxMutexScopedLock lock(m_Mutex);
    for (GxD3DResourceBase* resource : m_Resources) {
        LogSlightError(u"Warning/未解放のまま終了したリソースがあります 0x%x [%s:%s]\n",
                       static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(resource)),
                       GxGetObjectTypeName(resource->GetObjectType()), resource->GetName());
    }
    m_Closing = true;
    m_Resources.clear();
}

void GxD3DResourceManage::Reopen() {
    GxMutexScopedLock lock(m_Mutex);
    m_Closing = false;
}
