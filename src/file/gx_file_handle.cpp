#include "file/gx_file_handle.h"

#include <limits>
#include <string>

#include "file/gx_file_lock.h"
#include "file/gx_loose_file.h"
#include "file/gx_pack_file.h"
#include "file/gx_pack_scramble.h"

bool GxFileHandle::Open(std::u16string_view path) {
    GxMutexScopedLock lock(gx::GetFileLock());
    Close();
    std::string native;
    if (gx::FindLooseFile(path, &native) == GxLooseKind::File) {
        GxNativeFile file;
        if (!file.Open(native))
            return false;
        const GxU64 size = file.GetSize();
        // Sizes are 32-bit; a larger loose file is readable up to 4 GiB - 1.
        m_Size = size > std::numeric_limits<GxU32>::max() ? std::numeric_limits<GxU32>::max()
                                                          : static_cast<GxU32>(size);
        m_FileTime = file.GetWriteTime();
        m_File = std::move(file);
        m_Open = true;
        return true;
    }
    const GxPackFileHeaderCache* archive = nullptr;
    const GxPackEntry* entry = gx::FindInPackFiles(path, &archive);
    return entry && OpenEntry(*archive, *entry);
}

bool GxFileHandle::OpenEntry(const GxPackFileHeaderCache& archive, const GxPackEntry& entry) {
    Close();
    GxNativeFile file;
    if (!file.Open(archive.GetNativePath()))
        return false;
    m_Size = entry.size;
    m_FileTime = entry.fileTime;
    m_Base = archive.GetDataOffset() + entry.offset;
    m_Scrambled = archive.IsScrambled();
    m_File = std::move(file);
    m_Open = true;
    return true;
}

GxU32 GxFileHandle::Read(void* buffer, GxU32 count) {
    if (!m_Open || m_Eof)
        return 0;
    const GxU64 left = m_Size - static_cast<GxU64>(m_Position);
    if (count > left)
        count = static_cast<GxU32>(left);
    GxU32 got = 0;
    if (!m_Scrambled) {
        got = static_cast<GxU32>(m_File.ReadAt(buffer, count, m_Base + m_Position));
    } else {
        // Unscramble in pieces that are still in the processor cache.
        constexpr GxU32 kPiece = 256 * 1024;
        auto* out = static_cast<GxU8*>(buffer);
        while (got < count) {
            const GxU32 want = count - got < kPiece ? count - got : kPiece;
            const GxU64 at = static_cast<GxU64>(m_Position) + got;
            const auto piece = static_cast<GxU32>(m_File.ReadAt(out + got, want, m_Base + at));
            gx::ScramblePackBytes(out + got, piece, at);
            got += piece;
            if (piece < want)
                break;
        }
    }
    m_Position += got;
    if (static_cast<GxU64>(m_Position) >= m_Size)
        m_Eof = true;
    return got;
}

bool GxFileHandle::Seek(GxS64 offset, int origin) {
    if (!m_Open)
        return false;
    GxS64 from = 0;
    if (origin == 1) {
        from = m_Position;
    } else if (origin == 2) {
        from = m_Size;
    } else if (origin != 0) {
        return false;
    }
    // Saturate instead of overflowing on absurd offsets.
    GxS64 target;
    if (__builtin_add_overflow(from, offset, &target))
        target = offset < 0 ? 0 : m_Size;
    if (target < 0)
        target = 0;
    if (target > static_cast<GxS64>(m_Size))
        target = m_Size;
    m_Position = target;
    m_Eof = static_cast<GxU64>(m_Position) >= m_Size;
    return true;
}

void GxFileHandle::Close() {
    m_File.Close();
    m_Size = 0;
    m_FileTime = 0;
    m_Position = 0;
    m_Base = 0;
    m_Scrambled = false;
    m_Open = false;
    m_Eof = false;
}
