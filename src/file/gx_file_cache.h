#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "base/gx_bin_buffer.h"
#include "base/gx_mutex.h"
#include "base/gx_types.h"

// A cached copy of a whole file.
class GxFileCacheBuffer : public GxBinBuffer {
public:
    GxU64 m_LastUseTime = 0;  // milliseconds of the process clock
    GxU64 m_FileTime = 0;     // time stamp of the file the bytes came from
};

// The process-wide memory cache of whole files, keyed by lowered path and
// validated by the file's time stamp. Disabled (every Find misses, every Insert
// only removes) until the game enables it. Every operation holds the cache's own
// lock; callers that also hold the file lock take it first.
class GxFileCache : private GxObjectNotCopyable {
public:
    GxFileCache() = default;
    virtual ~GxFileCache() = default;

    // The cached bytes for `key` when enabled and stored with `fileTime`; marks
    // them used. The result stays valid only while the caller holds GetMutex().
    const GxFileCacheBuffer* Find(std::u16string_view key, GxU64 fileTime);
    // Copies a hit into `out` under the lock; false on a miss.
    bool CopyOut(std::u16string_view key, GxU64 fileTime, GxBinBuffer& out);
    // Always drops the old copy; stores the new one when enabled and the size fits
    // both the per-file limit and the capacity, evicting first when full.
    bool Insert(std::u16string_view key, const GxBinBuffer& buffer, GxU64 fileTime);
    bool Remove(std::u16string_view key);
    // Frees at least max(needed, capacity / 4) bytes, least recently used first.
    void Evict(GxU64 needed);
    void Clear();
    GxU64 GetTotalSize();

    void SetCapacity(GxU32 bytes);
    void SetFileLimit(GxU32 bytes);
    void SetEnabled(bool enabled);
    GxMutex& GetMutex() { return m_Mutex; }

private:
    bool RemoveLocked(const std::u16string& key);

    std::map<std::u16string, std::unique_ptr<GxFileCacheBuffer>, std::less<>> m_Buffers;
    GxU32 m_Capacity = 0;
    GxU64 m_Total = 0;
    GxU32 m_FileLimit = 0;
    bool m_Enabled = false;
    GxMutex m_Mutex;
};

namespace gx {

GxFileCache& GetFileCache();

}  // namespace gx
