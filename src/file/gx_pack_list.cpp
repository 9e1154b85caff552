#include <memory>
#include <vector>

#include "file/gx_file.h"
#include "file/gx_file_lock.h"
#include "file/gx_pack_file.h"

namespace {

std::vector<std::unique_ptr<GxPackFileHeaderCache>>& GetPackFiles() {
    static std::vector<std::unique_ptr<GxPackFileHeaderCache>> packFiles;
    return packFiles;
}

}  // namespace

bool OpenPackFile(std::u16string_view path) {
    GxMutexScopedLock lock(gx::GetFileLock());
    auto archive = std::make_unique<GxPackFileHeaderCache>();
    if (!archive->Load(path))
        return false;
    GetPackFiles().push_back(std::move(archive));
    return true;
}

void CloseAllPackFiles() {
    GxMutexScopedLock lock(gx::GetFileLock());
    GetPackFiles().clear();
}

namespace gx {

const GxPackEntry* FindInPackFiles(std::u16string_view path,
                                   const GxPackFileHeaderCache** archive) {
    GxMutexScopedLock lock(GetFileLock());
    for (const auto& packFile : GetPackFiles()) {
        if (const GxPackEntry* entry = packFile->FindEntry(path)) {
            if (archive)
                *archive = packFile.get();
            return entry;
        }
    }
    return nullptr;
}

}  // namespace gx
