#include "file/gx_file_cache.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gx_clock.h"

const GxFileCacheBuffer* GxFileCache::Find(std::u16string_view key, GxU64 fileTime) {
    GxMutexScopedLock lock(m_Mutex);
    if (!m_Enabled)
        return nullptr;
    auto it = m_Buffers.find(key);
    if (it == m_Buffers.end() || it->second->m_FileTime != fileTime)
        return nullptr;
    it->second->m_LastUseTime = gx::TimeGetTime();
    return it->second.get();
}

bool GxFileCache::CopyOut(std::u16string_view key, GxU64 fileTime, GxBinBuffer& out) {
    GxMutexScopedLock lock(m_Mutex);
    const GxFileCacheBuffer* hit = Find(key, fileTime);
    if (!hit)
        return false;
    if (!out.Alloc(hit->GetSize()))
        return false;
    if (hit->GetSize())
        std::memcpy(out.GetData(), hit->GetData(), hit->GetSize());
    return true;
}

bool GxFileCache::Insert(std::u16string_view key, const GxBinBuffer& buffer, GxU64 fileTime) {
    GxMutexScopedLock lock(m_Mutex);
    const std::u16string ownedKey(key);
    RemoveLocked(ownedKey);
    const GxU32 size = buffer.GetSize();
    if (!m_Enabled || size > m_FileLimit || size > m_Capacity)
        return false;
    if (m_Capacity < m_Total + size)
        Evict(size);
    auto copy = std::make_unique<GxFileCacheBuffer>();
    if (!copy->Alloc(size))
        return false;
    if (size)
        std::memcpy(copy->GetData(), buffer.GetData(), size);
    copy->m_LastUseTime = gx::TimeGetTime();
    copy->m_FileTime = fileTime;
    m_Buffers.emplace(ownedKey, std::move(copy));
    m_Total += size;
    return true;
}

bool GxFileCache::Remove(std::u16string_view key) {
    GxMutexScopedLock lock(m_Mutex);
    return RemoveLocked(std::u16string(key));
}

bool GxFileCache::RemoveLocked(const std::u16string& key) {
    auto it = m_Buffers.find(key);
    if (it == m_Buffers.end())
        return false;
    m_Total -= it->second->GetSize();
    m_Buffers.erase(it);
    return true;
}

void GxFileCache::Evict(GxU64 needed) {
    GxMutexScopedLock lock(m_Mutex);
    const GxU64 amount = std::max<GxU64>(needed, m_Capacity / 4);
    std::vector<std::pair<GxU64, const std::u16string*>> byAge;
    byAge.reserve(m_Buffers.size());
    for (const auto& [key, buffer] : m_Buffers)
        byAge.emplace_back(buffer->m_LastUseTime, &key);
    std::stable_sort(byAge.begin(), byAge.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::u16string> victims;
    GxU64 freed = 0;
    for (const auto& [time, key] : byAge) {
        if (freed >= amount)
            break;
        freed += m_Buffers.find(*key)->second->GetSize();
        victims.push_back(*key);
    }
    for (const auto& key : victims)
        RemoveLocked(key);
}

void GxFileCache::Clear() {
    GxMutexScopedLock lock(m_Mutex);
    m_Buffers.clear();
    m_Total = 0;
}

GxU64 GxFileCache::GetTotalSize() {
    GxMutexScopedLock lock(m_Mutex);
    return m_Total;
}

void GxFileCache::SetCapacity(GxU32 bytes) {
    GxMutexScopedLock lock(m_Mutex);
    m_Capacity = bytes;
}

void GxFileCache::SetFileLimit(GxU32 bytes) {
    GxMutexScopedLock lock(m_Mutex);
    m_FileLimit = bytes;
}

void GxFileCache::SetEnabled(bool enabled) {
    GxMutexScopedLock lock(m_Mutex);
    m_Enabled = enabled;
}

namespace gx {

GxFileCache& GetFileCache() {
    static GxFileCache cache;
    return cache;
}

}  // namespace gx
