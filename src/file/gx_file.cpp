#include "file/gx_file.h"

#include <string>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "file/gx_file_cache.h"
#include "file/gx_file_handle.h"
#include "file/gx_file_lock.h"
#include "file/gx_loose_file.h"
#include "file/gx_native_file.h"
#include "file/gx_pack_file.h"

namespace {

// Reads the open file into `buffer`, which is `extra` zero bytes longer than the
// file. On a short read the buffer keeps what arrived.
bool ReadWhole(GxFileHandle& file, GxBinBuffer& buffer, GxU32 extra) {
    const GxU32 size = file.GetSize();
    if (size > UINT32_MAX - extra || !buffer.Alloc(size + extra))
        return false;
    const GxU32 got = file.Read(buffer.GetData(), size);
    if (got == size)
        return true;
    buffer.Shrink(got);
    return false;
}

}  // namespace

int FileExists(std::u16string_view path) {
    GxMutexScopedLock lock(gx::GetFileLock());
    if (gx::FindLooseFile(path) != GxLooseKind::None)
        return 1;
    if (gx::FindInPackFiles(path, nullptr))
        return 2;
    return 0;
}

GxU32 GetFileSizeByName(std::u16string_view path) {
    GxMutexScopedLock lock(gx::GetFileLock());
    std::string native;
    if (gx::FindLooseFile(path, &native) == GxLooseKind::File) {
        GxNativeFile file;
        if (!file.Open(native))
            return 0;
        const GxU64 size = file.GetSize();
        return size > UINT32_MAX ? UINT32_MAX : static_cast<GxU32>(size);
    }
    const GxPackEntry* entry = gx::FindInPackFiles(path, nullptr);
    return entry ? entry->size : 0;
}

bool LoadFile(GxBinBuffer& buffer, std::u16string_view path, bool useCache, bool quiet) {
    const std::u16string key = gx::MakeFileKey(path);
    GxFileHandle file;
    if (!file.Open(path)) {
        if (!quiet)
            LogError(u"File open error or not exist:%s\n", path);
        return false;
    }
    GxFileCache& cache = gx::GetFileCache();
    if (useCache && cache.CopyOut(key, file.GetFileTime(), buffer))
        return true;
    if (!ReadWhole(file, buffer, 0)) {
        if (!quiet)
            LogError(u"File read error:%s\n", path);
        return false;
    }
    if (useCache)
        cache.Insert(key, buffer, file.GetFileTime());
    return true;
}

bool LoadTextFile(GxBinBuffer& buffer, std::u16string_view path, bool /*reserved*/, bool quiet) {
    GxFileHandle file;
    if (!file.Open(path)) {
        if (!quiet)
            LogError(u"File open error:%s\n", path);
        return false;
    }
    if (!ReadWhole(file, buffer, 2)) {
        if (!quiet)
            LogError(u"File read error:%s\n", path);
        return false;
    }
    return true;
}

void SetFileCacheCapacity(GxU32 bytes) {
    GxMutexScopedLock lock(gx::GetFileLock());
    gx::GetFileCache().SetCapacity(bytes);
}

void SetFileCacheFileLimit(GxU32 bytes) {
    GxMutexScopedLock lock(gx::GetFileLock());
    gx::GetFileCache().SetFileLimit(bytes);
}

void SetFileCacheEnabled(bool enabled) {
    GxMutexScopedLock lock(gx::GetFileLock());
    gx::GetFileCache().SetEnabled(enabled);
}

void ClearFileCache() {
    GxMutexScopedLock lock(gx::GetFileLock());
    gx::GetFileCache().Clear();
}
